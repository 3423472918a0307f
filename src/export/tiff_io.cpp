#include "export/tiff_io.h"

#include "base/units.h"
#include "export/converter_result.h"

#include <QFileDevice>
#include <QIODevice>

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// libtiff reports through handlers; these keep its messages for the log instead of printing.
int collectMessage(TIFF *, void *userData, const char *module, const char *format, va_list args)
{
    char buffer[512];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    auto *messages = static_cast<QString *>(userData);
    if (!messages->isEmpty())
        messages->append(u"; "_s);
    if (module)
        messages->append(QString::fromLocal8Bit(module) + u": "_s);
    messages->append(QString::fromLocal8Bit(buffer));
    return 1;
}

int ignoreMessage(TIFF *, void *, const char *, const char *, va_list)
{
    return 1;
}

// What libtiff's I/O callbacks work on. Written files keep their own end and failure flag:
// QFileDevice reports a failed buffer flush only to the call that triggered it (size() then
// answers 0, and a later seek clears the error), so every write is flushed and checked here.
struct TiffStream {
    QIODevice *device = nullptr;
    bool writing = false;
    qint64 end = 0;
    bool failed = false;
};

TiffStream *streamOf(thandle_t handle)
{
    return static_cast<TiffStream *>(handle);
}

tmsize_t readProc(thandle_t handle, void *buffer, tmsize_t size)
{
    return tmsize_t(streamOf(handle)->device->read(static_cast<char *>(buffer), qint64(size)));
}

tmsize_t writeProc(thandle_t handle, void *buffer, tmsize_t size)
{
    TiffStream *stream = streamOf(handle);
    qint64 written = stream->device->write(static_cast<const char *>(buffer), qint64(size));
    if (auto *file = qobject_cast<QFileDevice *>(stream->device); file && written > 0) {
        if (!file->flush() || file->error() != QFileDevice::NoError)
            written = -1;
    }
    if (written != qint64(size)) {
        stream->failed = true;
        return -1;
    }
    stream->end = std::max(stream->end, stream->device->pos());
    return tmsize_t(written);
}

toff_t seekProc(thandle_t handle, toff_t offset, int whence)
{
    TiffStream *stream = streamOf(handle);
    const qint64 size = stream->writing ? stream->end : stream->device->size();
    const qint64 base = whence == SEEK_CUR ? stream->device->pos() : whence == SEEK_END ? size : 0;
    // A backward move relative to the current position arrives as a wrapped unsigned value.
    const qint64 target = base + qint64(offset);
    // A read past the end finds nothing; asking the device would only make it complain.
    if (target < 0 || (!stream->writing && target > size) || !stream->device->seek(target)) {
        stream->failed = stream->writing;
        return toff_t(-1);
    }
    return toff_t(target);
}

int closeProc(thandle_t)
{
    return 0;
}

toff_t sizeProc(thandle_t handle)
{
    TiffStream *stream = streamOf(handle);
    return toff_t(stream->writing ? stream->end : stream->device->size());
}

int mapProc(thandle_t, void **, toff_t *)
{
    return 0;
}

void unmapProc(thandle_t, void *, toff_t)
{
}

struct TiffCloser {
    void operator()(TIFF *tiff) const { TIFFClose(tiff); }
};
using TiffPointer = std::unique_ptr<TIFF, TiffCloser>;

TiffPointer openTiff(TiffStream &stream, const char *mode, QString *messages)
{
    TIFFOpenOptions *options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, collectMessage, messages);
    TIFFOpenOptionsSetWarningHandlerExtR(options, ignoreMessage, nullptr);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, tmsize_t(converterMemoryBudget()));
    TIFF *tiff = TIFFClientOpenExt("kelbrix", mode, &stream, readProc, writeProc, seekProc, closeProc, sizeProc,
                                   mapProc, unmapProc, options);
    TIFFOpenOptionsFree(options);
    return TiffPointer(tiff);
}

uint16_t libtiffCompression(TiffCompression compression)
{
    switch (compression) {
    case TiffCompression::Huffman:
        return COMPRESSION_CCITTRLE;
    case TiffCompression::Group3:
        return COMPRESSION_CCITTFAX3;
    case TiffCompression::Group4:
        return COMPRESSION_CCITTFAX4;
    case TiffCompression::None:
        break;
    }
    return COMPRESSION_NONE;
}

std::optional<TiffCompression> converterCompression(uint16_t compression)
{
    switch (compression) {
    case COMPRESSION_NONE:
        return TiffCompression::None;
    case COMPRESSION_CCITTRLE:
        return TiffCompression::Huffman;
    case COMPRESSION_CCITTFAX3:
        return TiffCompression::Group3;
    case COMPRESSION_CCITTFAX4:
        return TiffCompression::Group4;
    default:
        return std::nullopt;
    }
}

TiffReadResult readFailure(int result, const QString &problem)
{
    TiffReadResult failure;
    failure.result = result;
    failure.problem = problem;
    return failure;
}

// Reads a black-and-white image row by row straight into a one-bit QImage.
int readBilevel(TIFF *tiff, QImage &image, bool minIsBlack)
{
    for (int y = 0; y < image.height(); ++y) {
        if (TIFFReadScanline(tiff, image.scanLine(y), uint32_t(y), 0) < 0)
            return ConverterResult::ReadError;
    }
    if (minIsBlack)
        image.invertPixels();
    return ConverterResult::Success;
}

// Lets libtiff decode any other layout to 8-bit RGBA, then repacks it for Qt.
int readColour(TIFF *tiff, QImage &image)
{
    auto *pixels = reinterpret_cast<uint32_t *>(image.bits());
    if (!TIFFReadRGBAImageOriented(tiff, uint32_t(image.width()), uint32_t(image.height()), pixels, ORIENTATION_TOPLEFT,
                                   0))
        return ConverterResult::ReadError;
    const qsizetype count = qsizetype(image.width()) * image.height();
    for (qsizetype i = 0; i < count; ++i) {
        const uint32_t v = pixels[i];
        pixels[i] = qRgba(int(TIFFGetR(v)), int(TIFFGetG(v)), int(TIFFGetB(v)), int(TIFFGetA(v)));
    }
    return ConverterResult::Success;
}

} // namespace

bool looksLikeTiff(const QByteArray &head)
{
    return head.startsWith("II*\0"_ba) || head.startsWith("MM\0*"_ba) || head.startsWith("II+\0"_ba) ||
           head.startsWith("MM\0+"_ba);
}

TiffReadResult readTiff(QIODevice &device, const QString &name)
{
    QString messages;
    if (!device.seek(0))
        return readFailure(ConverterResult::ReadError, u"%1 cannot be read"_s.arg(name));
    TiffStream stream{&device, false, 0, false};
    TiffPointer tiff = openTiff(stream, "rm", &messages);
    if (!tiff)
        return readFailure(ConverterResult::ReadError,
                           messages.isEmpty() ? name + u" is no readable TIFF"_s : name + u": "_s + messages);

    uint32_t width = 0, height = 0;
    uint16_t bits = 1, samples = 1, photometric = PHOTOMETRIC_MINISWHITE, compression = COMPRESSION_NONE;
    uint16_t unit = RESUNIT_INCH;
    float xres = 0, yres = 0;
    TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetField(tiff.get(), TIFFTAG_PHOTOMETRIC, &photometric);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_COMPRESSION, &compression);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_RESOLUTIONUNIT, &unit);
    TIFFGetField(tiff.get(), TIFFTAG_XRESOLUTION, &xres);
    TIFFGetField(tiff.get(), TIFFTAG_YRESOLUTION, &yres);
    if (width == 0 || height == 0)
        return readFailure(ConverterResult::ReadError, u"%1 has no image size"_s.arg(name));
    if (checkImageSize(width, height) != ConverterResult::Success)
        return readFailure(ConverterResult::ImageTooLarge, name + u" is "_s + QString::number(width) + u" x "_s +
                                                               QString::number(height) + u" pixels"_s);

    // Judged from the header before anything is decoded: the decoded picture and the one-bit
    // picture made from it are held at once.
    const bool bilevel = bits == 1 && samples == 1 && !TIFFIsTiled(tiff.get()) &&
                         (photometric == PHOTOMETRIC_MINISWHITE || photometric == PHOTOMETRIC_MINISBLACK);
    const qint64 decodedBytes = imageBytes(width, height, bilevel ? 1 : 32);
    const qint64 monoBytes = bilevel ? 0 : imageBytes(width, height, 1);
    if (checkMemory(decodedBytes + monoBytes) != ConverterResult::Success)
        return readFailure(ConverterResult::ImageTooLarge, u"%1 is too large to decode"_s.arg(name));

    TiffReadResult read;
    QImage &image = read.picture.image;
    image = QImage(int(width), int(height), bilevel ? QImage::Format_Mono : QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return readFailure(ConverterResult::OutOfMemory, u"no memory for %1"_s.arg(name));
    if (bilevel)
        image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    read.result =
        bilevel ? readBilevel(tiff.get(), image, photometric == PHOTOMETRIC_MINISBLACK) : readColour(tiff.get(), image);
    if (read.result != ConverterResult::Success)
        return readFailure(read.result, messages.isEmpty() ? name + u" is damaged"_s : name + u": "_s + messages);

    const double perInch = unit == RESUNIT_CENTIMETER ? kMillimetresPerInch / 10 : unit == RESUNIT_NONE ? 0.0 : 1.0;
    const auto dpiOf = [&](float tagged, const QString &axis) {
        const double dpi = usableDpi(double(tagged) * perInch);
        if (dpi > 0)
            return dpi;
        // Infinite, not a number, 0, negative or absurdly large: taken as absent. A resolution
        // that is merely missing needs no word.
        if (tagged != 0 && perInch > 0) {
            if (!read.note.isEmpty())
                read.note += u"; "_s;
            read.note += u"the source's "_s + axis + u" resolution "_s + QString::number(double(tagged)) +
                         u" is out of range and was ignored"_s;
        }
        return 0.0;
    };
    read.picture.xDpi = dpiOf(xres, u"horizontal"_s);
    read.picture.yDpi = dpiOf(yres, u"vertical"_s);
    read.picture.compression = converterCompression(compression);
    return read;
}

bool writeTiff(QIODevice &device, const ConverterImage &picture, TiffCompression compression, QString *problem)
{
    QString messages;
    const QImage &image = picture.image;
    auto fail = [&](const QString &what) {
        if (problem)
            *problem = messages.isEmpty() ? what : what + u": "_s + messages;
        return false;
    };
    if (!isMonochrome(image))
        return fail(u"only one-bit pictures are written as TIFF"_s);
    TiffStream stream{&device, true, device.pos(), false};
    TiffPointer tiff = openTiff(stream, "w", &messages);
    if (!tiff)
        return fail(u"the TIFF could not be started"_s);
    TIFF *t = tiff.get();
    bool ok = TIFFSetField(t, TIFFTAG_IMAGEWIDTH, uint32_t(image.width())) &&
              TIFFSetField(t, TIFFTAG_IMAGELENGTH, uint32_t(image.height())) &&
              TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, uint16_t(1)) &&
              TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, uint16_t(1)) &&
              TIFFSetField(t, TIFFTAG_PHOTOMETRIC, uint16_t(PHOTOMETRIC_MINISWHITE)) &&
              TIFFSetField(t, TIFFTAG_FILLORDER, uint16_t(FILLORDER_MSB2LSB)) &&
              TIFFSetField(t, TIFFTAG_PLANARCONFIG, uint16_t(PLANARCONFIG_CONTIG)) &&
              TIFFSetField(t, TIFFTAG_COMPRESSION, libtiffCompression(compression)) &&
              TIFFSetField(t, TIFFTAG_SOFTWARE, "Kelbrix");
    if (ok && compression == TiffCompression::Group3)
        ok = TIFFSetField(t, TIFFTAG_GROUP3OPTIONS, uint32_t(0));
    if (ok && compression == TiffCompression::Group4)
        ok = TIFFSetField(t, TIFFTAG_GROUP4OPTIONS, uint32_t(0));
    if (ok && picture.xDpi > 0 && picture.yDpi > 0) {
        ok = TIFFSetField(t, TIFFTAG_XRESOLUTION, float(picture.xDpi)) &&
             TIFFSetField(t, TIFFTAG_YRESOLUTION, float(picture.yDpi)) &&
             TIFFSetField(t, TIFFTAG_RESOLUTIONUNIT, uint16_t(RESUNIT_INCH));
    }
    if (ok)
        ok = TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(t, 0));
    if (!ok)
        return fail(u"the TIFF tags could not be set"_s);

    // libtiff may change the row it is given, so each row is copied out of the image first.
    const size_t rowBytes = size_t(image.width() + 7) / 8;
    QByteArray row(qsizetype(rowBytes), '\0');
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(row.data(), image.constScanLine(y), rowBytes);
        if (TIFFWriteScanline(t, row.data(), uint32_t(y), 0) != 1)
            return fail(u"row "_s + QString::number(y) + u" could not be written"_s);
    }
    if (!TIFFWriteDirectory(t))
        return fail(u"the TIFF directory could not be written"_s);
    tiff.reset();
    if (stream.failed || !messages.isEmpty())
        return fail(u"the TIFF could not be finished"_s);
    return true;
}

} // namespace Kelbrix
