#pragma once
#include "core/Negocio.h"

#include <string>

namespace drav {

// The postal address of an establishment. It has no table of its own: its fields are columns of
// SFGTBG02_EMPRESA, loaded and written by the establishment that owns it.
//
// Its checks leave four-digit codes like every other check ("0096", "0101", "0133"), so a form
// can put its two-character prefix in front without re-formatting them.
class TEndereco : public TNegocio {
public:
    explicit TEndereco(TDBUtils& sessao) : TNegocio(sessao) {}

    std::string Logradouro;
    std::string Bairro;
    std::string Localidade;
    std::string Cep; // 8 digits, no separator
    std::string Uf;

    // The rule shared by street, district, city and company name: not empty, not beginning with a
    // blank; trimmed and upper-cased (ASCII only) it holds only blanks, digits and A-Z, never two
    // blanks in a row, and never the same letter three times in a row (digits may repeat).
    static bool TextoValido(const std::string& texto);
    // The same rule with the object's convention (clears CodigoMensagem, which it never sets).
    bool ValidarTextoEndereco(const std::string& texto);

    // Each trims its field whatever the outcome. Codes "0096", "0095", "0094".
    bool ValidarLogradouro();
    bool ValidarBairro();
    bool ValidarLocalidade();
    // "0101": fewer than 8 characters, not all digits, one of the round codes 20000000, 30000000,
    // 70000000, 80000000, all digits equal, or first five digits below 1000.
    bool ValidarCep();
    // "0132" empty; "0133" not in SFGTBT08_UNIDADE_FEDERACAO.
    bool ValidarUf();

    // Empties the fields and the message code.
    void Limpar() override;
};

} // namespace drav
