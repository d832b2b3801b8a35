#include "files/Execucao.h"

#include "calc/Inconsistencia.h"
#include "core/Excecoes.h"

namespace drav {

const TDescricaoProcesso& DescricaoProcesso(int tipo)
{
    static const TDescricaoProcesso folha{"Importação de Folha de Pagamento",
                                          {"Validando arquivo", "Validando informações",
                                           "Incluindo informações na base", "Preparando visualização da tela"}};
    static const TDescricaoProcesso saldo{
        "Importação de Arquivo de Saldo Rescisório",
        {"Acessando Nexaro", "Validando Informações", "Incluindo informações na base", ""}};
    static const TDescricaoProcesso ocorrencias{
        "Importação de Arquivo Chave Identificação",
        {"Validando arquivo", "Validando Informações", "Incluindo informações na base", ""}};
    static const TDescricaoProcesso processado{
        "Importação de Arquivo Processado",
        {"Validando arquivo", "Validando Informações", "Incluindo informações na base", ""}};
    static const TDescricaoProcesso rescisorio{"Geração de arquivo DRAV", {"Calculando DRAV", "", "", ""}};
    switch (tipo) {
    case ProcessoFolha: return folha;
    case ProcessoSaldo: return saldo;
    case ProcessoOcorrencias: return ocorrencias;
    case ProcessoGuiasProcessadas: return processado;
    case ProcessoArquivoRescisorio: return rescisorio;
    default: throw ENegocio("Tipo de processo desconhecido: " + std::to_string(tipo));
    }
}

// Hands the job's reports to the caller's sink and answers Cancelado from the runner's flag, so a
// sink never has to be told about cancelling.
class TMyThread::Repasse : public IProgresso {
public:
    Repasse(IProgresso& destino, const std::atomic<bool>& cancelado) : destino_(destino), cancelado_(cancelado) {}
    void DefinirMaximo(long maximo) override { destino_.DefinirMaximo(maximo); }
    void AvancarProgresso(bool cresce) override { destino_.AvancarProgresso(cresce); }
    void MarcarEtapa(int etapa) override { destino_.MarcarEtapa(etapa); }
    bool Cancelado() const override { return cancelado_.load() || destino_.Cancelado(); }

private:
    IProgresso& destino_;
    const std::atomic<bool>& cancelado_;
};

TMyThread::TMyThread() = default;

TMyThread::~TMyThread()
{
    if (worker_.joinable())
        worker_.join();
}

bool TMyThread::Iniciar(int tipoProcesso, TTrabalhoArquivo trabalho, IProgresso& sink,
                        std::function<void(const TResultadoProcesso&)> concluir)
{
    std::lock_guard<std::mutex> trava(mutex_);
    if (emExecucao_.load())
        return false;
    if (worker_.joinable())
        worker_.join();
    DescricaoProcesso(tipoProcesso); // refuses a kind that is not a run
    tipo_ = tipoProcesso;
    trabalho_ = std::move(trabalho);
    concluir_ = std::move(concluir);
    repasse_ = std::make_unique<Repasse>(sink, cancelado_);
    cancelado_.store(false);
    concluido_.store(false);
    resultado_ = {};
    emExecucao_.store(true);
    worker_ = std::thread([this] { Executar(); });
    return true;
}

void TMyThread::Executar()
{
    TResultadoProcesso r;
    try {
        r = trabalho_(*repasse_);
    } catch (const EMensagemNaoCadastrada&) {
        r.Sucesso = false;
        r.MensagemResultado = "0396";
    } catch (const std::exception& e) {
        // The job's own clean-up already rolled back; what is left is to say it failed.
        r.Sucesso = false;
        r.MensagemResultado = "0250";
        r.Erro = MensagemEmUmaLinha(e);
    }
    r.Cancelado = r.Cancelado || cancelado_.load();
    if (r.Cancelado)
        r.Sucesso = false;
    resultado_ = r;
    if (concluir_)
        concluir_(r);
    concluido_.store(true);
    emExecucao_.store(false);
}

TResultadoProcesso TMyThread::Aguardar()
{
    if (worker_.joinable())
        worker_.join();
    return resultado_;
}

TResultadoProcesso ExecutarAteConcluir(int tipoProcesso, const TTrabalhoArquivo& trabalho, IProgresso& sink)
{
    TMyThread t;
    if (!t.Iniciar(tipoProcesso, trabalho, sink))
        throw ENegocio("Já existe um processamento em andamento.");
    return t.Aguardar();
}

} // namespace drav
