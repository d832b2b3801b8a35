// The main window driven as a user would: the frames of each tab and level, editing and saving
// an employer, marking a link, the search window, a failed load and leaving.
#include "ui/principal/TfrmPrincipal.h"

#include "core/Excecoes.h"
#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "core/TratadorErros.h"
#include "files/Arvore.h"
#include "files/Participacao.h"
#include "files/test_arvore_apoio.h"
#include "kit/BancoTeste.h"
#include "model/Empresa.h"
#include "ui/cadastro/FrameEmpregado.h"
#include "ui/cadastro/TfrmEmpresas.h"
#include "ui/cadastro/TfrmResponsavel.h"
#include "ui/principal/ModeloArvore.h"
#include "ui/principal/TfrmAbreMovimento.h"
#include "ui/principal/TfrmLocalizar.h"
#include "ui/principal/TfrmSobre.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeView>

#include <fstream>
#include <memory>

namespace drav {
namespace {

using namespace teste;

void Capturar(QWidget& w, const char* nome)
{
    const QPixmap p = w.grab();
    EXPECT_FALSE(p.isNull());
    const QByteArray pasta = qgetenv("DRAV_CAPTURAS");
    if (!pasta.isEmpty())
        p.save(QString::fromUtf8(pasta) + "/" + nome + ".png");
}

class JanelaPrincipal : public BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        cadastro = CriarCadastroPadrao(*sessao);
        AbrirColeta(*sessao);
        ctx.pasta = pasta;
        ctx.sessao = std::move(sessao);
        CarregarDataEdital(ctx);
        CarregarDataPagamento(ctx);
        mensagens = std::make_unique<TMensagens>(ctx.sessao.get(), ap);
        tratador = std::make_unique<TTratadorExcecao>(pasta, ap, ctx.sessao.get());
    }
    void TearDown() override
    {
        janela.reset();
        arvore.reset();
        sessao = std::move(ctx.sessao);
        BancoTeste::TearDown();
    }
    void Abrir(TDBUtils* sessaoArvore = nullptr)
    {
        arvore = std::make_unique<TArvore>(sessaoArvore ? *sessaoArvore : *ctx.sessao, ctx.DataPagamentoRecolhimento);
        janela = std::make_unique<TfrmPrincipal>(ctx, *mensagens, *arvore, tratador.get());
        janela->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(janela.get()));
    }
    TDBUtils& Sessao() { return *ctx.sessao; }
    int Empresa(int64_t inscricao) { return arvore->LocalizarEmpresa(inscricao); }
    int Vinculo(const VinculoTeste& v)
    {
        return arvore->LocalizarVinculo(v.tipo, v.categoria, NoVinculo, v.admissao, v.pis, v.inscricao);
    }
    void Aba(int aba) { janela->tabArvore()->setCurrentIndex(aba); }
    QAction* A(const char* nome)
    {
        QAction* a = janela->Acao(nome);
        EXPECT_NE(a, nullptr) << nome;
        return a;
    }

    CadastroPadrao cadastro;
    ContextoAplicacao ctx;
    ApresentadorRoteiro ap;
    std::unique_ptr<TMensagens> mensagens;
    std::unique_ptr<TTratadorExcecao> tratador;
    std::unique_ptr<TArvore> arvore;
    std::unique_ptr<TfrmPrincipal> janela;
};

TEST_F(JanelaPrincipal, CadaAbaENivelMostraSeuFrameEHabilitaSeusComandos)
{
    Abrir();
    EXPECT_EQ(janela->windowTitle(), QString::fromUtf8("DRAV Eletrônica"));
    QTreeView* tree = janela->tvCadastro();
    EXPECT_EQ(tree->model()->rowCount(), 1);
    EXPECT_TRUE(tree->isExpanded(tree->model()->index(0, 0)));
    EXPECT_EQ(janela->IndiceSelecionado(), 0);

    // Cadastro: the root shows the responsible and allows only a new employer.
    EXPECT_EQ(janela->FrameAtual(), janela->frmResponsavel());
    EXPECT_EQ(janela->frmResponsavel()->edtRazaoSocial()->text(), "ESCRITORIO CONTABIL");
    EXPECT_TRUE(A("actNovoEmpresa")->isEnabled());
    EXPECT_FALSE(A("actNovoTrabalhador")->isEnabled());
    EXPECT_FALSE(A("actExcluir")->isEnabled());
    EXPECT_FALSE(A("actMarcar")->isVisible());

    janela->SelecionarRegistro(Empresa(kEmpresaA));
    EXPECT_EQ(janela->FrameAtual(), janela->frmEmpresas());
    EXPECT_EQ(janela->frmEmpresas()->edtRazaoSocial()->text(), "ACME INDUSTRIA");
    EXPECT_TRUE(A("actNovoTrabalhador")->isEnabled());
    EXPECT_TRUE(janela->frmEmpresas()->btnAlterar()->isEnabled());

    janela->SelecionarRegistro(Vinculo(cadastro.a[0]));
    EXPECT_EQ(janela->FrameAtual(), janela->frmFuncionarios());
    EXPECT_TRUE(A("actAlterar")->isEnabled());
    janela->SelecionarRegistro(Vinculo(cadastro.a[2])); // closed: browse only
    EXPECT_FALSE(A("actAlterar")->isEnabled());
    EXPECT_FALSE(janela->frmFuncionarios()->btnAlterar()->isEnabled());
    EXPECT_TRUE(A("actExcluir")->isEnabled());
    janela->SelecionarRegistro(Empresa(kEmpresaB)); // every link closed
    EXPECT_FALSE(janela->frmEmpresas()->btnAlterar()->isEnabled());

    // Movimento: the collection frame on the root; no new, change or delete anywhere.
    janela->SelecionarRegistro(0);
    Aba(1);
    EXPECT_EQ(janela->FrameAtual(), janela->frmAbreMovimento());
    EXPECT_EQ(janela->frmAbreMovimento()->edtDataRecolhimento()->text(), "14/12/2026");
    EXPECT_TRUE(A("actMarcar")->isVisible());
    for (const char* nome : {"actNovoEmpresa", "actNovoTrabalhador", "actAlterar", "actExcluir"})
        EXPECT_FALSE(A(nome)->isEnabled()) << nome;
    EXPECT_TRUE(janela->findChild<QToolBar*>("tlbPrincipal")->isEnabled());
    janela->SelecionarRegistro(Empresa(kEmpresaA));
    EXPECT_EQ(janela->FrameAtual(), janela->frmEmpresas());
    EXPECT_FALSE(janela->frmEmpresas()->btnAlterar()->isEnabled());
    janela->SelecionarRegistro(Vinculo(cadastro.a[1]));
    EXPECT_EQ(janela->FrameAtual()->objectName(), "frmDadosComplementares");
    EXPECT_EQ(janela->MontarMenuContexto()->actions().first()->text(), QString::fromUtf8("Desmarcar Participação"));

    // Commands of modules still to come are there, disabled, and say why.
    for (const char* nome : {"actImportarFolha", "actSaldoRescisorio", "actBackup", "ctxSimulacao"}) {
        EXPECT_FALSE(A(nome)->isEnabled()) << nome;
        EXPECT_FALSE(A(nome)->toolTip().isEmpty()) << nome;
    }
    EXPECT_FALSE(A("actReenvioRejeitado")->isVisible());
    EXPECT_FALSE(janela->frmAbreMovimento()->btnFechamento()->isEnabled());
    // ... and work as soon as they are installed.
    int importacoes = 0;
    janela->DefinirComando("actImportarFolha", [&] { ++importacoes; });
    EXPECT_TRUE(A("actImportarFolha")->isEnabled());
    A("actImportarFolha")->trigger();
    EXPECT_EQ(importacoes, 1);
    EXPECT_THROW(janela->DefinirComando("actNaoExiste", [] {}), ENegocio);

    Aba(0);
    janela->SelecionarRegistro(0);
    Capturar(*janela, "principal-cadastro");
}

TEST_F(JanelaPrincipal, AlterarESalvarUmaEmpresaPeloTeclado)
{
    Abrir();
    janela->SelecionarRegistro(Empresa(kEmpresaA));
    janela->tvCadastro()->setFocus();
    QTest::keyClick(janela.get(), Qt::Key_F8);
    TfrmEmpresas* f = janela->frmEmpresas();
    ASSERT_TRUE(f->Editando());
    // While a record is typed the navigation is locked.
    EXPECT_FALSE(janela->tvCadastro()->isEnabled());
    EXPECT_FALSE(janela->tabArvore()->isEnabled());
    EXPECT_FALSE(janela->menuBar()->actions().first()->isEnabled());
    EXPECT_FALSE(A("actAlterar")->isEnabled());

    f->edtRazaoSocial()->setText("ACME INDUSTRIA E COMERCIO");
    ap.mostrados.clear();
    QTest::mouseClick(f->btnSalvar(), Qt::LeftButton);
    EXPECT_TRUE(ap.Mostrou("100035"));
    EXPECT_FALSE(f->Editando());
    EXPECT_TRUE(janela->tvCadastro()->isEnabled());
    EXPECT_EQ(Sessao().AbrirConsulta("SELECT NO_RAZAO_SOCIAL FROM SFGTBG02_EMPRESA WHERE NU_INSCRICAO = " +
                                     std::to_string(kEmpresaA))
                  ->Field(0)
                  .AsString(),
              "ACME INDUSTRIA E COMERCIO");
    const int e = Empresa(kEmpresaA);
    EXPECT_EQ(arvore->NoDoRegistro(e).Texto, "ACME INDUSTRIA E COMERCIO");
    EXPECT_EQ(janela->IndiceSelecionado(), e);
    EXPECT_EQ(janela->tvCadastro()->currentIndex().data().toString(), "ACME INDUSTRIA E COMERCIO");

    // Escape cancels an edit and shows the stored record again.
    QTest::keyClick(janela.get(), Qt::Key_F8);
    ASSERT_TRUE(f->Editando());
    f->edtRazaoSocial()->setText("OUTRO NOME");
    QTest::keyClick(f->edtRazaoSocial(), Qt::Key_Escape);
    EXPECT_FALSE(f->Editando());
    EXPECT_EQ(f->edtRazaoSocial()->text(), "ACME INDUSTRIA E COMERCIO");
}

TEST_F(JanelaPrincipal, NovaEmpresaEntraNaArvoreSelecionada)
{
    Abrir();
    A("actNovoEmpresa")->trigger();
    TfrmEmpresas* f = janela->frmEmpresas();
    ASSERT_EQ(janela->FrameAtual(), f);
    ASSERT_TRUE(f->Editando());
    EXPECT_FALSE(janela->tvCadastro()->isEnabled());
    f->cmbTipoInscricao()->setCurrentIndex(f->cmbTipoInscricao()->findText("CNPJ"));
    f->edtInscricao()->setText("33444555000181");
    f->edtRazaoSocial()->setText("ZULU TRANSPORTES");
    f->edtLogradouro()->setText("RUA DAS FLORES 10");
    f->edtBairro()->setText("CENTRO");
    f->edtCep()->setText("30110010");
    f->edtLocalidade()->setText("BELO HORIZONTE");
    f->cmbUf()->setCurrentIndex(f->cmbUf()->findText("MG"));
    f->edtDdd()->setText("31");
    f->edtTelefone()->setText("32221234");
    f->cmbCnae()->setEditText("6920601");
    f->cmbFpas()->setCurrentIndex(f->cmbFpas()->findText("515"));
    f->cmbSimples()->setCurrentIndex(f->cmbSimples()->findText("1 - ", Qt::MatchStartsWith));
    QTest::mouseClick(f->btnSalvar(), Qt::LeftButton);
    ASSERT_FALSE(f->Editando()) << ap.Textos().back();
    const int e = arvore->LocalizarEmpresa(1, 33444555000181);
    ASSERT_GT(e, 0);
    EXPECT_EQ(janela->IndiceSelecionado(), e);
    EXPECT_EQ(arvore->NoDoRegistro(e).Texto, "ZULU TRANSPORTES");
    // Sorted among its siblings, last.
    const auto& filhos = arvore->FilhosOrdenados(arvore->Raiz());
    EXPECT_EQ(filhos.back(), arvore->Registro(e).No);
    EXPECT_TRUE(janela->tvCadastro()->isEnabled());

    // F9 deletes it again (after the frame's confirmation); the root is selected.
    QTest::keyClick(janela.get(), Qt::Key_F9);
    EXPECT_EQ(arvore->LocalizarEmpresa(1, 33444555000181), -1);
    EXPECT_EQ(janela->IndiceSelecionado(), 0);
    EXPECT_EQ(ContarLinhas(Sessao(), "SFGTBG02_EMPRESA", "NU_INSCRICAO = 33444555000181"), 0);
}

TEST_F(JanelaPrincipal, MarcarUmVinculoNoMovimento)
{
    Abrir();
    Aba(1);
    janela->SelecionarRegistro(Vinculo(cadastro.a[0]));
    EXPECT_TRUE(A("actMarcar")->isEnabled());
    EXPECT_FALSE(A("actRetirarFechamento")->isEnabled());
    QMenu* ctxMenu = janela->MontarMenuContexto();
    EXPECT_EQ(ctxMenu->actions().first()->text(), QString::fromUtf8("Marcar Participação"));
    A("actMarcar")->trigger();
    EXPECT_EQ(EstadoGravado(Sessao(), cadastro.a[0]), 1);
    const int i = Vinculo(cadastro.a[0]);
    EXPECT_EQ(arvore->NoDoRegistro(i).Imagem, imgVinculoMarcado);
    EXPECT_EQ(janela->IndiceSelecionado(), i); // the node stays selected
    EXPECT_TRUE(A("actDesmarcar")->isEnabled());
    EXPECT_EQ(janela->MontarMenuContexto()->actions().first()->text(), QString::fromUtf8("Desmarcar Participação"));

    // A processed link offers no marking; the command refuses it even when called directly.
    janela->SelecionarRegistro(Vinculo(cadastro.a[3]));
    EXPECT_FALSE(A("actMarcar")->isEnabled());
    EXPECT_FALSE(janela->Participacao().Marcar(Vinculo(cadastro.a[3])));
    EXPECT_TRUE(ap.Mostrou(TParticipacao::kTextoNaoModificavel));
    EXPECT_EQ(EstadoGravado(Sessao(), cadastro.a[3]), 3);

    // Withdrawing the closed link through the context menu.
    janela->SelecionarRegistro(Vinculo(cadastro.a[2]));
    ASSERT_TRUE(A("ctxRetirar")->isEnabled());
    A("ctxRetirar")->trigger();
    EXPECT_EQ(EstadoGravado(Sessao(), cadastro.a[2]), 0);
    EXPECT_EQ(arvore->NoDoRegistro(Vinculo(cadastro.a[2])).Imagem, imgVinculo);

    janela->SelecionarRegistro(0);
    Capturar(*janela, "principal-movimento");
    QTreeView* tree = janela->tvCadastro();
    tree->expandAll();
    janela->SelecionarRegistro(Empresa(kEmpresaA));
    Capturar(*janela, "principal-movimento-empresa");
}

TEST_F(JanelaPrincipal, AberturaDoRecolhimentoPeloFrame)
{
    Sessao().ExecutarSQL("DELETE FROM SFGTBG01_ABERTURA_RECOLHIMENTO");
    ctx.DataPagamentoRecolhimento = NullDate;
    Abrir();
    Aba(1);
    TfrmAbreMovimento* f = janela->frmAbreMovimento();
    EXPECT_EQ(f->edtDataRecolhimento()->text(), "//");
    QTest::mouseClick(f->btnNovaAbertura(), Qt::LeftButton);
    EXPECT_TRUE(f->Editando());
    EXPECT_FALSE(janela->tvCadastro()->isEnabled());
    f->edtDataRecolhimento()->setText("12/12/2026"); // a Saturday
    ap.mostrados.clear();
    QTest::mouseClick(f->btnSalvar(), Qt::LeftButton);
    EXPECT_TRUE(ap.Mostrou("A data informada não é dia útil."));
    EXPECT_TRUE(f->Editando());
    f->edtDataRecolhimento()->setText("15/12/2026");
    QTest::mouseClick(f->btnSalvar(), Qt::LeftButton);
    EXPECT_FALSE(f->Editando());
    EXPECT_TRUE(janela->tvCadastro()->isEnabled());
    EXPECT_EQ(ctx.DataPagamentoRecolhimento, CodificarData(2026, 12, 15));
    // Marking works now.
    janela->SelecionarRegistro(Vinculo(cadastro.a[0]));
    A("actMarcar")->trigger();
    EXPECT_EQ(EstadoGravado(Sessao(), cadastro.a[0]), 1);
}

TEST_F(JanelaPrincipal, LocalizarEmpresaETrabalhador)
{
    Abrir();
    {
        TfrmLocalizar l(Sessao(), *mensagens);
        EXPECT_EQ(l.windowTitle(), "Localizar Empresa/Trabalhador");
        EXPECT_FALSE(l.btnLocalizar()->isEnabled());
        l.cmbProcurarPor()->setCurrentIndex(1);
        QTest::keyClicks(l.edtConteudo(), "bru");
        EXPECT_TRUE(l.btnLocalizar()->isEnabled());
        QTest::mouseClick(l.btnLocalizar(), Qt::LeftButton);
        ASSERT_TRUE(l.TemResultado());
        EXPECT_EQ(l.grdResultado()->item(0, 0)->text(), "BRUNO LIMA");
        EXPECT_EQ(l.grdResultado()->item(0, 1)->text(), "120.00000.00-1");
        EXPECT_EQ(l.grdResultado()->item(0, 2)->text(), "02/03/2015");
        EXPECT_TRUE(l.btnFechar()->isDefault());
        Capturar(l, "localizar");
        ASSERT_TRUE(janela->SelecionarLocalizado(l.Resultado()));
        EXPECT_EQ(janela->IndiceSelecionado(), Vinculo(cadastro.a[1]));
    }
    {
        // A quote in the text is a character to look for, never SQL.
        TfrmLocalizar l(Sessao(), *mensagens);
        QTest::keyClicks(l.edtConteudo(), "D'AVILA' OR '1'='1");
        ap.mostrados.clear();
        QTest::mouseClick(l.btnLocalizar(), Qt::LeftButton);
        EXPECT_FALSE(l.TemResultado());
        EXPECT_TRUE(ap.Mostrou("990092"));
        EXPECT_TRUE(ap.erros.empty());
    }
    {
        // By CNPJ: digits only, the employer is fixed, and the result selects the employer.
        TfrmLocalizar l(Sessao(), *mensagens);
        l.DefinirChave(1);
        EXPECT_FALSE(l.cmbProcurarPor()->isEnabled());
        QTest::keyClicks(l.edtConteudo(), "ab33.000167000101x");
        EXPECT_EQ(l.edtConteudo()->text(), "33000167000101");
        QTest::mouseClick(l.btnLocalizar(), Qt::LeftButton);
        ASSERT_TRUE(l.TemResultado());
        EXPECT_EQ(l.grdResultado()->item(0, 1)->text(), "33.000.167/0001-01");
        ASSERT_TRUE(janela->SelecionarLocalizado(l.Resultado()));
        EXPECT_EQ(janela->IndiceSelecionado(), Empresa(kEmpresaB));
        // The responsible alone is not an employer of the tree.
        l.DefinirChave(1);
        QTest::keyClicks(l.edtConteudo(), "11222333000181");
        QTest::mouseClick(l.btnLocalizar(), Qt::LeftButton);
        EXPECT_FALSE(l.TemResultado());
    }
}

TEST_F(JanelaPrincipal, AlteracaoDeNomePendenteDecididaNoCadastro)
{
    const VinculoTeste& v = cadastro.a[0];
    CriarConta(Sessao(), v, 77, "ANA PAULA SOUZA LIMA", 0, 1, 2);
    CriarAlteracao(Sessao(), v, 77, "N", "ANA PAULA SOUZA LIMA");
    Abrir();
    const int c = arvore->LocalizarVinculo(1, 1, NoAlteracao, v.admissao, v.pis, v.inscricao);
    ASSERT_GT(c, 0);
    // No: the bank's name is adopted; the change node goes and the worker's node is shown.
    ap.respostas = {mrNo};
    janela->SelecionarRegistro(c);
    EXPECT_TRUE(ap.Mostrou("990301"));
    EXPECT_EQ(arvore->LocalizarVinculo(1, 1, NoAlteracao, v.admissao, v.pis, v.inscricao), -1);
    const int i = Vinculo(v);
    EXPECT_EQ(janela->IndiceSelecionado(), i);
    EXPECT_EQ(arvore->NoDoRegistro(i).Texto, "ANA PAULA SOUZA LIMA");
    EXPECT_EQ(janela->FrameAtual(), janela->frmFuncionarios());
    EXPECT_EQ(Sessao().AbrirConsulta("SELECT NO_EMPREGADO FROM SFGTBG03_EMPREGADO WHERE NU_PIS = " +
                                     std::to_string(v.pis))
                  ->Field(0)
                  .AsString(),
              "ANA PAULA SOUZA LIMA");
    EXPECT_EQ(ContarLinhas(Sessao(), "SFGTBG05_ALTERACAO_CADASTRAL"), 0);
}

// Fails the tree's query, as a lost connection would.
class SessaoSemArvore : public TDBUtils {
public:
    explicit SessaoSemArvore(TDBUtils& real) : real_(real) {}
    bool EmTransacao() const override { return real_.EmTransacao(); }
    void ConfigurarConexao() override {}
    void Confirmar() override { real_.Confirmar(); }
    void Desfazer() override { real_.Desfazer(); }
    void IniciarTransacao() override { real_.IniciarTransacao(); }
    std::unique_ptr<TResultado> AbrirConsulta(const std::string& sql) override
    {
        if (sql.find("SFGTBG02_EMPRESA EMP") != std::string::npos)
            throw EBancoDados("Error reading data from the connection.");
        return real_.AbrirConsulta(sql);
    }
    int64_t ExecutarSQL(const std::string& sql) override { return real_.ExecutarSQL(sql); }
    int64_t ExecutarSQLIndependente(const std::string& sql) override { return real_.ExecutarSQLIndependente(sql); }

protected:
    void FecharConexao() override {}

private:
    TDBUtils& real_;
};

TEST_F(JanelaPrincipal, FalhaAoCarregarAArvoreEMostradaERegistrada)
{
    SessaoSemArvore falha(*ctx.sessao);
    Abrir(&falha);
    ASSERT_EQ(ap.erros.size(), 1u);
    auto* aviso = janela->findChild<QLabel*>("lblFalhaCarga");
    ASSERT_NE(aviso, nullptr);
    EXPECT_TRUE(aviso->isVisible());
    EXPECT_FALSE(janela->tvCadastro()->isVisible());
    EXPECT_TRUE(aviso->text().contains(QString::fromUtf8("Não foi possível carregar")));
    std::ifstream log(pasta / "LogErro.log");
    std::string conteudo((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_NE(conteudo.find("Error reading data from the connection."), std::string::npos);
    EXPECT_FALSE(A("actNovoEmpresa")->isEnabled());
}

TEST_F(JanelaPrincipal, SobreESair)
{
    Abrir();
    {
        TfrmSobre sobre(Sessao(), ctx.DataEdital);
        EXPECT_EQ(sobre.windowTitle(), "Sobre o DRAV");
        EXPECT_TRUE(sobre.lblVersao()->text().startsWith(QString::fromUtf8("Versão ")));
        EXPECT_EQ(sobre.lblVigencia()->text(), QString::fromUtf8("10/12/2026 à 09/01/2027"));
        Capturar(sobre, "sobre");
    }
    std::filesystem::create_directories(pasta / "TEMP");
    std::ofstream(pasta / "TEMP" / "resto.txt") << "x";
    A("actSair")->trigger();
    EXPECT_FALSE(std::filesystem::exists(pasta / "TEMP" / "resto.txt"));
    EXPECT_FALSE(janela->isVisible());
    EXPECT_FALSE(ctx.sessao->Conectado());
}

} // namespace
} // namespace drav
