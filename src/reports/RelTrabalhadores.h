#pragma once
// Listing of the registered workers, one page per employer, with each worker's links.
#include "reports/MotorRelatorio.h"

#include <cstdint>
#include <string>
#include <vector>

namespace drav {

class TDBUtils;

// Puts the employer columns of an order list under the employer table's alias, so that the list
// the selection windows build can follow the listing's joined query. Only column names, commas
// and blanks are accepted (the order reaches SQL as text); anything else is a misuse (ENegocio).
std::string QualificarOrdemTrabalhadores(const std::string& ordem);

class TRelTrabalhadores {
public:
    // `inscricoes`: the employers to list when `todas` is false. With `todas` every worker is
    // listed, also those without any link (under an empty employer).
    TRelTrabalhadores(TDBUtils& sessao, std::vector<int64_t> inscricoes, bool todas);

    // Lays the listing out in that order (column names separated by commas). False when there is
    // nothing to list.
    bool Preparar(const std::string& ordem);
    const DocumentoRelatorio& Documento() const { return documento_; }

private:
    bool Selecionada(const std::string& inscricao) const;

    TDBUtils& sessao_;
    std::vector<int64_t> inscricoes_;
    bool todas_;
    DocumentoRelatorio documento_;
};

} // namespace drav
