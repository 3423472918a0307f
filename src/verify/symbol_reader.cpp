#include "verify/symbol_reader.h"

#include "verify/zxing_reader.h"

#include <QPainter>

#include <zbar.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

using namespace Qt::Literals::StringLiterals;

// zbar.h puts its C API into namespace zbar when compiled as C++.
using namespace zbar;

namespace Kelbrix {

namespace {

struct ScannerDeleter {
    void operator()(zbar_image_scanner_t *scanner) const { zbar_image_scanner_destroy(scanner); }
};
struct ImageDeleter {
    void operator()(zbar_image_t *image) const { zbar_image_destroy(image); }
};

/// The most pixels the reader is given. A larger picture (a label of 100 mm at 4800 dpi has some
/// 360 million) is shrunk by a whole factor first, so that its grey copies take tens of
/// megabytes rather than gigabytes; its modules still span many pixels.
constexpr qint64 kMaxScanPixels = qint64(4096) * 4096;

// \a source on \a ground as 8-bit grey, pixel for pixel whatever device pixel ratio it carries.
QImage greyOf(const QImage &source, QColor ground)
{
    QImage grey(source.size(), QImage::Format_Grayscale8);
    if (grey.isNull())
        return {};
    grey.fill(ground);
    QImage pixels = source.convertToFormat(QImage::Format_ARGB32);
    pixels.setDevicePixelRatio(1.0);
    QPainter p(&grey);
    p.drawImage(0, 0, pixels);
    p.end();
    return grey;
}

// \a source as 8-bit grey on \a ground, shrunk \a factor times on each side, each pixel the mean
// of its block; made one band of \a factor rows at a time, so no copy of the whole picture at
// full size is made.
QImage greyShrunk(const QImage &source, int factor, QColor ground)
{
    const int width = (source.width() + factor - 1) / factor;
    const int height = (source.height() + factor - 1) / factor;
    QImage shrunk(width, height, QImage::Format_Grayscale8);
    if (shrunk.isNull())
        return {};
    std::vector<quint32> sums(static_cast<size_t>(width));
    for (int row = 0; row < height; ++row) {
        const int top = row * factor;
        const int rows = std::min(factor, source.height() - top);
        const QImage band = greyOf(source.copy(0, top, source.width(), rows), ground);
        if (band.isNull())
            return {};
        std::fill(sums.begin(), sums.end(), 0u);
        for (int y = 0; y < rows; ++y) {
            const uchar *line = band.constScanLine(y);
            for (int x = 0; x < source.width(); ++x)
                sums[size_t(x / factor)] += line[x];
        }
        uchar *out = shrunk.scanLine(row);
        for (int x = 0; x < width; ++x) {
            const int columns = std::min(factor, source.width() - x * factor);
            out[x] = uchar(sums[size_t(x)] / quint32(columns * rows));
        }
    }
    return shrunk;
}

// The image as 8-bit grey inside a margin of \a ground, so that a symbol drawn right up to the
// image edge keeps the quiet zone a reader needs; shrunk first when it has more pixels than the
// reader is given.
QImage withQuietZone(const QImage &source, QColor ground, int *marginOut = nullptr, int *factorOut = nullptr)
{
    const qint64 pixels = qint64(source.width()) * source.height();
    const int factor = pixels > kMaxScanPixels ? int(std::ceil(std::sqrt(double(pixels) / double(kMaxScanPixels)))) : 1;
    const QImage picture = factor > 1 ? greyShrunk(source, factor, ground) : greyOf(source, ground);
    if (picture.isNull())
        return {};
    const int margin = qMax(40, picture.width() / 10);
    if (marginOut)
        *marginOut = margin;
    if (factorOut)
        *factorOut = factor;
    QImage grey(picture.width() + 2 * margin, picture.height() + 2 * margin, QImage::Format_Grayscale8);
    if (grey.isNull())
        return {};
    grey.fill(ground);
    QPainter p(&grey);
    p.drawImage(margin, margin, picture);
    p.end();
    return grey;
}

QString symbolText(const zbar_symbol_t *symbol)
{
    return QString::fromLatin1(zbar_symbol_get_data(symbol), int(zbar_symbol_get_data_length(symbol)));
}

QString symbolType(const zbar_symbol_t *symbol)
{
    return QString::fromLatin1(zbar_get_symbol_name(zbar_symbol_get_type(symbol)));
}

QList<DecodedSymbol> scan(const QImage &grey)
{
    if (grey.isNull())
        return {};
    // zbar wants the rows packed without padding.
    QByteArray pixels;
    pixels.reserve(qsizetype(grey.width()) * grey.height());
    for (int y = 0; y < grey.height(); ++y)
        pixels.append(reinterpret_cast<const char *>(grey.constScanLine(y)), grey.width());

    const std::unique_ptr<zbar_image_scanner_t, ScannerDeleter> scanner(zbar_image_scanner_create());
    zbar_image_scanner_set_config(scanner.get(), ZBAR_NONE, ZBAR_CFG_ENABLE, 1);
    for (zbar_symbol_type_t type : {ZBAR_UPCA, ZBAR_UPCE, ZBAR_EAN2, ZBAR_EAN5, ZBAR_CODE39, ZBAR_I25})
        zbar_image_scanner_set_config(scanner.get(), type, ZBAR_CFG_ENABLE, 1);

    const std::unique_ptr<zbar_image_t, ImageDeleter> image(zbar_image_create());
    zbar_image_set_format(image.get(), zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(image.get(), unsigned(grey.width()), unsigned(grey.height()));
    zbar_image_set_data(image.get(), pixels.constData(), size_t(pixels.size()), nullptr);

    QList<DecodedSymbol> result;
    if (zbar_scan_image(scanner.get(), image.get()) <= 0)
        return result;
    for (const zbar_symbol_t *s = zbar_image_first_symbol(image.get()); s; s = zbar_symbol_next(s)) {
        DecodedSymbol symbol{symbolType(s), symbolText(s), {}};
        if (const zbar_symbol_set_t *components = zbar_symbol_get_components(s)) {
            for (const zbar_symbol_t *c = zbar_symbol_set_first_symbol(components); c; c = zbar_symbol_next(c))
                symbol.parts.append({symbolType(c), symbolText(c)});
        }
        result.append(symbol);
    }
    return result;
}

} // namespace

QList<DecodedSymbol> readUpcESymbol(const QImage &image, bool inverted)
{
    if (image.isNull())
        return {};
    if (!inverted)
        return scanUpcE(withQuietZone(image, Qt::white));
    QImage grey = withQuietZone(image, Qt::black);
    grey.invertPixels();
    return scanUpcE(grey);
}

namespace {

std::optional<MatrixReading> readOne(const QImage &image, std::optional<MatrixReading> (*scan)(const QImage &))
{
    if (image.isNull())
        return std::nullopt;
    int margin = 0, scale = 1;
    const QImage grey = withQuietZone(image, Qt::white, &margin, &scale);
    if (grey.isNull())
        return std::nullopt;
    std::optional<MatrixReading> reading = scan(grey);
    if (reading) {
        // Back to the image's own pixels: the quiet zone added around it, and the shrinking of a
        // picture larger than the reader takes.
        reading->box = QRect(QPoint((reading->box.left() - margin) * scale, (reading->box.top() - margin) * scale),
                             QPoint((reading->box.right() - margin) * scale, (reading->box.bottom() - margin) * scale));
    }
    return reading;
}

} // namespace

std::optional<MatrixReading> readMatrixSymbol(const QImage &image)
{
    return readOne(image, scanMatrix);
}

std::optional<MatrixReading> readCode128Symbol(const QImage &image)
{
    return readOne(image, scanCode128);
}

QList<DecodedSymbol> readSymbols(const QImage &image, bool inverted)
{
    if (image.isNull())
        return {};
    if (!inverted)
        return scan(withQuietZone(image, Qt::white));
    // Painted on black and then inverted, the quiet zone comes out white like the bars' ground.
    QImage grey = withQuietZone(image, Qt::black);
    grey.invertPixels();
    return scan(grey);
}

} // namespace Kelbrix
