#pragma once
#include "model/RegRegistro.h"

#include <QString>

class QWidget;

namespace drav {

struct ContextoAplicacao;
class TMensagens;

// Imports a payroll file with the progress window and ends the run as the user expects: the
// success message, or the reason it failed. The process-wide dates are reloaded whatever the
// outcome, so a rolled-back run never leaves them stale. True when the import succeeded.
bool ExecutarImportacaoFolha(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens, const QString& arquivo);

// The request for the balances of the links of an imported file ("40" lines), with the save
// dialog for its envelope. True when the envelope was written; a failure other than a cancelled
// dialog is shown.
bool SolicitarSaldos(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens,
                               const TArrRegRegistro& registros);

} // namespace drav
