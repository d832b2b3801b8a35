// The calculation of links stored in the database: what is read for a link, and what is stored.
#include "calc/CalculoBanco.h"

#include "calc/Calculo.h"
#include "calc/Inconsistencia.h"
#include "core/DBUtils.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "kit/BancoTeste.h"
#include "model/InformacaoRescisao.h"
#include "test_calculo_apoio.h"

#include <gtest/gtest.h>

#include <string>

namespace drav {
namespace {

using namespace teste;

const std::string kChave = "NU_TIPO_INSO_EMPRA = 1 AND NU_INSCRICAO = 11222333000181 AND NU_PIS = 12034567899 "
                           "AND NU_CATEGORIA = 1 AND DT_ADMISSAO_VINCULO = '2000-03-02'";
const std::string kValoresChave = "1, 11222333000181, 12034567899, 1, '2000-03-02'";

class CalculoBanco : public BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        sessao->ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_SIMPLES, NU_INSS, "
                            "NO_RAZAO_SOCIAL, IC_ESTADO_EMPRESA) VALUES (1, 11222333000181, 1, 507, "
                            "'EMPRESA TESTE LTDA', 'E')");
        sessao->ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES (12034567899, "
                            "'MARIA DA SILVA')");
    }

    // The dismissal of the in-memory tests, stored; `colunas` and `valores` add SFGTBG06 columns
    // (each list starting with ", ").
    void CriarVinculo(const std::string& aviso = "'2'", const std::string& colunas = "",
                      const std::string& valores = "")
    {
        sessao->ExecutarSQL("INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "NU_CATEGORIA, DT_ADMISSAO_VINCULO, CO_MOVIMENTACAO, DT_MOVIMENTACAO_VINCULO, DT_OPCAO, "
                            "IC_AVISO_PREVIO, IC_ESTADO_MOVIMENTO) VALUES (" +
                            kValoresChave + ", 'I1', '2004-05-14', '2000-03-02', " + aviso + ", 1)");
        sessao->ExecutarSQL("INSERT INTO SFGTBG06_INFORMACAO_RESCISAO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "NU_CATEGORIA, DT_ADMISSAO_VINCULO, VR_REMUNERACAO_ANTERIOR_RSCSO, "
                            "VR_REMUNERACAO_RESCISAO, VR_AVISO_PREVIO" +
                            colunas + ") VALUES (" + kValoresChave + ", 2345.67, 1234.57, 3000.01" + valores + ")");
    }

    void CriarConta(int numero, int situacao, const std::string& credito)
    {
        sessao->ExecutarSQL("INSERT INTO SFGTBG10_CONTA_EMPREGADO_FGTS (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_EMPREGADO_QUELD, NU_SITUACAO_CONTA_EMPREGADO, "
                            "NU_SITUACAO_PIS, VR_SALDO_RESCISORIO, DT_CREDITO_JUROS) VALUES (" +
                            kValoresChave + ", " + std::to_string(numero) + ", " + std::to_string(situacao) +
                            ", 1, 10000.00, " + credito + ")");
    }

    std::unique_ptr<TResultado> Rescisao()
    {
        auto r = sessao->AbrirConsulta("SELECT * FROM SFGTBG06_INFORMACAO_RESCISAO WHERE " + kChave);
        r->First();
        return r;
    }

    static TEntradaCalculo Chave(TDateTime pagamento)
    {
        TEntradaCalculo e;
        e.TipoInscricao = 1;
        e.Inscricao = 11222333000181;
        e.Pis = 12034567899;
        e.Categoria = 1;
        e.DataAdmissao = D(2, 3, 2000);
        e.DataPagamento = pagamento;
        return e;
    }

    const TTabelasIndicesMemoria tabelas = Tabelas();
};

TEST_F(CalculoBanco, LeOVinculoComEmpresaRescisaoEConta)
{
    CriarVinculo("'2'", ", VR_SALDO_RESCISORIO, IC_ORIGEM_SALDO_RESCISORIO, VR_DEPOSITO_CMPLO_SALDO",
                 ", 10000.00, 'C', 100.50");
    // The account the bank could not find (situation 3) is not the link's.
    CriarConta(0, 3, "'2003-12-31'");
    CriarConta(77, 1, "'2004-03-31'");
    TEntradaCalculo e = Chave(D(15, 6, 2004));
    ASSERT_TRUE(CarregarEntradaCalculo(*sessao, e));
    EXPECT_EQ(e.Movimentacao, "I1");
    EXPECT_EQ(Texto(e.DataMovimentacao), "14/05/2004");
    EXPECT_EQ(Texto(e.DataOpcao), "02/03/2000");
    EXPECT_EQ(e.AvisoPrevio, 2);
    EXPECT_EQ(e.Fpas, 507);
    EXPECT_EQ(e.Simples, 1);
    EXPECT_EQ(Cent(e.RemuneracaoAnterior), 234567);
    EXPECT_EQ(Cent(e.RemuneracaoRescisao), 123457);
    EXPECT_EQ(Cent(e.ValorAvisoPrevio), 300001);
    EXPECT_EQ(Cent(e.SaldoRescisorio), 1000000);
    EXPECT_EQ(e.OrigemSaldo, "C");
    EXPECT_EQ(Cent(e.DepositoComplementoSaldo), 10050);
    EXPECT_EQ(Texto(e.DataCreditoJuros), "31/03/2004");
    EXPECT_EQ(Texto(e.DataDissidio), "NullDate");
    EXPECT_EQ(e.RazaoSocial, "EMPRESA TESTE LTDA");
    EXPECT_EQ(e.NomeEmpregado, "MARIA DA SILVA");
    EXPECT_EQ(Texto(e.DataPagamento), "15/06/2004");

    TEntradaCalculo outro = Chave(D(15, 6, 2004));
    outro.Pis = 12345678919;
    EXPECT_FALSE(CarregarEntradaCalculo(*sessao, outro));
    EXPECT_EQ(outro.Movimentacao, "");
}

TEST_F(CalculoBanco, TipoDeAvisoLido)
{
    struct Caso {
        const char* coluna;
        int aviso;
    } casos[] = {{"NULL", 0}, {"'0'", 0}, {"'3'", 3}, {"'X'", -1}};
    for (const Caso& c : casos) {
        CriarVinculo(c.coluna);
        TEntradaCalculo e = Chave(D(6, 5, 2004));
        ASSERT_TRUE(CarregarEntradaCalculo(*sessao, e)) << c.coluna;
        EXPECT_EQ(e.AvisoPrevio, c.aviso) << c.coluna;
        sessao->ExecutarSQL("DELETE FROM SFGTBG04_VINCULO_EMPREGATICIO WHERE " + kChave);
    }
}

TEST_F(CalculoBanco, GravaCadaValorNaSuaColuna)
{
    CriarVinculo("'2'", ", VR_SALDO_RESCISORIO, IC_ORIGEM_SALDO_RESCISORIO, VR_DEPOSITO_CMPLO_SALDO",
                 ", 10000.00, 'C', 100.50");
    CriarConta(77, 1, "'2004-03-31'");
    TCalculo calculo(DiasUteis(), tabelas);
    TInformacaoRescisao rescisao(*sessao);
    TEntradaCalculo e = Chave(D(15, 6, 2004));
    EXPECT_EQ(Cent(CalcularGravar(calculo, *sessao, e, &rescisao)), 613678);

    const auto r = Rescisao();
    auto valor = [&](const char* coluna) { return Cent(r->FieldByName(coluna).AsFloat()); };
    auto data = [&](const char* coluna) { return Texto(r->FieldByName(coluna).AsDateTime()); };
    EXPECT_EQ(valor("VR_JAM_SALDO_RESCISORIO"), 23456);
    struct Coluna {
        const char* nome;
        long long centavos;
    };
    const Coluna colunas[] = {
        {"VR_DEPOSITO_ANTERIOR_RESCISAO", 18765}, {"VR_JAM_ANTERIOR_RESCISAO", 210},
        {"VR_MULTA_ANTERIOR_RESCISAO", 357},      {"VR_CNTRO_ANTERIOR_RESCISAO", 1173},
        {"VR_MULTA_CNTRO_ANTERIOR_RSCSO", 35},    {"VR_DEPOSITO_RESCISAO", 9876},
        {"VR_JAM_RESCISAO", 0},                   {"VR_MULTA_RESCISAO", 153},
        {"VR_CNTRO_RESCISAO", 617},               {"VR_MULTA_CNTRO_RESCISAO", 9},
        {"VR_DEPOSITO_AVISO_PREVIO", 24000},      {"VR_JAM_AVISO_PREVIO", 0},
        {"VR_MULTA_AVISO_PREVIO", 370},           {"VR_CNTRO_AVISO_PREVIO", 1500},
        {"VR_MULTA_CNTRO_AVISO_PREVIO", 23},      {"VR_DEPOSITO_MULTA_RESCISORIA", 434542},
        {"VR_JAM_MULTA_RESCISORIA", 0},           {"VR_MULTA_MULTA_RESCISORIA", 10731},
        {"VR_CNTRO_MULTA_RESCISORIA", 108635},    {"VR_MULTA_CNTRO_MULTA_RESCISORIA", 2682},
    };
    for (const Coluna& c : colunas) {
        EXPECT_FALSE(r->FieldByName(c.nome).IsNull()) << c.nome;
        EXPECT_EQ(valor(c.nome), c.centavos) << c.nome;
    }
    EXPECT_EQ(data("DT_DEVIDA_ANTERIOR_RESCISAO"), "07/05/2004");
    EXPECT_EQ(data("DT_DEVIDA_RESCISAO"), "24/05/2004");
    EXPECT_EQ(data("DT_DEVIDA_AVISO_PREVIO"), "24/05/2004");
    EXPECT_EQ(data("DT_DEVIDA_MULTA_RESCISORIA"), "24/05/2004");
    // The declared columns are not touched.
    EXPECT_EQ(valor("VR_SALDO_RESCISORIO"), 1000000);
    EXPECT_EQ(valor("VR_DEPOSITO_CMPLO_SALDO"), 10050);

    // The caller's rescission object shows what was stored.
    EXPECT_EQ(Cent(rescisao.VrDepositoMultaRescisoria), 434542);
    EXPECT_EQ(Cent(rescisao.VrJamSaldoRescisorio), 23456);
    EXPECT_EQ(Texto(rescisao.DtDevidaRescisao), "24/05/2004");
}

TEST_F(CalculoBanco, DissidioGravaSemJurosDoSaldoEParcelasSemBaseSemVencimento)
{
    CriarVinculo("'2'", ", DT_DISSIDIO, VR_DISSIDIO", ", '2004-06-15', 5000.00");
    sessao->ExecutarSQL("UPDATE SFGTBG06_INFORMACAO_RESCISAO SET VR_REMUNERACAO_ANTERIOR_RSCSO = 0, "
                        "VR_REMUNERACAO_RESCISAO = NULL, VR_AVISO_PREVIO = 1000.00, "
                        "DT_DEVIDA_ANTERIOR_RESCISAO = '2004-01-01', VR_JAM_SALDO_RESCISORIO = 99.99 WHERE " +
                        kChave);
    TCalculo calculo(DiasUteis(), tabelas);
    TEntradaCalculo e = Chave(D(6, 7, 2004));
    EXPECT_EQ(Cent(CalcularGravar(calculo, *sessao, e)), 262500);
    const auto r = Rescisao();
    EXPECT_TRUE(r->FieldByName("DT_DEVIDA_ANTERIOR_RESCISAO").IsNull());
    EXPECT_TRUE(r->FieldByName("DT_DEVIDA_RESCISAO").IsNull());
    EXPECT_EQ(Texto(r->FieldByName("DT_DEVIDA_AVISO_PREVIO").AsDateTime()), "07/07/2004");
    EXPECT_EQ(Texto(r->FieldByName("DT_DEVIDA_MULTA_RESCISORIA").AsDateTime()), "07/07/2004");
    EXPECT_EQ(Cent(r->FieldByName("VR_JAM_SALDO_RESCISORIO").AsFloat()), 0);
    EXPECT_FALSE(r->FieldByName("VR_JAM_SALDO_RESCISORIO").IsNull());
    EXPECT_EQ(Cent(r->FieldByName("VR_DEPOSITO_MULTA_RESCISORIA").AsFloat()), 203200);
}

// The balance's interest index is missing: the link fails, nothing is stored, and the closing's
// register tells which link lacks it.
TEST_F(CalculoBanco, IndiceAusenteNaoGravaNadaERegistra372)
{
    CriarVinculo("'2'", ", VR_SALDO_RESCISORIO, IC_ORIGEM_SALDO_RESCISORIO, VR_DEPOSITO_ANTERIOR_RESCISAO",
                 ", 10000.00, 'C', 1.23");
    CriarConta(77, 1, "'2003-12-31'");
    TInconsistencia registro(*sessao);
    TCalculo calculo(DiasUteis(), tabelas, &registro);
    TEntradaCalculo e = Chave(D(15, 6, 2004));
    EXPECT_EQ(CalcularGravar(calculo, *sessao, e), -1.0);
    EXPECT_EQ(calculo.CodigoErro(), 372);

    const auto r = Rescisao();
    EXPECT_EQ(Cent(r->FieldByName("VR_DEPOSITO_ANTERIOR_RESCISAO").AsFloat()), 123);
    EXPECT_TRUE(r->FieldByName("VR_JAM_SALDO_RESCISORIO").IsNull());
    EXPECT_TRUE(r->FieldByName("VR_DEPOSITO_MULTA_RESCISORIA").IsNull());
    EXPECT_TRUE(r->FieldByName("DT_DEVIDA_MULTA_RESCISORIA").IsNull());

    const auto i = sessao->AbrirConsulta("SELECT NU_ARQUIVO, NU_MENSAGEM, CO_PIS_INCONSISTENCIA, "
                                         "NU_INSCRICAO_EMPRESA, NO_EMPREGADO FROM SFGTBG18_INCONSISTENCIA_ARQUIVO");
    ASSERT_EQ(i->RecordCount(), 1);
    i->First();
    EXPECT_EQ(i->FieldByName("NU_ARQUIVO").AsInteger(), 3);
    EXPECT_EQ(i->FieldByName("NU_MENSAGEM").AsInteger(), 372);
    EXPECT_EQ(i->FieldByName("CO_PIS_INCONSISTENCIA").AsString(), "12034567899");
    EXPECT_EQ(i->FieldByName("NU_INSCRICAO_EMPRESA").AsString(), "11222333000181");
    EXPECT_EQ(Aparar(i->FieldByName("NO_EMPREGADO").AsString()), "MARIA DA SILVA");
}

TEST_F(CalculoBanco, VinculoInexistente)
{
    CriarVinculo();
    TCalculo calculo(DiasUteis(), tabelas);
    TEntradaCalculo e = Chave(D(6, 5, 2004));
    ASSERT_GT(CalcularGravar(calculo, *sessao, e), 0);

    TEntradaCalculo outro = Chave(D(6, 5, 2004));
    outro.Categoria = 7;
    EXPECT_EQ(CalcularGravar(calculo, *sessao, outro), -1.0);
    EXPECT_EQ(calculo.ValorTotal(), 0);
    EXPECT_EQ(calculo.CodigoErro(), 0);
    EXPECT_FALSE(calculo.ParcelaMulta().Calculada);
}

TEST_F(CalculoBanco, DataDePagamentoDoRecolhimentoAberto)
{
    EXPECT_EQ(LerDataPagamento(*sessao), NullDate);
    sessao->ExecutarSQL("INSERT INTO SFGTBG01_ABERTURA_RECOLHIMENTO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, DT_PAGAMENTO) "
                        "VALUES (1, 11222333000181, '2004-06-15')");
    EXPECT_EQ(Texto(LerDataPagamento(*sessao)), "15/06/2004");
}

} // namespace
} // namespace drav
