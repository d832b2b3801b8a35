#pragma once
#include <QFrame>

class QLabel;

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

private:
    TDBUtils& sessao_;
    QLabel* lblDados_ = nullptr;
};

} // namespace drav
