#include "ui/complemento/TfrmComplementoSaldo.h"

#include "calc/ComplementoSaldo.h"
#include "core/Conversao.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Mensagens.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace drav {

namespace {

const char* const kTitulosTipos[3] = {"Não Recolhidos", "Recolhidos e Não Processados",
                                      "Recolhidos e Não Individualizados"};

QString Q(const std::string& s) { return QString::fromStdString(s); }

QTableWidgetItem* Celula(const std::string& texto, bool direita)
{
    auto* i = new QTableWidgetItem(Q(texto));
    i->setFlags(i->flags() & ~Qt::ItemIsEditable);
    if (direita)
        i->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return i;
}

} // namespace

TfrmComplementoSaldo::TfrmComplementoSaldo(TDBUtils& sessao, const ITabelasIndices& tabelas, TDateTime edital,
                                           TDateTime pagamento, TMensagens& mensagens, const TChaveComplemento& chave,
                                           QWidget* parent)
    : QDialog(parent), sessao_(sessao), tabelas_(tabelas), edital_(edital), pagamento_(pagamento),
      mensagens_(mensagens), chave_(chave)
{
    setWindowTitle(QStringLiteral("Complemento de Saldo"));
    auto* layout = new QVBoxLayout(this);

    pgcTipos_ = new QTabWidget(this);
    for (int t = 0; t < 3; ++t) {
        auto* g = new QTableWidget(0, 3, pgcTipos_);
        g->setHorizontalHeaderLabels({QStringLiteral("Competência"), QStringLiteral("Remuneração"),
                                      QStringLiteral("Depósito")});
        g->setSelectionBehavior(QAbstractItemView::SelectRows);
        g->setSelectionMode(QAbstractItemView::SingleSelection);
        g->verticalHeader()->hide();
        g->horizontalHeader()->setStretchLastSection(true);
        grades_[static_cast<std::size_t>(t)] = g;
        pgcTipos_->addTab(g, QString::fromUtf8(kTitulosTipos[t]));
    }
    layout->addWidget(pgcTipos_);

    auto* campos = new QGridLayout();
    campos->addWidget(new QLabel(QStringLiteral("Mês"), this), 0, 0);
    campos->addWidget(new QLabel(QStringLiteral("Ano"), this), 0, 1);
    campos->addWidget(new QLabel(QStringLiteral("Remuneração"), this), 0, 2);
    cboMes_ = new QComboBox(this);
    cboMes_->addItem(QString());
    for (int m = 1; m <= 12; ++m)
        cboMes_->addItem(QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0')));
    cboAno_ = new QComboBox(this);
    cboAno_->addItem(QString());
    for (int a = 1967; a <= QDate::currentDate().year(); ++a)
        cboAno_->addItem(QString::number(a));
    edtRemuneracao_ = new QLineEdit(this);
    edtRemuneracao_->setAlignment(Qt::AlignRight);
    campos->addWidget(cboMes_, 1, 0);
    campos->addWidget(cboAno_, 1, 1);
    campos->addWidget(edtRemuneracao_, 1, 2);
    layout->addLayout(campos);

    lblTotal_ = new QLabel(this);
    layout->addWidget(lblTotal_);

    auto* botoes = new QHBoxLayout();
    btnIncluir_ = new QPushButton(QStringLiteral("&Incluir"), this);
    btnExcluir_ = new QPushButton(QStringLiteral("Excl&uir"), this);
    btnFechar_ = new QPushButton(QStringLiteral("&Fechar"), this);
    botoes->addStretch();
    botoes->addWidget(btnIncluir_);
    botoes->addWidget(btnExcluir_);
    botoes->addWidget(btnFechar_);
    layout->addLayout(botoes);

    connect(btnIncluir_, &QPushButton::clicked, this, &TfrmComplementoSaldo::btnIncluirClick);
    connect(btnExcluir_, &QPushButton::clicked, this, &TfrmComplementoSaldo::btnExcluirClick);
    connect(btnFechar_, &QPushButton::clicked, this, &QDialog::accept);

    Carregar();
}

TfrmComplementoSaldo::~TfrmComplementoSaldo() = default;

std::string TfrmComplementoSaldo::TipoAtual() const { return std::to_string(pgcTipos_->currentIndex() + 1); }

std::string TfrmComplementoSaldo::Prefixo() const { return "4" + std::to_string(pgcTipos_->currentIndex() + 3); }

std::unique_ptr<TComplementoSaldo> TfrmComplementoSaldo::NovoComplemento() const
{
    auto c = std::make_unique<TComplementoSaldo>(sessao_, tabelas_, edital_);
    c->TipoInscricao = chave_.TipoInscricao;
    c->Inscricao = chave_.Inscricao;
    c->Pis = chave_.Pis;
    c->Categoria = chave_.Categoria;
    c->DataAdmissao = chave_.DataAdmissao;
    return c;
}

void TfrmComplementoSaldo::Carregar()
{
    for (QTableWidget* g : grades_)
        g->setRowCount(0);
    auto c = NovoComplemento();
    c->CarregaRelacionados = false;
    double total = 0;
    if (c->ConsultarComplementos()) {
        for (c->Primeiro(); !c->Eof(); c->Proximo()) {
            const int tipo = StrToInteiro(c->NumeroComplemento);
            if (tipo < 1 || tipo > 3)
                continue; // the link's own row when it has no complement
            QTableWidget* g = Grade(tipo);
            const int linha = g->rowCount();
            g->insertRow(linha);
            g->setItem(linha, 0, Celula(c->MesCompetencia + "/" + c->AnoCompetencia, false));
            g->setItem(linha, 1, Celula(FormatarValor(c->ValorRemuneracao), true));
            g->setItem(linha, 2, Celula(FormatarValor(c->ValorDeposito), true));
            total += c->ValorDeposito;
        }
    }
    lblTotal_->setText(QStringLiteral("Total dos depósitos: ") + Q(FormatarValor(total)));
}

void TfrmComplementoSaldo::btnIncluirClick()
{
    auto c = NovoComplemento();
    c->NumeroComplemento = TipoAtual();
    c->MesCompetencia = cboMes_->currentText().toStdString();
    c->AnoCompetencia = cboAno_->currentText().toStdString();
    c->ValorRemuneracao = StrToValor(edtRemuneracao_->text().toStdString());
    if (!c->IncluirComplemento(pagamento_)) {
        const std::string codigo = Prefixo() + c->CodigoMensagem;
        if (c->CodigoMensagem == "0372")
            mensagens_.MensagemParametros(codigo, mtWarning, Botoes::OK,
                                          {c->MesCompetencia + "/" + c->AnoCompetencia, DataParaTexto(pagamento_)},
                                          mbOK);
        else
            mensagens_.Mensagem(codigo, mtWarning, Botoes::OK);
        const std::string& falha = c->CodigoMensagem;
        if (falha == "0278" || falha == "0034")
            cboMes_->setFocus();
        else if (falha == "0279" || falha == "0102" || falha == "0395" || falha == "0411")
            cboAno_->setFocus();
        else if (falha == "0274")
            edtRemuneracao_->setFocus();
        return;
    }
    Carregar();
    cboMes_->setCurrentIndex(0);
    cboAno_->setCurrentIndex(0);
    edtRemuneracao_->clear();
    mensagens_.Mensagem(Prefixo() + "0078", mtInformation, Botoes::OK);
}

void TfrmComplementoSaldo::btnExcluirClick()
{
    QTableWidget* g = Grade(pgcTipos_->currentIndex() + 1);
    const int linha = g->currentRow();
    if (linha < 0 || !g->item(linha, 0))
        return;
    if (mensagens_.Mensagem(Prefixo() + "0036", mtConfirmation, Botoes::SimNao, mbNo) != mrYes)
        return;
    const std::string competencia = g->item(linha, 0)->text().toStdString(); // "mm/yyyy"
    auto c = NovoComplemento();
    c->NumeroComplemento = TipoAtual();
    c->MesCompetencia = competencia.substr(0, 2);
    c->AnoCompetencia = competencia.substr(3);
    try {
        c->Excluir(false, true);
    } catch (const EDrav&) {
        mensagens_.Mensagem(Prefixo() + "0144", mtError, Botoes::OK);
        return;
    }
    Carregar();
    mensagens_.Mensagem(Prefixo() + "0068", mtInformation, Botoes::OK);
}

} // namespace drav
