#include "core/Formatacao.h"

#include "core/Conversao.h"
#include "core/Excecoes.h"
#include "core/Verificacoes.h"

#include <charconv>
#include <cmath>

namespace drav {

namespace {

// Start of the character after the one that starts at i. A multi-byte lead takes its
// continuation bytes with it; any other byte is a character of its own.
std::size_t ProximoCaractere(const std::string& s, std::size_t i)
{
    const unsigned char lider = static_cast<unsigned char>(s[i]);
    ++i;
    if (lider >= 0xC0)
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
            ++i;
    return i;
}

std::string Zeros(long long numero, int largura)
{
    std::string s = std::to_string(numero);
    if (static_cast<int>(s.size()) < largura)
        s.insert(0, static_cast<std::size_t>(largura) - s.size(), '0');
    return s;
}

// A finite double as its 15 significant decimal digits: value = d1.d2...d15 x 10^expoente.
struct Decimal15 {
    bool negativo = false;
    bool zero = false;
    std::string digitos;
    int expoente = 0;
};

Decimal15 Decompor(double v)
{
    Decimal15 d;
    if (v == 0.0) {
        d.zero = true;
        d.digitos = std::string(15, '0');
        return d;
    }
    // to_chars, unlike printf, ignores the C locale that a GUI toolkit may have switched on.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    const std::string s(buf, r.ptr);
    std::size_t i = 0;
    if (s[0] == '-') {
        d.negativo = true;
        i = 1;
    }
    d.digitos = s.substr(i, 1) + s.substr(i + 2, 14);
    std::size_t posE = s.find('e');
    std::size_t inicio = posE + 1;
    if (s[inicio] == '+')
        ++inicio;
    std::from_chars(s.data() + inicio, s.data() + s.size(), d.expoente);
    return d;
}

struct Fixo {
    bool negativo = false;
    std::string inteiro; // no leading zeros, at least "0"
    std::string fracao;  // exactly `casas` digits
};

// Rounds half away from zero on the 15-digit text: 1.005 is held as 1.00499999... but its
// 15-digit text is 1.00500000000000, so it is shown as 1,01 as the user typed it.
Fixo Arredondar(double v, int casas)
{
    if (!std::isfinite(v))
        throw EConversao("Valor não numérico não pode ser formatado");
    const Decimal15 d = Decompor(v);
    std::string todos;
    std::size_t ponto;
    if (d.expoente >= 0) {
        todos = d.digitos;
        ponto = static_cast<std::size_t>(d.expoente) + 1;
    } else {
        todos = std::string(static_cast<std::size_t>(-d.expoente), '0') + d.digitos;
        ponto = 1;
    }
    const std::size_t preciso = ponto + static_cast<std::size_t>(casas) + 1;
    if (todos.size() < preciso)
        todos.append(preciso - todos.size(), '0');
    const bool sobe = todos[ponto + static_cast<std::size_t>(casas)] >= '5';
    std::string mantido = todos.substr(0, ponto + static_cast<std::size_t>(casas));
    if (sobe) {
        int i = static_cast<int>(mantido.size()) - 1;
        while (i >= 0 && mantido[static_cast<std::size_t>(i)] == '9')
            mantido[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0)
            ++mantido[static_cast<std::size_t>(i)];
        else {
            mantido.insert(0, 1, '1');
            ++ponto;
        }
    }
    Fixo f;
    f.inteiro = mantido.substr(0, ponto);
    f.fracao = mantido.substr(ponto);
    const std::size_t primeiro = f.inteiro.find_first_not_of('0');
    f.inteiro = primeiro == std::string::npos ? "0" : f.inteiro.substr(primeiro);
    f.negativo = d.negativo && mantido.find_first_not_of('0') != std::string::npos;
    return f;
}

double Potencia10(int n)
{
    double p = 1.0;
    for (int i = 0; i < n; ++i)
        p *= 10.0;
    return p;
}

} // namespace

// --- small text helpers --------------------------------------------------------------------------

std::string Aparar(const std::string& texto)
{
    std::size_t a = 0, b = texto.size();
    while (a < b && static_cast<unsigned char>(texto[a]) <= ' ')
        ++a;
    while (b > a && static_cast<unsigned char>(texto[b - 1]) <= ' ')
        --b;
    return texto.substr(a, b - a);
}

std::string AparaDireita(const std::string& texto)
{
    std::size_t b = texto.size();
    while (b > 0 && static_cast<unsigned char>(texto[b - 1]) <= ' ')
        --b;
    return texto.substr(0, b);
}

std::string MaiusculasAscii(std::string texto)
{
    for (char& c : texto)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return texto;
}

std::size_t ContarCaracteres(const std::string& texto)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < texto.size(); i = ProximoCaractere(texto, i))
        ++n;
    return n;
}

std::vector<std::string> SepararCaracteres(const std::string& texto)
{
    std::vector<std::string> v;
    for (std::size_t i = 0; i < texto.size();) {
        const std::size_t j = ProximoCaractere(texto, i);
        v.push_back(texto.substr(i, j - i));
        i = j;
    }
    return v;
}

// --- amounts --------------------------------------------------------------------------------------

std::string TextoGeral(double valor)
{
    if (std::isnan(valor))
        return "NAN";
    if (std::isinf(valor))
        return valor > 0 ? "INF" : "-INF";
    if (valor == 0.0)
        return "0";
    const Decimal15 d = Decompor(valor);
    std::string digitos = d.digitos;
    digitos.erase(digitos.find_last_not_of('0') + 1);
    const std::string sinal = d.negativo ? "-" : "";
    if (d.expoente >= 15 || d.expoente < -5) {
        std::string s = sinal + digitos.substr(0, 1);
        if (digitos.size() > 1)
            s += "," + digitos.substr(1);
        return s + "E" + std::to_string(d.expoente);
    }
    std::string inteiro, fracao;
    if (d.expoente >= 0) {
        const std::size_t n = static_cast<std::size_t>(d.expoente) + 1;
        if (digitos.size() < n)
            digitos.append(n - digitos.size(), '0');
        inteiro = digitos.substr(0, n);
        fracao = digitos.substr(n);
    } else {
        inteiro = "0";
        fracao = std::string(static_cast<std::size_t>(-d.expoente - 1), '0') + digitos;
    }
    return sinal + inteiro + (fracao.empty() ? "" : "," + fracao);
}

std::string FormatarValor(double valor)
{
    const Fixo f = Arredondar(valor, 2);
    std::string agrupado;
    const std::size_t n = f.inteiro.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            agrupado += '.';
        agrupado += f.inteiro[i];
    }
    return (f.negativo ? "-" : "") + agrupado + "," + f.fracao;
}

std::string FormatarValorPonto(double valor)
{
    const Fixo f = Arredondar(valor, 2);
    return (f.negativo ? "-" : "") + f.inteiro + "." + f.fracao;
}

int64_t CentavosArredondados(double valor)
{
    const Fixo f = Arredondar(valor, 2);
    const std::string digitos = f.inteiro + f.fracao;
    int64_t n = 0;
    const auto r = std::from_chars(digitos.data(), digitos.data() + digitos.size(), n);
    if (r.ec != std::errc())
        throw EConversao("Valor " + TextoGeral(valor) + " fora do limite em centavos");
    return f.negativo ? -n : n;
}

double TruncarDecimais(double valor, int casas)
{
    if (!std::isfinite(valor))
        return valor;
    if (casas < 0)
        casas = 0;
    const double escala = Potencia10(casas);
    const double x = valor * escala;
    if (!std::isfinite(x))
        return valor;
    const Decimal15 d = Decompor(x);
    if (d.zero || d.expoente < 0)
        return 0.0;
    // From 15 integer digits on the text has no decimals left to cut (and would switch to the
    // exponent form): the binary value is cut directly.
    if (d.expoente >= 15)
        return std::trunc(x) / escala;
    const std::string inteiro = d.digitos.substr(0, static_cast<std::size_t>(d.expoente) + 1);
    double n = 0.0;
    std::from_chars(inteiro.data(), inteiro.data() + inteiro.size(), n);
    return (d.negativo ? -n : n) / escala;
}

// --- identifiers ----------------------------------------------------------------------------------

std::string FormatarCNPJ(const std::string& texto)
{
    const std::string d = SoDigitos(texto);
    if (d.size() > 14)
        return d;
    const std::string c = CompletarZeros(d, 14);
    return c.substr(0, 2) + "." + c.substr(2, 3) + "." + c.substr(5, 3) + "/" + c.substr(8, 4) + "-" + c.substr(12, 2);
}

std::string FormatarPIS(const std::string& texto)
{
    if (Aparar(texto).empty())
        return {};
    const std::string d = SoDigitos(texto);
    if (d.size() > 11)
        return d;
    const std::string p = CompletarZeros(d, 11);
    return p.substr(0, 3) + "." + p.substr(3, 5) + "." + p.substr(8, 2) + "-" + p.substr(10, 1);
}

std::string FormatarMascara(const std::string& digitos, const std::string& tipo)
{
    std::string mascara;
    if (tipo == "CNPJ")
        mascara = "00.000.000/0000-00";
    else if (tipo == "PIS")
        mascara = "000.00000.00-0";
    else
        return digitos;
    std::string saida;
    std::size_t j = 0;
    for (char c : SoDigitos(digitos)) {
        if (j < mascara.size() && mascara[j] != '0')
            saida += mascara[j++];
        saida += c;
        if (j < mascara.size())
            ++j;
    }
    return saida;
}

// --- dates ----------------------------------------------------------------------------------------

std::string FormatarData(TDateTime data)
{
    const int v = DataValida(data);
    if (v != 0)
        return {};
    if (data == NullDate)
        return "00/00/0000";
    return DataParaTexto(data);
}

std::string FormatarDataHora(const std::string& formato, TDateTime data)
{
    const DataCivil c = DecodificarData(data);
    std::string saida;
    bool aposHora = false;
    std::size_t i = 0;
    while (i < formato.size()) {
        const char ch = formato[i];
        if (ch == '\'' || ch == '"') {
            const std::size_t fim = formato.find(ch, i + 1);
            if (fim == std::string::npos) {
                saida += formato.substr(i + 1);
                break;
            }
            saida += formato.substr(i + 1, fim - i - 1);
            i = fim + 1;
            continue;
        }
        const char letra = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
        std::size_t n = 1;
        while (i + n < formato.size()) {
            char prox = formato[i + n];
            if (prox >= 'A' && prox <= 'Z')
                prox = static_cast<char>(prox - 'A' + 'a');
            if (prox != letra)
                break;
            ++n;
        }
        switch (letra) {
        case 'y':
            saida += n <= 2 ? Zeros(((c.ano % 100) + 100) % 100, 2) : Zeros(c.ano, 4);
            aposHora = false;
            break;
        case 'm':
            if (aposHora)
                saida += n == 1 ? std::to_string(c.minuto) : Zeros(c.minuto, 2);
            else
                saida += n == 1 ? std::to_string(c.mes) : Zeros(c.mes, 2);
            aposHora = false;
            break;
        case 'd':
            saida += n == 1 ? std::to_string(c.dia) : Zeros(c.dia, 2);
            aposHora = false;
            break;
        case 'h':
            saida += n == 1 ? std::to_string(c.hora) : Zeros(c.hora, 2);
            aposHora = true;
            break;
        case 'n':
            saida += n == 1 ? std::to_string(c.minuto) : Zeros(c.minuto, 2);
            aposHora = false;
            break;
        case 's':
            saida += n == 1 ? std::to_string(c.segundo) : Zeros(c.segundo, 2);
            aposHora = false;
            break;
        case 'z':
            saida += n >= 3 ? Zeros(c.milissegundo, 3) : std::to_string(c.milissegundo);
            aposHora = false;
            break;
        default:
            saida += formato.substr(i, n);
            break;
        }
        i += n;
    }
    return saida;
}

std::string FormatarDataOuZeros(const std::string& formato, bool vazio, TDateTime data)
{
    if (data > 0)
        return FormatarDataHora(formato, data);
    return vazio ? std::string() : std::string("00000000");
}

int MesesEntre(TDateTime a, TDateTime b)
{
    const DataCivil x = DecodificarData(a);
    const DataCivil y = DecodificarData(b);
    return (x.ano - y.ano) * 12 + x.mes - y.mes;
}

std::string TextoPeriodoProrata(TDateTime dataEdital, bool curto)
{
    if (dataEdital == NullDate || DataValida(dataEdital) != 0)
        return {};
    const DataCivil c = DecodificarData(dataEdital);
    const int mesSeguinte = c.mes == 12 ? 1 : c.mes + 1;
    const int anoSeguinte = c.mes == 12 ? c.ano + 1 : c.ano;
    const std::string inicio = "10/" + Zeros(c.mes, 2) + "/" + Zeros(c.ano, 4);
    const std::string fim = "09/" + Zeros(mesSeguinte, 2) + "/" + Zeros(anoSeguinte, 4);
    if (curto)
        return inicio + " à " + fim;
    return "(entre " + inicio + " e " + fim + ")";
}

// --- padding --------------------------------------------------------------------------------------

std::string Preencher(const std::string& texto, char caractere, bool esquerda, int largura)
{
    const std::size_t alvo = largura > 0 ? static_cast<std::size_t>(largura) : 0;
    std::size_t n = 0, i = 0;
    while (i < texto.size() && n < alvo) {
        i = ProximoCaractere(texto, i);
        ++n;
    }
    if (i < texto.size())
        return texto.substr(0, i);
    const std::string enchimento(alvo - n, caractere);
    return esquerda ? enchimento + texto : texto + enchimento;
}

std::string PreencherEspacos(const std::string& texto, int largura, bool esquerda)
{
    return Preencher(texto, ' ', esquerda, largura);
}

std::string PreencherNumero(const std::string& digitos, int largura)
{
    if (!SoNumeros(digitos))
        throw EConversao("'" + digitos + "' não é um número para um campo de " + std::to_string(largura) +
                         " posições");
    const std::size_t primeiro = digitos.find_first_not_of('0');
    const std::string significativo = primeiro == std::string::npos ? "" : digitos.substr(primeiro);
    if (static_cast<int>(significativo.size()) > largura)
        throw EConversao("O número " + significativo + " não cabe em um campo de " + std::to_string(largura) +
                         " posições");
    return CompletarZeros(significativo, largura);
}

std::string PreencherNumero(int64_t numero, int largura)
{
    if (numero < 0)
        throw EConversao("O número " + std::to_string(numero) + " é negativo e não pode ir para um campo numérico");
    return PreencherNumero(std::to_string(numero), largura);
}

std::string CompletarZeros(const std::string& texto, int largura)
{
    const std::size_t n = ContarCaracteres(texto);
    if (largura <= 0 || n >= static_cast<std::size_t>(largura))
        return texto;
    return std::string(static_cast<std::size_t>(largura) - n, '0') + texto;
}

// --- small pieces ---------------------------------------------------------------------------------

std::string SoDigitos(const std::string& texto)
{
    std::string d;
    for (char c : texto)
        if (c >= '0' && c <= '9')
            d += c;
    return d;
}

std::string RemoverPontos(const std::string& texto)
{
    std::string s;
    for (char c : texto)
        if (c != '.')
            s += c;
    return s;
}

std::string PrimeiroCaractere(const std::string& texto)
{
    if (texto.empty())
        return " ";
    return texto.substr(0, ProximoCaractere(texto, 0));
}

std::string ListaInteiros(const std::vector<int64_t>& numeros)
{
    std::string s;
    for (std::size_t i = 0; i < numeros.size(); ++i) {
        if (i > 0)
            s += ',';
        s += std::to_string(numeros[i]);
    }
    return s;
}

std::string ListaInteiros(const std::vector<int>& numeros)
{
    return ListaInteiros(std::vector<int64_t>(numeros.begin(), numeros.end()));
}

std::string NumeroOuPadrao(const std::string& padrao, int64_t numero)
{
    return numero > 0 ? std::to_string(numero) : padrao;
}

std::string TextoSePositivo(const std::string& texto)
{
    return StrToInteiro64(texto) > 0 ? texto : std::string();
}

std::string SubstituirVarios(const std::string& texto, const std::string& substituto, bool todos,
                             const std::vector<std::string>& lista)
{
    std::string s = texto;
    for (const std::string& item : lista) {
        if (todos) {
            if (item.empty())
                continue;
            std::size_t pos = 0;
            while ((pos = s.find(item, pos)) != std::string::npos) {
                s.replace(pos, item.size(), substituto);
                pos += substituto.size();
            }
        } else {
            if (substituto.empty())
                continue;
            const std::size_t pos = s.find(substituto);
            if (pos != std::string::npos)
                s.replace(pos, substituto.size(), item);
        }
    }
    return s;
}

std::string RemoverDigitosLinha(const std::string& linha)
{
    if (linha.size() != 48 || !SoNumeros(linha))
        return {};
    return linha.substr(0, 11) + linha.substr(12, 11) + linha.substr(24, 11) + linha.substr(36, 11);
}

} // namespace drav
