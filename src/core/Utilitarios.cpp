#include "core/Utilitarios.h"

#include "core/DBUtils.h"

#include <system_error>

namespace drav {

bool EhDiaUtil(TDBUtils& sessao, TDateTime data)
{
    const auto r = sessao.AbrirConsulta("SELECT DT_UTIL AS DATA FROM SFGTBT15_DIA_UTIL WHERE DT_UTIL = " +
                                        SqlData(data, true));
    return !r->IsEmpty();
}

bool NoPeriodoProrata(TDBUtils& sessao, TDateTime data)
{
    // The window spans two calendar months, so its rows do too: the earliest payment date is the
    // one that names the window's first month, whatever order the rows were stored in.
    const auto r = sessao.AbrirConsulta(
        "SELECT DT_RECOLHIMENTO_PRORATA FROM SFGTBT18_INDICE_PRORATA ORDER BY DT_RECOLHIMENTO_PRORATA");
    if (r->IsEmpty())
        return false;
    r->First();
    const TDateTime recolhimento = r->FieldByName("DT_RECOLHIMENTO_PRORATA").AsDateTime();
    if (recolhimento == NullDate || DataValida(recolhimento) != 0 || DataValida(data) != 0 || data == NullDate)
        return false;
    const DataCivil c = DecodificarData(recolhimento);
    const TDateTime inicio = CodificarData(c.ano, c.mes, 10);
    const TDateTime fim = c.mes == 12 ? CodificarData(c.ano + 1, 1, 9) : CodificarData(c.ano, c.mes + 1, 9);
    const TDateTime dia = SomenteData(data);
    return dia >= inicio && dia <= fim;
}

TDateTime DataServidor(TDBUtils& sessao, bool comHora)
{
    const auto r = sessao.AbrirConsulta("Select current_timestamp AS DATA from rdb$database");
    r->First();
    const TDateTime agora = r->FieldByName("DATA").AsDateTime();
    return comHora ? agora : SomenteData(agora);
}

std::string VersaoSistema(TDBUtils& sessao, bool comData)
{
    const auto r = sessao.AbrirConsulta("SELECT CO_VERSAO_SISTEMA, DT_VERSAO_SISTEMA FROM SFGTBT22_PARAMETRO_SISTEMA "
                                        "ORDER BY DT_VERSAO_SISTEMA DESC");
    if (r->IsEmpty())
        return {};
    r->First();
    std::string versao = Aparar(r->FieldByName("CO_VERSAO_SISTEMA").AsString()) + " ";
    if (comData) {
        // A version without a date shows none, rather than the empty date's zeros.
        const TDateTime data = r->FieldByName("DT_VERSAO_SISTEMA").AsDateTime();
        const std::string texto = data == NullDate ? std::string() : FormatarData(data);
        if (!texto.empty())
            versao += " - " + texto;
    }
    return versao;
}

std::vector<std::string> PastaConfigurada(const std::filesystem::path& pastaDados, const std::string& /*subchave*/,
                                          const std::vector<std::string>& nomes)
{
    std::string pasta = pastaDados.string();
    if (pasta.empty() || pasta.back() != std::filesystem::path::preferred_separator)
        pasta += std::filesystem::path::preferred_separator;
    return std::vector<std::string>(nomes.size(), pasta);
}

bool ApagarArquivos(const std::filesystem::path& pasta)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(pasta, ec))
        return true;
    bool todos = true;
    for (const auto& entrada : std::filesystem::directory_iterator(pasta, ec)) {
        std::error_code e;
        if (entrada.is_directory(e))
            continue;
        if (!std::filesystem::remove(entrada.path(), e) || e)
            todos = false;
    }
    return todos && !ec;
}

} // namespace drav
