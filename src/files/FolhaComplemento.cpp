#include "files/FolhaComplemento.h"

#include "calc/Indices.h"
#include "core/Conversao.h"
#include "core/DBUtils.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"
#include "core/Verificacoes.h"
#include "model/ChaveVinculo.h"

namespace drav {

namespace {

bool Informada(TDateTime d) { return d != NullDate && d != DataInvalida && d > 0; }

} // namespace

TComplementoFolha::TComplementoFolha(TDBUtils& sessao) : sessao_(sessao) {}
TComplementoFolha::~TComplementoFolha() = default;

void TComplementoFolha::CarregarTabelas()
{
    if (carregado_)
        return;
    auto r = sessao_.AbrirConsulta("SELECT NU_CATEGORIA, AA_COMPETENCIA_ALIQUOTA, MM_COMPETENCIA_ALIQUOTA, "
                                   "PC_ALIQUOTA FROM SFGTBT14_ALIQUOTA_CALCULO_DPSTO ORDER BY NU_CATEGORIA, "
                                   "AA_COMPETENCIA_ALIQUOTA, MM_COMPETENCIA_ALIQUOTA");
    for (r->First(); !r->Eof(); r->Next())
        aliquotas_.push_back({static_cast<int>(r->FieldByName("NU_CATEGORIA").AsInt64()),
                              static_cast<int>(r->FieldByName("AA_COMPETENCIA_ALIQUOTA").AsInt64()),
                              static_cast<int>(r->FieldByName("MM_COMPETENCIA_ALIQUOTA").AsInt64()),
                              r->FieldByName("PC_ALIQUOTA").AsFloat()});
    auto e = sessao_.AbrirConsulta("SELECT MAX(DT_EDITAL_PRORATA) AS EDITAL FROM SFGTBT18_INDICE_PRORATA");
    if (!e->IsEmpty() && !e->FieldByName("EDITAL").IsNull())
        edital_ = e->FieldByName("EDITAL").AsDateTime();
    tabelas_ = std::make_unique<TTabelasIndicesBanco>(sessao_);
    indices_ = std::make_unique<TIndicesCalculo>(*tabelas_, nullptr);
    carregado_ = true;
}

bool TComplementoFolha::ValidarPermiteComplemento()
{
    CodigoMensagem.clear();
    if (Informada(DataDissidio) || MaiusculasAscii(Aparar(Movimentacao)) == "I3")
        CodigoMensagem = "0489";
    return CodigoMensagem.empty();
}

bool TComplementoFolha::ValidarCompetencia(bool permiteVazio)
{
    CodigoMensagem =
        CodigoCompetenciaComplemento(AnoCompetencia, MesCompetencia, permiteVazio, DataOpcao, DataMovimentacao);
    return CodigoMensagem.empty();
}

bool TComplementoFolha::ValidarRemuneracao()
{
    CodigoMensagem = CodigoRemuneracaoComplemento(AnoCompetencia, MesCompetencia, ValorRemuneracao);
    return CodigoMensagem.empty();
}

double TComplementoFolha::CalcularDeposito()
{
    try {
        CarregarTabelas();
        const int ano = StrToInteiro(AnoCompetencia), mes = StrToInteiro(MesCompetencia);
        return DepositoComplemento(ValorRemuneracao, AliquotaNaCompetencia(aliquotas_, Categoria, ano, mes), Categoria,
                                   ano, mes, DataOpcao, edital_, *indices_);
    } catch (const std::exception&) {
        return -1;
    }
}

bool TComplementoFolha::Incluir()
{
    CodigoMensagem.clear();
    ValorDeposito = CalcularDeposito();
    if (ValorDeposito < 0) {
        CodigoMensagem = "0372";
        return false;
    }
    sessao_.ExecutarSQL(
        "INSERT INTO SFGTBG07_COMPLEMENTO_SALDO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
        "DT_ADMISSAO_VINCULO, NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA, VR_REMUNERACAO, VR_DEPOSITO) VALUES (" +
        SqlNumero(TipoInscricao) + ", " + SqlNumero(Inscricao) + ", " + SqlNumero(Pis) + ", " + SqlNumero(Categoria) +
        ", " + SqlData(DataAdmissao) + ", " + SqlNumero(NumeroComplemento) + ", " +
        SqlNumero(StrToInteiro(AnoCompetencia)) + ", " + SqlNumero(StrToInteiro(MesCompetencia)) + ", " +
        FormatarValorPonto(ValorRemuneracao) + ", " + FormatarValorPonto(ValorDeposito) + ")");
    return true;
}

} // namespace drav
