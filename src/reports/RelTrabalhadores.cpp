#include "reports/RelTrabalhadores.h"

#include "core/Conversao.h"
#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "reports/RelComum.h"

#include <algorithm>

namespace drav {

namespace {

// Five columns, each holding a title (and a value) of the first line over one of the second.
constexpr double kx[] = {0, 126, 150, 190, 220};
constexpr double kw[] = {124, 22, 38, 28, 57};

const char* const kSelecao =
    "SELECT DISTINCT EMP.NU_TIPO_INSO_EMPRA AS TP_INSCRICAO, CAST(EMP.NU_INSCRICAO AS VARCHAR(14)) AS NU_INSCRICAO, "
    "EMP.NO_RAZAO_SOCIAL, CAST(TRAB.NU_PIS AS VARCHAR(11)) AS PIS_EMPREGADO, TRAB.NO_EMPREGADO AS NO_EMPREGADO, "
    "TRAB.NU_CTPS AS NU_CTPS_EMPREGADO, TRAB.NU_SERIE_CTPS AS NU_SERIE_CTPS_EMPREGADO, "
    "TRAB.DT_NASCIMENTO AS DT_NASCIMENTO_EMPREGADO, VINC.NU_CATEGORIA AS CATEGORIA, "
    "VINC.NU_TIPO_INSO_TMDR AS NU_TIPO_INSO_TMDR_VINCULO, VINC.DT_ADMISSAO_VINCULO AS DT_ADMISSAO, "
    "VINC.CO_MOVIMENTACAO AS CO_MOVIMENTACAO_VINCULO, VINC.DT_OPCAO AS DT_OPCAO_VINCULO, "
    "VINC.NU_INSCRICAO_TMDR AS NU_INSCRICAO_TMDR_VINCULO, VINC.IC_AVISO_PREVIO AS IC_AVISO_PREVIO, "
    "VINC.DT_MOVIMENTACAO_VINCULO AS DT_MOVIMENTACAO_VINCULO "
    "FROM SFGTBG02_EMPRESA EMP INNER JOIN SFGTBG04_VINCULO_EMPREGATICIO VINC ON "
    "VINC.NU_TIPO_INSO_EMPRA = EMP.NU_TIPO_INSO_EMPRA AND VINC.NU_INSCRICAO = EMP.NU_INSCRICAO "
    "RIGHT OUTER JOIN SFGTBG03_EMPREGADO TRAB ON VINC.NU_PIS = TRAB.NU_PIS ORDER BY ";

// A worker without a link comes with no employer: the line is then left empty.
std::string LinhaEmpresa(const TResultado& r)
{
    const std::string numero = Aparar(r.FieldByName("NU_INSCRICAO").AsString());
    if (numero.empty())
        return {};
    const std::string insc = r.FieldByName("TP_INSCRICAO").AsInteger() == 1 ? FormatarCNPJ(numero) : numero;
    return insc + " - " + Aparar(r.FieldByName("NO_RAZAO_SOCIAL").AsString());
}

std::string Data(const TCampo& c) { return c.IsNull() ? std::string() : DataOuVazio(c.AsDateTime()); }

std::string CarteiraTrabalho(const TResultado& r)
{
    if (r.FieldByName("CATEGORIA").AsInteger() == 5)
        return {};
    return CompletarZeros(std::to_string(r.FieldByName("NU_CTPS_EMPREGADO").AsInt64()), 7) + "/" +
           CompletarZeros(std::to_string(r.FieldByName("NU_SERIE_CTPS_EMPREGADO").AsInt64()), 5);
}

std::string Movimentacao(const TResultado& r)
{
    const std::string data = Data(r.FieldByName("DT_MOVIMENTACAO_VINCULO"));
    const std::string codigo = Aparar(r.FieldByName("CO_MOVIMENTACAO_VINCULO").AsString());
    if (data.empty() && codigo.empty())
        return {};
    return data + " - " + codigo;
}

std::string Tomador(const TResultado& r)
{
    const int64_t numero = r.FieldByName("NU_INSCRICAO_TMDR_VINCULO").AsInt64();
    if (numero <= 0)
        return {};
    return r.FieldByName("NU_TIPO_INSO_TMDR_VINCULO").AsInteger() == 1 ? FormatarCNPJ(std::to_string(numero))
                                                                        : std::to_string(numero);
}

// The employer line with the column titles; it heads every page of that employer.
Banda GrupoEmpresa(const TResultado& r, double w)
{
    Banda b;
    const double xValor = 20;
    double y = 0.8;
    b.Texto(0, y, xValor, "EMPRESA:", kCabecalho);
    b.Texto(xValor, y, w - xValor, LinhaEmpresa(r), kValorCabecalho);
    y += AlturaLinha(8) + 1.5;
    const char* const primeira[] = {"NOME TRABALHADOR", "ADMISSÃO", "DATA OPÇÃO", "CART  TRAB", "DATA NASC"};
    const char* const segunda[] = {"PIS/PASEP", "CATEGORIA", "MOVIMENTAÇÃO", "AVISO PRÉVIO", "TOMADOR"};
    for (int i = 0; i < 5; ++i)
        b.Texto(kx[i], y, kw[i], primeira[i], kRotulo);
    y += kPassoRotulo;
    for (int i = 0; i < 5; ++i)
        b.Texto(kx[i], y, kw[i], segunda[i], kRotulo);
    y += kPassoRotulo + 0.6;
    b.Linha(0, y, w);
    b.altura = y + 1.0;
    return b;
}

Banda DetalheTrabalhador(const TResultado& r, double w)
{
    Banda b;
    double y = 0.6;
    const TCampo categoria = r.FieldByName("CATEGORIA");
    const std::string primeira[] = {Aparar(r.FieldByName("NO_EMPREGADO").AsString()),
                                    Data(r.FieldByName("DT_ADMISSAO")), Data(r.FieldByName("DT_OPCAO_VINCULO")),
                                    CarteiraTrabalho(r), Data(r.FieldByName("DT_NASCIMENTO_EMPREGADO"))};
    const std::string segunda[] = {FormatarPIS(SoDigitos(r.FieldByName("PIS_EMPREGADO").AsString())),
                                   categoria.IsNull() ? std::string()
                                                      : CompletarZeros(std::to_string(categoria.AsInteger()), 2),
                                   Movimentacao(r), Aparar(r.FieldByName("IC_AVISO_PREVIO").AsString()), Tomador(r)};
    for (int i = 0; i < 5; ++i)
        b.Texto(kx[i], y, kw[i], primeira[i], kDado);
    y += kPasso;
    for (int i = 0; i < 5; ++i)
        b.Texto(kx[i], y, kw[i], segunda[i], kDado);
    y += kPasso + 0.8;
    b.Linha(0, y, w, 0xC8C8C8);
    b.altura = y + 0.2;
    return b;
}

} // namespace

std::string QualificarOrdemTrabalhadores(const std::string& ordem)
{
    for (char c : ordem)
        if (!(c == ' ' || c == ',' || c == '.' || c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
              (c >= 'a' && c <= 'z')))
            throw ENegocio("Ordem de listagem inválida: " + ordem);
    std::string r;
    std::size_t inicio = 0;
    while (inicio <= ordem.size()) {
        std::size_t fim = ordem.find(',', inicio);
        if (fim == std::string::npos)
            fim = ordem.size();
        std::string item = Aparar(ordem.substr(inicio, fim - inicio));
        // Whole names only: a column already qualified, or one that merely contains the name, stays.
        const std::string nome = item.substr(0, item.find(' '));
        if (nome == "NU_TIPO_INSO_EMPRA" || nome == "NU_INSCRICAO" || nome == "NO_RAZAO_SOCIAL")
            item = "EMP." + item;
        if (!item.empty())
            r += (r.empty() ? "" : ",") + item;
        inicio = fim + 1;
    }
    if (r.empty())
        throw ENegocio("Ordem de listagem vazia");
    return r;
}

TRelTrabalhadores::TRelTrabalhadores(TDBUtils& sessao, std::vector<int64_t> inscricoes, bool todas)
    : sessao_(sessao), inscricoes_(std::move(inscricoes)), todas_(todas)
{
}

bool TRelTrabalhadores::Selecionada(const std::string& inscricao) const
{
    if (todas_)
        return true;
    const std::string d = SoDigitos(inscricao);
    if (d.empty())
        return false;
    return std::find(inscricoes_.begin(), inscricoes_.end(), StrToInteiro64(d)) != inscricoes_.end();
}

bool TRelTrabalhadores::Preparar(const std::string& ordem)
{
    documento_ = {};
    auto r = sessao_.AbrirConsulta(kSelecao + QualificarOrdemTrabalhadores(ordem));

    DefinicaoRelatorio def;
    def.papel = Papel::PaisagemA4;
    def.moldura = MolduraAgora("RELATÓRIO PARA CONFERÊNCIA ", "RELAÇÃO DOS TRABALHADORES CONSTANTES NA BASE",
                               LinhaVersaoPadrao(sessao_));
    def.grupoNovaPagina = true;
    const double w = LarguraUtil(def.papel);
    for (r->First(); !r->Eof(); r->Next()) {
        const std::string inscricao = r->FieldByName("NU_INSCRICAO").AsString();
        if (!Selecionada(inscricao))
            continue;
        DetalheRelatorio d;
        d.chaveGrupo = r->FieldByName("TP_INSCRICAO").AsString() + ":" + inscricao;
        d.grupo = GrupoEmpresa(*r, w);
        d.banda = DetalheTrabalhador(*r, w);
        def.detalhes.push_back(std::move(d));
    }
    // Rows that all belong to employers left out make no listing either.
    if (def.detalhes.empty())
        return false;
    documento_ = Paginar(def);
    return true;
}

} // namespace drav
