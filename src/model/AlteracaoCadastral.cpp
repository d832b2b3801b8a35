#include "model/AlteracaoCadastral.h"

#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Mensagens.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"
#include "model/ChaveVinculo.h"
#include "model/Empregado.h"

namespace drav {

namespace {

std::string Numero(const std::string& texto) { return SqlNumeroTexto(texto); }

// The five link conditions in the order the name-change resolution writes them.
std::string FiltroResolucao(int16_t tipo, int16_t categoria, TDateTime admissao, int64_t pis, int64_t inscricao)
{
    return " WHERE NU_PIS = " + SqlNumero(pis) + " AND NU_TIPO_INSO_EMPRA = " + SqlNumero(tipo) +
           " AND NU_INSCRICAO = " + SqlNumero(inscricao) + " AND NU_CATEGORIA = " + SqlNumero(categoria) +
           " AND DT_ADMISSAO_VINCULO = " + SqlData(admissao);
}

} // namespace

TAlteracaoCadastral::TAlteracaoCadastral(TDBUtils& sessao) : TNegocio(sessao)
{
    Inicializar();
}

TAlteracaoCadastral::~TAlteracaoCadastral() = default;

void TAlteracaoCadastral::Inicializar()
{
    Confirmacao.clear();
    Pis.clear();
    ConteudoAnterior.clear();
    Inscricao.clear();
    TipoAlteracao.clear();
    Categoria.clear();
    TipoInscricao.clear();
    DataAdmissao = NullDate;
    NumeroEmpregadoQueld.clear();
    NumeroEmpresaQueld.clear();
    SqlSelect = "SELECT ALTCAD.NU_TIPO_INSO_EMPRA, ALTCAD.NU_INSCRICAO, ALTCAD.NU_PIS, ALTCAD.NU_CATEGORIA, "
                "ALTCAD.DT_ADMISSAO_VINCULO, ALTCAD.NU_TIPO_ALTERACAO, ALTCAD.DE_CONTEUDO_ANTERIOR, "
                "ALTCAD.IC_CONFIRMACAO, ALTCAD.NU_EMPRESA_QUELD_ALT_CADASTRAL, ALTCAD.NU_EMPREGADO_QUELD_ALT_CDSTL ";
    SqlFrom = "FROM SFGTBG05_ALTERACAO_CADASTRAL ALTCAD ";
}

void TAlteracaoCadastral::Limpar() { trabalhador_.reset(); }

void TAlteracaoCadastral::CarregarCampos()
{
    TNegocio::CarregarCampos();
    TipoInscricao = Campo("NU_TIPO_INSO_EMPRA").AsString();
    Inscricao = Campo("NU_INSCRICAO").AsString();
    Pis = Campo("NU_PIS").AsString();
    Categoria = Campo("NU_CATEGORIA").AsString();
    DataAdmissao = Campo("DT_ADMISSAO_VINCULO").AsDateTime();
    TipoAlteracao = Campo("NU_TIPO_ALTERACAO").AsString();
    ConteudoAnterior = Campo("DE_CONTEUDO_ANTERIOR").AsString();
    Confirmacao = Campo("IC_CONFIRMACAO").AsString();
    NumeroEmpresaQueld = Campo("NU_EMPRESA_QUELD_ALT_CADASTRAL").AsString();
    NumeroEmpregadoQueld = Campo("NU_EMPREGADO_QUELD_ALT_CDSTL").AsString();
}

TTrabalhador& TAlteracaoCadastral::Trabalhador()
{
    if (!trabalhador_) {
        trabalhador_ = std::make_unique<TTrabalhador>(Sessao());
        if (CarregaRelacionados)
            trabalhador_->ConsultarPorPis(Pis);
    }
    return *trabalhador_;
}

std::string TAlteracaoCadastral::ChaveSql() const
{
    return "NU_TIPO_INSO_EMPRA = " + Numero(TipoInscricao) + " AND NU_INSCRICAO = " + Numero(Inscricao) +
           " AND NU_PIS = " + Numero(Pis) + " AND NU_CATEGORIA = " + Numero(Categoria) +
           " AND DT_ADMISSAO_VINCULO = " + SqlData(DataAdmissao);
}

bool TAlteracaoCadastral::ListarTodas()
{
    AbrirConsulta("ORDER BY ALTCAD.NU_TIPO_INSO_EMPRA, ALTCAD.NU_INSCRICAO, ALTCAD.NU_PIS, ALTCAD.NU_CATEGORIA, "
                  "ALTCAD.DT_ADMISSAO_VINCULO, ALTCAD.NU_TIPO_ALTERACAO, ALTCAD.NU_EMPREGADO_QUELD_ALT_CDSTL");
    return TemRegistros();
}

bool TAlteracaoCadastral::Incluir()
{
    try {
        Sessao().ExecutarSQL(
            "INSERT INTO SFGTBG05_ALTERACAO_CADASTRAL (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
            "DT_ADMISSAO_VINCULO, NU_TIPO_ALTERACAO, DE_CONTEUDO_ANTERIOR, IC_CONFIRMACAO, "
            "NU_EMPRESA_QUELD_ALT_CADASTRAL, NU_EMPREGADO_QUELD_ALT_CDSTL) VALUES (" +
            Numero(TipoInscricao) + ", " + Numero(Inscricao) + ", " + Numero(Pis) + ", " + Numero(Categoria) + ", " +
            SqlData(DataAdmissao) + ", " + Numero(TipoAlteracao) + ", " + SqlTexto(ConteudoAnterior) + ", " +
            SqlTexto(Confirmacao) + ", " + Numero(NumeroEmpresaQueld) + ", " + Numero(NumeroEmpregadoQueld) + ")");
    } catch (const EDrav&) {
        return false;
    }
    return true;
}

bool TAlteracaoCadastral::Alterar()
{
    try {
        Sessao().ExecutarSQL("UPDATE SFGTBG05_ALTERACAO_CADASTRAL SET DE_CONTEUDO_ANTERIOR = " +
                             SqlTexto(ConteudoAnterior) + ", IC_CONFIRMACAO = " + SqlTexto(Confirmacao) +
                             ", NU_EMPRESA_QUELD_ALT_CADASTRAL = " + Numero(NumeroEmpresaQueld) +
                             ", NU_EMPREGADO_QUELD_ALT_CDSTL = " + Numero(NumeroEmpregadoQueld) + " WHERE " +
                             ChaveSql() + " AND NU_TIPO_ALTERACAO = " + Numero(TipoAlteracao) +
                             " AND NU_EMPREGADO_QUELD_ALT_CDSTL = " + Numero(NumeroEmpregadoQueld));
    } catch (const EDrav&) {
        return false;
    }
    return true;
}

bool TAlteracaoCadastral::Excluir(bool todas)
{
    std::string sql = "DELETE FROM SFGTBG05_ALTERACAO_CADASTRAL ";
    if (!todas) {
        sql += "WHERE NU_TIPO_INSO_EMPRA = " + Numero(TipoInscricao) + " AND NU_INSCRICAO = " + Numero(Inscricao);
        if (!Aparar(Pis).empty())
            sql += " AND NU_PIS = " + Numero(Pis);
        if (!Aparar(Categoria).empty())
            sql += " AND NU_CATEGORIA = " + Numero(Categoria);
        if (DataAdmissao > 0)
            sql += " AND DT_ADMISSAO_VINCULO = " + SqlData(DataAdmissao);
        if (!Aparar(TipoAlteracao).empty())
            sql += " AND NU_TIPO_ALTERACAO = " + Numero(TipoAlteracao);
    }
    try {
        Sessao().ExecutarSQL(sql);
    } catch (const EDrav&) {
        return false;
    }
    return true;
}

bool TAlteracaoCadastral::ExisteAlteracaoNome()
{
    std::string sql = "SELECT NU_TIPO_INSO_EMPRA FROM SFGTBG05_ALTERACAO_CADASTRAL WHERE " + ChaveSql() +
                      " AND NU_TIPO_ALTERACAO = " + AlteracaoNome;
    if (!NumeroEmpregadoQueld.empty())
        sql += " AND NU_EMPREGADO_QUELD_ALT_CDSTL = " + Numero(NumeroEmpregadoQueld);
    return !Sessao().AbrirConsulta(sql)->IsEmpty();
}

bool TAlteracaoCadastral::NomeConfere(const std::string& nome, int64_t pis)
{
    auto r = Sessao().AbrirConsulta("SELECT NO_EMPREGADO FROM SFGTBG03_EMPREGADO WHERE NU_PIS = " + SqlNumero(pis));
    const std::string registrado = r->IsEmpty() ? std::string() : r->FieldByName("NO_EMPREGADO").AsString();
    return MaiusculasAscii(nome) == MaiusculasAscii(registrado);
}

void TAlteracaoCadastral::ResolverAlteracaoNome(int16_t tipoInscricao, int16_t categoria, char decisao,
                                                const std::string& nome, TDateTime admissao, int64_t pis,
                                                int64_t inscricao)
{
    const std::string f = FiltroResolucao(tipoInscricao, categoria, admissao, pis, inscricao);
    TDBUtils& s = Sessao();
    if (decisao == 'N') {
        // SFGTBG03 holds one row per PIS: the worker takes the bank's name on all of its links,
        // while only this link's changes go.
        s.ExecutarSQL("UPDATE SFGTBG03_EMPREGADO SET NO_EMPREGADO = " + SqlTexto(nome) + " WHERE NU_PIS = " +
                      SqlNumero(pis));
        s.ExecutarSQL("DELETE FROM SFGTBG05_ALTERACAO_CADASTRAL" + f);
        return;
    }
    auto conta = s.AbrirConsulta("SELECT NU_EMPREGADO_QUELD FROM SFGTBG10_CONTA_EMPREGADO_FGTS" + f +
                                 " AND NO_EMPREGADO = " + SqlTexto(nome));
    const int64_t numero = conta->IsEmpty() ? 0 : conta->FieldByName("NU_EMPREGADO_QUELD").AsInt64();
    s.ExecutarSQL("UPDATE SFGTBG05_ALTERACAO_CADASTRAL SET IC_CONFIRMACAO = 'S'" + f +
                  " AND NU_EMPREGADO_QUELD_ALT_CDSTL = " + SqlNumero(numero));
    s.ExecutarSQL("DELETE FROM SFGTBG05_ALTERACAO_CADASTRAL" + f + " AND IC_CONFIRMACAO = 'N'");
}

ResultadoDecisaoNome DecidirAlteracaoNome(TDBUtils& sessao, TMensagens& mensagens, int16_t tipoInscricao,
                                          int64_t inscricao, int64_t pis, int16_t categoria, TDateTime admissao,
                                          const std::string& nomeBanco, std::string* codigoErro)
{
    // Whatever the answer, the guard closes the transaction it opened: a Cancel (or a refused
    // name) must not leave the session inside a transaction that swallows later statements.
    TTransacao transacao(sessao);
    const int resposta = mensagens.Mensagem("990301", mtConfirmation, Botoes::SimNaoCancelar, mbNo);
    TAlteracaoCadastral alteracao(sessao);
    alteracao.CarregaRelacionados = false;
    if (resposta == mrNo) {
        TTrabalhador& t = alteracao.Trabalhador();
        t.Nome = nomeBanco;
        if (!t.ValidarNome()) {
            const std::string codigo = "99" + t.CodigoMensagem;
            mensagens.Mensagem(codigo, mtError, Botoes::OK);
            if (codigoErro)
                *codigoErro = codigo;
            transacao.Desfazer();
            return ResultadoDecisaoNome::NomeInvalido;
        }
        alteracao.ResolverAlteracaoNome(tipoInscricao, categoria, 'N', nomeBanco, admissao, pis, inscricao);
        transacao.Confirmar();
        return ResultadoDecisaoNome::Adotado;
    }
    if (resposta == mrYes) {
        mensagens.Mensagem("990302", mtInformation, Botoes::OK);
        alteracao.ResolverAlteracaoNome(tipoInscricao, categoria, 'S', nomeBanco, admissao, pis, inscricao);
        transacao.Confirmar();
        return ResultadoDecisaoNome::Mantido;
    }
    transacao.Desfazer();
    return ResultadoDecisaoNome::Cancelado;
}

} // namespace drav
