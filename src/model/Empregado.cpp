#include "model/Empregado.h"

#include "core/Conversao.h"
#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"
#include "core/Verificacoes.h"
#include "model/ChaveVinculo.h"
#include "model/DocumentosTrabalhador.h"
#include "model/Empresa.h"
#include "model/InformacaoRescisao.h"
#include "model/RegistrosGravados.h"
#include "model/SaldoRescisorio.h"
#include "model/Vinculo.h"

namespace drav {

namespace {

// The characters LIKE gives a meaning to are escaped, so a search finds what was typed.
std::string PadraoContendo(const std::string& texto)
{
    std::string s = "%";
    for (char c : texto) {
        if (c == '\\' || c == '%' || c == '_')
            s += '\\';
        s += c;
    }
    return SqlTexto(s + "%") + " ESCAPE '\\'";
}

bool TemDigito(const std::string& texto)
{
    for (char c : texto)
        if (c >= '0' && c <= '9')
            return true;
    return false;
}

// A number that must be read as a 32-bit integer: 0 when it is not one (out of range included).
int64_t Inteiro32(const std::string& texto)
{
    const int64_t n = StrToInteiro64(texto);
    return n > 2147483647LL || n < -2147483648LL ? 0 : n;
}

} // namespace

TEmpregado::TEmpregado(TDBUtils& sessao) : TNegocio(sessao)
{
    Inicializar();
}

TEmpregado::~TEmpregado() = default;

void TEmpregado::Inicializar()
{
    Pis.clear();
    GrauInstrucao.clear();
    Nome.clear();
    Ctps.clear();
    SerieCtps.clear();
    Sexo = 0;
    DataNascimento = NullDate;
    Cpf.clear();
    SqlSelect =
        "SELECT EMPREGADO.NU_PIS AS PIS_EMPREGADO, EMPREGADO.NU_GRAU_INSTRUCAO AS GRAU_INSTRUCAO_EMPREGADO, "
        "EMPREGADO.NO_EMPREGADO AS NO_EMPREGADO, EMPREGADO.NU_CTPS AS NU_CTPS_EMPREGADO, "
        "EMPREGADO.NU_SERIE_CTPS AS NU_SERIE_CTPS_EMPREGADO, EMPREGADO.IC_SEXO AS IC_SEXO_EMPREGADO, "
        "EMPREGADO.DT_NASCIMENTO AS DT_NASCIMENTO_EMPREGADO, EMPREGADO.NU_INSCRICAO_CPF AS NU_INSCRICAO_CPF_EMPREGADO, "
        "VINCULO.NU_TIPO_INSO_EMPRA AS TP_INSCRICAO, VINCULO.NU_INSCRICAO AS NU_INSCRICAO, "
        "VINCULO.NU_CATEGORIA AS CATEGORIA, VINCULO.DT_ADMISSAO_VINCULO AS DT_ADMISSAO, "
        "VINCULO.CO_MOVIMENTACAO AS CO_MOVIMENTACAO_VINCULO, VINCULO.CO_CBO AS CO_CBO_VINCULO, "
        "VINCULO.CO_SAQUE AS CO_SAQUE_VINCULO, VINCULO.DT_OPCAO AS DT_OPCAO_VINCULO, "
        "VINCULO.NU_TIPO_INSO_TMDR AS NU_TIPO_INSO_TMDR_VINCULO, VINCULO.NU_INSCRICAO_TMDR AS NU_INSCRICAO_TMDR_VINCULO, "
        "VINCULO.IC_AVISO_PREVIO AS IC_AVISO_PREVIO_VINCULO, VINCULO.DT_INICIO_AVISO_PRVO AS DT_INCO_AVISO_PRVO_VINCULO, "
        "VINCULO.IC_REPOSICAO_VAGAS AS IC_REPOSICAO_VAGAS_VINCULO, "
        "VINCULO.QT_HORAS_TRBS_SMNA AS QT_HORAS_TRBS_SMNA_VINCULO, "
        "VINCULO.IC_ESTADO_MOVIMENTO AS IC_ESTADO_MOVIMENTO_VINCULO, "
        "VINCULO.DT_MOVIMENTACAO_VINCULO AS DT_MOVIMENTACAO_VINCULO, "
        "VINCULO.IC_VALIDACAO_VINCULO AS IC_VALIDACAO_VINCULO, "
        "VINCULO.NU_BANCO_CONTA AS NU_BANCO_CONTA_EMPREGADO, VINCULO.NU_AGENCIA_CONTA AS NU_AGENCIA_CONTA_EMPREGADO, "
        "VINCULO.NU_CONTA_BANCARIA AS NU_CONTA_BANCARIA_EMPREGADO ";
    SqlFrom = "FROM SFGTBG03_EMPREGADO EMPREGADO   JOIN SFGTBG04_VINCULO_EMPREGATICIO VINCULO   "
              "ON VINCULO.NU_PIS = EMPREGADO.NU_PIS ";
}

void TEmpregado::Limpar() { vinculo_.reset(); }

TVinculo& TEmpregado::Vinculo()
{
    if (!vinculo_) {
        vinculo_ = std::make_unique<TVinculo>(Sessao());
        vinculo_->trabalhadorDono_ = this;
        // A worker that loads nothing related hands the same wish down to its link.
        vinculo_->CarregaRelacionados = CarregaRelacionados;
    }
    return *vinculo_;
}

void TEmpregado::CarregarCampos()
{
    TNegocio::CarregarCampos();
    Pis = CompletarZeros(std::to_string(Campo("PIS_EMPREGADO").AsInt64()), 11);
    GrauInstrucao = Aparar(Campo("GRAU_INSTRUCAO_EMPREGADO").AsString());
    Nome = Campo("NO_EMPREGADO").AsString();
    Ctps = Campo("NU_CTPS_EMPREGADO").AsString();
    SerieCtps = Campo("NU_SERIE_CTPS_EMPREGADO").AsString();
    Sexo = StrToInteiro(Campo("IC_SEXO_EMPREGADO").AsString());
    DataNascimento = Campo("DT_NASCIMENTO_EMPREGADO").AsDateTime();
    const int64_t cpf = Campo("NU_INSCRICAO_CPF_EMPREGADO").AsInt64();
    Cpf = cpf == 0 ? std::string() : CompletarZeros(std::to_string(cpf), 11);

    TVinculo& v = Vinculo();
    v.TipoInscricao = static_cast<int>(Campo("TP_INSCRICAO").AsInt64());
    v.Inscricao = Campo("NU_INSCRICAO").AsInt64();
    v.Pis = Campo("PIS_EMPREGADO").AsInt64();
    v.Categoria = static_cast<int>(Campo("CATEGORIA").AsInt64());
    v.DataAdmissao = Campo("DT_ADMISSAO").AsDateTime();
    v.Movimentacao = Aparar(Campo("CO_MOVIMENTACAO_VINCULO").AsString());
    v.Cbo = Aparar(Campo("CO_CBO_VINCULO").AsString());
    v.Saque = Aparar(Campo("CO_SAQUE_VINCULO").AsString());
    v.DataOpcao = Campo("DT_OPCAO_VINCULO").AsDateTime();
    v.TipoInscricaoTomador = static_cast<int>(Campo("NU_TIPO_INSO_TMDR_VINCULO").AsInt64());
    v.InscricaoTomador = Campo("NU_INSCRICAO_TMDR_VINCULO").AsInt64();
    v.AvisoPrevio = StrToInteiro(Campo("IC_AVISO_PREVIO_VINCULO").AsString());
    v.DataInicioAviso = Campo("DT_INCO_AVISO_PRVO_VINCULO").AsDateTime();
    v.ReposicaoVagas = Aparar(Campo("IC_REPOSICAO_VAGAS_VINCULO").AsString());
    v.HorasSemanais = static_cast<int>(Campo("QT_HORAS_TRBS_SMNA_VINCULO").AsInt64());
    v.EstadoMovimento = static_cast<int>(Campo("IC_ESTADO_MOVIMENTO_VINCULO").AsInt64());
    v.DataMovimentacao = Campo("DT_MOVIMENTACAO_VINCULO").AsDateTime();
    v.Inconsistente = Aparar(Campo("IC_VALIDACAO_VINCULO").AsString()) == "S";
    const int64_t banco = Campo("NU_BANCO_CONTA_EMPREGADO").AsInt64();
    v.Banco = banco != 0 ? CompletarZeros(std::to_string(banco), 3) : std::string();
    const int64_t agencia = Campo("NU_AGENCIA_CONTA_EMPREGADO").AsInt64();
    v.Agencia = agencia != 0 ? std::to_string(agencia) : std::string();
    const int64_t conta = Campo("NU_CONTA_BANCARIA_EMPREGADO").AsInt64();
    v.Conta = conta != 0 ? std::to_string(conta) : std::string();
    if (v.CarregaRelacionados)
        v.Empresa();
    AplicarRegraCtps();
}

// --- checks --------------------------------------------------------------------------------------

bool TEmpregado::ValidarPis()
{
    CodigoMensagem.clear();
    if (!PisValido(Pis))
        CodigoMensagem = "0109";
    return CodigoMensagem.empty();
}

bool TEmpregado::ValidarCpf()
{
    CodigoMensagem.clear();
    if (!CpfValido(Cpf))
        CodigoMensagem = "0038";
    return CodigoMensagem.empty();
}

bool TEmpregado::ValidarNome()
{
    CodigoMensagem.clear();
    if (!NomeValido(Nome)) {
        CodigoMensagem = "0093";
        return false;
    }
    Nome = Aparar(Nome);
    if (TemDigito(Nome))
        CodigoMensagem = "0093";
    return CodigoMensagem.empty();
}

bool TEmpregado::ValidarSexo()
{
    CodigoMensagem.clear();
    if (Sexo == 0)
        CodigoMensagem = "0121";
    else if (Sexo != 1 && Sexo != 2)
        CodigoMensagem = "0122";
    return CodigoMensagem.empty();
}

bool TEmpregado::ValidarGrauInstrucao()
{
    CodigoMensagem.clear();
    const std::string g = Aparar(GrauInstrucao);
    if (g.empty())
        CodigoMensagem = "0071";
    else if (Sessao()
                 .AbrirConsulta("SELECT NU_GRAU_INSTRUCAO FROM SFGTBT09_TIPO_GRAU_INSTRUCAO WHERE NU_GRAU_INSTRUCAO = " +
                                SqlNumeroTexto(g))
                 ->IsEmpty())
        CodigoMensagem = "0072";
    return CodigoMensagem.empty();
}

bool TEmpregado::ValidarCtps(bool estrito)
{
    CodigoMensagem.clear();
    const std::string n = Aparar(Ctps);
    const bool diretor = Vinculo().Categoria == 5; // a director has no work card
    if (!n.empty()) {
        if (!SoNumeros(n) || TodosIguais(n))
            CodigoMensagem = "0099";
        else if (diretor)
            CodigoMensagem = "0100";
        else if (estrito && Inteiro32(n) == 0)
            CodigoMensagem = "0098";
    } else if (!diretor)
        CodigoMensagem = "0098";
    return CodigoMensagem.empty();
}

bool TEmpregado::ValidarSerieCtps(bool estrito)
{
    CodigoMensagem.clear();
    const std::string s = Aparar(SerieCtps);
    if (Vinculo().Categoria == 5) {
        if (!s.empty())
            CodigoMensagem = "0120";
        return CodigoMensagem.empty();
    }
    // Letters are an invalid series, not a missing one, even though they read as 0.
    if (s.empty() || (estrito && SoNumeros(s) && Inteiro32(s) == 0))
        CodigoMensagem = "0118";
    else if (!SoNumeros(s) || TodosIguais(s))
        CodigoMensagem = "0119";
    return CodigoMensagem.empty();
}

bool TEmpregado::ValidarDataNascimento()
{
    CodigoMensagem.clear();
    const int situacao = DataValida(DataNascimento);
    if (DataNascimento == NullDate)
        CodigoMensagem = "0329";
    else if (situacao == 1)
        CodigoMensagem = "0055";
    else if (situacao == 2)
        CodigoMensagem = "0053";
    return CodigoMensagem.empty();
}

// --- queries -------------------------------------------------------------------------------------

void TEmpregado::AbrirSql(const std::string& sql)
{
    AtribuirDataSet(Sessao().AbrirConsulta(sql));
    Primeiro();
}

std::string TEmpregado::PisSql() const { return SqlNumeroTexto(Pis); }

bool TEmpregado::ConsultarVinculo(int tipoInscricao, const std::string& inscricao, TDateTime admissao,
                                  int categoria, const std::string& pis)
{
    CodigoMensagem.clear();
    try {
        AbrirSql(SqlSelect + " " + SqlFrom + "WHERE VINCULO.NU_INSCRICAO = " + SqlNumeroTexto(inscricao) +
                 " AND VINCULO.NU_TIPO_INSO_EMPRA = " + std::to_string(tipoInscricao) +
                 " AND VINCULO.NU_CATEGORIA = " + std::to_string(categoria) +
                 " AND VINCULO.DT_ADMISSAO_VINCULO = " + (admissao > 0 ? SqlData(admissao) : std::string("Null")) +
                 " AND EMPREGADO.NU_PIS = " + SqlNumeroTexto(pis) +
                 " ORDER BY EMPREGADO.NO_EMPREGADO, EMPREGADO.NU_PIS");
    } catch (const EDrav&) {
        CodigoMensagem = "0144";
        throw;
    }
    return TemRegistros() && CodigoMensagem.empty();
}

bool TEmpregado::ConsultarPorPis(const std::string& pis)
{
    CodigoMensagem.clear();
    try {
        AbrirSql(SqlSelect + " " + SqlFrom + "WHERE EMPREGADO.NU_PIS = " + SqlNumeroTexto(pis) +
                 " ORDER BY VINCULO.NU_TIPO_INSO_EMPRA, VINCULO.NU_INSCRICAO, VINCULO.DT_ADMISSAO_VINCULO, "
                 "VINCULO.NU_CATEGORIA");
    } catch (const EDrav&) {
        CodigoMensagem = "0144";
        return false;
    }
    return TemRegistros();
}

std::string TEmpregado::NomePorPis(const std::string& pis)
{
    TResultado& r = DataSet();
    if (r.IsEmpty())
        return {};
    const int64_t procurado = StrToInteiro64(pis);
    const int posicao = r.Bookmark();
    std::string nome;
    for (r.First(); !r.Eof(); r.Next()) {
        if (r.FieldByName("PIS_EMPREGADO").AsInt64() == procurado) {
            nome = r.FieldByName("NO_EMPREGADO").AsString();
            break;
        }
    }
    // The walk must not move the row the fields were loaded from.
    r.GotoBookmark(posicao);
    return nome;
}

void TEmpregado::ListarTodos()
{
    AbrirSql(SqlSelect + " " + SqlFrom + "ORDER BY EMPREGADO.NO_EMPREGADO, EMPREGADO.NU_PIS");
}

void TEmpregado::ListarPorNome(const std::string& texto)
{
    AbrirSql(SqlSelect + " " + SqlFrom + "WHERE EMPREGADO.NO_EMPREGADO LIKE " + PadraoContendo(texto) +
             " ORDER BY EMPREGADO.NO_EMPREGADO, EMPREGADO.NU_PIS, VINCULO.NU_TIPO_INSO_EMPRA, VINCULO.NU_INSCRICAO, "
             "VINCULO.DT_ADMISSAO_VINCULO, VINCULO.NU_CATEGORIA");
}

void TEmpregado::ListarDaEmpresa(const std::string& tipoInscricao, const std::string& inscricao)
{
    AbrirSql(AparaDireita(SqlSelect) + ", EMP.NO_RAZAO_SOCIAL " + SqlFrom +
             "LEFT OUTER JOIN SFGTBG02_EMPRESA EMP ON EMP.NU_TIPO_INSO_EMPRA = VINCULO.NU_TIPO_INSO_EMPRA "
             "AND EMP.NU_INSCRICAO = VINCULO.NU_INSCRICAO "
             "INNER JOIN SFGTBG06_INFORMACAO_RESCISAO INFO_RESC ON " +
             SqlMesmaChave("INFO_RESC", "VINCULO") + " WHERE VINCULO.NU_TIPO_INSO_EMPRA = " +
             SqlNumeroTexto(tipoInscricao) + " AND VINCULO.NU_INSCRICAO = " + SqlNumeroTexto(inscricao) +
             " ORDER BY EMPREGADO.NO_EMPREGADO, EMPREGADO.NU_PIS");
}

bool TEmpregado::ExisteVinculo(const TVinculo& v)
{
    if (v.Gravados) {
        if (!v.Gravados->EstadoVinculo(v))
            return false;
        CodigoMensagem = "0208";
        return true;
    }
    auto r = Sessao().AbrirConsulta(
        "SELECT EMPREGADO.NU_PIS AS PIS_EMPREGADO FROM SFGTBG03_EMPREGADO EMPREGADO JOIN "
        "SFGTBG04_VINCULO_EMPREGATICIO VINCULO ON (VINCULO.NU_PIS = EMPREGADO.NU_PIS) WHERE " +
        v.FiltroChave("VINCULO"));
    if (r->IsEmpty())
        return false;
    CodigoMensagem = "0208";
    return true;
}

bool TEmpregado::ExisteVinculo()
{
    CodigoMensagem.clear();
    return ExisteVinculo(Vinculo());
}

} // namespace drav
