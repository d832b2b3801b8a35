#pragma once
#include <QString>

class QWidget;

namespace drav {

struct ContextoAplicacao;
class TMensagens;

// Imports a payroll file with the progress window and ends the run as the user expects: the
// success message, or the reason it failed. The process-wide dates are reloaded whatever the
// outcome, so a rolled-back run never leaves them stale. True when the import succeeded.
bool ExecutarImportacaoFolha(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens, const QString& arquivo);

} // namespace drav
