#include "render/screen_label.h"

#include "base/units.h"
#include "render/barcode_renderer.h"
#include "render/symbol_geometry.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace Kelbrix {

QImage composeScreenLabel(LabelRequest request, LabelComposition compose, double logicalDpi, double devicePixelRatio)
{
    double dpi = logicalDpi * devicePixelRatio;
    if (!request.renderer || !compose || !(dpi > 0))
        return {};
    const BarcodeRenderer &renderer = *request.renderer;
    if (renderer.pixelAlign()) {
        // Modules of whole device pixels: the picture is made as much larger or smaller as it
        // takes for the symbol to fill its place with the nearest whole number of pixels a
        // module (at least one), instead of leaving the rest of a pixel empty in every module.
        const SymbolGeometry symbol = renderer.geometry();
        const double heightTwips = request.symbolPictureHeightTwips > 0
                                       ? std::min(request.symbolHeightTwips, request.symbolPictureHeightTwips)
                                       : request.symbolHeightTwips;
        const bool byHeight = renderer.retainAspectRatio();
        if (!(symbol.width > 0 && request.symbolWidthTwips > 0 &&
              (!byHeight || (symbol.height > 0 && heightTwips > 0))))
            return {};
        double fit = twipsToPixels(request.symbolWidthTwips, dpi) / symbol.width;
        if (byHeight)
            fit = std::min(fit, twipsToPixels(heightTwips, dpi) / symbol.height);
        const double modulePixels = std::max(1.0, std::round(fit));
        // The least resolution at which the symbol's picture, in whole pixels, holds that many
        // pixels a module.
        const auto least = [modulePixels](double modules, double twips) {
            return (std::ceil(modulePixels * modules - 1e-9) - 0.5 + 1e-6) * kTwipsPerInch / twips;
        };
        double screenDpi = least(symbol.width, request.symbolWidthTwips);
        if (byHeight)
            screenDpi = std::max(screenDpi, least(symbol.height, heightTwips));
        // Beyond any real label (a symbol of absurd geometry): the label image is shown instead.
        if (!(screenDpi > 0 && screenDpi <= 8.0 * dpi))
            return {};
        dpi = screenDpi;
    }
    const QString header = request.isbnHeader;
    request.isbnHeader.clear();
    request.dotsPerInch = dpi;
    request.recycledSymbol = QImage();
    request.recycledLabel = QImage();
    QImage shown = compose(std::move(request)).label;
    if (!header.isEmpty()) {
        const QFont font = labelFont(renderer, dpi);
        const QFontMetricsF metrics(font);
        const int band = int(std::ceil(metrics.height()));
        QImage banded(shown.width(), shown.height() + band, QImage::Format_RGB32);
        banded.fill(Qt::white);
        QPainter painter(&banded);
        painter.drawImage(0, band, shown);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPointF((banded.width() - metrics.horizontalAdvance(header)) / 2.0, metrics.ascent()), header);
        painter.end();
        shown = banded;
    }
    shown.setDevicePixelRatio(devicePixelRatio);
    return shown;
}

} // namespace Kelbrix
