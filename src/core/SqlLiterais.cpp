#include "core/SqlLiterais.h"

#include "core/Excecoes.h"
#include "core/Formatacao.h"

#include <cmath>

namespace drav {

namespace {

std::string Zeros(int numero, int largura)
{
    std::string s = std::to_string(numero);
    if (static_cast<int>(s.size()) < largura)
        s.insert(0, static_cast<std::size_t>(largura) - s.size(), '0');
    return s;
}

} // namespace

std::string SqlTexto(const std::string& texto)
{
    if (Aparar(texto).empty())
        return "Null";
    std::string s = "'";
    for (char c : texto) {
        if (c == '\'')
            s += '\'';
        s += c;
    }
    return s + "'";
}

std::string SqlSimNao(bool valor) { return valor ? "'S'" : "'N'"; }

std::string SqlInteiro(int32_t valor) { return valor == 0 ? "Null" : std::to_string(valor); }

std::string SqlInteiro64(int64_t valor) { return valor == 0 ? "Null" : std::to_string(valor); }

std::string SqlValor(double valor)
{
    if (!std::isfinite(valor))
        throw EConversao("Valor não numérico não pode ser gravado");
    if (valor == 0.0)
        return "Null";
    std::string s = TextoGeral(valor);
    for (char& c : s)
        if (c == ',')
            c = '.';
    return s;
}

std::string SqlData(TDateTime data, bool somenteData, bool milissegundos)
{
    if (data == DataInvalida)
        throw EConversao("Data inválida não pode ser gravada");
    if (std::isnan(data))
        throw EConversao("Data não numérica não pode ser gravada");
    if (!(data > NullDate))
        return "NULL";
    if (data > 3.0e6)
        throw EConversao("Data fora do intervalo dos anos 1 a 9999");
    const DataCivil c = DecodificarData(data);
    if (c.ano < 1 || c.ano > 9999)
        throw EConversao("Data fora do intervalo dos anos 1 a 9999");
    std::string s = "'" + Zeros(c.ano, 4) + "-" + Zeros(c.mes, 2) + "-" + Zeros(c.dia, 2);
    if (!somenteData) {
        s += " " + Zeros(c.hora, 2) + ":" + Zeros(c.minuto, 2) + ":" + Zeros(c.segundo, 2);
        if (milissegundos)
            s += "." + Zeros(c.milissegundo, 3);
    }
    return s + "'";
}

} // namespace drav
