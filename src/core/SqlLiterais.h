#pragma once
#include "core/Datas.h"

#include <cstdint>
#include <string>

namespace drav {

// Values written into SQL text. Every value that reaches a statement goes through one of these:
// texts quoted with their quotes doubled, empty values as Null.

// 'text' with inner quotes doubled; the text is quoted untrimmed, but a blank text is Null.
std::string SqlTexto(const std::string& texto);
// 'S' or 'N'.
std::string SqlSimNao(bool valor);
// The decimal digits; Null for 0.
std::string SqlInteiro(int32_t valor);
std::string SqlInteiro64(int64_t valor);
// The general 15-significant-digit form with "." as separator (1234.5, 1E20); Null for 0.
// Throws EConversao for NaN or infinity, which no column can hold.
std::string SqlValor(double valor);
// 'yyyy-mm-dd', 'yyyy-mm-dd hh:mm:ss' or 'yyyy-mm-dd hh:mm:ss.zzz'; NULL for NullDate (and any
// day before it). DataInvalida, a text that was not a date, is refused with EConversao instead
// of being stored as the real day it would encode (02/04/0257); so is a date outside the years
// 1 to 9999 or one that is not a number.
std::string SqlData(TDateTime data, bool somenteData = true, bool milissegundos = false);

} // namespace drav
