#include "reports/Pintura.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace drav {

QPageLayout LayoutPagina(Papel papel)
{
    const bool paisagem = papel == Papel::PaisagemA4;
    return QPageLayout(QPageSize(paisagem ? QPageSize::A4 : QPageSize::Letter),
                       paisagem ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(kMargemMm, kMargemMm, kMargemMm, kMargemMm), QPageLayout::Millimeter);
}

namespace {

QColor Cor(uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb & 0xFFFFFF)); }

QFont FonteItem(const ItemRelatorio& i)
{
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(i.pontos);
    f.setBold(i.negrito);
    return f;
}

void PintarPagina(QPainter& p, const PaginaRelatorio& pagina, double pxPorMm)
{
    for (const auto& i : pagina.itens) {
        const QRectF r(i.x * pxPorMm, i.y * pxPorMm, i.largura * pxPorMm, i.altura * pxPorMm);
        switch (i.tipo) {
        case ItemRelatorio::Tipo::Linha: {
            QPen caneta(Cor(i.cor));
            caneta.setWidthF(0.25 * pxPorMm);
            p.setPen(caneta);
            p.drawLine(QPointF(r.left(), r.top()), QPointF(r.right(), r.top()));
            break;
        }
        case ItemRelatorio::Tipo::Caixa: {
            QPen caneta(Cor(i.cor));
            caneta.setWidthF(0.3 * pxPorMm);
            p.setPen(caneta);
            p.setBrush(i.fundo == 0xFFFFFFFF ? QBrush(Qt::NoBrush) : QBrush(Cor(i.fundo)));
            p.drawRect(r);
            p.setBrush(Qt::NoBrush);
            break;
        }
        case ItemRelatorio::Tipo::Texto: {
            if (i.texto.empty())
                break;
            const QFont f = FonteItem(i);
            p.setFont(f);
            p.setPen(Cor(i.cor));
            // A text longer than its column is cut with an ellipsis rather than run into the next.
            const QString texto = QFontMetricsF(f, p.device()).elidedText(QString::fromStdString(i.texto),
                                                                          Qt::ElideRight, r.width());
            Qt::Alignment a = Qt::AlignVCenter;
            a |= i.alinhamento == Alinhamento::Centro    ? Qt::AlignHCenter
                 : i.alinhamento == Alinhamento::Direita ? Qt::AlignRight
                                                         : Qt::AlignLeft;
            p.drawText(r, static_cast<int>(a | Qt::TextSingleLine), texto);
            break;
        }
        }
    }
}

} // namespace

bool PintarRelatorio(const DocumentoRelatorio& documento, QPagedPaintDevice& dispositivo)
{
    dispositivo.setPageLayout(LayoutPagina(documento.papel));
    QPainter p;
    if (!p.begin(&dispositivo))
        return false;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double pxPorMm = dispositivo.logicalDpiX() / 25.4;
    for (std::size_t n = 0; n < documento.paginas.size(); ++n) {
        if (n > 0)
            dispositivo.newPage();
        PintarPagina(p, documento.paginas[n], pxPorMm);
    }
    return p.end();
}

QImage ImagemPagina(const DocumentoRelatorio& documento, int pagina, int dpi)
{
    const double pxPorMm = dpi / 25.4;
    QImage imagem(static_cast<int>(LarguraPapel(documento.papel) * pxPorMm + 0.5),
                  static_cast<int>(AlturaPapel(documento.papel) * pxPorMm + 0.5), QImage::Format_RGB32);
    // The picture's resolution is what turns the fonts' points into pixels.
    const int pontosPorMetro = static_cast<int>(dpi / 0.0254 + 0.5);
    imagem.setDotsPerMeterX(pontosPorMetro);
    imagem.setDotsPerMeterY(pontosPorMetro);
    imagem.fill(Qt::white);
    if (pagina < 0 || pagina >= static_cast<int>(documento.paginas.size()))
        return imagem;
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(kMargemMm * pxPorMm, kMargemMm * pxPorMm);
    PintarPagina(p, documento.paginas[pagina], pxPorMm);
    return imagem;
}

bool GravarPdf(const DocumentoRelatorio& documento, const std::string& caminho, std::string& erro)
{
    erro.clear();
    if (!QGuiApplication::instance()) {
        erro = "É necessária uma aplicação gráfica ativa para gerar o PDF.";
        return false;
    }
    const QString nome = QString::fromStdString(caminho);
    {
        QPdfWriter pdf(nome);
        pdf.setResolution(300);
        pdf.setCreator(QStringLiteral("DRAV"));
        pdf.setTitle(QString::fromStdString(documento.titulo));
        if (!PintarRelatorio(documento, pdf)) {
            erro = "Não foi possível gravar o arquivo " + caminho + ".";
            return false;
        }
    }
    if (QFile(nome).size() <= 0) {
        erro = "Não foi possível gravar o arquivo " + caminho + ".";
        return false;
    }
    return true;
}

} // namespace drav
