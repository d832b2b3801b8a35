#pragma once
// The records of the bank's rescission-balance file: 160 bytes each, the type in position 1 and
// a sequence number in positions 155-160. The enums name each record's fields by their index in
// the layout table.
#include "files/Layout.h"

#include <string>
#include <string_view>
#include <vector>

namespace drav {

inline constexpr int TamanhoLinhaSaldo = 160;

namespace CamposCabecalhoSaldo {
enum : int {
    TipoRegistro, TipoRemessa, CodigoServico, Produto, TipoInscricao, Inscricao, Nome, DataGravacao, Identificador,
    Brancos, Zeros, Sequencia
};
}
namespace CamposEmpresaSaldo {
// The zeros run into the first two digits of the sequence number, as the bank writes them.
enum : int {
    TipoRegistro, NumeroEmpresaQueld, RazaoSocial, DataCredito, DataContabil, TipoInscricao, Inscricao, Situacao,
    Zeros, Sequencia
};
}
namespace CamposContaSaldo {
enum : int {
    TipoRegistro, NumeroEmpresaQueld, NumeroEmpregadoQueld, Nome, DataAdmissao, Saldo, Categoria, TipoInscricao,
    Inscricao, Pis, SituacaoPis, SituacaoConta, MaiorCompetencia, Zeros, Sequencia
};
}
namespace CamposTotalEmpresaSaldo {
enum : int { TipoRegistro, QuantidadeContas, TotalSaldos };
}
namespace CamposTotalArquivoSaldo {
enum : int { TipoRegistro, QuantidadeEmpresas, QuantidadeContas, QuantidadeTotais, TotalSaldos };
}

// The layout of a record type ('0', '1', '2', '8', '9'); null for any other.
const TLayoutRegistro* LayoutSaldo(char tipo);

// A parsed line: the record type as a number and the fields of its layout as UTF-8 texts.
struct TRegSaldo {
    int Tipo = -1;
    std::vector<std::string> Campos;
    const std::string& operator[](int indice) const { return Campos[static_cast<std::size_t>(indice)]; }
};

// False, leaving `reg` empty, when the line is not exactly 160 bytes or its type has no layout.
bool LerRegSaldo(std::string_view linha, TRegSaldo& reg);

} // namespace drav
