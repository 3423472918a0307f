// The one place ZXing-C++ is reached: the UPC-E of number system 1 and the 2D symbols, which zbar
// does not read. It lives apart from the zbar reader because the two libraries' headers do not
// compile together.
#define ZX_USE_UTF8 1

#include "verify/zxing_reader.h"

#include <ZXing/ReadBarcode.h>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

QList<DecodedSymbol> scanUpcE(const QImage &grey)
{
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::UPCE);
    hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Read);
    hints.setTryRotate(false);
    // One symbol at a time: ZXing-C++ 1.4 stops on an assertion when it compares several results
    // of one image with each other.
    hints.setMaxNumberOfSymbols(1);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid() || result.format() != ZXing::BarcodeFormat::UPCE)
        return {};
    // The text is the eight digits, then a blank and the add-on when there is one.
    const QString text = QString::fromStdString(result.text());
    const QString digits = text.section(u' ', 0, 0);
    const QString addOn = text.section(u' ', 1);
    const QString upcE = u"UPC-E"_s;
    if (addOn.isEmpty())
        return {{upcE, digits, {}}};
    const QString addOnType = addOn.size() == 2 ? u"EAN-2"_s : u"EAN-5"_s;
    return {{u"COMPOSITE"_s, digits + addOn, {{upcE, digits}, {addOnType, addOn}}}};
}

namespace {

std::optional<MatrixReading> scanOne(const QImage &grey, ZXing::BarcodeFormats formats)
{
    ZXing::DecodeHints hints;
    hints.setFormats(formats);
    hints.setTryRotate(false);
    hints.setMaxNumberOfSymbols(1);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid())
        return std::nullopt;
    MatrixReading reading;
    reading.symbologyIdentifier = QString::fromStdString(result.symbologyIdentifier());
    // The content as the scanner sends it: FNC1 separators come as GS characters.
    const ZXing::ByteArray &bytes = result.bytes();
    reading.content = QString::fromUtf8(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
    const bool gs1 = result.contentType() == ZXing::ContentType::GS1;
    switch (result.format()) {
    case ZXing::BarcodeFormat::DataMatrix:
        reading.format = gs1 ? u"GS1 DataMatrix"_s : u"Data Matrix"_s;
        break;
    case ZXing::BarcodeFormat::QRCode:
        reading.format = gs1 ? u"GS1 QR Code"_s : u"QR Code"_s;
        break;
    default:
        reading.format = gs1 ? u"GS1-128"_s : u"Code 128"_s;
        break;
    }
    int left = grey.width(), top = grey.height(), right = 0, bottom = 0;
    const ZXing::Position &corners = result.position();
    for (int i = 0; i < 4; ++i) {
        left = std::min(left, corners[i].x);
        right = std::max(right, corners[i].x);
        top = std::min(top, corners[i].y);
        bottom = std::max(bottom, corners[i].y);
    }
    reading.box = QRect(QPoint(left, top), QPoint(right, bottom));
    return reading;
}

} // namespace

std::optional<MatrixReading> scanMatrix(const QImage &grey)
{
    return scanOne(grey, ZXing::BarcodeFormat::DataMatrix | ZXing::BarcodeFormat::QRCode);
}

std::optional<MatrixReading> scanCode128(const QImage &grey)
{
    return scanOne(grey, ZXing::BarcodeFormat::Code128);
}

} // namespace Kelbrix
