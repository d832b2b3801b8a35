// How the balance for rescission purposes follows the worker's FGTS accounts.
#include "model/Empregado.h"
#include "model/InformacaoRescisao.h"
#include "model/Vinculo.h"

#include "kit/BancoTeste.h"
#include "test_empregado_apoio.h"

#include <gtest/gtest.h>

namespace drav {
namespace {

using namespace teste;

const std::string kPis1 = "12034567899";
const std::string kPis2 = "17012345673";
const std::string kPis3 = "10000000016";
const TDateTime kAdmissao = CodificarData(2015, 3, 2);

struct Saldo {
    std::string origem;
    double valor;
};

class SaldoRescisorio : public BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        CriarEmpresa(*sessao, 1, kCnpjA, "ACME LTDA");
        CriarEmpresa(*sessao, 1, kCnpjB, "BETA S A");
    }

    void Vinculo(const std::string& pis, int64_t empresa, const std::string& origem, double saldo, int estado = 0)
    {
        TEmpregado t(*sessao);
        PreencherTrabalhador(t, pis, 1, empresa, kAdmissao);
        t.Vinculo().Rescisao().OrigemSaldo = origem;
        t.Vinculo().Rescisao().VrSaldoRescisorio = saldo;
        ASSERT_TRUE(t.Incluir());
        sessao->ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = " + std::to_string(estado) +
                            " WHERE NU_PIS = " + pis + " AND NU_INSCRICAO = " + std::to_string(empresa));
        sessao->ExecutarSQL("UPDATE SFGTBG06_INFORMACAO_RESCISAO SET VR_JAM_SALDO_RESCISORIO = 12.34 WHERE NU_PIS = " +
                            pis + " AND NU_INSCRICAO = " + std::to_string(empresa));
    }

    Saldo Ler(const std::string& pis, int64_t empresa)
    {
        auto r = sessao->AbrirConsulta("SELECT IC_ORIGEM_SALDO_RESCISORIO, VR_SALDO_RESCISORIO FROM "
                                       "SFGTBG06_INFORMACAO_RESCISAO WHERE NU_PIS = " + pis +
                                       " AND NU_INSCRICAO = " + std::to_string(empresa));
        return {r->FieldByName("IC_ORIGEM_SALDO_RESCISORIO").AsString(), r->FieldByName("VR_SALDO_RESCISORIO").AsFloat()};
    }

    bool Atualizar(const std::string& pis, int64_t empresa)
    {
        TEmpregado t(*sessao);
        return t.AtualizarSaldoRescisorio(1, 1, kAdmissao, std::stoll(pis), empresa);
    }
};

#define EXPECT_SALDO(pis, empresa, origemEsperada, valorEsperado)                                                \
    do {                                                                                                       \
        const Saldo s_ = Ler(pis, empresa);                                                                    \
        EXPECT_EQ(s_.origem, origemEsperada) << pis << " / " << empresa;                                       \
        EXPECT_DOUBLE_EQ(s_.valor, valorEsperado) << pis << " / " << empresa;                                  \
    } while (0)

// Deleting one employer's accounts used to recompute every rescission row of every employer:
// balances other employers had informed were wiped and closed links recomputed.
TEST_F(SaldoRescisorio, ExcluirAsContasDeUmaEmpresaNaoTocaAsOutras)
{
    Vinculo(kPis1, kCnpjA, "C", 1000);
    Vinculo(kPis2, kCnpjA, "E", 5000);
    Vinculo(kPis1, kCnpjB, "E", 3000);
    Vinculo(kPis2, kCnpjB, "C", 700);
    Vinculo(kPis3, kCnpjB, "C", 400, 2);
    CriarConta(*sessao, 1, kCnpjA, kPis1, 1, kAdmissao, 1, 1000);
    CriarConta(*sessao, 1, kCnpjB, kPis2, 1, kAdmissao, 2, 700);
    CriarConta(*sessao, 1, kCnpjB, kPis3, 1, kAdmissao, 3, 999);

    sessao->ExecutarSQL("DELETE FROM SFGTBG10_CONTA_EMPREGADO_FGTS WHERE NU_INSCRICAO = " + std::to_string(kCnpjA));
    TEmpregado t(*sessao);
    ASSERT_TRUE(t.RecalcularSaldosRescisorios(1, kCnpjA));

    EXPECT_SALDO(kPis1, kCnpjA, "N", 0);    // its accounts are gone
    EXPECT_SALDO(kPis2, kCnpjA, "E", 5000); // informed by the employer: kept
    EXPECT_SALDO(kPis1, kCnpjB, "E", 3000); // another employer's: untouched
    EXPECT_SALDO(kPis2, kCnpjB, "C", 700);
    EXPECT_SALDO(kPis3, kCnpjB, "C", 400);  // closed, and another employer's
    auto jam = sessao->AbrirConsulta("SELECT NU_PIS, NU_INSCRICAO, VR_JAM_SALDO_RESCISORIO FROM "
                                     "SFGTBG06_INFORMACAO_RESCISAO WHERE VR_JAM_SALDO_RESCISORIO = 0");
    ASSERT_EQ(jam->RecordCount(), 1) << "only the link that lost its accounts loses the interest";
    EXPECT_EQ(jam->FieldByName("NU_PIS").AsString(), kPis1);

    // The other employer's turn: its closed link keeps the balance its file was computed with.
    sessao->ExecutarSQL("DELETE FROM SFGTBG10_CONTA_EMPREGADO_FGTS WHERE NU_INSCRICAO = " + std::to_string(kCnpjB));
    ASSERT_TRUE(t.RecalcularSaldosRescisorios(1, kCnpjB));
    EXPECT_SALDO(kPis2, kCnpjB, "N", 0);
    EXPECT_SALDO(kPis3, kCnpjB, "C", 400);
    EXPECT_SALDO(kPis1, kCnpjB, "E", 3000);
    EXPECT_SALDO(kPis2, kCnpjA, "E", 5000);

    EXPECT_FALSE(t.RecalcularSaldosRescisorios(0, 0)) << "no employer: nothing may be swept";
}

TEST_F(SaldoRescisorio, SoContasDePisEmSituacao1EntramNaSoma)
{
    Vinculo(kPis1, kCnpjA, "E", 3000);
    // An account in situation 3 is no account of the link: the employer's balance stays.
    CriarConta(*sessao, 1, kCnpjA, kPis1, 1, kAdmissao, 9, 0, 0, 3);
    ASSERT_TRUE(Atualizar(kPis1, kCnpjA));
    EXPECT_SALDO(kPis1, kCnpjA, "E", 3000);

    CriarConta(*sessao, 1, kCnpjA, kPis1, 1, kAdmissao, 1, 1000.25, 1);
    CriarConta(*sessao, 1, kCnpjA, kPis1, 1, kAdmissao, 2, 200, 2); // name differs at the bank
    CriarConta(*sessao, 1, kCnpjA, kPis1, 1, kAdmissao, 3, 50.5, 1);
    ASSERT_TRUE(Atualizar(kPis1, kCnpjA));
    EXPECT_SALDO(kPis1, kCnpjA, "C", 1050.75);

    // The same rule whichever operation recomputes.
    sessao->ExecutarSQL("UPDATE SFGTBG06_INFORMACAO_RESCISAO SET VR_SALDO_RESCISORIO = 0");
    TEmpregado t(*sessao);
    ASSERT_TRUE(t.RecalcularSaldosRescisorios(1, kCnpjA));
    EXPECT_SALDO(kPis1, kCnpjA, "C", 1050.75);

    // Only accounts the bank holds under another name: the link has accounts, but no balance yet.
    sessao->ExecutarSQL("DELETE FROM SFGTBG10_CONTA_EMPREGADO_FGTS WHERE NU_SITUACAO_PIS = 1");
    ASSERT_TRUE(Atualizar(kPis1, kCnpjA));
    EXPECT_SALDO(kPis1, kCnpjA, "C", 0);

    EXPECT_FALSE(Atualizar("0", kCnpjA)) << "an incomplete key updates nothing";
}

} // namespace
} // namespace drav
