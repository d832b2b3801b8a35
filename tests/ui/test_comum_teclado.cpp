// Focus advance and the numeric key filter, driven with real key events.
#include "ui/comum/Teclado.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

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

struct ComAplicacao {
    ComAplicacao() { GarantirAplicacao(); }
};

// A window with the kinds of field the entry frames use, in tab order.
class JanelaCampos : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* l = new QVBoxLayout(&janela);
        for (QWidget* w : std::initializer_list<QWidget*>{texto, data, moeda, combo, ultimo})
            l->addWidget(w);
        texto->setMaxLength(4);
        data->setInputMask("99/99/9999");
        data->setProperty(kTipoCampo, "data");
        moeda->setMaxLength(10);
        moeda->setProperty(kTipoCampo, "moeda");
        combo->addItems({"A", "B"});
        TAvancoFoco::Instalar(&janela);
        janela.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    }

    void Digitar(QWidget* w, const char* teclas)
    {
        w->setFocus();
        QTest::keyClicks(w, teclas);
        QCoreApplication::processEvents();
    }

    ComAplicacao aplicacao; // first: the widgets below need it
    QWidget janela;
    QLineEdit* texto = new QLineEdit;
    QLineEdit* data = new QLineEdit;
    QLineEdit* moeda = new QLineEdit;
    QComboBox* combo = new QComboBox;
    QLineEdit* ultimo = new QLineEdit;
};

} // namespace

TEST_F(JanelaCampos, CampoCompletoPassaOFocoComAUltimaTeclaNele)
{
    Digitar(texto, "123");
    EXPECT_TRUE(texto->hasFocus());
    Digitar(texto, "4");
    EXPECT_EQ(texto->text(), "1234");
    EXPECT_TRUE(data->hasFocus());
}

TEST_F(JanelaCampos, BackspaceNuncaCompleta)
{
    texto->setText("1234");
    texto->setFocus();
    QTest::keyClick(texto, Qt::Key_Backspace);
    QCoreApplication::processEvents();
    EXPECT_EQ(texto->text(), "123");
    EXPECT_TRUE(texto->hasFocus());
}

TEST_F(JanelaCampos, DataEMoeda)
{
    Digitar(data, "2502200");
    EXPECT_TRUE(data->hasFocus());
    Digitar(data, "5");
    EXPECT_EQ(data->text(), "25/02/2005");
    EXPECT_TRUE(moeda->hasFocus());

    Digitar(moeda, "1234567");
    EXPECT_TRUE(moeda->hasFocus());
    Digitar(moeda, "8");
    EXPECT_TRUE(combo->hasFocus());
}

TEST_F(JanelaCampos, ComboSoComItemSelecionado)
{
    combo->setCurrentIndex(-1);
    Digitar(combo, "x");
    EXPECT_TRUE(combo->hasFocus());
    combo->setCurrentIndex(1);
    Digitar(combo, "x");
    EXPECT_TRUE(ultimo->hasFocus());
}

TEST(FiltrarTeclaNumerica, SoDigitosBackspaceETab)
{
    GarantirAplicacao();
    QDialog dialogo;
    auto* l = new QVBoxLayout(&dialogo);
    auto* campo = new QLineEdit;
    auto* outro = new QLineEdit;
    auto* ok = new QPushButton("OK");
    ok->setDefault(true);
    l->addWidget(campo);
    l->addWidget(outro);
    l->addWidget(ok);
    TFiltroTeclaNumerica::Instalar(campo);
    dialogo.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialogo));
    campo->setFocus();

    QTest::keyClicks(campo, "1a2 b-3,");
    EXPECT_EQ(campo->text(), "123");
    QTest::keyClick(campo, Qt::Key_Backspace);
    EXPECT_EQ(campo->text(), "12");
    QTest::keyClick(campo, Qt::Key_Left); // moves the cursor, types nothing
    QTest::keyClick(campo, '9');
    EXPECT_EQ(campo->text(), "192");
    QTest::keyClick(campo, Qt::Key_Tab);
    EXPECT_TRUE(outro->hasFocus());

    // Enter still reaches the dialog's default button.
    campo->setFocus();
    QSignalSpy clicado(ok, &QPushButton::clicked);
    QTest::keyClick(campo, Qt::Key_Return);
    EXPECT_EQ(clicado.count(), 1);
}

TEST(CampoNumerico, ColarTextoComLetrasNaoEntra)
{
    GarantirAplicacao();
    QLineEdit campo;
    CampoNumerico(&campo, 11);
    QApplication::clipboard()->setText("12a34");
    campo.paste();
    EXPECT_EQ(campo.text(), "");
    QApplication::clipboard()->setText("1234");
    campo.paste();
    EXPECT_EQ(campo.text(), "1234");
    EXPECT_EQ(campo.maxLength(), 11);
}
