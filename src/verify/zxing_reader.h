#pragma once

#include "verify/symbol_reader.h"

#include <optional>

namespace Kelbrix {

/// Reads one UPC-E symbol and its add-on from \a grey (8-bit grey, dark bars on light, with its
/// quiet zone) with ZXing-C++. See readUpcESymbol().
QList<DecodedSymbol> scanUpcE(const QImage &grey);

/// Reads one Data Matrix or QR Code symbol from \a grey (8-bit grey, dark modules on light) with
/// ZXing-C++. See readMatrixSymbol(); the box is in \a grey's pixels.
std::optional<MatrixReading> scanMatrix(const QImage &grey);

/// Reads one Code 128 symbol from \a grey with ZXing-C++. See readCode128Symbol().
std::optional<MatrixReading> scanCode128(const QImage &grey);

} // namespace Kelbrix
