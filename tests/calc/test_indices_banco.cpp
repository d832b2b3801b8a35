#include "calc/Indices.h"

#include "core/DBUtils.h"
#include "core/Datas.h"
#include "core/Resultado.h"
#include "kit/BancoTeste.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace drav {
namespace {

class IndicesBanco : public teste::BancoTeste {
protected:
    std::unique_ptr<TResultado> Linha(const std::string& sql)
    {
        auto r = sessao->AbrirConsulta(sql);
        r->First();
        return r;
    }
};

void Igual(const std::optional<double>& lido, const TResultado& r, const std::string& coluna)
{
    ASSERT_TRUE(lido.has_value()) << coluna;
    EXPECT_DOUBLE_EQ(*lido, r.FieldByName(coluna).AsFloat()) << coluna;
}

TEST_F(IndicesBanco, AsTabelasDoBancoDaoOsValoresDasLinhas)
{
    const TTabelasIndicesBanco tabelas(*sessao);

    auto p = Linha("SELECT FIRST 1 SKIP 3 * FROM SFGTBT18_INDICE_PRORATA ORDER BY DT_RECOLHIMENTO_PRORATA");
    ASSERT_FALSE(p->IsEmpty()) << "the sample tables are installed with every new database";
    const TDateTime edital = p->FieldByName("DT_EDITAL_PRORATA").AsDateTime();
    const TDateTime pagamento = p->FieldByName("DT_RECOLHIMENTO_PRORATA").AsDateTime();
    const TIndicesProrata* prorata = tabelas.Prorata(edital, pagamento);
    ASSERT_NE(prorata, nullptr);
    Igual(prorata->AtrasoMes, *p, "IN_ATRASO_MES");
    Igual(prorata->Atraso1Mes, *p, "IN_ATRASO_1_MES");
    Igual(prorata->Atraso2Meses, *p, "IN_ATRASO_2_MESES");
    EXPECT_EQ(tabelas.Prorata(edital, pagamento + 400), nullptr);

    auto s = Linha("SELECT * FROM SFGTBT17_INDICE_SIMPLIFICADO WHERE DT_COMPETENCIA_SIMPLIFICADO = '1971-09-01'");
    ASSERT_FALSE(s->IsEmpty());
    const TIndicesSimplificados* simpl = tabelas.Simplificado(edital, CodificarData(1971, 9, 1));
    ASSERT_NE(simpl, nullptr);
    for (int i = 0; i < kPeriodosOpcao; ++i) {
        const std::string sufixo = SufixoPeriodo(static_cast<PeriodoOpcao>(i));
        Igual(simpl->Jam[i], *s, "IN_JAM_OPCAO_" + sufixo);
        const bool curto = i >= static_cast<int>(PeriodoOpcao::Ate0971);
        Igual(simpl->Simplificado1[i], *s, (curto ? "IN_SMPLO_1_OPCAO_" : "IN_SIMPLIFICADO_1_OPCAO_") + sufixo);
        Igual(simpl->Simplificado2[i], *s, (curto ? "IN_SMPLO_2_OPCAO_" : "IN_SIMPLIFICADO_2_OPCAO_") + sufixo);
    }

    auto g = Linha("SELECT FIRST 1 * FROM SFGTBT16_INDICE_GUIA_RESCISORIA WHERE DT_VENCIMENTO = '2024-04-05'");
    ASSERT_FALSE(g->IsEmpty());
    const TIndicesGuia* guia = tabelas.Guia(g->FieldByName("DT_EDITAL_GUIA").AsDateTime(), CodificarData(2024, 4, 5),
                                            g->FieldByName("DT_RCLTO_INDICE_RESCISORIA").AsDateTime());
    ASSERT_NE(guia, nullptr);
    Igual(guia->Indice, *g, "VR_INDICE");
    Igual(guia->IndiceMulta, *g, "VR_INDICE_MULTA_RESCISORIA");
}

TEST_F(IndicesBanco, ColunaNulaNaoViraZero)
{
    sessao->ExecutarSQL("INSERT INTO SFGTBT17_INDICE_SIMPLIFICADO "
                        "(DT_EDITAL_SIMPLIFICADO, DT_COMPETENCIA_SIMPLIFICADO, IN_JAM_OPCAO_67, "
                        "IN_SMPLO_2_OPCAO_MAIOR_0971) VALUES ('2031-01-01', '2030-10-01', 0.5, 1.25)");
    sessao->ExecutarSQL("INSERT INTO SFGTBT18_INDICE_PRORATA (DT_EDITAL_PRORATA, DT_RECOLHIMENTO_PRORATA, "
                        "IN_ATRASO_1_MES) VALUES ('2031-01-01', '2031-01-10', 0.0815)");
    const TTabelasIndicesBanco tabelas(*sessao);
    const TDateTime edital = CodificarData(2031, 1, 1);
    const TIndicesSimplificados* s = tabelas.Simplificado(edital, CodificarData(2030, 10, 1));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Jam[0].value_or(-1), 0.5);
    EXPECT_EQ(s->Simplificado2[5].value_or(-1), 1.25);
    EXPECT_FALSE(s->Jam[5]);
    EXPECT_FALSE(s->Simplificado1[5]);

    TRegistroInconsistenciasMemoria registro;
    const TIndicesCalculo indices(tabelas, &registro);
    EXPECT_FALSE(indices.IndiceJAM(1, CodificarData(2030, 10, 1), CodificarData(2000, 1, 1), edital));
    EXPECT_EQ(registro.Linhas.size(), 1u);
    const TDateTime pagamento = CodificarData(2031, 1, 10);
    EXPECT_FALSE(indices.IndiceProRata(CodificarData(2031, 1, 1), pagamento, CodificarData(2031, 1, 1),
                                       CodificarData(2000, 1, 1), edital));
    EXPECT_DOUBLE_EQ(indices.IndiceProRata(CodificarData(2030, 12, 1), pagamento, CodificarData(2030, 12, 1),
                                    CodificarData(2000, 1, 1), edital)
                  .value_or(-1),
              0.0815);
}

TEST_F(IndicesBanco, CadaTabelaELidaUmaVezSo)
{
    const TTabelasIndicesBanco tabelas(*sessao);
    auto p = Linha("SELECT FIRST 1 * FROM SFGTBT18_INDICE_PRORATA");
    const TDateTime edital = p->FieldByName("DT_EDITAL_PRORATA").AsDateTime();
    const TDateTime pagamento = p->FieldByName("DT_RECOLHIMENTO_PRORATA").AsDateTime();
    tabelas.CarregarTudo();

    sessao->ExecutarSQL("DELETE FROM SFGTBT18_INDICE_PRORATA");
    sessao->ExecutarSQL("DELETE FROM SFGTBT17_INDICE_SIMPLIFICADO");
    // What was read stays; a new object reads the tables as they are now.
    EXPECT_NE(tabelas.Prorata(edital, pagamento), nullptr);
    EXPECT_NE(tabelas.Simplificado(edital, CodificarData(2000, 1, 1)), nullptr);
    const TTabelasIndicesBanco depois(*sessao);
    EXPECT_EQ(depois.Prorata(edital, pagamento), nullptr);
    EXPECT_EQ(depois.Simplificado(edital, CodificarData(2000, 1, 1)), nullptr);
}

} // namespace
} // namespace drav
