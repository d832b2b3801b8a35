#pragma once
#include "ui/principal/RegrasComandos.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QTabBar;
class QToolBar;
class QToolButton;
class QTreeView;

namespace drav {

struct ContextoAplicacao;
struct TChaveLocalizada;
class TArvore;
class TfrmAbreMovimento;
class TfrmEmpresas;
class TfrmFuncionarios;
class TfrmResponsavel;
class TfrmResumoVinculo;
class TMensagens;
class TModeloArvore;
class TParticipacao;
class TTratadorExcecao;

// The program's one main window: the navigation tree under the tabs "&Cadastro" and "&Movimento"
// on the left, the frame of the selected node on the right, and every command of the system in
// the menus, the toolbar and the tree's context menus.
//
// Commands whose module is not installed are shown disabled with a tooltip saying so; a module
// connects its command with DefinirComando when it is installed.
class TfrmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    // `tratador` reports failures of the tree's load; without it they are only shown on the tree.
    TfrmPrincipal(ContextoAplicacao& ctx, TMensagens& mensagens, TArvore& arvore, TTratadorExcecao* tratador = nullptr,
                  QWidget* parent = nullptr);
    ~TfrmPrincipal() override;

    // Connects a command of a module installed later (by the action's object name) and enables
    // it wherever the selection allows it.
    void DefinirComando(const QString& acao, std::function<void()> comando);

    // Reads the payment date, rebuilds the tree with the splash's progress and selects the root.
    // False when the tree could not be built (a database failure was reported).
    bool RecarregarArvore(bool comProgresso);

    TArvore& Arvore() const { return arvore_; }
    TParticipacao& Participacao() const { return *participacao_; }
    QTreeView* tvCadastro() const { return tree_; }
    QTabBar* tabArvore() const { return abas_; }
    QAction* Acao(const QString& nome) const;
    QMenu* MenuContextoAtual() const { return menuContexto_; }
    QWidget* FrameAtual() const;
    TfrmEmpresas* frmEmpresas() const { return frmEmpresas_; }
    TfrmResponsavel* frmResponsavel() const { return frmResponsavel_; }
    TfrmFuncionarios* frmFuncionarios() const { return frmFuncionarios_; }
    TfrmAbreMovimento* frmAbreMovimento() const { return frmAbreMovimento_; }
    THabilitacao Habilitacao() const { return habilitacao_; }

    // The register entry of the selected node, -1 when none.
    int IndiceSelecionado() const;
    // Selects (and shows) the node of a register entry, expanding its parents.
    void SelecionarRegistro(int indice);
    // Selects the employer or link found by the search window.
    bool SelecionarLocalizado(const TChaveLocalizada& chave);
    // Builds the context menu of the selected node (what a right-click shows).
    QMenu* MontarMenuContexto();

private:
    // construction (TfrmPrincipalComandos.cpp)
    void CriarAcoes();
    void CriarMenus();
    void CriarBarra();
    QAction* NovaAcao(const QString& nome, const QString& texto, std::function<void()> comando = {});
    QAction* AcaoFutura(const QString& nome, const QString& texto);

    // showing nodes
    void SelecaoAlterada();
    void AbaAlterada(int aba);
    void MostrarNo();
    void DecidirNome(int indice);
    void MostrarFrame(QWidget* frame);
    TSelecaoArvore Selecao() const;
    void AtualizarComandos();
    void TravarNavegacao(bool travar);
    void SelecionarNo(int no);
    void ArvoreReconstruida();
    void ArvoreMudou();

    // commands
    void NovaEmpresa();
    void NovoTrabalhador();
    void Alterar();
    void Excluir();
    void Marcar();
    void Desmarcar();
    void RetirarFechamento();
    void Localizar();
    void Ajuda();
    void SiteQueld();
    void Sobre();
    void Sair();
    void ComandoParticipacao(const std::function<void(int)>& comando);
    // The inconsistency listing of a file number (1 payroll, 2 balances, 3 closing, 5 processed guides).
    void MostrarInconsistencias(int numeroArquivo);
    void MostrarInconsistenciasFechamento();
    void MenuContextoPedido(const QPoint& pos);

    // frames' news
    void EmpresaGravada(int tipo, qint64 numero, bool nova);
    void EmpresaExcluida(int tipo, qint64 numero);
    void TrabalhadorGravado(int tipo, qint64 inscricao, const QString& pis, int categoria, double admissao, bool novo);
    void TrabalhadorExcluido(int tipo, qint64 inscricao, const QString& pis, int categoria, double admissao);
    void ResponsavelGravado();

    ContextoAplicacao& ctx_;
    TMensagens& mensagens_;
    TArvore& arvore_;
    TTratadorExcecao* tratador_;
    std::unique_ptr<TParticipacao> participacao_;
    TModeloArvore* modelo_ = nullptr;
    QTreeView* tree_ = nullptr;
    QTabBar* abas_ = nullptr;
    QLabel* lblFalhaCarga_ = nullptr;
    QStackedWidget* pilhaArvore_ = nullptr;
    QStackedWidget* pilha_ = nullptr;
    QWidget* vazio_ = nullptr;
    TfrmResponsavel* frmResponsavel_ = nullptr;
    TfrmEmpresas* frmEmpresas_ = nullptr;
    TfrmFuncionarios* frmFuncionarios_ = nullptr;
    TfrmAbreMovimento* frmAbreMovimento_ = nullptr;
    TfrmResumoVinculo* frmResumo_ = nullptr;
    QToolBar* barra_ = nullptr;
    QToolButton* btnNovo_ = nullptr;
    QMenu* menuContexto_ = nullptr;
    std::vector<QMenu*> menusTopo_;
    std::map<QString, QAction*> acoes_;
    std::map<QString, std::function<void()>> comandosInstalados_;
    THabilitacao habilitacao_;
    int noMostrado_ = -1;
    bool travado_ = false;
    bool mostrando_ = false;
};

} // namespace drav
