#pragma once
#include "core/Datas.h"

#include <cstdint>
#include <functional>
#include <string>

namespace drav {

// Collection guide bar code (44 digits) and its digitable line (48 digits).

// Check digit of a run of digits: weights 2..9 from the rightmost digit, restarting at 2;
// a remainder of 0 or 1 gives 0, any other remainder r gives 11 - r.
// Throws EConversao on a character that is not a digit.
int DigitoModulo11(const std::string& digitos);

// Clock used for the free field. The bar code waits one second before it reads the time, so two
// guides built one after the other never share the seconds of their free field; tests inject a
// fixed time and a wait that returns at once.
struct TRelogioCodigoBarras {
    std::function<TDateTime()> Agora;
    std::function<void()> AguardarUmSegundo;
};
TRelogioCodigoBarras RelogioDoSistema();

// The 17-digit free field for the given moment: day of the year (3), last digit of the year (1),
// seconds since midnight (5), characters 2 to 8 of the inscription written as 14 digits (7), "2".
// A CEI (12 digits) therefore contributes the zero added in front plus its first six digits.
std::string CampoLivre(int64_t inscricao, TDateTime agora);

// "858" + general check digit + amount in centavos (11) + "0239" + collection date YYYYMMDD + free
// field. The inscription type does not enter the code. Throws ENegocio when the amount is negative
// or does not fit in 11 digits of centavos, when the date is not a calendar date of years 1 to
// 9999, or when the inscription has more than 14 digits: a longer code would corrupt the record
// that carries it.
std::string MontarCodigoBarras(int tipoInscricao, int64_t inscricao, TDateTime dataRecolhimento, double valor,
                               const TRelogioCodigoBarras& relogio = RelogioDoSistema());

// The four 11-digit blocks of a 44-digit code, each followed by its check digit.
// Empty when the text is not exactly 44 digits.
std::string LinhaDigitavel(const std::string& codigo);

// Only the four block check digits of LinhaDigitavel, in block order.
// Throws EConversao when the text is not exactly 44 digits.
std::string DigitosBlocos(const std::string& codigo);

} // namespace drav
