#pragma once
#include <QObject>

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace drav {

// Edit boxes tell AvancarFoco what they hold through this dynamic property: "data" (a date
// field: complete one character before its length, 10 when no maximum is set) or "moeda" (a
// currency field: three characters before its maximum length, the decimals being typed after
// the focus moved on). Without it a line edit, masked or plain, is complete one character before
// its maximum length.
inline constexpr const char* kTipoCampo = "dravTipoCampo";

// True when typing this key completes the control: see kTipoCampo; a combo box is complete when
// it has a selected item. Only keys that type a character count, and backspace never completes.
bool TeclaCompletaControle(QWidget* controle, const QKeyEvent& tecla);

// For key-press handlers: when the key completes the focused control of the active window, focus
// moves to the next control in tab order — after the key has reached the control, so the last
// character still lands where it was typed.
void AvancarFoco(const QKeyEvent& tecla);
void AvancarFoco(QWidget* controle, const QKeyEvent& tecla);
// Gives the focus to the next control of the window that takes it with the Tab key.
void FocarProximo(QWidget* atual);

// The same as an event filter over every line edit and combo box inside a window.
class TAvancoFoco : public QObject {
    Q_OBJECT
public:
    explicit TAvancoFoco(QObject* pai = nullptr) : QObject(pai) {}
    // Installs one filter, owned by the root, on the root's line edits and combo boxes.
    static TAvancoFoco* Instalar(QWidget* raiz);

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;
};

// A numeric field's keys: digits, backspace and tab go through; any other typed character
// becomes no key. Keys that type nothing (arrows, Delete, Home, End), Enter and Escape (the
// dialog's buttons) and Ctrl shortcuts (copy, paste) are left alone; what a paste brings in is
// the field validator's business (see CampoNumerico).
bool FiltrarTeclaNumerica(const QKeyEvent& tecla);

class TFiltroTeclaNumerica : public QObject {
    Q_OBJECT
public:
    explicit TFiltroTeclaNumerica(QObject* pai = nullptr) : QObject(pai) {}
    static TFiltroTeclaNumerica* Instalar(QWidget* campo);

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;
};

// A line edit that holds digits only, typed or pasted, up to the given length.
void CampoNumerico(QLineEdit* campo, int tamanho);

} // namespace drav
