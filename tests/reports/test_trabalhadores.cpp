#include "reports/RelTrabalhadores.h"

#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "kit/BancoTeste.h"
#include "ApoioRelatorio.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace drav {
namespace {

using teste::Ocorrencias;

// The texts of the listed entries of a page in printed order, among the candidates given.
std::vector<std::string> EmOrdem(const PaginaRelatorio& p, const std::vector<std::string>& candidatos)
{
    std::vector<std::string> r;
    for (const auto& t : p.Textos())
        if (std::find(candidatos.begin(), candidatos.end(), t) != candidatos.end())
            r.push_back(t);
    return r;
}

class ListagemTrabalhadores : public teste::BancoTeste {
protected:
    void Empresa(int tipo, const std::string& numero, const std::string& razao)
    {
        sessao->ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
                            "IC_ESTADO_EMPRESA) VALUES (" + std::to_string(tipo) + ", " + numero + ", '" + razao +
                            "', 'E')");
    }
    void Trabalhador(const std::string& pis, const std::string& nome, const std::string& ctps = "1234",
                     const std::string& serie = "56")
    {
        sessao->ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO, NU_CTPS, NU_SERIE_CTPS, "
                            "DT_NASCIMENTO) VALUES (" + pis + ", '" + nome + "', " + ctps + ", " + serie +
                            ", '1980-07-21')");
    }
    void Vinculo(int tipo, const std::string& empresa, const std::string& pis, int categoria,
                 const std::string& admissao, const std::string& tomador = "NULL, NULL")
    {
        sessao->ExecutarSQL("INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "NU_CATEGORIA, DT_ADMISSAO_VINCULO, DT_OPCAO, CO_MOVIMENTACAO, DT_MOVIMENTACAO_VINCULO, "
                            "IC_AVISO_PREVIO, NU_TIPO_INSO_TMDR, NU_INSCRICAO_TMDR) VALUES (" +
                            std::to_string(tipo) + ", " + empresa + ", " + pis + ", " + std::to_string(categoria) +
                            ", '" + admissao + "', '" + admissao + "', 'I1', '2024-02-10', 'I', " + tomador + ")");
    }

    // Three employers whose name order (ALFA, BETA, CEI) is not their inscription order
    // (type 1 BETA, type 1 ALFA, type 2 CEI), and one worker registered without any link.
    void TresEmpresas()
    {
        Empresa(1, "11222333000181", "BETA");
        Empresa(1, "44555666000199", "ALFA");
        Empresa(2, "123456789012", "CEI OBRA");
        Trabalhador("12034567899", "MARIA");
        Trabalhador("10000000001", "JOAO");
        Trabalhador("10000000002", "SEM VINCULO");
        Vinculo(1, "11222333000181", "12034567899", 1, "2015-03-02");
        Vinculo(1, "44555666000199", "10000000001", 1, "2016-04-01");
        Vinculo(2, "123456789012", "12034567899", 1, "2017-05-03");
    }

    std::vector<std::string> Empresas(const DocumentoRelatorio& doc)
    {
        std::vector<std::string> r;
        for (const auto& p : doc.paginas) {
            const auto t = p.Textos();
            const auto i = std::find(t.begin(), t.end(), "EMPRESA:");
            r.push_back(i != t.end() && i + 1 != t.end() ? *(i + 1) : "?");
        }
        return r;
    }
};

TEST_F(ListagemTrabalhadores, EntradaDeDuasLinhasComCarteiraCategoriaETomador)
{
    Empresa(1, "11222333000181", "ACME");
    Trabalhador("12034567899", "MARIA SILVA", "1234", "56");
    Trabalhador("10000000001", "JOAO DIRETOR", "777", "8");
    Vinculo(1, "11222333000181", "12034567899", 1, "2015-03-02", "1, 44555666000199");
    Vinculo(1, "11222333000181", "10000000001", 5, "2016-04-01", "2, 123456789012");

    TRelTrabalhadores r(*sessao, {}, true);
    ASSERT_TRUE(r.Preparar("NO_RAZAO_SOCIAL,NO_EMPREGADO"));
    const auto& doc = r.Documento();
    ASSERT_EQ(doc.paginas.size(), 1u);
    const auto& p = doc.paginas[0];
    for (const char* t : {"RELATÓRIO PARA CONFERÊNCIA ", "RELAÇÃO DOS TRABALHADORES CONSTANTES NA BASE", "EMPRESA:",
                          "11.222.333/0001-81 - ACME", "NOME TRABALHADOR", "ADMISSÃO", "DATA OPÇÃO", "CART  TRAB",
                          "DATA NASC", "PIS/PASEP", "CATEGORIA", "MOVIMENTAÇÃO", "AVISO PRÉVIO", "TOMADOR",
                          "120.34567.89-9", "100.00000.00-1", "02/03/2015", "21/07/1980", "10/02/2024 - I1",
                          "44.555.666/0001-99", "123456789012", "01", "05"})
        EXPECT_TRUE(p.Contem(t)) << t;
    // The work card is shown zero-filled, and not at all for a director (category 5).
    EXPECT_TRUE(p.Contem("0001234/00056"));
    EXPECT_FALSE(p.Contem("0000777/00008"));
}

TEST_F(ListagemTrabalhadores, MarcadasOuTodasEUmaPaginaPorEmpresa)
{
    TresEmpresas();
    {
        TRelTrabalhadores r(*sessao, {44555666000199, 123456789012}, false);
        ASSERT_TRUE(r.Preparar("NO_RAZAO_SOCIAL,NO_EMPREGADO"));
        const auto& doc = r.Documento();
        EXPECT_EQ(Empresas(doc), (std::vector<std::string>{"44.555.666/0001-99 - ALFA", "123456789012 - CEI OBRA"}));
        EXPECT_EQ(Ocorrencias(doc, "SEM VINCULO"), 0);
        EXPECT_EQ(Ocorrencias(doc, "JOAO"), 1);
        EXPECT_EQ(Ocorrencias(doc, "MARIA"), 1) << "the link at BETA is left out";
        EXPECT_TRUE(doc.paginas.back().Contem("002/002"));
    }
    {
        // Everything: the worker without a link comes first, under an empty employer.
        TRelTrabalhadores r(*sessao, {}, true);
        ASSERT_TRUE(r.Preparar("NO_RAZAO_SOCIAL,NO_EMPREGADO"));
        const auto& doc = r.Documento();
        EXPECT_EQ(Empresas(doc), (std::vector<std::string>{"", "44.555.666/0001-99 - ALFA", "11.222.333/0001-81 - BETA",
                                                           "123456789012 - CEI OBRA"}));
        EXPECT_TRUE(doc.paginas[0].Contem("SEM VINCULO") && doc.paginas[0].Contem("100.00000.00-2"));
        EXPECT_EQ(Ocorrencias(doc, "MARIA"), 2);
        EXPECT_TRUE(doc.paginas[3].Contem("004/004"));
    }
    // Nothing of the marked employers to list.
    Empresa(1, "99888777000166", "SEM TRABALHADORES");
    EXPECT_FALSE(TRelTrabalhadores(*sessao, {99888777000166}, false).Preparar("NO_RAZAO_SOCIAL,NO_EMPREGADO"));
    EXPECT_FALSE(TRelTrabalhadores(*sessao, {}, false).Preparar("NO_RAZAO_SOCIAL,NO_EMPREGADO"));
}

TEST_F(ListagemTrabalhadores, OrdemDasEmpresasPorInscricaoOuPorNome)
{
    TresEmpresas();
    const std::vector<int64_t> todas{11222333000181, 44555666000199, 123456789012};
    TRelTrabalhadores porInscricao(*sessao, todas, false);
    ASSERT_TRUE(porInscricao.Preparar("NU_TIPO_INSO_EMPRA,NU_INSCRICAO,NO_EMPREGADO"));
    EXPECT_EQ(Empresas(porInscricao.Documento()),
              (std::vector<std::string>{"11.222.333/0001-81 - BETA", "44.555.666/0001-99 - ALFA",
                                        "123456789012 - CEI OBRA"}));
    TRelTrabalhadores porNome(*sessao, todas, false);
    ASSERT_TRUE(porNome.Preparar("NO_RAZAO_SOCIAL,NO_EMPREGADO"));
    EXPECT_EQ(Empresas(porNome.Documento()),
              (std::vector<std::string>{"44.555.666/0001-99 - ALFA", "11.222.333/0001-81 - BETA",
                                        "123456789012 - CEI OBRA"}));
}

TEST_F(ListagemTrabalhadores, OrdemDosTrabalhadoresNaEmpresa)
{
    Empresa(1, "11222333000181", "ACME");
    // Each order gives another sequence of the three.
    Trabalhador("30000000003", "ANA");
    Trabalhador("10000000001", "BRUNO");
    Trabalhador("20000000002", "CARLA");
    Vinculo(1, "11222333000181", "30000000003", 2, "2010-01-01");
    Vinculo(1, "11222333000181", "10000000001", 3, "2012-01-01");
    Vinculo(1, "11222333000181", "20000000002", 1, "2011-01-01");
    const struct {
        const char* coluna;
        std::vector<std::string> nomes;
    } casos[] = {
        {"PIS_EMPREGADO", {"BRUNO", "CARLA", "ANA"}},
        {"NO_EMPREGADO", {"ANA", "BRUNO", "CARLA"}},
        {"DT_ADMISSAO", {"ANA", "CARLA", "BRUNO"}},
        {"CATEGORIA", {"CARLA", "ANA", "BRUNO"}},
    };
    for (const auto& c : casos) {
        TRelTrabalhadores r(*sessao, {11222333000181}, false);
        ASSERT_TRUE(r.Preparar(std::string("NO_RAZAO_SOCIAL,") + c.coluna)) << c.coluna;
        EXPECT_EQ(EmOrdem(r.Documento().paginas.at(0), {"ANA", "BRUNO", "CARLA"}), c.nomes) << c.coluna;
    }
}

using teste::GarantirAplicacao;

TEST_F(ListagemTrabalhadores, TextosCabemNasColunasSemSobreposicao)
{
    GarantirAplicacao();
    const std::string razao = "COMPANHIA BRASILEIRA DE DISTRIBUICAO E LOGISTICA DO CENTRO OESTE LTDA";
    Empresa(1, "44555666000199", razao);
    // A name at the column's length in wide letters.
    const std::string nome = "MARIA APARECIDA WANDERLEY MONTEIRO DOS SANTOS GUIMARAES WASHINGTON MWM";
    ASSERT_EQ(nome.size(), 70u);
    Trabalhador("12034567899", nome, "9999999", "99999");
    Vinculo(1, "44555666000199", "12034567899", 1, "2015-03-02", "1, 44555666000199");
    TRelTrabalhadores r(*sessao, {}, true);
    ASSERT_TRUE(r.Preparar("NO_RAZAO_SOCIAL,NO_EMPREGADO"));
    const auto& pagina = r.Documento().paginas.at(0);

    std::vector<const ItemRelatorio*> textos;
    for (const auto& i : pagina.itens) {
        if (i.tipo != ItemRelatorio::Tipo::Texto || i.texto.empty())
            continue;
        QFont f;
        f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        f.setPointSizeF(i.pontos);
        f.setBold(i.negrito);
        // At 720 dpi a point is 10 pixels: the width in millimetres of the written text.
        QImage dispositivo(1, 1, QImage::Format_RGB32);
        dispositivo.setDotsPerMeterX(static_cast<int>(720 / 0.0254 + 0.5));
        dispositivo.setDotsPerMeterY(static_cast<int>(720 / 0.0254 + 0.5));
        const double mm = QFontMetricsF(f, &dispositivo).horizontalAdvance(QString::fromStdString(i.texto)) / 720 * 25.4;
        EXPECT_LE(mm, i.largura) << i.texto;
        if (i.y >= AlturaMoldura())
            textos.push_back(&i);
    }
    // Boxes on the same line of the listing's own bands never overlap.
    for (std::size_t a = 0; a < textos.size(); ++a)
        for (std::size_t b = a + 1; b < textos.size(); ++b) {
            const auto& x = *textos[a];
            const auto& y = *textos[b];
            const bool mesmaLinha = x.y < y.y + y.altura && y.y < x.y + x.altura;
            const bool sobrepostas = x.x < y.x + y.largura && y.x < x.x + x.largura;
            EXPECT_FALSE(mesmaLinha && sobrepostas) << x.texto << " / " << y.texto;
        }
}

TEST(OrdemTrabalhadores, QualificaSoAsColunasDaEmpresa)
{
    const struct {
        const char* ordem;
        const char* esperado;
    } casos[] = {
        {"NO_RAZAO_SOCIAL,PIS_EMPREGADO", "EMP.NO_RAZAO_SOCIAL,PIS_EMPREGADO"},
        {"NU_TIPO_INSO_EMPRA,NU_INSCRICAO,CATEGORIA", "EMP.NU_TIPO_INSO_EMPRA,EMP.NU_INSCRICAO,CATEGORIA"},
        {" NU_INSCRICAO DESC , DT_ADMISSAO", "EMP.NU_INSCRICAO DESC,DT_ADMISSAO"},
        {"EMP.NU_INSCRICAO,NU_INSCRICAO_TMDR_VINCULO", "EMP.NU_INSCRICAO,NU_INSCRICAO_TMDR_VINCULO"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(QualificarOrdemTrabalhadores(c.ordem), c.esperado) << c.ordem;
    for (const char* ruim : {"", " , ", "NO_EMPREGADO; DROP TABLE X", "NO_EMPREGADO'", "(SELECT 1)"})
        EXPECT_THROW(QualificarOrdemTrabalhadores(ruim), ENegocio) << ruim;
}

} // namespace
} // namespace drav
