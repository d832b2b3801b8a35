#include "model/Empregado.h"
#include "model/Empresa.h"
#include "model/InformacaoRescisao.h"
#include "model/Vinculo.h"

#include "core/Excecoes.h"
#include "kit/BancoTeste.h"
#include "test_empregado_apoio.h"

#include <gtest/gtest.h>

namespace drav {
namespace {

using namespace teste;

const std::string kPis = "12034567899";
const std::string kOutroPis = "17012345673";

class EmpregadoGravacao : public BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        CriarEmpresa(*sessao, 1, kCnpjA, "ACME LTDA");
        CriarEmpresa(*sessao, 1, kCnpjB, "BETA S A");
    }

    int64_t Linhas(const std::string& tabela, const std::string& pis = kPis)
    {
        return Contar(*sessao, tabela, "NU_PIS = " + pis);
    }

    // Every row a worker can have, counted together.
    int64_t TudoDoTrabalhador(const std::string& pis = kPis)
    {
        int64_t n = 0;
        for (const char* t : {"SFGTBG03_EMPREGADO", "SFGTBG04_VINCULO_EMPREGATICIO", "SFGTBG06_INFORMACAO_RESCISAO",
                              "SFGTBG07_COMPLEMENTO_SALDO", "SFGTBG10_CONTA_EMPREGADO_FGTS"})
            n += Linhas(t, pis);
        return n;
    }

    void Incluir(const std::string& pis, int64_t inscricao, TDateTime admissao = CodificarData(2015, 3, 2))
    {
        TEmpregado t(*sessao);
        PreencherTrabalhador(t, pis, 1, inscricao, admissao);
        ASSERT_TRUE(t.Incluir()) << t.CodigoMensagem;
    }
};

TEST_F(EmpregadoGravacao, IncluirGravaTrabalhadorVinculoERescisaoQueSeLeemDeVolta)
{
    Incluir(kPis, kCnpjA);

    TEmpregado lido(*sessao);
    ASSERT_TRUE(lido.ConsultarVinculo(1, std::to_string(kCnpjA), CodificarData(2015, 3, 2), 1, kPis));
    EXPECT_EQ(lido.Pis, kPis);
    EXPECT_EQ(lido.Nome, "MARIA DA SILVA");
    EXPECT_EQ(lido.Cpf, "52998224725");
    EXPECT_EQ(lido.GrauInstrucao, "7");
    EXPECT_EQ(lido.Ctps, "1234567");
    EXPECT_EQ(lido.SerieCtps, "123");
    EXPECT_EQ(lido.Sexo, 2);
    EXPECT_EQ(DataParaTexto(lido.DataNascimento), "20/07/1985");
    TVinculo& v = lido.Vinculo();
    EXPECT_EQ(v.Inscricao, kCnpjA);
    EXPECT_EQ(v.Movimentacao, "I1");
    EXPECT_EQ(v.Saque, "01");
    EXPECT_EQ(v.Cbo, "000101");
    EXPECT_EQ(v.AvisoPrevio, 2);
    EXPECT_EQ(v.EstadoMovimento, EstadoRegistrado);
    EXPECT_EQ(v.Banco, "001");
    EXPECT_EQ(v.Agencia, "1234");
    EXPECT_EQ(v.Conta, "987654");
    EXPECT_EQ(DataParaTexto(v.DataMovimentacao), "31/05/2024");
    // The link's employer and rescission data come through its accessors.
    EXPECT_EQ(v.Empresa().RazaoSocial, "ACME LTDA");
    EXPECT_DOUBLE_EQ(v.Rescisao().VrRemuneracaoRescisao, 2600.5);
    EXPECT_DOUBLE_EQ(v.Rescisao().VrAvisoPrevio, 3000);
    EXPECT_EQ(v.Rescisao().OrigemSaldo, "N");
    EXPECT_EQ(v.Rescisao().TipoPensao, "N");

    // The same link again is refused with "0208" and writes nothing.
    TEmpregado deNovo(*sessao);
    PreencherTrabalhador(deNovo, kPis, 1, kCnpjA);
    EXPECT_FALSE(deNovo.Incluir());
    EXPECT_EQ(deNovo.CodigoMensagem, "0208");
    EXPECT_EQ(Linhas("SFGTBG04_VINCULO_EMPREGATICIO"), 1);
}

TEST_F(EmpregadoGravacao, SegundoVinculoDoMesmoPisAtualizaOTrabalhadorEAcrescentaSoOVinculo)
{
    Incluir(kPis, kCnpjA);
    TEmpregado t(*sessao);
    PreencherTrabalhador(t, kPis, 1, kCnpjB);
    t.Nome = "MARIA DA SILVA SOUZA";
    ASSERT_TRUE(t.Incluir()) << t.CodigoMensagem;

    EXPECT_EQ(Linhas("SFGTBG03_EMPREGADO"), 1);
    EXPECT_EQ(Linhas("SFGTBG04_VINCULO_EMPREGATICIO"), 2);
    EXPECT_EQ(Linhas("SFGTBG06_INFORMACAO_RESCISAO"), 2);
    TEmpregado lido(*sessao);
    ASSERT_TRUE(lido.ConsultarPorPis(kPis));
    EXPECT_EQ(lido.TotalRegistros(), 2);
    EXPECT_EQ(lido.Nome, "MARIA DA SILVA SOUZA");
    EXPECT_EQ(lido.NomePorPis(kPis), "MARIA DA SILVA SOUZA");
    EXPECT_EQ(lido.NomePorPis(kOutroPis), "");
}

TEST_F(EmpregadoGravacao, UmVinculoQueFalhaNaoDeixaNadaDoTrabalhador)
{
    TEmpregado t(*sessao);
    PreencherTrabalhador(t, kPis, 1, kCnpjA);
    TVinculo segundo(*sessao);
    segundo.CarregaRelacionados = false;
    segundo.TipoInscricao = 1;
    segundo.Inscricao = 99999999000191; // no such employer: the database refuses the link
    segundo.Categoria = 1;
    segundo.DataAdmissao = CodificarData(2018, 1, 8);
    segundo.Movimentacao = "I1";
    EXPECT_THROW(t.IncluirVinculos({&t.Vinculo(), &segundo}), EBancoDados);
    EXPECT_EQ(t.CodigoMensagem, "0144");
    EXPECT_EQ(TudoDoTrabalhador(), 0);

    // A second link that repeats the first is refused as a whole too.
    TVinculo repetido(*sessao);
    repetido.CarregaRelacionados = false;
    repetido.TipoInscricao = 1;
    repetido.Inscricao = kCnpjA;
    repetido.Categoria = 1;
    repetido.DataAdmissao = CodificarData(2015, 3, 2);
    EXPECT_FALSE(t.IncluirVinculos({&t.Vinculo(), &repetido}));
    EXPECT_EQ(t.CodigoMensagem, "0208");
    EXPECT_EQ(TudoDoTrabalhador(), 0);

    // Both fine: both written.
    repetido.DataAdmissao = CodificarData(2019, 6, 3);
    EXPECT_TRUE(t.IncluirVinculos({&t.Vinculo(), &repetido}));
    EXPECT_EQ(Linhas("SFGTBG04_VINCULO_EMPREGATICIO"), 2);
    EXPECT_EQ(Linhas("SFGTBG06_INFORMACAO_RESCISAO"), 2);
}

TEST_F(EmpregadoGravacao, ExclusaoDoTrabalhadorComDoisVinculosEhTudoOuNada)
{
    Incluir(kPis, kCnpjA);
    Incluir(kPis, kCnpjB);
    CriarConta(*sessao, 1, kCnpjA, kPis, 1, CodificarData(2015, 3, 2), 7001, 1500);
    CriarConta(*sessao, 1, kCnpjB, kPis, 1, CodificarData(2015, 3, 2), 7002, 800);
    sessao->ExecutarSQL("INSERT INTO SFGTBG07_COMPLEMENTO_SALDO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                        "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA, "
                        "VR_REMUNERACAO, VR_DEPOSITO) VALUES (1, " + std::to_string(kCnpjA) + ", " + kPis +
                        ", 1, '2015-03-02', 1, 2020, 5, 1000, 80)");
    const int64_t antes = TudoDoTrabalhador();
    ASSERT_EQ(antes, 1 + 2 + 2 + 1 + 2);

    // The database refuses to delete the link with the second employer: the rows already deleted
    // before that statement must come back.
    sessao->ExecutarSQL("CREATE EXCEPTION E_TESTE_EXCLUSAO 'exclusão recusada'");
    sessao->ExecutarSQL("CREATE TRIGGER T_TESTE_EXCLUSAO FOR SFGTBG04_VINCULO_EMPREGATICIO BEFORE DELETE AS "
                        "BEGIN IF (OLD.NU_INSCRICAO = " + std::to_string(kCnpjB) +
                        ") THEN EXCEPTION E_TESTE_EXCLUSAO; END");
    TEmpregado t(*sessao);
    ASSERT_TRUE(t.ConsultarPorPis(kPis));
    EXPECT_THROW(t.ExcluirTrabalhador(), EBancoDados);
    EXPECT_EQ(t.CodigoMensagem, "0144");
    EXPECT_EQ(TudoDoTrabalhador(), antes);

    sessao->ExecutarSQL("DROP TRIGGER T_TESTE_EXCLUSAO");
    EXPECT_TRUE(t.ExcluirTrabalhador());
    EXPECT_EQ(TudoDoTrabalhador(), 0);
}

TEST_F(EmpregadoGravacao, ExcluirVinculosLevaOTrabalhadorSoComOUltimoVinculo)
{
    Incluir(kPis, kCnpjA);
    Incluir(kPis, kCnpjB);
    Incluir(kOutroPis, kCnpjB);
    CriarConta(*sessao, 1, kCnpjA, kPis, 1, CodificarData(2015, 3, 2), 7001, 1500);

    TEmpregado t(*sessao);
    ASSERT_TRUE(t.ConsultarVinculo(1, std::to_string(kCnpjA), CodificarData(2015, 3, 2), 1, kPis));
    ASSERT_TRUE(t.ExcluirVinculos(false));
    EXPECT_EQ(Linhas("SFGTBG03_EMPREGADO"), 1) << "one of two links deleted: the worker stays";
    EXPECT_EQ(Linhas("SFGTBG04_VINCULO_EMPREGATICIO"), 1);
    EXPECT_EQ(Linhas("SFGTBG10_CONTA_EMPREGADO_FGTS"), 0);

    // The whole second employer: both its links go, and with them both workers, now without links.
    ASSERT_TRUE(t.ConsultarVinculo(1, std::to_string(kCnpjB), CodificarData(2015, 3, 2), 1, kPis));
    ASSERT_TRUE(t.ExcluirVinculos(true));
    EXPECT_EQ(TudoDoTrabalhador(kPis), 0);
    EXPECT_EQ(TudoDoTrabalhador(kOutroPis), 0);
    EXPECT_EQ(Contar(*sessao, "SFGTBG02_EMPRESA"), 2) << "the employers themselves stay";
}

TEST_F(EmpregadoGravacao, AlterarGravaOVinculoEARescisaoEDesfazAMarcaDeInconsistencia)
{
    Incluir(kPis, kCnpjA);
    sessao->ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_VALIDACAO_VINCULO = 'S'");
    TEmpregado t(*sessao);
    ASSERT_TRUE(t.ConsultarPorPis(kPis));
    EXPECT_TRUE(t.Vinculo().Inconsistente);
    t.Nome = "MARIA SOUZA";
    t.Vinculo().AvisoPrevio = 1;
    t.Vinculo().DataInicioAviso = CodificarData(2024, 5, 2);
    t.Vinculo().Conta = "";
    t.Vinculo().Rescisao().VrAvisoPrevio = 0;
    t.Vinculo().Rescisao().VrDissidio = 123.45;
    ASSERT_TRUE(t.Alterar(false));

    TEmpregado lido(*sessao);
    ASSERT_TRUE(lido.ConsultarPorPis(kPis));
    EXPECT_EQ(lido.Nome, "MARIA SOUZA");
    EXPECT_FALSE(lido.Vinculo().Inconsistente);
    EXPECT_EQ(lido.Vinculo().AvisoPrevio, 1);
    EXPECT_EQ(DataParaTexto(lido.Vinculo().DataInicioAviso), "02/05/2024");
    EXPECT_EQ(lido.Vinculo().Conta, "");
    EXPECT_DOUBLE_EQ(lido.Vinculo().Rescisao().VrAvisoPrevio, 0);
    EXPECT_DOUBLE_EQ(lido.Vinculo().Rescisao().VrDissidio, 123.45);

    // Only the worker: the link keeps what it had.
    lido.Nome = "MARIA S SOUZA";
    lido.Vinculo().AvisoPrevio = 3;
    ASSERT_TRUE(lido.Alterar(true));
    TEmpregado denovo(*sessao);
    ASSERT_TRUE(denovo.ConsultarPorPis(kPis));
    EXPECT_EQ(denovo.Nome, "MARIA S SOUZA");
    EXPECT_EQ(denovo.Vinculo().AvisoPrevio, 1);
}

TEST_F(EmpregadoGravacao, PesquisaPorNomeTomaOTextoDigitadoAoPeDaLetra)
{
    Incluir(kPis, kCnpjA);
    TEmpregado t(*sessao);
    t.ListarPorNome("SILVA");
    EXPECT_EQ(t.TotalRegistros(), 1);
    for (const std::string texto : {"O'BRIEN", "'; DELETE FROM SFGTBG03_EMPREGADO; --", "%", "_", "SIL%A"}) {
        EXPECT_NO_THROW(t.ListarPorNome(texto)) << texto;
        EXPECT_EQ(t.TotalRegistros(), 0) << texto;
    }
    EXPECT_EQ(Linhas("SFGTBG03_EMPREGADO"), 1);
    // A PIS that is not a number finds nothing rather than reaching the statement.
    EXPECT_FALSE(t.ConsultarPorPis("1 OR 1=1"));
    EXPECT_EQ(t.CodigoMensagem, "");
}

TEST_F(EmpregadoGravacao, ListarDaEmpresaTrazOsVinculosComRescisaoEONomeDaEmpresa)
{
    Incluir(kPis, kCnpjA);
    Incluir(kOutroPis, kCnpjA);
    Incluir(kOutroPis, kCnpjB);
    TEmpregado t(*sessao);
    t.ListarDaEmpresa("1", std::to_string(kCnpjA));
    EXPECT_EQ(t.TotalRegistros(), 2);
    EXPECT_EQ(t.Campo("NO_RAZAO_SOCIAL").AsString(), "ACME LTDA");
}

} // namespace
} // namespace drav
