#include "export/converter_image.h"

#include "export/converter_result.h"
#include "render/symbol_geometry.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cstring>

namespace Kelbrix {

namespace {

const QList<QRgb> &whiteBlack()
{
    static const QList<QRgb> table = {qRgb(255, 255, 255), qRgb(0, 0, 0)};
    return table;
}

bool isDark(QRgb colour)
{
    return qAlpha(colour) >= 128 && qGray(colour) < 128;
}

// Brings a Format_Mono image of any colour table to {white, black}.
QImage normaliseMono(QImage mono)
{
    const QList<QRgb> table = mono.colorTable();
    const bool dark0 = !table.isEmpty() && isDark(table.at(0));
    const bool dark1 = table.size() > 1 && isDark(table.at(1));
    if (dark0 == dark1)
        mono.fill(dark0 ? 1 : 0);
    else if (dark0)
        mono.invertPixels();
    mono.setColorTable(whiteBlack());
    return mono;
}

} // namespace

int checkImageSize(qint64 width, qint64 height)
{
    if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels)
        return ConverterResult::ImageTooLarge;
    return ConverterResult::Success;
}

bool isMonochrome(const QImage &image)
{
    return image.format() == QImage::Format_Mono && image.colorTable() == whiteBlack();
}

QImage toMonochrome(const QImage &image)
{
    if (image.isNull() || isMonochrome(image))
        return image;
    if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB)
        return normaliseMono(image.convertToFormat(QImage::Format_Mono));
    QImage opaque = image;
    if (image.hasAlphaChannel()) {
        // Transparent parts of a picture are background, so they become white.
        opaque = QImage(image.size(), QImage::Format_RGB32);
        if (opaque.isNull())
            return {};
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    QImage mono = opaque.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::ThresholdDither);
    if (mono.isNull())
        return {};
    mono.setDotsPerMeterX(image.dotsPerMeterX());
    mono.setDotsPerMeterY(image.dotsPerMeterY());
    return normaliseMono(mono);
}

QImage renderSymbol(const SymbolGeometry &symbol, QSize size)
{
    QImage result(size, QImage::Format_Mono);
    if (result.isNull())
        return {};
    result.setColorTable(whiteBlack());
    // A strip of full-colour rows takes at most 16 MiB, whatever the size of the picture.
    const int stripRows = std::clamp(int((qint64(16) << 20) / (qint64(size.width()) * 4)), 1, size.height());
    QImage strip(size.width(), stripRows, QImage::Format_RGB32);
    if (strip.isNull())
        return {};
    const QRectF target(0, 0, size.width(), size.height());
    const qsizetype rowBytes = std::min(result.bytesPerLine(), qsizetype((size.width() + 7) / 8));
    for (int top = 0; top < size.height(); top += stripRows) {
        strip.fill(Qt::white);
        {
            QPainter painter(&strip);
            // Whole-pixel offsets keep every strip on the same pixel grid.
            painter.translate(0, -top);
            paintSymbol(painter, symbol, target, true);
        }
        const QImage mono = toMonochrome(strip);
        if (mono.isNull())
            return {};
        const int rows = std::min(stripRows, size.height() - top);
        for (int y = 0; y < rows; ++y)
            std::memcpy(result.scanLine(top + y), mono.constScanLine(y), size_t(rowBytes));
    }
    return result;
}

QImage rescaled(const QImage &image, QSize size)
{
    if (image.size() == size)
        return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage inverted(const QImage &image)
{
    QImage result;
    if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB ||
        image.format() == QImage::Format_Grayscale8 || image.depth() >= 16) {
        result = image.copy();
    } else {
        // Inverting the indices of an arbitrary palette would not invert its colours.
        result = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    }
    if (result.isNull())
        return {};
    result.invertPixels();
    return result;
}

QImage mirroredImage(const QImage &image, int mode)
{
    if (mode == 1)
        return image.mirrored(true, false);
    if (mode == 2)
        return image.mirrored(false, true);
    return image;
}

QImage rotatedImage(const QImage &image, int degrees)
{
    if (degrees % 360 == 0)
        return image;
    // Qt turns clockwise for positive angles in its downward y axis and keeps one-bit images
    // one-bit for turns by right angles.
    return image.transformed(QTransform().rotate(degrees), Qt::FastTransformation);
}

} // namespace Kelbrix
