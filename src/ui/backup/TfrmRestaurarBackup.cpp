#include "ui/backup/TfrmRestaurarBackup.h"

#include "calc/Inconsistencia.h"
#include "core/IbxUtils.h"
#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "files/Backup.h"
#include "ui/relatorios/Relatorios.h"

#include <QFileDialog>
#include <QLabel>
#include <QPushButton>

#include <filesystem>
#include <system_error>

namespace drav {

namespace fs = std::filesystem;

namespace {

QString AbrirComDialogo(QWidget* pai, const QString& pasta)
{
    QFileDialog dlg(pai, QStringLiteral("Escolha o Arquivo de Backup"), pasta, QStringLiteral("Arquivos Zip (*.zip)"));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setDefaultSuffix(QStringLiteral("zip"));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().first();
}

} // namespace

TfrmRestaurarBackup::TfrmRestaurarBackup(ContextoAplicacao& ctx, TMensagens& mensagens, int modo, QWidget* pai)
    : TfrmBaseBackup(ctx, mensagens, QStringLiteral("Restaurar Backup"),
                     "Ao restaurar o backup do sistema, todos os dados\n"
                     "existentes serão substituídos.",
                     "Clique em Avançar e selecione o local onde se encontra \n"
                     "o arquivo do backup.",
                     pai),
      modo_(modo)
{
    EscolherArquivo = [this](const QString& pasta) { return AbrirComDialogo(this, pasta); };
}

void TfrmRestaurarBackup::btnAvancarClick()
{
    struct Limpeza {
        TfrmRestaurarBackup& f;
        ~Limpeza()
        {
            f.lblMensagem_->clear();
            f.Habilitar(true);
            f.btnCancelar_->setFocus();
        }
    } limpeza{*this};

    const fs::path pasta = ctx_.pasta;
    const fs::path pastaBackup = PastaBackup();
    if (pastaBackup.empty())
        return;
    const QString escolhido = EscolherArquivo(QString::fromStdString(pastaBackup.string()));
    if (escolhido.isEmpty())
        return;
    const fs::path arquivo = escolhido.toStdString();
    Mostrar("Aguarde validação do Backup!");
    Habilitar(false);
    std::error_code ec;
    if (!fs::is_regular_file(arquivo, ec)) {
        mensagens_.Mensagem("990251", mtInformation, Botoes::OK);
        return;
    }

    const auto perguntar = [this] {
        return mensagens_.Mensagem("990477", mtConfirmation, Botoes::SimNao, mbYes) == mrYes;
    };
    const auto r = RestaurarArquivoBackup(*ctx_.sessao, arquivo, pasta / "TEMP", modo_, perguntar,
                                          [this] { Mostrar("Aguarde restauração do Backup!"); });
    if (!r.Restaurado) {
        if (r.VersaoPosterior)
            mensagens_.MensagemParametros("990104", mtWarning, Botoes::OK, {}, mbOK, r.Motivo);
        else
            mensagens_.Mensagem("99" + r.CodigoMensagem, mtInformation, Botoes::OK);
        return;
    }

    restaurado_ = true;
    Mostrar("Preparando visualização da tela!");
    if (RecarregarTela)
        RecarregarTela();
    else
        CarregarDataPagamento(ctx_);
    CarregarDataEdital(ctx_);
    if (r.InconsistenciasGravadas) {
        if (mensagens_.Mensagem("990478", mtConfirmation, Botoes::SimNao, mbYes) == mrYes)
            VisualizarInconsistencias(this, *ctx_.sessao, mensagens_, InconsistenciaFechamento, ctx_.DataEdital);
    } else {
        mensagens_.Mensagem("990255", mtInformation, Botoes::OK);
    }
    accept();
}

} // namespace drav
