#include "list/image_list_document.h"

#include "base/runtime_errors.h"
#include "base/units.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

ImageListPart ImageListPart::textPart(const QString &text)
{
    ImageListPart part;
    part.text = text;
    return part;
}

ImageListPart ImageListPart::picturePart(const QImage &image, double widthTwips, double heightTwips)
{
    ImageListPart part;
    part.kind = Kind::Picture;
    part.image = image;
    part.widthTwips = widthTwips;
    part.heightTwips = heightTwips;
    return part;
}

void ImageListDocument::appendText(const QString &text)
{
    if (text.isEmpty())
        return;
    if (!m_parts.isEmpty() && !m_parts.last().isPicture())
        m_parts.last().text += text;
    else
        m_parts.append(ImageListPart::textPart(text));
}

void ImageListDocument::appendPicture(const QImage &image, double widthTwips, double heightTwips)
{
    m_parts.append(ImageListPart::picturePart(image, widthTwips, heightTwips));
}

QList<ImageListPart> ImageListDocument::pictures() const
{
    QList<ImageListPart> result;
    for (const ImageListPart &part : m_parts) {
        if (part.isPicture())
            result.append(part);
    }
    return result;
}

QString ImageListDocument::text() const
{
    QString result;
    for (const ImageListPart &part : m_parts) {
        if (!part.isPicture())
            result += part.text;
    }
    return result;
}

namespace {

void appendNumber(QByteArray &out, const char *word, qint64 value)
{
    out += word;
    out += QByteArray::number(value);
}

void writeText(QByteArray &out, const QString &text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\n') {
            out += "\\par\n";
        } else if (u == u'\t') {
            out += "\\tab ";
        } else if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += char(u);
        } else if (u >= 0x20 && u < 0x7f) {
            out += char(u);
        } else if (u < 0x20 || u == 0x7f) {
            // Other control characters survive as code page bytes.
            out += "\\'";
            out += QByteArray::number(u, 16).rightJustified(2, '0');
        } else {
            // \u takes a signed 16-bit number; the "?" is what readers without Unicode show.
            appendNumber(out, "\\u", qint16(u));
            out += '?';
        }
    }
}

// False when the picture cannot be stored as PNG (a null image, say); nothing is written then.
bool writePicture(QByteArray &out, const ImageListPart &picture)
{
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.image.save(&buffer, "PNG"))
        return false;
    out += "{\\pict\\pngblip";
    appendNumber(out, "\\picw", picture.image.width());
    appendNumber(out, "\\pich", picture.image.height());
    appendNumber(out, "\\picwgoal", roundToInt(picture.widthTwips));
    appendNumber(out, "\\pichgoal", roundToInt(picture.heightTwips));
    out += '\n';
    const QByteArray hex = png.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128) {
        out += hex.mid(i, 128);
        out += '\n';
    }
    out += "}";
    return true;
}

} // namespace

QByteArray writeRtf(const ImageListDocument &document)
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fswiss Arial;}}\n"
                     "\\pard\\plain\\f0\\fs20 ";
    for (const ImageListPart &part : document.parts()) {
        if (part.isPicture()) {
            if (!writePicture(out, part))
                return {};
        } else {
            writeText(out, part.text);
        }
    }
    out += "\n}\n";
    return out;
}

qint64 decodedPictureBytes(qint64 width, qint64 height, int depth)
{
    const qint64 bits = depth > 8 ? std::max(depth, 32) : std::max(depth, 1);
    return (width * bits + 31) / 32 * 4 * height;
}

QString refusedPicture(const QImage &picture, double widthTwips, double heightTwips, qsizetype pictures,
                       qint64 decodedBytes)
{
    using namespace ImageListLimits;
    // The writer stores whole twips; the reader takes 1 to MaxPictureTwips.
    const auto takes = [](double twips) { return std::isfinite(twips) && twips >= 0.5 && twips <= MaxPictureTwips; };
    if (!takes(widthTwips) || !takes(heightTwips))
        return u"The picture has a size this program does not take (more than "_s +
               QString::number(MaxPictureTwips / 1440 / 40) + u" metres a side, or none); it was not added."_s;
    if (pictures >= MaxPictures)
        return u"The Barcode Image List holds "_s + QString::number(MaxPictures) +
               u" pictures, as many as it takes; the picture was not added."_s;
    if (decodedBytes + decodedPictureBytes(picture.width(), picture.height(), picture.depth()) > MaxDecodedBytes)
        return u"The pictures of the Barcode Image List would take more than "_s +
               QString::number(MaxDecodedBytes >> 20) + u" MB of memory; the picture was not added."_s;
    return {};
}

QImage pictureWithinLimits(const QImage &picture)
{
    using namespace ImageListLimits;
    const qint64 width = picture.width();
    const qint64 height = picture.height();
    if (width <= MaxPictureSide && height <= MaxPictureSide && width * height <= MaxPicturePixels)
        return picture;
    double scale = std::min(double(MaxPictureSide) / width, double(MaxPictureSide) / height);
    scale = std::min(scale, std::sqrt(double(MaxPicturePixels) / double(width * height)));
    const QSize size(std::max(1, int(width * scale)), std::max(1, int(height * scale)));
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

SaveResult saveRtfFile(const QString &path, const ImageListDocument &document)
{
    const QByteArray bytes = writeRtf(document);
    if (bytes.isEmpty())
        return {false, RuntimeError::DeviceIoError, saveFailureMessage(path, u"a picture could not be stored"_s)};
    return saveFileSafely(path, [&bytes](QIODevice &device) { return device.write(bytes) == bytes.size(); });
}

RtfReadResult readRtfFile(const QString &path)
{
    const QString name = QDir::toNativeSeparators(path);
    RtfReadResult result;
    // Opening a FIFO waits for a writer and a device never ends: only regular files are read.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        result.message = u"The Barcode Image List "_s + name + u" could not be opened: it is no regular file."_s;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.message =
            u"The Barcode Image List "_s + name + u" could not be opened: "_s + file.errorString() + u"."_s;
        return result;
    }
    if (file.size() > ImageListLimits::MaxFileSize) {
        result.message = u"The Barcode Image List "_s + name + u" is larger than "_s +
                         QString::number(ImageListLimits::MaxFileSize / (1024 * 1024)) + u" MB and was not loaded."_s;
        return result;
    }
    const QByteArray bytes = file.read(ImageListLimits::MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        result.message = u"The Barcode Image List "_s + name + u" could not be read: "_s + file.errorString() + u"."_s;
        return result;
    }
    result = readRtf(bytes);
    if (!result.ok())
        result.message = name + u": "_s + result.message;
    return result;
}

} // namespace Kelbrix
