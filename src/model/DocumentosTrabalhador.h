#pragma once
#include <string>

namespace drav {

// Check digits of the worker's own identifiers. Both take the bare digits as typed or read from a
// file; punctuation is the caller's to remove.

// PIS/PASEP/NIT: 11 digits, not one digit repeated, not a reserved number, the first ten digits
// between 1000000001 and 2999999999, and the modulo-11 check digit (weights 3 2 9 8 7 6 5 4 3 2).
bool PisValido(const std::string& pis);

// CPF: 11 digits, not zero, and its two modulo-11 check digits. A blank CPF is "not informed"
// and passes; eleven equal digits other than zero pass too, their check digits being consistent.
bool CpfValido(const std::string& cpf);

} // namespace drav
