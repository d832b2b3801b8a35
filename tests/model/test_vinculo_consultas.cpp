// What a link reads and writes, and how it reaches its employer, worker and rescission data.
#include "model/Empregado.h"
#include "model/Empresa.h"
#include "model/InformacaoRescisao.h"
#include "model/Vinculo.h"

#include "kit/BancoTeste.h"
#include "test_empregado_apoio.h"

#include <gtest/gtest.h>

namespace drav {
namespace {

using namespace teste;

const std::string kPis1 = "12034567899";
const std::string kPis2 = "17012345673";
const TDateTime kAdmissao = CodificarData(2015, 3, 2);

class VinculoConsultas : public BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        CriarEmpresa(*sessao, 1, kCnpjA, "ACME LTDA");
        CriarEmpresa(*sessao, 1, kCnpjB, "BETA S A");
        Incluir(kPis1, kCnpjA);
        Incluir(kPis2, kCnpjA);
        Incluir(kPis1, kCnpjB);
    }

    void Incluir(const std::string& pis, int64_t empresa)
    {
        TEmpregado t(*sessao);
        PreencherTrabalhador(t, pis, 1, empresa, kAdmissao);
        t.Vinculo().Rescisao().VrDissidio = 77.7;
        t.Vinculo().Rescisao().DtDissidio = CodificarData(2024, 6, 10);
        ASSERT_TRUE(t.Incluir());
    }

    void Estado(const std::string& pis, int64_t empresa, int estado, const char* validacao = "N")
    {
        sessao->ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = " + std::to_string(estado) +
                            ", IC_VALIDACAO_VINCULO = '" + validacao + "' WHERE NU_PIS = " + pis +
                            " AND NU_INSCRICAO = " + std::to_string(empresa));
    }

    std::string Coluna(const std::string& coluna, const std::string& pis, int64_t empresa)
    {
        return sessao
            ->AbrirConsulta("SELECT " + coluna + " AS X FROM SFGTBG04_VINCULO_EMPREGATICIO WHERE NU_PIS = " + pis +
                            " AND NU_INSCRICAO = " + std::to_string(empresa))
            ->FieldByName("X")
            .AsString();
    }

    void Chave(TVinculo& v, const std::string& pis, int64_t empresa)
    {
        v.TipoInscricao = 1;
        v.Inscricao = empresa;
        v.Pis = std::stoll(pis);
        v.Categoria = 1;
        v.DataAdmissao = kAdmissao;
    }
};

TEST_F(VinculoConsultas, ConsultarPorChaveLeTambemAContaBancaria)
{
    TVinculo v(*sessao);
    Chave(v, kPis1, kCnpjA);
    ASSERT_TRUE(v.ConsultarPorChave());
    EXPECT_EQ(v.Banco, "001");
    EXPECT_EQ(v.Agencia, "1234");
    EXPECT_EQ(v.Conta, "987654");
    EXPECT_EQ(v.Movimentacao, "I1");
    EXPECT_FALSE(v.DescricaoMovimentacao.empty());
    EXPECT_EQ(v.DescricaoAvisoPrevio(), "2 - Indenizado");
    EXPECT_EQ(TVinculo::DescricaoAvisoPrevio(0), "");
    EXPECT_EQ(TVinculo::DescricaoAvisoPrevio(3), "3 - Ausência/Dispensa");

    // A key part left at zero finds nothing rather than every link.
    v.Categoria = 0;
    EXPECT_FALSE(v.ConsultarPorChave());

    EXPECT_EQ(v.MovimentacaoGravada(1, 1, kAdmissao, std::stoll(kPis1), kCnpjA), "I1");
    EXPECT_DOUBLE_EQ(v.ValorDissidioGravado(1, 1, kAdmissao, std::stoll(kPis1), kCnpjA), 77.7);
    EXPECT_EQ(v.MovimentacaoGravada(1, 1, kAdmissao, 1, kCnpjA), "");
    EXPECT_DOUBLE_EQ(v.ValorDissidioGravado(1, 1, kAdmissao, 1, kCnpjA), 0);

    // A movement code missing from the reference table hides the link from the link's own queries.
    sessao->ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET CO_MOVIMENTACAO = 'ZZ' WHERE NU_PIS = " + kPis1);
    Chave(v, kPis1, kCnpjA);
    EXPECT_FALSE(v.ConsultarPorChave());
}

TEST_F(VinculoConsultas, ListarMarcados)
{
    Estado(kPis1, kCnpjA, 1);
    Estado(kPis1, kCnpjB, 1);
    Estado(kPis2, kCnpjA, 2);
    TVinculo v(*sessao);
    ASSERT_TRUE(v.ListarMarcados(true, 1, kAdmissao, 1, std::stoll(kPis2), kCnpjB));
    EXPECT_EQ(v.TotalRegistros(), 2) << "with all, the other arguments are ignored";
    ASSERT_TRUE(v.ListarMarcados(false, 1, NullDate, 0, 0, kCnpjB));
    EXPECT_EQ(v.TotalRegistros(), 1);
    EXPECT_EQ(v.Inscricao, kCnpjB);
    EXPECT_FALSE(v.ListarMarcados(false, 0, NullDate, 0, std::stoll(kPis2), 0));
    ASSERT_TRUE(v.ListarTodos());
    EXPECT_EQ(v.TotalRegistros(), 3);
}

TEST_F(VinculoConsultas, GravarValidacao)
{
    Estado(kPis1, kCnpjA, 1);
    Estado(kPis2, kCnpjA, 2);
    TVinculo v(*sessao);
    Chave(v, kPis1, kCnpjA);
    ASSERT_TRUE(v.ConsultarPorChave());
    // A marked link found inconsistent goes back to state 0 in the same statement.
    ASSERT_TRUE(v.GravarValidacao(false, true));
    EXPECT_EQ(Coluna("IC_VALIDACAO_VINCULO", kPis1, kCnpjA), "S");
    EXPECT_EQ(Coluna("IC_ESTADO_MOVIMENTO", kPis1, kCnpjA), "0");
    EXPECT_TRUE(v.Inconsistente);
    EXPECT_EQ(v.EstadoMovimento, EstadoRegistrado);
    // A closed one keeps its state.
    Chave(v, kPis2, kCnpjA);
    ASSERT_TRUE(v.ConsultarPorChave());
    ASSERT_TRUE(v.GravarValidacao(false, true));
    EXPECT_EQ(Coluna("IC_VALIDACAO_VINCULO", kPis2, kCnpjA), "S");
    EXPECT_EQ(Coluna("IC_ESTADO_MOVIMENTO", kPis2, kCnpjA), "2");
    ASSERT_TRUE(v.GravarValidacao(false, false));
    EXPECT_EQ(Coluna("IC_VALIDACAO_VINCULO", kPis2, kCnpjA), "N");
    EXPECT_EQ(Coluna("IC_VALIDACAO_VINCULO", kPis1, kCnpjA), "S") << "only this link";

    // All: every link flagged and every marked one unmarked.
    Estado(kPis1, kCnpjB, 1);
    ASSERT_TRUE(v.GravarValidacao(true, true));
    EXPECT_EQ(Contar(*sessao, "SFGTBG04_VINCULO_EMPREGATICIO", "IC_VALIDACAO_VINCULO = 'S'"), 3);
    EXPECT_EQ(Contar(*sessao, "SFGTBG04_VINCULO_EMPREGATICIO", "IC_ESTADO_MOVIMENTO = 1"), 0);
    EXPECT_EQ(Coluna("IC_ESTADO_MOVIMENTO", kPis2, kCnpjA), "2");
}

TEST_F(VinculoConsultas, RelacionadosCarregamSobDemandaESemVoltas)
{
    TVinculo v(*sessao);
    Chave(v, kPis1, kCnpjB);
    ASSERT_TRUE(v.ConsultarPorChave());
    EXPECT_EQ(v.Empresa().RazaoSocial, "BETA S A");
    EXPECT_EQ(v.Trabalhador().Nome, "MARIA DA SILVA");
    EXPECT_EQ(v.Trabalhador().Vinculo().Inscricao, kCnpjB);
    EXPECT_DOUBLE_EQ(v.Rescisao().VrDissidio, 77.7);
    // Each side answers its owner instead of building another copy: no chain can loop.
    EXPECT_EQ(&v.Rescisao().Vinculo(), &v);
    TEmpregado& t = v.Trabalhador();
    EXPECT_EQ(&t.Vinculo().Trabalhador(), &t);
    EXPECT_EQ(&t.Vinculo().Rescisao().Vinculo(), &t.Vinculo());

    // Another row drops what was loaded for the previous one.
    ASSERT_TRUE(v.ListarTodos());
    do {
        EXPECT_EQ(v.Empresa().InscricaoFormatada(), std::to_string(v.Inscricao));
        EXPECT_EQ(v.Trabalhador().Pis, CompletarZeros(std::to_string(v.Pis), 11));
        EXPECT_EQ(v.Rescisao().Inscricao, v.Inscricao);
        v.Proximo();
    } while (!v.Eof());

    // Rescission data reaches its link the other way round.
    TInformacaoRescisao r(*sessao);
    ASSERT_TRUE(r.ConsultarRescisao(1, 1, kAdmissao, std::stoll(kPis2), kCnpjA));
    EXPECT_EQ(r.Vinculo().Pis, std::stoll(kPis2));
    EXPECT_EQ(&r.Vinculo().Rescisao(), &r);
    EXPECT_EQ(r.Vinculo().Trabalhador().Pis, kPis2);

    // Without loading, the objects are there but empty.
    TVinculo vazio(*sessao);
    vazio.CarregaRelacionados = false;
    Chave(vazio, kPis1, kCnpjA);
    EXPECT_EQ(vazio.Empresa().RazaoSocial, "");
    EXPECT_EQ(vazio.Trabalhador().Nome, "");
    EXPECT_DOUBLE_EQ(vazio.Rescisao().VrDissidio, 0);
    EXPECT_EQ(vazio.Rescisao().Pis, std::stoll(kPis1)) << "the key is handed over for a new row";

    // A key without a row leaves nothing of another link behind.
    ASSERT_TRUE(r.ConsultarRescisao(1, 1, kAdmissao, 1, kCnpjA));
    EXPECT_DOUBLE_EQ(r.VrDissidio, 0);
    EXPECT_EQ(r.OrigemSaldo, "N");
}

TEST_F(VinculoConsultas, LimparCalculoSoNosVinculosFechados)
{
    sessao->ExecutarSQL("UPDATE SFGTBG06_INFORMACAO_RESCISAO SET VR_DEPOSITO_RESCISAO = 10, "
                        "VR_JAM_SALDO_RESCISORIO = 3, DT_DEVIDA_MULTA_RESCISORIA = '2024-06-07'");
    Estado(kPis1, kCnpjA, 2);
    Estado(kPis1, kCnpjB, 3);
    Estado(kPis2, kCnpjA, 1);
    TInformacaoRescisao r(*sessao);
    ASSERT_TRUE(r.LimparCalculo(1, -1, NullDate, -1, kCnpjB));
    EXPECT_EQ(Contar(*sessao, "SFGTBG06_INFORMACAO_RESCISAO", "VR_DEPOSITO_RESCISAO IS NULL"), 1);
    ASSERT_TRUE(r.LimparCalculo(-1, -1, NullDate, -1, -1));
    EXPECT_EQ(Contar(*sessao, "SFGTBG06_INFORMACAO_RESCISAO",
                     "VR_DEPOSITO_RESCISAO IS NULL AND VR_JAM_SALDO_RESCISORIO IS NULL AND "
                     "DT_DEVIDA_MULTA_RESCISORIA IS NULL"),
              2);
    EXPECT_EQ(Contar(*sessao, "SFGTBG06_INFORMACAO_RESCISAO", "NU_PIS = " + kPis2 + " AND VR_DEPOSITO_RESCISAO = 10"),
              1)
        << "an open link keeps its figures";
}

} // namespace
} // namespace drav
