#include "export/converter_image.h"

#include "export/converter_result.h"
#include "label/mono_symbol.h"
#include "render/symbol_geometry.h"

#include <QPainter>
#include <QTransform>

#include <limits>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

std::atomic<qint64> g_memoryBudget{kDefaultMemoryBudget};

// Pixels per module of a clipboard symbol drawn without a raster width: a screen-sized picture.
constexpr int kDefaultPixelsPerModule = 3;

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
    mono.setColorTable(whiteBlackTable());
    return mono;
}

} // namespace

double usableDpi(double dpi)
{
    return dpi >= kMinDpi && dpi <= kMaxDpi ? dpi : 0.0;
}

qint64 converterMemoryBudget()
{
    return g_memoryBudget.load();
}

void setConverterMemoryBudget(qint64 bytes)
{
    g_memoryBudget.store(bytes < (qint64(1) << 20) ? kDefaultMemoryBudget : bytes);
}

qint64 imageBytes(qint64 width, qint64 height, int bitsPerPixel)
{
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide || bitsPerPixel <= 0)
        return width <= 0 || height <= 0 ? 0 : std::numeric_limits<qint64>::max() / 4;
    const qint64 rowBytes = (width * std::min(bitsPerPixel, 128) + 31) / 32 * 4;
    return rowBytes * height;
}

qint64 imageBytes(const QImage &image)
{
    return image.isNull() ? 0 : qint64(image.sizeInBytes());
}

int checkMemory(qint64 bytes)
{
    return bytes < 0 || bytes > converterMemoryBudget() ? ConverterResult::ImageTooLarge : ConverterResult::Success;
}

int checkImageSize(qint64 width, qint64 height)
{
    if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels)
        return ConverterResult::ImageTooLarge;
    return ConverterResult::Success;
}

bool isMonochrome(const QImage &image)
{
    return image.format() == QImage::Format_Mono && image.colorTable() == whiteBlackTable();
}

QImage toMonochrome(const QImage &image)
{
    if (image.isNull() || isMonochrome(image))
        return image;
    if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB)
        return normaliseMono(image.convertToFormat(QImage::Format_Mono));
    QImage mono;
    if (image.hasAlphaChannel()) {
        // Transparent parts of a picture are background, so they become white. The picture is
        // flattened onto white a strip at a time, so memory stays near the two pictures.
        mono = QImage(image.size(), QImage::Format_Mono);
        if (mono.isNull())
            return {};
        mono.setColorTable(whiteBlackTable());
        const int stripRows = stripRowsFor(image.width(), image.height());
        QImage strip(image.width(), stripRows, QImage::Format_RGB32);
        if (strip.isNull())
            return {};
        const qsizetype rowBytes = std::min(mono.bytesPerLine(), qsizetype((image.width() + 7) / 8));
        for (int top = 0; top < image.height(); top += stripRows) {
            strip.fill(Qt::white);
            {
                QPainter painter(&strip);
                painter.drawImage(0, -top, image);
            }
            const QImage part =
                normaliseMono(strip.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::ThresholdDither));
            if (part.isNull())
                return {};
            const int rows = std::min(stripRows, image.height() - top);
            for (int y = 0; y < rows; ++y)
                std::memcpy(mono.scanLine(top + y), part.constScanLine(y), size_t(rowBytes));
        }
    } else {
        mono = image.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::ThresholdDither);
    }
    if (mono.isNull())
        return {};
    mono.setDotsPerMeterX(image.dotsPerMeterX());
    mono.setDotsPerMeterY(image.dotsPerMeterY());
    return normaliseMono(mono);
}

int symbolPicture(const SymbolGeometry &symbol, QSize shown, int raster, QImage *out, QString *problem)
{
    // The geometry is checked when it is read (finite, positive, bounded), so these products
    // stay far inside a double's exact range; the limits are checked before any conversion.
    const double wanted = raster > 0 ? double(raster) : std::ceil(symbol.width * kDefaultPixelsPerModule);
    const double aspect =
        shown.isValid() && !shown.isEmpty() ? double(shown.height()) / shown.width() : symbol.height / symbol.width;
    const double tall = std::max(1.0, std::round(wanted * aspect));
    auto tooLarge = [&](const QString &size) {
        if (problem)
            *problem = size + u" pixels is more than the converter makes"_s;
        return ConverterResult::ImageTooLarge;
    };
    if (!(wanted >= 1 && wanted <= kMaxImageSide && tall <= kMaxImageSide))
        return tooLarge(QString::number(wanted, 'g', 12) + u" x "_s + QString::number(tall, 'g', 12));
    const qint64 width = qint64(wanted);
    const qint64 height = qint64(tall);
    const qint64 strip = qint64(stripRowsFor(int(width), int(height))) * width * 4;
    if (checkImageSize(width, height) != ConverterResult::Success ||
        checkMemory(imageBytes(width, height, 1) * 2 + strip) != ConverterResult::Success)
        return tooLarge(QString::number(width) + u" x "_s + QString::number(height));
    *out = renderSymbol(symbol, QSize(int(width), int(height)));
    if (out->isNull()) {
        if (problem)
            *problem = u"out of memory"_s;
        return ConverterResult::OutOfMemory;
    }
    return ConverterResult::Success;
}

QImage rescaled(const QImage &image, QSize size)
{
    if (image.size() == size)
        return image;
    if (image.format() != QImage::Format_Mono || size.isEmpty())
        return image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    // Qt scales through a 32-bit picture; one bit per pixel is sampled directly instead, each
    // target pixel taking the source pixel under its centre.
    QImage result(size, QImage::Format_Mono);
    if (result.isNull())
        return {};
    result.setColorTable(image.colorTable());
    result.setDotsPerMeterX(image.dotsPerMeterX());
    result.setDotsPerMeterY(image.dotsPerMeterY());
    const qint64 sourceWidth = image.width(), sourceHeight = image.height();
    std::vector<int> columns(size_t(size.width()));
    for (int x = 0; x < size.width(); ++x)
        columns[size_t(x)] = int((2 * qint64(x) + 1) * sourceWidth / (2 * qint64(size.width())));
    int lastSourceRow = -1;
    for (int y = 0; y < size.height(); ++y) {
        const int sourceRow = int((2 * qint64(y) + 1) * sourceHeight / (2 * qint64(size.height())));
        uchar *target = result.scanLine(y);
        if (sourceRow == lastSourceRow) {
            std::memcpy(target, result.constScanLine(y - 1), size_t(result.bytesPerLine()));
            continue;
        }
        lastSourceRow = sourceRow;
        const uchar *source = image.constScanLine(sourceRow);
        std::memset(target, 0, size_t(result.bytesPerLine()));
        for (int x = 0; x < size.width(); ++x) {
            const int column = columns[size_t(x)];
            if (source[column >> 3] & (0x80 >> (column & 7)))
                target[x >> 3] |= uchar(0x80 >> (x & 7));
        }
    }
    return result;
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
