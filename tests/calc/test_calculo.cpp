// The rescission calculation over in-memory tables: due dates, competences, contribution flags,
// the four formula families, the fine base, and how the calculation fails.
#include "calc/Calculo.h"

#include "calc/Inconsistencia.h"
#include "test_calculo_apoio.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace drav {
namespace {

using namespace teste;

struct Valores {
    double deposito, jam, contribuicao, multaContribuicao, multa;
};

const TipoParcela kOrdem[] = {TipoParcela::Anterior, TipoParcela::Rescisao, TipoParcela::AvisoPrevio,
                              TipoParcela::Multa};

std::string Nome(TipoParcela t) { return std::to_string(static_cast<int>(t)); }

void ConferirValores(const TParcela& p, const Valores& v, const std::string& onde)
{
    EXPECT_EQ(Cent(p.ValorDeposito), Cent(v.deposito)) << onde << " depósito";
    EXPECT_EQ(Cent(p.ValorJAM), Cent(v.jam)) << onde << " JAM";
    EXPECT_EQ(Cent(p.ValorContribuicao), Cent(v.contribuicao)) << onde << " contribuição";
    EXPECT_EQ(Cent(p.ValorMultaContribuicao), Cent(v.multaContribuicao)) << onde << " multa da contribuição";
    EXPECT_EQ(Cent(p.ValorMulta), Cent(v.multa)) << onde << " multa";
}

void SemValores(const TParcela& p, const std::string& onde) { ConferirValores(p, {0, 0, 0, 0, 0}, onde); }

TEST(Calculo, ValoresDasParcelasPorFormula)
{
    struct Caso {
        const char* nome;
        std::function<void(TEntradaCalculo&)> ajuste;
        char noPrazo;
        std::array<Valores, 4> parcelas; // 406, 407, 408, 400
        double saldoMulta;
        double baseMulta;
        double total;
    };
    const TDateTime pontual = D(6, 5, 2004), atrasado = D(15, 6, 2004);
    auto dissidio = [](TDateTime pagamento) {
        return [pagamento](TEntradaCalculo& e) {
            e.DataDissidio = D(15, 6, 2004);
            e.ValorDissidio = 5000.00;
            e.RemuneracaoAnterior = 0;
            e.RemuneracaoRescisao = 0;
            e.ValorAvisoPrevio = 1000.00;
            e.DataPagamento = pagamento;
        };
    };
    const Caso casos[] = {
        {"no prazo, com contribuição", [&](TEntradaCalculo& e) { e.DataPagamento = pontual; }, 'S',
         {{{187.65, 0, 11.73, 0, 0}, {98.76, 0, 6.17, 0, 0}, {240.00, 0, 15.00, 0, 0}, {4210.56, 0, 1052.64, 0, 0}}},
         10000.00, 10526.41, 5822.51},
        {"em atraso, com contribuição", [&](TEntradaCalculo& e) { e.DataPagamento = atrasado; }, 'N',
         {{{187.65, 2.10, 11.73, 0.35, 3.57},
           {98.76, 0, 6.17, 0.09, 1.53},
           {240.00, 0, 15.00, 0.23, 3.70},
           {4211.40, 0, 1052.85, 25.99, 103.99}}},
         10000.00, 10528.51, 5965.11},
        {"no prazo, sem contribuição (SIMPLES 2, I2)",
         [&](TEntradaCalculo& e) {
             e.Simples = 2;
             e.Movimentacao = "I2";
             e.DataPagamento = pontual;
         },
         'S', {{{187.65, 0, 0, 0, 0}, {98.76, 0, 0, 0, 0}, {240.00, 0, 0, 0, 0}, {2105.28, 0, 0, 0, 0}}}, 10000.00,
         10526.41, 2631.69},
        {"em atraso, sem contribuição (SIMPLES 2, I2)",
         [&](TEntradaCalculo& e) {
             e.Simples = 2;
             e.Movimentacao = "I2";
             e.DataPagamento = atrasado;
         },
         'N',
         {{{187.65, 2.10, 0, 0, 3.57}, {98.76, 0, 0, 0, 1.52}, {240.00, 0, 0, 0, 3.70}, {2105.70, 0, 0, 0, 51.99}}},
         10000.00, 10528.51, 2694.99},
        {"em atraso, multa sem contribuição pela movimentação L",
         [&](TEntradaCalculo& e) {
             e.Movimentacao = "L";
             e.DataPagamento = atrasado;
         },
         'N',
         {{{187.65, 2.10, 11.73, 0.35, 3.57},
           {98.76, 0, 6.17, 0.09, 1.53},
           {240.00, 0, 15.00, 0.23, 3.70},
           {4211.40, 0, 0, 0, 103.98}}},
         10000.00, 10528.51, 4886.26},
        {"movimentação I3 não tem multa",
         [&](TEntradaCalculo& e) {
             e.Movimentacao = "I3";
             e.DataPagamento = atrasado;
         },
         'N',
         {{{187.65, 2.10, 11.73, 0.35, 3.57},
           {98.76, 0, 6.17, 0.09, 1.53},
           {240.00, 0, 15.00, 0.23, 3.70},
           {0, 0, 0, 0, 0}}},
         10000.00, 0, 570.88},
        {"categoria 7 em atraso, a 2 %",
         [&](TEntradaCalculo& e) {
             e.Categoria = 7;
             e.DataPagamento = atrasado;
         },
         'N',
         {{{46.91, 0.52, 11.73, 0.35, 0.90},
           {24.69, 0, 6.17, 0.09, 0.39},
           {60.00, 0, 15.00, 0.23, 0.92},
           {4052.84, 0, 1013.21, 25.01, 100.08}}},
         10000.00, 10132.12, 5359.04},
        {"categoria 4: janeiro de 2003 a 2 %, fevereiro a 8 %",
         [&](TEntradaCalculo& e) {
             e.Categoria = 4;
             e.DataMovimentacao = D(14, 2, 2003);
             e.DataPagamento = D(6, 2, 2003);
         },
         'S',
         {{{46.91, 0, 11.73, 0, 0}, {98.76, 0, 6.17, 0, 0}, {240.00, 0, 15.00, 0, 0}, {4154.26, 0, 1038.57, 0, 0}}},
         10000.00, 10385.67, 5611.40},
        {"aviso trabalhado pago no mês seguinte (atraso de 1 mês)",
         [&](TEntradaCalculo& e) {
             e.AvisoPrevio = 1;
             e.DataPagamento = D(8, 6, 2004);
         },
         'N',
         {{{187.65, 0, 11.73, 0.09, 1.54},
           {98.76, 0, 6.17, 0.03, 0.54},
           {240.00, 0, 15.00, 0.08, 1.29},
           {4210.56, 0, 1052.64, 9.10, 36.40}}},
         10000.00, 10526.41, 5871.58},
        {"vencimento no início do mês usa os índices do mês anterior",
         [&](TEntradaCalculo& e) {
             e.AvisoPrevio = 1;
             e.DataMovimentacao = D(3, 5, 2004);
             e.DataPagamento = atrasado;
         },
         'N',
         {{{187.65, 2.10, 11.73, 0.22, 1.55},
           {98.76, 1.10, 6.17, 0.12, 0.82},
           {240.00, 2.69, 15.00, 0.29, 1.97},
           {4212.92, 47.33, 1053.23, 32.76, 83.74}}},
         10000.00, 10532.30, 6000.15},
        {"dissídio no prazo", dissidio(D(6, 7, 2004)), 'S',
         {{{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {80.00, 0, 5.00, 0, 0}, {2032.00, 0, 508.00, 0, 0}}}, 5000.00, 5080.00,
         2625.00},
        {"dissídio em atraso no mês da competência (atraso de 0 mês)", dissidio(D(8, 7, 2004)), 'N',
         {{{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {80.00, 0, 5.00, 0.02, 0.45}, {2032.00, 0, 508.00, 4.51, 18.06}}},
         5000.00, 5080.00, 2648.04},
        {"saldo das contas corrigido até o edital, com os complementos",
         [&](TEntradaCalculo& e) {
             e.OrigemSaldo = "C";
             e.DataCreditoJuros = D(31, 3, 2004);
             e.DepositoComplementoSaldo = 100.50;
             e.DataPagamento = atrasado;
         },
         'N',
         {{{187.65, 2.10, 11.73, 0.35, 3.57},
           {98.76, 0, 6.17, 0.09, 1.53},
           {240.00, 0, 15.00, 0.23, 3.70},
           {4345.42, 0, 1086.35, 26.82, 107.31}}},
         10335.06, 10863.57, 6136.78},
    };

    const TTabelasIndicesMemoria tabelas = Tabelas();
    TCalculo calculo(DiasUteis(), tabelas);
    for (const Caso& c : casos) {
        TEntradaCalculo e = Dispensa();
        c.ajuste(e);
        ASSERT_TRUE(calculo.Calcular(e)) << c.nome << ": código " << calculo.CodigoErro();
        EXPECT_EQ(calculo.CodigoErro(), 0) << c.nome;
        EXPECT_TRUE(calculo.TodasCalculadas()) << c.nome;
        for (int i = 0; i < 4; ++i) {
            const TParcela& p = calculo.Parcela(kOrdem[i]);
            const std::string onde = std::string(c.nome) + " " + Nome(kOrdem[i]);
            ConferirValores(p, c.parcelas[i], onde);
            EXPECT_EQ(p.NoPrazo, c.noPrazo) << onde;
        }
        EXPECT_EQ(Cent(calculo.SaldoMulta()), Cent(c.saldoMulta)) << c.nome;
        EXPECT_EQ(Cent(calculo.ParcelaMulta().ValorBaseMulta), Cent(c.baseMulta)) << c.nome;
        EXPECT_EQ(Cent(calculo.ValorTotal()), Cent(c.total)) << c.nome;
    }
}

TEST(Calculo, ParcelaSemBaseNaoTemVencimento)
{
    const TTabelasIndicesMemoria tabelas = Tabelas();
    TCalculo calculo(DiasUteis(), tabelas);

    TEntradaCalculo e = Dispensa();
    e.ValorAvisoPrevio = 0;
    e.Movimentacao = "I3";
    ASSERT_TRUE(calculo.Calcular(e));
    EXPECT_EQ(Texto(calculo.ParcelaAnterior().DataDevida), "07/05/2004");
    EXPECT_EQ(Texto(calculo.ParcelaRescisao().DataDevida), "24/05/2004");
    EXPECT_EQ(Texto(calculo.ParcelaAvisoPrevio().DataDevida), "NullDate");
    EXPECT_TRUE(calculo.ParcelaAvisoPrevio().Calculada);
    SemValores(calculo.ParcelaAvisoPrevio(), "408");
    // No fine for I3: nothing to collect, no due date, but the link is calculated.
    EXPECT_EQ(Texto(calculo.ParcelaMulta().DataDevida), "NullDate");
    EXPECT_TRUE(calculo.ParcelaMulta().Calculada);
    SemValores(calculo.ParcelaMulta(), "400");
}

TEST(Calculo, VencimentosECompetencias)
{
    struct Caso {
        const char* nome;
        int aviso;
        TDateTime rescisao;
        TDateTime dissidio;
        const char* vencimentos[4]; // 406, 407, 408, 400
        const char* competencias[2]; // 406; the others
        const char* vencimentoNormal[2];
    };
    const Caso casos[] = {
        {"aviso não informado, rescisão depois do dia 7", 0, D(14, 5, 2004), NullDate,
         {"07/05/2004", "17/05/2004", "17/05/2004", "17/05/2004"}, {"01/04/2004", "01/05/2004"},
         {"07/05/2004", "07/06/2004"}},
        {"aviso trabalhado, rescisão antes do dia 7", 1, D(3, 5, 2004), NullDate,
         {"04/05/2004", "04/05/2004", "04/05/2004", "04/05/2004"}, {"01/04/2004", "01/05/2004"},
         {"07/05/2004", "07/06/2004"}},
        {"aviso trabalhado, dia útil seguinte passa do dia 7", 1, D(6, 8, 2004), NullDate,
         {"06/08/2004", "09/08/2004", "09/08/2004", "09/08/2004"}, {"01/07/2004", "01/08/2004"},
         {"06/08/2004", "07/09/2004"}},
        {"aviso indenizado, dez dias no mesmo mês", 2, D(14, 5, 2004), NullDate,
         {"07/05/2004", "24/05/2004", "24/05/2004", "24/05/2004"}, {"01/04/2004", "01/05/2004"},
         {"07/05/2004", "07/06/2004"}},
        {"aviso indenizado, dez dias no mês seguinte após o dia 7", 3, D(29, 3, 2004), NullDate,
         {"05/03/2004", "07/04/2004", "07/04/2004", "08/04/2004"}, {"01/02/2004", "01/03/2004"},
         {"05/03/2004", "07/04/2004"}},
        {"aviso indenizado, dez dias caem no fim do mês", 2, D(20, 3, 2004), NullDate,
         {"05/03/2004", "30/03/2004", "30/03/2004", "30/03/2004"}, {"01/02/2004", "01/03/2004"},
         {"05/03/2004", "07/04/2004"}},
        {"aviso indenizado na virada do ano", 3, D(26, 12, 2003), NullDate,
         {"05/12/2003", "05/01/2004", "05/01/2004", "05/01/2004"}, {"01/11/2003", "01/12/2003"},
         {"05/12/2003", "07/01/2004"}},
        {"dissídio depois da rescisão", 2, D(14, 5, 2004), D(15, 6, 2004),
         {"07/07/2004", "07/07/2004", "07/07/2004", "07/07/2004"}, {"01/05/2004", "01/06/2004"},
         {"07/06/2004", "07/07/2004"}},
        {"dissídio em dezembro", 1, D(20, 11, 2004), D(10, 12, 2004),
         {"07/01/2005", "07/01/2005", "07/01/2005", "07/01/2005"}, {"01/11/2004", "01/12/2004"},
         {"07/12/2004", "07/01/2005"}},
    };
    const TTabelasIndicesMemoria tabelas;
    TCalculo calculo(DiasUteis(), tabelas);
    for (const Caso& c : casos) {
        TEntradaCalculo e = Dispensa();
        e.AvisoPrevio = c.aviso;
        e.DataMovimentacao = c.rescisao;
        e.DataDissidio = c.dissidio;
        e.ValorDissidio = c.dissidio > 0 ? 500.00 : 0;
        e.DataPagamento = D(1, 3, 2003); // before every due date: no index is needed
        ASSERT_TRUE(calculo.Calcular(e)) << c.nome << ": código " << calculo.CodigoErro();
        for (int i = 0; i < 4; ++i) {
            const TParcela& p = calculo.Parcela(kOrdem[i]);
            EXPECT_EQ(Texto(p.DataDevida), c.vencimentos[i]) << c.nome << " " << Nome(kOrdem[i]);
            EXPECT_EQ(Texto(p.Competencia), c.competencias[i == 0 ? 0 : 1]) << c.nome << " " << Nome(kOrdem[i]);
            EXPECT_EQ(Texto(p.VencimentoNormal), c.vencimentoNormal[i == 0 ? 0 : 1])
                << c.nome << " " << Nome(kOrdem[i]);
        }
    }
}

TEST(Calculo, ContribuicaoDevidaEPrazo)
{
    struct Caso {
        const char* nome;
        std::function<void(TEntradaCalculo&)> ajuste;
        const char* contribuicao; // 406, 407, 408, 400
        const char* noPrazo;
    };
    auto com = [](int fpas, int tipo, int simples) {
        return [=](TEntradaCalculo& e) {
            e.Fpas = fpas;
            e.TipoInscricao = tipo;
            e.Simples = simples;
        };
    };
    auto em = [](TDateTime rescisao, TDateTime pagamento) {
        return [=](TEntradaCalculo& e) {
            e.DataMovimentacao = rescisao;
            e.DataPagamento = pagamento;
        };
    };
    const Caso casos[] = {
        {"devida em tudo", nullptr, "SSSS", "SSSS"},
        {"FPAS 868", com(868, 1, 1), "NNNN", "SSSS"},
        {"categoria 6", [](TEntradaCalculo& e) { e.Categoria = 6; }, "NNNN", "SSSS"},
        {"SIMPLES 5", com(507, 1, 5), "NNNN", "SSSS"},
        {"SIMPLES 6", com(507, 1, 6), "NNNN", "SSSS"},
        {"SIMPLES 2 fora do FPAS 604", com(507, 1, 2), "NNNS", "SSSS"},
        {"FPAS 604, CNPJ, SIMPLES 1", com(604, 1, 1), "SSSS", "SSSS"},
        {"FPAS 604, CNPJ, SIMPLES 3", com(604, 1, 3), "SSSS", "SSSS"},
        {"FPAS 604, CNPJ, SIMPLES 2", com(604, 1, 2), "NNNS", "SSSS"},
        {"FPAS 604, CNPJ, SIMPLES 4", com(604, 1, 4), "NNNS", "SSSS"},
        {"FPAS 604, CEI, SIMPLES 1", com(604, 2, 1), "NNNS", "SSSS"},
        {"FPAS 604, CEI, SIMPLES 3", com(604, 2, 3), "SSSS", "SSSS"},
        {"multa sem contribuição na I2", [](TEntradaCalculo& e) { e.Movimentacao = "I2"; }, "SSSN", "SSSS"},
        {"movimentação em minúsculas e com brancos", [](TEntradaCalculo& e) { e.Movimentacao = " i1 "; }, "SSSS",
         "SSSS"},
        {"competência de dezembro de 2001", em(D(14, 1, 2002), D(2, 1, 2002)), "NSSS", "SSSS"},
        {"rescisão em 2001", em(D(14, 12, 2001), D(3, 12, 2001)), "NNNN", "SSSS"},
        {"competência de janeiro de 2007", em(D(15, 1, 2007), D(2, 1, 2007)), "SNNS", "SSSS"},
        {"pagamento no dia do vencimento está no prazo", em(D(14, 5, 2004), D(7, 5, 2004)), "SSSS", "SSSS"},
    };
    const TTabelasIndicesMemoria tabelas;
    TCalculo calculo(DiasUteis(), tabelas);
    for (const Caso& c : casos) {
        TEntradaCalculo e = Dispensa();
        if (c.ajuste)
            c.ajuste(e);
        ASSERT_TRUE(calculo.Calcular(e)) << c.nome << ": código " << calculo.CodigoErro();
        std::string contribuicao, prazo;
        for (TipoParcela t : kOrdem) {
            contribuicao += calculo.Parcela(t).ContribuicaoDevida;
            prazo += calculo.Parcela(t).NoPrazo;
        }
        EXPECT_EQ(contribuicao, c.contribuicao) << c.nome;
        EXPECT_EQ(prazo, c.noPrazo) << c.nome;
    }
}

TEST(Calculo, SaldoDaMulta)
{
    struct Caso {
        const char* nome;
        std::function<void(TEntradaCalculo&)> ajuste;
        double saldoMulta, jamSaldo;
    };
    auto contas = [](TDateTime credito, const char* origem = "C") {
        return [=](TEntradaCalculo& e) {
            e.OrigemSaldo = origem;
            e.DataCreditoJuros = credito;
            e.DepositoComplementoSaldo = 100.50;
        };
    };
    const Caso casos[] = {
        {"contas com crédito anterior ao edital", contas(D(31, 3, 2004)), 10335.06, 234.56},
        {"contas com crédito no mês do edital", contas(D(10, 6, 2004)), 10100.50, 0},
        {"saldo informado pela empresa não é corrigido", contas(D(31, 3, 2004), "E"), 10100.50, 0},
        {"dissídio substitui o saldo",
         [&](TEntradaCalculo& e) {
             contas(D(31, 3, 2004))(e);
             e.DataDissidio = D(15, 6, 2004);
             e.ValorDissidio = 777.77;
         },
         777.77, 0},
    };
    const TTabelasIndicesMemoria tabelas = Tabelas();
    TCalculo calculo(DiasUteis(), tabelas);
    for (const Caso& c : casos) {
        TEntradaCalculo e = Dispensa();
        e.DataPagamento = D(15, 6, 2004);
        c.ajuste(e);
        calculo.Calcular(e);
        EXPECT_EQ(Cent(calculo.SaldoMulta()), Cent(c.saldoMulta)) << c.nome;
        EXPECT_EQ(Cent(calculo.JAMSaldo()), Cent(c.jamSaldo)) << c.nome;
        EXPECT_EQ(Cent(calculo.ParcelaMulta().JAMSaldo), Cent(c.jamSaldo)) << c.nome;
    }
}

// Every index the calculation needs and cannot find stops the link with 372: a missing index
// never turns into an amount (the fine on a balance stripped of its value, above all).
TEST(Calculo, IndiceFaltanteFalhaComCodigo372)
{
    struct Caso {
        const char* nome;
        std::function<void(TTabelasIndicesMemoria&)> tabelas;
        std::function<void(TEntradaCalculo&)> ajuste;
        int parcela;      // the parcel that fails; 0 the balance, before any parcel
        size_t registros; // rows left in the inconsistency register
    };
    auto atrasado = [](TEntradaCalculo& e) { e.DataPagamento = D(15, 6, 2004); };
    auto semJuros = [](TTabelasIndicesMemoria& t) {
        t.AdicionarSimplificado(D(1, 6, 2004), D(1, 4, 2004), TIndicesSimplificados{});
    };
    const Caso casos[] = {
        {"juros do saldo das contas", nullptr,
         [&](TEntradaCalculo& e) {
             atrasado(e);
             e.OrigemSaldo = "C";
             e.DataCreditoJuros = D(31, 12, 2003);
         },
         0, 1},
        {"saldo das contas sem data de crédito de juros", nullptr,
         [&](TEntradaCalculo& e) {
             atrasado(e);
             e.OrigemSaldo = "C";
         },
         0, 1},
        {"juros de parcela com dois meses de atraso", semJuros,
         [&](TEntradaCalculo& e) {
             atrasado(e);
             e.AvisoPrevio = 1;
             e.DataMovimentacao = D(3, 5, 2004);
         },
         406, 1},
        {"juros de opção anterior a 1967", nullptr,
         [&](TEntradaCalculo& e) {
             atrasado(e);
             e.DataOpcao = D(1, 12, 1966);
         },
         406, 1},
        {"índice pró-rata sem linha", nullptr, [](TEntradaCalculo& e) { e.DataPagamento = D(16, 6, 2004); }, 406,
         0},
        {"índice de guia do depósito sem linha",
         [](TTabelasIndicesMemoria& t) { t.AdicionarGuia(D(1, 6, 2004), D(24, 5, 2004), D(15, 6, 2004), {}); },
         atrasado, 407, 0},
        {"índice de guia da multa sem valor",
         [](TTabelasIndicesMemoria& t) {
             t.AdicionarGuia(D(1, 6, 2004), D(24, 5, 2004), D(15, 6, 2004), {0.081234567, std::nullopt});
         },
         atrasado, 400, 0},
        {"índice de pagamento zero",
         [](TTabelasIndicesMemoria& t) { t.AdicionarProrata(D(1, 6, 2004), D(15, 6, 2004), {0.08, 0.08, 0}); },
         atrasado, 406, 0},
    };
    for (const Caso& c : casos) {
        TTabelasIndicesMemoria tabelas = Tabelas();
        if (c.tabelas)
            c.tabelas(tabelas);
        TRegistroInconsistenciasMemoria registro;
        TCalculo calculo(DiasUteis(), tabelas, &registro);
        TEntradaCalculo e = Dispensa();
        c.ajuste(e);
        EXPECT_FALSE(calculo.Calcular(e)) << c.nome;
        EXPECT_EQ(calculo.CodigoErro(), 372) << c.nome;
        EXPECT_EQ(calculo.ParcelaComErro(), c.parcela) << c.nome;
        EXPECT_FALSE(calculo.TodasCalculadas()) << c.nome;
        EXPECT_FALSE(calculo.ParcelaMulta().Calculada) << c.nome;
        // The parcels from the failed one on hold nothing.
        bool depois = c.parcela == 0;
        for (TipoParcela t : kOrdem) {
            depois = depois || static_cast<int>(t) == c.parcela;
            if (depois) {
                EXPECT_FALSE(calculo.Parcela(t).Calculada) << c.nome << " " << Nome(t);
                SemValores(calculo.Parcela(t), std::string(c.nome) + " " + Nome(t));
            }
        }
        ASSERT_EQ(registro.Linhas.size(), c.registros) << c.nome;
        for (const TDadosInconsistencia& l : registro.Linhas) {
            EXPECT_EQ(l.NumeroArquivo, InconsistenciaFechamento) << c.nome;
            EXPECT_EQ(l.NumeroMensagem, 372) << c.nome;
            EXPECT_EQ(l.Pis, "12034567899") << c.nome;
            EXPECT_EQ(l.InscricaoEmpresa, "11222333000181") << c.nome;
            EXPECT_EQ(l.DataAdmissao, "02032000") << c.nome;
            EXPECT_EQ(l.NomeEmpregado, "MARIA DA SILVA") << c.nome;
        }
    }
}

// An amount with nothing to collect needs no index: a missing one must not stop the link.
TEST(Calculo, SemValorACobrarNaoPrecisaDeIndice)
{
    const TTabelasIndicesMemoria vazias;
    TCalculo calculo(DiasUteis(), vazias);
    TEntradaCalculo e = Dispensa();
    e.DataPagamento = D(15, 6, 2004);
    e.Movimentacao = "I3";
    e.RemuneracaoAnterior = e.RemuneracaoRescisao = e.ValorAvisoPrevio = 0;
    ASSERT_TRUE(calculo.Calcular(e)) << calculo.CodigoErro();
    EXPECT_EQ(calculo.ValorTotal(), 0);
    for (TipoParcela t : kOrdem)
        EXPECT_EQ(Texto(calculo.Parcela(t).DataDevida), "NullDate") << Nome(t);

    // The deposits have their indices; the fine I3 does not owe is not looked up.
    TTabelasIndicesMemoria semMulta = Tabelas();
    semMulta.AdicionarGuia(D(1, 6, 2004), D(24, 5, 2004), D(15, 6, 2004), {0.081234567, std::nullopt});
    TCalculo outro(DiasUteis(), semMulta);
    e = Dispensa();
    e.DataPagamento = D(15, 6, 2004);
    e.Movimentacao = "I3";
    ASSERT_TRUE(outro.Calcular(e)) << outro.CodigoErro();
    EXPECT_EQ(Cent(outro.ValorTotal()), 57088);
}

TEST(Calculo, ValorNegativoFalhaComCodigo475)
{
    struct Caso {
        const char* nome;
        std::function<void(TTabelasIndicesMemoria&)> tabelas;
        std::function<void(TEntradaCalculo&)> ajuste;
        int parcela;
    };
    const Caso casos[] = {
        {"índice de pagamento abaixo do depósito",
         [](TTabelasIndicesMemoria& t) {
             t.AdicionarGuia(D(1, 6, 2004), D(24, 5, 2004), D(15, 6, 2004), {0.05, 0.512345678});
         },
         [](TEntradaCalculo& e) { e.DataPagamento = D(15, 6, 2004); }, 407},
        {"remuneração negativa", nullptr, [](TEntradaCalculo& e) { e.RemuneracaoAnterior = -10.00; }, 406},
        {"saldo negativo", nullptr, [](TEntradaCalculo& e) { e.SaldoRescisorio = -20000.00; }, 400},
    };
    for (const Caso& c : casos) {
        TTabelasIndicesMemoria tabelas = Tabelas();
        if (c.tabelas)
            c.tabelas(tabelas);
        TCalculo calculo(DiasUteis(), tabelas);
        TEntradaCalculo e = Dispensa();
        c.ajuste(e);
        EXPECT_FALSE(calculo.Calcular(e)) << c.nome;
        EXPECT_EQ(calculo.CodigoErro(), 475) << c.nome;
        EXPECT_EQ(calculo.ParcelaComErro(), c.parcela) << c.nome;
        EXPECT_FALSE(calculo.TodasCalculadas()) << c.nome;
    }
}

// A late fine whose index adds nothing (0.5 of a base of 10 000,23) has a penalty of exactly zero:
// 5000,11 - (4000,09 + 1000,02). Summed in binary the difference is a hair below zero, which is
// no negative amount.
TEST(Calculo, DiferencaZeroNaoENegativa)
{
    TTabelasIndicesMemoria tabelas;
    tabelas.AdicionarGuia(D(1, 6, 2004), D(24, 5, 2004), D(15, 6, 2004), {0.08, 0.5});
    TCalculo calculo(DiasUteis(), tabelas);
    TEntradaCalculo e = Dispensa();
    e.RemuneracaoAnterior = e.RemuneracaoRescisao = e.ValorAvisoPrevio = 0;
    e.SaldoRescisorio = 10000.23;
    e.DataPagamento = D(15, 6, 2004);
    ASSERT_TRUE(calculo.Calcular(e)) << calculo.CodigoErro();
    ConferirValores(calculo.ParcelaMulta(), {4000.09, 0, 1000.02, 0, 0}, "400");
    EXPECT_GE(calculo.ParcelaMulta().ValorMulta, 0.0);
    EXPECT_EQ(Cent(calculo.ValorTotal()), 500011);
}

TEST(Calculo, DadosSemOsQuaisNaoHaCalculo)
{
    struct Caso {
        const char* nome;
        std::function<void(TEntradaCalculo&)> ajuste;
        int codigo;
    };
    const Caso casos[] = {
        {"sem data de pagamento", [](TEntradaCalculo& e) { e.DataPagamento = NullDate; }, 62},
        {"sem data de rescisão", [](TEntradaCalculo& e) { e.DataMovimentacao = NullDate; }, 50},
        {"tipo de aviso prévio 4", [](TEntradaCalculo& e) { e.AvisoPrevio = 4; }, 80},
        {"tipo de aviso prévio ilegível", [](TEntradaCalculo& e) { e.AvisoPrevio = -1; }, 80},
    };
    const TTabelasIndicesMemoria tabelas = Tabelas();
    TCalculo calculo(DiasUteis(), tabelas);
    for (const Caso& c : casos) {
        TEntradaCalculo e = Dispensa();
        c.ajuste(e);
        EXPECT_FALSE(calculo.Calcular(e)) << c.nome;
        EXPECT_EQ(calculo.CodigoErro(), c.codigo) << c.nome;
        EXPECT_EQ(calculo.ValorTotal(), 0) << c.nome;
        for (TipoParcela t : kOrdem)
            EXPECT_FALSE(calculo.Parcela(t).Calculada) << c.nome << " " << Nome(t);
    }
}

TEST(Calculo, CadaCalculoComecaDoZero)
{
    const TTabelasIndicesMemoria tabelas = Tabelas();
    TCalculo calculo(DiasUteis(), tabelas);
    TEntradaCalculo e = Dispensa();
    e.DataPagamento = D(15, 6, 2004);
    ASSERT_TRUE(calculo.Calcular(e));

    // The next link fails on its first parcel (no pro-rata row for 16/06): nothing of the link
    // before it may show as its result.
    TEntradaCalculo outro = Dispensa();
    outro.Pis = 12345678919;
    outro.DataPagamento = D(16, 6, 2004);
    EXPECT_FALSE(calculo.Calcular(outro));
    EXPECT_EQ(calculo.CodigoErro(), 372);
    EXPECT_EQ(calculo.ValorTotal(), 0);
    for (TipoParcela t : kOrdem) {
        EXPECT_FALSE(calculo.Parcela(t).Calculada) << Nome(t);
        SemValores(calculo.Parcela(t), Nome(t));
        EXPECT_EQ(calculo.Parcela(t).ValorBaseMulta, 0) << Nome(t);
    }

    // And a success after a failure carries no error.
    ASSERT_TRUE(calculo.Calcular(e));
    EXPECT_EQ(calculo.CodigoErro(), 0);
    EXPECT_EQ(calculo.ParcelaComErro(), 0);
    EXPECT_EQ(Cent(calculo.ValorTotal()), 596511);
}

TEST(Calculo, MotoresComTabelasDiferentesSaoIndependentes)
{
    const TTabelasIndicesMemoria tabelasA = Tabelas();
    TTabelasIndicesMemoria tabelasB = Tabelas();
    tabelasB.AdicionarGuia(D(1, 6, 2004), D(24, 5, 2004), D(15, 6, 2004), {0.0825, 0.512345678});
    TCalculo a(DiasUteis(), tabelasA);
    TCalculo b(DiasUteis(), tabelasB);
    TEntradaCalculo e = Dispensa();
    e.DataPagamento = D(15, 6, 2004);

    for (int volta = 0; volta < 2; ++volta) {
        ASSERT_TRUE(a.Calcular(e));
        ASSERT_TRUE(b.Calcular(e));
        ConferirValores(a.ParcelaRescisao(), {98.76, 0, 6.17, 0.09, 1.53}, "motor A 407");
        ConferirValores(a.ParcelaAvisoPrevio(), {240.00, 0, 15.00, 0.23, 3.70}, "motor A 408");
        ConferirValores(b.ParcelaRescisao(), {98.76, 0, 6.17, 0.19, 3.09}, "motor B 407");
        ConferirValores(b.ParcelaAvisoPrevio(), {240.00, 0, 15.00, 0.46, 7.50}, "motor B 408");
        EXPECT_EQ(Cent(a.ValorTotal()), 596511);
        EXPECT_EQ(Cent(b.ValorTotal()), 597080);
    }

    // A calendar where 24/05/2004 is a holiday moves that engine's due dates, and only its own.
    std::vector<TDateTime> dias;
    for (TDateTime d = D(1, 1, 2004); d <= D(31, 12, 2004); d += 1)
        if (DiasUteis().EhDiaUtil(d) && d != D(24, 5, 2004))
            dias.push_back(d);
    const TCalendarioMemoria feriado(dias);
    TCalculo c(feriado, tabelasA);
    e.DataPagamento = D(6, 5, 2004);
    ASSERT_TRUE(c.Calcular(e));
    ASSERT_TRUE(a.Calcular(e));
    EXPECT_EQ(Texto(c.ParcelaMulta().DataDevida), "21/05/2004");
    EXPECT_EQ(Texto(a.ParcelaMulta().DataDevida), "24/05/2004");
}

} // namespace
} // namespace drav
