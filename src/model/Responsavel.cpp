#include "model/Responsavel.h"

#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Utilitarios.h"

namespace drav {

TResponsavel::TResponsavel(TDBUtils& sessao) : TEstabelecimento(sessao) { TResponsavel::Inicializar(); }

void TResponsavel::Inicializar()
{
    TEstabelecimento::Inicializar();
    CodigoMensagem.clear();
}

void TResponsavel::CarregarCampos()
{
    TEstabelecimento::CarregarCampos();
    NomeContato = Campo("NO_CONTATO").AsString();
    Email = Campo("CO_ENDERECO_VIRTUAL_CONTATO").AsString();
}

void TResponsavel::ConsultarResponsavel()
{
    AbrirConsulta(" WHERE IC_ESTADO_EMPRESA IN ('R', 'A')");
    if (Vazio())
        LimparCampos();
}

TResponsavel::Anterior TResponsavel::ResponsavelAtual()
{
    auto r = Sessao().AbrirConsulta("SELECT NU_TIPO_INSO_EMPRA, NU_INSCRICAO, IC_ESTADO_EMPRESA FROM SFGTBG02_EMPRESA "
                                    "WHERE IC_ESTADO_EMPRESA IN ('R', 'A')");
    Anterior a;
    if (!r->IsEmpty()) {
        a.Chave.Tipo = r->FieldByName("NU_TIPO_INSO_EMPRA").AsInteger();
        a.Chave.Numero = r->FieldByName("NU_INSCRICAO").AsInt64();
        a.Estado = Aparar(r->FieldByName("IC_ESTADO_EMPRESA").AsString());
    }
    return a;
}

void TResponsavel::InserirLinha()
{
    TEndereco& e = Endereco();
    Sessao().ExecutarSQL(
        "INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, SG_UF, NO_RAZAO_SOCIAL, DE_LOGRADOURO, "
        "NO_BAIRRO, NU_CEP, NO_LOCALIDADE, NU_DDD, NU_TELEFONE, NO_CONTATO, CO_ENDERECO_VIRTUAL_CONTATO, "
        "IC_ESTADO_EMPRESA) VALUES (" +
        std::to_string(TipoInscricao) + ", " + InscricaoFormatada() + ", " + SqlTexto(e.Uf) + ", " +
        SqlTexto(RazaoSocial) + ", " + SqlTexto(e.Logradouro) + ", " + SqlTexto(e.Bairro) + ", " + NumeroSql(e.Cep) +
        ", " + SqlTexto(e.Localidade) + ", " + NumeroSql(Ddd) + ", " + NumeroSql(Telefone) + ", " +
        SqlTexto(NomeContato) + ", " + SqlTexto(Email) + ", 'R')");
}

bool TResponsavel::Incluir()
{
    CodigoMensagem.clear();
    try {
        TTransacao transacao(Sessao());
        // A second responsible would leave the collection opening and the tree with two roots;
        // an existing responsible is changed with Salvar, which moves the role.
        if (!ResponsavelAtual().Chave.Vazia())
            throw ENegocio("Já existe um responsável cadastrado.");
        InserirLinha();
        transacao.Confirmar();
    } catch (...) {
        CodigoMensagem = "0144";
        throw;
    }
    EstadoEmpresa = "R";
    return true;
}

bool TResponsavel::Atualizar()
{
    try {
        TEndereco& e = Endereco();
        const std::string chave = std::to_string(TipoInscricao) + ", NU_INSCRICAO = " + InscricaoFormatada();
        Sessao().ExecutarSQL("UPDATE SFGTBG02_EMPRESA SET NU_TIPO_INSO_EMPRA = " + chave +
                             ", SG_UF = " + SqlTexto(e.Uf) + ", NO_RAZAO_SOCIAL = " + SqlTexto(RazaoSocial) +
                             ", DE_LOGRADOURO = " + SqlTexto(e.Logradouro) + ", NO_BAIRRO = " + SqlTexto(e.Bairro) +
                             ", NU_CEP = " + NumeroSql(e.Cep) + ", NO_LOCALIDADE = " + SqlTexto(e.Localidade) +
                             ", NU_DDD = " + NumeroSql(Ddd) + ", NU_TELEFONE = " + NumeroSql(Telefone) +
                             ", NO_CONTATO = " + SqlTexto(NomeContato) +
                             ", CO_ENDERECO_VIRTUAL_CONTATO = " + SqlTexto(Email) + FiltroChave());
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool TResponsavel::TrocarEstado(int tipo, const std::string& numero, const std::string& novo,
                                const std::string& antigo)
{
    try {
        Sessao().ExecutarSQL("UPDATE SFGTBG02_EMPRESA SET IC_ESTADO_EMPRESA = " + SqlTexto(novo) +
                             " WHERE NU_TIPO_INSO_EMPRA = " + std::to_string(tipo) +
                             " AND IC_ESTADO_EMPRESA = " + SqlTexto(antigo) + " AND NU_INSCRICAO = " +
                             NumeroSql(numero));
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool TResponsavel::ExcluirRegistro(int tipo, int64_t numero)
{
    try {
        Sessao().ExecutarSQL("DELETE FROM SFGTBG02_EMPRESA WHERE NU_TIPO_INSO_EMPRA = " + std::to_string(tipo) +
                             " AND NU_INSCRICAO = " + std::to_string(numero));
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool TResponsavel::AtualizarInscricaoAbertura(int tipo, const std::string& numero)
{
    try {
        Sessao().ExecutarSQL("UPDATE SFGTBG01_ABERTURA_RECOLHIMENTO SET NU_TIPO_INSO_EMPRA = " + std::to_string(tipo) +
                             ", NU_INSCRICAO = " + NumeroSql(numero));
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool TResponsavel::Salvar() { return Salvar(ResponsavelAtual()); }

bool TResponsavel::Salvar(const Anterior& anterior)
{
    CodigoMensagem.clear();
    // Each step reports failure by its result; any of them ends the move with nothing written.
    auto exigir = [](bool ok) {
        if (!ok)
            throw ENegocio("Falha ao gravar o responsável.");
    };
    const ChaveEstabelecimento nova = Chave();
    const std::string novoNumero = InscricaoFormatada();
    const std::string numeroAnterior = std::to_string(anterior.Chave.Numero);
    std::string estadoFinal;
    try {
        TTransacao transacao(Sessao());
        const bool existe = !Sessao()
                                 .AbrirConsulta("SELECT NU_TIPO_INSO_EMPRA FROM SFGTBG02_EMPRESA WHERE "
                                                "NU_TIPO_INSO_EMPRA = " +
                                                std::to_string(nova.Tipo) + " AND NU_INSCRICAO = " + novoNumero)
                                 ->IsEmpty();
        // The previous row leaves the role: deleted when it was only the responsible, kept as a
        // plain employer when it was both.
        auto soltarAnterior = [&] {
            if (anterior.Chave.Vazia())
                return;
            if (anterior.Estado == "R")
                exigir(ExcluirRegistro(anterior.Chave.Tipo, anterior.Chave.Numero));
            else
                exigir(TrocarEstado(anterior.Chave.Tipo, numeroAnterior, "E", anterior.Estado));
        };
        if (!existe) {
            InserirLinha();
            exigir(AtualizarInscricaoAbertura(nova.Tipo, novoNumero));
            soltarAnterior();
            estadoFinal = "R";
        } else {
            // The whole key decides: a CEI and a CNPJ with the same digits are different rows.
            if (!(nova == anterior.Chave)) {
                exigir(AtualizarInscricaoAbertura(nova.Tipo, novoNumero));
                soltarAnterior();
                exigir(TrocarEstado(nova.Tipo, novoNumero, "A", "E"));
            }
            exigir(Atualizar());
        }
        transacao.Confirmar();
    } catch (const std::exception&) {
        CodigoMensagem = "0144";
        return false;
    }
    return true;
}

bool TResponsavel::GravarDataPagamento()
{
    CodigoMensagem.clear();
    try {
        TTransacao transacao(Sessao());
        const std::string data = SqlData(DataPagamento, true);
        const std::string tipo = std::to_string(TipoInscricao);
        const std::string numero = InscricaoFormatada();
        if (Sessao().AbrirConsulta("SELECT NU_TIPO_INSO_EMPRA FROM SFGTBG01_ABERTURA_RECOLHIMENTO")->IsEmpty())
            Sessao().ExecutarSQL("INSERT INTO SFGTBG01_ABERTURA_RECOLHIMENTO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
                                 "DT_PAGAMENTO) VALUES (" +
                                 tipo + ", " + numero + ", " + data + ")");
        else
            Sessao().ExecutarSQL("UPDATE SFGTBG01_ABERTURA_RECOLHIMENTO SET DT_PAGAMENTO = " + data +
                                 ", NU_TIPO_INSO_EMPRA = " + tipo + ", NU_INSCRICAO = " + numero);
        transacao.Confirmar();
    } catch (const std::exception&) {
        CodigoMensagem = "0144";
    }
    return CodigoMensagem.empty();
}

CampoResponsavel TResponsavel::ValidarCadastro()
{
    using C = CampoResponsavel;
    TEndereco& e = Endereco();
    const auto doEndereco = [this, &e](C campo) {
        CodigoMensagem = e.CodigoMensagem;
        return campo;
    };
    if (!ValidarTipoInscricao())
        return C::TipoInscricao;
    if (!ValidarInscricao())
        return C::Inscricao;
    if (!ValidarRazaoSocial())
        return C::RazaoSocial;
    if (!ValidarNomeContato())
        return C::NomeContato;
    if (!ValidarDdd())
        return C::Ddd;
    if (!ValidarTelefone())
        return C::Telefone;
    if (!ValidarEmail())
        return C::Email;
    if (!e.ValidarLogradouro())
        return doEndereco(C::Logradouro);
    if (!e.ValidarBairro())
        return doEndereco(C::Bairro);
    if (!e.ValidarCep())
        return doEndereco(C::Cep);
    if (!e.ValidarLocalidade())
        return doEndereco(C::Localidade);
    if (!e.ValidarUf())
        return doEndereco(C::Uf);
    CodigoMensagem.clear();
    return C::Nenhum;
}

bool TResponsavel::ValidarNomeContato()
{
    CodigoMensagem.clear();
    const std::string& n = NomeContato;
    const bool valido = !n.empty() && n[0] != ' ' && SoLetras(n) && SemEspacosSeguidos(n) && SemRepeticao(n, 3);
    if (valido)
        NomeContato = Aparar(NomeContato);
    else
        CodigoMensagem = "0097";
    return CodigoMensagem.empty();
}

} // namespace drav
