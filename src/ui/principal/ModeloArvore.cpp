#include "ui/principal/ModeloArvore.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <map>

namespace drav {

namespace {

// The pictures are drawn rather than shipped: a building for the responsible, a factory for an
// employer, a person for a link, each with a badge for its state.
void Predio(QPainter& p, const QColor& cor)
{
    p.setPen(QPen(cor.darker(160), 1));
    p.setBrush(cor);
    p.drawRect(QRectF(3.5, 2.5, 9, 12));
    p.setBrush(Qt::white);
    for (int y = 4; y <= 10; y += 3)
        for (int x = 5; x <= 9; x += 4)
            p.drawRect(QRectF(x + 0.5, y + 0.5, 2, 1.5));
}

void Fabrica(QPainter& p, const QColor& cor)
{
    p.setPen(QPen(cor.darker(170), 1));
    p.setBrush(cor);
    QPainterPath f;
    f.moveTo(1.5, 14.5);
    f.lineTo(1.5, 7.5);
    f.lineTo(5.5, 9.5);
    f.lineTo(5.5, 7.5);
    f.lineTo(9.5, 9.5);
    f.lineTo(9.5, 3.5);
    f.lineTo(12.5, 3.5);
    f.lineTo(12.5, 14.5);
    f.closeSubpath();
    p.drawPath(f);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 11.5, 2, 2));
    p.drawRect(QRectF(7.5, 11.5, 2, 2));
}

void Pessoa(QPainter& p, const QColor& cor)
{
    p.setPen(QPen(cor.darker(170), 1));
    p.setBrush(cor);
    p.drawEllipse(QRectF(4.5, 1.5, 6, 6));
    QPainterPath corpo;
    corpo.moveTo(1.5, 15.5);
    corpo.cubicTo(1.5, 9.0, 13.5, 9.0, 13.5, 15.5);
    corpo.closeSubpath();
    p.drawPath(corpo);
}

enum class Selo { Nenhum, Marcado, Fechado, Processado, Aviso };

void DesenharSelo(QPainter& p, Selo selo)
{
    const QRectF r(8.5, 8.5, 7, 7);
    switch (selo) {
    case Selo::Nenhum: return;
    case Selo::Marcado:
        p.setPen(QPen(QColor(0x1b, 0x7f, 0x2a), 1));
        p.setBrush(QColor(0x3c, 0xb3, 0x4a));
        p.drawEllipse(r);
        p.setPen(QPen(Qt::white, 1.6));
        p.drawPolyline(QPolygonF({QPointF(10, 12), QPointF(11.7, 13.7), QPointF(14.2, 10.3)}));
        return;
    case Selo::Fechado:
        p.setPen(QPen(QColor(0x6b, 0x4a, 0x00), 1));
        p.setBrush(QColor(0xe0, 0xa0, 0x10));
        p.drawRect(QRectF(9.5, 11.5, 6, 4));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(10.5, 8.5, 4, 5), 0, 180 * 16);
        return;
    case Selo::Processado:
        p.setPen(QPen(QColor(0x10, 0x3c, 0x90), 1));
        p.setBrush(QColor(0x2a, 0x6c, 0xd8));
        p.drawEllipse(r);
        p.setPen(QPen(Qt::white, 1.4));
        p.drawPolyline(QPolygonF({QPointF(9.8, 12), QPointF(11.3, 13.5), QPointF(14.4, 10.2)}));
        return;
    case Selo::Aviso: {
        p.setPen(QPen(QColor(0x80, 0x60, 0x00), 1));
        p.setBrush(QColor(0xff, 0xc8, 0x20));
        QPolygonF t({QPointF(8, 1.5), QPointF(15, 14.5), QPointF(1, 14.5)});
        p.drawPolygon(t);
        p.setPen(QPen(Qt::black, 1.6));
        p.drawLine(QPointF(8, 6), QPointF(8, 10.5));
        p.drawPoint(QPointF(8, 12.8));
        return;
    }
    }
}

// `escala` pixels per unit of the 16-unit drawing; with `nitidez` the pixmap is shown at 16
// units (a sharper icon on a dense screen), without it at its full size.
QPixmap Desenhar(int imagem, qreal escala, bool nitidez = true)
{
    QPixmap px(QSize(16, 16) * escala);
    if (nitidez)
        px.setDevicePixelRatio(escala);
    px.fill(Qt::transparent);
    QPainter p(&px);
    if (!nitidez)
        p.scale(escala, escala);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor empresa(0x8a, 0x9b, 0xb0), vinculo(0x4f, 0x8a, 0xc9);
    switch (imagem) {
    case imgRaiz: Predio(p, QColor(0x6d, 0x8d, 0xb8)); break;
    case imgEmpresa: Fabrica(p, empresa); break;
    case imgEmpresaMarcada: Fabrica(p, empresa); DesenharSelo(p, Selo::Marcado); break;
    case imgEmpresaFechada: Fabrica(p, empresa.lighter(115)); DesenharSelo(p, Selo::Fechado); break;
    case imgVinculo: Pessoa(p, vinculo); break;
    case imgVinculoMarcado: Pessoa(p, vinculo); DesenharSelo(p, Selo::Marcado); break;
    case imgVinculoFechado: Pessoa(p, vinculo.lighter(125)); DesenharSelo(p, Selo::Fechado); break;
    case imgVinculoProcessado: Pessoa(p, vinculo.lighter(125)); DesenharSelo(p, Selo::Processado); break;
    case imgAlteracaoNome: DesenharSelo(p, Selo::Aviso); break;
    default: break;
    }
    return px;
}

} // namespace

QPixmap FiguraArvore(int imagem, int lado) { return Desenhar(imagem, lado / 16.0, false); }

QIcon IconeArvore(int imagem)
{
    static std::map<int, QIcon> cache;
    auto it = cache.find(imagem);
    if (it != cache.end())
        return it->second;
    QIcon icone;
    icone.addPixmap(Desenhar(imagem, 1));
    icone.addPixmap(Desenhar(imagem, 2));
    return cache.emplace(imagem, icone).first->second;
}

TModeloArvore::TModeloArvore(TArvore& arvore, QObject* parent) : QAbstractItemModel(parent), arvore_(arvore)
{
    arvore_.DefinirVisao(this);
}

TModeloArvore::~TModeloArvore() { arvore_.DefinirVisao(nullptr); }

QModelIndex TModeloArvore::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid()) {
        if (row != 0 || arvore_.Raiz() < 0)
            return {};
        return createIndex(0, 0, static_cast<quintptr>(arvore_.Raiz()));
    }
    const int pai = NoDoIndice(parent);
    if (pai < 0)
        return {};
    const auto& filhos = arvore_.FilhosOrdenados(pai);
    if (row >= static_cast<int>(filhos.size()))
        return {};
    return createIndex(row, 0, static_cast<quintptr>(filhos[row]));
}

QModelIndex TModeloArvore::parent(const QModelIndex& child) const
{
    const int no = NoDoIndice(child);
    if (no < 0)
        return {};
    const int pai = arvore_.No(no).Pai;
    if (pai < 0)
        return {};
    return createIndex(arvore_.PosicaoNoPai(pai), 0, static_cast<quintptr>(pai));
}

int TModeloArvore::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return arvore_.Raiz() < 0 ? 0 : 1;
    if (parent.column() != 0)
        return 0;
    const int no = NoDoIndice(parent);
    return no < 0 ? 0 : static_cast<int>(arvore_.No(no).Filhos.size());
}

bool TModeloArvore::hasChildren(const QModelIndex& parent) const { return rowCount(parent) > 0; }

int TModeloArvore::columnCount(const QModelIndex&) const { return 1; }

QVariant TModeloArvore::data(const QModelIndex& index, int role) const
{
    const int no = NoDoIndice(index);
    if (no < 0)
        return {};
    const TNoArvore& n = arvore_.No(no);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return QString::fromStdString(n.Texto); // a narrow tree cuts long names
    case Qt::DecorationRole: return IconeArvore(n.Imagem);
    default: return {};
    }
}

int TModeloArvore::NoDoIndice(const QModelIndex& i) const
{
    if (!i.isValid())
        return -1;
    const int no = static_cast<int>(i.internalId());
    return arvore_.ExisteNo(no) ? no : -1;
}

QModelIndex TModeloArvore::IndiceDoNo(int no) const
{
    if (!arvore_.ExisteNo(no))
        return {};
    return createIndex(arvore_.PosicaoNoPai(no), 0, static_cast<quintptr>(no));
}

void TModeloArvore::ArvoreRecarregada()
{
    beginResetModel();
    endResetModel();
    emit arvoreRecarregada();
}

void TModeloArvore::EstruturaAlterada()
{
    beginResetModel();
    endResetModel();
    emit estruturaAlterada();
}

void TModeloArvore::NoAlterado(int no)
{
    const QModelIndex i = IndiceDoNo(no);
    if (i.isValid())
        emit dataChanged(i, i, {Qt::DecorationRole});
}

} // namespace drav
