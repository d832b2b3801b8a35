// The balance request window: which employers and links go into the request, and the messages
// that stop it.
#include "ui/solicitacao/TfrmSolicitacaoSaldo.h"

#include "core/DBUtils.h"
#include "core/Mensagens.h"
#include "kit/ApresentadorTeste.h"
#include "kit/BancoTeste.h"

#include <QComboBox>
#include <QDropEvent>
#include <QTreeWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace drav {
namespace {

using Registro = teste::ApresentadorGravado;

class JanelaSolicitacao : public teste::BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        Empresa(1, "11222333000181", "ACME INDUSTRIA", "E");
        Empresa(2, "123456789012", "BETA OBRAS", "A");
        Empresa(1, "33444555000166", "GAMA SEM VINCULOS", "E");
        Empresa(1, "99888777000155", "ALFA RESPONSAVEL", "R"); // not an employer: never listed
        Vinculo("1, 11222333000181", "12034567899", "MARIA SILVA", 1, "2015-03-02");
        Vinculo("1, 11222333000181", "10000000001", "ANA COSTA", 1, "2018-07-10");
        Vinculo("1, 11222333000181", "10000000002", "BRUNO LIMA", 5, "2020-01-15");
        Vinculo("2, 123456789012", "10000000003", "CARLOS DIAS", 1, "2019-05-20");
    }
    void Empresa(int tipo, const std::string& numero, const std::string& nome, const std::string& papel)
    {
        sessao->ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
                            "IC_ESTADO_EMPRESA) VALUES (" +
                            std::to_string(tipo) + ", " + numero + ", '" + nome + "', '" + papel + "')");
    }
    void Vinculo(const std::string& empresa, const std::string& pis, const std::string& nome, int categoria,
                 const std::string& admissao)
    {
        sessao->ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES (" + pis + ", '" + nome +
                            "')");
        sessao->ExecutarSQL("INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "NU_CATEGORIA, DT_ADMISSAO_VINCULO) VALUES (" +
                            empresa + ", " + pis + ", " + std::to_string(categoria) + ", '" + admissao + "')");
    }

    // Marks the items whose text contains the given one, and only those.
    static void Marcar(QTreeWidget* lista, const QString& trecho)
    {
        lista->clearSelection();
        for (int i = 0; i < lista->topLevelItemCount(); ++i)
            if (lista->topLevelItem(i)->text(0).contains(trecho))
                lista->topLevelItem(i)->setSelected(true);
    }
    // The first column of each row.
    static QStringList Textos(const QTreeWidget* lista)
    {
        QStringList r;
        for (int i = 0; i < lista->topLevelItemCount(); ++i)
            r << lista->topLevelItem(i)->text(0);
        return r;
    }
    static std::vector<std::string> Trabalhadores(const TArrRegRegistro& e)
    {
        std::vector<std::string> r;
        for (const auto& x : e)
            r.push_back(x.NomeEmpresa.substr(0, 4) + "/" + x.NomeTrabalhador);
        return r;
    }

    Registro ap;
};

TEST_F(JanelaSolicitacao, EmpresaNuncaAbertaVaiComTodosOsVinculosEmOrdemDeNome)
{
    TMensagens m(sessao.get(), ap);
    TfrmSolicitacaoSaldo f(*sessao, m);
    f.show();
    const QStringList disponiveis = Textos(f.lstEmpresasDisponiveis());
    ASSERT_EQ(disponiveis.size(), 3) << disponiveis.join('|').toStdString();
    EXPECT_TRUE(disponiveis[0].startsWith("ACME INDUSTRIA"));
    EXPECT_TRUE(disponiveis[1].startsWith("BETA OBRAS"));
    EXPECT_TRUE(disponiveis[2].startsWith("GAMA"));
    EXPECT_TRUE(f.Entradas().empty());

    Marcar(f.lstEmpresasDisponiveis(), "BETA");
    QTest::mouseClick(f.btnIncluirEmpresa(), Qt::LeftButton);
    Marcar(f.lstEmpresasDisponiveis(), "ACME");
    QTest::mouseClick(f.btnIncluirEmpresa(), Qt::LeftButton);
    EXPECT_EQ(f.lstEmpresasDisponiveis()->topLevelItemCount(), 1);

    const TArrRegRegistro e = f.Entradas();
    EXPECT_EQ(Trabalhadores(e), (std::vector<std::string>{"ACME/ANA COSTA", "ACME/BRUNO LIMA", "ACME/MARIA SILVA",
                                                           "BETA/CARLOS DIAS"}));
    ASSERT_EQ(e.size(), 4u);
    const TRegRegistro& bruno = e[1];
    EXPECT_EQ(bruno.TipoRegistro, "40");
    EXPECT_EQ(bruno.TipoInscricao, "1");
    EXPECT_EQ(bruno.Inscricao, "11222333000181");
    EXPECT_EQ(bruno.NomeEmpresa, "ACME INDUSTRIA");
    EXPECT_EQ(bruno.Pis, "10000000002");
    EXPECT_EQ(bruno.Categoria, "05");
    EXPECT_EQ(bruno.DataAdmissao, "15012020");
    EXPECT_EQ(e[3].TipoInscricao, "2");
    EXPECT_EQ(e[3].Inscricao, "123456789012");
}

TEST_F(JanelaSolicitacao, VinculosEscolhidosNaAbaTrabalhador)
{
    TMensagens m(sessao.get(), ap);
    TfrmSolicitacaoSaldo f(*sessao, m);
    f.show();
    QTest::mouseClick(f.btnIncluirTodasEmpresas(), Qt::LeftButton);
    Marcar(f.lstEmpresasSelecionadas(), "GAMA");
    QTest::mouseClick(f.btnRetirarEmpresa(), Qt::LeftButton);

    f.pgcAbas()->setCurrentIndex(1);
    ASSERT_EQ(f.cboEmpresa()->count(), 2);
    EXPECT_TRUE(f.cboEmpresa()->currentText().startsWith("ACME"));
    EXPECT_EQ(f.lstVinculosDisponiveis()->topLevelItemCount(), 0);
    ASSERT_EQ(f.lstVinculosSelecionados()->topLevelItemCount(), 3);
    EXPECT_TRUE(f.lstVinculosSelecionados()->topLevelItem(0)->text(0).startsWith("ANA COSTA"));

    Marcar(f.lstVinculosSelecionados(), "MARIA");
    QTest::mouseClick(f.btnRetirarVinculo(), Qt::LeftButton);
    Marcar(f.lstVinculosSelecionados(), "ANA");
    QTest::mouseClick(f.btnRetirarVinculo(), Qt::LeftButton);
    Marcar(f.lstVinculosDisponiveis(), "MARIA");
    QTest::mouseClick(f.btnIncluirVinculo(), Qt::LeftButton);
    EXPECT_EQ(Textos(f.lstVinculosDisponiveis()).size(), 1);

    // Going to another employer and back keeps the choice.
    f.cboEmpresa()->setCurrentIndex(1);
    EXPECT_EQ(f.lstVinculosSelecionados()->topLevelItemCount(), 1);
    f.cboEmpresa()->setCurrentIndex(0);
    EXPECT_EQ(f.lstVinculosDisponiveis()->topLevelItemCount(), 1);

    EXPECT_EQ(Trabalhadores(f.Entradas()),
              (std::vector<std::string>{"ACME/BRUNO LIMA", "ACME/MARIA SILVA", "BETA/CARLOS DIAS"}));
}

TEST_F(JanelaSolicitacao, MensagensQueImpedemASolicitacao)
{
    TMensagens m(sessao.get(), ap);
    TfrmSolicitacaoSaldo f(*sessao, m);
    f.show();
    std::vector<TArrRegRegistro> pedidos;
    bool resposta = false;
    f.ExecutarSolicitacao = [&](const TArrRegRegistro& e) {
        pedidos.push_back(e);
        return resposta;
    };

    QTest::mouseClick(f.btnSolicitar(), Qt::LeftButton);
    ASSERT_EQ(ap.textos.size(), 1u);
    EXPECT_EQ(ap.textos.back().rfind("SS0116 - ", 0), 0u) << ap.textos.back();

    // An employer without any link, never opened: nothing to request for it.
    Marcar(f.lstEmpresasDisponiveis(), "GAMA");
    QTest::mouseClick(f.btnIncluirEmpresa(), Qt::LeftButton);
    QTest::mouseClick(f.btnSolicitar(), Qt::LeftButton);
    ASSERT_EQ(ap.textos.size(), 2u);
    EXPECT_EQ(ap.textos.back().rfind("SS0228 - ", 0), 0u) << ap.textos.back();
    QTest::mouseClick(f.btnRetirarTodasEmpresas(), Qt::LeftButton);

    // An employer whose links were all moved back; the window shows it to the user.
    Marcar(f.lstEmpresasDisponiveis(), "ACME");
    QTest::mouseClick(f.btnIncluirEmpresa(), Qt::LeftButton);
    Marcar(f.lstEmpresasDisponiveis(), "BETA");
    QTest::mouseClick(f.btnIncluirEmpresa(), Qt::LeftButton);
    f.pgcAbas()->setCurrentIndex(1);
    f.cboEmpresa()->setCurrentIndex(1);
    QTest::mouseClick(f.btnRetirarTodosVinculos(), Qt::LeftButton);
    f.cboEmpresa()->setCurrentIndex(0);
    f.pgcAbas()->setCurrentIndex(0);
    QTest::mouseClick(f.btnSolicitar(), Qt::LeftButton);
    ASSERT_EQ(ap.textos.size(), 3u);
    EXPECT_EQ(ap.textos.back().rfind("SS0228 - ", 0), 0u) << ap.textos.back();
    EXPECT_EQ(f.pgcAbas()->currentIndex(), 1);
    EXPECT_TRUE(f.cboEmpresa()->currentText().startsWith("BETA"));
    EXPECT_TRUE(pedidos.empty());

    // A request that failed keeps the window open; one that succeeded closes it.
    QTest::mouseClick(f.btnIncluirTodosVinculos(), Qt::LeftButton);
    QTest::mouseClick(f.btnSolicitar(), Qt::LeftButton);
    ASSERT_EQ(pedidos.size(), 1u);
    EXPECT_EQ(pedidos[0].size(), 4u);
    EXPECT_EQ(f.result(), QDialog::Rejected);
    resposta = true;
    QTest::mouseClick(f.btnSolicitar(), Qt::LeftButton);
    EXPECT_EQ(pedidos.size(), 2u);
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(ap.textos.size(), 3u);
}

TEST_F(JanelaSolicitacao, ArrastarEntreAsListasMoveAEmpresa)
{
    TMensagens m(sessao.get(), ap);
    TfrmSolicitacaoSaldo f(*sessao, m);
    f.show();
    QTreeWidget* disp = f.lstEmpresasDisponiveis();
    QTreeWidget* sel = f.lstEmpresasSelecionadas();
    auto soltar = [](QTreeWidget* origem, QTreeWidget* destino) {
        std::unique_ptr<QMimeData> dados(origem->model()->mimeData(origem->selectionModel()->selectedIndexes()));
        QDragEnterEvent entrada(QPoint(5, 5), Qt::MoveAction, dados.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(destino->viewport(), &entrada);
        QDropEvent soltura(QPointF(5, 5), Qt::MoveAction, dados.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(destino->viewport(), &soltura);
    };
    Marcar(disp, "BETA");
    soltar(disp, disp); // onto its own list: nothing moves
    EXPECT_EQ(sel->topLevelItemCount(), 0);
    soltar(disp, sel);
    ASSERT_EQ(sel->topLevelItemCount(), 1);
    EXPECT_TRUE(sel->topLevelItem(0)->text(0).startsWith("BETA"));
    EXPECT_EQ(disp->topLevelItemCount(), 2);
    Marcar(sel, "BETA");
    soltar(sel, disp);
    EXPECT_EQ(sel->topLevelItemCount(), 0);
    EXPECT_EQ(disp->topLevelItemCount(), 3);
}

} // namespace
} // namespace drav
