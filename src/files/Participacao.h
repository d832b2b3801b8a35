#pragma once
#include "core/Datas.h"
#include "core/Mensagens.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace drav {

class TArvore;
class TDBUtils;
class TResponsavel;
class TVinculo;

// Where the participation commands reach the modules that check and refresh a link's registration
// as a whole. Each is optional: while a module is not installed its step is left out, which is
// what these defaults say.

// The validation of a link's registration (employer, worker, link and rescission data together).
// Without it a link flagged inconsistent is checked only by the participation rules themselves.
class IValidacaoCadastros {
public:
    virtual ~IValidacaoCadastros() = default;
    // The code of the first inconsistency of the link, empty when there is none. Records nothing.
    virtual std::string ValidarCadastros(TVinculo& vinculo) = 0;
};

// The balance complements of links (SFGTBG07), refreshed when a closing is withdrawn. Without it
// the complements keep the deposits they were computed with. A value of -1 leaves that part of the
// key out of the filter; failures are thrown.
class IComplementosSaldo {
public:
    virtual ~IComplementosSaldo() = default;
    // Recomputes the deposits of every complement of the open links (states 0 and 1).
    virtual void RecalcularComplementosAbertos(int tipoInscricao, int64_t pis, int64_t inscricao) = 0;
    // Writes the sum of each link's complement deposits into its rescission row.
    virtual void AtualizarDepositosRescisao(int tipoInscricao, int categoria, TDateTime admissao, int64_t pis,
                                            int64_t inscricao) = 0;
};

// The registration validation of the calculation layer behind IValidacaoCadastros: one link at a
// time, nothing recorded (the participation records its own failures); the link's validation flag
// is written as that validation always does.
class TValidacaoCadastrosBanco : public IValidacaoCadastros {
public:
    explicit TValidacaoCadastrosBanco(TDBUtils& sessao) : sessao_(sessao) {}
    std::string ValidarCadastros(TVinculo& vinculo) override;

private:
    TDBUtils& sessao_;
};

// The balance complements of the calculation layer behind IComplementosSaldo, computed with the
// installed index tables of the given edital. A complement whose deposit cannot be computed keeps
// the deposit it had; a database failure is thrown.
class TComplementosSaldoBanco : public IComplementosSaldo {
public:
    // The edital is read at each use: an index import may install another one meanwhile.
    TComplementosSaldoBanco(TDBUtils& sessao, const TDateTime& dataEdital) : sessao_(sessao), dataEdital_(dataEdital) {}
    void RecalcularComplementosAbertos(int tipoInscricao, int64_t pis, int64_t inscricao) override;
    void AtualizarDepositosRescisao(int tipoInscricao, int categoria, TDateTime admissao, int64_t pis,
                                    int64_t inscricao) override;

private:
    TDBUtils& sessao_;
    const TDateTime& dataEdital_;
};

// Validation modes of ValidarParticipacao.
inline constexpr int ValidacaoMostrar = 1;   // the first failure is shown and ends the command
inline constexpr int ValidacaoRegistrar = 2; // every failure is recorded (closing inconsistencies)

// Account-warning scopes of VerificarContas.
inline constexpr int ContasTodos = 0, ContasEmpresa = 1, ContasVinculo = 2;

// The participation of links in the open collection: marking them (after validating each one),
// unmarking them and withdrawing a closing, for one link, one employer or the whole tree. The
// commands ask and tell through the messages, so the window and the command line share them.
class TParticipacao {
public:
    TParticipacao(TArvore& arvore, TMensagens& mensagens);

    IValidacaoCadastros* Validacao = nullptr;
    IComplementosSaldo* Complementos = nullptr;
    // Shows the closing inconsistency listing when the user asks for it after a marking left
    // links out. Without it the user is told that the links were not marked.
    std::function<void()> MostrarInconsistencias;

    // Puts the installed registration validation and balance complements behind the two
    // interfaces (what the window and the command line use).
    void UsarModulosInstalados(const TDateTime& dataEdital);

    // --- the main window's commands (the root node stands for every node) -------------------------
    // Each returns true when it changed something.
    bool Marcar(int indice);
    bool Desmarcar(int indice);
    // Asks for confirmation, then runs every step in one transaction. A failure rolls all steps
    // back, puts the register back as the database holds it and is passed on to be reported.
    bool RetirarFechamento(int indice);

    // --- the operations the commands are made of, also used by closing -------------------------------
    // The code of the warning to ask before marking, empty when none applies.
    std::string VerificarContas(int indice, int escopo);
    // The checks a link must pass to take part in the collection. `origem` is "PARTICIPAR",
    // "PARTICIPAR_EMPRESA", "PARTICIPAR_RESP", "SIMULACAO" or "FECHAMENTO"; the responsible, when
    // given, goes into the recorded inconsistencies.
    bool ValidarParticipacao(int modo, TVinculo& vinculo, const std::string& origem,
                             const TResponsavel* responsavel = nullptr);
    // Marks one link when `prosseguir`; false when it was not marked.
    bool MarcarVinculo(int indice, bool prosseguir);
    // Marks the open links of one employer / of every employer, leaving out those whose account
    // was not found (situation 3) unless asked. True when no link failed its validation.
    bool MarcarEmpresa(int indice, bool incluirSituacao3);
    bool MarcarTodos(bool incluirSituacao3);
    // Deletes the rows of one kind of run from the inconsistency register.
    void ExcluirInconsistencias(int numeroArquivo);

    // "O item selecionado não pode ser modificado." for a closed or processed node.
    static const char* const kTextoNaoModificavel;

private:
    TDBUtils& Sessao() const;
    bool NaoModificavel(int indice) const;
    void AvisarNaoModificavel();
    bool Perguntar(const std::string& codigo);
    void Falhar(int modo, const std::string& codigo, TVinculo& vinculo, const TResponsavel* responsavel);
    bool ValidarEMarcar(int indice, const std::string& origem);
    void PassosRetirada(int indice);

    TArvore& arvore_;
    TMensagens& mensagens_;
    std::unique_ptr<IValidacaoCadastros> validacaoPropria_;
    std::unique_ptr<IComplementosSaldo> complementosProprios_;
};

// Opening or re-dating the collection with its payment date.
struct TResultadoAbertura {
    bool Aberta = false;
    std::string Codigo;     // message to show when refused (may carry a window prefix)
    TipoMensagem Tipo = mtError;
    std::string Argumento;
};
// The date must be a real date with pro-rata indices in the installed index table; the
// responsible's row keys the collection. On success the date is stored and becomes the tree's
// payment date.
TResultadoAbertura AbrirRecolhimento(TArvore& arvore, TDateTime data, TDateTime dataEdital);

} // namespace drav
