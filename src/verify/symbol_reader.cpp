#include "verify/symbol_reader.h"

#include "verify/upc_e_reader.h"

#include <QPainter>

#include <zbar.h>

#include <memory>

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

// The image as 8-bit grey inside a margin of \a ground, so that a symbol drawn right up to the
// image edge keeps the quiet zone a reader needs.
QImage withQuietZone(const QImage &source, QColor ground)
{
    const int margin = qMax(40, source.width() / 10);
    QImage grey(source.width() + 2 * margin, source.height() + 2 * margin, QImage::Format_Grayscale8);
    grey.fill(ground);
    // Pixel for pixel, whatever device pixel ratio the image carries.
    QImage pixels = source.convertToFormat(QImage::Format_ARGB32);
    pixels.setDevicePixelRatio(1.0);
    QPainter p(&grey);
    p.drawImage(margin, margin, pixels);
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
