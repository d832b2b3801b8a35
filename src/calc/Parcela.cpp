#include "calc/Parcela.h"

#include "core/Formatacao.h"

#include <cmath>

namespace drav {

namespace {

// Amounts are cut toward zero to the centavo, never rounded.
double Cortar(double valor) { return TruncarDecimais(valor, 2); }

// Computed amounts are whole centavos: one is negative only when it is at least a centavo below 0.
bool NaoNegativo(double valor) { return valor * 100.0 > -0.5; }

} // namespace

TAliquotasParcela AliquotasDeposito(int categoria, TDateTime competencia)
{
    TAliquotasParcela a;
    const bool reduzida =
        categoria == 7 || (categoria == 4 && SomenteData(competencia) <= CodificarData(2003, 1, 1));
    if (reduzida) {
        a.Deposito = 0.02;
        a.ComContribuicao = 0.025;
        a.FatorComContribuicao = 0.3125; // 0.025 / 0.08
        a.FatorSemContribuicao = 0.25;   // 0.02 / 0.08
        a.Divisor = 5;
    } else {
        a.Deposito = 0.08;
        a.ComContribuicao = 0.085;
        a.FatorComContribuicao = 1.0625; // 0.085 / 0.08
        a.FatorSemContribuicao = 1;
        a.Divisor = 17;
    }
    return a;
}

TAliquotasParcela AliquotasMulta(bool contribuicaoDevida, const std::string& movimentacao)
{
    TAliquotasParcela a;
    a.Multa = true;
    if (contribuicaoDevida) {
        a.Deposito = 0.4;
        a.ComContribuicao = 0.5;
        a.ContribuicaoAtraso = 0.1;
        a.Divisor = 5;
        return a;
    }
    // The fine's index is published for the 50 % fine: without the contribution it is scaled
    // down to the share actually owed (0.4 = 0.2 / 0.5, 0.8 = 0.4 / 0.5).
    const std::string mov = MaiusculasAscii(Aparar(movimentacao));
    if (mov == "I2") {
        a.Deposito = 0.2;
        a.FatorSemContribuicao = 0.4;
    } else if (mov == "I1" || mov == "I4" || mov == "L") {
        a.Deposito = 0.4;
        a.FatorSemContribuicao = 0.8;
    } else {
        a.Formula = false;
    }
    return a;
}

void AplicarFormula(TParcela& p, double base, double indice, double indiceJam, const TAliquotasParcela& a)
{
    p.ValorDeposito = p.ValorJAM = p.ValorContribuicao = p.ValorMultaContribuicao = p.ValorMulta = 0;
    if (!a.Formula)
        return;
    const bool contribuicao = p.ContribuicaoDevida == 'S';
    const bool noPrazo = p.NoPrazo == 'S';
    // Products are cut in the order the amounts are defined; sums and differences of amounts
    // already cut are whole centavos and are only freed of binary remainders.
    if (contribuicao && noPrazo) {
        const double total = Cortar(base * a.ComContribuicao);
        p.ValorDeposito = Cortar(base * a.Deposito);
        p.ValorContribuicao = Centavos(total - p.ValorDeposito);
    } else if (contribuicao) {
        const double total = Cortar(base * indice * a.FatorComContribuicao);
        p.ValorDeposito = Cortar(base * a.Deposito);
        p.ValorContribuicao = a.Multa ? Cortar(base * a.ContribuicaoAtraso)
                                      : Centavos(Cortar(base * a.ComContribuicao) - p.ValorDeposito);
        p.ValorJAM = Cortar(p.ValorDeposito * indiceJam);
        const double restante = Centavos(total - (p.ValorDeposito + p.ValorJAM + p.ValorContribuicao));
        p.ValorMultaContribuicao = Cortar(Centavos(restante + p.ValorJAM) / a.Divisor);
        p.ValorMulta = Centavos(restante - p.ValorMultaContribuicao);
    } else if (noPrazo) {
        p.ValorDeposito = Cortar(base * a.Deposito);
    } else {
        const double total = Cortar(base * indice * a.FatorSemContribuicao);
        p.ValorDeposito = Cortar(base * a.Deposito);
        p.ValorJAM = Cortar(p.ValorDeposito * indiceJam);
        p.ValorMulta = Centavos(total - (p.ValorDeposito + p.ValorJAM));
    }
}

bool ValidarParcela(const TParcela& p)
{
    return NaoNegativo(p.ValorDeposito) && NaoNegativo(p.ValorJAM) && NaoNegativo(p.ValorContribuicao) &&
           NaoNegativo(p.ValorMultaContribuicao) && NaoNegativo(p.ValorMulta) && p.ValorBase >= 0 &&
           NaoNegativo(p.ValorBaseMulta);
}

double Centavos(double valor)
{
    if (!std::isfinite(valor))
        return valor;
    return std::round(valor * 100.0) / 100.0;
}

} // namespace drav
