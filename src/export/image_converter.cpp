#include "export/image_converter.h"

#include "base/units.h"
#include "export/converter_command.h"
#include "export/converter_image.h"
#include "export/converter_io.h"
#include "export/converter_log.h"
#include "export/converter_result.h"

#include <cmath>
#include <memory>
#include <new>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

std::unique_ptr<ImageConverter> g_converter;

// The new length of one side, as a 64-bit value so that an absurd percentage cannot overflow
// before the size check sees it.
qint64 rescaledLength(int length, const Rescale &rescale)
{
    switch (rescale.unit) {
    case Rescale::Unit::Pixels:
        return qint64(rescale.value);
    case Rescale::Unit::Percent: {
        const double scaled = std::round(length * rescale.value / 100.0);
        return scaled > double(kMaxImageSide) ? qint64(kMaxImageSide) + 1 : std::max<qint64>(1, qint64(scaled));
    }
    case Rescale::Unit::None:
        break;
    }
    return length;
}

// The resolution to record when neither the command nor the source gave a usable one.
double wholeDpi(int dotsPerMeter)
{
    const double dpi = usableDpi(std::round(dotsPerInchOf(dotsPerMeter)));
    return dpi > 0 ? dpi : kDefaultDotsPerInch;
}

// What the command writes: as asked, else a bitmap for a ".bmp" file and TIFF otherwise.
OutputType outputType(const ConverterCommand &command)
{
    if (command.output != OutputType::Unspecified)
        return command.output;
    const bool bitmapName = !command.destIsClipboard && command.dest.endsWith(u".bmp"_s, Qt::CaseInsensitive);
    return bitmapName ? OutputType::Bmp : OutputType::Tiff;
}

} // namespace

ImageConverter::ImageConverter() = default;

ImageConverter::~ImageConverter() = default;

int ImageConverter::ExecuteCommand(const QString &command)
{
    m_lastProblem.clear();
    m_lastNote.clear();
    const ParsedCommand parsed = parseConverterCommand(command);
    int result = parsed.result;
    if (result != ConverterResult::Success) {
        m_lastProblem = parsed.problem;
    } else {
        try {
            result = run(parsed.command);
        } catch (const std::bad_alloc &) {
            result = ConverterResult::OutOfMemory;
            m_lastProblem = u"out of memory"_s;
        }
    }
    if (parsed.command.log)
        appendConverterLog(command, result, m_lastProblem, m_lastNote);
    return result;
}

void ImageConverter::runWork(const std::function<void()> &work)
{
    if (m_runner)
        m_runner(work);
    else
        work();
}

int ImageConverter::run(const ConverterCommand &command)
{
    // The clipboard belongs to the calling thread; files and pictures go to the work runner.
    SourceContent source;
    if (command.sourceIsClipboard)
        source = readClipboard();
    ConverterImage picture;
    TiffCompression compression = TiffCompression::None;
    int result = ConverterResult::Success;
    QString problem;
    runWork([&] {
        if (!command.sourceIsClipboard)
            source = readImageFile(command.source);
        result = makePicture(command, source, picture, compression);
        if (result == ConverterResult::Success && !command.destIsClipboard) {
            result = writeImageFile(command.dest, picture, outputType(command), compression, &problem);
            if (result != ConverterResult::Success)
                m_lastProblem = problem;
        }
    });
    if (result == ConverterResult::Success && command.destIsClipboard) {
        result = writeClipboard(picture, outputType(command), compression, &problem);
        if (result != ConverterResult::Success)
            m_lastProblem = problem;
    }
    return result;
}

int ImageConverter::makePicture(const ConverterCommand &command, SourceContent &source, ConverterImage &picture,
                                TiffCompression &compression)
{
    auto failure = [this](int result, const QString &problem) {
        m_lastProblem = problem;
        return result;
    };
    auto tooLarge = [&](qint64 width, qint64 height) {
        return failure(ConverterResult::ImageTooLarge, u"%1 x %2 pixels is more than the converter makes"_s.arg(
                                                           QString::number(width), QString::number(height)));
    };
    const QString outOfMemory = u"out of memory"_s;

    if (source.result != ConverterResult::Success)
        return failure(source.result, source.problem);
    picture = std::move(source.picture);
    m_lastNote = source.note;

    // Every step holds its input and its result at once; both must fit the memory budget
    // before the result is made.
    const auto fits = [&](qint64 resultBytes) {
        return checkMemory(imageBytes(picture.image) + resultBytes) == ConverterResult::Success;
    };
    const auto budgetProblem = [&](const QString &step) {
        return failure(ConverterResult::ImageTooLarge, step + u" needs more memory than the converter's budget of "_s +
                                                           QString::number(converterMemoryBudget() >> 20) + u" MiB"_s);
    };
    const auto resultDepth = [](const QImage &image) { return image.format() == QImage::Format_Mono ? 1 : 32; };

    if (source.symbol && (command.raster > 0 || picture.image.isNull())) {
        // Redraw the symbol from its geometry rather than scaling a bitmap, so every module is a
        // whole number of pixels at the target resolution.
        QImage drawn;
        QString problem;
        // Without a picture, the symbol is drawn in the size it was copied for, as that picture was.
        const bool bare = picture.image.isNull() && source.shown.isValid();
        const QSize shown = bare ? source.shown : picture.image.size();
        const int raster = command.raster > 0 ? command.raster : (bare ? source.shown.width() : 0);
        const int drawnResult = symbolPicture(*source.symbol, shown, raster, &drawn, &problem);
        if (drawnResult != ConverterResult::Success)
            return failure(drawnResult, problem);
        picture = ConverterImage{};
        picture.image = std::move(drawn);
    } else if (command.raster > 0) {
        const qint64 height =
            std::max<qint64>(1, std::llround(double(command.raster) * picture.image.height() / picture.image.width()));
        if (checkImageSize(command.raster, height) != ConverterResult::Success)
            return tooLarge(command.raster, height);
        if (!fits(imageBytes(command.raster, height, resultDepth(picture.image))))
            return budgetProblem(u"Scaling to "_s + QString::number(command.raster) + u" x "_s +
                                 QString::number(height));
        picture.image = rescaled(picture.image, QSize(command.raster, int(height)));
    }
    if (picture.image.isNull())
        return failure(ConverterResult::OutOfMemory, outOfMemory);

    if (command.rescaleX.unit != Rescale::Unit::None || command.rescaleY.unit != Rescale::Unit::None) {
        const qint64 width = rescaledLength(picture.image.width(), command.rescaleX);
        const qint64 height = rescaledLength(picture.image.height(), command.rescaleY);
        if (checkImageSize(width, height) != ConverterResult::Success)
            return tooLarge(width, height);
        if (!fits(imageBytes(width, height, resultDepth(picture.image))))
            return budgetProblem(u"Rescaling to "_s + QString::number(width) + u" x "_s + QString::number(height));
        picture.image = rescaled(picture.image, QSize(int(width), int(height)));
    }
    const qint64 copyBytes = imageBytes(picture.image.width(), picture.image.height(), resultDepth(picture.image));
    if ((command.invert || command.mirror != 0 || command.rotation % 360 != 0) && !fits(copyBytes))
        return budgetProblem(u"Turning the picture"_s);
    if (command.invert)
        picture.image = inverted(picture.image);
    picture.image = mirroredImage(picture.image, command.mirror);
    picture.image = rotatedImage(picture.image, command.rotation);
    if (command.rotation == 90 || command.rotation == 270)
        std::swap(picture.xDpi, picture.yDpi);
    if (picture.image.isNull())
        return failure(ConverterResult::OutOfMemory, outOfMemory);

    if (command.xres > 0)
        picture.xDpi = command.xres;
    if (command.yres > 0)
        picture.yDpi = command.yres;
    if (!(picture.xDpi > 0))
        picture.xDpi = wholeDpi(picture.image.dotsPerMeterX());
    if (!(picture.yDpi > 0))
        picture.yDpi = wholeDpi(picture.image.dotsPerMeterY());
    if (!m_lastNote.isEmpty())
        m_lastNote +=
            u"; "_s + QString::number(picture.xDpi) + u" x "_s + QString::number(picture.yDpi) + u" dpi used"_s;

    const OutputType type = outputType(command);
    if (type == OutputType::Tiff || command.twoColours || command.mono) {
        if (!isMonochrome(picture.image)) {
            // Transparent pictures are flattened a strip of at most 16 MiB at a time.
            const qint64 strip =
                picture.image.hasAlphaChannel()
                    ? std::min(qint64(16) << 20, imageBytes(picture.image.width(), picture.image.height(), 32))
                    : 0;
            if (!fits(imageBytes(picture.image.width(), picture.image.height(), 1) + strip))
                return budgetProblem(u"Reducing the picture to black and white"_s);
        }
        picture.image = toMonochrome(picture.image);
        if (picture.image.isNull())
            return failure(ConverterResult::OutOfMemory, outOfMemory);
    }
    picture.image.setDotsPerMeterX(dotsPerMetre(picture.xDpi));
    picture.image.setDotsPerMeterY(dotsPerMetre(picture.yDpi));

    compression = command.compression.value_or(picture.compression.value_or(TiffCompression::None));
    return ConverterResult::Success;
}

ImageConverter *imageConverter()
{
    if (!g_converter)
        g_converter = std::make_unique<ImageConverter>();
    return g_converter.get();
}

void releaseImageConverter()
{
    g_converter.reset();
}

} // namespace Kelbrix
