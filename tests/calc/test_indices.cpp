#include "calc/Indices.h"

#include "core/Datas.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace drav {
namespace {

TDateTime D(int dia, int mes, int ano) { return CodificarData(ano, mes, dia); }

std::string Texto(TDateTime d) { return d == NullDate ? "NullDate" : DataParaTexto(d); }

// Every column of a simplified row carries its own value, so a wrong column shows: JAM 0.0p1,
// variant 1 1.1p, variant 2 1.2p, for p = 0 (1967) .. 5 (from 23/09/1971).
TIndicesSimplificados LinhaDistinta()
{
    TIndicesSimplificados l;
    for (int p = 0; p < kPeriodosOpcao; ++p) {
        l.Jam[p] = 0.01 * (p + 1) + 0.001;
        l.Simplificado1[p] = 1.1 + 0.01 * p;
        l.Simplificado2[p] = 1.2 + 0.01 * p;
    }
    return l;
}

std::string Valor(const std::optional<double>& v) { return v ? std::to_string(*v) : "ausente"; }

TEST(Indices, EditalDoPagamento)
{
    struct Caso {
        TDateTime pagamento;
        const char* edital;
    } casos[] = {
        {D(9, 3, 2005), "01/02/2005"},
        {D(10, 3, 2005), "01/03/2005"},
        {D(31, 3, 2005) + 0.9, "01/03/2005"},
        {D(1, 1, 2005), "01/12/2004"},
        {D(9, 1, 2005), "01/12/2004"},
        {NullDate, "NullDate"},
    };
    for (const auto& k : casos)
        EXPECT_EQ(Texto(EditalDoPagamento(k.pagamento)), k.edital) << Texto(k.pagamento);
}

TEST(Indices, PeriodoDaOpcao)
{
    struct Caso {
        TDateTime opcao;
        PeriodoOpcao periodo;
    } casos[] = {
        {NullDate, PeriodoOpcao::Nenhum},          {D(31, 12, 1966), PeriodoOpcao::Nenhum},
        {D(1, 1, 1967), PeriodoOpcao::Ano1967},    {D(30, 6, 1968), PeriodoOpcao::Ano1968},
        {D(1, 1, 1969), PeriodoOpcao::Ano1969},    {D(31, 12, 1970), PeriodoOpcao::Ano1970},
        {D(1, 1, 1971), PeriodoOpcao::Ate0971},    {D(22, 9, 1971) + 0.99, PeriodoOpcao::Ate0971},
        {D(23, 9, 1971), PeriodoOpcao::Maior0971}, {D(1, 2, 2005), PeriodoOpcao::Maior0971},
    };
    for (const auto& k : casos)
        EXPECT_EQ(PeriodoDaOpcao(k.opcao), k.periodo) << Texto(k.opcao);
}

TEST(Indices, VarianteDoSimplificadoPeloDiaDoPagamento)
{
    struct Caso {
        TDateTime pagamento, competencia;
        int variante;
    } casos[] = {
        {D(5, 3, 2005), D(1, 8, 1989), 2},  // early in the month, competence before September 1989
        {D(5, 3, 2005), D(1, 9, 1989), 1},
        {D(7, 3, 2005), D(1, 8, 1989), 2},
        {D(8, 3, 2005), D(1, 9, 1989), 2},  // days 8 and 9 always 2
        {D(9, 3, 2005), D(1, 1, 2004), 2},
        {D(10, 3, 2005), D(1, 8, 1989), 1}, // from the 10th always 1
        {D(31, 3, 2005), D(1, 8, 1989), 1},
    };
    for (const auto& k : casos)
        EXPECT_EQ(VarianteSimplificado(k.pagamento, k.competencia), k.variante)
            << Texto(k.pagamento) << " " << Texto(k.competencia);
}

class IndiceJAMTeste : public ::testing::Test {
protected:
    void SetUp() override
    {
        tabelas.AdicionarSimplificado(edital, competencia, LinhaDistinta());
        indices.Identificacao.Pis = "12345678901";
        indices.Identificacao.RazaoSocial = "EMPRESA TESTE";
    }
    const TDateTime edital = D(1, 3, 2005);
    const TDateTime competencia = D(1, 1, 2004);
    TTabelasIndicesMemoria tabelas;
    TRegistroInconsistenciasMemoria registro;
    TIndicesCalculo indices{tabelas, &registro};
};

TEST_F(IndiceJAMTeste, ColunaPelaOpcaoECategoria)
{
    struct Caso {
        int categoria;
        TDateTime opcao;
        std::optional<double> indice;
    } casos[] = {
        {1, D(10, 5, 1967), 0.011},  {1, D(10, 5, 1968), 0.021},  {1, D(10, 5, 1969), 0.031},
        {1, D(10, 5, 1970), 0.041},  {1, D(22, 9, 1971), 0.051},  {1, D(23, 9, 1971), 0.061},
        {1, D(1, 1, 2000), 0.061},   {1, D(31, 12, 1966), std::nullopt}, {1, NullDate, std::nullopt},
        // Category 2 takes the column of options from 23/09/1971 whatever its option date.
        {2, D(10, 5, 1967), 0.061},  {2, D(31, 12, 1966), 0.061}, {2, NullDate, 0.061},
    };
    for (const auto& k : casos)
        EXPECT_EQ(Valor(indices.IndiceJAM(k.categoria, competencia, k.opcao, edital)), Valor(k.indice))
            << "categoria " << k.categoria << " opcao " << Texto(k.opcao);
    // The two cases without an option period were recorded; the others were not.
    EXPECT_EQ(registro.Linhas.size(), 2u);
}

TEST_F(IndiceJAMTeste, FaltaDeIndiceERegistradaComOVinculo)
{
    // No row for the competence, and a row whose column is empty: both are a missing index.
    TIndicesSimplificados vazia = LinhaDistinta();
    vazia.Jam[static_cast<int>(PeriodoOpcao::Maior0971)].reset();
    tabelas.AdicionarSimplificado(edital, D(1, 2, 2004), vazia);

    EXPECT_FALSE(indices.IndiceJAM(1, D(1, 6, 2003), D(1, 1, 2000), edital));
    EXPECT_FALSE(indices.IndiceJAM(1, D(1, 2, 2004), D(1, 1, 2000), edital));
    EXPECT_TRUE(indices.IndiceJAM(1, D(1, 2, 2004), D(1, 1, 1970), edital)) << "other columns are still there";

    ASSERT_EQ(registro.Linhas.size(), 2u);
    for (const auto& l : registro.Linhas) {
        EXPECT_EQ(l.NumeroArquivo, InconsistenciaFechamento);
        EXPECT_EQ(l.NumeroMensagem, 372);
        EXPECT_EQ(l.Pis, "12345678901");
        EXPECT_EQ(l.RazaoSocial, "EMPRESA TESTE");
    }
    EXPECT_NE(registro.Linhas[0].ConteudoCampo.find("06/2003"), std::string::npos) << registro.Linhas[0].ConteudoCampo;
    EXPECT_NE(registro.Linhas[0].ConteudoCampo.find("03/2005"), std::string::npos) << registro.Linhas[0].ConteudoCampo;

    // Without a register the miss is still answered as missing.
    TIndicesCalculo semRegistro(tabelas, nullptr);
    EXPECT_FALSE(semRegistro.IndiceJAM(1, D(1, 6, 2003), D(1, 1, 2000), edital));
}

class IndiceProRataTeste : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Payment dates of two editals: 09/03/2005 belongs to February's, 10/03/2005 to March's.
        tabelas.AdicionarProrata(D(1, 2, 2005), D(9, 3, 2005), {0.0801, 0.0811, 0.0821});
        tabelas.AdicionarProrata(D(1, 3, 2005), D(10, 3, 2005), {0.0802, 0.0812, 0.0822});
        tabelas.AdicionarProrata(D(1, 3, 2005), D(5, 4, 2005), {0.0803, 0.0813, 0.0823});
        tabelas.AdicionarSimplificado(D(1, 2, 2005), D(1, 12, 2004), LinhaDistinta());
        tabelas.AdicionarSimplificado(D(1, 3, 2005), D(1, 12, 2004), LinhaDistinta());
        tabelas.AdicionarSimplificado(D(1, 3, 2005), D(1, 1, 2005), LinhaDistinta());
        tabelas.AdicionarSimplificado(D(1, 3, 2005), D(1, 8, 1989), LinhaDistinta());
        tabelas.AdicionarSimplificado(D(1, 3, 2005), D(1, 9, 1989), LinhaDistinta());
    }
    TTabelasIndicesMemoria tabelas;
    TIndicesCalculo indices{tabelas, nullptr};
};

TEST_F(IndiceProRataTeste, AtrasoEscolheAColunaEOSimplificado)
{
    const TDateTime opcao2000 = D(1, 1, 2000); // period from 23/09/1971: simplified 1.15 / 1.25
    const TDateTime opcao1968 = D(1, 1, 1968); // simplified 1.11 / 1.21
    struct Caso {
        const char* nome;
        TDateTime competenciaIndice, pagamento, competencia, opcao;
        std::optional<double> indice;
    } casos[] = {
        {"atraso 0", D(1, 3, 2005), D(10, 3, 2005), D(1, 3, 2005), opcao2000, 0.0802},
        {"atraso 1: sem simplificado", D(1, 2, 2005), D(10, 3, 2005), D(1, 2, 2005), opcao2000, 0.0812},
        {"atraso 2 x simplificado 1", D(1, 1, 2005), D(10, 3, 2005), D(1, 1, 2005), opcao2000, 0.0822 * 1.15},
        {"coluna pela opcao", D(1, 1, 2005), D(10, 3, 2005), D(1, 1, 2005), opcao1968, 0.0822 * 1.11},
        {"opcao de 1966: simplificado 1", D(1, 1, 2005), D(10, 3, 2005), D(1, 1, 2005), D(1, 1, 1966), 0.0822},
        {"sem opcao: simplificado 1", D(1, 1, 2005), D(10, 3, 2005), D(1, 1, 2005), NullDate, 0.0822},
        // The simplified row comes from the index competence; the lateness from the competence.
        {"competencia do indice", D(1, 12, 2004), D(10, 3, 2005), D(1, 1, 2005), opcao2000, 0.0822 * 1.15},
        {"sem linha do simplificado", D(1, 11, 2004), D(10, 3, 2005), D(1, 1, 2005), opcao2000, std::nullopt},
        {"competencia depois do edital", D(1, 4, 2005), D(10, 3, 2005), D(1, 4, 2005), opcao2000, std::nullopt},
        {"pagamento fora da tabela", D(1, 3, 2005), D(11, 3, 2005), D(1, 3, 2005), opcao2000, std::nullopt},
        // Paid on the 5th: competences before September 1989 take variant 2.
        {"dia 5, agosto de 1989", D(1, 8, 1989), D(5, 4, 2005), D(1, 8, 1989), opcao2000, 0.0823 * 1.25},
        {"dia 5, setembro de 1989", D(1, 9, 1989), D(5, 4, 2005), D(1, 9, 1989), opcao2000, 0.0823 * 1.15},
    };
    for (const auto& k : casos) {
        const TDateTime edital = EditalDoPagamento(k.pagamento);
        const auto v = indices.IndiceProRata(k.competenciaIndice, k.pagamento, k.competencia, k.opcao, edital);
        if (!k.indice)
            EXPECT_FALSE(v) << k.nome << ": " << Valor(v);
        else
            EXPECT_NEAR(v.value_or(-1), *k.indice, 1e-9) << k.nome;
    }
}

TEST_F(IndiceProRataTeste, PagamentoNoDia9ENoDia10)
{
    // The same competence is one month late when paid on the 9th (February's edital) and two
    // when paid on the 10th (March's edital), with each edital's own row.
    const TDateTime competencia = D(1, 1, 2005), opcao = D(1, 1, 2000);
    const TDateTime dia9 = D(9, 3, 2005), dia10 = D(10, 3, 2005);
    EXPECT_EQ(Texto(EditalDoPagamento(dia9)), "01/02/2005");
    EXPECT_NEAR(indices.IndiceProRata(competencia, dia9, competencia, opcao, EditalDoPagamento(dia9)).value_or(-1),
                0.0811, 1e-12);
    EXPECT_EQ(Texto(EditalDoPagamento(dia10)), "01/03/2005");
    EXPECT_NEAR(indices.IndiceProRata(competencia, dia10, competencia, opcao, EditalDoPagamento(dia10)).value_or(-1),
                0.0822 * 1.15, 1e-12);
}

TEST_F(IndiceProRataTeste, ProdutoCortadoEmNoveCasas)
{
    TTabelasIndicesMemoria t;
    const TDateTime edital = D(1, 3, 2005), competencia = D(1, 1, 2005), pagamento = D(10, 3, 2005);
    TIndicesSimplificados l = LinhaDistinta();
    l.Simplificado1[static_cast<int>(PeriodoOpcao::Maior0971)] = 1.123456789;
    t.AdicionarSimplificado(edital, competencia, l);
    t.AdicionarProrata(edital, pagamento, {0.08, 0.08, 0.080000015});
    // 1.123456789 x 0.080000015 = 0.0898765599718...: cut, not rounded to ...560.
    const TIndicesCalculo i(t, nullptr);
    const auto v = i.IndiceProRata(competencia, pagamento, competencia, D(1, 1, 2000), edital);
    EXPECT_DOUBLE_EQ(v.value_or(-1), 0.089876559);
}

TEST_F(IndiceProRataTeste, ColunaVaziaNaoViraZeroNemUm)
{
    TTabelasIndicesMemoria t;
    const TDateTime edital = D(1, 3, 2005), pagamento = D(10, 3, 2005), opcao = D(1, 1, 2000);
    TIndicesSimplificados l = LinhaDistinta();
    l.Simplificado1[static_cast<int>(PeriodoOpcao::Maior0971)].reset();
    t.AdicionarSimplificado(edital, D(1, 1, 2005), l);
    t.AdicionarProrata(edital, pagamento, {std::nullopt, 0.0812, 0.0822});
    const TIndicesCalculo i(t, nullptr);
    EXPECT_FALSE(i.IndiceProRata(D(1, 3, 2005), pagamento, D(1, 3, 2005), opcao, edital)) << "empty IN_ATRASO_MES";
    EXPECT_FALSE(i.IndiceProRata(D(1, 1, 2005), pagamento, D(1, 1, 2005), opcao, edital)) << "empty simplified";
    EXPECT_TRUE(i.IndiceProRata(D(1, 2, 2005), pagamento, D(1, 2, 2005), opcao, edital));
}

TEST(Indices, IndicesDeGuia)
{
    TTabelasIndicesMemoria t;
    const TDateTime edital = D(1, 3, 2005), venc = D(7, 2, 2005), pag = D(10, 3, 2005);
    t.AdicionarGuia(edital, venc, pag, {0.0831, 0.5123});
    t.AdicionarGuia(edital, D(8, 2, 2005), pag, {std::nullopt, 0.5124});
    const TIndicesCalculo i(t, nullptr);
    EXPECT_EQ(Valor(i.IndiceGuia(edital, venc, pag)), Valor(0.0831));
    EXPECT_EQ(Valor(i.IndiceGuiaMulta(edital, venc, pag)), Valor(0.5123));
    // Each of the three dates is part of the key.
    EXPECT_FALSE(i.IndiceGuia(D(1, 2, 2005), venc, pag));
    EXPECT_FALSE(i.IndiceGuia(edital, D(9, 2, 2005), pag));
    EXPECT_FALSE(i.IndiceGuiaMulta(edital, venc, D(11, 3, 2005)));
    EXPECT_FALSE(i.IndiceGuia(edital, NullDate, pag));
    // An empty column is missing, its neighbour is not.
    EXPECT_FALSE(i.IndiceGuia(edital, D(8, 2, 2005), pag));
    EXPECT_EQ(Valor(i.IndiceGuiaMulta(edital, D(8, 2, 2005), pag)), Valor(0.5124));
}

} // namespace
} // namespace drav
