#pragma once
#include "core/Datas.h"

#include <cstdint>
#include <string>

namespace drav {

// SQL pieces shared by the link, its worker and its rescission data.

// "A.NU_TIPO_INSO_EMPRA = t AND A.NU_INSCRICAO = n AND A.NU_PIS = p AND A.NU_CATEGORIA = c AND
// A.DT_ADMISSAO_VINCULO = d" (A. only with an alias). A part that is 0, or no date, is written as
// Null and so matches nothing: a half-filled key never widens a statement to other links.
std::string SqlChaveVinculo(const std::string& alias, int tipoInscricao, int64_t inscricao, int64_t pis,
                            int categoria, TDateTime admissao);

// The columns of the link key of `a` equal to those of `b` (both aliases).
std::string SqlMesmaChave(const std::string& a, const std::string& b);

// A number typed or read as text, for SQL: its digits when it is one, else Null (so nothing typed
// by a user ever reaches a statement unquoted).
std::string SqlNumeroTexto(const std::string& texto);

// A whole number that must be written as itself even when it is 0 (states, types).
inline std::string SqlNumero(int64_t valor) { return std::to_string(valor); }

// Copies the five fields of a link key between the objects that carry one (link, rescission data,
// worker account).
template <class De, class Para>
void CopiarChaveVinculo(const De& de, Para& para)
{
    para.TipoInscricao = de.TipoInscricao;
    para.Inscricao = de.Inscricao;
    para.Pis = de.Pis;
    para.Categoria = de.Categoria;
    para.DataAdmissao = de.DataAdmissao;
}

} // namespace drav
