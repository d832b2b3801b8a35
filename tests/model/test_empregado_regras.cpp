#include "model/DocumentosTrabalhador.h"
#include "model/Empregado.h"
#include "model/Vinculo.h"

#include "core/Datas.h"
#include "kit/BancoTeste.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace drav {
namespace {

// --- an independent reckoning of both identifiers, written differently from the program's ---------

// PIS: the check digit is the weighted sum reduced as (11 - r) mod 11 mod 10.
bool PisPorOutraConta(const std::string& s)
{
    if (s.size() != 11)
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    if (s.find_first_not_of(s[0]) == std::string::npos || s == "19999999991" || s == "12345678900")
        return false;
    const long long base = std::stoll(s.substr(0, 10));
    if (base < 1000000001LL || base > 2999999999LL)
        return false;
    const std::string pesos = "3298765432";
    int soma = 0;
    for (int i = 0; i < 10; ++i)
        soma += (s[i] - '0') * (pesos[i] - '0');
    return ((11 - soma % 11) % 11) % 10 == s[10] - '0';
}

// CPF: each check digit is the sum of the digits times their position (1-based for the first,
// 0-based for the second), modulo 11, with 10 read as 0.
int DigitoCpfPorPosicao(const std::string& s, int quantos, int pesoInicial)
{
    int soma = 0;
    for (int i = 0; i < quantos; ++i)
        soma += (s[i] - '0') * (i + pesoInicial);
    return soma % 11 % 10;
}

bool CpfPorOutraConta(const std::string& s)
{
    if (s.empty())
        return true;
    if (s.size() != 11 || s == "00000000000")
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return DigitoCpfPorPosicao(s, 9, 1) == s[9] - '0' && DigitoCpfPorPosicao(s, 10, 0) == s[10] - '0';
}

std::string Digitos(std::mt19937_64& g, int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += static_cast<char>('0' + g() % 10);
    return s;
}

TEST(DocumentosTrabalhador, PisGeradosConferemComContaIndependente)
{
    std::mt19937_64 g(20240315);
    int validos = 0;
    for (int i = 0; i < 5000; ++i) {
        // A base in range with its right digit, the same with every other digit, and noise.
        const long long base = 1000000001LL + static_cast<long long>(g() % 2000000000ULL);
        const std::string b = std::to_string(base);
        for (char d = '0'; d <= '9'; ++d) {
            const std::string pis = b + d;
            ASSERT_EQ(PisValido(pis), PisPorOutraConta(pis)) << pis;
            validos += PisValido(pis);
        }
        const std::string ruido = Digitos(g, 11);
        ASSERT_EQ(PisValido(ruido), PisPorOutraConta(ruido)) << ruido;
    }
    // Exactly one digit of ten completes each base.
    EXPECT_EQ(validos, 5000);
}

TEST(DocumentosTrabalhador, CpfGeradosConferemComContaIndependente)
{
    std::mt19937_64 g(19880105);
    int validos = 0;
    for (int i = 0; i < 5000; ++i) {
        const std::string b = Digitos(g, 9);
        for (int d = 0; d < 100; d += 7) {
            const std::string cpf = b + static_cast<char>('0' + d / 10) + static_cast<char>('0' + d % 10);
            ASSERT_EQ(CpfValido(cpf), CpfPorOutraConta(cpf)) << cpf;
        }
        // The base completed with its digits found by the other reckoning is always valid.
        std::string cpf = b + static_cast<char>('0' + DigitoCpfPorPosicao(b, 9, 1));
        cpf += static_cast<char>('0' + DigitoCpfPorPosicao(cpf, 10, 0));
        if (cpf != "00000000000") {
            ASSERT_TRUE(CpfValido(cpf)) << cpf;
            ++validos;
        }
        const std::string ruido = Digitos(g, 11);
        ASSERT_EQ(CpfValido(ruido), CpfPorOutraConta(ruido)) << ruido;
    }
    EXPECT_EQ(validos, 5000);
}

class EmpregadoRegras : public teste::BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        t = std::make_unique<TEmpregado>(*sessao);
        t->CarregaRelacionados = false;
    }
    std::unique_ptr<TEmpregado> t;
};

struct Caso {
    std::string valor;
    std::string codigo; // empty: passes
};

TEST_F(EmpregadoRegras, Pis)
{
    const std::vector<Caso> casos = {
        {"10000000016", ""},       {"12034567899", ""},     {"29999999999", ""},
        {"12034567898", "0109"},   // wrong check digit
        {"12345678900", "0109"},   // reserved, although its check digit is right
        {"19999999991", "0109"},   // reserved, although its check digit is right
        {"11111111116", ""},       {"11111111111", "0109"}, // eleven equal digits
        {"30000000002", "0109"},   // first ten digits above 2999999999
        {"10000000008", "0109"},   // below 1000000001
        {"1203456789", "0109"},    {"120345678990", "0109"}, {"1203456789A", "0109"},
        {"120.3456789", "0109"},   {"", "0109"},
    };
    for (const auto& c : casos) {
        t->Pis = c.valor;
        EXPECT_EQ(t->ValidarPis(), c.codigo.empty()) << c.valor;
        EXPECT_EQ(t->CodigoMensagem, c.codigo) << c.valor;
    }
}

TEST_F(EmpregadoRegras, Cpf)
{
    const std::vector<Caso> casos = {
        {"", ""},                {"   ", ""},               {"52998224725", ""},     {"00000000191", ""},
        {"11111111111", ""},     // equal digits other than zero: consistent check digits
        {"00000000000", "0038"}, {"5299822472", "0038"},   {"52998224724", "0038"}, {"52998224715", "0038"},
        {"529.982.247-25", "0038"},
    };
    for (const auto& c : casos) {
        t->Cpf = c.valor;
        EXPECT_EQ(t->ValidarCpf(), c.codigo.empty()) << "'" << c.valor << "'";
        EXPECT_EQ(t->CodigoMensagem, c.codigo) << "'" << c.valor << "'";
    }
}

TEST_F(EmpregadoRegras, NomeEGuardadoSemEspacosNasPontas)
{
    const std::vector<Caso> casos = {
        {"MARIA", ""},           {"maria da silva", ""},   {"JOSE DA SILVA  ", ""},
        {"SILVAAA", "0093"},     {"MARIA 2", "0093"},      {"R2D2", "0093"},
        {"", "0093"},            {" MARIA", "0093"},       {"MARIA  SILVA", "0093"},
        {"JOÃO", "0093"},        {"O'BRIEN", "0093"},      {"ANA-MARIA", "0093"},
    };
    for (const auto& c : casos) {
        t->Nome = c.valor;
        EXPECT_EQ(t->ValidarNome(), c.codigo.empty()) << c.valor;
        EXPECT_EQ(t->CodigoMensagem, c.codigo) << c.valor;
    }
    t->Nome = "JOSE DA SILVA  ";
    ASSERT_TRUE(t->ValidarNome());
    EXPECT_EQ(t->Nome, "JOSE DA SILVA");
}

TEST_F(EmpregadoRegras, SexoGrauInstrucaoENascimento)
{
    for (auto [sexo, codigo] : std::vector<std::pair<int, std::string>>{{1, ""}, {2, ""}, {0, "0121"}, {3, "0122"}}) {
        t->Sexo = sexo;
        t->ValidarSexo();
        EXPECT_EQ(t->CodigoMensagem, codigo) << sexo;
    }
    const std::vector<Caso> graus = {{"1", ""}, {"13", ""}, {" 7 ", ""}, {"", "0071"}, {"  ", "0071"},
                                     {"14", "0072"}, {"0", "0072"}, {"1; DROP TABLE X", "0072"}};
    for (const auto& c : graus) {
        t->GrauInstrucao = c.valor;
        t->ValidarGrauInstrucao();
        EXPECT_EQ(t->CodigoMensagem, c.codigo) << c.valor;
    }
    const std::vector<std::pair<TDateTime, std::string>> datas = {
        {CodificarData(1980, 5, 17), ""}, {CodificarData(1900, 1, 2), ""}, {NullDate, "0329"},
        {DataInvalida, "0055"},           {CodificarData(1899, 12, 31), "0053"}};
    for (const auto& [d, codigo] : datas) {
        t->DataNascimento = d;
        t->ValidarDataNascimento();
        EXPECT_EQ(t->CodigoMensagem, codigo) << d;
    }
}

TEST_F(EmpregadoRegras, CarteiraDeTrabalho)
{
    struct CasoCtps {
        int categoria;
        bool estrito;
        std::string numero, serie;
        std::string codigoNumero, codigoSerie;
    };
    const std::vector<CasoCtps> casos = {
        {1, true, "1234567", "12345", "", ""},
        {1, true, "", "", "0098", "0118"},
        {1, true, "0000000", "00000", "0099", "0118"},   // all equal digits / a series of zeros is none
        {1, false, "0000000", "00000", "0099", "0119"},  // not strict: zeros are just equal digits
        {1, true, "0001234", "00012", "", ""},
        {1, false, "0001234", "00120", "", ""},
        {1, true, "12A4567", "1B", "0099", "0119"},      // letters: invalid, never "missing"
        {1, true, "7777777", "55555", "0099", "0119"},
        {1, true, "99999999999", "123", "0099", ""},     // all equal digits (the width is the form's)
        {1, true, "12345678901", "123", "0098", ""},     // beyond 32 bits reads as zero
        {1, false, "12345678901", "123", "", ""},
        {5, true, "", "", "", ""},                       // a director has no work card
        {5, true, "1234567", "12345", "0100", "0120"},
        {5, true, "1111111", "", "0099", ""},
    };
    for (const auto& c : casos) {
        t->Vinculo().Categoria = c.categoria;
        t->Ctps = c.numero;
        t->SerieCtps = c.serie;
        t->ValidarCtps(c.estrito);
        EXPECT_EQ(t->CodigoMensagem, c.codigoNumero) << c.categoria << " '" << c.numero << "' " << c.estrito;
        t->ValidarSerieCtps(c.estrito);
        EXPECT_EQ(t->CodigoMensagem, c.codigoSerie) << c.categoria << " '" << c.serie << "' " << c.estrito;
    }
}

} // namespace
} // namespace drav
