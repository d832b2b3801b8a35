// Backup and restore of the data folder's database:
//   drav-cli backup [--saida ARQUIVO.zip]
//   drav-cli restaurar ARQUIVO.zip [--formato-antigo]
// The restore replaces every table of the backup; it asks first (--sim / --nao answer it).
#include "Comandos.h"

#include "core/Datas.h"
#include "core/Formatacao.h"
#include "core/IbxUtils.h"
#include "core/Utilitarios.h"
#include "files/Backup.h"

#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;

DRAV_COMANDO(RegistrarBackup)
{
    static std::string saida;
    auto* sub = app.add_subcommand("backup", "Grava um backup da base de dados (ZIP protegido por senha)");
    sub->add_option("--saida", saida, "Arquivo do backup (padrão: Backup/DRAV_db_AAAAMMDDHHMM.zip na pasta de dados)");
    sub->callback([&ctx] {
        using namespace drav;
        auto& app = ctx.Abrir();
        fs::path arquivo = saida;
        if (arquivo.empty()) {
            arquivo = app.pasta / "Backup" /
                      ("DRAV_db_" + FormatarDataHora("yyyymmddhhnn", DataServidor(*app.sessao, true)) + ".zip");
        }
        std::error_code ec;
        if (arquivo.has_parent_path())
            fs::create_directories(arquivo.parent_path(), ec);
        try {
            GerarBackup(*app.sessao, app.pasta / "TEMP", arquivo);
        } catch (const std::exception& e) {
            std::cerr << ctx.Mensagens().Texto("990107") << "\n" << e.what() << "\n";
            ctx.codigoSaida = 1;
            return;
        }
        std::cerr << ctx.Mensagens().Texto("990252") << "\n";
        std::cout << fs::absolute(arquivo).string() << "\n";
    });
}

DRAV_COMANDO(RegistrarRestaurar)
{
    static std::string arquivo;
    static bool antigo = false;
    auto* sub = app.add_subcommand("restaurar", "Substitui os dados da base pelos de um arquivo de backup");
    sub->add_option("arquivo", arquivo, "Arquivo do backup (*.zip)")->required();
    sub->add_flag("--formato-antigo", antigo, "O backup é da versão 1.3.3 (valores separados por vírgula)");
    sub->footer("Pede confirmação antes de substituir os dados (--sim confirma). Quando o backup é de outra "
                "versão, --sim também valida todos os vínculos depois; --nao os marca para nova validação. "
                "Código de saída 1 quando nada foi restaurado.");
    sub->callback([&ctx] {
        using namespace drav;
        auto& app = ctx.Abrir();
        auto& mensagens = ctx.Mensagens();
        const fs::path zip = arquivo;
        if (!fs::is_regular_file(zip)) {
            std::cerr << mensagens.Texto("990251") << " " << zip.string() << "\n";
            ctx.codigoSaida = 1;
            return;
        }
        if (mensagens.MensagemParametros("99", mtConfirmation, Botoes::SimNao, {}, mbNo,
                                         "Ao restaurar o backup do sistema, todos os dados existentes serão "
                                         "substituídos. Continuar?") != mrYes) {
            std::cerr << "Restauração não confirmada; nada foi alterado.\n";
            ctx.codigoSaida = 1;
            return;
        }
        const auto perguntar = [&mensagens] {
            return mensagens.Mensagem("990477", mtConfirmation, Botoes::SimNao, mbYes) == mrYes;
        };
        const auto r = RestaurarArquivoBackup(*app.sessao, zip, app.pasta / "TEMP", antigo ? 1 : 0, perguntar);
        if (!r.Restaurado) {
            if (!r.CodigoMensagem.empty())
                std::cerr << mensagens.Texto("99" + r.CodigoMensagem) << "\n";
            if (!r.Motivo.empty())
                std::cerr << r.Motivo << "\n";
            ctx.codigoSaida = 1;
            return;
        }
        std::cerr << mensagens.Texto("990255") << "\n";
        if (r.InconsistenciasGravadas)
            std::cerr << "A validação dos vínculos registrou inconsistências: veja drav-cli relatorio "
                         "inconsistencias --arquivo 3 --pdf ARQUIVO.pdf.\n";
    });
}
