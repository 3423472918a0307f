#include "export_test_support.h"

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>

#include <tiffio.h>
#include <zint.h>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix::Test {

SymbolGeometry zintGeometry(int zintSymbology, const QByteArray &data)
{
    SymbolGeometry geometry;
    zint_symbol *symbol = ZBarcode_Create();
    symbol->symbology = zintSymbology;
    if (ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char *>(data.constData()), int(data.size())) >= 5 ||
        ZBarcode_Buffer_Vector(symbol, 0) >= 5) {
        qWarning("zint refused %s: %s", data.constData(), symbol->errtxt);
        ZBarcode_Delete(symbol);
        return geometry;
    }
    // In libzint 2.11 vector output, one module is two units at scale 1.
    const double unit = 2.0 * symbol->scale;
    geometry.width = symbol->vector->width / unit;
    geometry.height = symbol->vector->height / unit;
    for (const zint_vector_rect *r = symbol->vector->rectangles; r; r = r->next) {
        if (r->colour == -1)
            geometry.bars.append({r->x / unit, r->y / unit, r->width / unit, r->height / unit});
    }
    for (const zint_vector_string *s = symbol->vector->strings; s; s = s->next) {
        geometry.texts.append({s->x / unit, s->y / unit, s->fsize / unit, s->halign,
                               QString::fromUtf8(reinterpret_cast<const char *>(s->text))});
    }
    geometry.fontFamily = u"DejaVu Sans"_s;
    ZBarcode_Delete(symbol);
    return geometry;
}

SymbolGeometry ean13Geometry()
{
    return zintGeometry(BARCODE_EANX, "501234567890");
}

void putSymbolOnClipboard(const SymbolGeometry &symbol, QSize imageSize, bool withSvg)
{
    auto *data = new QMimeData;
    data->setData(QLatin1StringView(kSymbolMimeType), symbol.toBytes());
    if (!imageSize.isEmpty()) {
        QImage image(imageSize, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        paintSymbol(painter, symbol, QRectF(QPointF(0, 0), imageSize), false);
        painter.end();
        data->setImageData(image);
    }
    if (withSvg)
        data->setData(u"image/svg+xml"_s, "<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
    QGuiApplication::clipboard()->setMimeData(data);
}

void putImageOnClipboard(const QImage &image)
{
    auto *data = new QMimeData;
    data->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(data);
}

TiffFile readTiffFile(const QString &path, bool decode)
{
    TiffFile file;
    TIFF *tiff = TIFFOpen(QFile::encodeName(path).constData(), "r");
    if (!tiff) {
        file.error = u"libtiff cannot open "_s + path;
        return file;
    }
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &file.width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &file.height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &file.bitsPerSample);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &file.samplesPerPixel);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &file.photometric);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &file.compression);
    TIFFGetField(tiff, TIFFTAG_RESOLUTIONUNIT, &file.resolutionUnit);
    TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &file.xResolution);
    TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &file.yResolution);
    if (!decode) {
        file.ok = true;
        TIFFClose(tiff);
        return file;
    }
    QImage rgba(int(file.width), int(file.height), QImage::Format_RGBA8888);
    if (!rgba.isNull() &&
        TIFFReadRGBAImageOriented(tiff, file.width, file.height, reinterpret_cast<uint32_t *>(rgba.bits()),
                                  ORIENTATION_TOPLEFT, 0)) {
        file.image = rgba.convertToFormat(QImage::Format_RGB32);
        file.ok = true;
    } else {
        file.error = u"libtiff cannot decode "_s + path;
    }
    TIFFClose(tiff);
    return file;
}

bool isBlack(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

QList<int> runsOfRow(const QImage &image, int y)
{
    int first = 0;
    while (first < image.width() && !isBlack(image, first, y))
        ++first;
    int last = image.width() - 1;
    while (last >= first && !isBlack(image, last, y))
        --last;
    QList<int> runs;
    for (int x = first; x <= last;) {
        const bool black = isBlack(image, x, y);
        int end = x;
        while (end <= last && isBlack(image, end, y) == black)
            ++end;
        runs.append(end - x);
        x = end;
    }
    return runs;
}

qint64 blackPixels(const QImage &image)
{
    qint64 count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += isBlack(image, x, y) ? 1 : 0;
    }
    return count;
}

} // namespace Kelbrix::Test
