#pragma once
#include "calc/Inconsistencia.h"
#include "core/Datas.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace drav {

class TDBUtils;

// The published indices turn an amount due on one date and paid on another into the amount to
// pay. Each table is valid for one edital (monthly publication). An index the table does not give
// (no row, or an empty column) is std::nullopt everywhere here, never 0 or -1: a missing index
// must stop the calculation of the parcel, not become an amount.

// Option periods of the interest and simplified columns, by the worker's FGTS option date.
enum class PeriodoOpcao { Nenhum = -1, Ano1967 = 0, Ano1968, Ano1969, Ano1970, Ate0971, Maior0971 };
inline constexpr int kPeriodosOpcao = 6;

// 1967 to 1970 by year; from 1971 up to 22/09/1971 Ate0971; from 23/09/1971 on Maior0971; before
// 1967 or no option date, Nenhum.
PeriodoOpcao PeriodoDaOpcao(TDateTime opcao);
// Column suffix of a period ("67", ..., "ATE_0971", "MAIOR_0971"); empty for Nenhum.
const char* SufixoPeriodo(PeriodoOpcao periodo);

// Edital whose indices apply to a payment date: the 1st of the payment's month from the 10th on,
// the 1st of the previous month up to the 9th. NullDate for no date.
TDateTime EditalDoPagamento(TDateTime pagamento);
// Which simplified late-payment index (1 or 2) a payment day selects: days 10 to 31 variant 1;
// days 8 and 9 variant 2; days 1 to 7 variant 2 for competences before September 1989, else 1.
int VarianteSimplificado(TDateTime pagamento, TDateTime competencia);

// One SFGTBT17_INDICE_SIMPLIFICADO row: per option period, the interest-and-update index and the
// two simplified late-payment indices.
struct TIndicesSimplificados {
    std::array<std::optional<double>, kPeriodosOpcao> Jam;
    std::array<std::optional<double>, kPeriodosOpcao> Simplificado1;
    std::array<std::optional<double>, kPeriodosOpcao> Simplificado2;
};

// One SFGTBT18_INDICE_PRORATA row, by lateness in months.
struct TIndicesProrata {
    std::optional<double> AtrasoMes;    // 0 months
    std::optional<double> Atraso1Mes;   // 1 month
    std::optional<double> Atraso2Meses; // 2 months or more
};

// One SFGTBT16_INDICE_GUIA_RESCISORIA row.
struct TIndicesGuia {
    std::optional<double> Indice;      // deposit parcels
    std::optional<double> IndiceMulta; // rescission fine
};

// The index tables, handed to the calculation like the calendar. Each look-up gives the row of
// its key or nullptr; dates are compared as whole days.
class ITabelasIndices {
public:
    virtual ~ITabelasIndices() = default;
    virtual const TIndicesSimplificados* Simplificado(TDateTime edital, TDateTime competencia) const = 0;
    virtual const TIndicesProrata* Prorata(TDateTime edital, TDateTime pagamento) const = 0;
    virtual const TIndicesGuia* Guia(TDateTime edital, TDateTime vencimento, TDateTime pagamento) const = 0;
};

// The tables held in memory, keyed by day numbers.
class TTabelasIndicesMemoria : public ITabelasIndices {
public:
    void AdicionarSimplificado(TDateTime edital, TDateTime competencia, const TIndicesSimplificados& linha);
    void AdicionarProrata(TDateTime edital, TDateTime pagamento, const TIndicesProrata& linha);
    void AdicionarGuia(TDateTime edital, TDateTime vencimento, TDateTime pagamento, const TIndicesGuia& linha);

    const TIndicesSimplificados* Simplificado(TDateTime edital, TDateTime competencia) const override;
    const TIndicesProrata* Prorata(TDateTime edital, TDateTime pagamento) const override;
    const TIndicesGuia* Guia(TDateTime edital, TDateTime vencimento, TDateTime pagamento) const override;

    struct Chave {
        int32_t a = 0, b = 0, c = 0;
        bool operator==(const Chave&) const = default;
    };
    struct HashChave {
        std::size_t operator()(const Chave& k) const noexcept;
    };

private:
    std::unordered_map<Chave, TIndicesSimplificados, HashChave> simplificado_;
    std::unordered_map<Chave, TIndicesProrata, HashChave> prorata_;
    std::unordered_map<Chave, TIndicesGuia, HashChave> guia_;
};

// The tables of the database. Each is read whole the first time it is asked for and kept: a
// calculation over tens of thousands of links never goes back to the database for an index. An
// index import is seen by the next object built. Not for use by two threads at once beyond the
// first load, which is guarded.
class TTabelasIndicesBanco : public ITabelasIndices {
public:
    explicit TTabelasIndicesBanco(TDBUtils& sessao);

    const TIndicesSimplificados* Simplificado(TDateTime edital, TDateTime competencia) const override;
    const TIndicesProrata* Prorata(TDateTime edital, TDateTime pagamento) const override;
    const TIndicesGuia* Guia(TDateTime edital, TDateTime vencimento, TDateTime pagamento) const override;

    // Reads the three tables now (a caller that wants the reading cost up front).
    void CarregarTudo() const;

private:
    void CarregarSimplificado() const;
    void CarregarProrata() const;
    void CarregarGuia() const;

    TDBUtils& sessao_;
    mutable TTabelasIndicesMemoria tabelas_;
    mutable std::once_flag simplificado_, prorata_, guia_;
};

// The index look-ups of the rescission calculation, over the tables it was given. IndiceJAM also
// records its misses in the inconsistency register (closing, message 372) with the identification
// of the link being calculated, so the user can tell which link and which competence lack an index.
class TIndicesCalculo {
public:
    // `registro` may be null: the misses are then only answered, not recorded.
    TIndicesCalculo(const ITabelasIndices& tabelas, IRegistroInconsistencias* registro);

    // Copied into every row recorded (file and message numbers and content are set here).
    TDadosInconsistencia Identificacao;

    // Interest-and-update index of a competence (SFGTBT17): category 2 takes the column of options
    // from 23/09/1971 whatever its option date; any other category the column of its option
    // period. nullopt, recorded as inconsistency 372, when the row or the column gives none
    // (also for an option before 1967 or no option date).
    std::optional<double> IndiceJAM(int categoria, TDateTime competencia, TDateTime opcao, TDateTime edital) const;

    // Late-payment multiplier of a deposit paid on `pagamento` (SFGTBT18 by edital and payment
    // date), by the lateness in months from the competence to the edital: 0 and 1 month take their
    // columns; 2 or more take IN_ATRASO_2_MESES times the simplified index of the index competence
    // (variant by the payment day, column by the option period; without an option period the
    // simplified factor is 1). Cut to 9 decimals. nullopt when a row or column is missing or the
    // competence lies after the edital.
    std::optional<double> IndiceProRata(TDateTime competenciaIndice, TDateTime pagamento, TDateTime competencia,
                                        TDateTime opcao, TDateTime edital) const;

    // SFGTBT16 by edital, due date and payment date: the deposit index and the fine index.
    std::optional<double> IndiceGuia(TDateTime edital, TDateTime vencimento, TDateTime pagamento) const;
    std::optional<double> IndiceGuiaMulta(TDateTime edital, TDateTime vencimento, TDateTime pagamento) const;

    const ITabelasIndices& Tabelas() const { return tabelas_; }

private:
    void RegistrarFalta(const std::string& conteudo) const;

    const ITabelasIndices& tabelas_;
    IRegistroInconsistencias* registro_;
};

} // namespace drav
