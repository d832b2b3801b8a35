#include "model/Vinculo.h"

#include "core/Conversao.h"
#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"
#include "model/ChaveVinculo.h"
#include "model/Empregado.h"
#include "model/Empresa.h"
#include "model/InformacaoRescisao.h"

namespace drav {

namespace {

constexpr const char* kOrdemChave = " ORDER BY VINC.NU_TIPO_INSO_EMPRA, VINC.NU_INSCRICAO, VINC.NU_PIS, "
                                    "VINC.DT_ADMISSAO_VINCULO, VINC.NU_CATEGORIA";

} // namespace

TVinculo::TVinculo(TDBUtils& sessao) : TNegocio(sessao)
{
    Inicializar();
}

TVinculo::~TVinculo() = default;

void TVinculo::Inicializar()
{
    TipoInscricao = 0;
    Inscricao = 0;
    Pis = 0;
    Categoria = 0;
    DataAdmissao = NullDate;
    EstadoMovimento = EstadoRegistrado;
    TipoInscricaoTomador = 0;
    InscricaoTomador = 0;
    HorasSemanais = 0;
    AvisoPrevio = 0;
    ReposicaoVagas.clear();
    Cbo.clear();
    Movimentacao.clear();
    Saque.clear();
    DataOpcao = DataMovimentacao = DataInicioAviso = NullDate;
    DescricaoMovimentacao.clear();
    Inconsistente = false;
    Banco.clear();
    Agencia.clear();
    Conta.clear();
    // The bank columns are read too: the rescission file writes the worker's account from here.
    SqlSelect = "SELECT VINC.NU_TIPO_INSO_EMPRA, VINC.NU_INSCRICAO, VINC.NU_PIS, VINC.NU_CATEGORIA, "
                "VINC.DT_ADMISSAO_VINCULO, VINC.CO_MOVIMENTACAO, VINC.CO_CBO, VINC.CO_SAQUE, VINC.DT_OPCAO, "
                "VINC.NU_TIPO_INSO_TMDR, VINC.NU_INSCRICAO_TMDR, VINC.IC_AVISO_PREVIO, VINC.DT_INICIO_AVISO_PRVO, "
                "VINC.IC_REPOSICAO_VAGAS, VINC.QT_HORAS_TRBS_SMNA, VINC.IC_ESTADO_MOVIMENTO, "
                "VINC.DT_MOVIMENTACAO_VINCULO, VINC.IC_VALIDACAO_VINCULO, TIPMOV.DE_MOVIMENTACAO, "
                "VINC.NU_BANCO_CONTA, VINC.NU_AGENCIA_CONTA, VINC.NU_CONTA_BANCARIA ";
    SqlFrom = "FROM SFGTBG04_VINCULO_EMPREGATICIO VINC JOIN SFGTBT07_TIPO_MOVIMENTACAO TIPMOV "
              "ON VINC.CO_MOVIMENTACAO = TIPMOV.CO_MOVIMENTACAO ";
}

void TVinculo::Limpar()
{
    empresa_.reset();
    trabalhador_.reset();
    rescisao_.reset();
}

void TVinculo::CarregarCampos()
{
    TNegocio::CarregarCampos();
    TipoInscricao = static_cast<int>(Campo("NU_TIPO_INSO_EMPRA").AsInt64());
    Inscricao = Campo("NU_INSCRICAO").AsInt64();
    Pis = Campo("NU_PIS").AsInt64();
    Categoria = static_cast<int>(Campo("NU_CATEGORIA").AsInt64());
    DataAdmissao = Campo("DT_ADMISSAO_VINCULO").AsDateTime();
    Movimentacao = Aparar(Campo("CO_MOVIMENTACAO").AsString());
    Cbo = Aparar(Campo("CO_CBO").AsString());
    Saque = Aparar(Campo("CO_SAQUE").AsString());
    DataOpcao = Campo("DT_OPCAO").AsDateTime();
    TipoInscricaoTomador = static_cast<int>(Campo("NU_TIPO_INSO_TMDR").AsInt64());
    InscricaoTomador = Campo("NU_INSCRICAO_TMDR").AsInt64();
    AvisoPrevio = StrToInteiro(Campo("IC_AVISO_PREVIO").AsString());
    DataInicioAviso = Campo("DT_INICIO_AVISO_PRVO").AsDateTime();
    ReposicaoVagas = Aparar(Campo("IC_REPOSICAO_VAGAS").AsString());
    HorasSemanais = static_cast<int>(Campo("QT_HORAS_TRBS_SMNA").AsInt64());
    EstadoMovimento = static_cast<int>(Campo("IC_ESTADO_MOVIMENTO").AsInt64());
    DataMovimentacao = Campo("DT_MOVIMENTACAO_VINCULO").AsDateTime();
    DescricaoMovimentacao = Campo("DE_MOVIMENTACAO").AsString();
    Inconsistente = Aparar(Campo("IC_VALIDACAO_VINCULO").AsString()) == "S";
    const int64_t banco = Campo("NU_BANCO_CONTA").AsInt64();
    Banco = banco != 0 ? CompletarZeros(std::to_string(banco), 3) : std::string();
    const int64_t agencia = Campo("NU_AGENCIA_CONTA").AsInt64();
    Agencia = agencia != 0 ? std::to_string(agencia) : std::string();
    const int64_t conta = Campo("NU_CONTA_BANCARIA").AsInt64();
    Conta = conta != 0 ? std::to_string(conta) : std::string();
}

// --- related objects -----------------------------------------------------------------------------

TEmpresa& TVinculo::Empresa()
{
    if (!empresa_) {
        empresa_ = std::make_unique<TEmpresa>(Sessao());
        if (CarregaRelacionados)
            empresa_->ConsultarEmpresa(TipoInscricao, Inscricao);
    }
    return *empresa_;
}

TEmpregado& TVinculo::Trabalhador()
{
    if (trabalhadorDono_)
        return *trabalhadorDono_;
    if (!trabalhador_) {
        trabalhador_ = std::make_unique<TEmpregado>(Sessao());
        if (CarregaRelacionados)
            trabalhador_->ConsultarVinculo(TipoInscricao, std::to_string(Inscricao), DataAdmissao, Categoria,
                                           std::to_string(Pis));
    }
    return *trabalhador_;
}

TInformacaoRescisao& TVinculo::Rescisao()
{
    if (rescisaoDona_)
        return *rescisaoDona_;
    if (!rescisao_) {
        rescisao_ = std::make_unique<TInformacaoRescisao>(Sessao());
        rescisao_->vinculoDono_ = this;
        CopiarChaveVinculo(*this, *rescisao_);
        if (CarregaRelacionados)
            rescisao_->ConsultarRescisao(TipoInscricao, Categoria, DataAdmissao, Pis, Inscricao);
    }
    return *rescisao_;
}

// --- queries -------------------------------------------------------------------------------------

std::string TVinculo::FiltroChave(const std::string& alias) const
{
    return SqlChaveVinculo(alias, TipoInscricao, Inscricao, Pis, Categoria, DataAdmissao);
}

std::string TVinculo::FiltroChave(const std::string& alias, int tipoInscricao, int64_t inscricao, int64_t pis,
                                  int categoria, TDateTime admissao)
{
    return SqlChaveVinculo(alias, tipoInscricao, inscricao, pis, categoria, admissao);
}

bool TVinculo::ConsultarPorChave()
{
    AbrirConsulta("WHERE " + FiltroChave("VINC") + kOrdemChave);
    return TemRegistros();
}

bool TVinculo::BuscarVinculo(int tipoInscricao, int categoria, TDateTime admissao, int64_t pis, int64_t inscricao)
{
    CodigoMensagem.clear();
    try {
        AbrirConsulta("WHERE " + SqlChaveVinculo("VINC", tipoInscricao, inscricao, pis, categoria, admissao));
    } catch (const EDrav&) {
        CodigoMensagem = "0144";
        return false;
    }
    return TemRegistros() && CodigoMensagem.empty();
}

bool TVinculo::ListarMarcados(bool todos, int tipoInscricao, TDateTime admissao, int categoria, int64_t pis,
                              int64_t inscricao)
{
    std::string filtro = "WHERE VINC.IC_ESTADO_MOVIMENTO = 1";
    if (!todos) {
        if (tipoInscricao > 0)
            filtro += " AND VINC.NU_TIPO_INSO_EMPRA = " + std::to_string(tipoInscricao);
        if (inscricao > 0)
            filtro += " AND VINC.NU_INSCRICAO = " + std::to_string(inscricao);
        if (pis > 0)
            filtro += " AND VINC.NU_PIS = " + std::to_string(pis);
        if (categoria > 0)
            filtro += " AND VINC.NU_CATEGORIA = " + std::to_string(categoria);
        if (admissao > 0)
            filtro += " AND VINC.DT_ADMISSAO_VINCULO = " + SqlData(admissao);
    }
    AbrirConsulta(filtro + kOrdemChave);
    return TemRegistros();
}

bool TVinculo::ListarTodos()
{
    AbrirConsulta("");
    return TemRegistros();
}

std::string TVinculo::MovimentacaoGravada(int tipoInscricao, int categoria, TDateTime admissao, int64_t pis,
                                          int64_t inscricao)
{
    CodigoMensagem.clear();
    try {
        auto r = Sessao().AbrirConsulta("SELECT CO_MOVIMENTACAO FROM SFGTBG04_VINCULO_EMPREGATICIO WHERE " +
                                        SqlChaveVinculo("", tipoInscricao, inscricao, pis, categoria, admissao));
        return r->IsEmpty() ? std::string() : Aparar(r->FieldByName("CO_MOVIMENTACAO").AsString());
    } catch (const EDrav&) {
        CodigoMensagem = "0144";
        return {};
    }
}

double TVinculo::ValorDissidioGravado(int tipoInscricao, int categoria, TDateTime admissao, int64_t pis,
                                      int64_t inscricao)
{
    CodigoMensagem.clear();
    try {
        auto r = Sessao().AbrirConsulta("SELECT VR_DISSIDIO FROM SFGTBG06_INFORMACAO_RESCISAO WHERE " +
                                        SqlChaveVinculo("", tipoInscricao, inscricao, pis, categoria, admissao));
        return r->IsEmpty() ? 0.0 : r->FieldByName("VR_DISSIDIO").AsFloat();
    } catch (const EDrav&) {
        CodigoMensagem = "0144";
        return 0.0;
    }
}

bool TVinculo::GravarValidacao(bool todos, bool inconsistente)
{
    CodigoMensagem.clear();
    Inconsistente = inconsistente;
    try {
        std::string sql = std::string("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_VALIDACAO_VINCULO = ") +
                          (inconsistente ? "'S'" : "'N'");
        if (!todos) {
            if (EstadoMovimento == EstadoMarcado && inconsistente)
                sql += ", IC_ESTADO_MOVIMENTO = 0";
            sql += " WHERE " + FiltroChave();
        }
        TTransacao t(Sessao());
        Sessao().ExecutarSQL(sql);
        if (todos)
            Sessao().ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 0 "
                                 "WHERE IC_VALIDACAO_VINCULO = 'S' AND IC_ESTADO_MOVIMENTO = 1");
        t.Confirmar();
    } catch (const EDrav&) {
        CodigoMensagem = "0144";
        return false;
    }
    if (!todos && EstadoMovimento == EstadoMarcado && inconsistente)
        EstadoMovimento = EstadoRegistrado;
    return true;
}

std::string TVinculo::DescricaoAvisoPrevio(int tipo)
{
    switch (tipo) {
    case 1:
        return "1 - Trabalhado";
    case 2:
        return "2 - Indenizado";
    case 3:
        return "3 - Ausência/Dispensa";
    default:
        return {};
    }
}

std::string TVinculo::DescricaoAvisoPrevio() const { return DescricaoAvisoPrevio(AvisoPrevio); }

} // namespace drav
