// Data folder commands: create one, and tell what is in it.
#include "Comandos.h"

#include "store/CriacaoBanco.h"
#include "store/PastaDados.h"
#include "store/VersaoSchema.h"

#include <iostream>

namespace drav::cli {
namespace {

std::string Contar(TDBUtils& s, const std::string& tabela)
{
    return s.AbrirConsulta("SELECT COUNT(*) AS N FROM " + tabela)->FieldByName("N").AsString();
}

} // namespace
} // namespace drav::cli

DRAV_COMANDO(RegistrarInit)
{
    static std::string pasta;
    auto* sub = app.add_subcommand("init", "Cria a pasta de dados: ZOLT.ini vazio, banco de dados e pastas de troca");
    sub->add_option("pasta", pasta, "Pasta a criar (padrão: --pasta, $DRAV_HOME ou ~/.local/share/drav)");
    sub->callback([&ctx] {
        const auto destino = drav::ResolverPastaDados(pasta.empty() ? ctx.pasta : pasta);
        if (drav::CriarPastaDados(destino))
            std::cout << "Pasta de dados criada: " << destino.string() << "\n";
        else
            std::cout << "A pasta de dados já estava completa: " << destino.string() << "\n";
    });
}

DRAV_COMANDO(RegistrarInfo)
{
    auto* sub = app.add_subcommand("info", "Mostra a versão do programa e o estado do banco de dados");
    sub->callback([&ctx] {
        auto& a = ctx.Abrir();
        auto& s = *a.sessao;
        const std::string versaoBanco = drav::VersaoBanco(s);
        const std::string empresas = drav::cli::Contar(s, "SFGTBG02_EMPRESA");
        const std::string edital = a.DataEdital == drav::NullDate ? "" : drav::DataParaTexto(a.DataEdital);
        const std::string pagamento =
            a.DataPagamentoRecolhimento == drav::NullDate ? "" : drav::DataParaTexto(a.DataPagamentoRecolhimento);
        if (ctx.json) {
            std::cout << "{\"versao\":\"" << DRAV_VERSION << "\",\"versao_banco\":\"" << versaoBanco
                      << "\",\"pasta\":\"" << a.pasta.string() << "\",\"banco\":\"" << s.DatabaseName
                      << "\",\"empresas\":" << empresas << ",\"data_edital\":\"" << edital
                      << "\",\"data_pagamento\":\"" << pagamento << "\",\"log_sql\":"
                      << (a.config.LogSQL ? "true" : "false") << "}\n";
            return;
        }
        std::cout << "DRAV Eletrônica " << DRAV_VERSION << "\n"
                  << "Pasta de dados:      " << a.pasta.string() << "\n"
                  << "Banco de dados:      " << s.DatabaseName << "\n"
                  << "Versão do banco:     " << versaoBanco << "\n"
                  << "Empresas:            " << empresas << "\n"
                  << "Recolhimento aberto: " << (pagamento.empty() ? "não" : pagamento) << "\n"
                  << "Data do edital:      " << (edital.empty() ? "sem tabela pró-rata" : edital) << "\n"
                  << "Log de SQL:          " << (a.config.LogSQL ? "ligado" : "desligado") << "\n";
    });
}
