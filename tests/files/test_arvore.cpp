// Building the navigation tree from the database and keeping its register in step with edits.
#include "files/Arvore.h"

#include "core/Excecoes.h"
#include "files/test_arvore_apoio.h"
#include "kit/BancoTeste.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace drav {
namespace {

using namespace teste;

class Arvore : public BancoTeste {
protected:
    TDateTime pagamento = NullDate;

    // Captions of the children of a node in the order the view shows them.
    static std::vector<std::string> Legendas(const TArvore& a, int no)
    {
        std::vector<std::string> r;
        for (int f : a.FilhosOrdenados(no))
            r.push_back(a.No(f).Texto);
        return r;
    }
    static int Filho(const TArvore& a, int no, const std::string& texto)
    {
        for (int f : a.FilhosOrdenados(no))
            if (a.No(f).Texto == texto)
                return f;
        return -1;
    }
};

TEST_F(Arvore, CarregaResponsavelEmpresasVinculosComImagensDosEstados)
{
    const CadastroPadrao c = CriarCadastroPadrao(*sessao);
    AbrirColeta(*sessao);
    TArvore a(*sessao, pagamento);
    ASSERT_TRUE(a.RecarregarArvore());
    EXPECT_EQ(pagamento, DataPagamentoTeste());

    const int raiz = a.Raiz();
    EXPECT_EQ(a.No(raiz).Texto, "ESCRITORIO CONTABIL");
    EXPECT_EQ(a.No(raiz).Imagem, imgRaiz);
    EXPECT_EQ(a.Registro(0).Tipo, "R");
    EXPECT_EQ(Legendas(a, raiz), (std::vector<std::string>{"ACME INDUSTRIA", "BETA COMERCIO", "CASA DAS PECAS"}));

    const int acme = Filho(a, raiz, "ACME INDUSTRIA");
    EXPECT_EQ(a.No(acme).Imagem, imgEmpresaMarcada);
    EXPECT_EQ(Legendas(a, acme),
              (std::vector<std::string>{"ANA PAULA SOUZA", "BRUNO LIMA", "CARLA DIAS", "DANIEL ROCHA"}));
    const int esperadas[] = {imgVinculo, imgVinculoMarcado, imgVinculoFechado, imgVinculoProcessado};
    for (int e = 0; e < 4; ++e) {
        const int no = a.FilhosOrdenados(acme)[e];
        EXPECT_EQ(a.No(no).Imagem, esperadas[e]) << e;
        const TRecArvore& r = a.Registro(a.LocalizarNo(no));
        EXPECT_EQ(r.Estado, e);
        EXPECT_EQ(r.Pis, c.a[e].pis);
        EXPECT_EQ(r.Tipo, "F");
        EXPECT_EQ(r.SituacaoConta, -1);
    }
    EXPECT_EQ(a.No(Filho(a, raiz, "BETA COMERCIO")).Imagem, imgEmpresaFechada);
    const int casa = Filho(a, raiz, "CASA DAS PECAS");
    EXPECT_EQ(a.No(casa).Imagem, imgEmpresa);
    EXPECT_TRUE(a.No(casa).Filhos.empty());
    EXPECT_EQ(a.EstadoParticipacaoEmpresa(1, kEmpresaC), 0);
    EXPECT_EQ(a.EstadoParticipacaoEmpresa(1, kEmpresaB), 2);
    EXPECT_EQ(a.EstadoParticipacaoEmpresa(1, kEmpresaA), 1);

    // Register order is tree order: each employer is followed by its own links.
    ASSERT_EQ(a.TotalNos(), 1 + 3 + 4 + 2);
    for (int i = 1; i < a.TotalNos(); ++i) {
        if (!a.Registro(i).EhEmpresa()) {
            EXPECT_EQ(a.Registro(i).Inscricao, a.Registro(a.EmpresaDoRegistro(i)).Inscricao);
        }
    }
    EXPECT_EQ(a.ContarParticipantes(), 2); // the marked link and its employer
    EXPECT_EQ(a.ContarPorEstado({2, 3}, false), 4);
    EXPECT_EQ(a.ContarPorEstado({0}, true), 1);
    const int iAcme = a.LocalizarEmpresa(kEmpresaA);
    EXPECT_EQ(a.ContarFilhos(iAcme), 4);
    EXPECT_EQ(a.ContarVinculosPorEstado(iAcme, {1, 2}), 2);
    EXPECT_EQ(a.NomeEmpresa(iAcme), "ACME INDUSTRIA");
}

TEST_F(Arvore, ContasDoVinculoDaoUmNoENomesPendentesDaoNosDeAlteracao)
{
    CriarEstabelecimento(*sessao, 1, kResponsavel, "ESCRITORIO CONTABIL", "R");
    CriarEstabelecimento(*sessao, 1, kEmpresaA, "ACME INDUSTRIA", "E");
    // Two links of the same worker (two categories), each with two accounts: their rows share the
    // worker's name and must still give one node per link.
    VinculoTeste v1;
    v1.pis = 12000000001;
    v1.nome = "MARIA DA SILVA";
    VinculoTeste v2 = v1;
    v2.categoria = 7;
    CriarVinculo(*sessao, v1);
    CriarVinculo(*sessao, v2);
    CriarConta(*sessao, v1, 501, "MARIA DA SILVA", 100, 0);
    CriarConta(*sessao, v1, 502, "MARIA SILVA", 0, 1, 2);
    CriarConta(*sessao, v2, 601, "MARIA DA SILVA", 100, 0);
    CriarConta(*sessao, v2, 602, "MARIA DA SILVA", 0, 2);
    CriarAlteracao(*sessao, v1, 502, "N", "MARIA SILVA");
    CriarAlteracao(*sessao, v2, 602, "S", "MARIA DA SILVA"); // confirmed: no node

    TArvore a(*sessao, pagamento);
    ASSERT_TRUE(a.CarregarArvore());
    const int acme = a.FilhosOrdenados(a.Raiz())[0];
    ASSERT_EQ(a.No(acme).Filhos.size(), 2u);
    const int i1 = a.LocalizarVinculo(1, 1, NoVinculo, v1.admissao, v1.pis, kEmpresaA);
    const int i2 = a.LocalizarVinculo(1, 7, NoVinculo, v2.admissao, v2.pis, kEmpresaA);
    ASSERT_GE(i1, 0);
    ASSERT_GE(i2, 0);
    const TNoArvore& n1 = a.NoDoRegistro(i1);
    ASSERT_EQ(n1.Filhos.size(), 1u);
    EXPECT_EQ(a.No(n1.Filhos[0]).Texto, "MARIA SILVA");
    EXPECT_EQ(a.No(n1.Filhos[0]).Imagem, imgAlteracaoNome);
    EXPECT_EQ(a.NoDoRegistro(i2).Filhos.size(), 0u);
    const int c = a.LocalizarVinculo(1, 1, NoAlteracao, v1.admissao, v1.pis, kEmpresaA);
    ASSERT_EQ(c, i1 + 1);
    EXPECT_EQ(a.Registro(c).SituacaoConta, 1);
    EXPECT_EQ(a.Registro(i1).SituacaoConta, 0); // the lowest situation comes first
    EXPECT_EQ(a.Nivel(c), 3);
    EXPECT_EQ(a.LocalizarVinculo(1, 7, NoAlteracao, v2.admissao, v2.pis, kEmpresaA), -1);
}

TEST_F(Arvore, ResponsavelQueTambemEEmpresaDaRaizENoDeEmpresa)
{
    CriarEstabelecimento(*sessao, 1, kResponsavel, "ESCRITORIO CONTABIL", "A");
    CriarEstabelecimento(*sessao, 1, kEmpresaA, "ACME INDUSTRIA", "E");
    TArvore a(*sessao, pagamento);
    ASSERT_TRUE(a.CarregarArvore());
    EXPECT_EQ(a.Registro(0).Tipo, "A");
    EXPECT_EQ(Legendas(a, a.Raiz()), (std::vector<std::string>{"ACME INDUSTRIA", "ESCRITORIO CONTABIL"}));
    const int emp = a.LocalizarEmpresa(kResponsavel);
    ASSERT_GT(emp, 0);
    EXPECT_EQ(a.Registro(emp).Tipo, "A");

    // Renaming either node of the row renames both.
    a.RenomearNo("ESCRITORIO NOVO", "A", a.Registro(emp).No);
    EXPECT_EQ(a.No(a.Raiz()).Texto, "ESCRITORIO NOVO");
    a.RenomearNo("ESCRITORIO", "A", a.Raiz());
    EXPECT_EQ(a.NoDoRegistro(emp).Texto, "ESCRITORIO");
}

TEST_F(Arvore, SemResponsavelOuSemDadosNaoHaArvore)
{
    TArvore a(*sessao, pagamento);
    EXPECT_FALSE(a.CarregarArvore());
    EXPECT_EQ(a.TotalNos(), 0);
    EXPECT_EQ(a.Raiz(), -1);
    EXPECT_THROW(a.Registro(0), ENegocio);

    CriarEstabelecimento(*sessao, 1, kEmpresaA, "ACME INDUSTRIA", "E");
    EXPECT_FALSE(a.CarregarArvore());
    EXPECT_EQ(a.TotalNos(), 0);
}

// A session that fails the tree's query, as a broken connection would.
class SessaoFalhando : public TDBUtils {
public:
    explicit SessaoFalhando(TDBUtils& real) : real_(real) {}
    bool falhar = true;
    bool EmTransacao() const override { return real_.EmTransacao(); }
    void ConfigurarConexao() override {}
    void Confirmar() override { real_.Confirmar(); }
    void Desfazer() override { real_.Desfazer(); }
    void IniciarTransacao() override { real_.IniciarTransacao(); }
    std::unique_ptr<TResultado> AbrirConsulta(const std::string& sql) override
    {
        if (falhar && sql.find("SFGTBG02_EMPRESA EMP") != std::string::npos)
            throw EBancoDados("connection lost");
        return real_.AbrirConsulta(sql);
    }
    int64_t ExecutarSQL(const std::string& sql) override { return real_.ExecutarSQL(sql); }
    int64_t ExecutarSQLIndependente(const std::string& sql) override { return real_.ExecutarSQLIndependente(sql); }

protected:
    void FecharConexao() override {}

private:
    TDBUtils& real_;
};

class VisaoContador : public IVisaoArvore {
public:
    explicit VisaoContador(const TArvore* a = nullptr) : arvore(a) {}
    const TArvore* arvore;
    int recargas = 0, estruturas = 0, nosNaUltimaRecarga = -1;
    std::vector<int> alterados;
    void ArvoreRecarregada() override
    {
        ++recargas;
        if (arvore)
            nosNaUltimaRecarga = arvore->TotalNos();
    }
    void EstruturaAlterada() override { ++estruturas; }
    void NoAlterado(int no) override { alterados.push_back(no); }
};

TEST_F(Arvore, FalhaDoBancoNaCargaEPassadaAdianteENaoPareceBancoVazio)
{
    CriarCadastroPadrao(*sessao);
    SessaoFalhando falha(*sessao);
    TArvore a(falha, pagamento);
    VisaoContador visao(&a);
    a.DefinirVisao(&visao);
    // A tree loaded before keeps nothing of its old nodes after the failed reload.
    falha.falhar = false;
    ASSERT_TRUE(a.CarregarArvore());
    const int raizAntiga = a.Raiz();
    falha.falhar = true;
    EXPECT_THROW(a.CarregarArvore(), EBancoDados);
    EXPECT_FALSE(a.ExisteNo(raizAntiga));
    EXPECT_EQ(a.Raiz(), -1);
    EXPECT_EQ(a.TotalNos(), 0);
    EXPECT_GE(visao.recargas, 1); // the view learns that the tree is empty now
    EXPECT_EQ(visao.nosNaUltimaRecarga, 0);
}

TEST_F(Arvore, NovosNosEntramNoGrupoDaEmpresaERenomearTrabalhadorAlcancaTodosOsVinculos)
{
    const CadastroPadrao c = CriarCadastroPadrao(*sessao);
    TArvore a(*sessao, pagamento);
    ASSERT_TRUE(a.CarregarArvore());
    VisaoContador visao;
    a.DefinirVisao(&visao);

    // A new employer goes to the end of the register, its first link right after it.
    CriarEstabelecimento(*sessao, 1, 19131243000197, "ZETA LTDA", "E");
    TDadosNovoNo e;
    e.Tipo = NoEmpresa;
    e.TipoInscricao = 1;
    e.Inscricao = 19131243000197;
    e.NomeEmpresa = "ZETA LTDA";
    const int zeta = a.AdicionarNo(e, a.Raiz());
    EXPECT_EQ(a.No(zeta).Imagem, imgEmpresa);

    // A second link of DANIEL ROCHA (processed link of ACME), typed under BETA with a new name.
    TDadosNovoNo v;
    v.Tipo = NoVinculo;
    v.Pis = c.a[3].pis;
    v.Categoria = 1;
    v.DataAdmissao = CodificarData(2020, 1, 6);
    v.NomeTrabalhador = "DANIEL ROCHA NETO";
    const int iBeta = a.LocalizarEmpresa(kEmpresaB);
    ASSERT_EQ(a.No(a.Registro(iBeta).No).Imagem, imgEmpresaFechada);
    const int novo = a.AdicionarNo(v, a.Registro(iBeta).No);
    const int iNovo = a.LocalizarNo(novo);
    EXPECT_EQ(a.EmpresaDoRegistro(iNovo), iBeta);
    EXPECT_EQ(a.Registro(iNovo).Inscricao, kEmpresaB);
    EXPECT_EQ(iNovo, iBeta + 3);
    // An open link reopens the employer's picture; the worker's other link shows the new name.
    EXPECT_EQ(a.No(a.Registro(iBeta).No).Imagem, imgEmpresa);
    const int iDaniel = a.LocalizarVinculo(1, 1, NoVinculo, c.a[3].admissao, c.a[3].pis, kEmpresaA);
    EXPECT_EQ(a.NoDoRegistro(iDaniel).Texto, "DANIEL ROCHA NETO");

    a.RenomearNo("DANIEL R NETO", NoVinculo, novo);
    EXPECT_EQ(a.NoDoRegistro(iDaniel).Texto, "DANIEL R NETO");
    EXPECT_GE(visao.estruturas, 3);

    // Removing a link recomputes its employer; removing an employer removes its group.
    a.ExcluirNo(novo);
    EXPECT_EQ(a.No(a.Registro(a.LocalizarEmpresa(kEmpresaB)).No).Imagem, imgEmpresaFechada);
    const int total = a.TotalNos();
    const int acmeNo = a.Registro(a.LocalizarEmpresa(kEmpresaA)).No;
    a.ExcluirNo(acmeNo);
    EXPECT_EQ(a.TotalNos(), total - 5);
    EXPECT_FALSE(a.ExisteNo(acmeNo));
    EXPECT_EQ(a.LocalizarEmpresa(kEmpresaA), -1);
    EXPECT_EQ(a.LocalizarVinculo(1, 1, NoVinculo, c.a[3].admissao, c.a[3].pis, kEmpresaA), -1);
    EXPECT_THROW(a.ExcluirNo(a.Raiz()), ENegocio);
}

TEST(ArvoreOrdem, LegendasSemCaixaNemAcento)
{
    struct Caso {
        const char* a;
        const char* b;
        bool antes;
    } casos[] = {
        {"ÁGUA", "BANANA", true},          {"agua", "ABACATE", false},   {"JOÃO", "JOAQUIM", true},
        {"ÇAPATO", "CASA", true},          {"EDUARDO", "ÉDSON", false},  {"ZÉ", "ZE", false},
        {"ZE", "ZÉ", true},                {"ANA", "ANA MARIA", true},   {"MARIA", "maria", true},
    };
    for (const auto& c : casos)
        EXPECT_EQ(TextoAntes(c.a, c.b), c.antes) << c.a << " / " << c.b;
}

} // namespace
} // namespace drav
