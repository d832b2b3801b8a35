#include "files/Backup.h"

#include "core/Datas.h"
#include "files/BackupLinhas.h"
#include "kit/ArquivosTeste.h"
#include "kit/BancoTeste.h"
#include "store/Tabelas.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <charconv>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

namespace drav {
namespace {

namespace fs = std::filesystem;
using namespace teste;

// Accents, both kinds of quotes and an ampersand: everything a name can hold that SQL text cares about.
const std::string kNome = "Conceição D'Ávila & Irmãos \"Ltda\"";

// Every row of every table the backup covers, exactly as the database holds it.
std::string Despejo(TDBUtils& s)
{
    std::string r;
    for (auto t : TabelasBackup()) {
        const TabelaBanco* tb = TabelaPorNome(t);
        std::string ordem;
        for (std::size_t i = 1; i <= tb->colunas.size(); ++i)
            ordem += (i > 1 ? "," : "") + std::to_string(i);
        auto q = s.AbrirConsulta("SELECT * FROM " + std::string(t) + " ORDER BY " + ordem);
        r += std::string(t) + "\n";
        for (int l = 0; l < q->RecordCount(); ++l) {
            for (int c = 0; c < q->FieldCount(); ++c) {
                const Valor& v = q->Celula(l, c);
                if (std::holds_alternative<std::monostate>(v))
                    r += "<nulo>";
                else if (auto i = std::get_if<int64_t>(&v))
                    r += std::to_string(*i);
                else if (auto d = std::get_if<double>(&v)) {
                    char b[40];
                    r.append(b, std::to_chars(b, b + sizeof b, *d).ptr);
                } else
                    r += "[" + std::get<std::string>(v) + "]";
                r += "|";
            }
            r += "\n";
        }
    }
    return r;
}

class BackupTeste : public teste::BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        trabalho = pasta / "TEMP";
        fs::create_directories(trabalho);
        auto& s = *sessao;
        s.ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, NO_CONTATO, "
                      "SG_UF, IC_ESTADO_EMPRESA) VALUES (1, 11222333000181, '" +
                      Dobrar(kNome) + "', 'primeira linha' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'segunda', 'SP', 'A')");
        s.ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO, DT_NASCIMENTO) "
                      "VALUES (12345678901, 'José d''Oliveira', '1980-02-29')");
        s.ExecutarSQL("INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                      "NU_CATEGORIA, DT_ADMISSAO_VINCULO, DT_MOVIMENTACAO_VINCULO, IC_ESTADO_MOVIMENTO, "
                      "IC_VALIDACAO_VINCULO) VALUES (1, 11222333000181, 12345678901, 1, '2010-03-15', NULL, 1, 'N')");
        s.ExecutarSQL("INSERT INTO SFGTBG06_INFORMACAO_RESCISAO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                      "NU_CATEGORIA, DT_ADMISSAO_VINCULO, VR_DISSIDIO, VR_REMUNERACAO_RESCISAO, VR_AVISO_PREVIO) "
                      "VALUES (1, 11222333000181, 12345678901, 1, '2010-03-15', 1234.5, 0.07, "
                      "9999999999999999.99)");
        s.ExecutarSQL("INSERT INTO SFGTBG13_ARQUIVO (NU_IDENTIFICADOR_ARQUIVO, NU_ARQUIVO, DT_GERACAO_ARQUIVO, "
                      "NM_ARQUIVO) VALUES ('A1', 3, '2011-05-06 14:35:20.123', 'C:\\arquivos\\re.txt')");
        s.ExecutarSQL("INSERT INTO SFGTBG08_GUIA_TOTALIZADORA (CO_BARRAS, NU_IDENTIFICADOR_ARQUIVO, "
                      "VR_TOTAL_RECOLHIDO, DT_RECOLHIMENTO) VALUES ('111', 'A1', -0.01, '2010-03-15')");
        s.ExecutarSQL("INSERT INTO SFGTBG08_GUIA_TOTALIZADORA (CO_BARRAS, NU_IDENTIFICADOR_ARQUIVO, "
                      "VR_TOTAL_RECOLHIDO) VALUES ('222', 'B2', 10)");
        s.ExecutarSQL("INSERT INTO SFGTBG18_INCONSISTENCIA_ARQUIVO (NU_INCONSISTENCIA, NU_MENSAGEM, NU_ARQUIVO, "
                      "NO_EMPREGADO) VALUES (500, 14, 1, 'Ana')");
    }

    static std::string Dobrar(std::string s)
    {
        for (std::size_t p = s.find('\''); p != std::string::npos; p = s.find('\'', p + 2))
            s.insert(p, 1, '\'');
        return s;
    }

    // A change that every restore must undo.
    void Alterar()
    {
        sessao->ExecutarSQL("DELETE FROM SFGTBG06_INFORMACAO_RESCISAO");
        sessao->ExecutarSQL("UPDATE SFGTBG02_EMPRESA SET NO_RAZAO_SOCIAL = 'Outra'");
        sessao->ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES (99, 'Novo')");
    }

    std::string Vinculo()
    {
        auto r = sessao->AbrirConsulta("SELECT IC_ESTADO_MOVIMENTO, IC_VALIDACAO_VINCULO FROM "
                                       "SFGTBG04_VINCULO_EMPREGATICIO");
        return r->Field(0).AsString() + r->Field(1).AsString();
    }

    fs::path trabalho;
};

TEST_F(BackupTeste, ArquivoDoBackupVoltaIgualComAspasAcentosDatasValoresENulos)
{
    const std::string antes = Despejo(*sessao);
    const fs::path zip = pasta / "Backup" / "b.zip";
    fs::create_directories(zip.parent_path());
    GerarBackup(*sessao, trabalho, zip);
    EXPECT_TRUE(fs::is_empty(trabalho)) << "the table files must not outlive the run";

    // Every entry deflated and encrypted; without the password nothing reads.
    int erro = 0;
    zip_t* za = zip_open(zip.string().c_str(), ZIP_RDONLY, &erro);
    ASSERT_NE(za, nullptr);
    EXPECT_EQ(zip_get_num_entries(za, 0), static_cast<zip_int64_t>(TabelasBackup().size() + 1));
    zip_stat_t st;
    ASSERT_EQ(zip_stat(za, "SFGTBG02_EMPRESA.txt", 0, &st), 0);
    EXPECT_EQ(st.encryption_method, ZIP_EM_TRAD_PKWARE);
    EXPECT_EQ(st.comp_method, ZIP_CM_DEFLATE);
    EXPECT_EQ(zip_fopen(za, "SFGTBG02_EMPRESA.txt", 0), nullptr);
    zip_discard(za);

    Alterar();
    bool perguntou = false;
    const auto r = RestaurarArquivoBackup(*sessao, zip, trabalho, 0, [&] { return perguntou = true; });
    EXPECT_TRUE(r.Restaurado) << r.Motivo;
    EXPECT_EQ(r.CodigoMensagem, "0255");
    EXPECT_FALSE(perguntou) << "a backup of this very version asks nothing";
    EXPECT_EQ(Despejo(*sessao), antes);
    EXPECT_EQ(Vinculo(), "1N") << "the same version neither validates nor flags a link";
    EXPECT_TRUE(fs::is_empty(trabalho));

    // The generator hands out keys past the restored ones.
    auto g = sessao->AbrirConsulta("SELECT GEN_ID(GEN_SFGTBG18_ARQUIVO_ID, 1) AS V FROM RDB$DATABASE");
    EXPECT_GT(g->Field(0).AsInt64(), 500);
}

TEST_F(BackupTeste, ArquivosDasTabelasSaoInstrucoesComValoresEscapados)
{
    TBackup b(*sessao);
    ASSERT_TRUE(b.ExportarTabelas(trabalho));
    const std::string empresa = LerArquivo(trabalho / "SFGTBG02_EMPRESA.txt");
    // Windows-1252: "Conceição" has 0xE7 0xE3, and the quote is doubled inside the literal.
    EXPECT_NE(empresa.find("'Concei\xE7\xE3o D''\xC1vila & Irm\xE3os \"Ltda\"'"), std::string::npos) << empresa;
    EXPECT_NE(empresa.find("'primeira linha' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'segunda'"), std::string::npos);
    EXPECT_EQ(empresa.substr(empresa.size() - 4), ");\r\n");
    const std::string vinculo = LerArquivo(trabalho / "SFGTBG04_VINCULO_EMPREGATICIO.txt");
    EXPECT_NE(vinculo.find("'03/15/2010', NULL"), std::string::npos) << vinculo;
    const std::string rescisao = LerArquivo(trabalho / "SFGTBG06_INFORMACAO_RESCISAO.txt");
    EXPECT_NE(rescisao.find("1234.5, NULL, 0.07, 9999999999999999.99"), std::string::npos) << rescisao;
    EXPECT_NE(LerArquivo(trabalho / "SFGTBG13_ARQUIVO.txt").find("'05/06/2011 14:35:20.123'"), std::string::npos);
    EXPECT_EQ(LerArquivo(trabalho / "SFGTBG21_EMPREGADO_HMLGO.txt"), "");
    EXPECT_EQ(LerArquivo(trabalho / "VERSAO.txt"), "1.0.0  - 01/12/2026\r\n");
}

// Whatever goes wrong part-way, the database is exactly as it was before the restore.
TEST_F(BackupTeste, RestauracaoQueFalhaNaoAlteraNada)
{
    struct Caso {
        const char* nome;
        const char* arquivo;
        std::string linha; // appended; empty: the file is deleted
    };
    const std::vector<Caso> casos = {
        {"outro comando", "SFGTBT18_INDICE_PRORATA.txt", "DELETE FROM SFGTBT13_MENSAGEM_SISTEMA;\r\n"},
        {"comando escondido", "SFGTBT18_INDICE_PRORATA.txt",
         "INSERT INTO SFGTBT18_INDICE_PRORATA (IN_ATRASO_MES) VALUES (1); DELETE FROM SFGTBG02_EMPRESA;\r\n"},
        {"outra tabela", "SFGTBG21_EMPREGADO_HMLGO.txt",
         "INSERT INTO SFGTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM) VALUES (9999);\r\n"},
        {"expressao", "SFGTBG21_EMPREGADO_HMLGO.txt",
         "INSERT INTO SFGTBG21_EMPREGADO_HMLGO (NU_PIS) VALUES ((SELECT 1 FROM RDB$DATABASE));\r\n"},
        {"chave repetida", "SFGTBG03_EMPREGADO.txt",
         "INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NU_GRAU_INSTRUCAO, NO_EMPREGADO, NU_CTPS, NU_SERIE_CTPS, IC_SEXO, "
         "DT_NASCIMENTO, NU_INSCRICAO_CPF) VALUES (12345678901, NULL, 'x', NULL, NULL, NULL, NULL, NULL);\r\n"},
        {"arquivo ausente", "SFGTBG20_EMPRESA_HMLGO.txt", ""},
        {"versao mais nova", "VERSAO.txt", ""},
    };
    Alterar();
    const std::string antes = Despejo(*sessao);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        TBackup b(*sessao);
        ASSERT_TRUE(b.ExportarTabelas(trabalho));
        if (std::string(c.nome) == "versao mais nova")
            GravarArquivo(trabalho / "VERSAO.txt", "1.0.1  - 01/12/2027\r\n");
        else if (c.linha.empty())
            fs::remove(trabalho / c.arquivo);
        else
            GravarArquivo(trabalho / c.arquivo, LerArquivo(trabalho / c.arquivo) + c.linha);
        TBackup r(*sessao);
        r.ConferirVersao(trabalho, 0);
        EXPECT_FALSE(r.RestaurarTabelas(trabalho));
        EXPECT_FALSE(r.MotivoFalha.empty());
        EXPECT_EQ(Despejo(*sessao), antes);
        EXPECT_FALSE(sessao->EmTransacao());
        b.ApagarArquivosBackup(trabalho);
    }
}

TEST_F(BackupTeste, VersaoMaisNovaRecusadaSemPerguntarENadaMuda)
{
    const fs::path zip = pasta / "b.zip";
    GerarBackup(*sessao, trabalho, zip);
    // The same archive with a newer layout's version line.
    int erro = 0;
    zip_t* za = zip_open(zip.string().c_str(), 0, &erro);
    ASSERT_NE(za, nullptr);
    static const char versao[] = "2.0.0  - 01/01/2030\r\n";
    zip_source_t* src = zip_source_buffer(za, versao, sizeof versao - 1, 0);
    const zip_int64_t i = zip_file_add(za, "VERSAO.txt", src, ZIP_FL_OVERWRITE);
    ASSERT_GE(i, 0);
    zip_file_set_encryption(za, static_cast<zip_uint64_t>(i), ZIP_EM_TRAD_PKWARE, kSenhaBackup);
    ASSERT_EQ(zip_close(za), 0);

    Alterar();
    const std::string antes = Despejo(*sessao);
    bool perguntou = false;
    const auto r = RestaurarArquivoBackup(*sessao, zip, trabalho, 0, [&] { return perguntou = true; });
    EXPECT_FALSE(r.Restaurado);
    EXPECT_TRUE(r.VersaoPosterior);
    EXPECT_NE(r.Motivo.find("2.0.0"), std::string::npos);
    EXPECT_FALSE(perguntou);
    EXPECT_EQ(Despejo(*sessao), antes);
}

// A backup of another version: the user's answer decides between validating every link and
// flagging them all; either way a marked link does not stay marked unvalidated.
TEST_F(BackupTeste, OutraVersaoValidaOuMarcaOsVinculos)
{
    for (const bool validar : {false, true}) {
        SCOPED_TRACE(validar);
        TBackup b(*sessao);
        ASSERT_TRUE(b.ExportarTabelas(trabalho));
        GravarArquivo(trabalho / "VERSAO.txt", "0.9.0  - 01/01/2020\r\n");
        TBackup r(*sessao);
        EXPECT_FALSE(r.ConferirVersao(trabalho, 0));
        EXPECT_EQ(r.SituacaoVersao(trabalho), SituacaoVersaoBackup::Anterior);
        r.ValidarAposRestaurar = validar;
        ASSERT_TRUE(r.RestaurarTabelas(trabalho)) << r.MotivoFalha;
        if (validar) {
            // The sample link lacks most of its data: the validation finds it and records it.
            EXPECT_TRUE(r.InconsistenciasGravadas);
            auto q = sessao->AbrirConsulta("SELECT COUNT(*) FROM SFGTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = 3");
            EXPECT_GT(q->Field(0).AsInteger(), 0);
        }
        EXPECT_EQ(Vinculo(), "0S");
        sessao->ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 1, "
                            "IC_VALIDACAO_VINCULO = 'N'");
    }
}

TEST_F(BackupTeste, TabelaQueGanhouColunaRecusaARestauracao)
{
    TBackup b(*sessao);
    ASSERT_TRUE(b.ExportarTabelas(trabalho));
    // The employer file as an older layout without NO_CONTATO would have written it.
    GravarArquivo(trabalho / "SFGTBG02_EMPRESA.txt",
                  "INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL) "
                  "VALUES (1, 11222333000181, 'X');\r\n");
    Alterar();
    const std::string antes = Despejo(*sessao);
    TBackup r(*sessao);
    r.ConferirVersao(trabalho, 0);
    EXPECT_FALSE(r.RestaurarTabelas(trabalho));
    EXPECT_TRUE(r.EstruturaAlterada);
    EXPECT_EQ(Despejo(*sessao), antes);
}

TEST_F(BackupTeste, FormaDeUmaTabelaSoTocaAsLinhasDaCondicao)
{
    const std::string condicao = " WHERE NU_IDENTIFICADOR_ARQUIVO = 'A1'";
    TBackup b(*sessao, "SFGTBG08_GUIA_TOTALIZADORA", condicao);
    ASSERT_TRUE(b.ExportarTabelas(trabalho));
    const std::string guias = LerArquivo(trabalho / "SFGTBG08_GUIA_TOTALIZADORA.txt");
    EXPECT_NE(guias.find("'111'"), std::string::npos);
    EXPECT_EQ(guias.find("'222'"), std::string::npos);
    EXPECT_TRUE(fs::exists(trabalho / "VERSAO.txt"));

    sessao->ExecutarSQL("UPDATE SFGTBG08_GUIA_TOTALIZADORA SET VR_TOTAL_RECOLHIDO = 5");
    TBackup r(*sessao, "SFGTBG08_GUIA_TOTALIZADORA", condicao);
    ASSERT_TRUE(r.RestaurarTabelas(trabalho)) << r.MotivoFalha;
    auto q = sessao->AbrirConsulta("SELECT CO_BARRAS, VR_TOTAL_RECOLHIDO FROM SFGTBG08_GUIA_TOTALIZADORA ORDER BY 1");
    EXPECT_EQ(q->Field(1).AsFloat(), -0.01);
    q->Next();
    EXPECT_EQ(q->Field(1).AsFloat(), 5.0) << "a row outside the condition is left alone";
    EXPECT_EQ(Vinculo(), "1N");
}

// A release 1.3.3 backup: comma-separated values, renamed columns, day numbers from 01/01/1900.
TEST_F(BackupTeste, FormatoAntigoComDiasNumeradosEColunasRenomeadas)
{
    TBackup antigo(*sessao);
    antigo.ListarTabelas(true);
    for (const auto& t : antigo.Tabelas)
        GravarArquivo(trabalho / (t + ".txt"), "");
    GravarArquivo(trabalho / "VERSAO.txt", "1.3.3 - 10/10/2005\r\n");
    GravarArquivo(trabalho / "SFGTBG02_EMPRESA.txt",
                  "'NU_TIPO_INSO_EMPRA','NU_INSCRICAO','NO_RAZAO_SOCIAL','NU_CEP'\r\n"
                  "1,11222333000181,'Concei\xE7\xE3o, D''\xC1vila',\r\n");
    GravarArquivo(trabalho / "SFGTBG03_EMPREGADO.txt",
                  "NU_PIS,NO_EMPREGADO,DT_NASCIMENTO\r\n12345678901,'Ana',29000\r\n");
    // The day number carries a time of day; the admission column holds a day only.
    GravarArquivo(trabalho / "SFGTBG04_VINCULO_EMPREGATICIO.txt",
                  "NU_TIPO_INSO_EMPRA,NU_INSCRICAO,NU_PIS,NU_CATEGORIA,DT_ADMISSAO_VINCULO,DT_INCO_AVISO_PRVO\r\n"
                  "1,11222333000181,12345678901,1,39000.75,\r\n");
    GravarArquivo(trabalho / "SFGTBG13_ARQUIVO.txt", "NU_IDENTIFICADOR_ARQUIVO,DT_GERACAO_ARQUIVO\r\n'X',39000.5\r\n");
    GravarArquivo(trabalho / "SFGTBG18_INCONSISTENCIA_ARQUIVO.txt",
                  "NU_MENSAGEM,NU_ARQUIVO,CO_INSCRICAO_INCONSISTENCIA\r\n14,1,'123'\r\n15,,\r\n");
    GravarArquivo(trabalho / "SFGTBT15_DIA_UTIL.txt", "DT_UTIL\r\n39000\r\n");

    TBackup r(*sessao);
    ASSERT_TRUE(r.ConferirVersao(trabalho, 1));
    ASSERT_TRUE(r.RestaurarFormatoAntigo(trabalho)) << r.MotivoFalha;

    auto e = sessao->AbrirConsulta("SELECT NO_RAZAO_SOCIAL, NU_CEP FROM SFGTBG02_EMPRESA");
    EXPECT_EQ(e->Field(0).AsString(), "Conceição, D'Ávila");
    EXPECT_TRUE(e->Field(1).IsNull());
    auto w = sessao->AbrirConsulta("SELECT DT_NASCIMENTO FROM SFGTBG03_EMPREGADO");
    EXPECT_EQ(DataParaTexto(w->Field(0).AsDateTime()), "27/05/1979");
    auto v = sessao->AbrirConsulta("SELECT DT_ADMISSAO_VINCULO, DT_INICIO_AVISO_PRVO FROM SFGTBG04_VINCULO_EMPREGATICIO");
    EXPECT_EQ(v->Field(0).AsDateTime(), CodificarData(2006, 10, 12));
    EXPECT_TRUE(v->Field(1).IsNull());
    auto a = sessao->AbrirConsulta("SELECT DT_GERACAO_ARQUIVO FROM SFGTBG13_ARQUIVO");
    EXPECT_EQ(DataHoraParaTexto(a->Field(0).AsDateTime()), "12/10/2006 12:00:00");
    auto i = sessao->AbrirConsulta("SELECT NU_INCONSISTENCIA, NU_INSCRICAO_EMPRESA, NU_ARQUIVO FROM "
                                   "SFGTBG18_INCONSISTENCIA_ARQUIVO ORDER BY NU_MENSAGEM");
    ASSERT_EQ(i->RecordCount(), 2);
    EXPECT_EQ(i->Field(1).AsString(), "123");
    const int64_t primeira = i->Field(0).AsInt64();
    i->Next();
    EXPECT_NE(i->Field(0).AsInt64(), primeira);
    EXPECT_TRUE(i->Field(2).IsNull());
    auto d = sessao->AbrirConsulta("SELECT DT_UTIL FROM SFGTBT15_DIA_UTIL");
    ASSERT_EQ(d->RecordCount(), 1);
    EXPECT_EQ(DataParaTexto(d->Field(0).AsDateTime()), "12/10/2006");
    auto h = sessao->AbrirConsulta("SELECT COUNT(*) FROM SFGTBG08_GUIA_TOTALIZADORA");
    EXPECT_EQ(h->Field(0).AsInteger(), 0);
}

TEST_F(BackupTeste, FormatoAntigoComLinhaErradaNaoAlteraNada)
{
    TBackup antigo(*sessao);
    antigo.ListarTabelas(true);
    for (const auto& t : antigo.Tabelas)
        GravarArquivo(trabalho / (t + ".txt"), "");
    GravarArquivo(trabalho / "VERSAO.txt", "1.3.3\r\n");
    GravarArquivo(trabalho / "SFGTBT18_INDICE_PRORATA.txt", "DT_EDITAL_PRORATA,IN_ATRASO_MES\r\n1,2,3\r\n");
    const std::string antes = Despejo(*sessao);
    TBackup r(*sessao);
    EXPECT_FALSE(r.RestaurarFormatoAntigo(trabalho));
    EXPECT_EQ(Despejo(*sessao), antes);
}

TEST_F(BackupTeste, ArquivoHostilOuComSenhaErradaNaoEExtraido)
{
    const auto criar = [&](const fs::path& zip, const char* nome, const char* senha) {
        int erro = 0;
        zip_t* za = zip_open(zip.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &erro);
        static const char dados[] = "x";
        const zip_int64_t i = zip_file_add(za, nome, zip_source_buffer(za, dados, 1, 0), 0);
        if (senha)
            zip_file_set_encryption(za, static_cast<zip_uint64_t>(i), ZIP_EM_TRAD_PKWARE, senha);
        ASSERT_EQ(zip_close(za), 0);
    };
    const fs::path destino = pasta / "TEMP" / "sub";
    struct Caso {
        const char* nome;
        const char* senha;
    };
    for (const Caso c : {Caso{"../fora.txt", kSenhaBackup}, Caso{"/tmp/fora.txt", kSenhaBackup},
                         Caso{"VERSAO.txt", "outra123"}, Caso{"programa.sh", kSenhaBackup}}) {
        SCOPED_TRACE(c.nome);
        const fs::path zip = pasta / "h.zip";
        criar(zip, c.nome, c.senha);
        std::string erro;
        EXPECT_FALSE(ExtrairBackup(zip, destino, erro));
        EXPECT_FALSE(erro.empty());
        EXPECT_FALSE(fs::exists(pasta / "TEMP" / "fora.txt"));
        EXPECT_TRUE(!fs::exists(destino) || fs::is_empty(destino));
    }
}

TEST(LinhasBackup, LiteraisExatos)
{
    struct Caso {
        int64_t escalado;
        int escala;
        const char* texto;
    };
    for (const auto& c : {Caso{123450, 2, "1234.5"}, Caso{-1, 2, "-0.01"}, Caso{700, 2, "7"}, Caso{5, 0, "5"},
                          Caso{999999999999999999, 2, "9999999999999999.99"}, Caso{1, 9, "0.000000001"},
                          Caso{INT64_MIN, 2, "-92233720368547758.08"}})
        EXPECT_EQ(LiteralDecimalBackup(c.escalado, c.escala), c.texto);
    EXPECT_EQ(LiteralDataBackup(CodificarData(2010, 3, 15), true), "'03/15/2010'");
    EXPECT_EQ(LiteralDataBackup(CodificarDataHora(2010, 3, 15, 8, 5, 0), true), "'03/15/2010 08:05:00'");
    EXPECT_EQ(LiteralTextoBackup(""), "''");
    EXPECT_EQ(LiteralTextoBackup("a'b"), "'a''b'");
    EXPECT_EQ(LiteralTextoBackup("\n"), "ASCII_CHAR(10)");
}

TEST(LinhasBackup, SoInclusoesDeLiteraisSaoLidas)
{
    TInstrucaoBackup i;
    std::string erro;
    ASSERT_TRUE(LerInstrucaoBackup("INSERT INTO T (A, \"B\", c) VALUES ('x''y' || ASCII_CHAR(10) || 'z', NULL, -1.5E3);",
                                   i, erro))
        << erro;
    EXPECT_EQ(i.tabela, "T");
    EXPECT_EQ(i.colunas, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(i.valores[0].texto, "x'y\nz");
    EXPECT_EQ(MontarInsercao(i), "INSERT INTO T (A, B, C) VALUES ('x''y' || ASCII_CHAR(10) || 'z', NULL, -1.5E3)");
    for (const char* ruim : {"DELETE FROM T", "INSERT INTO T (A) VALUES (1); DROP TABLE T",
                             "INSERT INTO T (A) VALUES ('x)", "INSERT INTO T (A, B) VALUES (1)",
                             "INSERT INTO T (A) VALUES (1 + 1)", "INSERT INTO T (A) VALUES (GEN_ID(G, 1))",
                             "INSERT INTO T (A) VALUES ('a' || B)", "INSERT INTO T (A) VALUES (1.2.3)",
                             "INSERT INTO T (A) SELECT 1 FROM RDB$DATABASE"}) {
        EXPECT_FALSE(LerInstrucaoBackup(ruim, i, erro)) << ruim;
    }
    std::vector<TValorBackup> v;
    ASSERT_TRUE(LerValoresAntigos("1,,'a,b''c', null ,2.5", v, erro)) << erro;
    ASSERT_EQ(v.size(), 5u);
    EXPECT_EQ(v[1].tipo, TValorBackup::Tipo::Nulo);
    EXPECT_EQ(v[2].texto, "a,b'c");
    EXPECT_EQ(v[3].tipo, TValorBackup::Tipo::Nulo);
    EXPECT_FALSE(LerValoresAntigos("1,'a", v, erro));
    EXPECT_FALSE(LerValoresAntigos("1,(SELECT 1)", v, erro));
}

} // namespace
} // namespace drav
