#pragma once
#include <stdexcept>
#include <string>

namespace drav {

// Root of the system's exceptions; the class name is what the error log records.
class EDrav : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    virtual const char* NomeClasse() const { return "EDrav"; }
};

// Business rule broken or a business object misused.
class ENegocio : public EDrav {
public:
    using EDrav::EDrav;
    const char* NomeClasse() const override { return "ENegocio"; }
};

// Any failure reported by the database or its client library.
class EBancoDados : public EDrav {
public:
    EBancoDados(const std::string& mensagem, long codigoSql = 0) : EDrav(mensagem), CodigoSql(codigoSql) {}
    const char* NomeClasse() const override { return "EDatabaseError"; }
    long CodigoSql;
};

// A value that could not be converted (field of the wrong kind, text that is not a number).
class EConversao : public EDrav {
public:
    using EDrav::EDrav;
    const char* NomeClasse() const override { return "EConvertError"; }
};

// Ends a command after it has shown its own message: never logged, never shown again.
class EAbortarSilencioso : public EDrav {
public:
    EAbortarSilencioso() : EDrav("Operação abortada") {}
    const char* NomeClasse() const override { return "EAbort"; }
};

// Class name for the error log, also for exceptions that are not ours.
const char* NomeClasseExcecao(const std::exception& e);

// An exception's message on one line (the database reports several), so each log entry keeps its
// one-line-per-field layout.
std::string MensagemEmUmaLinha(const std::exception& e);

} // namespace drav
