#pragma once
#include "calc/Indices.h"
#include "calc/Parcela.h"
#include "core/Datas.h"

#include <cstdint>
#include <string>

namespace drav {

class ICalendario;
class IRegistroInconsistencias;

// Everything the calculation of one link reads: the link, its employer, its rescission data, the
// interest-credit date of the worker's account and the payment date of the collection. Plain
// data, so that a calculation needs no database and a batch of links is cheap to compute.
// Amounts are in reais with centavos, as the database keeps them.
struct TEntradaCalculo {
    // the link's key
    int TipoInscricao = 0;
    int64_t Inscricao = 0;
    int64_t Pis = 0;
    int Categoria = 0;
    TDateTime DataAdmissao = NullDate;

    // the link
    std::string Movimentacao;                // movement code, compared trimmed and upper-cased
    TDateTime DataMovimentacao = NullDate;   // the rescission date
    TDateTime DataOpcao = NullDate;          // FGTS option date
    int AvisoPrevio = 0;                     // 0 not informed, 1 worked, 2 indemnified, 3 absence/dismissal

    // the employer
    int Fpas = 0;
    int Simples = 0;

    // the rescission data
    TDateTime DataDissidio = NullDate;
    double ValorDissidio = 0;
    double RemuneracaoAnterior = 0;          // month before the rescission
    double RemuneracaoRescisao = 0;          // month of the rescission
    double ValorAvisoPrevio = 0;             // indemnified notice pay
    double SaldoRescisorio = 0;              // balance base of the fine
    std::string OrigemSaldo = "N";           // "C" worker accounts, "E" employer, "N" none
    double DepositoComplementoSaldo = 0;     // deposits of the balance complements

    // Interest-credit date of the worker's FGTS account of the link (an account in a situation
    // other than 3); NullDate when the link has no such account or the bank gave no date.
    TDateTime DataCreditoJuros = NullDate;

    // Payment date of the collection.
    TDateTime DataPagamento = NullDate;

    // Names quoted in the rows a failed look-up leaves in the inconsistency register.
    std::string RazaoSocial;
    std::string NomeEmpregado;
};

// The rescission calculation engine: for one link at a time, the four parcels of the guide with
// their due dates and amounts.
//
// Every Calcular starts from nothing: a link never shows amounts, dates or errors left behind by
// the link calculated before it. The calendar and the index tables are the caller's, read only,
// and must outlive the engine; engines built on different tables are independent of each other.
// One engine is used by one thread at a time.
class TCalculo {
public:
    // Missing indices are recorded in `registro` (closing, message 372) when it is given.
    TCalculo(const ICalendario& calendario, const ITabelasIndices& tabelas,
             IRegistroInconsistencias* registro = nullptr);

    // Computes the four parcels; true when all four were computed and passed the final check.
    // On failure CodigoErro tells why and the parcels from the failed one on are not Calculada.
    bool Calcular(const TEntradaCalculo& entrada);

    // Message code of the last failure, 0 after a success:
    //  372 an index the calculation needs is missing or not positive (payment index, interest
    //      index of a late parcel or of the balance, or the balance's interest-credit date);
    //  475 an amount, base or fine base came out negative;
    //   62 no payment date; 50 no rescission date; 80 a notice type other than 0 to 3.
    int CodigoErro() const { return codigoErro_; }
    // Kind of the parcel that failed (406, 407, 408, 400); 0 when none did or the link failed
    // before its parcels.
    int ParcelaComErro() const { return parcelaComErro_; }

    const TParcela& ParcelaAnterior() const { return anterior_; }
    const TParcela& ParcelaRescisao() const { return rescisao_; }
    const TParcela& ParcelaAvisoPrevio() const { return avisoPrevio_; }
    const TParcela& ParcelaMulta() const { return multa_; }
    const TParcela& Parcela(TipoParcela tipo) const;

    // Balance for rescission purposes the fine is computed on (dissídio amount, or the balance
    // with its interest and the complements' deposits).
    double SaldoMulta() const { return saldoMulta_; }
    // Interest and update credited to the balance by this calculation.
    double JAMSaldo() const { return jamSaldo_; }
    // Edital of the payment date.
    TDateTime Edital() const { return edital_; }

    // The 20 amounts of the four parcels.
    double ValorTotal() const;
    bool TodasCalculadas() const;

    const TIndicesCalculo& Indices() const { return indices_; }

    // Back to a fresh engine's state (no parcels, no error), as every Calcular starts.
    void Limpar();

private:
    bool Falhar(int codigo, int parcela = 0);
    bool PrepararSaldo(const TEntradaCalculo& e);
    void DefinirVencimentos(const TEntradaCalculo& e);
    void DefinirContribuicoes(const TEntradaCalculo& e);
    TParcela& ParcelaMutavel(TipoParcela tipo);
    bool CalcularParcela(TipoParcela tipo, double base, const TEntradaCalculo& e);
    void Identificar(const TEntradaCalculo& e);

    const ICalendario& calendario_;
    IRegistroInconsistencias* registro_;
    TIndicesCalculo indices_;

    int codigoErro_ = 0;
    int parcelaComErro_ = 0;
    TParcela anterior_, rescisao_, avisoPrevio_, multa_;
    double saldoMulta_ = 0;
    double jamSaldo_ = 0;
    TDateTime pagamento_ = NullDate;
    TDateTime edital_ = NullDate;
};

} // namespace drav
