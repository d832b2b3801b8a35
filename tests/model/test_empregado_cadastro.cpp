// The whole registration checked in the entry form's order, and the balance a save carries.
#include "model/CadastroTrabalhador.h"
#include "model/Empregado.h"
#include "model/InformacaoRescisao.h"
#include "model/Vinculo.h"

#include "kit/BancoTeste.h"
#include "test_empregado_apoio.h"

#include <gtest/gtest.h>

#include <functional>

namespace drav {
namespace {

using namespace teste;

const std::string kPis = "12034567899";

class CadastroTrabalhador : public BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        CriarEmpresa(*sessao, 1, kCnpjA, "ACME LTDA");
    }

    TFalhaCadastro Validar(const std::function<void(TEmpregado&, TVinculo&, TInformacaoRescisao&)>& ajuste)
    {
        TEmpregado t(*sessao);
        PreencherTrabalhador(t, kPis, 1, kCnpjA);
        if (ajuste)
            ajuste(t, t.Vinculo(), t.Vinculo().Rescisao());
        return ValidarCadastroTrabalhador(t);
    }
};

TEST_F(CadastroTrabalhador, PrimeiraFalhaNaOrdemDoFormularioEOCampoQueElaAponta)
{
    EXPECT_FALSE(Validar(nullptr).Falhou());

    struct Caso {
        const char* descricao;
        std::function<void(TEmpregado&, TVinculo&, TInformacaoRescisao&)> ajuste;
        std::string codigo;
        CampoCadastro campo;
    };
    const std::vector<Caso> casos = {
        {"PIS before name", [](auto& t, auto&, auto&) { t.Pis = "1"; t.Nome = "X1"; }, "0109", CampoCadastro::Pis},
        {"I4 for a non-domestic points at the movement", [](auto&, auto& v, auto&) { v.Movimentacao = "I4"; }, "0406",
         CampoCadastro::Movimentacao},
        {"empty admission", [](auto&, auto& v, auto&) { v.DataAdmissao = NullDate; }, "0039",
         CampoCadastro::DataAdmissao},
        {"born after the admission",
         [](auto& t, auto&, auto&) { t.DataNascimento = CodificarData(2016, 1, 1); }, "0044",
         CampoCadastro::DataAdmissao},
        {"unreadable option", [](auto&, auto& v, auto&) { v.DataOpcao = DataInvalida; }, "0060",
         CampoCadastro::DataOpcao},
        {"empty movement date", [](auto&, auto& v, auto&) { v.DataMovimentacao = NullDate; }, "0050",
         CampoCadastro::DataMovimentacao},
        {"no service taker: its type is not checked", [](auto&, auto& v, auto&) { v.InscricaoTomador = 5; }, "",
         CampoCadastro::Nenhum},
        {"unreadable dissídio date", [](auto&, auto&, auto& r) { r.DtDissidio = DataInvalida; }, "0048",
         CampoCadastro::DataDissidio},
        {"I3 without remunerations focuses the first zero",
         [](auto&, auto& v, auto& r) {
             v.Movimentacao = "I3";
             v.Saque = "04";
             v.AvisoPrevio = 1;
             r.VrRemuneracaoAnteriorRscso = r.VrRemuneracaoRescisao = r.VrAvisoPrevio = 0;
         },
         "0225", CampoCadastro::RemuneracaoAnterior},
        {"percentage pension without value", [](auto&, auto&, auto& r) { r.TipoPensao = "P"; }, "0183",
         CampoCadastro::ValorPensao},
    };
    for (const auto& c : casos) {
        const TFalhaCadastro f = Validar(c.ajuste);
        EXPECT_EQ(f.Codigo, c.codigo) << c.descricao;
        EXPECT_EQ(f.Campo, c.campo) << c.descricao;
    }
}

TEST_F(CadastroTrabalhador, SaldoEOrigemGravados)
{
    TEmpregado t(*sessao);
    PreencherTrabalhador(t, kPis, 1, kCnpjA);
    ASSERT_TRUE(t.Incluir());
    TVinculo& v = t.Vinculo();
    TInformacaoRescisao& r = v.Rescisao();
    auto contas = [&] { return SaldoDasContas(*sessao, 1, kCnpjA, std::stoll(kPis), 1, v.DataAdmissao); };

    DefinirSaldoRescisorio(r, contas(), 0);
    EXPECT_EQ(r.OrigemSaldo, "N");
    EXPECT_DOUBLE_EQ(r.VrSaldoRescisorio, 0);
    DefinirSaldoRescisorio(r, contas(), 4321.09);
    EXPECT_EQ(r.OrigemSaldo, "E");
    EXPECT_DOUBLE_EQ(r.VrSaldoRescisorio, 4321.09);

    CriarConta(*sessao, 1, kCnpjA, kPis, 1, v.DataAdmissao, 1, 1000, 1);
    CriarConta(*sessao, 1, kCnpjA, kPis, 1, v.DataAdmissao, 2, 900, 2);
    CriarConta(*sessao, 1, kCnpjA, kPis, 1, v.DataAdmissao, 3, 0, 0, 3);
    const TSaldoContas s = contas();
    EXPECT_TRUE(s.TemContas);
    EXPECT_DOUBLE_EQ(s.Soma, 1000);
    DefinirSaldoRescisorio(r, s, 4321.09);
    EXPECT_EQ(r.OrigemSaldo, "C") << "the bank's accounts win over a typed balance";
    EXPECT_DOUBLE_EQ(r.VrSaldoRescisorio, 1000);
}

TEST_F(CadastroTrabalhador, ComplementosDoVinculo)
{
    TEmpregado t(*sessao);
    PreencherTrabalhador(t, kPis, 1, kCnpjA);
    ASSERT_TRUE(t.Incluir());
    EXPECT_FALSE(VinculoTemComplementos(t.Vinculo()));
    sessao->ExecutarSQL("INSERT INTO SFGTBG07_COMPLEMENTO_SALDO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                        "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA, "
                        "VR_REMUNERACAO, VR_DEPOSITO) VALUES (1, " + std::to_string(kCnpjA) + ", " + kPis +
                        ", 1, '2015-03-02', 1, 2020, 5, 1000, 80)");
    sessao->ExecutarSQL("UPDATE SFGTBG06_INFORMACAO_RESCISAO SET VR_DEPOSITO_CMPLO_SALDO = 80");
    EXPECT_TRUE(VinculoTemComplementos(t.Vinculo()));
    ExcluirComplementosDoVinculo(t.Vinculo());
    EXPECT_FALSE(VinculoTemComplementos(t.Vinculo()));
    EXPECT_EQ(Contar(*sessao, "SFGTBG06_INFORMACAO_RESCISAO", "VR_DEPOSITO_CMPLO_SALDO IS NULL"), 1);
}

} // namespace
} // namespace drav
