#include "ui/solicitacao/SolicitarSaldos.h"

#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "files/Selo.h"
#include "files/SolicitacaoSaldo.h"

#include <QApplication>
#include <QFileDialog>

namespace drav {

namespace {

// Filter "Description|*.EXT" as the save dialog wants it: "Description (*.EXT)".
QString FiltroDialogo(const std::string& filtro)
{
    const auto barra = filtro.find('|');
    if (barra == std::string::npos)
        return QString::fromStdString(filtro);
    return QString::fromStdString(filtro.substr(0, barra) + " (" + filtro.substr(barra + 1) + ")");
}

} // namespace

bool SolicitarSaldos(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens, const TArrRegRegistro& registros)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Cursor {
        ~Cursor() { QApplication::restoreOverrideCursor(); }
    } cursor;
    TSolicitacaoSaldoRecisorio solicitacao(*ctx.sessao);
    solicitacao.PastaDados = ctx.pasta;
    bool escolhido = false;
    solicitacao.EscolherArquivo = [pai, &escolhido](const std::string& filtro, const std::string& pasta,
                                                    const std::string& nome) {
        // The dialog is the user's turn: no wait cursor over it.
        QApplication::restoreOverrideCursor();
        QFileDialog dlg(pai, QString::fromUtf8("Salvar Arquivo de Solicitação de Saldo Rescisório"),
                        QString::fromStdString(pasta), FiltroDialogo(filtro));
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setOption(QFileDialog::DontUseNativeDialog);
        dlg.selectFile(QString::fromStdString(nome));
        const bool escolheu = dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        escolhido = escolheu;
        return escolheu ? dlg.selectedFiles().first().toStdString() : std::string();
    };
    if (solicitacao.GerarSolicitacao(registros))
        return true;
    // A cancelled dialog is the user's choice; any other failure says why.
    std::string texto = DescricaoErroSelo(solicitacao.CodigoMensagem);
    if (texto.empty() && escolhido)
        texto = "A solicitação de saldo rescisório não foi registrada; nenhum arquivo foi gravado.";
    if (!texto.empty()) {
        QApplication::restoreOverrideCursor();
        DialogoMensagem d;
        d.tipo = mtError;
        d.titulo = TituloTipo(mtError);
        d.texto = texto;
        mensagens.Apresentador().Mostrar(d);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    return false;
}

} // namespace drav
