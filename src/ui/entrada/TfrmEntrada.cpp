#include "ui/entrada/TfrmEntrada.h"

#include "core/Mensagens.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace drav {

namespace {

constexpr int kLargura = 600;
constexpr int kAlturaInicial = 324;
constexpr int kAlturaComFrame = 430;

QLabel* Logo(QWidget* pai)
{
    auto* l = new QLabel(pai);
    l->setObjectName("imgLogo");
    l->setText("<div style='font-size:22pt;font-weight:bold;color:#0b5394'>DRAV</div>"
               "<div style='font-size:8pt;color:#555'>Eletrônica</div>");
    l->setAlignment(Qt::AlignCenter);
    l->setFixedWidth(96);
    l->setStyleSheet("QLabel { border: 1px solid #9fb7d0; background: #eef4fa; }");
    return l;
}

} // namespace

TfrmEntrada::TfrmEntrada(TMensagens& mensagens, ServicosEntrada servicos, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), mensagens_(mensagens),
      servicos_(std::move(servicos))
{
    setObjectName("frmEntrada");
    setWindowTitle(QString::fromUtf8(kTituloAplicacao));
    setFixedSize(kLargura, kAlturaInicial);

    auto* raiz = new QVBoxLayout(this);
    painelTexto_ = new QWidget(this);
    auto* topo = new QHBoxLayout(painelTexto_);
    topo->setContentsMargins(0, 0, 0, 0);
    topo->addWidget(Logo(painelTexto_));
    auto* textos = new QVBoxLayout;
    auto* t1 = new QLabel("Esta é a primeira vez que o sistema está sendo executado. Para continuar\n"
                          "é necessário que os dados do responsável sejam cadastrados.",
                          painelTexto_);
    auto* t2 = new QLabel("Você pode optar por importar os dados de uma folha de pagamento ou\n"
                          "cadastrá-los através de formulário, ou restaurar Backup da base.",
                          painelTexto_);
    textos->addWidget(t1);
    textos->addWidget(t2);
    topo->addLayout(textos, 1);
    raiz->addWidget(painelTexto_);

    grupo_ = new QGroupBox("Escolha uma das Opções", this);
    auto* opcoes = new QVBoxLayout(grupo_);
    rbImportar_ = new QRadioButton("Importar Folha de Pagamento", grupo_);
    rbCadastrar_ = new QRadioButton("Cadastrar Responsável", grupo_);
    rbRestaurar_ = new QRadioButton("Restaurar Backup", grupo_);
    rbRestaurarAntigo_ = new QRadioButton("Restaurar Backup versão 1.3.3", grupo_);
    rbImportar_->setObjectName("rbImportar");
    rbCadastrar_->setObjectName("rbCadastrar");
    rbRestaurar_->setObjectName("rbRestaurar");
    rbRestaurarAntigo_->setObjectName("rbRestaurarAntigo");
    rbRestaurarAntigo_->setEnabled(false);
    rbRestaurarAntigo_->setVisible(false);
    rbImportar_->setChecked(true);
    for (auto* rb : {rbImportar_, rbCadastrar_, rbRestaurar_, rbRestaurarAntigo_})
        opcoes->addWidget(rb);
    raiz->addWidget(grupo_);
    raiz->addStretch(1);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    btnVoltar_ = new QPushButton("&Voltar", this);
    btnAvancar_ = new QPushButton("&Avançar", this);
    btnCancelar_ = new QPushButton("&Cancelar", this);
    btnVoltar_->setObjectName("btnVoltar");
    btnAvancar_->setObjectName("btnAvancar");
    btnCancelar_->setObjectName("btnCancelar");
    btnVoltar_->setVisible(false);
    btnAvancar_->setDefault(true);
    botoes->addWidget(btnVoltar_);
    botoes->addWidget(btnAvancar_);
    botoes->addWidget(btnCancelar_);
    raiz->addLayout(botoes);

    connect(btnAvancar_, &QPushButton::clicked, this, &TfrmEntrada::btnAvancarClick);
    connect(btnVoltar_, &QPushButton::clicked, this, &TfrmEntrada::btnVoltarClick);
    connect(btnCancelar_, &QPushButton::clicked, this, &QDialog::reject);

    escolherArquivo = [](QWidget* pai) {
        QFileDialog dlg(pai, "Selecione o arquivo de folha de pagamento para importação");
        dlg.setNameFilter("Arquivo de importação de folha de pagamento (DRAV.re)");
        dlg.selectFile("DRAV.re");
        dlg.setFileMode(QFileDialog::ExistingFile);
        dlg.setOption(QFileDialog::DontUseNativeDialog);
        // The name filter ignores case, so drav.re shows too; the name check below decides.
        while (dlg.exec() == QDialog::Accepted) {
            const QString f = dlg.selectedFiles().value(0);
            if (ArquivoFolhaAceito(f))
                return f;
        }
        return QString();
    };
    btnAvancar_->setFocus();
    Centralizar();
}

bool TfrmEntrada::ArquivoFolhaAceito(const QString& caminho)
{
    const QFileInfo fi(caminho);
    return fi.fileName().toUpper() == "DRAV.RE" && fi.exists() && fi.isFile();
}

void TfrmEntrada::Centralizar()
{
    if (const QScreen* s = screen()) {
        const QRect r = s->geometry();
        move(r.center() - rect().center());
    }
}

void TfrmEntrada::HabilitarPaineis(bool habilitar)
{
    painelTexto_->setEnabled(habilitar);
    grupo_->setEnabled(habilitar);
}

void TfrmEntrada::Indisponivel()
{
    mensagens_.MensagemParametros("0000", mtInformation, Botoes::OK, {}, mbOK,
                                  "Esta função ainda não está disponível nesta versão do programa.");
}

void TfrmEntrada::btnAvancarClick()
{
    if (rbImportar_->isChecked())
        Importar();
    else if (rbCadastrar_->isChecked())
        Cadastrar();
    else if (rbRestaurar_->isChecked() || rbRestaurarAntigo_->isChecked())
        Restaurar();
}

void TfrmEntrada::Importar()
{
    if (!servicos_.importarFolha) {
        Indisponivel();
        return;
    }
    HabilitarPaineis(false);
    const QString arquivo = escolherArquivo ? escolherArquivo(this) : QString();
    bool sucesso = false;
    if (!arquivo.isEmpty())
        sucesso = servicos_.importarFolha(arquivo);
    HabilitarPaineis(true);
    if (sucesso)
        accept();
}

void TfrmEntrada::Cadastrar()
{
    if (!servicos_.criarFrameResponsavel) {
        Indisponivel();
        return;
    }
    if (!frameResponsavel_ || !frameResponsavel_->isVisible()) {
        if (!frameResponsavel_) {
            frameResponsavel_ = servicos_.criarFrameResponsavel(this);
            static_cast<QVBoxLayout*>(layout())->insertWidget(2, frameResponsavel_);
        }
        setFixedSize(kLargura, kAlturaComFrame);
        painelTexto_->setVisible(false);
        grupo_->setVisible(false);
        frameResponsavel_->setVisible(true);
        btnVoltar_->setVisible(true);
        Centralizar();
        return;
    }
    if (servicos_.validarResponsavel && !servicos_.validarResponsavel())
        return;
    if (mensagens_.Mensagem("000035", mtConfirmation, Botoes::SimNao, mbYes) != mrYes)
        return;
    servicos_.salvarResponsavel();
    accept();
}

void TfrmEntrada::btnVoltarClick()
{
    if (frameResponsavel_)
        frameResponsavel_->setVisible(false);
    painelTexto_->setVisible(true);
    grupo_->setVisible(true);
    btnVoltar_->setVisible(false);
    setFixedSize(kLargura, kAlturaInicial);
    Centralizar();
}

void TfrmEntrada::Restaurar()
{
    if (!servicos_.restaurarBackup) {
        Indisponivel();
        return;
    }
    // A failed restore is reported by the caller's handler (log and message), never swallowed.
    servicos_.restaurarBackup(rbRestaurarAntigo_->isChecked());
    if (servicos_.existeEmpresa && servicos_.existeEmpresa())
        accept();
}

} // namespace drav
