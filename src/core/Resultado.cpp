#include "core/Resultado.h"

#include "core/Excecoes.h"

#include <charconv>
#include <cmath>

namespace drav {

namespace {

bool IgualSemCaixa(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

int64_t Potencia10(int n)
{
    int64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// Shortest text that reads back to the same double, with "," as decimal separator. to_chars and
// from_chars ignore the C library's locale, which the window toolkit sets from the environment.
std::string FlutuanteParaTexto(double v)
{
    char buf[64];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general);
    std::string s(buf, ec == std::errc() ? p : buf);
    for (char& c : s)
        if (c == '.')
            c = ',';
    return s;
}

std::string DecimalParaTexto(int64_t bruto, int escala)
{
    if (escala <= 0)
        return std::to_string(bruto);
    const bool negativo = bruto < 0;
    const uint64_t abs = negativo ? static_cast<uint64_t>(-(bruto + 1)) + 1 : static_cast<uint64_t>(bruto);
    std::string digitos = std::to_string(abs);
    if (digitos.size() <= static_cast<size_t>(escala))
        digitos.insert(0, static_cast<size_t>(escala) + 1 - digitos.size(), '0');
    std::string inteiro = digitos.substr(0, digitos.size() - escala);
    std::string fracao = digitos.substr(digitos.size() - escala);
    while (!fracao.empty() && fracao.back() == '0')
        fracao.pop_back();
    std::string s = negativo ? "-" : "";
    s += inteiro;
    if (!fracao.empty())
        s += "," + fracao;
    return s;
}

} // namespace

TCampo::TCampo(const TResultado& r, int coluna) : r_(&r), coluna_(coluna) {}

const std::string& TCampo::Nome() const { return r_->colunas_[coluna_].nome; }

const Valor& TCampo::valor() const
{
    if (r_->linhas_.empty())
        throw EBancoDados("Nenhum registro no resultado (campo " + Nome() + ")");
    return r_->linhas_[r_->atual_][coluna_];
}

bool TCampo::IsNull() const
{
    return r_->linhas_.empty() || std::holds_alternative<std::monostate>(valor());
}

std::string TCampo::AsString() const
{
    if (IsNull())
        return {};
    const Coluna& c = r_->colunas_[coluna_];
    const Valor& v = valor();
    switch (c.tipo) {
    case TipoColuna::Texto:
        return std::get<std::string>(v);
    case TipoColuna::Inteiro:
        return std::to_string(std::get<int64_t>(v));
    case TipoColuna::Decimal:
        return DecimalParaTexto(std::get<int64_t>(v), c.escala);
    case TipoColuna::Flutuante:
        return FlutuanteParaTexto(std::get<double>(v));
    case TipoColuna::Data:
        return DataParaTexto(std::get<double>(v));
    case TipoColuna::Hora:
        return HoraParaTexto(std::get<double>(v));
    case TipoColuna::DataHora: {
        const double d = std::get<double>(v);
        return d == SomenteData(d) ? DataParaTexto(d) : DataHoraParaTexto(d);
    }
    }
    return {};
}

int64_t TCampo::AsInt64() const
{
    if (IsNull())
        return 0;
    const Coluna& c = r_->colunas_[coluna_];
    const Valor& v = valor();
    switch (c.tipo) {
    case TipoColuna::Inteiro:
        return std::get<int64_t>(v);
    case TipoColuna::Decimal:
        return static_cast<int64_t>(std::llround(AsFloat()));
    case TipoColuna::Flutuante:
    case TipoColuna::Data:
    case TipoColuna::Hora:
    case TipoColuna::DataHora:
        return static_cast<int64_t>(std::llround(std::get<double>(v)));
    case TipoColuna::Texto: {
        const std::string& s = std::get<std::string>(v);
        size_t a = s.find_first_not_of(' ');
        size_t b = s.find_last_not_of(' ');
        int64_t n = 0;
        if (a == std::string::npos)
            throw EConversao("'' não é um valor inteiro válido");
        auto [p, ec] = std::from_chars(s.data() + a, s.data() + b + 1, n);
        if (ec != std::errc() || p != s.data() + b + 1)
            throw EConversao("'" + s + "' não é um valor inteiro válido");
        return n;
    }
    }
    return 0;
}

int TCampo::AsInteger() const { return static_cast<int>(AsInt64()); }

double TCampo::AsFloat() const
{
    if (IsNull())
        return 0.0;
    const Coluna& c = r_->colunas_[coluna_];
    const Valor& v = valor();
    switch (c.tipo) {
    case TipoColuna::Inteiro:
        return static_cast<double>(std::get<int64_t>(v));
    case TipoColuna::Decimal:
        // A division by the exact power of ten gives the nearest double (0.29 stays 0.29).
        return static_cast<double>(std::get<int64_t>(v)) / static_cast<double>(Potencia10(c.escala));
    case TipoColuna::Texto: {
        std::string s = std::get<std::string>(v);
        for (char& ch : s)
            if (ch == ',')
                ch = '.';
        while (!s.empty() && s.back() == ' ')
            s.pop_back();
        double d = 0;
        const char* ini = s.data() + s.find_first_not_of(' ') % (s.size() + 1);
        auto [p, ec] = std::from_chars(ini, s.data() + s.size(), d);
        if (s.empty() || ec != std::errc() || p != s.data() + s.size())
            throw EConversao("'" + std::get<std::string>(v) + "' não é um valor numérico válido");
        return d;
    }
    default:
        return std::get<double>(v);
    }
}

TDateTime TCampo::AsDateTime() const
{
    if (IsNull())
        return NullDate;
    const Coluna& c = r_->colunas_[coluna_];
    if (c.tipo == TipoColuna::Data || c.tipo == TipoColuna::Hora || c.tipo == TipoColuna::DataHora ||
        c.tipo == TipoColuna::Flutuante)
        return std::get<double>(valor());
    throw EConversao("O campo " + c.nome + " não é uma data");
}

TResultado::TResultado(std::vector<Coluna> colunas) : colunas_(std::move(colunas)) {}

void TResultado::AdicionarLinha(std::vector<Valor> linha)
{
    linha.resize(colunas_.size());
    linhas_.push_back(std::move(linha));
    eof_ = false;
    atual_ = 0;
}

void TResultado::First()
{
    atual_ = 0;
    eof_ = linhas_.empty();
}

void TResultado::Next()
{
    if (atual_ + 1 < RecordCount())
        ++atual_;
    else
        eof_ = true;
}

bool TResultado::Eof() const { return eof_ || linhas_.empty(); }

void TResultado::GotoBookmark(int marca)
{
    if (marca < 0 || marca >= RecordCount())
        throw EBancoDados("Marcador de registro inválido");
    atual_ = marca;
    eof_ = false;
}

void TResultado::Empty()
{
    linhas_.clear();
    atual_ = 0;
    eof_ = true;
}

int TResultado::IndiceColuna(const std::string& nome) const
{
    for (size_t i = 0; i < colunas_.size(); ++i)
        if (IgualSemCaixa(colunas_[i].nome, nome))
            return static_cast<int>(i);
    return -1;
}

bool TResultado::ExisteColuna(const std::string& nome) const
{
    for (const auto& c : colunas_)
        if (c.nome == nome)
            return true;
    return false;
}

TCampo TResultado::FieldByName(const std::string& nome) const
{
    const int i = IndiceColuna(nome);
    if (i < 0)
        throw EBancoDados("Campo '" + nome + "' não encontrado");
    return TCampo(*this, i);
}

TCampo TResultado::Field(int indice) const
{
    if (indice < 0 || indice >= FieldCount())
        throw EBancoDados("Índice de campo fora dos limites: " + std::to_string(indice));
    return TCampo(*this, indice);
}

bool TResultado::Locate(const std::string& coluna, const std::string& valorTexto)
{
    const int i = IndiceColuna(coluna);
    if (i < 0)
        throw EBancoDados("Campo '" + coluna + "' não encontrado");
    for (int l = 0; l < RecordCount(); ++l) {
        atual_ = l;
        if (TCampo(*this, i).AsString() == valorTexto) {
            eof_ = false;
            return true;
        }
    }
    eof_ = true;
    return false;
}

} // namespace drav
