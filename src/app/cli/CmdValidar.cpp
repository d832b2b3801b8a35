// "drav-cli validar": checks links as a whole before they take part in a collection, records what
// it finds in the inconsistency register and flags each link.
#include "Apoio.h"
#include "Comandos.h"

#include "calc/Inconsistencia.h"
#include "calc/ValidacaoVinculo.h"
#include "core/Datas.h"
#include "core/Formatacao.h"
#include "core/Verificacoes.h"

#include <charconv>
#include <iostream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace drav::cli {
namespace {

std::string Chave(const TAchadoValidacao& a)
{
    return std::to_string(a.TipoInscricao) + ":" + std::to_string(a.Inscricao) + ":" +
           CompletarZeros(std::to_string(a.Pis), 11) + ":" + std::to_string(a.Categoria) + ":" +
           (a.DataAdmissao > 0 ? DataParaTexto(a.DataAdmissao) : std::string());
}

} // namespace
} // namespace drav::cli

DRAV_COMANDO(RegistrarValidar)
{
    static std::string empresa, vinculo;
    static bool semRegistro = false;
    auto* sub = app.add_subcommand("validar", "Valida os vínculos (todos, de um empregador ou um só) e marca os "
                                              "inconsistentes");
    auto* optEmpresa = sub->add_option("--empresa", empresa, "Empregador: TIPO:INSCRICAO ou o CNPJ/CEI");
    sub->add_option("--vinculo", vinculo, "Chave do vínculo: TIPO:INSCRICAO:PIS:CATEGORIA:ADMISSAO (DD/MM/AAAA)")
        ->excludes(optEmpresa);
    sub->add_flag("--sem-registro", semRegistro,
                  "Não grava as inconsistências no cadastro de inconsistências (o indicador do vínculo é gravado)");
    sub->footer("Código de saída 1 quando algum vínculo está inconsistente.");
    sub->callback([&ctx] {
        using namespace drav;
        std::pair<int, int64_t> emp{0, 0};
        cli::ChaveVinculoCli chave;
        if (!empresa.empty())
            emp = cli::LerEmpresaCli(empresa);
        if (!vinculo.empty())
            chave = cli::LerChaveVinculoCli(vinculo);
        auto& sessao = *ctx.Abrir().sessao;

        if (!semRegistro) {
            // A new validation replaces the findings of the previous one.
            TInconsistencia anterior(sessao);
            anterior.NumeroArquivo = InconsistenciaFechamento;
            if (!anterior.ExcluirPorArquivo())
                throw std::runtime_error("Não foi possível limpar as inconsistências anteriores: " +
                                         anterior.ErroGravacao);
        }
        TValidacaoVinculo validacao(sessao);
        validacao.Registrar = !semRegistro;
        if (!vinculo.empty())
            validacao.ValidarVinculo(chave.tipo, chave.inscricao, chave.pis, chave.categoria, chave.admissao);
        else if (!empresa.empty())
            validacao.ValidarEmpresa(emp.first, emp.second);
        else
            validacao.ValidarTodos();

        const auto& achados = validacao.Achados();
        if (!vinculo.empty() && validacao.VinculosExaminados() == 0) {
            std::cerr << "Vínculo não encontrado: " << vinculo << "\n";
            ctx.codigoSaida = 1;
            return;
        }
        auto texto = [&ctx](const TAchadoValidacao& a) {
            return ctx.Mensagens().Texto(CompletarZeros(a.Codigo, 4));
        };
        if (ctx.json) {
            std::cout << "{\"examinados\":" << validacao.VinculosExaminados()
                      << ",\"inconsistentes\":" << achados.size() << ",\"achados\":[";
            bool primeiro = true;
            for (const auto& a : achados) {
                std::cout << (primeiro ? "" : ",") << "{\"vinculo\":" << cli::Json(cli::Chave(a))
                          << ",\"empregador\":" << cli::Json(a.RazaoSocial)
                          << ",\"trabalhador\":" << cli::Json(a.NomeEmpregado)
                          << ",\"codigo\":" << cli::Json(CompletarZeros(a.Codigo, 4))
                          << ",\"texto\":" << cli::Json(texto(a)) << ",\"conteudo\":" << cli::Json(a.Conteudo)
                          << ",\"verificacao\":" << cli::Json(a.Verificacao) << "}";
                primeiro = false;
            }
            std::cout << "]}\n";
        } else {
            for (const auto& a : achados)
                std::cout << cli::Chave(a) << "  " << a.NomeEmpregado << "\n  " << CompletarZeros(a.Codigo, 4)
                          << " " << texto(a) << "\n  Conteúdo: " << a.Conteudo << "\n";
            std::cout << validacao.VinculosExaminados() << " vínculo(s) examinado(s), " << achados.size()
                      << " inconsistente(s).\n";
        }
        if (!achados.empty())
            ctx.codigoSaida = 1;
    });
}
