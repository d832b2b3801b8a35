#pragma once
#include "core/Datas.h"

#include <string>

namespace drav {

// The four parcels of a rescission guide, by the code each carries in the guide.
enum class TipoParcela : int {
    Anterior = 406,    // deposit on the remuneration of the month before the rescission
    Rescisao = 407,    // deposit on the remuneration of the month of the rescission
    AvisoPrevio = 408, // deposit on the indemnified notice pay
    Multa = 400,       // rescission fine
};

// One parcel: its due date, its five amounts and what they were computed from.
struct TParcela {
    TDateTime DataDevida = 0;             // NullDate when there is nothing to collect
    double ValorDeposito = 0;             // the deposit, or the fine itself
    double ValorJAM = 0;                  // interest and monetary update
    double ValorContribuicao = 0;         // social contribution
    double ValorMultaContribuicao = 0;    // late penalty and interest on the contribution
    double ValorMulta = 0;                // late penalty on the deposit
    TDateTime Competencia = 0;            // 1st of the competence month
    char ContribuicaoDevida = 0;          // 'S' / 'N'
    char NoPrazo = 0;                     // 'S' paid on or before DataDevida, 'N' late
    TDateTime VencimentoNormal = 0;       // regular due date of the competence
    double ValorBase = 0;                 // the remuneration or notice pay; for the fine, the balance
    double ValorBaseMulta = 0;            // deposit parcel: its share in the fine base; fine: the fine base
    double JAMSaldo = 0;                  // interest credited to the balance by the same calculation
    bool Calculada = false;               // computed and checked

    // The five amounts to collect.
    double Total() const
    {
        return ValorDeposito + ValorJAM + ValorContribuicao + ValorMultaContribuicao + ValorMulta;
    }
};

// The rates of one parcel. A factor of 1 is "no factor": multiplying by it changes nothing.
struct TAliquotasParcela {
    bool Formula = true;            // false: a fine that is not owed (every amount 0)
    bool Multa = false;             // the rates of the fine
    double Deposito = 0;            // share of the base that is the deposit (or the fine)
    double ComContribuicao = 0;     // deposit plus contribution, on time
    double ContribuicaoAtraso = 0;  // fine only: the contribution of a late fine, on the base
    double FatorComContribuicao = 1;
    double FatorSemContribuicao = 1;
    double Divisor = 1;             // share of the late penalty that belongs to the contribution
};

// Deposit parcels: 2 % (2.5 % with the contribution) for category 7 and for category 4 up to
// the competence of January 2003; 8 % (8.5 %) otherwise.
TAliquotasParcela AliquotasDeposito(int categoria, TDateTime competencia);
// The fine: 40 % (50 % with the contribution, which only a dismissal "I1" carries); without the
// contribution 20 % for "I2", 40 % for "I1", "I4" and "L", and no fine for any other movement.
TAliquotasParcela AliquotasMulta(bool contribuicaoDevida, const std::string& movimentacao);

// Fills the amounts of `p` from its base by the formula its two flags select. `indice` is the
// payment index and `indiceJam` the interest index (both only read for a late parcel).
void AplicarFormula(TParcela& p, double base, double indice, double indiceJam, const TAliquotasParcela& a);

// True when no amount, base or fine base of the parcel is negative. Computed amounts are judged at
// the centavo, never by the binary remainder a difference of cut amounts may carry.
bool ValidarParcela(const TParcela& p);

// An amount known to be a whole number of centavos (a sum or difference of amounts already cut)
// freed of the binary remainder the arithmetic left in it. Never used to round a product.
double Centavos(double valor);

} // namespace drav
