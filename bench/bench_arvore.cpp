// Building the navigation tree of a large portfolio: 100 employers with 500 links each (50,000
// links), every fifth link with an account at the bank and every fiftieth with a pending name
// change, links spread over the four movement states. The whole tree comes from one query.
#include "core/IbxUtils.h"
#include "files/Arvore.h"
#include "store/CriacaoBanco.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

std::unique_ptr<drav::TIbxUtils> BancoComVinculos(int empresas, int porEmpresa)
{
    static const std::filesystem::path pasta = std::filesystem::temp_directory_path() / "drav-bench-arvore";
    std::filesystem::remove_all(pasta);
    drav::CriarBancoCompleto(pasta / "DRAV.FDB");
    auto s = std::make_unique<drav::TIbxUtils>();
    s->DatabaseName = (pasta / "DRAV.FDB").string();
    s->User = drav::kUsuarioBanco;
    s->Password = drav::kSenhaBanco;
    s->Conectar();
    drav::TTransacao t(*s);
    s->ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
                   "IC_ESTADO_EMPRESA) VALUES (1, 11222333000181, 'ESCRITORIO CONTABIL', 'R')");
    s->ExecutarSQL(
        "EXECUTE BLOCK AS DECLARE E INTEGER = 0; DECLARE V INTEGER; DECLARE INSC BIGINT; DECLARE PIS BIGINT; "
        "BEGIN WHILE (E < " + std::to_string(empresas) + ") DO BEGIN "
        "  INSC = 10000000000000 + E * 1000; "
        "  INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, IC_ESTADO_EMPRESA) "
        "  VALUES (1, :INSC, 'EMPRESA ' || :E, 'E'); "
        "  V = 0; "
        "  WHILE (V < " + std::to_string(porEmpresa) + ") DO BEGIN "
        "    PIS = 10000000000 + E * 100000 + V; "
        "    INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES (:PIS, 'TRABALHADOR ' || :PIS); "
        "    INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
        "    DT_ADMISSAO_VINCULO, IC_ESTADO_MOVIMENTO, IC_VALIDACAO_VINCULO) "
        "    VALUES (1, :INSC, :PIS, 1, DATEADD(MOD(:V, 3000) DAY TO DATE '2010-01-01'), MOD(:V, 4), 'N'); "
        "    IF (MOD(:V, 5) = 0) THEN "
        "      INSERT INTO SFGTBG10_CONTA_EMPREGADO_FGTS (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
        "      DT_ADMISSAO_VINCULO, NO_EMPREGADO, NU_EMPREGADO_QUELD, NU_SITUACAO_CONTA_EMPREGADO, NU_SITUACAO_PIS, "
        "      NU_SITUACAO_CONTA_EMPRESA, VR_SALDO_RESCISORIO) VALUES (1, :INSC, :PIS, 1, "
        "      DATEADD(MOD(:V, 3000) DAY TO DATE '2010-01-01'), 'NOME NO BANCO ' || :PIS, :PIS, 0, 1, 0, 100); "
        "    IF (MOD(:V, 50) = 0) THEN "
        "      INSERT INTO SFGTBG05_ALTERACAO_CADASTRAL (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
        "      DT_ADMISSAO_VINCULO, NU_TIPO_ALTERACAO, DE_CONTEUDO_ANTERIOR, IC_CONFIRMACAO, "
        "      NU_EMPREGADO_QUELD_ALT_CDSTL) VALUES (1, :INSC, :PIS, 1, "
        "      DATEADD(MOD(:V, 3000) DAY TO DATE '2010-01-01'), 406, 'NOME NO BANCO', 'N', :PIS); "
        "    V = V + 1; "
        "  END "
        "  E = E + 1; "
        "END END");
    t.Confirmar();
    return s;
}

void RecarregarArvore(benchmark::State& state)
{
    const int porEmpresa = static_cast<int>(state.range(0)) / 100;
    auto s = BancoComVinculos(100, porEmpresa);
    drav::TDateTime pagamento = drav::NullDate;
    drav::TArvore arvore(*s, pagamento);
    for (auto _ : state) {
        if (!arvore.RecarregarArvore())
            state.SkipWithError("árvore vazia");
        // What a view asks first: the root's children in caption order.
        benchmark::DoNotOptimize(arvore.FilhosOrdenados(arvore.Raiz()).size());
    }
    state.counters["nos"] = arvore.TotalNos();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(RecarregarArvore)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// Withdrawing every closing at the root of the same portfolio, and marking the links back as they
// were, so each iteration starts from the same states.
void DesmarcarTodosNaRaiz(benchmark::State& state)
{
    auto s = BancoComVinculos(100, 500);
    drav::TDateTime pagamento = drav::NullDate;
    drav::TArvore arvore(*s, pagamento);
    arvore.RecarregarArvore();
    for (auto _ : state) {
        drav::TTransacao t(*s);
        arvore.DesmarcarTodos({2, 3});
        state.PauseTiming();
        t.Desfazer();
        arvore.RelerEstados();
        state.ResumeTiming();
    }
}
BENCHMARK(DesmarcarTodosNaRaiz)->Unit(benchmark::kMillisecond);

} // namespace
