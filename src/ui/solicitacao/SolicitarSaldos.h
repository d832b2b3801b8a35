#pragma once
#include "model/RegRegistro.h"

class QWidget;

namespace drav {

struct ContextoAplicacao;
class TMensagens;

// The request for the balances of the given links ("40" entries), with the save dialog for its
// envelope: after a payroll import and from the request window. True when the envelope was
// written; a failure other than a cancelled dialog is shown.
bool SolicitarSaldos(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens, const TArrRegRegistro& registros);

} // namespace drav
