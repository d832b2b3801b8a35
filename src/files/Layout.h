#pragma once
// Fixed-width records in two steps: a layout is plain data (field, start, width, kind) and the
// cutter below knows nothing of what the fields mean. Lines are cut by byte position in their
// Windows-1252 form; each field becomes UTF-8 only after it was cut.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace drav {

enum class TipoCampo {
    Numero,      // digits, right-aligned, zero-filled
    Texto,       // left-aligned, blank-filled
    Data,        // ddmmyyyy, zeros or blanks for none
    Valor,       // 15 digits, two implied decimals
    Percentual,  // 5 digits, two implied decimals
    Competencia, // yyyymm
    Brancos,     // filler that must be blank
    Zeros,       // filler that must be zeros
    Fixo,        // a literal (the record type, the end mark)
};

struct TCampoLayout {
    const char* Nome;
    int Inicio; // 1-based byte position
    int Largura;
    TipoCampo Tipo;
};

struct TLayoutRegistro {
    const char* Tipo; // record type as it appears at the start of the line
    int Tamanho;      // exact length of every line of this record type
    std::vector<TCampoLayout> Campos;
};

// The bytes of one field; a line shorter than the field gives what it has (possibly nothing).
std::string_view CortarCampo(std::string_view linha, int inicio, int largura);
// Every field of the layout, in its order, converted to UTF-8.
std::vector<std::string> CortarLinha(std::string_view linha, const TLayoutRegistro& layout);

// Windows-1252 to UTF-8. The five byte values that Windows-1252 leaves undefined become U+FFFD,
// which no check of a name, code or number accepts, so such a byte is reported instead of being
// passed on as something it never was.
std::string Cp1252ParaUtf8(std::string_view bytes);
// UTF-8 to Windows-1252 for writing files. False (and `saida` incomplete) when a character has no
// Windows-1252 form or the text is not UTF-8.
bool Utf8ParaCp1252(std::string_view texto, std::string& saida);

// The lines of a file's bytes: split at LF, a CR right before the LF (or at the very end) dropped.
// A final line end does not start an extra empty line; a CR inside a line is kept, so it shows as
// a line of the wrong length rather than silently splitting a record.
std::vector<std::string> SepararLinhas(std::string_view conteudo);
// The whole file; false when it cannot be read.
bool LerBytesArquivo(const std::filesystem::path& caminho, std::string& saida);

} // namespace drav
