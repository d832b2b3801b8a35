// Payroll import throughput: a generated file of N links (100 per employer, half with balance
// complements) imported into an empty database, and the same file imported again over its own data
// (every link updated). Lines per second are reported as items per second.
//
// The floor to compare with is the same rows inserted by a plain SQL script in one transaction:
//   tools/gerador_folha/gerar_folha.py --empresas 500 --vinculos 100 --saida /tmp/DRAV.re --sql /tmp/folha.sql
//   isql-fb -u SYSDBA -i /tmp/folha.sql <a fresh database>
#include "core/IbxUtils.h"
#include "files/Execucao.h"
#include "files/Folha.h"
#include "store/CriacaoBanco.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path& Pasta()
{
    static const fs::path p = fs::temp_directory_path() / "drav-bench-folha";
    return p;
}

// The generated file of that many links, made once per size.
fs::path Arquivo(long vinculos)
{
    const fs::path arquivo = Pasta() / ("DRAV-" + std::to_string(vinculos) + ".re");
    if (!fs::exists(arquivo)) {
        fs::create_directories(Pasta());
        const fs::path gerador = fs::path(__FILE__).parent_path().parent_path() / "tools" / "gerador_folha" /
                                 "gerar_folha.py";
        const long empresas = std::max(1L, vinculos / 100);
        const std::string cmd = "python3 '" + gerador.string() + "' --empresas " + std::to_string(empresas) +
                                " --vinculos " + std::to_string(vinculos / empresas) + " --saida '" +
                                arquivo.string() + "'";
        if (std::system(cmd.c_str()) != 0)
            throw std::runtime_error("gerador falhou: " + cmd);
    }
    return arquivo;
}

std::unique_ptr<drav::TIbxUtils> BancoVazio()
{
    const fs::path banco = Pasta() / "DRAV.FDB";
    fs::remove(banco);
    drav::CriarBancoCompleto(banco);
    auto s = std::make_unique<drav::TIbxUtils>();
    s->DatabaseName = banco.string();
    s->User = drav::kUsuarioBanco;
    s->Password = drav::kSenhaBanco;
    s->Conectar();
    return s;
}

long ContarLinhas(const fs::path& arquivo)
{
    std::ifstream f(arquivo, std::ios::binary);
    long n = 0;
    for (std::string l; std::getline(f, l);)
        ++n;
    return n;
}

void Importar(drav::TIbxUtils& s, const fs::path& arquivo, benchmark::State& state)
{
    drav::TProgressoNulo p;
    const drav::TResultadoProcesso r = drav::ImportarFolha(s, arquivo.string(), p);
    if (!r.Sucesso)
        state.SkipWithError(("importação falhou: " + r.MensagemResultado + " " + r.Erro).c_str());
}

void ImportarFolhaBancoVazio(benchmark::State& state)
{
    const fs::path arquivo = Arquivo(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto s = BancoVazio();
        state.ResumeTiming();
        Importar(*s, arquivo, state);
    }
    state.SetItemsProcessed(state.iterations() * ContarLinhas(arquivo));
}
BENCHMARK(ImportarFolhaBancoVazio)->Arg(1000)->Arg(50000)->Unit(benchmark::kSecond)->Iterations(1);

void ImportarFolhaAtualizando(benchmark::State& state)
{
    const fs::path arquivo = Arquivo(state.range(0));
    auto s = BancoVazio();
    Importar(*s, arquivo, state);
    for (auto _ : state)
        Importar(*s, arquivo, state);
    state.SetItemsProcessed(state.iterations() * ContarLinhas(arquivo));
}
BENCHMARK(ImportarFolhaAtualizando)->Arg(1000)->Arg(50000)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
