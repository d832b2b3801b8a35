#pragma once
#include <QDialog>
#include <QString>

#include <filesystem>

class QLabel;
class QPushButton;

namespace drav {

struct ContextoAplicacao;
class TMensagens;

// What the backup and restore windows share: two lines telling what the step does, a line for
// its progress and the "Avançar"/"Cancelar" pair, "Avançar" running the window's own step.
class TfrmBaseBackup : public QDialog {
    Q_OBJECT
public:
    QPushButton* btnAvancar() const { return btnAvancar_; }
    QPushButton* btnCancelar() const { return btnCancelar_; }
    QLabel* lblMensagem() const { return lblMensagem_; }

    virtual void btnAvancarClick() = 0;

protected:
    TfrmBaseBackup(ContextoAplicacao& ctx, TMensagens& mensagens, const QString& titulo, const char* explicacao,
                   const char* complemento, QWidget* pai);

    // Shows the progress at once: the work that follows holds the event loop.
    void Mostrar(const char* texto);
    void Habilitar(bool sim);

    static bool CriarPastaSeFaltar(const std::filesystem::path& p);
    // The data folder's "Backup" folder, where archives are proposed, created when missing. Empty
    // when it cannot be, after telling the user.
    std::filesystem::path PastaBackup();

    ContextoAplicacao& ctx_;
    TMensagens& mensagens_;
    QLabel* lblMensagem_ = nullptr;
    QPushButton* btnAvancar_ = nullptr;
    QPushButton* btnCancelar_ = nullptr;
};

} // namespace drav
