#include "files/Arvore.h"
#include "kit/BancoTeste.h"
#include "ui/principal/TfrmResumoVinculo.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace drav {
namespace {

class ResumoVinculoTeste : public teste::BancoTeste {};

TEST_F(ResumoVinculoTeste, BotaoAbreOsComplementosDoVinculoMostradoEReleOResumo)
{
    TfrmResumoVinculo frame(*sessao);
    TRecArvore v;
    v.TipoInscricao = 1;
    v.Inscricao = 11222333000181;
    v.Pis = 12345678919;
    v.Categoria = 1;
    v.DataAdmissao = CodificarData(2020, 2, 1);
    v.Tipo = NoVinculo;
    std::vector<int64_t> abertos;
    frame.abrirComplementos = [&](const TRecArvore& r) {
        abertos.push_back(r.Pis);
        // What the dialog would have stored, to see the frame read it again.
        sessao->ExecutarSQL("UPDATE SFGTBG06_INFORMACAO_RESCISAO SET VR_DEPOSITO_CMPLO_SALDO = 1 WHERE NU_PIS = 0");
    };
    frame.Mostrar(v, "EMPRESA");
    auto* botao = frame.findChild<QPushButton*>("btnComplementos");
    ASSERT_NE(botao, nullptr);
    QTest::mouseClick(botao, Qt::LeftButton);
    ASSERT_EQ(abertos.size(), 1u);
    EXPECT_EQ(abertos[0], 12345678919);
    EXPECT_TRUE(frame.findChild<QLabel*>("lblDados")->text().contains("EMPRESA")) << frame.findChild<QLabel*>("lblDados")->text().toStdString();
}

} // namespace
} // namespace drav
