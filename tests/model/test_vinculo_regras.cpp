// Field checks of a link, each as a table of adjustments to a link that passes them all.
#include "model/Empregado.h"
#include "model/InformacaoRescisao.h"
#include "model/Vinculo.h"

#include "core/Verificacoes.h"
#include "kit/BancoTeste.h"
#include "test_empregado_apoio.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace drav {
namespace {

using namespace teste;

const std::string kPis = "12034567899";
const int64_t kCei868 = 510000000013;
TDateTime D(int a, int m, int d) { return CodificarData(a, m, d); }

struct Caso {
    const char* descricao;
    std::function<void(TVinculo&, TEmpregado&)> ajuste;
    std::string codigo; // empty: passes
};

class VinculoRegras : public BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        ASSERT_TRUE(ValidarCEI(kCei868));
        CriarEmpresa(*sessao, 1, kCnpjA, "ACME LTDA", "515");
        CriarEmpresa(*sessao, 2, kCei868, "CASA DE FAMILIA", "868");
        CriarEmpresa(*sessao, 2, 123456789010, "OBRA CENTRO", "515");
    }

    // Runs the check on a fresh, complete link after each adjustment.
    void Conferir(const std::vector<Caso>& casos, const std::function<bool(TVinculo&)>& verificar)
    {
        for (const Caso& c : casos) {
            TEmpregado t(*sessao);
            PreencherTrabalhador(t, kPis, 1, kCnpjA);
            TVinculo& v = t.Vinculo();
            if (c.ajuste)
                c.ajuste(v, t);
            const bool ok = verificar(v);
            EXPECT_EQ(v.CodigoMensagem, c.codigo) << c.descricao;
            EXPECT_EQ(ok, c.codigo.empty()) << c.descricao;
        }
    }
};

auto Domestico(int64_t inscricao, int tipo = 2)
{
    return [=](TVinculo& v, TEmpregado&) {
        v.TipoInscricao = tipo;
        v.Inscricao = inscricao;
        v.Categoria = 6;
        v.Movimentacao = "I4";
    };
}

TEST_F(VinculoRegras, Categoria)
{
    Conferir(
        {
            {"valid", nullptr, ""},
            {"none chosen", [](TVinculo& v, TEmpregado&) { v.Categoria = -1; }, "14"},
            {"zero", [](TVinculo& v, TEmpregado&) { v.Categoria = 0; }, "15"},
            {"not in the table", [](TVinculo& v, TEmpregado&) { v.Categoria = 2; }, "0336"},
            {"domestic under a CNPJ, before any FPAS rule", Domestico(kCnpjA, 1), "0412"},
            {"domestic under a CEI without FPAS 868", Domestico(123456789010), "0424"},
            {"domestic under FPAS 868", Domestico(kCei868), ""},
            {"I4 for a non-domestic",
             [](TVinculo& v, TEmpregado&) { v.Movimentacao = "i4"; }, "0406"},
            {"FPAS 868 with another category",
             [](TVinculo& v, TEmpregado&) {
                 v.TipoInscricao = 2;
                 v.Inscricao = kCei868;
             },
             "0431"},
            {"I1 for a domestic",
             [](TVinculo& v, TEmpregado& t) {
                 Domestico(kCei868)(v, t);
                 v.Movimentacao = "I1";
             },
             "0433"},
        },
        [](TVinculo& v) { return v.ValidarCategoria(false); });
    // Table only: the employer is not consulted.
    Conferir({{"domestic under a CNPJ", Domestico(kCnpjA, 1), ""}},
             [](TVinculo& v) { return v.ValidarCategoria(true); });
}

TEST_F(VinculoRegras, CboEMovimentacao)
{
    Conferir(
        {
            {"valid", nullptr, ""},
            {"domestic needs 005121", [](TVinculo& v, TEmpregado&) { v.Categoria = 6; }, "0016"},
            {"domestic with 005121",
             [](TVinculo& v, TEmpregado&) {
                 v.Categoria = 6;
                 v.Cbo = "005121";
             },
             ""},
            {"005121 for another category", [](TVinculo& v, TEmpregado&) { v.Cbo = "005121"; }, "0390"},
            {"empty", [](TVinculo& v, TEmpregado&) { v.Cbo = "  "; }, "0017"},
            {"unknown", [](TVinculo& v, TEmpregado&) { v.Cbo = "99999'"; }, "0337"},
        },
        [](TVinculo& v) { return v.ValidarCbo(); });
    Conferir(
        {
            {"valid", nullptr, ""},
            {"L", [](TVinculo& v, TEmpregado&) { v.Movimentacao = "L"; }, ""},
            {"empty", [](TVinculo& v, TEmpregado&) { v.Movimentacao = ""; }, "0027"},
            {"unknown", [](TVinculo& v, TEmpregado&) { v.Movimentacao = "X9"; }, "0338"},
            {"I3 without balance", [](TVinculo& v, TEmpregado&) { v.Movimentacao = "I3"; }, ""},
            {"I3 with a balance for rescission purposes",
             [](TVinculo& v, TEmpregado&) {
                 v.Movimentacao = "I3";
                 v.Rescisao().VrSaldoRescisorio = 0.01;
             },
             "0483"},
        },
        [](TVinculo& v) { return v.ValidarMovimentacao(); });
}

TEST_F(VinculoRegras, DataDeAdmissao)
{
    auto admissao = [](int categoria, TDateTime d) {
        return [=](TVinculo& v, TEmpregado&) {
            v.Categoria = categoria;
            v.DataAdmissao = d;
        };
    };
    Conferir(
        {
            {"valid", nullptr, ""},
            {"before 1900", admissao(1, D(1899, 12, 31)), "0043"},
            {"empty", admissao(1, NullDate), "0039"},
            {"empty in category 2", admissao(2, NullDate), ""},
            {"unreadable", admissao(1, DataInvalida), "0046"},
            {"fixed term before the law", admissao(4, D(1998, 1, 21)), "0041"},
            {"fixed term on the day of the law", admissao(4, D(1998, 1, 22)), ""},
            {"apprentice before the law", admissao(7, D(2000, 12, 19)), "0040"},
            {"apprentice on the day of the law", admissao(7, D(2000, 12, 20)), ""},
            // The worker is checked only when asked to: see below.
            {"born after the admission", [](TVinculo&, TEmpregado& t) { t.DataNascimento = D(2016, 1, 1); }, ""},
        },
        [](TVinculo& v) { return v.ValidarDataAdmissao(false); });
    Conferir(
        {
            {"valid", nullptr, ""},
            {"born after the admission", [](TVinculo&, TEmpregado& t) { t.DataNascimento = D(2016, 1, 1); }, "0044"},
            {"born on the admission day", [](TVinculo&, TEmpregado& t) { t.DataNascimento = D(2015, 3, 2); }, "0044"},
            {"no birth date: the birth check reports it", [](TVinculo&, TEmpregado& t) { t.DataNascimento = NullDate; },
             ""},
        },
        [](TVinculo& v) { return v.ValidarDataAdmissao(true); });

    // A payroll line of the same worker admitted before the birth date.
    TArrRegRegistro registros(2);
    registros[0].TipoRegistro = "10";
    registros[1].TipoRegistro = "40";
    registros[1].Pis = kPis;
    registros[1].DataAdmissao = "01011980";
    Conferir({{"payroll line admitted before birth", nullptr, "0443"}},
             [&](TVinculo& v) { return v.ValidarDataAdmissao(true, &registros); });
    registros[1].Pis = "17012345673";
    Conferir({{"another worker's line", nullptr, ""}},
             [&](TVinculo& v) { return v.ValidarDataAdmissao(true, &registros); });

    // A stored link of the worker admitted before the birth date typed now.
    TEmpregado gravado(*sessao);
    PreencherTrabalhador(gravado, kPis, 1, kCnpjA, D(1984, 2, 1));
    gravado.DataNascimento = D(1960, 1, 1);
    ASSERT_TRUE(gravado.Incluir());
    Conferir({{"stored link before birth", nullptr, "0443"}},
             [](TVinculo& v) { return v.ValidarDataAdmissao(true); });
}

TEST_F(VinculoRegras, DataDeOpcao)
{
    auto datas = [](int categoria, TDateTime admissao, TDateTime opcao) {
        return [=](TVinculo& v, TEmpregado&) {
            v.Categoria = categoria;
            v.DataAdmissao = admissao;
            v.DataOpcao = opcao;
        };
    };
    Conferir(
        {
            {"same day after 1988", datas(1, D(1990, 10, 10), D(1990, 10, 10)), ""},
            {"a day later after 1988", datas(1, D(1990, 10, 10), D(1990, 10, 11)), "0056"},
            {"option after the constitution for an older admission", datas(1, D(1980, 1, 1), D(1990, 1, 1)), "0058"},
            {"older admission, option before the constitution", datas(1, D(1980, 1, 1), D(1985, 1, 1)), ""},
            {"unreadable", datas(1, D(1990, 10, 10), DataInvalida), "0060"},
            {"before 1900", datas(1, D(1990, 10, 10), D(1899, 1, 1)), "0382"},
            {"empty", datas(1, D(1990, 10, 10), NullDate), "0057"},
            {"empty in category 2", datas(2, D(1990, 10, 10), NullDate), ""},
            {"before the admission", datas(1, D(1990, 10, 10), D(1990, 10, 9)), "0059"},
            {"before the fund existed", datas(1, D(1960, 1, 1), D(1966, 12, 31)), "0061"},
            {"director before 1981", datas(5, D(1980, 1, 1), D(1981, 6, 1)), "0394"},
            {"fixed term before the law", datas(4, D(1998, 1, 1), D(1998, 1, 21)), "0180"},
            {"domestic before 2000", datas(6, D(2000, 1, 1), D(2000, 2, 29)), "0182"},
            {"apprentice before the law", datas(7, D(2000, 12, 1), D(2000, 12, 19)), "0181"},
            {"time of day ignored",
             datas(1, D(1990, 10, 10), CodificarDataHora(1990, 10, 10, 15, 30, 0)), ""},
        },
        [](TVinculo& v) { return v.ValidarDataOpcao(); });
}

TEST_F(VinculoRegras, DataDeMovimentacao)
{
    auto mov = [](TDateTime d) { return [=](TVinculo& v, TEmpregado&) { v.DataMovimentacao = d; }; };
    Conferir(
        {
            {"valid", nullptr, ""},
            {"unreadable", mov(DataInvalida), "0051"},
            {"before 1900", mov(D(1899, 5, 5)), "0383"},
            {"empty", mov(NullDate), "0050"},
            {"before the option",
             [](TVinculo& v, TEmpregado&) {
                 v.DataOpcao = D(2016, 1, 1);
                 v.DataMovimentacao = D(2015, 12, 31);
             },
             "0426"},
            {"before the admission, no option",
             [](TVinculo& v, TEmpregado&) {
                 v.Categoria = 2;
                 v.DataOpcao = NullDate;
                 v.DataMovimentacao = D(2015, 3, 1);
             },
             "0175"},
            {"before 16/02/1998",
             [](TVinculo& v, TEmpregado&) {
                 v.DataAdmissao = v.DataOpcao = D(1990, 1, 1);
                 v.DataMovimentacao = D(1998, 2, 15);
             },
             "0393"},
            {"on the admission day",
             [](TVinculo& v, TEmpregado&) { v.DataAdmissao = v.DataOpcao = v.DataMovimentacao = D(2000, 1, 1); },
             ""},
        },
        [](TVinculo& v) { return v.ValidarDataMovimentacao(); });

    // A balance complement after the movement month.
    TEmpregado gravado(*sessao);
    PreencherTrabalhador(gravado, kPis, 1, kCnpjA);
    ASSERT_TRUE(gravado.Incluir());
    auto complemento = [&](int ano, int mes) {
        sessao->ExecutarSQL("INSERT INTO SFGTBG07_COMPLEMENTO_SALDO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA, "
                            "VR_REMUNERACAO, VR_DEPOSITO) VALUES (1, " + std::to_string(kCnpjA) + ", " + kPis +
                            ", 1, '2015-03-02', 1, " + std::to_string(ano) + ", " + std::to_string(mes) + ", 100, 8)");
    };
    complemento(2024, 5);
    Conferir({{"complement in the movement month", nullptr, ""}},
             [](TVinculo& v) { return v.ValidarDataMovimentacao(); });
    complemento(2024, 6);
    Conferir({{"complement after the movement month", nullptr, "0441"}},
             [](TVinculo& v) { return v.ValidarDataMovimentacao(); });
}

TEST_F(VinculoRegras, AvisoPrevioEInicioDoAviso)
{
    auto aviso = [](int tipo, const char* mov = "I1") {
        return [=](TVinculo& v, TEmpregado&) {
            v.AvisoPrevio = tipo;
            v.Movimentacao = mov;
        };
    };
    Conferir({{"indemnified", nullptr, ""},
              {"worked", aviso(1), ""},
              {"indemnified with I3", aviso(2, "I3"), "0423"},
              {"none", aviso(0), "0080"},
              {"unknown", aviso(4), "0080"}},
             [](TVinculo& v) { return v.ValidarAvisoPrevio(); });

    auto inicio = [](int tipo, TDateTime d) {
        return [=](TVinculo& v, TEmpregado&) {
            v.AvisoPrevio = tipo;
            v.DataInicioAviso = d;
        };
    };
    Conferir({{"none given", nullptr, ""},
              {"worked notice from the movement date", inicio(1, D(2024, 5, 31)), ""},
              {"a day after the movement date", inicio(1, D(2024, 6, 1)), "0399"},
              {"before the admission", inicio(1, D(2015, 3, 1)), "0399"},
              {"given for indemnified notice", inicio(2, D(2024, 5, 1)), "0145"},
              {"unreadable", inicio(1, DataInvalida), "0331"},
              {"before 1900", inicio(1, D(1899, 1, 1)), "0384"}},
             [](TVinculo& v) { return v.ValidarDataInicioAviso(); });
}

TEST_F(VinculoRegras, HorasReposicaoESaque)
{
    Conferir({{"valid", nullptr, ""}, {"no hours", [](TVinculo& v, TEmpregado&) { v.HorasSemanais = 0; }, "0111"}},
             [](TVinculo& v) { return v.ValidarHorasSemanais(); });
    Conferir({{"N", nullptr, ""},
              {"lower-case s", [](TVinculo& v, TEmpregado&) { v.ReposicaoVagas = "s"; }, ""},
              {"empty", [](TVinculo& v, TEmpregado&) { v.ReposicaoVagas = " "; }, "0114"},
              {"other", [](TVinculo& v, TEmpregado&) { v.ReposicaoVagas = "X"; }, "0115"}},
             [](TVinculo& v) { return v.ValidarReposicaoVagas(); });
    auto saque = [](const char* s, const char* mov, int categoria) {
        return [=](TVinculo& v, TEmpregado&) {
            v.Saque = s;
            v.Movimentacao = mov;
            v.Categoria = categoria;
        };
    };
    Conferir({{"01 I1 1", nullptr, ""},
              {"04 I3 6", saque("04", "I3", 6), ""},
              {"empty", saque(" ", "I1", 1), "0029"},
              {"unknown code: the combination rule answers", saque("09", "I1", 1), "0480"},
              {"known code, combination not allowed", saque("04", "I1", 1), "0480"}},
             [](TVinculo& v) { return v.ValidarSaque(); });
}

TEST_F(VinculoRegras, TomadorDeServico)
{
    auto tomador = [](int tipo, int64_t numero) {
        return [=](TVinculo& v, TEmpregado&) {
            v.TipoInscricaoTomador = tipo;
            v.InscricaoTomador = numero;
        };
    };
    const std::vector<Caso> casos = {{"none", nullptr, ""},
                                     {"CNPJ", tomador(1, kCnpjB), ""},
                                     {"CEI", tomador(2, kCei868), ""}};
    Conferir(casos, [](TVinculo& v) { return v.ValidarTipoTomador() && v.ValidarInscricaoTomador(); });
    Conferir({{"type 3", tomador(3, kCnpjB), "0148"}, {"number without type", tomador(0, kCnpjB), "0148"}},
             [](TVinculo& v) { return v.ValidarTipoTomador(); });
    Conferir({{"bad CNPJ", tomador(1, kCnpjB + 1), "0069"}, {"bad CEI", tomador(2, kCei868 + 1), "0054"}},
             [](TVinculo& v) { return v.ValidarInscricaoTomador(); });
}

TEST_F(VinculoRegras, ContaBancariaTodaOuNenhuma)
{
    struct CasoBanco {
        std::string banco, agencia, conta;
        std::string codigoBanco, codigoAgencia, codigoConta;
    };
    const std::vector<CasoBanco> casos = {
        {"001", "1234", "12345", "", "", ""},
        {"", "", "", "", "", ""},
        {"1", "1234", "12345", "0032", "", ""},
        {"000", "1234", "12345", "0032", "", ""},
        {"0A1", "1234", "12345", "0032", "", ""},
        {"001", "0", "12345", "", "0023", ""},
        {"001", "12-4", "12345", "", "0023", ""},
        {"", "", "12345", "0031", "0022", "0032"},
        {"001", "", "12345", "", "0022", "0023"},
        {"001", "1234", "", "", "", "0150"},
        {"", "1234", "", "0031", "", "0150"},
        {"001", "1234", "0", "", "", "0150"},
        {"001", "1234", "12.345", "", "", "0150"}, // the column holds a number: no punctuation
    };
    for (const auto& c : casos) {
        TVinculo v(*sessao);
        v.Banco = c.banco;
        v.Agencia = c.agencia;
        v.Conta = c.conta;
        const std::string quem = c.banco + "/" + c.agencia + "/" + c.conta;
        v.ValidarBanco();
        EXPECT_EQ(v.CodigoMensagem, c.codigoBanco) << quem;
        v.ValidarAgencia();
        EXPECT_EQ(v.CodigoMensagem, c.codigoAgencia) << quem;
        v.ValidarConta();
        EXPECT_EQ(v.CodigoMensagem, c.codigoConta) << quem;
    }
}

} // namespace
} // namespace drav
