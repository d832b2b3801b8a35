#include "Comandos.h"

#include "core/Excecoes.h"
#include "store/CriacaoBanco.h"

#include <unistd.h>

#include <iostream>

namespace drav::cli {

std::vector<Registrador>& Registradores()
{
    static std::vector<Registrador> r;
    return r;
}

int ApresentadorTerminal::Mostrar(const DialogoMensagem& d)
{
    std::cerr << d.titulo << ": " << d.texto << "\n";
    const bool pergunta = (d.botoes & (Botoes::Sim | Botoes::Nao)) == (Botoes::Sim | Botoes::Nao);
    if (!pergunta) {
        if (d.botoes & Botoes::OK)
            return mrOk;
        for (const auto& b : TabelaBotoes())
            if (d.botoes & b.bit)
                return b.resultado;
        return mrOk;
    }
    if (respostaFixa)
        return respostaFixa;
    if (isatty(STDIN_FILENO)) {
        std::cerr << "[s/n] " << std::flush;
        std::string r;
        if (std::getline(std::cin, r) && !r.empty() && (r[0] == 's' || r[0] == 'S'))
            return mrYes;
        return mrNo;
    }
    std::cerr << "(sem resposta: use --sim ou --nao; assumido Não)\n";
    return mrNo;
}

void ApresentadorTerminal::MostrarErroSistema(const std::string& texto, const std::string& titulo)
{
    std::cerr << titulo << ": " << texto << "\n";
}

ContextoAplicacao& ContextoCli::Abrir()
{
    if (app)
        return *app;
    auto novo = std::make_unique<ContextoAplicacao>();
    novo->pasta = PastaDados();
    novo->banco = banco;
    if (!tratador) {
        tratador = std::make_unique<TTratadorExcecao>(novo->pasta, apresentador);
        tratador->MostrarDetalhe(true);
    }
    if (!Conectar(*novo, apresentador, *tratador, [](TDBUtils& s) { VerificarVersaoBanco(s); }))
        throw EAbortarSilencioso();
    tratador->DefinirSessao(novo->sessao.get());
    app = std::move(novo);
    return *app;
}

TMensagens& ContextoCli::Mensagens()
{
    if (!mensagens)
        mensagens = std::make_unique<TMensagens>(Abrir().sessao.get(), apresentador);
    return *mensagens;
}

BarraProgresso::~BarraProgresso()
{
    if (ultimoPercentual_ >= 0 && isatty(STDERR_FILENO))
        std::cerr << "\n";
}

void BarraProgresso::DefinirMaximo(long maximo)
{
    maximo_ = maximo;
    atual_ = 0;
    ultimoPercentual_ = -1;
    Desenhar();
}

void BarraProgresso::Avancar(long passos)
{
    atual_ += passos;
    Desenhar();
}

void BarraProgresso::Etapa(const std::string& texto)
{
    etapa_ = texto;
    ultimoPercentual_ = -1;
    Desenhar();
}

void BarraProgresso::Desenhar()
{
    // Into a file or a pipe a redrawn bar is only noise: there each step gets one line.
    static const bool terminal = isatty(STDERR_FILENO);
    if (!terminal) {
        if (ultimoPercentual_ < 0) {
            std::cerr << titulo_ << (etapa_.empty() ? "" : " - " + etapa_) << "\n";
            ultimoPercentual_ = 0;
        }
        return;
    }
    const int pct = maximo_ > 0 ? static_cast<int>(std::min(100L, atual_ * 100 / maximo_)) : 0;
    if (pct == ultimoPercentual_)
        return;
    ultimoPercentual_ = pct;
    const int largura = 30;
    const int cheio = pct * largura / 100;
    std::cerr << "\r" << titulo_;
    if (!etapa_.empty())
        std::cerr << " - " << etapa_;
    std::cerr << " [" << std::string(cheio, '#') << std::string(largura - cheio, '.') << "] " << pct << "%"
              << std::flush;
}

} // namespace drav::cli
