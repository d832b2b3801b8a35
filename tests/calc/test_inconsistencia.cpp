#include "calc/Inconsistencia.h"

#include "calc/Indices.h"
#include "core/DBUtils.h"
#include "core/Datas.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "kit/BancoTeste.h"

#include <gtest/gtest.h>

#include <string>

namespace drav {
namespace {

constexpr int kCodigoInexistente = 9999;

class InconsistenciaTeste : public teste::BancoTeste {
protected:
    int Contar(const std::string& onde = "")
    {
        auto r = sessao->AbrirConsulta("SELECT COUNT(*) AS N FROM SFGTBG18_INCONSISTENCIA_ARQUIVO" +
                                       (onde.empty() ? "" : " WHERE " + onde));
        return r->FieldByName("N").AsInteger();
    }

    std::unique_ptr<TResultado> Ultima()
    {
        auto r = sessao->AbrirConsulta(
            "SELECT * FROM SFGTBG18_INCONSISTENCIA_ARQUIVO ORDER BY NU_INCONSISTENCIA DESC");
        r->First();
        return r;
    }

    // A payroll problem with every identification field given.
    int RegistrarFolha(TInconsistencia& i, int codigo, const std::string& conteudo = "Telefone: 12AB")
    {
        i.NumeroArquivo = InconsistenciaFolha;
        return i.RegistrarInconsistencia(conteudo, "40", 7, codigo, "1", "11222333000181", "ESCRITORIO CONTABIL",
                                         "1", "44555666000199", "EMPRESA D'AVILA LTDA", "12345678901", "01",
                                         "15032004", "JOSE DA SILVA");
    }
};

TEST_F(InconsistenciaTeste, RegistrarGravaCadaCampoNaSuaColuna)
{
    TInconsistencia i(*sessao);
    EXPECT_EQ(RegistrarFolha(i, 151), RegistroGravado);
    EXPECT_EQ(i.CodigoMensagem, "0151");

    auto r = Ultima();
    EXPECT_EQ(r->FieldByName("NU_MENSAGEM").AsInteger(), 151);
    EXPECT_EQ(r->FieldByName("NU_ARQUIVO").AsInteger(), 1);
    EXPECT_EQ(r->FieldByName("CO_REGISTRO").AsString(), "40");
    EXPECT_EQ(r->FieldByName("NU_LINHA_ERRO").AsInteger(), 7);
    EXPECT_EQ(r->FieldByName("DE_CONTEUDO_CAMPO").AsString(), PreencherEspacos("Telefone: 12AB", 70, false));
    EXPECT_EQ(r->FieldByName("NU_TIPO_INSCRICAO_RSPNL_INCNA").AsString(), "1");
    EXPECT_EQ(r->FieldByName("NU_INSCRICAO_RSPNL_INCNA").AsString(), "11222333000181");
    EXPECT_EQ(r->FieldByName("NO_RAZAO_SOCIAL_RSPNL_INCNA").AsString(), "ESCRITORIO CONTABIL");
    EXPECT_EQ(r->FieldByName("NU_TIPO_INSCRICAO_EMPRESA").AsString(), "1");
    EXPECT_EQ(r->FieldByName("NU_INSCRICAO_EMPRESA").AsString(), "44555666000199");
    EXPECT_EQ(r->FieldByName("NO_RAZAO_SOCIAL").AsString(), "EMPRESA D'AVILA LTDA");
    EXPECT_EQ(r->FieldByName("CO_PIS_INCONSISTENCIA").AsString(), "12345678901");
    EXPECT_EQ(DataParaTexto(r->FieldByName("DT_ADMISSAO_INCONSISTENCIA").AsDateTime()), "15/03/2004");
    EXPECT_EQ(r->FieldByName("CO_CATEGORIA_INCONSISTENCIA").AsString(), "01");
    EXPECT_EQ(r->FieldByName("NO_EMPREGADO").AsString(), "JOSE DA SILVA");

    // The next row overwrites every field: nothing of the first survives into it.
    EXPECT_EQ(i.RegistrarInconsistencia("", "10", 0, 372, "", "", "", "", " ", "", "", "", "", ""), RegistroGravado);
    r = Ultima();
    EXPECT_GT(r->FieldByName("NU_INCONSISTENCIA").AsInt64(), 0);
    EXPECT_EQ(r->FieldByName("DE_CONTEUDO_CAMPO").AsString(), std::string(70, ' '));
    for (const char* nula : {"NU_LINHA_ERRO", "NU_INSCRICAO_EMPRESA", "DT_ADMISSAO_INCONSISTENCIA", "NO_EMPREGADO",
                             "CO_PIS_INCONSISTENCIA", "NO_RAZAO_SOCIAL"})
        EXPECT_TRUE(r->FieldByName(nula).IsNull()) << nula;
    EXPECT_EQ(Contar(), 2);
}

TEST_F(InconsistenciaTeste, TextosCortadosNaColunaSemPartirCaractere)
{
    TInconsistencia i(*sessao);
    i.NumeroArquivo = InconsistenciaFolha;
    const std::string nome71 = std::string(69, 'A') + "ÇÃO"; // 72 characters, 75 bytes
    const int resposta = i.RegistrarInconsistencia(nome71, "40XYZ", 3, 151, "1", std::string(25, '9'), nome71, "1",
                                                   "44555666000199", nome71, std::string(30, '1'), "ABCDEFGHIJKL",
                                                   "", nome71);
    ASSERT_EQ(resposta, RegistroGravado) << i.ErroGravacao;
    auto r = Ultima();
    const std::string cortado = std::string(69, 'A') + "Ç";
    EXPECT_EQ(r->FieldByName("DE_CONTEUDO_CAMPO").AsString(), cortado);
    EXPECT_EQ(r->FieldByName("NO_RAZAO_SOCIAL").AsString(), cortado);
    EXPECT_EQ(r->FieldByName("NO_RAZAO_SOCIAL_RSPNL_INCNA").AsString(), cortado);
    EXPECT_EQ(r->FieldByName("NO_EMPREGADO").AsString(), cortado);
    EXPECT_EQ(r->FieldByName("CO_REGISTRO").AsString(), "40XY");
    EXPECT_EQ(r->FieldByName("NU_INSCRICAO_RSPNL_INCNA").AsString(), std::string(20, '9'));
    EXPECT_EQ(r->FieldByName("CO_PIS_INCONSISTENCIA").AsString(), std::string(20, '1'));
    EXPECT_EQ(r->FieldByName("CO_CATEGORIA_INCONSISTENCIA").AsString(), "ABCDEFGHIJ");
}

TEST_F(InconsistenciaTeste, TextoQueOBancoNaoGuardaNaoPerdeALinha)
{
    // A character with no Windows-1252 form, a stray byte, and an admission date that is no date:
    // the row is still written, with "?" and no date.
    TInconsistencia i(*sessao);
    i.NumeroArquivo = InconsistenciaFolha;
    const std::string conteudo = "Nome: JOS\xC3\x89 \xE2\x9C\x93 \xFF \xE2\x82\xAC";
    ASSERT_EQ(i.RegistrarInconsistencia(conteudo, "40", 1, 151, "", "", "", "", "", "", "", "", "31022005", ""),
              RegistroGravado)
        << i.ErroGravacao;
    auto r = Ultima();
    EXPECT_EQ(Aparar(r->FieldByName("DE_CONTEUDO_CAMPO").AsString()), "Nome: JOSÉ ? ? €");
    EXPECT_TRUE(r->FieldByName("DT_ADMISSAO_INCONSISTENCIA").IsNull());
    EXPECT_EQ(TextoRegistro("ÁÉÍ", 2), "ÁÉ");
}

TEST_F(InconsistenciaTeste, CodigoSemMensagemNaoGravaEInterrompe)
{
    TInconsistencia i(*sessao);
    i.NumeroArquivo = InconsistenciaFolha;
    i.NumeroMensagem = kCodigoInexistente;
    EXPECT_EQ(i.Registrar(), RegistroMensagemInexistente);
    EXPECT_EQ(Contar(), 0);

    EXPECT_THROW(RegistrarFolha(i, kCodigoInexistente), EMensagemNaoCadastrada);
    EXPECT_EQ(i.CodigoMensagem, "0396");
    EXPECT_EQ(Contar(), 0);

    // The closing ignores the answer: false, and nothing written.
    EXPECT_FALSE(i.RegistrarFechamento("9999", "1", "JOSE", "", "01", "12345678901", "EMPRESA", "44555666000199", "1",
                                       "ESCRITORIO", "11222333000181"));
    EXPECT_EQ(Contar(), 0);
}

TEST_F(InconsistenciaTeste, NumeroDeArquivoForaDaFaixaERecusado)
{
    TInconsistencia i(*sessao);
    for (int numero : {0, 6, -1}) {
        i.NumeroArquivo = numero;
        i.NumeroMensagem = 151;
        EXPECT_THROW(i.Registrar(), ENegocio) << numero;
    }
    EXPECT_EQ(Contar(), 0);
}

TEST_F(InconsistenciaTeste, LinhasSobrevivemAoDesfazerDoChamador)
{
    TInconsistencia i(*sessao);
    i.NumeroArquivo = InconsistenciaFechamento;
    i.NumeroMensagem = 372;
    ASSERT_EQ(i.Registrar(), RegistroGravado);
    {
        TTransacao t(*sessao);
        ASSERT_TRUE(t.Dona());
        // The caller's own work, to be undone; the register's delete and rows are not.
        sessao->ExecutarSQL("INSERT INTO SFGTBT22_PARAMETRO_SISTEMA (CO_VERSAO_SISTEMA, DT_VERSAO_SISTEMA) "
                            "VALUES ('9.9.9', '2030-01-01')");
        ASSERT_TRUE(i.ExcluirPorArquivo()) << i.ErroGravacao;
        EXPECT_EQ(RegistrarFolha(i, 151), RegistroGravado) << i.ErroGravacao;
        i.NumeroArquivo = InconsistenciaFechamento;
        EXPECT_TRUE(i.RegistrarFechamento("0475", "1", "JOSE", "15032004", "01", "12345678901", "EMPRESA",
                                          "44555666000199", "1", "ESCRITORIO", "11222333000181"));
        // Inside the transaction the rows are already there.
        EXPECT_EQ(Contar(), 2);
        t.Desfazer();
    }
    EXPECT_TRUE(sessao->AbrirConsulta("SELECT * FROM SFGTBT22_PARAMETRO_SISTEMA WHERE CO_VERSAO_SISTEMA = '9.9.9'")
                    ->IsEmpty());
    EXPECT_EQ(Contar("NU_ARQUIVO = 1 AND NU_MENSAGEM = 151"), 1);
    EXPECT_EQ(Contar("NU_ARQUIVO = 3 AND NU_MENSAGEM = 475"), 1);
    EXPECT_EQ(Contar("NU_ARQUIVO = 3 AND NU_MENSAGEM = 372"), 0) << "the delete was not undone either";
}

TEST_F(InconsistenciaTeste, ExcluirApagaSoOProprioNumero)
{
    TInconsistencia i(*sessao);
    for (int numero = 1; numero <= 5; ++numero) {
        i.NumeroArquivo = numero;
        i.NumeroMensagem = 151;
        ASSERT_EQ(i.Registrar(), RegistroGravado);
    }
    i.NumeroArquivo = 1;
    ASSERT_TRUE(i.ExcluirPorArquivo());
    EXPECT_EQ(Contar(), 4);
    EXPECT_EQ(Contar("NU_ARQUIVO = 1"), 0);
}

TEST_F(InconsistenciaTeste, ConsultasPorArquivo)
{
    TInconsistencia i(*sessao);
    EXPECT_FALSE(i.ConsultarFechamento());

    RegistrarFolha(i, 151, "primeira");
    RegistrarFolha(i, 372, "segunda");
    i.RegistrarFechamento("475", "1", "MARIA", "01022003", "01", "10987654321", "EMPRESA", "44555666000199", "1",
                          "ESCRITORIO", "11222333000181");

    TInconsistencia lista(*sessao);
    lista.ConsultarFolha();
    ASSERT_EQ(lista.TotalRegistros(), 2);
    // Written order, first row loaded, message text joined.
    EXPECT_EQ(lista.NumeroMensagem, 151);
    EXPECT_EQ(Aparar(lista.ConteudoCampo), "primeira");
    EXPECT_EQ(lista.DataAdmissao, "15032004");
    EXPECT_EQ(lista.RazaoSocial, "EMPRESA D'AVILA LTDA");
    EXPECT_GT(lista.NumeroInconsistencia, 0);
    EXPECT_FALSE(lista.Campo("DE_MENSAGEM").AsString().empty());
    lista.Proximo();
    EXPECT_EQ(lista.NumeroMensagem, 372);

    EXPECT_TRUE(lista.ConsultarFechamento());
    EXPECT_EQ(lista.TotalRegistros(), 1);
    EXPECT_EQ(lista.NomeEmpregado, "MARIA");
    EXPECT_EQ(lista.NumeroArquivo, 3);

    lista.FiltroArquivo = "";
    lista.ConsultarPorArquivo();
    EXPECT_EQ(lista.TotalRegistros(), 3);
    lista.ConsultarGuias();
    EXPECT_TRUE(lista.Vazio());

    // The filter goes into the statement: only a number may.
    lista.FiltroArquivo = "1 OR 1=1";
    EXPECT_THROW(lista.ConsultarPorArquivo(), ENegocio);
}

TEST_F(InconsistenciaTeste, IndiceJAMAusenteGravaNoRegistroDoFechamento)
{
    TTabelasIndicesMemoria vazias;
    TInconsistencia registro(*sessao);
    TIndicesCalculo indices(vazias, &registro);
    indices.Identificacao.Pis = "12345678901";
    indices.Identificacao.DataAdmissao = "15032004";
    {
        // A calculation inside a closing that is rolled back still leaves its finding.
        TTransacao t(*sessao);
        EXPECT_FALSE(indices.IndiceJAM(1, CodificarData(2004, 1, 1), CodificarData(2000, 1, 1),
                                       CodificarData(2005, 3, 1)));
    }
    auto r = Ultima();
    ASSERT_EQ(Contar(), 1);
    EXPECT_EQ(r->FieldByName("NU_ARQUIVO").AsInteger(), 3);
    EXPECT_EQ(r->FieldByName("NU_MENSAGEM").AsInteger(), 372);
    EXPECT_EQ(r->FieldByName("CO_PIS_INCONSISTENCIA").AsString(), "12345678901");
    EXPECT_NE(r->FieldByName("DE_CONTEUDO_CAMPO").AsString().find("01/2004"), std::string::npos);
}

} // namespace
} // namespace drav
