#pragma once
#include "core/Datas.h"
#include "core/Negocio.h"

#include <cstdint>
#include <memory>
#include <string>

namespace drav {

class TVinculo;

// Origin of a link's balance for rescission purposes (IC_ORIGEM_SALDO_RESCISORIO).
inline constexpr const char* OrigemSaldoContas = "C";   // summed from the worker's FGTS accounts
inline constexpr const char* OrigemSaldoEmpresa = "E";  // informed by the employer
inline constexpr const char* OrigemSaldoNenhum = "N";   // none

// The rate and minimums of a category that apply at a date (SFGTBT14_ALIQUOTA_CALCULO_DPSTO).
struct TAliquota {
    double Minimo = 0;   // minimum remuneration or minimum balance, as asked
    double Aliquota = 0; // percentage
};

// The rescission data of one link (SFGTBG06_INFORMACAO_RESCISAO, keyed like the link): the amounts
// the user declares, the balance base of the fine with its origin, and the calculated parcels.
// The checks read the movement code and date of the link this object belongs to.
class TInformacaoRescisao : public TNegocio {
public:
    explicit TInformacaoRescisao(TDBUtils& sessao);
    ~TInformacaoRescisao() override;

    // key
    int TipoInscricao = 0;
    int64_t Inscricao = 0;
    int64_t Pis = 0;
    int Categoria = 0;
    TDateTime DataAdmissao = NullDate;

    std::string TipoPensao; // "N" none, "P" percentage, "V" value

    // declared by the user
    double VrDissidio = 0;
    double VrRemuneracaoAnteriorRscso = 0;
    double VrRemuneracaoRescisao = 0;
    double VrAvisoPrevio = 0;
    double VrPensaoAlmna = 0;
    TDateTime DtDissidio = NullDate;
    // balance base of the fine and what the calculation and the complements added to it
    double VrSaldoRescisorio = 0;
    std::string OrigemSaldo = OrigemSaldoNenhum;
    double VrJamSaldoRescisorio = 0;
    double VrDepositoCmploSaldo = 0;
    // calculated parcels: month before the rescission, month of the rescission, notice pay, fine
    TDateTime DtDevidaAnteriorRescisao = NullDate;
    double VrDepositoAnteriorRescisao = 0, VrJamAnteriorRescisao = 0, VrMultaAnteriorRescisao = 0,
           VrCntroAnteriorRescisao = 0, VrMultaCntroAnteriorRscso = 0;
    TDateTime DtDevidaRescisao = NullDate;
    double VrDepositoRescisao = 0, VrJamRescisao = 0, VrMultaRescisao = 0, VrCntroRescisao = 0,
           VrMultaCntroRescisao = 0;
    TDateTime DtDevidaAvisoPrevio = NullDate;
    double VrDepositoAvisoPrevio = 0, VrJamAvisoPrevio = 0, VrMultaAvisoPrevio = 0, VrCntroAvisoPrevio = 0,
           VrMultaCntroAvisoPrevio = 0;
    TDateTime DtDevidaMultaRescisoria = NullDate;
    double VrDepositoMultaRescisoria = 0, VrJamMultaRescisoria = 0, VrMultaMultaRescisoria = 0,
           VrCntroMultaRescisoria = 0, VrMultaCntroMultaRescisoria = 0;

    // The link this row belongs to: its owner when it has one, else one loaded for this key.
    TVinculo& Vinculo();

    // Loads the row of the key; with no row the fields go back to their empty values.
    bool ConsultarRescisao(int tipoInscricao, int categoria, TDateTime admissao, int64_t pis, int64_t inscricao);

    // The newest rate row of this row's category whose competence is not after the date's month.
    // False, with both outputs zero, when none applies (no row for the category, or the date lies
    // before its first competence): no minimum and no rate can then be told.
    bool AliquotaVigente(bool minimoRemuneracao, TAliquota& saida, TDateTime data);

    // Empties the calculated columns of closed links (states 2 and 3); -1 (or a negative number)
    // leaves that part of the key out of the filter.
    bool LimparCalculo(int tipoInscricao, int categoria, TDateTime admissao, int64_t pis, int64_t inscricao);

    // --- checks: each empties CodigoMensagem and returns true when none is left -----------------
    bool ValidarDataDissidio();
    bool ValidarValorDissidio();
    bool ValidarTipoPensao();
    bool ValidarPensaoPercentual();
    bool ValidarLimitePensaoPercentual();
    bool ValidarPensaoValor();
    bool ValidarPensaoValorInformado();
    bool ValidarAvisoPrevioIndenizado();
    bool ValidarRemuneracaoAnterior();
    bool ValidarRemuneracaoRescisao();
    bool ValidarTotalRemuneracoes();
    bool ValidarRemuneracoesI3(bool boletim);

    static std::string OrigemLida(const std::string& coluna); // empty reads as "N"

protected:
    void Inicializar() override;
    void Limpar() override;
    void CarregarCampos() override;

private:
    friend class TVinculo;
    // Code of the minimum rule for an amount at a date: empty when it passes.
    std::string RegraMinimo(double valor, TDateTime data);
    void ZerarCampos();

    std::unique_ptr<TVinculo> vinculo_;
    TVinculo* vinculoDono_ = nullptr;
};

// The names the rest of the system knows this object by.
using TRescisao = TInformacaoRescisao;

} // namespace drav
