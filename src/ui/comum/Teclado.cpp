#include "ui/comum/Teclado.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpressionValidator>

namespace drav {

namespace {

bool Backspace(const QKeyEvent& t) { return t.key() == Qt::Key_Backspace; }

bool Tab(const QKeyEvent& t) { return t.key() == Qt::Key_Tab || t.key() == Qt::Key_Backtab; }

// A key that types a character into the control (not a shortcut, not a navigation key).
bool Digitavel(const QKeyEvent& t)
{
    if (t.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString s = t.text();
    return !s.isEmpty() && s.at(0).isPrint();
}

} // namespace

bool TeclaCompletaControle(QWidget* controle, const QKeyEvent& tecla)
{
    if (!controle || Backspace(tecla) || !Digitavel(tecla))
        return false;
    if (auto* combo = qobject_cast<QComboBox*>(controle))
        return combo->currentIndex() >= 0;
    auto* edit = qobject_cast<QLineEdit*>(controle);
    if (!edit)
        return false;
    const QString tipo = edit->property(kTipoCampo).toString();
    int maximo = edit->maxLength();
    const int tamanho = static_cast<int>(edit->text().trimmed().size());
    if (tipo == QLatin1String("moeda"))
        return tamanho == maximo - 3;
    if (tipo == QLatin1String("data") && maximo == 32767)
        maximo = 10;
    return tamanho == maximo - 1;
}

void FocarProximo(QWidget* atual)
{
    if (!atual)
        return;
    QWidget* janela = atual->window();
    for (QWidget* w = atual->nextInFocusChain(); w && w != atual; w = w->nextInFocusChain()) {
        if (w->window() == janela && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
            !w->focusProxy()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void AvancarFoco(QWidget* controle, const QKeyEvent& tecla)
{
    if (!TeclaCompletaControle(controle, tecla))
        return;
    // Queued: the key event is still on its way to the control.
    QPointer<QWidget> alvo(controle);
    QMetaObject::invokeMethod(
        controle,
        [alvo] {
            if (alvo && alvo->hasFocus())
                FocarProximo(alvo);
        },
        Qt::QueuedConnection);
}

void AvancarFoco(const QKeyEvent& tecla) { AvancarFoco(QApplication::focusWidget(), tecla); }

TAvancoFoco* TAvancoFoco::Instalar(QWidget* raiz)
{
    auto* filtro = new TAvancoFoco(raiz);
    for (QLineEdit* e : raiz->findChildren<QLineEdit*>()) {
        // The line edit inside an editable combo box belongs to the combo.
        if (!qobject_cast<QComboBox*>(e->parentWidget()))
            e->installEventFilter(filtro);
    }
    for (QComboBox* c : raiz->findChildren<QComboBox*>())
        c->installEventFilter(filtro);
    return filtro;
}

bool TAvancoFoco::eventFilter(QObject* alvo, QEvent* evento)
{
    if (evento->type() == QEvent::KeyPress)
        AvancarFoco(qobject_cast<QWidget*>(alvo), *static_cast<QKeyEvent*>(evento));
    return false;
}

bool FiltrarTeclaNumerica(const QKeyEvent& tecla)
{
    if (Backspace(tecla) || Tab(tecla))
        return true;
    if (!Digitavel(tecla))
        return true;
    const QString s = tecla.text();
    return s.size() == 1 && s.at(0) >= QLatin1Char('0') && s.at(0) <= QLatin1Char('9');
}

TFiltroTeclaNumerica* TFiltroTeclaNumerica::Instalar(QWidget* campo)
{
    auto* filtro = new TFiltroTeclaNumerica(campo);
    campo->installEventFilter(filtro);
    return filtro;
}

bool TFiltroTeclaNumerica::eventFilter(QObject* /*alvo*/, QEvent* evento)
{
    if (evento->type() == QEvent::KeyPress)
        return !FiltrarTeclaNumerica(*static_cast<QKeyEvent*>(evento));
    return false;
}

void CampoNumerico(QLineEdit* campo, int tamanho)
{
    campo->setMaxLength(tamanho);
    campo->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), campo));
    TFiltroTeclaNumerica::Instalar(campo);
}

} // namespace drav
