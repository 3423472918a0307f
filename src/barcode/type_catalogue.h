#pragma once

#include <QString>

#include <optional>
#include <span>

namespace Kelbrix {

/// The symbologies a barcode can have. UpcAToE is UPC-A data drawn as a zero-suppressed UPC-E.
enum class Symbology { Ean13, Ean8, UpcA, UpcE, UpcAToE, Isbn, Scc14, Code39 };

/// One row of the TypeCode catalogue: what a 4-character TypeCode stands for and how long
/// its entry is.
struct TypeInfo {
    QString code; ///< exactly 4 characters; the EAN-8 codes end in a blank
    Symbology symbology;
    int supplement;        ///< 0, 2 or 5 digits of add-on
    int entryLength;       ///< characters the user types, without check digit; -1 for any length
    int supplementLength;  ///< digits required in the supplement box
    int fullLength;        ///< length at which a typed check character is cut back; 0 when never
    int widthTwips;        ///< symbol and label width in the main view (Code 39: per entry length)
    int rendererSymbology; ///< symbology code handed to the renderer
};

/// Every row of the catalogue, in its order.
std::span<const TypeInfo> allTypes();

/// The row of \a code, or nullptr for a text that is no TypeCode.
const TypeInfo *findType(const QString &code);

/// The TypeCode of \a symbology with a supplement of \a supplement digits, or an empty
/// text when that symbology takes no such supplement (ISBN with 2 digits, SCC-14 and
/// Code 39 with any).
QString typeCodeFor(Symbology symbology, int supplement);

/// What the supplement option handlers turn \a code into when the user picks a supplement
/// of \a supplement digits: the same symbology with the new supplement. Codes that take no
/// supplement, and ISBN asked for 2 digits, stay as they are.
QString remapSupplement(const QString &code, int supplement);

bool isIsbnCode(const QString &code);

/// Code 39 symbol width in twips for an entry of \a length characters.
int code39WidthTwips(int length);

/// Display name of a symbology, as shown in the window caption.
QString typeDisplayName(Symbology symbology);

} // namespace Kelbrix
