// The balance-complement window: a complement is added in the tab of its kind with that tab's
// message prefix, refused ones leave nothing behind, and a deletion takes only the chosen row.
#include "calc/Indices.h"
#include "core/Mensagens.h"
#include "kit/BancoTeste.h"
#include "model/Empregado.h"
#include "model/test_empregado_apoio.h"
#include "ui/complemento/TfrmComplementoSaldo.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <string>
#include <vector>

namespace drav {
namespace {

using namespace teste;

class Roteiro : public IApresentador {
public:
    std::vector<std::string> textos;
    int Mostrar(const DialogoMensagem& d) override
    {
        textos.push_back(d.texto);
        return (d.botoes & Botoes::Sim) ? mrYes : mrOk;
    }
    void MostrarErroSistema(const std::string& texto, const std::string&) override { textos.push_back(texto); }
    std::string UltimoCodigo() const { return textos.empty() ? "" : textos.back().substr(0, 6); }
};

class JanelaComplemento : public BancoTeste {
protected:
    static constexpr const char* kPis = "12034567899";
    void SetUp() override
    {
        BancoTeste::SetUp();
        CriarEmpresa(*sessao, 1, kCnpjA, "ACME LTDA");
        TEmpregado t(*sessao);
        PreencherTrabalhador(t, kPis, 1, kCnpjA);
        ASSERT_TRUE(t.Incluir());
        TIndicesSimplificados l;
        l.Jam[static_cast<int>(PeriodoOpcao::Maior0971)] = 0.5;
        tabelas.AdicionarSimplificado(edital, CodificarData(2020, 1, 1), l);
        msg = std::make_unique<TMensagens>(sessao.get(), roteiro);
        chave = {1, kCnpjA, std::stoll(kPis), 1, CodificarData(2015, 3, 2)};
    }
    std::unique_ptr<TfrmComplementoSaldo> Abrir(TDateTime pagamento)
    {
        return std::make_unique<TfrmComplementoSaldo>(*sessao, tabelas, edital, pagamento, *msg, chave);
    }
    void Digitar(TfrmComplementoSaldo& f, int tipo, const QString& mes, const QString& ano, const QString& valor)
    {
        f.pgcTipos()->setCurrentIndex(tipo - 1);
        f.cboMes()->setCurrentIndex(f.cboMes()->findText(mes));
        f.cboAno()->setCurrentIndex(f.cboAno()->findText(ano));
        f.edtRemuneracao()->setText(valor);
        QTest::mouseClick(f.btnIncluir(), Qt::LeftButton);
    }
    const TDateTime edital = CodificarData(2024, 3, 1);
    const TDateTime pagamento = CodificarData(2024, 3, 15);
    TTabelasIndicesMemoria tabelas;
    Roteiro roteiro;
    std::unique_ptr<TMensagens> msg;
    TChaveComplemento chave;
};

TEST_F(JanelaComplemento, AddsInTheTabOfItsKindAndDeletesTheChosenRow)
{
    auto f = Abrir(pagamento);
    Digitar(*f, 2, "01", "2020", "1.000,00");
    EXPECT_EQ(roteiro.UltimoCodigo(), "440078");
    ASSERT_EQ(f->Grade(2)->rowCount(), 1);
    EXPECT_EQ(f->Grade(1)->rowCount(), 0);
    EXPECT_EQ(f->Grade(2)->item(0, 0)->text(), "01/2020");
    EXPECT_EQ(f->Grade(2)->item(0, 2)->text(), "120,00") << "80,00 plus 50 % interest";
    EXPECT_EQ(f->edtRemuneracao()->text(), "") << "the fields are emptied for the next one";

    Digitar(*f, 3, "01", "2020", "500");
    EXPECT_EQ(roteiro.UltimoCodigo(), "450078");
    EXPECT_EQ(f->lblTotal()->text(), "Total dos depósitos: 180,00");

    Digitar(*f, 2, "01", "2020", "700");
    EXPECT_EQ(roteiro.UltimoCodigo(), "440292") << "the same kind and competence again";

    f->pgcTipos()->setCurrentIndex(1);
    f->Grade(2)->setCurrentCell(0, 0);
    QTest::mouseClick(f->btnExcluir(), Qt::LeftButton);
    EXPECT_EQ(roteiro.UltimoCodigo(), "440068");
    EXPECT_EQ(f->Grade(2)->rowCount(), 0);
    EXPECT_EQ(f->Grade(3)->rowCount(), 1) << "the other kind keeps its complement";
    EXPECT_EQ(Contar(*sessao, "SFGTBG07_COMPLEMENTO_SALDO"), 1);
}

TEST_F(JanelaComplemento, RefusalsShowTheTabsCodeAndStoreNothing)
{
    struct Caso {
        int tipo;
        const char *mes, *ano, *valor, *codigo;
    };
    const Caso casos[] = {
        {1, "", "2020", "100", "430278"},      {1, "01", "", "100", "430279"},
        {2, "01", "2020", "", "440274"},       {3, "02", "2015", "100", "450395"},
        {1, "06", "2021", "100", "430372"},  // no interest index for 06/2021
    };
    auto f = Abrir(pagamento);
    for (const Caso& k : casos) {
        Digitar(*f, k.tipo, k.mes, k.ano, k.valor);
        EXPECT_EQ(roteiro.UltimoCodigo(), k.codigo);
    }
    EXPECT_NE(roteiro.textos.back().find("06/2021"), std::string::npos) << "the competence is named";
    EXPECT_EQ(Contar(*sessao, "SFGTBG07_COMPLEMENTO_SALDO"), 0);

    auto semRecolhimento = Abrir(NullDate);
    Digitar(*semRecolhimento, 1, "01", "2020", "100");
    EXPECT_EQ(roteiro.UltimoCodigo(), "430062");
    EXPECT_EQ(Contar(*sessao, "SFGTBG07_COMPLEMENTO_SALDO"), 0);
}

} // namespace
} // namespace drav
