#include "core/Excecoes.h"
#include "core/Mensagens.h"
#include "kit/BancoTeste.h"

namespace drav {
namespace {

class ApresentadorRoteirizado : public IApresentador {
public:
    std::vector<DialogoMensagem> mostrados;
    int resposta = mrYes;
    // Answers like a person would: Yes only when a Yes button is there to press.
    int Mostrar(const DialogoMensagem& d) override
    {
        mostrados.push_back(d);
        return (d.botoes & Botoes::Sim) ? resposta : mrOk;
    }
    void MostrarErroSistema(const std::string&, const std::string&) override {}
};

TEST(Marcadores, CadaArgumentoPreencheUmMarcador)
{
    struct Caso {
        std::string texto;
        std::vector<std::string> args;
        std::string esperado;
    } casos[] = {
        {"Valor & inválido", {"X"}, "Valor X inválido"},
        {"Valor & inválido", {""}, "Valor  inválido"},
        {"De & até &", {"1", "2"}, "De 1 até 2"},
        {"De & até &", {"1", "2", "3"}, "De 1 até 2"},
        {"De & até &", {"1"}, "De 1 até &"},
        {"Empresa &: &", {"A & B", "C"}, "Empresa A & B: C"}, // an argument's own & is not a placeholder
        {"Sem marcador", {"X"}, "Sem marcador"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(SubstituirMarcadores(c.texto, c.args), c.esperado) << c.texto;
}

class MensagensTeste : public teste::BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        sessao->ExecutarSQL("UPDATE OR INSERT INTO SFGTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) "
                            "VALUES (9991, 'Confirma a exclusão de &?') MATCHING (NU_MENSAGEM)");
        sessao->ExecutarSQL("UPDATE OR INSERT INTO SFGTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) "
                            "VALUES (9992, 'Registro gravado.') MATCHING (NU_MENSAGEM)");
        sessao->ExecutarSQL("DELETE FROM SFGTBT13_MENSAGEM_SISTEMA WHERE NU_MENSAGEM = 9999");
    }
    ApresentadorRoteirizado ap;
};

TEST_F(MensagensTeste, FormasDoCodigo)
{
    TMensagens m(sessao.get(), ap);
    EXPECT_EQ(m.Texto("9991", {"Fulano"}), "Confirma a exclusão de Fulano?");
    EXPECT_EQ(m.Texto("FE9992"), "FE9992 - Registro gravado.");
    EXPECT_EQ(m.Texto("X9992"), "Registro gravado."); // five characters: last four, no prefix shown
    EXPECT_EQ(m.Texto("9999"), "Mensagem não encontrada - 9999");
    EXPECT_THROW(m.Texto("   "), ENegocio);
    const auto d = m.Montar("0000", mtCustom, Botoes::OK, {""}, mbOK, "Texto direto & sem consulta");
    EXPECT_EQ(d.texto, "Texto direto  sem consulta");
    EXPECT_EQ(d.titulo, kTituloAplicacao);
}

TEST_F(MensagensTeste, PerguntaComTextoDisponivelDevolveABotaoEscolhido)
{
    TMensagens m(sessao.get(), ap);
    EXPECT_EQ(m.Mensagem("109991", mtConfirmation, Botoes::SimNao, mbNo, "Fulano"), mrYes);
    ASSERT_EQ(ap.mostrados.size(), 1u);
    EXPECT_EQ(ap.mostrados[0].texto, "109991 - Confirma a exclusão de Fulano?");
    EXPECT_EQ(ap.mostrados[0].titulo, "Confirma");
    EXPECT_EQ(ap.mostrados[0].botoes, Botoes::SimNao);
    EXPECT_EQ(ap.mostrados[0].botaoPadrao, mbNo);
}

TEST_F(MensagensTeste, PerguntaSemTextoNuncaViraConsentimento)
{
    TMensagens m(sessao.get(), ap);
    struct Caso {
        std::string codigo;
        std::string texto;
    } casos[] = {
        {"9999", "Mensagem não encontrada - 9999"},
        {"12; DELETE FROM SFGTBT13_MENSAGEM_SISTEMA", "Mensagem não encontrada - 12; DELETE FROM SFGTBT13_MENSAGEM_SISTEMA"},
        {"AB12x4", "Mensagem não encontrada - AB12x4"},
    };
    for (const auto& c : casos) {
        ap.mostrados.clear();
        const int r = m.Mensagem(c.codigo, mtConfirmation, Botoes::SimNao, mbYes);
        ASSERT_EQ(ap.mostrados.size(), 1u);
        EXPECT_EQ(ap.mostrados[0].texto, c.texto);
        EXPECT_EQ(ap.mostrados[0].tipo, mtError);
        EXPECT_EQ(ap.mostrados[0].botoes, Botoes::OK) << c.codigo;
        EXPECT_NE(r, mrYes);
    }
    EXPECT_EQ(m.Texto("9992"), "Registro gravado."); // the table was not touched
}

TEST_F(MensagensTeste, BancoInacessivelViraErro)
{
    sessao->Desconectar();
    TMensagens m(sessao.get(), ap);
    m.Mensagem("9992", mtConfirmation, Botoes::SimNao, mbYes);
    ASSERT_EQ(ap.mostrados.size(), 1u);
    EXPECT_EQ(ap.mostrados[0].texto, "Não foi possível acessar a base de dados");
    EXPECT_EQ(ap.mostrados[0].botoes, Botoes::OK);
}

} // namespace
} // namespace drav
