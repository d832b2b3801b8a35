#include "calc/Indices.h"

#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"

#include <cmath>

namespace drav {

namespace {

// A date as the key of an index row: its whole day, or a value no row carries.
int32_t DiaChave(TDateTime d)
{
    if (!std::isfinite(d) || d <= NullDate || std::fabs(d) > 4.0e6)
        return INT32_MIN;
    return static_cast<int32_t>(SomenteData(d));
}

bool SemData(TDateTime d) { return !std::isfinite(d) || d <= NullDate || d == DataInvalida; }

TTabelasIndicesMemoria::Chave Chave2(TDateTime a, TDateTime b) { return {DiaChave(a), DiaChave(b), 0}; }

std::optional<double> IndiceLido(const TResultado& r, int coluna)
{
    const TCampo c = r.Field(coluna);
    if (c.IsNull())
        return std::nullopt;
    return c.AsFloat();
}

std::string MesAno(TDateTime d) { return SemData(d) ? "00/0000" : FormatarDataHora("mm/yyyy", d); }

} // namespace

// --- rules ----------------------------------------------------------------------------------------

PeriodoOpcao PeriodoDaOpcao(TDateTime opcao)
{
    if (SemData(opcao))
        return PeriodoOpcao::Nenhum;
    const TDateTime dia = SomenteData(opcao);
    const int ano = DecodificarData(dia).ano;
    if (ano < 1967)
        return PeriodoOpcao::Nenhum;
    switch (ano) {
    case 1967: return PeriodoOpcao::Ano1967;
    case 1968: return PeriodoOpcao::Ano1968;
    case 1969: return PeriodoOpcao::Ano1969;
    case 1970: return PeriodoOpcao::Ano1970;
    default:
        return dia < CodificarData(1971, 9, 23) ? PeriodoOpcao::Ate0971 : PeriodoOpcao::Maior0971;
    }
}

const char* SufixoPeriodo(PeriodoOpcao periodo)
{
    switch (periodo) {
    case PeriodoOpcao::Ano1967: return "67";
    case PeriodoOpcao::Ano1968: return "68";
    case PeriodoOpcao::Ano1969: return "69";
    case PeriodoOpcao::Ano1970: return "70";
    case PeriodoOpcao::Ate0971: return "ATE_0971";
    case PeriodoOpcao::Maior0971: return "MAIOR_0971";
    case PeriodoOpcao::Nenhum: break;
    }
    return "";
}

TDateTime EditalDoPagamento(TDateTime pagamento)
{
    if (SemData(pagamento))
        return NullDate;
    const DataCivil c = DecodificarData(pagamento);
    if (c.dia >= 10)
        return CodificarData(c.ano, c.mes, 1);
    return c.mes == 1 ? CodificarData(c.ano - 1, 12, 1) : CodificarData(c.ano, c.mes - 1, 1);
}

int VarianteSimplificado(TDateTime pagamento, TDateTime competencia)
{
    const int dia = DecodificarData(pagamento).dia;
    if (dia >= 10)
        return 1;
    if (dia >= 8)
        return 2;
    return SomenteData(competencia) < CodificarData(1989, 9, 1) ? 2 : 1;
}

// --- tables in memory -----------------------------------------------------------------------------

std::size_t TTabelasIndicesMemoria::HashChave::operator()(const Chave& k) const noexcept
{
    uint64_t h = static_cast<uint32_t>(k.a);
    h = h * 0x9E3779B97F4A7C15ULL + static_cast<uint32_t>(k.b);
    h = h * 0x9E3779B97F4A7C15ULL + static_cast<uint32_t>(k.c);
    return static_cast<std::size_t>(h ^ (h >> 29));
}

void TTabelasIndicesMemoria::AdicionarSimplificado(TDateTime edital, TDateTime competencia,
                                                   const TIndicesSimplificados& linha)
{
    simplificado_[Chave2(edital, competencia)] = linha;
}

void TTabelasIndicesMemoria::AdicionarProrata(TDateTime edital, TDateTime pagamento, const TIndicesProrata& linha)
{
    prorata_[Chave2(edital, pagamento)] = linha;
}

void TTabelasIndicesMemoria::AdicionarGuia(TDateTime edital, TDateTime vencimento, TDateTime pagamento,
                                           const TIndicesGuia& linha)
{
    guia_[{DiaChave(edital), DiaChave(vencimento), DiaChave(pagamento)}] = linha;
}

const TIndicesSimplificados* TTabelasIndicesMemoria::Simplificado(TDateTime edital, TDateTime competencia) const
{
    if (SemData(edital) || SemData(competencia))
        return nullptr;
    const auto it = simplificado_.find(Chave2(edital, competencia));
    return it == simplificado_.end() ? nullptr : &it->second;
}

const TIndicesProrata* TTabelasIndicesMemoria::Prorata(TDateTime edital, TDateTime pagamento) const
{
    if (SemData(edital) || SemData(pagamento))
        return nullptr;
    const auto it = prorata_.find(Chave2(edital, pagamento));
    return it == prorata_.end() ? nullptr : &it->second;
}

const TIndicesGuia* TTabelasIndicesMemoria::Guia(TDateTime edital, TDateTime vencimento, TDateTime pagamento) const
{
    if (SemData(edital) || SemData(vencimento) || SemData(pagamento))
        return nullptr;
    const auto it = guia_.find({DiaChave(edital), DiaChave(vencimento), DiaChave(pagamento)});
    return it == guia_.end() ? nullptr : &it->second;
}

// --- tables of the database -----------------------------------------------------------------------

TTabelasIndicesBanco::TTabelasIndicesBanco(TDBUtils& sessao) : sessao_(sessao) {}

void TTabelasIndicesBanco::CarregarSimplificado() const
{
    std::call_once(simplificado_, [this] {
        std::string sql = "SELECT DT_EDITAL_SIMPLIFICADO, DT_COMPETENCIA_SIMPLIFICADO";
        for (int p = 0; p < kPeriodosOpcao; ++p)
            sql += std::string(", IN_JAM_OPCAO_") + SufixoPeriodo(static_cast<PeriodoOpcao>(p));
        // The two last periods' simplified columns carry a shortened name.
        for (const char* v : {"1", "2"}) {
            for (int p = 0; p < 4; ++p)
                sql += std::string(", IN_SIMPLIFICADO_") + v + "_OPCAO_" + SufixoPeriodo(static_cast<PeriodoOpcao>(p));
            sql += std::string(", IN_SMPLO_") + v + "_OPCAO_ATE_0971, IN_SMPLO_" + v + "_OPCAO_MAIOR_0971";
        }
        const auto r = sessao_.AbrirConsulta(sql + " FROM SFGTBT17_INDICE_SIMPLIFICADO");
        for (r->First(); !r->Eof(); r->Next()) {
            TIndicesSimplificados linha;
            for (int p = 0; p < kPeriodosOpcao; ++p) {
                linha.Jam[p] = IndiceLido(*r, 2 + p);
                linha.Simplificado1[p] = IndiceLido(*r, 2 + kPeriodosOpcao + p);
                linha.Simplificado2[p] = IndiceLido(*r, 2 + 2 * kPeriodosOpcao + p);
            }
            tabelas_.AdicionarSimplificado(r->Field(0).AsDateTime(), r->Field(1).AsDateTime(), linha);
        }
    });
}

void TTabelasIndicesBanco::CarregarProrata() const
{
    std::call_once(prorata_, [this] {
        const auto r = sessao_.AbrirConsulta("SELECT DT_EDITAL_PRORATA, DT_RECOLHIMENTO_PRORATA, IN_ATRASO_MES, "
                                             "IN_ATRASO_1_MES, IN_ATRASO_2_MESES FROM SFGTBT18_INDICE_PRORATA");
        for (r->First(); !r->Eof(); r->Next())
            tabelas_.AdicionarProrata(r->Field(0).AsDateTime(), r->Field(1).AsDateTime(),
                                      {IndiceLido(*r, 2), IndiceLido(*r, 3), IndiceLido(*r, 4)});
    });
}

void TTabelasIndicesBanco::CarregarGuia() const
{
    std::call_once(guia_, [this] {
        const auto r = sessao_.AbrirConsulta("SELECT DT_EDITAL_GUIA, DT_VENCIMENTO, DT_RCLTO_INDICE_RESCISORIA, "
                                             "VR_INDICE, VR_INDICE_MULTA_RESCISORIA "
                                             "FROM SFGTBT16_INDICE_GUIA_RESCISORIA");
        for (r->First(); !r->Eof(); r->Next())
            tabelas_.AdicionarGuia(r->Field(0).AsDateTime(), r->Field(1).AsDateTime(), r->Field(2).AsDateTime(),
                                   {IndiceLido(*r, 3), IndiceLido(*r, 4)});
    });
}

void TTabelasIndicesBanco::CarregarTudo() const
{
    CarregarSimplificado();
    CarregarProrata();
    CarregarGuia();
}

const TIndicesSimplificados* TTabelasIndicesBanco::Simplificado(TDateTime edital, TDateTime competencia) const
{
    CarregarSimplificado();
    return tabelas_.Simplificado(edital, competencia);
}

const TIndicesProrata* TTabelasIndicesBanco::Prorata(TDateTime edital, TDateTime pagamento) const
{
    CarregarProrata();
    return tabelas_.Prorata(edital, pagamento);
}

const TIndicesGuia* TTabelasIndicesBanco::Guia(TDateTime edital, TDateTime vencimento, TDateTime pagamento) const
{
    CarregarGuia();
    return tabelas_.Guia(edital, vencimento, pagamento);
}

// --- look-ups of the calculation ------------------------------------------------------------------

TIndicesCalculo::TIndicesCalculo(const ITabelasIndices& tabelas, IRegistroInconsistencias* registro)
    : tabelas_(tabelas), registro_(registro)
{
}

void TIndicesCalculo::RegistrarFalta(const std::string& conteudo) const
{
    if (!registro_)
        return;
    TDadosInconsistencia d = Identificacao;
    d.NumeroArquivo = InconsistenciaFechamento;
    d.NumeroMensagem = 372;
    d.ConteudoCampo = conteudo;
    // The calculation stops on the missing index whatever the register answers; a row it could
    // not write is the register's to report.
    registro_->Registrar(d);
}

std::optional<double> TIndicesCalculo::IndiceJAM(int categoria, TDateTime competencia, TDateTime opcao,
                                                 TDateTime edital) const
{
    const std::string chave = "Competência " + MesAno(competencia) + " edital " + MesAno(edital);
    const TIndicesSimplificados* linha = tabelas_.Simplificado(edital, competencia);
    if (!linha) {
        RegistrarFalta(chave);
        return std::nullopt;
    }
    const PeriodoOpcao periodo = categoria == 2 ? PeriodoOpcao::Maior0971 : PeriodoDaOpcao(opcao);
    if (periodo == PeriodoOpcao::Nenhum) {
        RegistrarFalta(chave + " opção " + (SemData(opcao) ? std::string("não informada") : DataParaTexto(opcao)));
        return std::nullopt;
    }
    const auto& valor = linha->Jam[static_cast<int>(periodo)];
    if (!valor)
        RegistrarFalta(chave + " IN_JAM_OPCAO_" + SufixoPeriodo(periodo));
    return valor;
}

std::optional<double> TIndicesCalculo::IndiceProRata(TDateTime competenciaIndice, TDateTime pagamento,
                                                     TDateTime competencia, TDateTime opcao, TDateTime edital) const
{
    const TIndicesProrata* prorata = tabelas_.Prorata(edital, pagamento);
    if (!prorata || SemData(competencia))
        return std::nullopt;
    const int atraso = MesesEntre(edital, competencia);
    if (atraso < 0)
        return std::nullopt;
    if (atraso == 0)
        return prorata->AtrasoMes ? std::optional(TruncarDecimais(*prorata->AtrasoMes, 9)) : std::nullopt;
    if (atraso == 1)
        return prorata->Atraso1Mes ? std::optional(TruncarDecimais(*prorata->Atraso1Mes, 9)) : std::nullopt;
    if (!prorata->Atraso2Meses)
        return std::nullopt;
    double simplificado = 1.0;
    const PeriodoOpcao periodo = PeriodoDaOpcao(opcao);
    if (periodo != PeriodoOpcao::Nenhum) {
        const TIndicesSimplificados* linha = tabelas_.Simplificado(edital, competenciaIndice);
        if (!linha)
            return std::nullopt;
        const auto& colunas =
            VarianteSimplificado(pagamento, competencia) == 1 ? linha->Simplificado1 : linha->Simplificado2;
        const auto& valor = colunas[static_cast<int>(periodo)];
        if (!valor)
            return std::nullopt;
        simplificado = *valor;
    }
    return TruncarDecimais(simplificado * *prorata->Atraso2Meses, 9);
}

std::optional<double> TIndicesCalculo::IndiceGuia(TDateTime edital, TDateTime vencimento, TDateTime pagamento) const
{
    const TIndicesGuia* linha = tabelas_.Guia(edital, vencimento, pagamento);
    return linha ? linha->Indice : std::nullopt;
}

std::optional<double> TIndicesCalculo::IndiceGuiaMulta(TDateTime edital, TDateTime vencimento,
                                                       TDateTime pagamento) const
{
    const TIndicesGuia* linha = tabelas_.Guia(edital, vencimento, pagamento);
    return linha ? linha->IndiceMulta : std::nullopt;
}

} // namespace drav
