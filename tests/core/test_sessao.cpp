#include "core/Excecoes.h"
#include "core/Negocio.h"
#include "kit/BancoTeste.h"

#include <fstream>
#include <sstream>

namespace drav {
namespace {

class SessaoTeste : public teste::BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        sessao->ExecutarSQL("CREATE TABLE T_ITEM (ID INTEGER NOT NULL PRIMARY KEY, NOME VARCHAR(20), VALOR NUMERIC(15,2), "
                            "FATOR NUMERIC(18,9), DIA DATE, MOMENTO TIMESTAMP, SIGLA CHAR(4))");
    }
    int Contar()
    {
        return sessao->AbrirConsulta("SELECT COUNT(*) AS N FROM T_ITEM")->FieldByName("N").AsInteger();
    }
    std::string LerLog()
    {
        std::ifstream f(pasta / "ZOLTBD.log", std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
};

// A business object over T_ITEM that remembers what its cursor loaded.
class TItem : public TNegocio {
public:
    explicit TItem(TDBUtils& s) : TNegocio(s)
    {
        SqlSelect = "SELECT ID, NOME ";
        SqlFrom = "FROM T_ITEM ";
    }
    void Consultar() { AbrirConsulta("ORDER BY ID"); }
    int id = -1;
    int cargas = 0;
    int limpezas = 0;

protected:
    void Limpar() override { ++limpezas; }
    void CarregarCampos() override
    {
        TNegocio::CarregarCampos();
        id = Campo("ID").AsInteger();
        ++cargas;
    }
};

TEST_F(SessaoTeste, TiposVoltamComoForamGravados)
{
    sessao->ExecutarSQL("INSERT INTO T_ITEM VALUES (1, 'Ação d''água', 0.29, 1.123456789, '2024-02-29', "
                        "'2024-02-29 13:45:10.250', 'AB')");
    auto r = sessao->AbrirConsulta("SELECT * FROM T_ITEM");
    EXPECT_EQ(r->FieldByName("NOME").AsString(), "Ação d'água");
    EXPECT_EQ(r->FieldByName("valor").AsFloat(), 0.29);
    EXPECT_EQ(r->FieldByName("VALOR").AsString(), "0,29");
    EXPECT_EQ(r->FieldByName("FATOR").AsFloat(), 1.123456789);
    EXPECT_EQ(r->FieldByName("DIA").AsDateTime(), CodificarData(2024, 2, 29));
    EXPECT_EQ(r->FieldByName("DIA").AsString(), "29/02/2024");
    const DataCivil m = DecodificarData(r->FieldByName("MOMENTO").AsDateTime());
    EXPECT_EQ(m.hora * 10000000 + m.minuto * 100000 + m.segundo * 1000 + m.milissegundo, 134510250);
    EXPECT_EQ(r->FieldByName("SIGLA").AsString(), "AB  "); // CHAR keeps its declared width
    EXPECT_THROW(r->FieldByName("NAO_EXISTE"), EBancoDados);
}

TEST_F(SessaoTeste, NulosEUpdateSemLinhas)
{
    sessao->ExecutarSQL("INSERT INTO T_ITEM (ID) VALUES (1)");
    auto r = sessao->AbrirConsulta("SELECT * FROM T_ITEM");
    EXPECT_TRUE(r->FieldByName("NOME").IsNull());
    EXPECT_EQ(r->FieldByName("DIA").AsDateTime(), NullDate);
    EXPECT_EQ(r->FieldByName("VALOR").AsFloat(), 0.0);
    EXPECT_EQ(sessao->ExecutarSQL("UPDATE T_ITEM SET NOME = 'X' WHERE ID = 99"), 0);
    EXPECT_EQ(sessao->ExecutarSQL("UPDATE T_ITEM SET NOME = 'X'"), 1);
}

TEST_F(SessaoTeste, GuardaDesfazAoSairSemConfirmar)
{
    {
        TTransacao t(*sessao);
        sessao->ExecutarSQL("INSERT INTO T_ITEM (ID) VALUES (1)");
        EXPECT_TRUE(sessao->EmTransacao());
    }
    EXPECT_FALSE(sessao->EmTransacao());
    EXPECT_EQ(Contar(), 0);
    {
        TTransacao t(*sessao);
        sessao->ExecutarSQL("INSERT INTO T_ITEM (ID) VALUES (2)");
        t.Confirmar();
    }
    EXPECT_EQ(Contar(), 1);
}

TEST_F(SessaoTeste, ExcecaoNoMeioDesfazTudoEAProximaInstrucaoConfirmaSozinha)
{
    try {
        TTransacao t(*sessao);
        sessao->ExecutarSQL("INSERT INTO T_ITEM (ID) VALUES (1)");
        sessao->ExecutarSQL("INSERT INTO T_ITEM (ID) VALUES (1)"); // duplicate key
        t.Confirmar();
        FAIL() << "a chave duplicada devia falhar";
    } catch (const EBancoDados&) {
    }
    EXPECT_FALSE(sessao->EmTransacao());
    // No transaction leaked: this insert is committed at once and visible to another connection.
    sessao->ExecutarSQL("INSERT INTO T_ITEM (ID) VALUES (3)");
    TIbxUtils outra;
    outra.DatabaseName = sessao->DatabaseName;
    outra.User = kUsuarioBanco;
    outra.Password = kSenhaBanco;
    outra.Conectar();
    EXPECT_EQ(outra.AbrirConsulta("SELECT COUNT(*) AS N FROM T_ITEM")->FieldByName("N").AsInteger(), 1);
}

TEST_F(SessaoTeste, GuardaInternaDeixaATransacaoAoChamador)
{
    TTransacao externa(*sessao);
    {
        TTransacao interna(*sessao);
        EXPECT_FALSE(interna.Dona());
        sessao->ExecutarSQL("INSERT INTO T_ITEM (ID) VALUES (1)");
    }
    EXPECT_TRUE(sessao->EmTransacao());
    sessao->AbrirConsulta("SELECT * FROM T_ITEM"); // a query inside neither commits nor rolls back
    EXPECT_TRUE(sessao->EmTransacao());
    externa.Confirmar();
    EXPECT_EQ(Contar(), 1);
}

TEST_F(SessaoTeste, TransacaoIndependenteSobreviveAoDesfazer)
{
    {
        TTransacao t(*sessao);
        sessao->ExecutarSQL("INSERT INTO T_ITEM (ID) VALUES (1)");
        sessao->ExecutarSQLIndependente("INSERT INTO T_ITEM (ID, NOME) VALUES (2, 'registro')");
        // The caller's transaction sees what the independent one committed.
        EXPECT_EQ(Contar(), 2);
    }
    auto r = sessao->AbrirConsulta("SELECT ID FROM T_ITEM");
    ASSERT_EQ(r->RecordCount(), 1);
    EXPECT_EQ(r->FieldByName("ID").AsInteger(), 2);
}

TEST_F(SessaoTeste, TransacaoIndependenteFalhaEmVezDeEsperarPelaDoChamador)
{
    sessao->ExecutarSQL("INSERT INTO T_ITEM (ID) VALUES (1)");
    TTransacao t(*sessao);
    sessao->ExecutarSQL("UPDATE T_ITEM SET NOME = 'A' WHERE ID = 1");
    EXPECT_THROW(sessao->ExecutarSQLIndependente("UPDATE T_ITEM SET NOME = 'B' WHERE ID = 1"), EBancoDados);
}

TEST_F(SessaoTeste, CursorDoObjetoDeNegocio)
{
    TItem item(*sessao);
    EXPECT_THROW(item.Primeiro(), ENegocio);
    EXPECT_THROW(item.Eof(), ENegocio);
    try {
        item.Proximo();
    } catch (const ENegocio& e) {
        EXPECT_STREQ(e.what(), "DataSet não inicializado");
    }

    item.Consultar(); // empty
    EXPECT_TRUE(item.Eof());
    EXPECT_EQ(item.cargas, 0);
    EXPECT_FALSE(item.Localizar("ID", "1"));

    for (int i = 1; i <= 5; ++i)
        sessao->ExecutarSQL("INSERT INTO T_ITEM (ID, NOME) VALUES (" + std::to_string(i) + ", 'N" + std::to_string(i) + "')");
    item.Consultar();
    EXPECT_EQ(item.id, 1);
    EXPECT_TRUE(item.Localizar("NOME", "N3"));
    EXPECT_EQ(item.id, 3);
    item.cargas = 0;
    EXPECT_FALSE(item.Localizar("NOME", "n3")); // exact, case-sensitive
    EXPECT_TRUE(item.Eof());
    EXPECT_EQ(item.cargas, 0); // a miss leaves the fields alone

    item.Primeiro();
    for (int i = 0; i < 4; ++i)
        item.Proximo();
    EXPECT_EQ(item.id, 5);
    EXPECT_FALSE(item.Eof());
    item.cargas = 0;
    item.Proximo(); // past the last row: stays there, Eof, same row reloaded
    EXPECT_TRUE(item.Eof());
    EXPECT_EQ(item.id, 5);
    EXPECT_EQ(item.cargas, 1);
    EXPECT_TRUE(item.ExisteCampo("NOME"));
    EXPECT_FALSE(item.ExisteCampo("nome"));
}

TEST_F(SessaoTeste, LogSqlRegistraSucessoEErroNoFormatoDoBloco)
{
    sessao->ExecutarSQL("INSERT INTO T_ITEM (ID) VALUES (1)");
    EXPECT_FALSE(std::filesystem::exists(pasta / "ZOLTBD.log"));
    EXPECT_THROW(sessao->ExecutarSQL("INSERT INTO T_INEXISTENTE VALUES (1)"), EBancoDados);
    EXPECT_FALSE(std::filesystem::exists(pasta / "ZOLTBD.log")); // off: not even failures

    sessao->DefinirLogSQL(true);
    sessao->DefinirJanelaAtiva("DRAV Eletrônica - Teste");
    sessao->ExecutarSQL("UPDATE T_ITEM SET NOME = 'X'");
    sessao->DefinirJanelaAtiva("");
    EXPECT_THROW(sessao->ExecutarSQL("INSERT INTO T_INEXISTENTE VALUES (1)"), EBancoDados);
    sessao->AbrirConsulta("SELECT ID FROM T_ITEM");

    std::vector<std::string> linhas;
    std::stringstream s(LerLog());
    for (std::string l; std::getline(s, l);)
        linhas.push_back(l);
    ASSERT_GE(linhas.size(), 16u);
    const auto carimbo = [](const std::string& l) {
        return l.size() == 42 && l[2] == '/' && l[5] == '/' && l.substr(19) == " ----------------------";
    };
    // Block 1: success, with the active window's caption.
    EXPECT_EQ(linhas[0], "");
    EXPECT_EQ(linhas[1], "DRAV Eletrônica - Teste");
    EXPECT_TRUE(carimbo(linhas[2])) << linhas[2];
    EXPECT_EQ(linhas[3], "UPDATE T_ITEM SET NOME = 'X'");
    EXPECT_EQ(linhas[4], "SUCESSO             ----------------------");
    EXPECT_EQ(linhas[5], "");
    // Block 2: error, no active window, then the database's message.
    EXPECT_EQ(linhas[6], "");
    EXPECT_EQ(linhas[7], "");
    EXPECT_TRUE(carimbo(linhas[8]));
    EXPECT_EQ(linhas[9], "INSERT INTO T_INEXISTENTE VALUES (1)");
    EXPECT_EQ(linhas[10], "ERRO              ----------------------");
    EXPECT_NE(linhas[11].find("T_INEXISTENTE"), std::string::npos);
    // Block 3: a query carries its timing line.
    const size_t q = std::find(linhas.begin(), linhas.end(), "SELECT ID FROM T_ITEM") - linhas.begin();
    ASSERT_LT(q + 2, linhas.size());
    EXPECT_EQ(linhas[q + 1].rfind("Tempo ", 0), 0u);
    EXPECT_NE(linhas[q + 1].find(" a "), std::string::npos);
    EXPECT_NE(linhas[q + 1].find(" Diferença "), std::string::npos);
    EXPECT_EQ(linhas[q + 2], "SUCESSO             ----------------------");
}

TEST_F(SessaoTeste, ConsultaDeReferenciaRepetidaVeOQueASessaoMudou)
{
    const std::string consulta = "SELECT DE_MENSAGEM FROM SFGTBT13_MENSAGEM_SISTEMA WHERE NU_MENSAGEM = 35";
    const std::string antes = sessao->AbrirConsulta(consulta)->FieldByName("DE_MENSAGEM").AsString();
    EXPECT_EQ(sessao->AbrirConsulta(consulta)->FieldByName("DE_MENSAGEM").AsString(), antes);
    {
        TTransacao t(*sessao);
        sessao->ExecutarSQL("UPDATE SFGTBT13_MENSAGEM_SISTEMA SET DE_MENSAGEM = 'nova' WHERE NU_MENSAGEM = 35");
        EXPECT_EQ(sessao->AbrirConsulta(consulta)->FieldByName("DE_MENSAGEM").AsString(), "nova");
    }
    EXPECT_EQ(sessao->AbrirConsulta(consulta)->FieldByName("DE_MENSAGEM").AsString(), antes); // rolled back

    // Queries that touch the program's own tables always go to the database.
    const std::string juncao = "SELECT COUNT(*) AS N FROM SFGTBG02_EMPRESA E, SFGTBT08_UNIDADE_FEDERACAO U "
                               "WHERE U.SG_UF = 'SP'";
    EXPECT_EQ(sessao->AbrirConsulta(juncao)->FieldByName("N").AsInteger(), 0);
    sessao->ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO) VALUES (1, 11222333000181)");
    EXPECT_EQ(sessao->AbrirConsulta(juncao)->FieldByName("N").AsInteger(), 1);
}

} // namespace
} // namespace drav
