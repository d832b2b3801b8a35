#pragma once
#include "core/Datas.h"
#include "core/Negocio.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace drav {

class ITabelasIndices;
class TInformacaoRescisao;
class TVinculo;

// A deposit rate of a category from a competence on (SFGTBT14_ALIQUOTA_CALCULO_DPSTO).
struct TAliquotaCompetencia {
    int Categoria = 0;
    int Ano = 0;
    int Mes = 0;
    double Percentual = 0;
};

// The rate in force for a category at a competence: the row of that category with the latest
// competence not after it, whatever order the rows come in; 0 when none.
double AliquotaNaCompetencia(const std::vector<TAliquotaCompetencia>& aliquotas, int categoria, int ano, int mes);

class TIndicesCalculo;

// The competence and remuneration rules of a complement, shared by the complement screen and the
// payroll import. Each returns the message code of the first rule broken, empty when none.
std::string CodigoCompetenciaComplemento(const std::string& ano, const std::string& mes, bool permiteVazio,
                                         TDateTime dataOpcao, TDateTime dataMovimentacao);
std::string CodigoRemuneracaoComplemento(const std::string& ano, const std::string& mes, double remuneracao);

// The deposit of one complement competence: the rate's share of the remuneration in the currency
// of the day, plus the interest it owes when it fell due before the edital's month. Negative when
// that interest cannot be known (no edital, missing JAM index): never a deposit without interest.
// The screen and the payroll import both use it.
double DepositoComplemento(double remuneracao, double taxa, int categoria, int ano, int mes, TDateTime dataOpcao,
                           TDateTime edital, const TIndicesCalculo& indices);

// Kinds of complement (NU_COMPLEMENTO).
inline constexpr const char* ComplementoNaoRecolhido = "1";
inline constexpr const char* ComplementoNaoProcessado = "2";
inline constexpr const char* ComplementoNaoIndividualizado = "3";

// A balance complement (SFGTBG07_COMPLEMENTO_SALDO): a past competence of a link whose deposit is
// missing from the worker's account, with that month's remuneration. The deposit it owes is
// computed here (rate at the competence, old currencies converted, interest and update up to the
// installed edital), and the sum of the link's deposits is kept in its rescission row
// (VR_DEPOSITO_CMPLO_SALDO), which the calculation adds to the fine base.
//
// The index tables and the edital date are given by whoever builds the object: the deposit uses
// exactly the tables the caller means, and a test can hand it tables held in memory.
class TComplementoSaldo : public TNegocio {
public:
    // Reads every rate row. `dataEdital` is the edital of the installed pro-rata table (NullDate
    // when none is installed: then no deposit that owes interest can be computed).
    TComplementoSaldo(TDBUtils& sessao, const ITabelasIndices& tabelas, TDateTime dataEdital);
    ~TComplementoSaldo() override;

    int TipoInscricao = 0;
    int64_t Inscricao = 0;
    int64_t Pis = 0;
    int Categoria = 0;
    TDateTime DataAdmissao = NullDate;
    double ValorDeposito = 0;
    double ValorRemuneracao = 0;
    std::string NumeroComplemento; // "1", "2" or "3"
    std::string MesCompetencia;    // "01" to "12"
    std::string AnoCompetencia;    // "yyyy"

    std::vector<TAliquotaCompetencia> Aliquotas;
    TDateTime DataEdital = NullDate;

    // Created on first use; loaded for the key while CarregaRelacionados is true (otherwise the
    // caller fills what the deposit reads: the link's option date).
    TVinculo& Vinculo();
    TInformacaoRescisao& Rescisao();

    // --- queries: false with "0144" on a database failure ---------------------------------------
    // Every complement of the link, by kind and competence. A link without complements still
    // gives one row, whose complement fields are empty.
    bool ConsultarComplementos();
    // The same for the kind NumeroComplemento.
    bool ConsultarComplemento();
    bool ExistemComplementos();
    // This kind and competence is already stored for the link.
    bool ExisteCompetencia();

    // --- deposit --------------------------------------------------------------------------------
    // The deposit the competence owes; -1 when it cannot be computed (no competence, or an interest
    // index the tables lack).
    double CalcularDeposito();
    // Computes the deposit and inserts the row: "0372" when it cannot be computed (nothing is
    // stored), "0144" on a database failure.
    bool Incluir();
    // Computes the deposit again and updates the row's remuneration and deposit; same codes.
    bool RecalcularDeposito();
    // Deletes this competence (or, with `todos`, every complement of the link); with `atualizar`
    // the rescission row follows. A failure leaves "0144" and is passed on.
    bool Excluir(bool todos, bool atualizar);
    // VR_DEPOSITO_CMPLO_SALDO of the link := the sum of its deposits (Null when none is left).
    bool AtualizarDepositoRescisao();
    // The same for every link with complements, narrowed by each argument that is not negative.
    bool AtualizarDepositosRescisao(int tipoInscricao, int categoria, TDateTime admissao, int64_t pis,
                                    int64_t inscricao);
    // Recomputes every complement of links not yet closed (states 0 and 1), narrowed by each
    // argument that is not negative, and refreshes the sums of the links touched. A complement
    // whose deposit cannot be computed keeps its stored deposit; the answer is then false with
    // "0372".
    bool RecalcularComplementosAbertos(int tipoInscricao, int64_t pis, int64_t inscricao);

    // The whole addition the complement screen makes: open collection ("0062"), link allows
    // complements, competence and remuneration given ("0278", "0279", "0274") and valid, not yet
    // stored ("0292"), then the insert and the rescission sum in one transaction.
    bool IncluirComplemento(TDateTime dataPagamento);

    // --- checks: each empties CodigoMensagem ---------------------------------------------------
    bool ValidarPermiteComplemento();
    bool ValidarCompetencia(bool permiteVazio);
    bool ValidarRemuneracao();

protected:
    void Inicializar() override;
    void Limpar() override;
    void CarregarCampos() override;

private:
    bool Consultar(const std::string& resto);
    std::string ChaveSql(const std::string& alias) const;
    std::string CompetenciaSql(const std::string& alias) const;

    const ITabelasIndices& tabelas_;
    std::unique_ptr<TVinculo> vinculo_;
    std::unique_ptr<TInformacaoRescisao> rescisao_;
};

} // namespace drav
