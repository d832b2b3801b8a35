// "drav-cli relatorio": the checking listings written as PDF files, for machines without a
// printer or a screen.
#include "Comandos.h"

#include "core/Conversao.h"
#include "core/Formatacao.h"
#include "core/Mensagens.h"
#include "reports/Pintura.h"
#include "reports/RelCadastro.h"
#include "reports/RelInconsistencia.h"
#include "reports/RelTrabalhadores.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <vector>

namespace drav::cli {
namespace {

// Fonts need a GUI application; without a display the off-screen platform serves.
std::unique_ptr<QGuiApplication> AplicacaoGrafica()
{
    if (QGuiApplication::instance())
        return nullptr;
    const auto vazio = [](const char* v) { return !std::getenv(v) || !*std::getenv(v); };
    if (vazio("QT_QPA_PLATFORM") && vazio("DISPLAY") && vazio("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nome[] = "drav-cli";
    static char* argv[] = {nome, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// Prepares the listing and writes it; "RE0086" and exit code 1 when there is nothing to list.
template <class Listagem>
void Gerar(ContextoCli& ctx, Listagem& listagem, const std::function<bool(Listagem&)>& preparar,
           const std::string& saida)
{
    if (!preparar(listagem)) {
        ctx.Mensagens().Mensagem("RE0086", mtInformation, Botoes::OK, mbOK);
        ctx.codigoSaida = 1;
        return;
    }
    auto app = AplicacaoGrafica();
    std::string erro;
    if (!GravarPdf(listagem.Documento(), saida, erro)) {
        std::cerr << erro << "\n";
        ctx.codigoSaida = 1;
        return;
    }
    std::cout << saida << ": " << listagem.Documento().paginas.size() << " página(s)\n";
}

} // namespace
} // namespace drav::cli

DRAV_COMANDO(RegistrarRelatorio)
{
    auto* sub = app.add_subcommand("relatorio", "Relatórios de conferência gravados em PDF");
    sub->require_subcommand(1);
    auto saida = std::make_shared<std::string>();

    auto* inc = sub->add_subcommand("inconsistencias", "Inconsistências de uma carga (1, 2, 4, 5) ou do fechamento (3)");
    auto numero = std::make_shared<int>(0);
    inc->add_option("--arquivo", *numero, "Número do arquivo: 1 folha, 2 saldo, 3 fechamento, 4 guias, "
                                           "5 guias processadas")
        ->required()
        ->check(CLI::Range(1, 5));
    inc->add_option("--pdf", *saida, "Arquivo PDF de saída")->required();
    inc->callback([&ctx, numero, saida] {
        using namespace drav;
        auto& a = ctx.Abrir();
        if (*numero == 3) {
            TRelInconsistenciaFechamento r(*a.sessao, a.DataEdital);
            cli::Gerar<TRelInconsistenciaFechamento>(ctx, r, [](auto& l) { return l.Preparar(); }, *saida);
        } else {
            TRelInconsistencia r(*a.sessao, a.DataEdital);
            const int n = *numero;
            cli::Gerar<TRelInconsistencia>(ctx, r, [n](auto& l) { return l.Preparar(n); }, *saida);
        }
    });

    auto* emp = sub->add_subcommand("empresas", "Relação das empresas constantes na base");
    emp->add_option("--pdf", *saida, "Arquivo PDF de saída")->required();
    emp->callback([&ctx, saida] {
        drav::TRelEmpresas r(*ctx.Abrir().sessao);
        drav::cli::Gerar<drav::TRelEmpresas>(ctx, r, [](auto& l) { return l.Preparar(); }, *saida);
    });

    auto* alt = sub->add_subcommand("alteracoes", "Alterações cadastrais de trabalhadores confirmadas");
    alt->add_option("--pdf", *saida, "Arquivo PDF de saída")->required();
    alt->callback([&ctx, saida] {
        drav::TRelAlteracaoCadastral r(*ctx.Abrir().sessao);
        drav::cli::Gerar<drav::TRelAlteracaoCadastral>(ctx, r, [](auto& l) { return l.Preparar(); }, *saida);
    });

    auto* trab = sub->add_subcommand("trabalhadores", "Relação dos trabalhadores constantes na base");
    auto empresas = std::make_shared<std::vector<std::string>>();
    auto ordem = std::make_shared<std::string>("pis");
    auto empresasPor = std::make_shared<std::string>("nome");
    trab->add_option("--pdf", *saida, "Arquivo PDF de saída")->required();
    trab->add_option("--empresa", *empresas,
                     "Inscrição de uma empresa a listar (repetível); sem ela, todas as empresas e também os "
                     "trabalhadores sem vínculo");
    trab->add_option("--ordem", *ordem, "Ordem dos trabalhadores em cada empresa")
        ->check(CLI::IsMember({"pis", "nome", "admissao", "categoria"}));
    trab->add_option("--empresas-por", *empresasPor, "Ordem das empresas: razão social ou tipo e inscrição")
        ->check(CLI::IsMember({"nome", "inscricao"}));
    trab->callback([&ctx, saida, empresas, ordem, empresasPor] {
        using namespace drav;
        std::vector<int64_t> inscricoes;
        for (const auto& e : *empresas) {
            const std::string digitos = SoDigitos(e);
            if (digitos.empty() || digitos.size() > 14)
                throw CLI::ValidationError("--empresa", "inscrição inválida: " + e);
            inscricoes.push_back(StrToInteiro64(digitos));
        }
        const std::map<std::string, std::string> colunas{
            {"pis", "PIS_EMPREGADO"}, {"nome", "NO_EMPREGADO"}, {"admissao", "DT_ADMISSAO"}, {"categoria", "CATEGORIA"}};
        const std::string texto =
            std::string(*empresasPor == "inscricao" ? "NU_TIPO_INSO_EMPRA,NU_INSCRICAO" : "NO_RAZAO_SOCIAL") + "," +
            colunas.at(*ordem);
        const bool todas = inscricoes.empty();
        TRelTrabalhadores r(*ctx.Abrir().sessao, std::move(inscricoes), todas);
        cli::Gerar<TRelTrabalhadores>(ctx, r, [&texto](auto& l) { return l.Preparar(texto); }, *saida);
    });
}
