#pragma once
// The shared runner of long file jobs: one worker thread, a progress sink the job reports to, and
// a cancel flag the job reads before each line. Windows and the terminal implement the sink; the
// job itself never touches either (nor the cursor): everything it shows goes through the sink.
#include "model/RegRegistro.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace drav {

// Which run a progress window is showing.
enum TipoProcesso : int {
    ProcessoFolha = 1,             // payroll import
    ProcessoSaldo = 2,             // rescission-balance file
    ProcessoOcorrencias = 3,       // identification-key occurrences
    ProcessoGuiasProcessadas = 4,  // processed guides
    ProcessoArquivoRescisorio = 6, // rescission-file generation
};

// Caption and step texts of each run; an empty step is not shown.
struct TDescricaoProcesso {
    std::string Titulo;
    std::string Etapas[4];
};
// ENegocio for a kind that is not a run.
const TDescricaoProcesso& DescricaoProcesso(int tipo);

// Steps: 1 to 4 mark a step running, 5 to 8 mark steps 1 to 4 done.
enum EtapaProgresso : int {
    EtapaValidandoArquivo = 1,
    EtapaValidandoInformacoes = 2,
    EtapaIncluindo = 3,
    EtapaArvore = 4,
    EtapaConcluida = 4, // add to a step to mark it done
};

// What a job reports while it runs, called on the worker thread.
class IProgresso {
public:
    virtual ~IProgresso() = default;
    virtual void DefinirMaximo(long maximo) = 0;
    // With `cresce` the maximum grows by one before the position advances.
    virtual void AvancarProgresso(bool cresce) = 0;
    virtual void MarcarEtapa(int etapa) = 0;
    // Read before each line; a job that sees it set stops and undoes its own transaction.
    virtual bool Cancelado() const = 0;
};

// A sink that shows nothing and is cancelled only when told.
class TProgressoNulo : public IProgresso {
public:
    void DefinirMaximo(long maximo) override { Maximo = maximo; }
    void AvancarProgresso(bool cresce) override
    {
        if (cresce)
            ++Maximo;
        ++Posicao;
    }
    void MarcarEtapa(int) override {}
    bool Cancelado() const override { return cancelado.load(); }
    long Maximo = 0, Posicao = 0;
    std::atomic<bool> cancelado{false};
};

// How a run ended, for the completion step.
struct TResultadoProcesso {
    bool Sucesso = false;
    bool Cancelado = false;
    std::string MensagemResultado; // message code the file object left; empty when none
    std::string Erro;              // text of an unexpected failure, for the error log
    // The lines the run read (a payroll import's), for a completion step that offers more work
    // on them, such as requesting the imported links' balances.
    TArrRegRegistro Registros;
};

// The job of one run. It receives a sink whose Cancelado answers the runner's flag.
using TTrabalhoArquivo = std::function<TResultadoProcesso(IProgresso&)>;

// One worker thread for one run at a time. Iniciar starts the job on the worker; Cancelar only
// sets the flag (the job stops before its next line and rolls back itself, so nobody else ever
// touches the session while a statement runs); Concluir is called on the worker when the job ends,
// for the caller to hand the completion step over to its own thread.
class TMyThread {
public:
    TMyThread();
    TMyThread(const TMyThread&) = delete;
    TMyThread& operator=(const TMyThread&) = delete;
    ~TMyThread(); // waits for a running job

    // False (nothing started) when a job is already running. `sink` must outlive the job.
    bool Iniciar(int tipoProcesso, TTrabalhoArquivo trabalho, IProgresso& sink,
                 std::function<void(const TResultadoProcesso&)> concluir = {});
    void Cancelar() { cancelado_.store(true); }
    bool Cancelado() const { return cancelado_.load(); }
    bool EmExecucao() const { return emExecucao_.load(); }
    bool Concluido() const { return concluido_.load(); }
    // Waits for the worker and answers how the run ended.
    TResultadoProcesso Aguardar();
    int TipoProcesso() const { return tipo_; }

private:
    class Repasse;
    void Executar();

    int tipo_ = 0;
    TTrabalhoArquivo trabalho_;
    std::unique_ptr<Repasse> repasse_;
    std::function<void(const TResultadoProcesso&)> concluir_;
    std::atomic<bool> cancelado_{false}, emExecucao_{false}, concluido_{false};
    TResultadoProcesso resultado_;
    std::mutex mutex_;
    std::thread worker_;
};

// Runs a job on a TMyThread and waits for it: the command line's way, with the given sink.
TResultadoProcesso ExecutarAteConcluir(int tipoProcesso, const TTrabalhoArquivo& trabalho, IProgresso& sink);

} // namespace drav
