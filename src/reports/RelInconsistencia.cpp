#include "reports/RelInconsistencia.h"

#include "calc/Inconsistencia.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Mensagens.h"
#include "core/Utilitarios.h"
#include "model/Responsavel.h"
#include "reports/RelComum.h"

namespace drav {

namespace {

constexpr int kMensagemProrata = 201;
constexpr int kMensagemCompetencia = 372;


// Column positions on the landscape page, per line of an entry.
constexpr double kxPis = 160, kwPis = 34;
constexpr double kxAdmissao = 198, kwAdmissao = 24;
constexpr double kxCategoria = 226, kwCategoria = 14;
constexpr double kxConteudo = 28;

struct OpcoesListagem {
    bool fechamento = false;
    std::string responsavel;
    TDateTime dataEdital = NullDate;
};

// Employer line: a CEI (type 2) as 12 digits, any other type as a CNPJ.
std::string InscricaoEmpresa(const std::string& tipo, const std::string& numero)
{
    if (Aparar(tipo) == "2")
        return CompletarZeros(SoDigitos(numero), 12);
    return FormatarCNPJ(SoDigitos(numero));
}

Banda CabecalhoPagina(const OpcoesListagem& o, double w)
{
    Banda b;
    b.Texto(0, 0.8, w, o.responsavel, Fonte{8, true});
    double y = 6.0;
    const double passo = AlturaLinha(7) + 0.2;
    const double x2 = o.fechamento ? 0 : kxConteudo;
    b.Texto(0, y, kxPis - 4, "TRABALHADOR", kRotulo);
    b.Texto(kxPis, y, kwPis, "PIS/PASEP", kRotulo);
    b.Texto(kxAdmissao, y, kwAdmissao, "ADMISSÃO", kRotulo);
    b.Texto(kxCategoria, y, kwCategoria, "CAT", kRotulo);
    y += passo;
    if (!o.fechamento)
        b.Texto(0, y, kxConteudo - 2, "REGISTRO", kRotulo);
    b.Texto(x2, y, w - x2, "CONTEÚDO DO CAMPO", kRotulo);
    y += passo;
    if (!o.fechamento)
        b.Texto(0, y, kxConteudo - 2, "LINHA DO ERRO", kRotulo);
    b.Texto(x2, y, w - x2, "CÓDIGO - DESCRIÇÃO DO ERRO", kRotulo);
    y += passo + 0.6;
    b.Linha(0, y, w);
    b.altura = y + 1.0;
    return b;
}

DetalheRelatorio Entrada(const TInconsistencia& r, const OpcoesListagem& o, double w)
{
    DetalheRelatorio d;
    const std::string tipoEmpresa = r.Campo("NU_TIPO_INSCRICAO_EMPRESA").AsString();
    const std::string inscricao = Aparar(r.Campo("NU_INSCRICAO_EMPRESA").AsString());
    if (!inscricao.empty()) {
        d.chaveGrupo = Aparar(tipoEmpresa) + ":" + inscricao;
        d.grupo.Texto(0, 0.8, w, "EMPRESA: " + InscricaoEmpresa(tipoEmpresa, inscricao) + " - " +
                                     Aparar(r.Campo("NO_RAZAO_SOCIAL").AsString()),
                      Fonte{8, true});
        d.grupo.altura += 0.6;
    }

    const std::string pis = Aparar(r.Campo("CO_PIS_INCONSISTENCIA").AsString());
    std::string conteudo = AparaDireita(r.Campo("DE_CONTEUDO_CAMPO").AsString());
    const std::string conteudoMostrado = Aparar(conteudo) == "30/12/1899" ? "00000000" : conteudo;
    const int mensagem = r.Campo("NU_MENSAGEM").AsInteger();
    const std::string texto = r.Campo("DE_MENSAGEM").AsString();

    Banda& b = d.banda;
    double y = 0.8;
    b.Texto(0, y, kxPis - 4, r.Campo("NO_EMPREGADO").AsString(), kDado);
    b.Texto(kxPis, y, kwPis, pis.empty() || pis == "0" ? std::string() : FormatarPIS(SoDigitos(pis)), kDado);
    b.Texto(kxAdmissao, y, kwAdmissao, DataOuVazio(r.Campo("DT_ADMISSAO_INCONSISTENCIA").AsDateTime()), kDado);
    b.Texto(kxCategoria, y, kwCategoria, Aparar(r.Campo("CO_CATEGORIA_INCONSISTENCIA").AsString()), kDado);
    y += kPasso;
    const double x2 = o.fechamento ? 0 : kxConteudo;
    if (!o.fechamento)
        b.Texto(0, y, kxConteudo - 2, Aparar(r.Campo("CO_REGISTRO").AsString()), kDado);
    b.Texto(x2, y, w - x2, conteudoMostrado, kDado);
    y += kPasso;
    if (!o.fechamento) {
        const auto linha = r.Campo("NU_LINHA_ERRO");
        b.Texto(0, y, kxConteudo - 2, linha.IsNull() ? std::string() : CompletarZeros(linha.AsString(), 5), kDado);
    }
    b.Texto(x2, y, w - x2,
            o.fechamento ? DescricaoInconsistenciaFechamento(mensagem, texto, o.dataEdital)
                         : DescricaoInconsistenciaCarga(mensagem, texto, conteudo, o.dataEdital),
            kDado);
    y += kPasso + 0.8;
    b.Linha(0, y, w, 0xC8C8C8);
    b.altura = y + 0.2;
    return d;
}

// Lays the rows out from the first, which the caller has positioned.
DocumentoRelatorio Montar(TInconsistencia& linhas, const Moldura& moldura, const OpcoesListagem& o)
{
    DefinicaoRelatorio def;
    def.papel = Papel::PaisagemA4;
    def.moldura = moldura;
    const double w = LarguraUtil(def.papel);
    def.cabecalhoPagina = CabecalhoPagina(o, w);
    for (linhas.Primeiro(); !linhas.Eof(); linhas.Proximo())
        def.detalhes.push_back(Entrada(linhas, o, w));
    return Paginar(def);
}

} // namespace

std::string TipoArquivoInconsistencia(int numeroArquivo)
{
    switch (numeroArquivo) {
    case InconsistenciaFolha:
        return "FOLHA DE PAGAMENTO";
    case InconsistenciaSaldo:
        return "ARQUIVO SALDO RESCISÓRIO";
    case InconsistenciaGuias:
        return "ARQUIVO GUIAS PARA RECOLHIMENTO";
    case InconsistenciaGuiasProcessadas:
        return "ARQUIVO GUIAS PROCESSADAS";
    default:
        return {};
    }
}

std::string DescricaoInconsistenciaCarga(int mensagem, const std::string& texto, const std::string& conteudo,
                                         TDateTime dataEdital)
{
    std::string descricao = texto;
    if (mensagem == kMensagemProrata) {
        descricao = SubstituirMarcadores(descricao, {TextoPeriodoProrata(dataEdital, true)});
    } else if (mensagem == kMensagemCompetencia) {
        // The content is the competence as mmyyyy.
        const auto c = SepararCaracteres(Aparar(conteudo));
        std::string mes, ano;
        for (std::size_t i = 0; i < c.size() && i < 6; ++i)
            (i < 2 ? mes : ano) += c[i];
        const std::string edital = dataEdital == NullDate ? std::string() : FormatarData(dataEdital);
        descricao = SubstituirMarcadores(descricao, {mes + "/" + ano, edital});
    }
    return std::to_string(mensagem) + " - " + descricao;
}

std::string DescricaoInconsistenciaFechamento(int mensagem, const std::string& texto, TDateTime dataEdital)
{
    std::string descricao = texto;
    if (mensagem == kMensagemProrata) {
        // The message carries a placeholder for the window; leaving a bare "&" in front of the
        // window would print it, so the window takes its place.
        const std::string janela = TextoPeriodoProrata(dataEdital, false);
        if (descricao.find('&') != std::string::npos)
            descricao = SubstituirMarcadores(descricao, {janela});
        else
            descricao += janela.empty() ? std::string() : " " + janela;
    }
    return std::to_string(mensagem) + " - " + descricao;
}

TRelInconsistencia::TRelInconsistencia(TDBUtils& sessao, TDateTime dataEdital)
    : sessao_(sessao), dataEdital_(dataEdital)
{
}

TRelInconsistencia::~TRelInconsistencia() = default;

bool TRelInconsistencia::Preparar(int numeroArquivo)
{
    const std::string tipo = TipoArquivoInconsistencia(numeroArquivo);
    if (tipo.empty())
        throw ENegocio("Listagem de inconsistências de carga sem tipo de arquivo: " + std::to_string(numeroArquivo));
    documento_ = {};
    TInconsistencia linhas(sessao_);
    linhas.FiltroArquivo = std::to_string(numeroArquivo);
    linhas.ConsultarPorArquivo();
    if (linhas.Vazio())
        return false;

    OpcoesListagem o;
    o.dataEdital = dataEdital_;
    // The responsible the load recorded with its rows, as the first row has it.
    o.responsavel = "RESPONSÁVEL: " +
                    InscricaoPorTipo(linhas.Campo("NU_TIPO_INSCRICAO_RSPNL_INCNA").AsString(),
                                     linhas.Campo("NU_INSCRICAO_RSPNL_INCNA").AsString()) +
                    " - " + Aparar(linhas.Campo("NO_RAZAO_SOCIAL_RSPNL_INCNA").AsString());
    const Moldura m = MolduraAgora("RELATÓRIO DE INCONSISTÊNCIAS DE VALIDAÇÃO DE CARGA", tipo,
                                   "DRAV ELETRÔNICA " + VersaoSistema(sessao_, true));
    documento_ = Montar(linhas, m, o);
    return true;
}

TRelInconsistenciaFechamento::TRelInconsistenciaFechamento(TDBUtils& sessao, TDateTime dataEdital)
    : sessao_(sessao), dataEdital_(dataEdital)
{
}

TRelInconsistenciaFechamento::~TRelInconsistenciaFechamento() = default;

bool TRelInconsistenciaFechamento::ExistemInconsistencias()
{
    if (!linhas_) {
        linhas_ = std::make_unique<TInconsistencia>(sessao_);
        linhas_->FiltroArquivo = std::to_string(InconsistenciaFechamento);
        linhas_->ConsultarPorArquivo();
    }
    return linhas_->TemRegistros();
}

bool TRelInconsistenciaFechamento::Preparar()
{
    documento_ = {};
    if (!ExistemInconsistencias())
        return false;

    TResponsavel r(sessao_);
    r.ConsultarResponsavel();
    OpcoesListagem o;
    o.fechamento = true;
    o.dataEdital = dataEdital_;
    o.responsavel = "RESPONSÁVEL: " +
                    (r.Inscricao.empty() ? std::string()
                                         : InscricaoPorTipo(std::to_string(r.TipoInscricao), r.Inscricao)) +
                    " - " + Aparar(r.RazaoSocial);
    const Moldura m =
        MolduraAgora("RELATÓRIO DE INCONSISTÊNCIAS DE VALIDAÇÃO DE FECHAMENTO", "", LinhaVersaoPadrao(sessao_));
    documento_ = Montar(*linhas_, m, o);
    return true;
}

} // namespace drav
