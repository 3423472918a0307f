#include "export/converter_io.h"

#include "base/units.h"
#include "base/safe_save.h"
#include "export/converter_result.h"
#include "export/tiff_io.h"

#include <QBuffer>
#include <QClipboard>
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

QClipboard *programClipboard()
{
    // A run without a window (the command line) may have no GUI application, and then no clipboard.
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

double dpiOf(int dotsPerMeter)
{
    return dotsPerInchOf(dotsPerMeter);
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
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return sourceFailure(ConverterResult::ReadError, u"%1 has no readable image size"_s.arg(name));
    if (checkImageSize(size.width(), size.height()) != ConverterResult::Success)
        return sourceFailure(ConverterResult::ImageTooLarge, u"%1 is too large"_s.arg(name));
    // Qt refuses to decode beyond its allocation limit; say "too large" rather than "damaged".
    const QImage::Format decoded = reader.imageFormat();
    const int depth = decoded == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(decoded).bitsPerPixel();
    const qint64 bytes = qint64(size.width()) * size.height() * std::max(depth, 1) / 8;
    const qint64 limit = qint64(QImageReader::allocationLimit()) << 20;
    if ((limit > 0 && bytes > limit) || bytes > kMaxDecodedBytes)
        return sourceFailure(ConverterResult::ImageTooLarge, u"%1 is too large to decode"_s.arg(name));

    SourceContent content;
    if (!reader.read(&content.picture.image)) {
        const int result = reader.error() == QImageReader::UnsupportedFormatError
                               ? ConverterResult::UnsupportedImageFormat
                               : ConverterResult::ReadError;
        return sourceFailure(result, u"%1: %2"_s.arg(name, reader.errorString()));
    }
    content.picture.xDpi = dpiOf(content.picture.image.dotsPerMeterX());
    content.picture.yDpi = dpiOf(content.picture.image.dotsPerMeterY());
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

SourceContent readImageFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return sourceFailure(ConverterResult::FileNotFound, u"%1 does not exist"_s.arg(shown(path)));
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        return sourceFailure(ConverterResult::ReadError,
                             u"%1 cannot be opened: %2"_s.arg(shown(path), file.errorString()));
    if (file.size() == 0)
        return sourceFailure(ConverterResult::UnsupportedImageFormat, u"%1 is empty"_s.arg(shown(path)));
    return readImageDevice(file, shown(path));
}

SourceContent readClipboard()
{
    QClipboard *clipboard = programClipboard();
    const QMimeData *data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data)
        return sourceFailure(ConverterResult::NoClipboardImage, u"there is no clipboard"_s);

    SourceContent content;
    if (data->hasFormat(QLatin1StringView(kSymbolMimeType)))
        content.symbol = SymbolGeometry::fromBytes(data->data(QLatin1StringView(kSymbolMimeType)));
    if (data->hasFormat(QLatin1StringView(kTiffMimeType))) {
        QByteArray bytes = data->data(QLatin1StringView(kTiffMimeType));
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        SourceContent tiff = readImageDevice(buffer, u"the clipboard TIFF"_s);
        if (tiff.result != ConverterResult::Success)
            return tiff;
        content.picture = std::move(tiff.picture);
    } else if (data->hasImage()) {
        content.picture.image = qvariant_cast<QImage>(data->imageData());
        content.picture.xDpi = dpiOf(content.picture.image.dotsPerMeterX());
        content.picture.yDpi = dpiOf(content.picture.image.dotsPerMeterY());
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
    QClipboard *clipboard = programClipboard();
    if (!clipboard) {
        if (problem)
            *problem = u"there is no clipboard"_s;
        return ConverterResult::WriteError;
    }
    auto data = std::make_unique<QMimeData>();
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
    clipboard->setMimeData(data.release());
    return ConverterResult::Success;
}

} // namespace Kelbrix
