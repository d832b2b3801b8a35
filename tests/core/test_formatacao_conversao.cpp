// Reading numbers and dates, file-field errors, and SQL literals.
#include "core/Conversao.h"

#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/SqlLiterais.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <thread>

using namespace drav;

TEST(StrToInteiro, Tabela)
{
    struct Caso {
        const char* texto;
        int64_t esperado;
    };
    const Caso casos[] = {
        {"12", 12}, {" 12 ", 12}, {"-7", -7}, {"+7", 7}, {"007", 7}, {"1a", 0}, {"", 0},
        {"+", 0},   {"+-1", 0},   {"1 2", 0}, {"2147483647", 2147483647},
    };
    for (const auto& c : casos)
        EXPECT_EQ(StrToInteiro(c.texto), c.esperado) << c.texto;
    EXPECT_EQ(StrToInteiro("2147483648"), 0); // does not fit in 32 bits
    EXPECT_EQ(StrToInteiro64("2147483648"), 2147483648LL);
    EXPECT_EQ(StrToInteiro64("99999999999999"), 99999999999999LL);
    EXPECT_EQ(StrToInteiro64("99999999999999999999"), 0);
}

TEST(StrToValor, Tabela)
{
    struct Caso {
        const char* texto;
        double esperado;
    };
    const Caso casos[] = {
        {"1.234,56", 1234.56}, {"1234,56", 1234.56}, {"-0,5", -0.5}, {",5", 0.5},     {"1,", 1.0},
        {" 12 ", 12.0},        {"1,5E3", 1500.0},    {"abc", 0.0},   {"1,2,3", 0.0},  {"", 0.0},
        {"-", 0.0},            {"1,5E", 0.0},        {"12a", 0.0},
        {"1.5", 15.0}, // "." is always the thousands separator
    };
    for (const auto& c : casos)
        EXPECT_EQ(StrToValor(c.texto), c.esperado) << c.texto;
}

TEST(StrToData, Tabela)
{
    struct Caso {
        const char* texto;
        int ordem;
        TDateTime esperado;
    };
    const Caso casos[] = {
        {"00000000", 0, NullDate},
        {"", 0, NullDate},
        {"00/00/0000", 0, NullDate},
        {"31022005", 0, DataInvalida},
        {"31/02/2005", 0, DataInvalida},
        {"29022005", 0, DataInvalida},
        {"29022004", 0, CodificarData(2004, 2, 29)},
        {"25/02/2005", 0, CodificarData(2005, 2, 25)},
        {" 25.02.2005 ", 0, CodificarData(2005, 2, 25)},
        {"20050225", 1, CodificarData(2005, 2, 25)},
        {"20050231", 1, DataInvalida},
        {"2522005", 0, DataInvalida},   // seven digits
        {"250220051", 0, DataInvalida}, // nine digits are not a date cut to eight
        {"2005022512", 1, DataInvalida},
        {"000000000025022005", 0, DataInvalida},
        {"00002005", 0, DataInvalida},
        {"01010000", 0, DataInvalida}, // there is no year 0
        {"01010001", 0, CodificarData(1, 1, 1)},
    };
    for (const auto& c : casos)
        EXPECT_EQ(StrToData(c.texto, c.ordem), c.esperado) << c.texto << " ordem " << c.ordem;
}

TEST(LeitoresDeCampo, NaoDigitosDeixam0011)
{
    struct Caso {
        const char* texto;
        double esperado;
        const char* erro;
    };
    const Caso inteiros[] = {
        {"00123", 123, ""}, {"", 0, ""}, {"12 3", 0, "0011"}, {" 123", 0, "0011"}, {"-1", 0, "0011"},
        {"99999999999", 0, "0011"}, // does not fit: never read as 0 silently
    };
    for (const auto& c : inteiros) {
        EXPECT_EQ(LerInteiroCampo(c.texto), c.esperado) << c.texto;
        EXPECT_EQ(UltimoErro(), c.erro) << c.texto;
        EXPECT_EQ(ValorErro(), *c.erro ? c.texto : "") << c.texto;
    }
    const Caso valores[] = {{"000150", 150, ""}, {"1,50", 0, "0011"}, {"  ", 0, "0011"}};
    for (const auto& c : valores) {
        EXPECT_EQ(LerValorCampo(c.texto), c.esperado) << c.texto;
        EXPECT_EQ(UltimoErro(), c.erro) << c.texto;
    }
    const Caso valores15[] = {
        {"000000000123456", 1234.56, ""},
        {"999999999999999", 9999999999999.99, ""},
        {"000000000000000", 0, ""},
        {"               ", 0, "0011"}, // a blank amount is not zero
        {"00000000012345 ", 0, "0011"},
        {"0000000001234", 0, "0011"},   // a short field would be read a hundred times too small
        {"0000000001234567", 0, "0011"},
        {"00000000012A456", 0, "0011"},
    };
    for (const auto& c : valores15) {
        EXPECT_EQ(LerValor15(c.texto), c.esperado) << c.texto;
        EXPECT_EQ(UltimoErro(), c.erro) << c.texto;
        EXPECT_EQ(ValorErro(), *c.erro ? c.texto : "") << c.texto;
    }
}

TEST(DataArquivo, Tabela)
{
    struct Caso {
        const char* texto;
        bool anoPrimeiro;
        const char* esperado;
        const char* erro;
    };
    const Caso casos[] = {
        {"1234", false, "00/00/0000", ""},
        {"        ", false, "00/00/0000", ""},
        {"00000000", false, "00/00/0000", ""},
        {"2005022A", false, "00/00/0000", "0212"},
        {"25 02 2005", false, "00/00/0000", "0212"},
        {"25022005", false, "25/02/2005", ""},
        {" 25022005 ", false, "25/02/2005", ""},
        {"31022005", false, "00/00/0000", "0212"},
        {"250220051", false, "00/00/0000", "0212"},
        {"20050225", true, "25/02/2005", ""},
        {"20050231", true, "1", ""},
        {"200502251", true, "1", ""},
        {"2005022A", true, "00/00/0000", "0212"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(DataArquivo(c.texto, c.anoPrimeiro), c.esperado) << c.texto;
        EXPECT_EQ(UltimoErro(), c.erro) << c.texto;
        EXPECT_EQ(ValorErro(), *c.erro ? c.texto : "") << c.texto;
    }
}

// The import worker reads file fields while the window thread may read its own: each thread must
// find only what its own last call left.
TEST(ErroCampo, CadaLinhaDeExecucaoTemOSeu)
{
    LerInteiroCampo("X1");
    ASSERT_EQ(UltimoErro(), "0011");
    std::string vistoNoOutro, deixadoNoOutro;
    std::thread outro([&] {
        vistoNoOutro = UltimoErro();
        DataArquivo("2005022A", false);
        deixadoNoOutro = UltimoErro();
    });
    outro.join();
    EXPECT_EQ(vistoNoOutro, "");
    EXPECT_EQ(deixadoNoOutro, "0212");
    EXPECT_EQ(UltimoErro(), "0011");
    EXPECT_EQ(ValorErro(), "X1");
}

TEST(SqlLiterais, TextosENumeros)
{
    EXPECT_EQ(SqlTexto("D'ÁVILA"), "'D''ÁVILA'");
    EXPECT_EQ(SqlTexto("'; DROP TABLE X; --"), "'''; DROP TABLE X; --'");
    EXPECT_EQ(SqlTexto("   "), "Null");
    EXPECT_EQ(SqlTexto(""), "Null");
    EXPECT_EQ(SqlTexto(" a "), "' a '");
    EXPECT_EQ(SqlSimNao(true), "'S'");
    EXPECT_EQ(SqlSimNao(false), "'N'");
    EXPECT_EQ(SqlInteiro(0), "Null");
    EXPECT_EQ(SqlInteiro(-15), "-15");
    EXPECT_EQ(SqlInteiro64(0), "Null");
    EXPECT_EQ(SqlInteiro64(11222333000181LL), "11222333000181");

    struct Caso {
        double valor;
        const char* esperado;
    };
    const Caso valores[] = {
        {1234.5, "1234.5"}, {0.0, "Null"},      {-0.29, "-0.29"},   {0.1 + 0.2, "0.3"},
        {1e20, "1E20"},     {1.5e-7, "1.5E-7"}, {0.00001, "0.00001"}, {123456789012345.0, "123456789012345"},
    };
    for (const auto& c : valores)
        EXPECT_EQ(SqlValor(c.valor), c.esperado) << c.valor;
    EXPECT_THROW(SqlValor(std::numeric_limits<double>::quiet_NaN()), EConversao);
}

TEST(SqlLiterais, Datas)
{
    const TDateTime d = CodificarDataHora(2005, 2, 25, 13, 4, 5, 67);
    EXPECT_EQ(SqlData(d), "'2005-02-25'");
    EXPECT_EQ(SqlData(d, false), "'2005-02-25 13:04:05'");
    EXPECT_EQ(SqlData(d, false, true), "'2005-02-25 13:04:05.067'");
    EXPECT_EQ(SqlData(0.0), "'1899-12-30'");
    EXPECT_EQ(SqlData(CodificarData(1, 1, 1)), "'0001-01-01'");
    EXPECT_EQ(SqlData(NullDate), "NULL");
    EXPECT_EQ(SqlData(NullDate - 1), "NULL");
    // A text that was not a date must never be stored as the day its marker encodes.
    EXPECT_THROW(SqlData(DataInvalida), EConversao);
    EXPECT_THROW(SqlData(StrToData("31022005")), EConversao);
    EXPECT_THROW(SqlData(CodificarData(9999, 12, 31) + 1), EConversao);
    EXPECT_THROW(SqlData(std::numeric_limits<double>::quiet_NaN()), EConversao);
}

// A GUI toolkit switches the C locale on; the Brazilian and SQL forms must not follow it.
TEST(SqlLiterais, IndiferentesAoLocalDaMaquina)
{
    const std::string anterior = std::setlocale(LC_ALL, nullptr);
    const char* locais[] = {"pt_BR.UTF-8", "pt_BR.utf8", "de_DE.UTF-8", "fr_FR.UTF-8"};
    const char* usado = nullptr;
    for (const char* l : locais)
        if (std::setlocale(LC_ALL, l)) {
            usado = l;
            break;
        }
    if (!usado)
        GTEST_SKIP() << "nenhum local com vírgula decimal instalado nesta máquina";
    const std::string sql = SqlValor(1234.5);
    const std::string valor = FormatarValor(1234.5);
    const std::string geral = TextoGeral(0.29);
    const double lido = StrToValor("1.234,5");
    std::setlocale(LC_ALL, anterior.c_str());
    EXPECT_EQ(sql, "1234.5") << usado;
    EXPECT_EQ(valor, "1.234,50") << usado;
    EXPECT_EQ(geral, "0,29") << usado;
    EXPECT_EQ(lido, 1234.5) << usado;
}
