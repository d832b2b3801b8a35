#pragma once
#include "core/Datas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace drav {

// Texts, amounts and dates as forms, files and listings show them. Brazilian conventions are
// fixed here (decimal ",", thousands ".", dates dd/mm/yyyy) whatever the machine's locale.
// Texts are UTF-8; widths and positions count characters, not bytes, so that a field padded here
// keeps its width when it is written out in Windows-1252.

// --- small text helpers --------------------------------------------------------------------------

// Removes blanks and control characters (anything up to ' ') from both ends.
std::string Aparar(const std::string& texto);
std::string AparaDireita(const std::string& texto);
// ASCII letters only: accented letters keep their case.
std::string MaiusculasAscii(std::string texto);
// Number of characters (UTF-8 code points; a stray byte counts as one).
std::size_t ContarCaracteres(const std::string& texto);
// The text cut into its characters.
std::vector<std::string> SepararCaracteres(const std::string& texto);

// --- amounts --------------------------------------------------------------------------------------

// The amount as the general 15-significant-digit text with "," as decimal separator
// ("1234,5", "0,29", "1E20", "1,5E-7"), which is also what TruncarDecimais cuts through.
std::string TextoGeral(double valor);
// "#,##0.00": 1234.5 -> "1.234,50". Rounded half away from zero on the 15-digit text, so an
// amount already cut to the centavo is shown as it is. Throws EConversao for NaN or infinity.
std::string FormatarValor(double valor);
// "0.00" with "." as separator, for files and SQL: 1234.5 -> "1234.50".
std::string FormatarValorPonto(double valor);
// The amount in whole centavos, rounded like FormatarValor. Throws EConversao when it is not
// finite or does not fit in 64 bits.
int64_t CentavosArredondados(double valor);
// Cut (never rounded) to that many decimals through the 15-digit text, so that 0.29, 1.15 or
// 8.2, whose binary products by 100 fall just below the whole number, keep their value.
double TruncarDecimais(double valor, int casas);

// --- identifiers ----------------------------------------------------------------------------------

// "99.999.999/9999-99" of the digits, zero-filled on the left to 14. More than 14 digits cannot
// be shown in the mask and are returned bare rather than cut.
std::string FormatarCNPJ(const std::string& texto);
// "999.99999.99-9" of the digits zero-filled to 11; empty for a blank text; bare when longer.
std::string FormatarPIS(const std::string& texto);
// Mask as the user types: kind "CNPJ" (00.000.000/0000-00) or "PIS" (000.00000.00-0); each
// separator is inserted just before the digit that follows it, so "1234" is "12.34". Anything
// but digits is ignored; digits beyond the mask are kept at the end; other kinds return the text.
std::string FormatarMascara(const std::string& digitos, const std::string& tipo);

// --- dates ----------------------------------------------------------------------------------------

// "dd/mm/yyyy"; empty when DataValida gives 1 or 2; NullDate gives "00/00/0000".
std::string FormatarData(TDateTime data);
// A date with a FormatDateTime-like pattern: d dd m mm yy yyyy h hh n nn s ss z zzz, where m/mm
// right after an hour means minutes; letters are case-insensitive; text in '...' or "..." and
// every other character are copied.
std::string FormatarDataHora(const std::string& formato, TDateTime data);
// The date in the pattern when it is above 0; otherwise empty (vazio) or "00000000".
std::string FormatarDataOuZeros(const std::string& formato, bool vazio, TDateTime data);
// (year of a - year of b) x 12 + month of a - month of b.
int MesesEntre(TDateTime a, TDateTime b);
// The pro-rata payment window of the edital: from the 10th of its month to the 9th of the next.
// Short: "10/03/2024 à 09/04/2024"; long: "(entre 10/03/2024 e 09/04/2024)". Empty when the
// edital date is not a usable date (no pro-rata table installed).
std::string TextoPeriodoProrata(TDateTime dataEdital, bool curto);

// --- padding --------------------------------------------------------------------------------------

// For texts: longer than the width gives its first width characters; shorter is padded with the
// character on the left or on the right. Never use it for numbers: a number wider than its field
// would silently lose its leading digits; use PreencherNumero.
std::string Preencher(const std::string& texto, char caractere, bool esquerda, int largura);
std::string PreencherEspacos(const std::string& texto, int largura, bool esquerda);
// A number for a fixed-width field: zero-filled on the left. Throws EConversao when the text is
// not only digits, the number is negative, or it does not fit in the width.
std::string PreencherNumero(const std::string& digitos, int largura);
std::string PreencherNumero(int64_t numero, int largura);
// Left-padded with "0" up to the width; a longer text is returned whole.
std::string CompletarZeros(const std::string& texto, int largura);

// --- small pieces ---------------------------------------------------------------------------------

std::string SoDigitos(const std::string& texto);
std::string RemoverPontos(const std::string& texto);
// The first character, or a blank for an empty text.
std::string PrimeiroCaractere(const std::string& texto);
std::string ListaInteiros(const std::vector<int64_t>& numeros);
std::string ListaInteiros(const std::vector<int>& numeros);
// The number's digits when it is above 0, else the default text.
std::string NumeroOuPadrao(const std::string& padrao, int64_t numero);
// The text when it reads as a 64-bit number above 0, else empty.
std::string TextoSePositivo(const std::string& texto);
// For each item of the list, in order: with `todos`, every occurrence of the item becomes the
// replacement; without it, the first occurrence of the replacement becomes the item (this is how
// a message's "&" placeholders are filled one by one).
std::string SubstituirVarios(const std::string& texto, const std::string& substituto, bool todos,
                             const std::vector<std::string>& lista);
// The 44-digit bar code inside a 48-digit digitable line: positions 12, 24, 36 and 48 (the block
// check digits) dropped. Empty when the text is not exactly 48 digits.
std::string RemoverDigitosLinha(const std::string& linha);

} // namespace drav
