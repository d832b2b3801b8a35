#include "ui/backup/TfrmBackup.h"

#include "core/Datas.h"
#include "core/Formatacao.h"
#include "core/IbxUtils.h"
#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "core/Utilitarios.h"
#include "files/Backup.h"

#include <QFileDialog>
#include <QLabel>

#include <filesystem>

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

} // namespace

TfrmBackup::TfrmBackup(ContextoAplicacao& ctx, TMensagens& mensagens, QWidget* pai)
    : TfrmBaseBackup(ctx, mensagens, QStringLiteral("Backup do Sistema"),
                     "O Backup permite a geração de uma cópia de segurança\n"
                     "dos dados cadastrais do sistema.",
                     "Serão armazenados os dados do responsável, empresas \n"
                     "e empregados.",
                     pai)
{
    EscolherArquivo = [this](const QString& pasta, const QString& nome) { return SalvarComDialogo(this, pasta, nome); };
}

void TfrmBackup::btnAvancarClick()
{
    const fs::path pasta = ctx_.pasta;
    const fs::path pastaBackup = PastaBackup();
    if (pastaBackup.empty())
        return;
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
