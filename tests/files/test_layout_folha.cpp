#include "files/Layout.h"
#include "files/LayoutFolha.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace drav;

namespace {

std::vector<std::string> LinhasFixture()
{
    std::ifstream f(std::string(DRAV_FIXTURES) + "/folha/DRAV.re", std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    return SepararLinhas(bytes);
}

} // namespace

// A position typed wrong in a table shifts every field after it; each layout must cover its line
// exactly, field after field, and end with the end mark.
TEST(LayoutFolha, CadaLayoutCobreALinhaSemLacunasNemSobreposicoes)
{
    ASSERT_EQ(LayoutsFolha().size(), 7u);
    for (const TLayoutRegistro* l : LayoutsFolha()) {
        SCOPED_TRACE(l->Tipo);
        int proxima = 1;
        for (const TCampoLayout& c : l->Campos) {
            EXPECT_EQ(c.Inicio, proxima) << c.Nome;
            proxima = c.Inicio + c.Largura;
        }
        EXPECT_EQ(proxima, 361);
        EXPECT_EQ(l->Campos.back().Inicio, 360);
        EXPECT_EQ(l->Campos.front().Largura, 2);
    }
    EXPECT_EQ(LayoutFolha("41"), nullptr);
    EXPECT_EQ(LayoutFolha("4"), nullptr);
}

TEST(LayoutFolha, PosicoesDosCamposDeCadaRegistro)
{
    struct Caso {
        const char* tipo;
        int campo;
        int inicio, largura;
    };
    const Caso casos[] = {
        {"00", CamposHeader::TipoRemessa, 54, 1},         {"00", CamposHeader::Inscricao, 56, 14},
        {"00", CamposHeader::Telefone, 220, 12},          {"00", CamposHeader::DataPagamento, 292, 8},
        {"10", CamposEmpresa::Zeros, 18, 36},              {"10", CamposEmpresa::Cnae, 206, 7},
        {"10", CamposEmpresa::Fpas, 214, 3},               {"40", CamposTrabalhador::Pis, 33, 11},
        {"40", CamposTrabalhador::Nome, 54, 70},           {"40", CamposTrabalhador::CodigoMovimentacao, 163, 2},
        {"40", CamposTrabalhador::TipoPensao, 254, 1},     {"40", CamposTrabalhador::PercentualPensao, 255, 5},
        {"40", CamposTrabalhador::SaldoInformado, 306, 15}, {"43", CamposComplemento::Competencia(0), 54, 6},
        {"44", CamposComplemento::Remuneracao(0), 60, 15}, {"45", CamposComplemento::Competencia(13), 327, 6},
        {"45", CamposComplemento::Remuneracao(13), 333, 15}, {"45", CamposComplemento::Filler, 348, 12},
        {"90", CamposTrailer::Noves, 3, 51},               {"90", CamposTrailer::Filler2, 309, 51},
    };
    for (const Caso& c : casos) {
        const TLayoutRegistro* l = LayoutFolha(c.tipo);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->Campos[c.campo].Inicio, c.inicio) << c.tipo << " campo " << c.campo;
        EXPECT_EQ(l->Campos[c.campo].Largura, c.largura) << c.tipo << " campo " << c.campo;
    }
}

TEST(LayoutFolha, SepararLinhasTrataCrLfESemFinal)
{
    struct Caso {
        std::string entrada;
        std::vector<std::string> linhas;
    };
    const Caso casos[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\rb\r\n", {"a\rb"}}, // a lone CR is part of the line: the line gets the wrong length
        {"", {}},
        {"\r\n", {""}},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(SepararLinhas(c.entrada), c.linhas) << testing::PrintToString(c.entrada);
}

TEST(LayoutFolha, ConversaoWindows1252)
{
    EXPECT_EQ(Cp1252ParaUtf8("JO\xC3O"), "JO\u00C3O");
    EXPECT_EQ(Cp1252ParaUtf8("\x80"), "\u20AC");
    EXPECT_EQ(Cp1252ParaUtf8("\x81"), "\uFFFD"); // undefined in Windows-1252
    std::string bytes;
    ASSERT_TRUE(Utf8ParaCp1252("AÇÃO €", bytes));
    EXPECT_EQ(bytes, "A\xC7\xC3O \x80");
    EXPECT_FALSE(Utf8ParaCp1252("日本", bytes));
    EXPECT_FALSE(Utf8ParaCp1252("\xC3", bytes)); // cut UTF-8
}

// Fields are cut by byte: an accented letter (one byte in Windows-1252) must not shift the fields
// after it, and it comes out as UTF-8.
TEST(LayoutFolha, LinhaParaCamposComAcento)
{
    std::vector<std::string> linhas = LinhasFixture();
    ASSERT_GE(linhas.size(), 4u);
    std::string l = linhas[2];
    ASSERT_EQ(l.substr(0, 2), "40");
    l.replace(53, 11, "JO\xC3O CONCEI");
    TRegFolha reg;
    ASSERT_TRUE(LerRegFolha(l, reg));
    EXPECT_EQ(reg.Tipo, 40);
    EXPECT_EQ(reg[CamposTrabalhador::Nome].substr(0, 12), "JO\u00C3O CONCEI");
    EXPECT_EQ(reg[CamposTrabalhador::Pis], l.substr(32, 11));
    EXPECT_EQ(reg[CamposTrabalhador::NumeroCtps], l.substr(123, 7));
    EXPECT_EQ(reg[CamposTrabalhador::FimRegistro], "*");

    TRegFolha c;
    ASSERT_TRUE(LerRegFolha(linhas[3], c));
    EXPECT_EQ(c.Tipo, 43);
    EXPECT_EQ(c[CamposComplemento::Competencia(0)], "202001");
    EXPECT_EQ(c[CamposComplemento::Remuneracao(0)], "000000000250000");
    EXPECT_EQ(c[CamposComplemento::Competencia(2)], "000000");
}

TEST(LayoutFolha, LinhaDeTamanhoErradoOuTipoDesconhecidoNaoELida)
{
    const std::vector<std::string> linhas = LinhasFixture();
    TRegFolha reg;
    EXPECT_FALSE(LerRegFolha(linhas[2] + " ", reg));
    EXPECT_FALSE(LerRegFolha(linhas[2].substr(0, 359), reg));
    std::string outro = linhas[2];
    outro[1] = '1';
    EXPECT_FALSE(LerRegFolha(outro, reg));
    EXPECT_TRUE(reg.Campos.empty());
}
