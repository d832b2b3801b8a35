#include "model/CadastroTrabalhador.h"

#include "core/DBUtils.h"
#include "core/Resultado.h"
#include "model/ChaveVinculo.h"
#include "model/Empregado.h"
#include "model/InformacaoRescisao.h"
#include "model/Vinculo.h"

namespace drav {

namespace {

using C = CampoCadastro;

} // namespace

TFalhaCadastro ValidarCadastroTrabalhador(TEmpregado& t)
{
    TVinculo& v = t.Vinculo();
    TInformacaoRescisao& r = v.Rescisao();
    auto falha = [](const std::string& codigo, CampoCadastro campo) { return TFalhaCadastro{codigo, campo}; };
    auto de = [](TNegocio& objeto, CampoCadastro campo) { return TFalhaCadastro{objeto.CodigoMensagem, campo}; };

    if (!t.ValidarPis())
        return de(t, C::Pis);
    if (!t.ValidarCpf())
        return de(t, C::Cpf);
    if (!v.ValidarCategoria(false)) {
        // These two are about the movement code chosen for the category.
        const bool movimento = v.CodigoMensagem == "0406" || v.CodigoMensagem == "0433";
        return de(v, movimento ? C::Movimentacao : C::Categoria);
    }
    if (!t.ValidarNome())
        return de(t, C::Nome);
    if (!t.ValidarSexo())
        return de(t, C::Sexo);
    if (!t.ValidarGrauInstrucao())
        return de(t, C::GrauInstrucao);
    if (!v.ValidarCbo())
        return de(v, C::Cbo);
    if (!t.ValidarCtps(true))
        return de(t, C::Ctps);
    if (!t.ValidarSerieCtps(true))
        return de(t, C::SerieCtps);
    if (!t.ValidarDataNascimento())
        return de(t, C::DataNascimento);
    if (v.DataAdmissao == NullDate)
        return falha("0039", C::DataAdmissao);
    if (!v.ValidarDataAdmissao(true))
        return de(v, v.CodigoMensagem == "0443" ? C::DataNascimento : C::DataAdmissao);
    if (v.DataOpcao == NullDate)
        return falha("0057", C::DataOpcao);
    if (!v.ValidarDataOpcao())
        return de(v, C::DataOpcao);
    if (v.DataMovimentacao == NullDate)
        return falha("0050", C::DataMovimentacao);
    if (!v.ValidarDataMovimentacao())
        return de(v, C::DataMovimentacao);
    if (!v.ValidarMovimentacao())
        return de(v, C::Movimentacao);
    if (!v.ValidarAvisoPrevio())
        return de(v, C::AvisoPrevio);
    if (!v.ValidarDataInicioAviso())
        return de(v, C::DataInicioAviso);
    if (!v.ValidarHorasSemanais())
        return de(v, C::HorasSemanais);
    if (!v.ValidarReposicaoVagas())
        return de(v, C::ReposicaoVagas);
    if (!v.ValidarSaque())
        return de(v, C::Saque);
    if (v.TipoInscricaoTomador != 0 && !v.ValidarTipoTomador())
        return de(v, C::TipoTomador);
    if (!v.ValidarInscricaoTomador())
        return de(v, C::InscricaoTomador);
    if (!v.ValidarBanco())
        return de(v, C::Banco);
    if (!v.ValidarAgencia())
        return de(v, C::Agencia);
    if (!v.ValidarConta())
        return de(v, C::Conta);
    if (r.DtDissidio == DataInvalida)
        return falha("0048", C::DataDissidio);

    if (r.DtDissidio != NullDate && !r.ValidarDataDissidio())
        return de(r, C::DataDissidio);
    if (!r.ValidarValorDissidio())
        return de(r, C::ValorDissidio);
    if (!r.ValidarRemuneracoesI3(false)) {
        // The first of the three amounts that is still zero is the one to fill in.
        const CampoCadastro campo = r.VrRemuneracaoAnteriorRscso == 0 ? C::RemuneracaoAnterior
                                    : r.VrRemuneracaoRescisao == 0    ? C::RemuneracaoRescisao
                                                                      : C::ValorAvisoPrevio;
        return de(r, campo);
    }
    if (!r.ValidarRemuneracaoAnterior())
        return de(r, C::RemuneracaoAnterior);
    if (!r.ValidarRemuneracaoRescisao())
        return de(r, C::RemuneracaoRescisao);
    if (!r.ValidarAvisoPrevioIndenizado())
        return de(r, C::ValorAvisoPrevio);
    if (!r.ValidarTipoPensao())
        return de(r, C::TipoPensao);
    if (!r.ValidarPensaoPercentual())
        return de(r, C::ValorPensao);
    if (!r.ValidarPensaoValor())
        return de(r, C::ValorPensao);
    return {};
}

const char* NomeCampoCadastro(CampoCadastro campo)
{
    switch (campo) {
    case C::Nenhum: return "";
    case C::Pis: return "pis";
    case C::Cpf: return "cpf";
    case C::Categoria: return "categoria";
    case C::Nome: return "nome";
    case C::Sexo: return "sexo";
    case C::GrauInstrucao: return "grau_instrucao";
    case C::Cbo: return "cbo";
    case C::Ctps: return "ctps";
    case C::SerieCtps: return "serie_ctps";
    case C::DataNascimento: return "nascimento";
    case C::DataAdmissao: return "admissao";
    case C::DataOpcao: return "opcao";
    case C::DataMovimentacao: return "data_movimentacao";
    case C::Movimentacao: return "movimentacao";
    case C::AvisoPrevio: return "aviso";
    case C::DataInicioAviso: return "inicio_aviso";
    case C::HorasSemanais: return "horas";
    case C::ReposicaoVagas: return "reposicao";
    case C::Saque: return "saque";
    case C::TipoTomador: return "tomador_tipo";
    case C::InscricaoTomador: return "tomador";
    case C::Banco: return "banco";
    case C::Agencia: return "agencia";
    case C::Conta: return "conta";
    case C::DataDissidio: return "dissidio_data";
    case C::ValorDissidio: return "dissidio_valor";
    case C::RemuneracaoAnterior: return "remuneracao_anterior";
    case C::RemuneracaoRescisao: return "remuneracao_rescisao";
    case C::ValorAvisoPrevio: return "valor_aviso";
    case C::TipoPensao: return "pensao_tipo";
    case C::ValorPensao: return "pensao_valor";
    }
    return "";
}

TSaldoContas SaldoDasContas(TDBUtils& sessao, int tipoInscricao, int64_t inscricao, int64_t pis, int categoria,
                            TDateTime admissao)
{
    // The same accounts SaldoRescisorio.h counts: any but situation 3 exist, PIS situation 1 adds up.
    auto r = sessao.AbrirConsulta(
        "SELECT COUNT(*) AS CONTAS, SUM(CASE WHEN NU_SITUACAO_PIS = 1 THEN VR_SALDO_RESCISORIO ELSE 0 END) AS SOMA "
        "FROM SFGTBG10_CONTA_EMPREGADO_FGTS WHERE " +
        SqlChaveVinculo("", tipoInscricao, inscricao, pis, categoria, admissao) +
        " AND COALESCE(NU_SITUACAO_CONTA_EMPREGADO, 0) <> 3");
    return {r->FieldByName("CONTAS").AsInt64() > 0, r->FieldByName("SOMA").AsFloat()};
}

void DefinirSaldoRescisorio(TInformacaoRescisao& rescisao, const TSaldoContas& contas, double saldoEmpresa)
{
    if (contas.TemContas) {
        rescisao.OrigemSaldo = OrigemSaldoContas;
        rescisao.VrSaldoRescisorio = contas.Soma;
    } else if (saldoEmpresa > 0) {
        rescisao.OrigemSaldo = OrigemSaldoEmpresa;
        rescisao.VrSaldoRescisorio = saldoEmpresa;
    } else {
        rescisao.OrigemSaldo = OrigemSaldoNenhum;
        rescisao.VrSaldoRescisorio = 0;
    }
}

bool VinculoTemComplementos(TVinculo& v)
{
    return !v.Sessao().AbrirConsulta("SELECT NU_COMPLEMENTO FROM SFGTBG07_COMPLEMENTO_SALDO CMPSAL WHERE " +
                                     v.FiltroChave("CMPSAL"))->IsEmpty();
}

void ExcluirComplementosDoVinculo(TVinculo& v)
{
    v.Sessao().ExecutarSQL("DELETE FROM SFGTBG07_COMPLEMENTO_SALDO WHERE " + v.FiltroChave());
    v.Sessao().ExecutarSQL("UPDATE SFGTBG06_INFORMACAO_RESCISAO SET VR_DEPOSITO_CMPLO_SALDO = NULL WHERE " +
                           v.FiltroChave());
}

} // namespace drav
