#include "reports/RelComum.h"

#include "core/Formatacao.h"
#include "core/Utilitarios.h"

namespace drav {

std::string InscricaoPorTipo(const std::string& tipo, const std::string& numero)
{
    const std::string t = Aparar(tipo);
    if (t == "1")
        return FormatarCNPJ(SoDigitos(numero));
    if (t == "2")
        return CompletarZeros(SoDigitos(numero), 12);
    return Aparar(numero);
}

std::string DataOuVazio(TDateTime data)
{
    return data == NullDate ? std::string() : FormatarData(data);
}

std::string TelefoneComDdd(const std::string& ddd, const std::string& telefone)
{
    const std::string d = SoDigitos(ddd);
    const std::string t = Aparar(telefone);
    if (d.empty())
        return t;
    return "(" + CompletarZeros(d, 4) + ")" + t;
}

std::string LinhaVersaoPadrao(TDBUtils& sessao)
{
    return "Versão do Aplicativo: " + VersaoSistema(sessao, true);
}

} // namespace drav
