#include "calc/DiaUtil.h"

#include "core/DBUtils.h"
#include "core/Datas.h"
#include "kit/BancoTeste.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace drav {
namespace {

TDateTime D(int dia, int mes, int ano) { return CodificarData(ano, mes, dia); }

std::string Texto(TDateTime d) { return d == NullDate ? "NullDate" : DataParaTexto(d); }

// Monday to Friday from `de` to `ate`, less the holidays. Day 0 (30/12/1899) was a Saturday.
TCalendarioMemoria DiasDeSemana(TDateTime de, TDateTime ate, const std::vector<TDateTime>& feriados = {})
{
    std::vector<TDateTime> dias;
    for (TDateTime d = de; d <= ate; d += 1) {
        const int semana = static_cast<int>(d) % 7; // 0 Saturday, 1 Sunday
        if (semana >= 2 && std::find(feriados.begin(), feriados.end(), d) == feriados.end())
            dias.push_back(d);
    }
    return TCalendarioMemoria(dias);
}

// April 2024: the 7th is a Sunday, the 5th a Friday.
const TCalendarioMemoria& Abril2024()
{
    static const TCalendarioMemoria c = DiasDeSemana(D(1, 12, 2023), D(31, 5, 2024), {D(1, 1, 2024), D(21, 4, 2024)});
    return c;
}

TEST(DiaUtil, BuscaNoMaximoSeteDiasParaCadaLado)
{
    // A calendar with two business days 9 days apart: 01/03 and 10/03.
    TCalendarioMemoria c({D(1, 3, 2024), D(10, 3, 2024)});
    struct Caso {
        TDateTime d;
        TDateTime anterior, posterior;
    } casos[] = {
        {D(1, 3, 2024), D(1, 3, 2024), D(1, 3, 2024)},   // a business day is its own answer
        {D(8, 3, 2024), D(1, 3, 2024), D(10, 3, 2024)},  // exactly 7 back; 2 ahead
        {D(9, 3, 2024), NullDate, D(10, 3, 2024)},       // 8 back is too far
        {D(3, 3, 2024), D(1, 3, 2024), D(10, 3, 2024)},  // exactly 7 ahead
        {D(2, 3, 2024), D(1, 3, 2024), NullDate},        // 8 ahead is too far
        {D(20, 3, 2024), NullDate, NullDate},
    };
    for (const auto& k : casos) {
        EXPECT_EQ(Texto(c.DiaUtilAnterior(k.d)), Texto(k.anterior)) << Texto(k.d);
        EXPECT_EQ(Texto(c.DiaUtilPosterior(k.d)), Texto(k.posterior)) << Texto(k.d);
        // Nothing within reach: the date itself, never no date.
        EXPECT_EQ(Texto(c.AjustarDiaUtil(false, k.d)), Texto(k.anterior == NullDate ? k.d : k.anterior));
        EXPECT_EQ(Texto(c.AjustarDiaUtil(true, k.d)), Texto(k.posterior == NullDate ? k.d : k.posterior));
    }
}

TEST(DiaUtil, AHoraDoDiaNaoTiraODiaDoCalendario)
{
    const TDateTime sabadoTarde = D(6, 4, 2024) + 0.75;
    EXPECT_EQ(Texto(Abril2024().AjustarDiaUtil(false, sabadoTarde)), "05/04/2024");
    EXPECT_EQ(Texto(Abril2024().AjustarDiaUtil(true, sabadoTarde)), "08/04/2024");
    EXPECT_TRUE(Abril2024().EhDiaUtil(D(5, 4, 2024) + 0.5));
}

TEST(DiaUtil, VencimentoDaCompetencia)
{
    struct Caso {
        TDateTime competencia;
        const char* vencimento;
    } casos[] = {
        {D(1, 3, 2024), "05/04/2024"},  // the 7th is a Sunday: back to Friday the 5th
        {D(1, 1, 2024), "07/02/2024"},  // the 7th is a Wednesday
        {D(1, 12, 2023), "05/01/2024"}, // December falls due in January of the next year
        {D(15, 3, 2024), "05/04/2024"}, // any day of the month names the same competence
        {NullDate, "NullDate"},
    };
    for (const auto& k : casos)
        EXPECT_EQ(Texto(Abril2024().VencimentoCompetencia(k.competencia)), k.vencimento) << Texto(k.competencia);

    // A calendar without a day in the week before the 7th leaves the 7th as it is.
    EXPECT_EQ(Texto(TCalendarioMemoria().VencimentoCompetencia(D(1, 3, 2024))), "07/04/2024");
}

TEST(DiaUtil, CalendarioDeTestesAceitaDiasAvulsos)
{
    TCalendarioMemoria c;
    c.Adicionar(D(10, 3, 2024));
    c.Adicionar(D(5, 3, 2024));
    c.Adicionar(D(10, 3, 2024));
    EXPECT_EQ(c.Quantidade(), 2u);
    EXPECT_EQ(Texto(c.DiaUtilAnterior(D(9, 3, 2024))), "05/03/2024");
    EXPECT_FALSE(c.EhDiaUtil(NullDate));
}

class DiaUtilBanco : public teste::BancoTeste {};

TEST_F(DiaUtilBanco, OCalendarioDoBancoSegueOsFeriados)
{
    const TDiaUtil c(*sessao);
    EXPECT_GT(c.Quantidade(), 10000u);
    EXPECT_EQ(Texto(c.VencimentoCompetencia(D(1, 3, 2024))), "05/04/2024"); // Sunday 7th
    EXPECT_EQ(Texto(c.VencimentoCompetencia(D(1, 8, 2023))), "06/09/2023"); // 7 September is a holiday
    EXPECT_EQ(Texto(c.AjustarDiaUtil(true, D(25, 12, 2025))), "26/12/2025");
    EXPECT_FALSE(c.EhDiaUtil(D(21, 4, 2025)));
}

TEST_F(DiaUtilBanco, OCalendarioELidoUmaVezSo)
{
    const TDiaUtil c(*sessao);
    sessao->ExecutarSQL("DELETE FROM SFGTBT15_DIA_UTIL WHERE DT_UTIL = '2024-04-05'");
    // The calendar already built keeps what it read; the next one sees the change.
    EXPECT_EQ(Texto(c.VencimentoCompetencia(D(1, 3, 2024))), "05/04/2024");
    EXPECT_EQ(Texto(TDiaUtil(*sessao).VencimentoCompetencia(D(1, 3, 2024))), "04/04/2024");
    EXPECT_EQ(TDiaUtil(*sessao, false).Quantidade(), 0u);
}

} // namespace
} // namespace drav
