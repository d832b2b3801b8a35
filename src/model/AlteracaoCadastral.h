#pragma once
#include "core/Datas.h"
#include "core/Negocio.h"

#include <cstdint>
#include <memory>
#include <string>

namespace drav {

class TEmpregado;
class TMensagens;
using TTrabalhador = TEmpregado;

// Kind of change the program records: the worker's name as the bank holds it.
inline constexpr const char* AlteracaoNome = "406";

// A registration change (SFGTBG05_ALTERACAO_CADASTRAL): the bank holds one of the worker's FGTS
// accounts under a name that differs from the registered one. Born pending ("N") by the balance
// load; the user either adopts the bank's name or keeps the registered one ("S").
//
// Numbers are held as decimal texts; every statement writes them through the number helper, so a
// text that is not a number becomes Null instead of reaching the SQL.
class TAlteracaoCadastral : public TNegocio {
public:
    explicit TAlteracaoCadastral(TDBUtils& sessao);
    ~TAlteracaoCadastral() override;

    std::string Confirmacao;      // "N" pending, "S" confirmed (the registered name was kept)
    std::string Pis;
    std::string ConteudoAnterior; // for kind 406: the worker's name as the bank holds it
    std::string Inscricao;
    std::string TipoAlteracao;    // "406"
    std::string Categoria;
    std::string TipoInscricao;
    TDateTime DataAdmissao = NullDate;
    std::string NumeroEmpregadoQueld; // the bank's number of the worker account concerned
    std::string NumeroEmpresaQueld;   // the bank's number of the employer account

    // The owned worker, created on first access and loaded by Pis only when CarregaRelacionados.
    TTrabalhador& Trabalhador();

    // Every change, by link key, kind and account; the first row is loaded. False when none.
    bool ListarTodas();

    // False when the statement fails (no message code).
    bool Incluir();
    bool Alterar();
    // With `todas` every row of the table; otherwise the employer's rows narrowed by each key part
    // that is set (PIS, category, admission above 0, kind). The account number never filters.
    bool Excluir(bool todas);

    // A change of kind 406 exists for the link (and account, when NumeroEmpregadoQueld is set),
    // pending or confirmed. Database failures propagate.
    bool ExisteAlteracaoNome();
    // The registered name of the PIS equals `nome` when only the letters a to z are upper-cased
    // on both sides; nothing is trimmed; a PIS without a worker compares against "".
    bool NomeConfere(const std::string& nome, int64_t pis);
    // Applies the user's decision on the link's pending name change, in the caller's transaction:
    // "N" adopts the bank's `nome` (the worker renamed, every change of the link deleted); any other
    // decision keeps the registered name (the change of the account that carries `nome` confirmed,
    // every other pending change of the link deleted). Database failures propagate.
    void ResolverAlteracaoNome(int16_t tipoInscricao, int16_t categoria, char decisao, const std::string& nome,
                               TDateTime admissao, int64_t pis, int64_t inscricao);

protected:
    void Inicializar() override;
    void Limpar() override;
    void CarregarCampos() override;

private:
    std::string ChaveSql() const;
    std::unique_ptr<TTrabalhador> trabalhador_;
};

// How the user's decision on a name change ended.
enum class ResultadoDecisaoNome {
    Adotado,      // the bank's name replaced the registered one
    Mantido,      // the registered name was kept
    Cancelado,    // nothing was written
    NomeInvalido, // the bank's name fails the worker's name check; nothing was written
};

// The user's decision on one pending name change of a link, as the main window asks it: question
// "990301" (Yes keeps the registered name, No adopts the bank's name, Cancel leaves everything).
// The transaction it opens (when the caller holds none) is always closed, whatever the answer;
// `codigoErro` receives "99" and the name check's code when the name is refused (after the
// message was shown).
ResultadoDecisaoNome DecidirAlteracaoNome(TDBUtils& sessao, TMensagens& mensagens, int16_t tipoInscricao,
                                          int64_t inscricao, int64_t pis, int16_t categoria, TDateTime admissao,
                                          const std::string& nomeBanco, std::string* codigoErro = nullptr);

} // namespace drav
