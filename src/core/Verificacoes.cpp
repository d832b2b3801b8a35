#include "core/Verificacoes.h"

#include "core/CodigoBarras.h"
#include "core/Formatacao.h"

#include <cmath>

namespace drav {

namespace {

bool Letra(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool TodosOsCaracteres(const std::string& texto, int n, char c)
{
    if (n < 0 || texto.size() != static_cast<std::size_t>(n))
        return false;
    for (char x : texto)
        if (x != c)
            return false;
    return true;
}

// Remainder rule shared by both CNPJ check digits.
int DigitoCNPJ(const std::string& digitos, const int* pesos)
{
    int soma = 0;
    for (std::size_t i = 0; i < digitos.size(); ++i)
        soma += (digitos[i] - '0') * pesos[i];
    const int r = soma % 11;
    return r < 2 ? 0 : 11 - r;
}

// The number zero-filled to `largura` digits, or empty when it is blank, has anything but digits,
// is longer or is all zeros.
std::string Inscricao(const std::string& numero, int largura)
{
    if (numero.empty() || !SoNumeros(numero))
        return {};
    const std::string s = CompletarZeros(numero, largura);
    if (s.size() != static_cast<std::size_t>(largura) || s.find_first_not_of('0') == std::string::npos)
        return {};
    return s;
}

} // namespace

bool SoNumeros(const std::string& texto)
{
    for (char c : texto)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool SoLetras(const std::string& texto)
{
    for (char c : texto)
        if (c != ' ' && !Letra(c))
            return false;
    return true;
}

bool TodosZeros(const std::string& texto, int n) { return TodosOsCaracteres(texto, n, '0'); }

bool TodosNoves(const std::string& texto, int n) { return TodosOsCaracteres(texto, n, '9'); }

bool TodosIguais(const std::string& texto)
{
    const auto c = SepararCaracteres(texto);
    for (const auto& x : c)
        if (x != c.front())
            return false;
    return true;
}

bool SemEspacosSeguidos(const std::string& texto) { return texto.find("  ") == std::string::npos; }

bool SemRepeticao(const std::string& texto, int n)
{
    const auto c = SepararCaracteres(MaiusculasAscii(texto));
    if (c.empty())
        return true;
    if (n <= 1)
        return false;
    int seguidos = 1;
    for (std::size_t i = 1; i < c.size(); ++i) {
        seguidos = c[i] == c[i - 1] ? seguidos + 1 : 1;
        if (seguidos >= n)
            return false;
    }
    return true;
}

bool NomeValido(const std::string& texto)
{
    if (texto.empty() || static_cast<unsigned char>(texto[0]) <= ' ')
        return false;
    const std::string t = MaiusculasAscii(Aparar(texto));
    for (char c : t)
        if (c != ' ' && !(c >= '0' && c <= '9') && !(c >= 'A' && c <= 'Z'))
            return false;
    return SemRepeticao(t, 3) && SemEspacosSeguidos(t);
}

bool NomeComposto(const std::string& texto)
{
    const auto c = SepararCaracteres(Aparar(texto));
    std::size_t primeiroBranco = 0;
    while (primeiroBranco < c.size() && c[primeiroBranco] != " ")
        ++primeiroBranco;
    if (primeiroBranco == c.size() || primeiroBranco < 2)
        return false;
    std::size_t ultimoBranco = primeiroBranco;
    for (std::size_t i = primeiroBranco + 1; i < c.size(); ++i) {
        if (c[i] == " ")
            ultimoBranco = i;
        else if (c[i - 1] == " " && c.size() - (ultimoBranco + 1) < 2)
            return false;
    }
    return true;
}

bool Vazio(const std::string& texto) { return Aparar(texto).empty(); }

bool ContidoApos(const std::string& parte, const std::string& texto)
{
    if (parte.empty() || texto.empty())
        return false;
    return texto.find(parte, 1) != std::string::npos;
}

bool ValidarCNPJ(const std::string& numero)
{
    static const int pesos1[12] = {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    static const int pesos2[13] = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    const std::string s = Inscricao(numero, 14);
    if (s.empty())
        return false;
    const int d1 = DigitoCNPJ(s.substr(0, 12), pesos1);
    if (d1 != s[12] - '0')
        return false;
    const int d2 = DigitoCNPJ(s.substr(0, 13), pesos2);
    return d2 == s[13] - '0';
}

bool ValidarCNPJ(int64_t numero) { return numero > 0 && ValidarCNPJ(std::to_string(numero)); }

bool ValidarCEI(const std::string& numero)
{
    static const int pesos[11] = {7, 4, 1, 8, 5, 2, 1, 6, 3, 7, 4};
    const std::string s = Inscricao(numero, 12);
    if (s.empty())
        return false;
    int soma = 0;
    for (int i = 0; i < 11; ++i)
        soma += (s[static_cast<std::size_t>(i)] - '0') * pesos[i];
    int digito;
    if (soma < 10) {
        digito = 10 - soma;
    } else {
        const int dezenasMaisUnidades = (soma / 10) % 10 + soma % 10;
        digito = 10 - dezenasMaisUnidades % 10;
    }
    if (digito == 10)
        digito = 0;
    return digito == s[11] - '0';
}

bool ValidarCEI(int64_t numero) { return numero > 0 && ValidarCEI(std::to_string(numero)); }

int DataValida(TDateTime data)
{
    if (data == DataInvalida)
        return 1;
    if (data == NullDate)
        return 0;
    if (!std::isfinite(data))
        return 1;
    // Day 2 is 01/01/1900; everything before it is 1899 or earlier.
    if (data < 3.0)
        return 2;
    // Far beyond the year 9999 (checked before decoding, which could not hold such a day).
    if (data > 3.0e6)
        return 1;
    return DecodificarData(data).ano > 9999 ? 1 : 0;
}

bool ValidarLinhaDigitavel(const std::string& texto)
{
    const std::string d = SoDigitos(texto);
    if (d.size() != 48)
        return false;
    for (std::size_t b = 0; b < 4; ++b) {
        const std::string bloco = d.substr(b * 12, 11);
        if (DigitoModulo11(bloco) != d[b * 12 + 11] - '0')
            return false;
    }
    return true;
}

} // namespace drav
