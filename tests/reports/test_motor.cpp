#include "reports/MotorRelatorio.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace drav {
namespace {

DetalheRelatorio Entrada(const std::string& chave, const std::string& texto, double altura = 10)
{
    DetalheRelatorio d;
    d.chaveGrupo = chave;
    if (!chave.empty()) {
        d.grupo.Texto(0, 0, 100, "GRUPO " + chave);
        d.grupo.altura = 5;
    }
    d.banda.Texto(0, 0, 100, texto);
    d.banda.altura = altura;
    return d;
}

DefinicaoRelatorio Definicao()
{
    DefinicaoRelatorio d;
    d.moldura = Moldura{"TITULO", "SUBTITULO", "Versão do Aplicativo: 1.0", "01/02/2024", "10:20:30"};
    d.cabecalhoPagina.Texto(0, 0, 100, "COLUNAS");
    d.cabecalhoPagina.altura = 5;
    d.rodapePagina.Linha(0, 0, LarguraUtil(d.papel));
    d.rodapePagina.altura = 3;
    return d;
}

// Texts of every page that start with the prefix, in order.
std::vector<std::string> Corpo(const DocumentoRelatorio& doc, const std::string& prefixo)
{
    std::vector<std::string> r;
    for (const auto& p : doc.paginas)
        for (const auto& t : p.Textos())
            if (t.rfind(prefixo, 0) == 0)
                r.push_back(t);
    return r;
}

TEST(MotorRelatorio, PaginaComContagemFinalECadaItemDentroDaPagina)
{
    auto d = Definicao();
    std::vector<std::string> esperado;
    for (int i = 0; i < 40; ++i) {
        esperado.push_back("L" + std::to_string(i));
        d.detalhes.push_back(Entrada("", esperado.back()));
    }
    d.sumario.Texto(0, 0, 100, "FIM");
    const auto doc = Paginar(d);

    // 190 mm of page less 20 of frame, 5 of column header and 3 of footer: 16 entries a page.
    ASSERT_EQ(doc.paginas.size(), 3u);
    const double limite = AlturaUtil(d.papel) - d.rodapePagina.altura;
    for (std::size_t p = 0; p < doc.paginas.size(); ++p) {
        const auto& pg = doc.paginas[p];
        EXPECT_TRUE(pg.Contem(TextoPagina(static_cast<int>(p) + 1, 3))) << p;
        EXPECT_TRUE(pg.Contem("TITULO") && pg.Contem("SUBTITULO") && pg.Contem("COLUNAS") && pg.Contem("01/02/2024"));
        EXPECT_TRUE(pg.Contem("Versão do Aplicativo: 1.0"));
        for (const auto& i : pg.itens) {
            if (i.tipo == ItemRelatorio::Tipo::Texto) {
                EXPECT_LE(i.y + i.altura, limite + 1e-9) << i.texto;
            }
        }
    }
    EXPECT_EQ(TextoPagina(1, 3), "001/003");
    EXPECT_EQ(TextoPagina(12, 1000), "012/1000");
    EXPECT_EQ(Corpo(doc, "L"), esperado);
    EXPECT_TRUE(doc.paginas.back().Contem("FIM"));
    EXPECT_FALSE(doc.paginas.front().Contem("FIM"));
}

TEST(MotorRelatorio, GrupoAntesDaPrimeiraEntradaRepetidoNaContinuacao)
{
    auto d = Definicao();
    d.detalhes.push_back(Entrada("A", "A1"));
    for (int i = 2; i <= 16; ++i)
        d.detalhes.push_back(Entrada("A", "A" + std::to_string(i)));
    d.detalhes.push_back(Entrada("", "SEM"));
    d.detalhes.push_back(Entrada("A", "A17"));
    const auto doc = Paginar(d);
    ASSERT_EQ(doc.paginas.size(), 2u);
    // Once on the first page, again on the page it runs on to, and again after the entry that
    // had no group.
    EXPECT_EQ(Corpo(doc, "GRUPO").size(), 3u);
    const auto t = doc.paginas[1].Textos();
    const auto grupo = std::find(t.begin(), t.end(), "GRUPO A");
    const auto entrada = std::find_if(t.begin(), t.end(), [](const std::string& s) { return s.rfind("A1", 0) == 0; });
    EXPECT_LT(grupo - t.begin(), entrada - t.begin());
    EXPECT_EQ(Corpo(doc, "SEM").size(), 1u);
}

TEST(MotorRelatorio, TrocaDeGrupoAbreNovaPaginaQuandoPedidoENaoDeixaGrupoSozinho)
{
    auto d = Definicao();
    d.grupoNovaPagina = true;
    d.detalhes = {Entrada("A", "A1"), Entrada("A", "A2"), Entrada("B", "B1")};
    auto doc = Paginar(d);
    ASSERT_EQ(doc.paginas.size(), 2u);
    EXPECT_TRUE(doc.paginas[0].Contem("A2"));
    EXPECT_FALSE(doc.paginas[0].Contem("GRUPO B"));
    EXPECT_TRUE(doc.paginas[1].Contem("GRUPO B") && doc.paginas[1].Contem("B1") && doc.paginas[1].Contem("002/002"));

    // Without the new-page rule, a group band that would be left at the foot moves with its entry.
    d.grupoNovaPagina = false;
    d.detalhes.clear();
    for (int i = 0; i < 15; ++i)
        d.detalhes.push_back(Entrada("A", "A" + std::to_string(i)));
    d.detalhes.push_back(Entrada("B", "B1", 9));
    doc = Paginar(d);
    ASSERT_EQ(doc.paginas.size(), 2u);
    EXPECT_FALSE(doc.paginas[0].Contem("GRUPO B"));
    EXPECT_TRUE(doc.paginas[1].Contem("GRUPO B"));
}

TEST(MotorRelatorio, RelatorioVazioTemUmaPaginaComCabecalho)
{
    const auto doc = Paginar(Definicao());
    ASSERT_EQ(doc.paginas.size(), 1u);
    EXPECT_TRUE(doc.paginas[0].Contem("001/001"));
    EXPECT_EQ(doc.titulo, "TITULO");
}

} // namespace
} // namespace drav
