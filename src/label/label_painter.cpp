#include "label/label_painter.h"

#include "base/units.h"
#include "render/barcode_renderer.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace Kelbrix {

namespace {

// A hair more than the whole dots, so that the floor the renderer takes is never one short.
constexpr double kDotSlack = 1e-6;

} // namespace

void paintMatrixSymbol(QPainter &painter, const MatrixSymbol &symbol, QPointF corner, double module)
{
    const double quiet = quietZoneModules(symbol.carrier) * module;
    const QPointF origin = corner + QPointF(quiet, quiet);
    for (const QRectF &run : matrixModuleRuns(symbol, origin, module))
        painter.fillRect(run, Qt::black);
}

void paintLabel(QPainter &painter, const LabelDescription &label, const QRectF &area, double across, bool wholeDots)
{
    if (!label.renderer)
        return;
    const LabelLayout layout = layoutLabel(label);
    const double down = area.height() / layout.size.height();
    painter.save();
    painter.fillRect(area, Qt::white);
    // The caller chose the narrow bar: the bars fill the symbol's box across, whatever the
    // appearance says of proportions, in whole dots unless this is a preview.
    BarcodeRenderer renderer = *label.renderer;
    renderer.setRetainAspectRatio(false);
    renderer.setPixelAlign(wholeDots);
    renderer.draw(painter, QRectF(area.topLeft(),
                                  QSizeF(layout.symbol.width() * across + kDotSlack, layout.symbol.height() * down)));
    // The label's lines at the size they have on a label of this height: twips to device units
    // is the same as drawing at 1440 dots per inch times the scale.
    const QFont font = labelFont(layout.font, down * kTwipsPerInch);
    const QFontMetricsF metrics(font);
    // As in the label's own picture, no line reaches past its edges: a long header is cut there.
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (const LabelText &text : layout.texts) {
        const double top = area.top() + text.y * down;
        if (text.stripWidth > 0)
            painter.fillRect(
                QRectF(area.left() + text.stripLeft * across, top, text.stripWidth * across, metrics.height()),
                text.stripColor);
        // A centred text (the ISBN header) is centred on the label's width.
        const QString shown = text.text.trimmed();
        const double left = text.alignment == 0 ? area.center().x() - metrics.horizontalAdvance(shown) / 2
                                                : area.left() + text.x * across;
        painter.drawText(QPointF(left, top + metrics.ascent()), shown);
    }
    painter.restore();
}

} // namespace Kelbrix
