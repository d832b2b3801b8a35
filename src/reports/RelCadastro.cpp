#include "reports/RelCadastro.h"

#include "core/DBUtils.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "model/Empresa.h"
#include "model/Responsavel.h"
#include "reports/RelComum.h"

namespace drav {

namespace {

std::string Cep(const std::string& cep)
{
    const std::string d = SoDigitos(cep);
    if (d.empty())
        return {};
    const std::string c = CompletarZeros(d, 8);
    return c.substr(0, 2) + "." + c.substr(2, 3) + "-" + c.substr(5);
}

// Employer listing columns: first line, then the address line under it.
struct ColunasEmpresa {
    double nome = 0, wNome = 118, insc = 120, wInsc = 36, cnae = 158, wCnae = 20, fpas = 180, wFpas = 14,
           simples = 196, wSimples = 16, tel = 214, wTel = 63;
    double end = 0, wEnd = 118, bairro = 120, wBairro = 58, cidade = 180, wCidade = 62, uf = 244, wUf = 8,
           cep = 254, wCep = 23;
};

Banda CabecalhoEmpresas(const TResponsavel& r, double w)
{
    const ColunasEmpresa c;
    Banda b;
    const double xValor = 32;
    double y = 0.8;
    const double passo = AlturaLinha(8) + 0.3;
    b.Texto(0, y, xValor, "RESPONSÁVEL:", kCabecalho);
    b.Texto(xValor, y, w - xValor,
            (r.Inscricao.empty() ? std::string() : InscricaoPorTipo(std::to_string(r.TipoInscricao), r.Inscricao)) +
                " - " + Aparar(r.RazaoSocial),
            kValorCabecalho);
    y += passo;
    b.Texto(0, y, xValor, "NOME CONTATO:", kCabecalho);
    b.Texto(xValor, y, w - xValor, Aparar(r.NomeContato), kValorCabecalho);
    y += passo;
    b.Texto(0, y, xValor, "TELEFONE:", kCabecalho);
    b.Texto(xValor, y, 60, TelefoneComDdd(r.Ddd, r.Telefone), kValorCabecalho);
    b.Texto(100, y, 20, "INTERNET:", kCabecalho);
    b.Texto(120, y, w - 120, Aparar(r.Email), kValorCabecalho);
    y += passo + 1.5;
    b.Texto(c.nome, y, c.wNome, "EMPRESA", kRotulo);
    b.Texto(c.insc, y, c.wInsc, "INSCRIÇÃO", kRotulo);
    b.Texto(c.cnae, y, c.wCnae, "CNAE", kRotulo);
    b.Texto(c.fpas, y, c.wFpas, "FPAS", kRotulo);
    b.Texto(c.simples, y, c.wSimples, "SIMPLES", kRotulo);
    b.Texto(c.tel, y, c.wTel, "TELEFONE", kRotulo);
    y += kPassoRotulo;
    b.Texto(c.end, y, c.wEnd, "ENDEREÇO", kRotulo);
    b.Texto(c.bairro, y, c.wBairro, "BAIRRO", kRotulo);
    b.Texto(c.cidade, y, c.wCidade, "CIDADE", kRotulo);
    b.Texto(c.uf, y, c.wUf, "UF", kRotulo);
    b.Texto(c.cep, y, c.wCep, "CEP", kRotulo);
    y += kPassoRotulo + 0.6;
    b.Linha(0, y, w);
    b.altura = y + 1.0;
    return b;
}

Banda DetalheEmpresa(const TEmpresa& e, double w)
{
    const ColunasEmpresa c;
    Banda b;
    double y = 0.6;
    b.Texto(c.nome, y, c.wNome, e.Campo("NO_RAZAO_SOCIAL").AsString(), kDado);
    b.Texto(c.insc, y, c.wInsc,
            InscricaoPorTipo(e.Campo("NU_TIPO_INSO_EMPRA").AsString(), e.Campo("NU_INSCRICAO").AsString()), kDado);
    b.Texto(c.cnae, y, c.wCnae, Aparar(e.Campo("NU_IBGE").AsString()), kDado);
    b.Texto(c.fpas, y, c.wFpas, Aparar(e.Campo("FPAS").AsString()), kDado);
    b.Texto(c.simples, y, c.wSimples, Aparar(e.Campo("SIMPLES").AsString()), kDado);
    b.Texto(c.tel, y, c.wTel, TelefoneComDdd(e.Campo("NU_DDD").AsString(), e.Campo("NU_TELEFONE").AsString()),
            kDado);
    y += kPasso;
    b.Texto(c.end, y, c.wEnd, Aparar(e.Campo("DE_LOGRADOURO").AsString()), kDado);
    b.Texto(c.bairro, y, c.wBairro, Aparar(e.Campo("NO_BAIRRO").AsString()), kDado);
    b.Texto(c.cidade, y, c.wCidade, Aparar(e.Campo("NO_LOCALIDADE").AsString()), kDado);
    b.Texto(c.uf, y, c.wUf, Aparar(e.Campo("SG_UF").AsString()), kDado);
    b.Texto(c.cep, y, c.wCep, Cep(e.Campo("NU_CEP").AsString()), kDado);
    y += kPasso + 0.8;
    b.Linha(0, y, w, 0xC8C8C8);
    b.altura = y + 0.2;
    return b;
}

// Registration-change columns.
constexpr double kxPis = 160, kwPis = 36, kxConta = 200;

Banda GrupoAlteracao(const TResultado& r, double w)
{
    Banda b;
    const double xValor = 66;
    double y = 0.8;
    b.Texto(0, y, xValor, "EMPRESA:", kCabecalho);
    b.Texto(xValor, y, w - xValor,
            InscricaoPorTipo(r.FieldByName("NU_TIPO_INSO_EMPRA").AsString(), r.FieldByName("NU_INSCRICAO").AsString()) +
                " - " + Aparar(r.FieldByName("NO_RAZAO_SOCIAL").AsString()),
            kValorCabecalho);
    y += AlturaLinha(8) + 0.3;
    b.Texto(0, y, xValor, "CÓDIGO DA EMPRESA NA QUELD:", kCabecalho);
    b.Texto(xValor, y, w - xValor, Aparar(r.FieldByName("NU_EMPRESA_QUELD_ALT_CADASTRAL").AsString()),
            kValorCabecalho);
    y += AlturaLinha(8) + 1.5;
    b.Texto(0, y, kxPis - 4, "EMPREGADO", kRotulo);
    b.Texto(kxPis, y, kwPis, "PIS/PASEP", kRotulo);
    b.Texto(kxConta, y, w - kxConta, "CÓDIGO DO EMPREGADO NA QUELD", kRotulo);
    y += kPassoRotulo;
    b.Texto(0, y, kxPis - 4, "CONTEÚDO ALTERADO", kRotulo);
    b.Texto(kxPis, y, w - kxPis, "NOVO CONTEÚDO DO CAMPO", kRotulo);
    y += kPassoRotulo + 0.6;
    b.Linha(0, y, w);
    b.altura = y + 1.0;
    return b;
}

Banda DetalheAlteracao(const TResultado& r, double w)
{
    Banda b;
    double y = 0.6;
    const std::string novo = Aparar(r.FieldByName("DE_CONTEUDO_NOVO").AsString());
    const std::string conta = SoDigitos(r.FieldByName("NU_EMPREGADO_QUELD_ALT_CDSTL").AsString());
    b.Texto(0, y, kxPis - 4, novo, kDado);
    b.Texto(kxPis, y, kwPis, FormatarPIS(SoDigitos(r.FieldByName("NU_PIS").AsString())), kDado);
    b.Texto(kxConta, y, w - kxConta, conta.empty() ? std::string() : CompletarZeros(conta, 11), kDado);
    y += kPasso;
    b.Texto(0, y, kxPis - 4, Aparar(r.FieldByName("DE_CONTEUDO_ANTERIOR").AsString()), kDado);
    b.Texto(kxPis, y, w - kxPis, novo, kDado);
    y += kPasso + 0.8;
    b.Linha(0, y, w, 0xC8C8C8);
    b.altura = y + 0.2;
    return b;
}

} // namespace

bool TRelEmpresas::Preparar()
{
    documento_ = {};
    TEmpresa empresas(sessao_);
    empresas.CarregaRelacionados = false;
    empresas.ListarEmpresas();
    if (empresas.Vazio())
        return false;
    TResponsavel responsavel(sessao_);
    responsavel.ConsultarResponsavel();

    DefinicaoRelatorio def;
    def.papel = Papel::PaisagemA4;
    def.moldura = MolduraAgora("RELATÓRIO PARA CONFERÊNCIA", "RELAÇÃO DAS EMPRESAS CONSTANTES NA BASE",
                               LinhaVersaoPadrao(sessao_));
    const double w = LarguraUtil(def.papel);
    def.cabecalhoPagina = CabecalhoEmpresas(responsavel, w);
    for (empresas.Primeiro(); !empresas.Eof(); empresas.Proximo())
        def.detalhes.push_back(DetalheRelatorio{{}, {}, DetalheEmpresa(empresas, w)});
    documento_ = Paginar(def);
    return true;
}

bool TRelAlteracaoCadastral::Preparar()
{
    documento_ = {};
    // Only the changes the user settled by keeping the registered name are listed; the new content
    // is that name.
    auto r = sessao_.AbrirConsulta(
        "SELECT EMP.NO_RAZAO_SOCIAL,TRAB.NO_EMPREGADO AS DE_CONTEUDO_NOVO,AC.NU_TIPO_INSO_EMPRA,"
        "CAST(AC.NU_INSCRICAO AS VARCHAR(14)) as NU_INSCRICAO, CAST(AC.NU_PIS AS VARCHAR(14)) as NU_PIS, "
        "AC.NU_CATEGORIA,AC.DT_ADMISSAO_VINCULO,AC.NU_TIPO_ALTERACAO,AC.DE_CONTEUDO_ANTERIOR,AC.IC_CONFIRMACAO,"
        "CAST(AC.NU_EMPRESA_QUELD_ALT_CADASTRAL AS VARCHAR(14)) AS NU_EMPRESA_QUELD_ALT_CADASTRAL,"
        "CAST(AC.NU_EMPREGADO_QUELD_ALT_CDSTL AS VARCHAR(14)) AS NU_EMPREGADO_QUELD_ALT_CDSTL "
        "FROM SFGTBG05_ALTERACAO_CADASTRAL AC JOIN SFGTBG02_EMPRESA EMP ON "
        "AC.NU_TIPO_INSO_EMPRA = EMP.NU_TIPO_INSO_EMPRA AND AC.NU_INSCRICAO = EMP.NU_INSCRICAO "
        "JOIN SFGTBG03_EMPREGADO TRAB ON AC.NU_PIS = TRAB.NU_PIS WHERE AC.IC_CONFIRMACAO = 'S' "
        "ORDER BY AC.NU_INSCRICAO, TRAB.NO_EMPREGADO");
    if (r->IsEmpty())
        return false;

    DefinicaoRelatorio def;
    def.papel = Papel::PaisagemA4;
    def.moldura = MolduraAgora("RELATÓRIO DE ALTERAÇÕES CADASTRAIS DO TRABALHADOR", "", LinhaVersaoPadrao(sessao_));
    def.grupoNovaPagina = true;
    const double w = LarguraUtil(def.papel);
    for (r->First(); !r->Eof(); r->Next()) {
        DetalheRelatorio d;
        d.chaveGrupo = r->FieldByName("NU_TIPO_INSO_EMPRA").AsString() + ":" + r->FieldByName("NU_INSCRICAO").AsString();
        d.grupo = GrupoAlteracao(*r, w);
        d.banda = DetalheAlteracao(*r, w);
        def.detalhes.push_back(std::move(d));
    }
    documento_ = Paginar(def);
    return true;
}

} // namespace drav
