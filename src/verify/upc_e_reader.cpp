// The one place ZXing-C++ is reached. It lives apart from the zbar reader because the two
// libraries' headers do not compile together.
#define ZX_USE_UTF8 1

#include "verify/upc_e_reader.h"

#include <ZXing/ReadBarcode.h>

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

} // namespace Kelbrix
