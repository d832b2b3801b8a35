// The user's confirmation of the accounts a balance load found for links already closed, sent or
// paid.
#include "files/CargaSaldo.h"

#include "calc/ComplementoSaldo.h"
#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "model/ChaveVinculo.h"
#include "model/ContaEmpregado.h"
#include "model/Empregado.h"
#include "model/InformacaoRescisao.h"
#include "model/SaldoRescisorio.h"
#include "model/Vinculo.h"

namespace drav {

namespace {

std::string Chave(const std::string& alias, const TVinculoPendente& v)
{
    return SqlChaveVinculo(alias, v.TipoInscricao, v.Inscricao, v.Pis, v.Categoria, v.DataAdmissao);
}

void Falhar(const std::string& o_que, const std::string& codigo)
{
    throw ENegocio(o_que + (codigo.empty() ? std::string() : " (" + codigo + ")"));
}

} // namespace

std::vector<TVinculoPendente> AgruparPendentes(TDBUtils& sessao, const std::vector<TContaPendente>& pendentes)
{
    std::vector<TVinculoPendente> vinculos;
    for (const TContaPendente& p : pendentes) {
        TVinculoPendente* v = nullptr;
        for (TVinculoPendente& existente : vinculos)
            if (!existente.Contas.empty() && existente.Contas.front().Conta.MesmoVinculo(p.Conta))
                v = &existente;
        if (!v) {
            TVinculoPendente novo;
            novo.TipoInscricao = p.Conta.TipoInscricao;
            novo.Inscricao = p.Conta.Inscricao;
            novo.Pis = p.Conta.Pis;
            novo.Categoria = p.Conta.Categoria;
            novo.DataAdmissao = p.Conta.DataAdmissao;
            vinculos.push_back(std::move(novo));
            v = &vinculos.back();
        }
        v->Contas.push_back(p);
    }
    for (TVinculoPendente& v : vinculos) {
        auto q = sessao.AbrirConsulta("SELECT VINC.IC_ESTADO_MOVIMENTO, EMP.NO_EMPREGADO FROM "
                                      "SFGTBG04_VINCULO_EMPREGATICIO VINC LEFT JOIN SFGTBG03_EMPREGADO EMP ON "
                                      "EMP.NU_PIS = VINC.NU_PIS WHERE " + Chave("VINC", v));
        if (!q->IsEmpty()) {
            v.Estado = q->FieldByName("IC_ESTADO_MOVIMENTO").AsInteger();
            v.NomeCadastrado = AparaDireita(q->FieldByName("NO_EMPREGADO").AsString());
        }
    }
    return vinculos;
}

ResultadoConfirmacao ConfirmarContasPendentes(TDBUtils& sessao, const ITabelasIndices& tabelas, TDateTime dataEdital,
                                              const std::vector<TVinculoPendente>& selecionados, std::string* erro)
{
    bool pendencia = false;
    try {
        TTransacao t(sessao);
        TContaSaldoTrabalhador conta(sessao);
        conta.CarregaRelacionados = false;
        for (const TVinculoPendente& v : selecionados) {
            conta.TipoInscricao = v.TipoInscricao;
            conta.Inscricao = v.Inscricao;
            conta.Pis = v.Pis;
            conta.Categoria = v.Categoria;
            conta.DataAdmissao = v.DataAdmissao;
            if (!conta.ExcluirContas(false, false, false))
                Falhar("Não foi possível excluir as contas do vínculo", conta.CodigoMensagem);
        }
        TInformacaoRescisao rescisao(sessao);
        TComplementoSaldo complemento(sessao, tabelas, dataEdital);
        for (const TVinculoPendente& v : selecionados) {
            auto q = sessao.AbrirConsulta(
                "SELECT VINC.IC_ESTADO_MOVIMENTO, VINC.CO_MOVIMENTACAO, INFO.VR_DISSIDIO, EMP.NO_EMPREGADO FROM "
                "SFGTBG04_VINCULO_EMPREGATICIO VINC LEFT JOIN SFGTBG06_INFORMACAO_RESCISAO INFO ON " +
                SqlMesmaChave("INFO", "VINC") + " LEFT JOIN SFGTBG03_EMPREGADO EMP ON EMP.NU_PIS = VINC.NU_PIS WHERE " +
                Chave("VINC", v));
            if (q->IsEmpty())
                Falhar("Vínculo não encontrado", "0289");
            const int estado = q->FieldByName("IC_ESTADO_MOVIMENTO").AsInteger();
            const std::string nome = q->FieldByName("NO_EMPREGADO").AsString();
            const bool atualizar = MaiusculasAscii(Aparar(q->FieldByName("CO_MOVIMENTACAO").AsString())) != "I3" &&
                                   !(q->FieldByName("VR_DISSIDIO").AsFloat() > 0);
            if ((estado == EstadoFechado || estado == EstadoProcessado) &&
                !rescisao.LimparCalculo(v.TipoInscricao, v.Categoria, v.DataAdmissao, v.Pis, v.Inscricao))
                Falhar("Não foi possível limpar o cálculo do vínculo", rescisao.CodigoMensagem);
            for (const TContaPendente& p : v.Contas) {
                const TDadosConta& d = p.Conta;
                conta.TipoInscricao = d.TipoInscricao;
                conta.Inscricao = d.Inscricao;
                conta.Pis = d.Pis;
                conta.Categoria = d.Categoria;
                conta.DataAdmissao = d.DataAdmissao;
                conta.NumeroEmpregadoQueld = d.NumeroEmpregadoQueld;
                conta.SaldoRescisorio = d.SaldoRescisorio;
                conta.SituacaoPis = d.SituacaoPis;
                conta.SituacaoConta = d.SituacaoConta;
                conta.AnoMaiorCompetencia = d.AnoMaiorCompetencia;
                conta.MesMaiorCompetencia = d.MesMaiorCompetencia;
                conta.DataGravacaoArquivo = d.DataGravacaoArquivo;
                conta.SituacaoContaEmpresa = d.SituacaoContaEmpresa;
                conta.NumeroEmpresaQueld = d.NumeroEmpresaQueld;
                conta.DataCreditoJuros = d.DataCreditoJuros;
                conta.Trabalhador().Nome = nome;
                if (!conta.Incluir(false))
                    Falhar("Não foi possível incluir a conta do vínculo", conta.CodigoMensagem);
                if (!p.Regular)
                    pendencia = true;
            }
            // Open again before the balance follows the accounts: a closed link keeps the balance
            // its rescission file was computed with, so the refresh would not reach it.
            sessao.ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO VINC SET IC_ESTADO_MOVIMENTO = 0 WHERE " +
                               Chave("VINC", v));
            if (atualizar)
                AtualizarSaldosPorContas(sessao, Chave("INFO", v));
            if (!complemento.AtualizarDepositosRescisao(v.TipoInscricao, v.Categoria, v.DataAdmissao, v.Pis,
                                                        v.Inscricao))
                Falhar("Não foi possível atualizar os complementos do vínculo", complemento.CodigoMensagem);
            // A deposit that cannot be computed keeps the one stored: not a reason to undo the rest.
            complemento.RecalcularComplementosAbertos(v.TipoInscricao, v.Pis, v.Inscricao);
        }
        t.Confirmar();
    } catch (const std::exception& e) {
        if (erro)
            *erro = MensagemEmUmaLinha(e);
        return ResultadoConfirmacao::Falhou;
    }
    return pendencia ? ResultadoConfirmacao::GravadoComPendencia : ResultadoConfirmacao::Gravado;
}

} // namespace drav
