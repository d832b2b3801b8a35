#include "model/ContaEmpregado.h"

#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/SqlLiterais.h"
#include "model/CadastroTrabalhador.h"
#include "model/ChaveVinculo.h"
#include "model/Empregado.h"
#include "model/InformacaoRescisao.h"
#include "model/Vinculo.h"

namespace drav {

namespace {

// Accounts in situation 3 are the bank saying it found none; no balance question counts them.
constexpr const char* kSemSituacao3 = "COALESCE(CTAEPR.NU_SITUACAO_CONTA_EMPREGADO, 0) <> 3";

std::string Lista(const std::vector<int>& numeros)
{
    std::string s;
    for (int n : numeros)
        s += (s.empty() ? "" : ", ") + SqlNumero(n);
    return s;
}

std::string Ordem(const std::string& ordem)
{
    return Aparar(ordem).empty() ? std::string() : " ORDER BY " + ordem;
}

} // namespace

TContaSaldoTrabalhador::TContaSaldoTrabalhador(TDBUtils& sessao) : TNegocio(sessao) { Inicializar(); }
TContaSaldoTrabalhador::~TContaSaldoTrabalhador() = default;

void TContaSaldoTrabalhador::Inicializar()
{
    TipoInscricao = 0;
    Inscricao = 0;
    Pis = 0;
    Categoria = 0;
    DataAdmissao = NullDate;
    MesMaiorCompetencia = SituacaoConta = SituacaoPis = 0;
    NumeroEmpregadoQueld = 0;
    SaldoRescisorio = 0;
    AnoMaiorCompetencia = 0;
    DataGravacaoArquivo = NullDate;
    SituacaoContaEmpresa = 0;
    NumeroEmpresaQueld = 0;
    DataCreditoJuros = NullDate;
    SqlSelect = "SELECT CTAEPR.NU_TIPO_INSO_EMPRA, CTAEPR.NU_INSCRICAO, CTAEPR.NU_PIS, CTAEPR.NU_CATEGORIA, "
                "CTAEPR.DT_ADMISSAO_VINCULO, CTAEPR.NU_EMPREGADO_QUELD, CTAEPR.NU_SITUACAO_CONTA_EMPREGADO, "
                "CTAEPR.NU_SITUACAO_PIS, CTAEPR.VR_SALDO_RESCISORIO, CTAEPR.AA_MAIOR_COMPETENCIA, "
                "CTAEPR.MM_MAIOR_COMPETENCIA, CTAEPR.DT_GRAVACAO_ARQUIVO, CTAEPR.NO_EMPREGADO, "
                "CTAEPR.NU_SITUACAO_CONTA_EMPRESA, CTAEPR.NU_EMPRESA_QUELD, CTAEPR.DT_CREDITO_JUROS ";
    SqlFrom = "FROM SFGTBG10_CONTA_EMPREGADO_FGTS CTAEPR ";
}

void TContaSaldoTrabalhador::Limpar()
{
    trabalhador_.reset();
    rescisao_.reset();
    vinculo_.reset();
}

void TContaSaldoTrabalhador::CarregarCampos()
{
    TNegocio::CarregarCampos();
    TipoInscricao = Campo("NU_TIPO_INSO_EMPRA").AsInteger();
    Inscricao = Campo("NU_INSCRICAO").AsInt64();
    Pis = Campo("NU_PIS").AsInt64();
    Categoria = Campo("NU_CATEGORIA").AsInteger();
    DataAdmissao = Campo("DT_ADMISSAO_VINCULO").AsDateTime();
    NumeroEmpregadoQueld = Campo("NU_EMPREGADO_QUELD").AsInt64();
    SituacaoConta = Campo("NU_SITUACAO_CONTA_EMPREGADO").AsInteger();
    SituacaoPis = Campo("NU_SITUACAO_PIS").AsInteger();
    SaldoRescisorio = Campo("VR_SALDO_RESCISORIO").AsFloat();
    AnoMaiorCompetencia = Campo("AA_MAIOR_COMPETENCIA").AsInteger();
    MesMaiorCompetencia = Campo("MM_MAIOR_COMPETENCIA").AsInteger();
    DataGravacaoArquivo = Campo("DT_GRAVACAO_ARQUIVO").AsDateTime();
    SituacaoContaEmpresa = Campo("NU_SITUACAO_CONTA_EMPRESA").AsInteger();
    NumeroEmpresaQueld = Campo("NU_EMPRESA_QUELD").AsInt64();
    DataCreditoJuros = Campo("DT_CREDITO_JUROS").AsDateTime();
}

TEmpregado& TContaSaldoTrabalhador::Trabalhador()
{
    if (!trabalhador_) {
        trabalhador_ = std::make_unique<TEmpregado>(Sessao());
        if (CarregaRelacionados)
            trabalhador_->ConsultarPorPis(std::to_string(Pis));
    }
    return *trabalhador_;
}

TInformacaoRescisao& TContaSaldoTrabalhador::Rescisao()
{
    if (!rescisao_) {
        rescisao_ = std::make_unique<TInformacaoRescisao>(Sessao());
        if (CarregaRelacionados)
            rescisao_->ConsultarRescisao(TipoInscricao, Categoria, DataAdmissao, Pis, Inscricao);
    }
    return *rescisao_;
}

TVinculo& TContaSaldoTrabalhador::Vinculo()
{
    if (!vinculo_) {
        vinculo_ = std::make_unique<TVinculo>(Sessao());
        CopiarChaveVinculo(*this, *vinculo_);
        if (CarregaRelacionados)
            vinculo_->ConsultarPorChave();
    }
    return *vinculo_;
}

std::string TContaSaldoTrabalhador::ChaveSql(const std::string& alias) const
{
    return SqlChaveVinculo(alias, TipoInscricao, Inscricao, Pis, Categoria, DataAdmissao);
}

bool TContaSaldoTrabalhador::Consultar(const std::string& resto)
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

bool TContaSaldoTrabalhador::ConsultarContas(const std::vector<int>& situacoes)
{
    const std::string situacao = situacoes.empty()
                                     ? std::string(kSemSituacao3)
                                     : "CTAEPR.NU_SITUACAO_CONTA_EMPREGADO IN (" + Lista(situacoes) + ")";
    return Consultar("WHERE " + ChaveSql("CTAEPR") + " AND " + situacao);
}

bool TContaSaldoTrabalhador::ConsultarPorEmpresa(const std::string& ordem)
{
    return Consultar("WHERE CTAEPR.NU_TIPO_INSO_EMPRA = " + SqlNumero(TipoInscricao) +
                     " AND CTAEPR.NU_INSCRICAO = " + SqlNumero(Inscricao) + " AND " + kSemSituacao3 + Ordem(ordem));
}

bool TContaSaldoTrabalhador::ConsultarPorPis(const std::string& ordem, int64_t pis)
{
    return Consultar("WHERE CTAEPR.NU_PIS = " + SqlNumero(pis) + " AND " + kSemSituacao3 + Ordem(ordem));
}

bool TContaSaldoTrabalhador::ConsultarPorEstado(const std::vector<int>& estados, bool apenasEmpresa,
                                                const std::vector<std::string>& numerosConta)
{
    if (estados.empty())
        throw ENegocio("Consulta de contas sem estados de movimento");
    std::string sql = "JOIN SFGTBG04_VINCULO_EMPREGATICIO VINC ON " + SqlMesmaChave("VINC", "CTAEPR") +
                      " WHERE VINC.IC_ESTADO_MOVIMENTO IN (" + Lista(estados) + ") AND " + kSemSituacao3;
    if (apenasEmpresa)
        sql += " AND CTAEPR.NU_TIPO_INSO_EMPRA = " + SqlNumero(TipoInscricao) +
               " AND CTAEPR.NU_INSCRICAO = " + SqlNumero(Inscricao);
    if (!numerosConta.empty()) {
        std::string lista;
        for (const std::string& n : numerosConta)
            lista += (lista.empty() ? "" : ", ") + SqlNumeroTexto(n);
        sql += " AND CTAEPR.NU_EMPREGADO_QUELD IN (" + lista + ")";
    }
    return Consultar(sql);
}

bool TContaSaldoTrabalhador::LocalizarConta(int tipoInscricao, int categoria, int64_t numeroConta, int64_t pis,
                                            TDateTime admissao, int64_t inscricao)
{
    if (!TemDataSet())
        return false;
    for (Primeiro(); !Eof(); Proximo())
        if (TipoInscricao == tipoInscricao && Categoria == categoria && NumeroEmpregadoQueld == numeroConta &&
            Pis == pis && static_cast<int64_t>(DataAdmissao) == static_cast<int64_t>(admissao) &&
            Inscricao == inscricao)
            return true;
    return false;
}

bool TContaSaldoTrabalhador::Existe(const std::string& condicao)
{
    try {
        return !Sessao()
                    .AbrirConsulta("SELECT FIRST 1 CTAEPR.NU_PIS FROM SFGTBG10_CONTA_EMPREGADO_FGTS CTAEPR WHERE " +
                                   ChaveSql("CTAEPR") + " AND " + kSemSituacao3 + " AND " + condicao)
                    ->IsEmpty();
    } catch (const EDrav&) {
        return false;
    }
}

bool TContaSaldoTrabalhador::ExistemContasComSaldo() { return Existe("CTAEPR.VR_SALDO_RESCISORIO > 0"); }

bool TContaSaldoTrabalhador::ExistemContasPisSituacao2()
{
    return Existe("CTAEPR.NU_SITUACAO_PIS = 2 AND CTAEPR.VR_SALDO_RESCISORIO > 0");
}

double TContaSaldoTrabalhador::SomaSaldos()
{
    try {
        return SaldoDasContas(Sessao(), TipoInscricao, Inscricao, Pis, Categoria, DataAdmissao).Soma;
    } catch (const EDrav&) {
        return 0;
    }
}

bool TContaSaldoTrabalhador::Incluir(bool atualizarRescisao)
{
    CodigoMensagem.clear();
    try {
        TTransacao t(Sessao());
        Sessao().ExecutarSQL(
            "INSERT INTO SFGTBG10_CONTA_EMPREGADO_FGTS (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
            "DT_ADMISSAO_VINCULO, NU_CATEGORIA, NO_EMPREGADO, NU_EMPREGADO_QUELD, NU_SITUACAO_CONTA_EMPREGADO, "
            "NU_SITUACAO_PIS, AA_MAIOR_COMPETENCIA, MM_MAIOR_COMPETENCIA, VR_SALDO_RESCISORIO, DT_GRAVACAO_ARQUIVO, "
            "NU_SITUACAO_CONTA_EMPRESA, NU_EMPRESA_QUELD, DT_CREDITO_JUROS) VALUES (" +
            SqlNumero(TipoInscricao) + ", " + SqlNumero(Inscricao) + ", " + SqlNumero(Pis) + ", " +
            SqlData(DataAdmissao) + ", " + SqlNumero(Categoria) + ", " + SqlTexto(Trabalhador().Nome) + ", " +
            SqlNumero(NumeroEmpregadoQueld) + ", " + SqlNumero(SituacaoConta) + ", " + SqlNumero(SituacaoPis) + ", " +
            SqlNumero(AnoMaiorCompetencia) + ", " + SqlNumero(MesMaiorCompetencia) + ", " +
            FormatarValorPonto(SaldoRescisorio) + ", " + SqlData(DataGravacaoArquivo) + ", " +
            SqlNumero(SituacaoContaEmpresa) + ", " + SqlNumero(NumeroEmpresaQueld) + ", " +
            SqlData(DataCreditoJuros) + ")");
        if (atualizarRescisao)
            AtualizarSaldoRescisorio();
        t.Confirmar();
    } catch (const EDrav&) {
        CodigoMensagem = "0144";
        return false;
    }
    return true;
}

bool TContaSaldoTrabalhador::AtualizarSaldoRescisorio()
{
    TEmpregado trabalhador(Sessao());
    return trabalhador.AtualizarSaldoRescisorio(TipoInscricao, Categoria, DataAdmissao, Pis, Inscricao);
}

bool TContaSaldoTrabalhador::ExcluirContas(bool empresaInteira, bool porConta, bool apenasAbertos)
{
    CodigoMensagem.clear();
    if (TipoInscricao <= 0 || Inscricao <= 0)
        throw ENegocio("Exclusão de contas sem empregador");
    // Every part the caller asked for narrows the statement itself: no key text compared as a
    // whole, so neither another account of the link nor the accounts of a closed link can follow.
    std::string onde = "CTAEPG.NU_TIPO_INSO_EMPRA = " + SqlNumero(TipoInscricao) +
                       " AND CTAEPG.NU_INSCRICAO = " + SqlNumero(Inscricao);
    if (!empresaInteira)
        onde = ChaveSql("CTAEPG");
    if (porConta)
        onde += " AND CTAEPG.NU_EMPREGADO_QUELD = " + SqlNumero(NumeroEmpregadoQueld);
    if (apenasAbertos)
        onde += " AND EXISTS (SELECT 1 FROM SFGTBG04_VINCULO_EMPREGATICIO VINC WHERE " +
                SqlMesmaChave("VINC", "CTAEPG") + " AND COALESCE(VINC.IC_ESTADO_MOVIMENTO, 0) NOT IN (2, 3))";
    try {
        TTransacao t(Sessao());
        Sessao().ExecutarSQL("DELETE FROM SFGTBG10_CONTA_EMPREGADO_FGTS CTAEPG WHERE " + onde);
        TEmpregado trabalhador(Sessao());
        trabalhador.RecalcularSaldosRescisorios(TipoInscricao, Inscricao);
        t.Confirmar();
    } catch (const EDrav&) {
        CodigoMensagem = "0144";
        return false;
    }
    return true;
}

// --- checks ------------------------------------------------------------------------------------

bool TContaSaldoTrabalhador::ValidarSituacaoConta()
{
    CodigoMensagem = SituacaoConta > 3 ? "0216" : "";
    return CodigoMensagem.empty();
}

bool TContaSaldoTrabalhador::ValidarContaSituacao3()
{
    CodigoMensagem = SituacaoConta == 3 && NumeroEmpregadoQueld != 0 ? "0282" : "";
    return CodigoMensagem.empty();
}

bool TContaSaldoTrabalhador::ValidarSaldoSituacao()
{
    CodigoMensagem = SituacaoConta != 0 && SaldoRescisorio > 0 ? "0379" : "";
    return CodigoMensagem.empty();
}

bool TContaSaldoTrabalhador::ValidarSituacaoPis()
{
    CodigoMensagem.clear();
    if (SituacaoConta != 3 && SituacaoPis != 1 && SituacaoPis != 2)
        CodigoMensagem = "0285";
    else if (SituacaoConta == 3 && SituacaoPis != 0)
        CodigoMensagem = "0345";
    return CodigoMensagem.empty();
}

bool TContaSaldoTrabalhador::ValidarMaiorCompetencia()
{
    CodigoMensagem.clear();
    if (SituacaoConta == 3 && MesMaiorCompetencia != 0)
        CodigoMensagem = "0286";
    else if (SituacaoConta != 3 && MesMaiorCompetencia > 0 && MesMaiorCompetencia > 12)
        CodigoMensagem = "0034";
    else if (SituacaoConta == 3 && AnoMaiorCompetencia != 0)
        CodigoMensagem = "0286";
    else if (SituacaoConta != 3 && AnoMaiorCompetencia > 0 && AnoMaiorCompetencia < 1967)
        CodigoMensagem = "0102";
    return CodigoMensagem.empty();
}

bool TContaSaldoTrabalhador::ValidarDataCreditoJuros()
{
    CodigoMensagem.clear();
    const bool informada = DataCreditoJuros != NullDate && DataCreditoJuros > 0;
    if (SituacaoContaEmpresa != 0 && informada)
        CodigoMensagem = "0346";
    else if (SituacaoContaEmpresa == 0 && (!informada || DataCreditoJuros < CodificarData(1967, 1, 1)))
        CodigoMensagem = "0369";
    return CodigoMensagem.empty();
}

} // namespace drav
