#include "core/Mensagens.h"
#include "kit/BancoTeste.h"
#include "ui/entrada/TfrmEntrada.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <fstream>

namespace drav {
namespace {

class ApresentadorFalso : public IApresentador {
public:
    std::vector<DialogoMensagem> mostrados;
    int resposta = mrYes;
    int Mostrar(const DialogoMensagem& d) override
    {
        mostrados.push_back(d);
        return (d.botoes & Botoes::Sim) ? resposta : mrOk;
    }
    void MostrarErroSistema(const std::string&, const std::string&) override {}
};

class EntradaTeste : public teste::BancoTeste {
protected:
    ApresentadorFalso ap;
};

TEST_F(EntradaTeste, ArquivoDeFolhaSoComONomePadrao)
{
    const auto criar = [this](const std::string& nome) {
        std::ofstream(pasta / nome) << "x";
        return QString::fromStdString((pasta / nome).string());
    };
    EXPECT_TRUE(TfrmEntrada::ArquivoFolhaAceito(criar("DRAV.re")));
    EXPECT_TRUE(TfrmEntrada::ArquivoFolhaAceito(criar("drav.re")));
    EXPECT_FALSE(TfrmEntrada::ArquivoFolhaAceito(criar("DRAV.txt")));
    EXPECT_FALSE(TfrmEntrada::ArquivoFolhaAceito(criar("OUTRO.re")));
    EXPECT_FALSE(TfrmEntrada::ArquivoFolhaAceito(QString::fromStdString((pasta / "sub" / "DRAV.re").string())));
}

TEST_F(EntradaTeste, OpcaoAindaNaoDisponivelAvisaEContinuaAberto)
{
    TMensagens m(sessao.get(), ap);
    TfrmEntrada f(m, {});
    EXPECT_TRUE(f.rbImportar()->isChecked());
    EXPECT_FALSE(f.btnVoltar()->isVisibleTo(&f));
    for (QRadioButton* rb : {f.rbImportar(), f.rbCadastrar(), f.rbRestaurar()}) {
        rb->setChecked(true);
        ap.mostrados.clear();
        QTest::mouseClick(f.btnAvancar(), Qt::LeftButton);
        ASSERT_EQ(ap.mostrados.size(), 1u);
        EXPECT_NE(ap.mostrados[0].texto.find("ainda não está disponível"), std::string::npos);
        EXPECT_EQ(f.result(), QDialog::Rejected);
    }
}

TEST_F(EntradaTeste, ImportacaoCanceladaDeixaOsPaineisHabilitados)
{
    TMensagens m(sessao.get(), ap);
    int importacoes = 0;
    ServicosEntrada s;
    s.importarFolha = [&](const QString&) { return ++importacoes > 1; };
    TfrmEntrada f(m, s);
    QString escolha;
    f.escolherArquivo = [&](QWidget*) { return escolha; };
    QTest::mouseClick(f.btnAvancar(), Qt::LeftButton); // file dialog cancelled
    EXPECT_EQ(importacoes, 0);
    EXPECT_TRUE(f.rbImportar()->isEnabled());
    escolha = "/tmp/DRAV.re";
    QTest::mouseClick(f.btnAvancar(), Qt::LeftButton); // import failed
    EXPECT_EQ(f.result(), QDialog::Rejected);
    EXPECT_TRUE(f.rbImportar()->isEnabled());
    QTest::mouseClick(f.btnAvancar(), Qt::LeftButton); // import succeeded
    EXPECT_EQ(f.result(), QDialog::Accepted);
}

TEST_F(EntradaTeste, CadastroDoResponsavelPedeConfirmacaoAntesDeGravar)
{
    TMensagens m(sessao.get(), ap);
    bool valido = false;
    int gravacoes = 0;
    ServicosEntrada s;
    s.criarFrameResponsavel = [](QWidget* pai) { return new QLabel("frame", pai); };
    s.validarResponsavel = [&] { return valido; };
    s.salvarResponsavel = [&] { ++gravacoes; };
    TfrmEntrada f(m, s);
    f.show();
    f.rbCadastrar()->setChecked(true);
    QTest::mouseClick(f.btnAvancar(), Qt::LeftButton); // shows the frame
    EXPECT_EQ(f.height(), 430);
    EXPECT_TRUE(f.btnVoltar()->isVisible());
    QTest::mouseClick(f.btnAvancar(), Qt::LeftButton); // frame invalid: nothing asked
    EXPECT_TRUE(ap.mostrados.empty());
    valido = true;
    ap.resposta = mrNo;
    QTest::mouseClick(f.btnAvancar(), Qt::LeftButton);
    ASSERT_EQ(ap.mostrados.size(), 1u);
    EXPECT_EQ(ap.mostrados[0].texto.rfind("000035 - ", 0), 0u);
    EXPECT_EQ(gravacoes, 0);
    ap.resposta = mrYes;
    QTest::mouseClick(f.btnAvancar(), Qt::LeftButton);
    EXPECT_EQ(gravacoes, 1);
    EXPECT_EQ(f.result(), QDialog::Accepted);

    TfrmEntrada g(m, s);
    g.show();
    g.rbCadastrar()->setChecked(true);
    QTest::mouseClick(g.btnAvancar(), Qt::LeftButton);
    QTest::mouseClick(g.btnVoltar(), Qt::LeftButton);
    EXPECT_EQ(g.height(), 324);
    EXPECT_FALSE(g.btnVoltar()->isVisible());
}

TEST_F(EntradaTeste, FalhaDaRestauracaoChegaAoChamador)
{
    TMensagens m(sessao.get(), ap);
    ServicosEntrada s;
    s.restaurarBackup = [](bool) { throw std::runtime_error("arquivo de backup corrompido"); };
    s.existeEmpresa = [] { return false; };
    TfrmEntrada f(m, s);
    f.rbRestaurar()->setChecked(true);
    // Not swallowed: the program's handler logs it and tells the user.
    EXPECT_THROW(f.btnAvancar()->click(), std::runtime_error);
}

} // namespace
} // namespace drav
