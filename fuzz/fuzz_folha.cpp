// Arbitrary bytes as a payroll file: the reader must neither crash nor hang, and a file it refuses
// must leave nothing of itself in the database.
#include "core/IbxUtils.h"
#include "core/Resultado.h"
#include "files/Execucao.h"
#include "files/Folha.h"
#include "files/LayoutFolha.h"
#include "store/CriacaoBanco.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

fs::path pasta;
std::unique_ptr<drav::TIbxUtils> sessao;

int64_t Linhas(const char* tabela)
{
    return sessao->AbrirConsulta(std::string("SELECT COUNT(*) AS N FROM ") + tabela)->FieldByName("N").AsInt64();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    pasta = fs::temp_directory_path() / ("drav-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(pasta);
    drav::CriarBancoCompleto(pasta / "DRAV.FDB");
    sessao = std::make_unique<drav::TIbxUtils>();
    sessao->DatabaseName = (pasta / "DRAV.FDB").string();
    sessao->User = drav::kUsuarioBanco;
    sessao->Password = drav::kSenhaBanco;
    sessao->Conectar();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    const std::string bytes(reinterpret_cast<const char*>(dados), tamanho);
    // The cutter alone, on every line, with every layout.
    for (const std::string& l : drav::SepararLinhas(bytes)) {
        drav::TRegFolha reg;
        drav::LerRegFolha(l, reg);
        for (const drav::TLayoutRegistro* layout : drav::LayoutsFolha())
            drav::CortarLinha(l, *layout);
    }
    const fs::path arquivo = pasta / "DRAV.re";
    {
        std::ofstream f(arquivo, std::ios::binary | std::ios::trunc);
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    drav::TProgressoNulo p;
    const drav::TResultadoProcesso r = drav::ImportarFolha(*sessao, arquivo.string(), p);
    if (sessao->EmTransacao())
        std::abort(); // a run must never leave its transaction open
    if (!r.Sucesso) {
        for (const char* t : {"SFGTBG01_ABERTURA_RECOLHIMENTO", "SFGTBG02_EMPRESA", "SFGTBG03_EMPREGADO",
                              "SFGTBG04_VINCULO_EMPREGATICIO", "SFGTBG06_INFORMACAO_RESCISAO",
                              "SFGTBG07_COMPLEMENTO_SALDO"})
            if (Linhas(t) != 0)
                std::abort();
    } else {
        // A file that was accepted is removed again, so the next input starts from an empty register.
        for (const char* t : {"SFGTBG07_COMPLEMENTO_SALDO", "SFGTBG06_INFORMACAO_RESCISAO", "SFGTBG05_ALTERACAO_CADASTRAL",
                              "SFGTBG04_VINCULO_EMPREGATICIO", "SFGTBG03_EMPREGADO", "SFGTBG02_EMPRESA",
                              "SFGTBG01_ABERTURA_RECOLHIMENTO"})
            sessao->ExecutarSQL(std::string("DELETE FROM ") + t);
    }
    return 0;
}
