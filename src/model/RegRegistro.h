#pragma once
#include <string>
#include <vector>

namespace drav {

// The identification of one line of an interchange file, kept beside the parsed line so that
// checks and inconsistencies can name the employer and the worker the line is about.
struct TRegRegistro {
    std::string TipoRegistro;      // "00", "10", "40", ...
    std::string TipoInscricao;     // employer's (or the responsible's) inscription type
    std::string Inscricao;         // its inscription, digits
    std::string NomeEmpresa;       // employer or responsible name
    std::string Pis;               // worker's PIS, digits
    std::string Categoria;         // link category
    std::string DataAdmissao;      // "ddmmyyyy"
    std::string NomeTrabalhador;   // worker name
    std::string DataNascimento;    // "ddmmyyyy" (payroll lines)
    std::string CodigoMovimentacao;
};

using TArrRegRegistro = std::vector<TRegRegistro>;

} // namespace drav
