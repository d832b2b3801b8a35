// "drav-cli carregar-saldo ARQUIVO": the bank's rescission-balance file loaded on the shared
// worker, with the progress bar on stderr. Ctrl+C asks the load to stop before its next line; it
// then rolls back by itself. Accounts of links already closed are offered afterwards: --sim stores
// them all, --nao (or a terminal that cannot answer) leaves them.
#include "Apoio.h"
#include "CargaCli.h"
#include "Comandos.h"

#include "calc/Inconsistencia.h"
#include "calc/Indices.h"
#include "core/Datas.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "files/CargaSaldo.h"
#include "files/Execucao.h"

#include <iostream>
#include <vector>

namespace drav::cli {
namespace {

std::string Inscricao(int tipo, int64_t inscricao)
{
    return tipo == 1 ? FormatarCNPJ(std::to_string(inscricao)) : CompletarZeros(std::to_string(inscricao), 12);
}

const char* TextoDesfecho(ResultadoConfirmacao r)
{
    switch (r) {
    case ResultadoConfirmacao::Gravado: return "gravado";
    case ResultadoConfirmacao::GravadoComPendencia: return "gravado com pendência";
    case ResultadoConfirmacao::Falhou: return "falhou";
    }
    return "";
}

} // namespace

DRAV_COMANDO(RegistrarCarregarSaldo)
{
    static std::string arquivo;
    static bool semProgresso = false;
    auto* sub = app.add_subcommand("carregar-saldo", "Carrega o arquivo de saldo rescisório devolvido pelo banco");
    sub->add_option("arquivo", arquivo, "Arquivo de saldo rescisório")->required();
    sub->add_flag("--sem-progresso", semProgresso, "Não mostra a barra de progresso");
    sub->footer("As contas de vínculos já fechados, enviados ou pagos são oferecidas depois da carga: --sim grava "
                "todas, --nao as deixa de lado.");
    sub->callback([&ctx] {
        ContextoAplicacao& a = ctx.Abrir();
        TDBUtils& sessao = *a.sessao;
        TMensagens& msg = ctx.Mensagens();
        TArqCargaSaldo carga(sessao);
        carga.Caminho = arquivo;
        carga.DataCarga = Agora();
        ProgressoTerminal progresso(DescricaoProcesso(ProcessoSaldo), !semProgresso && !ctx.json);
        TResultadoProcesso r;
        {
            InterrupcaoCancela ctrlC;
            r = ExecutarAteConcluir(
                ProcessoSaldo, [&](IProgresso& p) { return ProcessarCargaSaldo(carga, p); }, progresso);
        }
        if (!ctx.json && !semProgresso)
            std::cerr << "\n";

        if (r.Cancelado) {
            ctx.codigoSaida = 130;
            if (ctx.json)
                std::cout << "{\"sucesso\":false,\"cancelado\":true,\"mensagem\":" << Json("Carga cancelada.")
                          << "}\n";
            else
                std::cerr << "Carga cancelada; nada foi gravado.\n";
            return;
        }

        // Accounts of links not open: listed, then the one question the window would ask.
        std::string codigo = r.MensagemResultado;
        bool sucesso = r.Sucesso;
        std::vector<TVinculoPendente> vinculos;
        std::string confirmacao, erroConfirmacao;
        if (carga.Pendente && r.Erro.empty() && codigo != "0396") {
            vinculos = AgruparPendentes(sessao, carga.Pendentes);
            if (!ctx.json) {
                std::cout << "Contas de vínculos já fechados, enviados ou pagos:\n";
                for (const TVinculoPendente& v : vinculos)
                    std::cout << "  " << Inscricao(v.TipoInscricao, v.Inscricao) << "\t"
                              << FormatarPIS(std::to_string(v.Pis)) << "\t" << v.NomeCadastrado << "\t"
                              << DataParaTexto(v.DataAdmissao) << "\tcategoria "
                              << CompletarZeros(std::to_string(v.Categoria), 2) << "\testado " << v.Estado << "\t"
                              << v.Contas.size() << " conta(s)\n";
            }
            const bool sim = msg.MensagemParametros("CT0000", mtConfirmation, Botoes::SimNao, {}, mbNo,
                                                    "Confirmar dados?") == mrYes;
            bool gravou = false;
            if (sim) {
                const TTabelasIndicesBanco tabelas(sessao);
                const ResultadoConfirmacao c =
                    ConfirmarContasPendentes(sessao, tabelas, a.DataEdital, vinculos, &erroConfirmacao);
                confirmacao = TextoDesfecho(c);
                gravou = c != ResultadoConfirmacao::Falhou;
                if (c == ResultadoConfirmacao::GravadoComPendencia) {
                    codigo = "0253";
                    sucesso = false;
                }
                if (c == ResultadoConfirmacao::Falhou) {
                    ctx.codigoSaida = 1;
                    if (!ctx.json)
                        std::cerr << msg.Texto("CT0144") << " " << erroConfirmacao << "\n";
                }
                if (gravou && codigo == "0402")
                    codigo = "0253";
            } else {
                confirmacao = "cancelado";
            }
            if (!carga.AlgoGravado)
                MarcarSolicitacaoSaldo(sessao, carga.IdentificadorSolicitacao, gravou || !sim);
        }

        const bool falhouConfirmacao = confirmacao == "falhou";
        ctx.codigoSaida = sucesso && !falhouConfirmacao ? 0 : 1;
        const std::vector<Achado> achados = sucesso || !r.Erro.empty() || codigo == "0396"
                                                ? std::vector<Achado>{}
                                                : Achados(sessao, InconsistenciaSaldo);
        std::string mensagem;
        if (sucesso)
            mensagem = "Saldos rescisórios carregados.";
        else if (codigo == "0396")
            mensagem = msg.Texto("CT0396");
        else if (!r.Erro.empty())
            mensagem = msg.Texto("CT0250") + " " + r.Erro;
        else
            mensagem = msg.Texto("CT" + codigo);
        if (confirmacao == "cancelado")
            mensagem += " As contas dos vínculos já fechados não foram gravadas.";
        if (ctx.json) {
            std::cout << "{\"sucesso\":" << (sucesso ? "true" : "false") << ",\"cancelado\":false,\"codigo\":"
                      << Json(sucesso ? std::string() : codigo) << ",\"mensagem\":" << Json(mensagem)
                      << ",\"contasGravadas\":" << (carga.AlgoGravado ? "true" : "false")
                      << ",\"identificador\":" << Json(carga.IdentificadorSolicitacao) << ",\"pendentes\":[";
            for (std::size_t i = 0; i < vinculos.size(); ++i) {
                const TVinculoPendente& v = vinculos[i];
                std::cout << (i ? "," : "") << "{\"inscricao\":" << Json(Inscricao(v.TipoInscricao, v.Inscricao))
                          << ",\"pis\":" << Json(std::to_string(v.Pis)) << ",\"nome\":" << Json(v.NomeCadastrado)
                          << ",\"admissao\":" << DataJson(v.DataAdmissao) << ",\"categoria\":" << v.Categoria
                          << ",\"estado\":" << v.Estado << ",\"contas\":" << v.Contas.size() << "}";
            }
            std::cout << "],\"confirmacao\":" << (confirmacao.empty() ? std::string("null") : Json(confirmacao));
            if (!erroConfirmacao.empty())
                std::cout << ",\"erroConfirmacao\":" << Json(erroConfirmacao);
            std::cout << ",\"inconsistencias\":" << AchadosJson(achados) << "}\n";
            return;
        }
        if (sucesso)
            std::cout << mensagem << "\n";
        else
            std::cerr << mensagem << "\n";
        ImprimirAchados(std::cout, achados);
    });
}

} // namespace drav::cli
