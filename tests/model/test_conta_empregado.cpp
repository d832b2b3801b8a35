// The worker's FGTS accounts: what they add up to, which ones a deletion reaches, and the checks
// the balance load applies to an account read from the bank's file.
#include "model/ContaEmpregado.h"

#include "model/Empregado.h"
#include "model/InformacaoRescisao.h"

#include "kit/BancoTeste.h"
#include "test_empregado_apoio.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace drav {
namespace {

using namespace teste;

const std::string kPis1 = "12034567899";
const std::string kPis2 = "17012345673";
const std::string kPis3 = "10000000016";
const TDateTime kAdmissao = CodificarData(2015, 3, 2);

class ContaEmpregado : public BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        CriarEmpresa(*sessao, 1, kCnpjA, "ACME LTDA");
        CriarEmpresa(*sessao, 1, kCnpjB, "BETA S A");
    }

    void Vinculo(const std::string& pis, int64_t empresa, int estado = 0)
    {
        TEmpregado t(*sessao);
        PreencherTrabalhador(t, pis, 1, empresa, kAdmissao);
        ASSERT_TRUE(t.Incluir());
        sessao->ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = " + std::to_string(estado) +
                            " WHERE NU_PIS = " + pis + " AND NU_INSCRICAO = " + std::to_string(empresa));
    }

    std::unique_ptr<TContaSaldoTrabalhador> Conta(const std::string& pis, int64_t empresa, int64_t numero = 0)
    {
        auto c = std::make_unique<TContaSaldoTrabalhador>(*sessao);
        c->TipoInscricao = 1;
        c->Inscricao = empresa;
        c->Pis = std::stoll(pis);
        c->Categoria = 1;
        c->DataAdmissao = kAdmissao;
        c->NumeroEmpregadoQueld = numero;
        return c;
    }

    // Account numbers left, over both employers.
    std::set<int64_t> Restantes()
    {
        std::set<int64_t> s;
        auto r = sessao->AbrirConsulta("SELECT NU_EMPREGADO_QUELD FROM SFGTBG10_CONTA_EMPREGADO_FGTS");
        for (r->First(); !r->IsEmpty() && !r->Eof(); r->Next())
            s.insert(r->FieldByName("NU_EMPREGADO_QUELD").AsInt64());
        return s;
    }

    std::pair<std::string, double> Saldo(const std::string& pis, int64_t empresa)
    {
        auto r = sessao->AbrirConsulta("SELECT IC_ORIGEM_SALDO_RESCISORIO, VR_SALDO_RESCISORIO FROM "
                                       "SFGTBG06_INFORMACAO_RESCISAO WHERE NU_PIS = " + pis +
                                       " AND NU_INSCRICAO = " + std::to_string(empresa));
        return {r->FieldByName("IC_ORIGEM_SALDO_RESCISORIO").AsString(), r->FieldByName("VR_SALDO_RESCISORIO").AsFloat()};
    }
};

TEST_F(ContaEmpregado, SumOfALinkWithSeveralAccountsFollowsTheOneRule)
{
    Vinculo(kPis1, kCnpjA);
    Vinculo(kPis2, kCnpjA);
    CriarConta(*sessao, 1, kCnpjA, kPis1, 1, kAdmissao, 11, 100.10);
    CriarConta(*sessao, 1, kCnpjA, kPis1, 1, kAdmissao, 12, 200.25);
    CriarConta(*sessao, 1, kCnpjA, kPis1, 1, kAdmissao, 13, 50, /*situacaoPis*/ 2);       // name differs
    CriarConta(*sessao, 1, kCnpjA, kPis1, 1, kAdmissao, 14, 999, 1, /*situacao*/ 3);      // "not found"
    CriarConta(*sessao, 1, kCnpjA, kPis2, 1, kAdmissao, 21, 70);                           // another link

    auto c = Conta(kPis1, kCnpjA);
    EXPECT_NEAR(c->SomaSaldos(), 300.35, 1e-9);
    EXPECT_TRUE(c->ExistemContasComSaldo());
    EXPECT_TRUE(c->ExistemContasPisSituacao2());

    // The rescission balance the link takes is that same sum.
    ASSERT_TRUE(c->AtualizarSaldoRescisorio());
    const auto [origem, valor] = Saldo(kPis1, kCnpjA);
    EXPECT_EQ(origem, "C");
    EXPECT_NEAR(valor, c->SomaSaldos(), 1e-9);

    ASSERT_TRUE(c->ConsultarContas());
    EXPECT_EQ(c->TotalRegistros(), 3) << "situation 3 is left out";
    ASSERT_TRUE(c->ConsultarContas({3}));
    EXPECT_EQ(c->NumeroEmpregadoQueld, 14);

    auto vazio = Conta(kPis3, kCnpjA);
    EXPECT_DOUBLE_EQ(vazio->SomaSaldos(), 0);
    EXPECT_FALSE(vazio->ExistemContasComSaldo());
}

TEST_F(ContaEmpregado, IncluirStoresTheAccountAndRefreshesTheBalance)
{
    Vinculo(kPis1, kCnpjA);
    auto c = Conta(kPis1, kCnpjA, 77);
    c->SituacaoConta = 0;
    c->SituacaoPis = 1;
    c->SaldoRescisorio = 1234.56;
    c->AnoMaiorCompetencia = 2024;
    c->MesMaiorCompetencia = 4;
    c->DataCreditoJuros = CodificarData(2024, 3, 10);
    ASSERT_TRUE(c->Incluir(true)) << c->CodigoMensagem;

    EXPECT_EQ(Saldo(kPis1, kCnpjA), std::make_pair(std::string("C"), 1234.56));
    auto lida = Conta(kPis1, kCnpjA);
    ASSERT_TRUE(lida->ConsultarPorPis("", std::stoll(kPis1)));
    EXPECT_EQ(lida->NumeroEmpregadoQueld, 77);
    EXPECT_EQ(lida->AnoMaiorCompetencia, 2024);
    EXPECT_EQ(lida->DataCreditoJuros, CodificarData(2024, 3, 10));
    auto nome = sessao->AbrirConsulta("SELECT NO_EMPREGADO FROM SFGTBG10_CONTA_EMPREGADO_FGTS");
    EXPECT_EQ(nome->FieldByName("NO_EMPREGADO").AsString(), "MARIA DA SILVA") << "the registered name is stored";

    auto repetida = Conta(kPis1, kCnpjA, 77);
    EXPECT_FALSE(repetida->Incluir(true));
    EXPECT_EQ(repetida->CodigoMensagem, "0144");
}

// ExcluirContas compared the link key as one text and deleted every account of the link even
// when one account was asked for; with "open links only" and the whole employer it deleted the
// closed links' accounts too. Each row: what is asked, on which link, and the accounts left.
TEST_F(ContaEmpregado, ExcluirContasDeletesExactlyWhatIsAsked)
{
    struct Caso {
        const char* nome;
        std::string pis;
        int64_t conta;
        bool empresaInteira, porConta, apenasAbertos;
        std::set<int64_t> restantes;
    };
    // Employer A: kPis1 open (accounts 1, 2), kPis2 closed (3), kPis3 open (4). Employer B: 9.
    const Caso casos[] = {
        {"one account", kPis1, 1, false, true, true, {2, 3, 4, 9}},
        {"one account, any state", kPis1, 2, false, true, false, {1, 3, 4, 9}},
        {"one link", kPis1, 0, false, false, true, {3, 4, 9}},
        {"a closed link, open only", kPis2, 0, false, false, true, {1, 2, 3, 4, 9}},
        {"a closed link, any state", kPis2, 0, false, false, false, {1, 2, 4, 9}},
        {"employer, open only", kPis1, 0, true, false, true, {3, 9}},
        {"employer, any state", kPis1, 0, true, false, false, {9}},
        {"employer, one account number", kPis1, 4, true, true, true, {1, 2, 3, 9}},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        sessao->ExecutarSQL("DELETE FROM SFGTBG10_CONTA_EMPREGADO_FGTS");
        sessao->ExecutarSQL("DELETE FROM SFGTBG06_INFORMACAO_RESCISAO");
        sessao->ExecutarSQL("DELETE FROM SFGTBG04_VINCULO_EMPREGATICIO");
        sessao->ExecutarSQL("DELETE FROM SFGTBG03_EMPREGADO");
        Vinculo(kPis1, kCnpjA);
        Vinculo(kPis2, kCnpjA, 2);
        Vinculo(kPis3, kCnpjA);
        Vinculo(kPis1, kCnpjB);
        CriarConta(*sessao, 1, kCnpjA, kPis1, 1, kAdmissao, 1, 10);
        CriarConta(*sessao, 1, kCnpjA, kPis1, 1, kAdmissao, 2, 20);
        CriarConta(*sessao, 1, kCnpjA, kPis2, 1, kAdmissao, 3, 30);
        CriarConta(*sessao, 1, kCnpjA, kPis3, 1, kAdmissao, 4, 40);
        CriarConta(*sessao, 1, kCnpjB, kPis1, 1, kAdmissao, 9, 90);

        auto c = Conta(k.pis, kCnpjA, k.conta);
        ASSERT_TRUE(c->ExcluirContas(k.empresaInteira, k.porConta, k.apenasAbertos)) << c->CodigoMensagem;
        EXPECT_EQ(Restantes(), k.restantes);
    }
}

TEST_F(ContaEmpregado, ExcluirContasLeavesTheBalanceOfWhatRemains)
{
    Vinculo(kPis1, kCnpjA);
    Vinculo(kPis2, kCnpjA);
    CriarConta(*sessao, 1, kCnpjA, kPis1, 1, kAdmissao, 1, 10);
    CriarConta(*sessao, 1, kCnpjA, kPis1, 1, kAdmissao, 2, 20);
    CriarConta(*sessao, 1, kCnpjA, kPis2, 1, kAdmissao, 3, 30);
    TEmpregado t(*sessao);
    ASSERT_TRUE(t.RecalcularSaldosRescisorios(1, kCnpjA));
    ASSERT_EQ(Saldo(kPis1, kCnpjA), std::make_pair(std::string("C"), 30.0));

    auto um = Conta(kPis1, kCnpjA, 2);
    ASSERT_TRUE(um->ExcluirContas(false, true, true));
    EXPECT_EQ(Saldo(kPis1, kCnpjA), std::make_pair(std::string("C"), 10.0));
    auto outro = Conta(kPis2, kCnpjA);
    ASSERT_TRUE(outro->ExcluirContas(false, false, true));
    EXPECT_EQ(Saldo(kPis2, kCnpjA), std::make_pair(std::string("N"), 0.0)) << "no account left";
    EXPECT_EQ(Saldo(kPis1, kCnpjA), std::make_pair(std::string("C"), 10.0));
}

TEST_F(ContaEmpregado, ChecksOfAnAccountReadFromTheBankFile)
{
    struct Caso {
        int situacao, situacaoPis;
        int64_t numero;
        double saldo;
        int ano, mes, situacaoEmpresa;
        TDateTime juros;
        const char* codigo; // the first check that fails, in the order the load runs them
    };
    const TDateTime juros = CodificarData(2020, 1, 10);
    const Caso casos[] = {
        {0, 1, 5, 100, 2005, 6, 0, juros, ""},
        {4, 1, 5, 0, 2005, 6, 0, juros, "0216"},
        {3, 0, 5, 0, 0, 0, 0, juros, "0282"},
        {1, 1, 5, 100, 2005, 6, 0, juros, "0379"},
        {0, 3, 5, 100, 2005, 6, 0, juros, "0285"},
        {3, 1, 0, 0, 0, 0, 0, juros, "0345"},
        {3, 0, 0, 0, 2005, 0, 0, juros, "0286"},
        {3, 0, 0, 0, 0, 6, 0, juros, "0286"},
        {1, 1, 5, 0, 2005, 13, 0, juros, "0034"},
        {1, 1, 5, 0, 1966, 6, 0, juros, "0102"},
        {1, 1, 5, 0, 2005, 6, 1, juros, "0346"},
        {1, 1, 5, 0, 2005, 6, 0, NullDate, "0369"},
        {1, 1, 5, 0, 2005, 6, 0, CodificarData(1966, 12, 31), "0369"},
    };
    for (const Caso& k : casos) {
        auto c = Conta(kPis1, kCnpjA, k.numero);
        c->SituacaoConta = k.situacao;
        c->SituacaoPis = k.situacaoPis;
        c->SaldoRescisorio = k.saldo;
        c->AnoMaiorCompetencia = k.ano;
        c->MesMaiorCompetencia = k.mes;
        c->SituacaoContaEmpresa = k.situacaoEmpresa;
        c->DataCreditoJuros = k.juros;
        std::string codigo;
        for (auto check : {&TContaSaldoTrabalhador::ValidarSituacaoConta, &TContaSaldoTrabalhador::ValidarContaSituacao3,
                           &TContaSaldoTrabalhador::ValidarSaldoSituacao, &TContaSaldoTrabalhador::ValidarSituacaoPis,
                           &TContaSaldoTrabalhador::ValidarMaiorCompetencia,
                           &TContaSaldoTrabalhador::ValidarDataCreditoJuros})
            if (!((*c).*check)()) {
                codigo = c->CodigoMensagem;
                break;
            }
        EXPECT_EQ(codigo, k.codigo) << "situation " << k.situacao << ", PIS " << k.situacaoPis << ", " << k.mes << "/"
                                    << k.ano;
    }
}

} // namespace
} // namespace drav
