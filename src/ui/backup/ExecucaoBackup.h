#pragma once
#include <functional>

class QWidget;

namespace drav {

struct ContextoAplicacao;
class TMensagens;

// The "Fazer Backup" command: the backup window, modal.
void FazerBackup(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens);

// The "Restaurar Backup" commands (mode 0 this program's backups, 1 those of release 1.3.3): the
// restore window, modal. `recarregarTela` is the main window's tree rebuild, when there is a main
// window. True when the database was replaced.
bool RestaurarBackup(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens, int modo = 0,
                     std::function<void()> recarregarTela = {});

} // namespace drav
