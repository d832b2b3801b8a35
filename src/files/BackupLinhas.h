#pragma once
// The lines of the backup's table files, written and read as plain text. A backup is data, never
// code: the restore reads every line into a table name, column names and literal values, checks
// them, and writes a statement of its own from them, so a line can neither run a statement of
// another kind nor escape its values.
#include "core/Datas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace drav {

// One value of a line.
struct TValorBackup {
    enum class Tipo {
        Nulo,   // NULL, or an empty value of the old format
        Numero, // `texto` is a checked number literal ("-12.50", "1E3")
        Texto,  // `texto` is the value itself (UTF-8, quotes no longer doubled)
        Sql,    // `texto` is a literal built by this program (a converted date); never read from a file
    };
    Tipo tipo = Tipo::Nulo;
    std::string texto;
};

// A line of the current format: INSERT INTO table (columns) VALUES (values);
struct TInstrucaoBackup {
    std::string tabela;
    std::vector<std::string> colunas; // upper case, as the database names them
    std::vector<TValorBackup> valores;
};

// --- writing ---------------------------------------------------------------------------------
// 'text' with inner quotes doubled. Line breaks and other control characters cannot stand inside
// a one-line statement, so they are written as ASCII_CHAR(n) joined to the quoted pieces with ||.
std::string LiteralTextoBackup(const std::string& texto);
// A NUMERIC value held as an integer scaled by 10^escala, written exactly: "1234.5", "-0.01", "7".
std::string LiteralDecimalBackup(int64_t escalado, int escala);
// A floating value in the shortest form that reads back to the same double, "." as separator.
std::string LiteralFlutuanteBackup(double valor);
// Dates month first: '03/15/2010'; with the time when `comHora` and it is not midnight
// ('03/15/2010 10:20:30', milliseconds added when there are any).
std::string LiteralDataBackup(TDateTime data, bool comHora);
// 'hh:nn:ss' (with milliseconds when there are any).
std::string LiteralHoraBackup(TDateTime hora);
// INSERT INTO table (a, b) VALUES (x, y);  — the values already as literals.
std::string LinhaInsercao(const std::string& tabela, const std::vector<std::string>& colunas,
                          const std::vector<std::string>& literais);

// --- reading ---------------------------------------------------------------------------------
// Reads one line of the current format. False with the reason when it is not exactly one INSERT
// of literals (NULL, numbers, quoted texts and their ASCII_CHAR pieces).
bool LerInstrucaoBackup(const std::string& linha, TInstrucaoBackup& saida, std::string& erro);
// The literal a value is written back as.
std::string LiteralValor(const TValorBackup& valor);
// The statement the restore runs for a checked line.
std::string MontarInsercao(const TInstrucaoBackup& instrucao);

// The header of an old-format file: column names separated by commas, quotes ignored, trimmed,
// upper case.
std::vector<std::string> LerCabecalhoAntigo(const std::string& linha);
// A row of an old-format file: literals separated by commas, an empty value being null (a comma
// inside a quoted text belongs to the text). False with the reason for anything else.
bool LerValoresAntigos(const std::string& linha, std::vector<TValorBackup>& valores, std::string& erro);
// The old format counted days from 01/01/1900 = 0; this program counts from 30/12/1899.
inline TDateTime DataFormatoAntigo(double diaAntigo) { return diaAntigo + 2.0; }

} // namespace drav
