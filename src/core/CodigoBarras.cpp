#include "core/CodigoBarras.h"

#include "core/Excecoes.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

namespace drav {

namespace {

constexpr std::size_t TamanhoCodigo = 44;
constexpr std::size_t TamanhoBloco = 11;
constexpr long long MaiorValorCentavos = 99'999'999'999LL; // 11 digits

std::string ZerosEsquerda(long long numero, int largura)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*lld", largura, numero);
    return buf;
}

bool SoDigitos(const std::string& texto)
{
    for (char c : texto)
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::string ValorEmCentavos(double valor)
{
    // Checked before rounding: llround of a value beyond long long is undefined.
    if (!std::isfinite(valor) || valor < 0.0 || valor * 100.0 >= static_cast<double>(MaiorValorCentavos) + 0.5)
        throw ENegocio("Valor da guia fora do limite do código de barras");
    // The amount already has at most two decimals; 1234.56 * 100 is 123455.99999..., hence the rounding.
    return ZerosEsquerda(std::llround(valor * 100.0), 11);
}

std::string DataAAAAMMDD(TDateTime data)
{
    if (!std::isfinite(data))
        throw ENegocio("Data de recolhimento inválida para o código de barras");
    const DataCivil c = DecodificarData(data);
    if (c.ano < 1 || c.ano > 9999)
        throw ENegocio("Data de recolhimento inválida para o código de barras");
    return ZerosEsquerda(c.ano, 4) + ZerosEsquerda(c.mes, 2) + ZerosEsquerda(c.dia, 2);
}

} // namespace

int DigitoModulo11(const std::string& digitos)
{
    int soma = 0;
    int peso = 2;
    for (auto it = digitos.rbegin(); it != digitos.rend(); ++it) {
        if (*it < '0' || *it > '9')
            throw EConversao("'" + digitos + "' não é uma sequência de dígitos");
        soma += (*it - '0') * peso;
        peso = peso == 9 ? 2 : peso + 1;
    }
    const int resto = soma % 11;
    return resto <= 1 ? 0 : 11 - resto;
}

TRelogioCodigoBarras RelogioDoSistema()
{
    return {[] { return Agora(); }, [] { std::this_thread::sleep_for(std::chrono::seconds(1)); }};
}

std::string CampoLivre(int64_t inscricao, TDateTime agora)
{
    if (inscricao < 0 || inscricao > 99'999'999'999'999LL)
        throw ENegocio("Inscrição inválida para o código de barras");
    // Decoded once, so the day, the year and the seconds all describe the same instant.
    const DataCivil c = DecodificarData(agora);
    const int diaDoAno = static_cast<int>(CodificarData(c.ano, c.mes, c.dia) - CodificarData(c.ano, 1, 1)) + 1;
    const int segundos = c.hora * 3600 + c.minuto * 60 + c.segundo;
    const std::string inscricao14 = ZerosEsquerda(inscricao, 14);
    return ZerosEsquerda(diaDoAno, 3) + std::to_string(((c.ano % 10) + 10) % 10) + ZerosEsquerda(segundos, 5)
           + inscricao14.substr(1, 7) + "2";
}

std::string MontarCodigoBarras(int /*tipoInscricao*/, int64_t inscricao, TDateTime dataRecolhimento, double valor,
                               const TRelogioCodigoBarras& relogio)
{
    // Everything that can fail is checked before the one-second wait.
    const std::string valorTexto = ValorEmCentavos(valor);
    const std::string dataTexto = DataAAAAMMDD(dataRecolhimento);
    if (inscricao < 0 || inscricao > 99'999'999'999'999LL)
        throw ENegocio("Inscrição inválida para o código de barras");

    if (relogio.AguardarUmSegundo)
        relogio.AguardarUmSegundo();
    const TDateTime agora = relogio.Agora ? relogio.Agora() : Agora();
    const std::string campoLivre = CampoLivre(inscricao, agora);

    const std::string semDigito = "858" + valorTexto + "0239" + dataTexto + campoLivre;
    const int digito = DigitoModulo11(semDigito);
    return semDigito.substr(0, 3) + static_cast<char>('0' + digito) + semDigito.substr(3);
}

std::string LinhaDigitavel(const std::string& codigo)
{
    if (codigo.size() != TamanhoCodigo || !SoDigitos(codigo))
        return {};
    std::string linha;
    linha.reserve(48);
    for (std::size_t i = 0; i < TamanhoCodigo; i += TamanhoBloco) {
        const std::string bloco = codigo.substr(i, TamanhoBloco);
        linha += bloco;
        linha += static_cast<char>('0' + DigitoModulo11(bloco));
    }
    return linha;
}

std::string DigitosBlocos(const std::string& codigo)
{
    if (codigo.size() != TamanhoCodigo)
        throw EConversao("Código de barras deve ter 44 dígitos: '" + codigo + "'");
    std::string digitos;
    for (std::size_t i = 0; i < TamanhoCodigo; i += TamanhoBloco)
        digitos += static_cast<char>('0' + DigitoModulo11(codigo.substr(i, TamanhoBloco)));
    return digitos;
}

} // namespace drav
