// Checks of the amounts declared for a link's rescission.
#include "model/Empregado.h"
#include "model/InformacaoRescisao.h"
#include "model/Vinculo.h"

#include "kit/BancoTeste.h"
#include "test_empregado_apoio.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace drav {
namespace {

using namespace teste;

TDateTime D(int a, int m, int d) { return CodificarData(a, m, d); }

struct Caso {
    const char* descricao;
    std::function<void(TVinculo&, TInformacaoRescisao&)> ajuste;
    std::string codigo;
};

class RescisaoRegras : public BancoTeste {
protected:
    void Conferir(const std::vector<Caso>& casos, const std::function<bool(TInformacaoRescisao&)>& verificar)
    {
        for (const Caso& c : casos) {
            TEmpregado t(*sessao);
            t.CarregaRelacionados = false;
            PreencherTrabalhador(t, "12034567899", 1, kCnpjA);
            TVinculo& v = t.Vinculo();
            TInformacaoRescisao& r = v.Rescisao();
            if (c.ajuste)
                c.ajuste(v, r);
            const bool ok = verificar(r);
            EXPECT_EQ(r.CodigoMensagem, c.codigo) << c.descricao;
            EXPECT_EQ(ok, c.codigo.empty()) << c.descricao;
        }
    }
};

TEST_F(RescisaoRegras, DataEValorDoDissidio)
{
    auto data = [](TDateTime d) { return [=](TVinculo&, TInformacaoRescisao& r) { r.DtDissidio = d; }; };
    Conferir({{"none", nullptr, ""},
              {"a day after the movement", data(D(2024, 6, 1)), ""},
              {"on the movement date", data(D(2024, 5, 31)), "0409"},
              {"before the admission", data(D(2015, 3, 1)), "0047"},
              {"before 1900", data(D(1899, 12, 31)), "0472"},
              {"unreadable", data(DataInvalida), "0048"}},
             [](TInformacaoRescisao& r) { return r.ValidarDataDissidio(); });

    auto dissidio = [](double valor, TDateTime d, const char* origem = "N", const char* mov = "I1") {
        return [=](TVinculo& v, TInformacaoRescisao& r) {
            r.VrDissidio = valor;
            r.DtDissidio = d;
            r.OrigemSaldo = origem;
            v.Movimentacao = mov;
        };
    };
    Conferir({{"none", nullptr, ""},
              {"amount and date", dissidio(150, D(2024, 6, 10)), ""},
              {"amount without date", dissidio(150, NullDate), "0191"},
              {"negative amount without date", dissidio(-1, NullDate), "0191"},
              {"with movement I3", dissidio(150, D(2024, 6, 10), "N", "I3"), "0444"},
              {"with a balance from the accounts", dissidio(150, D(2024, 6, 10), "C"), "0482"},
              {"with a balance informed by the employer", dissidio(150, D(2024, 6, 10), "E"), "0482"},
              {"an empty origin reads as none", dissidio(150, D(2024, 6, 10), ""), ""},
              {"date without amount", dissidio(0, D(2024, 6, 10)), "0136"}},
             [](TInformacaoRescisao& r) { return r.ValidarValorDissidio(); });
}

TEST_F(RescisaoRegras, PensaoAlimenticia)
{
    auto pensao = [](const char* tipo, double valor) {
        return [=](TVinculo&, TInformacaoRescisao& r) {
            r.TipoPensao = tipo;
            r.VrPensaoAlmna = valor;
        };
    };
    Conferir({{"N", nullptr, ""},
              {"p", pensao("p", 10), ""},
              {"V", pensao("V", 10), ""},
              {"empty", pensao(" ", 0), "0081"},
              {"other", pensao("X", 0), "82"}},
             [](TInformacaoRescisao& r) { return r.ValidarTipoPensao(); });
    Conferir({{"P 30", pensao("P", 30), ""}, {"P 0", pensao("P", 0), "0183"}, {"V 0", pensao("V", 0), ""}},
             [](TInformacaoRescisao& r) { return r.ValidarPensaoPercentual(); });
    Conferir({{"P 100", pensao("P", 100), ""},
              {"P 100.01", pensao("P", 100.01), "0378"},
              {"p 0", pensao("p", 0), "0183"},
              {"V 500", pensao("V", 500), ""}},
             [](TInformacaoRescisao& r) { return r.ValidarLimitePensaoPercentual(); });
    Conferir({{"V 500", pensao("V", 500), ""}, {"V 0", pensao("V", 0), "0210"}, {"P 0", pensao("P", 0), ""}},
             [](TInformacaoRescisao& r) { return r.ValidarPensaoValor() && r.ValidarPensaoValorInformado(); });

    // "None" clears a value left in the field by the forms' checks, not by the file readers'.
    TEmpregado t(*sessao);
    t.CarregaRelacionados = false;
    TInformacaoRescisao& r = t.Vinculo().Rescisao();
    r.TipoPensao = "N";
    r.VrPensaoAlmna = 40;
    EXPECT_TRUE(r.ValidarPensaoValorInformado());
    EXPECT_TRUE(r.ValidarLimitePensaoPercentual());
    EXPECT_DOUBLE_EQ(r.VrPensaoAlmna, 40);
    EXPECT_TRUE(r.ValidarPensaoPercentual());
    EXPECT_DOUBLE_EQ(r.VrPensaoAlmna, 0);
}

TEST_F(RescisaoRegras, AvisoPrevioIndenizado)
{
    auto aviso = [](int tipo, double valor, const char* mov = "I1", int categoria = 1) {
        return [=](TVinculo& v, TInformacaoRescisao& r) {
            v.AvisoPrevio = tipo;
            v.Movimentacao = mov;
            v.Categoria = categoria;
            r.VrAvisoPrevio = valor;
        };
    };
    Conferir({{"indemnified with pay", nullptr, ""},
              {"indemnified without pay", aviso(2, 0), "0391"},
              {"worked with pay", aviso(1, 100), "0392"},
              {"absence with pay", aviso(3, 100), "0392"},
              {"worked with pay and I3", aviso(1, 100, "I3"), "0428"},
              {"worked without pay", aviso(1, 0), ""},
              {"below the minimum at 8%", aviso(2, 0.12), "0448"},
              {"on the minimum at 8%", aviso(2, 0.13), ""},
              {"below the minimum at 2% (apprentice)", aviso(2, 0.49, "I1", 7), "0447"},
              {"no rate for the category: no minimum to hold it to", aviso(2, 0.01, "I1", 2), ""}},
             [](TInformacaoRescisao& r) { return r.ValidarAvisoPrevioIndenizado(); });
}

TEST_F(RescisaoRegras, Remuneracoes)
{
    // Category 4 paid 2% up to 01/2003 (minimum 0.50) and 8% from 02/2003 (minimum 0.13).
    auto remuneracoes = [](double anterior, double rescisao, TDateTime movimento, int categoria = 4) {
        return [=](TVinculo& v, TInformacaoRescisao& r) {
            v.Categoria = categoria;
            v.DataAdmissao = v.DataOpcao = D(2002, 1, 7);
            v.DataMovimentacao = movimento;
            r.VrRemuneracaoAnteriorRscso = anterior;
            r.VrRemuneracaoRescisao = rescisao;
        };
    };
    Conferir({{"valid", nullptr, ""},
              {"previous month at 8%", remuneracoes(0.20, 0.20, D(2003, 3, 31)), ""},
              {"previous month still at 2%", remuneracoes(0.20, 0.20, D(2003, 2, 15)), "0447"},
              {"with a dissídio",
               [](TVinculo&, TInformacaoRescisao& r) { r.DtDissidio = D(2024, 6, 10); }, "0186"},
              {"admitted in the rescission month",
               [](TVinculo& v, TInformacaoRescisao&) { v.DataAdmissao = v.DataOpcao = D(2024, 5, 2); }, "0425"},
              {"admitted in the month and below the minimum",
               [](TVinculo& v, TInformacaoRescisao& r) {
                   v.DataAdmissao = v.DataOpcao = D(2024, 5, 2);
                   r.VrRemuneracaoAnteriorRscso = 0.05;
               },
               "0448"}},
             [](TInformacaoRescisao& r) { return r.ValidarRemuneracaoAnterior(); });
    Conferir({{"valid", nullptr, ""},
              {"rescission month at 8%", remuneracoes(0.20, 0.20, D(2003, 2, 15)), ""},
              {"rescission month at 2%", remuneracoes(0.20, 0.20, D(2003, 1, 31)), "0447"},
              {"with a dissídio", [](TVinculo&, TInformacaoRescisao& r) { r.DtDissidio = D(2024, 6, 10); }, "0187"}},
             [](TInformacaoRescisao& r) { return r.ValidarRemuneracaoRescisao(); });

    auto zerado = [](const char* mov) {
        return [=](TVinculo& v, TInformacaoRescisao& r) {
            v.Movimentacao = mov;
            r.VrRemuneracaoAnteriorRscso = r.VrRemuneracaoRescisao = r.VrAvisoPrevio = 0;
        };
    };
    auto soComplementos = [&](TVinculo& v, TInformacaoRescisao& r) {
        zerado("I1")(v, r);
        r.VrDepositoCmploSaldo = 10;
    };
    Conferir({{"valid", nullptr, ""},
              {"nothing to collect", zerado("I1"), "0225"},
              {"only complement deposits", soComplementos, ""},
              {"I3 is the other check's", zerado("I3"), ""}},
             [](TInformacaoRescisao& r) { return r.ValidarTotalRemuneracoes(); });
    Conferir({{"I3 without any remuneration", zerado("I3"), "0455"}, {"I1", zerado("I1"), ""}},
             [](TInformacaoRescisao& r) { return r.ValidarRemuneracoesI3(true); });
    Conferir({{"I3 without any remuneration", zerado("I3"), "0225"}},
             [](TInformacaoRescisao& r) { return r.ValidarRemuneracoesI3(false); });
}

TEST_F(RescisaoRegras, AliquotaVigenteDizQuandoNenhumaSeAplica)
{
    TInformacaoRescisao r(*sessao);
    TAliquota a;
    r.Categoria = 4;
    ASSERT_TRUE(r.AliquotaVigente(true, a, D(2003, 1, 31)));
    EXPECT_DOUBLE_EQ(a.Aliquota, 2);
    EXPECT_DOUBLE_EQ(a.Minimo, 0.50);
    ASSERT_TRUE(r.AliquotaVigente(false, a, D(2003, 2, 1)));
    EXPECT_DOUBLE_EQ(a.Aliquota, 8);
    EXPECT_DOUBLE_EQ(a.Minimo, 0.03);

    a = {99, 99};
    r.Categoria = 6; // domestic workers have rates only from 03/2000
    EXPECT_FALSE(r.AliquotaVigente(true, a, D(2000, 2, 29)));
    EXPECT_DOUBLE_EQ(a.Aliquota, 0);
    EXPECT_DOUBLE_EQ(a.Minimo, 0);
    r.Categoria = 2;
    EXPECT_FALSE(r.AliquotaVigente(true, a, D(2024, 5, 31)));
    EXPECT_FALSE(r.AliquotaVigente(true, a, NullDate));
}

} // namespace
} // namespace drav
