#include "Comandos.h"

#include "core/Excecoes.h"

#include <iostream>

int main(int argc, char** argv)
{
    using namespace drav::cli;
    CLI::App app{"drav-cli — DRAV Eletrônica sem janela: guias rescisórias do FGTS em lote"};
    app.require_subcommand(1);
    app.set_version_flag("--versao", std::string("DRAV ") + DRAV_VERSION);
    ContextoCli ctx;
    app.add_option("--pasta", ctx.pasta, "Pasta de dados (padrão: $DRAV_HOME ou ~/.local/share/drav)");
    app.add_option("--banco", ctx.banco, "Banco de dados (arquivo local ou servidor:/caminho)");
    app.add_flag("--json", ctx.json, "Saída em JSON, onde houver");
    auto* sim = app.add_flag("--sim", ctx.sim, "Responde Sim às perguntas");
    app.add_flag("--nao", ctx.nao, "Responde Não às perguntas")->excludes(sim);
    app.parse_complete_callback([&ctx] {
        ctx.apresentador.respostaFixa = ctx.sim ? drav::mrYes : ctx.nao ? drav::mrNo : 0;
    });
    for (const auto& r : Registradores())
        r(app, ctx);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    } catch (const drav::EAbortarSilencioso&) {
        return ctx.codigoSaida ? ctx.codigoSaida : 1;
    } catch (const std::exception& e) {
        std::cerr << "Erro: " << e.what() << "\n";
        return 1;
    }
    return ctx.codigoSaida;
}
