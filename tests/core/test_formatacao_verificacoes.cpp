// Checks of texts, names, identifiers, digitable lines and dates.
#include "core/Verificacoes.h"

#include "core/CodigoBarras.h"
#include "core/Conversao.h"
#include "core/Formatacao.h"
#include "core/SqlLiterais.h"

#include <gtest/gtest.h>

#include <random>

using namespace drav;

namespace {

// The published CNPJ rule as usually stated: weights 2..9 counted from the right, restarting.
int DigitoCnpjIndependente(const std::string& base)
{
    int soma = 0;
    int peso = 2;
    for (int i = static_cast<int>(base.size()) - 1; i >= 0; --i) {
        soma += (base[static_cast<std::size_t>(i)] - '0') * peso;
        peso = peso == 9 ? 2 : peso + 1;
    }
    const int r = soma % 11;
    return r < 2 ? 0 : 11 - r;
}

bool CnpjIndependente(const std::string& n)
{
    if (n.size() != 14 || n == std::string(14, '0'))
        return false;
    const int d1 = DigitoCnpjIndependente(n.substr(0, 12));
    const int d2 = DigitoCnpjIndependente(n.substr(0, 12) + std::to_string(d1));
    return n[12] - '0' == d1 && n[13] - '0' == d2;
}

// The CEI rule read on the sum's text: its last two characters added, ten minus the last digit.
int DigitoCeiIndependente(const std::string& base)
{
    const int pesos[] = {7, 4, 1, 8, 5, 2, 1, 6, 3, 7, 4};
    int soma = 0;
    for (int i = 0; i < 11; ++i)
        soma += (base[static_cast<std::size_t>(i)] - '0') * pesos[i];
    std::string texto = std::to_string(soma);
    if (texto.size() < 2)
        texto = "0" + texto;
    const int adicao = (texto[texto.size() - 2] - '0') + (texto.back() - '0');
    const int d = 10 - adicao % 10;
    return d == 10 ? 0 : d;
}

std::string Digitos(std::mt19937_64& g, int n)
{
    std::uniform_int_distribution<int> d(0, 9);
    std::string s;
    for (int i = 0; i < n; ++i)
        s += static_cast<char>('0' + d(g));
    return s;
}

} // namespace

TEST(VerificacoesDeTexto, Tabela)
{
    EXPECT_TRUE(SoNumeros(""));
    EXPECT_TRUE(SoNumeros("0123456789"));
    EXPECT_FALSE(SoNumeros("12 3"));
    EXPECT_FALSE(SoNumeros("-1"));
    EXPECT_TRUE(SoLetras("Maria da Silva"));
    EXPECT_FALSE(SoLetras("JOSÉ"));
    EXPECT_FALSE(SoLetras("ANA2"));
    EXPECT_TRUE(TodosZeros("000", 3));
    EXPECT_FALSE(TodosZeros("000", 4));
    EXPECT_FALSE(TodosZeros("010", 3));
    EXPECT_TRUE(TodosNoves("99", 2));
    EXPECT_FALSE(TodosNoves("", 2));
    EXPECT_TRUE(TodosIguais(""));
    EXPECT_TRUE(TodosIguais("a"));
    EXPECT_TRUE(TodosIguais("ÉÉÉ"));
    EXPECT_FALSE(TodosIguais("aab"));
    EXPECT_TRUE(SemEspacosSeguidos("A B C"));
    EXPECT_FALSE(SemEspacosSeguidos("A  B"));
    EXPECT_TRUE(SemRepeticao("AAB", 3));
    EXPECT_FALSE(SemRepeticao("AaA", 3));
    EXPECT_FALSE(SemRepeticao("BÉÉÉ", 3));
    EXPECT_TRUE(SemRepeticao("", 3));
    EXPECT_TRUE(Vazio(" \t "));
    EXPECT_FALSE(Vazio(" a "));
}

TEST(NomeValido, Tabela)
{
    struct Caso {
        const char* nome;
        bool valido;
    };
    const Caso casos[] = {
        {"MARIA DA SILVA", true}, {"maria da silva", true}, {"ANA 2", true},
        {"", false},              {" MARIA", false},        {"MARIA  SILVA", false},
        {"MARIAAA", false},       {"JOSÉ", false},          {"ANA-SILVA", false},
        {"ANA D'ARC", false},     {"ANA   ", true}, // trailing blanks are not part of the name
    };
    for (const auto& c : casos)
        EXPECT_EQ(NomeValido(c.nome), c.valido) << c.nome;
}

TEST(NomeComposto, Tabela)
{
    struct Caso {
        const char* nome;
        bool composto;
    };
    const Caso casos[] = {
        {"JOSE A SILVA", true}, // one-letter middle word
        {"JOSE SILVA A", false}, // one-letter last word
        {"JO SILVA", true},     {"J SILVA", false},  {"JOSE", false},  {"", false},
        {"JOSE ", false},       // a single word with a trailing blank
        {" JOSE SILVA", true},  {"JOSE  SILVA", true},
        {"ANA SÓ", true},       {"ANA Ó", false}, // characters, not bytes
    };
    for (const auto& c : casos)
        EXPECT_EQ(NomeComposto(c.nome), c.composto) << "'" << c.nome << "'";
}

TEST(ContidoApos, Tabela)
{
    EXPECT_TRUE(ContidoApos("@", "a@b"));
    EXPECT_FALSE(ContidoApos("@", "@ab"));
    EXPECT_TRUE(ContidoApos("@", "@a@b")); // a later occurrence still counts
    EXPECT_FALSE(ContidoApos("@", "ab"));
    EXPECT_FALSE(ContidoApos("", "ab"));
    EXPECT_TRUE(ContidoApos("bc", "abc"));
}

TEST(ValidarCNPJ, Tabela)
{
    struct Caso {
        const char* numero;
        bool valido;
    };
    const Caso casos[] = {
        {"11222333000181", true},
        {"00000000000191", true},
        {"191", true}, // zero-filled to 14 digits first
        {"00000000000000", false},
        {"0", false},
        {"11222333000182", false},
        {"11222333000171", false},
        {"11.222.333/0001-81", false},
        {"112223330001810", false},
        {"", false},
        {" 11222333000181", false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(ValidarCNPJ(std::string(c.numero)), c.valido) << c.numero;
    EXPECT_TRUE(ValidarCNPJ(int64_t{11222333000181}));
    EXPECT_TRUE(ValidarCNPJ(int64_t{191}));
    EXPECT_FALSE(ValidarCNPJ(int64_t{0}));
    EXPECT_FALSE(ValidarCNPJ(int64_t{-11222333000181}));
}

TEST(ValidarCEI, Tabela)
{
    // 1x7+1x4+...: the sum is 48, 4 + 8 = 12, 10 - 2 = 8.
    EXPECT_TRUE(ValidarCEI(std::string("111111111118")));
    EXPECT_FALSE(ValidarCEI(std::string("111111111117")));
    EXPECT_FALSE(ValidarCEI(std::string("000000000000")));
    EXPECT_FALSE(ValidarCEI(std::string("1111111111180")));
    EXPECT_FALSE(ValidarCEI(std::string("11111111111a")));
    // Sum 7 (one digit): 10 - 7.
    EXPECT_TRUE(ValidarCEI(std::string("100000000003")));
    // Zero-filled to 12 digits first: 001000000009 has sum 1 (third weight), 10 - 1 = 9.
    EXPECT_TRUE(ValidarCEI(int64_t{1000000009}));
    EXPECT_FALSE(ValidarCEI(int64_t{1000000007}));
}

TEST(Inscricoes, MilharesGeradosConferemComRegraIndependente)
{
    std::mt19937_64 g(1234);
    int validosCnpj = 0, validosCei = 0;
    for (int i = 0; i < 20000; ++i) {
        // Numbers with correct check digits, then the same with one check digit off.
        const std::string base = Digitos(g, 12);
        const int d1 = DigitoCnpjIndependente(base);
        const std::string cnpj = base + std::to_string(d1) + std::to_string(DigitoCnpjIndependente(base + std::to_string(d1)));
        ASSERT_EQ(ValidarCNPJ(cnpj), cnpj != std::string(14, '0')) << cnpj;
        std::string errado = cnpj;
        errado[12 + i % 2] = static_cast<char>('0' + (errado[12 + i % 2] - '0' + 1 + i % 9) % 10);
        ASSERT_FALSE(ValidarCNPJ(errado)) << errado;

        const std::string baseCei = Digitos(g, 11);
        const std::string cei = baseCei + std::to_string(DigitoCeiIndependente(baseCei));
        ASSERT_EQ(ValidarCEI(cei), cei != std::string(12, '0')) << cei;
        std::string ceiErrado = cei;
        ceiErrado[11] = static_cast<char>('0' + (ceiErrado[11] - '0' + 1 + i % 9) % 10);
        ASSERT_FALSE(ValidarCEI(ceiErrado)) << ceiErrado;

        // Plain random numbers: both sides must agree either way.
        const std::string qualquer = Digitos(g, 14);
        ASSERT_EQ(ValidarCNPJ(qualquer), CnpjIndependente(qualquer)) << qualquer;
        validosCnpj += CnpjIndependente(qualquer);
        const std::string qualquerCei = Digitos(g, 12);
        const bool ceiIndependente = qualquerCei != std::string(12, '0') &&
                                     qualquerCei[11] - '0' == DigitoCeiIndependente(qualquerCei);
        ASSERT_EQ(ValidarCEI(qualquerCei), ceiIndependente) << qualquerCei;
        validosCei += ceiIndependente;
    }
    // About one in a hundred / one in ten random numbers is valid: both branches were exercised.
    EXPECT_GT(validosCnpj, 50);
    EXPECT_GT(validosCei, 1000);
}

TEST(ValidarLinhaDigitavel, BlocosComDigitoModulo11)
{
    const std::string codigo = "85800000001234560239200502250011234567800012";
    ASSERT_EQ(codigo.size(), 44u);
    const std::string linha = LinhaDigitavel(codigo);
    EXPECT_TRUE(ValidarLinhaDigitavel(linha));
    std::string comSeparadores;
    for (std::size_t b = 0; b < 4; ++b)
        comSeparadores += linha.substr(b * 12, 11) + "-" + linha.substr(b * 12 + 11, 1) + " ";
    EXPECT_TRUE(ValidarLinhaDigitavel(comSeparadores));
    for (std::size_t pos : {0u, 11u, 30u, 47u}) {
        std::string errada = linha;
        errada[pos] = static_cast<char>('0' + (errada[pos] - '0' + 1) % 10);
        EXPECT_FALSE(ValidarLinhaDigitavel(errada)) << pos;
    }
    EXPECT_FALSE(ValidarLinhaDigitavel(linha.substr(1)));
    EXPECT_FALSE(ValidarLinhaDigitavel(""));
}

TEST(DataValida, Tabela)
{
    struct Caso {
        TDateTime data;
        int esperado;
    };
    const Caso casos[] = {
        {DataInvalida, 1},
        {NullDate, 0},
        {0.0, 2},
        {CodificarData(1899, 12, 31), 2},
        {CodificarData(1900, 1, 1), 2},
        {CodificarDataHora(1900, 1, 1, 18, 0, 0), 2},
        {CodificarData(1900, 1, 2), 0},
        {CodificarData(1500, 6, 1), 2},
        {CodificarData(2024, 2, 29), 0},
        {CodificarData(9999, 12, 31), 0},
        {CodificarData(9999, 12, 31) + 1, 1},
        {1e12, 1},
    };
    for (const auto& c : casos)
        EXPECT_EQ(DataValida(c.data), c.esperado) << c.data;
}

// Every 97th day from 1900 to 9999, walked with a plain calendar in the test, against the
// formatters and parsers; then random day/month/year texts against the leap-year rule.
TEST(Datas, IdaEVoltaContraCalendarioIndependente)
{
    auto bissexto = [](int a) { return (a % 4 == 0 && a % 100 != 0) || a % 400 == 0; };
    auto diasNoMes = [&](int a, int m) {
        static const int dias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        return m == 2 && bissexto(a) ? 29 : dias[m - 1];
    };
    auto dois = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    auto quatro = [](int n) {
        std::string s = std::to_string(n);
        return std::string(4 - s.size(), '0') + s;
    };
    int ano = 1900, mes = 1, dia = 1;
    long dias = 2; // 01/01/1900
    int conferidos = 0;
    while (ano <= 9999) {
        if (dias % 97 == 0 || (mes == 2 && dia == 29)) {
            const TDateTime d = static_cast<double>(dias);
            const std::string dmy = dois(dia) + "/" + dois(mes) + "/" + quatro(ano);
            const std::string ddmmyyyy = dois(dia) + dois(mes) + quatro(ano);
            const std::string yyyymmdd = quatro(ano) + dois(mes) + dois(dia);
            ASSERT_EQ(FormatarData(d), dmy) << dias;
            ASSERT_EQ(StrToData(dmy, 0), d) << dmy;
            ASSERT_EQ(StrToData(yyyymmdd, 1), d) << yyyymmdd;
            ASSERT_EQ(DataArquivo(ddmmyyyy, false), dmy);
            ASSERT_EQ(DataArquivo(yyyymmdd, true), dmy);
            ASSERT_EQ(SqlData(d), "'" + quatro(ano) + "-" + dois(mes) + "-" + dois(dia) + "'");
            ASSERT_EQ(FormatarDataHora("yyyymmdd", d + 0.75), yyyymmdd);
            ASSERT_EQ(MesesEntre(d, 2.0), (ano - 1900) * 12 + mes - 1);
            ++conferidos;
        }
        ++dias;
        if (++dia > diasNoMes(ano, mes)) {
            dia = 1;
            if (++mes > 12) {
                mes = 1;
                ++ano;
            }
        }
    }
    EXPECT_GT(conferidos, 30000);

    std::mt19937 g(7);
    std::uniform_int_distribution<int> d(0, 32), m(0, 13), a(1, 9999);
    for (int i = 0; i < 20000; ++i) {
        const int dd = d(g), mm = m(g), aa = a(g);
        const bool existe = mm >= 1 && mm <= 12 && dd >= 1 && dd <= diasNoMes(aa, mm);
        const std::string texto = dois(dd) + dois(mm) + quatro(aa);
        const TDateTime lida = StrToData(texto, 0);
        ASSERT_EQ(lida != DataInvalida, existe) << texto;
        if (existe) {
            ASSERT_EQ(FormatarDataHora("ddmmyyyy", lida), texto);
        }
    }
}
