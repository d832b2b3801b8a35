// Identifier checks: "drav-cli verificar cnpj|cei|cpf|pis NUMERO".
#include "Comandos.h"

#include "core/Utilitarios.h"
#include "model/DocumentosTrabalhador.h"

#include <iostream>

namespace drav::cli {
namespace {

// The usual punctuation of a typed number is accepted; anything else stays and fails.
std::string SemPontuacao(const std::string& numero)
{
    std::string s;
    for (char c : numero)
        if (c != '.' && c != '/' && c != '-')
            s += c;
    return s;
}

} // namespace
} // namespace drav::cli

DRAV_COMANDO(RegistrarVerificar)
{
    static std::string tipo, numero;
    auto* sub = app.add_subcommand("verificar", "Confere os dígitos verificadores de um CNPJ, CEI, CPF ou PIS/PASEP");
    sub->add_option("tipo", tipo, "cnpj, cei, cpf ou pis")
        ->required()
        ->check(CLI::IsMember({"cnpj", "cei", "cpf", "pis"}));
    sub->add_option("numero", numero, "O número, com ou sem pontuação")->required();
    sub->footer("Saída: \"valido\" (código 0) ou \"invalido\" (código 1).");
    sub->callback([&ctx] {
        const std::string digitos = drav::cli::SemPontuacao(numero);
        bool valido;
        if (tipo == "cpf")
            // A blank CPF is "not informed" for a worker, but as an answer here it is no CPF at all.
            valido = !drav::Vazio(digitos) && drav::CpfValido(digitos);
        else if (tipo == "pis")
            valido = drav::PisValido(digitos);
        else
            valido = tipo == "cnpj" ? drav::ValidarCNPJ(digitos) : drav::ValidarCEI(digitos);
        std::cout << (valido ? "valido" : "invalido") << "\n";
        ctx.codigoSaida = valido ? 0 : 1;
    });
}
