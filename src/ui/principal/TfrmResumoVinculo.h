#pragma once
#include <QFrame>

#include <functional>

class QLabel;
class QPushButton;

namespace drav {

class TDBUtils;
struct TRecArvore;

// The "Movimento" frame of a link: what the collection knows of it (state, balance for rescission
// purposes and its origin, complements already computed), read-only. Editing the balance
// complements comes with their own window.
class TfrmResumoVinculo : public QFrame {
    Q_OBJECT
public:
    TfrmResumoVinculo(TDBUtils& sessao, QWidget* parent = nullptr);
    void Mostrar(const TRecArvore& vinculo, const QString& nomeEmpresa);

    // Opens the balance complements of the link shown; the main window provides it.
    std::function<void(const TRecArvore&)> abrirComplementos;

private:
    TDBUtils& sessao_;
    QLabel* lblDados_ = nullptr;
    std::function<void()> reabrir_;
};

} // namespace drav
