#pragma once
#include "core/Datas.h"

#include <cstdint>
#include <string>

namespace drav {

// Reading numbers and dates from forms and from the fields of interchange files. None of these
// throws for bad input: they return 0, NullDate, DataInvalida or a zero date text and, for the
// file-field readers, leave the reason in ErroCampo().

// What the last failing file-field reader of this thread left: UltimoErro is the message code
// ("0011" not a number, "0212" not a date), ValorErro the offending field text. Every reader below
// marked "field reader" empties both when it starts.
//
// One per thread: the import worker reads file fields while the window thread may format and
// check its own forms; each must see only what its own last call left, and a shared pair would be
// a data race the moment both run. The caller reads them right after its own call, on its own
// thread, which is what the loads do.
struct TErroCampo {
    std::string UltimoErro;
    std::string ValorErro;
    void Limpar()
    {
        UltimoErro.clear();
        ValorErro.clear();
    }
};
TErroCampo& ErroCampo();
inline const std::string& UltimoErro() { return ErroCampo().UltimoErro; }
inline const std::string& ValorErro() { return ErroCampo().ValorErro; }

// Decimal integer with an optional sign, blanks around it allowed; 0 when the text is not one or
// does not fit.
int StrToInteiro(const std::string& texto);
int64_t StrToInteiro64(const std::string& texto);
// Brazilian amount: every "." removed, "," as the decimal separator ("1.234,56" -> 1234.56);
// an exponent ("1,5E3") is accepted; 0 when the text is not a number.
double StrToValor(const std::string& texto);

// Order 0: day, month, year ("25/02/2005", "25022005"); order 1: "yyyymmdd". Non-digits are
// ignored. No digits, or only zeros: NullDate. Anything but exactly eight digits forming a real
// calendar date (years 1 to 9999): DataInvalida.
TDateTime StrToData(const std::string& texto, int ordem = 0);

// Field readers (empty ErroCampo first).
// Only digits: the number (an empty field reads 0). Otherwise, or when it does not fit in 32
// bits, 0 with "0011" and the text.
int LerInteiroCampo(const std::string& texto);
// Only digits: the number as an amount. Otherwise 0 with "0011".
double LerValorCampo(const std::string& texto);
// A 15-digit amount with two implied decimals ("000000000123456" -> 1234.56). Anything but
// exactly 15 digits: 0 with "0011" and the text, so a blank or damaged amount is never read
// silently as zero.
double LerValor15(const std::string& texto);
// A date field of an interchange file, as "dd/mm/yyyy":
// - blank, 7 characters or fewer, or all zeros: "00/00/0000" (no date; not an error);
// - anything but digits: "00/00/0000" with "0212";
// - year-first ("yyyymmdd"): the date, or "1" when the digits are not a real date (that "1" is
//   the whole report: ErroCampo stays empty, and callers test for it);
// - day-first ("ddmmyyyy"): the date, or "00/00/0000" with "0212" when it is not one.
// More than eight digits are never a date (they would otherwise be cut silently).
std::string DataArquivo(const std::string& texto, bool anoPrimeiro);

} // namespace drav
