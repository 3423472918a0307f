#include "export_test_support.h"

#include "render/program_clipboard.h"

#include "render/barcode_renderer.h"

#include <QFile>
#include <QMimeData>
#include <QPainter>

#include <tiffio.h>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix::Test {

SymbolGeometry ean13Geometry()
{
    BarcodeRenderer renderer;
    renderer.setData(u"501234567890"_s);
    return renderer.geometry();
}

void putSymbolOnClipboard(const SymbolGeometry &symbol, QSize imageSize)
{
    auto *data = new QMimeData;
    data->setData(QLatin1StringView(kSymbolMimeType), symbol.toBytes());
    if (!imageSize.isEmpty()) {
        QImage image(imageSize, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        paintSymbol(painter, symbol, QRectF(image.rect()), false);
        painter.end();
        data->setImageData(image);
    }
    ProgramClipboard::setData(data);
}

TiffFile readTiffFile(const QString &path, bool decode)
{
    TiffFile file;
    TIFF *tiff = TIFFOpen(QFile::encodeName(path).constData(), "r");
    if (!tiff)
        return file;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &file.width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &file.height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &file.bitsPerSample);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &file.samplesPerPixel);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &file.photometric);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &file.compression);
    TIFFGetField(tiff, TIFFTAG_RESOLUTIONUNIT, &file.resolutionUnit);
    TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &file.xResolution);
    TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &file.yResolution);
    QImage rgba(decode ? int(file.width) : 0, int(file.height), QImage::Format_RGBA8888);
    file.ok = !decode || (!rgba.isNull() &&
                          TIFFReadRGBAImageOriented(tiff, file.width, file.height,
                                                    reinterpret_cast<uint32_t *>(rgba.bits()), ORIENTATION_TOPLEFT, 0));
    file.image = decode && file.ok ? rgba.convertToFormat(QImage::Format_RGB32) : QImage();
    TIFFClose(tiff);
    return file;
}

bool isBlack(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

QList<DisplayMode> SwitchingDisplay::modes() const
{
    QList<DisplayMode> all;
    for (int bits : {8, 16, 24, 32})
        all.append({now.width, now.height, bits});
    return switches ? all : QList<DisplayMode>{now};
}

int SwitchingDisplay::change(const DisplayMode &mode)
{
    if (!switches)
        return DisplayChange::NotSupported;
    if (!modes().contains(mode))
        return DisplayChange::BadMode;
    now = mode;
    return DisplayChange::Successful;
}

} // namespace Kelbrix::Test
