// Guide bar code commands: build a code from its parts, and check a digitable line typed by hand.
#include "Comandos.h"

#include "core/CodigoBarras.h"
#include "core/Datas.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Verificacoes.h"

#include <cstdint>
#include <iostream>
#include <regex>
#include <stdexcept>

namespace drav::cli {
namespace {

int Numero(const std::string& texto) { return std::stoi(texto); }

// "DD/MM/AAAA" or, when the time is allowed, "DD/MM/AAAA HH:MM:SS".
TDateTime LerDataHora(const std::string& texto, bool comHora, const char* opcao)
{
    static const std::regex soData(R"((\d{2})/(\d{2})/(\d{4}))");
    static const std::regex dataHora(R"((\d{2})/(\d{2})/(\d{4}) (\d{2}):(\d{2}):(\d{2}))");
    std::smatch m;
    if (comHora && std::regex_match(texto, m, dataHora)) {
        const int a = Numero(m[3]), me = Numero(m[2]), d = Numero(m[1]);
        const int h = Numero(m[4]), mi = Numero(m[5]), s = Numero(m[6]);
        if (DataExiste(a, me, d) && h < 24 && mi < 60 && s < 60)
            return CodificarDataHora(a, me, d, h, mi, s);
    } else if (std::regex_match(texto, m, soData)) {
        const int a = Numero(m[3]), me = Numero(m[2]), d = Numero(m[1]);
        if (DataExiste(a, me, d))
            return CodificarData(a, me, d);
    }
    throw std::invalid_argument(std::string(opcao) + ": data inválida '" + texto + "' (use " +
                                (comHora ? "DD/MM/AAAA HH:MM:SS" : "DD/MM/AAAA") + ")");
}

// "1234,56" or "1.234,56", at most two decimals; the value is built from whole centavos so it
// converts back to exactly the same centavos.
double LerValor(const std::string& texto)
{
    static const std::regex forma(R"((\d{1,3}(?:\.\d{3})+|\d+)(?:,(\d{1,2}))?)");
    std::smatch m;
    if (!std::regex_match(texto, m, forma))
        throw std::invalid_argument("--valor: valor inválido '" + texto + "' (use 1234,56)");
    std::string inteiro = m[1];
    std::erase(inteiro, '.');
    std::string centavos = m[2].matched ? m[2].str() : "00";
    if (centavos.size() == 1)
        centavos += '0';
    if (inteiro.size() > 15)
        throw std::invalid_argument("--valor: valor grande demais '" + texto + "'");
    return static_cast<double>(std::stoll(inteiro) * 100 + std::stoll(centavos)) / 100.0;
}

} // namespace
} // namespace drav::cli

DRAV_COMANDO(RegistrarCodigoBarras)
{
    struct Opcoes {
        std::string inscricao, recolhimento, valor, agora;
    };
    static Opcoes o;
    auto* sub = app.add_subcommand("codigo-barras", "Monta o código de barras da guia e sua linha digitável");
    sub->add_option("--inscricao", o.inscricao, "Inscrição do empregador (CNPJ ou CEI, só dígitos)")->required();
    sub->add_option("--recolhimento", o.recolhimento, "Data de recolhimento DD/MM/AAAA")->required();
    sub->add_option("--valor", o.valor, "Valor da guia, como 1234,56")->required();
    sub->add_option("--agora", o.agora,
                    "Momento do campo livre \"DD/MM/AAAA HH:MM:SS\" (padrão: o relógio, após esperar um segundo)");
    sub->callback([&ctx] {
        using namespace drav;
        if (o.inscricao.empty() || o.inscricao.size() > 14 || SoDigitos(o.inscricao) != o.inscricao)
            throw std::invalid_argument("--inscricao: use até 14 dígitos");
        const int64_t inscricao = std::stoll(o.inscricao);
        const TDateTime recolhimento = cli::LerDataHora(o.recolhimento, false, "--recolhimento");
        const double valor = cli::LerValor(o.valor);
        TRelogioCodigoBarras relogio = RelogioDoSistema();
        if (!o.agora.empty()) {
            const TDateTime agora = cli::LerDataHora(o.agora, true, "--agora");
            relogio = {[agora] { return agora; }, [] {}};
        }
        const int tipo = o.inscricao.size() == 12 ? 2 : 1;
        const std::string codigo = MontarCodigoBarras(tipo, inscricao, recolhimento, valor, relogio);
        const std::string linha = LinhaDigitavel(codigo);
        if (ctx.json)
            std::cout << "{\"codigo_barras\":\"" << codigo << "\",\"linha_digitavel\":\"" << linha << "\"}\n";
        else
            std::cout << "Código de barras: " << codigo << "\nLinha digitável:  " << linha << "\n";
    });
}

DRAV_COMANDO(RegistrarLinhaDigitavel)
{
    static std::string linha;
    auto* grupo = app.add_subcommand("linha-digitavel", "Linha digitável de guia");
    grupo->require_subcommand(1);
    auto* sub = grupo->add_subcommand("verificar", "Confere os quatro dígitos de bloco (saída 0 válida, 1 inválida)");
    sub->add_option("linha", linha, "Os 48 dígitos da linha (espaços e pontos são ignorados)")->required();
    sub->callback([&ctx] {
        using namespace drav;
        const bool valida = ValidarLinhaDigitavel(linha);
        const std::string codigo = valida ? RemoverDigitosLinha(SoDigitos(linha)) : std::string();
        if (ctx.json)
            std::cout << "{\"valida\":" << (valida ? "true" : "false") << ",\"codigo_barras\":\"" << codigo
                      << "\"}\n";
        else if (valida)
            std::cout << "Linha digitável válida\nCódigo de barras: " << codigo << "\n";
        else
            std::cout << "Linha digitável inválida\n";
        ctx.codigoSaida = valida ? 0 : 1;
    });
}
