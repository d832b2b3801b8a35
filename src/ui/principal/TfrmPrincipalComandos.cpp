// The main window's commands: actions, menus, toolbar, context menus and what each command does.
#include "ui/principal/TfrmPrincipal.h"

#include "calc/Inconsistencia.h"
#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/IbxUtils.h"
#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "core/Utilitarios.h"
#include "files/Arvore.h"
#include "files/Participacao.h"
#include "model/Empregado.h"
#include "model/Vinculo.h"
#include "ui/cadastro/FrameEmpregado.h"
#include "ui/cadastro/TfrmEmpresas.h"
#include "ui/cadastro/TfrmResponsavel.h"
#include "ui/principal/ModeloArvore.h"
#include "ui/principal/TfrmAbreMovimento.h"
#include "ui/principal/TfrmLocalizar.h"
#include "ui/principal/TfrmSobre.h"
#include "ui/relatorios/Relatorios.h"

#include <QAction>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

#include <filesystem>

namespace drav {

namespace {

const char* const kFutura = "dravFutura";
const char* const kSiteQueld = "https://www.caixa.gov.br/beneficios-trabalhador/fgts";

// While a command's modal window is up, the navigation is locked; the tree gets the focus back.
struct TravaModal {
    std::function<void(bool)> travar;
    explicit TravaModal(std::function<void(bool)> t) : travar(std::move(t)) { travar(true); }
    ~TravaModal() { travar(false); }
};

} // namespace

QAction* TfrmPrincipal::NovaAcao(const QString& nome, const QString& texto, std::function<void()> comando)
{
    auto* a = new QAction(texto, this);
    a->setObjectName(nome);
    a->setProperty(kFutura, false);
    if (comando)
        connect(a, &QAction::triggered, this, [comando] { comando(); });
    addAction(a); // shortcuts work wherever the focus is in the window
    acoes_[nome] = a;
    return a;
}

QAction* TfrmPrincipal::AcaoFutura(const QString& nome, const QString& texto)
{
    QAction* a = NovaAcao(nome, texto);
    a->setProperty(kFutura, true);
    a->setEnabled(false);
    a->setToolTip(TextoVersaoFutura());
    a->setStatusTip(TextoVersaoFutura());
    return a;
}

QAction* TfrmPrincipal::Acao(const QString& nome) const
{
    const auto it = acoes_.find(nome);
    return it == acoes_.end() ? nullptr : it->second;
}

void TfrmPrincipal::DefinirComando(const QString& nome, std::function<void()> comando)
{
    QAction* a = Acao(nome);
    if (!a)
        throw ENegocio("Comando inexistente na janela principal: " + nome.toStdString());
    a->setProperty(kFutura, false);
    a->setToolTip(QString());
    a->setStatusTip(QString());
    comandosInstalados_[nome] = std::move(comando);
    connect(a, &QAction::triggered, this, [this, nome] {
        TravaModal trava([this](bool t) { TravarNavegacao(t); });
        comandosInstalados_[nome]();
    });
    AtualizarComandos();
}

void TfrmPrincipal::CriarAcoes()
{
    const auto u = [](const char* t) { return QString::fromUtf8(t); };
    NovaAcao("actNovoEmpresa", "&Empresa", [this] { NovaEmpresa(); });
    NovaAcao("actNovoTrabalhador", "&Trabalhador", [this] { NovoTrabalhador(); });
    NovaAcao("actAlterar", "Al&terar", [this] { Alterar(); })->setShortcut(Qt::Key_F8);
    NovaAcao("actExcluir", "Excl&uir", [this] { Excluir(); })->setShortcut(Qt::Key_F9);
    AcaoFutura("actImportarFolha", "&Importar Folha");
    NovaAcao("actSair", "&Sair", [this] { Sair(); });

    NovaAcao("actMarcar", u("Marcar Participação"), [this] { Marcar(); });
    NovaAcao("actDesmarcar", u("Desmarcar Participação"), [this] { Desmarcar(); });
    NovaAcao("actRetirarFechamento", "&Retirar Fechamento", [this] { RetirarFechamento(); });
    NovaAcao("actLocalizar", "&Localizar", [this] { Localizar(); });

    AcaoFutura("actArquivosGerados", u("Arquivos &Gerados para Envio à QUELD"));
    AcaoFutura("actSaldoRescisorio", u("&Saldo Rescisório"));
    AcaoFutura("actReenvioRejeitado", "Arquivo &Reenvio Rejeitado")->setVisible(false);

    NovaAcao("actRelEmpresa", "&Empresa", [this] { VisualizarEmpresas(this, *ctx_.sessao, mensagens_); });
    NovaAcao("actRelTrabalhador", "&Trabalhador",
             [this] { VisualizarTrabalhadores(this, *ctx_.sessao, mensagens_); });
    NovaAcao("actRelAlteracao", u("&Alteração Cadastral"),
             [this] { VisualizarAlteracaoCadastral(this, *ctx_.sessao, mensagens_); });
    NovaAcao("actIncFolha", "&Folha de Pagamento", [this] { MostrarInconsistencias(InconsistenciaFolha); });
    NovaAcao("actIncFechamento", "Fe&chamento", [this] { MostrarInconsistenciasFechamento(); });
    NovaAcao("actIncSaldo", u("&Arquivo de Saldo &Rescisório"),
             [this] { MostrarInconsistencias(InconsistenciaSaldo); });
    NovaAcao("actIncGuias", "Arquivo Guias &Processadas na QUELD",
             [this] { MostrarInconsistencias(InconsistenciaGuiasProcessadas); });
    AcaoFutura("actOcorrenciaSaldo", u("&Ocorrência Arquivo Saldo Rescisório"));
    AcaoFutura("actOcorrenciaChave", u("Oco&rrência Chave Identificação"));
    AcaoFutura("actGuiasPorGuias", "Por &Guias");
    AcaoFutura("actGuiasPorProtocolo", "Por &Protocolo");

    AcaoFutura("actCargaGuias", "Guias &Processadas na QUELD");
    AcaoFutura("actCargaSaldo", u("&Valor para Fins Rescisórios"));
    AcaoFutura("actCargaOcorrencia", u("Ocorrência Chave Identificação"));
    AcaoFutura("actCargaIndices", u("&Índices do FGTS"));
    AcaoFutura("actGerarSolicitacao", u("Solicitação de Saldo &Rescisório"));
    AcaoFutura("actGerarReenvio", u("Solicitação de Reenvio de Guias &Processadas na QUELD"));
    AcaoFutura("actBackup", "&Fazer Backup");
    AcaoFutura("actRestaurar", "&Restaurar Backup");
    AcaoFutura("actRestaurarAntigo", u("Restaurar Backup versão 1.3.3"))->setVisible(false);

    NovaAcao("actAjuda", "&Ajuda", [this] { Ajuda(); })->setShortcut(Qt::Key_F1);
    NovaAcao("actSiteQueld", "Site da &QUELD", [this] { SiteQueld(); });
    NovaAcao("actSobre", "&Sobre ...", [this] { Sobre(); });

    // The context menu's own items: their rules differ from the "Editar" menu's.
    NovaAcao("ctxMarcar", u("Marcar Participação"), [this] { Marcar(); });
    NovaAcao("ctxDesmarcar", u("Desmarcar Participação"), [this] { Desmarcar(); });
    NovaAcao("ctxRetirar", "Retirar Fechamento", [this] { RetirarFechamento(); });
    AcaoFutura("ctxSimulacao", u("Simulação"));
    NovaAcao("ctxLocalizar", "Localizar", [this] { Localizar(); });
    AcaoFutura("ctxImprimirGuia", "Imprimir Guia Processada");
    AcaoFutura("actGuiasRecolhimento", "Arquivo Guias para R&ecolhimento");

    QStyle* st = style();
    Acao("actNovoEmpresa")->setIcon(IconeArvore(imgEmpresa));
    Acao("actNovoTrabalhador")->setIcon(IconeArvore(imgVinculo));
    Acao("actAlterar")->setIcon(st->standardIcon(QStyle::SP_FileDialogDetailedView));
    Acao("actExcluir")->setIcon(st->standardIcon(QStyle::SP_TrashIcon));
    Acao("actImportarFolha")->setIcon(st->standardIcon(QStyle::SP_DialogOpenButton));
    Acao("actLocalizar")->setIcon(QIcon::fromTheme("edit-find", st->standardIcon(QStyle::SP_FileDialogContentsView)));
    Acao("actAjuda")->setIcon(st->standardIcon(QStyle::SP_DialogHelpButton));
    Acao("actSair")->setIcon(st->standardIcon(QStyle::SP_DialogCloseButton));
    Acao("ctxMarcar")->setIcon(IconeArvore(imgVinculoMarcado));
    Acao("actMarcar")->setIcon(IconeArvore(imgVinculoMarcado));
    Acao("ctxRetirar")->setIcon(IconeArvore(imgVinculoFechado));
    Acao("actRetirarFechamento")->setIcon(IconeArvore(imgVinculoFechado));
}

void TfrmPrincipal::CriarMenus()
{
    const auto u = [](const char* t) { return QString::fromUtf8(t); };
    auto menu = [this](const QString& titulo, const char* nome) {
        QMenu* m = menuBar()->addMenu(titulo);
        m->setObjectName(nome);
        m->setToolTipsVisible(true);
        menusTopo_.push_back(m);
        return m;
    };
    QMenu* arquivo = menu("&Arquivo", "mnuArquivo");
    QMenu* novo = arquivo->addMenu("&Novo");
    novo->setObjectName("mnuNovo");
    novo->addAction(Acao("actNovoEmpresa"));
    novo->addAction(Acao("actNovoTrabalhador"));
    arquivo->addAction(Acao("actAlterar"));
    arquivo->addAction(Acao("actExcluir"));
    arquivo->addSeparator();
    arquivo->addAction(Acao("actImportarFolha"));
    arquivo->addSeparator();
    arquivo->addAction(Acao("actSair"));

    QMenu* editar = menu("&Editar", "mnuEditar");
    editar->addAction(Acao("actMarcar"));
    editar->addAction(Acao("actDesmarcar"));
    editar->addAction(Acao("actRetirarFechamento"));
    editar->addSeparator();
    editar->addAction(Acao("actLocalizar"));

    QMenu* exibir = menu("E&xibir", "mnuExibir");
    exibir->addAction(Acao("actArquivosGerados"));
    exibir->addAction(Acao("actSaldoRescisorio"));
    exibir->addAction(Acao("actReenvioRejeitado"));

    auto relatorios = [this, u](QMenu* m, bool comGuiasRecolhimento) {
        m->setToolTipsVisible(true);
        QMenu* cad = m->addMenu("&Cadastro");
        cad->setToolTipsVisible(true);
        cad->addAction(Acao("actRelEmpresa"));
        cad->addAction(Acao("actRelTrabalhador"));
        cad->addAction(Acao("actRelAlteracao"));
        QMenu* inc = m->addMenu(u("&Inconsistência"));
        inc->setToolTipsVisible(true);
        inc->addAction(Acao("actIncFolha"));
        inc->addAction(Acao("actIncFechamento"));
        inc->addAction(Acao("actIncSaldo"));
        inc->addAction(Acao("actIncGuias"));
        m->addAction(Acao("actOcorrenciaSaldo"));
        m->addAction(Acao("actOcorrenciaChave"));
        QMenu* guias = m->addMenu("&Guias");
        guias->setToolTipsVisible(true);
        guias->addAction(Acao("actGuiasPorGuias"));
        guias->addAction(Acao("actGuiasPorProtocolo"));
        if (comGuiasRecolhimento)
            m->addAction(Acao("actGuiasRecolhimento"));
    };
    relatorios(menu(u("&Relatórios"), "mnuRelatorios"), false);

    QMenu* ferramentas = menu("&Ferramentas", "mnuFerramentas");
    QMenu* carga = ferramentas->addMenu("&Carga");
    carga->setToolTipsVisible(true);
    carga->addAction(Acao("actCargaGuias"));
    carga->addAction(Acao("actCargaSaldo"));
    carga->addAction(Acao("actCargaOcorrencia"));
    carga->addAction(Acao("actCargaIndices"));
    QMenu* gerar = ferramentas->addMenu("&Gerar");
    gerar->setToolTipsVisible(true);
    gerar->addAction(Acao("actGerarSolicitacao"));
    gerar->addAction(Acao("actGerarReenvio"));
    ferramentas->addSeparator();
    ferramentas->addAction(Acao("actBackup"));
    ferramentas->addAction(Acao("actRestaurar"));
    ferramentas->addAction(Acao("actRestaurarAntigo"));

    QMenu* ajuda = menu("A&juda", "mnuAjuda");
    ajuda->addAction(Acao("actAjuda"));
    ajuda->addAction(Acao("actSiteQueld"));
    ajuda->addSeparator();
    ajuda->addAction(Acao("actSobre"));

    // The toolbar's report button drops down the same items.
    auto* menuRelatorios = new QMenu(this);
    menuRelatorios->setObjectName("mnuBarraRelatorios");
    relatorios(menuRelatorios, true);
    auto* relatorioBarra = NovaAcao("actBarraRelatorios", u("Relatórios"));
    relatorioBarra->setMenu(menuRelatorios);
    relatorioBarra->setIcon(style()->standardIcon(QStyle::SP_FileDialogListView));
}

void TfrmPrincipal::CriarBarra()
{
    barra_ = addToolBar("Principal");
    barra_->setObjectName("tlbPrincipal");
    barra_->setMovable(false);
    barra_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    barra_->setIconSize(QSize(24, 24));

    auto* menuNovo = new QMenu(this);
    menuNovo->addAction(Acao("actNovoEmpresa"));
    menuNovo->addAction(Acao("actNovoTrabalhador"));
    btnNovo_ = new QToolButton(barra_);
    btnNovo_->setObjectName("btnNovo");
    btnNovo_->setText("Novo");
    btnNovo_->setToolTip("Novo");
    btnNovo_->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    btnNovo_->setMenu(menuNovo);
    btnNovo_->setPopupMode(QToolButton::InstantPopup);
    btnNovo_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    barra_->addWidget(btnNovo_);

    auto botao = [this](const char* acao, const QString& texto) {
        QAction* a = Acao(acao);
        barra_->addAction(a);
        if (auto* b = qobject_cast<QToolButton*>(barra_->widgetForAction(a))) {
            b->setText(texto);
            b->setObjectName(QString("tb") + acao);
            if (a->menu())
                b->setPopupMode(QToolButton::InstantPopup);
        }
    };
    botao("actAlterar", "Alterar");
    botao("actExcluir", "Excluir");
    barra_->addSeparator();
    botao("actImportarFolha", "Importar Folha");
    botao("actBarraRelatorios", QString::fromUtf8("Relatórios"));
    barra_->addSeparator();
    botao("actLocalizar", "Localizar");
    barra_->addSeparator();
    botao("actAjuda", "Ajuda");
    barra_->addSeparator();
    botao("actSair", "Sair");
}

void TfrmPrincipal::AtualizarComandos()
{
    habilitacao_ = RegrasComandos(Selecao());
    const THabilitacao& h = habilitacao_;
    const bool livre = !travado_;
    // Commands without a rule of the selection: installed ones are enabled unless a record is
    // being typed.
    for (const auto& [nome, a] : acoes_)
        a->setEnabled(livre && !a->property(kFutura).toBool());
    auto usar = [&](const char* nome, bool permitido) {
        QAction* a = Acao(nome);
        a->setEnabled(livre && permitido && !a->property(kFutura).toBool());
    };
    usar("actNovoEmpresa", h.NovoEmpresa);
    usar("actNovoTrabalhador", h.NovoTrabalhador);
    usar("actAlterar", h.Alterar);
    usar("actExcluir", h.Excluir);
    btnNovo_->setEnabled(h.Novo);
    if (QMenu* novo = menuBar()->findChild<QMenu*>("mnuNovo"))
        novo->setEnabled(h.Novo);
    for (const char* nome : {"actMarcar", "actDesmarcar", "actRetirarFechamento"})
        Acao(nome)->setVisible(h.ParticipacaoVisivel);
    usar("actMarcar", h.Marcar);
    usar("actDesmarcar", h.Desmarcar);
    usar("actRetirarFechamento", h.RetirarFechamento);
    usar("actLocalizar", h.Localizar);
    usar("ctxMarcar", h.CtxMarcar);
    usar("ctxDesmarcar", h.CtxDesmarcar);
    usar("ctxRetirar", h.CtxRetirar);
    usar("ctxSimulacao", h.CtxSimulacao);
    usar("ctxLocalizar", h.CtxLocalizar);
    usar("ctxImprimirGuia", h.CtxImprimirGuia);
    Acao("actReenvioRejeitado")->setEnabled(false);
    Acao("actRestaurarAntigo")->setEnabled(false);

    // The entity frames' own buttons follow the same rules while they are only browsing.
    const bool cadastro = abas_->currentIndex() == 0;
    if (!frmEmpresas_->Editando()) {
        frmEmpresas_->btnAlterar()->setEnabled(cadastro && h.FrameAlterar);
        frmEmpresas_->btnExcluir()->setEnabled(cadastro && h.Excluir);
    }
    if (!frmResponsavel_->Editando()) {
        frmResponsavel_->btnAlterar()->setEnabled(cadastro && h.FrameAlterar);
        frmResponsavel_->btnExcluir()->setEnabled(false);
    }
    if (!frmFuncionarios_->Editando()) {
        const bool carregado = frmFuncionarios_->Trabalhador().Vinculo().Pis != 0;
        frmFuncionarios_->btnAlterar()->setEnabled(cadastro && carregado && h.FrameAlterar);
        frmFuncionarios_->btnExcluir()->setEnabled(cadastro && carregado && h.Excluir);
    }
    // The balance occurrence listing comes with the balance file's listings.
    frmFuncionarios_->btnOcorrenciaSaldo()->setEnabled(false);
    frmFuncionarios_->btnOcorrenciaSaldo()->setToolTip(TextoVersaoFutura());
}

QMenu* TfrmPrincipal::MontarMenuContexto()
{
    AtualizarComandos();
    delete menuContexto_;
    menuContexto_ = new QMenu(this);
    menuContexto_->setObjectName("mnuContexto");
    menuContexto_->setToolTipsVisible(true);
    QMenu* m = menuContexto_;
    switch (habilitacao_.Menu) {
    case MenuContexto::CadastroRaiz:
    case MenuContexto::CadastroEmpresa: {
        QMenu* novo = m->addMenu("Novo");
        novo->addAction(Acao(habilitacao_.Menu == MenuContexto::CadastroRaiz ? "actNovoEmpresa" : "actNovoTrabalhador"));
        m->addAction(Acao("actAlterar"));
        m->addAction(Acao("actExcluir"));
        m->addAction(Acao("actLocalizar"));
        break;
    }
    case MenuContexto::CadastroVinculo:
        m->addAction("Novo")->setEnabled(false);
        m->addAction(Acao("actAlterar"));
        m->addAction(Acao("actExcluir"));
        m->addAction(Acao("ctxImprimirGuia"));
        m->addAction(Acao("actLocalizar"));
        break;
    case MenuContexto::Participacao:
        m->addAction(Acao("ctxMarcar"));
        m->addAction(Acao("ctxDesmarcar"));
        m->addAction(Acao("ctxRetirar"));
        m->addAction(Acao("ctxSimulacao"));
        m->addAction(Acao("ctxLocalizar"));
        break;
    case MenuContexto::Remocao:
        m->addAction(Acao("ctxDesmarcar"));
        m->addAction(Acao("ctxRetirar"));
        m->addAction(Acao("ctxSimulacao"));
        m->addAction(Acao("ctxLocalizar"));
        break;
    case MenuContexto::Nenhum: break;
    }
    return m;
}

void TfrmPrincipal::MenuContextoPedido(const QPoint& pos)
{
    if (travado_)
        return;
    // A right-click selects the node under it first.
    const QModelIndex i = tree_->indexAt(pos);
    if (i.isValid() && i != tree_->currentIndex())
        tree_->setCurrentIndex(i);
    QMenu* m = MontarMenuContexto();
    if (!m->isEmpty())
        m->popup(tree_->viewport()->mapToGlobal(pos));
}

// --- commands ---------------------------------------------------------------------------------------

void TfrmPrincipal::NovaEmpresa()
{
    if (!habilitacao_.NovoEmpresa)
        return;
    MostrarFrame(frmEmpresas_);
    frmEmpresas_->NovaEmpresa();
}

void TfrmPrincipal::NovoTrabalhador()
{
    const int indice = IndiceSelecionado();
    if (!habilitacao_.NovoTrabalhador || indice < 0)
        return;
    const TRecArvore& r = arvore_.Registro(indice);
    MostrarFrame(frmFuncionarios_);
    frmFuncionarios_->NovoTrabalhador(r.TipoInscricao, r.Inscricao);
}

void TfrmPrincipal::Alterar()
{
    if (!habilitacao_.Alterar)
        return;
    TFramePadrao* f = qobject_cast<TFramePadrao*>(FrameAtual());
    if (f && f->btnAlterar()->isEnabled())
        f->btnAlterar()->click();
}

void TfrmPrincipal::Excluir()
{
    if (!habilitacao_.Excluir)
        return;
    if (FrameAtual() == frmEmpresas_)
        frmEmpresas_->Excluir();
    else if (FrameAtual() == frmFuncionarios_)
        frmFuncionarios_->Excluir();
}

void TfrmPrincipal::ComandoParticipacao(const std::function<void(int)>& comando)
{
    const int indice = IndiceSelecionado();
    if (indice < 0 || travado_)
        return;
    const int no = arvore_.Registro(indice).No;
    // Whatever the command did, even when it failed, the node is looked up again and shown.
    auto mostrar = [this, no] {
        if (arvore_.ExisteNo(no))
            SelecionarNo(no);
        else
            MostrarNo();
    };
    try {
        comando(indice);
    } catch (...) {
        try {
            mostrar();
        } catch (const std::exception&) {
            // The command's own failure is the one reported.
        }
        throw;
    }
    mostrar();
}

void TfrmPrincipal::Marcar()
{
    ComandoParticipacao([this](int i) { participacao_->Marcar(i); });
}

void TfrmPrincipal::Desmarcar()
{
    ComandoParticipacao([this](int i) { participacao_->Desmarcar(i); });
}

void TfrmPrincipal::RetirarFechamento()
{
    ComandoParticipacao([this](int i) { participacao_->RetirarFechamento(i); });
}

void TfrmPrincipal::Localizar()
{
    if (travado_)
        return;
    TfrmLocalizar janela(*ctx_.sessao, mensagens_, this);
    {
        TravaModal trava([this](bool t) { TravarNavegacao(t); });
        janela.exec();
    }
    if (janela.TemResultado())
        SelecionarLocalizado(janela.Resultado());
}

bool TfrmPrincipal::SelecionarLocalizado(const TChaveLocalizada& k)
{
    const int indice = k.Vinculo ? arvore_.LocalizarVinculo(k.TipoInscricao, k.Categoria, NoVinculo, k.DataAdmissao,
                                                           k.Pis, k.Inscricao)
                                 : arvore_.LocalizarEmpresa(k.TipoInscricao, k.Inscricao);
    if (indice < 0) {
        statusBar()->showMessage(QString::fromUtf8("O item localizado não está na árvore."), 8000);
        return false;
    }
    SelecionarRegistro(indice);
    tree_->expand(tree_->currentIndex());
    return true;
}

void TfrmPrincipal::MostrarInconsistencias(int numeroArquivo)
{
    VisualizarInconsistencias(this, *ctx_.sessao, mensagens_, numeroArquivo, ctx_.DataEdital);
}

void TfrmPrincipal::MostrarInconsistenciasFechamento() { MostrarInconsistencias(InconsistenciaFechamento); }

void TfrmPrincipal::Ajuda()
{
    TravaModal trava([this](bool t) { TravarNavegacao(t); });
    QMessageBox::information(
        this, "Ajuda",
        QString::fromUtf8("<b>DRAV Eletrônica</b><br><br>"
                          "Na aba <b>Cadastro</b> ficam o responsável, as empresas e os trabalhadores: "
                          "selecione um item da árvore para consultá-lo, use <b>Alterar</b> (F8) para editá-lo e "
                          "<b>Excluir</b> (F9) para removê-lo.<br><br>"
                          "Na aba <b>Movimento</b> abre-se o recolhimento com a data de pagamento e marcam-se os "
                          "trabalhadores que participam dele (menu Editar ou botão direito sobre a árvore).<br><br>"
                          "Use <b>Localizar</b> para encontrar uma empresa ou um trabalhador."));
}

void TfrmPrincipal::SiteQueld() { QDesktopServices::openUrl(QUrl(QString::fromUtf8(kSiteQueld))); }

void TfrmPrincipal::Sobre()
{
    TfrmSobre sobre(*ctx_.sessao, ctx_.DataEdital, this);
    TravaModal trava([this](bool t) { TravarNavegacao(t); });
    sobre.exec();
}

void TfrmPrincipal::Sair()
{
    const std::filesystem::path temp = ctx_.pasta / "TEMP";
    std::error_code ec;
    if (std::filesystem::is_directory(temp, ec))
        ApagarArquivos(temp);
    try {
        if (ctx_.sessao)
            ctx_.sessao->Desconectar();
    } catch (const std::exception&) {
        // Leaving goes on whatever the session says.
    }
    close();
}

} // namespace drav
