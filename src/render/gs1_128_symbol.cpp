#include "render/gs1_128_symbol.h"

#include <QCoreApplication>

#include <zint.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace Kelbrix {

namespace {

struct ZintDeleter {
    void operator()(zint_symbol *symbol) const { ZBarcode_Delete(symbol); }
};

QString millimetres(double value)
{
    // To the thousandth, without trailing zeros: 0.495, 31.75, 5.8.
    return QString::number(std::round(value * 1000) / 1000, 'g', 10);
}

// The data as libzint's GS1 mode takes it: each AI in square brackets. The characters GS1 allows
// in values hold no square bracket, so none needs writing another way.
QByteArray zintData(const QList<Gs1Element> &elements)
{
    QByteArray data;
    for (const Gs1Element &element : elements)
        data += '[' + element.ai.toLatin1() + ']' + element.value.toLatin1();
    return data;
}

Gs1_128Symbol encodeChecked(const QList<Gs1Element> &elements, int ssccPrefixLength)
{
    Gs1_128Symbol result;
    result.elements = elements;
    result.humanReadable = gs1HumanReadable(elements, ssccPrefixLength);
    const std::unique_ptr<zint_symbol, ZintDeleter> symbol(ZBarcode_Create());
    if (!symbol) {
        result.error = QStringLiteral("libzint could not allocate a symbol");
        return result;
    }
    symbol->symbology = BARCODE_GS1_128;
    symbol->input_mode = GS1_MODE;
    symbol->warn_level = WARN_FAIL_ALL;
    const QByteArray data = zintData(elements);
    const int status =
        ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char *>(data.constData()), int(data.size()));
    if (status != 0 || symbol->rows != 1 || symbol->width <= 0) {
        result.error = QString::fromUtf8(symbol->errtxt);
        if (result.error.isEmpty())
            result.error = QStringLiteral("libzint made no symbol");
        return result;
    }
    result.modules.reserve(symbol->width);
    // libzint keeps a row's modules as bits, the first module in the lowest bit.
    for (int column = 0; column < symbol->width; ++column)
        result.modules.append((symbol->encoded_data[0][column >> 3] >> (column & 7)) & 1);
    return result;
}

} // namespace

QString gs1_128SizeProblem(double moduleMm, double heightMm)
{
    // A thousandth of a millimetre of slack, so that the table's own figures, however they were
    // reached, count as inside it.
    constexpr double slack = 0.0005;
    if (!(moduleMm >= kGs1_128MinimumModuleMm - slack && moduleMm <= kGs1_128MaximumModuleMm + slack))
        return QCoreApplication::translate("Kelbrix::Gs1_128",
                                           "The module width X of a GS1-128 symbol is %1 mm; GS1 allows %2 to %3 mm.")
            .arg(millimetres(moduleMm), millimetres(kGs1_128MinimumModuleMm), millimetres(kGs1_128MaximumModuleMm));
    if (!(heightMm >= kGs1_128ShortHeightMm - slack))
        return QCoreApplication::translate("Kelbrix::Gs1_128",
                                           "The bars of a GS1-128 symbol are %1 mm high; GS1 asks for %2 mm, or at "
                                           "least %3 mm where the label has no room for that.")
            .arg(millimetres(heightMm), millimetres(kGs1_128HeightMm), millimetres(kGs1_128ShortHeightMm));
    return {};
}

QImage gs1_128Picture(const Gs1_128Symbol &symbol, int dotsPerModule, int height)
{
    QImage picture(symbol.widthWithQuietZones() * dotsPerModule, height, QImage::Format_Grayscale8);
    picture.fill(Qt::white);
    for (int i = 0; i < symbol.width(); ++i)
        if (symbol.modules.at(i))
            for (int y = 0; y < height; ++y)
                std::fill_n(picture.scanLine(y) + (kGs1_128QuietZoneModules + i) * dotsPerModule, dotsPerModule,
                            uchar(0));
    return picture;
}

QString gs1HumanReadable(const QList<Gs1Element> &elements, int ssccPrefixLength)
{
    QStringList parts;
    for (const Gs1Element &element : elements) {
        QString value = element.value;
        if (element.ai == QLatin1String("00") && value.size() == 18 && ssccPrefixLength >= 6 && ssccPrefixLength <= 11)
            value = value.left(1) + u' ' + value.mid(1, ssccPrefixLength) + u' ' +
                    value.mid(1 + ssccPrefixLength, 16 - ssccPrefixLength) + u' ' + value.right(1);
        parts.append(u'(' + element.ai + QStringLiteral(") ") + value);
    }
    return parts.join(u' ');
}

Gs1_128Symbol encodeGs1_128(const QList<Gs1Element> &elements, int ssccPrefixLength)
{
    const Gs1Data checked = checkGs1(elements, Gs1Carrier::Gs1_128);
    if (!checked.problems.isEmpty()) {
        Gs1_128Symbol refused;
        refused.elements = elements;
        refused.error = checked.problems.constFirst().message;
        return refused;
    }
    if (checked.elements.isEmpty()) {
        Gs1_128Symbol refused;
        refused.error = QCoreApplication::translate("Kelbrix::Gs1_128", "There is no GS1 data to encode.");
        return refused;
    }
    return encodeChecked(checked.elements, ssccPrefixLength);
}

Gs1_128Symbol encodeGs1_128Part(const QList<Gs1Element> &elements, int ssccPrefixLength)
{
    Gs1_128Symbol refused;
    refused.elements = elements;
    if (elements.isEmpty())
        refused.error = QCoreApplication::translate("Kelbrix::Gs1_128", "There is no GS1 data to encode.");
    else
        refused.error = gs1_128LengthProblem(elements);
    if (!refused.error.isEmpty())
        return refused;
    return encodeChecked(elements, ssccPrefixLength);
}

} // namespace Kelbrix
