#pragma once

#include "render/symbol_geometry.h"

#include <QList>
#include <QString>

namespace Kelbrix {

/// The libzint symbologies the barcode renderer draws with.
enum class ZintSymbology {
    Code39, ///< Code 39, start and stop characters added by libzint
    Itf14,  ///< ITF-14 (SCC-14), 13 digits in, check digit added by libzint
    UpcA,   ///< UPC-A, 11 digits in
    UpcE,   ///< UPC-E, number system and 6 digits in
    Ean,    ///< EAN-13 (12 digits in) or EAN-8 (7 digits in)
};

/// The bearer bars of an ITF-14 symbol, 5 modules thick. The quiet zones of 10 modules on
/// either side lie inside them: a frame encloses the symbol with its quiet zones, top and bottom
/// bars run along their full width.
enum class Bearers {
    None,      ///< no bearer bars
    TopBottom, ///< a bar along the top and one along the bottom
    Frame,     ///< a box around the symbol and its quiet zones
};

/// What libzint made of one symbol.
struct EncodedSymbol {
    bool ok = false;         ///< false when libzint refused the data
    QString error;           ///< libzint's message when it refused the data
    QString humanReadable;   ///< libzint's text: the data completed with its check digit, "+" and the add-on
    SymbolGeometry geometry; ///< bars and texts in modules, quiet zones included; no font set
    QList<double> textRoom;  ///< per text of the geometry, the width libzint leaves for it, in modules
};

/// How a symbol is encoded beyond its data.
struct EncodeOptions {
    bool showText = true;             ///< human-readable text, and room for it
    bool standardHeight = false;      ///< bars as high as the type's standard gives (EAN/UPC, ITF-14)
    double barModules = 0;            ///< bar height in modules; 0: libzint's own (or the standard's)
    bool quietZones = false;          ///< every type's full quiet zones (EAN/UPC always have theirs)
    Bearers bearers = Bearers::Frame; ///< ITF-14's bearer bars; the other types have none
};

/// Encodes \a data as \a symbology with libzint and converts its vector output to module units.
/// For the EAN/UPC symbologies \a data may end in "+" and a 2- or 5-digit add-on. With
/// \a showText false the symbol has no human-readable text and no room for it.
/// libzint computes every check digit; a refusal (wrong length, characters the symbology
/// cannot take, a wrong check digit) gives ok false, the message in error and no geometry.
EncodedSymbol encodeSymbol(ZintSymbology symbology, const QString &data, bool showText);
/// The same with the height and quiet zones of \a options.
EncodedSymbol encodeSymbol(ZintSymbology symbology, const QString &data, const EncodeOptions &options);

} // namespace Kelbrix
