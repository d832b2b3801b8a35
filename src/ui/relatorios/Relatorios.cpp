#include "ui/relatorios/Relatorios.h"

#include "calc/Inconsistencia.h"
#include "core/Mensagens.h"
#include "reports/Pintura.h"
#include "reports/RelCadastro.h"
#include "reports/RelInconsistencia.h"
#include "reports/RelTrabalhadores.h"
#include "ui/relatorios/TfrmSelecaoEmpresa.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>

namespace drav {

namespace {

// Wait cursor for the time the query runs, restored however the preparation ends.
class CursorEspera {
public:
    CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorEspera() { QApplication::restoreOverrideCursor(); }
    CursorEspera(const CursorEspera&) = delete;
    CursorEspera& operator=(const CursorEspera&) = delete;
};

template <class Listagem, class Preparo>
bool Mostrar(QWidget* pai, TMensagens& mensagens, Listagem& listagem, Preparo preparar)
{
    bool tem = false;
    {
        CursorEspera espera;
        tem = preparar(listagem);
    }
    if (!tem) {
        mensagens.Mensagem("RE0086", mtInformation, Botoes::OK, mbOK);
        return false;
    }
    VisualizarRelatorio(pai, listagem.Documento());
    return true;
}

} // namespace

void VisualizarRelatorio(QWidget* pai, const DocumentoRelatorio& documento)
{
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setPageLayout(LayoutPagina(documento.papel));
    impressora.setDocName(QString::fromStdString(documento.titulo));
    QPrintPreviewDialog dialogo(&impressora, pai);
    dialogo.setWindowTitle(QStringLiteral("Visualizador de relatórios"));
    QObject::connect(&dialogo, &QPrintPreviewDialog::paintRequested, &dialogo,
                     [&documento](QPrinter* p) { PintarRelatorio(documento, *p); });
    if (auto* previa = dialogo.findChild<QPrintPreviewWidget*>())
        previa->setZoomMode(QPrintPreviewWidget::FitInView);
    // Maximized where a window manager honours it; the size is also set for one that does not.
    if (const QScreen* tela = pai ? pai->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = tela->availableGeometry();
        dialogo.resize(area.width() * 9 / 10, area.height() * 9 / 10);
    }
    dialogo.setWindowState(dialogo.windowState() | Qt::WindowMaximized);
    dialogo.exec();
}

bool VisualizarInconsistencias(QWidget* pai, TDBUtils& sessao, TMensagens& mensagens, int numeroArquivo,
                               TDateTime dataEdital)
{
    if (numeroArquivo == InconsistenciaFechamento) {
        TRelInconsistenciaFechamento r(sessao, dataEdital);
        return Mostrar(pai, mensagens, r, [](auto& l) { return l.Preparar(); });
    }
    TRelInconsistencia r(sessao, dataEdital);
    return Mostrar(pai, mensagens, r, [numeroArquivo](auto& l) { return l.Preparar(numeroArquivo); });
}

bool VisualizarEmpresas(QWidget* pai, TDBUtils& sessao, TMensagens& mensagens)
{
    TRelEmpresas r(sessao);
    return Mostrar(pai, mensagens, r, [](auto& l) { return l.Preparar(); });
}

bool VisualizarAlteracaoCadastral(QWidget* pai, TDBUtils& sessao, TMensagens& mensagens)
{
    TRelAlteracaoCadastral r(sessao);
    return Mostrar(pai, mensagens, r, [](auto& l) { return l.Preparar(); });
}

bool VisualizarTrabalhadores(QWidget* pai, TDBUtils& sessao, TMensagens& mensagens)
{
    TfrmSelecaoEmpresa selecao(sessao, mensagens, pai);
    bool tem = false;
    {
        CursorEspera espera;
        tem = selecao.Carregar();
    }
    if (!tem) {
        mensagens.Mensagem("RE0086", mtInformation, Botoes::OK, mbOK);
        return false;
    }
    selecao.exec();
    return true;
}

bool VisualizarListagemTrabalhadores(QWidget* pai, TDBUtils& sessao, TMensagens& mensagens, const std::string& ordem,
                                     bool todas, const std::vector<int64_t>& inscricoes)
{
    TRelTrabalhadores r(sessao, inscricoes, todas);
    return Mostrar(pai, mensagens, r, [&ordem](auto& l) { return l.Preparar(ordem); });
}

} // namespace drav
