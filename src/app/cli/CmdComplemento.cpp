// Balance-complement commands: "drav-cli complemento listar|incluir|excluir" for one link. The
// deposit each competence owes is computed with the installed index tables, as the complement
// screen does, and the link's rescission row keeps their sum.
#include "Apoio.h"
#include "Comandos.h"

#include "calc/ComplementoSaldo.h"
#include "calc/Indices.h"
#include "core/Conversao.h"
#include "core/DBUtils.h"
#include "core/Datas.h"
#include "core/Formatacao.h"
#include "core/Verificacoes.h"
#include "model/Vinculo.h"

#include <iostream>
#include <memory>
#include <regex>
#include <stdexcept>

namespace drav::cli {
namespace {

// Each kind has its own screen prefix.
std::string Tela(const std::string& tipo, const std::string& codigo)
{
    const std::string prefixo = tipo == "2" ? "44" : tipo == "3" ? "45" : "43";
    return prefixo + CompletarZeros(codigo, 4);
}

const char* NomeTipo(const std::string& tipo)
{
    if (tipo == ComplementoNaoRecolhido)
        return "Não Recolhidos";
    if (tipo == ComplementoNaoProcessado)
        return "Recolhidos e Não Processados";
    if (tipo == ComplementoNaoIndividualizado)
        return "Recolhidos e Não Individualizados";
    return "";
}

struct OpcoesVinculo {
    int tipo = 1;
    std::string inscricao, pis, categoria, admissao;

    void Adicionar(CLI::App* sub)
    {
        sub->add_option("--tipo-inscricao", tipo, "Tipo de inscrição do empregador: 1 CNPJ, 2 CEI")
            ->check(CLI::IsMember({1, 2}));
        sub->add_option("--inscricao", inscricao, "Inscrição do empregador")->required();
        sub->add_option("--pis", pis, "PIS/PASEP do trabalhador")->required();
        sub->add_option("--categoria", categoria, "Categoria do trabalhador")->required();
        sub->add_option("--admissao", admissao, "Data de admissão do vínculo, DD/MM/AAAA")->required();
    }

    // The complement object of this link, refused when the link is not registered.
    std::unique_ptr<TComplementoSaldo> Criar(TDBUtils& sessao, const ITabelasIndices& tabelas, TDateTime edital) const
    {
        const std::string i = SoDigitos(inscricao), p = SoDigitos(pis);
        if (i.empty() || i.size() > 14)
            throw std::invalid_argument("--inscricao: inscrição inválida '" + inscricao + "'");
        if (p.size() != 11)
            throw std::invalid_argument("--pis: PIS/PASEP inválido '" + pis + "'");
        if (categoria.empty() || !SoNumeros(categoria) || categoria.size() > 2)
            throw std::invalid_argument("--categoria: categoria inválida '" + categoria + "'");
        const TDateTime adm = StrToData(admissao, 0);
        if (adm <= 0)
            throw std::invalid_argument("--admissao: data inválida '" + admissao + "' (use DD/MM/AAAA)");
        auto c = std::make_unique<TComplementoSaldo>(sessao, tabelas, edital);
        c->TipoInscricao = tipo;
        c->Inscricao = std::stoll(i);
        c->Pis = std::stoll(p);
        c->Categoria = std::stoi(categoria);
        c->DataAdmissao = adm;
        TVinculo v(sessao);
        if (!v.BuscarVinculo(c->TipoInscricao, c->Categoria, c->DataAdmissao, c->Pis, c->Inscricao))
            throw std::invalid_argument("Vínculo não encontrado.");
        return c;
    }
};

struct OpcoesCompetencia {
    std::string tipo, competencia;
    void Adicionar(CLI::App* sub, bool obrigatoria)
    {
        auto* t = sub->add_option("--tipo", tipo,
                                  "Tipo do complemento: 1 não recolhidos, 2 recolhidos e não processados, "
                                  "3 recolhidos e não individualizados")
                      ->check(CLI::IsMember({"1", "2", "3"}));
        auto* c = sub->add_option("--competencia", competencia, "Competência, MM/AAAA");
        if (obrigatoria) {
            t->required();
            c->required();
        }
    }
    // Month and year as the screen's lists give them; an unreadable text is refused here, a
    // competence out of range by the complement's own checks.
    void Aplicar(TComplementoSaldo& c) const
    {
        static const std::regex forma(R"((\d{2})/(\d{4}))");
        std::smatch m;
        if (!std::regex_match(competencia, m, forma))
            throw std::invalid_argument("--competencia: competência inválida '" + competencia + "' (use MM/AAAA)");
        c.NumeroComplemento = tipo;
        c.MesCompetencia = m[1];
        c.AnoCompetencia = m[2];
    }
};

// An amount as people type it here: "1.234,56" or "1234,56" or "1234"; a "." is never a decimal
// separator, so "1234.56" is refused instead of read as 123456.
double LerValor(const std::string& texto)
{
    static const std::regex forma(R"((\d{1,3}(\.\d{3})+|\d+)(,\d{1,2})?)");
    if (!std::regex_match(texto, forma))
        throw std::invalid_argument("--remuneracao: valor inválido '" + texto + "' (use 1.234,56)");
    return StrToValor(texto);
}

CLI::App* Grupo(CLI::App& app)
{
    try {
        return app.get_subcommand("complemento");
    } catch (const CLI::OptionNotFound&) {
        auto* g = app.add_subcommand("complemento", "Complementos de saldo de um vínculo");
        g->require_subcommand(1);
        return g;
    }
}

struct Ambiente {
    TDBUtils& sessao;
    TTabelasIndicesBanco tabelas;
    TDateTime edital, pagamento;
    explicit Ambiente(ContextoAplicacao& app)
        : sessao(*app.sessao), tabelas(*app.sessao), edital(app.DataEdital), pagamento(app.DataPagamentoRecolhimento)
    {
    }
};

} // namespace
} // namespace drav::cli

DRAV_COMANDO(RegistrarComplementoListar)
{
    static drav::cli::OpcoesVinculo vinculo;
    static std::string tipo;
    auto* sub = drav::cli::Grupo(app)->add_subcommand("listar", "Lista os complementos de saldo de um vínculo");
    vinculo.Adicionar(sub);
    sub->add_option("--tipo", tipo, "Somente este tipo de complemento (1, 2 ou 3)")
        ->check(CLI::IsMember({"1", "2", "3"}));
    sub->callback([&ctx] {
        using namespace drav;
        cli::Ambiente amb(ctx.Abrir());
        auto c = vinculo.Criar(amb.sessao, amb.tabelas, amb.edital);
        c->NumeroComplemento = tipo;
        if (!(tipo.empty() ? c->ConsultarComplementos() : c->ConsultarComplemento()) && !c->CodigoMensagem.empty())
            throw std::runtime_error(ctx.Mensagens().Texto(cli::Tela(tipo, c->CodigoMensagem)));
        double total = 0;
        std::string json;
        for (c->Primeiro(); !c->Eof(); c->Proximo()) {
            if (c->NumeroComplemento.empty())
                continue; // the link's own row when it has no complement
            total += c->ValorDeposito;
            if (ctx.json)
                json += (json.empty() ? "" : ",") + std::string("{\"tipo\":") + c->NumeroComplemento +
                        ",\"descricao\":" + cli::Json(cli::NomeTipo(c->NumeroComplemento)) +
                        ",\"competencia\":\"" + c->MesCompetencia + "/" + c->AnoCompetencia +
                        "\",\"remuneracao\":" + FormatarValorPonto(c->ValorRemuneracao) +
                        ",\"deposito\":" + FormatarValorPonto(c->ValorDeposito) + "}";
            else
                std::cout << c->NumeroComplemento << "  " << PreencherEspacos(cli::NomeTipo(c->NumeroComplemento), 34, false)
                          << c->MesCompetencia << "/" << c->AnoCompetencia << "  remuneração "
                          << PreencherEspacos(FormatarValor(c->ValorRemuneracao), 16, true) << "  depósito "
                          << PreencherEspacos(FormatarValor(c->ValorDeposito), 14, true) << "\n";
        }
        if (ctx.json)
            std::cout << "{\"complementos\":[" << json << "],\"total_depositos\":" << FormatarValorPonto(total) << "}\n";
        else
            std::cout << "Total dos depósitos: " << FormatarValor(total) << "\n";
    });
}

DRAV_COMANDO(RegistrarComplementoIncluir)
{
    static drav::cli::OpcoesVinculo vinculo;
    static drav::cli::OpcoesCompetencia competencia;
    static std::string remuneracao;
    auto* sub = drav::cli::Grupo(app)->add_subcommand(
        "incluir", "Inclui um complemento de saldo, com o depósito calculado pelos índices instalados");
    vinculo.Adicionar(sub);
    competencia.Adicionar(sub, true);
    sub->add_option("--remuneracao", remuneracao, "Remuneração da competência, ex. 1.234,56")->required();
    sub->footer("Exige um recolhimento aberto (data de pagamento informada).");
    sub->callback([&ctx] {
        using namespace drav;
        cli::Ambiente amb(ctx.Abrir());
        auto c = vinculo.Criar(amb.sessao, amb.tabelas, amb.edital);
        competencia.Aplicar(*c);
        c->ValorRemuneracao = cli::LerValor(remuneracao);
        if (!c->IncluirComplemento(amb.pagamento)) {
            std::vector<std::string> argumentos;
            if (c->CodigoMensagem == "0372")
                argumentos = {competencia.competencia, DataParaTexto(amb.pagamento)};
            std::cerr << "Erro: " << ctx.Mensagens().Texto(cli::Tela(competencia.tipo, c->CodigoMensagem), argumentos)
                      << "\n";
            ctx.codigoSaida = 1;
            return;
        }
        if (ctx.json)
            std::cout << "{\"deposito\":" << FormatarValorPonto(c->ValorDeposito) << "}\n";
        else
            std::cout << ctx.Mensagens().Texto(cli::Tela(competencia.tipo, "0078")) << " Depósito: "
                      << FormatarValor(c->ValorDeposito) << "\n";
    });
}

DRAV_COMANDO(RegistrarComplementoExcluir)
{
    static drav::cli::OpcoesVinculo vinculo;
    static drav::cli::OpcoesCompetencia competencia;
    static bool todos = false;
    auto* sub = drav::cli::Grupo(app)->add_subcommand("excluir", "Exclui um complemento de saldo (ou todos do vínculo)");
    vinculo.Adicionar(sub);
    competencia.Adicionar(sub, false);
    sub->add_flag("--todos", todos, "Exclui todos os complementos do vínculo");
    sub->callback([&ctx] {
        using namespace drav;
        if (todos == !(competencia.tipo.empty() && competencia.competencia.empty()))
            throw std::invalid_argument("Informe --tipo e --competencia, ou --todos.");
        if (!todos && (competencia.tipo.empty() || competencia.competencia.empty()))
            throw std::invalid_argument("Informe --tipo e --competencia juntos.");
        cli::Ambiente amb(ctx.Abrir());
        auto c = vinculo.Criar(amb.sessao, amb.tabelas, amb.edital);
        if (!todos) {
            competencia.Aplicar(*c);
            if (!c->ExisteCompetencia())
                throw std::runtime_error("Complemento não encontrado.");
        } else if (!c->ExistemComplementos()) {
            throw std::runtime_error("O vínculo não tem complementos.");
        }
        c->Excluir(todos, true);
        std::cout << ctx.Mensagens().Texto(cli::Tela(competencia.tipo, "0068")) << "\n";
    });
}
