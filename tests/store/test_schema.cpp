#include "kit/BancoTeste.h"
#include "store/CriacaoBanco.h"
#include "store/Tabelas.h"
#include "store/VersaoSchema.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace drav {
namespace {

using teste::BancoTeste;

std::string Aparado(std::string s)
{
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

// Tables and columns as the database reports them, columns in position order.
std::map<std::string, std::vector<std::string>> LayoutDoBanco(TDBUtils& sessao)
{
    auto r = sessao.AbrirConsulta(
        "SELECT F.RDB$RELATION_NAME AS TABELA, F.RDB$FIELD_NAME AS COLUNA "
        "FROM RDB$RELATION_FIELDS F JOIN RDB$RELATIONS R ON R.RDB$RELATION_NAME = F.RDB$RELATION_NAME "
        "WHERE COALESCE(R.RDB$SYSTEM_FLAG, 0) = 0 AND R.RDB$VIEW_BLR IS NULL "
        "ORDER BY F.RDB$RELATION_NAME, F.RDB$FIELD_POSITION");
    std::map<std::string, std::vector<std::string>> layout;
    for (r->First(); !r->Eof(); r->Next())
        layout[Aparado(r->FieldByName("TABELA").AsString())].push_back(Aparado(r->FieldByName("COLUNA").AsString()));
    return layout;
}

std::filesystem::path RaizDoProjeto()
{
    return std::filesystem::path(DRAV_FIXTURES).parent_path().parent_path();
}

TEST_F(BancoTeste, ListaDeTabelasDoProgramaEIgualAoBanco)
{
    const auto banco = LayoutDoBanco(*sessao);
    std::set<std::string> doPrograma;
    for (const auto& t : TabelasBanco()) {
        const std::string nome(t.nome);
        doPrograma.insert(nome);
        auto it = banco.find(nome);
        ASSERT_NE(it, banco.end()) << "tabela ausente do banco: " << nome;
        std::vector<std::string> colunas(t.colunas.begin(), t.colunas.end());
        // Order matters: the backup writes and replays columns in table order.
        EXPECT_EQ(colunas, it->second) << "colunas de " << nome;
    }
    for (const auto& [nome, colunas] : banco)
        EXPECT_TRUE(doPrograma.count(nome)) << "tabela do banco fora da lista do programa: " << nome;
}

TEST(Tabelas, BackupCobreAsTabelasQueOProgramaGrava)
{
    std::set<std::string_view> vistas;
    for (auto nome : TabelasBackup()) {
        EXPECT_NE(TabelaPorNome(nome), nullptr) << nome;
        EXPECT_TRUE(vistas.insert(nome).second) << "repetida: " << nome;
    }
    // Every business table is saved, plus the four tables the index import replaces.
    for (const auto& t : TabelasBanco()) {
        const bool negocio = t.nome.substr(0, 6) == "SFGTBG";
        const bool indices = t.nome == "SFGTBT15_DIA_UTIL" || t.nome == "SFGTBT16_INDICE_GUIA_RESCISORIA" ||
                             t.nome == "SFGTBT17_INDICE_SIMPLIFICADO" || t.nome == "SFGTBT18_INDICE_PRORATA";
        EXPECT_EQ(vistas.count(t.nome) == 1, negocio || indices) << t.nome;
    }
    EXPECT_EQ(TabelasBackup().size(), 22u);
    EXPECT_EQ(TabelasBackup()[kTabelasBackupAntigo - 1], "SFGTBT18_INDICE_PRORATA");
}

// A table name misspelt in some statement would only fail when that statement runs.
TEST(Tabelas, TodaTabelaCitadaNoCodigoExiste)
{
    const std::regex nomeTabela(R"(\bSFGTB[GT][0-9]{2}_[A-Z0-9_]+)");
    std::map<std::string, std::string> desconhecidas;
    size_t arquivos = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(RaizDoProjeto() / "src")) {
        const auto ext = e.path().extension();
        if (!e.is_regular_file() || (ext != ".cpp" && ext != ".h"))
            continue;
        ++arquivos;
        std::ifstream in(e.path(), std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        const std::string texto = ss.str();
        for (std::sregex_iterator it(texto.begin(), texto.end(), nomeTabela), fim; it != fim; ++it)
            if (!TabelaPorNome(it->str()))
                desconhecidas.emplace(it->str(), e.path().filename().string());
    }
    EXPECT_GT(arquivos, 10u);
    for (const auto& [nome, arquivo] : desconhecidas)
        ADD_FAILURE() << "tabela inexistente " << nome << " citada em " << arquivo;
}

TEST_F(BancoTeste, VersaoDaBaseEADoPrograma)
{
    EXPECT_EQ(VersaoBanco(*sessao), kVersaoSchema);
    EXPECT_NO_THROW(VerificarVersaoBanco(*sessao));
}

TEST_F(BancoTeste, GeradoresNumeramEmSequencia)
{
    for (const char* gerador : {"GEN_SFGTBG18_ARQUIVO_ID", "S_SFGTBG19_RESPONSAVEL_HMLGO"}) {
        const std::string sql = std::string("SELECT GEN_ID(") + gerador + ", 1) AS N FROM RDB$DATABASE";
        const auto a = sessao->AbrirConsulta(sql)->FieldByName("N").AsInt64();
        const auto b = sessao->AbrirConsulta(sql)->FieldByName("N").AsInt64();
        EXPECT_EQ(b, a + 1) << gerador;
    }
}

// The key values the program stores must fit: 14-digit inscriptions, 11-digit PIS and bank
// numbers, two-decimal amounts, nine-decimal index factors.
TEST_F(BancoTeste, TiposGuardamOsValoresSemPerda)
{
    sessao->ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL) "
                        "VALUES (1, 99999999999999, 'AÇÚCAR & CIA')");
    sessao->ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES (99999999999, 'JOÃO')");
    sessao->ExecutarSQL("INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                        "NU_CATEGORIA, DT_ADMISSAO_VINCULO) VALUES (1, 99999999999999, 99999999999, 1, '2020-02-29')");
    sessao->ExecutarSQL("INSERT INTO SFGTBG06_INFORMACAO_RESCISAO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                        "NU_CATEGORIA, DT_ADMISSAO_VINCULO, VR_SALDO_RESCISORIO) "
                        "VALUES (1, 99999999999999, 99999999999, 1, '2020-02-29', 123456789012.29)");
    auto r = sessao->AbrirConsulta(
        "SELECT E.NU_INSCRICAO, E.NO_RAZAO_SOCIAL, T.NO_EMPREGADO, I.VR_SALDO_RESCISORIO, I.DT_ADMISSAO_VINCULO "
        "FROM SFGTBG06_INFORMACAO_RESCISAO I JOIN SFGTBG02_EMPRESA E ON E.NU_INSCRICAO = I.NU_INSCRICAO "
        "JOIN SFGTBG03_EMPREGADO T ON T.NU_PIS = I.NU_PIS");
    ASSERT_FALSE(r->IsEmpty());
    EXPECT_EQ(r->FieldByName("NU_INSCRICAO").AsInt64(), 99999999999999);
    EXPECT_EQ(r->FieldByName("NO_RAZAO_SOCIAL").AsString(), "AÇÚCAR & CIA");
    EXPECT_EQ(r->FieldByName("NO_EMPREGADO").AsString(), "JOÃO");
    EXPECT_EQ(r->FieldByName("VR_SALDO_RESCISORIO").AsString(), "123456789012,29");
    EXPECT_EQ(r->FieldByName("DT_ADMISSAO_VINCULO").AsString(), "29/02/2020");

    sessao->ExecutarSQL("INSERT INTO SFGTBT18_INDICE_PRORATA (DT_EDITAL_PRORATA, DT_RECOLHIMENTO_PRORATA, "
                        "IN_ATRASO_MES) VALUES ('1999-01-01', '1999-01-11', 1.123456789)");
    EXPECT_EQ(sessao->AbrirConsulta("SELECT IN_ATRASO_MES FROM SFGTBT18_INDICE_PRORATA "
                                    "WHERE DT_EDITAL_PRORATA = '1999-01-01'")
                  ->FieldByName("IN_ATRASO_MES")
                  .AsString(),
              "1,123456789");

    // The register keeps the raw fields of a rejected line, whatever they hold.
    sessao->ExecutarSQL("INSERT INTO SFGTBG18_INCONSISTENCIA_ARQUIVO (NU_INCONSISTENCIA, NU_MENSAGEM, NU_ARQUIVO, "
                        "NU_TIPO_INSCRICAO_EMPRESA, NU_INSCRICAO_EMPRESA, CO_PIS_INCONSISTENCIA, "
                        "CO_CATEGORIA_INCONSISTENCIA) VALUES (GEN_ID(GEN_SFGTBG18_ARQUIVO_ID, 1), 11, 1, '', "
                        "'1234567890123X', '1234567890A', '')");
    EXPECT_EQ(sessao->AbrirConsulta("SELECT CO_PIS_INCONSISTENCIA FROM SFGTBG18_INCONSISTENCIA_ARQUIVO")
                  ->FieldByName("CO_PIS_INCONSISTENCIA")
                  .AsString(),
              "1234567890A");

    // Protocol dates arrive with their time of day.
    sessao->ExecutarSQL("INSERT INTO SFGTBG13_ARQUIVO (NU_IDENTIFICADOR_ARQUIVO, NU_ARQUIVO, DT_ENVIO_PROTOCOLO, "
                        "DT_GERACAO_ARQUIVO) VALUES ('202612111020304561234567890123', 3, '2026-12-11 10:20:30', "
                        "'2026-12-11 10:20:30.456')");
}

class IntegridadeTeste : public BancoTeste {
protected:
    void Vinculo(const std::string& tipoInscricaoPisCategoriaAdmissao)
    {
        sessao->ExecutarSQL("INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "NU_CATEGORIA, DT_ADMISSAO_VINCULO) VALUES (" +
                            tipoInscricaoPisCategoriaAdmissao + ")");
    }
    int64_t Contar(const std::string& tabela, const std::string& filtro = "")
    {
        return sessao->AbrirConsulta("SELECT COUNT(*) AS N FROM " + tabela + (filtro.empty() ? "" : " WHERE " + filtro))
            ->FieldByName("N")
            .AsInt64();
    }
    void SetUp() override
    {
        BancoTeste::SetUp();
        sessao->ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, IC_ESTADO_EMPRESA) "
                            "VALUES (1, 11222333000181, 'E')");
        sessao->ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS) VALUES (12345678919)");
        Vinculo("1, 11222333000181, 12345678919, 1, '2015-03-02'");
        Vinculo("1, 11222333000181, 12345678919, 1, '2019-07-01'");
    }
};

TEST_F(IntegridadeTeste, VinculoLevaConsigoAsLinhasQueDependemDele)
{
    const std::string chave = "1, 11222333000181, 12345678919, 1, '2015-03-02'";
    const std::string colunas = "NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO";
    sessao->ExecutarSQL("INSERT INTO SFGTBG06_INFORMACAO_RESCISAO (" + colunas + ") VALUES (" + chave + ")");
    sessao->ExecutarSQL("INSERT INTO SFGTBG07_COMPLEMENTO_SALDO (" + colunas +
                        ", NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA) VALUES (" + chave + ", '1', 2016, '05')");
    sessao->ExecutarSQL("INSERT INTO SFGTBG07_COMPLEMENTO_SALDO (" + colunas +
                        ", NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA) VALUES (" + chave + ", 2, 2016, 5)");
    // Two accounts of one link; the account the bank could not find has no number.
    sessao->ExecutarSQL("INSERT INTO SFGTBG10_CONTA_EMPREGADO_FGTS (" + colunas +
                        ", NU_EMPREGADO_QUELD) VALUES (" + chave + ", 12345678901)");
    sessao->ExecutarSQL("INSERT INTO SFGTBG10_CONTA_EMPREGADO_FGTS (" + colunas +
                        ", NU_EMPREGADO_QUELD, NU_SITUACAO_CONTA_EMPREGADO) VALUES (" + chave + ", NULL, 3)");
    sessao->ExecutarSQL("INSERT INTO SFGTBG05_ALTERACAO_CADASTRAL (" + colunas +
                        ", NU_TIPO_ALTERACAO, NU_EMPREGADO_QUELD_ALT_CDSTL, IC_CONFIRMACAO) VALUES (" + chave +
                        ", 406, 12345678901, 'N')");
    EXPECT_EQ(Contar("SFGTBG10_CONTA_EMPREGADO_FGTS", "NU_EMPREGADO_QUELD = 0"), 1);
    // The same competence twice in one kind is one complement.
    EXPECT_THROW(sessao->ExecutarSQL("INSERT INTO SFGTBG07_COMPLEMENTO_SALDO (" + colunas +
                                     ", NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA) VALUES (" + chave +
                                     ", 1, 2016, 5)"),
                 std::exception);

    sessao->ExecutarSQL("DELETE FROM SFGTBG04_VINCULO_EMPREGATICIO WHERE DT_ADMISSAO_VINCULO = '2015-03-02'");
    for (const char* t : {"SFGTBG05_ALTERACAO_CADASTRAL", "SFGTBG06_INFORMACAO_RESCISAO", "SFGTBG07_COMPLEMENTO_SALDO",
                          "SFGTBG10_CONTA_EMPREGADO_FGTS"})
        EXPECT_EQ(Contar(t), 0) << t;
    EXPECT_EQ(Contar("SFGTBG04_VINCULO_EMPREGATICIO"), 1);

    // A worker or employer that still has links cannot be removed under them.
    EXPECT_THROW(sessao->ExecutarSQL("DELETE FROM SFGTBG03_EMPREGADO"), std::exception);
    EXPECT_THROW(sessao->ExecutarSQL("DELETE FROM SFGTBG02_EMPRESA"), std::exception);
    EXPECT_THROW(Vinculo("1, 99999999000191, 12345678919, 1, '2019-07-01'"), std::exception);
}

TEST_F(IntegridadeTeste, ArquivoEGuiasLevamConsigoSuasLinhas)
{
    const std::string id = "'202612111020304561234567890123'";
    sessao->ExecutarSQL("INSERT INTO SFGTBG13_ARQUIVO (NU_IDENTIFICADOR_ARQUIVO, NU_ARQUIVO) VALUES (" + id + ", 3)");
    sessao->ExecutarSQL("INSERT INTO SFGTBG14_OCORRENCIA_GUIA (NU_IDENTIFICADOR_ARQUIVO, NU_LINHA, DE_LINHA_ARQUIVO) "
                        "VALUES (" + id + ", 1, '00')");
    sessao->ExecutarSQL("INSERT INTO SFGTBG15_ENVIO_EMPRESA (NU_IDENTIFICADOR_ARQUIVO, NU_TIPO_INSCRICAO_ENVIO, "
                        "NU_INSCRICAO_ENVIO, VR_TOTAL_RECOLHIDO) VALUES (" + id + ", '1', '11222333000181', 10)");
    sessao->ExecutarSQL("INSERT INTO SFGTBG16_ENVIO_EMPREGADO (NU_IDENTIFICADOR_ARQUIVO, NU_TIPO_INSCRICAO_ENVIO, "
                        "NU_INSCRICAO_ENVIO, NU_PIS_ENVIO, NU_CATEGORIA_ENVIO, DT_ADMISSAO_ENVIO, VR_TOTAL_RECOLHIDO) "
                        "VALUES (" + id + ", 1, 11222333000181, 12345678919, 1, '2015-03-02', 10)");
    // The employer's sequence in the file is never written; the default makes the two levels meet.
    EXPECT_EQ(Contar("SFGTBG15_ENVIO_EMPRESA E JOIN SFGTBG16_ENVIO_EMPREGADO T ON "
                     "T.NU_IDENTIFICADOR_ARQUIVO = E.NU_IDENTIFICADOR_ARQUIVO AND T.NU_ENVIO_EMPRESA = E.NU_ENVIO_EMPRESA"),
              1);

    // The placeholder code of an open employer guide is replaced by the real one: its worker lines follow.
    const std::string provisorio = "'" + std::string(48, '9') + "'";
    const std::string definitivo = "'858100000012023912202612111122233300018100000017'";
    sessao->ExecutarSQL("INSERT INTO SFGTBG08_GUIA_TOTALIZADORA (CO_BARRAS, NU_IDENTIFICADOR_ARQUIVO) VALUES (" +
                        provisorio + ", " + id + ")");
    sessao->ExecutarSQL("INSERT INTO SFGTBG09_GUIA_INDIVIDUAL (CO_BARRAS, NU_PIS_GUIA, DT_ADMISSAO_GUIA, "
                        "NU_CATEGORIA_GUIA) VALUES (" + provisorio + ", 12345678919, '2015-03-02', 1)");
    sessao->ExecutarSQL("UPDATE SFGTBG08_GUIA_TOTALIZADORA SET CO_BARRAS = " + definitivo + ", VR_TOTAL_RECOLHIDO = 10 "
                        "WHERE CO_BARRAS = " + provisorio);
    EXPECT_EQ(Contar("SFGTBG09_GUIA_INDIVIDUAL", "CO_BARRAS = " + definitivo), 1);

    sessao->ExecutarSQL("DELETE FROM SFGTBG08_GUIA_TOTALIZADORA WHERE NU_IDENTIFICADOR_ARQUIVO = " + id);
    EXPECT_EQ(Contar("SFGTBG09_GUIA_INDIVIDUAL"), 0);
    sessao->ExecutarSQL("DELETE FROM SFGTBG13_ARQUIVO WHERE NU_IDENTIFICADOR_ARQUIVO = " + id);
    for (const char* t : {"SFGTBG14_OCORRENCIA_GUIA", "SFGTBG15_ENVIO_EMPRESA", "SFGTBG16_ENVIO_EMPREGADO"})
        EXPECT_EQ(Contar(t), 0) << t;
}

TEST_F(IntegridadeTeste, ArquivoDeHomologacaoLevaConsigoEmpresasETrabalhadores)
{
    sessao->ExecutarSQL("INSERT INTO SFGTBG19_RESPONSAVEL_HMLGO (NU_IDENTIFICADOR_ARQUIVO, NU_INSCRICAO_RESPONSAVEL) "
                        "VALUES ('0', '11222333000181')");
    for (int linha : {2, 5}) {
        sessao->ExecutarSQL("INSERT INTO SFGTBG20_EMPRESA_HMLGO (NU_IDENTIFICADOR_ARQUIVO, NU_LINHA_ARQUIVO_EMPRESA) "
                            "VALUES ('0', " + std::to_string(linha) + ")");
        sessao->ExecutarSQL("INSERT INTO SFGTBG21_EMPREGADO_HMLGO (NU_IDENTIFICADOR_ARQUIVO, NU_LINHA_ARQUIVO_EMPRESA, "
                            "NU_LINHA_ARQUIVO_EMPREGADO, NU_EMPREGADO) VALUES ('0', " + std::to_string(linha) + ", " +
                            std::to_string(linha + 1) + ", 12345678901)");
    }
    sessao->ExecutarSQL("DELETE FROM SFGTBG20_EMPRESA_HMLGO WHERE NU_IDENTIFICADOR_ARQUIVO = '0' "
                        "AND NU_LINHA_ARQUIVO_EMPRESA = 2");
    EXPECT_EQ(Contar("SFGTBG21_EMPREGADO_HMLGO"), 1);
    // The occurrence import deletes by a text read from the file, which need not be a number.
    EXPECT_NO_THROW(sessao->ExecutarSQL("DELETE FROM SFGTBG19_RESPONSAVEL_HMLGO WHERE NU_IDENTIFICADOR_ARQUIVO = 'ARQ 7'"));
    sessao->ExecutarSQL("DELETE FROM SFGTBG19_RESPONSAVEL_HMLGO WHERE NU_IDENTIFICADOR_ARQUIVO = '0'");
    EXPECT_EQ(Contar("SFGTBG20_EMPRESA_HMLGO"), 0);
    EXPECT_EQ(Contar("SFGTBG21_EMPREGADO_HMLGO"), 0);
}

} // namespace
} // namespace drav
