#include "calc/ComplementoSaldo.h"

#include "calc/Indices.h"
#include "core/Conversao.h"
#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/SqlLiterais.h"
#include "core/Verificacoes.h"
#include "model/ChaveVinculo.h"
#include "model/InformacaoRescisao.h"
#include "model/Vinculo.h"

#include <optional>

namespace drav {

namespace {

bool Informada(TDateTime d) { return d != NullDate && d != DataInvalida && d > 0; }

int AnoMes(TDateTime data)
{
    const DataCivil c = DecodificarData(data);
    return c.ano * 100 + c.mes;
}

std::string Texto(const TCampo& campo, int largura)
{
    return campo.IsNull() ? std::string() : CompletarZeros(std::to_string(campo.AsInt64()), largura);
}

} // namespace

double AliquotaNaCompetencia(const std::vector<TAliquotaCompetencia>& aliquotas, int categoria, int ano, int mes)
{
    const int competencia = ano * 100 + mes;
    int melhor = -1;
    double taxa = 0;
    for (const TAliquotaCompetencia& a : aliquotas) {
        const int inicio = a.Ano * 100 + a.Mes;
        if (a.Categoria == categoria && inicio <= competencia && inicio > melhor) {
            melhor = inicio;
            taxa = a.Percentual;
        }
    }
    return taxa;
}

TComplementoSaldo::TComplementoSaldo(TDBUtils& sessao, const ITabelasIndices& tabelas, TDateTime dataEdital)
    : TNegocio(sessao), DataEdital(dataEdital), tabelas_(tabelas)
{
    Inicializar();
    auto r = sessao.AbrirConsulta("SELECT NU_CATEGORIA, AA_COMPETENCIA_ALIQUOTA, MM_COMPETENCIA_ALIQUOTA, "
                                  "PC_ALIQUOTA FROM SFGTBT14_ALIQUOTA_CALCULO_DPSTO ORDER BY NU_CATEGORIA, "
                                  "AA_COMPETENCIA_ALIQUOTA, MM_COMPETENCIA_ALIQUOTA");
    for (r->First(); !r->IsEmpty() && !r->Eof(); r->Next())
        Aliquotas.push_back({r->FieldByName("NU_CATEGORIA").AsInteger(),
                             r->FieldByName("AA_COMPETENCIA_ALIQUOTA").AsInteger(),
                             r->FieldByName("MM_COMPETENCIA_ALIQUOTA").AsInteger(), r->FieldByName("PC_ALIQUOTA").AsFloat()});
}

TComplementoSaldo::~TComplementoSaldo() = default;

void TComplementoSaldo::Inicializar()
{
    TipoInscricao = 0;
    Inscricao = 0;
    Pis = 0;
    Categoria = 0;
    DataAdmissao = NullDate;
    NumeroComplemento.clear();
    MesCompetencia.clear();
    AnoCompetencia.clear();
    ValorDeposito = ValorRemuneracao = 0;
    SqlSelect = "SELECT VINC.NU_TIPO_INSO_EMPRA, VINC.NU_INSCRICAO, VINC.NU_PIS, VINC.NU_CATEGORIA, "
                "VINC.DT_ADMISSAO_VINCULO, CMPSAL.NU_COMPLEMENTO, CMPSAL.AA_COMPETENCIA, CMPSAL.MM_COMPETENCIA, "
                "CMPSAL.VR_REMUNERACAO, CMPSAL.VR_DEPOSITO ";
    SqlFrom = "FROM SFGTBG04_VINCULO_EMPREGATICIO VINC LEFT JOIN SFGTBG07_COMPLEMENTO_SALDO CMPSAL ON " +
              SqlMesmaChave("CMPSAL", "VINC") + " ";
}

void TComplementoSaldo::Limpar()
{
    vinculo_.reset();
    rescisao_.reset();
}

void TComplementoSaldo::CarregarCampos()
{
    TNegocio::CarregarCampos();
    TipoInscricao = Campo("NU_TIPO_INSO_EMPRA").AsInteger();
    Inscricao = Campo("NU_INSCRICAO").AsInt64();
    Pis = Campo("NU_PIS").AsInt64();
    Categoria = Campo("NU_CATEGORIA").AsInteger();
    DataAdmissao = Campo("DT_ADMISSAO_VINCULO").AsDateTime();
    NumeroComplemento = Texto(Campo("NU_COMPLEMENTO"), 1);
    AnoCompetencia = Texto(Campo("AA_COMPETENCIA"), 4);
    MesCompetencia = Texto(Campo("MM_COMPETENCIA"), 2);
    ValorRemuneracao = Campo("VR_REMUNERACAO").AsFloat();
    ValorDeposito = Campo("VR_DEPOSITO").AsFloat();
}

TVinculo& TComplementoSaldo::Vinculo()
{
    if (!vinculo_) {
        vinculo_ = std::make_unique<TVinculo>(Sessao());
        if (CarregaRelacionados)
            vinculo_->BuscarVinculo(TipoInscricao, Categoria, DataAdmissao, Pis, Inscricao);
    }
    return *vinculo_;
}

TInformacaoRescisao& TComplementoSaldo::Rescisao()
{
    if (!rescisao_) {
        rescisao_ = std::make_unique<TInformacaoRescisao>(Sessao());
        if (CarregaRelacionados)
            rescisao_->ConsultarRescisao(TipoInscricao, Categoria, DataAdmissao, Pis, Inscricao);
    }
    return *rescisao_;
}

std::string TComplementoSaldo::ChaveSql(const std::string& alias) const
{
    return SqlChaveVinculo(alias, TipoInscricao, Inscricao, Pis, Categoria, DataAdmissao);
}

std::string TComplementoSaldo::CompetenciaSql(const std::string& alias) const
{
    const std::string a = alias.empty() ? "" : alias + ".";
    return " AND " + a + "NU_COMPLEMENTO = " + SqlNumeroTexto(NumeroComplemento) + " AND " + a +
           "AA_COMPETENCIA = " + SqlNumeroTexto(AnoCompetencia) + " AND " + a +
           "MM_COMPETENCIA = " + SqlNumeroTexto(MesCompetencia);
}

bool TComplementoSaldo::Consultar(const std::string& resto)
{
    CodigoMensagem.clear();
    try {
        AbrirConsulta(resto);
    } catch (const EDrav&) {
        CodigoMensagem = "0144";
        return false;
    }
    return TemRegistros();
}

bool TComplementoSaldo::ConsultarComplementos()
{
    return Consultar("WHERE " + ChaveSql("VINC") +
                     " ORDER BY CMPSAL.NU_COMPLEMENTO, CMPSAL.AA_COMPETENCIA, CMPSAL.MM_COMPETENCIA");
}

bool TComplementoSaldo::ConsultarComplemento()
{
    return Consultar("WHERE " + ChaveSql("VINC") + " AND CMPSAL.NU_COMPLEMENTO = " +
                     SqlNumeroTexto(NumeroComplemento) + " ORDER BY CMPSAL.AA_COMPETENCIA, CMPSAL.MM_COMPETENCIA");
}

bool TComplementoSaldo::ExistemComplementos()
{
    return !Sessao()
                .AbrirConsulta("SELECT FIRST 1 NU_COMPLEMENTO FROM SFGTBG07_COMPLEMENTO_SALDO CMPSAL WHERE " +
                               ChaveSql("CMPSAL"))
                ->IsEmpty();
}

bool TComplementoSaldo::ExisteCompetencia()
{
    return !Sessao()
                .AbrirConsulta("SELECT FIRST 1 NU_COMPLEMENTO FROM SFGTBG07_COMPLEMENTO_SALDO CMPSAL WHERE " +
                               ChaveSql("CMPSAL") + CompetenciaSql("CMPSAL"))
                ->IsEmpty();
}

std::string CodigoCompetenciaComplemento(const std::string& ano, const std::string& mes, bool permiteVazio,
                                         TDateTime dataOpcao, TDateTime dataMovimentacao)
{
    if (mes.empty() || ano.empty())
        return {};
    const int m = SoNumeros(mes) ? StrToInteiro(mes) : -1;
    const int a = SoNumeros(ano) ? StrToInteiro(ano) : -1;
    if (permiteVazio && m == 0 && a == 0)
        return {};
    if (m < 1 || m > 12 || a < 0 || ano.size() < 4)
        return "0034";
    if (a <= 1966)
        return "0102";
    if (Informada(dataOpcao) && a * 100 + m < AnoMes(dataOpcao))
        return "0395";
    if (Informada(dataMovimentacao) && a * 100 + m > AnoMes(dataMovimentacao))
        return "0411";
    return {};
}

std::string CodigoRemuneracaoComplemento(const std::string& ano, const std::string& mes, double remuneracao)
{
    const int m = StrToInteiro(mes), a = StrToInteiro(ano);
    if (m == 0 && a == 0 && remuneracao > 0)
        return "0355";
    if (remuneracao == 0 && (m != 0 || a != 0))
        return "0356";
    return {};
}

double DepositoComplemento(double remuneracao, double taxa, int categoria, int ano, int mes, TDateTime dataOpcao,
                           TDateTime edital, const TIndicesCalculo& indices)
{
    if (!DataExiste(ano, mes, 1))
        return -1;
    const TDateTime competencia = CodificarData(ano, mes, 1);
    const double d0 = TruncarDecimais(remuneracao * taxa / 100, 2);
    double d = d0;
    // Old currencies, each cut like the bank cut it: cruzeiro to cruzado, cruzado to cruzado
    // novo, cruzeiro to cruzeiro real, cruzeiro real to real.
    const int am = ano * 100 + mes;
    if (am >= 196701 && am <= 198602)
        d = TruncarDecimais(d / 1000, 2);
    if (am <= 198812)
        d = TruncarDecimais(d / 1000, 2);
    if (am <= 199307)
        d = TruncarDecimais(d / 1000, 2);
    if (am <= 199406)
        d = TruncarDecimais(d / 2750, 2);

    // A deposit due before the edital's month owes interest and update up to that edital; the
    // deposit is then only known with the index, so a missing index (or no table at all) makes
    // it unknown rather than a deposit without interest.
    if (!(edital > 0))
        return -1;
    const int anoV = mes == 12 ? ano + 1 : ano, mesV = mes == 12 ? 1 : mes + 1;
    const DataCivil e = DecodificarData(edital);
    const int anoE = e.mes == 12 ? e.ano + 1 : e.ano, mesE = e.mes == 12 ? 1 : e.mes + 1;
    if (CodificarData(anoV, mesV, 10) <= CodificarData(anoE, mesE, 1)) {
        const std::optional<double> i = indices.IndiceJAM(categoria, competencia, dataOpcao, edital);
        if (!i)
            return -1;
        if (*i > 0)
            d += TruncarDecimais(d0 * *i, 2);
    }
    return d;
}

double TComplementoSaldo::CalcularDeposito()
{
    try {
        if (!SoNumeros(AnoCompetencia) || !SoNumeros(MesCompetencia))
            return -1;
        const int ano = StrToInteiro(AnoCompetencia), mes = StrToInteiro(MesCompetencia);
        if (!DataExiste(ano, mes, 1))
            return -1;
        const TIndicesCalculo indices(tabelas_, nullptr);
        return DepositoComplemento(ValorRemuneracao, AliquotaNaCompetencia(Aliquotas, Categoria, ano, mes), Categoria,
                                   ano, mes, Vinculo().DataOpcao, DataEdital, indices);
    } catch (const std::exception&) {
        return -1;
    }
}

bool TComplementoSaldo::Incluir()
{
    CodigoMensagem.clear();
    ValorDeposito = CalcularDeposito();
    if (ValorDeposito < 0) {
        CodigoMensagem = "0372";
        return false;
    }
    try {
        Sessao().ExecutarSQL("INSERT INTO SFGTBG07_COMPLEMENTO_SALDO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                             "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA, "
                             "VR_REMUNERACAO, VR_DEPOSITO) VALUES (" +
                             SqlNumero(TipoInscricao) + ", " + SqlNumero(Inscricao) + ", " + SqlNumero(Pis) + ", " +
                             SqlNumero(Categoria) + ", " + SqlData(DataAdmissao) + ", " +
                             SqlNumeroTexto(NumeroComplemento) + ", " + SqlNumeroTexto(AnoCompetencia) + ", " +
                             SqlNumeroTexto(MesCompetencia) + ", " + FormatarValorPonto(ValorRemuneracao) + ", " +
                             FormatarValorPonto(ValorDeposito) + ")");
    } catch (const EDrav&) {
        CodigoMensagem = "0144";
        return false;
    }
    return true;
}

bool TComplementoSaldo::RecalcularDeposito()
{
    CodigoMensagem.clear();
    const double deposito = CalcularDeposito();
    if (deposito < 0) {
        CodigoMensagem = "0372";
        return false;
    }
    ValorDeposito = deposito;
    try {
        Sessao().ExecutarSQL("UPDATE SFGTBG07_COMPLEMENTO_SALDO SET VR_REMUNERACAO = " +
                             FormatarValorPonto(ValorRemuneracao) + ", VR_DEPOSITO = " +
                             FormatarValorPonto(ValorDeposito) + " WHERE " + ChaveSql("") + CompetenciaSql(""));
    } catch (const EDrav&) {
        CodigoMensagem = "0144";
        return false;
    }
    return true;
}

bool TComplementoSaldo::Excluir(bool todos, bool atualizar)
{
    CodigoMensagem.clear();
    try {
        TTransacao t(Sessao());
        Sessao().ExecutarSQL("DELETE FROM SFGTBG07_COMPLEMENTO_SALDO WHERE " + ChaveSql("") +
                             (todos ? std::string() : CompetenciaSql("")));
        if (atualizar)
            AtualizarDepositoRescisao();
        t.Confirmar();
    } catch (const EDrav&) {
        CodigoMensagem = "0144";
        throw;
    }
    return true;
}

bool TComplementoSaldo::AtualizarDepositoRescisao()
{
    try {
        Sessao().ExecutarSQL("UPDATE SFGTBG06_INFORMACAO_RESCISAO SET VR_DEPOSITO_CMPLO_SALDO = (SELECT "
                             "SUM(CMPSAL.VR_DEPOSITO) FROM SFGTBG07_COMPLEMENTO_SALDO CMPSAL WHERE " +
                             ChaveSql("CMPSAL") + ") WHERE " + ChaveSql(""));
    } catch (const EDrav&) {
        CodigoMensagem = "0144";
        throw;
    }
    return true;
}

bool TComplementoSaldo::AtualizarDepositosRescisao(int tipoInscricao, int categoria, TDateTime admissao, int64_t pis,
                                                   int64_t inscricao)
{
    std::string filtro;
    if (tipoInscricao >= 0 && inscricao >= 0)
        filtro += " AND INFO.NU_TIPO_INSO_EMPRA = " + SqlNumero(tipoInscricao) +
                  " AND INFO.NU_INSCRICAO = " + SqlNumero(inscricao);
    if (pis >= 0)
        filtro += " AND INFO.NU_PIS = " + SqlNumero(pis) + " AND INFO.NU_CATEGORIA = " + SqlNumero(categoria) +
                  " AND INFO.DT_ADMISSAO_VINCULO = " + SqlData(admissao);
    const std::string mesmas = "FROM SFGTBG07_COMPLEMENTO_SALDO CMPSAL WHERE " + SqlMesmaChave("CMPSAL", "INFO");
    try {
        Sessao().ExecutarSQL("UPDATE SFGTBG06_INFORMACAO_RESCISAO INFO SET VR_DEPOSITO_CMPLO_SALDO = (SELECT "
                             "SUM(CMPSAL.VR_DEPOSITO) " + mesmas + ") WHERE EXISTS (SELECT 1 " + mesmas + ")" + filtro);
    } catch (const EDrav&) {
        CodigoMensagem = "0144";
        throw;
    }
    return true;
}

bool TComplementoSaldo::RecalcularComplementosAbertos(int tipoInscricao, int64_t pis, int64_t inscricao)
{
    std::string filtro = " WHERE COALESCE(VINC.IC_ESTADO_MOVIMENTO, 0) IN (0, 1) AND CMPSAL.NU_COMPLEMENTO IS NOT NULL";
    if (tipoInscricao >= 0 && inscricao >= 0)
        filtro += " AND VINC.NU_TIPO_INSO_EMPRA = " + SqlNumero(tipoInscricao) +
                  " AND VINC.NU_INSCRICAO = " + SqlNumero(inscricao);
    if (pis >= 0)
        filtro += " AND VINC.NU_PIS = " + SqlNumero(pis);
    CarregaRelacionados = true;
    if (!Consultar(filtro + " ORDER BY VINC.NU_TIPO_INSO_EMPRA, VINC.NU_INSCRICAO, VINC.NU_PIS"))
        return CodigoMensagem.empty();
    bool todos = true;
    for (Primeiro(); !Eof(); Proximo()) {
        if (!RecalcularDeposito()) {
            if (CodigoMensagem == "0144")
                return false;
            todos = false;
        }
        AtualizarDepositoRescisao();
    }
    CodigoMensagem = todos ? "" : "0372";
    return todos;
}

bool TComplementoSaldo::IncluirComplemento(TDateTime dataPagamento)
{
    CodigoMensagem.clear();
    if (!Informada(dataPagamento)) {
        CodigoMensagem = "0062";
        return false;
    }
    if (!ValidarPermiteComplemento())
        return false;
    if (Aparar(MesCompetencia).empty() || StrToInteiro(MesCompetencia) == 0)
        CodigoMensagem = "0278";
    else if (Aparar(AnoCompetencia).empty() || StrToInteiro(AnoCompetencia) == 0)
        CodigoMensagem = "0279";
    else if (!(ValorRemuneracao > 0))
        CodigoMensagem = "0274";
    if (!CodigoMensagem.empty() || !ValidarCompetencia(true))
        return false;
    try {
        if (ExisteCompetencia()) {
            CodigoMensagem = "0292";
            return false;
        }
        TTransacao t(Sessao());
        if (!Incluir())
            return false;
        AtualizarDepositoRescisao();
        t.Confirmar();
    } catch (const EDrav&) {
        CodigoMensagem = "0144";
        return false;
    }
    return true;
}

bool TComplementoSaldo::ValidarPermiteComplemento()
{
    CodigoMensagem.clear();
    if (Informada(Rescisao().DtDissidio) || MaiusculasAscii(Aparar(Vinculo().Movimentacao)) == "I3")
        CodigoMensagem = "0489";
    return CodigoMensagem.empty();
}

bool TComplementoSaldo::ValidarCompetencia(bool permiteVazio)
{
    CodigoMensagem = CodigoCompetenciaComplemento(AnoCompetencia, MesCompetencia, permiteVazio, Vinculo().DataOpcao,
                                                  Vinculo().DataMovimentacao);
    return CodigoMensagem.empty();
}

bool TComplementoSaldo::ValidarRemuneracao()
{
    CodigoMensagem = CodigoRemuneracaoComplemento(AnoCompetencia, MesCompetencia, ValorRemuneracao);
    return CodigoMensagem.empty();
}

} // namespace drav
