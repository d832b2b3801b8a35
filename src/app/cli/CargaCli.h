#pragma once
// What the terminal commands that load a file share: the progress bar, Ctrl+C as the run's
// cancel, and the findings of the inconsistency register printed as lines or JSON.
#include "Comandos.h"
#include "files/Execucao.h"

#include <csignal>
#include <iosfwd>
#include <mutex>
#include <string>
#include <vector>

namespace drav {
class TDBUtils;
}

namespace drav::cli {

// Ctrl+C while it lives asks the run to cancel (the worker stops before its next line and rolls
// back); the previous handler comes back when it ends.
class InterrupcaoCancela {
public:
    InterrupcaoCancela();
    ~InterrupcaoCancela();
    InterrupcaoCancela(const InterrupcaoCancela&) = delete;
    InterrupcaoCancela& operator=(const InterrupcaoCancela&) = delete;
    static bool Pedida();

private:
    void (*anterior_)(int);
};

// The terminal's progress sink: the bar is drawn by the worker, the only one writing to stderr
// while the run lasts. Cancelled once Ctrl+C was pressed.
class ProgressoTerminal : public IProgresso {
public:
    ProgressoTerminal(const TDescricaoProcesso& d, bool mostrar);
    void DefinirMaximo(long maximo) override;
    // The terminal bar cannot grow its maximum; the few extra steps only make it reach the end early.
    void AvancarProgresso(bool cresce) override;
    void MarcarEtapa(int etapa) override;
    bool Cancelado() const override;

private:
    const TDescricaoProcesso& descricao_;
    BarraProgresso barra_;
    bool mostrar_;
    std::mutex m_;
};

struct Achado {
    int linha;
    std::string registro, conteudo, codigo, texto;
};

// The register's rows of one file number, in the order they were recorded.
std::vector<Achado> Achados(TDBUtils& sessao, int numeroArquivo);
// One line per finding: line, record, code, text and [content].
void ImprimirAchados(std::ostream& saida, const std::vector<Achado>& achados);
// The findings as a JSON array.
std::string AchadosJson(const std::vector<Achado>& achados);

} // namespace drav::cli
