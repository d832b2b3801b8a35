#pragma once
#include <QFrame>

#include <string>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace drav {

class TMensagens;

// What the entity frames are doing, one value for the whole program: a new record being typed,
// an existing one being changed, or browsing.
enum ModoEdicaoFrame : int { meInclusao = 0, meAlteracao = 1, meConsulta = 2 };
int ModoEdicao();
void DefinirModoEdicao(int modo);

// Base of the entry frames: a title panel "Cadastro de ...", the fields, and a bottom panel with
// "Al&terar" and "Excl&uir" while browsing, "&Salvar" and "&Cancelar" while editing.
//
// The frame never reaches into the window around it: it tells it through edicaoAlterada (the
// main window locks its tree, tabs, menus and toolbar while a record is edited) and cancelado
// (the window shows its selected node again).
class TFramePadrao : public QFrame {
    Q_OBJECT
public:
    TFramePadrao(const QString& titulo, TMensagens& mensagens, QWidget* parent = nullptr);

    // The frame's checks, in its order; each failure is shown and focuses its field.
    virtual bool Validar() { return true; }
    // Empties every edit, unselects every combo (and empties the text of the searchable ones).
    virtual void LimparCampos();
    // Swaps the button pairs, unlocks the fields while editing and tells the window.
    void EntrarEdicao(bool editando);
    bool Editando() const { return editando_; }

    // Inside the first-use wizard the wizard's own buttons drive the frame.
    void OcultarBotoes(bool ocultar);

    QPushButton* btnAlterar() const { return btnAlterar_; }
    QPushButton* btnExcluir() const { return btnExcluir_; }
    QPushButton* btnSalvar() const { return btnSalvar_; }
    QPushButton* btnCancelar() const { return btnCancelar_; }

signals:
    void edicaoAlterada(bool editando);
    void cancelado();

protected slots:
    virtual void btnAlterarClick();
    virtual void btnSalvarClick();
    virtual void btnCancelarClick();
    virtual void btnExcluirClick() {}

protected:
    // The widget that holds the fields of the subclass.
    QWidget* Corpo() const { return corpo_; }
    // Shows prefix + code as a warning and gives the focus to the field in error.
    void MostrarFalha(const std::string& prefixo, const std::string& codigo, QWidget* campo = nullptr);
    TMensagens& Mensagens() const { return mensagens_; }

private:
    TMensagens& mensagens_;
    QLabel* titulo_ = nullptr;
    QWidget* corpo_ = nullptr;
    QWidget* painelBotoes_ = nullptr;
    QPushButton* btnAlterar_ = nullptr;
    QPushButton* btnExcluir_ = nullptr;
    QPushButton* btnSalvar_ = nullptr;
    QPushButton* btnCancelar_ = nullptr;
    bool editando_ = false;
};

} // namespace drav
