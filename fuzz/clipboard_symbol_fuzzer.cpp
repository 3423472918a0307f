// libFuzzer entry point for the symbol a program puts on the clipboard as geometry: the bytes
// are read as the converter reads them and, when accepted, drawn as a command without and
// with a raster width would draw them. The memory budget is lowered so one input never takes
// long; the checks hold at any budget.

#include "fuzz_check.h"
#include "export/converter_image.h"
#include "export/converter_result.h"
#include "render/symbol_geometry.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace Kelbrix;

namespace {

void draw(const SymbolGeometry &symbol, QSize shown, int raster)
{
    QImage picture;
    QString problem;
    const int result = symbolPicture(symbol, shown, raster, &picture, &problem);
    require(result == ConverterResult::Success || result == ConverterResult::ImageTooLarge ||
            result == ConverterResult::OutOfMemory);
    require((result == ConverterResult::Success) == !picture.isNull());
    if (result == ConverterResult::Success) {
        require(isMonochrome(picture));
        require(raster <= 0 || picture.width() == raster);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_clipboard_symbol";
    static char *argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    setConverterMemoryBudget(qint64(16) << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<SymbolGeometry> symbol = SymbolGeometry::fromBytes(bytes);
    if (!symbol)
        return 0;
    require(SymbolGeometry::fromBytes(symbol->toBytes()).has_value());
    draw(*symbol, QSize(), 0);
    draw(*symbol, QSize(300, 100), 0);
    draw(*symbol, QSize(), 1200);
    draw(*symbol, QSize(), 1);
    return 0;
}
