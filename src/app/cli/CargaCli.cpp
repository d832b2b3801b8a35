#include "CargaCli.h"

#include "Apoio.h"
#include "calc/Inconsistencia.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"

#include <atomic>
#include <ostream>

namespace drav::cli {

namespace {

std::atomic<bool> interrompido{false};

extern "C" void AoInterromper(int) { interrompido.store(true); }

} // namespace

InterrupcaoCancela::InterrupcaoCancela()
{
    interrompido.store(false);
    anterior_ = std::signal(SIGINT, AoInterromper);
}

InterrupcaoCancela::~InterrupcaoCancela() { std::signal(SIGINT, anterior_); }

bool InterrupcaoCancela::Pedida() { return interrompido.load(); }

ProgressoTerminal::ProgressoTerminal(const TDescricaoProcesso& d, bool mostrar)
    : descricao_(d), barra_(d.Titulo), mostrar_(mostrar)
{
}

void ProgressoTerminal::DefinirMaximo(long maximo)
{
    std::lock_guard<std::mutex> t(m_);
    if (mostrar_)
        barra_.DefinirMaximo(maximo);
}

void ProgressoTerminal::AvancarProgresso(bool)
{
    std::lock_guard<std::mutex> t(m_);
    if (mostrar_)
        barra_.Avancar();
}

void ProgressoTerminal::MarcarEtapa(int etapa)
{
    std::lock_guard<std::mutex> t(m_);
    if (mostrar_ && etapa >= 1 && etapa <= 4 && !descricao_.Etapas[etapa - 1].empty())
        barra_.Etapa(descricao_.Etapas[etapa - 1]);
}

bool ProgressoTerminal::Cancelado() const { return InterrupcaoCancela::Pedida(); }

std::vector<Achado> Achados(TDBUtils& sessao, int numeroArquivo)
{
    std::vector<Achado> r;
    TInconsistencia inc(sessao);
    inc.FiltroArquivo = std::to_string(numeroArquivo);
    inc.ConsultarPorArquivo();
    for (inc.Primeiro(); !inc.Eof(); inc.Proximo())
        r.push_back({inc.Campo("NU_LINHA_ERRO").AsInteger(), Aparar(inc.Campo("CO_REGISTRO").AsString()),
                     AparaDireita(inc.Campo("DE_CONTEUDO_CAMPO").AsString()),
                     CompletarZeros(std::to_string(inc.Campo("NU_MENSAGEM").AsInteger()), 4),
                     inc.Campo("DE_MENSAGEM").AsString()});
    return r;
}

void ImprimirAchados(std::ostream& saida, const std::vector<Achado>& achados)
{
    for (const Achado& x : achados)
        saida << "linha " << x.linha << "\tregistro " << (x.registro.empty() ? "-" : x.registro) << "\t" << x.codigo
              << "\t" << x.texto << (x.conteudo.empty() ? "" : "\t[" + x.conteudo + "]") << "\n";
}

std::string AchadosJson(const std::vector<Achado>& achados)
{
    std::string s = "[";
    for (std::size_t i = 0; i < achados.size(); ++i) {
        const Achado& x = achados[i];
        s += (i ? "," : "") + std::string("{\"linha\":") + std::to_string(x.linha) + ",\"registro\":" +
             Json(x.registro) + ",\"conteudo\":" + Json(x.conteudo) + ",\"codigo\":" + Json(x.codigo) +
             ",\"texto\":" + Json(x.texto) + "}";
    }
    return s + "]";
}

} // namespace drav::cli
