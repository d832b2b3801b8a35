// Field checks of a link, run one by one by the worker form, the payroll import, the rescission
// file and the balance load, each of which reports the code its own way.
#include "model/Vinculo.h"

#include "core/Conversao.h"
#include "core/DBUtils.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"
#include "core/Verificacoes.h"
#include "model/ChaveVinculo.h"
#include "model/Empregado.h"
#include "model/Empresa.h"
#include "model/InformacaoRescisao.h"
#include "model/RegistrosGravados.h"

namespace drav {

namespace {

// DataValida answers 0 usable (also no date), 1 invalid, 2 before 1900.
constexpr int kDataValida = 0, kDataInvalida = 1, kAntesDe1900 = 2;

bool Informada(TDateTime data) { return data != NullDate && data != DataInvalida; }

// Calendar day of a date, for comparisons that must ignore the time of day.
TDateTime Dia(TDateTime data) { return SomenteData(data); }

TDateTime Em(int ano, int mes, int dia) { return CodificarData(ano, mes, dia); }

int AnoMes(TDateTime data)
{
    const DataCivil c = DecodificarData(data);
    return c.ano * 100 + c.mes;
}

bool CategoriaComDatasObrigatorias(int categoria) { return categoria == 1 || (categoria >= 3 && categoria <= 7); }

bool Existe(TDBUtils& sessao, const std::string& sql) { return !sessao.AbrirConsulta(sql)->IsEmpty(); }

} // namespace

bool TVinculo::ValidarCategoria(bool apenasTabela)
{
    CodigoMensagem.clear();
    if (Categoria == -1) {
        CodigoMensagem = "14";
        return false;
    }
    if (Categoria == 0) {
        CodigoMensagem = "15";
        return false;
    }
    if (!Existe(Sessao(), "SELECT NU_CATEGORIA FROM SFGTBT04_CATEGORIA_EMPREGADO  WHERE NU_CATEGORIA = " +
                              std::to_string(Categoria) + " "))
        CodigoMensagem = "0336";
    if (!apenasTabela) {
        const std::string mov = MaiusculasAscii(Aparar(Movimentacao));
        TEmpresa& empresa = Empresa();
        const int fpas = StrToInteiro(empresa.Fpas);
        if (TipoInscricao == 1 && Categoria == 6)
            CodigoMensagem = "0412";
        else if (Categoria != 6 && mov == "I4")
            CodigoMensagem = "0406";
        else if (fpas != 868 && Categoria == 6)
            CodigoMensagem = "0424";
        else if (fpas == 868 && Categoria != 6)
            CodigoMensagem = "0431";
        else if (mov == "I1" && Categoria == 6)
            CodigoMensagem = "0433";
    }
    return CodigoMensagem.empty();
}

bool TVinculo::ValidarCbo()
{
    CodigoMensagem.clear();
    const std::string cbo = Aparar(Cbo);
    if (Categoria == 6 && cbo != "005121")
        CodigoMensagem = "0016";
    else if (Categoria != 6 && cbo == "005121")
        CodigoMensagem = "0390";
    if (CodigoMensagem.empty()) {
        if (cbo.empty())
            CodigoMensagem = "0017";
        else if (!Existe(Sessao(), "SELECT CO_CBO FROM SFGTBT05_OCUPACAO_NIVEL_4 WHERE CO_CBO = " + SqlTexto(cbo)))
            CodigoMensagem = "0337";
    }
    return CodigoMensagem.empty();
}

bool TVinculo::ValidarMovimentacao()
{
    CodigoMensagem.clear();
    const std::string mov = Aparar(Movimentacao);
    if (mov.empty())
        CodigoMensagem = "0027";
    else if (MaiusculasAscii(mov) == "I3" && Rescisao().VrSaldoRescisorio > 0)
        CodigoMensagem = "0483";
    else if (!Existe(Sessao(), "SELECT CO_MOVIMENTACAO FROM SFGTBT07_TIPO_MOVIMENTACAO WHERE CO_MOVIMENTACAO = " +
                                   SqlTexto(mov)))
        CodigoMensagem = "0338";
    return CodigoMensagem.empty();
}

bool TVinculo::ValidarDataAdmissao(bool verificarTrabalhador, const TArrRegRegistro* registros)
{
    CodigoMensagem.clear();
    const int situacao = DataValida(DataAdmissao);
    if (situacao == kAntesDe1900)
        CodigoMensagem = "0043";
    else if (CategoriaComDatasObrigatorias(Categoria) && DataAdmissao == NullDate)
        CodigoMensagem = "0039";
    else if (situacao == kDataInvalida)
        CodigoMensagem = "0046";
    else if (Informada(DataAdmissao) && Categoria == 4 && Dia(DataAdmissao) < Em(1998, 1, 22))
        CodigoMensagem = "0041";
    else if (Informada(DataAdmissao) && Categoria == 7 && Dia(DataAdmissao) < Em(2000, 12, 20))
        CodigoMensagem = "0040";
    if (!CodigoMensagem.empty() || !verificarTrabalhador)
        return CodigoMensagem.empty();

    TEmpregado& trabalhador = Trabalhador();
    const TDateTime nascimento = trabalhador.DataNascimento;
    // An unreadable or missing birth date is the birth-date check's to report, not this one's.
    if (!Informada(nascimento) || DataValida(nascimento) != kDataValida)
        return true;
    if (Informada(DataAdmissao) && Dia(nascimento) >= Dia(DataAdmissao)) {
        CodigoMensagem = "0044";
        return false;
    }
    if (registros) {
        const std::string pis = CompletarZeros(std::to_string(Pis), 11);
        for (const TRegRegistro& r : *registros) {
            if (Aparar(r.TipoRegistro) != "40" || CompletarZeros(Aparar(r.Pis), 11) != pis)
                continue;
            const TDateTime admissao = StrToData(r.DataAdmissao, 0);
            if (Informada(admissao) && Dia(admissao) < Dia(nascimento)) {
                CodigoMensagem = "0443";
                return false;
            }
        }
    }
    if (Gravados) {
        if (Gravados->AdmissaoAnterior(Pis, nascimento))
            CodigoMensagem = "0443";
        return CodigoMensagem.empty();
    }
    auto r = Sessao().AbrirConsulta(
        "SELECT COUNT(VINC.NU_PIS) AS TOTAL_PIS FROM SFGTBG04_VINCULO_EMPREGATICIO VINC JOIN SFGTBG03_EMPREGADO EMPR"
        "   ON VINC.NU_PIS = EMPR.NU_PIS WHERE EMPR.NU_PIS = " +
        SqlInteiro64(Pis) + " AND " + SqlData(nascimento) + " > VINC.DT_ADMISSAO_VINCULO HAVING COUNT(VINC.NU_PIS) > 0");
    if (!r->IsEmpty() && r->FieldByName("TOTAL_PIS").AsInt64() >= 1)
        CodigoMensagem = "0443";
    return CodigoMensagem.empty();
}

bool TVinculo::ValidarDataOpcao()
{
    CodigoMensagem.clear();
    const int situacao = DataValida(DataOpcao);
    const bool opcao = Informada(DataOpcao);
    const bool admissao = Informada(DataAdmissao) && DataValida(DataAdmissao) == kDataValida;
    const TDateTime op = opcao ? Dia(DataOpcao) : 0;
    const TDateTime adm = admissao ? Dia(DataAdmissao) : 0;
    const TDateTime constituicao = Em(1988, 10, 5);
    const int c = Categoria;
    if (situacao == kDataInvalida)
        CodigoMensagem = "0060";
    else if (situacao == kAntesDe1900)
        CodigoMensagem = "0382";
    else if (CategoriaComDatasObrigatorias(c) && !opcao)
        CodigoMensagem = "0057";
    else if (!opcao)
        return true; // category 2: the option date may be left out
    else if (admissao && op < adm)
        CodigoMensagem = "0059";
    else if ((c == 1 || c == 3) && op < Em(1967, 1, 1))
        CodigoMensagem = "0061";
    else if (c == 5 && op < Em(1981, 6, 2))
        CodigoMensagem = "0394";
    else if (admissao && adm < constituicao && op > constituicao && (c == 1 || c == 3))
        CodigoMensagem = "0058";
    else if (c == 4 && op < Em(1998, 1, 22))
        CodigoMensagem = "0180";
    else if (c == 6 && op < Em(2000, 3, 1))
        CodigoMensagem = "0182";
    else if (c == 7 && op < Em(2000, 12, 20))
        CodigoMensagem = "0181";
    else if (admissao && adm >= constituicao && op != adm && (c == 1 || c == 3 || c == 4 || c == 7))
        CodigoMensagem = "0056";
    return CodigoMensagem.empty();
}

bool TVinculo::ValidarDataMovimentacao()
{
    CodigoMensagem.clear();
    const int situacao = DataValida(DataMovimentacao);
    if (situacao == kDataInvalida)
        CodigoMensagem = "0051";
    else if (situacao == kAntesDe1900)
        CodigoMensagem = "0383";
    else if (DataMovimentacao == NullDate)
        CodigoMensagem = "0050";
    if (!CodigoMensagem.empty())
        return false;
    const TDateTime mov = Dia(DataMovimentacao);
    if (Informada(DataOpcao) && DataValida(DataOpcao) == kDataValida && mov < Dia(DataOpcao))
        CodigoMensagem = "0426";
    else if (Informada(DataAdmissao) && DataValida(DataAdmissao) == kDataValida && mov < Dia(DataAdmissao))
        CodigoMensagem = "0175";
    else if (mov < Em(1998, 2, 16))
        CodigoMensagem = "0393";
    if (!CodigoMensagem.empty())
        return false;
    // A balance complement may not lie after the movement month.
    std::vector<std::pair<int, int>> competencias;
    if (Gravados) {
        competencias = Gravados->Competencias(*this);
    } else {
        auto r = Sessao().AbrirConsulta(
            "SELECT AA_COMPETENCIA, MM_COMPETENCIA FROM SFGTBG07_COMPLEMENTO_SALDO WHERE " + FiltroChave());
        for (r->First(); !r->IsEmpty() && !r->Eof(); r->Next())
            competencias.emplace_back(static_cast<int>(r->FieldByName("AA_COMPETENCIA").AsInt64()),
                                      static_cast<int>(r->FieldByName("MM_COMPETENCIA").AsInt64()));
    }
    const int movimento = AnoMes(mov);
    for (const auto& [ano, mes] : competencias) {
        if (ano > 0 && mes > 0 && movimento < ano * 100 + mes) {
            CodigoMensagem = "0441";
            break;
        }
    }
    return CodigoMensagem.empty();
}

bool TVinculo::ValidarAvisoPrevio()
{
    CodigoMensagem.clear();
    if (MaiusculasAscii(Aparar(Movimentacao)) == "I3" && AvisoPrevio == 2)
        CodigoMensagem = "0423";
    else if (AvisoPrevio < 1 || AvisoPrevio > 3)
        CodigoMensagem = "0080";
    return CodigoMensagem.empty();
}

bool TVinculo::ValidarDataInicioAviso()
{
    CodigoMensagem.clear();
    const int situacao = DataValida(DataInicioAviso);
    const bool informada = Informada(DataInicioAviso);
    if (situacao == kDataInvalida)
        CodigoMensagem = "0331";
    else if (informada && AvisoPrevio == 2)
        CodigoMensagem = "0145";
    else if (situacao == kAntesDe1900)
        CodigoMensagem = "0384";
    else if (informada) {
        const TDateTime inicio = Dia(DataInicioAviso);
        const bool antes = Informada(DataAdmissao) && inicio < Dia(DataAdmissao);
        const bool depois = Informada(DataMovimentacao) && inicio > Dia(DataMovimentacao);
        if (antes || depois)
            CodigoMensagem = "0399";
    }
    return CodigoMensagem.empty();
}

bool TVinculo::ValidarHorasSemanais()
{
    CodigoMensagem.clear();
    if (HorasSemanais <= 0)
        CodigoMensagem = "0111";
    return CodigoMensagem.empty();
}

bool TVinculo::ValidarReposicaoVagas()
{
    CodigoMensagem.clear();
    const std::string r = MaiusculasAscii(Aparar(ReposicaoVagas));
    if (r.empty())
        CodigoMensagem = "0114";
    else if (r != "S" && r != "N")
        CodigoMensagem = "0115";
    return CodigoMensagem.empty();
}

bool TVinculo::ValidarSaque()
{
    CodigoMensagem.clear();
    const std::string saque = Aparar(Saque);
    if (saque.empty()) {
        CodigoMensagem = "0029";
        return false;
    }
    if (!Existe(Sessao(), "SELECT CO_SAQUE FROM SFGTBT06_MOTIVO_SAQUE WHERE CO_SAQUE = " + SqlTexto(saque)))
        CodigoMensagem = "0030";
    auto r = Sessao().AbrirConsulta("SELECT COUNT(*) AS COUNT_SAQUE  FROM SFGTBT23_SAQUE_MVMNO_CATEGORIA "
                                    "WHERE CO_SAQUE        = " + SqlTexto(saque) +
                                    " AND   CO_MOVIMENTACAO = " + SqlTexto(Aparar(Movimentacao)) +
                                    " AND   NU_CATEGORIA    = " + SqlInteiro(Categoria));
    if (r->FieldByName("COUNT_SAQUE").AsInt64() == 0)
        CodigoMensagem = "0480";
    return CodigoMensagem.empty();
}

bool TVinculo::ValidarTipoTomador()
{
    CodigoMensagem.clear();
    if (TipoInscricaoTomador > 2 || TipoInscricaoTomador < 0 || (TipoInscricaoTomador == 0 && InscricaoTomador != 0))
        CodigoMensagem = "0148";
    return CodigoMensagem.empty();
}

bool TVinculo::ValidarInscricaoTomador()
{
    CodigoMensagem.clear();
    if (TipoInscricaoTomador == 1 && !ValidarCNPJ(InscricaoTomador))
        CodigoMensagem = "0069";
    else if (TipoInscricaoTomador == 2 && !ValidarCEI(InscricaoTomador))
        CodigoMensagem = "0054";
    return CodigoMensagem.empty();
}

// The bank, the agency and the account go together: all three or none.
bool TVinculo::ValidarBanco()
{
    CodigoMensagem.clear();
    const std::string banco = Aparar(Banco);
    if (!banco.empty()) {
        if (!SoNumeros(banco) || banco.size() != 3 || StrToInteiro(banco) == 0)
            CodigoMensagem = "0032";
    } else if (!Aparar(Agencia).empty() || !Aparar(Conta).empty())
        CodigoMensagem = "0031";
    return CodigoMensagem.empty();
}

bool TVinculo::ValidarAgencia()
{
    CodigoMensagem.clear();
    const std::string agencia = Aparar(Agencia);
    if (!agencia.empty()) {
        if (!SoNumeros(agencia) || StrToInteiro64(agencia) == 0)
            CodigoMensagem = "0023";
    } else if (!Aparar(Banco).empty() || !Aparar(Conta).empty())
        CodigoMensagem = "0022";
    return CodigoMensagem.empty();
}

bool TVinculo::ValidarConta()
{
    CodigoMensagem.clear();
    const std::string conta = Aparar(Conta);
    if (!conta.empty()) {
        // The account is stored as a number: punctuation would pass a reading as an amount and
        // then fail on save.
        if (!SoNumeros(conta) || StrToValor(conta) == 0)
            CodigoMensagem = "0150";
        else if (Aparar(Banco).empty())
            CodigoMensagem = "0032";
        else if (Aparar(Agencia).empty())
            CodigoMensagem = "0023";
    } else if (!Aparar(Banco).empty() || !Aparar(Agencia).empty())
        CodigoMensagem = "0150";
    return CodigoMensagem.empty();
}

} // namespace drav
