#pragma once
// Listings of registrations: the employers, and the worker-name changes the user confirmed.
#include "reports/MotorRelatorio.h"

namespace drav {

class TDBUtils;

class TRelEmpresas {
public:
    explicit TRelEmpresas(TDBUtils& sessao) : sessao_(sessao) {}
    // False when no employer is registered.
    bool Preparar();
    const DocumentoRelatorio& Documento() const { return documento_; }

private:
    TDBUtils& sessao_;
    DocumentoRelatorio documento_;
};

class TRelAlteracaoCadastral {
public:
    explicit TRelAlteracaoCadastral(TDBUtils& sessao) : sessao_(sessao) {}
    // False when no confirmed change is recorded.
    bool Preparar();
    const DocumentoRelatorio& Documento() const { return documento_; }

private:
    TDBUtils& sessao_;
    DocumentoRelatorio documento_;
};

} // namespace drav
