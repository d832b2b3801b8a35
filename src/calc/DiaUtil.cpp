#include "calc/DiaUtil.h"

#include "core/DBUtils.h"
#include "core/Resultado.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace drav {

namespace {

// Furthest a due date is moved to reach a business day.
constexpr int kDiasBusca = 7;

// The whole day of a date, when it is one the calendar could hold.
std::optional<int32_t> Dia(TDateTime d)
{
    if (!std::isfinite(d) || d <= NullDate || std::fabs(d) > 4.0e6)
        return std::nullopt;
    return static_cast<int32_t>(SomenteData(d));
}

TDateTime Buscar(const ICalendario& c, TDateTime d, int passo)
{
    const auto dia = Dia(d);
    if (!dia)
        return NullDate;
    for (int i = 0; i <= kDiasBusca; ++i) {
        const TDateTime candidato = static_cast<TDateTime>(*dia + passo * i);
        if (c.EhDiaUtil(candidato))
            return candidato;
    }
    return NullDate;
}

} // namespace

TDateTime ICalendario::DiaUtilAnterior(TDateTime d) const { return Buscar(*this, d, -1); }

TDateTime ICalendario::DiaUtilPosterior(TDateTime d) const { return Buscar(*this, d, +1); }

TDateTime ICalendario::AjustarDiaUtil(bool posterior, TDateTime d) const
{
    const TDateTime dia = posterior ? DiaUtilPosterior(d) : DiaUtilAnterior(d);
    return dia == NullDate ? d : dia;
}

TDateTime ICalendario::VencimentoCompetencia(TDateTime competencia) const
{
    if (!Dia(competencia) || competencia == DataInvalida)
        return NullDate;
    const DataCivil c = DecodificarData(competencia);
    const TDateTime setimo = c.mes == 12 ? CodificarData(c.ano + 1, 1, 7) : CodificarData(c.ano, c.mes + 1, 7);
    return AjustarDiaUtil(false, setimo);
}

TCalendarioMemoria::TCalendarioMemoria(const std::vector<TDateTime>& dias)
{
    std::vector<int32_t> v;
    v.reserve(dias.size());
    for (TDateTime d : dias)
        if (const auto dia = Dia(d))
            v.push_back(*dia);
    Definir(std::move(v));
}

void TCalendarioMemoria::Definir(std::vector<int32_t> dias)
{
    std::sort(dias.begin(), dias.end());
    dias.erase(std::unique(dias.begin(), dias.end()), dias.end());
    dias_ = std::move(dias);
}

void TCalendarioMemoria::Adicionar(TDateTime dia)
{
    const auto d = Dia(dia);
    if (!d)
        return;
    const auto pos = std::lower_bound(dias_.begin(), dias_.end(), *d);
    if (pos == dias_.end() || *pos != *d)
        dias_.insert(pos, *d);
}

bool TCalendarioMemoria::EhDiaUtil(TDateTime dia) const
{
    const auto d = Dia(dia);
    return d && std::binary_search(dias_.begin(), dias_.end(), *d);
}

TDiaUtil::TDiaUtil(TDBUtils& sessao, bool carregar)
{
    if (carregar)
        Carregar(sessao);
}

void TDiaUtil::Carregar(TDBUtils& sessao)
{
    const auto r = sessao.AbrirConsulta("SELECT DT_UTIL AS DATA FROM SFGTBT15_DIA_UTIL");
    std::vector<int32_t> dias;
    dias.reserve(static_cast<std::size_t>(r->RecordCount()));
    for (r->First(); !r->Eof(); r->Next())
        if (const auto d = Dia(r->Field(0).AsDateTime()))
            dias.push_back(*d);
    Definir(std::move(dias));
}

} // namespace drav
