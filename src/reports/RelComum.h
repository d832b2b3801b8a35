#pragma once
// Pieces the listings share: the forms of inscriptions and dates they print, and the version
// line of the frame.
#include "core/Datas.h"
#include "reports/MotorRelatorio.h"

#include <string>

namespace drav {

class TDBUtils;

// The type of every listing: column titles, data, and the header's own labels and values; the
// line steps that go with them.
inline const Fonte kRotulo{7, true};
inline const Fonte kDado{7.5, false};
inline const Fonte kCabecalho{8, true};
inline const Fonte kValorCabecalho{8, false};
inline const double kPasso = AlturaLinha(7.5);
inline const double kPassoRotulo = AlturaLinha(7) + 0.2;

// Type 1 as a CNPJ, type 2 as 12 digits; any other type as stored.
std::string InscricaoPorTipo(const std::string& tipo, const std::string& numero);
// "dd/mm/yyyy", empty for no date.
std::string DataOuVazio(TDateTime data);
// "(0000)" of the area code followed by the number; empty when both are blank.
std::string TelefoneComDdd(const std::string& ddd, const std::string& telefone);
// The frame's version line: "Versão do Aplicativo: " and the version with its date.
std::string LinhaVersaoPadrao(TDBUtils& sessao);

} // namespace drav
