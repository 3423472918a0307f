#include "zbar_decode.h"

#include <QPainter>

#include <zbar.h>

// zbar.h puts its C API into namespace zbar when compiled as C++.
using namespace zbar;

namespace Kelbrix::Test {

QList<DecodedSymbol> decodeSymbols(const QImage &source)
{
    if (source.isNull())
        return {};
    const int margin = qMax(40, source.width() / 10);
    QImage grey(source.width() + 2 * margin, source.height() + 2 * margin, QImage::Format_Grayscale8);
    grey.fill(Qt::white);
    {
        QPainter p(&grey);
        // Pixel for pixel, whatever device pixel ratio the image carries.
        QImage pixels = source.convertToFormat(QImage::Format_ARGB32);
        pixels.setDevicePixelRatio(1.0);
        p.drawImage(margin, margin, pixels);
    }
    // zbar wants the rows packed without padding.
    QByteArray pixels;
    pixels.reserve(grey.width() * grey.height());
    for (int y = 0; y < grey.height(); ++y)
        pixels.append(reinterpret_cast<const char *>(grey.constScanLine(y)), grey.width());

    zbar_image_scanner_t *scanner = zbar_image_scanner_create();
    zbar_image_scanner_set_config(scanner, ZBAR_NONE, ZBAR_CFG_ENABLE, 1);
    zbar_image_scanner_set_config(scanner, ZBAR_UPCA, ZBAR_CFG_ENABLE, 1);
    zbar_image_scanner_set_config(scanner, ZBAR_UPCE, ZBAR_CFG_ENABLE, 1);
    zbar_image_scanner_set_config(scanner, ZBAR_EAN2, ZBAR_CFG_ENABLE, 1);
    zbar_image_scanner_set_config(scanner, ZBAR_EAN5, ZBAR_CFG_ENABLE, 1);
    zbar_image_scanner_set_config(scanner, ZBAR_CODE39, ZBAR_CFG_ENABLE, 1);
    zbar_image_scanner_set_config(scanner, ZBAR_I25, ZBAR_CFG_ENABLE, 1);

    zbar_image_t *image = zbar_image_create();
    zbar_image_set_format(image, zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(image, unsigned(grey.width()), unsigned(grey.height()));
    zbar_image_set_data(image, pixels.constData(), size_t(pixels.size()), nullptr);

    QList<DecodedSymbol> result;
    if (zbar_scan_image(scanner, image) > 0) {
        for (const zbar_symbol_t *s = zbar_image_first_symbol(image); s; s = zbar_symbol_next(s)) {
            result.append({QString::fromLatin1(zbar_get_symbol_name(zbar_symbol_get_type(s))),
                           QString::fromLatin1(zbar_symbol_get_data(s))});
        }
    }
    zbar_image_destroy(image);
    zbar_image_scanner_destroy(scanner);
    return result;
}

QString decodedText(const QImage &image)
{
    QStringList parts;
    for (const DecodedSymbol &s : decodeSymbols(image))
        parts.append(s.data);
    return parts.join(QLatin1Char('|'));
}

} // namespace Kelbrix::Test
