// The search windows and their tagged answers.
#include "ui/comum/Pesquisas.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace drav;

namespace {

void GarantirAplicacao()
{
    static int argc = 1;
    static char nome[] = "test_ui";
    static char* argv[] = {nome, nullptr};
    if (!QCoreApplication::instance())
        new QApplication(argc, argv);
}

class Pesquisas : public ::testing::Test {
protected:
    void SetUp() override { GarantirAplicacao(); }

    // Runs `acao` on the search window once its modal loop is running.
    void QuandoAbrir(std::function<void(TfrmPesquisa&)> acao)
    {
        auto* timer = new QTimer;
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, [timer, acao] {
            if (auto* j = qobject_cast<TfrmPesquisa*>(QApplication::activeModalWidget())) {
                timer->stop();
                timer->deleteLater();
                acao(*j);
            }
        });
        timer->start();
    }

    static QStringList Rotulos(const QWidget& w)
    {
        QStringList l;
        for (const QLabel* r : w.findChildren<QLabel*>())
            l << r->text();
        return l;
    }
};

} // namespace

TEST_F(Pesquisas, EmpresaModosMostramOsCamposCertos)
{
    struct Caso {
        int modo;
        QStringList rotulos;
    };
    const Caso casos[] = {
        {1, {"Inscrição"}},
        {2, {"Inscrição", "Razão Social"}},
        {3, {"Inscrição", "Razão Social", "PIS/PASEP"}},
    };
    for (const auto& c : casos) {
        std::unique_ptr<TfrmPesquisa> j(TfrmPesquisa::Empresa(c.modo));
        EXPECT_EQ(j->windowTitle(), "Localizar Empresa");
        EXPECT_EQ(Rotulos(*j), c.rotulos) << c.modo;
        EXPECT_EQ(j->BotaoLocalizar()->text(), "&Localizar");
        EXPECT_EQ(j->BotaoFechar()->text(), "&Fechar");
        EXPECT_EQ(j->CampoInscricao()->maxLength(), 14);
        if (j->CampoNome()) {
            EXPECT_EQ(j->CampoNome()->maxLength(), 70);
        }
        if (j->CampoPis()) {
            EXPECT_EQ(j->CampoPis()->maxLength(), 11);
        }
    }
}

TEST_F(Pesquisas, DigitarEmUmCampoEsvaziaOsOutros)
{
    std::unique_ptr<TfrmPesquisa> j(TfrmPesquisa::Empresa(3));
    j->show();
    EXPECT_FALSE(j->BotaoLocalizar()->isEnabled());
    EXPECT_EQ(j->Resultado(), "");

    QTest::keyClicks(j->CampoInscricao(), "11a222333000181");
    EXPECT_EQ(j->CampoInscricao()->text(), "11222333000181"); // digits only
    EXPECT_TRUE(j->BotaoLocalizar()->isEnabled());
    EXPECT_EQ(j->Resultado(), "INSCRICAO-11222333000181");

    QTest::keyClicks(j->CampoNome(), "acme Ltda ");
    EXPECT_EQ(j->CampoInscricao()->text(), "");
    EXPECT_EQ(j->Resultado(), "RAZAO-ACME LTDA");

    QTest::keyClicks(j->CampoPis(), "12345678901");
    EXPECT_EQ(j->CampoNome()->text(), "");
    EXPECT_EQ(j->Resultado(), "PIS/PASEP-12345678901");

    // The field typed last wins: a PIS left behind would otherwise lose to the inscription.
    QTest::keyClicks(j->CampoInscricao(), "191");
    EXPECT_EQ(j->CampoPis()->text(), "");
    EXPECT_EQ(j->Resultado(), "INSCRICAO-191");

    QTest::keyClick(j->CampoInscricao(), Qt::Key_Backspace);
    QTest::keyClick(j->CampoInscricao(), Qt::Key_Backspace);
    QTest::keyClick(j->CampoInscricao(), Qt::Key_Backspace);
    EXPECT_FALSE(j->BotaoLocalizar()->isEnabled());

    QTest::keyClicks(j->CampoNome(), "   ");
    EXPECT_FALSE(j->BotaoLocalizar()->isEnabled()); // blanks are no search
}

TEST_F(Pesquisas, PesquisarEmpresaLocalizarEFechar)
{
    QuandoAbrir([](TfrmPesquisa& j) {
        QTest::keyClicks(j.CampoInscricao(), "11222333000181");
        QTest::keyClick(j.CampoInscricao(), Qt::Key_Return); // "&Localizar" is the default button
    });
    EXPECT_EQ(PesquisarEmpresa(1), "INSCRICAO-11222333000181");

    QuandoAbrir([](TfrmPesquisa& j) {
        QTest::keyClicks(j.CampoInscricao(), "11222333000181");
        j.BotaoFechar()->click();
    });
    EXPECT_EQ(PesquisarEmpresa(1), "");
}

TEST_F(Pesquisas, EmpresaOuTrabalhador)
{
    QuandoAbrir([](TfrmPesquisa& j) {
        QTest::keyClicks(j.CampoPis(), "12345678901");
        j.BotaoLocalizar()->click();
    });
    const TResultadoPesquisa r = PesquisarEmpresaOuTrabalhador();
    EXPECT_TRUE(r.Encontrado);
    EXPECT_EQ(r.Tipo, "F");
    EXPECT_EQ(r.Valor, "12345678901");
    EXPECT_EQ(r.Texto, "PIS/PASEP-12345678901");

    struct Caso {
        const char* texto;
        bool encontrado;
        const char* tipo;
        const char* valor;
    };
    const Caso casos[] = {
        {"RAZAO-ACME-SUL", true, "E", "ACME-SUL"}, // only the first "-" is the tag's
        {"INSCRICAO-191", true, "E", "191"},
        {"", false, "", ""},
    };
    for (const auto& c : casos) {
        const TResultadoPesquisa i = InterpretarPesquisa(c.texto);
        EXPECT_EQ(i.Encontrado, c.encontrado) << c.texto;
        EXPECT_EQ(i.Tipo, c.tipo) << c.texto;
        EXPECT_EQ(i.Valor, c.valor) << c.texto;
        EXPECT_EQ(i.Texto, c.texto);
    }
}

TEST_F(Pesquisas, Trabalhador)
{
    std::unique_ptr<TfrmPesquisa> j(TfrmPesquisa::Trabalhador());
    EXPECT_EQ(j->windowTitle(), "Localizar Trabalhador");
    EXPECT_EQ(Rotulos(*j), (QStringList{"PIS/PASEP", "Nome"}));
    EXPECT_EQ(j->CampoInscricao(), nullptr);
    QTest::keyClicks(j->CampoNome(), "jos");
    QTest::sendKeyEvent(QTest::Click, j->CampoNome(), Qt::Key_Eacute, QStringLiteral("é"), Qt::NoModifier);
    QTest::keyClicks(j->CampoNome(), " da silva");
    EXPECT_EQ(j->Resultado(), "NOME-JOSÉ DA SILVA");
    QTest::keyClicks(j->CampoPis(), "x1");
    EXPECT_EQ(j->Resultado(), "PIS/PASEP-1");
}

TEST_F(Pesquisas, Protocolo)
{
    std::unique_ptr<TfrmPesquisa> curta(TfrmPesquisa::Protocolo("", 1));
    EXPECT_EQ(curta->windowTitle(), "Localizar Protocolo");
    EXPECT_EQ(Rotulos(*curta), (QStringList{"Protocolo"}));
    EXPECT_FALSE(curta->BotaoLocalizar()->isEnabled()); // the mask alone is no search

    std::unique_ptr<TfrmPesquisa> j(TfrmPesquisa::Protocolo("", 2));
    EXPECT_EQ(Rotulos(*j), (QStringList{"Protocolo", "Inscrição", "PIS/PASEP"}));
    EXPECT_GT(j->sizeHint().height(), curta->sizeHint().height());
    j->show();
    j->CampoProtocolo()->setFocus();
    QTest::keyClicks(j->CampoProtocolo(), "ABCD1234EFGH5678IJKL9012MNOP3456");
    EXPECT_TRUE(j->BotaoLocalizar()->isEnabled());
    EXPECT_EQ(j->Resultado(), "PROTOCOLO-ABCD1234.EFGH5678.IJKL9012.MNOP3456");

    QTest::keyClicks(j->CampoInscricao(), "191");
    EXPECT_EQ(j->Resultado(), "INSCRICAO-191");

    std::unique_ptr<TfrmPesquisa> inicial(TfrmPesquisa::Protocolo("ABCD1234EFGH5678IJKL9012MNOP3456", 1));
    EXPECT_EQ(inicial->Resultado(), "PROTOCOLO-ABCD1234.EFGH5678.IJKL9012.MNOP3456");
    EXPECT_TRUE(inicial->BotaoLocalizar()->isEnabled());
}
