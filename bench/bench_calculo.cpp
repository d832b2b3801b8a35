// How fast the rescission calculation runs over a large portfolio held in memory: a closing of
// tens of thousands of links must not wait on the arithmetic.
#include "calc/Calculo.h"
#include "calc/DiaUtil.h"
#include "calc/Inconsistencia.h"
#include "calc/Indices.h"
#include "core/Datas.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using drav::CodificarData;
using drav::TDateTime;

constexpr int kVinculos = 50000;

// Monday to Friday of 2003 to 2005.
drav::TCalendarioMemoria Calendario()
{
    std::vector<TDateTime> dias;
    for (TDateTime d = CodificarData(2003, 1, 1); d <= CodificarData(2005, 12, 31); d += 1)
        if (static_cast<int>(d) % 7 >= 2)
            dias.push_back(d);
    return drav::TCalendarioMemoria(dias);
}

// Every index the portfolio below asks for when paid on 15/06/2004 (edital 01/06/2004).
drav::TTabelasIndicesMemoria Tabelas()
{
    drav::TTabelasIndicesMemoria t;
    const TDateTime edital = CodificarData(2004, 6, 1), pagamento = CodificarData(2004, 6, 15);
    t.AdicionarProrata(edital, pagamento, {0.0801, 0.0809, 0.0816});
    for (int mes = 1; mes <= 12; ++mes) {
        for (int ano : {2003, 2004}) {
            drav::TIndicesSimplificados l;
            for (int p = 0; p < drav::kPeriodosOpcao; ++p) {
                l.Jam[p] = 0.0112 + 0.0001 * mes;
                l.Simplificado1[p] = 1.01;
                l.Simplificado2[p] = 1.02;
            }
            t.AdicionarSimplificado(edital, CodificarData(ano, mes, 1), l);
        }
    }
    for (TDateTime d = CodificarData(2004, 1, 1); d <= CodificarData(2004, 8, 31); d += 1)
        t.AdicionarGuia(edital, d, pagamento, {0.0812 + (static_cast<int>(d) % 10) * 1e-5, 0.5123});
    return t;
}

// A varied portfolio: dismissals from January to May 2004, every notice type, categories 1, 4
// and 7, balances from the employer and from the accounts, some with a dissídio; paid on
// 15/06/2004, so most parcels are late and need every index.
std::vector<drav::TEntradaCalculo> Carteira()
{
    std::vector<drav::TEntradaCalculo> v;
    v.reserve(kVinculos);
    uint32_t semente = 12345;
    auto sorteio = [&semente](uint32_t n) {
        semente = semente * 1103515245u + 12345u;
        return (semente >> 8) % n;
    };
    const char* movimentos[] = {"I1", "I1", "I2", "I4", "L", "I3"};
    const int categorias[] = {1, 1, 1, 4, 7};
    for (int i = 0; i < kVinculos; ++i) {
        drav::TEntradaCalculo e;
        e.TipoInscricao = 1;
        e.Inscricao = 11222333000181;
        e.Pis = 10000000000 + i;
        e.Categoria = categorias[sorteio(5)];
        e.DataAdmissao = CodificarData(2000 + static_cast<int>(sorteio(4)), 1 + static_cast<int>(sorteio(12)), 2);
        e.DataOpcao = e.DataAdmissao;
        e.Movimentacao = movimentos[sorteio(6)];
        e.DataMovimentacao = CodificarData(2004, 1 + static_cast<int>(sorteio(5)), 1 + static_cast<int>(sorteio(28)));
        e.AvisoPrevio = static_cast<int>(sorteio(4));
        e.Fpas = sorteio(10) == 0 ? 604 : 507;
        e.Simples = 1 + static_cast<int>(sorteio(3));
        e.RemuneracaoAnterior = 800 + sorteio(900000) / 100.0;
        e.RemuneracaoRescisao = 100 + sorteio(900000) / 100.0;
        e.ValorAvisoPrevio = e.AvisoPrevio == 2 ? 800 + sorteio(900000) / 100.0 : 0;
        e.SaldoRescisorio = sorteio(5000000) / 100.0;
        e.OrigemSaldo = sorteio(2) ? "C" : "E";
        e.DataCreditoJuros = CodificarData(2004, 1 + static_cast<int>(sorteio(5)), 10);
        if (sorteio(20) == 0) {
            e.DataDissidio = e.DataMovimentacao + 20;
            e.ValorDissidio = 1000 + sorteio(100000) / 100.0;
        }
        e.DataPagamento = CodificarData(2004, 6, 15);
        v.push_back(std::move(e));
    }
    return v;
}

void CalcularCarteira(benchmark::State& state)
{
    const drav::TCalendarioMemoria calendario = Calendario();
    const drav::TTabelasIndicesMemoria tabelas = Tabelas();
    const std::vector<drav::TEntradaCalculo> carteira = Carteira();
    drav::TRegistroInconsistenciasMemoria registro;
    drav::TCalculo calculo(calendario, tabelas, &registro);
    int64_t calculados = 0;
    double total = 0;
    for (auto _ : state) {
        calculados = 0;
        total = 0;
        for (const auto& e : carteira) {
            if (calculo.Calcular(e))
                ++calculados;
            total += calculo.ValorTotal();
        }
        benchmark::DoNotOptimize(total);
    }
    // A portfolio that mostly fails would measure the failure path, not the calculation.
    if (calculados < kVinculos * 9 / 10)
        throw std::runtime_error("only " + std::to_string(calculados) + " links calculated");
    state.counters["calculados"] = static_cast<double>(calculados);
    state.counters["inconsistencias"] = static_cast<double>(registro.Linhas.size());
    state.SetItemsProcessed(state.iterations() * kVinculos);
}
BENCHMARK(CalcularCarteira)->Unit(benchmark::kMillisecond);

} // namespace
