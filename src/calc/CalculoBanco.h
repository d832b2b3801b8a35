#pragma once
#include "core/Datas.h"

#include <string>

namespace drav {

class TCalculo;
class TDBUtils;
class TInformacaoRescisao;
struct TEntradaCalculo;

// The calculation of links stored in the database: reading a link into the calculation's input,
// and storing the calculated parcels in its rescission row.

// Payment date of the open collection (SFGTBG01_ABERTURA_RECOLHIMENTO); NullDate when no
// collection is open.
TDateTime LerDataPagamento(TDBUtils& sessao);

// Fills `entrada` for the link whose key it carries (the payment date is left as it is). When the
// balance comes from the worker's accounts, the interest-credit date is that of the account with
// the lowest bank number among those not in situation 3. False, with `entrada` untouched, when the
// link or its rescission row does not exist.
bool CarregarEntradaCalculo(TDBUtils& sessao, TEntradaCalculo& entrada);

// The statement that stores a successful calculation in the link's SFGTBG06_INFORMACAO_RESCISAO
// row: the balance's interest, then per parcel (month before, month of the rescission, notice
// pay, fine) the due date, deposit, interest, penalty, contribution and penalty on the
// contribution.
std::string SqlGravarCalculo(const TCalculo& calculo, const TEntradaCalculo& entrada);

// Loads the link of `entrada`'s key, calculates it for `entrada.DataPagamento` and stores the
// result. Returns ValorTotal, or -1.0 with nothing stored when the link does not exist, the
// calculation failed (CodigoErro tells why) or the row could not be updated. `recarregar`, when
// given, is reloaded from the database afterwards so that the caller sees the stored values.
double CalcularGravar(TCalculo& calculo, TDBUtils& sessao, TEntradaCalculo& entrada,
                      TInformacaoRescisao* recarregar = nullptr);

// Loads and calculates without storing. False when the link does not exist (the engine is then
// left empty, CodigoErro 0) or the calculation failed.
bool CalcularVinculo(TCalculo& calculo, TDBUtils& sessao, TEntradaCalculo& entrada);

} // namespace drav
