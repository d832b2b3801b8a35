#include "core/CodigoBarras.h"

#include "core/Datas.h"
#include "core/Excecoes.h"

#include <gtest/gtest.h>

#include <string>

namespace drav {
namespace {

// A clock stopped at the given moment whose one-second wait only counts the calls.
struct RelogioParado {
    TDateTime momento;
    int esperas = 0;
    TRelogioCodigoBarras Relogio()
    {
        return {[this] { return momento; }, [this] { ++esperas; }};
    }
};

TEST(DigitoModulo11, TabelaDeCasos)
{
    struct Caso {
        const char* digitos;
        int esperado;
    };
    const Caso casos[] = {
        {"0000000000", 0}, // sum 0
        {"1", 9},          // sum 2, remainder 2
        {"5", 1},          // sum 10, remainder 10
        {"", 0},
        {"99999999999", 7},     // sum 477
        {"34560239202", 0},     // remainder 1 also gives 0
        {"85850000012", 6},     // sum 115
        {"10000000000", 7},     // the eleventh digit from the right is weighed 4
    };
    for (const Caso& c : casos)
        EXPECT_EQ(DigitoModulo11(c.digitos), c.esperado) << c.digitos;
}

TEST(DigitoModulo11, RecusaNaoDigitos)
{
    EXPECT_THROW(DigitoModulo11("12a4"), EConversao);
    EXPECT_THROW(DigitoModulo11("12 4"), EConversao);
}

TEST(CampoLivre, DiaDoAnoAnoESegundos)
{
    struct Caso {
        TDateTime agora;
        const char* inicio; // day of year (3), last digit of the year (1), seconds (5)
    };
    const Caso casos[] = {
        {CodificarDataHora(2025, 1, 1, 0, 0, 5), "001500005"},
        {CodificarDataHora(2024, 12, 31, 23, 59, 59), "366486399"}, // leap year
        {CodificarDataHora(2023, 12, 31, 23, 59, 59), "365386399"},
        {CodificarDataHora(2023, 3, 1, 12, 0, 0), "060343200"},
        {CodificarDataHora(2020, 2, 29, 1, 2, 3), "060003723"},
    };
    for (const Caso& c : casos) {
        const std::string campo = CampoLivre(12345678000195LL, c.agora);
        ASSERT_EQ(campo.size(), 17u);
        EXPECT_EQ(campo.substr(0, 9), c.inicio) << DataHoraParaTexto(c.agora);
        EXPECT_EQ(campo.substr(9), "23456782");
    }
}

TEST(CampoLivre, InscricaoCompletadaCom14Digitos)
{
    const TDateTime agora = CodificarDataHora(2025, 1, 1, 0, 0, 5);
    struct Caso {
        int64_t inscricao;
        const char* fim; // free-field positions 10-17
    };
    const Caso casos[] = {
        {12345678000195LL, "23456782"}, // CNPJ: its characters 2 to 8
        {123456789012LL, "01234562"},   // CEI: the zero added in front, then its first six digits
        {987654LL, "00000002"},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(CampoLivre(c.inscricao, agora).substr(9), c.fim) << c.inscricao;
}

TEST(MontarCodigoBarras, CodigoCompletoELinhaDigitavel)
{
    RelogioParado relogio{CodificarDataHora(2025, 1, 1, 0, 0, 5)};
    const std::string codigo =
        MontarCodigoBarras(1, 12345678000195LL, CodificarData(2024, 3, 15), 1234.56, relogio.Relogio());

    // Worked by hand: the 43 digits without the general digit weigh 567, remainder 6, digit 5.
    EXPECT_EQ(codigo, "85850000012345602392024031500150000523456782");
    EXPECT_EQ(codigo.substr(4, 11), "00000123456");
    EXPECT_EQ(relogio.esperas, 1);

    // Blocks weigh 115, 177, 96 and 196: digits 6, 0, 3 and 2.
    EXPECT_EQ(LinhaDigitavel(codigo), "858500000126345602392020403150015003005234567822");
    EXPECT_EQ(DigitosBlocos(codigo), "6032");
}

TEST(MontarCodigoBarras, CeiComValorPequenoNoMesmoInstante)
{
    RelogioParado relogio{CodificarDataHora(2024, 6, 10, 8, 30, 0)};
    const auto a = MontarCodigoBarras(2, 123456789012LL, CodificarData(2024, 6, 20), 0.29, relogio.Relogio());
    const auto b = MontarCodigoBarras(2, 123456789012LL, CodificarData(2024, 6, 20), 0.29, relogio.Relogio());
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.substr(4, 11), "00000000029");
    EXPECT_EQ(a.substr(15, 4), "0239");
    EXPECT_EQ(a.substr(19, 8), "20240620");
    EXPECT_EQ(a.substr(27, 17), "16243060001234562");
    EXPECT_EQ(a[3] - '0', DigitoModulo11(a.substr(0, 3) + a.substr(4)));
}

TEST(MontarCodigoBarras, ValoresNoLimiteDoCampo)
{
    RelogioParado relogio{CodificarDataHora(2024, 6, 10, 8, 30, 0)};
    const TDateTime data = CodificarData(2024, 6, 20);
    EXPECT_EQ(MontarCodigoBarras(1, 1, data, 999999999.99, relogio.Relogio()).substr(4, 11), "99999999999");
    EXPECT_EQ(MontarCodigoBarras(1, 1, data, 0.0, relogio.Relogio()).substr(4, 11), "00000000000");
    EXPECT_EQ(MontarCodigoBarras(1, 1, data, 0.07, relogio.Relogio()).substr(4, 11), "00000000007");
}

TEST(MontarCodigoBarras, RecusaEntradasQueNaoCabemNoCodigo)
{
    RelogioParado relogio{CodificarDataHora(2024, 6, 10, 8, 30, 0)};
    const TDateTime data = CodificarData(2024, 6, 20);
    // Ten digits of reais would need 12 digits of centavos: an error, never a 45-digit code.
    EXPECT_THROW(MontarCodigoBarras(1, 1, data, 1000000000.00, relogio.Relogio()), ENegocio);
    EXPECT_THROW(MontarCodigoBarras(1, 1, data, 1e300, relogio.Relogio()), ENegocio);
    EXPECT_THROW(MontarCodigoBarras(1, 1, data, -0.01, relogio.Relogio()), ENegocio);
    EXPECT_THROW(MontarCodigoBarras(1, 1, NullDate, 10.0, relogio.Relogio()), ENegocio);
    EXPECT_THROW(MontarCodigoBarras(1, 123456789012345LL, data, 10.0, relogio.Relogio()), ENegocio);
    EXPECT_THROW(MontarCodigoBarras(1, -1, data, 10.0, relogio.Relogio()), ENegocio);
    EXPECT_EQ(relogio.esperas, 0) << "a refused code must not wait for the clock";
}

TEST(LinhaDigitavel, CodigoProvisorioEEntradasInvalidas)
{
    // The code a guide carries while its employer is still open.
    EXPECT_EQ(LinhaDigitavel(std::string(44, '9')), "999999999997999999999997999999999997999999999997");
    EXPECT_EQ(DigitosBlocos(std::string(44, '9')), "7777");

    std::string comLetra(44, '1');
    comLetra[20] = 'x';
    EXPECT_EQ(LinhaDigitavel(comLetra), "");
    EXPECT_EQ(LinhaDigitavel(std::string(43, '1')), "");
    EXPECT_EQ(LinhaDigitavel(std::string(45, '1')), "");
    EXPECT_THROW(DigitosBlocos(std::string(43, '1')), EConversao);
    EXPECT_THROW(DigitosBlocos(comLetra), EConversao);
}

} // namespace
} // namespace drav
