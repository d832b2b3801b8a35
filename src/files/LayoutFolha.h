#pragma once
// The records of the payroll file "DRAV.re": 360 bytes each, the type in positions 1-2 and "*"
// in position 360. The enums name each record's fields by their index in the layout table.
#include "files/Layout.h"

#include <string>
#include <string_view>
#include <vector>

namespace drav {

inline constexpr int TamanhoLinhaFolha = 360;

namespace CamposHeader {
enum : int {
    TipoRegistro, Filler1, TipoRemessa, TipoInscricao, Inscricao, RazaoSocial, NomeContato, Logradouro, Bairro,
    Cep, Localidade, Uf, Telefone, Email, DataPagamento, Filler2, FimRegistro
};
}
namespace CamposEmpresa {
enum : int {
    TipoRegistro, TipoInscricao, Inscricao, Zeros, RazaoSocial, Logradouro, Bairro, Cep, Localidade, Uf, Telefone,
    Cnae, Simples, Fpas, Filler, FimRegistro
};
}
namespace CamposTrabalhador {
enum : int {
    TipoRegistro, TipoInscricao, Inscricao, TipoInscricaoTomador, InscricaoTomador, Pis, DataAdmissao, Categoria,
    Nome, NumeroCtps, SerieCtps, Sexo, GrauInstrucao, DataNascimento, HorasSemanais, Cbo, DataOpcao,
    CodigoMovimentacao, DataMovimentacao, CodigoSaque, AvisoPrevio, DataAviso, ReposicaoVagas, DataDissidio,
    ValorDissidio, RemuneracaoAnterior, RemuneracaoRescisao, ValorAvisoPrevio, TipoPensao, PercentualPensao,
    ValorPensao, Cpf, Banco, Agencia, Conta, SaldoInformado, Filler, FimRegistro
};
}
namespace CamposComplemento {
// The 14 pairs follow PrimeiraCompetencia as competence, amount, competence, amount...
enum : int {
    TipoRegistro, TipoInscricao, Inscricao, Zero, Zeros, Pis, DataAdmissao, Categoria, PrimeiraCompetencia,
    Filler = PrimeiraCompetencia + 28, FimRegistro
};
inline constexpr int Pares = 14;
inline constexpr int Competencia(int par) { return PrimeiraCompetencia + 2 * par; } // par 0..13
inline constexpr int Remuneracao(int par) { return PrimeiraCompetencia + 2 * par + 1; }
} // namespace CamposComplemento
namespace CamposTrailer {
enum : int { TipoRegistro, Noves, Filler1, Filler2, FimRegistro };
}

// The layout of a record type ("00", "10", "40", "43", "44", "45", "90"); null for any other.
const TLayoutRegistro* LayoutFolha(std::string_view tipo);
// Every layout of the file, for tests and tools.
const std::vector<const TLayoutRegistro*>& LayoutsFolha();

// A parsed line: the record type as a number and the fields of its layout as UTF-8 texts.
struct TRegFolha {
    int Tipo = -1;
    std::vector<std::string> Campos;
    const std::string& operator[](int indice) const { return Campos[static_cast<std::size_t>(indice)]; }
};

// False, leaving `reg` empty, when the line is not exactly 360 bytes or its type has no layout.
bool LerRegFolha(std::string_view linha, TRegFolha& reg);

} // namespace drav
