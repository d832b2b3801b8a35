// The name-change window: it lists the bank's name changes and applies the user's answer to the
// question on the selected one.
#include "ui/alteracao/TfrmAlteracaoNome.h"

#include "core/DBUtils.h"
#include "core/Datas.h"
#include "core/Mensagens.h"
#include "core/Resultado.h"
#include "kit/BancoTeste.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace drav {
namespace {

class ApresentadorAlteracao : public IApresentador {
public:
    int resposta = mrCancel;
    int perguntas = 0;
    int Mostrar(const DialogoMensagem& d) override
    {
        if (d.tipo != mtConfirmation)
            return mrOk;
        ++perguntas;
        return resposta;
    }
    void MostrarErroSistema(const std::string&, const std::string&) override {}
};

class JanelaAlteracao : public teste::BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        sessao->ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
                            "IC_ESTADO_EMPRESA) VALUES (1, 11222333000181, 'ACME', 'E')");
        sessao->ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES (12034567899, 'MARIA SILVA')");
        sessao->ExecutarSQL("INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "NU_CATEGORIA, DT_ADMISSAO_VINCULO) VALUES (1, 11222333000181, 12034567899, 1, '2015-03-02')");
        sessao->ExecutarSQL("INSERT INTO SFGTBG10_CONTA_EMPREGADO_FGTS (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_EMPREGADO_QUELD, NO_EMPREGADO, NU_SITUACAO_PIS) "
                            "VALUES (1, 11222333000181, 12034567899, 1, '2015-03-02', 501, 'MARIA DA SILVA', 2)");
        sessao->ExecutarSQL("INSERT INTO SFGTBG05_ALTERACAO_CADASTRAL (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_TIPO_ALTERACAO, DE_CONTEUDO_ANTERIOR, "
                            "IC_CONFIRMACAO, NU_EMPREGADO_QUELD_ALT_CDSTL) VALUES (1, 11222333000181, 12034567899, 1, "
                            "'2015-03-02', 406, 'MARIA DA SILVA', 'N', 501)");
    }
    std::string Nome()
    {
        return sessao->AbrirConsulta("SELECT NO_EMPREGADO FROM SFGTBG03_EMPREGADO")->Field(0).AsString();
    }
    ApresentadorAlteracao ap;
};

TEST_F(JanelaAlteracao, CancelarDeixaPendenteESemTransacao)
{
    TMensagens m(sessao.get(), ap);
    TfrmAlteracaoNome f(*sessao, m);
    ASSERT_EQ(f.grdAlteracoes()->rowCount(), 1);
    EXPECT_EQ(f.grdAlteracoes()->item(0, 2)->text(), QStringLiteral("MARIA DA SILVA"));
    EXPECT_EQ(f.grdAlteracoes()->item(0, 3)->text(), QStringLiteral("MARIA SILVA"));
    EXPECT_FALSE(f.btnDecidir()->isEnabled());
    f.grdAlteracoes()->selectRow(0);
    ap.resposta = mrCancel;
    QTest::mouseClick(f.btnDecidir(), Qt::LeftButton);
    EXPECT_EQ(ap.perguntas, 1);
    EXPECT_FALSE(sessao->EmTransacao());
    ASSERT_EQ(f.grdAlteracoes()->rowCount(), 1);
    EXPECT_EQ(f.grdAlteracoes()->item(0, 4)->text(), QStringLiteral("Pendente"));
    EXPECT_EQ(Nome(), "MARIA SILVA");
}

TEST_F(JanelaAlteracao, NaoAdotaONomeDoBanco)
{
    TMensagens m(sessao.get(), ap);
    TfrmAlteracaoNome f(*sessao, m);
    f.grdAlteracoes()->selectRow(0);
    ap.resposta = mrNo;
    QTest::mouseClick(f.btnDecidir(), Qt::LeftButton);
    EXPECT_EQ(Nome(), "MARIA DA SILVA");
    EXPECT_EQ(f.grdAlteracoes()->rowCount(), 0);
    EXPECT_FALSE(sessao->EmTransacao());
}

TEST_F(JanelaAlteracao, SimMantemOCadastroEMarcaComoMantido)
{
    TMensagens m(sessao.get(), ap);
    TfrmAlteracaoNome f(*sessao, m);
    f.grdAlteracoes()->selectRow(0);
    ap.resposta = mrYes;
    QTest::mouseClick(f.btnDecidir(), Qt::LeftButton);
    EXPECT_EQ(Nome(), "MARIA SILVA");
    ASSERT_EQ(f.grdAlteracoes()->rowCount(), 1);
    EXPECT_EQ(f.grdAlteracoes()->item(0, 4)->text(), QStringLiteral("Mantido"));
    f.grdAlteracoes()->selectRow(0);
    EXPECT_FALSE(f.btnDecidir()->isEnabled());
}

} // namespace
} // namespace drav
