#include "kit/BancoTeste.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace drav {
namespace {

using teste::BancoTeste;

class ReferenciaTeste : public BancoTeste {
protected:
    int64_t Numero(const std::string& sql)
    {
        return sessao->AbrirConsulta(sql)->Field(0).AsInt64();
    }
    std::string Texto(const std::string& sql)
    {
        return sessao->AbrirConsulta(sql)->Field(0).AsString();
    }
    bool DiaUtil(const std::string& data)
    {
        return Numero("SELECT COUNT(*) FROM SFGTBT15_DIA_UTIL WHERE DT_UTIL = '" + data + "'") == 1;
    }
    std::set<std::string> Coluna(const std::string& sql)
    {
        std::set<std::string> valores;
        auto r = sessao->AbrirConsulta(sql);
        for (r->First(); !r->Eof(); r->Next()) {
            std::string v = r->Field(0).AsString();
            while (!v.empty() && v.back() == ' ')
                v.pop_back();
            valores.insert(v);
        }
        return valores;
    }
};

TEST_F(ReferenciaTeste, CalendarioDeDiasUteis)
{
    struct Caso {
        const char* data;
        bool util;
        const char* motivo;
    };
    const Caso casos[] = {
        {"2024-02-12", false, "segunda-feira de Carnaval"},
        {"2024-02-13", false, "terça-feira de Carnaval"},
        {"2024-02-14", true, "quarta-feira de Cinzas"},
        {"2024-03-29", false, "Sexta-feira da Paixão"},
        {"2025-04-18", false, "Sexta-feira da Paixão"},
        {"2025-04-21", false, "Tiradentes numa segunda-feira"},
        {"2024-05-30", false, "Corpus Christi"},
        {"2023-11-15", false, "Proclamação da República"},
        {"2023-11-20", true, "20 de novembro antes de ser feriado nacional"},
        {"2024-11-20", false, "Consciência Negra"},
        {"2025-11-20", false, "Consciência Negra"},
        {"2024-12-25", false, "Natal"},
        {"1981-10-12", false, "Nossa Senhora Aparecida"},
        {"1979-10-12", true, "12 de outubro antes de ser feriado nacional"},
        {"2024-03-04", true, "segunda-feira comum"},
        {"2024-03-08", true, "sexta-feira comum"},
        {"2024-03-02", false, "sábado"},
        {"2024-03-03", false, "domingo"},
        {"1967-01-02", true, "primeiro dia útil do calendário"},
        {"2040-12-31", true, "último dia útil do calendário"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(DiaUtil(c.data), c.util) << c.data << " (" << c.motivo << ")";

    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT15_DIA_UTIL WHERE EXTRACT(WEEKDAY FROM DT_UTIL) IN (0, 6)"), 0);
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT15_DIA_UTIL WHERE DT_UTIL < '1967-01-01' OR DT_UTIL > '2040-12-31'"),
              0);
    // Every year of the range is there, with the usual 240 to 255 business days.
    auto r = sessao->AbrirConsulta("SELECT EXTRACT(YEAR FROM DT_UTIL) AS ANO, COUNT(*) AS DIAS FROM SFGTBT15_DIA_UTIL "
                                   "GROUP BY 1 ORDER BY 1");
    int anos = 0;
    for (r->First(); !r->Eof(); r->Next(), ++anos) {
        EXPECT_EQ(r->FieldByName("ANO").AsInteger(), 1967 + anos);
        EXPECT_GE(r->FieldByName("DIAS").AsInteger(), 240) << r->FieldByName("ANO").AsInteger();
        EXPECT_LE(r->FieldByName("DIAS").AsInteger(), 255) << r->FieldByName("ANO").AsInteger();
    }
    EXPECT_EQ(anos, 2040 - 1967 + 1);
}

TEST_F(ReferenciaTeste, TabelasDeCodigosComoOsFormulariosAsLeem)
{
    // The withdrawal pick list and the stored code (its first two characters).
    EXPECT_EQ(Texto(" SELECT CO_SAQUE || '- ' ||DE_SAQUE FROM SFGTBT06_MOTIVO_SAQUE ORDER BY 1"),
              "01 - Despedida sem justa causa");
    EXPECT_EQ(Coluna("SELECT CO_SAQUE FROM SFGTBT06_MOTIVO_SAQUE"), (std::set<std::string>{"01", "02", "03", "04"}));
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT06_MOTIVO_SAQUE WHERE CO_SAQUE = '01'"), 1);

    EXPECT_EQ(Coluna("SELECT CO_MOVIMENTACAO FROM SFGTBT07_TIPO_MOVIMENTACAO"),
              (std::set<std::string>{"I1", "I2", "I3", "I4", "L"}));
    EXPECT_EQ(Coluna("SELECT NU_CATEGORIA FROM SFGTBT04_CATEGORIA_EMPREGADO"),
              (std::set<std::string>{"1", "3", "4", "5", "6", "7"}));
    // Only the director has no work booklet.
    EXPECT_EQ(Coluna("SELECT NU_CATEGORIA FROM SFGTBT04_CATEGORIA_EMPREGADO WHERE IC_CTPS = 'N'"),
              (std::set<std::string>{"5"}));
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT04_CATEGORIA_EMPREGADO WHERE IC_CTPS <> 'S' AND IC_CTPS <> 'N'"), 0);
    EXPECT_EQ(Coluna("SELECT NU_SIMPLES FROM SFGTBT02_TIPO_OPCAO_SIMPLES"),
              (std::set<std::string>{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT09_TIPO_GRAU_INSTRUCAO WHERE NU_GRAU_INSTRUCAO BETWEEN 1 AND 13"), 13);
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT08_UNIDADE_FEDERACAO"), 27);
    EXPECT_EQ(Texto("SELECT NO_UF FROM SFGTBT08_UNIDADE_FEDERACAO WHERE SG_UF = 'SP'"), "São Paulo");
    for (const char* tipo : {"1", "2", "3", "4", "5", "6", "7", "9"})
        EXPECT_EQ(Numero(std::string("SELECT COUNT(*) FROM SFGTBT12_TIPO_ARQUIVO WHERE NU_ARQUIVO = ") + tipo), 1) << tipo;
    EXPECT_EQ(Coluna("SELECT NU_SITUACAO_CONTA_EMPRESA FROM SFGTBT19_TPO_STCO_CONTA_EMPRESA"),
              (std::set<std::string>{"0", "1", "2", "3"}));

    // Codes the registration rules name.
    for (const char* fpas : {"582", "604", "639", "868"})
        EXPECT_EQ(Numero(std::string("SELECT COUNT(*) FROM SFGTBT01_FPAS  WHERE NU_INSS = '") + fpas + "'"), 1) << fpas;
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT05_OCUPACAO_NIVEL_4 WHERE CO_CBO = '005121'"), 1);
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT05_OCUPACAO_NIVEL_4 WHERE CHAR_LENGTH(CO_CBO) <> 6"), 0);
    EXPECT_GT(Numero("SELECT COUNT(*) FROM SFGTBT05_OCUPACAO_NIVEL_4"), 600);
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT03_ATIVIDADE_CNAE_NIVEL_5  WHERE NU_IBGE = 0111301"), 1);
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT03_ATIVIDADE_CNAE_NIVEL_5  WHERE NU_IBGE = 8888888"), 1);
    EXPECT_GT(Numero("SELECT COUNT(*) FROM SFGTBT03_ATIVIDADE_CNAE_NIVEL_5"), 1300);
}

TEST_F(ReferenciaTeste, CombinacoesDeSaqueMovimentacaoECategoria)
{
    struct Caso {
        const char* saque;
        const char* movimentacao;
        int categoria;
        bool permitido;
    };
    const Caso casos[] = {
        {"01", "I1", 1, true},  {"01", "I1", 6, false}, {"01", "I4", 6, true},  {"01", "I4", 1, false},
        {"02", "I2", 6, true},  {"04", "I3", 7, true},  {"04", "I3", 4, true},  {"04", "I1", 1, false},
        {"03", "I1", 1, true},  {"03", "I1", 6, false}, {"02", "I1", 1, false}, {"01", "I3", 1, false},
    };
    for (const auto& c : casos) {
        // The statement of the link validation, with the stored (two-character) withdrawal code.
        const auto n = Numero(std::string("SELECT COUNT(*) AS COUNT_SAQUE  FROM SFGTBT23_SAQUE_MVMNO_CATEGORIA "
                                          "WHERE CO_SAQUE        = '") +
                              c.saque + "' AND   CO_MOVIMENTACAO = '" + c.movimentacao +
                              "' AND   NU_CATEGORIA    = " + std::to_string(c.categoria));
        EXPECT_EQ(n > 0, c.permitido) << c.saque << "/" << c.movimentacao << "/" << c.categoria;
    }
    // Every combination names codes of the other tables.
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT23_SAQUE_MVMNO_CATEGORIA C WHERE NOT EXISTS "
                     "(SELECT 1 FROM SFGTBT06_MOTIVO_SAQUE S WHERE S.CO_SAQUE = C.CO_SAQUE) OR NOT EXISTS "
                     "(SELECT 1 FROM SFGTBT07_TIPO_MOVIMENTACAO M WHERE M.CO_MOVIMENTACAO = C.CO_MOVIMENTACAO) OR "
                     "NOT EXISTS (SELECT 1 FROM SFGTBT04_CATEGORIA_EMPREGADO K WHERE K.NU_CATEGORIA = C.NU_CATEGORIA)"),
              0);
}

TEST_F(ReferenciaTeste, AliquotaVigentePorCategoriaECompetencia)
{
    struct Caso {
        int categoria;
        const char* competencia; // yyyymm
        int aliquota;
    };
    const Caso casos[] = {
        {1, "196701", 8}, {1, "202412", 8}, {3, "202001", 8}, {5, "202001", 8}, {6, "202001", 8},
        {4, "199801", 2}, {4, "200301", 2}, {4, "200302", 8}, {7, "200012", 2}, {7, "202406", 2},
    };
    for (const auto& c : casos) {
        // Newest row whose competence is not after the reference month, as the rescission data reads it.
        auto r = sessao->AbrirConsulta(
            " SELECT  AA_COMPETENCIA_ALIQUOTA, MM_COMPETENCIA_ALIQUOTA,PC_ALIQUOTA,     VR_REMUNERACAO_MINIMA, "
            "VR_SALDO_RESCISORIO_MINIMO   FROM SFGTBT14_ALIQUOTA_CALCULO_DPSTO  WHERE NU_CATEGORIA = " +
            std::to_string(c.categoria) + " ORDER BY AA_COMPETENCIA_ALIQUOTA desc , MM_COMPETENCIA_ALIQUOTA desc ");
        int aliquota = -1;
        for (r->First(); !r->Eof(); r->Next()) {
            char mes[8];
            std::snprintf(mes, sizeof mes, "%04d%02d", r->Field(0).AsInteger(), r->Field(1).AsInteger());
            if (std::string(mes) <= c.competencia) {
                aliquota = r->Field(2).AsInteger();
                EXPECT_GT(r->Field(3).AsFloat(), 0.0);
                EXPECT_GT(r->Field(4).AsFloat(), 0.0);
                break;
            }
        }
        EXPECT_EQ(aliquota, c.aliquota) << "categoria " << c.categoria << " em " << c.competencia;
    }
}

class IndicesAmostraTeste : public ReferenciaTeste {
protected:
    std::string edital;
    void SetUp() override
    {
        ReferenciaTeste::SetUp();
        ASSERT_EQ(Numero("SELECT COUNT(DISTINCT DT_EDITAL_PRORATA) FROM SFGTBT18_INDICE_PRORATA"), 1);
        edital = Texto("SELECT FIRST 1 CAST(DT_EDITAL_PRORATA AS VARCHAR(10)) FROM SFGTBT18_INDICE_PRORATA");
    }
};

// A collection can be opened on any business day from the 10th of the edital month to the 9th of
// the next month, and on no other day.
TEST_F(IndicesAmostraTeste, DatasDePagamentoSaoOsDiasUteisDaJanelaDoEdital)
{
    EXPECT_EQ(edital.substr(8), "01");
    const std::string inicio = "DATEADD(9 DAY TO DATE '" + edital + "')";
    const std::string fim = "DATEADD(8 DAY TO DATEADD(1 MONTH TO DATE '" + edital + "'))";
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT18_INDICE_PRORATA P WHERE NOT EXISTS (SELECT 1 FROM "
                     "SFGTBT15_DIA_UTIL D WHERE D.DT_UTIL = P.DT_RECOLHIMENTO_PRORATA) OR "
                     "P.DT_RECOLHIMENTO_PRORATA NOT BETWEEN " + inicio + " AND " + fim),
              0);
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT18_INDICE_PRORATA"),
              Numero("SELECT COUNT(*) FROM SFGTBT15_DIA_UTIL WHERE DT_UTIL BETWEEN " + inicio + " AND " + fim));
    EXPECT_GE(Numero("SELECT COUNT(*) FROM SFGTBT18_INDICE_PRORATA"), 15);
}

TEST_F(IndicesAmostraTeste, IndicesSimplificadosCobremTodasAsCompetencias)
{
    // One row per month from January 1967 to the edital month, all of this edital.
    const int64_t meses = Numero("SELECT (EXTRACT(YEAR FROM DATE '" + edital + "') - 1967) * 12 + EXTRACT(MONTH FROM DATE '" +
                                 edital + "') FROM RDB$DATABASE");
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT17_INDICE_SIMPLIFICADO WHERE DT_EDITAL_SIMPLIFICADO = '" + edital +
                     "' AND EXTRACT(DAY FROM DT_COMPETENCIA_SIMPLIFICADO) = 1"),
              meses);
    EXPECT_EQ(Numero("SELECT COUNT(DISTINCT DT_COMPETENCIA_SIMPLIFICADO) FROM SFGTBT17_INDICE_SIMPLIFICADO"), meses);
    EXPECT_EQ(Texto("SELECT CAST(MIN(DT_COMPETENCIA_SIMPLIFICADO) AS VARCHAR(10)) FROM SFGTBT17_INDICE_SIMPLIFICADO"),
              "1967-01-01");
    // Interest accrues: an older competence never earns less than a newer one (real currency period).
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT17_INDICE_SIMPLIFICADO A JOIN SFGTBT17_INDICE_SIMPLIFICADO B "
                     "ON B.DT_COMPETENCIA_SIMPLIFICADO = DATEADD(1 MONTH TO A.DT_COMPETENCIA_SIMPLIFICADO) "
                     "WHERE A.DT_COMPETENCIA_SIMPLIFICADO >= '1994-07-01' AND "
                     "(A.IN_JAM_OPCAO_MAIOR_0971 < B.IN_JAM_OPCAO_MAIOR_0971 OR A.IN_JAM_OPCAO_67 < B.IN_JAM_OPCAO_67)"),
              0);
    EXPECT_GT(Numero("SELECT COUNT(*) FROM SFGTBT17_INDICE_SIMPLIFICADO WHERE IN_JAM_OPCAO_MAIOR_0971 > 0"), 300);
}

// The calculation turns a late parcel into deposit + interest + penalty. Whatever the index path
// (guide index by due date, simplified x pro-rata for two months or more), the index must cover
// the deposit and its interest, or the penalty of the parcel would come out negative.
TEST_F(IndicesAmostraTeste, AtrasoSempreCobreDepositoEJuros)
{
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT17_INDICE_SIMPLIFICADO WHERE "
                     "IN_SIMPLIFICADO_1_OPCAO_67 < 1 + IN_JAM_OPCAO_67 OR IN_SIMPLIFICADO_2_OPCAO_70 < 1 + IN_JAM_OPCAO_70 OR "
                     "IN_SMPLO_1_OPCAO_ATE_0971 < 1 + IN_JAM_OPCAO_ATE_0971 OR "
                     "IN_SMPLO_1_OPCAO_MAIOR_0971 < 1 + IN_JAM_OPCAO_MAIOR_0971 OR "
                     "IN_SMPLO_2_OPCAO_MAIOR_0971 < IN_SMPLO_1_OPCAO_MAIOR_0971 OR IN_JAM_OPCAO_MAIOR_0971 < 0"),
              0);
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT18_INDICE_PRORATA WHERE IN_ATRASO_2_MESES < 0.08 OR "
                     "IN_ATRASO_1_MES < 0.08 * 1.05 OR IN_ATRASO_MES < 0.08 * 1.05"),
              0);
    // Guide index of a due date against the interest of the competence two months before it, the
    // earliest the calculation can pair with that due date.
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT16_INDICE_GUIA_RESCISORIA G JOIN SFGTBT17_INDICE_SIMPLIFICADO S "
                     "ON S.DT_EDITAL_SIMPLIFICADO = G.DT_EDITAL_GUIA AND S.DT_COMPETENCIA_SIMPLIFICADO = "
                     "DATEADD(-2 MONTH TO G.DT_VENCIMENTO - EXTRACT(DAY FROM G.DT_VENCIMENTO) + 1) "
                     "WHERE G.VR_INDICE < 0.08 * (1 + S.IN_JAM_OPCAO_67) OR "
                     "G.VR_INDICE_MULTA_RESCISORIA < 0.5 * (1 + S.IN_JAM_OPCAO_67)"),
              0);
}

TEST_F(IndicesAmostraTeste, IndiceDeGuiaParaTodoVencimentoAnteriorAoPagamento)
{
    // Every business day from 2020 on is a due date with a row for each later payment date.
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT16_INDICE_GUIA_RESCISORIA"),
              Numero("SELECT COUNT(*) FROM SFGTBT18_INDICE_PRORATA P JOIN SFGTBT15_DIA_UTIL D "
                     "ON D.DT_UTIL >= '2020-01-01' AND D.DT_UTIL < P.DT_RECOLHIMENTO_PRORATA"));
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT16_INDICE_GUIA_RESCISORIA G WHERE G.DT_EDITAL_GUIA <> '" + edital +
                     "' OR NOT EXISTS (SELECT 1 FROM SFGTBT18_INDICE_PRORATA P WHERE "
                     "P.DT_RECOLHIMENTO_PRORATA = G.DT_RCLTO_INDICE_RESCISORIA)"),
              0);
    // The fine index is the deposit index scaled from 8 % to 50 % (fine plus contribution).
    EXPECT_EQ(Numero("SELECT COUNT(*) FROM SFGTBT16_INDICE_GUIA_RESCISORIA "
                     "WHERE ABS(VR_INDICE_MULTA_RESCISORIA - 6.25 * VR_INDICE) > 0.00000001"),
              0);
}

} // namespace
} // namespace drav
