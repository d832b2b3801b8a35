// The two windows in front of the worker listing: the employer selection and the worker order.
#include "ui/relatorios/TfrmRelEmpregados.h"
#include "ui/relatorios/TfrmSelecaoEmpresa.h"

#include "core/DBUtils.h"
#include "core/Mensagens.h"
#include "kit/ApresentadorTeste.h"
#include "kit/BancoTeste.h"
#include "ui/relatorios/Relatorios.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <stdexcept>

namespace drav {
namespace {

class JanelasTrabalhadores : public teste::BancoTeste {
protected:
    void Empresa(int tipo, const std::string& numero, const std::string& razao)
    {
        sessao->ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
                            "IC_ESTADO_EMPRESA) VALUES (" + std::to_string(tipo) + ", " + numero + ", '" + razao +
                            "', 'E')");
    }
    static QStringList Coluna(QTableWidget* g, int c)
    {
        QStringList r;
        for (int i = 0; i < g->rowCount(); ++i)
            r << g->item(i, c)->text();
        return r;
    }
    static void Clicar(QTableWidget* g, int linha)
    {
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(linha, 1)).center());
    }

    teste::ApresentadorGravado apresentador;
};

TEST_F(JanelasTrabalhadores, SelecaoMarcaTodasOuAsClicadasEOrdenaAsEmpresas)
{
    Empresa(1, "44555666000199", "BETA");
    Empresa(2, "123456789012", "ALFA OBRA");
    Empresa(1, "11222333000181", "CARLOS");
    TMensagens mensagens(sessao.get(), apresentador);
    TfrmSelecaoEmpresa janela(*sessao, mensagens);
    ASSERT_TRUE(janela.Carregar());
    janela.show();
    EXPECT_EQ(janela.windowTitle(), "Selecionar Empresas");
    auto* g = janela.grdEmpresas();
    auto* todas = janela.chkSelecionarTodas();
    EXPECT_EQ(Coluna(g, 0), (QStringList{"123456789012", "44.555.666/0001-99", "11.222.333/0001-81"}));
    EXPECT_EQ(g->columnWidth(1), 460);
    EXPECT_TRUE(janela.btnImprimir()->isEnabled());
    EXPECT_EQ(janela.OrdemEmpresas(), "NO_RAZAO_SOCIAL");
    EXPECT_EQ(janela.InscricoesMarcadas(), (std::vector<int64_t>{123456789012}));

    QTest::mouseClick(todas, Qt::LeftButton, {}, QPoint(5, todas->height() / 2));
    EXPECT_TRUE(janela.Todas());
    EXPECT_EQ(janela.InscricoesMarcadas().size(), 3u);
    // Unmarking a row by clicking it clears the box but leaves the other marks.
    Clicar(g, 1);
    EXPECT_FALSE(janela.Todas());
    EXPECT_EQ(janela.InscricoesMarcadas(), (std::vector<int64_t>{123456789012, 11222333000181}));
    Clicar(g, 1);
    EXPECT_TRUE(janela.Todas()) << "every row marked again by clicks";
    // Clearing the box itself leaves only the first row.
    todas->click();
    EXPECT_FALSE(janela.Todas());
    EXPECT_EQ(janela.InscricoesMarcadas(), (std::vector<int64_t>{123456789012}));

    todas->click();
    janela.Ordenar(0);
    EXPECT_FALSE(janela.Todas());
    EXPECT_EQ(janela.OrdemEmpresas(), "NU_TIPO_INSO_EMPRA,NU_INSCRICAO");
    EXPECT_EQ(Coluna(g, 1), (QStringList{"CARLOS", "BETA", "ALFA OBRA"}));
    EXPECT_EQ(janela.InscricoesMarcadas(), (std::vector<int64_t>{11222333000181, 44555666000199, 123456789012}));
    janela.Ordenar(1);
    EXPECT_EQ(janela.OrdemEmpresas(), "NO_RAZAO_SOCIAL");
    EXPECT_EQ(Coluna(g, 1), (QStringList{"ALFA OBRA", "BETA", "CARLOS"}));
}

TEST_F(JanelasTrabalhadores, ColunaDaRazaoSocialMaisEstreitaComBarraDeRolagem)
{
    for (int i = 0; i < 17; ++i)
        Empresa(1, std::to_string(10000000000000LL + i), "EMPRESA " + std::to_string(i));
    TMensagens mensagens(sessao.get(), apresentador);
    TfrmSelecaoEmpresa janela(*sessao, mensagens);
    ASSERT_TRUE(janela.Carregar());
    EXPECT_EQ(janela.grdEmpresas()->columnWidth(1), 444);
}

TEST_F(JanelasTrabalhadores, SemEmpresaNadaAbre)
{
    TMensagens mensagens(sessao.get(), apresentador);
    EXPECT_FALSE(VisualizarTrabalhadores(nullptr, *sessao, mensagens));
    ASSERT_EQ(apresentador.textos.size(), 1u);
    EXPECT_EQ(apresentador.textos[0].rfind("RE0086", 0), 0u) << apresentador.textos[0];
}

TEST_F(JanelasTrabalhadores, OrdemDosTrabalhadoresEControlesDuranteAImpressao)
{
    TMensagens mensagens(sessao.get(), apresentador);
    TfrmRelEmpregados janela(*sessao, mensagens, "NU_TIPO_INSO_EMPRA,NU_INSCRICAO", false, {11222333000181});
    EXPECT_EQ(janela.windowTitle().toStdString(), "Relatório de Trabalhadores");
    EXPECT_EQ(janela.rgOrdenacao()->title(), " Ordenado por ");
    const char* colunas[] = {"PIS_EMPREGADO", "NO_EMPREGADO", "DT_ADMISSAO", "CATEGORIA"};
    std::vector<std::string> pedidas;
    bool desligados = false;
    janela.Visualizar = [&](const std::string& ordem) {
        pedidas.push_back(ordem);
        desligados = !janela.btnImprimir()->isEnabled() && !janela.btnFechar()->isEnabled() &&
                     !janela.rgOrdenacao()->isEnabled();
        return true;
    };
    for (int i = 0; i < 4; ++i) {
        janela.opcoesOrdem()->button(i)->click();
        QTest::mouseClick(janela.btnImprimir(), Qt::LeftButton);
        ASSERT_EQ(pedidas.size(), static_cast<std::size_t>(i + 1));
        EXPECT_EQ(pedidas.back(), std::string("NU_TIPO_INSO_EMPRA,NU_INSCRICAO,") + colunas[i]);
        EXPECT_TRUE(desligados);
        EXPECT_TRUE(janela.btnImprimir()->isEnabled());
    }
    // A failing listing still gives the controls back.
    janela.Visualizar = [](const std::string&) -> bool { throw std::runtime_error("falha"); };
    EXPECT_THROW(janela.btnImprimirClick(), std::runtime_error);
    EXPECT_TRUE(janela.btnImprimir()->isEnabled() && janela.rgOrdenacao()->isEnabled());
}

} // namespace
} // namespace drav
