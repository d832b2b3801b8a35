#pragma once
// What several sub-commands read from the command line and write as JSON, in one place.
#include "core/Datas.h"

#include <cstdint>
#include <string>
#include <utility>

namespace drav::cli {

// A JSON string literal (quotes, backslashes and control characters escaped).
std::string Json(const std::string& texto);
// "dd/mm/yyyy" in quotes, or null for no date.
std::string DataJson(TDateTime data);

// A non-negative whole number; the usual punctuation of a typed CNPJ, CEI or PIS (". / -") is
// accepted, anything else is refused with a message naming `o_que`.
int64_t LerNumeroCli(const std::string& texto, const std::string& o_que);
// DD/MM/AAAA (or DDMMAAAA) that is a real date.
TDateTime LerDataCli(const std::string& texto, const std::string& o_que);

// An employer as the sub-commands take it: TIPO:INSCRICAO, or the bare number (14 digits a CNPJ,
// 12 a CEI). Returns the inscription type and number.
std::pair<int, int64_t> LerEmpresaCli(const std::string& texto, const std::string& opcao = "--empresa");

// A link key as the sub-commands take it: TIPO:INSCRICAO:PIS:CATEGORIA:ADMISSAO.
struct ChaveVinculoCli {
    int tipo = 0;
    int64_t inscricao = 0;
    int64_t pis = 0;
    int categoria = 0;
    TDateTime admissao = NullDate;
};
ChaveVinculoCli LerChaveVinculoCli(const std::string& texto, const std::string& opcao = "--vinculo");

} // namespace drav::cli
