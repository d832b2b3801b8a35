#include "ui/backup/ExecucaoBackup.h"

#include "ui/backup/TfrmBackup.h"
#include "ui/backup/TfrmRestaurarBackup.h"

namespace drav {

void FazerBackup(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens)
{
    TfrmBackup janela(ctx, mensagens, pai);
    janela.exec();
}

bool RestaurarBackup(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens, int modo,
                     std::function<void()> recarregarTela)
{
    TfrmRestaurarBackup janela(ctx, mensagens, modo, pai);
    janela.RecarregarTela = std::move(recarregarTela);
    janela.exec();
    return janela.Restaurado();
}

} // namespace drav
