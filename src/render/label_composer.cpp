#include "render/label_composer.h"

#include "render/barcode_renderer.h"
#include "render/glyph_runs.h"
#include "base/units.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// Indent of the product line inside its strip, and how much wider the strip is than the label.
constexpr double kProductIndentTwips = 10;
constexpr double kProductStripExtraTwips = 30;

// An image of the given size at \a dpi, not yet filled: every caller paints all of it. The
// pixels of \a recycled are used again when nothing else holds them: a label is large, and
// fresh memory for each one costs more than painting it.
QImage newImage(double widthTwips, double heightTwips, double dpi, QImage recycled)
{
    const QSize size(twipsToWholePixels(widthTwips, dpi), twipsToWholePixels(heightTwips, dpi));
    QImage image = recycled.size() == size && recycled.format() == QImage::Format_RGB32 && recycled.isDetached()
                       ? std::move(recycled)
                       : QImage(size, QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    image.setDotsPerMeterX(dotsPerMetre(dpi));
    image.setDotsPerMeterY(dotsPerMetre(dpi));
    return image;
}

// Fills the part of \a rect inside the 32-bit \a image with \a pixel, row by row, as an opaque
// QPainter::fillRect would.
void fillArea(QImage &image, const QRect &rect, QRgb pixel)
{
    const QRect area = rect & image.rect();
    if (area.isEmpty())
        return;
    // The first row pixel by pixel, the others copied from it: a block copy is faster. The
    // pixels are reached once: every scanLine() call would check whether to detach.
    uchar *const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    QRgb *first = reinterpret_cast<QRgb *>(bits + area.top() * stride) + area.left();
    std::fill(first, first + area.width(), pixel);
    for (int y = area.top() + 1; y <= area.bottom(); ++y)
        std::memcpy(reinterpret_cast<QRgb *>(bits + y * stride) + area.left(), first,
                    size_t(area.width()) * sizeof(QRgb));
}

// The product line, typeset in its strip (as wide as the label and 30 twips more, as high as
// a line of the font, filled with the text background) with its top at \a top.
void paintProductStrip(QPainter &painter, const LabelRequest &request, double labelWidthTwips, double top)
{
    const double dpi = request.dotsPerInch;
    const QFont font = labelFont(*request.renderer, dpi);
    const QFontMetricsF metrics(font);
    const QRectF strip(0, top, twipsToWholePixels(labelWidthTwips + kProductStripExtraTwips, dpi),
                       twipsToWholePixels(pixelsToTwips(metrics.height(), dpi), dpi));
    painter.save();
    painter.setClipRect(strip);
    painter.fillRect(strip, request.textBackColor.isValid() ? request.textBackColor : QColor(Qt::white));
    painter.setFont(font);
    painter.setPen(Qt::black);
    // The glyphs straight from the font where the text layout would set them so: a text layout
    // costs more than the drawing.
    const QPointF baseline(twipsToPixels(kProductIndentTwips, dpi), top + metrics.ascent());
    const QString line = productLine(request.product);
    if (const std::optional<QGlyphRun> run = plainGlyphRun(font, line))
        painter.drawGlyphRun(baseline, *run);
    else
        painter.drawText(baseline, line);
    painter.restore();
}

ComposedLabel compose(LabelRequest &request, double withLineHeight, double withoutLineHeight, double productLineY)
{
    ComposedLabel result;
    const double dpi = request.dotsPerInch;
    // The bare symbol picture may be higher than the symbol; the renderer paints at its top.
    const double pictureHeight =
        request.symbolPictureHeightTwips > 0 ? request.symbolPictureHeightTwips : request.symbolHeightTwips;
    result.symbol = newImage(request.symbolWidthTwips, pictureHeight, dpi, std::move(request.recycledSymbol));
    const QSize symbolSize = result.symbol.size();
    const int symbolRows = std::min(symbolSize.height(), twipsToWholePixels(request.symbolHeightTwips, dpi));
    {
        QPainter painter(&result.symbol);
        request.renderer->draw(painter, QRectF(0, 0, symbolSize.width(), symbolRows));
    }
    const QRgb white = qRgb(255, 255, 255);
    fillArea(result.symbol, QRect(0, symbolRows, symbolSize.width(), symbolSize.height() - symbolRows), white);

    result.hasProductLine = !request.product.isEmpty() && request.productLineOn;
    result.widthTwips = request.labelWidthTwips;
    result.heightTwips = result.hasProductLine ? withLineHeight : withoutLineHeight;
    result.label = newImage(result.widthTwips, result.heightTwips, dpi, std::move(request.recycledLabel));
    const QSize labelSize = result.label.size();
    // The symbol's rows copied to the top, white around them: each pixel is written once. Both
    // images are 32-bit RGB, so a row copy is what drawing one onto the other would do.
    const int rows = std::min(symbolRows, labelSize.height());
    const int columns = std::max(0, std::min(symbolSize.width(), labelSize.width()));
    uchar *const labelBits = result.label.bits();
    const uchar *const symbolBits = result.symbol.constBits();
    for (int y = 0; y < rows; ++y)
        std::memcpy(labelBits + y * result.label.bytesPerLine(), symbolBits + y * result.symbol.bytesPerLine(),
                    size_t(columns) * sizeof(QRgb));
    fillArea(result.label, QRect(columns, 0, labelSize.width() - columns, rows), white);
    fillArea(result.label, QRect(0, rows, labelSize.width(), labelSize.height() - rows), white);
    QPainter painter(&result.label);
    if (result.hasProductLine)
        paintProductStrip(painter, request, result.widthTwips, twipsToPixels(productLineY, dpi));

    if (!request.isbnHeader.isEmpty()) {
        const QFont font = labelFont(*request.renderer, dpi);
        const QFontMetricsF metrics(font);
        const double headerWidthTwips = pixelsToTwips(metrics.horizontalAdvance(request.isbnHeader), dpi);
        result.isbnCenterX = result.widthTwips / 2.0 - headerWidthTwips / 2.0;
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(twipsToPixels(result.isbnCenterX, dpi), metrics.ascent()), request.isbnHeader);
    }
    return result;
}

} // namespace

QFont labelFont(const BarcodeRenderer &renderer, double dpi)
{
    QFont font = renderer.font();
    font.setFamily(renderer.digitFontName());
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
    font.setPixelSize(std::max(1, roundToInt(points * dpi / 72.0)));
    return font;
}

QString productLine(const QString &product)
{
    return product.left(kProductLineLength).leftJustified(kProductLineLength, u' ');
}

ComposedLabel composeMainLabel(LabelRequest request)
{
    return compose(request, 1190, 1000, 950);
}

ComposedLabel composeDefinedLabel(LabelRequest request)
{
    const double symbolHeight = request.symbolHeightTwips;
    return compose(request, symbolHeight + 170, symbolHeight, symbolHeight - 50);
}

} // namespace Kelbrix
