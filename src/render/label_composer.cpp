#include "render/label_composer.h"

#include "render/barcode_renderer.h"
#include "base/units.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// Indent of the product line inside its strip, and how much wider the strip is than the label.
constexpr double kProductIndentTwips = 10;
constexpr double kProductStripExtraTwips = 30;

QImage blankImage(double widthTwips, double heightTwips, double dpi)
{
    QImage image(twipsToWholePixels(widthTwips, dpi), twipsToWholePixels(heightTwips, dpi), QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(dotsPerMetre(dpi));
    image.setDotsPerMeterY(dotsPerMetre(dpi));
    return image;
}

QFont labelFont(const BarcodeRenderer &renderer, double dpi)
{
    QFont font = renderer.font();
    font.setFamily(renderer.digitFontName());
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
    font.setPixelSize(std::max(1, roundToInt(points * dpi / 72.0)));
    return font;
}

// The strip the product line is typeset in before it goes into the label.
QImage productStrip(const LabelRequest &request, double labelWidthTwips)
{
    const QFont font = labelFont(*request.renderer, request.dotsPerInch);
    const QFontMetricsF metrics(font);
    const double heightTwips = pixelsToTwips(metrics.height(), request.dotsPerInch);
    QImage strip = blankImage(labelWidthTwips + kProductStripExtraTwips, heightTwips, request.dotsPerInch);
    strip.fill(request.textBackColor.isValid() ? request.textBackColor : QColor(Qt::white));
    QPainter painter(&strip);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(twipsToPixels(kProductIndentTwips, request.dotsPerInch), metrics.ascent()),
                     productLine(request.product));
    return strip;
}

ComposedLabel compose(const LabelRequest &request, double withLineHeight, double withoutLineHeight,
                      double productLineY)
{
    ComposedLabel result;
    const double dpi = request.dotsPerInch;
    result.symbol = blankImage(request.symbolWidthTwips, request.symbolHeightTwips, dpi);
    {
        QPainter painter(&result.symbol);
        request.renderer->draw(painter, QRectF(QPointF(0, 0), QSizeF(result.symbol.size())));
    }

    result.hasProductLine = !request.product.isEmpty() && request.productLineOn;
    result.widthTwips = request.labelWidthTwips;
    result.heightTwips = result.hasProductLine ? withLineHeight : withoutLineHeight;
    result.label = blankImage(result.widthTwips, result.heightTwips, dpi);
    QPainter painter(&result.label);
    painter.drawImage(0, 0, result.symbol);
    if (result.hasProductLine)
        painter.drawImage(QPointF(0, twipsToPixels(productLineY, dpi)), productStrip(request, result.widthTwips));

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

QString productLine(const QString &product)
{
    return product.left(kProductLineLength).leftJustified(kProductLineLength, u' ');
}

ComposedLabel composeMainLabel(const LabelRequest &request)
{
    return compose(request, 1190, 1000, 950);
}

ComposedLabel composeDefinedLabel(const LabelRequest &request)
{
    const double symbolHeight = request.symbolHeightTwips;
    return compose(request, symbolHeight + 170, symbolHeight, symbolHeight - 50);
}

} // namespace Kelbrix
