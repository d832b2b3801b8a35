// Registration changes of the worker's name: the record itself, the name comparison, and the
// user's decision to adopt the bank's name or keep the registered one.
#include "model/AlteracaoCadastral.h"

#include "core/DBUtils.h"
#include "core/Datas.h"
#include "core/Mensagens.h"
#include "kit/BancoTeste.h"
#include "test_empregado_apoio.h"

#include <gtest/gtest.h>

#include <vector>

namespace drav {
namespace {

using namespace teste;

const std::string kPisAlt = "12034567899";
const TDateTime kAdm1 = CodificarData(2015, 3, 2);
const TDateTime kAdm2 = CodificarData(2018, 8, 1);

class ApresentadorRoteiro : public IApresentador {
public:
    int resposta = mrNone;
    std::vector<std::string> textos;
    std::vector<int> tipos;
    int Mostrar(const DialogoMensagem& d) override
    {
        textos.push_back(d.texto);
        tipos.push_back(d.tipo);
        return d.tipo == mtConfirmation ? resposta : mrOk;
    }
    void MostrarErroSistema(const std::string&, const std::string&) override {}
};

class AlteracaoNome : public BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        CriarEmpresa(*sessao, 1, kCnpjA, "ACME LTDA");
        sessao->ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES (" + kPisAlt +
                            ", 'MARIA DA SILVA')");
        for (TDateTime adm : {kAdm1, kAdm2}) {
            sessao->ExecutarSQL("INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                                "NU_CATEGORIA, DT_ADMISSAO_VINCULO) VALUES (1, " + std::to_string(kCnpjA) + ", " +
                                kPisAlt + ", 1, '" + DataIso(adm) + "')");
        }
        // The first link has two accounts at the bank, under two other spellings of the name.
        CriarConta(*sessao, 1, kCnpjA, kPisAlt, 1, kAdm1, 501, 100, 2);
        CriarConta(*sessao, 1, kCnpjA, kPisAlt, 1, kAdm1, 502, 100, 2);
        sessao->ExecutarSQL("UPDATE SFGTBG10_CONTA_EMPREGADO_FGTS SET NO_EMPREGADO = 'MARIA DA SILVA SANTOS' "
                            "WHERE NU_EMPREGADO_QUELD = 501");
        sessao->ExecutarSQL("UPDATE SFGTBG10_CONTA_EMPREGADO_FGTS SET NO_EMPREGADO = 'MARIA D''AVILA' "
                            "WHERE NU_EMPREGADO_QUELD = 502");
        Pendente(kAdm1, "501", "MARIA DA SILVA SANTOS");
        Pendente(kAdm1, "502", "MARIA D'AVILA");
        Pendente(kAdm2, "601", "MARIA S");
    }

    void Pendente(TDateTime adm, const std::string& conta, const std::string& nome)
    {
        TAlteracaoCadastral a(*sessao);
        Chave(a, adm);
        a.TipoAlteracao = "406";
        a.ConteudoAnterior = nome;
        a.Confirmacao = "N";
        a.NumeroEmpresaQueld = "77";
        a.NumeroEmpregadoQueld = conta;
        ASSERT_TRUE(a.Incluir());
    }
    static void Chave(TAlteracaoCadastral& a, TDateTime adm)
    {
        a.TipoInscricao = "1";
        a.Inscricao = std::to_string(kCnpjA);
        a.Pis = kPisAlt;
        a.Categoria = "1";
        a.DataAdmissao = adm;
    }
    // "admission:account:confirmation" of every change row.
    std::string Linhas()
    {
        auto r = sessao->AbrirConsulta("SELECT DT_ADMISSAO_VINCULO, NU_EMPREGADO_QUELD_ALT_CDSTL, IC_CONFIRMACAO "
                                       "FROM SFGTBG05_ALTERACAO_CADASTRAL ORDER BY 1, 2");
        std::string s;
        for (r->First(); !r->IsEmpty() && !r->Eof(); r->Next())
            s += FormatarDataHora("yyyy", r->Field(0).AsDateTime()) + ":" + r->Field(1).AsString() + ":" +
                 r->Field(2).AsString() + " ";
        return s;
    }
    std::string Nome()
    {
        return sessao->AbrirConsulta("SELECT NO_EMPREGADO FROM SFGTBG03_EMPREGADO WHERE NU_PIS = " + kPisAlt)
            ->Field(0)
            .AsString();
    }
    ResultadoDecisaoNome Decidir(int resposta, const std::string& nome, std::string* erro = nullptr)
    {
        roteiro.resposta = resposta;
        TMensagens mensagens(sessao.get(), roteiro);
        return DecidirAlteracaoNome(*sessao, mensagens, 1, kCnpjA, std::stoll(kPisAlt), 1, kAdm1, nome, erro);
    }
    ApresentadorRoteiro roteiro;
};

TEST_F(AlteracaoNome, NomeConfereSoIgualaMaiusculasDeAAZ)
{
    sessao->ExecutarSQL("UPDATE SFGTBG03_EMPREGADO SET NO_EMPREGADO = 'José da Silva' WHERE NU_PIS = " + kPisAlt);
    TAlteracaoCadastral a(*sessao);
    const int64_t pis = std::stoll(kPisAlt);
    struct {
        const char* nome;
        int64_t pis;
        bool confere;
    } casos[] = {
        {"JOSé DA SILVA", pis, true},   // only a to z change case
        {"JOSÉ DA SILVA", pis, false},  // an accented letter in the other case differs
        {"José da Silva ", pis, false}, // nothing is trimmed
        {"", 99999999999, true},        // no worker: compared with the empty text
        {"X", 99999999999, false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(a.NomeConfere(c.nome, c.pis), c.confere) << c.nome;
}

TEST_F(AlteracaoNome, RegistroPendenteConfirmadoAlteradoEExcluido)
{
    TAlteracaoCadastral a(*sessao);
    Chave(a, kAdm1);
    EXPECT_TRUE(a.ExisteAlteracaoNome());
    a.NumeroEmpregadoQueld = "999";
    EXPECT_FALSE(a.ExisteAlteracaoNome());

    // The next load of the same account refreshes it in place, also a confirmed one.
    a.NumeroEmpregadoQueld = "502";
    a.TipoAlteracao = "406";
    a.ConteudoAnterior = "MARIA O'HARA";
    a.Confirmacao = "S";
    a.NumeroEmpresaQueld = "78";
    ASSERT_TRUE(a.Alterar());
    EXPECT_TRUE(a.ExisteAlteracaoNome());
    EXPECT_EQ(Linhas(), "2015:501:N 2015:502:S 2018:601:N ");
    ASSERT_TRUE(a.ListarTodas());
    a.Localizar("NU_EMPREGADO_QUELD_ALT_CDSTL", "502");
    EXPECT_EQ(a.ConteudoAnterior, "MARIA O'HARA");

    // A second insert of the same account is refused, without an exception.
    TAlteracaoCadastral dup(*sessao);
    Chave(dup, kAdm1);
    dup.TipoAlteracao = "406";
    dup.NumeroEmpregadoQueld = "501";
    dup.Confirmacao = "N";
    EXPECT_FALSE(dup.Incluir());

    // A number field that is not a number never reaches the statement as text.
    TAlteracaoCadastral hostil(*sessao);
    Chave(hostil, kAdm1);
    hostil.Pis = "0 OR 1=1";
    hostil.Categoria.clear();
    EXPECT_TRUE(hostil.Excluir(false));
    EXPECT_EQ(Linhas(), "2015:501:N 2015:502:S 2018:601:N ");

    // Employer fields only, no admission: every change of the employer goes.
    TAlteracaoCadastral empresa(*sessao);
    empresa.TipoInscricao = "1";
    empresa.Inscricao = std::to_string(kCnpjA);
    ASSERT_TRUE(empresa.Excluir(false));
    EXPECT_EQ(Linhas(), "");
}

TEST_F(AlteracaoNome, AdotarONomeDoBancoRenomeiaEApagaSoAsDoVinculo)
{
    TAlteracaoCadastral a(*sessao);
    TTransacao t(*sessao);
    a.ResolverAlteracaoNome(1, 1, 'N', "MARIA D'AVILA", kAdm1, std::stoll(kPisAlt), kCnpjA);
    t.Confirmar();
    EXPECT_EQ(Nome(), "MARIA D'AVILA");
    EXPECT_EQ(Linhas(), "2018:601:N ");
}

TEST_F(AlteracaoNome, ManterONomeConfirmaAContaDoNomeEDescartaAsOutras)
{
    TAlteracaoCadastral a(*sessao);
    a.ResolverAlteracaoNome(1, 1, 'S', "MARIA D'AVILA", kAdm1, std::stoll(kPisAlt), kCnpjA);
    EXPECT_EQ(Nome(), "MARIA DA SILVA");
    EXPECT_EQ(Linhas(), "2015:502:S 2018:601:N ");
}

TEST_F(AlteracaoNome, ManterSemContaComONomeNaoConfirmaNadaEDescartaTudo)
{
    TAlteracaoCadastral a(*sessao);
    a.ResolverAlteracaoNome(1, 1, 'S', "OUTRO NOME", kAdm1, std::stoll(kPisAlt), kCnpjA);
    EXPECT_EQ(Linhas(), "2018:601:N ");
}

TEST_F(AlteracaoNome, DecisaoDoUsuario)
{
    // Cancel: nothing written and no transaction left open.
    EXPECT_EQ(Decidir(mrCancel, "MARIA D'AVILA"), ResultadoDecisaoNome::Cancelado);
    EXPECT_FALSE(sessao->EmTransacao());
    EXPECT_EQ(Linhas(), "2015:501:N 2015:502:N 2018:601:N ");
    ASSERT_EQ(roteiro.tipos.size(), 1u);
    EXPECT_EQ(roteiro.tipos[0], mtConfirmation);

    // No with a name the worker form would refuse: "99" + the code, rolled back.
    std::string erro;
    EXPECT_EQ(Decidir(mrNo, "MARIA 2", &erro), ResultadoDecisaoNome::NomeInvalido);
    EXPECT_EQ(erro, "990093");
    EXPECT_FALSE(sessao->EmTransacao());
    EXPECT_EQ(Nome(), "MARIA DA SILVA");

    // Yes: the registered name stays, the account of the name is confirmed.
    roteiro.textos.clear();
    EXPECT_EQ(Decidir(mrYes, "MARIA D'AVILA"), ResultadoDecisaoNome::Mantido);
    EXPECT_EQ(roteiro.textos.size(), 2u); // the question and the information "990302"
    EXPECT_FALSE(sessao->EmTransacao());
    EXPECT_EQ(Linhas(), "2015:502:S 2018:601:N ");

    // No: the bank's name is adopted and the link's changes go, the confirmed one too.
    EXPECT_EQ(Decidir(mrNo, "MARIA DA SILVA SANTOS"), ResultadoDecisaoNome::Adotado);
    EXPECT_EQ(Nome(), "MARIA DA SILVA SANTOS");
    EXPECT_EQ(Linhas(), "2018:601:N ");
}

TEST_F(AlteracaoNome, CancelarDentroDaTransacaoDoChamadorADeixaAoChamador)
{
    TTransacao t(*sessao);
    sessao->ExecutarSQL("UPDATE SFGTBG03_EMPREGADO SET NO_EMPREGADO = 'MARIA' WHERE NU_PIS = " + kPisAlt);
    EXPECT_EQ(Decidir(mrCancel, "MARIA D'AVILA"), ResultadoDecisaoNome::Cancelado);
    EXPECT_TRUE(sessao->EmTransacao());
    t.Confirmar();
    EXPECT_EQ(Nome(), "MARIA");
}

} // namespace
} // namespace drav
