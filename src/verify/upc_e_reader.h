#pragma once

#include "verify/symbol_reader.h"

namespace Kelbrix {

/// Reads one UPC-E symbol and its add-on from \a grey (8-bit grey, dark bars on light, with its
/// quiet zone) with ZXing-C++. See readUpcESymbol().
QList<DecodedSymbol> scanUpcE(const QImage &grey);

} // namespace Kelbrix
