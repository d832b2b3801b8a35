// The worker's entry frame driven as a user would: typing, choosing, saving, deleting.
#include "ui/cadastro/FrameEmpregado.h"

#include "core/Mensagens.h"
#include "kit/BancoTeste.h"
#include "model/Empregado.h"
#include "model/InformacaoRescisao.h"
#include "model/Vinculo.h"
#include "model/test_empregado_apoio.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>

namespace drav {
namespace {

using namespace teste;

const std::string kPis = "12034567899";

class ApresentadorFalso : public IApresentador {
public:
    std::vector<DialogoMensagem> mostrados;
    int resposta = mrYes;
    std::deque<int> proximas; // answers to the next questions, before `resposta`
    int Mostrar(const DialogoMensagem& d) override
    {
        mostrados.push_back(d);
        if (!(d.botoes & Botoes::Sim))
            return mrOk;
        if (proximas.empty())
            return resposta;
        const int r = proximas.front();
        proximas.pop_front();
        return r;
    }
    void MostrarErroSistema(const std::string&, const std::string&) override {}
    // The six-character codes shown, in order ("400109", ...).
    std::vector<std::string> Codigos() const
    {
        std::vector<std::string> c;
        for (const auto& d : mostrados)
            c.push_back(d.texto.substr(0, 6));
        return c;
    }
};

class FrameEmpregadoTeste : public BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        CriarEmpresa(*sessao, 1, kCnpjA, "ACME LTDA");
        mensagens = std::make_unique<TMensagens>(sessao.get(), ap);
        frame = std::make_unique<TfrmFuncionarios>(*sessao, *mensagens);
        frame->resize(720, 520);
    }
    void TearDown() override
    {
        frame.reset();
        BancoTeste::TearDown();
    }

    template <class T> T* W(const char* nome) const
    {
        T* w = frame->findChild<T*>(nome);
        EXPECT_NE(w, nullptr) << nome;
        return w;
    }
    QLineEdit* E(const char* nome) const { return W<QLineEdit>(nome); }
    QComboBox* C(const char* nome) const { return W<QComboBox>(nome); }

    void Digitar(const char* campo, const QString& texto)
    {
        QLineEdit* e = E(campo);
        e->clear();
        e->setCursorPosition(0);
        QTest::keyClicks(e, texto);
    }
    // Chooses the item that starts with the text.
    void Escolher(const char* combo, const QString& inicio)
    {
        QComboBox* c = C(combo);
        for (int i = 0; i < c->count(); ++i)
            if (c->itemText(i).startsWith(inicio)) {
                c->setCurrentIndex(i);
                return;
            }
        ADD_FAILURE() << combo << " has no item " << inicio.toStdString();
    }

    // A complete new worker typed into the frame.
    void DigitarTrabalhadorCompleto()
    {
        Digitar("edtPis", QString::fromStdString(kPis));
        Digitar("edtNome", "maria da silva");
        Digitar("edtCpf", "52998224725");
        Escolher("cmbSexo", "2");
        Escolher("cmbGrauInstrucao", "07");
        Digitar("edtCtps", "1234567");
        Digitar("edtSerieCtps", "00123");
        Digitar("edtNascimento", "20071985");
        Escolher("cmbCategoria", "01");
        Digitar("edtAdmissao", "02032015");
        Digitar("edtOpcao", "02032015");
        C("cmbCBO")->setCurrentIndex(C("cmbCBO")->findText("000101"));
        Escolher("cmbMovimentacao", "I1");
        Digitar("edtDataMovimentacao", "31052024");
        Escolher("cmbSaque", "01");
        Escolher("cmbAvisoPrevio", "2");
        Digitar("edtHoras", "44");
        Escolher("cmbReposicaoVagas", "N");
        Digitar("edtBanco", "001");
        Digitar("edtAgencia", "1234");
        Digitar("edtConta", "987654");
        Digitar("edtRemuneracaoAnterior", "2500,00");
        Digitar("edtRemuneracaoRescisao", "2600,50");
        Digitar("edtValorAvisoPrevio", "3000");
    }

    ApresentadorFalso ap;
    std::unique_ptr<TMensagens> mensagens;
    std::unique_ptr<TfrmFuncionarios> frame;
};

TEST_F(FrameEmpregadoTeste, TravasDoAvisoDaCategoriaEDaPensao)
{
    frame->NovoTrabalhador(1, kCnpjA);
    Digitar("edtInicioAviso", "01052024");
    Escolher("cmbAvisoPrevio", "2");
    EXPECT_FALSE(E("edtInicioAviso")->isEnabled());
    EXPECT_EQ(E("edtInicioAviso")->text(), "//") << "indemnified notice has no start";
    EXPECT_TRUE(E("edtValorAvisoPrevio")->isEnabled());
    Digitar("edtValorAvisoPrevio", "1500");
    Escolher("cmbAvisoPrevio", "1");
    EXPECT_EQ(E("edtValorAvisoPrevio")->text(), "0,00");
    EXPECT_FALSE(E("edtValorAvisoPrevio")->isEnabled());
    EXPECT_TRUE(E("edtInicioAviso")->isEnabled());

    Digitar("edtCtps", "1234567");
    Escolher("cmbCategoria", "05");
    EXPECT_EQ(C("cmbAvisoPrevio")->currentText(), QString::fromUtf8("3 - Ausência/Dispensa"));
    EXPECT_FALSE(C("cmbAvisoPrevio")->isEnabled());
    EXPECT_TRUE(E("edtCtps")->text().isEmpty());
    EXPECT_FALSE(E("edtCtps")->isEnabled());
    EXPECT_FALSE(E("edtSerieCtps")->isEnabled());

    // A domestic worker gets the one occupation the list leaves out; another category gives it back.
    Escolher("cmbCategoria", "06");
    EXPECT_EQ(C("cmbCBO")->currentText(), "005121");
    EXPECT_FALSE(C("cmbCBO")->isEnabled());
    EXPECT_TRUE(C("cmbAvisoPrevio")->isEnabled());
    Escolher("cmbCategoria", "01");
    EXPECT_TRUE(C("cmbCBO")->currentText().isEmpty());
    EXPECT_EQ(C("cmbCBO")->findText("005121"), -1);

    EXPECT_EQ(C("cmbPensao")->currentText(), QString::fromUtf8("Não existe"));
    EXPECT_FALSE(E("edtValorPensao")->isEnabled());
    Escolher("cmbPensao", "Percentual");
    ASSERT_TRUE(E("edtValorPensao")->isEnabled());
    Digitar("edtValorPensao", "150");
    emit E("edtValorPensao")->editingFinished();
    EXPECT_EQ(E("edtValorPensao")->text(), "0,00") << "a percentage above 100 is reset";
    Digitar("edtValorPensao", "30");
    emit E("edtValorPensao")->editingFinished();
    EXPECT_EQ(E("edtValorPensao")->text(), "30");
    Escolher("cmbPensao", QString::fromUtf8("Não existe"));
    EXPECT_EQ(E("edtValorPensao")->text(), "0,00");
}

TEST_F(FrameEmpregadoTeste, FalhaMostraOCodigoComPrefixoEFocaOCampoNaSuaPagina)
{
    frame->show();
    QApplication::setActiveWindow(frame.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    frame->NovoTrabalhador(1, kCnpjA);
    DigitarTrabalhadorCompleto();
    Digitar("edtPis", "12034567898");
    ap.mostrados.clear();
    QTest::mouseClick(frame->btnSalvar(), Qt::LeftButton);
    ASSERT_EQ(ap.Codigos(), std::vector<std::string>{"400109"});
    EXPECT_EQ(frame->Paginas()->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), E("edtPis"));

    // A two-digit code keeps its own number behind the prefix.
    Digitar("edtPis", QString::fromStdString(kPis));
    C("cmbCategoria")->setCurrentIndex(-1);
    ap.mostrados.clear();
    QTest::mouseClick(frame->btnSalvar(), Qt::LeftButton);
    ASSERT_EQ(ap.Codigos(), std::vector<std::string>{"400014"});
    EXPECT_NE(ap.mostrados[0].texto.find("Categoria"), std::string::npos) << ap.mostrados[0].texto;
    EXPECT_EQ(frame->Paginas()->currentIndex(), 1);
    EXPECT_EQ(QApplication::focusWidget(), C("cmbCategoria"));

    // A rescission amount: the third page.
    Escolher("cmbCategoria", "01");
    Escolher("cmbAvisoPrevio", "2");
    Digitar("edtValorAvisoPrevio", "0");
    ap.mostrados.clear();
    QTest::mouseClick(frame->btnSalvar(), Qt::LeftButton);
    ASSERT_EQ(ap.Codigos(), std::vector<std::string>{"400391"});
    EXPECT_EQ(frame->Paginas()->currentIndex(), 2);
    EXPECT_EQ(Contar(*sessao, "SFGTBG03_EMPREGADO"), 0) << "nothing saved while a check fails";
}

TEST_F(FrameEmpregadoTeste, IncluirPelaTelaGravaComAOrigemDoSaldo)
{
    frame->NovoTrabalhador(1, kCnpjA);
    DigitarTrabalhadorCompleto();
    Digitar("edtSaldoEmpresa", "4321,09");
    QSignalSpy gravado(frame.get(), &TfrmFuncionarios::trabalhadorGravado);
    ap.mostrados.clear();
    QTest::mouseClick(frame->btnSalvar(), Qt::LeftButton);
    ASSERT_EQ(gravado.count(), 1) << (ap.mostrados.empty() ? "" : ap.mostrados.back().texto);
    EXPECT_TRUE(gravado.at(0).at(5).toBool());
    EXPECT_EQ(ap.Codigos().front(), "400146") << "inserting asks first";
    EXPECT_FALSE(frame->Editando());

    TEmpregado t(*sessao);
    ASSERT_TRUE(t.ConsultarPorPis(kPis));
    EXPECT_EQ(t.Nome, "MARIA DA SILVA");
    EXPECT_EQ(t.Vinculo().Banco, "001");
    TInformacaoRescisao& r = t.Vinculo().Rescisao();
    EXPECT_DOUBLE_EQ(r.VrRemuneracaoRescisao, 2600.50);
    EXPECT_EQ(r.OrigemSaldo, "E");
    EXPECT_DOUBLE_EQ(r.VrSaldoRescisorio, 4321.09);
    EXPECT_EQ(r.TipoPensao, "N");

    // The frame now shows the saved link, its key locked while altering.
    QTest::mouseClick(frame->btnAlterar(), Qt::LeftButton);
    EXPECT_TRUE(frame->Editando());
    EXPECT_FALSE(E("edtPis")->isEnabled());
    EXPECT_FALSE(C("cmbCategoria")->isEnabled());
    EXPECT_FALSE(E("edtAdmissao")->isEnabled());
    Digitar("edtSaldoEmpresa", "0");
    ap.mostrados.clear();
    QTest::mouseClick(frame->btnSalvar(), Qt::LeftButton);
    EXPECT_EQ(ap.Codigos().front(), "400147");
    ASSERT_TRUE(t.ConsultarPorPis(kPis));
    EXPECT_EQ(t.Vinculo().Rescisao().OrigemSaldo, "N");
}

TEST_F(FrameEmpregadoTeste, SaldoDasContasDoBancoPrevaleceAoSalvar)
{
    TEmpregado t(*sessao);
    PreencherTrabalhador(t, kPis, 1, kCnpjA);
    ASSERT_TRUE(t.Incluir());
    CriarConta(*sessao, 1, kCnpjA, kPis, 1, CodificarData(2015, 3, 2), 1, 1000.5, 1);
    CriarConta(*sessao, 1, kCnpjA, kPis, 1, CodificarData(2015, 3, 2), 2, 99, 2);
    ASSERT_TRUE(frame->CarregarVinculo(1, kCnpjA, kPis, 1, CodificarData(2015, 3, 2)));
    EXPECT_EQ(frame->edtSaldoBanco()->text(), "1.000,50");
    QTest::mouseClick(frame->btnAlterar(), Qt::LeftButton);
    Digitar("edtSaldoEmpresa", "5000");
    QTest::mouseClick(frame->btnSalvar(), Qt::LeftButton);
    ASSERT_TRUE(t.ConsultarPorPis(kPis));
    EXPECT_EQ(t.Vinculo().Rescisao().OrigemSaldo, "C");
    EXPECT_DOUBLE_EQ(t.Vinculo().Rescisao().VrSaldoRescisorio, 1000.5);
}

TEST_F(FrameEmpregadoTeste, DissidioComComplementosPerguntaEExcluiNaMesmaGravacao)
{
    TEmpregado t(*sessao);
    PreencherTrabalhador(t, kPis, 1, kCnpjA);
    ASSERT_TRUE(t.Incluir());
    sessao->ExecutarSQL("INSERT INTO SFGTBG07_COMPLEMENTO_SALDO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                        "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA, "
                        "VR_REMUNERACAO, VR_DEPOSITO) VALUES (1, " + std::to_string(kCnpjA) + ", " + kPis +
                        ", 1, '2015-03-02', 1, 2020, 5, 1000, 80)");
    ASSERT_TRUE(frame->CarregarVinculo(1, kCnpjA, kPis, 1, CodificarData(2015, 3, 2)));
    QTest::mouseClick(frame->btnAlterar(), Qt::LeftButton);
    Digitar("edtDataDissidio", "10062024");
    Digitar("edtValorDissidio", "150");
    Digitar("edtRemuneracaoAnterior", "0");
    Digitar("edtRemuneracaoRescisao", "0");

    ap.proximas = {mrYes, mrNo}; // save, but keep the complements: nothing is saved
    ap.mostrados.clear();
    QTest::mouseClick(frame->btnSalvar(), Qt::LeftButton);
    EXPECT_EQ(ap.Codigos(), (std::vector<std::string>{"400147", "400371"}));
    EXPECT_EQ(Contar(*sessao, "SFGTBG07_COMPLEMENTO_SALDO"), 1);
    EXPECT_EQ(Contar(*sessao, "SFGTBG06_INFORMACAO_RESCISAO", "DT_DISSIDIO IS NULL"), 1);
    EXPECT_TRUE(frame->Editando());

    QTest::mouseClick(frame->btnSalvar(), Qt::LeftButton);
    EXPECT_EQ(Contar(*sessao, "SFGTBG07_COMPLEMENTO_SALDO"), 0);
    EXPECT_EQ(Contar(*sessao, "SFGTBG06_INFORMACAO_RESCISAO", "DT_DISSIDIO = '2024-06-10' AND VR_DISSIDIO = 150"), 1);
    EXPECT_FALSE(frame->Editando());
}

TEST_F(FrameEmpregadoTeste, VinculoFechadoNaoSeAlteraEExclusaoPedeConfirmacaoPropria)
{
    TEmpregado t(*sessao);
    PreencherTrabalhador(t, kPis, 1, kCnpjA);
    ASSERT_TRUE(t.Incluir());
    sessao->ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 2");
    ASSERT_TRUE(frame->CarregarVinculo(1, kCnpjA, kPis, 1, CodificarData(2015, 3, 2)));
    EXPECT_EQ(E("edtNome")->text(), "MARIA DA SILVA");
    EXPECT_EQ(C("cmbMovimentacao")->currentText().left(2), "I1");
    EXPECT_FALSE(frame->btnAlterar()->isEnabled());
    EXPECT_FALSE(frame->btnOcorrenciaSaldo()->isEnabled());

    ap.resposta = mrNo;
    ap.mostrados.clear();
    QTest::mouseClick(frame->btnExcluir(), Qt::LeftButton);
    EXPECT_EQ(ap.Codigos(), std::vector<std::string>{"400445"});
    EXPECT_EQ(Contar(*sessao, "SFGTBG04_VINCULO_EMPREGATICIO"), 1);

    ap.resposta = mrYes;
    QSignalSpy excluido(frame.get(), &TfrmFuncionarios::trabalhadorExcluido);
    QTest::mouseClick(frame->btnExcluir(), Qt::LeftButton);
    EXPECT_EQ(excluido.count(), 1);
    EXPECT_EQ(Contar(*sessao, "SFGTBG04_VINCULO_EMPREGATICIO"), 0);
    EXPECT_EQ(Contar(*sessao, "SFGTBG03_EMPREGADO"), 0);
    EXPECT_TRUE(E("edtNome")->text().isEmpty());
}

TEST_F(FrameEmpregadoTeste, PisDeTrabalhadorCadastradoTrazOsDadosPessoais)
{
    TEmpregado t(*sessao);
    PreencherTrabalhador(t, kPis, 1, kCnpjA);
    ASSERT_TRUE(t.Incluir());
    frame->NovoTrabalhador(1, kCnpjA);
    Digitar("edtPis", QString::fromStdString(kPis));
    ap.mostrados.clear();
    emit E("edtPis")->editingFinished();
    EXPECT_TRUE(ap.mostrados.empty()) << "nothing typed yet: copied without asking";
    EXPECT_EQ(E("edtNome")->text(), "MARIA DA SILVA");
    EXPECT_EQ(E("edtCpf")->text(), "52998224725");
    EXPECT_EQ(E("edtNascimento")->text(), "20/07/1985");
    EXPECT_EQ(C("cmbSexo")->currentText(), "2 - Feminino");

    Digitar("edtNome", "OUTRO NOME");
    ap.resposta = mrNo;
    emit E("edtPis")->editingFinished();
    EXPECT_EQ(ap.Codigos(), std::vector<std::string>{"400453"});
    EXPECT_EQ(E("edtNome")->text(), "OUTRO NOME");
}

TEST_F(FrameEmpregadoTeste, TabNoCodigoDeSaqueVaiParaOsDadosRescisorios)
{
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    frame->NovoTrabalhador(1, kCnpjA);
    frame->Paginas()->setCurrentIndex(1);
    C("cmbSaque")->setFocus();
    QTest::keyClick(C("cmbSaque"), Qt::Key_Tab);
    EXPECT_EQ(frame->Paginas()->currentIndex(), 2);
    EXPECT_EQ(QApplication::focusWidget(), E("edtRemuneracaoAnterior"));
}

// The picture of each page, for a person to look at: written when DRAV_CAPTURAS names a folder.
TEST_F(FrameEmpregadoTeste, Captura)
{
    TEmpregado t(*sessao);
    PreencherTrabalhador(t, kPis, 1, kCnpjA);
    t.Vinculo().Rescisao().OrigemSaldo = "E";
    t.Vinculo().Rescisao().VrSaldoRescisorio = 4321.09;
    ASSERT_TRUE(t.Incluir());
    ASSERT_TRUE(frame->CarregarVinculo(1, kCnpjA, kPis, 1, CodificarData(2015, 3, 2)));
    frame->show();
    const char* pasta = std::getenv("DRAV_CAPTURAS");
    for (int i = 0; i < frame->Paginas()->count(); ++i) {
        frame->Paginas()->setCurrentIndex(i);
        const QPixmap p = frame->grab();
        ASSERT_FALSE(p.isNull());
        if (pasta && *pasta) {
            EXPECT_TRUE(p.save(QString::fromUtf8(pasta) + QString("/frame_empregado_%1.png").arg(i)));
        }
    }
    // While altering: the key locked, the rest open.
    QTest::mouseClick(frame->btnAlterar(), Qt::LeftButton);
    frame->Paginas()->setCurrentIndex(1);
    const QPixmap edicao = frame->grab();
    ASSERT_FALSE(edicao.isNull());
    if (pasta && *pasta) {
        EXPECT_TRUE(edicao.save(QString::fromUtf8(pasta) + "/frame_empregado_edicao.png"));
    }
}

} // namespace
} // namespace drav
