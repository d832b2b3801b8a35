// The window over the register of generated files: what it lists, the contents of a file, and
// deleting a file's records.
#include "ui/enviados/TfrmArquivosEnviadosQueld.h"

#include "core/DBUtils.h"
#include "core/Formatacao.h"
#include "core/Mensagens.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"
#include "files/Protocolo.h"
#include "files/SolicitacaoSaldo.h"
#include "kit/ApresentadorTeste.h"
#include "kit/BancoTeste.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>

namespace drav {
namespace {

namespace fs = std::filesystem;
using Janela = TfrmArquivosEnviadosQueld;

const std::string kEmpresaA = "11222333000181";
const std::string kEmpresaB = "44555666000199";

TRegRegistro Vinculo(const std::string& inscricao, const std::string& pis, const std::string& nome)
{
    TRegRegistro r;
    r.TipoRegistro = "40";
    r.TipoInscricao = "1";
    r.Inscricao = inscricao;
    r.NomeEmpresa = "Empresa " + inscricao;
    r.Pis = pis;
    r.Categoria = "01";
    r.DataAdmissao = "01022019";
    r.NomeTrabalhador = nome;
    return r;
}

class JanelaEnviados : public teste::BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        sessao->ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
                            "IC_ESTADO_EMPRESA) VALUES (1, 99888777000155, 'ESCRITORIO', 'R')");
    }

    // A balance request for two employers, A with two workers and B with one; its identifier.
    std::string GerarPedido()
    {
        TSolicitacaoSaldoRecisorio s(*sessao);
        s.PastaDados = pasta;
        envelope = (pasta / "Pedido.KVD").string();
        s.EscolherArquivo = [this](const std::string&, const std::string&, const std::string&) { return envelope; };
        EXPECT_TRUE(s.GerarSolicitacao({Vinculo(kEmpresaA, "12345678901", "ANA MARIA"),
                                        Vinculo(kEmpresaA, "10987654321", "BRUNO LIMA"),
                                        Vinculo(kEmpresaB, "11111111116", "CARLA DIAS")}))
            << s.CodigoMensagem;
        return s.Protocolo().Identificador;
    }

    // A bare register row, with no employers.
    void Registrar(const std::string& identificador, int tipo, const std::string& protocolo = {})
    {
        TProtocolo p(*sessao);
        p.Identificador = identificador;
        p.NumeroArquivo = tipo;
        p.CodigoProtocolo = protocolo;
        p.NomeArquivo = "/dados/" + identificador + ".KVD";
        p.DataGeracao = CodificarDataHora(2024, 5, 6, 7, 8, 9, 10);
        ASSERT_TRUE(p.Incluir());
    }

    int Contar(const std::string& tabela, const std::string& identificador)
    {
        return sessao->AbrirConsulta("SELECT COUNT(*) AS N FROM " + tabela + " WHERE NU_IDENTIFICADOR_ARQUIVO = " +
                                     SqlTexto(identificador))
            ->FieldByName("N")
            .AsInteger();
    }

    std::string Descricao(int tipo)
    {
        return Aparar(sessao->AbrirConsulta("SELECT DE_ARQUIVO FROM SFGTBT12_TIPO_ARQUIVO WHERE NU_ARQUIVO = " +
                                            std::to_string(tipo))
                          ->FieldByName("DE_ARQUIVO")
                          .AsString());
    }

    bool Mostrou(const std::string& codigo) const
    {
        for (const std::string& t : ap.textos)
            if (t.rfind(codigo, 0) == 0)
                return true;
        return false;
    }

    static QTreeWidgetItem* Linha(QTreeWidget* g, int coluna, const QString& texto)
    {
        for (int i = 0; i < g->topLevelItemCount(); ++i)
            if (g->topLevelItem(i)->text(coluna) == texto)
                return g->topLevelItem(i);
        return nullptr;
    }

    static QStringList Coluna(const QTreeWidget* g, int coluna)
    {
        QStringList r;
        for (int i = 0; i < g->topLevelItemCount(); ++i)
            r << g->topLevelItem(i)->text(coluna);
        return r;
    }

    teste::ApresentadorGravado ap;
    std::string envelope;
};

TEST_F(JanelaEnviados, PedidoGeradoApareceComTipoCaminhoESituacao)
{
    const std::string pedido = GerarPedido();
    Registrar("900000000000000000000000000001", ArquivoSolicitacaoSaldo);
    Registrar("900000000000000000000000000002", ArquivoSolicitacaoSaldo);
    Registrar("900000000000000000000000000003", ArquivoRescisorio, "PROT-3");
    Registrar("900000000000000000000000000004", 1); // a type this window does not list
    for (auto [id, valido] : {std::pair{"900000000000000000000000000001", true}, {"900000000000000000000000000002", false}}) {
        TProtocolo p(*sessao);
        p.Identificador = id;
        ASSERT_TRUE(p.MarcarValidade(valido));
    }

    TMensagens m(sessao.get(), ap);
    Janela f(*sessao, m);
    f.show();
    EXPECT_TRUE(ap.textos.empty());
    QTreeWidget* g = f.lstArquivos();
    ASSERT_EQ(g->topLevelItemCount(), 4);

    QTreeWidgetItem* linha = Linha(g, Janela::cIdentificador, QString::fromStdString(pedido));
    ASSERT_TRUE(linha);
    EXPECT_EQ(linha->text(Janela::cArquivo).toStdString(), Descricao(ArquivoSolicitacaoSaldo));
    EXPECT_EQ(linha->text(Janela::cNome).toStdString(), envelope);
    EXPECT_EQ(linha->toolTip(Janela::cNome).toStdString(), envelope);
    EXPECT_EQ(linha->text(Janela::cGeracao).size(), 19); // dd/mm/yyyy hh:nn:ss

    struct Caso {
        const char* id;
        const char* dica;
        bool figura;
    };
    for (const Caso& c : {Caso{"", "", false}, Caso{"900000000000000000000000000001", "Atendido", true},
                          Caso{"900000000000000000000000000002", "Rejeitado", true}}) {
        QTreeWidgetItem* l = Linha(g, Janela::cIdentificador, *c.id ? QString(c.id) : QString::fromStdString(pedido));
        ASSERT_TRUE(l) << c.id;
        EXPECT_EQ(l->toolTip(Janela::cSituacao), QString(c.dica)) << c.id;
        EXPECT_EQ(!l->icon(Janela::cSituacao).isNull(), c.figura) << c.id;
    }

    // Saving again is offered for a rescission file only, and not yet available.
    g->setCurrentItem(linha);
    EXPECT_FALSE(f.btnSalvarArquivo()->isVisible());
    g->setCurrentItem(Linha(g, Janela::cProtocolo, "PROT-3"));
    EXPECT_TRUE(f.btnSalvarArquivo()->isVisible());
    EXPECT_FALSE(f.btnSalvarArquivo()->isEnabled());
    EXPECT_FALSE(f.btnImprimir()->isEnabled());
    EXPECT_EQ(f.btnImprimir()->toolTip(), QString::fromUtf8("Disponível em uma próxima versão do DRAV."));
}

TEST_F(JanelaEnviados, DetalhesMostramEmpresasETrabalhadoresDaEmpresaSelecionada)
{
    const std::string pedido = GerarPedido();
    TMensagens m(sessao.get(), ap);
    Janela f(*sessao, m);
    f.show();
    QTreeWidgetItem* linha = Linha(f.lstArquivos(), Janela::cIdentificador, QString::fromStdString(pedido));
    ASSERT_TRUE(linha);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    const QRect r = f.lstArquivos()->visualItemRect(linha);
    QTest::mouseClick(f.lstArquivos()->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(f.lstArquivos()->viewport(), Qt::LeftButton, {}, r.center());
    ASSERT_EQ(f.pgcPaginas()->currentIndex(), 1) << (ap.textos.empty() ? "" : ap.textos.back());

    QStringList inscricoes = Coluna(f.lstEmpresas(), Janela::ceInscricao);
    inscricoes.sort();
    EXPECT_EQ(inscricoes, QStringList({QString::fromStdString(FormatarCNPJ(kEmpresaA)),
                                       QString::fromStdString(FormatarCNPJ(kEmpresaB))}));
    f.lstEmpresas()->setCurrentItem(Linha(f.lstEmpresas(), Janela::ceRazao, QString::fromStdString("Empresa " + kEmpresaA)));
    EXPECT_EQ(f.lblArquivo()->text().toStdString(), "Arquivo: " + envelope);
    EXPECT_FALSE(f.lblProtocolo()->isVisible()) << "a balance request has no protocol yet";
    EXPECT_FALSE(f.lblRecolhimento()->isVisible());
    EXPECT_TRUE(f.pgcDetalhes()->isTabVisible(1));
    EXPECT_FALSE(f.btnExcluir()->isVisible());

    f.pgcDetalhes()->setCurrentIndex(1);
    EXPECT_EQ(f.lblEmpresa()->text(), QString::fromStdString("Empresa: " + FormatarCNPJ(kEmpresaA) + " - Empresa " +
                                                             kEmpresaA));
    QStringList pis = Coluna(f.lstTrabalhadores(), Janela::ctPis);
    pis.sort();
    EXPECT_EQ(pis, QStringList({"109.87654.32-1", "123.45678.90-1"}));
    EXPECT_TRUE(f.lstTrabalhadores()->isColumnHidden(Janela::ctValor));

    f.pgcDetalhes()->setCurrentIndex(0);
    f.lstEmpresas()->setCurrentItem(Linha(f.lstEmpresas(), Janela::ceRazao, QString::fromStdString("Empresa " + kEmpresaB)));
    f.pgcDetalhes()->setCurrentIndex(1);
    EXPECT_EQ(Coluna(f.lstTrabalhadores(), Janela::ctNome), QStringList({"CARLA DIAS"}));
    EXPECT_TRUE(ap.textos.empty());
}

TEST_F(JanelaEnviados, RegistroVazioEArquivoSemEmpresas)
{
    {
        TMensagens m(sessao.get(), ap);
        Janela f(*sessao, m);
        EXPECT_TRUE(Mostrou("AE0310"));
        EXPECT_FALSE(f.Detalhes());
        EXPECT_TRUE(Mostrou("AE0299"));
    }
    ap.textos.clear();
    Registrar("900000000000000000000000000006", ArquivoReenvioGuias);
    TMensagens m(sessao.get(), ap);
    Janela f(*sessao, m);
    f.show();
    f.pgcPaginas()->setCurrentIndex(1); // choosing the page is the same as "Detalhes"
    EXPECT_TRUE(Mostrou("AE0297"));
    EXPECT_EQ(f.pgcPaginas()->currentIndex(), 0);
}

TEST_F(JanelaEnviados, CabecalhoEAbaTrabalhadorConformeOTipo)
{
    struct Caso {
        int tipo;
        bool protocolo, recolhimento, abaTrabalhador, valor;
    };
    for (const Caso& c : {Caso{ArquivoRescisorio, true, true, true, true},
                          Caso{ArquivoReenvioGuias, false, false, false, false},
                          Caso{ArquivoSolicitacaoSaldo, false, false, true, false}}) {
        const std::string id = "80000000000000000000000000000" + std::to_string(c.tipo);
        Registrar(id, c.tipo, "P" + std::to_string(c.tipo));
        TProtocolo p(*sessao);
        ASSERT_TRUE(p.IncluirEnvioEmpresa(id, 1, CodificarData(2024, 5, 10), "", 10.5, "ACME", kEmpresaA));
        ASSERT_TRUE(p.IncluirEnvioEmpregado(id, 1, 10.5, "", NullDate, "ANA", "12345678901", kEmpresaA, 1,
                                            CodificarData(2019, 2, 1)));
    }
    TMensagens m(sessao.get(), ap);
    Janela f(*sessao, m);
    f.show();
    for (const Caso& c : {Caso{ArquivoRescisorio, true, true, true, true},
                          Caso{ArquivoReenvioGuias, false, false, false, false},
                          Caso{ArquivoSolicitacaoSaldo, false, false, true, false}}) {
        f.pgcPaginas()->setCurrentIndex(0);
        f.lstArquivos()->setCurrentItem(Linha(f.lstArquivos(), Janela::cTipo, QString::number(c.tipo)));
        ASSERT_TRUE(f.Detalhes()) << c.tipo;
        EXPECT_EQ(f.lblProtocolo()->isVisible(), c.protocolo) << c.tipo;
        EXPECT_EQ(f.lblRecolhimento()->isVisible(), c.recolhimento) << c.tipo;
        if (c.recolhimento) {
            EXPECT_EQ(f.lblRecolhimento()->text(), "Data de Recolhimento: 10/05/2024");
        }
        EXPECT_EQ(f.pgcDetalhes()->isTabVisible(1), c.abaTrabalhador) << c.tipo;
        EXPECT_EQ(f.lstEmpresas()->topLevelItem(0)->text(Janela::ceValor), "10,50");
        if (c.abaTrabalhador) {
            f.pgcDetalhes()->setCurrentIndex(1);
            EXPECT_EQ(f.lstTrabalhadores()->isColumnHidden(Janela::ctValor), !c.valor) << c.tipo;
        }
    }
    EXPECT_TRUE(ap.textos.empty());
}

TEST_F(JanelaEnviados, ExcluirSoDepoisDaConfirmacao)
{
    const std::string pedido = GerarPedido();
    const std::string outro = "900000000000000000000000000009";
    Registrar(outro, ArquivoSolicitacaoSaldo);
    sessao->ExecutarSQL("INSERT INTO SFGTBG08_GUIA_TOTALIZADORA (CO_BARRAS, NU_IDENTIFICADOR_ARQUIVO) VALUES "
                        "('123', " + SqlTexto(pedido) + ")");
    TProtocolo p(*sessao);
    ASSERT_TRUE(p.GravarLinha(pedido, 1, "linha do arquivo"));
    TMensagens m(sessao.get(), ap);
    Janela f(*sessao, m);
    f.show();
    f.lstArquivos()->setCurrentItem(Linha(f.lstArquivos(), Janela::cIdentificador, QString::fromStdString(pedido)));
    ASSERT_TRUE(f.Detalhes()); // the details held must not outlive the file
    f.pgcPaginas()->setCurrentIndex(0);

    const std::vector<std::string> tabelas = {"SFGTBG13_ARQUIVO", "SFGTBG14_OCORRENCIA_GUIA", "SFGTBG15_ENVIO_EMPRESA",
                                              "SFGTBG16_ENVIO_EMPREGADO", "SFGTBG08_GUIA_TOTALIZADORA"};
    std::vector<int> antes;
    for (const auto& t : tabelas)
        antes.push_back(Contar(t, pedido));
    EXPECT_EQ(antes, (std::vector<int>{1, 1, 2, 3, 1}));

    ap.respostas = {mrNo};
    EXPECT_FALSE(f.Excluir());
    ASSERT_EQ(ap.textos.size(), 1u);
    EXPECT_TRUE(Mostrou("AE0036"));
    for (std::size_t i = 0; i < tabelas.size(); ++i)
        EXPECT_EQ(Contar(tabelas[i], pedido), antes[i]) << tabelas[i];
    EXPECT_EQ(f.lstArquivos()->topLevelItemCount(), 2);

    ap.respostas = {mrYes};
    QTest::mouseClick(f.btnExcluir(), Qt::LeftButton);
    EXPECT_TRUE(Mostrou("AE0068"));
    for (const auto& t : tabelas)
        EXPECT_EQ(Contar(t, pedido), 0) << t;
    EXPECT_EQ(Contar("SFGTBG13_ARQUIVO", outro), 1);
    EXPECT_EQ(Coluna(f.lstArquivos(), Janela::cIdentificador), QStringList({QString::fromStdString(outro)}));
    EXPECT_EQ(f.lstEmpresas()->topLevelItemCount(), 0);
}

TEST_F(JanelaEnviados, LocalizarArquivoPorTrabalhadorOuProtocolo)
{
    const std::string pedido = GerarPedido();
    Registrar("900000000000000000000000000003", ArquivoRescisorio, "PROT-3");
    TMensagens m(sessao.get(), ap);
    Janela f(*sessao, m);
    f.show();

    EXPECT_TRUE(f.Localizar("PROTOCOLO-PROT-3 resto"));
    EXPECT_EQ(f.lstArquivos()->currentItem()->text(Janela::cProtocolo), "PROT-3");
    EXPECT_FALSE(f.Localizar("PROTOCOLO-NADA"));
    EXPECT_TRUE(Mostrou("AE0348"));

    ASSERT_TRUE(f.Localizar("PIS/PASEP-11111111116"));
    EXPECT_EQ(f.lstArquivos()->currentItem()->text(Janela::cIdentificador).toStdString(), pedido);
    EXPECT_EQ(f.pgcDetalhes()->currentIndex(), 1);
    EXPECT_EQ(f.lstEmpresas()->currentItem()->text(Janela::ceRazao).toStdString(), "Empresa " + kEmpresaB);
    EXPECT_EQ(f.lstTrabalhadores()->currentItem()->text(Janela::ctNome), "CARLA DIAS");

    f.pgcPaginas()->setCurrentIndex(0);
    EXPECT_FALSE(f.Localizar("INSCRICAO-1 OR 1=1"));
    EXPECT_FALSE(f.Localizar("INSCRICAO-99999999000191"));
    EXPECT_TRUE(Mostrou("AE0092"));
    ASSERT_TRUE(f.Localizar("INSCRICAO-" + kEmpresaB));
    EXPECT_EQ(f.pgcDetalhes()->currentIndex(), 0);
    EXPECT_EQ(f.lstEmpresas()->currentItem()->text(Janela::ceInscricao).toStdString(), FormatarCNPJ(kEmpresaB));
}

} // namespace
} // namespace drav
