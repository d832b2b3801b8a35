#include "ui/principal/TfrmPrincipal.h"

#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "core/TratadorErros.h"
#include "files/Arvore.h"
#include "files/Participacao.h"
#include "model/AlteracaoCadastral.h"
#include "model/Empregado.h"
#include "model/Empresa.h"
#include "ui/cadastro/FrameEmpregado.h"
#include "ui/cadastro/TfrmEmpresas.h"
#include "ui/cadastro/TfrmResponsavel.h"
#include "ui/principal/ModeloArvore.h"
#include "ui/principal/TfrmAbreMovimento.h"
#include "ui/principal/TfrmResumoVinculo.h"
#include "ui/complemento/TfrmComplementoSaldo.h"
#include "calc/Indices.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>


namespace drav {

namespace {

// "Carregando Dados ...": shown while the tree is built.
class TfrmCarregando : public QDialog {
public:
    explicit TfrmCarregando(QWidget* pai) : QDialog(pai, Qt::SplashScreen | Qt::WindowStaysOnTopHint)
    {
        setObjectName("frmCarregando");
        setWindowTitle("Carregando Dados ...");
        auto* l = new QVBoxLayout(this);
        auto* figura = new QLabel(this);
        figura->setPixmap(FiguraArvore(imgRaiz, 48));
        figura->setAlignment(Qt::AlignCenter);
        auto* titulo = new QLabel(QString::fromUtf8("<b>DRAV Eletrônica</b>"), this);
        titulo->setAlignment(Qt::AlignCenter);
        barra_ = new QProgressBar(this);
        barra_->setRange(0, 0);
        auto* texto = new QLabel("Inicializando sistema ...", this);
        l->addWidget(figura);
        l->addWidget(titulo);
        l->addWidget(barra_);
        l->addWidget(texto);
        setFixedWidth(320);
    }
    void Progresso(long atual, long maximo)
    {
        // Repainting at every row would cost more than the load itself.
        const int percentual = maximo > 0 ? static_cast<int>(atual * 100 / maximo) : 0;
        if (percentual == ultimo_)
            return;
        ultimo_ = percentual;
        barra_->setRange(0, 100);
        barra_->setValue(percentual);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    QProgressBar* barra_;
    int ultimo_ = -1;
};

} // namespace

TfrmPrincipal::TfrmPrincipal(ContextoAplicacao& ctx, TMensagens& mensagens, TArvore& arvore,
                             TTratadorExcecao* tratador, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), mensagens_(mensagens), arvore_(arvore), tratador_(tratador),
      participacao_(std::make_unique<TParticipacao>(arvore, mensagens))
{
    setObjectName("frmPrincipal");
    setWindowTitle(QString::fromUtf8(kTituloAplicacao));
    setWindowIcon(IconeArvore(imgRaiz));
    participacao_->MostrarInconsistencias = [this] { MostrarInconsistenciasFechamento(); };
    participacao_->UsarModulosInstalados(ctx_.DataEdital);

    // Left: the tabs over the one tree, or the reason why there is no tree.
    auto* esquerda = new QWidget(this);
    esquerda->setMinimumWidth(50);
    abas_ = new QTabBar(esquerda);
    abas_->setObjectName("tabArvore");
    abas_->addTab("&Cadastro");
    abas_->addTab("&Movimento");
    abas_->setExpanding(false);
    tree_ = new QTreeView(esquerda);
    tree_->setObjectName("tvCadastro");
    tree_->setHeaderHidden(true);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setUniformRowHeights(true);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    tree_->setAutoScroll(true);
    modelo_ = new TModeloArvore(arvore_, this);
    tree_->setModel(modelo_);
    lblFalhaCarga_ = new QLabel(esquerda);
    lblFalhaCarga_->setObjectName("lblFalhaCarga");
    lblFalhaCarga_->setWordWrap(true);
    lblFalhaCarga_->setAlignment(Qt::AlignCenter);
    lblFalhaCarga_->setStyleSheet("QLabel { color: #a00000; padding: 12px; }");
    pilhaArvore_ = new QStackedWidget(esquerda);
    pilhaArvore_->addWidget(tree_);
    pilhaArvore_->addWidget(lblFalhaCarga_);
    auto* le = new QVBoxLayout(esquerda);
    le->setContentsMargins(2, 2, 0, 2);
    le->setSpacing(0);
    le->addWidget(abas_);
    le->addWidget(pilhaArvore_, 1);

    // Right: one frame at a time.
    TDBUtils& s = *ctx_.sessao;
    pilha_ = new QStackedWidget(this);
    pilha_->setObjectName("pnlFrames");
    vazio_ = new QWidget(pilha_);
    frmResponsavel_ = new TfrmResponsavel(s, mensagens_, pilha_);
    frmEmpresas_ = new TfrmEmpresas(s, mensagens_, pilha_);
    frmFuncionarios_ = new TfrmFuncionarios(s, mensagens_, pilha_);
    frmAbreMovimento_ = new TfrmAbreMovimento(arvore_, mensagens_, ctx_.DataEdital, pilha_);
    frmResumo_ = new TfrmResumoVinculo(s, pilha_);
    frmResumo_->abrirComplementos = [this](const TRecArvore& v) {
        TTabelasIndicesBanco tabelas(*ctx_.sessao);
        const TChaveComplemento chave{v.TipoInscricao, v.Inscricao, v.Pis, v.Categoria, v.DataAdmissao};
        TfrmComplementoSaldo janela(*ctx_.sessao, tabelas, ctx_.DataEdital, ctx_.DataPagamentoRecolhimento, mensagens_,
                                    chave, this);
        janela.exec();
    };
    for (QWidget* w : {vazio_, static_cast<QWidget*>(frmResponsavel_), static_cast<QWidget*>(frmEmpresas_),
                       static_cast<QWidget*>(frmFuncionarios_), static_cast<QWidget*>(frmAbreMovimento_),
                       static_cast<QWidget*>(frmResumo_)})
        pilha_->addWidget(w);
    frmEmpresas_->Empresa().Ouvinte = &arvore_;

    auto* divisor = new QSplitter(this);
    divisor->setObjectName("splPrincipal");
    divisor->addWidget(esquerda);
    divisor->addWidget(pilha_);
    divisor->setStretchFactor(0, 0);
    divisor->setStretchFactor(1, 1);
    divisor->setChildrenCollapsible(false);
    setCentralWidget(divisor);
    statusBar()->setSizeGripEnabled(false);

    CriarAcoes();
    CriarMenus();
    CriarBarra();

    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this, &TfrmPrincipal::SelecaoAlterada);
    connect(tree_, &QTreeView::customContextMenuRequested, this, &TfrmPrincipal::MenuContextoPedido);
    connect(abas_, &QTabBar::currentChanged, this, &TfrmPrincipal::AbaAlterada);
    connect(modelo_, &TModeloArvore::arvoreRecarregada, this, &TfrmPrincipal::ArvoreReconstruida);
    connect(modelo_, &TModeloArvore::estruturaAlterada, this, &TfrmPrincipal::ArvoreMudou);

    for (TFramePadrao* f : {static_cast<TFramePadrao*>(frmResponsavel_), static_cast<TFramePadrao*>(frmEmpresas_),
                            static_cast<TFramePadrao*>(frmFuncionarios_)}) {
        connect(f, &TFramePadrao::edicaoAlterada, this, &TfrmPrincipal::TravarNavegacao);
        connect(f, &TFramePadrao::cancelado, this, [this] { MostrarNo(); });
    }
    connect(frmAbreMovimento_, &TfrmAbreMovimento::edicaoAlterada, this, &TfrmPrincipal::TravarNavegacao);
    connect(frmAbreMovimento_, &TfrmAbreMovimento::aberturaGravada, this, [this] { AtualizarComandos(); });
    connect(frmEmpresas_, &TfrmEmpresas::empresaGravada, this, &TfrmPrincipal::EmpresaGravada);
    connect(frmEmpresas_, &TfrmEmpresas::empresaExcluida, this, &TfrmPrincipal::EmpresaExcluida);
    connect(frmFuncionarios_, &TfrmFuncionarios::trabalhadorGravado, this, &TfrmPrincipal::TrabalhadorGravado);
    connect(frmFuncionarios_, &TfrmFuncionarios::trabalhadorExcluido, this, &TfrmPrincipal::TrabalhadorExcluido);
    connect(frmResponsavel_, &TfrmResponsavel::responsavelGravado, this, &TfrmPrincipal::ResponsavelGravado);

    resize(738, 590);
    if (const QScreen* tela = QGuiApplication::primaryScreen())
        move(tela->availableGeometry().center() - rect().center());

    RecarregarArvore(true);
}

TfrmPrincipal::~TfrmPrincipal() = default;

// --- the tree -----------------------------------------------------------------------------------

bool TfrmPrincipal::RecarregarArvore(bool comProgresso)
{
    std::unique_ptr<TfrmCarregando> splash;
    if (comProgresso) {
        splash = std::make_unique<TfrmCarregando>(this);
        splash->show();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    try {
        const bool carregada = arvore_.RecarregarArvore(
            splash ? std::function<void(long, long)>([&splash](long a, long m) { splash->Progresso(a, m); })
                   : std::function<void(long, long)>());
        pilhaArvore_->setCurrentWidget(tree_);
        if (!carregada)
            statusBar()->showMessage(QString::fromUtf8("Nenhum responsável cadastrado."));
        return true;
    } catch (const std::exception& e) {
        splash.reset();
        // An empty tree would read as an empty database: say what happened instead.
        lblFalhaCarga_->setText(QString::fromUtf8("Não foi possível carregar o cadastro.\n\n%1\n\nO erro foi "
                                                  "registrado em LogErro.log.")
                                    .arg(QString::fromStdString(TTratadorExcecao::TextoUsuario(e))));
        pilhaArvore_->setCurrentWidget(lblFalhaCarga_);
        MostrarFrame(vazio_);
        AtualizarComandos();
        if (tratador_)
            tratador_->TratarExcecao(e, {objectName().toStdString(), tree_->objectName().toStdString()});
        return false;
    }
}

void TfrmPrincipal::ArvoreReconstruida()
{
    // The root is expanded and selected; its employers show.
    if (arvore_.Raiz() >= 0) {
        tree_->expand(modelo_->IndiceDoNo(arvore_.Raiz()));
        SelecionarNo(arvore_.Raiz());
    } else {
        noMostrado_ = -1;
        MostrarNo();
    }
}

void TfrmPrincipal::ArvoreMudou()
{
    // Keep the nodes that were open, and the selection, across the rebuilt view.
    const int no = noMostrado_;
    if (arvore_.Raiz() >= 0)
        tree_->expand(modelo_->IndiceDoNo(arvore_.Raiz()));
    SelecionarNo(arvore_.ExisteNo(no) ? no : arvore_.Raiz());
}

void TfrmPrincipal::SelecionarNo(int no)
{
    const QModelIndex i = modelo_->IndiceDoNo(no);
    if (!i.isValid())
        return;
    for (QModelIndex p = i.parent(); p.isValid(); p = p.parent())
        tree_->expand(p);
    if (tree_->currentIndex() == i) {
        MostrarNo();
    } else {
        tree_->setCurrentIndex(i);
    }
    tree_->scrollTo(i);
}

void TfrmPrincipal::SelecionarRegistro(int indice)
{
    if (indice >= 0 && indice < arvore_.TotalNos())
        SelecionarNo(arvore_.Registro(indice).No);
}

int TfrmPrincipal::IndiceSelecionado() const
{
    const int no = modelo_->NoDoIndice(tree_->currentIndex());
    return no < 0 ? -1 : arvore_.LocalizarNo(no);
}

void TfrmPrincipal::SelecaoAlterada() { MostrarNo(); }

void TfrmPrincipal::AbaAlterada(int) { MostrarNo(); }

QWidget* TfrmPrincipal::FrameAtual() const { return pilha_->currentWidget(); }

void TfrmPrincipal::MostrarFrame(QWidget* frame) { pilha_->setCurrentWidget(frame); }

void TfrmPrincipal::MostrarNo()
{
    if (mostrando_)
        return;
    mostrando_ = true;
    struct Fim {
        bool& f;
        ~Fim() { f = false; }
    } fim{mostrando_};

    const int indice = IndiceSelecionado();
    noMostrado_ = indice < 0 ? -1 : arvore_.Registro(indice).No;
    if (indice < 0) {
        MostrarFrame(vazio_);
        AtualizarComandos();
        return;
    }
    const TRecArvore r = arvore_.Registro(indice);
    const int nivel = arvore_.Nivel(indice);
    const bool cadastro = abas_->currentIndex() == 0;
    DefinirModoEdicao(meConsulta);
    if (cadastro && nivel == 3) {
        DecidirNome(indice);
        return;
    }
    const std::string pis = CompletarZeros(std::to_string(r.Pis), 11);
    if (cadastro) {
        switch (nivel) {
        case 0:
            frmResponsavel_->PrepararCombos();
            frmResponsavel_->Carregar();
            MostrarFrame(frmResponsavel_);
            break;
        case 1:
            frmEmpresas_->CarregarEmpresa(r.TipoInscricao, r.Inscricao);
            MostrarFrame(frmEmpresas_);
            break;
        default:
            frmFuncionarios_->CarregarVinculo(r.TipoInscricao, r.Inscricao, pis, r.Categoria, r.DataAdmissao);
            MostrarFrame(frmFuncionarios_);
            break;
        }
    } else {
        switch (nivel) {
        case 0:
            frmAbreMovimento_->Mostrar();
            MostrarFrame(frmAbreMovimento_);
            break;
        case 1:
            frmEmpresas_->CarregarEmpresa(r.TipoInscricao, r.Inscricao);
            MostrarFrame(frmEmpresas_);
            break;
        default: {
            const int link = nivel == 3 ? arvore_.LocalizarNo(arvore_.NoDoRegistro(indice).Pai) : indice;
            const int empresa = arvore_.EmpresaDoRegistro(link);
            frmResumo_->Mostrar(arvore_.Registro(link),
                                QString::fromStdString(arvore_.NoDoRegistro(empresa).Texto));
            MostrarFrame(frmResumo_);
            break;
        }
        }
    }
    AtualizarComandos();
}

void TfrmPrincipal::DecidirNome(int indice)
{
    // The user decides on the bank's name for the worker; then the worker's own node is shown.
    const TNoArvore alteracao = arvore_.NoDoRegistro(indice);
    const int vinculo = arvore_.LocalizarNo(alteracao.Pai);
    const TRecArvore v = arvore_.Registro(vinculo);
    noMostrado_ = v.No;
    const ResultadoDecisaoNome r =
        DecidirAlteracaoNome(*ctx_.sessao, mensagens_, v.TipoInscricao, v.Inscricao, v.Pis, v.Categoria,
                             v.DataAdmissao, alteracao.Texto);
    if (r == ResultadoDecisaoNome::Adotado)
        arvore_.RenomearNo(alteracao.Texto, NoVinculo, v.No); // every link of the worker
    if (r == ResultadoDecisaoNome::Adotado || r == ResultadoDecisaoNome::Mantido)
        arvore_.ExcluirAlteracoes(arvore_.LocalizarNo(v.No));
    mostrando_ = false;
    SelecionarNo(v.No);
}

TSelecaoArvore TfrmPrincipal::Selecao() const
{
    TSelecaoArvore s;
    s.Aba = abas_->currentIndex();
    const int indice = IndiceSelecionado();
    if (indice < 0)
        return s;
    const TRecArvore& r = arvore_.Registro(indice);
    s.Nivel = arvore_.Nivel(indice);
    s.Estado = r.Estado;
    if (s.Nivel == 0) {
        s.Vinculos = arvore_.ContarPorEstado({0, 1, 2, 3}, false);
        s.ComEstado0 = arvore_.ContarPorEstado({0}, true) > 0;
        s.ComEstado1 = arvore_.ContarPorEstado({1}, true) > 0;
        s.ComEstado2ou3 = arvore_.ContarPorEstado({2, 3}, true) > 0;
    } else if (s.Nivel == 1) {
        s.Vinculos = arvore_.ContarVinculosPorEstado(indice, {0, 1, 2, 3});
        s.ComEstado0 = arvore_.ContarVinculosPorEstado(indice, {0}) > 0;
        s.ComEstado1 = arvore_.ContarVinculosPorEstado(indice, {1}) > 0;
        s.ComEstado2ou3 = arvore_.ContarVinculosPorEstado(indice, {2, 3}) > 0;
    }
    return s;
}

void TfrmPrincipal::TravarNavegacao(bool travar)
{
    travado_ = travar;
    tree_->setEnabled(!travar);
    abas_->setEnabled(!travar);
    for (QMenu* m : menusTopo_)
        m->menuAction()->setEnabled(!travar);
    barra_->setEnabled(!travar);
    // The shortcuts (F8, F9...) must not reach the commands while a record is typed.
    AtualizarComandos();
    if (!travar)
        tree_->setFocus();
}

// --- the frames' news -------------------------------------------------------------------------------

void TfrmPrincipal::EmpresaGravada(int tipo, qint64 numero, bool nova)
{
    const TEmpresa& e = frmEmpresas_->Empresa();
    const std::string papel = Aparar(e.EstadoEmpresa).empty() ? NoEmpresa : Aparar(e.EstadoEmpresa);
    if (nova) {
        TDadosNovoNo d;
        d.Tipo = papel;
        d.TipoInscricao = static_cast<int16_t>(tipo);
        d.Inscricao = numero;
        d.NomeEmpresa = Aparar(e.RazaoSocial);
        if (papel == NoResponsavelEmpresa)
            arvore_.EstadoResponsavelAlterado(NoResponsavelEmpresa);
        noMostrado_ = arvore_.AdicionarNo(d, arvore_.Raiz());
        SelecionarNo(noMostrado_);
        return;
    }
    const int indice = arvore_.LocalizarEmpresa(tipo, numero);
    if (indice >= 0)
        arvore_.RenomearNo(Aparar(e.RazaoSocial), arvore_.Registro(indice).Tipo, arvore_.Registro(indice).No);
}

void TfrmPrincipal::EmpresaExcluida(int tipo, qint64 numero)
{
    const int indice = arvore_.LocalizarEmpresa(tipo, numero);
    if (indice < 0)
        return;
    const bool responsavel = arvore_.Registro(indice).Tipo == NoResponsavelEmpresa;
    arvore_.ExcluirNo(arvore_.Registro(indice).No);
    if (responsavel)
        arvore_.EstadoResponsavelAlterado(NoResponsavel);
    SelecionarNo(arvore_.Raiz());
}

void TfrmPrincipal::TrabalhadorGravado(int tipo, qint64 inscricao, const QString& pis, int categoria, double admissao,
                                       bool novo)
{
    const int64_t numeroPis = pis.toLongLong();
    const std::string nome = Aparar(frmFuncionarios_->Trabalhador().Nome);
    if (novo) {
        const int empresa = arvore_.LocalizarEmpresa(tipo, inscricao);
        if (empresa < 0)
            return;
        TDadosNovoNo d;
        d.Tipo = NoVinculo;
        d.Pis = numeroPis;
        d.Categoria = static_cast<int16_t>(categoria);
        d.DataAdmissao = admissao;
        d.NomeTrabalhador = nome;
        noMostrado_ = arvore_.AdicionarNo(d, arvore_.Registro(empresa).No);
        SelecionarNo(noMostrado_);
        return;
    }
    const int indice = arvore_.LocalizarVinculo(tipo, categoria, NoVinculo, admissao, numeroPis, inscricao);
    if (indice >= 0)
        arvore_.RenomearNo(nome, NoVinculo, arvore_.Registro(indice).No);
}

void TfrmPrincipal::TrabalhadorExcluido(int tipo, qint64 inscricao, const QString& pis, int categoria, double admissao)
{
    const int indice = arvore_.LocalizarVinculo(tipo, categoria, NoVinculo, admissao, pis.toLongLong(), inscricao);
    if (indice < 0)
        return;
    const int empresa = arvore_.EmpresaDoRegistro(indice);
    const int noEmpresa = empresa >= 0 ? arvore_.Registro(empresa).No : arvore_.Raiz();
    arvore_.ExcluirNo(arvore_.Registro(indice).No);
    SelecionarNo(noEmpresa);
}

void TfrmPrincipal::ResponsavelGravado()
{
    // The responsible's key and role may have moved to another row: build the tree again.
    RecarregarArvore(false);
}

} // namespace drav
