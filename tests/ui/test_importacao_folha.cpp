#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "kit/ApresentadorTeste.h"
#include "kit/BancoTeste.h"
#include "ui/progresso/ImportacaoFolha.h"

#include <fstream>
#include <sstream>

namespace drav {
namespace {

using Respostas = teste::ApresentadorGravado;

class ImportacaoJanelaTeste : public teste::BancoTeste {
protected:
    int Contar(const std::string& tabela)
    {
        return sessao->AbrirConsulta("SELECT COUNT(*) AS N FROM " + tabela)->FieldByName("N").AsInteger();
    }
};

TEST_F(ImportacaoJanelaTeste, ArquivoValidoEntraEAvisaSucesso)
{
    ContextoAplicacao ctx;
    ctx.pasta = pasta;
    ctx.sessao = std::move(sessao);
    Respostas r;
    TMensagens m(ctx.sessao.get(), r);
    const QString arquivo = QString::fromStdString(std::string(DRAV_FIXTURES) + "/folha/DRAV.re");
    EXPECT_TRUE(ExecutarImportacaoFolha(nullptr, ctx, m, arquivo));
    // Success, then the offer of the balance request for the imported links (answered No).
    ASSERT_GE(r.textos.size(), 2u);
    EXPECT_EQ(r.textos[r.textos.size() - 2].rfind("990074 - ", 0), 0u) << r.textos[r.textos.size() - 2];
    EXPECT_EQ(r.textos.back().rfind("990075 - ", 0), 0u) << r.textos.back();
    sessao = std::move(ctx.sessao);
    EXPECT_GT(Contar("SFGTBG04_VINCULO_EMPREGATICIO"), 0);
}

TEST_F(ImportacaoJanelaTeste, ArquivoRecusadoNaoGravaNadaEOfereceAsInconsistencias)
{
    std::ifstream in(std::string(DRAV_FIXTURES) + "/folha/DRAV.re", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    std::string conteudo = s.str();
    conteudo.erase(conteudo.size() / 2, 7); // a line that is no longer 360 characters
    const auto arquivo = pasta / "DRAV.re";
    std::ofstream(arquivo, std::ios::binary) << conteudo;

    ContextoAplicacao ctx;
    ctx.pasta = pasta;
    ctx.sessao = std::move(sessao);
    Respostas r;
    TMensagens m(ctx.sessao.get(), r);
    EXPECT_FALSE(ExecutarImportacaoFolha(nullptr, ctx, m, QString::fromStdString(arquivo.string())));
    // The listing is offered; declined, the user is told where to find it later.
    ASSERT_GE(r.textos.size(), 2u);
    EXPECT_EQ(r.textos[r.textos.size() - 2].rfind("990209 - ", 0), 0u) << r.textos[r.textos.size() - 2];
    EXPECT_EQ(r.textos.back().rfind("990476 - ", 0), 0u) << r.textos.back();
    sessao = std::move(ctx.sessao);
    EXPECT_EQ(Contar("SFGTBG04_VINCULO_EMPREGATICIO"), 0);
    EXPECT_GT(Contar("SFGTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = 1"), 0);
}

} // namespace
} // namespace drav
