#include "calc/ValidacaoVinculo.h"

#include "calc/Inconsistencia.h"
#include "core/Conversao.h"
#include "core/Excecoes.h"
#include "core/DBUtils.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"
#include "model/ChaveVinculo.h"
#include "model/Empregado.h"
#include "model/Empresa.h"
#include "model/InformacaoRescisao.h"
#include "model/RegistrosGravados.h"
#include "model/Responsavel.h"
#include "model/Vinculo.h"

#include <algorithm>
#include <functional>
#include <map>
#include <tuple>
#include <unordered_map>

namespace drav {

namespace {

// The session the checks of one run go through. The checks of the worker, the link and the
// rescission data each ask the database for what they need, one link at a time; over a whole
// portfolio that is tens of thousands of statements for a few distinct answers. This session
// answers queries on the reference tables (SFGTBT..., read only while a run lasts) from the first
// time they were asked and passes everything else to the real session; the per-link questions
// about stored rows are answered from what the run read in bulk (TVinculo::Gravados).
class TSessaoValidacao : public TDBUtils {
public:
    explicit TSessaoValidacao(TDBUtils& base) : base_(base) {}

    bool EmTransacao() const override { return base_.EmTransacao(); }
    void ConfigurarConexao() override {}
    void Confirmar() override { base_.Confirmar(); }
    void Desfazer() override { base_.Desfazer(); }
    void IniciarTransacao() override { base_.IniciarTransacao(); }

    std::unique_ptr<TResultado> AbrirConsulta(const std::string& sql) override
    {
        const bool referencia = SoTabelasReferencia(sql);
        if (referencia) {
            if (auto c = cache_.find(sql); c != cache_.end())
                return std::make_unique<TResultado>(c->second);
        }
        ++comandos_;
        auto r = base_.AbrirConsulta(sql);
        if (referencia)
            cache_.emplace(sql, *r);
        return r;
    }
    int64_t ExecutarSQL(const std::string& sql) override
    {
        ++comandos_;
        return base_.ExecutarSQL(sql);
    }
    int64_t ExecutarSQLIndependente(const std::string& sql) override
    {
        ++comandos_;
        return base_.ExecutarSQLIndependente(sql);
    }

    int64_t Comandos() const { return comandos_; }

protected:
    void FecharConexao() override {}

private:
    static bool SoTabelasReferencia(const std::string& sql)
    {
        std::string m = MaiusculasAscii(sql);
        const auto inicio = m.find_first_not_of(" \t\r\n");
        return inicio != std::string::npos && m.compare(inicio, 6, "SELECT") == 0 &&
               m.find("SFGTBT") != std::string::npos && m.find("SFGTBG") == std::string::npos;
    }

    TDBUtils& base_;
    std::unordered_map<std::string, TResultado> cache_;
    int64_t comandos_ = 0;
};

// The key written as given: a stored link of category 0 is still a link to judge (it fails "15"),
// and a missing admission matches nothing.
std::string FiltroVinculo(int tipo, int64_t inscricao, int64_t pis, int categoria, TDateTime admissao)
{
    return "VINC.NU_TIPO_INSO_EMPRA = " + SqlNumero(tipo) + " AND VINC.NU_INSCRICAO = " + SqlNumero(inscricao) +
           " AND VINC.NU_PIS = " + SqlNumero(pis) + " AND VINC.NU_CATEGORIA = " + SqlNumero(categoria) +
           " AND VINC.DT_ADMISSAO_VINCULO = " + SqlData(admissao);
}

std::string Data(TDateTime d) { return d == NullDate || d == DataInvalida ? std::string() : DataParaTexto(d); }
std::string DataDdMmAaaa(TDateTime d) { return d > 0 ? FormatarDataHora("ddmmyyyy", d) : std::string(); }
std::string Inteiro(int64_t n) { return std::to_string(n); }
std::string NumeroOuVazio(const TCampo& c) { return c.IsNull() ? std::string() : std::to_string(c.AsInt64()); }

// The columns one run reads per link: the link, its worker, its employer (as an employer: roles
// "E" and "A") and its rescission row, which may be missing.
constexpr const char* kSqlVinculos =
    "SELECT VINC.NU_TIPO_INSO_EMPRA, VINC.NU_INSCRICAO, VINC.NU_PIS, VINC.NU_CATEGORIA, VINC.DT_ADMISSAO_VINCULO, "
    "VINC.CO_MOVIMENTACAO, VINC.CO_CBO, VINC.CO_SAQUE, VINC.DT_OPCAO, VINC.NU_TIPO_INSO_TMDR, VINC.NU_INSCRICAO_TMDR, "
    "VINC.IC_AVISO_PREVIO, VINC.DT_INICIO_AVISO_PRVO, VINC.IC_REPOSICAO_VAGAS, VINC.QT_HORAS_TRBS_SMNA, "
    "VINC.IC_ESTADO_MOVIMENTO, VINC.DT_MOVIMENTACAO_VINCULO, VINC.NU_BANCO_CONTA, VINC.NU_AGENCIA_CONTA, "
    "VINC.NU_CONTA_BANCARIA, "
    "TRAB.NO_EMPREGADO, TRAB.NU_GRAU_INSTRUCAO, TRAB.NU_CTPS, TRAB.NU_SERIE_CTPS, TRAB.IC_SEXO, TRAB.DT_NASCIMENTO, "
    "TRAB.NU_INSCRICAO_CPF, "
    "EMP.NO_RAZAO_SOCIAL, EMP.NU_INSS, EMP.NU_SIMPLES, EMP.NU_IBGE, "
    "RES.DT_DISSIDIO, RES.VR_DISSIDIO, RES.VR_REMUNERACAO_ANTERIOR_RSCSO, RES.VR_REMUNERACAO_RESCISAO, "
    "RES.VR_AVISO_PREVIO, RES.IC_TIPO_PNSO_ALMNA, RES.VR_PENSAO_ALMNA, RES.IC_ORIGEM_SALDO_RESCISORIO, "
    "RES.VR_SALDO_RESCISORIO, RES.VR_JAM_SALDO_RESCISORIO, RES.VR_DEPOSITO_CMPLO_SALDO "
    "FROM SFGTBG04_VINCULO_EMPREGATICIO VINC "
    "JOIN SFGTBG03_EMPREGADO TRAB ON TRAB.NU_PIS = VINC.NU_PIS "
    "LEFT JOIN SFGTBG02_EMPRESA EMP ON EMP.NU_TIPO_INSO_EMPRA = VINC.NU_TIPO_INSO_EMPRA "
    "AND EMP.NU_INSCRICAO = VINC.NU_INSCRICAO AND EMP.IC_ESTADO_EMPRESA IN ('E', 'A') "
    "LEFT JOIN SFGTBG06_INFORMACAO_RESCISAO RES ON RES.NU_TIPO_INSO_EMPRA = VINC.NU_TIPO_INSO_EMPRA "
    "AND RES.NU_INSCRICAO = VINC.NU_INSCRICAO AND RES.NU_PIS = VINC.NU_PIS AND RES.NU_CATEGORIA = VINC.NU_CATEGORIA "
    "AND RES.DT_ADMISSAO_VINCULO = VINC.DT_ADMISSAO_VINCULO ";

constexpr const char* kOrdem = " ORDER BY VINC.NU_TIPO_INSO_EMPRA, VINC.NU_INSCRICAO, VINC.NU_PIS, "
                               "VINC.DT_ADMISSAO_VINCULO, VINC.NU_CATEGORIA";

// Fills the worker, its link, the link's employer and rescission data from one row, the way
// their own loads would, without touching the database.
void CarregarLinha(const TResultado& r, TEmpregado& t)
{
    auto c = [&r](const char* nome) { return r.FieldByName(nome); };
    TVinculo& v = t.Vinculo();
    v.TipoInscricao = static_cast<int>(c("NU_TIPO_INSO_EMPRA").AsInt64());
    v.Inscricao = c("NU_INSCRICAO").AsInt64();
    v.Pis = c("NU_PIS").AsInt64();
    v.Categoria = static_cast<int>(c("NU_CATEGORIA").AsInt64());
    v.DataAdmissao = c("DT_ADMISSAO_VINCULO").AsDateTime();
    v.Movimentacao = Aparar(c("CO_MOVIMENTACAO").AsString());
    v.Cbo = Aparar(c("CO_CBO").AsString());
    v.Saque = Aparar(c("CO_SAQUE").AsString());
    v.DataOpcao = c("DT_OPCAO").AsDateTime();
    v.TipoInscricaoTomador = static_cast<int>(c("NU_TIPO_INSO_TMDR").AsInt64());
    v.InscricaoTomador = c("NU_INSCRICAO_TMDR").AsInt64();
    v.AvisoPrevio = StrToInteiro(c("IC_AVISO_PREVIO").AsString());
    v.DataInicioAviso = c("DT_INICIO_AVISO_PRVO").AsDateTime();
    v.ReposicaoVagas = Aparar(c("IC_REPOSICAO_VAGAS").AsString());
    v.HorasSemanais = static_cast<int>(c("QT_HORAS_TRBS_SMNA").AsInt64());
    v.EstadoMovimento = static_cast<int>(c("IC_ESTADO_MOVIMENTO").AsInt64());
    v.DataMovimentacao = c("DT_MOVIMENTACAO_VINCULO").AsDateTime();
    const int64_t banco = c("NU_BANCO_CONTA").AsInt64();
    v.Banco = banco != 0 ? CompletarZeros(std::to_string(banco), 3) : std::string();
    const int64_t agencia = c("NU_AGENCIA_CONTA").AsInt64();
    v.Agencia = agencia != 0 ? std::to_string(agencia) : std::string();
    const int64_t conta = c("NU_CONTA_BANCARIA").AsInt64();
    v.Conta = conta != 0 ? std::to_string(conta) : std::string();

    t.Pis = CompletarZeros(std::to_string(v.Pis), 11);
    t.Nome = c("NO_EMPREGADO").AsString();
    t.GrauInstrucao = Aparar(c("NU_GRAU_INSTRUCAO").AsString());
    t.Ctps = c("NU_CTPS").AsString();
    t.SerieCtps = c("NU_SERIE_CTPS").AsString();
    t.Sexo = StrToInteiro(c("IC_SEXO").AsString());
    t.DataNascimento = c("DT_NASCIMENTO").AsDateTime();
    const int64_t cpf = c("NU_INSCRICAO_CPF").AsInt64();
    t.Cpf = cpf == 0 ? std::string() : CompletarZeros(std::to_string(cpf), 11);

    TEmpresa& e = v.Empresa();
    e.TipoInscricao = static_cast<uint8_t>(v.TipoInscricao);
    e.Inscricao = CompletarZeros(std::to_string(v.Inscricao), v.TipoInscricao == 2 ? 12 : 14);
    e.RazaoSocial = c("NO_RAZAO_SOCIAL").AsString();
    e.Fpas = NumeroOuVazio(c("NU_INSS"));
    e.Cnae = NumeroOuVazio(c("NU_IBGE"));
    e.Simples = static_cast<int16_t>(c("NU_SIMPLES").AsInt64());

    TInformacaoRescisao& res = v.Rescisao();
    res.TipoPensao = Aparar(c("IC_TIPO_PNSO_ALMNA").AsString());
    res.DtDissidio = c("DT_DISSIDIO").AsDateTime();
    res.VrDissidio = c("VR_DISSIDIO").AsFloat();
    res.VrRemuneracaoAnteriorRscso = c("VR_REMUNERACAO_ANTERIOR_RSCSO").AsFloat();
    res.VrRemuneracaoRescisao = c("VR_REMUNERACAO_RESCISAO").AsFloat();
    res.VrAvisoPrevio = c("VR_AVISO_PREVIO").AsFloat();
    res.VrPensaoAlmna = c("VR_PENSAO_ALMNA").AsFloat();
    res.OrigemSaldo = TInformacaoRescisao::OrigemLida(c("IC_ORIGEM_SALDO_RESCISORIO").AsString());
    res.VrSaldoRescisorio = c("VR_SALDO_RESCISORIO").AsFloat();
    res.VrJamSaldoRescisorio = c("VR_JAM_SALDO_RESCISORIO").AsFloat();
    res.VrDepositoCmploSaldo = c("VR_DEPOSITO_CMPLO_SALDO").AsFloat();
}

// The checks of one link in their order, each with the name of the field it judges. The first
// that fails is the link's finding.
struct Passo {
    const char* nome;
    std::function<bool()> verificar;
    TNegocio* objeto;
    std::function<std::string()> conteudo;
};

std::vector<Passo> Passos(TEmpregado& t)
{
    TVinculo& v = t.Vinculo();
    TInformacaoRescisao& r = v.Rescisao();
    return {
        {"ValidarPis", [&t] { return t.ValidarPis(); }, &t, [&t] { return t.Pis; }},
        {"ValidarCpf", [&t] { return t.ValidarCpf(); }, &t, [&t] { return t.Cpf; }},
        {"ValidarCategoria", [&v] { return v.ValidarCategoria(false); }, &v,
         [&v] { return Inteiro(v.Categoria); }},
        {"ValidarNome", [&t] { return t.ValidarNome(); }, &t, [&t] { return t.Nome; }},
        {"ValidarSexo", [&t] { return t.ValidarSexo(); }, &t, [&t] { return Inteiro(t.Sexo); }},
        {"ValidarGrauInstrucao", [&t] { return t.ValidarGrauInstrucao(); }, &t, [&t] { return t.GrauInstrucao; }},
        {"ValidarCbo", [&v] { return v.ValidarCbo(); }, &v, [&v] { return v.Cbo; }},
        {"ValidarCtps", [&t] { return t.ValidarCtps(true); }, &t, [&t] { return t.Ctps; }},
        {"ValidarSerieCtps", [&t] { return t.ValidarSerieCtps(true); }, &t, [&t] { return t.SerieCtps; }},
        {"ValidarDataNascimento", [&t] { return t.ValidarDataNascimento(); }, &t,
         [&t] { return Data(t.DataNascimento); }},
        {"ValidarDataAdmissao", [&v] { return v.ValidarDataAdmissao(true, nullptr); }, &v,
         [&v] { return Data(v.DataAdmissao); }},
        {"ValidarDataOpcao", [&v] { return v.ValidarDataOpcao(); }, &v, [&v] { return Data(v.DataOpcao); }},
        {"ValidarDataMovimentacao", [&v] { return v.ValidarDataMovimentacao(); }, &v,
         [&v] { return Data(v.DataMovimentacao); }},
        {"ValidarMovimentacao", [&v] { return v.ValidarMovimentacao(); }, &v, [&v] { return v.Movimentacao; }},
        {"ValidarAvisoPrevio", [&v] { return v.ValidarAvisoPrevio(); }, &v, [&v] { return Inteiro(v.AvisoPrevio); }},
        {"ValidarDataInicioAviso", [&v] { return v.ValidarDataInicioAviso(); }, &v,
         [&v] { return Data(v.DataInicioAviso); }},
        {"ValidarHorasSemanais", [&v] { return v.ValidarHorasSemanais(); }, &v,
         [&v] { return Inteiro(v.HorasSemanais); }},
        {"ValidarReposicaoVagas", [&v] { return v.ValidarReposicaoVagas(); }, &v, [&v] { return v.ReposicaoVagas; }},
        {"ValidarSaque", [&v] { return v.ValidarSaque(); }, &v, [&v] { return v.Saque; }},
        {"ValidarTipoTomador", [&v] { return v.ValidarTipoTomador(); }, &v,
         [&v] { return Inteiro(v.TipoInscricaoTomador); }},
        {"ValidarInscricaoTomador", [&v] { return v.ValidarInscricaoTomador(); }, &v,
         [&v] { return Inteiro(v.InscricaoTomador); }},
        {"ValidarBanco", [&v] { return v.ValidarBanco(); }, &v, [&v] { return v.Banco; }},
        {"ValidarAgencia", [&v] { return v.ValidarAgencia(); }, &v, [&v] { return v.Agencia; }},
        {"ValidarConta", [&v] { return v.ValidarConta(); }, &v, [&v] { return v.Conta; }},
        // The dissídio date is judged only when there is one.
        {"ValidarDataDissidio", [&r] { return r.DtDissidio == NullDate || r.ValidarDataDissidio(); }, &r,
         [&r] { return Data(r.DtDissidio); }},
        {"ValidarValorDissidio", [&r] { return r.ValidarValorDissidio(); }, &r,
         [&r] { return FormatarValor(r.VrDissidio); }},
        {"ValidarRemuneracoesI3", [&r] { return r.ValidarRemuneracoesI3(false); }, &r,
         [&r] { return FormatarValor(r.VrRemuneracaoAnteriorRscso + r.VrRemuneracaoRescisao + r.VrAvisoPrevio); }},
        {"ValidarRemuneracaoAnterior", [&r] { return r.ValidarRemuneracaoAnterior(); }, &r,
         [&r] { return FormatarValor(r.VrRemuneracaoAnteriorRscso); }},
        {"ValidarRemuneracaoRescisao", [&r] { return r.ValidarRemuneracaoRescisao(); }, &r,
         [&r] { return FormatarValor(r.VrRemuneracaoRescisao); }},
        {"ValidarAvisoPrevioIndenizado", [&r] { return r.ValidarAvisoPrevioIndenizado(); }, &r,
         [&r] { return FormatarValor(r.VrAvisoPrevio); }},
        {"ValidarTipoPensao", [&r] { return r.ValidarTipoPensao(); }, &r, [&r] { return r.TipoPensao; }},
        {"ValidarPensaoPercentual", [&r] { return r.ValidarPensaoPercentual(); }, &r,
         [&r] { return FormatarValor(r.VrPensaoAlmna); }},
        {"ValidarPensaoValor", [&r] { return r.ValidarPensaoValor(); }, &r,
         [&r] { return FormatarValor(r.VrPensaoAlmna); }},
    };
}

} // namespace

struct TValidacaoVinculo::Dados {
    // The run's stored complements and admissions, so the checks do not query them per link.
    TRegistrosGravados gravados;
};

TValidacaoVinculo::TValidacaoVinculo(TDBUtils& sessao) : sessao_(sessao) {}

TValidacaoVinculo::~TValidacaoVinculo() = default;

int64_t TValidacaoVinculo::ComandosBanco() const { return comandos_; }

TRetValidaCadastro TValidacaoVinculo::ValidarVinculo(int tipoInscricao, int64_t inscricao, int64_t pis,
                                                     int categoria, TDateTime admissao)
{
    return Executar(FiltroVinculo(tipoInscricao, inscricao, pis, categoria, admissao));
}

TRetValidaCadastro TValidacaoVinculo::ValidarEmpresa(int tipoInscricao, int64_t inscricao)
{
    return Executar("VINC.NU_TIPO_INSO_EMPRA = " + SqlNumero(tipoInscricao) +
                    " AND VINC.NU_INSCRICAO = " + SqlNumero(inscricao));
}

TRetValidaCadastro TValidacaoVinculo::ValidarTodos() { return Executar(""); }

TRetValidaCadastro TValidacaoVinculo::ValidarCadastros(TVinculo& vinculos)
{
    // The keys of the rows still ahead, validated in slices so that a long list stays a few
    // statements and a short one reads only its own links.
    std::vector<std::string> filtros;
    for (; !vinculos.Eof(); vinculos.Proximo()) {
        const TCampo tipo = vinculos.Campo("NU_TIPO_INSO_EMPRA");
        filtros.push_back("(" + FiltroVinculo(static_cast<int>(tipo.AsInt64()),
                                                vinculos.Campo("NU_INSCRICAO").AsInt64(),
                                                vinculos.Campo("NU_PIS").AsInt64(),
                                                static_cast<int>(vinculos.Campo("NU_CATEGORIA").AsInt64()),
                                                vinculos.Campo("DT_ADMISSAO_VINCULO").AsDateTime()) +
                          ")");
    }
    TRetValidaCadastro total;
    std::vector<TAchadoValidacao> achados;
    int examinados = 0;
    int64_t comandos = 0;
    constexpr size_t kFatia = 200;
    for (size_t i = 0; i < filtros.size(); i += kFatia) {
        std::string onde;
        for (size_t j = i; j < std::min(filtros.size(), i + kFatia); ++j)
            onde += (onde.empty() ? "" : " OR ") + filtros[j];
        const TRetValidaCadastro r = Executar(onde);
        total.Codigo = r.Codigo;
        total.Gravado = total.Gravado || r.Gravado;
        achados.insert(achados.end(), achados_.begin(), achados_.end());
        examinados += examinados_;
        comandos += comandos_;
    }
    achados_ = std::move(achados);
    examinados_ = examinados;
    comandos_ = comandos;
    return total;
}

TRetValidaCadastro TValidacaoVinculo::Executar(const std::string& condicao)
{
    const std::string filtro = condicao.empty() ? std::string() : "WHERE (" + condicao + ") ";
    achados_.clear();
    examinados_ = 0;
    comandos_ = 0;
    TSessaoValidacao sessao(sessao_);
    TRetValidaCadastro ret;

    // The responsible named in the register rows; one given by the caller stays the caller's.
    std::unique_ptr<TResponsavel> proprio;
    TResponsavel* responsavel = Responsavel;
    if (!responsavel) {
        proprio = std::make_unique<TResponsavel>(sessao);
        proprio->ConsultarResponsavel();
        responsavel = proprio.get();
    }

    auto vinculos = sessao.AbrirConsulta(std::string(kSqlVinculos) + filtro + kOrdem);
    if (vinculos->IsEmpty()) {
        comandos_ = sessao.Comandos();
        return ret;
    }

    Dados dados;
    {
        const std::string dosVinculos =
            "SELECT VINC.NU_TIPO_INSO_EMPRA, VINC.NU_INSCRICAO, VINC.NU_PIS, VINC.NU_CATEGORIA, VINC.DT_ADMISSAO_VINCULO "
            "FROM SFGTBG04_VINCULO_EMPREGATICIO VINC " + filtro;
        auto c = sessao.AbrirConsulta(
            "SELECT C.NU_TIPO_INSO_EMPRA, C.NU_INSCRICAO, C.NU_PIS, C.NU_CATEGORIA, C.DT_ADMISSAO_VINCULO, "
            "C.AA_COMPETENCIA, C.MM_COMPETENCIA FROM SFGTBG07_COMPLEMENTO_SALDO C WHERE EXISTS (" + dosVinculos +
            (filtro.empty() ? " WHERE " : " AND ") + SqlMesmaChave("VINC", "C") + ")");
        for (c->First(); !c->IsEmpty() && !c->Eof(); c->Next())
            if (auto k = TRegistrosGravados::ChaveDe(static_cast<int>(c->Field(0).AsInt64()), c->Field(1).AsInt64(),
                                                     c->Field(2).AsInt64(), static_cast<int>(c->Field(3).AsInt64()),
                                                     c->Field(4).AsDateTime()))
                dados.gravados.AdicionarComplemento(*k, static_cast<int>(c->Field(5).AsInt64()),
                                                    static_cast<int>(c->Field(6).AsInt64()));
        auto a = sessao.AbrirConsulta(
            "SELECT V2.NU_PIS, V2.DT_ADMISSAO_VINCULO FROM SFGTBG04_VINCULO_EMPREGATICIO V2 WHERE V2.NU_PIS IN "
            "(SELECT VINC.NU_PIS FROM SFGTBG04_VINCULO_EMPREGATICIO VINC " + filtro + ")");
        for (a->First(); !a->IsEmpty() && !a->Eof(); a->Next())
            dados.gravados.AdicionarAdmissao(a->Field(0).AsInt64(), a->Field(1).AsDateTime());
    }

    std::unique_ptr<TInconsistencia> registro;
    if (Registrar) {
        registro = std::make_unique<TInconsistencia>(sessao);
        registro->NumeroArquivo = InconsistenciaFechamento;
    }
    const std::string tipoResponsavel = responsavel->TipoInscricao ? Inteiro(responsavel->TipoInscricao) : "";
    const std::string inscricaoResponsavel = responsavel->TipoInscricao ? responsavel->InscricaoFormatada() : "";

    TTransacao transacao(sessao);
    for (vinculos->First(); !vinculos->Eof(); vinculos->Next()) {
        TEmpregado trabalhador(sessao);
        trabalhador.CarregaRelacionados = false;
        CarregarLinha(*vinculos, trabalhador);
        TVinculo& v = trabalhador.Vinculo();

        // Work-card numbers are stored as numbers: their leading zeros come back here. A director
        // has no work card at all; a notice start of day 0 is no date.
        if (v.Categoria == 5) {
            trabalhador.Ctps.clear();
            trabalhador.SerieCtps.clear();
        } else {
            trabalhador.Ctps = Preencher(trabalhador.Ctps, '0', true, 7);
            trabalhador.SerieCtps = Preencher(trabalhador.SerieCtps, '0', true, 5);
        }
        if (v.DataInicioAviso == 0)
            v.DataInicioAviso = NullDate;

        // The per-link questions of the checks, answered from what the run read in bulk.
        v.Gravados = &dados.gravados;

        std::string codigo, conteudo, verificacao;
        for (const Passo& p : Passos(trabalhador)) {
            if (!p.verificar()) {
                codigo = p.objeto->CodigoMensagem;
                conteudo = p.conteudo();
                verificacao = p.nome;
                break;
            }
        }
        ++examinados_;
        ret.Codigo = codigo;

        if (!codigo.empty()) {
            TAchadoValidacao a;
            a.TipoInscricao = v.TipoInscricao;
            a.Inscricao = v.Inscricao;
            a.Pis = v.Pis;
            a.Categoria = v.Categoria;
            a.DataAdmissao = v.DataAdmissao;
            a.RazaoSocial = v.Empresa().RazaoSocial;
            a.NomeEmpregado = trabalhador.Nome;
            a.Codigo = codigo;
            a.Verificacao = verificacao;
            a.Conteudo = conteudo;
            if (registro) {
                // A message the table lacks stops the run (EMensagemNaoCadastrada), as in every
                // other run that records: its findings could not be shown.
                const int r = registro->RegistrarInconsistencia(
                    conteudo, "", 0, StrToInteiro(codigo), tipoResponsavel, inscricaoResponsavel,
                    responsavel->RazaoSocial, Inteiro(v.TipoInscricao), v.Empresa().InscricaoFormatada(),
                    a.RazaoSocial, trabalhador.Pis, Inteiro(v.Categoria), DataDdMmAaaa(v.DataAdmissao),
                    trabalhador.Nome);
                if (r == RegistroGravado)
                    ret.Gravado = true;
            }
            achados_.push_back(std::move(a));
        }
        if (!v.GravarValidacao(false, !codigo.empty()))
            throw ENegocio("Não foi possível gravar a validação do vínculo do PIS " + trabalhador.Pis + ".");
    }
    transacao.Confirmar();
    comandos_ = sessao.Comandos();
    return ret;
}

} // namespace drav
