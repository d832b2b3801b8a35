#include "core/Configuracao.h"
#include "core/Excecoes.h"
#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "core/TratadorErros.h"
#include "kit/BancoTeste.h"

#include <fstream>
#include <sstream>

namespace drav {
namespace {

TEST(Configuracao, LinhasDoZoltIni)
{
    struct Caso {
        std::vector<std::string> linhas;
        bool logSql;
        std::string grava;
    } casos[] = {
        {{}, false, "N"},
        {{"LOGSQL=S"}, true, "N"},
        {{"LOGSQL=s"}, true, "N"},
        {{"XLOGSQL=S"}, true, "N"},        // the key may stand anywhere in the line
        {{"LOGSQL = S"}, false, "N"},      // the value is not trimmed
        {{"LOGSQL= S"}, false, "N"},
        {{"logsql=S"}, false, "N"},        // the key is case-sensitive
        {{"LOGSQL=S", "LOGSQL=N"}, true, "N"}, // never switched back off
        {{"[Geral]", "LOGSQL=S"}, true, "N"},
        {{"GRAVA_ARQUIVO=S"}, false, "S"},
        {{"GRAVA_ARQUIVO=s"}, false, "s"}, // accepted, kept as written
        {{"GRAVA_ARQUIVO=N"}, false, "N"},
        {{"LOGSQL=GRAVA_ARQUIVO=S"}, false, "N"},
        {{"S"}, false, "N"},
    };
    for (const auto& c : casos) {
        const Configuracao cfg = LerConfiguracao(c.linhas);
        EXPECT_EQ(cfg.LogSQL, c.logSql) << (c.linhas.empty() ? "(vazio)" : c.linhas.back());
        EXPECT_EQ(cfg.GravaArquivo, c.grava) << (c.linhas.empty() ? "(vazio)" : c.linhas.back());
    }
}

TEST(Configuracao, ArquivoComCrLfTiraSoOTerminador)
{
    const auto pasta = teste::PastaTemporaria();
    {
        std::ofstream f(pasta / "ZOLT.ini", std::ios::binary);
        f << "LOGSQL=S\r\nGRAVA_ARQUIVO=S \r\nX\n";
    }
    const auto linhas = LerLinhas(pasta / "ZOLT.ini");
    ASSERT_EQ(linhas.size(), 3u);
    EXPECT_EQ(linhas[0], "LOGSQL=S");
    EXPECT_EQ(linhas[1], "GRAVA_ARQUIVO=S ");
    const Configuracao cfg = LerConfiguracao(linhas);
    EXPECT_TRUE(cfg.LogSQL);
    EXPECT_EQ(cfg.GravaArquivo, "N");
    std::filesystem::remove_all(pasta);
}

class ApresentadorMudo : public IApresentador {
public:
    std::vector<std::string> erros;
    int Mostrar(const DialogoMensagem&) override { return mrOk; }
    void MostrarErroSistema(const std::string& texto, const std::string& titulo) override
    {
        erros.push_back(titulo + ": " + texto);
    }
};

std::vector<std::string> Linhas(const std::filesystem::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::vector<std::string> v;
    for (std::string l; std::getline(f, l);)
        v.push_back(l);
    return v;
}

TEST(TratadorErros, BlocosDoLogDeErros)
{
    const auto pasta = teste::PastaTemporaria();
    ApresentadorMudo ap;
    TTratadorExcecao t(pasta, ap);
    t.TratarExcecao(ENegocio("regra quebrada"), {"frmPrincipal", "edtInscricao"});
    t.TratarExcecao(EBancoDados("tabela bloqueada")); // no window active
    t.TratarExcecao(EAbortarSilencioso());             // never logged nor shown

    const auto l = Linhas(pasta / "LogErro.log");
    const std::string hifens(68, '-');
    ASSERT_EQ(l.size(), 18u);
    EXPECT_EQ(l[0], "");
    EXPECT_EQ(l[1], hifens);
    EXPECT_EQ(l[2].rfind("Data e Hora: ", 0), 0u);
    EXPECT_EQ(l[2].size(), std::string("Data e Hora: dd/mm/yyyy hh:mm:ss").size());
    EXPECT_EQ(l[3], "Erro: Ocorreu um erro.");
    EXPECT_EQ(l[4], "Erro Técnico: regra quebrada");
    EXPECT_EQ(l[5], "Tipo de Erro: ENegocio");
    EXPECT_EQ(l[6], "Form: frmPrincipal");
    EXPECT_EQ(l[7], "Controle: edtInscricao");
    EXPECT_EQ(l[8], hifens);
    EXPECT_EQ(l[9], "");
    EXPECT_EQ(l[10], "");
    EXPECT_EQ(l[11], hifens);
    EXPECT_EQ(l[13], "Erro: Ocorreu um erro ao tentar acessar o banco de dados.");
    EXPECT_EQ(l[14], "Erro Técnico: tabela bloqueada");
    EXPECT_EQ(l[15], "Tipo de Erro: EDatabaseError");
    EXPECT_EQ(l[16], hifens);
    ASSERT_EQ(ap.erros.size(), 2u);
    EXPECT_EQ(ap.erros[1], "DRAV Eletrônica: Ocorreu um erro ao tentar acessar o banco de dados.");
    std::filesystem::remove_all(pasta);
}

class InicioTeste : public teste::BancoTeste {};

TEST_F(InicioTeste, TratadorDesfazTransacaoQueOComandoDeixouAberta)
{
    ApresentadorMudo ap;
    TTratadorExcecao t(pasta, ap, sessao.get());
    sessao->IniciarTransacao();
    sessao->ExecutarSQL("INSERT INTO SFGTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (9993, 'x')");
    t.TratarExcecao(ENegocio("falhou no meio"));
    EXPECT_FALSE(sessao->EmTransacao());
    EXPECT_TRUE(sessao->AbrirConsulta("SELECT * FROM SFGTBT13_MENSAGEM_SISTEMA WHERE NU_MENSAGEM = 9993")->IsEmpty());
}

TEST_F(InicioTeste, ConectarExigeZoltIniEAbreOBanco)
{
    ApresentadorMudo ap;
    TTratadorExcecao t(pasta, ap);
    sessao.reset();
    ContextoAplicacao ctx;
    ctx.pasta = pasta;
    EXPECT_FALSE(Conectar(ctx, ap, t));
    ASSERT_EQ(ap.erros.size(), 1u);
    EXPECT_EQ(ap.erros[0], "DRAV Eletrônica - Arquivo não encontrado: Arquivo ZOLT.ini não existente.");
    EXPECT_FALSE(std::filesystem::exists(pasta / "LogErro.log"));

    std::ofstream(pasta / "ZOLT.ini", std::ios::binary) << "LOGSQL=S\r\n";
    ASSERT_TRUE(Conectar(ctx, ap, t));
    EXPECT_TRUE(ctx.sessao->LogSQL());
    EXPECT_EQ(ctx.DataPagamentoRecolhimento, NullDate);
    CriarPastasTroca(pasta);
    for (const auto& p : PastasTroca())
        EXPECT_TRUE(std::filesystem::is_directory(pasta / p)) << p;
}

TEST_F(InicioTeste, BancoEstranhoDaMensagemClaraENaoDerruba)
{
    ApresentadorMudo ap;
    TTratadorExcecao t(pasta, ap);
    sessao.reset();
    std::ofstream(pasta / "ZOLT.ini", std::ios::binary) << "";
    std::ofstream(pasta / "BD" / "DRAV.FDB", std::ios::binary | std::ios::trunc) << "isto não é um banco";
    ContextoAplicacao ctx;
    ctx.pasta = pasta;
    EXPECT_FALSE(Conectar(ctx, ap, t));
    ASSERT_EQ(ap.erros.size(), 1u);
    const auto l = Linhas(pasta / "LogErro.log");
    ASSERT_GE(l.size(), 6u);
    EXPECT_EQ(l[5].rfind("Tipo de Erro: EDatabaseError", 0), 0u) << l[5];
}

} // namespace
} // namespace drav
