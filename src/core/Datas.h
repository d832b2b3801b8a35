#pragma once
#include <string>

namespace drav {

// Day numbers: day 0 is 30/12/1899 and the fraction is the time of day.
using TDateTime = double;

inline constexpr TDateTime NullDate = -700000.0;     // no date given; written as NULL
inline constexpr TDateTime DataInvalida = -600000.0; // a text that is not a date

struct DataCivil {
    int ano = 0, mes = 0, dia = 0;
    int hora = 0, minuto = 0, segundo = 0, milissegundo = 0;
};

bool DataExiste(int ano, int mes, int dia);
// Day number of a civil date; the caller checks DataExiste first.
TDateTime CodificarData(int ano, int mes, int dia);
TDateTime CodificarDataHora(int ano, int mes, int dia, int hora, int minuto, int segundo, int ms = 0);
// Splits a day number into its civil date and time, rounding to the millisecond.
DataCivil DecodificarData(TDateTime data);
// Whole day of a day number (the time dropped), also right for dates before 1899.
TDateTime SomenteData(TDateTime data);

// The local clock as a day number.
TDateTime Agora();
TDateTime Hoje();

// Fixed Brazilian forms, whatever the machine's locale.
std::string DataParaTexto(TDateTime data);     // dd/mm/yyyy
std::string DataHoraParaTexto(TDateTime data); // dd/mm/yyyy hh:nn:ss
std::string HoraParaTexto(TDateTime data);     // hh:nn:ss
std::string DataIso(TDateTime data);           // yyyy-mm-dd

} // namespace drav
