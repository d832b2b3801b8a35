// Installing a new edital of the index tables from its archive.
#include "files/ImportacaoIndices.h"

#include "core/DBUtils.h"
#include "core/Datas.h"
#include "core/Resultado.h"
#include "kit/ArquivosTeste.h"
#include "kit/BancoTeste.h"
#include "test_arvore_apoio.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <chrono>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace drav {
namespace {

using namespace teste;
namespace fs = std::filesystem;

std::time_t HoraLocal(int d, int m, int a, int h, int mi, int s = 0)
{
    std::tm t{};
    t.tm_mday = d, t.tm_mon = m - 1, t.tm_year = a - 1900, t.tm_hour = h, t.tm_min = mi, t.tm_sec = s;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

// 15/03/2005 14:27 gives the check value 8199.
const std::time_t kHora = HoraLocal(15, 3, 2005, 14, 27, 40);

struct Entrada {
    std::string nome;
    std::string conteudo;
    std::time_t hora = kHora;
};

// A valid edital of 01/01/2027: a few rows per table, one of them the interest index of the
// complement competence 06/2024 (0.25 for options after 1971).
std::vector<Entrada> EditalValido()
{
    const std::string conf = "0000000008199\r\n";
    return {
        {"DIAUTIL", "INSERT INTO SFGTBT15_DIA_UTIL (DT_UTIL) VALUES ('2027-01-11')\r\n"
                    "INSERT INTO SFGTBT15_DIA_UTIL (DT_UTIL) VALUES ('2027-01-12')\r\n"
                    "INSERT INTO SFGTBT15_DIA_UTIL (DT_UTIL) VALUES ('2027-01-13')\r\n"},
        {"GUIARESCISORIA", "INSERT INTO SFGTBT16_INDICE_GUIA_RESCISORIA (DT_EDITAL_GUIA, DT_VENCIMENTO, "
                           "DT_RCLTO_INDICE_RESCISORIA, VR_INDICE, VR_INDICE_MULTA_RESCISORIA) VALUES ('2027-01-01', "
                           "'2026-12-07', '2027-01-11', 0.09, 0.55)\r\n"},
        {"SIMPLIFICADO", "insert into SFGTBT17_INDICE_SIMPLIFICADO (DT_EDITAL_SIMPLIFICADO, "
                         "DT_COMPETENCIA_SIMPLIFICADO, IN_JAM_OPCAO_MAIOR_0971) VALUES ('2027-01-01', '2024-06-01', "
                         "0.25)\r\n"},
        {"PRORATA", "INSERT INTO SFGTBT18_INDICE_PRORATA (DT_EDITAL_PRORATA, DT_RECOLHIMENTO_PRORATA, IN_ATRASO_MES, "
                    "IN_ATRASO_1_MES, IN_ATRASO_2_MESES) VALUES ('2027-01-01', '2027-01-11', 0.08, 0.09, 0.1)\r\n"
                    "INSERT INTO SFGTBT18_INDICE_PRORATA (DT_EDITAL_PRORATA, DT_RECOLHIMENTO_PRORATA, IN_ATRASO_MES, "
                    "IN_ATRASO_1_MES, IN_ATRASO_2_MESES) VALUES ('2027-01-01', '2027-01-12', 0.08, 0.09, 0.1)"},
        {"DIAUTIL.001", conf},
        {"GUIARESCISORIA.001", conf},
        {"SIMPLIFICADO.001", "8199"},
        {"PRORATA.001", conf + "linhas seguintes não contam\r\n"},
    };
}

void GravarZip(const fs::path& caminho, const std::vector<Entrada>& entradas)
{
    int erro = 0;
    zip_t* z = zip_open(caminho.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &erro);
    ASSERT_NE(z, nullptr);
    for (const Entrada& e : entradas) {
        zip_source_t* fonte = zip_source_buffer(z, e.conteudo.data(), e.conteudo.size(), 0);
        const zip_int64_t i = zip_file_add(z, e.nome.c_str(), fonte, ZIP_FL_ENC_UTF_8);
        ASSERT_GE(i, 0) << e.nome;
        // Stored, so a test can find and spoil an entry's bytes.
        zip_set_file_compression(z, static_cast<zip_uint64_t>(i), ZIP_CM_STORE, 0);
        zip_file_set_mtime(z, static_cast<zip_uint64_t>(i), e.hora, 0);
    }
    ASSERT_EQ(zip_close(z), 0);
}

Entrada& Achar(std::vector<Entrada>& v, const std::string& nome)
{
    for (Entrada& e : v)
        if (e.nome == nome)
            return e;
    throw std::runtime_error("sem " + nome);
}

// What an import may change, to tell that a refused one changed nothing.
struct Retrato {
    std::vector<int64_t> linhas;
    std::string edital;
    int64_t abertura = 0;
    std::string depositos;
    bool operator==(const Retrato&) const = default;
};

std::ostream& operator<<(std::ostream& o, const Retrato& r)
{
    for (auto n : r.linhas)
        o << n << " ";
    return o << r.edital << " abertura " << r.abertura << " depositos " << r.depositos;
}

class ImportacaoIndices : public BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        cadastro = CriarCadastroPadrao(*sessao);
        AbrirColeta(*sessao);
        // Category 1, competence 06/2024, remuneration 1000: 8 % is 80.00, plus 25 % interest in the
        // edital above. Stored deposits are stale on purpose.
        Complemento(cadastro.a[0], 2024, 6, 1.00); // open link: recomputed
        Complemento(cadastro.a[1], 2010, 1, 7.00); // marked link, competence the new edital lacks
        Complemento(cadastro.a[2], 2024, 6, 1.00); // closed link: left alone
        trabalho = pasta / "TEMP";
        arquivo = pasta / "IND_DRAV.zip";
        dataPagamento = DataPagamentoTeste();
    }

    void Complemento(const VinculoTeste& v, int ano, int mes, double deposito)
    {
        sessao->ExecutarSQL("INSERT INTO SFGTBG07_COMPLEMENTO_SALDO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA, "
                            "VR_REMUNERACAO, VR_DEPOSITO) VALUES (" +
                            std::to_string(v.tipo) + ", " + std::to_string(v.inscricao) + ", " +
                            std::to_string(v.pis) + ", 1, '" + DataIso(v.admissao) + "', 1, " + std::to_string(ano) +
                            ", " + std::to_string(mes) + ", 1000, " + FormatarValorPonto(deposito) + ")");
    }

    double Deposito(const VinculoTeste& v)
    {
        return sessao->AbrirConsulta("SELECT VR_DEPOSITO FROM SFGTBG07_COMPLEMENTO_SALDO WHERE " + ChaveSql(v))
            ->Field(0)
            .AsFloat();
    }

    double SomaRescisao(const VinculoTeste& v)
    {
        auto r = sessao->AbrirConsulta("SELECT VR_DEPOSITO_CMPLO_SALDO FROM SFGTBG06_INFORMACAO_RESCISAO WHERE " +
                                       ChaveSql(v));
        return r->Field(0).IsNull() ? -1 : r->Field(0).AsFloat();
    }

    Retrato Tirar()
    {
        Retrato r;
        for (const std::string& t : TabelasIndice())
            r.linhas.push_back(ContarLinhas(*sessao, t));
        r.edital = DataParaTexto(sessao->AbrirConsulta("SELECT MIN(DT_EDITAL_PRORATA) FROM SFGTBT18_INDICE_PRORATA")
                                     ->Field(0)
                                     .AsDateTime());
        r.abertura = ContarLinhas(*sessao, "SFGTBG01_ABERTURA_RECOLHIMENTO");
        auto d = sessao->AbrirConsulta("SELECT VR_DEPOSITO FROM SFGTBG07_COMPLEMENTO_SALDO ORDER BY NU_PIS");
        for (d->First(); !d->Eof(); d->Next())
            r.depositos += d->Field(0).AsString() + ";";
        return r;
    }

    TResultadoImportacaoIndices Importar(const std::vector<Entrada>& entradas)
    {
        GravarZip(arquivo, entradas);
        return ImportarArquivo();
    }

    TResultadoImportacaoIndices ImportarArquivo()
    {
        TImportacaoIndices imp(*sessao, trabalho);
        imp.DataPagamento = &dataPagamento;
        imp.DataEdital = &dataEdital;
        return imp.Importar(arquivo);
    }

    void SemExtraidos()
    {
        for (const std::string& nome : NomesArquivosIndice())
            EXPECT_FALSE(fs::exists(trabalho / nome)) << nome;
    }

    CadastroPadrao cadastro;
    fs::path trabalho, arquivo;
    TDateTime dataPagamento = NullDate, dataEdital = NullDate;
};

TEST_F(ImportacaoIndices, InstalaOEditalRetiraAAberturaERecalculaOsComplementos)
{
    // A reference query answered before the import must not be answered from memory after it.
    sessao->AbrirConsulta("SELECT DISTINCT DT_EDITAL_PRORATA FROM SFGTBT18_INDICE_PRORATA");

    const auto r = Importar(EditalValido());

    ASSERT_TRUE(r.Sucesso()) << r.ResultadoImportacao << " " << r.Detalhe;
    EXPECT_EQ(Tirar().linhas, (std::vector<int64_t>{3, 1, 1, 2}));
    EXPECT_EQ(DataParaTexto(dataEdital), "01/01/2027");
    EXPECT_EQ(DataParaTexto(sessao->AbrirConsulta("SELECT DISTINCT DT_EDITAL_PRORATA FROM SFGTBT18_INDICE_PRORATA")
                                ->Field(0)
                                .AsDateTime()),
              "01/01/2027");
    EXPECT_EQ(ContarLinhas(*sessao, "SFGTBG01_ABERTURA_RECOLHIMENTO"), 0);
    EXPECT_EQ(dataPagamento, NullDate);

    EXPECT_DOUBLE_EQ(Deposito(cadastro.a[0]), 100.00);
    EXPECT_DOUBLE_EQ(SomaRescisao(cadastro.a[0]), 100.00);
    // No index for 01/2010 in the new edital: the deposit stays and the import says so.
    EXPECT_DOUBLE_EQ(Deposito(cadastro.a[1]), 7.00);
    EXPECT_DOUBLE_EQ(SomaRescisao(cadastro.a[1]), 7.00);
    EXPECT_EQ(r.Avisos.size(), 1u);
    EXPECT_DOUBLE_EQ(Deposito(cadastro.a[2]), 1.00);
    SemExtraidos();
}

// Entries under folders (a "../" one included) and in lower case are taken by their name alone and
// land in the work folder; an empty data file empties its table.
TEST_F(ImportacaoIndices, EntradasEmPastasSaoExtraidasNaPastaDeTrabalho)
{
    auto e = EditalValido();
    Achar(e, "DIAUTIL").nome = "../DIAUTIL";
    Achar(e, "PRORATA").nome = "edital/2027/prorata";
    Achar(e, "SIMPLIFICADO.001").nome = "..\\..\\SIMPLIFICADO.001";
    Achar(e, "GUIARESCISORIA").conteudo.clear();

    const auto r = Importar(e);

    ASSERT_TRUE(r.Sucesso()) << r.Detalhe;
    EXPECT_EQ(Tirar().linhas, (std::vector<int64_t>{3, 0, 1, 2}));
    EXPECT_FALSE(fs::exists(pasta / "DIAUTIL"));
    EXPECT_FALSE(fs::exists(trabalho / "edital"));
    EXPECT_EQ(r.Avisos.size(), 3u); // the two climbing names and the complement without index
    SemExtraidos();
}

TEST_F(ImportacaoIndices, ArquivoRecusadoNaoMudaNada)
{
    const std::string erroSql = "INSERT INTO SFGTBT18_INDICE_PRORATA (DT_EDITAL_PRORATA, DT_RECOL";
    struct Caso {
        const char* nome;
        std::function<void(std::vector<Entrada>&)> estragar;
    };
    const Caso casos[] = {
        {"entrada de outro nome", [](auto& e) { Achar(e, "GUIARESCISORIA").nome = "GUIA"; }},
        {"nona entrada", [](auto& e) { e.push_back({"LEIAME.TXT", "x"}); }},
        {"sete entradas", [](auto& e) { e.erase(e.begin() + 3); }},
        {"nome repetido no lugar de outro", [](auto& e) { Achar(e, "PRORATA").nome = "copia/SIMPLIFICADO"; }},
        {"pasta como entrada", [](auto& e) { Achar(e, "PRORATA.001").nome = "PRORATA.001/"; }},
        {"valor de conferencia errado", [](auto& e) { Achar(e, "GUIARESCISORIA.001").conteudo = "8198"; }},
        {"conferencia vazia", [](auto& e) { Achar(e, "DIAUTIL.001").conteudo.clear(); }},
        {"conferencia nao numerica", [](auto& e) { Achar(e, "PRORATA.001").conteudo = "8199x"; }},
        {"dados gravados em outra hora", [](auto& e) { Achar(e, "SIMPLIFICADO").hora = HoraLocal(15, 3, 2005, 14, 28); }},
        {"linha cortada no meio",
         [&](auto& e) { Achar(e, "PRORATA").conteudo += "\r\n" + erroSql; }},
        {"comando em outra tabela",
         [](auto& e) { Achar(e, "DIAUTIL").conteudo += "DELETE FROM SFGTBG07_COMPLEMENTO_SALDO\r\n"; }},
        {"commit no meio",
         [](auto& e) {
             Achar(e, "DIAUTIL").conteudo = "COMMIT\r\n" + Achar(e, "DIAUTIL").conteudo;
         }},
        {"linha em duplicidade", [](auto& e) { Achar(e, "DIAUTIL").conteudo += EditalValido()[0].conteudo; }},
    };
    const Retrato antes = Tirar();
    ASSERT_EQ(antes.abertura, 1);
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        auto e = EditalValido();
        c.estragar(e);
        dataPagamento = DataPagamentoTeste();
        const auto r = Importar(e);
        EXPECT_EQ(r.ResultadoImportacao, "0192") << r.Detalhe;
        EXPECT_EQ(Tirar(), antes);
        EXPECT_EQ(dataPagamento, DataPagamentoTeste());
        EXPECT_EQ(DataParaTexto(dataEdital), antes.edital);
        SemExtraidos();
    }
}

TEST_F(ImportacaoIndices, ArquivoIlegivelOuCortadoEhRecusado)
{
    GravarZip(arquivo, EditalValido());
    const std::string inteiro = LerArquivo(arquivo);
    const Retrato antes = Tirar();
    for (const std::string& conteudo : {inteiro.substr(0, inteiro.size() / 2), std::string("não é um zip")}) {
        GravarArquivo(arquivo, conteudo);
        const auto r = ImportarArquivo();
        EXPECT_EQ(r.ResultadoImportacao, "0192");
        EXPECT_EQ(Tirar(), antes);
    }
    // A data entry whose bytes do not match its CRC is refused, even when its statements would run.
    std::string estragado = inteiro;
    const auto p = estragado.find("'2027-01-13'");
    ASSERT_NE(p, std::string::npos);
    estragado[p + 10] = '4';
    GravarArquivo(arquivo, estragado);
    EXPECT_EQ(ImportarArquivo().ResultadoImportacao, "0192");
    EXPECT_EQ(Tirar(), antes);
}

// A leftover of a run that never cleaned up must not stand in for a file the archive lacks.
TEST_F(ImportacaoIndices, SobraDeOutraExecucaoNaoCompletaOArquivo)
{
    auto e = EditalValido();
    fs::create_directories(trabalho);
    GravarArquivo(trabalho / "PRORATA.001", "0000000008199\r\n");
    e.erase(e.begin() + 7);
    e.push_back(Achar(e, "DIAUTIL.001")); // eight entries, one name twice
    e.back().nome = "copia/DIAUTIL.001";
    EXPECT_EQ(Importar(e).ResultadoImportacao, "0192");
    SemExtraidos();
}

TEST_F(ImportacaoIndices, PastaDeTrabalhoQueNaoPodeSerCriada)
{
    GravarArquivo(trabalho, "um arquivo onde a pasta deveria estar");
    const Retrato antes = Tirar();
    const auto r = Importar(EditalValido());
    EXPECT_EQ(r.ResultadoImportacao, "0227");
    EXPECT_EQ(Tirar(), antes);
}

TEST(ConferenciaIndice, ValorDaDataEHora)
{
    struct Caso {
        int d, m, a, h, mi;
        int32_t valor;
    };
    const Caso casos[] = {
        {15, 3, 2005, 14, 27, 8199},
        {15, 3, 2005, 4, 27, 8199},             // the tens of the hour take no part
        {1, 1, 2000, 0, 0, 0},
        {31, 12, 2011, 23, 59, 2109391},        // 3x1x2 + 1 + 27x5^7 + 9
        {29, 9, 2099, 0, 0, -808182895},        // 81x729x59049 does not fit in 31 bits
    };
    for (const Caso& c : casos)
        EXPECT_EQ(ValorConferenciaIndice(c.d, c.m, c.a, c.h, c.mi), c.valor) << c.d << "/" << c.m << "/" << c.a;
}

TEST(ConferenciaIndice, ArquivoContraSuaConferencia)
{
    const fs::path p = PastaTemporaria();
    const fs::path dados = p / "PRORATA", conf = p / "PRORATA.001";
    GravarArquivo(dados, "x\r\n");
    fs::last_write_time(dados, std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(kHora)));
    for (const auto& [texto, aceito] : std::vector<std::pair<std::string, bool>>{
             {"8199", true}, {"0000000008199\r\n9999\r\n", true}, {" 8199 \n", true}, {"8200", false},
             {"", false}, {"\r\n8199", false}, {"8199.0", false}, {"99999999999999999999", false}}) {
        GravarArquivo(conf, texto);
        EXPECT_EQ(ConferirArquivoIndice(dados, conf), aceito) << "'" << texto << "'";
    }
    GravarArquivo(conf, "8199");
    EXPECT_FALSE(ConferirArquivoIndice(p / "FALTA", conf));
    EXPECT_FALSE(ConferirArquivoIndice(dados, p / "FALTA.001"));
    fs::remove_all(p);
}

TEST(NomeArquivoIndices, SoOsDoisNomesDoEdital)
{
    const fs::path p = PastaTemporaria();
    for (const auto& [nome, aceito] : std::vector<std::pair<std::string, bool>>{
             {"IndicesDRAV.zip", true}, {"IND_DRAV.ZIP", true}, {"ind_drav.zip", true}, {"Ind_Drav.Zip", true},
             {"indicesdrav.zip", false}, {"IndicesDRAV.ZIP", false}, {"IND_DRAV.zip.bak", false},
             {"outro.zip", false}}) {
        GravarArquivo(p / nome, "x");
        EXPECT_EQ(NomeArquivoIndicesAceito(p / nome), aceito) << nome;
    }
    EXPECT_FALSE(NomeArquivoIndicesAceito(p / "sub" / "IndicesDRAV.zip"));
    fs::create_directories(p / "IND_DRAV.ZIP.d" / "IND_DRAV.ZIP");
    EXPECT_FALSE(NomeArquivoIndicesAceito(p / "IND_DRAV.ZIP.d" / "IND_DRAV.ZIP")); // a folder
    fs::remove_all(p);
}

} // namespace
} // namespace drav
