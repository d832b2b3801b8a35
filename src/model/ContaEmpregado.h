#pragma once
#include "core/Datas.h"
#include "core/Negocio.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace drav {

class TEmpregado;
class TInformacaoRescisao;
class TVinculo;

// One FGTS account the bank holds for a link (SFGTBG10_CONTA_EMPREGADO_FGTS), as the bank's
// balance file brought it. Key: the link key plus the bank's account number. Situation 3 means
// "no account found" and is left out of every balance question; which accounts add up to the
// link's balance is decided once, in SaldoRescisorio.h, and this class only asks it.
class TContaSaldoTrabalhador : public TNegocio {
public:
    explicit TContaSaldoTrabalhador(TDBUtils& sessao);
    ~TContaSaldoTrabalhador() override;

    int TipoInscricao = 0;
    int64_t Inscricao = 0;
    int64_t Pis = 0;
    int Categoria = 0;
    TDateTime DataAdmissao = NullDate;
    int MesMaiorCompetencia = 0;
    int SituacaoConta = 0;        // 0 to 3
    int SituacaoPis = 0;          // 1 or 2; 0 for account situation 3
    int64_t NumeroEmpregadoQueld = 0;
    double SaldoRescisorio = 0;
    int AnoMaiorCompetencia = 0;
    TDateTime DataGravacaoArquivo = NullDate;
    int SituacaoContaEmpresa = 0;
    int64_t NumeroEmpresaQueld = 0;
    TDateTime DataCreditoJuros = NullDate;

    // Created on first use; loaded for this account's key while CarregaRelacionados is true. The
    // balance load fills the worker's name by hand instead (it is what Incluir stores).
    TEmpregado& Trabalhador();
    TInformacaoRescisao& Rescisao();
    TVinculo& Vinculo();

    // --- queries: each replaces the held result set; false with "0144" on a database failure ---
    // The accounts of the object's link: in every situation but 3, or in the situations given.
    bool ConsultarContas(const std::vector<int>& situacoes = {});
    bool ConsultarPorEmpresa(const std::string& ordem = {});
    bool ConsultarPorPis(const std::string& ordem, int64_t pis);
    // Accounts of links in the given movement states (optionally only the object's employer, and
    // only the bank account numbers given).
    bool ConsultarPorEstado(const std::vector<int>& estados, bool apenasEmpresa,
                            const std::vector<std::string>& numerosConta = {});
    // Moves to the first held row equal on all six; false when none.
    bool LocalizarConta(int tipoInscricao, int categoria, int64_t numeroConta, int64_t pis, TDateTime admissao,
                        int64_t inscricao);

    // --- questions about the object's link (false / 0 on a database failure) -------------------
    bool ExistemContasComSaldo();
    bool ExistemContasPisSituacao2();
    // The link's balance for rescission purposes as its accounts form it.
    double SomaSaldos();

    // --- writes ---------------------------------------------------------------------------------
    // Inserts the account; with `atualizarRescisao` the link's balance follows at once.
    bool Incluir(bool atualizarRescisao);
    // The link's rescission balance and origin from its accounts.
    bool AtualizarSaldoRescisorio();
    // Deletes the accounts of the object's link (or of its whole employer), only the bank account
    // NumeroEmpregadoQueld when `porConta`, and only of links not yet closed (states other than 2
    // and 3) when `apenasAbertos`; then the employer's open links take their balances from what is
    // left. Nothing outside that selection is touched. False with "0144" on failure.
    bool ExcluirContas(bool empresaInteira, bool porConta, bool apenasAbertos);

    // --- checks of an account read from the bank's file: each empties CodigoMensagem -----------
    bool ValidarSituacaoConta();
    bool ValidarContaSituacao3();
    bool ValidarSaldoSituacao();
    bool ValidarSituacaoPis();
    bool ValidarMaiorCompetencia();
    bool ValidarDataCreditoJuros();

protected:
    void Inicializar() override;
    void Limpar() override;
    void CarregarCampos() override;

private:
    bool Consultar(const std::string& resto);
    bool Existe(const std::string& condicao);
    std::string ChaveSql(const std::string& alias) const;

    std::unique_ptr<TEmpregado> trabalhador_;
    std::unique_ptr<TInformacaoRescisao> rescisao_;
    std::unique_ptr<TVinculo> vinculo_;
};

using TContaEmpregado = TContaSaldoTrabalhador;

} // namespace drav
