#pragma once
#include "files/Arvore.h"

#include <QAbstractItemModel>
#include <QIcon>
#include <QPixmap>

#include <map>

namespace drav {

// The picture of a node index (see ImagemNo), drawn once and kept.
QIcon IconeArvore(int imagem);
// The same picture drawn at a larger size (the About box, the loading window).
QPixmap FiguraArvore(int imagem, int lado);

// The Qt view of the navigation tree: every index carries a node id of the TArvore and reads the
// node's caption and picture straight from it, so building the model costs nothing beyond the
// tree itself and a view shows 50,000 links at once.
class TModeloArvore : public QAbstractItemModel, public IVisaoArvore {
    Q_OBJECT
public:
    explicit TModeloArvore(TArvore& arvore, QObject* parent = nullptr);
    ~TModeloArvore() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;

    // The node of an index (-1 for none) and the index of a node.
    int NoDoIndice(const QModelIndex& i) const;
    QModelIndex IndiceDoNo(int no) const;

    // IVisaoArvore
    void ArvoreRecarregada() override;
    void EstruturaAlterada() override;
    void NoAlterado(int no) override;

signals:
    // Emitted after the nodes changed wholesale, so the window can select again.
    void arvoreRecarregada();
    void estruturaAlterada();

private:
    TArvore& arvore_;
};

} // namespace drav
