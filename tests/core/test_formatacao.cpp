// Formatting of amounts, identifiers, dates and fixed-width fields.
#include "core/Formatacao.h"

#include "core/CodigoBarras.h"
#include "core/Conversao.h"
#include "core/Excecoes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>

using namespace drav;

namespace {

// Brazilian text of a whole number of centavos, built from integers only.
std::string TextoDeCentavos(long long centavos, char milhar, char decimal)
{
    const bool negativo = centavos < 0;
    const unsigned long long a = negativo ? 0ULL - static_cast<unsigned long long>(centavos) : centavos;
    const std::string inteiro = std::to_string(a / 100);
    std::string agrupado;
    for (std::size_t i = 0; i < inteiro.size(); ++i) {
        if (milhar && i > 0 && (inteiro.size() - i) % 3 == 0)
            agrupado += milhar;
        agrupado += inteiro[i];
    }
    const unsigned long long c = a % 100;
    return (negativo && a != 0 ? "-" : "") + agrupado + decimal + (c < 10 ? "0" : "") + std::to_string(c);
}

} // namespace

TEST(FormatarValor, Tabela)
{
    struct Caso {
        double valor;
        const char* esperado;
    };
    const Caso casos[] = {
        {0.0, "0,00"},
        {1234.5, "1.234,50"},
        {999.0, "999,00"},
        {1000.0, "1.000,00"},
        {-1234567.891, "-1.234.567,89"},
        {0.125, "0,13"},         // half away from zero
        {-0.125, "-0,13"},
        {1.005, "1,01"},         // held as 1.00499999..., shown as typed
        {2.675, "2,68"},
        {999.995, "1.000,00"},   // the carry reaches the thousands
        {-0.001, "0,00"},        // no "-0,00"
        {1e15, "1.000.000.000.000.000,00"},
        {0.1 + 0.2, "0,30"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(FormatarValor(c.valor), c.esperado) << c.valor;
    EXPECT_EQ(FormatarValorPonto(1234.5), "1234.50");
    EXPECT_EQ(FormatarValorPonto(-0.5), "-0.50");
    EXPECT_EQ(FormatarValorPonto(0.0), "0.00");
    EXPECT_THROW(FormatarValor(std::numeric_limits<double>::quiet_NaN()), EConversao);
    EXPECT_THROW(FormatarValor(std::numeric_limits<double>::infinity()), EConversao);
}

TEST(TextoGeral, QuinzeDigitosSignificativos)
{
    EXPECT_EQ(TextoGeral(1234.5), "1234,5");
    EXPECT_EQ(TextoGeral(0.29), "0,29");
    EXPECT_EQ(TextoGeral(0.29 * 100), "29");
    EXPECT_EQ(TextoGeral(-2.5), "-2,5");
    EXPECT_EQ(TextoGeral(0.0), "0");
    EXPECT_EQ(TextoGeral(0.00001), "0,00001");
    EXPECT_EQ(TextoGeral(1.5e-7), "1,5E-7");
    EXPECT_EQ(TextoGeral(123456789012345.0), "123456789012345");
    EXPECT_EQ(TextoGeral(1e20), "1E20");
}

TEST(TruncarDecimais, CortaPeloTextoDeQuinzeDigitos)
{
    struct Caso {
        double valor;
        int casas;
        double esperado;
    };
    const Caso casos[] = {
        {0.29, 2, 0.29},  // 0.29 * 100 is 28.999999999999996 in binary
        {1.15, 2, 1.15},
        {4.35, 2, 4.35},
        {8.2, 2, 8.2},
        {2.999, 2, 2.99},
        {-2.999, 2, -2.99}, // toward zero
        {0.001, 2, 0.0},
        {-0.001, 2, 0.0},
        {7.9, 0, 7.0},
        {0.1 + 0.2, 2, 0.3},
        {1234.5678, 3, 1234.567},
        {123456789012.349, 2, 123456789012.34},
        {1e17, 2, 1e17},
    };
    for (const auto& c : casos)
        EXPECT_EQ(TruncarDecimais(c.valor, c.casas), c.esperado) << c.valor << " casas " << c.casas;
    EXPECT_FALSE(std::signbit(TruncarDecimais(-0.001, 2)));
}

// Whole centavos and thousandths generated at random, checked against integer arithmetic.
TEST(Valores, IdaEVoltaContraAritmeticaInteira)
{
    std::mt19937_64 gerador(20240611);
    std::uniform_int_distribution<long long> centavosDist(-10'000'000'000'000LL, 10'000'000'000'000LL);
    std::uniform_int_distribution<long long> pequenoDist(-1'000'000LL, 1'000'000LL);
    for (int i = 0; i < 20000; ++i) {
        const long long c = i % 2 ? centavosDist(gerador) : pequenoDist(gerador);
        const double v = static_cast<double>(c) / 100.0;
        const std::string texto = FormatarValor(v);
        ASSERT_EQ(texto, TextoDeCentavos(c, '.', ',')) << c;
        ASSERT_EQ(FormatarValorPonto(v), TextoDeCentavos(c, 0, '.')) << c;
        ASSERT_EQ(StrToValor(texto), v) << texto;
        ASSERT_EQ(TruncarDecimais(v, 2), v) << c;
        ASSERT_EQ(CentavosArredondados(v), c);
        const std::string campo = std::to_string(std::llabs(c));
        ASSERT_EQ(LerValor15(std::string(15 - campo.size(), '0') + campo), static_cast<double>(std::llabs(c)) / 100.0);
    }
    // Thousandths: the cut drops the third decimal, the display rounds it half away from zero.
    std::uniform_int_distribution<long long> milesimosDist(-100'000'000'000LL, 100'000'000'000LL);
    for (int i = 0; i < 20000; ++i) {
        const long long m = milesimosDist(gerador);
        const double v = static_cast<double>(m) / 1000.0;
        ASSERT_EQ(TruncarDecimais(v, 2), static_cast<double>(m / 10) / 100.0) << m;
        const long long a = std::llabs(m);
        const long long arredondado = (a / 10 + (a % 10 >= 5 ? 1 : 0)) * (m < 0 ? -1 : 1);
        ASSERT_EQ(FormatarValor(v), TextoDeCentavos(arredondado, '.', ',')) << m;
    }
}

TEST(FormatarIdentificadores, CnpjPisEMascara)
{
    EXPECT_EQ(FormatarCNPJ("123"), "00.000.000/0001-23");
    EXPECT_EQ(FormatarCNPJ("12.345.678/0001-95"), "12.345.678/0001-95");
    EXPECT_EQ(FormatarCNPJ(""), "00.000.000/0000-00");
    EXPECT_EQ(FormatarCNPJ("123456789012345"), "123456789012345"); // never cut
    EXPECT_EQ(FormatarPIS("1234567890"), "012.34567.89-0");
    EXPECT_EQ(FormatarPIS("12345678901"), "123.45678.90-1");
    EXPECT_EQ(FormatarPIS("   "), "");

    struct Caso {
        const char* digitos;
        const char* tipo;
        const char* esperado;
    };
    const Caso casos[] = {
        {"1", "CNPJ", "1"},
        {"12", "CNPJ", "12"},
        {"123", "CNPJ", "12.3"},
        {"12345678", "CNPJ", "12.345.678"},
        {"123456789", "CNPJ", "12.345.678/9"},
        {"12345678000195", "CNPJ", "12.345.678/0001-95"},
        {"123456780001951", "CNPJ", "12.345.678/0001-951"},
        {"12.345", "CNPJ", "12.345"}, // formatting again changes nothing
        {"1234", "PIS", "123.4"},
        {"12345678901", "PIS", "123.45678.90-1"},
        {"1234", "CPF", "1234"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(FormatarMascara(c.digitos, c.tipo), c.esperado) << c.digitos << " " << c.tipo;
}

TEST(FormatarData, DatasVaziasEInvalidas)
{
    EXPECT_EQ(FormatarData(NullDate), "00/00/0000");
    EXPECT_EQ(FormatarData(DataInvalida), "");
    EXPECT_EQ(FormatarData(0.0), "");                       // 30/12/1899
    EXPECT_EQ(FormatarData(CodificarData(1900, 1, 1)), ""); // the first day counts as no date
    EXPECT_EQ(FormatarData(CodificarData(1900, 1, 2)), "02/01/1900");
    EXPECT_EQ(FormatarData(CodificarDataHora(2024, 2, 29, 23, 59, 59)), "29/02/2024");

    const TDateTime d = CodificarDataHora(2005, 2, 5, 7, 8, 9, 45);
    EXPECT_EQ(FormatarDataHora("ddmmyyyy", d), "05022005");
    EXPECT_EQ(FormatarDataHora("yyyymmdd", d), "20050205");
    EXPECT_EQ(FormatarDataHora("DD/MM/YYYY", d), "05/02/2005");
    EXPECT_EQ(FormatarDataHora("dd/mm/yyyy hh:mm:ss", d), "05/02/2005 07:08:09");
    EXPECT_EQ(FormatarDataHora("hh:nn:ss,zzz", d), "07:08:09,045");
    EXPECT_EQ(FormatarDataHora("d/m/yy 'dia' h", d), "5/2/05 dia 7");
    EXPECT_EQ(FormatarDataOuZeros("ddmmyyyy", false, d), "05022005");
    EXPECT_EQ(FormatarDataOuZeros("DD/MM/YYYY", true, NullDate), "");
    EXPECT_EQ(FormatarDataOuZeros("DD/MM/YYYY", false, NullDate), "00000000");
    EXPECT_EQ(FormatarDataOuZeros("ddmmyyyy", false, 0.0), "00000000");
}

TEST(MesesEntre, AnosEMeses)
{
    EXPECT_EQ(MesesEntre(CodificarData(2024, 3, 1), CodificarData(2023, 11, 30)), 4);
    EXPECT_EQ(MesesEntre(CodificarData(2023, 11, 30), CodificarData(2024, 3, 1)), -4);
    EXPECT_EQ(MesesEntre(CodificarData(2024, 3, 31), CodificarData(2024, 3, 1)), 0);
}

TEST(TextoPeriodoProrata, FormasCurtaELonga)
{
    EXPECT_EQ(TextoPeriodoProrata(CodificarData(2024, 3, 15), true), "10/03/2024 à 09/04/2024");
    EXPECT_EQ(TextoPeriodoProrata(CodificarData(2024, 3, 15), false), "(entre 10/03/2024 e 09/04/2024)");
    EXPECT_EQ(TextoPeriodoProrata(CodificarData(2023, 12, 1), true), "10/12/2023 à 09/01/2024");
    EXPECT_EQ(TextoPeriodoProrata(NullDate, true), "");
}

TEST(Preencher, TextosContamCaracteresNaoBytes)
{
    struct Caso {
        const char* texto;
        char caractere;
        bool esquerda;
        int largura;
        const char* esperado;
    };
    const Caso casos[] = {
        {"ABC", ' ', false, 5, "ABC  "},
        {"ABC", ' ', true, 5, "  ABC"},
        {"ABCDEF", ' ', false, 3, "ABC"},
        {"12", '0', true, 4, "0012"},
        {"JOSÉ", ' ', false, 6, "JOSÉ  "}, // six characters, seven bytes
        {"ÁÉÍÓ", ' ', false, 2, "ÁÉ"},     // never half a character
        {"ABC", ' ', false, 0, ""},
    };
    for (const auto& c : casos)
        EXPECT_EQ(Preencher(c.texto, c.caractere, c.esquerda, c.largura), c.esperado) << c.texto;
    EXPECT_EQ(PreencherEspacos("AB", 4, true), "  AB");
    EXPECT_EQ(CompletarZeros("7", 3), "007");
    EXPECT_EQ(CompletarZeros("12345", 3), "12345");
}

TEST(PreencherNumero, RecusaNumeroMaiorQueOCampo)
{
    EXPECT_EQ(PreencherNumero("123", 5), "00123");
    EXPECT_EQ(PreencherNumero("000123", 3), "123");
    EXPECT_EQ(PreencherNumero("", 3), "000");
    EXPECT_EQ(PreencherNumero(int64_t{42}, 4), "0042");
    EXPECT_THROW(PreencherNumero("123456", 5), EConversao);
    EXPECT_THROW(PreencherNumero(int64_t{100000}, 5), EConversao);
    EXPECT_THROW(PreencherNumero(int64_t{-1}, 5), EConversao);
    EXPECT_THROW(PreencherNumero("12a", 5), EConversao);
}

TEST(PequenasPecas, Tabela)
{
    EXPECT_EQ(SoDigitos("12.345-6a"), "123456");
    EXPECT_EQ(RemoverPontos("1.234.567,8"), "1234567,8");
    EXPECT_EQ(PrimeiroCaractere(""), " ");
    EXPECT_EQ(PrimeiroCaractere("Ábaco"), "Á");
    EXPECT_EQ(ListaInteiros(std::vector<int>{1, 22, 333}), "1,22,333");
    EXPECT_EQ(ListaInteiros(std::vector<int64_t>{}), "");
    EXPECT_EQ(NumeroOuPadrao("Null", 0), "Null");
    EXPECT_EQ(NumeroOuPadrao("Null", 17), "17");
    EXPECT_EQ(TextoSePositivo("0012"), "0012");
    EXPECT_EQ(TextoSePositivo("0"), "");
    EXPECT_EQ(TextoSePositivo("abc"), "");
    EXPECT_EQ(Aparar("\t  a b \r\n"), "a b");
    EXPECT_EQ(MaiusculasAscii("josé"), "JOSé");
}

TEST(SubstituirVarios, MarcadoresEListas)
{
    // A message's "&" placeholders are filled one at a time, in order.
    EXPECT_EQ(SubstituirVarios("Competência & fora do edital de &", "&", false, {"03/2024", "15/04/2024"}),
              "Competência 03/2024 fora do edital de 15/04/2024");
    EXPECT_EQ(SubstituirVarios("sem marcador", "&", false, {"x"}), "sem marcador");
    EXPECT_EQ(SubstituirVarios("12.345.678/0001-95", "", true, {".", "/", "-"}), "12345678000195");
    EXPECT_EQ(SubstituirVarios("aXbXc", "YY", true, {"X", ""}), "aYYbYYc");
}

TEST(RemoverDigitosLinha, DesfazLinhaDigitavel)
{
    std::mt19937 gerador(44);
    std::uniform_int_distribution<int> digito(0, 9);
    for (int i = 0; i < 2000; ++i) {
        std::string codigo;
        for (int j = 0; j < 44; ++j)
            codigo += static_cast<char>('0' + digito(gerador));
        ASSERT_EQ(RemoverDigitosLinha(LinhaDigitavel(codigo)), codigo);
    }
    EXPECT_EQ(RemoverDigitosLinha(std::string(47, '1')), "");
    EXPECT_EQ(RemoverDigitosLinha(std::string(47, '1') + "x"), "");
}
