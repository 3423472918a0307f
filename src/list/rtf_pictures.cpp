// Pictures of rich-text files: PNG and JPEG streams, device-independent bitmaps, and Windows
// metafiles whose only content is such a bitmap (what word processors write for a pasted
// bitmap).
#include "list/rtf_pictures.h"

#include "list/image_list_document.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// Out of line: inlined into a caller, the compiler cannot see that every caller checked the
// size first and warns about the empty array's one byte.
[[gnu::noinline]] quint16 u16At(const QByteArray &data, qsizetype at)
{
    return qFromLittleEndian<quint16>(data.constData() + at);
}

[[gnu::noinline]] quint32 u32At(const QByteArray &data, qsizetype at)
{
    return qFromLittleEndian<quint32>(data.constData() + at);
}

QString checkSize(qint64 width, qint64 height)
{
    using namespace ImageListLimits;
    if (width <= 0 || height <= 0)
        return u"a picture has no size"_s;
    if (width > MaxPictureSide || height > MaxPictureSide || width * height > MaxPicturePixels)
        return u"a picture of "_s + QString::number(width) + u" x "_s + QString::number(height) +
               u" pixels is larger than this program takes ("_s + QString::number(MaxPictureSide) +
               u" pixels a side, "_s + QString::number(MaxPicturePixels) + u" pixels in all)"_s;
    return {};
}

RtfPicture failed(const QString &error)
{
    RtfPicture picture;
    picture.error = error;
    return picture;
}

RtfPicture readImage(const QByteArray &data, const char *format, qint64 bytesLeft)
{
    QByteArray bytes = data;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (!size.isValid())
        return failed(u"a picture could not be read: "_s + reader.errorString());
    if (const QString error = checkSize(size.width(), size.height()); !error.isEmpty())
        return failed(error);
    // The pictures of one document share a memory budget; the format the reader will decode into
    // tells what this one takes before it is decoded.
    const QImage::Format decodedFormat = reader.imageFormat();
    const int depth =
        decodedFormat == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(decodedFormat).bitsPerPixel();
    const QString tooMuch = u"the pictures take more than "_s +
                            QString::number(ImageListLimits::MaxDecodedBytes >> 20) + u" MB of memory in all"_s;
    if (decodedPictureBytes(size.width(), size.height(), depth) > bytesLeft)
        return failed(tooMuch);
    RtfPicture picture;
    picture.image = reader.read();
    if (picture.image.isNull())
        return failed(u"a picture could not be read: "_s + reader.errorString());
    if (decodedPictureBytes(picture.image.width(), picture.image.height(), picture.image.depth()) > bytesLeft)
        return failed(tooMuch);
    return picture;
}

// A device-independent bitmap is a BMP file without its 14-byte file header; the header is
// put back in front so that the BMP reader takes it, after checking that the sizes the bitmap
// declares fit the data.
RtfPicture readDib(const QByteArray &dib, qint64 bytesLeft)
{
    if (dib.size() < 12)
        return failed(u"a bitmap picture is truncated"_s);
    const quint32 headerSize = u32At(dib, 0);
    qint64 width = 0;
    qint64 height = 0;
    int bitCount = 0;
    quint32 compression = 0;
    qint64 paletteBytes = 0;
    qint64 maskBytes = 0;
    if (headerSize == 12) {
        width = u16At(dib, 4);
        height = u16At(dib, 6);
        bitCount = u16At(dib, 10);
        paletteBytes = bitCount <= 8 ? (qint64(1) << bitCount) * 3 : 0;
    } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 || headerSize == 124) {
        if (dib.size() < 40)
            return failed(u"a bitmap picture is truncated"_s);
        width = qint32(u32At(dib, 4));
        height = qint32(u32At(dib, 8));
        bitCount = u16At(dib, 14);
        compression = u32At(dib, 16);
        const quint32 coloursUsed = u32At(dib, 32);
        if (bitCount <= 8 && coloursUsed > (1u << bitCount))
            return failed(u"a bitmap picture declares more colours than it can use"_s);
        paletteBytes = qint64(coloursUsed != 0 ? coloursUsed : bitCount <= 8 ? (1u << bitCount) : 0) * 4;
        if (headerSize == 40 && (compression == 3 || compression == 6))
            maskBytes = compression == 3 ? 12 : 16;
    } else {
        return failed(u"a bitmap picture has a header this program does not know"_s);
    }
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return failed(u"a bitmap picture has "_s + QString::number(bitCount) + u" bits a pixel"_s);
    // A negative height is a bitmap stored top row first.
    if (const QString error = checkSize(width, height < 0 ? -height : height); !error.isEmpty())
        return failed(error);
    const qint64 offset = qint64(headerSize) + maskBytes + paletteBytes;
    qint64 needed = offset;
    if (compression == 0 || compression == 3 || compression == 6)
        needed += ((width * bitCount + 31) / 32) * 4 * (height < 0 ? -height : height);
    if (needed > dib.size())
        return failed(u"a bitmap picture is truncated"_s);

    QByteArray file = "BM";
    file.resize(14);
    qToLittleEndian<quint32>(quint32(14 + dib.size()), file.data() + 2);
    qToLittleEndian<quint32>(0, file.data() + 6);
    qToLittleEndian<quint32>(quint32(14 + offset), file.data() + 10);
    file += dib;
    return readImage(file, "BMP", bytesLeft);
}

// A Windows metafile: an optional 22-byte placeable header, an 18-byte header, then records
// of (size in 16-bit words, function, parameters). The first record that draws a bitmap
// gives the picture.
RtfPicture readMetafile(const QByteArray &data, qint64 bytesLeft)
{
    qsizetype at = 0;
    if (data.size() >= 4 && u32At(data, 0) == 0x9AC6CDD7u)
        at = 22;
    if (data.size() < at + 18)
        return failed(u"a metafile picture is truncated"_s);
    at += 18;
    while (at + 6 <= data.size()) {
        const quint32 words = u32At(data, at);
        const quint16 function = u16At(data, at + 4);
        if (function == 0)
            break;
        if (words < 3)
            return failed(u"a metafile picture has a malformed record"_s);
        const qint64 bytes = qint64(words) * 2;
        if (at + bytes > data.size())
            return failed(u"a metafile picture is truncated"_s);
        // Parameters before the bitmap: StretchDIB 22 bytes; DIBStretchBlt 20 and DIBBitBlt
        // 16 when they carry a bitmap (2 more, and no bitmap, when they do not).
        qint64 parameters = -1;
        if (function == 0x0F43)
            parameters = 22;
        else if (function == 0x0B41 && bytes > 6 + 22)
            parameters = 20;
        else if (function == 0x0940 && bytes > 6 + 18)
            parameters = 16;
        if (parameters >= 0) {
            if (bytes <= 6 + parameters)
                return failed(u"a metafile picture has a malformed record"_s);
            return readDib(data.mid(at + 6 + parameters, bytes - 6 - parameters), bytesLeft);
        }
        at += bytes;
    }
    RtfPicture picture;
    picture.error = u"a metafile picture holds no bitmap"_s;
    picture.skipped = true;
    return picture;
}

} // namespace

RtfPicture decodeRtfPicture(RtfPictureKind kind, const QByteArray &data, qint64 bytesLeft)
{
    if (data.size() > ImageListLimits::MaxPictureBytes)
        return failed(u"a picture holds more than "_s + QString::number(ImageListLimits::MaxPictureBytes) +
                      u" bytes"_s);
    switch (kind) {
    case RtfPictureKind::Png:
        return readImage(data, "PNG", bytesLeft);
    case RtfPictureKind::Jpeg:
        return readImage(data, "JPEG", bytesLeft);
    case RtfPictureKind::Dib:
        return readDib(data, bytesLeft);
    case RtfPictureKind::Wmf:
        return readMetafile(data, bytesLeft);
    case RtfPictureKind::Unsupported:
        break;
    }
    RtfPicture picture;
    picture.error = u"a picture is of a kind this program does not show"_s;
    picture.skipped = true;
    return picture;
}

} // namespace Kelbrix
