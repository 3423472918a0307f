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

// Pixels per module of a clipboard symbol drawn without a raster width: a screen-sized picture.
constexpr int kDefaultPixelsPerModule = 3;

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

double wholeDpi(int dotsPerMeter)
{
    return dotsPerMeter > 0 ? std::round(dotsPerInchOf(dotsPerMeter)) : 96.0;
}

} // namespace

ImageConverter::ImageConverter() = default;

ImageConverter::~ImageConverter() = default;

int ImageConverter::ExecuteCommand(const QString &command)
{
    m_lastProblem.clear();
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
        appendConverterLog(command, result, m_lastProblem);
    return result;
}

int ImageConverter::run(const ConverterCommand &command)
{
    auto failure = [this](int result, const QString &problem) {
        m_lastProblem = problem;
        return result;
    };
    auto tooLarge = [&](qint64 width, qint64 height) {
        return failure(ConverterResult::ImageTooLarge,
                       u"%1 x %2 pixels is more than the converter makes"_s.arg(width).arg(height));
    };
    const QString outOfMemory = u"out of memory"_s;

    SourceContent source = command.sourceIsClipboard ? readClipboard() : readImageFile(command.source);
    if (source.result != ConverterResult::Success)
        return failure(source.result, source.problem);
    ConverterImage picture = std::move(source.picture);

    if (source.symbol && (command.raster > 0 || picture.image.isNull())) {
        // Redraw the symbol from its geometry rather than scaling a bitmap, so every module is a
        // whole number of pixels at the target resolution.
        const SymbolGeometry &symbol = *source.symbol;
        const qint64 width =
            command.raster > 0 ? command.raster : qint64(std::ceil(symbol.width * kDefaultPixelsPerModule));
        // The picture beside the geometry shows the shape the symbol was copied at.
        const double aspect = picture.image.isNull() ? symbol.height / symbol.width
                                                     : double(picture.image.height()) / picture.image.width();
        const qint64 height = std::max<qint64>(1, std::llround(double(width) * aspect));
        if (checkImageSize(width, height) != ConverterResult::Success)
            return tooLarge(width, height);
        picture = ConverterImage{};
        picture.image = renderSymbol(symbol, QSize(int(width), int(height)));
    } else if (command.raster > 0) {
        const qint64 height =
            std::max<qint64>(1, std::llround(double(command.raster) * picture.image.height() / picture.image.width()));
        if (checkImageSize(command.raster, height) != ConverterResult::Success)
            return tooLarge(command.raster, height);
        picture.image = rescaled(picture.image, QSize(command.raster, int(height)));
    }
    if (picture.image.isNull())
        return failure(ConverterResult::OutOfMemory, outOfMemory);

    if (command.rescaleX.unit != Rescale::Unit::None || command.rescaleY.unit != Rescale::Unit::None) {
        const qint64 width = rescaledLength(picture.image.width(), command.rescaleX);
        const qint64 height = rescaledLength(picture.image.height(), command.rescaleY);
        if (checkImageSize(width, height) != ConverterResult::Success)
            return tooLarge(width, height);
        picture.image = rescaled(picture.image, QSize(int(width), int(height)));
    }
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

    OutputType type = command.output;
    if (type == OutputType::Unspecified) {
        const bool bitmapName = !command.destIsClipboard && command.dest.endsWith(u".bmp"_s, Qt::CaseInsensitive);
        type = bitmapName ? OutputType::Bmp : OutputType::Tiff;
    }
    if (type == OutputType::Tiff || command.twoColours || command.mono) {
        picture.image = toMonochrome(picture.image);
        if (picture.image.isNull())
            return failure(ConverterResult::OutOfMemory, outOfMemory);
    }
    picture.image.setDotsPerMeterX(dotsPerMetre(picture.xDpi));
    picture.image.setDotsPerMeterY(dotsPerMetre(picture.yDpi));

    const TiffCompression compression =
        command.compression.value_or(picture.compression.value_or(TiffCompression::None));
    QString problem;
    const int result = command.destIsClipboard ? writeClipboard(picture, type, compression, &problem)
                                               : writeImageFile(command.dest, picture, type, compression, &problem);
    if (result != ConverterResult::Success)
        return failure(result, problem);
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
