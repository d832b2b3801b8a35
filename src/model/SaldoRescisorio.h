#pragma once
#include <string>

namespace drav {

class TDBUtils;

// How a link's balance for rescission purposes is formed from the worker's FGTS accounts loaded
// from the bank's balance file. One rule, whoever asks:
//
// - the accounts that exist for the link are those in an account situation other than 3 (the
//   situation every balance query leaves out);
// - the balance is the sum of those accounts whose PIS situation is 1 (situation 2 means the name
//   the bank holds differs from the worker's and is not counted until that is settled);
// - a link with such accounts gets origin "C" and that sum; a link whose balance came from its
//   accounts ("C") and that has none left falls back to "N" with no balance and no interest;
//   a balance the employer informed ("E") is the employer's and stays as it is while the link has
//   no accounts;
// - closed links (states 2 and 3) keep the balance their rescission file was computed with.
//
// `filtroVinculos` narrows the rescission rows (alias INFO) to those whose accounts changed; it is
// mandatory, so no caller can sweep every link of every employer by accident. Returns the number of
// rows updated; database errors propagate.
int64_t AtualizarSaldosPorContas(TDBUtils& sessao, const std::string& filtroVinculos);

} // namespace drav
