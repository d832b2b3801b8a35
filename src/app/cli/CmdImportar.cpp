// "drav-cli importar-folha ARQUIVO": the payroll import on the shared worker, with the progress bar
// on stderr. Ctrl+C asks the import to stop before its next line; it then rolls back by itself.
#include "Apoio.h"
#include "Comandos.h"

#include "calc/Inconsistencia.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "files/Execucao.h"
#include "files/Folha.h"
#include "files/Selo.h"
#include "files/SolicitacaoSaldo.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <vector>

namespace drav::cli {
namespace {

std::atomic<bool> interrompido{false};

extern "C" void AoInterromper(int) { interrompido.store(true); }

// The terminal's progress sink: the bar is drawn by the worker, which is the only one writing to
// stderr while the import runs.
class ProgressoTerminal : public IProgresso {
public:
    ProgressoTerminal(const TDescricaoProcesso& d, bool mostrar) : descricao_(d), barra_(d.Titulo), mostrar_(mostrar) {}
    void DefinirMaximo(long maximo) override
    {
        std::lock_guard<std::mutex> t(m_);
        maximo_ = maximo;
        if (mostrar_)
            barra_.DefinirMaximo(maximo_);
    }
    void AvancarProgresso(bool cresce) override
    {
        // The terminal bar cannot grow its maximum; the few extra steps of new employers and links
        // only make it reach the end a little early.
        (void)cresce;
        std::lock_guard<std::mutex> t(m_);
        if (mostrar_)
            barra_.Avancar();
    }
    void MarcarEtapa(int etapa) override
    {
        std::lock_guard<std::mutex> t(m_);
        if (mostrar_ && etapa >= 1 && etapa <= 4 && !descricao_.Etapas[etapa - 1].empty())
            barra_.Etapa(descricao_.Etapas[etapa - 1]);
    }
    bool Cancelado() const override { return interrompido.load(); }

private:
    const TDescricaoProcesso& descricao_;
    BarraProgresso barra_;
    bool mostrar_;
    long maximo_ = 0;
    std::mutex m_;
};

struct Achado {
    int linha;
    std::string registro, conteudo, codigo, texto;
};

std::vector<Achado> Inconsistencias(TDBUtils& sessao)
{
    std::vector<Achado> r;
    TInconsistencia inc(sessao);
    inc.ConsultarFolha();
    for (inc.Primeiro(); !inc.Eof(); inc.Proximo())
        r.push_back({inc.Campo("NU_LINHA_ERRO").AsInteger(), Aparar(inc.Campo("CO_REGISTRO").AsString()),
                     AparaDireita(inc.Campo("DE_CONTEUDO_CAMPO").AsString()),
                     CompletarZeros(std::to_string(inc.Campo("NU_MENSAGEM").AsInteger()), 4),
                     inc.Campo("DE_MENSAGEM").AsString()});
    return r;
}

} // namespace

DRAV_COMANDO(RegistrarImportarFolha)
{
    static std::string arquivo;
    static bool semProgresso = false;
    static std::string solicitacao;
    auto* sub = app.add_subcommand("importar-folha", "Importa o arquivo de folha de pagamento (DRAV.re)");
    sub->add_option("arquivo", arquivo, "Arquivo de folha de pagamento")->required();
    sub->add_flag("--sem-progresso", semProgresso, "Não mostra a barra de progresso");
    sub->add_option("--solicitacao", solicitacao,
                    "Depois de importar, grava a solicitação de saldo rescisório dos trabalhadores importados "
                    "neste envelope (.KVD); sem ela, a pergunta é feita (--sim: pasta Arquivos/Solicitacao de Saldo)");
    sub->callback([&ctx] {
        ContextoAplicacao& a = ctx.Abrir();
        TDBUtils& sessao = *a.sessao;
        const TDescricaoProcesso& d = DescricaoProcesso(ProcessoFolha);
        ProgressoTerminal progresso(d, !semProgresso && !ctx.json);
        interrompido.store(false);
        auto anterior = std::signal(SIGINT, AoInterromper);
        const TResultadoProcesso r = ExecutarAteConcluir(
            ProcessoFolha, [&](IProgresso& p) { return ImportarFolha(sessao, arquivo, p); }, progresso);
        std::signal(SIGINT, anterior);
        // The payment date and the edital are read again from what the database now holds, so a
        // rolled-back import cannot leave them pointing at the file's values.
        CarregarDataPagamento(a);
        CarregarDataEdital(a);

        TMensagens& msg = ctx.Mensagens();
        if (r.Sucesso) {
            ctx.codigoSaida = 0;
            if (!ctx.json) {
                std::cerr << "\n";
                std::cout << msg.Texto("990074") << "\n";
            }
            // The balance request for the imported links: asked unless the envelope was named (a
            // terminal that cannot answer, without --sim, says No); the terminal's "dialog" takes
            // the named envelope, else the one the window would propose.
            bool pediu = false;
            std::string envelope, erro;
            if (!solicitacao.empty() ||
                msg.Mensagem("990075", mtConfirmation, Botoes::SimNao, mbYes) == mrYes) {
                pediu = true;
                TSolicitacaoSaldoRecisorio s(sessao);
                s.PastaDados = a.pasta;
                s.EscolherArquivo = [](const std::string&, const std::string& pasta, const std::string& nome) {
                    return solicitacao.empty() ? (std::filesystem::path(pasta) / nome).string() : solicitacao;
                };
                if (s.GerarSolicitacao(r.Registros)) {
                    envelope = s.Protocolo().NomeArquivo;
                    if (!ctx.json)
                        std::cout << "Solicitação de saldo rescisório gravada em " << envelope << " (identificador "
                                  << s.Protocolo().Identificador << ")\n";
                } else {
                    ctx.codigoSaida = 1;
                    erro = !DescricaoErroSelo(s.CodigoMensagem).empty() ? DescricaoErroSelo(s.CodigoMensagem)
                           : s.CodigoMensagem.empty() ? std::string("Solicitação de saldo rescisório não gravada.")
                                                      : msg.Texto("99" + s.CodigoMensagem);
                    if (!ctx.json)
                        std::cerr << erro << "\n";
                }
            }
            if (ctx.json) {
                std::cout << "{\"sucesso\":true,\"mensagem\":" << Json(msg.Texto("990074"));
                if (pediu)
                    std::cout << ",\"solicitacao\":{\"gravada\":" << (erro.empty() ? "true" : "false")
                              << ",\"envelope\":" << Json(envelope) << ",\"mensagem\":" << Json(erro) << "}";
                std::cout << "}\n";
            }
            return;
        }
        ctx.codigoSaida = r.Cancelado ? 130 : 1;
        const std::vector<Achado> achados = r.Cancelado ? std::vector<Achado>{} : Inconsistencias(sessao);
        const std::string mensagem = r.Cancelado                          ? std::string("Importação cancelada.")
                                     : r.MensagemResultado == "0396"      ? msg.Texto("990396")
                                     : !r.Erro.empty()                    ? msg.Texto("990250") + " " + r.Erro
                                                                          : msg.Texto("990209");
        if (ctx.json) {
            std::cout << "{\"sucesso\":false,\"cancelado\":" << (r.Cancelado ? "true" : "false")
                      << ",\"codigo\":" << Json(r.MensagemResultado) << ",\"mensagem\":" << Json(mensagem)
                      << ",\"inconsistencias\":[";
            for (std::size_t i = 0; i < achados.size(); ++i) {
                const Achado& x = achados[i];
                std::cout << (i ? "," : "") << "{\"linha\":" << x.linha << ",\"registro\":" << Json(x.registro)
                          << ",\"conteudo\":" << Json(x.conteudo) << ",\"codigo\":" << Json(x.codigo)
                          << ",\"texto\":" << Json(x.texto) << "}";
            }
            std::cout << "]}\n";
            return;
        }
        std::cerr << "\n" << mensagem << "\n";
        for (const Achado& x : achados)
            std::cout << "linha " << x.linha << "\tregistro " << (x.registro.empty() ? "-" : x.registro) << "\t"
                      << x.codigo << "\t" << x.texto << (x.conteudo.empty() ? "" : "\t[" + x.conteudo + "]")
                      << "\n";
    });
}

} // namespace drav::cli
