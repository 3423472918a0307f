// libFuzzer entry point for the converter's image input: TIFF, BMP and PNG bytes as a source
// file or clipboard TIFF would bring them, then the steps every export takes (one bit, and a
// TIFF written to memory and read back). The memory budget is lowered so one input never
// takes long; the checks hold at any budget.

#include "fuzz_check.h"
#include "export/converter_image.h"
#include "export/converter_io.h"
#include "export/converter_result.h"
#include "export/tiff_io.h"

#include <QBuffer>
#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace Kelbrix;
using namespace Qt::Literals::StringLiterals;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_converter_image";
    static char *argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    setConverterMemoryBudget(qint64(32) << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    SourceContent source = readImageBytes(bytes, u"input"_s);
    require((source.result == ConverterResult::Success) == source.problem.isEmpty());
    if (source.result != ConverterResult::Success)
        return 0;
    ConverterImage &picture = source.picture;
    require(!picture.image.isNull());
    require(checkMemory(imageBytes(picture.image)) == ConverterResult::Success);
    require(!(picture.xDpi < 0) && picture.xDpi <= 65535 && !(picture.yDpi < 0) && picture.yDpi <= 65535);

    picture.image = toMonochrome(picture.image);
    require(isMonochrome(picture.image));
    QByteArray written;
    QBuffer output(&written);
    output.open(QIODevice::WriteOnly);
    QString problem;
    require(writeTiff(output, picture, picture.compression.value_or(TiffCompression::None), &problem));
    output.close();
    const SourceContent again = readImageBytes(written, u"written"_s);
    require(again.result == ConverterResult::Success);
    require(again.picture.image == picture.image);
    return 0;
}
