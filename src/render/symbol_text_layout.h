#pragma once

#include "render/symbol_encoder.h"

#include <QString>

namespace Kelbrix {

/// The font of a symbol's human-readable digits.
struct SymbolTextStyle {
    QString family;
    bool bold = false;
    bool italic = false;
    double digitSize = 0; ///< wanted font size of the main digits in modules; 0 keeps libzint's size
};

/// Sets the human-readable texts of \a symbol in \a style and places them.
///
/// Every text is scaled by one factor, so the main digits get the wanted size unless a text
/// would then be wider than the room libzint left for it or run past the symbol's edge; the
/// factor is lowered until all fit. Texts under the bars keep the top of their digits where
/// libzint put it, texts over the bars (add-on digits) keep their baseline; the geometry grows
/// downwards or is shifted down when a larger text needs the room. Font metrics are read when a
/// QGuiApplication exists; without one the texts are scaled without fitting.
void layoutSymbolText(EncodedSymbol &symbol, const SymbolTextStyle &style);

/// Moves everything in \a geometry down by \a modules, leaving an empty band at the top.
void addTopBand(SymbolGeometry &geometry, double modules);

} // namespace Kelbrix
