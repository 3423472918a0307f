#pragma once

#include <QList>
#include <QString>

namespace Kelbrix {

/// The 2D symbols a label can carry beside (or instead of) its linear symbol.
enum class MatrixCarrier {
    None,
    Gs1DataMatrix,         ///< GS1 DataMatrix: element strings, FNC1 first (scanners report "]d2")
    DigitalLinkQr,         ///< QR Code holding a GS1 Digital Link URI
    DigitalLinkDataMatrix, ///< Data Matrix holding a GS1 Digital Link URI
};

/// Whether \a carrier holds a Digital Link URI (otherwise element strings).
bool carriesDigitalLink(MatrixCarrier carrier);

/// The quiet zone \a carrier needs on every side, in modules: 1 for Data Matrix, 4 for QR Code.
int quietZoneModules(MatrixCarrier carrier);

/// A 2D symbol as its grid of modules, without its quiet zone.
struct MatrixSymbol {
    MatrixCarrier carrier = MatrixCarrier::None;
    QString content; ///< what it was made from: bracketed element strings or the URI
    int columns = 0;
    int rows = 0;
    QList<bool> modules; ///< row by row, true for a dark module

    bool isEmpty() const { return columns <= 0 || rows <= 0; }
    bool dark(int column, int row) const { return modules.at(qsizetype(row) * columns + column); }
    /// Modules with the quiet zone on both sides.
    int columnsWithQuietZone() const { return columns + 2 * quietZoneModules(carrier); }
    int rowsWithQuietZone() const { return rows + 2 * quietZoneModules(carrier); }
};

/// What encoding a 2D symbol gave: the symbol, or why libzint refused it.
struct MatrixEncoding {
    MatrixSymbol symbol;
    QString error; ///< empty when the symbol was made
    bool ok() const { return error.isEmpty() && !symbol.isEmpty(); }
};

/// Encodes \a content as \a carrier with libzint: GS1 DataMatrix takes bracketed element strings
/// ("(01)09506000134352(10)ABC123"), the Digital Link carriers a URI. Every warning libzint gives
/// is taken as a refusal, so no symbol is made from data it doubts.
MatrixEncoding encodeMatrix(MatrixCarrier carrier, const QString &content);

} // namespace Kelbrix
