#include "files/Participacao.h"

#include "calc/ComplementoSaldo.h"
#include "calc/Inconsistencia.h"
#include "calc/Indices.h"
#include "calc/ValidacaoVinculo.h"
#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/SqlLiterais.h"
#include "core/Utilitarios.h"
#include "core/Verificacoes.h"
#include "files/Arvore.h"
#include "model/ChaveVinculo.h"
#include "model/Empresa.h"
#include "model/InformacaoRescisao.h"
#include "model/Responsavel.h"
#include "model/Vinculo.h"

#include <cmath>
#include <memory>

namespace drav {

const char* const TParticipacao::kTextoNaoModificavel = "O item selecionado não pode ser modificado.";

namespace {

const char* const kPrefixo = "FE";
const char* const kPerguntaRetirada = "Confirma a retirada da participação de movimento?";

bool MesmoValor(double a, double b) { return std::llround(a * 100) == std::llround(b * 100); }

// The worker accounts of a link as the participation checks read them. Situation 3 means the
// bank found no account; PIS situation 2 means the bank holds another name for the worker, and
// such an account's balance is not part of the link's balance for rescission purposes.
class TContasDoVinculo {
public:
    TContasDoVinculo(TDBUtils& s, const TRecArvore& e)
        : s_(s), filtro_(SqlChaveVinculo("", e.TipoInscricao, e.Inscricao, e.Pis, e.Categoria, e.DataAdmissao))
    {
    }
    TContasDoVinculo(TDBUtils& s, const TVinculo& v) : s_(s), filtro_(v.FiltroChave()) {}

    // Recording date of the bank's balance file of the link's first account; NullDate without one.
    bool Existem(TDateTime& gravacao) const
    {
        auto r = s_.AbrirConsulta("SELECT DT_GRAVACAO_ARQUIVO FROM SFGTBG10_CONTA_EMPREGADO_FGTS WHERE " + filtro_ +
                                  " AND NU_SITUACAO_CONTA_EMPREGADO IN (0, 1, 2, 3) ORDER BY NU_EMPREGADO_QUELD");
        if (r->IsEmpty())
            return false;
        gravacao = r->Field(0).AsDateTime();
        return true;
    }
    bool ExistemPisSituacao2() const
    {
        return !s_.AbrirConsulta("SELECT NU_PIS FROM SFGTBG10_CONTA_EMPREGADO_FGTS WHERE " + filtro_ +
                                 " AND NU_SITUACAO_PIS = 2 AND VR_SALDO_RESCISORIO > 0")
                    ->IsEmpty();
    }
    // Every account's balance as the bank reported it.
    double SomaSaldos() const
    {
        auto r = s_.AbrirConsulta("SELECT SUM(VR_SALDO_RESCISORIO) AS SOMA FROM SFGTBG10_CONTA_EMPREGADO_FGTS WHERE " +
                                  filtro_);
        return r->IsEmpty() ? 0.0 : r->Field(0).AsFloat();
    }

private:
    TDBUtils& s_;
    std::string filtro_;
};

std::unique_ptr<TVinculo> CarregarVinculo(TDBUtils& s, const TRecArvore& e)
{
    auto v = std::make_unique<TVinculo>(s);
    if (!v->BuscarVinculo(e.TipoInscricao, e.Categoria, e.DataAdmissao, e.Pis, e.Inscricao)) {
        if (!v->CodigoMensagem.empty())
            throw EBancoDados("Falha ao consultar o vínculo do PIS " + std::to_string(e.Pis));
        throw ENegocio("Vínculo do PIS " + std::to_string(e.Pis) + " não encontrado na base de dados.");
    }
    return v;
}

bool OrigemContasOuNenhuma(const TInformacaoRescisao& r)
{
    const std::string o = TInformacaoRescisao::OrigemLida(r.OrigemSaldo);
    return o == OrigemSaldoContas || o == OrigemSaldoNenhum;
}

} // namespace

// --- the installed modules -------------------------------------------------------------------------

std::string TValidacaoCadastrosBanco::ValidarCadastros(TVinculo& v)
{
    TValidacaoVinculo validacao(sessao_);
    validacao.Registrar = false;
    return validacao.ValidarVinculo(v.TipoInscricao, v.Inscricao, v.Pis, v.Categoria, v.DataAdmissao).Codigo;
}

void TComplementosSaldoBanco::RecalcularComplementosAbertos(int tipoInscricao, int64_t pis, int64_t inscricao)
{
    TTabelasIndicesBanco tabelas(sessao_);
    TComplementoSaldo complemento(sessao_, tabelas, dataEdital_);
    if (!complemento.RecalcularComplementosAbertos(tipoInscricao, pis, inscricao) &&
        complemento.CodigoMensagem == "0144")
        throw EBancoDados("Não foi possível recalcular os complementos de saldo.");
}

void TComplementosSaldoBanco::AtualizarDepositosRescisao(int tipoInscricao, int categoria, TDateTime admissao,
                                                         int64_t pis, int64_t inscricao)
{
    TTabelasIndicesBanco tabelas(sessao_);
    TComplementoSaldo complemento(sessao_, tabelas, dataEdital_);
    if (!complemento.AtualizarDepositosRescisao(tipoInscricao, categoria, admissao, pis, inscricao))
        throw EBancoDados("Não foi possível atualizar os depósitos dos complementos de saldo.");
}

TParticipacao::TParticipacao(TArvore& arvore, TMensagens& mensagens) : arvore_(arvore), mensagens_(mensagens) {}

void TParticipacao::UsarModulosInstalados(const TDateTime& dataEdital)
{
    validacaoPropria_ = std::make_unique<TValidacaoCadastrosBanco>(Sessao());
    complementosProprios_ = std::make_unique<TComplementosSaldoBanco>(Sessao(), dataEdital);
    Validacao = validacaoPropria_.get();
    Complementos = complementosProprios_.get();
}

// --- warnings and validation ---------------------------------------------------------------------

std::string TParticipacao::VerificarContas(int indice, int escopo)
{
    if (escopo == ContasTodos) {
        for (int i = 1; i < arvore_.TotalNos(); ++i) {
            const TRecArvore& e = arvore_.Registro(i);
            if (e.Estado == 2 || e.Estado == 3)
                continue;
            if ((e.EhEmpresa() || e.EhVinculo()) && e.SituacaoConta == 3)
                return "0416";
        }
        return {};
    }
    const TRecArvore& e = arvore_.Registro(indice);
    if (escopo == ContasEmpresa) {
        if (e.SituacaoConta == 3)
            return "0415";
        if (e.SituacaoConta != 0)
            return {};
        // Closed links are not marked again, so they are passed over rather than ending the walk.
        for (int i = indice + 1; i < arvore_.TotalNos() && !arvore_.Registro(i).EhEmpresa(); ++i) {
            const TRecArvore& v = arvore_.Registro(i);
            if (v.EhVinculo() && v.Estado != 2 && v.Estado != 3 && v.SituacaoConta == 3)
                return "0417";
        }
        return {};
    }
    if (e.SituacaoConta == 3)
        return "0418";
    auto v = CarregarVinculo(Sessao(), e);
    TInformacaoRescisao& r = v->Rescisao();
    if (r.VrDissidio > 0 || MaiusculasAscii(Aparar(v->Movimentacao)) == "I3")
        return {};
    const TContasDoVinculo contas(Sessao(), e);
    if (OrigemContasOuNenhuma(r) && contas.ExistemPisSituacao2() && !MesmoValor(r.VrSaldoRescisorio, contas.SomaSaldos()))
        return "0435";
    return {};
}

void TParticipacao::Falhar(int modo, const std::string& codigo, TVinculo& vinculo, const TResponsavel* responsavel)
{
    if (modo == ValidacaoMostrar) {
        mensagens_.Mensagem(kPrefixo + codigo, mtInformation, Botoes::OK, mbOK);
        return;
    }
    const int indice = arvore_.LocalizarVinculo(vinculo.TipoInscricao, vinculo.Categoria, NoVinculo,
                                                vinculo.DataAdmissao, vinculo.Pis, vinculo.Inscricao);
    std::string nome = indice >= 0 ? arvore_.NomeTrabalhador(indice) : std::string();
    if (nome.empty()) {
        auto r = Sessao().AbrirConsulta("SELECT NO_EMPREGADO FROM SFGTBG03_EMPREGADO WHERE NU_PIS = " +
                                        std::to_string(vinculo.Pis));
        nome = r->IsEmpty() ? std::string() : MaiusculasAscii(Aparar(r->Field(0).AsString()));
    }
    TInconsistencia registro(Sessao());
    const bool gravado = registro.RegistrarFechamento(
        codigo, responsavel ? std::to_string(responsavel->TipoInscricao) : std::string(), nome,
        FormatarDataHora("ddmmyyyy", vinculo.DataAdmissao), std::to_string(vinculo.Categoria),
        std::to_string(vinculo.Pis), vinculo.Empresa().RazaoSocial, std::to_string(vinculo.Inscricao),
        std::to_string(vinculo.TipoInscricao), responsavel ? responsavel->RazaoSocial : std::string(),
        responsavel ? responsavel->Inscricao : std::string());
    // A failure nobody can read later must not pass for a marking that merely left a link out.
    if (!gravado)
        throw ENegocio("Não foi possível registrar a inconsistência " + codigo + " do PIS " +
                       std::to_string(vinculo.Pis) + ": " +
                       (registro.ErroGravacao.empty() ? registro.CodigoMensagem : registro.ErroGravacao));
}

bool TParticipacao::ValidarParticipacao(int modo, TVinculo& v, const std::string& origem,
                                        const TResponsavel* responsavel)
{
    if (v.Inconsistente && Validacao) {
        std::string codigo = Validacao->ValidarCadastros(v);
        if (!codigo.empty()) {
            // Some checks leave two-digit codes; messages are looked up by four.
            if (SoNumeros(codigo) && codigo.size() < 4)
                codigo = CompletarZeros(codigo, 4);
            // The validation may have put a marked link back to 0: the register follows.
            const int indice =
                arvore_.LocalizarVinculo(v.TipoInscricao, v.Categoria, NoVinculo, v.DataAdmissao, v.Pis, v.Inscricao);
            if (indice >= 0) {
                auto r = Sessao().AbrirConsulta("SELECT COALESCE(IC_ESTADO_MOVIMENTO, 0) FROM "
                                                "SFGTBG04_VINCULO_EMPREGATICIO WHERE " + v.FiltroChave());
                if (!r->IsEmpty() && r->Field(0).AsInteger() != arvore_.Registro(indice).Estado)
                    arvore_.DefinirEstadoRegistro(indice, r->Field(0).AsInteger());
            }
            Falhar(modo, codigo, v, responsavel);
            return false;
        }
    }
    const TDateTime pagamento = arvore_.DataPagamento();
    if (pagamento == NullDate) {
        Falhar(modo, "0062", v, responsavel);
        return false;
    }
    bool ok = true;
    // In mode 1 the first failure ends the checks; in mode 2 every failure is recorded.
    auto falha = [&](const std::string& codigo) {
        Falhar(modo, codigo, v, responsavel);
        ok = false;
        return modo == ValidacaoMostrar;
    };
    const TDateTime dia = SomenteData(pagamento);
    if (arvore_.LocalizarVinculo(v.TipoInscricao, v.Categoria, NoAlteracao, v.DataAdmissao, v.Pis, v.Inscricao) >= 0 &&
        falha("0139"))
        return false;
    TInformacaoRescisao& r = v.Rescisao();
    if (!r.ValidarTotalRemuneracoes() && falha(r.CodigoMensagem))
        return false;
    if (v.DataAdmissao != NullDate && dia < SomenteData(v.DataAdmissao) && falha("0141"))
        return false;
    if (!(r.VrDissidio > 0) && MaiusculasAscii(Aparar(v.Movimentacao)) != "I3" && OrigemContasOuNenhuma(r)) {
        const TContasDoVinculo contas(Sessao(), v);
        TDateTime gravacao = NullDate;
        if (contas.Existem(gravacao) && gravacao != NullDate &&
            std::fabs(std::trunc(dia - SomenteData(gravacao))) > 15 && falha("0142"))
            return false;
        if ((origem == "PARTICIPAR_RESP" || origem == "PARTICIPAR_EMPRESA") && v.EstadoMovimento == 0 &&
            contas.ExistemPisSituacao2() && !MesmoValor(r.VrSaldoRescisorio, contas.SomaSaldos()) && falha("0454"))
            return false;
    }
    if (v.DataMovimentacao != NullDate && dia + 30 < SomenteData(v.DataMovimentacao) && falha("0223"))
        return false;
    if (r.DtDissidio != NullDate && r.DtDissidio > 0 && SomenteData(r.DtDissidio) > dia && falha("0420"))
        return false;
    return ok;
}

// --- marking -------------------------------------------------------------------------------------

bool TParticipacao::MarcarVinculo(int indice, bool prosseguir)
{
    if (!prosseguir)
        return false;
    const TRecArvore& e = arvore_.Registro(indice);
    // A closed link or one whose guide came back processed is never marked again.
    if (!e.EhVinculo() || e.Estado == 2 || e.Estado == 3)
        return false;
    auto v = CarregarVinculo(Sessao(), e);
    if (!ValidarParticipacao(ValidacaoMostrar, *v, "PARTICIPAR"))
        return false;
    arvore_.GravarEstadoVinculo(e.TipoInscricao, 1, e.DataAdmissao, e.Categoria, e.Pis, e.Inscricao);
    arvore_.MarcarRegistro(indice);
    return true;
}

bool TParticipacao::ValidarEMarcar(int indice, const std::string& origem)
{
    const TRecArvore& e = arvore_.Registro(indice);
    auto v = CarregarVinculo(Sessao(), e);
    if (!ValidarParticipacao(ValidacaoRegistrar, *v, origem))
        return false;
    arvore_.GravarEstadoVinculo(e.TipoInscricao, 1, e.DataAdmissao, e.Categoria, e.Pis, e.Inscricao);
    arvore_.MarcarRegistro(indice);
    return true;
}

bool TParticipacao::MarcarEmpresa(int indice, bool incluirSituacao3)
{
    bool semFalhas = true;
    for (int i = indice + 1; i < arvore_.TotalNos() && !arvore_.Registro(i).EhEmpresa(); ++i) {
        const TRecArvore& e = arvore_.Registro(i);
        if (!e.EhVinculo() || e.Estado == 2 || e.Estado == 3 || (e.SituacaoConta == 3 && !incluirSituacao3))
            continue;
        if (!ValidarEMarcar(i, "PARTICIPAR_EMPRESA"))
            semFalhas = false;
    }
    return semFalhas;
}

bool TParticipacao::MarcarTodos(bool incluirSituacao3)
{
    bool semFalhas = true;
    for (int i = 1; i < arvore_.TotalNos(); ++i) {
        const TRecArvore& e = arvore_.Registro(i);
        if (!e.EhVinculo() || e.Estado == 2 || e.Estado == 3 || (e.SituacaoConta == 3 && !incluirSituacao3))
            continue;
        if (!ValidarEMarcar(i, "PARTICIPAR_RESP"))
            semFalhas = false;
    }
    return semFalhas;
}

void TParticipacao::ExcluirInconsistencias(int numeroArquivo)
{
    TInconsistencia registro(Sessao());
    registro.NumeroArquivo = numeroArquivo;
    if (!registro.ExcluirPorArquivo())
        throw EBancoDados("Não foi possível excluir as inconsistências anteriores: " + registro.ErroGravacao);
}

// --- commands --------------------------------------------------------------------------------------

bool TParticipacao::NaoModificavel(int indice) const
{
    const TRecArvore& e = arvore_.Registro(indice);
    if (e.EhVinculo())
        return e.Estado == 2 || e.Estado == 3;
    return indice > 0 && e.EhEmpresa() && e.Estado == 2;
}

void TParticipacao::AvisarNaoModificavel()
{
    DialogoMensagem d;
    d.tipo = mtInformation;
    d.botoes = Botoes::OK;
    d.botaoPadrao = mbOK;
    d.titulo = kTituloAplicacao;
    d.texto = kTextoNaoModificavel;
    mensagens_.Apresentador().Mostrar(d);
}

bool TParticipacao::Perguntar(const std::string& codigo)
{
    return mensagens_.Mensagem(codigo, mtConfirmation, Botoes::SimNao, mbYes) == mrYes;
}

bool TParticipacao::Marcar(int indice)
{
    const int nivel = arvore_.Nivel(indice);
    if (nivel == 3)
        return false;
    if (NaoModificavel(indice)) {
        AvisarNaoModificavel();
        return false;
    }
    if (arvore_.DataPagamento() == NullDate) {
        mensagens_.Mensagem(std::string(kPrefixo) + "0062", nivel == 0 ? mtInformation : mtError, Botoes::OK, mbOK);
        return false;
    }
    if (nivel == 2) {
        const std::string aviso = VerificarContas(indice, ContasVinculo);
        return MarcarVinculo(indice, aviso.empty() || Perguntar(kPrefixo + aviso));
    }
    ExcluirInconsistencias(InconsistenciaFechamento);
    const std::string aviso = VerificarContas(indice, nivel == 0 ? ContasTodos : ContasEmpresa);
    const bool incluirSituacao3 = aviso.empty() || Perguntar(kPrefixo + aviso);
    const int antes = arvore_.ContarPorEstado({1}, false);
    const bool semFalhas = nivel == 0 ? MarcarTodos(incluirSituacao3) : MarcarEmpresa(indice, incluirSituacao3);
    if (!semFalhas) {
        if (Perguntar(std::string(kPrefixo) + "0224") && MostrarInconsistencias)
            MostrarInconsistencias();
        else
            mensagens_.Mensagem(std::string(kPrefixo) + "0400", mtInformation, Botoes::OK, mbOK);
    }
    return arvore_.ContarPorEstado({1}, false) != antes;
}

bool TParticipacao::Desmarcar(int indice)
{
    const int nivel = arvore_.Nivel(indice);
    if (nivel == 3)
        return false;
    if (nivel == 0) {
        bool mudou = false;
        for (int i = 1; i < arvore_.TotalNos(); ++i) {
            if (arvore_.Registro(i).EhEmpresa() && arvore_.Registro(i).Estado == 1) {
                arvore_.DesmarcarEmpresa(i, {1});
                mudou = true;
            }
        }
        return mudou;
    }
    if (NaoModificavel(indice)) {
        AvisarNaoModificavel();
        return false;
    }
    if (nivel == 1) {
        const bool havia = arvore_.ContarVinculosPorEstado(indice, {1}) > 0;
        arvore_.DesmarcarEmpresa(indice, {1});
        return havia;
    }
    const bool havia = arvore_.Registro(indice).Estado == 1;
    arvore_.DesmarcarVinculo(indice);
    return havia;
}

bool TParticipacao::RetirarFechamento(int indice)
{
    const int nivel = arvore_.Nivel(indice);
    if (nivel == 3)
        return false;
    // Only a closing can be withdrawn: without a closed or processed link in reach nothing is
    // asked, and no registration change is deleted.
    const bool haFechados = nivel == 0   ? arvore_.ContarPorEstado({2, 3}, true) > 0
                            : nivel == 1 ? arvore_.ContarVinculosPorEstado(indice, {2, 3}) > 0
                                         : arvore_.Registro(indice).Estado >= 2;
    if (!haFechados)
        return false;
    if (mensagens_.MensagemParametros("0000", mtConfirmation, Botoes::SimNao, {}, mbNo, kPerguntaRetirada) != mrYes)
        return false;
    TTransacao transacao(Sessao());
    try {
        PassosRetirada(indice);
        transacao.Confirmar();
    } catch (...) {
        transacao.Desfazer();
        // The register went ahead of the rolled-back database: show what it really holds.
        try {
            arvore_.RelerEstados();
        } catch (const std::exception&) {
            // The first failure is the one to report.
        }
        throw;
    }
    // The registration changes of the reopened links are gone: so are their nodes.
    if (nivel == 0)
        arvore_.ExcluirAlteracoes(-1);
    else if (nivel == 2)
        arvore_.ExcluirAlteracoes(indice);
    else {
        for (int i = arvore_.TotalNos() - 1; i > indice; --i)
            if (arvore_.EmpresaDoRegistro(i) == indice && arvore_.Registro(i).EhVinculo())
                arvore_.ExcluirAlteracoes(i);
    }
    return true;
}

void TParticipacao::PassosRetirada(int indice)
{
    const TRecArvore e = arvore_.Registro(indice);
    const int nivel = arvore_.Nivel(indice);
    TRescisao rescisao(Sessao());
    auto limpar = [&](int tipo, int categoria, TDateTime admissao, int64_t pis, int64_t inscricao) {
        if (!rescisao.LimparCalculo(tipo, categoria, admissao, pis, inscricao))
            throw EBancoDados("Não foi possível limpar o cálculo dos vínculos fechados.");
    };
    std::string alteracoes = "DELETE FROM SFGTBG05_ALTERACAO_CADASTRAL";
    if (nivel == 0) {
        limpar(-1, 0, NullDate, -1, -1);
        // The complements are recomputed after the reset, so they cover the reopened links too,
        // as they do for one employer or one link.
        arvore_.DesmarcarTodos({2, 3});
        if (Complementos) {
            Complementos->RecalcularComplementosAbertos(-1, -1, -1);
            Complementos->AtualizarDepositosRescisao(-1, -1, NullDate, -1, -1);
        }
    } else if (nivel == 1) {
        limpar(e.TipoInscricao, 0, NullDate, -1, e.Inscricao);
        arvore_.DesmarcarEmpresa(indice, {2, 3});
        arvore_.AtualizarImagemEmpresa(indice);
        if (Complementos) {
            Complementos->RecalcularComplementosAbertos(e.TipoInscricao, -1, e.Inscricao);
            Complementos->AtualizarDepositosRescisao(e.TipoInscricao, -1, NullDate, -1, e.Inscricao);
        }
        alteracoes += " WHERE NU_TIPO_INSO_EMPRA = " + std::to_string(e.TipoInscricao) +
                      " AND NU_INSCRICAO = " + std::to_string(e.Inscricao);
    } else {
        limpar(e.TipoInscricao, e.Categoria, e.DataAdmissao, e.Pis, e.Inscricao);
        arvore_.DesmarcarVinculo(indice);
        if (Complementos) {
            Complementos->RecalcularComplementosAbertos(e.TipoInscricao, e.Pis, e.Inscricao);
            Complementos->AtualizarDepositosRescisao(e.TipoInscricao, e.Categoria, e.DataAdmissao, e.Pis,
                                                     e.Inscricao);
        }
        alteracoes += " WHERE " + SqlChaveVinculo("", e.TipoInscricao, e.Inscricao, e.Pis, e.Categoria, e.DataAdmissao);
    }
    Sessao().ExecutarSQL(alteracoes);
}

TDBUtils& TParticipacao::Sessao() const { return arvore_.Sessao(); }

// --- opening the collection ------------------------------------------------------------------------

TResultadoAbertura AbrirRecolhimento(TArvore& arvore, TDateTime data, TDateTime dataEdital)
{
    TResultadoAbertura r;
    TDBUtils& s = arvore.Sessao();
    if (DataValida(data) == 1) {
        r.Codigo = "0063";
        return r;
    }
    if (!(data > 0)) {
        r.Codigo = std::string(kPrefixo) + "0062";
        r.Tipo = mtInformation;
        return r;
    }
    const TDateTime dia = SomenteData(data);
    if (s.AbrirConsulta("SELECT DT_RECOLHIMENTO_PRORATA FROM SFGTBT18_INDICE_PRORATA WHERE DT_RECOLHIMENTO_PRORATA = " +
                        SqlData(dia))
            ->IsEmpty()) {
        // A business day inside the window that still has no indices is refused with the window's
        // text as well: a date refused without a word would look saved.
        const bool noPeriodo = NoPeriodoProrata(s, dia);
        r.Codigo = noPeriodo && !EhDiaUtil(s, dia) ? "0397" : "0201";
        if (r.Codigo == "0201")
            r.Argumento = TextoPeriodoProrata(dataEdital, true);
        return r;
    }
    TResponsavel responsavel(s);
    responsavel.ConsultarResponsavel();
    if (responsavel.Vazio())
        throw ENegocio("Não existe responsável cadastrado.");
    responsavel.DataPagamento = dia;
    if (!responsavel.GravarDataPagamento()) {
        r.Codigo = std::string(kPrefixo) + responsavel.CodigoMensagem;
        return r;
    }
    arvore.DefinirDataPagamento(dia);
    r.Aberta = true;
    return r;
}

} // namespace drav
