#pragma once
#include "core/Datas.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace drav {

// How a column's values are held and turned into text.
enum class TipoColuna { Texto, Inteiro, Decimal, Flutuante, Data, Hora, DataHora };

struct Coluna {
    std::string nome;
    TipoColuna tipo = TipoColuna::Texto;
    int escala = 0; // decimal places of a Decimal column (its value is held as an integer)
};

// One cell: null, an integer (scaled for Decimal), a floating value, a text, or a day number.
using Valor = std::variant<std::monostate, int64_t, double, std::string>;

class TResultado;

// A field of the current row of a result set: a light view, valid while the set lives.
class TCampo {
public:
    TCampo(const TResultado& r, int coluna);
    const std::string& Nome() const;
    bool IsNull() const;
    std::string AsString() const; // numbers with "," as decimal separator, dates "dd/mm/yyyy"
    int AsInteger() const;
    int64_t AsInt64() const;
    double AsFloat() const;
    TDateTime AsDateTime() const; // NullDate for a null field
private:
    const Valor& valor() const;
    const TResultado* r_;
    int coluna_;
};

// A query's whole result, fetched before the query returned, detached from the database.
class TResultado {
public:
    TResultado() = default;
    explicit TResultado(std::vector<Coluna> colunas);

    void AdicionarLinha(std::vector<Valor> linha);

    // Cursor
    void First();
    void Next(); // on the last row it stays there and Eof becomes true
    bool Eof() const;
    bool IsEmpty() const { return linhas_.empty(); }
    int RecordCount() const { return static_cast<int>(linhas_.size()); }
    int RecNo() const { return atual_; }
    int Bookmark() const { return atual_; }
    void GotoBookmark(int marca);
    void Empty();

    // Fields of the current row. The name look-up ignores ASCII case, as the database does.
    TCampo FieldByName(const std::string& nome) const;
    TCampo Field(int indice) const;
    int FieldCount() const { return static_cast<int>(colunas_.size()); }
    int IndiceColuna(const std::string& nome) const; // -1 when missing
    bool ExisteColuna(const std::string& nome) const; // exact, case-sensitive
    bool Locate(const std::string& coluna, const std::string& valorTexto);

    const std::vector<Coluna>& Colunas() const { return colunas_; }
    const Valor& Celula(int linha, int coluna) const { return linhas_.at(linha).at(coluna); }

private:
    friend class TCampo;
    std::vector<Coluna> colunas_;
    std::vector<std::vector<Valor>> linhas_;
    int atual_ = 0;
    bool eof_ = true;
};

} // namespace drav
