#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "kit/ApresentadorTeste.h"
#include "kit/BancoTeste.h"
#include "ui/backup/TfrmBackup.h"
#include "ui/backup/TfrmRestaurarBackup.h"

#include <QLabel>
#include <QPushButton>

#include <filesystem>

namespace drav {
namespace {

using Respostas = teste::ApresentadorGravado;

class JanelasBackupTeste : public teste::BancoTeste {};

TEST_F(JanelasBackupTeste, BackupPelaJanelaERestauracaoPelaOutra)
{
    ContextoAplicacao ctx;
    ctx.pasta = pasta;
    ctx.sessao = std::move(sessao);
    Respostas r;
    TMensagens m(ctx.sessao.get(), r);
    ctx.sessao->ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL) "
                            "VALUES (1, 11222333000181, 'Padaria D''Ávila')");

    QString proposto, zip;
    {
        TfrmBackup janela(ctx, m);
        janela.EscolherArquivo = [&](const QString& p, const QString& nome) {
            proposto = nome;
            return zip = p + "/" + nome;
        };
        janela.btnAvancar()->click();
        EXPECT_TRUE(janela.btnAvancar()->isEnabled());
        EXPECT_TRUE(janela.lblMensagem()->text().isEmpty());
    }
    EXPECT_TRUE(proposto.startsWith("DRAV_db_") && proposto.endsWith(".zip") && proposto.size() == 24)
        << proposto.toStdString();
    ASSERT_FALSE(r.textos.empty());
    EXPECT_EQ(r.textos.back().rfind("990252 - ", 0), 0u) << r.textos.back();
    EXPECT_TRUE(std::filesystem::exists(zip.toStdString()));
    EXPECT_TRUE(std::filesystem::is_empty(pasta / "TEMP"));

    ctx.sessao->ExecutarSQL("DELETE FROM SFGTBG02_EMPRESA");
    {
        TfrmRestaurarBackup janela(ctx, m, 0);
        janela.EscolherArquivo = [&](const QString&) { return zip + ".nao-existe"; };
        janela.btnAvancar()->click();
        EXPECT_EQ(r.textos.back().rfind("990251 - ", 0), 0u) << r.textos.back();
        EXPECT_FALSE(janela.Restaurado());

        bool recarregou = false;
        janela.RecarregarTela = [&] { recarregou = true; };
        janela.EscolherArquivo = [&](const QString&) { return zip; };
        janela.btnAvancar()->click();
        EXPECT_EQ(r.textos.back().rfind("990255 - ", 0), 0u) << r.textos.back();
        EXPECT_TRUE(janela.Restaurado());
        EXPECT_TRUE(recarregou);
    }
    auto e = ctx.sessao->AbrirConsulta("SELECT NO_RAZAO_SOCIAL FROM SFGTBG02_EMPRESA");
    ASSERT_EQ(e->RecordCount(), 1);
    EXPECT_EQ(e->Field(0).AsString(), "Padaria D'Ávila");
    sessao = std::move(ctx.sessao);
}

} // namespace
} // namespace drav
