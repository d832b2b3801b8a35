#include "ui/indices/TfrmImportacaoIndice.h"

#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "files/ImportacaoIndices.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace drav {

TDialogoArquivoIndices::TDialogoArquivoIndices(QWidget* pai) : QFileDialog(pai)
{
    // The platform's own dialog would close before accept() could refuse the choice.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setWindowTitle(QString::fromUtf8("Importar arquivo de índice..."));
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
    setNameFilter(QString::fromUtf8("Arquivos de importação (*.zip *.ZIP)"));
    setDefaultSuffix(QStringLiteral("zip"));
    selectFile(QStringLiteral("IND_DRAV.zip"));
}

void TDialogoArquivoIndices::accept()
{
    const QStringList escolhidos = selectedFiles();
    if (escolhidos.size() == 1 && NomeArquivoIndicesAceito(escolhidos.front().toStdString()))
        QFileDialog::accept();
}

TfrmImportacaoIndice::TfrmImportacaoIndice(QWidget* pai) : QDialog(pai)
{
    setWindowTitle(QString::fromUtf8(kTituloAplicacao));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(QString::fromUtf8("Aguarde. Importando Índices do FGTS..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(Label1);
    setMinimumSize(320, 80);
}

void TfrmImportacaoIndice::Atualizar()
{
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

namespace {

struct CursorEspera {
    CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorEspera() { QApplication::restoreOverrideCursor(); }
};

} // namespace

bool ExecutarImportacaoIndices(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens, const QString& arquivo,
                               const std::function<void()>& recarregarArvore)
{
    TResultadoImportacaoIndices r;
    {
        CursorEspera cursor;
        TfrmImportacaoIndice espera(pai);
        espera.show();
        espera.Atualizar();
        TImportacaoIndices importacao(*ctx.sessao, PastaTrabalhoIndices(ctx.pasta));
        importacao.DataPagamento = &ctx.DataPagamentoRecolhimento;
        importacao.DataEdital = &ctx.DataEdital;
        importacao.Progresso = [&espera] { espera.Atualizar(); };
        r = importacao.Importar(arquivo.toStdString());
        espera.close();
        // The tree shows the payment date of the collection that was just withdrawn.
        if (r.Sucesso() && recarregarArvore)
            recarregarArvore();
    }
    mensagens.Mensagem(r.Sucesso() ? std::string("TI0074") : "TI" + r.ResultadoImportacao, mtInformation,
                       Botoes::OK);
    CarregarDataEdital(ctx);
    return r.Sucesso();
}

bool ImportarIndices(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens,
                     std::function<void()> recarregarArvore)
{
    QString arquivo;
    {
        TDialogoArquivoIndices dialogo(pai);
        if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
            return false;
        arquivo = dialogo.selectedFiles().front();
    }
    return ExecutarImportacaoIndices(pai, ctx, mensagens, arquivo, recarregarArvore);
}

} // namespace drav
