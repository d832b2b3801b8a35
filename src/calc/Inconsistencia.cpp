#include "calc/Inconsistencia.h"

#include "core/DBUtils.h"
#include "core/Utilitarios.h"

#include <algorithm>
#include <cstdint>

namespace drav {

namespace {

// Widths of the register's text columns, in characters.
constexpr int kLarguraRegistro = 4;
constexpr int kLarguraConteudo = 70;
constexpr int kLarguraTipoInscricao = 10;
constexpr int kLarguraInscricao = 20;
constexpr int kLarguraNome = 70;
constexpr int kLarguraPis = 20;
constexpr int kLarguraCategoria = 10;

// Characters that Windows-1252 places in 0x80..0x9F; every other character it holds is Latin-1.
bool NoWin1252(uint32_t cp)
{
    if (cp == 0)
        return false;
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return true;
    switch (cp) {
    case 0x20AC: case 0x201A: case 0x0192: case 0x201E: case 0x2026: case 0x2020: case 0x2021:
    case 0x02C6: case 0x2030: case 0x0160: case 0x2039: case 0x0152: case 0x017D: case 0x2018:
    case 0x2019: case 0x201C: case 0x201D: case 0x2022: case 0x2013: case 0x2014: case 0x02DC:
    case 0x2122: case 0x0161: case 0x203A: case 0x0153: case 0x017E: case 0x0178:
        return true;
    default:
        return false;
    }
}

// The code point of the UTF-8 sequence at s[i], its length in `n`; false for a malformed one.
bool LerCaractere(const std::string& s, std::size_t i, uint32_t& cp, std::size_t& n)
{
    const auto b = [&s](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    uint32_t minimo = 0;
    if (c < 0x80) {
        cp = c;
        n = 1;
        return true;
    }
    if ((c & 0xE0) == 0xC0) {
        cp = c & 0x1F;
        n = 2;
        minimo = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        cp = c & 0x0F;
        n = 3;
        minimo = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        cp = c & 0x07;
        n = 4;
        minimo = 0x10000;
    } else {
        n = 1;
        return false;
    }
    if (i + n > s.size()) {
        n = 1;
        return false;
    }
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) {
            n = 1;
            return false;
        }
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if (cp < minimo || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        n = 1;
        return false;
    }
    return true;
}

std::string Quatro(int codigo)
{
    std::string s = std::to_string(codigo < 0 ? -codigo : codigo);
    if (s.size() < 4)
        s.insert(0, 4 - s.size(), '0');
    return codigo < 0 ? "-" + s : s;
}

std::string Texto(const std::string& texto, int largura) { return SqlTexto(TextoRegistro(texto, largura)); }

// The admission date as the register stores it: a day, or NULL when none is given or the text is
// not a date (the row itself matters more than a bad date in it).
std::string SqlAdmissao(const std::string& texto)
{
    const std::string aparado = Aparar(texto);
    if (aparado.empty())
        return "NULL";
    const TDateTime d = StrToData(aparado, 0);
    if (d == NullDate || d == DataInvalida)
        return "NULL";
    return SqlData(d, true);
}

} // namespace

std::string TextoRegistro(const std::string& texto, int largura)
{
    std::string saida;
    int n = 0;
    for (std::size_t i = 0; i < texto.size() && n < largura; ++n) {
        uint32_t cp = 0;
        std::size_t tam = 1;
        if (LerCaractere(texto, i, cp, tam) && NoWin1252(cp))
            saida.append(texto, i, tam);
        else
            saida += '?';
        i += tam;
    }
    return saida;
}

EMensagemNaoCadastrada::EMensagemNaoCadastrada(int codigo)
    : ENegocio("Código de mensagem não cadastrado na tabela de mensagens do sistema: " + Quatro(codigo)),
      Codigo(codigo)
{
}

TInconsistencia::TInconsistencia(TDBUtils& sessao) : TNegocio(sessao) {}

void TInconsistencia::Limpar()
{
    static_cast<TDadosInconsistencia&>(*this) = TDadosInconsistencia{};
    NumeroInconsistencia = 0;
}

void TInconsistencia::CarregarCampos()
{
    TNegocio::CarregarCampos();
    NumeroMensagem = Campo("NU_MENSAGEM").AsInteger();
    NumeroArquivo = Campo("NU_ARQUIVO").AsInteger();
    CodigoRegistro = Campo("CO_REGISTRO").AsString();
    LinhaErro = Campo("NU_LINHA_ERRO").AsInteger();
    ConteudoCampo = Campo("DE_CONTEUDO_CAMPO").AsString();
    TipoInscricaoEmpresa = Campo("NU_TIPO_INSCRICAO_EMPRESA").AsString();
    InscricaoEmpresa = Campo("NU_INSCRICAO_EMPRESA").AsString();
    Pis = Campo("CO_PIS_INCONSISTENCIA").AsString();
    NomeEmpregado = Campo("NO_EMPREGADO").AsString();
    const TDateTime admissao = Campo("DT_ADMISSAO_INCONSISTENCIA").AsDateTime();
    DataAdmissao = admissao == NullDate ? std::string() : FormatarDataHora("ddmmyyyy", admissao);
    CodigoCategoria = Campo("CO_CATEGORIA_INCONSISTENCIA").AsString();
    TipoInscricaoResponsavel = Campo("NU_TIPO_INSCRICAO_RSPNL_INCNA").AsString();
    InscricaoResponsavel = Campo("NU_INSCRICAO_RSPNL_INCNA").AsString();
    NumeroInconsistencia = Campo("NU_INCONSISTENCIA").AsInt64();
    RazaoSocialResponsavel = Campo("NO_RAZAO_SOCIAL_RSPNL_INCNA").AsString();
    RazaoSocial = Campo("NO_RAZAO_SOCIAL").AsString();
}

std::string TInconsistencia::SqlInsercao() const
{
    // The content keeps its 70 positions even when blank, as the listing lays it out.
    const std::string conteudo =
        PreencherEspacos(TextoRegistro(ConteudoCampo, kLarguraConteudo), kLarguraConteudo, false);
    const std::string sqlConteudo = drav::Vazio(conteudo) ? "'" + conteudo + "'" : SqlTexto(conteudo);
    return "INSERT INTO SFGTBG18_INCONSISTENCIA_ARQUIVO (NU_INCONSISTENCIA, NU_MENSAGEM, NU_ARQUIVO, CO_REGISTRO, "
           "NU_LINHA_ERRO, DE_CONTEUDO_CAMPO, NU_TIPO_INSCRICAO_RSPNL_INCNA, NU_INSCRICAO_RSPNL_INCNA, "
           "NO_RAZAO_SOCIAL_RSPNL_INCNA, NU_TIPO_INSCRICAO_EMPRESA, NU_INSCRICAO_EMPRESA, NO_RAZAO_SOCIAL, "
           "CO_PIS_INCONSISTENCIA, DT_ADMISSAO_INCONSISTENCIA, CO_CATEGORIA_INCONSISTENCIA, NO_EMPREGADO) VALUES ("
           "GEN_ID(GEN_SFGTBG18_ARQUIVO_ID, 1), " +
           std::to_string(NumeroMensagem) + ", " + std::to_string(NumeroArquivo) + ", " +
           Texto(CodigoRegistro, kLarguraRegistro) + ", " + SqlInteiro(LinhaErro) + ", " + sqlConteudo + ", " +
           Texto(TipoInscricaoResponsavel, kLarguraTipoInscricao) + ", " +
           Texto(InscricaoResponsavel, kLarguraInscricao) + ", " + Texto(RazaoSocialResponsavel, kLarguraNome) +
           ", " + Texto(TipoInscricaoEmpresa, kLarguraTipoInscricao) + ", " +
           Texto(Aparar(InscricaoEmpresa), kLarguraInscricao) + ", " + Texto(RazaoSocial, kLarguraNome) + ", " +
           Texto(Pis, kLarguraPis) + ", " + SqlAdmissao(DataAdmissao) + ", " +
           Texto(CodigoCategoria, kLarguraCategoria) + ", " + Texto(NomeEmpregado, kLarguraNome) + ")";
}

int TInconsistencia::Registrar()
{
    if (NumeroArquivo < InconsistenciaFolha || NumeroArquivo > InconsistenciaGuiasProcessadas)
        throw ENegocio("Número de arquivo de inconsistência inválido: " + std::to_string(NumeroArquivo));
    ErroGravacao.clear();
    try {
        const auto existe = Sessao().AbrirConsulta(
            "SELECT NU_MENSAGEM FROM SFGTBT13_MENSAGEM_SISTEMA WHERE NU_MENSAGEM = " + std::to_string(NumeroMensagem));
        if (existe->IsEmpty())
            return RegistroMensagemInexistente;
        Sessao().ExecutarSQLIndependente(SqlInsercao());
        return RegistroGravado;
    } catch (const EBancoDados& e) {
        // The run goes on and decides from its own flags; the reason stays for whoever reports it.
        ErroGravacao = MensagemEmUmaLinha(e);
        return RegistroFalhou;
    }
}

int TInconsistencia::Registrar(const TDadosInconsistencia& dados)
{
    static_cast<TDadosInconsistencia&>(*this) = dados;
    return Registrar();
}

int TInconsistencia::RegistrarInconsistencia(
    const std::string& conteudoCampo, const std::string& codigoRegistro, int linha, int codigoMensagem,
    const std::string& tipoInscricaoResponsavel, const std::string& inscricaoResponsavel,
    const std::string& razaoSocialResponsavel, const std::string& tipoInscricaoEmpresa,
    const std::string& inscricaoEmpresa, const std::string& razaoSocial, const std::string& pis,
    const std::string& codigoCategoria, const std::string& dataAdmissao, const std::string& nomeEmpregado)
{
    NumeroMensagem = codigoMensagem;
    CodigoRegistro = codigoRegistro;
    LinhaErro = linha;
    ConteudoCampo = conteudoCampo;
    TipoInscricaoResponsavel = tipoInscricaoResponsavel;
    InscricaoResponsavel = inscricaoResponsavel;
    RazaoSocialResponsavel = razaoSocialResponsavel;
    TipoInscricaoEmpresa = tipoInscricaoEmpresa;
    InscricaoEmpresa = inscricaoEmpresa;
    RazaoSocial = razaoSocial;
    Pis = pis;
    CodigoCategoria = codigoCategoria;
    DataAdmissao = dataAdmissao;
    NomeEmpregado = nomeEmpregado;
    const int resposta = Registrar();
    CodigoMensagem = Quatro(codigoMensagem);
    if (resposta == RegistroMensagemInexistente) {
        CodigoMensagem = "0396";
        throw EMensagemNaoCadastrada(codigoMensagem);
    }
    return resposta;
}

bool TInconsistencia::RegistrarFechamento(const std::string& codigoMensagem,
                                          const std::string& tipoInscricaoResponsavel,
                                          const std::string& nomeEmpregado, const std::string& dataAdmissao,
                                          const std::string& codigoCategoria, const std::string& pis,
                                          const std::string& razaoSocial, const std::string& inscricaoEmpresa,
                                          const std::string& tipoInscricaoEmpresa,
                                          const std::string& razaoSocialResponsavel,
                                          const std::string& inscricaoResponsavel)
{
    Limpar();
    NumeroMensagem = StrToInteiro(codigoMensagem);
    NumeroArquivo = InconsistenciaFechamento;
    TipoInscricaoResponsavel = tipoInscricaoResponsavel;
    NomeEmpregado = nomeEmpregado;
    DataAdmissao = dataAdmissao;
    CodigoCategoria = codigoCategoria;
    Pis = pis;
    RazaoSocial = razaoSocial;
    InscricaoEmpresa = inscricaoEmpresa;
    TipoInscricaoEmpresa = tipoInscricaoEmpresa;
    RazaoSocialResponsavel = razaoSocialResponsavel;
    InscricaoResponsavel = inscricaoResponsavel;
    return Registrar() == RegistroGravado;
}

bool TInconsistencia::ExcluirPorArquivo()
{
    ErroGravacao.clear();
    try {
        Sessao().ExecutarSQLIndependente("DELETE FROM SFGTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = " +
                                          std::to_string(NumeroArquivo));
        return true;
    } catch (const EBancoDados& e) {
        ErroGravacao = MensagemEmUmaLinha(e);
        return false;
    }
}

void TInconsistencia::Consultar(const std::string& filtro)
{
    FiltroArquivo = filtro;
    ConsultarPorArquivo();
}

void TInconsistencia::ConsultarPorArquivo()
{
    const std::string filtro = Aparar(FiltroArquivo);
    // The filter reaches the statement as text: only a file number may.
    if (!filtro.empty() && (!SoNumeros(filtro) || filtro.size() > 4))
        throw ENegocio("Filtro de arquivo de inconsistências inválido: " + filtro);
    std::string sql =
        "SELECT ARQ.NU_ARQUIVO, ARQ.CO_REGISTRO, ARQ.NU_LINHA_ERRO, ARQ.NU_MENSAGEM, ERRO.DE_MENSAGEM, "
        "ARQ.DE_CONTEUDO_CAMPO, ARQ.NU_TIPO_INSCRICAO_EMPRESA, ARQ.NU_INSCRICAO_EMPRESA, "
        "ARQ.NU_TIPO_INSCRICAO_RSPNL_INCNA, ARQ.NU_INSCRICAO_RSPNL_INCNA, ARQ.CO_PIS_INCONSISTENCIA, "
        "ARQ.NO_EMPREGADO, ARQ.DT_ADMISSAO_INCONSISTENCIA, ARQ.CO_CATEGORIA_INCONSISTENCIA, ARQ.NU_INCONSISTENCIA, "
        "ARQ.NO_RAZAO_SOCIAL_RSPNL_INCNA, ARQ.NO_RAZAO_SOCIAL FROM SFGTBG18_INCONSISTENCIA_ARQUIVO ARQ "
        "LEFT JOIN SFGTBT13_MENSAGEM_SISTEMA ERRO ON ARQ.NU_MENSAGEM = ERRO.NU_MENSAGEM";
    if (!filtro.empty())
        sql += " WHERE ARQ.NU_ARQUIVO = " + filtro;
    sql += " ORDER BY ARQ.NU_INCONSISTENCIA, ARQ.NU_INSCRICAO_EMPRESA, ARQ.NO_EMPREGADO, ARQ.NU_ARQUIVO, "
           "ARQ.CO_REGISTRO, ARQ.NU_LINHA_ERRO";
    AtribuirDataSet(Sessao().AbrirConsulta(sql));
    Primeiro();
}

void TInconsistencia::ConsultarFolha() { Consultar("1"); }
void TInconsistencia::ConsultarSaldo() { Consultar("2"); }

bool TInconsistencia::ConsultarFechamento()
{
    Consultar("3");
    return TemRegistros();
}

void TInconsistencia::ConsultarGuias() { Consultar("4"); }
void TInconsistencia::ConsultarGuiasProcessadas() { Consultar("5"); }

int TRegistroInconsistenciasMemoria::Registrar(const TDadosInconsistencia& dados)
{
    if (std::find(MensagensInexistentes.begin(), MensagensInexistentes.end(), dados.NumeroMensagem) !=
        MensagensInexistentes.end())
        return RegistroMensagemInexistente;
    Linhas.push_back(dados);
    return RegistroGravado;
}

} // namespace drav
