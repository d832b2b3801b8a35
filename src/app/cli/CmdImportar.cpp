// "drav-cli importar-folha ARQUIVO": the payroll import on the shared worker, with the progress bar
// on stderr. Ctrl+C asks the import to stop before its next line; it then rolls back by itself.
#include "Apoio.h"
#include "CargaCli.h"
#include "Comandos.h"

#include "calc/Inconsistencia.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "files/Execucao.h"
#include "files/Folha.h"
#include "files/Selo.h"
#include "files/SolicitacaoSaldo.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <vector>

namespace drav::cli {

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
        TResultadoProcesso r;
        {
            InterrupcaoCancela ctrlC;
            r = ExecutarAteConcluir(
                ProcessoFolha, [&](IProgresso& p) { return ImportarFolha(sessao, arquivo, p); }, progresso);
        }
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
        const std::vector<Achado> achados = r.Cancelado ? std::vector<Achado>{} : Achados(sessao, InconsistenciaFolha);
        const std::string mensagem = r.Cancelado                          ? std::string("Importação cancelada.")
                                     : r.MensagemResultado == "0396"      ? msg.Texto("990396")
                                     : !r.Erro.empty()                    ? msg.Texto("990250") + " " + r.Erro
                                                                          : msg.Texto("990209");
        if (ctx.json) {
            std::cout << "{\"sucesso\":false,\"cancelado\":" << (r.Cancelado ? "true" : "false")
                      << ",\"codigo\":" << Json(r.MensagemResultado) << ",\"mensagem\":" << Json(mensagem)
                      << ",\"inconsistencias\":" << AchadosJson(achados) << "}\n";
            return;
        }
        std::cerr << "\n" << mensagem << "\n";
        ImprimirAchados(std::cout, achados);
    });
}

} // namespace drav::cli
