#include "store/PastaDados.h"

#include "core/Excecoes.h"
#include "core/Inicializacao.h"
#include "store/CriacaoBanco.h"

#include <fstream>

namespace drav {

bool CriarPastaDados(const std::filesystem::path& pasta)
{
    bool criou = false;
    std::filesystem::create_directories(pasta);
    const auto ini = pasta / "ZOLT.ini";
    if (!std::filesystem::exists(ini)) {
        std::ofstream f(ini, std::ios::binary);
        if (!f)
            throw EDrav("Não foi possível criar " + ini.string());
        criou = true;
    }
    const auto banco = pasta / "BD" / "DRAV.FDB";
    if (!std::filesystem::exists(banco)) {
        CriarBancoCompleto(banco);
        criou = true;
    }
    CriarPastasTroca(pasta);
    return criou;
}

} // namespace drav
