#include "core/Conversao.h"

#include "core/Formatacao.h"
#include "core/Verificacoes.h"

#include <charconv>
#include <climits>

namespace drav {

namespace {

const std::string kDataZerada = "00/00/0000";

bool Digito(char c) { return c >= '0' && c <= '9'; }

// [+-] digits, nothing else; the sign "+" is dropped for from_chars.
bool InteiroComSinal(const std::string& t, std::string& normalizado)
{
    std::size_t i = 0;
    if (!t.empty() && (t[0] == '+' || t[0] == '-'))
        i = 1;
    if (i == t.size())
        return false;
    for (std::size_t j = i; j < t.size(); ++j)
        if (!Digito(t[j]))
            return false;
    normalizado = t[0] == '+' ? t.substr(1) : t;
    return true;
}

// Like Delphi's Copy: 1-based, tolerant of a short text.
std::string Copia(const std::string& s, std::size_t inicio1, std::size_t n)
{
    if (inicio1 == 0 || inicio1 > s.size())
        return {};
    return s.substr(inicio1 - 1, n);
}

void Falhar(const char* codigo, const std::string& texto)
{
    ErroCampo().UltimoErro = codigo;
    ErroCampo().ValorErro = texto;
}

} // namespace

TErroCampo& ErroCampo()
{
    thread_local TErroCampo erro;
    return erro;
}

int StrToInteiro(const std::string& texto)
{
    const int64_t n = StrToInteiro64(texto);
    return n < INT_MIN || n > INT_MAX ? 0 : static_cast<int>(n);
}

int64_t StrToInteiro64(const std::string& texto)
{
    std::string t;
    if (!InteiroComSinal(Aparar(texto), t))
        return 0;
    int64_t n = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), n);
    return r.ec == std::errc() ? n : 0;
}

double StrToValor(const std::string& texto)
{
    const std::string t = Aparar(RemoverPontos(texto));
    std::string mantissaInteira, mantissaFracao, expoente;
    bool negativo = false;
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        negativo = t[i++] == '-';
    while (i < t.size() && Digito(t[i]))
        mantissaInteira += t[i++];
    if (i < t.size() && t[i] == ',') {
        ++i;
        while (i < t.size() && Digito(t[i]))
            mantissaFracao += t[i++];
    }
    if (mantissaInteira.empty() && mantissaFracao.empty())
        return 0.0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            expoente += t[i++];
        const std::size_t inicio = expoente.size();
        while (i < t.size() && Digito(t[i]))
            expoente += t[i++];
        if (expoente.size() == inicio)
            return 0.0;
    }
    if (i != t.size())
        return 0.0;
    std::string numero = (mantissaInteira.empty() ? "0" : mantissaInteira);
    if (!mantissaFracao.empty())
        numero += "." + mantissaFracao;
    if (!expoente.empty())
        numero += "e" + expoente;
    double v = 0.0;
    const auto r = std::from_chars(numero.data(), numero.data() + numero.size(), v);
    if (r.ec != std::errc() || r.ptr != numero.data() + numero.size())
        return 0.0;
    return negativo ? -v : v;
}

TDateTime StrToData(const std::string& texto, int ordem)
{
    const std::string arranjado = ordem == 1 ? Copia(texto, 7, 2) + Copia(texto, 5, 2) + Copia(texto, 1, 4) : texto;
    const std::string d = SoDigitos(arranjado);
    if (d.find_first_not_of('0') == std::string::npos)
        return NullDate;
    // The year-first rearrangement reads only the first eight characters: digits beyond them
    // would be dropped silently.
    if (d.size() != 8 || (ordem == 1 && SoDigitos(texto).size() != 8))
        return DataInvalida;
    const int dia = (d[0] - '0') * 10 + (d[1] - '0');
    const int mes = (d[2] - '0') * 10 + (d[3] - '0');
    const int ano = std::stoi(d.substr(4, 4));
    if (!DataExiste(ano, mes, dia))
        return DataInvalida;
    return CodificarData(ano, mes, dia);
}

int LerInteiroCampo(const std::string& texto)
{
    ErroCampo().Limpar();
    if (!SoNumeros(texto)) {
        Falhar("0011", texto);
        return 0;
    }
    if (texto.empty())
        return 0;
    int n = 0;
    const auto r = std::from_chars(texto.data(), texto.data() + texto.size(), n);
    if (r.ec != std::errc()) {
        Falhar("0011", texto);
        return 0;
    }
    return n;
}

double LerValorCampo(const std::string& texto)
{
    ErroCampo().Limpar();
    if (!SoNumeros(texto)) {
        Falhar("0011", texto);
        return 0.0;
    }
    if (texto.empty())
        return 0.0;
    double v = 0.0;
    std::from_chars(texto.data(), texto.data() + texto.size(), v);
    return v;
}

double LerValor15(const std::string& texto)
{
    ErroCampo().Limpar();
    if (texto.size() != 15 || !SoNumeros(texto)) {
        Falhar("0011", texto);
        return 0.0;
    }
    int64_t centavos = 0;
    std::from_chars(texto.data(), texto.data() + texto.size(), centavos);
    // One division of the exact whole number of centavos gives the double nearest to the amount.
    return static_cast<double>(centavos) / 100.0;
}

std::string DataArquivo(const std::string& texto, bool anoPrimeiro)
{
    ErroCampo().Limpar();
    const std::string t = Aparar(texto);
    if (t.empty() || texto.size() <= 7)
        return kDataZerada;
    if (!SoNumeros(t)) {
        Falhar("0212", texto);
        return kDataZerada;
    }
    if (t.find_first_not_of('0') == std::string::npos)
        return kDataZerada;
    const TDateTime data = StrToData(t, anoPrimeiro ? 1 : 0);
    // StrToData refuses anything but eight digits, so a longer field is never cut into a date.
    const bool valida = t.size() == 8 && data != DataInvalida && data != NullDate;
    if (anoPrimeiro)
        return valida ? DataParaTexto(data) : "1";
    if (!valida) {
        Falhar("0212", texto);
        return kDataZerada;
    }
    return DataParaTexto(data);
}

} // namespace drav
