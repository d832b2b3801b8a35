#pragma once
#include "core/Datas.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace drav {

class TDBUtils;
class TResponsavel;
class TVinculo;

// Outcome of a validation run.
struct TRetValidaCadastro {
    std::string Codigo;    // code of the last link examined: its first failing check, empty when it passed
    bool Gravado = false;  // at least one inconsistency was recorded during the run
};

// One link that failed, with the check that failed first.
struct TAchadoValidacao {
    int TipoInscricao = 0;
    int64_t Inscricao = 0;
    int64_t Pis = 0;
    int Categoria = 0;
    TDateTime DataAdmissao = NullDate;
    std::string RazaoSocial;
    std::string NomeEmpregado;
    std::string Codigo;   // message code as the check left it ("14" and "15" have two digits)
    std::string Verificacao; // name of the check, e.g. "ValidarCbo"
    std::string Conteudo; // what the checked field held
};

// What a caller that lives above this layer (the navigation tree) needs of the validation.
class IValidacaoVinculo {
public:
    virtual ~IValidacaoVinculo() = default;
    virtual TRetValidaCadastro ValidarVinculo(int tipoInscricao, int64_t inscricao, int64_t pis, int categoria,
                                              TDateTime admissao) = 0;
    virtual TRetValidaCadastro ValidarEmpresa(int tipoInscricao, int64_t inscricao) = 0;
    virtual TRetValidaCadastro ValidarTodos() = 0;
};

// Validates links as a whole before they may take part in a collection: the worker, the link, its
// employer and its rescission data, with the worker's, the link's and the rescission data's own
// checks, in the order the worker form runs them; the first failing check of each link is its
// finding. Each finding is recorded in the inconsistency register under the closing's number (3)
// when Registrar is on, and every examined link gets its validation flag ('S' inconsistent, 'N'
// passed); a marked link that fails goes back to state 0.
//
// A run reads its links with their worker, employer and rescission rows in one query and the
// balance complements and the worker's other links in one more each; the reference tables the
// checks consult are read once per run. The flags of a run are written in one transaction (the
// caller's when it holds one); register rows are committed one by one, as everywhere else.
class TValidacaoVinculo : public IValidacaoVinculo {
public:
    explicit TValidacaoVinculo(TDBUtils& sessao);
    ~TValidacaoVinculo() override;

    bool Registrar = true;               // record findings in the inconsistency register
    TResponsavel* Responsavel = nullptr; // when null the stored responsible is read once per run

    TRetValidaCadastro ValidarVinculo(int tipoInscricao, int64_t inscricao, int64_t pis, int categoria,
                                      TDateTime admissao) override;
    TRetValidaCadastro ValidarEmpresa(int tipoInscricao, int64_t inscricao) override;
    TRetValidaCadastro ValidarTodos() override;

    // The rows of a link's held result set, from its current position to the end (the link is
    // left at its end, as a walk over the set leaves it).
    TRetValidaCadastro ValidarCadastros(TVinculo& vinculos);

    // Findings of the last run, in the order the links were examined.
    const std::vector<TAchadoValidacao>& Achados() const { return achados_; }
    int VinculosExaminados() const { return examinados_; }
    // Statements the last run sent to the database (reads and writes, register rows included).
    int64_t ComandosBanco() const;

private:
    struct Dados;
    // Validates the links that meet the condition (every link when it is empty).
    TRetValidaCadastro Executar(const std::string& condicao);

    TDBUtils& sessao_;
    std::vector<TAchadoValidacao> achados_;
    int examinados_ = 0;
    int64_t comandos_ = 0;
};

} // namespace drav
