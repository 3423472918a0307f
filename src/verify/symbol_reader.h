#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

#include <optional>

namespace Kelbrix {

/// One part of a symbol that zbar joined from several: the main symbol and its add-on.
struct SymbolPart {
    QString type;
    QString data;
};

/// One symbol zbar found: its zbar type name ("EAN-13", "UPC-A", "UPC-E", "EAN-8", "CODE-39",
/// "I2/5", "EAN-2", "EAN-5", "COMPOSITE", ...) and its data. A symbol with an add-on may come
/// back as one "COMPOSITE" whose data is both joined; parts then holds the two of them.
struct DecodedSymbol {
    QString type;
    QString data;
    QList<SymbolPart> parts;
};

/// Decodes every symbol in \a image with zbar. The image is converted to grey and given a quiet
/// zone first, so a tightly cropped label still reads. Dark bars on a light ground are read; with
/// \a inverted, light bars on a dark ground instead. Returns the symbols in the order zbar found
/// them; none for a null image or one with nothing readable.
QList<DecodedSymbol> readSymbols(const QImage &image, bool inverted = false);

/// Reads one UPC-E symbol, with its add-on, from \a image with ZXing-C++, which reads the UPC-E
/// of number system 1 that zbar does not. The image is prepared as for readSymbols(). Returns at
/// most one symbol, typed "UPC-E" with its eight digits; an add-on makes it a "COMPOSITE" whose
/// parts are the UPC-E and the "EAN-2" or "EAN-5", as zbar gives them.
QList<DecodedSymbol> readUpcESymbol(const QImage &image, bool inverted = false);

/// One 2D symbol (or Code 128 symbol) read back.
struct MatrixReading {
    QString format;              ///< "GS1 DataMatrix", "Data Matrix", "QR Code" or "GS1 QR Code"
    QString symbologyIdentifier; ///< as a scanner reports it: "]d2" for GS1 DataMatrix, "]Q1" ...
    QString content;             ///< the data, FNC1 separators given as GS (0x1D) characters
    QRect box;                   ///< where the symbol's corners were found, in the image's pixels
};

/// Reads one Data Matrix or QR Code symbol from \a image with ZXing-C++ (zbar reads neither Data
/// Matrix nor GS1 content): dark modules on a light ground, a quiet zone added first so that a
/// tightly cropped picture reads. nullopt when none is found.
std::optional<MatrixReading> readMatrixSymbol(const QImage &image);

/// Reads one Code 128 symbol from \a image with ZXing-C++, prepared as for readMatrixSymbol(). A
/// GS1-128 comes back as format "GS1-128" and symbology identifier "]C1", its content the
/// element string with GS (0x1D) after each value of variable length but the last.
std::optional<MatrixReading> readCode128Symbol(const QImage &image);

} // namespace Kelbrix
