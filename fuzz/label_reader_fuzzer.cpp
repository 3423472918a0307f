// libFuzzer entry point for reading labels back: any picture a label could be (PNG, BMP, TIFF
// bytes), read by both readers, as dark bars on light and inverted. The first byte chooses
// inverted reading; the rest is the picture. Pictures past a few megapixels are not decoded, so
// one input never takes long.

#include "fuzz_check.h"
#include "verify/symbol_reader.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace Kelbrix;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qint64 kMaxPixels = 4'000'000;

bool allDigits(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_label_reader";
    static char *argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    QImageReader::setAllocationLimit(64);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const bool inverted = data[0] & 1;
    QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize pictureSize = reader.size();
    if (!pictureSize.isValid() || qint64(pictureSize.width()) * pictureSize.height() > kMaxPixels)
        return 0;
    const QImage image = reader.read();
    if (image.isNull())
        return 0;

    // ZXing-C++ gives one UPC-E at most, however many the picture holds.
    const QList<DecodedSymbol> upcE = readUpcESymbol(image, inverted);
    require(upcE.size() <= 1);
    for (const DecodedSymbol &symbol : upcE) {
        require(symbol.type == u"UPC-E"_s || symbol.type == u"COMPOSITE"_s);
        require(allDigits(symbol.data));
        require(symbol.parts.isEmpty() || symbol.parts.front().data.size() == 8);
    }
    for (const DecodedSymbol &symbol : readSymbols(image, inverted))
        require(!symbol.type.isEmpty());
    return 0;
}
