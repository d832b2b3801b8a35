// The navigation tree and the participation of links in the open collection:
//   drav-cli arvore [--movimento]
//   drav-cli participacao marcar|desmarcar|retirar-fechamento [--empresa INSC | --vinculo KEY | --todos]
//   drav-cli abertura [--data DD/MM/AAAA | --retirar]
// Questions take the --sim / --nao answer; without one a batch job answers No.
#include "Apoio.h"
#include "Comandos.h"

#include "calc/Inconsistencia.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "files/Arvore.h"
#include "files/Participacao.h"

#include <charconv>
#include <iostream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace drav::cli {
namespace {

// TIPO:INSCRICAO, or the bare number (14 digits a CNPJ, 12 a CEI).
int LocalizarEmpresa(const TArvore& a, const std::string& texto)
{
    const auto [tipo, inscricao] = LerEmpresaCli(texto);
    const int i = a.LocalizarEmpresa(tipo, inscricao);
    if (i < 0)
        throw std::invalid_argument("Empregador não encontrado: " + texto);
    return i;
}

// TIPO:INSCRICAO:PIS:CATEGORIA:ADMISSAO
int LocalizarVinculo(const TArvore& a, const std::string& texto)
{
    const ChaveVinculoCli c = LerChaveVinculoCli(texto);
    const int i = a.LocalizarVinculo(c.tipo, c.categoria, NoVinculo, c.admissao, c.pis, c.inscricao);
    if (i < 0)
        throw std::invalid_argument("Vínculo não encontrado: " + texto);
    return i;
}

const char* EstadoTexto(const TRecArvore& r, int nivel)
{
    if (nivel == 3)
        return "alteração de nome pendente";
    if (nivel == 1) {
        switch (r.Estado) {
        case 1: return "com marcados";
        case 2: return "fechada";
        default: return "sem marcados";
        }
    }
    if (nivel == 2) {
        switch (r.Estado) {
        case 1: return "marcado";
        case 2: return "fechado";
        case 3: return "guia processada";
        default: return "não marcado";
        }
    }
    return "";
}

std::string Inscricao(const TRecArvore& r)
{
    const std::string d = std::to_string(r.Inscricao);
    return r.TipoInscricao == 1 ? "CNPJ " + FormatarCNPJ(d) : "CEI " + CompletarZeros(d, 12);
}

std::string ChaveVinculo(const TRecArvore& r)
{
    return std::to_string(r.TipoInscricao) + ":" + std::to_string(r.Inscricao) + ":" + std::to_string(r.Pis) + ":" +
           std::to_string(r.Categoria) + ":" + DataParaTexto(r.DataAdmissao);
}

// The tree as the window shows it (siblings sorted by caption), one node per line.
void Imprimir(const TArvore& a, int no, const std::string& prefixo, bool ultimo, bool raiz, bool movimento)
{
    const TNoArvore& n = a.No(no);
    const TRecArvore& r = a.Registro(a.LocalizarNo(no));
    std::cout << prefixo << (raiz ? "" : ultimo ? "└─ " : "├─ ") << n.Texto;
    const char* estado = EstadoTexto(r, n.Nivel);
    if (n.Nivel == 0)
        std::cout << "  (" << (r.Tipo == NoResponsavelEmpresa ? "responsável e empregador" : "responsável") << ", "
                  << Inscricao(r) << ")";
    else if (!movimento && n.Nivel == 1)
        std::cout << "  (" << Inscricao(r) << ")";
    else if (!movimento && n.Nivel == 2)
        std::cout << "  (PIS " << FormatarPIS(std::to_string(r.Pis)) << ", categoria " << r.Categoria
                  << ", admissão " << DataParaTexto(r.DataAdmissao) << ")";
    if (*estado)
        std::cout << "  [" << estado << "]";
    std::cout << "\n";
    const auto& filhos = a.FilhosOrdenados(no);
    const std::string proximo = raiz ? "" : prefixo + (ultimo ? "   " : "│  ");
    for (size_t i = 0; i < filhos.size(); ++i)
        Imprimir(a, filhos[i], proximo, i + 1 == filhos.size(), false, movimento);
}

void ImprimirJson(const TArvore& a)
{
    std::cout << "[";
    for (int i = 0; i < a.TotalNos(); ++i) {
        const TRecArvore& r = a.Registro(i);
        const TNoArvore& n = a.NoDoRegistro(i);
        std::cout << (i ? "," : "") << "\n{\"nivel\":" << n.Nivel << ",\"tipo\":" << Json(r.Tipo)
                  << ",\"texto\":" << Json(n.Texto) << ",\"estado\":" << r.Estado << ",\"imagem\":" << n.Imagem
                  << ",\"tipo_inscricao\":" << r.TipoInscricao << ",\"inscricao\":" << r.Inscricao;
        if (r.Pis > 0)
            std::cout << ",\"pis\":" << r.Pis << ",\"categoria\":" << r.Categoria << ",\"admissao\":"
                      << Json(DataParaTexto(r.DataAdmissao)) << ",\"chave\":" << Json(ChaveVinculo(r));
        std::cout << ",\"situacao_conta\":" << r.SituacaoConta << "}";
    }
    std::cout << "\n]\n";
}

// Loads the tree with a progress bar; a database without responsible is an error here.
void Carregar(TArvore& a)
{
    BarraProgresso barra("Carregando a árvore");
    const bool ok = a.RecarregarArvore([&barra](long atual, long maximo) {
        if (atual == 1)
            barra.DefinirMaximo(maximo);
        barra.Avancar();
    });
    if (!ok)
        throw std::runtime_error("Não há responsável cadastrado: a árvore está vazia.");
}

void ImprimirInconsistencias(TDBUtils& sessao)
{
    TInconsistencia inc(sessao);
    if (!inc.ConsultarFechamento())
        return;
    const int coluna = inc.DataSet().IndiceColuna("DE_MENSAGEM");
    std::cout << "Inconsistências:\n";
    for (inc.Primeiro(); !inc.Eof(); inc.Proximo())
        std::cout << "  " << CompletarZeros(std::to_string(inc.NumeroMensagem), 4) << "  PIS "
                  << FormatarPIS(inc.Pis) << "  " << Aparar(inc.NomeEmpregado) << ": "
                  << (coluna >= 0 ? inc.DataSet().Field(coluna).AsString() : std::string()) << "\n";
}

} // namespace
} // namespace drav::cli

DRAV_COMANDO(RegistrarArvore)
{
    static bool movimento = false;
    auto* sub = app.add_subcommand("arvore", "Mostra a árvore de navegação: responsável, empregadores, vínculos e "
                                             "o estado de cada um (--json para scripts)");
    sub->add_flag("--movimento", movimento, "Como na aba Movimento: o recolhimento aberto e os estados");
    sub->callback([&ctx] {
        using namespace drav;
        auto& app = ctx.Abrir();
        TArvore arvore(*app.sessao, app.DataPagamentoRecolhimento);
        cli::Carregar(arvore);
        if (ctx.json) {
            cli::ImprimirJson(arvore);
            return;
        }
        if (movimento) {
            const TDateTime d = arvore.DataPagamento();
            std::cout << "Recolhimento: "
                      << (d == NullDate ? std::string("não aberto") : "aberto, pagamento em " + DataParaTexto(d))
                      << "\n";
        }
        cli::Imprimir(arvore, arvore.Raiz(), "", true, true, movimento);
        if (movimento)
            std::cout << "Vínculos: " << arvore.ContarPorEstado({1}, false) << " marcados, "
                      << arvore.ContarPorEstado({0}, false) << " não marcados, " << arvore.ContarPorEstado({2}, false)
                      << " fechados, " << arvore.ContarPorEstado({3}, false) << " com guia processada\n";
    });
}

DRAV_COMANDO(RegistrarParticipacao)
{
    static std::string empresa, vinculo;
    static bool todos = false;
    auto* grupo = app.add_subcommand("participacao", "Participação dos vínculos no recolhimento aberto");
    grupo->require_subcommand(1);
    for (const char* nome : {"marcar", "desmarcar", "retirar-fechamento"}) {
        const std::string acao = nome;
        const char* descricao = acao == "marcar"      ? "Marca vínculos para o recolhimento, depois de validá-los"
                                : acao == "desmarcar" ? "Desmarca vínculos marcados"
                                                      : "Retira o fechamento de vínculos fechados ou processados "
                                                        "(pede confirmação: --sim)";
        auto* sub = grupo->add_subcommand(acao, descricao);
        auto* optEmpresa = sub->add_option("--empresa", empresa, "Empregador: TIPO:INSCRICAO ou o CNPJ/CEI");
        auto* optVinculo =
            sub->add_option("--vinculo", vinculo, "Vínculo: TIPO:INSCRICAO:PIS:CATEGORIA:ADMISSAO (DD/MM/AAAA)");
        auto* optTodos = sub->add_flag("--todos", todos, "Todos os vínculos");
        optEmpresa->excludes(optVinculo)->excludes(optTodos);
        optVinculo->excludes(optTodos);
        sub->footer("Código de saída 1 quando nada foi alterado ou algum vínculo ficou de fora (as inconsistências "
                    "são listadas).");
        sub->callback([&ctx, acao] {
            using namespace drav;
            if (empresa.empty() && vinculo.empty() && !todos)
                throw std::invalid_argument("informe --empresa, --vinculo ou --todos");
            auto& app = ctx.Abrir();
            TArvore arvore(*app.sessao, app.DataPagamentoRecolhimento);
            cli::Carregar(arvore);
            const int indice = !vinculo.empty()   ? cli::LocalizarVinculo(arvore, vinculo)
                               : !empresa.empty() ? cli::LocalizarEmpresa(arvore, empresa)
                                                  : 0;
            TParticipacao participacao(arvore, ctx.Mensagens());
            participacao.UsarModulosInstalados(app.DataEdital);
            bool mudou = false;
            if (acao == "marcar") {
                mudou = participacao.Marcar(indice);
                // Every open link in reach should now be marked; one left out fails the command.
                int deFora = 0;
                for (int i = 1; i < arvore.TotalNos(); ++i) {
                    const TRecArvore& r = arvore.Registro(i);
                    const bool alcance = indice == 0 || i == indice || arvore.EmpresaDoRegistro(i) == indice;
                    if (alcance && r.EhVinculo() && r.Estado == 0)
                        ++deFora;
                }
                if (deFora > 0) {
                    std::cout << "Vínculos não marcados: " << deFora << "\n";
                    cli::ImprimirInconsistencias(*app.sessao);
                    ctx.codigoSaida = 1;
                }
            } else if (acao == "desmarcar") {
                mudou = participacao.Desmarcar(indice);
                if (!mudou)
                    ctx.codigoSaida = 1;
            } else {
                mudou = participacao.RetirarFechamento(indice);
                if (!mudou)
                    ctx.codigoSaida = 1;
            }
            std::cout << (mudou ? "Participação alterada." : "Nada foi alterado.") << " Marcados: "
                      << arvore.ContarPorEstado({1}, false) << ", fechados: " << arvore.ContarPorEstado({2}, false)
                      << ", com guia processada: " << arvore.ContarPorEstado({3}, false) << "\n";
        });
    }
}

DRAV_COMANDO(RegistrarAbertura)
{
    static std::string data;
    static bool retirar = false;
    auto* sub = app.add_subcommand("abertura", "Abre (ou muda a data de) o recolhimento, ou retira a abertura");
    auto* optData = sub->add_option("--data", data, "Data de pagamento do recolhimento, DD/MM/AAAA");
    sub->add_flag("--retirar", retirar, "Retira a abertura do recolhimento")->excludes(optData);
    sub->callback([&ctx] {
        using namespace drav;
        auto& app = ctx.Abrir();
        TArvore arvore(*app.sessao, app.DataPagamentoRecolhimento);
        if (retirar) {
            arvore.RetirarAbertura();
            std::cout << "Abertura do recolhimento retirada.\n";
            return;
        }
        if (data.empty()) {
            const TDateTime d = app.DataPagamentoRecolhimento;
            std::cout << (d == NullDate ? std::string("Recolhimento não aberto.")
                                        : "Recolhimento aberto, pagamento em " + DataParaTexto(d) + ".")
                      << "\n";
            return;
        }
        const TResultadoAbertura r = AbrirRecolhimento(arvore, cli::LerDataCli(data, "--data"), app.DataEdital);
        if (!r.Aberta) {
            ctx.Mensagens().Mensagem(r.Codigo, r.Tipo, Botoes::OK, mbOK, r.Argumento);
            ctx.codigoSaida = 1;
            return;
        }
        std::cout << "Recolhimento aberto, pagamento em " << DataParaTexto(arvore.DataPagamento()) << ".\n";
    });
}
