#pragma once
#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QPushButton;

namespace drav {

struct ContextoAplicacao;
class TMensagens;

// Saves the database into a password-protected ZIP archive chosen in a save dialog, proposed in
// the data folder's "Backup" folder. Closes itself after a backup that was written and read back.
class TfrmBackup : public QDialog {
    Q_OBJECT
public:
    TfrmBackup(ContextoAplicacao& ctx, TMensagens& mensagens, QWidget* pai = nullptr);

    // The save dialog: gets the initial folder and the proposed name, answers the chosen path or
    // an empty text when the user cancelled. Replaceable so the window can be driven without one.
    std::function<QString(const QString& pasta, const QString& nome)> EscolherArquivo;

    QPushButton* btnAvancar() const { return btnAvancar_; }
    QPushButton* btnCancelar() const { return btnCancelar_; }
    QLabel* lblMensagem() const { return lblMensagem_; }

    void btnAvancarClick();

private:
    void Mostrar(const char* texto);
    void Habilitar(bool sim);

    ContextoAplicacao& ctx_;
    TMensagens& mensagens_;
    QLabel* lblMensagem_ = nullptr;
    QPushButton* btnAvancar_ = nullptr;
    QPushButton* btnCancelar_ = nullptr;
};

} // namespace drav
