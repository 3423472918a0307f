#include "label/label_image.h"

#include "base/units.h"
#include "render/barcode_renderer.h"
#include "render/glyph_runs.h"
#include "render/symbol_geometry.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace Kelbrix {

namespace {

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

// The product line typeset in its strip (as high as a line of the font, filled with the strip's
// colour).
void paintProductLine(QPainter &painter, const LabelText &line, const QFont &labelTextFont, double dpi)
{
    const QFont font = labelFont(labelTextFont, dpi);
    const QFontMetricsF metrics(font);
    const double top = twipsToPixels(line.y, dpi);
    const QRectF strip(twipsToPixels(line.stripLeft, dpi), top, twipsToWholePixels(line.stripWidth, dpi),
                       twipsToWholePixels(pixelsToTwips(metrics.height(), dpi), dpi));
    painter.save();
    painter.setClipRect(strip);
    painter.fillRect(strip, line.stripColor);
    painter.setFont(font);
    painter.setPen(Qt::black);
    // The glyphs straight from the font where the text layout would set them so: a text layout
    // costs more than the drawing.
    const QPointF baseline(twipsToPixels(line.x, dpi), top + metrics.ascent());
    if (const std::optional<QGlyphRun> run = plainGlyphRun(font, line.text))
        painter.drawGlyphRun(baseline, *run);
    else
        painter.drawText(baseline, line.text);
    painter.restore();
}

// The 2D symbol of \a layout painted into \a image with its left edge at column \a left: its box
// filled white, each module a square of whole dots.
void paintMatrix(QImage &image, const LabelLayout &layout, int left, double dpi)
{
    const MatrixSymbol &symbol = layout.matrixSymbol;
    const int dots = std::max(1, roundToInt(twipsToPixels(layout.matrixModule, dpi)));
    const int top = roundToInt(twipsToPixels(layout.matrix.top(), dpi));
    const int quiet = quietZoneModules(symbol.carrier) * dots;
    fillArea(image, QRect(left, top, symbol.columnsWithQuietZone() * dots, symbol.rowsWithQuietZone() * dots),
             qRgb(255, 255, 255));
    const QRgb black = qRgb(0, 0, 0);
    for (const QRectF &run : matrixModuleRuns(symbol, QPointF(left + quiet, top + quiet), dots))
        fillArea(image, run.toRect(), black);
}

// The picture of a 2D symbol alone, as its own label.
ComposedLabel paintMatrixAlone(const LabelLayout &layout, double dpi, QImage recycled)
{
    ComposedLabel result;
    const int dots = std::max(1, roundToInt(twipsToPixels(layout.matrixModule, dpi)));
    const QSize pixels(layout.matrixSymbol.columnsWithQuietZone() * dots,
                       layout.matrixSymbol.rowsWithQuietZone() * dots);
    result.widthTwips = result.symbolWidthTwips = layout.size.width();
    result.heightTwips = result.symbolHeightTwips = layout.size.height();
    result.label =
        newImage(pixelsToTwips(pixels.width(), dpi), pixelsToTwips(pixels.height(), dpi), dpi, std::move(recycled));
    if (result.label.size() != pixels)
        result.label = QImage(pixels, QImage::Format_RGB32);
    result.label.setDotsPerMeterX(dotsPerMetre(dpi));
    result.label.setDotsPerMeterY(dotsPerMetre(dpi));
    paintMatrix(result.label, layout, 0, dpi);
    result.symbol = result.label;
    return result;
}

} // namespace

ComposedLabel paintLabelImages(const LabelDescription &label, double dpi, QImage recycledSymbol, QImage recycledLabel)
{
    ComposedLabel result;
    if (!label.renderer && label.matrix.isEmpty())
        return result;
    const LabelLayout layout = layoutLabel(label, dpi);
    if (!layout.linearShown)
        return paintMatrixAlone(layout, dpi, std::move(recycledLabel));
    if (!label.renderer)
        return result;
    result.symbolWidthTwips = layout.symbol.width();
    result.symbolHeightTwips = layout.symbolPictureHeight;
    result.symbol = newImage(result.symbolWidthTwips, result.symbolHeightTwips, dpi, std::move(recycledSymbol));
    const QSize symbolSize = result.symbol.size();
    // The bare symbol picture may be higher than the symbol; the renderer paints at its top.
    const int symbolRows = std::min(symbolSize.height(), twipsToWholePixels(layout.symbol.height(), dpi));
    {
        QPainter painter(&result.symbol);
        label.renderer->draw(painter, QRectF(0, 0, symbolSize.width(), symbolRows));
    }
    const QRgb white = qRgb(255, 255, 255);
    fillArea(result.symbol, QRect(0, symbolRows, symbolSize.width(), symbolSize.height() - symbolRows), white);

    const LabelText *line = layout.text(LabelText::Role::ProductLine);
    result.hasProductLine = line != nullptr;
    result.widthTwips = layout.size.width();
    result.heightTwips = layout.size.height();
    result.label = newImage(result.widthTwips, result.heightTwips, dpi, std::move(recycledLabel));
    // The 2D symbol starts where the linear label's own picture ends; the picture is made as
    // large as its whole-dot modules need.
    const int matrixLeft = twipsToWholePixels(label.labelWidthTwips, dpi);
    if (!layout.matrix.isEmpty()) {
        const int dots = std::max(1, roundToInt(twipsToPixels(layout.matrixModule, dpi)));
        const QSize needed(matrixLeft + layout.matrixSymbol.columnsWithQuietZone() * dots,
                           roundToInt(twipsToPixels(layout.matrix.top(), dpi)) +
                               layout.matrixSymbol.rowsWithQuietZone() * dots);
        const QSize grown = result.label.size().expandedTo(needed);
        if (grown != result.label.size()) {
            result.label = QImage(grown, QImage::Format_RGB32);
            result.label.setDotsPerMeterX(dotsPerMetre(dpi));
            result.label.setDotsPerMeterY(dotsPerMetre(dpi));
        }
    }
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
    if (line)
        paintProductLine(painter, *line, layout.font, dpi);

    if (const LabelText *header = layout.text(LabelText::Role::Header)) {
        const QFont font = labelFont(layout.font, dpi);
        const QFontMetricsF metrics(font);
        const double headerWidthTwips = pixelsToTwips(metrics.horizontalAdvance(header->text), dpi);
        result.isbnCenterX = header->x - headerWidthTwips / 2.0;
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(twipsToPixels(result.isbnCenterX, dpi), metrics.ascent()), header->text);
    }
    painter.end();
    // Last, so that no strip of the product line reaches into its quiet zone.
    if (!layout.matrix.isEmpty())
        paintMatrix(result.label, layout, matrixLeft, dpi);
    return result;
}

QImage paintScreenLabel(const LabelDescription &label, double logicalDpi, double devicePixelRatio)
{
    double dpi = logicalDpi * devicePixelRatio;
    if (!label.renderer || !(dpi > 0))
        return {};
    const BarcodeRenderer &renderer = *label.renderer;
    if (renderer.pixelAlign()) {
        // Modules of whole device pixels: the picture is made as much larger or smaller as it
        // takes for the symbol to fill its place with the nearest whole number of pixels a
        // module (at least one), instead of leaving the rest of a pixel empty in every module.
        const SymbolGeometry symbol = renderer.geometry();
        const double heightTwips = label.symbolHeightTwips;
        const bool byHeight = renderer.retainAspectRatio();
        if (!(symbol.width > 0 && label.symbolWidthTwips > 0 && (!byHeight || (symbol.height > 0 && heightTwips > 0))))
            return {};
        double fit = twipsToPixels(label.symbolWidthTwips, dpi) / symbol.width;
        if (byHeight)
            fit = std::min(fit, twipsToPixels(heightTwips, dpi) / symbol.height);
        const double modulePixels = std::max(1.0, std::round(fit));
        // The least resolution at which the symbol's picture, in whole pixels, holds that many
        // pixels a module.
        const auto least = [modulePixels](double modules, double twips) {
            return (std::ceil(modulePixels * modules - 1e-9) - 0.5 + 1e-6) * kTwipsPerInch / twips;
        };
        double screenDpi = least(symbol.width, label.symbolWidthTwips);
        if (byHeight)
            screenDpi = std::max(screenDpi, least(symbol.height, heightTwips));
        // Beyond any real label (a symbol of absurd geometry): the label image is shown instead.
        if (!(screenDpi > 0 && screenDpi <= 8.0 * dpi))
            return {};
        dpi = screenDpi;
    }
    // The header goes into a band of its own above the label painted without it.
    LabelDescription withoutHeader = label;
    withoutHeader.isbnHeader.clear();
    QImage shown = paintLabelImages(withoutHeader, dpi).label;
    if (!label.isbnHeader.isEmpty()) {
        const QFont font = labelFont(renderer, dpi);
        const QFontMetricsF metrics(font);
        const int band = int(std::ceil(metrics.height()));
        QImage banded(shown.width(), shown.height() + band, QImage::Format_RGB32);
        banded.fill(Qt::white);
        QPainter painter(&banded);
        painter.drawImage(0, band, shown);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(
            QPointF((banded.width() - metrics.horizontalAdvance(label.isbnHeader)) / 2.0, metrics.ascent()),
            label.isbnHeader);
        painter.end();
        shown = banded;
    }
    shown.setDevicePixelRatio(devicePixelRatio);
    return shown;
}

} // namespace Kelbrix
