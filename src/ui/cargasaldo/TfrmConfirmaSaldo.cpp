#include "ui/cargasaldo/TfrmConfirmaSaldo.h"

#include "core/Formatacao.h"
#include "core/Mensagens.h"
#include "model/Vinculo.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace drav {

namespace {

QString U(const std::string& s) { return QString::fromStdString(s); }

QString TextoEstado(int estado)
{
    switch (estado) {
    case EstadoMarcado: return QString::fromUtf8("Participando");
    case EstadoFechado: return QString::fromUtf8("Fechado");
    case EstadoProcessado: return QString::fromUtf8("Processado");
    default: return QString::fromUtf8("Aberto");
    }
}

QString TextoInscricao(int tipo, int64_t inscricao)
{
    if (tipo == 1)
        return U(FormatarCNPJ(std::to_string(inscricao)));
    return U(CompletarZeros(std::to_string(inscricao), 12));
}

} // namespace

TfrmConfirmaSaldo::TfrmConfirmaSaldo(TDBUtils& sessao, TMensagens& mensagens, const ITabelasIndices& tabelas,
                                     TDateTime dataEdital, std::vector<TVinculoPendente> vinculos, QWidget* pai)
    : QDialog(pai), sessao_(sessao), mensagens_(mensagens), tabelas_(tabelas), dataEdital_(dataEdital),
      vinculos_(std::move(vinculos))
{
    setObjectName("frmConfirmaSaldo");
    setWindowTitle(QString::fromUtf8("Confirmação de Atualização de Saldo Rescisório"));
    setModal(true);

    auto* aviso = new QLabel(QString::fromUtf8("O arquivo trouxe contas de trabalhadores cujo vínculo já foi fechado, "
                                               "enviado ou pago. Marque os vínculos que devem receber o novo saldo "
                                               "rescisório: eles voltam a ficar abertos."),
                             this);
    aviso->setWordWrap(true);

    grade_ = new QTreeWidget(this);
    grade_->setObjectName("grdVinculos");
    grade_->setRootIsDecorated(false);
    grade_->setUniformRowHeights(true);
    grade_->setHeaderLabels({"", QString::fromUtf8("Situação"), QString::fromUtf8("Inscrição"), "PIS/PASEP", "Nome",
                             QString::fromUtf8("Admissão"), "Categoria"});
    for (std::size_t i = 0; i < vinculos_.size(); ++i) {
        const TVinculoPendente& v = vinculos_[i];
        auto* item = new QTreeWidgetItem(grade_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Checked);
        item->setText(1, TextoEstado(v.Estado));
        item->setText(2, TextoInscricao(v.TipoInscricao, v.Inscricao));
        item->setText(3, U(FormatarPIS(std::to_string(v.Pis))));
        item->setText(4, U(v.NomeCadastrado));
        item->setText(5, U(DataParaTexto(v.DataAdmissao)));
        item->setText(6, U(CompletarZeros(std::to_string(v.Categoria), 2)));
        item->setData(0, Qt::UserRole, static_cast<int>(i));
    }
    for (int c = 0; c < grade_->columnCount(); ++c)
        grade_->resizeColumnToContents(c);

    btnSalvar_ = new QPushButton(QString::fromUtf8("&Salvar"), this);
    btnSalvar_->setObjectName("btnSalvar");
    btnCancelar_ = new QPushButton(QString::fromUtf8("&Cancelar"), this);
    btnCancelar_->setObjectName("btnCancelar");
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btnSalvar_);
    botoes->addWidget(btnCancelar_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(aviso);
    layout->addWidget(grade_, 1);
    layout->addLayout(botoes);
    resize(720, 360);

    connect(btnSalvar_, &QPushButton::clicked, this, &TfrmConfirmaSaldo::btnSalvarClick);
    connect(btnCancelar_, &QPushButton::clicked, this, [this] {
        desfecho_ = Desfecho::Cancelado;
        reject();
    });
}

TfrmConfirmaSaldo::~TfrmConfirmaSaldo() = default;

std::vector<TVinculoPendente> TfrmConfirmaSaldo::Selecionados() const
{
    std::vector<TVinculoPendente> r;
    for (int i = 0; i < grade_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = grade_->topLevelItem(i);
        if (item->checkState(0) == Qt::Checked)
            r.push_back(vinculos_[static_cast<std::size_t>(item->data(0, Qt::UserRole).toInt())]);
    }
    return r;
}

void TfrmConfirmaSaldo::btnSalvarClick()
{
    const std::vector<TVinculoPendente> selecionados = Selecionados();
    if (selecionados.empty()) {
        mensagens_.Mensagem("CT0230", mtWarning, Botoes::OK);
        return;
    }
    if (mensagens_.MensagemParametros("CT0000", mtConfirmation, Botoes::SimNao, {}, mbNo, "Confirmar dados?") != mrYes)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ResultadoConfirmacao r = ConfirmarContasPendentes(sessao_, tabelas_, dataEdital_, selecionados, &erro_);
    QApplication::restoreOverrideCursor();
    switch (r) {
    case ResultadoConfirmacao::Gravado: desfecho_ = Desfecho::Gravado; break;
    case ResultadoConfirmacao::GravadoComPendencia: desfecho_ = Desfecho::GravadoComPendencia; break;
    case ResultadoConfirmacao::Falhou: desfecho_ = Desfecho::Falhou; break;
    }
    accept();
}

} // namespace drav
