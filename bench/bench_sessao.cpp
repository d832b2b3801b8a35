// How fast the session brings a portfolio-sized query into memory and how fast rows are written.
#include "core/IbxUtils.h"
#include "store/CriacaoBanco.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

std::unique_ptr<drav::TIbxUtils> BancoComLinhas(int linhas)
{
    static std::filesystem::path pasta = std::filesystem::temp_directory_path() / "drav-bench";
    std::filesystem::remove_all(pasta);
    drav::CriarBancoCompleto(pasta / "DRAV.FDB");
    auto s = std::make_unique<drav::TIbxUtils>();
    s->DatabaseName = (pasta / "DRAV.FDB").string();
    s->User = drav::kUsuarioBanco;
    s->Password = drav::kSenhaBanco;
    s->Conectar();
    s->ExecutarSQL("CREATE TABLE B_LINHA (ID INTEGER NOT NULL PRIMARY KEY, NOME VARCHAR(70), VALOR NUMERIC(18,2), "
                   "DIA DATE)");
    drav::TTransacao t(*s);
    s->ExecutarSQL("EXECUTE BLOCK AS DECLARE I INTEGER = 0; BEGIN WHILE (I < " + std::to_string(linhas) +
                   ") DO BEGIN INSERT INTO B_LINHA VALUES (:I, 'TRABALHADOR ' || :I, :I * 1.25, "
                   "DATEADD(MOD(:I, 3000) DAY TO DATE '2015-01-01')); I = I + 1; END END");
    t.Confirmar();
    return s;
}

void LerLinhas(benchmark::State& state)
{
    auto s = BancoComLinhas(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto r = s->AbrirConsulta("SELECT * FROM B_LINHA");
        double soma = 0;
        for (r->First(); !r->Eof(); r->Next())
            soma += r->FieldByName("VALOR").AsFloat();
        benchmark::DoNotOptimize(soma);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(LerLinhas)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

void GravarLinhasEmUmaTransacao(benchmark::State& state)
{
    auto s = BancoComLinhas(0);
    int id = 0;
    for (auto _ : state) {
        drav::TTransacao t(*s);
        for (int i = 0; i < state.range(0); ++i, ++id)
            s->ExecutarSQL("INSERT INTO B_LINHA VALUES (" + std::to_string(id) + ", 'NOME', 10.5, '2020-01-01')");
        t.Confirmar();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(GravarLinhasEmUmaTransacao)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
