// Writing a validated payroll file: one transaction for the whole file, committed only after the
// last line and the complement sums; rolled back on any failure or on cancel.
#include "files/Folha.h"

#include "core/Conversao.h"
#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"
#include "files/FolhaComplemento.h"
#include "model/ChaveVinculo.h"
#include "model/Empregado.h"
#include "model/Empresa.h"
#include "model/InformacaoRescisao.h"
#include "model/RegistrosGravados.h"
#include "model/Responsavel.h"
#include "model/SaldoRescisorio.h"
#include "model/Vinculo.h"

namespace drav {

bool TArqFolha::GravarHeader(const TRegFolha& reg)
{
    namespace C = CamposHeader;
    TResponsavel& resp = *responsavel_;
    TEndereco& end = resp.Endereco();
    resp.TipoInscricao = static_cast<uint8_t>(StrToInteiro(reg[C::TipoInscricao]));
    resp.Inscricao = reg[C::Inscricao];
    resp.RazaoSocial = AparaDireita(reg[C::RazaoSocial]);
    resp.NomeContato = AparaDireita(reg[C::NomeContato]);
    resp.Ddd = reg[C::Telefone].substr(0, 4);
    resp.Telefone = reg[C::Telefone].substr(4);
    resp.Email = AparaDireita(reg[C::Email]);
    resp.EstadoEmpresa = "R";
    end.Logradouro = Aparar(reg[C::Logradouro]);
    end.Bairro = Aparar(reg[C::Bairro]);
    end.Cep = reg[C::Cep];
    end.Localidade = Aparar(reg[C::Localidade]);
    end.Uf = Aparar(reg[C::Uf]);
    resp.DataPagamento = StrToData(reg[C::DataPagamento], 0);
    AvancoExtra = EntradasArvore && EntradasArvore() == 0;
    if (!resp.Salvar() || !resp.GravarDataPagamento()) {
        CodigoMensagem = resp.CodigoMensagem;
        return false;
    }
    return true;
}

bool TArqFolha::GravarEmpresa(const TRegFolha& reg)
{
    namespace C = CamposEmpresa;
    TEmpresa& e = *empresa_;
    TEndereco& end = e.Endereco();
    e.TipoInscricao = static_cast<uint8_t>(StrToInteiro(reg[C::TipoInscricao]));
    e.Inscricao = reg[C::Inscricao];
    e.RazaoSocial = AparaDireita(reg[C::RazaoSocial]);
    e.Ddd = reg[C::Telefone].substr(0, 4);
    e.Telefone = reg[C::Telefone].substr(4);
    e.Cnae = reg[C::Cnae];
    e.Simples = static_cast<int16_t>(StrToInteiro(reg[C::Simples]));
    e.Fpas = reg[C::Fpas];
    end.Logradouro = Aparar(reg[C::Logradouro]);
    end.Bairro = Aparar(reg[C::Bairro]);
    end.Cep = reg[C::Cep];
    end.Localidade = Aparar(reg[C::Localidade]);
    end.Uf = Aparar(reg[C::Uf]);
    empresasGravadas_.emplace_back(e.TipoInscricao, StrToInteiro64(e.Inscricao));

    auto r = Sessao().AbrirConsulta("SELECT IC_ESTADO_EMPRESA FROM SFGTBG02_EMPRESA WHERE NU_TIPO_INSO_EMPRA = " +
                                    SqlNumero(e.TipoInscricao) + " AND NU_INSCRICAO = " + e.InscricaoFormatada());
    const std::string estado = r->IsEmpty() ? std::string() : Aparar(r->FieldByName("IC_ESTADO_EMPRESA").AsString());
    bool ok;
    if (estado == "E" || estado == "A") {
        ok = e.Alterar();
        const TRegRegistro& h = Registros[0];
        if (ok && h.TipoInscricao == reg[C::TipoInscricao] && h.Inscricao == reg[C::Inscricao])
            e.MarcarResponsavelComoEmpresa();
    } else {
        ok = e.Incluir();
        AvancoExtra = true;
    }
    if (!ok)
        CodigoMensagem = e.CodigoMensagem;
    return ok;
}

bool TArqFolha::GravarTrabalhador(const TRegFolha& reg)
{
    TEmpregado& w = *trabalhador_;
    PreencherTrabalhador(reg, w);
    TVinculo& v = w.Vinculo();
    v.Gravados = gravados_.get();
    TInformacaoRescisao& r = v.Rescisao();
    const std::string chave = v.FiltroChave();
    OpcaoAtual = v.DataOpcao;
    DissidioAtual = r.DtDissidio;

    const std::optional<int> atual = gravados_->EstadoVinculo(v);
    if (!atual) {
        AvancoExtra = true;
        if (!w.Incluir()) {
            CodigoMensagem = w.CodigoMensagem.empty() ? "0250" : w.CodigoMensagem;
            return false;
        }
        return true;
    }
    // A link already registered takes the file's values; a closed link is opened again, since
    // the file is a new rescission declaration for it.
    const int estado = *atual;
    v.EstadoMovimento = estado == EstadoFechado ? EstadoRegistrado : estado;
    if (!w.Alterar(false)) {
        CodigoMensagem = w.CodigoMensagem;
        return false;
    }
    // What was read up front tells which of these rows exist: a statement that would touch
    // nothing is not sent (over a whole portfolio they were most of a re-import's time).
    if (gravados_->TemAlteracoes(v))
        Sessao().ExecutarSQL("DELETE FROM SFGTBG05_ALTERACAO_CADASTRAL WHERE " + chave);
    if (!gravados_->Competencias(v).empty())
        Sessao().ExecutarSQL("DELETE FROM SFGTBG07_COMPLEMENTO_SALDO WHERE " + chave);
    if (TInformacaoRescisao::OrigemLida(r.OrigemSaldo) == OrigemSaldoNenhum) {
        Sessao().ExecutarSQL("UPDATE SFGTBG06_INFORMACAO_RESCISAO SET VR_JAM_SALDO_RESCISORIO = 0 WHERE " + chave);
        // Without a live account the update leaves a balance of origin "N" as it is.
        if (gravados_->TemContas(v))
            AtualizarSaldosPorContas(Sessao(), v.FiltroChave("INFO"));
    }
    return true;
}

bool TArqFolha::GravarComplemento(const TRegFolha& reg)
{
    namespace C = CamposComplemento;
    TComplementoFolha& c = *complemento_;
    c.TipoInscricao = StrToInteiro(reg[C::TipoInscricao]);
    c.Inscricao = StrToInteiro64(reg[C::Inscricao]);
    c.Pis = StrToInteiro64(reg[C::Pis]);
    c.Categoria = StrToInteiro(reg[C::Categoria]);
    c.DataAdmissao = StrToData(reg[C::DataAdmissao], 0);
    c.DataOpcao = OpcaoAtual;
    c.NumeroComplemento = reg.Tipo - 42;
    for (int k = 0; k < C::Pares; ++k) {
        const std::string& comp = reg[C::Competencia(k)];
        if (StrToInteiro(comp) <= 0)
            continue;
        c.AnoCompetencia = comp.substr(0, 4);
        c.MesCompetencia = comp.substr(4, 2);
        c.ValorRemuneracao = LerValor15(reg[C::Remuneracao(k)]);
        if (!c.Incluir()) {
            CodigoMensagem = c.CodigoMensagem;
            conteudoFalha_ = c.MesCompetencia + "/" + c.AnoCompetencia;
            return false;
        }
    }
    return true;
}

bool TArqFolha::GravarLinha(std::size_t, const TRegFolha& reg)
{
    switch (reg.Tipo) {
    case 0: return GravarHeader(reg);
    case 10: return GravarEmpresa(reg);
    case 40: return GravarTrabalhador(reg);
    case 43:
    case 44:
    case 45: return GravarComplemento(reg);
    default: return true;
    }
}

bool TArqFolha::GravarArquivo()
{
    Etapa(EtapaIncluindo);
    empresasGravadas_.clear();
    conteudoFalha_.clear();
    CodigoMensagem.clear();
    std::size_t falhou = Linhas.size();
    std::size_t linha = 0;
    bool ok = true;
    {
        TTransacao transacao(Sessao());
        try {
            CarregarGravados();
            for (std::size_t i = 0; i < Linhas.size() && ok; ++i) {
                linha = i;
                if (Cancelou()) {
                    ok = false;
                    break;
                }
                AvancoExtra = false;
                TRegFolha reg;
                if (!LerRegFolha(Linhas[i], reg)) {
                    ok = false;
                    falhou = i;
                    break;
                }
                if (!GravarLinha(i, reg)) {
                    ok = false;
                    falhou = i;
                    break;
                }
                Avancar(AvancoExtra);
            }
            if (ok) {
                // Every link of the file's employers gets the sum of its complements; a link that
                // lost all of them must not keep the sum of complements that are gone.
                for (const auto& [tipo, numero] : empresasGravadas_)
                    Sessao().ExecutarSQL(
                        "UPDATE SFGTBG06_INFORMACAO_RESCISAO INFO SET VR_DEPOSITO_CMPLO_SALDO = (SELECT "
                        "SUM(CMPSAL.VR_DEPOSITO) FROM SFGTBG07_COMPLEMENTO_SALDO CMPSAL WHERE " +
                        SqlMesmaChave("CMPSAL", "INFO") + ") WHERE INFO.NU_TIPO_INSO_EMPRA = " + SqlNumero(tipo) +
                        " AND INFO.NU_INSCRICAO = " + SqlNumero(numero));
                transacao.Confirmar();
            } else {
                transacao.Desfazer();
            }
        } catch (const EMensagemNaoCadastrada&) {
            transacao.Desfazer();
            throw;
        } catch (const std::exception&) {
            // A database failure while writing: nothing of the file may stay.
            transacao.Desfazer();
            ok = false;
            falhou = linha;
        }
    }
    if (ok) {
        Etapa(EtapaIncluindo + EtapaConcluida);
        return true;
    }
    if (!Cancelou()) {
        const std::size_t i = falhou < Linhas.size() ? falhou : 0;
        if (CodigoMensagem == "0372")
            Registrar(i, conteudoFalha_, 372);
        else
            Registrar(i, "", 250);
    }
    return false;
}

} // namespace drav
