#include "files/LayoutSaldo.h"

namespace drav {

namespace {

using T = TipoCampo;

const TLayoutRegistro kCabecalho{"0", TamanhoLinhaSaldo,
                                 {{"Tipo de registro", 1, 1, T::Fixo},
                                  {"Tipo de remessa", 2, 1, T::Numero},
                                  {"Código de serviço", 3, 2, T::Numero},
                                  {"Produto", 5, 4, T::Texto},
                                  {"Tipo de inscrição", 9, 1, T::Numero},
                                  {"Inscrição", 10, 14, T::Numero},
                                  {"Nome do responsável", 24, 30, T::Texto},
                                  {"Data de gravação", 54, 8, T::Data},
                                  {"Identificador da solicitação", 62, 30, T::Texto},
                                  {"Brancos", 92, 35, T::Brancos},
                                  {"Zeros", 127, 28, T::Zeros},
                                  {"Número sequencial", 155, 6, T::Numero}}};

const TLayoutRegistro kEmpresa{"1", TamanhoLinhaSaldo,
                               {{"Tipo de registro", 1, 1, T::Fixo},
                                {"Número da empresa no banco", 2, 14, T::Numero},
                                {"Razão social", 16, 40, T::Texto},
                                {"Data de crédito de juros", 56, 8, T::Data},
                                {"Data contábil", 64, 8, T::Data},
                                {"Tipo de inscrição", 72, 1, T::Numero},
                                {"Inscrição", 73, 14, T::Numero},
                                {"Situação da conta da empresa", 87, 2, T::Numero},
                                {"Zeros", 89, 68, T::Zeros},
                                {"Número sequencial", 155, 6, T::Numero}}};

const TLayoutRegistro kConta{"2", TamanhoLinhaSaldo,
                             {{"Tipo de registro", 1, 1, T::Fixo},
                              {"Número da empresa no banco", 2, 14, T::Numero},
                              {"Número do trabalhador no banco", 16, 11, T::Numero},
                              {"Nome do trabalhador", 27, 40, T::Texto},
                              {"Data de admissão", 67, 8, T::Data},
                              {"Saldo para fins rescisórios", 75, 13, T::Numero},
                              {"Categoria", 88, 2, T::Numero},
                              {"Tipo de inscrição", 90, 1, T::Numero},
                              {"Inscrição", 91, 14, T::Numero},
                              {"PIS", 105, 11, T::Numero},
                              {"Situação do PIS", 116, 2, T::Numero},
                              {"Situação da conta", 118, 2, T::Numero},
                              {"Maior competência", 120, 6, T::Competencia},
                              {"Zeros", 126, 29, T::Zeros},
                              {"Número sequencial", 155, 6, T::Numero}}};

const TLayoutRegistro kTotalEmpresa{"8", TamanhoLinhaSaldo,
                                    {{"Tipo de registro", 1, 1, T::Fixo},
                                     {"Quantidade de contas", 16, 7, T::Numero},
                                     {"Total dos saldos", 23, 16, T::Numero}}};

const TLayoutRegistro kTotalArquivo{"9", TamanhoLinhaSaldo,
                                    {{"Tipo de registro", 1, 1, T::Fixo},
                                     {"Quantidade de empresas", 2, 7, T::Numero},
                                     {"Quantidade de contas", 9, 7, T::Numero},
                                     {"Quantidade de totais de empresa", 16, 7, T::Numero},
                                     {"Total dos saldos", 23, 16, T::Numero}}};

} // namespace

const TLayoutRegistro* LayoutSaldo(char tipo)
{
    switch (tipo) {
    case '0': return &kCabecalho;
    case '1': return &kEmpresa;
    case '2': return &kConta;
    case '8': return &kTotalEmpresa;
    case '9': return &kTotalArquivo;
    default: return nullptr;
    }
}

bool LerRegSaldo(std::string_view linha, TRegSaldo& reg)
{
    reg = TRegSaldo{};
    if (linha.size() != static_cast<std::size_t>(TamanhoLinhaSaldo))
        return false;
    const TLayoutRegistro* layout = LayoutSaldo(linha[0]);
    if (!layout)
        return false;
    reg.Tipo = linha[0] - '0';
    reg.Campos = CortarLinha(linha, *layout);
    return true;
}

} // namespace drav
