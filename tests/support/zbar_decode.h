#pragma once

#include "verify/symbol_reader.h"

#include <QImage>
#include <QList>
#include <QString>

namespace Kelbrix::Test {

/// One symbol zbar found: its zbar type name ("EAN-13", "UPC-A", "UPC-E", "EAN-8",
/// "CODE-39", "I2/5", "EAN-2", "EAN-5", ...) and its data.
using DecodedSymbol = Kelbrix::DecodedSymbol;

/// Decodes every symbol in \a image with the program's own reader. The image is converted to
/// grey and given a white quiet zone first, so a tightly cropped label still reads. Add-ons come
/// back as symbols of their own (EAN-2, EAN-5) or joined to the main symbol, as zbar reports them.
QList<DecodedSymbol> decodeSymbols(const QImage &image);

/// The data of all decoded symbols, joined by "|" in the order zbar found them.
QString decodedText(const QImage &image);

} // namespace Kelbrix::Test
