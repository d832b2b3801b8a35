#pragma once
#include "core/Datas.h"
#include "files/Arquivo.h"
#include "files/Execucao.h"
#include "files/LayoutSaldo.h"
#include "model/RegRegistro.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace drav {

class TAlteracaoCadastral;
class TContaSaldoTrabalhador;
class TEmpresa;
class TEmpregado;
class TResponsavel;
class TVinculo;
class ITabelasIndices;

// One account of the balance file as it is stored in SFGTBG10_CONTA_EMPREGADO_FGTS, with the name
// the bank holds it under.
struct TDadosConta {
    int TipoInscricao = 0;
    int64_t Inscricao = 0;
    int64_t Pis = 0;
    int Categoria = 0;
    TDateTime DataAdmissao = NullDate;
    int64_t NumeroEmpregadoQueld = 0;
    std::string Nome;
    double SaldoRescisorio = 0;
    int SituacaoPis = 0;
    int SituacaoConta = 0;
    int AnoMaiorCompetencia = 0;
    int MesMaiorCompetencia = 0;
    TDateTime DataGravacaoArquivo = NullDate;
    int SituacaoContaEmpresa = 0;
    int64_t NumeroEmpresaQueld = 0;
    TDateTime DataCreditoJuros = NullDate;

    bool MesmoVinculo(const TDadosConta& o) const;
};

// An account of a link that is closed, sent or paid: the load does not store it, the user decides.
struct TContaPendente {
    TDadosConta Conta;
    bool Regular = false; // ContaRegular when it was read
};

// The bank's answer to a balance request. Reads the whole file, checks its structure, totals and
// every field (findings go to the inconsistency register under file number 2), and stores the
// accounts of open links, which refreshes their balance for rescission purposes. Accounts of
// links already closed, sent or paid are kept in Pendentes for the confirmation afterwards.
//
// Everything the load writes is one transaction, committed at the end; an account whose insert
// fails is undone alone (and reported), a cancelled or aborted load leaves nothing. Progress and
// cancelling go through the sink; the tree is reached only through RecarregarArvore.
class TArqCargaSaldo : public TArquivo {
public:
    explicit TArqCargaSaldo(TDBUtils& sessao, IProgresso* progresso = nullptr);
    ~TArqCargaSaldo() override;

    bool AlgoGravado = false;
    bool AtualizarArvore = false; // a name change was recorded
    bool Pendente = false;        // Pendentes holds accounts of closed links
    int32_t QuantidadeEmpresas = 0;
    int32_t VinculosEmpresa = 0;
    int32_t VinculosArquivo = 0;
    int32_t QuantidadeTotaisEmpresa = 0;
    int64_t SomaEmpresa = 0; // cents, as the file writes them
    int64_t SomaArquivo = 0;
    TDateTime DataGravacao = NullDate;
    std::string IdentificadorSolicitacao;
    TDateTime DataCarga = NullDate; // set by the caller: when the load started
    TArrRegRegistro Registros;      // identification of each line, filled by ValidarEstrutura
    std::vector<TContaPendente> Pendentes;

    // Rebuilds the navigation tree after a load that recorded name changes (the caller hands it
    // to its own thread). Called after the commit.
    std::function<void()> RecarregarArvore;

    void DefinirProgresso(IProgresso* progresso) { progresso_ = progresso; }

    bool Processar() override;
    bool Gerar() override { return false; }

    bool LerRegistro(const std::string& linha, TRegSaldo& reg) const { return LerRegSaldo(linha, reg); }
    bool ValidarEstrutura();
    bool ConferirTotais(const TRegSaldo& reg, std::size_t i);
    bool ValidarRegistroCabecalho(const TRegSaldo& reg, std::size_t i);
    bool ValidarRegistroEmpresa(const TRegSaldo& reg, std::size_t i);
    bool ValidarRegistroConta(const TRegSaldo& reg, std::size_t i);
    bool GravarConta(std::size_t i);
    bool ContaRegular(TAlteracaoCadastral& alteracao);

    bool FoiCancelado() const { return cancelado_; }

protected:
    void Inicializar() override;

private:
    // --- recording ---------------------------------------------------------------------------
    // One row for line `i` with the identification its record type calls for.
    void Registrar(std::size_t i, const std::string& conteudo, int codigo);
    void Registrar(std::size_t i, const std::string& conteudo, const std::string& codigo);
    void RegistrarComo(std::size_t i, const std::string& tipoRegistro, const std::string& conteudo, int codigo);
    // Digits only, else the integer/amount check's code with the label and the value.
    bool Digitos(std::size_t i, const std::string& campo, const std::string& rotulo);
    // The date check: NullDate when blank or zeros, DataInvalida (recorded) when not a date.
    TDateTime Data(std::size_t i, const std::string& campo, const std::string& rotulo);

    // --- steps -----------------------------------------------------------------------------------
    bool Cancelou();
    void Avancar();
    void Etapa(int etapa);
    void IdentificarLinha(std::size_t i, std::size_t& empresaAtual);
    bool PassagemTotais();
    void PassagemCampos();
    void ExcluirContasVinculo();
    void Desfazer();

    IProgresso* progresso_;
    bool cancelado_ = false;
    std::unique_ptr<TResponsavel> responsavel_;
    std::unique_ptr<TEmpresa> empresa_;
    std::unique_ptr<TContaSaldoTrabalhador> conta_;
    std::unique_ptr<TVinculo> vinculo_;
    std::unique_ptr<TEmpregado> trabalhador_;
    std::unique_ptr<TAlteracaoCadastral> alteracao_;
    // Key of the link whose old accounts were last deleted; valid only while ultimoValido_.
    TDadosConta ultimoVinculo_;
    bool ultimoValido_ = false;
};

// The kind-2 job of the runner: the load object is the caller's, so that the completion step can
// read what it left (pending accounts, request identifier) once the worker is done.
TResultadoProcesso ProcessarCargaSaldo(TArqCargaSaldo& carga, IProgresso& progresso);

// Marks the protocol row of the balance request `identificador` answered, valid or not. Only a
// balance-request row is touched: an identifier that names another kind of file changes nothing.
bool MarcarSolicitacaoSaldo(TDBUtils& sessao, const std::string& identificador, bool valido);

// --- confirmation of accounts of links not open ------------------------------------------------

// One link of the pending accounts, as the confirmation window lists it.
struct TVinculoPendente {
    int TipoInscricao = 0;
    int64_t Inscricao = 0;
    int64_t Pis = 0;
    int Categoria = 0;
    TDateTime DataAdmissao = NullDate;
    int Estado = 0;             // IC_ESTADO_MOVIMENTO now
    std::string NomeCadastrado; // the worker's registered name
    std::vector<TContaPendente> Contas;
};

// The pending accounts grouped by link, in the order they were read, with each link's state and
// registered name read from the database.
std::vector<TVinculoPendente> AgruparPendentes(TDBUtils& sessao, const std::vector<TContaPendente>& pendentes);

enum class ResultadoConfirmacao {
    Gravado,            // every selected link took its accounts
    GravadoComPendencia, // stored, but an account is not regular: warning "0253"
    Falhou,             // rolled back; nothing changed
};

// Stores the accounts of the selected links in one transaction: their old accounts go, the
// pending ones come in under the registered name, a closed link's calculation is emptied and the
// link returns to state 0 with its balance, complement deposits and the worker's open complements
// with that employer brought up to date. `erro` receives the reason of a failure.
ResultadoConfirmacao ConfirmarContasPendentes(TDBUtils& sessao, const ITabelasIndices& tabelas, TDateTime dataEdital,
                                              const std::vector<TVinculoPendente>& selecionados,
                                              std::string* erro = nullptr);

} // namespace drav
