#include "export/converter_io.h"

#include "base/units.h"
#include "base/safe_save.h"
#include "export/converter_result.h"
#include "export/tiff_io.h"
#include "export/tiff_write_queue.h"
#include "render/program_clipboard.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QMimeData>

#include <algorithm>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

constexpr char kTiffMimeType[] = "image/tiff";

// The picture the converter last put on the private clipboard, kept as it is: the next command
// takes it from here instead of decoding the clipboard's TIFF. The desktop clipboard always
// goes through its bytes, as another program may change it at any time.
struct HeldPicture {
    bool held = false;
    quint64 generation = 0;
    ConverterImage picture;
};
HeldPicture g_held;

// What reading the clipboard would give for \a picture put there as \a type with
// \a compression: the TIFF's compression, and the resolution the image itself carries.
ConverterImage asReadBack(const ConverterImage &picture, OutputType type, TiffCompression compression)
{
    ConverterImage readBack = picture;
    if (type == OutputType::Tiff) {
        // A TIFF carries the resolution as a float, and only both of them.
        readBack.compression = compression;
        const bool both = picture.xDpi > 0 && picture.yDpi > 0;
        readBack.xDpi = both ? usableDpi(double(float(picture.xDpi))) : 0;
        readBack.yDpi = both ? usableDpi(double(float(picture.yDpi))) : 0;
    } else {
        readBack.compression.reset();
        readBack.xDpi = usableDpi(dotsPerInchOf(picture.image.dotsPerMeterX()));
        readBack.yDpi = usableDpi(dotsPerInchOf(picture.image.dotsPerMeterY()));
    }
    return readBack;
}

SourceContent sourceFailure(int result, const QString &problem)
{
    SourceContent content;
    content.result = result;
    content.problem = problem;
    return content;
}

QString shown(const QString &path)
{
    return u"\"%1\""_s.arg(QDir::toNativeSeparators(path));
}

// The resolution of a picture Qt read, from its dots per metre; one out of range counts as
// absent, and \a note says so.
double dpiOf(int dotsPerMeter, const QString &axis, QString *note)
{
    const double dpi = usableDpi(dotsPerInchOf(dotsPerMeter));
    if (dpi == 0 && dotsPerMeter != 0 && note) {
        if (!note->isEmpty())
            *note += u"; "_s;
        *note += u"the source's "_s + axis + u" resolution of "_s + QString::number(dotsPerMeter) +
                 u" dots per metre is out of range and was ignored"_s;
    }
    return dpi;
}

quint32 littleEndian32(const QByteArray &bytes, qsizetype at)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | quint8(bytes.at(at + i));
    return value;
}

// Checks a BMP's header against the file's size: Qt decodes a BMP whose pixels are cut short
// or lie past the end into a picture of uninitialised memory and calls it a success.
bool bmpPixelsPresent(QIODevice &device)
{
    const QByteArray head = device.peek(54);
    if (head.size() < 26)
        return false;
    const qint64 size = device.size();
    const qint64 offset = littleEndian32(head, 10);
    const quint32 headerSize = littleEndian32(head, 14);
    if (offset >= size || offset < 14 + qint64(headerSize))
        return false;
    qint64 width = 0, height = 0;
    int bits = 0;
    quint32 compression = 0;
    if (headerSize == 12) { // the old OS/2 header: 16-bit sizes, no compression
        width = quint16(littleEndian32(head, 18) & 0xffff);
        height = quint16(littleEndian32(head, 20) & 0xffff);
        bits = int(littleEndian32(head, 24) & 0xffff);
    } else {
        if (head.size() < 34)
            return false;
        width = qint32(littleEndian32(head, 18));
        height = std::abs(qint64(qint32(littleEndian32(head, 22))));
        bits = int(littleEndian32(head, 28) & 0xffff);
        compression = littleEndian32(head, 30);
    }
    // Compressed pixels (run lengths, embedded JPEG or PNG) have no size to check beforehand;
    // they must at least start inside the file.
    if (compression != 0 && compression != 3 && compression != 6)
        return true;
    if (width <= 0 || height <= 0 || bits <= 0 || bits > 32)
        return false;
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    return height <= (size - offset) / rowBytes;
}

// Reads BMP and PNG with Qt; everything else Qt might know is refused, as the converter only
// promises those.
SourceContent readWithQt(QIODevice &device, const QString &name)
{
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format().toLower();
    if (format != "bmp" && format != "png")
        return sourceFailure(ConverterResult::UnsupportedImageFormat, u"%1 is no TIFF, BMP or PNG image"_s.arg(name));
    if (format == "bmp" && !bmpPixelsPresent(device))
        return sourceFailure(ConverterResult::UnsupportedImageFormat,
                             u"%1 is no complete BMP image: its pixels lie past its end"_s.arg(name));
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return sourceFailure(ConverterResult::ReadError, u"%1 has no readable image size"_s.arg(name));
    if (checkImageSize(size.width(), size.height()) != ConverterResult::Success)
        return sourceFailure(ConverterResult::ImageTooLarge, u"%1 is too large"_s.arg(name));
    // Qt refuses to decode beyond its allocation limit; say "too large" rather than "damaged".
    // The decoded picture and its one-bit form are held at once.
    const QImage::Format decoded = reader.imageFormat();
    const int depth = decoded == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(decoded).bitsPerPixel();
    const qint64 bytes = imageBytes(size.width(), size.height(), std::max(depth, 1));
    const qint64 limit = qint64(QImageReader::allocationLimit()) << 20;
    if ((limit > 0 && bytes > limit) ||
        checkMemory(bytes + imageBytes(size.width(), size.height(), 1)) != ConverterResult::Success)
        return sourceFailure(ConverterResult::ImageTooLarge, u"%1 is too large to decode"_s.arg(name));

    SourceContent content;
    if (!reader.read(&content.picture.image)) {
        const int result = reader.error() == QImageReader::UnsupportedFormatError
                               ? ConverterResult::UnsupportedImageFormat
                               : ConverterResult::ReadError;
        return sourceFailure(result, u"%1: %2"_s.arg(name, reader.errorString()));
    }
    content.picture.xDpi = dpiOf(content.picture.image.dotsPerMeterX(), u"horizontal"_s, &content.note);
    content.picture.yDpi = dpiOf(content.picture.image.dotsPerMeterY(), u"vertical"_s, &content.note);
    return content;
}

SourceContent readImageDevice(QIODevice &device, const QString &name)
{
    const QByteArray head = device.peek(8);
    if (looksLikeTiff(head)) {
        TiffReadResult tiff = readTiff(device, name);
        SourceContent content;
        content.result = tiff.result;
        content.picture = std::move(tiff.picture);
        content.problem = tiff.problem;
        content.note = tiff.note;
        return content;
    }
    return readWithQt(device, name);
}

} // namespace

bool flushedToDisk(QIODevice &device, QString *problem)
{
    // QSaveFile::commit does not notice a failure of its last buffer flush (Qt 6.4), so the
    // buffer is flushed here, where a failure can still cancel the save.
    auto *file = qobject_cast<QFileDevice *>(&device);
    if (!file || (file->flush() && file->error() == QFileDevice::NoError))
        return true;
    if (problem)
        *problem = file->errorString();
    return false;
}

SourceContent readImageBytes(const QByteArray &bytes, const QString &name)
{
    if (bytes.isEmpty())
        return sourceFailure(ConverterResult::UnsupportedImageFormat, name + u" is empty"_s);
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return readImageDevice(buffer, name);
}

SourceContent readImageFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return sourceFailure(ConverterResult::FileNotFound, u"%1 does not exist"_s.arg(shown(path)));
    // Opening a FIFO waits for a writer, and a device never ends: only regular files are read.
    if (!info.isFile())
        return sourceFailure(ConverterResult::ReadError,
                             u"%1 cannot be opened: it is no regular file"_s.arg(shown(path)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return sourceFailure(ConverterResult::ReadError,
                             u"%1 cannot be opened: %2"_s.arg(shown(path), file.errorString()));
    if (file.size() == 0)
        return sourceFailure(ConverterResult::UnsupportedImageFormat, u"%1 is empty"_s.arg(shown(path)));
    return readImageDevice(file, shown(path));
}

namespace {

// The picture size a symbol was copied for; invalid when the bytes do not hold a size the
// converter could make.
QSize shownSize(const QByteArray &bytes)
{
    QDataStream in(bytes);
    qint32 width = 0, height = 0;
    in >> width >> height;
    if (in.status() != QDataStream::Ok || !in.atEnd() || checkImageSize(width, height) != ConverterResult::Success)
        return {};
    return QSize(width, height);
}

} // namespace

SourceContent readClipboard()
{
    // A run without a window (the command line) uses the private clipboard; without a GUI
    // application and without that, there is no clipboard.
    if (g_held.held && ProgramClipboard::isPrivate() && g_held.generation == ProgramClipboard::generation()) {
        SourceContent content;
        content.picture = g_held.picture;
        return content;
    }
    const QMimeData *data = ProgramClipboard::data();
    if (!data)
        return sourceFailure(ConverterResult::NoClipboardImage, u"there is no clipboard"_s);

    SourceContent content;
    if (data->hasFormat(QLatin1StringView(kSymbolMimeType)))
        content.symbol = SymbolGeometry::fromBytes(data->data(QLatin1StringView(kSymbolMimeType)));
    if (content.symbol && data->hasFormat(QLatin1StringView(kSymbolSizeMimeType)))
        content.shown = shownSize(data->data(QLatin1StringView(kSymbolSizeMimeType)));
    if (data->hasFormat(QLatin1StringView(kTiffMimeType))) {
        SourceContent tiff = readImageBytes(data->data(QLatin1StringView(kTiffMimeType)), u"the clipboard TIFF"_s);
        if (tiff.result != ConverterResult::Success)
            return tiff;
        content.picture = std::move(tiff.picture);
        content.note = tiff.note;
    } else if (data->hasImage()) {
        content.picture.image = qvariant_cast<QImage>(data->imageData());
        content.picture.xDpi = dpiOf(content.picture.image.dotsPerMeterX(), u"horizontal"_s, &content.note);
        content.picture.yDpi = dpiOf(content.picture.image.dotsPerMeterY(), u"vertical"_s, &content.note);
        if (!content.picture.image.isNull() &&
            checkImageSize(content.picture.image.width(), content.picture.image.height()) != ConverterResult::Success)
            return sourceFailure(ConverterResult::ImageTooLarge, u"the clipboard image is too large"_s);
    }
    if (content.picture.image.isNull() && !content.symbol)
        return sourceFailure(ConverterResult::NoClipboardImage, u"the clipboard holds no image"_s);
    return content;
}

int writeImageFile(const QString &path, const ConverterImage &picture, OutputType type, TiffCompression compression,
                   QString *problem)
{
    // A batch that installed a writer hands its TIFF files over and goes on with the next picture.
    if (TiffWriteQueue *queue = TiffWriteQueue::installed(); queue && type == OutputType::Tiff)
        return queue->add(path, picture, compression, problem);
    QString writeProblem;
    const SaveResult saved = saveFileSafely(path, [&](QIODevice &device) {
        bool written = false;
        if (type == OutputType::Bmp) {
            QImageWriter writer(&device, "bmp");
            written = writer.write(picture.image);
            if (!written)
                writeProblem = writer.errorString();
        } else {
            written = writeTiff(device, picture, compression, &writeProblem);
        }
        return written && flushedToDisk(device, &writeProblem);
    });
    if (saved.ok)
        return ConverterResult::Success;
    if (problem)
        *problem = writeProblem.isEmpty() ? saved.message : saved.message + u" ("_s + writeProblem + u")"_s;
    return ConverterResult::WriteError;
}

int writeClipboard(const ConverterImage &picture, OutputType type, TiffCompression compression, QString *problem)
{
    if (!ProgramClipboard::available()) {
        if (problem)
            *problem = u"there is no clipboard"_s;
        return ConverterResult::WriteError;
    }
    auto data = std::make_unique<QMimeData>();
    if (ProgramClipboard::isPrivate()) {
        // Only the converter reads the private clipboard: the picture is held as it is.
        ProgramClipboard::setData(data.release());
        g_held = {true, ProgramClipboard::generation(), asReadBack(picture, type, compression)};
        return ConverterResult::Success;
    }
    data->setImageData(picture.image);
    if (type == OutputType::Tiff) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!writeTiff(buffer, picture, compression, problem))
            return ConverterResult::WriteError;
        buffer.close();
        data->setData(QLatin1StringView(kTiffMimeType), bytes);
    }
    ProgramClipboard::setData(data.release());
    return ConverterResult::Success;
}

} // namespace Kelbrix
