#pragma once
#include <exception>
#include <filesystem>
#include <string>

namespace drav {

class IApresentador;
class TDBUtils;

// Where the user was when the error happened; empty when no window or control was active.
struct ContextoErro {
    std::string form;
    std::string controle;
};

// Writes one block of LogErro.log. Never throws: a log that cannot be written is not reported.
void GravarLogErro(const std::filesystem::path& pasta, const std::string& textoUsuario, const std::exception& e,
                   const ContextoErro& contexto);

// The handler of exceptions that no command caught: rolls back what the failed command left open,
// logs and tells the user. The silent abort is neither logged nor shown.
class TTratadorExcecao {
public:
    TTratadorExcecao(std::filesystem::path pasta, IApresentador& apresentador, TDBUtils* sessao = nullptr)
        : pasta_(std::move(pasta)), apresentador_(apresentador), sessao_(sessao) {}

    void DefinirSessao(TDBUtils* sessao) { sessao_ = sessao; }
    void DefinirPasta(const std::filesystem::path& pasta) { pasta_ = pasta; }
    // The terminal has no log window at hand: there the technical text is shown too.
    void MostrarDetalhe(bool mostrar) { mostrarDetalhe_ = mostrar; }

    void TratarExcecao(const std::exception& e, const ContextoErro& contexto = {});
    // For a caught "..." (not a std::exception).
    void TratarDesconhecida(const ContextoErro& contexto = {});

    static std::string TextoUsuario(const std::exception& e);

private:
    std::filesystem::path pasta_;
    IApresentador& apresentador_;
    TDBUtils* sessao_;
    bool mostrarDetalhe_ = false;
};

} // namespace drav
