// Balance complements: the deposit a past competence owes and the sum kept in the rescission row.
#include "calc/ComplementoSaldo.h"

#include "calc/Indices.h"
#include "core/DBUtils.h"
#include "core/Resultado.h"
#include "kit/BancoTeste.h"
#include "model/Empregado.h"
#include "model/InformacaoRescisao.h"
#include "model/Vinculo.h"
#include "model/test_empregado_apoio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace drav {
namespace {

using namespace teste;

TDateTime D(int d, int m, int a) { return CodificarData(a, m, d); }

// A row whose JAM column of options after 22/09/1971 is the given index.
TIndicesSimplificados Jam(double indice)
{
    TIndicesSimplificados l;
    l.Jam[static_cast<int>(PeriodoOpcao::Maior0971)] = indice;
    return l;
}

// ---------------------------------------------------------------------------------------------------
// The rate in force: the row of the category with the latest competence not after it, whatever
// the order in which the rows arrive (the table's order alone used to decide it).
TEST(AliquotaNaCompetencia, PicksTheRateInForceWhateverTheRowOrder)
{
    std::vector<TAliquotaCompetencia> linhas = {
        {1, 1967, 1, 8}, {1, 1990, 6, 9}, {1, 2001, 1, 8.5}, {4, 1998, 1, 2}, {4, 2003, 2, 8}, {5, 1981, 6, 7}};
    struct Caso {
        int categoria, ano, mes;
        double taxa;
    };
    const Caso casos[] = {
        {1, 1966, 12, 0},  // before the first row of the category
        {1, 1967, 1, 8},   {1, 1990, 5, 8}, {1, 1990, 6, 9}, {1, 2000, 12, 9}, {1, 2024, 5, 8.5},
        {4, 1997, 12, 0},  {4, 2003, 1, 2}, {4, 2003, 2, 8}, {5, 1999, 1, 7},
        {9, 2000, 1, 0},   // a category without rows
    };
    auto menor = [](const TAliquotaCompetencia& a, const TAliquotaCompetencia& b) {
        return std::tie(a.Categoria, a.Ano, a.Mes) < std::tie(b.Categoria, b.Ano, b.Mes);
    };
    std::sort(linhas.begin(), linhas.end(), menor);
    int ordens = 0;
    do {
        for (const Caso& c : casos)
            ASSERT_DOUBLE_EQ(AliquotaNaCompetencia(linhas, c.categoria, c.ano, c.mes), c.taxa)
                << "category " << c.categoria << " " << c.mes << "/" << c.ano << ", order " << ordens;
        ++ordens;
    } while (std::next_permutation(linhas.begin(), linhas.end(), menor));
    EXPECT_EQ(ordens, 720);
}

// ---------------------------------------------------------------------------------------------------
// The deposit, over tables held in memory. The edital is March 2005.
class Deposito : public BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        c = std::make_unique<TComplementoSaldo>(*sessao, tabelas, edital);
        c->CarregaRelacionados = false;
        c->Categoria = 1;
        c->Aliquotas = {{1, 1967, 1, 8}};
        c->Vinculo().DataOpcao = D(2, 1, 1980);
    }
    double Calcular(const std::string& mes, const std::string& ano, double remuneracao)
    {
        c->MesCompetencia = mes;
        c->AnoCompetencia = ano;
        c->ValorRemuneracao = remuneracao;
        return c->CalcularDeposito();
    }
    const TDateTime edital = D(1, 3, 2005);
    TTabelasIndicesMemoria tabelas;
    std::unique_ptr<TComplementoSaldo> c;
};

TEST_F(Deposito, RateConversionsAndInterest)
{
    tabelas.AdicionarSimplificado(edital, D(1, 5, 1985), Jam(0.000001));
    tabelas.AdicionarSimplificado(edital, D(1, 7, 1995), Jam(0.25));
    tabelas.AdicionarSimplificado(edital, D(1, 1, 2005), Jam(0.0123));

    // 80 000 cruzeiros: divided by 1000 three times and by 2750 the deposit is 0.00, and the
    // interest is taken on the amount before the conversion: 80000 x 0.000001 = 0.08.
    EXPECT_DOUBLE_EQ(Calcular("05", "1985", 1000000), 0.08);
    // No conversion after June 1994: 80.00 + 80.00 x 0.25.
    EXPECT_DOUBLE_EQ(Calcular("07", "1995", 1000), 100.0);
    // Cut, never rounded: 1234.56 x 8 % = 98.7648 -> 98.76; interest 98.76 x 0.0123 = 1.214748 -> 1.21.
    EXPECT_DOUBLE_EQ(Calcular("01", "2005", 1234.56), 99.97);
    // The competence of the edital's month is not yet due under that edital: no interest is owed
    // and no index is needed.
    EXPECT_DOUBLE_EQ(Calcular("03", "2005", 1000), 80.0);
    EXPECT_EQ(Calcular("02", "2005", 1000), -1) << "due on 07/03, under this edital: owes an index the table lacks";
}

TEST_F(Deposito, RateInForceDoesNotDependOnRowOrder)
{
    tabelas.AdicionarSimplificado(edital, D(1, 1, 2004), Jam(0));
    c->Aliquotas = {{1, 2004, 1, 2}, {1, 1967, 1, 8}, {1, 2010, 1, 5}};
    EXPECT_DOUBLE_EQ(Calcular("01", "2004", 1000), 20.0);
    std::reverse(c->Aliquotas.begin(), c->Aliquotas.end());
    EXPECT_DOUBLE_EQ(Calcular("01", "2004", 1000), 20.0);
}

// A deposit that owes interest is unknown without its index: it used to be stored without the
// interest, as if that were the amount owed.
TEST_F(Deposito, MissingInterestIndexMakesTheDepositUnknown)
{
    TIndicesSimplificados semColuna;
    semColuna.Jam[static_cast<int>(PeriodoOpcao::Ate0971)] = 0.5; // another option period only
    tabelas.AdicionarSimplificado(edital, D(1, 6, 2004), semColuna);

    EXPECT_EQ(Calcular("05", "2004", 1000), -1) << "no row for the competence";
    EXPECT_EQ(Calcular("06", "2004", 1000), -1) << "a row without the link's column";

    TComplementoSaldo semEdital(*sessao, tabelas, NullDate);
    semEdital.CarregaRelacionados = false;
    semEdital.Categoria = 1;
    semEdital.Vinculo().DataOpcao = D(2, 1, 1980);
    semEdital.MesCompetencia = "01";
    semEdital.AnoCompetencia = "2004";
    semEdital.ValorRemuneracao = 1000;
    EXPECT_EQ(semEdital.CalcularDeposito(), -1) << "no index table installed";
}

TEST_F(Deposito, CompetenceChecks)
{
    c->Vinculo().DataOpcao = D(15, 3, 1990);
    c->Vinculo().DataMovimentacao = D(31, 5, 2024);
    struct Caso {
        const char *mes, *ano;
        bool permiteVazio;
        const char* codigo;
    };
    const Caso casos[] = {
        {"13", "2000", false, "0034"}, {"00", "2000", false, "0034"}, {"05", "200", false, "0034"},
        {"05", "20a0", false, "0034"}, {"12", "1966", false, "0102"}, {"02", "1990", false, "0395"},
        {"03", "1990", false, ""},     {"05", "2024", false, ""},     {"06", "2024", false, "0411"},
        {"", "2000", false, ""},       {"00", "0000", true, ""},      {"00", "0000", false, "0034"},
    };
    for (const Caso& k : casos) {
        c->MesCompetencia = k.mes;
        c->AnoCompetencia = k.ano;
        EXPECT_EQ(c->ValidarCompetencia(k.permiteVazio), std::string(k.codigo).empty()) << k.mes << "/" << k.ano;
        EXPECT_EQ(c->CodigoMensagem, k.codigo) << k.mes << "/" << k.ano;
    }
}

// ---------------------------------------------------------------------------------------------------
// Complements of a stored link and the sum the rescission row keeps.
class ComplementoBanco : public BancoTeste {
protected:
    static constexpr const char* kPis = "12034567899";
    void SetUp() override
    {
        BancoTeste::SetUp();
        CriarEmpresa(*sessao, 1, kCnpjA, "ACME LTDA");
        TEmpregado t(*sessao);
        PreencherTrabalhador(t, kPis, 1, kCnpjA);
        ASSERT_TRUE(t.Incluir());
        tabelas.AdicionarSimplificado(edital, D(1, 1, 2020), Jam(0.5));
        tabelas.AdicionarSimplificado(edital, D(1, 2, 2020), Jam(0.1));
    }
    std::unique_ptr<TComplementoSaldo> Novo(const std::string& tipo, const std::string& mes, const std::string& ano,
                                            double remuneracao)
    {
        auto c = std::make_unique<TComplementoSaldo>(*sessao, tabelas, edital);
        c->TipoInscricao = 1;
        c->Inscricao = kCnpjA;
        c->Pis = std::stoll(kPis);
        c->Categoria = 1;
        c->DataAdmissao = D(2, 3, 2015);
        c->NumeroComplemento = tipo;
        c->MesCompetencia = mes;
        c->AnoCompetencia = ano;
        c->ValorRemuneracao = remuneracao;
        return c;
    }
    std::optional<double> SomaNaRescisao()
    {
        auto r = sessao->AbrirConsulta("SELECT VR_DEPOSITO_CMPLO_SALDO FROM SFGTBG06_INFORMACAO_RESCISAO WHERE NU_PIS = " +
                                       std::string(kPis));
        if (r->FieldByName("VR_DEPOSITO_CMPLO_SALDO").IsNull())
            return std::nullopt;
        return r->FieldByName("VR_DEPOSITO_CMPLO_SALDO").AsFloat();
    }
    const TDateTime edital = D(1, 3, 2024);
    const TDateTime pagamento = D(15, 3, 2024);
    TTabelasIndicesMemoria tabelas;
};

TEST_F(ComplementoBanco, AddedComplementsSumIntoTheRescissionRowUntilTheLastIsDeleted)
{
    ASSERT_TRUE(Novo("1", "01", "2020", 1000)->IncluirComplemento(pagamento)); // 80 + 40
    ASSERT_TRUE(Novo("2", "02", "2020", 2000)->IncluirComplemento(pagamento)); // 160 + 16
    EXPECT_EQ(SomaNaRescisao(), std::optional<double>(296.0));

    auto lista = Novo("", "", "", 0);
    ASSERT_TRUE(lista->ConsultarComplementos());
    EXPECT_EQ(lista->TotalRegistros(), 2);
    EXPECT_EQ(lista->NumeroComplemento, "1");
    EXPECT_EQ(lista->MesCompetencia, "01");
    EXPECT_EQ(lista->AnoCompetencia, "2020");
    EXPECT_DOUBLE_EQ(lista->ValorDeposito, 120.0);

    auto repetido = Novo("1", "01", "2020", 500);
    EXPECT_FALSE(repetido->IncluirComplemento(pagamento));
    EXPECT_EQ(repetido->CodigoMensagem, "0292");

    ASSERT_TRUE(Novo("1", "01", "2020", 0)->Excluir(false, true));
    EXPECT_EQ(SomaNaRescisao(), std::optional<double>(176.0));
    ASSERT_TRUE(Novo("2", "02", "2020", 0)->Excluir(false, true));
    EXPECT_EQ(SomaNaRescisao(), std::nullopt) << "no complement left: no sum";

    // A link without complements still answers one row, with empty complement fields.
    ASSERT_TRUE(lista->ConsultarComplementos());
    EXPECT_EQ(lista->TotalRegistros(), 1);
    EXPECT_EQ(lista->NumeroComplemento, "");
    EXPECT_FALSE(lista->ExistemComplementos());
}

TEST_F(ComplementoBanco, MissingInterestIndexStoresNothing)
{
    auto c = Novo("1", "06", "2021", 1000); // no index row for 06/2021
    EXPECT_FALSE(c->IncluirComplemento(pagamento));
    EXPECT_EQ(c->CodigoMensagem, "0372");
    EXPECT_EQ(Contar(*sessao, "SFGTBG07_COMPLEMENTO_SALDO"), 0);
    EXPECT_EQ(SomaNaRescisao(), std::nullopt);
}

TEST_F(ComplementoBanco, AdditionIsRefused)
{
    struct Caso {
        const char *mes, *ano;
        double remuneracao;
        TDateTime pagamento;
        const char* codigo;
    };
    const Caso casos[] = {
        {"01", "2020", 1000, NullDate, "0062"}, {"", "2020", 1000, pagamento, "0278"},
        {"01", "", 1000, pagamento, "0279"},    {"01", "2020", 0, pagamento, "0274"},
        {"01", "1966", 1000, pagamento, "0102"}, {"06", "2024", 1000, pagamento, "0411"},
        {"02", "2015", 1000, pagamento, "0395"},
    };
    for (const Caso& k : casos) {
        auto c = Novo("1", k.mes, k.ano, k.remuneracao);
        EXPECT_FALSE(c->IncluirComplemento(k.pagamento)) << k.codigo;
        EXPECT_EQ(c->CodigoMensagem, k.codigo);
    }
    sessao->ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET CO_MOVIMENTACAO = 'I3' WHERE NU_PIS = " +
                        std::string(kPis));
    auto c = Novo("1", "01", "2020", 1000);
    EXPECT_FALSE(c->IncluirComplemento(pagamento));
    EXPECT_EQ(c->CodigoMensagem, "0489");
    EXPECT_EQ(Contar(*sessao, "SFGTBG07_COMPLEMENTO_SALDO"), 0);
}

// New index tables: open links' complements follow them, closed links keep what their file used.
TEST_F(ComplementoBanco, RecalculationReachesOnlyOpenLinks)
{
    const std::string outroPis = "17012345673";
    TEmpregado t(*sessao);
    PreencherTrabalhador(t, outroPis, 1, kCnpjA);
    ASSERT_TRUE(t.Incluir());
    ASSERT_TRUE(Novo("1", "01", "2020", 1000)->IncluirComplemento(pagamento));
    auto outro = Novo("1", "01", "2020", 1000);
    outro->Pis = std::stoll(outroPis);
    ASSERT_TRUE(outro->IncluirComplemento(pagamento));
    sessao->ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 2 WHERE NU_PIS = " + outroPis);

    TTabelasIndicesMemoria novas;
    const TDateTime novoEdital = D(1, 4, 2024);
    novas.AdicionarSimplificado(novoEdital, D(1, 1, 2020), Jam(0.75));
    TComplementoSaldo r(*sessao, novas, novoEdital);
    ASSERT_TRUE(r.RecalcularComplementosAbertos(-1, -1, -1)) << r.CodigoMensagem;

    auto deposito = [&](const std::string& pis) {
        return sessao->AbrirConsulta("SELECT VR_DEPOSITO FROM SFGTBG07_COMPLEMENTO_SALDO WHERE NU_PIS = " + pis)
            ->FieldByName("VR_DEPOSITO").AsFloat();
    };
    EXPECT_DOUBLE_EQ(deposito(kPis), 140.0);
    EXPECT_EQ(SomaNaRescisao(), std::optional<double>(140.0)) << "the rescission sum follows";
    EXPECT_DOUBLE_EQ(deposito(outroPis), 120.0);
}

} // namespace
} // namespace drav
