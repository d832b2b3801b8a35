#include "model/InformacaoRescisao.h"

#include "core/Conversao.h"
#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"
#include "core/Verificacoes.h"
#include "model/ChaveVinculo.h"
#include "model/Vinculo.h"

#include <algorithm>

namespace drav {

namespace {

// The calculated columns, parcel by parcel: month before the rescission, month of the rescission,
// notice pay, rescission fine.
constexpr const char* kColunasCalculo[] = {
    "DT_DEVIDA_ANTERIOR_RESCISAO", "VR_DEPOSITO_ANTERIOR_RESCISAO", "VR_JAM_ANTERIOR_RESCISAO",
    "VR_MULTA_ANTERIOR_RESCISAO", "VR_CNTRO_ANTERIOR_RESCISAO", "VR_MULTA_CNTRO_ANTERIOR_RSCSO",
    "DT_DEVIDA_RESCISAO", "VR_DEPOSITO_RESCISAO", "VR_JAM_RESCISAO", "VR_MULTA_RESCISAO", "VR_CNTRO_RESCISAO",
    "VR_MULTA_CNTRO_RESCISAO", "DT_DEVIDA_AVISO_PREVIO", "VR_DEPOSITO_AVISO_PREVIO", "VR_JAM_AVISO_PREVIO",
    "VR_MULTA_AVISO_PREVIO", "VR_CNTRO_AVISO_PREVIO", "VR_MULTA_CNTRO_AVISO_PREVIO", "DT_DEVIDA_MULTA_RESCISORIA",
    "VR_DEPOSITO_MULTA_RESCISORIA", "VR_JAM_MULTA_RESCISORIA", "VR_MULTA_MULTA_RESCISORIA",
    "VR_CNTRO_MULTA_RESCISORIA", "VR_MULTA_CNTRO_MULTA_RESCISORIA"};

bool Informada(TDateTime data) { return data != NullDate && data != DataInvalida; }

int AnoMes(TDateTime data)
{
    const DataCivil c = DecodificarData(data);
    return c.ano * 100 + c.mes;
}

// The same day one month earlier, the day clamped to the length of that month.
TDateTime MesAnterior(TDateTime data)
{
    DataCivil c = DecodificarData(data);
    if (--c.mes == 0) {
        c.mes = 12;
        --c.ano;
    }
    while (c.dia > 28 && !DataExiste(c.ano, c.mes, c.dia))
        --c.dia;
    return CodificarData(c.ano, c.mes, c.dia);
}

std::string Maiusculo(const std::string& texto) { return MaiusculasAscii(Aparar(texto)); }

} // namespace

TInformacaoRescisao::TInformacaoRescisao(TDBUtils& sessao) : TNegocio(sessao)
{
    Inicializar();
}

TInformacaoRescisao::~TInformacaoRescisao() = default;

void TInformacaoRescisao::ZerarCampos()
{
    TipoPensao.clear();
    VrDissidio = VrRemuneracaoAnteriorRscso = VrRemuneracaoRescisao = VrAvisoPrevio = VrPensaoAlmna = 0;
    DtDissidio = NullDate;
    VrSaldoRescisorio = VrJamSaldoRescisorio = VrDepositoCmploSaldo = 0;
    OrigemSaldo = OrigemSaldoNenhum;
    DtDevidaAnteriorRescisao = DtDevidaRescisao = DtDevidaAvisoPrevio = DtDevidaMultaRescisoria = NullDate;
    for (double* v : {&VrDepositoAnteriorRescisao, &VrJamAnteriorRescisao, &VrMultaAnteriorRescisao,
                      &VrCntroAnteriorRescisao, &VrMultaCntroAnteriorRscso, &VrDepositoRescisao, &VrJamRescisao,
                      &VrMultaRescisao, &VrCntroRescisao, &VrMultaCntroRescisao, &VrDepositoAvisoPrevio,
                      &VrJamAvisoPrevio, &VrMultaAvisoPrevio, &VrCntroAvisoPrevio, &VrMultaCntroAvisoPrevio,
                      &VrDepositoMultaRescisoria, &VrJamMultaRescisoria, &VrMultaMultaRescisoria,
                      &VrCntroMultaRescisoria, &VrMultaCntroMultaRescisoria})
        *v = 0;
}

void TInformacaoRescisao::Inicializar()
{
    TipoInscricao = 0;
    Inscricao = 0;
    Pis = 0;
    Categoria = 0;
    DataAdmissao = NullDate;
    ZerarCampos();
    SqlSelect = "SELECT NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, DT_DISSIDIO, "
                "VR_DISSIDIO, VR_REMUNERACAO_ANTERIOR_RSCSO, VR_REMUNERACAO_RESCISAO, VR_AVISO_PREVIO, "
                "VR_SALDO_RESCISORIO, IC_ORIGEM_SALDO_RESCISORIO, VR_JAM_SALDO_RESCISORIO, VR_DEPOSITO_CMPLO_SALDO, "
                "IC_TIPO_PNSO_ALMNA, VR_PENSAO_ALMNA";
    for (const char* c : kColunasCalculo)
        SqlSelect += std::string(", ") + c;
    SqlSelect += " ";
    SqlFrom = " FROM SFGTBG06_INFORMACAO_RESCISAO ";
}

void TInformacaoRescisao::Limpar() { vinculo_.reset(); }

std::string TInformacaoRescisao::OrigemLida(const std::string& coluna)
{
    const std::string o = Aparar(coluna);
    return o.empty() ? std::string(OrigemSaldoNenhum) : o;
}

void TInformacaoRescisao::CarregarCampos()
{
    TNegocio::CarregarCampos();
    TipoInscricao = static_cast<int>(Campo("NU_TIPO_INSO_EMPRA").AsInt64());
    Inscricao = Campo("NU_INSCRICAO").AsInt64();
    Pis = Campo("NU_PIS").AsInt64();
    Categoria = static_cast<int>(Campo("NU_CATEGORIA").AsInt64());
    DataAdmissao = Campo("DT_ADMISSAO_VINCULO").AsDateTime();
    TipoPensao = Aparar(Campo("IC_TIPO_PNSO_ALMNA").AsString());
    DtDissidio = Campo("DT_DISSIDIO").AsDateTime();
    VrDissidio = Campo("VR_DISSIDIO").AsFloat();
    VrRemuneracaoAnteriorRscso = Campo("VR_REMUNERACAO_ANTERIOR_RSCSO").AsFloat();
    VrRemuneracaoRescisao = Campo("VR_REMUNERACAO_RESCISAO").AsFloat();
    VrAvisoPrevio = Campo("VR_AVISO_PREVIO").AsFloat();
    VrSaldoRescisorio = Campo("VR_SALDO_RESCISORIO").AsFloat();
    OrigemSaldo = OrigemLida(Campo("IC_ORIGEM_SALDO_RESCISORIO").AsString());
    VrJamSaldoRescisorio = Campo("VR_JAM_SALDO_RESCISORIO").AsFloat();
    VrDepositoCmploSaldo = Campo("VR_DEPOSITO_CMPLO_SALDO").AsFloat();
    VrPensaoAlmna = Campo("VR_PENSAO_ALMNA").AsFloat();

    struct Parcela {
        const char* sufixo;
        TDateTime* devida;
        double *deposito, *jam, *multa, *contribuicao, *multaContribuicao;
    };
    const Parcela parcelas[] = {
        {"ANTERIOR_RESCISAO", &DtDevidaAnteriorRescisao, &VrDepositoAnteriorRescisao, &VrJamAnteriorRescisao,
         &VrMultaAnteriorRescisao, &VrCntroAnteriorRescisao, &VrMultaCntroAnteriorRscso},
        {"RESCISAO", &DtDevidaRescisao, &VrDepositoRescisao, &VrJamRescisao, &VrMultaRescisao, &VrCntroRescisao,
         &VrMultaCntroRescisao},
        {"AVISO_PREVIO", &DtDevidaAvisoPrevio, &VrDepositoAvisoPrevio, &VrJamAvisoPrevio, &VrMultaAvisoPrevio,
         &VrCntroAvisoPrevio, &VrMultaCntroAvisoPrevio},
        {"MULTA_RESCISORIA", &DtDevidaMultaRescisoria, &VrDepositoMultaRescisoria, &VrJamMultaRescisoria,
         &VrMultaMultaRescisoria, &VrCntroMultaRescisoria, &VrMultaCntroMultaRescisoria},
    };
    for (const Parcela& p : parcelas) {
        const std::string s = p.sufixo;
        *p.devida = Campo("DT_DEVIDA_" + s).AsDateTime();
        *p.deposito = Campo("VR_DEPOSITO_" + s).AsFloat();
        *p.jam = Campo("VR_JAM_" + s).AsFloat();
        *p.multa = Campo("VR_MULTA_" + s).AsFloat();
        *p.contribuicao = Campo("VR_CNTRO_" + s).AsFloat();
        // The one column whose name the table shortened.
        *p.multaContribuicao =
            Campo(s == "ANTERIOR_RESCISAO" ? std::string("VR_MULTA_CNTRO_ANTERIOR_RSCSO") : "VR_MULTA_CNTRO_" + s)
                .AsFloat();
    }
}

TVinculo& TInformacaoRescisao::Vinculo()
{
    if (vinculoDono_)
        return *vinculoDono_;
    if (!vinculo_) {
        vinculo_ = std::make_unique<TVinculo>(Sessao());
        vinculo_->rescisaoDona_ = this;
        CopiarChaveVinculo(*this, *vinculo_);
        if (CarregaRelacionados)
            vinculo_->BuscarVinculo(TipoInscricao, Categoria, DataAdmissao, Pis, Inscricao);
    }
    return *vinculo_;
}

bool TInformacaoRescisao::ConsultarRescisao(int tipoInscricao, int categoria, TDateTime admissao, int64_t pis,
                                            int64_t inscricao)
{
    CodigoMensagem.clear();
    try {
        AbrirConsulta("WHERE " + SqlChaveVinculo("", tipoInscricao, inscricao, pis, categoria, admissao));
    } catch (const EDrav&) {
        CodigoMensagem = "0144";
        return false;
    }
    if (Vazio()) {
        // No row: nothing of another link may linger in the fields.
        Limpar();
        ZerarCampos();
        TipoInscricao = tipoInscricao;
        Inscricao = inscricao;
        Pis = pis;
        Categoria = categoria;
        DataAdmissao = admissao;
    }
    return true;
}

bool TInformacaoRescisao::AliquotaVigente(bool minimoRemuneracao, TAliquota& saida, TDateTime data)
{
    saida = TAliquota{};
    if (!Informada(data) || DataValida(data) != 0)
        return false;
    auto r = Sessao().AbrirConsulta(
        " SELECT  AA_COMPETENCIA_ALIQUOTA, MM_COMPETENCIA_ALIQUOTA,PC_ALIQUOTA,     VR_REMUNERACAO_MINIMA, "
        "VR_SALDO_RESCISORIO_MINIMO   FROM SFGTBT14_ALIQUOTA_CALCULO_DPSTO  WHERE NU_CATEGORIA = " +
        // The link being edited is the one to follow when this row belongs to it.
        std::to_string(vinculoDono_ ? vinculoDono_->Categoria : Categoria) + " ORDER BY AA_COMPETENCIA_ALIQUOTA desc , MM_COMPETENCIA_ALIQUOTA desc ");
    const int64_t referencia = AnoMes(data);
    for (r->First(); !r->IsEmpty() && !r->Eof(); r->Next()) {
        const int64_t competencia = r->FieldByName("AA_COMPETENCIA_ALIQUOTA").AsInt64() * 100 +
                                    r->FieldByName("MM_COMPETENCIA_ALIQUOTA").AsInt64();
        if (competencia <= referencia) {
            saida.Minimo = r->FieldByName(minimoRemuneracao ? "VR_REMUNERACAO_MINIMA" : "VR_SALDO_RESCISORIO_MINIMO")
                               .AsFloat();
            saida.Aliquota = r->FieldByName("PC_ALIQUOTA").AsFloat();
            return true;
        }
    }
    return false;
}

std::string TInformacaoRescisao::RegraMinimo(double valor, TDateTime data)
{
    if (!(valor > 0))
        return {};
    TAliquota a;
    // Without a rate in force there is no minimum to hold the amount against.
    if (!AliquotaVigente(true, a, data) || !(valor < a.Minimo))
        return {};
    if (a.Aliquota == 2)
        return "0447";
    if (a.Aliquota == 8)
        return "0448";
    return {};
}

bool TInformacaoRescisao::LimparCalculo(int tipoInscricao, int categoria, TDateTime admissao, int64_t pis,
                                        int64_t inscricao)
{
    CodigoMensagem.clear();
    std::string filtro;
    if (tipoInscricao >= 0 && inscricao >= 0)
        filtro += " AND VINC.NU_TIPO_INSO_EMPRA = " + std::to_string(tipoInscricao) +
                  " AND VINC.NU_INSCRICAO = " + std::to_string(inscricao);
    if (pis >= 0)
        filtro += " AND VINC.NU_PIS = " + std::to_string(pis) + " AND VINC.NU_CATEGORIA = " +
                  std::to_string(categoria) + " AND VINC.DT_ADMISSAO_VINCULO = " +
                  (admissao > 0 ? SqlData(admissao) : std::string("Null"));
    std::string sql = "UPDATE SFGTBG06_INFORMACAO_RESCISAO INFO SET VR_JAM_SALDO_RESCISORIO = NULL";
    for (const char* c : kColunasCalculo)
        sql += std::string(", ") + c + " = NULL";
    sql += " WHERE EXISTS (SELECT 1 FROM SFGTBG04_VINCULO_EMPREGATICIO VINC WHERE " + SqlMesmaChave("VINC", "INFO") +
           " AND VINC.IC_ESTADO_MOVIMENTO IN (2, 3)" + filtro + ")";
    try {
        Sessao().ExecutarSQL(sql);
    } catch (const EDrav&) {
        CodigoMensagem = "0144";
        return false;
    }
    return true;
}

// --- checks --------------------------------------------------------------------------------------

bool TInformacaoRescisao::ValidarDataDissidio()
{
    CodigoMensagem.clear();
    const int situacao = DataValida(DtDissidio);
    TVinculo& v = Vinculo();
    if (situacao == 2)
        CodigoMensagem = "0472";
    else if (situacao == 1)
        CodigoMensagem = "0048";
    else if (Informada(DtDissidio) && DtDissidio > 0) {
        const TDateTime dia = SomenteData(DtDissidio);
        if (Informada(v.DataAdmissao) && dia < SomenteData(v.DataAdmissao))
            CodigoMensagem = "0047";
        else if (Informada(v.DataMovimentacao) && dia <= SomenteData(v.DataMovimentacao))
            CodigoMensagem = "0409";
    }
    return CodigoMensagem.empty();
}

bool TInformacaoRescisao::ValidarValorDissidio()
{
    CodigoMensagem.clear();
    const bool dataInformada = Informada(DtDissidio) && DtDissidio > 0;
    if (VrDissidio != 0) {
        if (!dataInformada)
            CodigoMensagem = "0191";
        else if (VrDissidio > 0 && Maiusculo(Vinculo().Movimentacao) == "I3")
            CodigoMensagem = "0444";
        else if (VrDissidio > 0 && OrigemLida(OrigemSaldo) != OrigemSaldoNenhum)
            CodigoMensagem = "0482";
    } else if (dataInformada)
        CodigoMensagem = "0136";
    return CodigoMensagem.empty();
}

bool TInformacaoRescisao::ValidarTipoPensao()
{
    CodigoMensagem.clear();
    const std::string t = Maiusculo(TipoPensao);
    if (t.empty())
        CodigoMensagem = "0081";
    else if (t != "N" && t != "P" && t != "V")
        CodigoMensagem = "82";
    return CodigoMensagem.empty();
}

bool TInformacaoRescisao::ValidarPensaoPercentual()
{
    CodigoMensagem.clear();
    const std::string t = Maiusculo(TipoPensao);
    if (t == "P" && !(VrPensaoAlmna > 0))
        CodigoMensagem = "0183";
    else if (t == "N")
        VrPensaoAlmna = 0;
    return CodigoMensagem.empty();
}

bool TInformacaoRescisao::ValidarLimitePensaoPercentual()
{
    CodigoMensagem.clear();
    if (Maiusculo(TipoPensao) == "P") {
        if (!(VrPensaoAlmna > 0))
            CodigoMensagem = "0183";
        else if (VrPensaoAlmna > 100)
            CodigoMensagem = "0378";
    }
    return CodigoMensagem.empty();
}

bool TInformacaoRescisao::ValidarPensaoValor()
{
    CodigoMensagem.clear();
    const std::string t = Maiusculo(TipoPensao);
    if (t == "V" && !(VrPensaoAlmna > 0))
        CodigoMensagem = "0210";
    else if (t == "N")
        VrPensaoAlmna = 0;
    return CodigoMensagem.empty();
}

bool TInformacaoRescisao::ValidarPensaoValorInformado()
{
    CodigoMensagem.clear();
    if (Maiusculo(TipoPensao) == "V" && !(VrPensaoAlmna > 0))
        CodigoMensagem = "0210";
    return CodigoMensagem.empty();
}

bool TInformacaoRescisao::ValidarAvisoPrevioIndenizado()
{
    CodigoMensagem.clear();
    TVinculo& v = Vinculo();
    const bool i3 = Maiusculo(v.Movimentacao) == "I3";
    if (v.AvisoPrevio == 2 && !(VrAvisoPrevio > 0))
        CodigoMensagem = "0391";
    else if ((v.AvisoPrevio == 1 || v.AvisoPrevio == 3) && VrAvisoPrevio > 0 && !i3)
        CodigoMensagem = "0392";
    else if (VrAvisoPrevio > 0 && i3)
        CodigoMensagem = "0428";
    else
        CodigoMensagem = RegraMinimo(VrAvisoPrevio, v.DataMovimentacao);
    return CodigoMensagem.empty();
}

bool TInformacaoRescisao::ValidarRemuneracaoAnterior()
{
    CodigoMensagem.clear();
    TVinculo& v = Vinculo();
    if (VrRemuneracaoAnteriorRscso > 0 && Informada(DtDissidio) && DtDissidio > 0)
        CodigoMensagem = "0186";
    else if (VrRemuneracaoAnteriorRscso > 0 && Informada(v.DataMovimentacao) && Informada(v.DataAdmissao) &&
             AnoMes(v.DataMovimentacao) == AnoMes(v.DataAdmissao))
        CodigoMensagem = "0425";
    if (Informada(v.DataMovimentacao) && DataValida(v.DataMovimentacao) == 0) {
        const std::string minimo = RegraMinimo(VrRemuneracaoAnteriorRscso, MesAnterior(v.DataMovimentacao));
        if (!minimo.empty())
            CodigoMensagem = minimo;
    }
    return CodigoMensagem.empty();
}

bool TInformacaoRescisao::ValidarRemuneracaoRescisao()
{
    CodigoMensagem.clear();
    if (VrRemuneracaoRescisao > 0 && Informada(DtDissidio) && DtDissidio > 0)
        CodigoMensagem = "0187";
    else
        CodigoMensagem = RegraMinimo(VrRemuneracaoRescisao, Vinculo().DataMovimentacao);
    return CodigoMensagem.empty();
}

bool TInformacaoRescisao::ValidarTotalRemuneracoes()
{
    CodigoMensagem.clear();
    const double soma = VrRemuneracaoAnteriorRscso + VrRemuneracaoRescisao + VrAvisoPrevio + VrSaldoRescisorio +
                        VrDissidio + VrDepositoCmploSaldo;
    if (Maiusculo(Vinculo().Movimentacao) != "I3" && soma == 0)
        CodigoMensagem = "0225";
    return CodigoMensagem.empty();
}

bool TInformacaoRescisao::ValidarRemuneracoesI3(bool boletim)
{
    CodigoMensagem.clear();
    const double soma = VrRemuneracaoAnteriorRscso + VrRemuneracaoRescisao + VrAvisoPrevio;
    if (Maiusculo(Vinculo().Movimentacao) == "I3" && soma == 0)
        CodigoMensagem = boletim ? "0455" : "0225";
    return CodigoMensagem.empty();
}

} // namespace drav
