// Field rules of employers, the responsible and their address: pure checks, no database.
#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "model/Empresa.h"
#include "model/Endereco.h"
#include "model/Responsavel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace drav;

namespace {

// A session that refuses every statement: these rules must decide without the database.
class SessaoSemBanco : public TDBUtils {
public:
    void ConfigurarConexao() override {}
    void Confirmar() override {}
    void Desfazer() override {}
    void IniciarTransacao() override {}
    std::unique_ptr<TResultado> AbrirConsulta(const std::string& sql) override { throw ENegocio("consulta: " + sql); }
    int64_t ExecutarSQL(const std::string& sql) override { throw ENegocio("comando: " + sql); }
    int64_t ExecutarSQLIndependente(const std::string& sql) override { throw ENegocio("comando: " + sql); }

protected:
    void FecharConexao() override {}
};

struct CasoTexto {
    std::string texto;
    bool valido;
};

TEST(EstabelecimentoRegras, TextoDeEnderecoERazaoSocial)
{
    const std::vector<CasoTexto> casos = {
        {"RUA DAS FLORES 10", true},
        {"rua das flores", true},        // folded to upper case before the check
        {"RUA AA 111", true},            // two equal letters, digits repeating
        {"RUA 1000", true},
        {"RUA  DAS FLORES", false},      // two blanks in a row
        {"RUA AAA", false},              // three equal letters
        {"RUA aAa", false},              // compared in upper case
        {" RUA DAS FLORES", false},      // begins with a blank
        {"", false},
        {"RUA SÃO JOSÉ", false},         // accented letters are outside A-Z
        {"RUA D'AVILA", false},
        {"RUA X-1", false},
        {"AV. BRASIL", false},
        {"RUA DAS FLORES   ", true},     // trailing blanks are trimmed first
    };
    SessaoSemBanco s;
    for (const auto& c : casos) {
        TEndereco e(s);
        e.Logradouro = c.texto;
        EXPECT_EQ(e.ValidarLogradouro(), c.valido) << "'" << c.texto << "'";
        EXPECT_EQ(e.CodigoMensagem, c.valido ? "" : "0096") << c.texto;

        TEmpresa emp(s);
        emp.RazaoSocial = c.texto;
        EXPECT_EQ(emp.ValidarRazaoSocial(), c.valido) << c.texto;
        EXPECT_EQ(emp.CodigoMensagem, c.valido ? "" : "0177") << c.texto;
    }
}

TEST(EstabelecimentoRegras, CadaCampoDeEnderecoTemSeuCodigoEFicaAparado)
{
    SessaoSemBanco s;
    TEndereco e(s);
    e.Logradouro = "RUA UM  ";
    e.Bairro = "CENTRO  ";
    e.Localidade = "SAO PAULO ";
    EXPECT_TRUE(e.ValidarLogradouro());
    EXPECT_TRUE(e.ValidarBairro());
    EXPECT_TRUE(e.ValidarLocalidade());
    EXPECT_EQ(e.Logradouro, "RUA UM");
    EXPECT_EQ(e.Bairro, "CENTRO");
    EXPECT_EQ(e.Localidade, "SAO PAULO");

    e.Bairro = "BAIRRO  NOVO ";
    EXPECT_FALSE(e.ValidarBairro());
    EXPECT_EQ(e.CodigoMensagem, "0095");
    EXPECT_EQ(e.Bairro, "BAIRRO  NOVO"); // trimmed also when it fails
    e.Localidade = "";
    EXPECT_FALSE(e.ValidarLocalidade());
    EXPECT_EQ(e.CodigoMensagem, "0094");
    // A later success clears the code of an earlier failure.
    e.Localidade = "RIO";
    EXPECT_TRUE(e.ValidarLocalidade());
    EXPECT_EQ(e.CodigoMensagem, "");
}

TEST(EstabelecimentoRegras, Cep)
{
    const std::vector<CasoTexto> casos = {
        {"01310100", true},  {"70040010", true},  {"123456789", true}, // longer texts are not refused
        {"00999999", false},                                            // first five digits below 1000
        {"01000000", true},                                             // exactly 1000
        {"1310100", false},  {"", false},         {"0131010A", false},  {"01310-10", false},
        {"20000000", false}, {"30000000", false}, {"70000000", false}, {"80000000", false},
        {"11111111", false}, {"99999999", false},
    };
    SessaoSemBanco s;
    for (const auto& c : casos) {
        TEndereco e(s);
        e.Cep = c.texto;
        EXPECT_EQ(e.ValidarCep(), c.valido) << c.texto;
        EXPECT_EQ(e.CodigoMensagem, c.valido ? "" : "0101") << c.texto;
    }
}

TEST(EstabelecimentoRegras, DddReescritoComQuatroDigitos)
{
    struct Caso {
        std::string entrada, gravado;
        bool valido;
    };
    const std::vector<Caso> casos = {
        {"11", "0011", true},  {"0011", "0011", true}, {"101", "0101", true}, {"61", "0061", true},
        {"10", "0010", false}, {"20", "0020", false},  {"5", "0005", false},  {"0", "0000", false},
        {"", "0000", false},   {"AB", "0000", false},  {"-11", "-0011", false},
    };
    SessaoSemBanco s;
    for (const auto& c : casos) {
        TEmpresa e(s);
        e.Ddd = c.entrada;
        EXPECT_EQ(e.ValidarDdd(), c.valido) << c.entrada;
        EXPECT_EQ(e.Ddd, c.gravado) << c.entrada;
        EXPECT_EQ(e.CodigoMensagem, c.valido ? "" : "0024") << c.entrada;
    }
}

TEST(EstabelecimentoRegras, Telefone)
{
    const std::vector<CasoTexto> casos = {
        {"32221234", true},   {"3222123", true},      // seven digits not beginning with 0
        {" 32221234 ", true}, {"987654321", true},    // nine digits still fit
        {"0322123", false},   {"322212", false},      // seven beginning with 0; six
        {"00123456", false},  // after the first two digits 123456 is not 0, but the whole has six digits
        {"12000000", false},  // from the third digit on it reads 0
        {"", false},          {"3222-1234", false}, {"32A21234", false},
        {"9999999999", false}, // does not fit in 32 bits: reads as 0
    };
    SessaoSemBanco s;
    for (const auto& c : casos) {
        TResponsavel r(s);
        r.Telefone = c.texto;
        EXPECT_EQ(r.ValidarTelefone(), c.valido) << c.texto;
        EXPECT_EQ(r.CodigoMensagem, c.valido ? "" : "0128") << c.texto;
    }
    TResponsavel r(s);
    r.Telefone = "  32221234 ";
    r.ValidarTelefone();
    EXPECT_EQ(r.Telefone, "32221234");
}

TEST(EstabelecimentoRegras, Email)
{
    const std::vector<CasoTexto> casos = {
        {"", true},
        {"   ", true},
        {"contato@empresa.com.br", true},
        {"CONTATO_1-X@EMPRESA.COM", true},
        {"contato@empresa.com.br   ", true}, // trailing blanks are not walked
        {"@.", true},                        // positions are not checked
        {"contato@@empresa.com", false},
        {"contato@empresa", false},
        {"conta to@empresa.com", false},
        {" contato@empresa.com", false},
        {"joão@empresa.com", false},
        {"contato@empresa.com;", false},
    };
    SessaoSemBanco s;
    for (const auto& c : casos) {
        TResponsavel r(s);
        r.Email = c.texto;
        EXPECT_EQ(r.ValidarEmail(), c.valido) << "'" << c.texto << "'";
        EXPECT_EQ(r.CodigoMensagem, c.valido ? "" : "0065") << c.texto;
    }
}

TEST(EstabelecimentoRegras, NomeDoContato)
{
    const std::vector<CasoTexto> casos = {
        {"MARIA DA SILVA", true}, {"maria da silva ", true}, {"ANNA", true},
        {"", false},              {" MARIA", false},         {"MARIA  SILVA", false},
        {"MARIA 2", false},       {"JOSÉ", false},           {"AAAB", false},
        {"aAa", false},           {"MARIA-SILVA", false},
        {"MARIA   ", false}, // the blanks count before the trim
    };
    SessaoSemBanco s;
    for (const auto& c : casos) {
        TResponsavel r(s);
        r.NomeContato = c.texto;
        EXPECT_EQ(r.ValidarNomeContato(), c.valido) << c.texto;
        EXPECT_EQ(r.CodigoMensagem, c.valido ? "" : "0097") << c.texto;
    }
    TResponsavel r(s);
    r.NomeContato = "MARIA ";
    ASSERT_TRUE(r.ValidarNomeContato());
    EXPECT_EQ(r.NomeContato, "MARIA");
}

TEST(EstabelecimentoRegras, TipoEInscricao)
{
    struct Caso {
        int tipo;
        std::string numero;
        bool tipoValido, numeroValido;
        std::string codigo;
    };
    const std::vector<Caso> casos = {
        {1, "11222333000181", true, true, ""},
        {1, "11.222.333000181", true, true, ""}, // dots are dropped by the number reading
        {1, "00012345000165", true, true, ""},
        {1, "12345000165", true, true, ""},      // zero-filled to 14 first
        {1, "11222333000182", true, false, "0021"},
        {1, "00000000000000", true, false, "0021"},
        {1, "", true, false, "0021"},
        {1, "11222333000181,5", true, false, "0021"},
        {2, "123456789010", true, true, ""},
        {2, "12345678906", true, true, ""},      // a CEI of eleven significant digits
        {2, "123456789011", true, false, "0018"},
        {2, "ABC", true, false, "0018"},
        {0, "11222333000181", false, true, ""},  // the type is its own check; the number then passes
        {3, "11222333000181", false, true, ""},
    };
    SessaoSemBanco s;
    for (const auto& c : casos) {
        TEmpresa e(s);
        e.TipoInscricao = static_cast<uint8_t>(c.tipo);
        e.Inscricao = c.numero;
        EXPECT_EQ(e.ValidarTipoInscricao(), c.tipoValido) << c.tipo;
        EXPECT_EQ(e.CodigoMensagem, c.tipoValido ? "" : "0129");
        EXPECT_EQ(e.ValidarInscricao(), c.numeroValido) << c.tipo << " " << c.numero;
        EXPECT_EQ(e.CodigoMensagem, c.codigo) << c.tipo << " " << c.numero;
    }
}

TEST(EstabelecimentoRegras, InscricaoFormatada)
{
    struct Caso {
        int tipo;
        std::string numero, formatada;
    };
    const std::vector<Caso> casos = {
        {1, "11222333000181", "11222333000181"},
        {1, "12345000165", "00012345000165"},
        {1, "11.222.333000181", "11222333000181"},
        {2, "12345678906", "012345678906"},
        {2, "000012345678906", "012345678906"},
        {0, "11222333000181", "0"},
        {5, "123", "0"},
        {1, "X' OR '1'='1", "00000000000000"}, // never anything but digits
    };
    SessaoSemBanco s;
    for (const auto& c : casos) {
        TEmpresa e(s);
        e.TipoInscricao = static_cast<uint8_t>(c.tipo);
        e.Inscricao = c.numero;
        EXPECT_EQ(e.InscricaoFormatada(), c.formatada) << c.tipo << " " << c.numero;
    }
}

} // namespace
