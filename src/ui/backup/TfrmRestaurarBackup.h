#pragma once
#include "ui/backup/TfrmBaseBackup.h"

#include <QString>

#include <functional>

namespace drav {

// Replaces the database with a backup archive chosen in an open dialog: mode 0 reads this
// program's backups, mode 1 those of release 1.3.3. Closes itself after a restore.
class TfrmRestaurarBackup : public TfrmBaseBackup {
    Q_OBJECT
public:
    TfrmRestaurarBackup(ContextoAplicacao& ctx, TMensagens& mensagens, int modo, QWidget* pai = nullptr);

    // The open dialog: gets the initial folder, answers the chosen path or an empty text.
    std::function<QString(const QString& pasta)> EscolherArquivo;
    // Rebuilds what the main window shows after a restore (its tree and the process-wide
    // dates). Without it only the dates are read again, as at start-up.
    std::function<void()> RecarregarTela;

    bool Restaurado() const { return restaurado_; }

    void btnAvancarClick() override;

private:
    int modo_;
    bool restaurado_ = false;
};

} // namespace drav
