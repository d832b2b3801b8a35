// What a validation run leaves behind: flags and states of the links it examined, the register
// rows with what the failing field held, the scope of each entry point, and how many statements
// a run costs.
#include "calc/ValidacaoVinculo.h"

#include "calc/Inconsistencia.h"
#include "core/DBUtils.h"
#include "core/Datas.h"
#include "core/Formatacao.h"
#include "kit/BancoTeste.h"
#include "model/Vinculo.h"
#include "test_validacao_apoio.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace drav::teste {
namespace {

class ValidacaoExecucao : public BancoTeste {
protected:
    // Links of one worker at the given employer, admitted on different days; those listed in
    // `invalidos` have no CBO.
    void GravarVinculos(const std::string& tipo, const std::string& inscricao, int quantos,
                        const std::vector<int>& invalidos = {}, const std::string& estado = "0")
    {
        for (int i = 0; i < quantos; ++i) {
            CadastroTeste c;
            c.tipo = tipo;
            c.inscricao = inscricao;
            c.fpas = "515";
            c.admissao = c.opcao = "'" + DataIso(CodificarData(2010, 1, 4) + i) + "'";
            c.estado = estado;
            if (std::find(invalidos.begin(), invalidos.end(), i) != invalidos.end())
                c.cbo = "NULL";
            GravarCadastro(*sessao, c);
        }
    }
    std::string Flags(const std::string& onde = "1 = 1")
    {
        auto r = sessao->AbrirConsulta("SELECT IC_VALIDACAO_VINCULO, IC_ESTADO_MOVIMENTO FROM SFGTBG04_VINCULO_EMPREGATICIO "
                                       "WHERE " + onde + " ORDER BY NU_INSCRICAO, DT_ADMISSAO_VINCULO");
        std::string s;
        for (r->First(); !r->Eof(); r->Next())
            s += r->Field(0).AsString() + r->Field(1).AsString() + " ";
        return s;
    }
};

TEST_F(ValidacaoExecucao, MarcadoInconsistenteVoltaAoEstadoZeroEOsDemaisFicamComN)
{
    GravarVinculos("1", "11222333000181", 3, {1}, "1");
    TValidacaoVinculo v(*sessao);
    const TRetValidaCadastro r = v.ValidarTodos();
    EXPECT_EQ(Flags(), "N1 S0 N1 ");
    // The last link passed: the run's code is empty although one was recorded.
    EXPECT_EQ(r.Codigo, "");
    EXPECT_TRUE(r.Gravado);
    ASSERT_EQ(v.Achados().size(), 1u);
    EXPECT_EQ(v.Achados()[0].Codigo, "0017");
    EXPECT_EQ(v.Achados()[0].DataAdmissao, CodificarData(2010, 1, 5));
}

TEST_F(ValidacaoExecucao, FechadoInconsistenteSoRecebeOIndicador)
{
    GravarVinculos("1", "11222333000181", 1, {0}, "2");
    TValidacaoVinculo v(*sessao);
    v.ValidarTodos();
    EXPECT_EQ(Flags(), "S2 ");
}

TEST_F(ValidacaoExecucao, LinhaDoRegistroIdentificaVinculoResponsavelEConteudo)
{
    sessao->ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
                        "IC_ESTADO_EMPRESA) VALUES (1, 11444777000161, 'ESCRITORIO CONTABIL', 'R')");
    CadastroTeste c;
    c.cbo = "'999999'";
    GravarCadastro(*sessao, c);
    TValidacaoVinculo v(*sessao);
    v.ValidarTodos();
    auto r = sessao->AbrirConsulta(
        "SELECT NU_ARQUIVO, NU_MENSAGEM, DE_CONTEUDO_CAMPO, NU_TIPO_INSCRICAO_RSPNL_INCNA, NU_INSCRICAO_RSPNL_INCNA, "
        "NO_RAZAO_SOCIAL_RSPNL_INCNA, NU_TIPO_INSCRICAO_EMPRESA, NU_INSCRICAO_EMPRESA, NO_RAZAO_SOCIAL, "
        "CO_PIS_INCONSISTENCIA, CO_CATEGORIA_INCONSISTENCIA, NO_EMPREGADO, DT_ADMISSAO_INCONSISTENCIA "
        "FROM SFGTBG18_INCONSISTENCIA_ARQUIVO");
    ASSERT_EQ(r->RecordCount(), 1);
    EXPECT_EQ(r->Field(0).AsInteger(), 3);
    EXPECT_EQ(r->Field(1).AsInteger(), 337);
    // The register keeps the content in its fixed-width form.
    EXPECT_EQ(Aparar(r->Field(2).AsString()), "999999");
    EXPECT_EQ(r->Field(3).AsString(), "1");
    EXPECT_EQ(r->Field(4).AsString(), "11444777000161");
    EXPECT_EQ(r->Field(5).AsString(), "ESCRITORIO CONTABIL");
    EXPECT_EQ(r->Field(6).AsString(), "1");
    EXPECT_EQ(r->Field(7).AsString(), "11222333000181");
    EXPECT_EQ(r->Field(8).AsString(), "EMPRESA MODELO LTDA");
    EXPECT_EQ(r->Field(9).AsString(), "12034567899");
    EXPECT_EQ(r->Field(10).AsString(), "1");
    EXPECT_EQ(r->Field(11).AsString(), "MARIA DA SILVA");
    EXPECT_EQ(r->Field(12).AsDateTime(), CodificarData(2015, 3, 2));
}

TEST_F(ValidacaoExecucao, SemRegistroNadaEGravadoNoCadastroMasOIndicadorSim)
{
    GravarVinculos("1", "11222333000181", 2, {0});
    TValidacaoVinculo v(*sessao);
    v.Registrar = false;
    const TRetValidaCadastro r = v.ValidarTodos();
    EXPECT_FALSE(r.Gravado);
    EXPECT_EQ(Coluna(*sessao, "SELECT COUNT(*) FROM SFGTBG18_INCONSISTENCIA_ARQUIVO"), "0");
    EXPECT_EQ(Flags(), "S0 N0 ");
}

TEST_F(ValidacaoExecucao, EmpresaSoExaminaOsVinculosDela)
{
    GravarVinculos("1", "11222333000181", 2, {0});
    GravarVinculos("1", "11444777000161", 2, {0, 1});
    TValidacaoVinculo v(*sessao);
    v.ValidarEmpresa(1, 11444777000161);
    EXPECT_EQ(v.VinculosExaminados(), 2);
    EXPECT_EQ(Flags("NU_INSCRICAO = 11222333000181"), "0 0 ");
    EXPECT_EQ(Flags("NU_INSCRICAO = 11444777000161"), "S0 S0 ");
}

TEST_F(ValidacaoExecucao, ListaDoVinculoEValidadaDaPosicaoAtualAteOFim)
{
    GravarVinculos("1", "11222333000181", 3, {0, 2});
    TVinculo lista(*sessao);
    ASSERT_TRUE(lista.ListarTodos());
    lista.Proximo(); // the first row is left out
    TValidacaoVinculo v(*sessao);
    const TRetValidaCadastro r = v.ValidarCadastros(lista);
    EXPECT_TRUE(lista.Eof());
    EXPECT_EQ(v.VinculosExaminados(), 2);
    EXPECT_EQ(r.Codigo, "0017");
    EXPECT_EQ(Flags(), "0 N0 S0 ");
}

TEST_F(ValidacaoExecucao, VinculoInexistenteNaoExaminaNada)
{
    TValidacaoVinculo v(*sessao);
    const TRetValidaCadastro r = v.ValidarVinculo(1, 11222333000181, 12034567899, 1, CodificarData(2010, 1, 4));
    EXPECT_EQ(v.VinculosExaminados(), 0);
    EXPECT_EQ(r.Codigo, "");
    EXPECT_FALSE(r.Gravado);
}

// The run reads in bulk: besides one flag update per link (and one row per finding) it sends a
// fixed number of statements, however many links there are.
TEST_F(ValidacaoExecucao, ComandosNaoCrescemComOsVinculosAlemDoIndicador)
{
    GravarVinculos("1", "11222333000181", 5, {1});
    TValidacaoVinculo pequena(*sessao);
    pequena.ValidarTodos();
    const int64_t fixos5 = pequena.ComandosBanco() - 5 - 1;

    GravarVinculos("1", "11444777000161", 35, {3});
    TValidacaoVinculo grande(*sessao);
    grande.ValidarTodos();
    const int64_t fixos40 = grande.ComandosBanco() - 40 - 2;
    EXPECT_EQ(fixos40, fixos5);
    EXPECT_LT(fixos40, 40);
}

} // namespace
} // namespace drav::teste
