#include "store/CriacaoBanco.h"

#include "core/Excecoes.h"
#include "core/IbxUtils.h"
#include "store/ExecutorScript.h"
#include "store/ScriptsEmbutidos.h"
#include "store/VersaoSchema.h"

#include <system_error>

namespace drav {

void CriarBancoCompleto(const std::filesystem::path& arquivo)
{
    if (std::filesystem::exists(arquivo))
        throw ENegocio("O arquivo de banco de dados já existe: " + arquivo.string());
    std::filesystem::create_directories(arquivo.parent_path());
    TIbxUtils::CriarBanco(arquivo.string(), kUsuarioBanco, kSenhaBanco);
    try {
        TIbxUtils sessao;
        sessao.DatabaseName = arquivo.string();
        sessao.User = kUsuarioBanco;
        sessao.Password = kSenhaBanco;
        sessao.Conectar();
        bool primeiro = true;
        for (const auto& script : ScriptsEmbutidos()) {
            // The layout goes statement by statement (DDL must commit before use); each data file is atomic.
            ExecutarScript(sessao, script.texto, !primeiro);
            primeiro = false;
        }
        sessao.Desconectar();
        // Filled: from now on every commit reaches the disk before it is reported done.
        TIbxUtils::DefinirEscritaForcada(arquivo.string(), kUsuarioBanco, kSenhaBanco, true);
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove(arquivo, ec);
        throw;
    }
}

std::string VersaoBanco(TDBUtils& sessao)
{
    auto tabela = sessao.AbrirConsulta("SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'SFGTBT22_PARAMETRO_SISTEMA'");
    if (tabela->IsEmpty())
        return {};
    auto r = sessao.AbrirConsulta(
        "SELECT CO_VERSAO_SISTEMA FROM SFGTBT22_PARAMETRO_SISTEMA ORDER BY DT_VERSAO_SISTEMA DESC");
    if (r->IsEmpty())
        return {};
    std::string v = r->FieldByName("CO_VERSAO_SISTEMA").AsString();
    while (!v.empty() && v.back() == ' ')
        v.pop_back();
    return v;
}

void VerificarVersaoBanco(TDBUtils& sessao)
{
    const std::string v = VersaoBanco(sessao);
    if (v.empty())
        throw ENegocio("O arquivo de banco de dados não é um banco do DRAV: " + sessao.DatabaseName);
    if (v != kVersaoSchema)
        throw ENegocio("O banco de dados está na versão " + v + ", que esta versão do programa (" +
                       std::string(kVersaoSchema) + ") não reconhece. Atualize o programa ou restaure um backup.");
}

} // namespace drav
