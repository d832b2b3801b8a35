#pragma once
// How drav-cli sub-commands are added: one file per command family in src/app/cli/, each with
//
//   DRAV_COMANDO(RegistrarVerificar) {
//       auto* sub = app.add_subcommand("verificar", "...");
//       sub->callback([&ctx] { ctx.codigoSaida = ...; });
//   }
//
// The callback runs after parsing; an exception leaving it is printed on stderr and the program
// exits with 1. ctx.Abrir() connects to the data folder's database (throws with a clear text).

#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "core/TratadorErros.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <memory>
#include <string>

namespace drav::cli {

// Messages go to stderr; questions take the --sim / --nao answer, else ask on a terminal,
// else are answered No (a batch job never consents by default).
class ApresentadorTerminal : public IApresentador {
public:
    int respostaFixa = 0; // mrYes, mrNo or 0 to ask
    int Mostrar(const DialogoMensagem& d) override;
    void MostrarErroSistema(const std::string& texto, const std::string& titulo) override;
};

struct ContextoCli {
    std::string pasta;  // --pasta
    std::string banco;  // --banco
    bool json = false;  // --json
    bool sim = false, nao = false;
    int codigoSaida = 0;

    ApresentadorTerminal apresentador;
    std::unique_ptr<TTratadorExcecao> tratador;
    std::unique_ptr<ContextoAplicacao> app;
    std::unique_ptr<TMensagens> mensagens;

    std::filesystem::path PastaDados() const { return ResolverPastaDados(pasta); }
    // Connects once to the data folder's database, as the window program does at start-up.
    ContextoAplicacao& Abrir();
    TMensagens& Mensagens();
};

using Registrador = std::function<void(CLI::App&, ContextoCli&)>;
std::vector<Registrador>& Registradores();

struct RegistroComando {
    explicit RegistroComando(Registrador r) { Registradores().push_back(std::move(r)); }
};

// A terminal progress bar on stderr for long jobs.
class BarraProgresso {
public:
    explicit BarraProgresso(std::string titulo) : titulo_(std::move(titulo)) {}
    ~BarraProgresso();
    void DefinirMaximo(long maximo);
    void Avancar(long passos = 1);
    void Etapa(const std::string& texto);

private:
    void Desenhar();
    std::string titulo_;
    std::string etapa_;
    long maximo_ = 0, atual_ = 0;
    int ultimoPercentual_ = -1;
};

} // namespace drav::cli

#define DRAV_COMANDO(nome)                                                                                   \
    static void nome(CLI::App& app, ::drav::cli::ContextoCli& ctx);                                          \
    static ::drav::cli::RegistroComando registro_##nome(nome);                                               \
    static void nome([[maybe_unused]] CLI::App& app, [[maybe_unused]] ::drav::cli::ContextoCli& ctx)
