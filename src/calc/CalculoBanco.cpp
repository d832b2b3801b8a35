#include "calc/CalculoBanco.h"

#include "calc/Calculo.h"
#include "core/DBUtils.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"
#include "model/ChaveVinculo.h"
#include "model/InformacaoRescisao.h"

namespace drav {

namespace {

std::string Chave(const std::string& alias, const TEntradaCalculo& e)
{
    return SqlChaveVinculo(alias, e.TipoInscricao, e.Inscricao, e.Pis, e.Categoria, e.DataAdmissao);
}

// IC_AVISO_PREVIO: empty is "not informed" (0); anything but one digit is no notice type at all.
int AvisoPrevioLido(const std::string& texto)
{
    const std::string t = Aparar(texto);
    if (t.empty())
        return 0;
    if (t.size() == 1 && t[0] >= '0' && t[0] <= '9')
        return t[0] - '0';
    return -1;
}

void Parcela(std::string& sql, const TParcela& p, const char* sufixo, const char* sufixoMultaContribuicao)
{
    sql += std::string(", DT_DEVIDA_") + sufixo + " = " + SqlData(p.DataDevida);
    sql += std::string(", VR_DEPOSITO_") + sufixo + " = " + FormatarValorPonto(p.ValorDeposito);
    sql += std::string(", VR_JAM_") + sufixo + " = " + FormatarValorPonto(p.ValorJAM);
    sql += std::string(", VR_MULTA_") + sufixo + " = " + FormatarValorPonto(p.ValorMulta);
    sql += std::string(", VR_CNTRO_") + sufixo + " = " + FormatarValorPonto(p.ValorContribuicao);
    sql += std::string(", VR_MULTA_CNTRO_") + sufixoMultaContribuicao + " = " +
           FormatarValorPonto(p.ValorMultaContribuicao);
}

} // namespace

TDateTime LerDataPagamento(TDBUtils& sessao)
{
    const auto r = sessao.AbrirConsulta("SELECT DT_PAGAMENTO FROM SFGTBG01_ABERTURA_RECOLHIMENTO");
    if (r->IsEmpty())
        return NullDate;
    r->First();
    return r->Field(0).AsDateTime();
}

bool CarregarEntradaCalculo(TDBUtils& sessao, TEntradaCalculo& entrada)
{
    const auto r = sessao.AbrirConsulta(
        "SELECT V.CO_MOVIMENTACAO, V.DT_MOVIMENTACAO_VINCULO, V.DT_OPCAO, V.IC_AVISO_PREVIO, "
        "E.NU_INSS AS FPAS, E.NU_SIMPLES AS SIMPLES, E.NO_RAZAO_SOCIAL, T.NO_EMPREGADO, "
        "I.DT_DISSIDIO, I.VR_DISSIDIO, I.VR_REMUNERACAO_ANTERIOR_RSCSO, I.VR_REMUNERACAO_RESCISAO, "
        "I.VR_AVISO_PREVIO, I.VR_SALDO_RESCISORIO, I.IC_ORIGEM_SALDO_RESCISORIO, I.VR_DEPOSITO_CMPLO_SALDO "
        "FROM SFGTBG04_VINCULO_EMPREGATICIO V "
        "JOIN SFGTBG06_INFORMACAO_RESCISAO I ON " +
        SqlMesmaChave("I", "V") +
        " LEFT JOIN SFGTBG02_EMPRESA E ON E.NU_TIPO_INSO_EMPRA = V.NU_TIPO_INSO_EMPRA AND "
        "E.NU_INSCRICAO = V.NU_INSCRICAO "
        "LEFT JOIN SFGTBG03_EMPREGADO T ON T.NU_PIS = V.NU_PIS WHERE " +
        Chave("V", entrada));
    if (r->IsEmpty())
        return false;
    r->First();
    TEntradaCalculo e = entrada;
    e.Movimentacao = Aparar(r->FieldByName("CO_MOVIMENTACAO").AsString());
    e.DataMovimentacao = r->FieldByName("DT_MOVIMENTACAO_VINCULO").AsDateTime();
    e.DataOpcao = r->FieldByName("DT_OPCAO").AsDateTime();
    e.AvisoPrevio = AvisoPrevioLido(r->FieldByName("IC_AVISO_PREVIO").AsString());
    e.Fpas = r->FieldByName("FPAS").AsInteger();
    e.Simples = r->FieldByName("SIMPLES").AsInteger();
    e.RazaoSocial = Aparar(r->FieldByName("NO_RAZAO_SOCIAL").AsString());
    e.NomeEmpregado = Aparar(r->FieldByName("NO_EMPREGADO").AsString());
    e.DataDissidio = r->FieldByName("DT_DISSIDIO").AsDateTime();
    e.ValorDissidio = r->FieldByName("VR_DISSIDIO").AsFloat();
    e.RemuneracaoAnterior = r->FieldByName("VR_REMUNERACAO_ANTERIOR_RSCSO").AsFloat();
    e.RemuneracaoRescisao = r->FieldByName("VR_REMUNERACAO_RESCISAO").AsFloat();
    e.ValorAvisoPrevio = r->FieldByName("VR_AVISO_PREVIO").AsFloat();
    e.SaldoRescisorio = r->FieldByName("VR_SALDO_RESCISORIO").AsFloat();
    e.OrigemSaldo = TInformacaoRescisao::OrigemLida(Aparar(r->FieldByName("IC_ORIGEM_SALDO_RESCISORIO").AsString()));
    e.DepositoComplementoSaldo = r->FieldByName("VR_DEPOSITO_CMPLO_SALDO").AsFloat();
    e.DataCreditoJuros = NullDate;
    if (e.OrigemSaldo == OrigemSaldoContas) {
        const auto c = sessao.AbrirConsulta("SELECT FIRST 1 DT_CREDITO_JUROS FROM SFGTBG10_CONTA_EMPREGADO_FGTS "
                                            "WHERE " +
                                            Chave("", entrada) +
                                            " AND NU_SITUACAO_CONTA_EMPREGADO <> 3 ORDER BY NU_EMPREGADO_QUELD");
        if (!c->IsEmpty()) {
            c->First();
            e.DataCreditoJuros = c->Field(0).AsDateTime();
        }
    }
    entrada = std::move(e);
    return true;
}

std::string SqlGravarCalculo(const TCalculo& calculo, const TEntradaCalculo& entrada)
{
    // A dissídio replaces the balance, which then earns no interest.
    const double jamSaldo = entrada.ValorDissidio > 0 ? 0.0 : calculo.JAMSaldo();
    std::string sql = "UPDATE SFGTBG06_INFORMACAO_RESCISAO SET VR_JAM_SALDO_RESCISORIO = " + FormatarValorPonto(jamSaldo);
    Parcela(sql, calculo.ParcelaAnterior(), "ANTERIOR_RESCISAO", "ANTERIOR_RSCSO");
    Parcela(sql, calculo.ParcelaRescisao(), "RESCISAO", "RESCISAO");
    Parcela(sql, calculo.ParcelaAvisoPrevio(), "AVISO_PREVIO", "AVISO_PREVIO");
    Parcela(sql, calculo.ParcelaMulta(), "MULTA_RESCISORIA", "MULTA_RESCISORIA");
    return sql + " WHERE " + Chave("", entrada);
}

bool CalcularVinculo(TCalculo& calculo, TDBUtils& sessao, TEntradaCalculo& entrada)
{
    if (!CarregarEntradaCalculo(sessao, entrada)) {
        calculo.Limpar();
        return false;
    }
    return calculo.Calcular(entrada);
}

double CalcularGravar(TCalculo& calculo, TDBUtils& sessao, TEntradaCalculo& entrada, TInformacaoRescisao* recarregar)
{
    if (!CalcularVinculo(calculo, sessao, entrada) || !calculo.TodasCalculadas())
        return -1.0;
    const double total = calculo.ValorTotal();
    // The row read a moment ago must still be there: a total reported for amounts that were
    // never stored would close a guide nobody can pay.
    if (sessao.ExecutarSQL(SqlGravarCalculo(calculo, entrada)) != 1)
        return -1.0;
    if (recarregar)
        recarregar->ConsultarRescisao(entrada.TipoInscricao, entrada.Categoria, entrada.DataAdmissao, entrada.Pis,
                                      entrada.Inscricao);
    return total;
}

} // namespace drav
