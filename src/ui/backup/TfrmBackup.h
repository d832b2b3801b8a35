#pragma once
#include "ui/backup/TfrmBaseBackup.h"

#include <QString>

#include <functional>

namespace drav {

// Saves the database into a password-protected ZIP archive chosen in a save dialog, proposed in
// the data folder's "Backup" folder. Closes itself after a backup that was written and read back.
class TfrmBackup : public TfrmBaseBackup {
    Q_OBJECT
public:
    TfrmBackup(ContextoAplicacao& ctx, TMensagens& mensagens, QWidget* pai = nullptr);

    // The save dialog: gets the initial folder and the proposed name, answers the chosen path or
    // an empty text when the user cancelled. Replaceable so the window can be driven without one.
    std::function<QString(const QString& pasta, const QString& nome)> EscolherArquivo;

    void btnAvancarClick() override;
};

} // namespace drav
