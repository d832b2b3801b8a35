#include "model/RegistrosGravados.h"

#include "core/DBUtils.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"
#include "model/Vinculo.h"

#include <algorithm>
#include <cmath>

namespace drav {

namespace {

int64_t DiaDe(TDateTime d) { return static_cast<int64_t>(std::floor(d)); }

// Firebird refuses IN lists of more than 1,500 items.
constexpr std::size_t kPorConsulta = 1000;

std::string ListaIn(const std::vector<int64_t>& valores, std::size_t inicio)
{
    std::string s;
    const std::size_t fim = std::min(valores.size(), inicio + kPorConsulta);
    for (std::size_t i = inicio; i < fim; ++i) {
        if (i > inicio)
            s += ", ";
        s += std::to_string(valores[i]);
    }
    return s;
}

} // namespace

std::optional<TRegistrosGravados::Chave> TRegistrosGravados::ChaveDe(int tipo, int64_t inscricao, int64_t pis,
                                                                     int categoria, TDateTime admissao)
{
    // The same rule as the key filter of the queries: a part that is 0, or no date, matches nothing.
    if (tipo == 0 || inscricao == 0 || pis == 0 || categoria == 0 || !(admissao > 0))
        return std::nullopt;
    return Chave{tipo, inscricao, pis, categoria, DiaDe(admissao)};
}

std::optional<TRegistrosGravados::Chave> TRegistrosGravados::ChaveDe(const TVinculo& v)
{
    return ChaveDe(v.TipoInscricao, v.Inscricao, v.Pis, v.Categoria, v.DataAdmissao);
}

void TRegistrosGravados::CarregarEmpresas(TDBUtils& sessao, const std::set<std::pair<int, int64_t>>& empresas)
{
    for (const auto& empresa : empresas) {
        const int tipo = empresa.first;
        const int64_t inscricao = empresa.second;
        const std::string onde =
            " WHERE NU_TIPO_INSO_EMPRA = " + SqlInteiro(tipo) + " AND NU_INSCRICAO = " + SqlInteiro64(inscricao);
        auto v = sessao.AbrirConsulta(
            "SELECT NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, IC_ESTADO_MOVIMENTO FROM SFGTBG04_VINCULO_EMPREGATICIO" +
            onde);
        for (v->First(); !v->IsEmpty() && !v->Eof(); v->Next())
            if (auto k = ChaveDe(tipo, inscricao, v->Field(0).AsInt64(), static_cast<int>(v->Field(1).AsInt64()),
                                 v->Field(2).AsDateTime()))
                AdicionarVinculo(*k, static_cast<int>(v->Field(3).AsInt64()));
        auto c = sessao.AbrirConsulta("SELECT NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, AA_COMPETENCIA, "
                                      "MM_COMPETENCIA FROM SFGTBG07_COMPLEMENTO_SALDO" +
                                      onde);
        for (c->First(); !c->IsEmpty() && !c->Eof(); c->Next())
            if (auto k = ChaveDe(tipo, inscricao, c->Field(0).AsInt64(), static_cast<int>(c->Field(1).AsInt64()),
                                 c->Field(2).AsDateTime()))
                AdicionarComplemento(*k, static_cast<int>(c->Field(3).AsInt64()),
                                     static_cast<int>(c->Field(4).AsInt64()));
        const auto chaves = [&](const std::string& sql, void (TRegistrosGravados::*adicionar)(const Chave&)) {
            auto r = sessao.AbrirConsulta(sql);
            for (r->First(); !r->IsEmpty() && !r->Eof(); r->Next())
                if (auto k = ChaveDe(tipo, inscricao, r->Field(0).AsInt64(),
                                     static_cast<int>(r->Field(1).AsInt64()), r->Field(2).AsDateTime()))
                    (this->*adicionar)(*k);
        };
        chaves("SELECT DISTINCT NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO FROM SFGTBG05_ALTERACAO_CADASTRAL" + onde,
               &TRegistrosGravados::AdicionarAlteracao);
        chaves("SELECT DISTINCT NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO FROM SFGTBG10_CONTA_EMPREGADO_FGTS" + onde +
                   " AND COALESCE(NU_SITUACAO_CONTA_EMPREGADO, 0) <> 3",
               &TRegistrosGravados::AdicionarConta);
    }
}

void TRegistrosGravados::CarregarTrabalhadores(TDBUtils& sessao, const std::vector<int64_t>& pis)
{
    std::vector<int64_t> unicos;
    for (int64_t p : pis)
        if (p > 0)
            unicos.push_back(p);
    std::sort(unicos.begin(), unicos.end());
    unicos.erase(std::unique(unicos.begin(), unicos.end()), unicos.end());
    for (std::size_t i = 0; i < unicos.size(); i += kPorConsulta) {
        const std::string lista = ListaIn(unicos, i);
        auto t = sessao.AbrirConsulta("SELECT NU_PIS FROM SFGTBG03_EMPREGADO WHERE NU_PIS IN (" + lista + ")");
        for (t->First(); !t->IsEmpty() && !t->Eof(); t->Next())
            AdicionarTrabalhador(t->Field(0).AsInt64());
        auto a = sessao.AbrirConsulta("SELECT NU_PIS, DT_ADMISSAO_VINCULO FROM SFGTBG04_VINCULO_EMPREGATICIO "
                                      "WHERE NU_PIS IN (" +
                                      lista + ")");
        for (a->First(); !a->IsEmpty() && !a->Eof(); a->Next())
            AdicionarAdmissao(a->Field(0).AsInt64(), a->Field(1).AsDateTime());
    }
}

void TRegistrosGravados::AdicionarVinculo(const Chave& chave, int estado) { vinculos_[chave] = estado; }

void TRegistrosGravados::AdicionarComplemento(const Chave& chave, int ano, int mes)
{
    complementos_[chave].emplace_back(ano, mes);
}

void TRegistrosGravados::AdicionarTrabalhador(int64_t pis) { trabalhadores_.insert(pis); }

void TRegistrosGravados::AdicionarAlteracao(const Chave& chave) { alteracoes_.insert(chave); }

void TRegistrosGravados::AdicionarConta(const Chave& chave) { contas_.insert(chave); }

void TRegistrosGravados::AdicionarAdmissao(int64_t pis, TDateTime admissao)
{
    if (admissao > 0)
        admissoes_[pis].push_back(DiaDe(admissao));
}

void TRegistrosGravados::AnotarInclusao(const TVinculo& v)
{
    if (auto k = ChaveDe(v))
        AdicionarVinculo(*k, v.EstadoMovimento);
    AdicionarTrabalhador(v.Pis);
    AdicionarAdmissao(v.Pis, v.DataAdmissao);
}

std::optional<int> TRegistrosGravados::EstadoVinculo(const TVinculo& v) const
{
    const auto k = ChaveDe(v);
    if (!k)
        return std::nullopt;
    const auto it = vinculos_.find(*k);
    if (it == vinculos_.end())
        return std::nullopt;
    return it->second;
}

bool TRegistrosGravados::TrabalhadorGravado(int64_t pis) const { return trabalhadores_.count(pis) > 0; }

bool TRegistrosGravados::AdmissaoAnterior(int64_t pis, TDateTime data) const
{
    const auto it = admissoes_.find(pis);
    if (it == admissoes_.end())
        return false;
    const int64_t dia = DiaDe(data);
    return std::any_of(it->second.begin(), it->second.end(), [dia](int64_t a) { return a < dia; });
}

std::vector<std::pair<int, int>> TRegistrosGravados::Competencias(const TVinculo& v) const
{
    const auto k = ChaveDe(v);
    if (!k)
        return {};
    const auto it = complementos_.find(*k);
    return it == complementos_.end() ? std::vector<std::pair<int, int>>{} : it->second;
}

bool TRegistrosGravados::TemAlteracoes(const TVinculo& v) const
{
    const auto k = ChaveDe(v);
    return k && alteracoes_.count(*k) > 0;
}

bool TRegistrosGravados::TemContas(const TVinculo& v) const
{
    const auto k = ChaveDe(v);
    return k && contas_.count(*k) > 0;
}

} // namespace drav
