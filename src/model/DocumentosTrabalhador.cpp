#include "model/DocumentosTrabalhador.h"

#include "core/Formatacao.h"
#include "core/Verificacoes.h"

#include <cstdint>

namespace drav {

namespace {

// Numbers set aside by the issuer that must never identify a worker, whatever their check digit.
constexpr const char* kPisReservados = "19999999991,12345678900";

bool Reservado(const std::string& pis)
{
    const std::string lista = kPisReservados;
    std::size_t inicio = 0;
    while (inicio <= lista.size()) {
        std::size_t fim = lista.find(',', inicio);
        if (fim == std::string::npos)
            fim = lista.size();
        if (lista.compare(inicio, fim - inicio, pis) == 0)
            return true;
        inicio = fim + 1;
    }
    return false;
}

// The remainder rule of both identifiers: 0 for remainders 0 and 1, else 11 - remainder.
int DigitoModulo11(const std::string& digitos, std::size_t quantos, int pesoInicial)
{
    int soma = 0;
    for (std::size_t i = 0; i < quantos; ++i)
        soma += (digitos[i] - '0') * (pesoInicial - static_cast<int>(i));
    const int r = soma % 11;
    return r < 2 ? 0 : 11 - r;
}

} // namespace

bool PisValido(const std::string& pis)
{
    if (pis.size() != 11 || TodosIguais(pis) || !SoNumeros(pis) || Reservado(pis))
        return false;
    const int64_t base = std::stoll(pis.substr(0, 10));
    if (base < 1000000001LL || base > 2999999999LL)
        return false;
    static const int pesos[10] = {3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    int soma = 0;
    for (int i = 0; i < 10; ++i)
        soma += (pis[i] - '0') * pesos[i];
    const int r = soma % 11;
    const int digito = r < 2 ? 0 : 11 - r;
    return digito == pis[10] - '0';
}

bool CpfValido(const std::string& cpf)
{
    if (Vazio(cpf))
        return true;
    if (!SoNumeros(cpf) || cpf.size() != 11 || TodosZeros(cpf, 11))
        return false;
    if (DigitoModulo11(cpf, 9, 10) != cpf[9] - '0')
        return false;
    return DigitoModulo11(cpf, 10, 11) == cpf[10] - '0';
}

} // namespace drav
