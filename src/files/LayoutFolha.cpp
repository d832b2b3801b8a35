#include "files/LayoutFolha.h"

namespace drav {

namespace {

using T = TipoCampo;

const TLayoutRegistro kHeader{"00", TamanhoLinhaFolha,
                              {{"Tipo de registro", 1, 2, T::Fixo},
                               {"Brancos", 3, 51, T::Brancos},
                               {"Tipo de remessa", 54, 1, T::Numero},
                               {"Tipo de inscrição", 55, 1, T::Numero},
                               {"Inscrição", 56, 14, T::Numero},
                               {"Razão social", 70, 30, T::Texto},
                               {"Contato", 100, 20, T::Texto},
                               {"Logradouro", 120, 50, T::Texto},
                               {"Bairro", 170, 20, T::Texto},
                               {"CEP", 190, 8, T::Numero},
                               {"Localidade", 198, 20, T::Texto},
                               {"UF", 218, 2, T::Texto},
                               {"Telefone", 220, 12, T::Numero},
                               {"E-mail", 232, 60, T::Texto},
                               {"Data de pagamento", 292, 8, T::Data},
                               {"Brancos", 300, 60, T::Brancos},
                               {"Fim de registro", 360, 1, T::Fixo}}};

const TLayoutRegistro kEmpresa{"10", TamanhoLinhaFolha,
                               {{"Tipo de registro", 1, 2, T::Fixo},
                                {"Tipo de inscrição", 3, 1, T::Numero},
                                {"Inscrição", 4, 14, T::Numero},
                                {"Zeros", 18, 36, T::Zeros},
                                {"Razão social", 54, 40, T::Texto},
                                {"Logradouro", 94, 50, T::Texto},
                                {"Bairro", 144, 20, T::Texto},
                                {"CEP", 164, 8, T::Numero},
                                {"Localidade", 172, 20, T::Texto},
                                {"UF", 192, 2, T::Texto},
                                {"Telefone", 194, 12, T::Numero},
                                {"CNAE", 206, 7, T::Numero},
                                {"Simples", 213, 1, T::Numero},
                                {"FPAS", 214, 3, T::Numero},
                                {"Brancos", 217, 143, T::Brancos},
                                {"Fim de registro", 360, 1, T::Fixo}}};

const TLayoutRegistro kTrabalhador{"40", TamanhoLinhaFolha,
                                   {{"Tipo de registro", 1, 2, T::Fixo},
                                    {"Tipo de inscrição", 3, 1, T::Numero},
                                    {"Inscrição", 4, 14, T::Numero},
                                    {"Tipo de inscrição do tomador", 18, 1, T::Numero},
                                    {"Inscrição do tomador", 19, 14, T::Numero},
                                    {"PIS", 33, 11, T::Numero},
                                    {"Data de admissão", 44, 8, T::Data},
                                    {"Categoria", 52, 2, T::Numero},
                                    {"Nome", 54, 70, T::Texto},
                                    {"Número da CTPS", 124, 7, T::Numero},
                                    {"Série da CTPS", 131, 5, T::Numero},
                                    {"Sexo", 136, 1, T::Numero},
                                    {"Grau de instrução", 137, 2, T::Numero},
                                    {"Data de nascimento", 139, 8, T::Data},
                                    {"Horas semanais", 147, 2, T::Numero},
                                    {"CBO", 149, 6, T::Texto},
                                    {"Data de opção", 155, 8, T::Data},
                                    {"Código de movimentação", 163, 2, T::Texto},
                                    {"Data de movimentação", 165, 8, T::Data},
                                    {"Código de saque", 173, 3, T::Texto},
                                    {"Aviso prévio", 176, 1, T::Numero},
                                    {"Data do aviso", 177, 8, T::Data},
                                    {"Reposição de vagas", 185, 1, T::Texto},
                                    {"Data do dissídio", 186, 8, T::Data},
                                    {"Valor do dissídio", 194, 15, T::Valor},
                                    {"Remuneração do mês anterior", 209, 15, T::Valor},
                                    {"Remuneração do mês da rescisão", 224, 15, T::Valor},
                                    {"Aviso prévio indenizado", 239, 15, T::Valor},
                                    {"Tipo de pensão", 254, 1, T::Texto},
                                    {"Percentual da pensão", 255, 5, T::Percentual},
                                    {"Valor da pensão", 260, 15, T::Valor},
                                    {"CPF", 275, 11, T::Numero},
                                    {"Banco", 286, 3, T::Numero},
                                    {"Agência", 289, 4, T::Numero},
                                    {"Conta", 293, 13, T::Numero},
                                    {"Saldo informado", 306, 15, T::Valor},
                                    {"Brancos", 321, 39, T::Brancos},
                                    {"Fim de registro", 360, 1, T::Fixo}}};

TLayoutRegistro Complemento(const char* tipo)
{
    TLayoutRegistro l{tipo,
                      TamanhoLinhaFolha,
                      {{"Tipo de registro", 1, 2, T::Fixo},
                       {"Tipo de inscrição", 3, 1, T::Numero},
                       {"Inscrição", 4, 14, T::Numero},
                       {"Zero", 18, 1, T::Zeros},
                       {"Zeros", 19, 14, T::Zeros},
                       {"PIS", 33, 11, T::Numero},
                       {"Data de admissão", 44, 8, T::Data},
                       {"Categoria", 52, 2, T::Numero}}};
    for (int k = 0; k < CamposComplemento::Pares; ++k) {
        l.Campos.push_back({"Competência", 54 + 21 * k, 6, T::Competencia});
        l.Campos.push_back({"Remuneração", 60 + 21 * k, 15, T::Valor});
    }
    l.Campos.push_back({"Brancos", 348, 12, T::Brancos});
    l.Campos.push_back({"Fim de registro", 360, 1, T::Fixo});
    return l;
}

const TLayoutRegistro kComplemento1 = Complemento("43");
const TLayoutRegistro kComplemento2 = Complemento("44");
const TLayoutRegistro kComplemento3 = Complemento("45");

const TLayoutRegistro kTrailer{"90", TamanhoLinhaFolha,
                               {{"Tipo de registro", 1, 2, T::Fixo},
                                {"Noves", 3, 51, T::Numero},
                                {"Brancos", 54, 255, T::Brancos},
                                {"Brancos", 309, 51, T::Brancos},
                                {"Fim de registro", 360, 1, T::Fixo}}};

} // namespace

const std::vector<const TLayoutRegistro*>& LayoutsFolha()
{
    static const std::vector<const TLayoutRegistro*> todos{&kHeader,       &kEmpresa,      &kTrabalhador, &kComplemento1,
                                                           &kComplemento2, &kComplemento3, &kTrailer};
    return todos;
}

const TLayoutRegistro* LayoutFolha(std::string_view tipo)
{
    for (const TLayoutRegistro* l : LayoutsFolha())
        if (tipo == l->Tipo)
            return l;
    return nullptr;
}

bool LerRegFolha(std::string_view linha, TRegFolha& reg)
{
    reg = TRegFolha{};
    if (linha.size() != static_cast<std::size_t>(TamanhoLinhaFolha))
        return false;
    const TLayoutRegistro* layout = LayoutFolha(linha.substr(0, 2));
    if (!layout)
        return false;
    reg.Tipo = (linha[0] - '0') * 10 + (linha[1] - '0');
    reg.Campos = CortarLinha(linha, *layout);
    return true;
}

} // namespace drav
