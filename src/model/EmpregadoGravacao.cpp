// The writes of a worker: its links and rescission rows are saved and deleted together with it.
#include "model/Empregado.h"

#include "core/Conversao.h"
#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"
#include "model/ChaveVinculo.h"
#include "model/InformacaoRescisao.h"
#include "model/RegistrosGravados.h"
#include "model/SaldoRescisorio.h"
#include "model/Vinculo.h"

namespace drav {

namespace {

std::string Quantia(double v) { return FormatarValorPonto(v); }

std::string CaractereOuNulo(int valor) { return valor == 0 ? "Null" : "'" + std::to_string(valor) + "'"; }

std::string Data(TDateTime d) { return SqlData(d); }

// The statements that remove a link's dependent rows and then the link, in an order the foreign
// keys accept; each is followed by the filter of the links to remove.
constexpr const char* kExclusoes[] = {
    "DELETE FROM SFGTBG10_CONTA_EMPREGADO_FGTS ", "DELETE FROM SFGTBG07_COMPLEMENTO_SALDO ",
    "DELETE FROM SFGTBG06_INFORMACAO_RESCISAO ", "DELETE FROM SFGTBG05_ALTERACAO_CADASTRAL ",
    "DELETE FROM SFGTBG04_VINCULO_EMPREGATICIO "};

} // namespace

bool TEmpregado::Incluir() { return IncluirVinculos({&Vinculo()}); }

bool TEmpregado::IncluirVinculos(const std::vector<TVinculo*>& vinculos)
{
    CodigoMensagem.clear();
    try {
        TTransacao t(Sessao());
        for (TVinculo* v : vinculos)
            if (!IncluirUm(*v))
                return false; // the guard undoes the links already written
        t.Confirmar();
    } catch (const std::exception&) {
        CodigoMensagem = "0144";
        throw;
    }
    return true;
}

bool TEmpregado::IncluirUm(TVinculo& v)
{
    // Every row of this worker carries the worker's own PIS, whatever the link held.
    v.Pis = StrToInteiro64(Pis);
    if (ExisteVinculo(v))
        return false;

    const bool gravado = v.Gravados ? v.Gravados->TrabalhadorGravado(v.Pis)
                                    : !Sessao()
                                           .AbrirConsulta(" SELECT NU_PIS  FROM SFGTBG03_EMPREGADO  WHERE NU_PIS = " +
                                                          PisSql())
                                           ->IsEmpty();
    if (gravado)
        AlterarTrabalhador(v);
    else
        Sessao().ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NU_GRAU_INSTRUCAO, NO_EMPREGADO, NU_CTPS, "
                             "NU_SERIE_CTPS, IC_SEXO, DT_NASCIMENTO, NU_INSCRICAO_CPF) VALUES (" +
                             PisSql() + ", " + SqlNumeroTexto(GrauInstrucao) + ", " + SqlTexto(Aparar(Nome)) + ", " +
                             SqlNumeroTexto(Ctps) + ", " + SqlNumeroTexto(SerieCtps) + ", " + CaractereOuNulo(Sexo) +
                             ", " + Data(DataNascimento) + ", " + SqlNumeroTexto(Cpf) + ")");

    if (v.DataAdmissao <= 0)
        throw ENegocio("Vínculo sem data de admissão");
    Sessao().ExecutarSQL(
        "INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
        "DT_ADMISSAO_VINCULO, CO_MOVIMENTACAO, CO_CBO, CO_SAQUE, DT_OPCAO, NU_TIPO_INSO_TMDR, NU_INSCRICAO_TMDR, "
        "IC_AVISO_PREVIO, DT_INICIO_AVISO_PRVO, IC_REPOSICAO_VAGAS, QT_HORAS_TRBS_SMNA, IC_ESTADO_MOVIMENTO, "
        "DT_MOVIMENTACAO_VINCULO, NU_BANCO_CONTA, NU_AGENCIA_CONTA, NU_CONTA_BANCARIA) VALUES (" +
        SqlNumero(v.TipoInscricao) + ", " + SqlNumero(v.Inscricao) + ", " + SqlNumero(v.Pis) + ", " +
        SqlNumero(v.Categoria) + ", " + Data(v.DataAdmissao) + ", " + SqlTexto(Aparar(v.Movimentacao)) + ", " +
        SqlTexto(Aparar(v.Cbo)) + ", " + SqlTexto(Aparar(v.Saque)) + ", " + Data(v.DataOpcao) + ", " +
        SqlInteiro(v.TipoInscricaoTomador) + ", " + SqlInteiro64(v.InscricaoTomador) + ", " +
        CaractereOuNulo(v.AvisoPrevio) + ", " + Data(v.DataInicioAviso) + ", " +
        SqlTexto(MaiusculasAscii(Aparar(v.ReposicaoVagas))) + ", " + SqlNumero(v.HorasSemanais) + ", 0, " +
        Data(v.DataMovimentacao) + ", " + SqlNumeroTexto(v.Banco) + ", " + SqlNumeroTexto(v.Agencia) + ", " +
        SqlNumeroTexto(v.Conta) + ")");
    v.EstadoMovimento = EstadoRegistrado;
    if (v.Gravados)
        v.Gravados->AnotarInclusao(v);

    TInformacaoRescisao& r = v.Rescisao();
    Sessao().ExecutarSQL(
        "INSERT INTO SFGTBG06_INFORMACAO_RESCISAO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
        "DT_ADMISSAO_VINCULO, DT_DISSIDIO, VR_DISSIDIO, VR_REMUNERACAO_ANTERIOR_RSCSO, VR_REMUNERACAO_RESCISAO, "
        "VR_AVISO_PREVIO, IC_TIPO_PNSO_ALMNA, VR_PENSAO_ALMNA, IC_ORIGEM_SALDO_RESCISORIO, VR_SALDO_RESCISORIO) "
        "VALUES (" +
        SqlNumero(v.TipoInscricao) + ", " + SqlNumero(v.Inscricao) + ", " + SqlNumero(v.Pis) + ", " +
        SqlNumero(v.Categoria) + ", " + Data(v.DataAdmissao) + ", " + Data(r.DtDissidio) + ", " +
        Quantia(r.VrDissidio) + ", " + Quantia(r.VrRemuneracaoAnteriorRscso) + ", " + Quantia(r.VrRemuneracaoRescisao) +
        ", " + Quantia(r.VrAvisoPrevio) + ", " + SqlTexto(MaiusculasAscii(Aparar(r.TipoPensao))) + ", " +
        Quantia(r.VrPensaoAlmna) + ", " + SqlTexto(TInformacaoRescisao::OrigemLida(r.OrigemSaldo)) + ", " +
        Quantia(r.VrSaldoRescisorio) + ")");
    return true;
}

void TEmpregado::AlterarTrabalhador(const TVinculo& v)
{
    std::string sql = "UPDATE SFGTBG03_EMPREGADO SET NU_GRAU_INSTRUCAO = " + SqlNumeroTexto(GrauInstrucao) +
                      ", NO_EMPREGADO = " + SqlTexto(Aparar(Nome)) + ", IC_SEXO = " + CaractereOuNulo(Sexo) +
                      ", DT_NASCIMENTO = " + Data(DataNascimento) + ", NU_INSCRICAO_CPF = " + SqlNumeroTexto(Cpf);
    // A director's link carries no work card; it must not erase the one another link recorded.
    if (v.Categoria != 5)
        sql += ", NU_CTPS = " + SqlNumeroTexto(Ctps) + ", NU_SERIE_CTPS = " + SqlNumeroTexto(SerieCtps);
    Sessao().ExecutarSQL(sql + " WHERE NU_PIS = " + PisSql());
}

bool TEmpregado::Alterar(bool apenasTrabalhador)
{
    CodigoMensagem.clear();
    try {
        TTransacao t(Sessao());
        TVinculo& v = Vinculo();
        AlterarTrabalhador(v);
        if (!apenasTrabalhador) {
            const std::string onde = " WHERE " + v.FiltroChave();
            Sessao().ExecutarSQL(
                "UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET CO_MOVIMENTACAO = " + SqlTexto(Aparar(v.Movimentacao)) +
                ", CO_CBO = " + SqlTexto(Aparar(v.Cbo)) + ", CO_SAQUE = " + SqlTexto(Aparar(v.Saque)) +
                ", DT_OPCAO = " + Data(v.DataOpcao) + ", NU_TIPO_INSO_TMDR = " + SqlInteiro(v.TipoInscricaoTomador) +
                ", NU_INSCRICAO_TMDR = " + SqlInteiro64(v.InscricaoTomador) +
                ", IC_AVISO_PREVIO = " + CaractereOuNulo(v.AvisoPrevio) +
                ", DT_INICIO_AVISO_PRVO = " + Data(v.DataInicioAviso) +
                ", IC_REPOSICAO_VAGAS = " + SqlTexto(MaiusculasAscii(Aparar(v.ReposicaoVagas))) +
                ", QT_HORAS_TRBS_SMNA = " + SqlNumero(v.HorasSemanais) +
                ", IC_ESTADO_MOVIMENTO = " + SqlNumero(v.EstadoMovimento) +
                ", DT_MOVIMENTACAO_VINCULO = " + Data(v.DataMovimentacao) +
                ", NU_BANCO_CONTA = " + SqlNumeroTexto(v.Banco) + ", NU_AGENCIA_CONTA = " + SqlNumeroTexto(v.Agencia) +
                ", NU_CONTA_BANCARIA = " + SqlNumeroTexto(v.Conta) + ", IC_VALIDACAO_VINCULO = 'N'" + onde);
            TInformacaoRescisao& r = v.Rescisao();
            Sessao().ExecutarSQL(
                "UPDATE SFGTBG06_INFORMACAO_RESCISAO SET DT_DISSIDIO = " + Data(r.DtDissidio) +
                ", VR_DISSIDIO = " + Quantia(r.VrDissidio) +
                ", VR_REMUNERACAO_ANTERIOR_RSCSO = " + Quantia(r.VrRemuneracaoAnteriorRscso) +
                ", VR_REMUNERACAO_RESCISAO = " + Quantia(r.VrRemuneracaoRescisao) +
                ", VR_AVISO_PREVIO = " + Quantia(r.VrAvisoPrevio) + ", VR_SALDO_RESCISORIO = " +
                Quantia(r.VrSaldoRescisorio) + ", IC_ORIGEM_SALDO_RESCISORIO = " +
                SqlTexto(TInformacaoRescisao::OrigemLida(r.OrigemSaldo)) + ", IC_TIPO_PNSO_ALMNA = " +
                SqlTexto(MaiusculasAscii(Aparar(r.TipoPensao))) + ", VR_PENSAO_ALMNA = " + Quantia(r.VrPensaoAlmna) +
                onde);
            v.Inconsistente = false;
        }
        t.Confirmar();
    } catch (const std::exception&) {
        CodigoMensagem = "0144";
        throw;
    }
    return true;
}

bool TEmpregado::ExcluirVinculos(bool empresaInteira)
{
    CodigoMensagem.clear();
    try {
        TTransacao t(Sessao());
        TVinculo& v = Vinculo();
        if (v.TipoInscricao <= 0 || v.Inscricao <= 0)
            throw ENegocio("Exclusão de vínculos sem empregador definido");
        std::string filtro = "WHERE NU_TIPO_INSO_EMPRA = " + SqlNumero(v.TipoInscricao) +
                             " AND NU_INSCRICAO = " + SqlNumero(v.Inscricao);
        if (!empresaInteira)
            filtro = "WHERE " + v.FiltroChave();
        for (const char* e : kExclusoes)
            Sessao().ExecutarSQL(e + filtro);
        if (empresaInteira) {
            Sessao().ExecutarSQL("DELETE FROM SFGTBG03_EMPREGADO EMPR  WHERE  NOT EXISTS (SELECT * FROM "
                                 "SFGTBG04_VINCULO_EMPREGATICIO VINC        WHERE VINC.NU_PIS = EMPR.NU_PIS) ");
        } else {
            auto r = Sessao().AbrirConsulta(" SELECT COUNT(NU_TIPO_INSO_EMPRA) AS TOT_TRABALHADOR  FROM "
                                            "SFGTBG04_VINCULO_EMPREGATICIO  WHERE NU_PIS = " +
                                            SqlInteiro64(v.Pis));
            if (r->FieldByName("TOT_TRABALHADOR").AsInt64() == 0)
                Sessao().ExecutarSQL("DELETE FROM SFGTBG03_EMPREGADO WHERE NU_PIS = " + SqlInteiro64(v.Pis));
        }
        t.Confirmar();
    } catch (const std::exception&) {
        CodigoMensagem = "0144";
        throw;
    }
    return true;
}

bool TEmpregado::ExcluirTrabalhador()
{
    CodigoMensagem.clear();
    try {
        TTransacao t(Sessao());
        const std::string pis = PisSql();
        if (pis == "Null")
            throw ENegocio("Exclusão de trabalhador sem PIS");
        for (const char* e : kExclusoes)
            Sessao().ExecutarSQL(std::string(e) + "WHERE NU_PIS = " + pis);
        Sessao().ExecutarSQL("DELETE FROM SFGTBG03_EMPREGADO WHERE NU_PIS = " + pis);
        t.Confirmar();
    } catch (const std::exception&) {
        CodigoMensagem = "0144";
        throw;
    }
    return true;
}

bool TEmpregado::AtualizarSaldoRescisorio(int tipoInscricao, int categoria, TDateTime admissao, int64_t pis,
                                          int64_t inscricao)
{
    if (tipoInscricao <= 0 || categoria <= 0 || admissao <= 0 || pis <= 0 || inscricao <= 0)
        return false;
    AtualizarSaldosPorContas(Sessao(), SqlChaveVinculo("INFO", tipoInscricao, inscricao, pis, categoria, admissao));
    return true;
}

bool TEmpregado::RecalcularSaldosRescisorios(int tipoInscricao, int64_t inscricao)
{
    if (tipoInscricao <= 0 || inscricao <= 0)
        return false;
    AtualizarSaldosPorContas(Sessao(), "INFO.NU_TIPO_INSO_EMPRA = " + SqlNumero(tipoInscricao) +
                                           " AND INFO.NU_INSCRICAO = " + SqlNumero(inscricao));
    return true;
}

void TEmpregado::AplicarRegraCtps()
{
    auto r = Sessao().AbrirConsulta("SELECT IC_CTPS FROM SFGTBT04_CATEGORIA_EMPREGADO WHERE NU_CATEGORIA = " +
                                    SqlNumero(Vinculo().Categoria));
    if (!r->IsEmpty() && Aparar(r->FieldByName("IC_CTPS").AsString()) == "N") {
        Ctps.clear();
        SerieCtps.clear();
    }
}

} // namespace drav
