#include "core/Excecoes.h"
#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "core/TratadorErros.h"
#include "files/Arvore.h"
#include "store/CriacaoBanco.h"
#include "store/PastaDados.h"
#include "ui/base/ApresentadorQt.h"
#include "ui/cadastro/EntradaResponsavel.h"
#include "ui/entrada/TfrmEntrada.h"
#include "ui/backup/ExecucaoBackup.h"
#include "ui/cargasaldo/CargaSaldo.h"
#include "ui/consultasaldo/TfrmConsultaSaldoCarregadoIS.h"
#include "ui/enviados/TfrmArquivosEnviadosQueld.h"
#include "ui/indices/TfrmImportacaoIndice.h"
#include "ui/progresso/ImportacaoFolha.h"
#include "ui/solicitacao/TfrmSolicitacaoSaldo.h"
#include "ui/principal/TfrmPrincipal.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileDialog>
#include <QLocale>
#include <QSocketNotifier>
#include <QWindow>

#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <memory>

namespace {

drav::TTratadorExcecao* g_tratador = nullptr;

drav::ContextoErro ContextoAtual()
{
    drav::ContextoErro c;
    if (QWidget* w = QApplication::activeWindow())
        c.form = w->objectName().toStdString();
    if (QWidget* f = QApplication::focusWidget())
        c.controle = f->objectName().toStdString();
    return c;
}

// Exceptions that leave an event handler end here instead of crossing the event loop.
class AplicacaoDrav : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receptor, QEvent* evento) override
    {
        try {
            return QApplication::notify(receptor, evento);
        } catch (const std::exception& e) {
            if (g_tratador)
                g_tratador->TratarExcecao(e, ContextoAtual());
        } catch (...) {
            if (g_tratador)
                g_tratador->TratarDesconhecida(ContextoAtual());
        }
        return false;
    }
};

// SIGTERM and SIGINT end the program through the event loop, closing the windows and detaching
// from the database cleanly. The signals are blocked before any thread exists (the database engine
// starts several and handles signals of its own) and read from a descriptor the loop watches.
bool g_terminando = false;

int BloquearSinaisDeTermino()
{
    sigset_t sinais;
    sigemptyset(&sinais);
    sigaddset(&sinais, SIGTERM);
    sigaddset(&sinais, SIGINT);
    pthread_sigmask(SIG_BLOCK, &sinais, nullptr);
    return ::signalfd(-1, &sinais, SFD_NONBLOCK | SFD_CLOEXEC);
}

void TratarSinaisDeTermino(QApplication& app, int descritor)
{
    if (descritor < 0)
        return;
    auto* avisador = new QSocketNotifier(descritor, QSocketNotifier::Read, &app);
    QObject::connect(avisador, &QSocketNotifier::activated, &app, [descritor] {
        g_terminando = true;
        signalfd_siginfo info;
        [[maybe_unused]] const auto n = ::read(descritor, &info, sizeof info);
        QApplication::closeAllWindows();
        QApplication::exit(0);
    });
}

} // namespace

int main(int argc, char** argv)
{
    const int sinais = BloquearSinaisDeTermino();
    AplicacaoDrav app(argc, argv);
    // The toolkit adopts the environment's locale; numbers in files and SQL must never follow it.
    std::setlocale(LC_NUMERIC, "C");
    app.setApplicationName(QString::fromUtf8(drav::kTituloAplicacao));
    app.setApplicationDisplayName(QString::fromUtf8(drav::kTituloAplicacao));
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    TratarSinaisDeTermino(app, sinais);

    QCommandLineParser args;
    args.setApplicationDescription("DRAV Eletrônica");
    args.addHelpOption();
    args.addOption({"pasta", "Pasta de dados.", "DIR"});
    args.addOption({"banco", "Banco de dados (arquivo local ou servidor:/caminho).", "BANCO"});
    args.process(app);

    drav::ApresentadorQt apresentador;
    drav::ContextoAplicacao ctx;
    ctx.pasta = drav::ResolverPastaDados(args.value("pasta").toStdString());
    ctx.banco = args.value("banco").toStdString();
    drav::TTratadorExcecao tratador(ctx.pasta, apresentador);
    g_tratador = &tratador;

    // The very first start makes the default data folder; a folder that exists is never rebuilt.
    if (!std::filesystem::exists(ctx.pasta)) {
        try {
            drav::CriarPastaDados(ctx.pasta);
        } catch (const std::exception& e) {
            tratador.TratarExcecao(e);
            return 1;
        }
    }

    if (!drav::Conectar(ctx, apresentador, tratador, [](drav::TDBUtils& s) { drav::VerificarVersaoBanco(s); }))
        return 1;
    tratador.DefinirSessao(ctx.sessao.get());
    QObject::connect(&app, &QGuiApplication::focusWindowChanged, [&ctx](QWindow* w) {
        ctx.sessao->DefinirJanelaAtiva(w ? w->title().toStdString() : std::string());
    });
    drav::CriarPastasTroca(ctx.pasta);
    drav::TMensagens mensagens(ctx.sessao.get(), apresentador);

    try {
        if (!drav::ExisteEmpresa(*ctx.sessao)) {
            drav::ServicosEntrada servicos;
            servicos.existeEmpresa = [&ctx] { return drav::ExisteEmpresa(*ctx.sessao); };
            drav::LigarCadastroResponsavel(servicos, *ctx.sessao, mensagens);
            servicos.importarFolha = [&ctx, &mensagens](const QString& arquivo) {
                return drav::ExecutarImportacaoFolha(QApplication::activeWindow(), ctx, mensagens, arquivo);
            };
            servicos.restaurarBackup = [&ctx, &mensagens](bool formatoAntigo) {
                drav::RestaurarBackup(QApplication::activeWindow(), ctx, mensagens, formatoAntigo ? 1 : 0);
            };
            drav::TfrmEntrada entrada(mensagens, servicos);
            entrada.exec();
        }
        if (g_terminando || !drav::ExisteEmpresa(*ctx.sessao))
            return 0;
        // The one tree of the process, built before the window that shows it.
        drav::TArvore arvore(*ctx.sessao, ctx.DataPagamentoRecolhimento);
        drav::TfrmPrincipal principal(ctx, mensagens, arvore, &tratador);
        principal.DefinirComando("actImportarFolha", [&] {
            QFileDialog dlg(&principal, QString::fromUtf8("Selecione o arquivo de DRAV para importação"));
            dlg.setNameFilter(QString::fromUtf8("Arquivo de importação DRAV (DRAV.re)"));
            dlg.selectFile("DRAV.re");
            dlg.setFileMode(QFileDialog::ExistingFile);
            dlg.setOption(QFileDialog::DontUseNativeDialog);
            // Only a file named DRAV.RE (any case) that exists is taken.
            while (dlg.exec() == QDialog::Accepted) {
                const QString arquivo = dlg.selectedFiles().value(0);
                if (!drav::TfrmEntrada::ArquivoFolhaAceito(arquivo))
                    continue;
                // Whatever the outcome, the tree shows what the database holds now.
                drav::ExecutarImportacaoFolha(&principal, ctx, mensagens, arquivo);
                principal.RecarregarArvore(true);
                return;
            }
        });
        principal.DefinirComando("actGerarSolicitacao",
                                 [&] { drav::AbrirSolicitacaoSaldo(&principal, ctx, mensagens); });
        principal.DefinirComando("actCargaSaldo", [&] {
            drav::TServicosCargaSaldo servicos;
            servicos.RecarregarArvore = [&](bool comProgresso) { principal.RecarregarArvore(comProgresso); };
            servicos.ConsultarSaldos = [&] {
                drav::ConsultarSaldosCarregados(&principal, ctx, mensagens, [&] { principal.RecarregarArvore(false); });
            };
            drav::CarregarArquivoSaldo(&principal, ctx, mensagens, servicos);
        });
        principal.DefinirComando("actCargaIndices", [&] {
            drav::ImportarIndices(&principal, ctx, mensagens, [&] { principal.RecarregarArvore(false); });
        });
        principal.DefinirComando("actSaldoRescisorio", [&] {
            drav::ConsultarSaldosCarregados(&principal, ctx, mensagens, [&] { principal.RecarregarArvore(false); });
        });
        principal.DefinirComando("actArquivosGerados",
                                 [&] { drav::ConsultarArquivosEnviados(&principal, ctx, mensagens); });
        principal.DefinirComando("actBackup", [&] { drav::FazerBackup(&principal, ctx, mensagens); });
        for (const auto& [comando, modo] : {std::pair{"actRestaurar", 0}, std::pair{"actRestaurarAntigo", 1}})
            principal.DefinirComando(comando, [&, modo = modo] {
                drav::RestaurarBackup(&principal, ctx, mensagens, modo, [&] { principal.RecarregarArvore(false); });
            });
        principal.show();
        return app.exec();
    } catch (const std::exception& e) {
        tratador.TratarExcecao(e, ContextoAtual());
        return 1;
    }
}
