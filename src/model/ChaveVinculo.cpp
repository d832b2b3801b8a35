#include "model/ChaveVinculo.h"

#include "core/Formatacao.h"
#include "core/SqlLiterais.h"
#include "core/Verificacoes.h"

namespace drav {

std::string SqlChaveVinculo(const std::string& alias, int tipoInscricao, int64_t inscricao, int64_t pis,
                            int categoria, TDateTime admissao)
{
    const std::string a = alias.empty() ? "" : alias + ".";
    const std::string data = admissao > 0 ? SqlData(admissao) : "Null";
    return a + "NU_TIPO_INSO_EMPRA = " + SqlInteiro(tipoInscricao) + " AND " + a +
           "NU_INSCRICAO = " + SqlInteiro64(inscricao) + " AND " + a + "NU_PIS = " + SqlInteiro64(pis) +
           " AND " + a + "NU_CATEGORIA = " + SqlInteiro(categoria) + " AND " + a +
           "DT_ADMISSAO_VINCULO = " + data;
}

std::string SqlMesmaChave(const std::string& a, const std::string& b)
{
    std::string s;
    for (const char* c : {"NU_TIPO_INSO_EMPRA", "NU_INSCRICAO", "NU_PIS", "NU_CATEGORIA", "DT_ADMISSAO_VINCULO"}) {
        if (!s.empty())
            s += " AND ";
        s += a + "." + c + " = " + b + "." + c;
    }
    return s;
}

std::string SqlNumeroTexto(const std::string& texto)
{
    const std::string t = Aparar(texto);
    if (t.empty() || !SoNumeros(t))
        return "Null";
    const std::size_t primeiro = t.find_first_not_of('0');
    if (primeiro == std::string::npos)
        return "0";
    const std::string d = t.substr(primeiro);
    // Beyond 18 digits no column of ours can hold it.
    return d.size() > 18 ? "Null" : d;
}

} // namespace drav
