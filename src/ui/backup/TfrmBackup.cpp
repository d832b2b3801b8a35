#include "ui/backup/TfrmBackup.h"

#include "core/Datas.h"
#include "core/Formatacao.h"
#include "core/IbxUtils.h"
#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "core/Utilitarios.h"
#include "files/Backup.h"

#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>
#include <system_error>

namespace drav {

namespace fs = std::filesystem;

namespace {

QString SalvarComDialogo(QWidget* pai, const QString& pasta, const QString& nome)
{
    QFileDialog dlg(pai, QStringLiteral("Salvar Backup da Base de Dados"), pasta,
                    QStringLiteral("Arquivos Zip (*.zip)"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(QStringLiteral("zip"));
    dlg.selectFile(nome);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().first();
}

bool CriarPastaSeFaltar(const fs::path& p)
{
    std::error_code ec;
    if (fs::is_directory(p, ec))
        return true;
    fs::create_directories(p, ec);
    return fs::is_directory(p, ec);
}

} // namespace

TfrmBackup::TfrmBackup(ContextoAplicacao& ctx, TMensagens& mensagens, QWidget* pai)
    : QDialog(pai), ctx_(ctx), mensagens_(mensagens)
{
    setWindowTitle(QStringLiteral("Backup do Sistema"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8("O Backup permite a geração de uma cópia de segurança\n"
                                                   "dos dados cadastrais do sistema."),
                                 this));
    layout->addWidget(new QLabel(QString::fromUtf8("Serão armazenados os dados do responsável, empresas \n"
                                                   "e empregados."),
                                 this));
    lblMensagem_ = new QLabel(this);
    lblMensagem_->setObjectName(QStringLiteral("lblMensagem"));
    layout->addWidget(lblMensagem_);
    auto* botoes = new QHBoxLayout();
    botoes->addStretch();
    btnAvancar_ = new QPushButton(QString::fromUtf8("&Avançar"), this);
    btnCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    btnAvancar_->setDefault(true);
    botoes->addWidget(btnAvancar_);
    botoes->addWidget(btnCancelar_);
    layout->addLayout(botoes);
    connect(btnAvancar_, &QPushButton::clicked, this, &TfrmBackup::btnAvancarClick);
    connect(btnCancelar_, &QPushButton::clicked, this, &QDialog::reject);
    EscolherArquivo = [this](const QString& pasta, const QString& nome) { return SalvarComDialogo(this, pasta, nome); };
}

void TfrmBackup::Mostrar(const char* texto)
{
    lblMensagem_->setText(QString::fromUtf8(texto));
    QApplication::processEvents();
}

void TfrmBackup::Habilitar(bool sim)
{
    btnAvancar_->setEnabled(sim);
    btnCancelar_->setEnabled(sim);
}

void TfrmBackup::btnAvancarClick()
{
    const fs::path pasta = ctx_.pasta;
    const fs::path pastaBackup = pasta / "Backup";
    if (!CriarPastaSeFaltar(pastaBackup)) {
        mensagens_.Mensagem("990137", mtInformation, Botoes::OK);
        return;
    }
    const std::string nome =
        "DRAV_db_" + FormatarDataHora("yyyymmddhhnn", DataServidor(*ctx_.sessao, true)) + ".zip";
    const QString escolhido =
        EscolherArquivo(QString::fromStdString(pastaBackup.string()), QString::fromStdString(nome));
    if (escolhido.isEmpty())
        return;
    fs::path arquivo = escolhido.toStdString();
    if (arquivo.extension().empty())
        arquivo += ".zip";
    const fs::path temp = pasta / "TEMP";
    if (!CriarPastaSeFaltar(temp)) {
        mensagens_.Mensagem("990227", mtInformation, Botoes::OK);
        return;
    }

    TBackup backup(*ctx_.sessao);
    Mostrar("Aguarde geração do Backup!");
    Habilitar(false);
    bool gerado = false;
    try {
        backup.ApagarArquivosBackup(temp);
        if (ctx_.sessao->Conectado()) {
            backup.ExportarTabelas(temp);
            Mostrar("Aguarde compactação do Backup!");
            std::string erro;
            gerado = CompactarBackup(temp, arquivo, erro) > 0;
        }
    } catch (const std::exception&) {
        gerado = false;
    }
    lblMensagem_->clear();
    Habilitar(true);
    backup.ApagarArquivosBackup(temp);
    if (!ctx_.sessao->Conectado())
        return;
    if (!gerado) {
        mensagens_.Mensagem("990107", mtInformation, Botoes::OK);
        return;
    }
    mensagens_.Mensagem("990252", mtInformation, Botoes::OK);
    accept();
}

} // namespace drav
