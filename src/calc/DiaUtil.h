#pragma once
#include "core/Datas.h"

#include <cstdint>
#include <vector>

namespace drav {

class TDBUtils;

// The business-day calendar the calculation works with. It is handed to whoever needs it: a
// calculation sees the calendar it was given, never one left behind by another engine.
//
// Days are whole: a time of day in a date given here is ignored.
class ICalendario {
public:
    virtual ~ICalendario() = default;

    virtual bool EhDiaUtil(TDateTime dia) const = 0;

    // The latest business day on or before d, looking at most 7 days back; NullDate when none.
    TDateTime DiaUtilAnterior(TDateTime d) const;
    // The earliest business day on or after d, looking at most 7 days ahead; NullDate when none.
    TDateTime DiaUtilPosterior(TDateTime d) const;
    // DiaUtilPosterior (posterior) or DiaUtilAnterior of d; d itself when the search finds none,
    // so a calendar with a gap never turns a due date into no date.
    TDateTime AjustarDiaUtil(bool posterior, TDateTime d) const;
    // Regular due date of a competence's deposit: the 7th of the following month, or the
    // business day before it. NullDate for no competence.
    TDateTime VencimentoCompetencia(TDateTime competencia) const;
};

// A calendar held as a sorted list of days.
class TCalendarioMemoria : public ICalendario {
public:
    TCalendarioMemoria() = default;
    explicit TCalendarioMemoria(const std::vector<TDateTime>& dias);

    void Adicionar(TDateTime dia);
    bool EhDiaUtil(TDateTime dia) const override;
    std::size_t Quantidade() const { return dias_.size(); }

protected:
    // Replaces the calendar with these days (any order, repeats allowed).
    void Definir(std::vector<int32_t> dias);

private:
    std::vector<int32_t> dias_;
};

// The calendar of the database (SFGTBT15_DIA_UTIL), read once when built: a calculation over many
// links asks it thousands of times and never goes back to the database. An index import is seen
// by the next calendar built.
class TDiaUtil : public TCalendarioMemoria {
public:
    explicit TDiaUtil(TDBUtils& sessao, bool carregar = true);
    void Carregar(TDBUtils& sessao);
};

} // namespace drav
