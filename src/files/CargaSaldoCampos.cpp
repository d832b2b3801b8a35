// The field checks of the balance file and the store of one account.
#include "files/CargaSaldo.h"

#include "core/Conversao.h"
#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "core/Verificacoes.h"
#include "model/AlteracaoCadastral.h"
#include "model/ChaveVinculo.h"
#include "model/ContaEmpregado.h"
#include "model/Empregado.h"
#include "model/Empresa.h"
#include "model/Responsavel.h"
#include "model/Vinculo.h"

namespace drav {

namespace {

bool SoZeros(const std::string& s) { return !s.empty() && s.find_first_not_of('0') == std::string::npos; }
bool SoBrancos(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

int Inteiro(const std::string& s) { return SoNumeros(s) ? StrToInteiro(s) : 0; }
int64_t Inteiro64(const std::string& s) { return SoNumeros(s) ? StrToInteiro64(s) : 0; }

// A date field read without recording anything (the check in its turn does): no date when blank,
// zeros or unreadable.
TDateTime DataSilenciosa(const std::string& campo)
{
    const std::string texto = DataArquivo(campo, false);
    if (!UltimoErro().empty())
        return NullDate;
    const TDateTime d = StrToData(texto, 0);
    return d == DataInvalida ? NullDate : d;
}

// A savepoint per account: a failed account takes back its own deletion and insert and nothing
// else of the load's transaction.
class PontoSalvamento {
public:
    PontoSalvamento(TDBUtils& sessao) : sessao_(sessao) { sessao_.ExecutarSQL("SAVEPOINT CARGA_SALDO_CONTA"); }
    ~PontoSalvamento()
    {
        if (aberto_) {
            try {
                sessao_.ExecutarSQL("ROLLBACK TO SAVEPOINT CARGA_SALDO_CONTA");
            } catch (...) {
                // The load's own transaction is rolled back by whoever is unwinding.
            }
        }
    }
    void Confirmar()
    {
        sessao_.ExecutarSQL("RELEASE SAVEPOINT CARGA_SALDO_CONTA");
        aberto_ = false;
    }
    void Desfazer()
    {
        aberto_ = false;
        sessao_.ExecutarSQL("ROLLBACK TO SAVEPOINT CARGA_SALDO_CONTA");
    }

private:
    TDBUtils& sessao_;
    bool aberto_ = true;
};

} // namespace

// --- header -------------------------------------------------------------------------------------------

bool TArqCargaSaldo::ValidarRegistroCabecalho(const TRegSaldo& reg, std::size_t i)
{
    namespace C = CamposCabecalhoSaldo;
    TResponsavel& r = *responsavel_;
    r.TipoInscricao = static_cast<uint8_t>(Inteiro(reg[C::TipoInscricao]));
    r.Inscricao = reg[C::Inscricao];
    r.RazaoSocial = AparaDireita(reg[C::Nome]);
    DataGravacao = DataSilenciosa(reg[C::DataGravacao]);
    IdentificadorSolicitacao = Aparar(reg[C::Identificador]);

    if (IdentificadorSolicitacao.empty() || SoZeros(IdentificadorSolicitacao))
        Registrar(i, reg[C::Identificador], 450);
    if (Digitos(i, reg[C::TipoRemessa], "Tipo Remessa: ") && StrToInteiro(reg[C::TipoRemessa]) != 3)
        Registrar(i, reg[C::TipoRemessa], 131);
    if (Digitos(i, reg[C::CodigoServico], "Código de Serviço: ") && StrToInteiro(reg[C::CodigoServico]) != 2)
        Registrar(i, reg[C::CodigoServico], 246);
    if (MaiusculasAscii(reg[C::Produto]) != "FGTS")
        Registrar(i, reg[C::Produto], 247);
    if (Digitos(i, reg[C::TipoInscricao], "Tipo Inscrição: ") && !r.ValidarTipoInscricao())
        Registrar(i, reg[C::TipoInscricao], r.CodigoMensagem);
    if (Digitos(i, reg[C::Inscricao], "Inscrição: ") && !r.ValidarInscricao())
        Registrar(i, reg[C::Inscricao], r.CodigoMensagem);
    Data(i, reg[C::DataGravacao], "Data Gravação Arquivo: ");
    if (!SoBrancos(reg[C::Brancos]))
        Registrar(i, reg[C::Brancos], 9);
    if (!SoZeros(reg[C::Zeros]))
        Registrar(i, reg[C::Zeros], 13);
    Digitos(i, reg[C::Sequencia], "Número Sequêncial: ");
    return LinhaValida;
}

// --- employer -----------------------------------------------------------------------------------------

bool TArqCargaSaldo::ValidarRegistroEmpresa(const TRegSaldo& reg, std::size_t i)
{
    namespace C = CamposEmpresaSaldo;
    TEmpresa& e = *empresa_;
    TContaSaldoTrabalhador& c = *conta_;
    e.TipoInscricao = static_cast<uint8_t>(Inteiro(reg[C::TipoInscricao]));
    e.Inscricao = reg[C::Inscricao];
    e.RazaoSocial = AparaDireita(reg[C::RazaoSocial]);
    const int situacao = Inteiro(reg[C::Situacao]);
    c.NumeroEmpresaQueld = Inteiro64(reg[C::NumeroEmpresaQueld]);
    c.DataCreditoJuros = DataSilenciosa(reg[C::DataCredito]);
    c.SituacaoContaEmpresa = situacao;

    if (Digitos(i, reg[C::TipoInscricao], "Tipo Inscrição: ") && !e.ValidarTipoInscricao())
        Registrar(i, reg[C::TipoInscricao], e.CodigoMensagem);
    if (Digitos(i, reg[C::Inscricao], "Inscrição: ") && !e.ValidarInscricao())
        Registrar(i, reg[C::Inscricao], e.CodigoMensagem);
    if (situacao != 0 && !e.RazaoSocial.empty())
        Registrar(i, e.RazaoSocial, 281);
    if (Digitos(i, reg[C::NumeroEmpresaQueld], "Número Empresa Queld: ") && situacao != 0 &&
        c.NumeroEmpresaQueld != 0)
        Registrar(i, reg[C::NumeroEmpresaQueld], 280);
    if (Data(i, reg[C::DataCredito], "Data Crédito: ") != DataInvalida && !c.ValidarDataCreditoJuros())
        Registrar(i, reg[C::DataCredito], c.CodigoMensagem);
    const TDateTime contabil = Data(i, reg[C::DataContabil], "Data Contábil: ");
    if (contabil != DataInvalida && contabil != NullDate) {
        if (situacao != 0)
            Registrar(i, reg[C::DataContabil], 347);
        else if (contabil < CodificarData(1967, 1, 1))
            Registrar(i, reg[C::DataContabil], 370);
    }
    if (Digitos(i, reg[C::Situacao], "Mensagem: ") && situacao > 3)
        Registrar(i, reg[C::Situacao], 248);
    if (!SoZeros(reg[C::Zeros]))
        Registrar(i, reg[C::Zeros], 13);
    Digitos(i, reg[C::Sequencia], "Número Sequêncial: ");

    if (LinhaValida && situacao != 0)
        ArquivoValido = false;
    if (situacao == 1)
        Registrar(i, "Ocorrência:", 439);
    else if (situacao == 2)
        Registrar(i, "Ocorrência:", 440);
    if (LinhaValida && situacao == 3) {
        // The bank holds no account of this employer: its open links keep none either.
        c.TipoInscricao = e.TipoInscricao;
        c.Inscricao = StrToInteiro64(e.Inscricao);
        if (!c.ExcluirContas(true, false, true))
            Registrar(i, "", c.CodigoMensagem.empty() ? std::string("0144") : c.CodigoMensagem);
    }
    return LinhaValida && (situacao == 0 || situacao == 3);
}

// --- account ------------------------------------------------------------------------------------------

bool TArqCargaSaldo::ValidarRegistroConta(const TRegSaldo& reg, std::size_t i)
{
    namespace C = CamposContaSaldo;
    TContaSaldoTrabalhador& c = *conta_;
    TVinculo& v = *vinculo_;
    TEmpresa& e = *empresa_;
    TEmpregado& w = *trabalhador_;
    c.TipoInscricao = Inteiro(reg[C::TipoInscricao]);
    c.Inscricao = Inteiro64(reg[C::Inscricao]);
    c.Pis = Inteiro64(reg[C::Pis]);
    c.Categoria = Inteiro(reg[C::Categoria]);
    c.DataAdmissao = DataSilenciosa(reg[C::DataAdmissao]);
    c.NumeroEmpregadoQueld = Inteiro64(reg[C::NumeroEmpregadoQueld]);
    c.Trabalhador().Nome = AparaDireita(reg[C::Nome]);
    c.SaldoRescisorio = static_cast<double>(Inteiro64(reg[C::Saldo])) / 100.0;
    c.SituacaoPis = Inteiro(reg[C::SituacaoPis]);
    c.SituacaoConta = Inteiro(reg[C::SituacaoConta]);
    const std::string& competencia = reg[C::MaiorCompetencia];
    c.AnoMaiorCompetencia = Inteiro(competencia.substr(0, 4));
    c.MesMaiorCompetencia = Inteiro(competencia.substr(4));
    c.DataGravacaoArquivo = DataGravacao;
    v.TipoInscricao = c.TipoInscricao;
    v.Inscricao = c.Inscricao;
    v.Pis = c.Pis;
    v.Categoria = c.Categoria;
    v.DataAdmissao = c.DataAdmissao;
    e.TipoInscricao = static_cast<uint8_t>(c.TipoInscricao);
    e.Inscricao = reg[C::Inscricao];

    if (Digitos(i, reg[C::TipoInscricao], "Tipo Inscrição: ") && !e.ValidarTipoInscricao())
        Registrar(i, reg[C::TipoInscricao], e.CodigoMensagem);
    if (Digitos(i, reg[C::Inscricao], "Inscrição: ") && !e.ValidarInscricao())
        Registrar(i, reg[C::Inscricao], e.CodigoMensagem);
    if (Digitos(i, reg[C::Categoria], "Categoria: ") && !v.ValidarCategoria(true))
        Registrar(i, reg[C::Categoria], v.CodigoMensagem);
    if (Digitos(i, reg[C::Pis], "PIS: ")) {
        w.Pis = reg[C::Pis];
        if (!w.ValidarPis())
            Registrar(i, reg[C::Pis], w.CodigoMensagem);
    }
    const TDateTime admissao = Data(i, reg[C::DataAdmissao], "Data Admissão: ");
    if (admissao != DataInvalida) {
        v.DataAdmissao = admissao;
        if (!v.ValidarDataAdmissao(false))
            Registrar(i, reg[C::DataAdmissao], v.CodigoMensagem);
    }
    if (Digitos(i, reg[C::NumeroEmpresaQueld], "Número Empresa Queld: ") && c.SituacaoConta == 3 &&
        Inteiro64(reg[C::NumeroEmpresaQueld]) != 0)
        Registrar(i, reg[C::NumeroEmpresaQueld], 215);
    if (Digitos(i, reg[C::NumeroEmpregadoQueld], "Número Empregado Queld: ") && !c.ValidarContaSituacao3())
        Registrar(i, reg[C::NumeroEmpregadoQueld], c.CodigoMensagem);
    if (Digitos(i, reg[C::SituacaoPis], "Situacao do PIS: ") && !c.ValidarSituacaoPis())
        Registrar(i, reg[C::SituacaoPis], c.CodigoMensagem);
    if (c.SituacaoConta == 3 && !c.Trabalhador().Nome.empty())
        Registrar(i, c.Trabalhador().Nome, 283);
    if (Digitos(i, reg[C::SituacaoConta], "Situacao da Conta: ") && !c.ValidarSituacaoConta())
        Registrar(i, reg[C::SituacaoConta], c.CodigoMensagem);
    if (Digitos(i, competencia, "Maior Competência: ") && !c.ValidarMaiorCompetencia())
        Registrar(i, competencia, c.CodigoMensagem);
    // The amount's characters were reported by the count of balances; the line is not stored.
    if (!SoNumeros(reg[C::Saldo]))
        LinhaValida = false;
    else if (!c.ValidarSaldoSituacao())
        Registrar(i, reg[C::Saldo], c.CodigoMensagem);
    if (!SoZeros(reg[C::Zeros]))
        Registrar(i, reg[C::Zeros], 13);
    Digitos(i, reg[C::Sequencia], "Número Sequêncial: ");

    if (!LinhaValida)
        return false;
    const bool gravou = GravarConta(i);
    if (gravou)
        AlgoGravado = true;
    return gravou;
}

bool TArqCargaSaldo::ContaRegular(TAlteracaoCadastral& alteracao)
{
    const TContaSaldoTrabalhador& c = *conta_;
    if (c.SituacaoConta != 0)
        return false;
    if (c.SituacaoPis == 1)
        return alteracao.NomeConfere(conta_->Trabalhador().Nome, c.Pis);
    if (c.SituacaoPis == 2)
        return !alteracao.NomeConfere(conta_->Trabalhador().Nome, c.Pis);
    return true;
}

void TArqCargaSaldo::ExcluirContasVinculo()
{
    const TContaSaldoTrabalhador& c = *conta_;
    Sessao().ExecutarSQL("DELETE FROM SFGTBG10_CONTA_EMPREGADO_FGTS CTAEPG WHERE " +
                         SqlChaveVinculo("CTAEPG", c.TipoInscricao, c.Inscricao, c.Pis, c.Categoria, c.DataAdmissao) +
                         " AND EXISTS (SELECT 1 FROM SFGTBG04_VINCULO_EMPREGATICIO VINC WHERE " +
                         SqlMesmaChave("VINC", "CTAEPG") + " AND COALESCE(VINC.IC_ESTADO_MOVIMENTO, 0) = 0)");
}

bool TArqCargaSaldo::GravarConta(std::size_t i)
{
    TContaSaldoTrabalhador& c = *conta_;
    TDadosConta dados;
    dados.TipoInscricao = c.TipoInscricao;
    dados.Inscricao = c.Inscricao;
    dados.Pis = c.Pis;
    dados.Categoria = c.Categoria;
    dados.DataAdmissao = c.DataAdmissao;
    dados.NumeroEmpregadoQueld = c.NumeroEmpregadoQueld;
    dados.Nome = c.Trabalhador().Nome;
    dados.SaldoRescisorio = c.SaldoRescisorio;
    dados.SituacaoPis = c.SituacaoPis;
    dados.SituacaoConta = c.SituacaoConta;
    dados.AnoMaiorCompetencia = c.AnoMaiorCompetencia;
    dados.MesMaiorCompetencia = c.MesMaiorCompetencia;
    dados.DataGravacaoArquivo = c.DataGravacaoArquivo;
    dados.SituacaoContaEmpresa = c.SituacaoContaEmpresa;
    dados.NumeroEmpresaQueld = c.NumeroEmpresaQueld;
    dados.DataCreditoJuros = c.DataCreditoJuros;

    auto q = Sessao().AbrirConsulta(
        "SELECT VINC.IC_ESTADO_MOVIMENTO, VINC.CO_MOVIMENTACAO, INFO.VR_DISSIDIO FROM SFGTBG04_VINCULO_EMPREGATICIO "
        "VINC LEFT JOIN SFGTBG06_INFORMACAO_RESCISAO INFO ON " + SqlMesmaChave("INFO", "VINC") + " WHERE " +
        SqlChaveVinculo("VINC", c.TipoInscricao, c.Inscricao, c.Pis, c.Categoria, c.DataAdmissao));
    if (q->IsEmpty()) {
        Registrar(i, Registros[i].Pis, 289);
        return false;
    }
    const int estado = q->FieldByName("IC_ESTADO_MOVIMENTO").AsInteger();
    if (estado != EstadoRegistrado) {
        // Closed, sent or paid: the user decides after the load.
        Pendentes.push_back({dados, ContaRegular(*alteracao_)});
        Pendente = true;
        return false;
    }
    // A balance does not apply to a link dismissed by movement I3 or with a dissídio amount.
    const bool atualizar = MaiusculasAscii(Aparar(q->FieldByName("CO_MOVIMENTACAO").AsString())) != "I3" &&
                           !(q->FieldByName("VR_DISSIDIO").AsFloat() > 0);

    PontoSalvamento ponto(Sessao());
    bool apagou = false;
    if (!ultimoValido_ || !ultimoVinculo_.MesmoVinculo(dados)) {
        // The first line of a link replaces what the link held.
        ExcluirContasVinculo();
        ultimoVinculo_ = dados;
        ultimoValido_ = true;
        apagou = true;
    }
    bool ok = c.Incluir(atualizar);
    std::string codigo = c.CodigoMensagem;
    bool alterou = false;
    TAlteracaoCadastral& a = *alteracao_;
    if (ok && c.SituacaoPis == 2 && !a.NomeConfere(dados.Nome, c.Pis)) {
        a.TipoInscricao = std::to_string(c.TipoInscricao);
        a.Inscricao = std::to_string(c.Inscricao);
        a.Pis = std::to_string(c.Pis);
        a.Categoria = std::to_string(c.Categoria);
        a.DataAdmissao = c.DataAdmissao;
        a.NumeroEmpresaQueld = std::to_string(c.NumeroEmpresaQueld);
        a.NumeroEmpregadoQueld = std::to_string(c.NumeroEmpregadoQueld);
        a.TipoAlteracao = AlteracaoNome;
        a.ConteudoAnterior = dados.Nome;
        a.Confirmacao = "N";
        ok = a.ExisteAlteracaoNome() ? a.Alterar() : a.Incluir();
        alterou = ok;
        if (!ok)
            codigo = "0144";
    }
    if (ok) {
        if (!ContaRegular(a))
            ArquivoValido = false;
        ponto.Confirmar();
        if (alterou)
            AtualizarArvore = true;
        return true;
    }
    ponto.Desfazer();
    // The old accounts came back with the rollback: the next line of this link deletes them again.
    if (apagou)
        ultimoValido_ = false;
    // An account that could not be stored is a finding like any other, never a silent gap.
    Registrar(i, Registros[i].Pis, codigo.empty() ? std::string("0144") : codigo);
    return false;
}

} // namespace drav
