// Validating a whole portfolio: N links of one worker each, spread over employers of 500 links,
// one in ten failing a rule. Run with --benchmark_filter=Validacao; the time should grow linearly.
#include "calc/ValidacaoVinculo.h"

#include "core/DBUtils.h"
#include "core/Datas.h"
#include "core/IbxUtils.h"
#include "core/Verificacoes.h"
#include "store/CriacaoBanco.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace {

using namespace drav;

// A valid PIS for a running number (the check digit computed as the worker's check does).
std::string Pis(int64_t n)
{
    std::string base = std::to_string(1000000000LL + n);
    static const int pesos[] = {3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    int soma = 0;
    for (int i = 0; i < 10; ++i)
        soma += (base[i] - '0') * pesos[i];
    int dv = 11 - soma % 11;
    if (dv >= 10)
        dv = 0;
    return base + std::to_string(dv);
}

// A valid CNPJ for a running number.
std::string Cnpj(int n)
{
    std::string b = std::to_string(10000000 + n) + "0001";
    auto dv = [](const std::string& s, std::initializer_list<int> pesos) {
        int soma = 0, i = 0;
        for (int p : pesos)
            soma += (s[i++] - '0') * p;
        const int r = soma % 11;
        return r < 2 ? 0 : 11 - r;
    };
    b += std::to_string(dv(b, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}));
    b += std::to_string(dv(b, {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}));
    return b;
}

struct Base {
    std::filesystem::path pasta;
    std::unique_ptr<TIbxUtils> sessao;
};

Base& BancoCom(int n)
{
    static std::map<int, Base> bases;
    auto it = bases.find(n);
    if (it != bases.end())
        return it->second;
    Base b;
    b.pasta = std::filesystem::temp_directory_path() / ("drav-bench-validacao-" + std::to_string(n));
    std::filesystem::remove_all(b.pasta);
    std::filesystem::create_directories(b.pasta);
    const auto arquivo = b.pasta / "DRAV.FDB";
    CriarBancoCompleto(arquivo);
    b.sessao = std::make_unique<TIbxUtils>();
    b.sessao->DatabaseName = arquivo.string();
    b.sessao->User = kUsuarioBanco;
    b.sessao->Password = kSenhaBanco;
    b.sessao->Conectar();
    TDBUtils& s = *b.sessao;
    TTransacao t(s);
    for (int i = 0; i < n; ++i) {
        const std::string empresa = Cnpj(i / 500);
        if (i % 500 == 0)
            s.ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_SIMPLES, SG_UF, NU_INSS, "
                          "NO_RAZAO_SOCIAL, IC_ESTADO_EMPRESA) VALUES (1, " + empresa + ", 1, 'SP', 515, 'EMPRESA " +
                          std::to_string(i / 500) + "', 'E')");
        const std::string pis = Pis(i);
        s.ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NU_GRAU_INSTRUCAO, NO_EMPREGADO, NU_CTPS, NU_SERIE_CTPS, "
                      "IC_SEXO, DT_NASCIMENTO, NU_INSCRICAO_CPF) VALUES (" + pis +
                      ", 7, 'MARIA DA SILVA', 1234567, 123, '2', '1985-07-20', 52998224725)");
        const std::string adm = "'" + DataIso(CodificarData(2010, 1, 4) + i % 3000) + "'";
        const std::string chave = "1, " + empresa + ", " + pis + ", 1, " + adm;
        s.ExecutarSQL("INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                      "NU_CATEGORIA, DT_ADMISSAO_VINCULO, CO_MOVIMENTACAO, DT_MOVIMENTACAO_VINCULO, CO_CBO, CO_SAQUE, "
                      "DT_OPCAO, NU_TIPO_INSO_TMDR, NU_INSCRICAO_TMDR, IC_AVISO_PREVIO, IC_REPOSICAO_VAGAS, "
                      "QT_HORAS_TRBS_SMNA, NU_BANCO_CONTA, NU_AGENCIA_CONTA, NU_CONTA_BANCARIA, IC_ESTADO_MOVIMENTO) "
                      "VALUES (" + chave + ", 'I1', '2024-05-31', " + (i % 10 == 0 ? "'999999'" : "'000101'") +
                      ", '01', " + adm + ", 0, 0, '2', 'N', 44, 1, 1234, 987654, 1)");
        s.ExecutarSQL("INSERT INTO SFGTBG06_INFORMACAO_RESCISAO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                      "NU_CATEGORIA, DT_ADMISSAO_VINCULO, VR_REMUNERACAO_ANTERIOR_RSCSO, VR_REMUNERACAO_RESCISAO, "
                      "VR_AVISO_PREVIO, IC_TIPO_PNSO_ALMNA, IC_ORIGEM_SALDO_RESCISORIO) VALUES (" + chave +
                      ", 2500, 2600.5, 3000, 'N', 'N')");
    }
    t.Confirmar();
    return bases.emplace(n, std::move(b)).first->second;
}

// range(1) = 1 records the findings (one committed register row per failing link), 0 only flags.
void BM_ValidacaoCarteira(benchmark::State& estado)
{
    const int n = static_cast<int>(estado.range(0));
    Base& b = BancoCom(n);
    for (auto _ : estado) {
        TValidacaoVinculo v(*b.sessao);
        v.Registrar = estado.range(1) != 0;
        const TRetValidaCadastro r = v.ValidarTodos();
        if (v.VinculosExaminados() != n || static_cast<int>(v.Achados().size()) != (n + 9) / 10)
            estado.SkipWithError("resultado inesperado");
        benchmark::DoNotOptimize(r);
    }
    estado.SetItemsProcessed(estado.iterations() * n);
}
BENCHMARK(BM_ValidacaoCarteira)
    ->ArgsProduct({{2500, 5000, 10000}, {1, 0}})
    ->ArgNames({"vinculos", "registro"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
