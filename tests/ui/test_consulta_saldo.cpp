// The loaded-balance consultation: employer totals, and what deleting accounts does to the links'
// balances, the name changes and the rows shown.
#include "ui/consultasaldo/TfrmConsultaSaldoCarregadoIS.h"

#include "core/DBUtils.h"
#include "core/Formatacao.h"
#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "core/Resultado.h"
#include "kit/ApresentadorTeste.h"
#include "kit/BancoTeste.h"

#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

namespace drav {
namespace {

using Col = TfrmConsultaSaldoCarregadoIS;

class JanelaConsultaSaldo : public teste::BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        Empresa("1, 11222333000181", "acme industria");
        Empresa("2, 123456789012", "BETA OBRAS");
        Empresa("1, 33444555000166", "GAMA SEM CONTAS");
        // ACME: Maria (open) with three accounts, two under names the bank holds differently;
        // Joao marked; Carla closed; Davi open with only a "no account" answer.
        Vinculo(kAcme, "12034567899", "MARIA SILVA", 0);
        Conta(kAcme, "12034567899", 1001, 100.50, 2);
        Conta(kAcme, "12034567899", 1002, 50.00, 2);
        Conta(kAcme, "12034567899", 1003, 70.00, 1);
        Alteracao(kAcme, "12034567899", 1001, "N");
        Alteracao(kAcme, "12034567899", 1002, "N");
        Vinculo(kAcme, "10000000001", "JOAO SOUZA", 1);
        Conta(kAcme, "10000000001", 2001, 200.00, 1);
        Vinculo(kAcme, "10000000002", "CARLA DIAS", 2);
        Conta(kAcme, "10000000002", 3001, 30.00, 1);
        Alteracao(kAcme, "10000000002", 3001, "N");
        Vinculo(kAcme, "10000000003", "DAVI LIMA", 0);
        sessao->ExecutarSQL("INSERT INTO SFGTBG10_CONTA_EMPREGADO_FGTS (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NO_EMPREGADO, NU_EMPREGADO_QUELD, "
                            "NU_SITUACAO_CONTA_EMPREGADO, NU_SITUACAO_PIS, VR_SALDO_RESCISORIO) VALUES (" +
                            std::string(kAcme) + ", 10000000003, 1, '2015-03-02', 'DAVI LIMA', 0, 3, 0, 999)");
        Vinculo(kBeta, "10000000004", "PEDRO ALVES", 0);
        Conta(kBeta, "10000000004", 4001, 1234.56, 1);
        Saldos(); // every link starts with the balance its accounts give
    }

    static constexpr const char* kAcme = "1, 11222333000181";
    static constexpr const char* kBeta = "2, 123456789012";

    void Empresa(const std::string& chave, const std::string& nome)
    {
        sessao->ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
                            "IC_ESTADO_EMPRESA) VALUES (" + chave + ", '" + nome + "', 'E')");
    }
    void Vinculo(const std::string& empresa, const std::string& pis, const std::string& nome, int estado)
    {
        sessao->ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES (" + pis + ", '" + nome +
                            "')");
        const std::string chave = empresa + ", " + pis + ", 1, '2015-03-02'";
        const std::string colunas = "NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO";
        sessao->ExecutarSQL("INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (" + colunas + ", IC_ESTADO_MOVIMENTO) VALUES (" +
                            chave + ", " + std::to_string(estado) + ")");
        sessao->ExecutarSQL("INSERT INTO SFGTBG06_INFORMACAO_RESCISAO (" + colunas + ") VALUES (" + chave + ")");
    }
    void Conta(const std::string& empresa, const std::string& pis, int numero, double saldo, int situacaoPis)
    {
        sessao->ExecutarSQL("INSERT INTO SFGTBG10_CONTA_EMPREGADO_FGTS (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NO_EMPREGADO, NU_EMPREGADO_QUELD, "
                            "NU_SITUACAO_CONTA_EMPREGADO, NU_SITUACAO_PIS, VR_SALDO_RESCISORIO, DT_CREDITO_JUROS) "
                            "VALUES (" + empresa + ", " + pis + ", 1, '2015-03-02', (SELECT NO_EMPREGADO FROM "
                            "SFGTBG03_EMPREGADO WHERE NU_PIS = " + pis + "), " +
                            std::to_string(numero) + ", 0, " + std::to_string(situacaoPis) + ", " +
                            std::to_string(saldo) + ", '2024-01-10')");
    }
    void Alteracao(const std::string& empresa, const std::string& pis, int conta, const std::string& confirmacao)
    {
        sessao->ExecutarSQL("INSERT INTO SFGTBG05_ALTERACAO_CADASTRAL (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_TIPO_ALTERACAO, DE_CONTEUDO_ANTERIOR, "
                            "IC_CONFIRMACAO, NU_EMPREGADO_QUELD_ALT_CDSTL) VALUES (" + empresa + ", " + pis +
                            ", 1, '2015-03-02', 406, 'NOME BANCO', '" + confirmacao + "', " + std::to_string(conta) +
                            ")");
    }
    void Saldos()
    {
        sessao->ExecutarSQL("UPDATE SFGTBG06_INFORMACAO_RESCISAO I SET IC_ORIGEM_SALDO_RESCISORIO = 'C', "
                            "VR_SALDO_RESCISORIO = COALESCE((SELECT SUM(C.VR_SALDO_RESCISORIO) FROM "
                            "SFGTBG10_CONTA_EMPREGADO_FGTS C WHERE C.NU_PIS = I.NU_PIS AND C.NU_SITUACAO_PIS = 1 "
                            "AND C.NU_SITUACAO_CONTA_EMPREGADO <> 3), 0)");
    }

    std::string Saldo(const std::string& pis)
    {
        auto r = sessao->AbrirConsulta("SELECT IC_ORIGEM_SALDO_RESCISORIO, VR_SALDO_RESCISORIO FROM "
                                       "SFGTBG06_INFORMACAO_RESCISAO WHERE NU_PIS = " + pis);
        return r->FieldByName("IC_ORIGEM_SALDO_RESCISORIO").AsString() + " " +
               FormatarValor(r->FieldByName("VR_SALDO_RESCISORIO").AsFloat());
    }
    std::string Contas(const std::string& pis)
    {
        auto r = sessao->AbrirConsulta("SELECT LIST(NU_EMPREGADO_QUELD, ',') AS L FROM (SELECT NU_EMPREGADO_QUELD "
                                       "FROM SFGTBG10_CONTA_EMPREGADO_FGTS WHERE NU_PIS = " + pis +
                                       " ORDER BY NU_EMPREGADO_QUELD)");
        return r->FieldByName("L").AsString();
    }
    std::string Alteracoes()
    {
        auto r = sessao->AbrirConsulta("SELECT LIST(NU_EMPREGADO_QUELD_ALT_CDSTL, ',') AS L FROM (SELECT "
                                       "NU_EMPREGADO_QUELD_ALT_CDSTL FROM SFGTBG05_ALTERACAO_CADASTRAL ORDER BY 1)");
        return r->FieldByName("L").AsString();
    }
    std::vector<std::string> Codigos() const
    {
        std::vector<std::string> r;
        for (const std::string& t : ap.textos)
            r.push_back(t.substr(0, 6));
        return r;
    }
    static QStringList Coluna(const QTreeWidget* g, int c)
    {
        QStringList r;
        for (int i = 0; i < g->topLevelItemCount(); ++i)
            r << g->topLevelItem(i)->text(c);
        return r;
    }
    static void Selecionar(QTreeWidget* g, int coluna, const QString& texto)
    {
        for (int i = 0; i < g->topLevelItemCount(); ++i)
            if (g->topLevelItem(i)->text(coluna) == texto) {
                g->setCurrentItem(g->topLevelItem(i));
                return;
            }
        FAIL() << "sem a linha " << texto.toStdString();
    }

    teste::ApresentadorGravado ap;
};

TEST_F(JanelaConsultaSaldo, TotaisPorEmpresaEContasDaEmpresa)
{
    TMensagens m(sessao.get(), ap);
    TfrmConsultaSaldoCarregadoIS f(*sessao, m);
    const QTreeWidget* e = f.grdEmpresas();
    // No account in situation 3 counts; an employer without accounts is not listed.
    EXPECT_EQ(Coluna(e, Col::ceInscricao), (QStringList{"123456789012", "11.222.333/0001-81"}));
    EXPECT_EQ(Coluna(e, Col::ceRazaoSocial), (QStringList{"BETA OBRAS", "ACME INDUSTRIA"}));
    EXPECT_EQ(Coluna(e, Col::ceSaldo), (QStringList{"1.234,56", "450,50"}));
    EXPECT_FALSE(f.btnImprimir()->isEnabled());

    Selecionar(f.grdEmpresas(), Col::ceInscricao, "11.222.333/0001-81");
    f.pgcAbas()->setCurrentIndex(1);
    QTreeWidget* t = f.grdTrabalhadores();
    ASSERT_EQ(t->topLevelItemCount(), 5);
    Selecionar(t, Col::ctConta, "1001");
    const QTreeWidgetItem* l = t->currentItem();
    EXPECT_EQ(l->text(Col::ctPis).toStdString(), "120.34567.89-9");
    EXPECT_EQ(l->text(Col::ctCategoria).toStdString(), "01");
    EXPECT_EQ(l->text(Col::ctAdmissao).toStdString(), "02/03/2015");
    EXPECT_EQ(l->text(Col::ctDataJuros).toStdString(), "10/01/2024");
    EXPECT_EQ(l->text(Col::ctSaldo).toStdString(), "100,50");

    // Sorting by balance compares amounts, not texts.
    t->sortByColumn(Col::ctSaldo, Qt::AscendingOrder);
    EXPECT_EQ(Coluna(t, Col::ctSaldo), (QStringList{"30,00", "50,00", "70,00", "100,50", "200,00"}));

    // Finding a worker by name or PIS (several accounts: the user picks one); nothing found is said.
    EXPECT_TRUE(f.Localizar("joao"));
    EXPECT_EQ(t->currentItem()->text(Col::ctConta), "2001");
    QStringList oferecidas;
    f.EscolherEntre = [&](const QStringList& opcoes) {
        oferecidas = opcoes;
        for (int i = 0; i < opcoes.size(); ++i)
            if (opcoes[i].contains("70,00"))
                return i;
        return -1;
    };
    EXPECT_TRUE(f.Localizar("120.34567.89-9"));
    EXPECT_EQ(oferecidas.size(), 3);
    EXPECT_EQ(t->currentItem()->text(Col::ctConta), "1003");
    EXPECT_FALSE(f.Localizar("ninguem"));
    EXPECT_EQ(Codigos(), (std::vector<std::string>{"SR0092"}));
}

TEST_F(JanelaConsultaSaldo, ExcluirContaRecalculaSoAqueleVinculo)
{
    TMensagens m(sessao.get(), ap);
    TfrmConsultaSaldoCarregadoIS f(*sessao, m);
    int avisosArvore = 0;
    f.AoAlterarContas = [&] { ++avisosArvore; };
    Selecionar(f.grdEmpresas(), Col::ceInscricao, "11.222.333/0001-81");
    f.pgcAbas()->setCurrentIndex(1);
    QTreeWidget* t = f.grdTrabalhadores();

    // Answered No: nothing happens.
    Selecionar(t, Col::ctConta, "1001");
    f.btnExcluir()->click();
    EXPECT_EQ(Contas("12034567899"), "1001,1002,1003");

    // An account under a differing name takes its own name change, not the link's other one.
    ap.respostas = {mrYes};
    f.btnExcluir()->click();
    EXPECT_EQ(Contas("12034567899"), "1002,1003");
    EXPECT_EQ(Alteracoes(), "1002,3001");
    EXPECT_EQ(Saldo("12034567899"), "C 70,00");
    EXPECT_EQ(Saldo("10000000001"), "C 200,00");
    EXPECT_EQ(Contas("10000000001"), "2001");
    EXPECT_EQ(Coluna(f.grdEmpresas(), Col::ceSaldo), (QStringList{"1.234,56", "350,00"}));
    EXPECT_EQ(t->topLevelItemCount(), 4);

    // The counted account goes: the one left is not counted while its name differs.
    ap.respostas = {mrYes};
    Selecionar(t, Col::ctConta, "1003");
    f.btnExcluir()->click();
    EXPECT_EQ(Saldo("12034567899"), "C 0,00");

    ap.respostas = {mrYes};
    Selecionar(t, Col::ctConta, "1002");
    f.btnExcluir()->click();
    EXPECT_EQ(Saldo("12034567899"), "N 0,00");
    EXPECT_EQ(Alteracoes(), "3001");

    // A closed link keeps its account.
    ap.respostas = {mrYes};
    Selecionar(t, Col::ctConta, "3001");
    f.btnExcluir()->click();
    EXPECT_EQ(Contas("10000000002"), "3001");
    EXPECT_EQ(t->topLevelItemCount(), 2);
    EXPECT_EQ(Coluna(f.grdEmpresas(), Col::ceSaldo), (QStringList{"1.234,56", "230,00"}));

    EXPECT_EQ(Codigos(), (std::vector<std::string>{"SR0036", "SR0036", "SR0068", "SR0036", "SR0068", "SR0036",
                                                    "SR0068", "SR0036", "SR0231"}));
    EXPECT_EQ(avisosArvore, 3);
}

TEST_F(JanelaConsultaSaldo, UltimaContaExcluidaVoltaParaAsEmpresas)
{
    TMensagens m(sessao.get(), ap);
    TfrmConsultaSaldoCarregadoIS f(*sessao, m);
    Selecionar(f.grdEmpresas(), Col::ceInscricao, "123456789012");
    f.pgcAbas()->setCurrentIndex(1);
    ap.respostas = {mrYes};
    f.btnExcluir()->click();
    EXPECT_EQ(f.pgcAbas()->currentIndex(), 0);
    EXPECT_EQ(Coluna(f.grdEmpresas(), Col::ceInscricao), (QStringList{"11.222.333/0001-81"}));
    EXPECT_EQ(Saldo("10000000004"), "N 0,00");

    // Accounts removed elsewhere while the window was open: the worker tab is refused.
    sessao->ExecutarSQL("DELETE FROM SFGTBG10_CONTA_EMPREGADO_FGTS");
    ap.textos.clear();
    f.pgcAbas()->setCurrentIndex(1);
    EXPECT_EQ(f.pgcAbas()->currentIndex(), 0);
    EXPECT_EQ(Codigos(), (std::vector<std::string>{"SR0214"}));
}

TEST_F(JanelaConsultaSaldo, ExcluirContasDaEmpresa)
{
    TMensagens m(sessao.get(), ap);
    TfrmConsultaSaldoCarregadoIS f(*sessao, m);
    ap.respostas = {mrYes};
    Selecionar(f.grdEmpresas(), Col::ceInscricao, "11.222.333/0001-81");
    f.btnExcluir()->click();
    // Only the closed link's account stays, with its pending name change; the row shows it.
    EXPECT_EQ(Contas("12034567899") + "|" + Contas("10000000001") + "|" + Contas("10000000002"), "||3001");
    EXPECT_EQ(Alteracoes(), "3001");
    EXPECT_EQ(Saldo("12034567899"), "N 0,00");
    EXPECT_EQ(Saldo("10000000002"), "C 30,00");
    EXPECT_EQ(Coluna(f.grdEmpresas(), Col::ceSaldo), (QStringList{"1.234,56", "30,00"}));

    ap.respostas = {mrYes};
    Selecionar(f.grdEmpresas(), Col::ceInscricao, "123456789012");
    f.btnExcluir()->click();
    EXPECT_EQ(Coluna(f.grdEmpresas(), Col::ceInscricao), (QStringList{"11.222.333/0001-81"}));
    EXPECT_EQ(Contas("10000000004"), "");
    EXPECT_EQ(Codigos(), (std::vector<std::string>{"SR0036", "SR0362", "SR0036", "SR0068"}));
}

TEST_F(JanelaConsultaSaldo, ComandoSemContasAvisaENaoAbre)
{
    ContextoAplicacao ctx;
    ctx.sessao = std::move(sessao);
    TMensagens m(ctx.sessao.get(), ap);
    int arvore = 0;

    // With accounts the window opens (closed here as soon as it shows).
    bool abriu = false;
    QTimer::singleShot(0, [&] {
        if (auto* w = QApplication::activeModalWidget()) {
            abriu = w->objectName() == "frmConsultaSaldoCarregadoIS";
            w->close();
        }
    });
    ConsultarSaldosCarregados(nullptr, ctx, m, [&] { ++arvore; });
    EXPECT_TRUE(abriu);
    EXPECT_TRUE(ap.textos.empty());

    // An account in situation 3 alone is no account.
    ctx.sessao->ExecutarSQL("DELETE FROM SFGTBG10_CONTA_EMPREGADO_FGTS WHERE NU_SITUACAO_CONTA_EMPREGADO <> 3");
    abriu = false;
    QTimer::singleShot(0, [&] {
        if (auto* w = QApplication::activeModalWidget()) {
            abriu = true;
            w->close();
        }
    });
    ConsultarSaldosCarregados(nullptr, ctx, m, [&] { ++arvore; });
    QApplication::processEvents();
    EXPECT_FALSE(abriu);
    EXPECT_EQ(Codigos(), (std::vector<std::string>{"SR0178"}));
    EXPECT_EQ(arvore, 0);
    sessao = std::move(ctx.sessao);
}

} // namespace
} // namespace drav
