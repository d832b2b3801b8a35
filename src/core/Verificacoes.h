#pragma once
#include "core/Datas.h"

#include <cstdint>
#include <string>

namespace drav {

// Checks of texts, names, identifiers and dates. Letters mean the ASCII letters; case is folded
// on ASCII only. Character counts are UTF-8 characters.

// Every character is "0" to "9" (an empty text passes).
bool SoNumeros(const std::string& texto);
// Every character is a blank or an unaccented letter.
bool SoLetras(const std::string& texto);
// Exactly n characters, each "0" / each "9".
bool TodosZeros(const std::string& texto, int n);
bool TodosNoves(const std::string& texto, int n);
// Every character equals the first (empty and one-character texts pass).
bool TodosIguais(const std::string& texto);
bool SemEspacosSeguidos(const std::string& texto);
// No character, compared case-insensitively, occurs n times in a row.
bool SemRepeticao(const std::string& texto, int n);
// Not empty, first character not blank, and once trimmed and upper-cased only blanks, digits and
// A-Z, no character three times in a row and no two blanks in a row.
bool NomeValido(const std::string& texto);
// At least two words, the first and the last of two characters or more (a one-letter middle word
// is fine). Blanks around the name are ignored, so "JOSE " is not a compound name.
bool NomeComposto(const std::string& texto);
// The trimmed text is empty.
bool Vazio(const std::string& texto);
// The part occurs somewhere in the text starting after its first character; an occurrence at the
// very start does not count, a later one still does. An empty part is never contained.
bool ContidoApos(const std::string& parte, const std::string& texto);

// CNPJ check digits (modulo 11, weights 2..9). The number is zero-filled on the left to 14
// digits; it must then be exactly 14 digits and not all zeros.
bool ValidarCNPJ(const std::string& numero);
bool ValidarCNPJ(int64_t numero);
// CEI check digit (weights 7 4 1 8 5 2 1 6 3 7 4, the last two digits of the sum added). The
// number is zero-filled to 12 digits; it must then be exactly 12 digits and not all zeros.
bool ValidarCEI(const std::string& numero);
bool ValidarCEI(int64_t numero);

// 0 a usable date (also NullDate and the dates of 1900 after 01/01), 1 DataInvalida or a date
// that cannot be written as dd/mm/yyyy (after the year 9999), 2 before 1900 and 01/01/1900.
int DataValida(TDateTime data);

// A 48-digit digitable line (any non-digits are ignored first) whose four blocks carry their
// modulo-11 check digits at positions 12, 24, 36 and 48.
bool ValidarLinhaDigitavel(const std::string& texto);

} // namespace drav
