#pragma once
#include "core/Datas.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace drav {

class TDBUtils;
class TVinculo;

// What the link checks and a worker's writes ask about rows already stored, read in bulk. A run
// over many links (a payroll file, the closing validation) asking these one link at a time spent
// most of its time in those queries; it loads them once and keeps them current as it writes.
// A link, its worker and the checks consult it through TVinculo::Gravados; left unset they query.
class TRegistrosGravados {
public:
    // type, inscription, PIS, category, admission day
    using Chave = std::tuple<int, int64_t, int64_t, int, int64_t>;

    // The key of a link, or nothing when a part is missing (such a key matches no stored row).
    static std::optional<Chave> ChaveDe(int tipo, int64_t inscricao, int64_t pis, int categoria, TDateTime admissao);
    static std::optional<Chave> ChaveDe(const TVinculo& v);

    // Every stored link of these employers with its state, their complements' competences, and
    // which of them have registration changes or live FGTS accounts.
    void CarregarEmpresas(TDBUtils& sessao, const std::set<std::pair<int, int64_t>>& empresas);
    // Which of these workers are stored, and the admission days of all their stored links.
    void CarregarTrabalhadores(TDBUtils& sessao, const std::vector<int64_t>& pis);

    void AdicionarVinculo(const Chave& chave, int estado);
    void AdicionarComplemento(const Chave& chave, int ano, int mes);
    void AdicionarTrabalhador(int64_t pis);
    void AdicionarAlteracao(const Chave& chave);
    void AdicionarConta(const Chave& chave);
    void AdicionarAdmissao(int64_t pis, TDateTime admissao);
    // A link just written: it, its worker and its admission are stored from now on.
    void AnotarInclusao(const TVinculo& v);

    std::optional<int> EstadoVinculo(const TVinculo& v) const;
    bool TrabalhadorGravado(int64_t pis) const;
    // Whether a stored link of the worker was admitted before `data` (a day).
    bool AdmissaoAnterior(int64_t pis, TDateTime data) const;
    // The link's stored complement competences as (year, month).
    std::vector<std::pair<int, int>> Competencias(const TVinculo& v) const;
    bool TemAlteracoes(const TVinculo& v) const;
    // An account not closed (situation other than 3): the link's balance follows its accounts.
    bool TemContas(const TVinculo& v) const;

private:
    std::map<Chave, int> vinculos_;
    std::map<Chave, std::vector<std::pair<int, int>>> complementos_;
    std::set<Chave> alteracoes_, contas_;
    std::unordered_set<int64_t> trabalhadores_;
    std::unordered_map<int64_t, std::vector<int64_t>> admissoes_;
};

} // namespace drav
