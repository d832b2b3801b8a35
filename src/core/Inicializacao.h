#pragma once
#include "core/Configuracao.h"
#include "core/Datas.h"
#include "core/IbxUtils.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace drav {

class IApresentador;
class TTratadorExcecao;

// What start-up sets up and the rest of the program reads.
struct ContextoAplicacao {
    std::filesystem::path pasta;
    std::string banco; // empty: the data folder's BD/DRAV.FDB
    std::unique_ptr<TIbxUtils> sessao;
    Configuracao config;
    TDateTime DataEdital = NullDate;
    TDateTime DataPagamentoRecolhimento = NullDate;
};

// The data folder: the given option, else $DRAV_HOME, else ~/.local/share/drav.
std::filesystem::path ResolverPastaDados(const std::string& opcao = {});
// The database: the given option, else $DRAV_BANCO ("host:/path" for a server), else BD/DRAV.FDB.
std::string ResolverBanco(const std::filesystem::path& pasta, const std::string& opcao = {});
// The data folder's own configured folder (there is no registry here).
std::filesystem::path PastaConfigurada(const std::filesystem::path& pasta);

// The exchange folders, parent first, relative to the data folder.
const std::vector<std::string>& PastasTroca();
void CriarPasta(const std::filesystem::path& p);
void CriarPastasTroca(const std::filesystem::path& pasta);

// Reads ZOLT.ini, connects and loads the process-wide dates. False when the ini is missing
// (the user was told) or anything failed (the handler logged and told). `verificar` runs right
// after connecting, to refuse a database this program does not understand.
bool Conectar(ContextoAplicacao& ctx, IApresentador& apresentador, TTratadorExcecao& tratador,
              const std::function<void(TDBUtils&)>& verificar = {});

void CarregarDataEdital(ContextoAplicacao& ctx);
void CarregarDataPagamento(ContextoAplicacao& ctx);

// True when at least one employer is registered (the wizard is not needed).
bool ExisteEmpresa(TDBUtils& sessao);

} // namespace drav
