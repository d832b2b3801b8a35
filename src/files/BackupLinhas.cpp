#include "files/BackupLinhas.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace drav {

namespace {

bool Digito(char c) { return c >= '0' && c <= '9'; }
bool Letra(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
char Maiuscula(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string EmMaiusculas(std::string s)
{
    for (char& c : s)
        c = Maiuscula(c);
    return s;
}

std::string Aparado(const std::string& s)
{
    std::size_t i = 0, f = s.size();
    while (i < f && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    while (f > i && (s[f - 1] == ' ' || s[f - 1] == '\t' || s[f - 1] == '\r'))
        --f;
    return s.substr(i, f - i);
}

// Sign, digits with at most one point, an optional exponent; at least one digit before the
// exponent. Nothing else may reach the statement as a number.
bool NumeroValido(const std::string& s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        ++i;
    int digitos = 0;
    while (i < s.size() && Digito(s[i]))
        ++i, ++digitos;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && Digito(s[i]))
            ++i, ++digitos;
    }
    if (digitos == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '-' || s[i] == '+'))
            ++i;
        int exp = 0;
        while (i < s.size() && Digito(s[i]))
            ++i, ++exp;
        if (exp == 0)
            return false;
    }
    return i == s.size();
}

std::string DoisDigitos(int n)
{
    char b[8];
    std::snprintf(b, sizeof b, "%02d", n);
    return b;
}

class Leitor {
public:
    explicit Leitor(const std::string& s) : s_(s) {}

    void Espacos()
    {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\r'))
            ++i_;
    }
    bool Fim()
    {
        Espacos();
        return i_ >= s_.size();
    }
    bool Simbolo(char c)
    {
        Espacos();
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    bool Concatenacao()
    {
        Espacos();
        if (s_.compare(i_, 2, "||") == 0) {
            i_ += 2;
            return true;
        }
        return false;
    }
    // A plain name (upper-cased) or a name in double quotes (kept as written).
    bool Nome(std::string& nome)
    {
        Espacos();
        nome.clear();
        if (i_ < s_.size() && s_[i_] == '"') {
            const std::size_t fim = s_.find('"', i_ + 1);
            if (fim == std::string::npos || fim == i_ + 1)
                return false;
            nome = s_.substr(i_ + 1, fim - i_ - 1);
            i_ = fim + 1;
            for (char c : nome)
                if (!(Letra(c) || Digito(c) || c == '$'))
                    return false;
            return true;
        }
        if (i_ >= s_.size() || !Letra(s_[i_]))
            return false;
        while (i_ < s_.size() && (Letra(s_[i_]) || Digito(s_[i_]) || s_[i_] == '$'))
            nome += Maiuscula(s_[i_++]);
        return true;
    }
    bool Palavra(const char* esperada)
    {
        const std::size_t antes = i_;
        std::string w;
        if (Nome(w) && w == esperada)
            return true;
        i_ = antes;
        return false;
    }

    bool Valor(TValorBackup& v, std::string& erro)
    {
        Espacos();
        v = {};
        if (i_ >= s_.size()) {
            erro = "valor ausente";
            return false;
        }
        const char c = s_[i_];
        if (c == '\'' || Letra(c)) {
            if (Letra(c) && Palavra("NULL")) {
                v.tipo = TValorBackup::Tipo::Nulo;
                return true;
            }
            v.tipo = TValorBackup::Tipo::Texto;
            do {
                if (!PedacoTexto(v.texto, erro))
                    return false;
            } while (Concatenacao());
            return true;
        }
        std::size_t f = i_;
        while (f < s_.size() && (Digito(s_[f]) || s_[f] == '.' || s_[f] == '-' || s_[f] == '+' || s_[f] == 'e' ||
                                 s_[f] == 'E'))
            ++f;
        const std::string numero = s_.substr(i_, f - i_);
        if (!NumeroValido(numero)) {
            erro = "valor inválido na posição " + std::to_string(i_ + 1);
            return false;
        }
        i_ = f;
        v.tipo = TValorBackup::Tipo::Numero;
        v.texto = numero;
        return true;
    }

    std::size_t Posicao() const { return i_; }

private:
    bool PedacoTexto(std::string& texto, std::string& erro)
    {
        Espacos();
        if (i_ < s_.size() && s_[i_] == '\'') {
            ++i_;
            for (;;) {
                if (i_ >= s_.size()) {
                    erro = "texto sem aspa final";
                    return false;
                }
                if (s_[i_] == '\'') {
                    if (i_ + 1 < s_.size() && s_[i_ + 1] == '\'') {
                        texto += '\'';
                        i_ += 2;
                        continue;
                    }
                    ++i_;
                    return true;
                }
                texto += s_[i_++];
            }
        }
        if (Palavra("ASCII_CHAR") && Simbolo('(')) {
            Espacos();
            std::size_t f = i_;
            while (f < s_.size() && Digito(s_[f]))
                ++f;
            int n = -1;
            if (f > i_ && f - i_ <= 3)
                std::from_chars(s_.data() + i_, s_.data() + f, n);
            i_ = f;
            if (n < 0 || n > 127 || !Simbolo(')')) {
                erro = "ASCII_CHAR inválido";
                return false;
            }
            texto += static_cast<char>(n);
            return true;
        }
        erro = "valor inválido na posição " + std::to_string(i_ + 1);
        return false;
    }

    const std::string& s_;
    std::size_t i_ = 0;
};

} // namespace

std::string LiteralTextoBackup(const std::string& texto)
{
    std::string r;
    bool aberto = false;
    for (char c : texto) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f) {
            if (aberto)
                r += "'";
            if (!r.empty())
                r += " || ";
            r += "ASCII_CHAR(" + std::to_string(u) + ")";
            aberto = false;
            continue;
        }
        if (!aberto) {
            if (!r.empty())
                r += " || ";
            r += "'";
            aberto = true;
        }
        r += c;
        if (c == '\'')
            r += '\'';
    }
    if (aberto)
        r += "'";
    return r.empty() ? "''" : r;
}

std::string LiteralDecimalBackup(int64_t escalado, int escala)
{
    const bool negativo = escalado < 0;
    // Magnitude through unsigned arithmetic: the most negative value has no positive twin.
    uint64_t m = negativo ? ~static_cast<uint64_t>(escalado) + 1 : static_cast<uint64_t>(escalado);
    std::string digitos = std::to_string(m);
    if (escala <= 0)
        return (negativo ? "-" : "") + digitos;
    if (digitos.size() <= static_cast<std::size_t>(escala))
        digitos.insert(0, static_cast<std::size_t>(escala) + 1 - digitos.size(), '0');
    std::string inteira = digitos.substr(0, digitos.size() - static_cast<std::size_t>(escala));
    std::string fracao = digitos.substr(digitos.size() - static_cast<std::size_t>(escala));
    while (!fracao.empty() && fracao.back() == '0')
        fracao.pop_back();
    std::string r = negativo ? "-" : "";
    r += inteira;
    if (!fracao.empty())
        r += "." + fracao;
    return r;
}

std::string LiteralFlutuanteBackup(double valor)
{
    char b[64];
    const auto res = std::to_chars(b, b + sizeof b, valor);
    std::string r(b, res.ptr);
    // The engine reads "1e20" but not "1e+20".
    if (const auto p = r.find("e+"); p != std::string::npos)
        r.erase(p + 1, 1);
    return r;
}

std::string LiteralDataBackup(TDateTime data, bool comHora)
{
    const DataCivil c = DecodificarData(data);
    char b[16];
    std::snprintf(b, sizeof b, "%04d", c.ano);
    std::string r = "'" + DoisDigitos(c.mes) + "/" + DoisDigitos(c.dia) + "/" + b;
    if (comHora && (c.hora || c.minuto || c.segundo || c.milissegundo)) {
        r += " " + DoisDigitos(c.hora) + ":" + DoisDigitos(c.minuto) + ":" + DoisDigitos(c.segundo);
        if (c.milissegundo) {
            std::snprintf(b, sizeof b, ".%03d", c.milissegundo);
            r += b;
        }
    }
    return r + "'";
}

std::string LiteralHoraBackup(TDateTime hora)
{
    // Only the fraction matters; a whole day added keeps the civil helpers on safe ground.
    const DataCivil c = DecodificarData(1.0 + (hora - std::floor(hora)));
    std::string r = "'" + DoisDigitos(c.hora) + ":" + DoisDigitos(c.minuto) + ":" + DoisDigitos(c.segundo);
    if (c.milissegundo) {
        char b[8];
        std::snprintf(b, sizeof b, ".%03d", c.milissegundo);
        r += b;
    }
    return r + "'";
}

std::string LinhaInsercao(const std::string& tabela, const std::vector<std::string>& colunas,
                          const std::vector<std::string>& literais)
{
    std::string r = "INSERT INTO " + tabela + " (";
    for (std::size_t i = 0; i < colunas.size(); ++i)
        r += (i ? ", " : "") + colunas[i];
    r += ") VALUES (";
    for (std::size_t i = 0; i < literais.size(); ++i)
        r += (i ? ", " : "") + literais[i];
    return r + ");";
}

bool LerInstrucaoBackup(const std::string& linha, TInstrucaoBackup& saida, std::string& erro)
{
    saida = {};
    Leitor l(linha);
    if (!l.Palavra("INSERT") || !l.Palavra("INTO") || !l.Nome(saida.tabela)) {
        erro = "a linha não é uma inclusão";
        return false;
    }
    if (!l.Simbolo('(')) {
        erro = "lista de colunas ausente";
        return false;
    }
    do {
        std::string c;
        if (!l.Nome(c)) {
            erro = "nome de coluna inválido";
            return false;
        }
        saida.colunas.push_back(c);
    } while (l.Simbolo(','));
    if (!l.Simbolo(')') || !l.Palavra("VALUES") || !l.Simbolo('(')) {
        erro = "lista de valores ausente";
        return false;
    }
    do {
        TValorBackup v;
        if (!l.Valor(v, erro))
            return false;
        saida.valores.push_back(std::move(v));
    } while (l.Simbolo(','));
    if (!l.Simbolo(')')) {
        erro = "lista de valores sem fim";
        return false;
    }
    l.Simbolo(';');
    if (!l.Fim()) {
        erro = "texto após a inclusão na posição " + std::to_string(l.Posicao() + 1);
        return false;
    }
    if (saida.colunas.size() != saida.valores.size()) {
        erro = std::to_string(saida.colunas.size()) + " colunas e " + std::to_string(saida.valores.size()) +
               " valores";
        return false;
    }
    return true;
}

std::string LiteralValor(const TValorBackup& valor)
{
    switch (valor.tipo) {
    case TValorBackup::Tipo::Nulo: return "NULL";
    case TValorBackup::Tipo::Numero:
    case TValorBackup::Tipo::Sql: return valor.texto;
    case TValorBackup::Tipo::Texto: return LiteralTextoBackup(valor.texto);
    }
    return "NULL";
}

std::string MontarInsercao(const TInstrucaoBackup& instrucao)
{
    std::vector<std::string> literais;
    literais.reserve(instrucao.valores.size());
    for (const auto& v : instrucao.valores)
        literais.push_back(LiteralValor(v));
    std::string r = LinhaInsercao(instrucao.tabela, instrucao.colunas, literais);
    r.pop_back(); // the statement is run alone; the separator belongs to the file
    return r;
}

std::vector<std::string> LerCabecalhoAntigo(const std::string& linha)
{
    std::vector<std::string> nomes;
    std::string atual;
    for (char c : linha) {
        if (c == '\'')
            continue;
        if (c == ',') {
            nomes.push_back(EmMaiusculas(Aparado(atual)));
            atual.clear();
        } else {
            atual += c;
        }
    }
    nomes.push_back(EmMaiusculas(Aparado(atual)));
    return nomes;
}

bool LerValoresAntigos(const std::string& linha, std::vector<TValorBackup>& valores, std::string& erro)
{
    valores.clear();
    // Split at the commas outside quotes; each piece is one literal or nothing.
    std::vector<std::string> pecas;
    std::string atual;
    bool emTexto = false;
    for (char c : linha) {
        if (c == '\'')
            emTexto = !emTexto; // a doubled quote toggles twice and stays inside
        if (c == ',' && !emTexto) {
            pecas.push_back(atual);
            atual.clear();
        } else {
            atual += c;
        }
    }
    if (emTexto) {
        erro = "texto sem aspa final";
        return false;
    }
    pecas.push_back(atual);
    for (const std::string& bruta : pecas) {
        const std::string peca = Aparado(bruta);
        TValorBackup v;
        if (peca.empty()) {
            valores.push_back(v);
            continue;
        }
        Leitor l(peca);
        if (!l.Valor(v, erro))
            return false;
        if (!l.Fim()) {
            erro = "valor inválido: " + peca;
            return false;
        }
        valores.push_back(std::move(v));
    }
    return true;
}

} // namespace drav
