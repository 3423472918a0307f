#include "export/tiff_step_commands.h"

#include "export/tiff_parameters.h"

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

QString whole(double value)
{
    return QString::number(qint64(value));
}

// The value of the format key that writes a TIFF with \a compression.
QString compressionDigit(TiffCompression compression)
{
    switch (compression) {
    case TiffCompression::None:
        return u"0"_s;
    case TiffCompression::Huffman:
        return u"2"_s;
    case TiffCompression::Group3:
        return u"4"_s;
    case TiffCompression::Group4:
        return u"5"_s;
    }
    return u"0"_s;
}

} // namespace

QString tiffRenderOptions(double rasterWidth, int dpi)
{
    const QString resolution = QString::number(dpi);
    return u",raster="_s + whole(rasterWidth) + u",format=tif,colors=2,mono=1"_s + u",xres="_s + resolution +
           u",yres="_s + resolution + u",log=1"_s;
}

QString enlargeCommand(const QString &target, int percent, int dpi)
{
    const QString scale = QString::number(percent) + u'%';
    const QString resolution = QString::number(dpi);
    return u"source="_s + target + u",dest="_s + target + u",rescalex="_s + scale + u",rescaley="_s + scale +
           u",xres="_s + resolution + u",yres="_s + resolution + u",log=1"_s;
}

QString rescaleWidthCommand(const QString &target, qint32 pixels)
{
    return u"source="_s + target + u",dest="_s + target + u",rescalex="_s + QString::number(pixels) + u"pix"_s +
           u",log=1"_s;
}

QString rescaleHeightCommand(const QString &target, qint32 pixels)
{
    return u"source="_s + target + u",dest="_s + target + u",rescaley="_s + QString::number(pixels) + u"pix"_s +
           u",log=1"_s;
}

QString transformCommand(const QString &target, const TiffParameters &parameters)
{
    QString tail;
    if (parameters.invert)
        tail += u",inv="_s + u"1"_s;
    if (parameters.mirror == TiffMirror::Horizontal)
        tail += u",mirror="_s + u"1"_s;
    else if (parameters.mirror == TiffMirror::Vertical)
        tail += u",mirror="_s + u"2"_s;
    if (parameters.rotation == TiffRotation::Rotate90)
        tail += u",rot="_s + u"90"_s;
    else if (parameters.rotation == TiffRotation::Rotate180)
        tail += u",rot="_s + u"180"_s;
    else if (parameters.rotation == TiffRotation::Rotate270)
        tail += u",rot="_s + u"270"_s;
    if (tail.isEmpty())
        return {};
    return u"source="_s + target + u",dest="_s + target + tail + u",log=1"_s;
}

QString saveTiffCommand(const QString &source, const QString &dest, TiffCompression compression)
{
    return u"source="_s + source + u",dest="_s + dest + u",format="_s + compressionDigit(compression) + u",log=1"_s;
}

QString saveClipboardTiffCommand(const QString &dest, int dpi, TiffCompression compression)
{
    const QString resolution = QString::number(dpi);
    return u"source="_s + kClipboardTarget.toString() + u",dest="_s + dest + u",xres="_s + resolution + u",yres="_s +
           resolution + u",format="_s + compressionDigit(compression) + u",log=1"_s;
}

QString saveBitmapCommand(const QString &source, const QString &dest)
{
    return u"source="_s + source + u",dest="_s + dest + u",format=bmp"_s + u",log=1"_s;
}

QString twoColoursFromClipboardCommand(const QString &dest, int dpi)
{
    const QString resolution = QString::number(dpi);
    return u"source=clipboard,dest="_s + dest + u",yres="_s + resolution + u",xres="_s + resolution +
           u",colors=2,log=1"_s;
}

} // namespace Kelbrix
