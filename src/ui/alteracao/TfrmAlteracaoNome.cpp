#include "ui/alteracao/TfrmAlteracaoNome.h"

#include "core/DBUtils.h"
#include "core/Datas.h"
#include "core/Formatacao.h"
#include "core/Mensagens.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"
#include "model/AlteracaoCadastral.h"
#include "model/ChaveVinculo.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace drav {

namespace {

enum Coluna { ColVinculo, ColConta, ColNomeBanco, ColNomeCadastrado, ColSituacao, NumColunas };

// The key of a row, kept in the first cell so the decision does not depend on what is shown.
enum Papel { PapelTipo = Qt::UserRole, PapelInscricao, PapelPis, PapelCategoria, PapelAdmissao };

QString Q(const std::string& s) { return QString::fromStdString(s); }

} // namespace

TfrmAlteracaoNome::TfrmAlteracaoNome(TDBUtils& sessao, TMensagens& mensagens, QWidget* pai)
    : QDialog(pai), sessao_(sessao), mensagens_(mensagens)
{
    setWindowTitle(QStringLiteral("Alterações Cadastrais"));
    grd_ = new QTableWidget(0, NumColunas, this);
    grd_->setHorizontalHeaderLabels({QStringLiteral("Vínculo"), QStringLiteral("Conta"),
                                     QStringLiteral("Nome no Banco"), QStringLiteral("Nome Cadastrado"),
                                     QStringLiteral("Situação")});
    grd_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grd_->setSelectionMode(QAbstractItemView::SingleSelection);
    grd_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grd_->horizontalHeader()->setStretchLastSection(true);
    btnDecidir_ = new QPushButton(QStringLiteral("&Decidir..."), this);
    btnFechar_ = new QPushButton(QStringLiteral("&Fechar"), this);
    lblSituacao_ = new QLabel(this);
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(lblSituacao_, 1);
    botoes->addWidget(btnDecidir_);
    botoes->addWidget(btnFechar_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grd_);
    layout->addLayout(botoes);
    connect(btnDecidir_, &QPushButton::clicked, this, &TfrmAlteracaoNome::btnDecidirClick);
    connect(btnFechar_, &QPushButton::clicked, this, &QDialog::accept);
    connect(grd_, &QTableWidget::itemSelectionChanged, this, [this] {
        const int linha = grd_->currentRow();
        btnDecidir_->setEnabled(linha >= 0 && grd_->item(linha, ColSituacao)->text() == QStringLiteral("Pendente"));
    });
    resize(760, 360);
    Carregar();
}

void TfrmAlteracaoNome::Carregar()
{
    grd_->setRowCount(0);
    TAlteracaoCadastral a(sessao_);
    a.CarregaRelacionados = false;
    const bool tem = a.ListarTodas();
    for (; tem && !a.Eof(); a.Proximo()) {
        if (a.TipoAlteracao != AlteracaoNome)
            continue;
        const int64_t pis = std::stoll(a.Pis);
        const std::string chave =
            SqlChaveVinculo("", std::stoi(a.TipoInscricao), std::stoll(a.Inscricao), pis, std::stoi(a.Categoria),
                            a.DataAdmissao);
        // The name the bank holds the account under, as the tree shows it; the recorded one when
        // the account is gone.
        std::string nomeBanco = a.ConteudoAnterior;
        auto c = sessao_.AbrirConsulta("SELECT NO_EMPREGADO FROM SFGTBG10_CONTA_EMPREGADO_FGTS WHERE " + chave +
                                       " AND NU_EMPREGADO_QUELD = " + SqlNumeroTexto(a.NumeroEmpregadoQueld));
        if (!c->IsEmpty() && !c->Field(0).AsString().empty())
            nomeBanco = c->Field(0).AsString();
        auto n = sessao_.AbrirConsulta("SELECT NO_EMPREGADO FROM SFGTBG03_EMPREGADO WHERE NU_PIS = " + SqlNumero(pis));
        const std::string cadastrado = n->IsEmpty() ? std::string() : n->Field(0).AsString();

        const int linha = grd_->rowCount();
        grd_->insertRow(linha);
        auto* vinculo = new QTableWidgetItem(Q(a.TipoInscricao + ":" + a.Inscricao + ":" + CompletarZeros(a.Pis, 11) +
                                               ":" + a.Categoria + ":" + DataParaTexto(a.DataAdmissao)));
        vinculo->setData(PapelTipo, std::stoi(a.TipoInscricao));
        vinculo->setData(PapelInscricao, QVariant::fromValue<qlonglong>(std::stoll(a.Inscricao)));
        vinculo->setData(PapelPis, QVariant::fromValue<qlonglong>(pis));
        vinculo->setData(PapelCategoria, std::stoi(a.Categoria));
        vinculo->setData(PapelAdmissao, a.DataAdmissao);
        grd_->setItem(linha, ColVinculo, vinculo);
        grd_->setItem(linha, ColConta, new QTableWidgetItem(Q(a.NumeroEmpregadoQueld)));
        grd_->setItem(linha, ColNomeBanco, new QTableWidgetItem(Q(nomeBanco)));
        grd_->setItem(linha, ColNomeCadastrado, new QTableWidgetItem(Q(cadastrado)));
        grd_->setItem(linha, ColSituacao, new QTableWidgetItem(a.Confirmacao == "S" ? QStringLiteral("Mantido")
                                                                                    : QStringLiteral("Pendente")));
    }
    lblSituacao_->setText(QStringLiteral("%1 alteração(ões)").arg(grd_->rowCount()));
    btnDecidir_->setEnabled(false);
}

void TfrmAlteracaoNome::btnDecidirClick()
{
    const int linha = grd_->currentRow();
    if (linha < 0)
        return;
    const QTableWidgetItem* v = grd_->item(linha, ColVinculo);
    const std::string nomeBanco = grd_->item(linha, ColNomeBanco)->text().toStdString();
    DecidirAlteracaoNome(sessao_, mensagens_, static_cast<int16_t>(v->data(PapelTipo).toInt()),
                         v->data(PapelInscricao).toLongLong(), v->data(PapelPis).toLongLong(),
                         static_cast<int16_t>(v->data(PapelCategoria).toInt()), v->data(PapelAdmissao).toDouble(),
                         nomeBanco);
    Carregar();
}

} // namespace drav
