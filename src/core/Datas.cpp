#include "core/Datas.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace drav {

namespace {

using namespace std::chrono;

constexpr int kMilissegundosDia = 86400000;

// 30/12/1899 counted from the civil epoch 01/01/1970.
int DiasEpoca()
{
    static const int dias = sys_days{year{1899} / December / 30}.time_since_epoch().count();
    return dias;
}

} // namespace

bool DataExiste(int ano, int mes, int dia)
{
    if (ano < 1 || ano > 9999 || mes < 1 || mes > 12 || dia < 1)
        return false;
    return year_month_day{year{ano}, month{static_cast<unsigned>(mes)}, day{static_cast<unsigned>(dia)}}.ok();
}

TDateTime CodificarData(int ano, int mes, int dia)
{
    const sys_days d{year{ano} / month{static_cast<unsigned>(mes)} / day{static_cast<unsigned>(dia)}};
    return static_cast<double>(d.time_since_epoch().count() - DiasEpoca());
}

TDateTime CodificarDataHora(int ano, int mes, int dia, int hora, int minuto, int segundo, int ms)
{
    const double fracao = (((hora * 60.0 + minuto) * 60.0 + segundo) * 1000.0 + ms) / kMilissegundosDia;
    const double d = CodificarData(ano, mes, dia);
    // Before day 0 the fraction still counts forward from midnight (day -1.25 is 29/12/1899 06:00).
    return d >= 0 ? d + fracao : d - fracao;
}

TDateTime SomenteData(TDateTime data)
{
    return std::trunc(data);
}

DataCivil DecodificarData(TDateTime data)
{
    DataCivil r;
    long long dias = static_cast<long long>(std::trunc(data));
    long long ms = std::llround(std::fabs(data - static_cast<double>(dias)) * kMilissegundosDia);
    if (ms >= kMilissegundosDia) {
        ms -= kMilissegundosDia;
        dias += data >= 0 ? 1 : -1;
    }
    const year_month_day ymd{sys_days{days{dias + DiasEpoca()}}};
    r.ano = static_cast<int>(ymd.year());
    r.mes = static_cast<int>(static_cast<unsigned>(ymd.month()));
    r.dia = static_cast<int>(static_cast<unsigned>(ymd.day()));
    r.hora = static_cast<int>(ms / 3600000);
    r.minuto = static_cast<int>(ms / 60000 % 60);
    r.segundo = static_cast<int>(ms / 1000 % 60);
    r.milissegundo = static_cast<int>(ms % 1000);
    return r;
}

TDateTime Agora()
{
    const auto agora = system_clock::now();
    const std::time_t t = system_clock::to_time_t(agora);
    std::tm local{};
    localtime_r(&t, &local);
    const int ms = static_cast<int>(duration_cast<milliseconds>(agora.time_since_epoch()).count() % 1000);
    return CodificarDataHora(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                             local.tm_sec, ms);
}

TDateTime Hoje()
{
    return SomenteData(Agora());
}

std::string DataParaTexto(TDateTime data)
{
    const DataCivil c = DecodificarData(data);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", c.dia, c.mes, c.ano);
    return buf;
}

std::string HoraParaTexto(TDateTime data)
{
    const DataCivil c = DecodificarData(data);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", c.hora, c.minuto, c.segundo);
    return buf;
}

std::string DataHoraParaTexto(TDateTime data)
{
    return DataParaTexto(data) + " " + HoraParaTexto(data);
}

std::string DataIso(TDateTime data)
{
    const DataCivil c = DecodificarData(data);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", c.ano, c.mes, c.dia);
    return buf;
}

} // namespace drav
