#include "barcode/type_catalogue.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// Widths are those of the main view; the renderer symbology numbers are the renderer's own
// codes (Code 39 0, SCC-14 2, UPC-A 5..7, UPC-E 8..10, EAN-13 11..13, EAN-8 14..16).
const std::array<TypeInfo, 19> &catalogue()
{
    static const std::array<TypeInfo, 19> rows{{
        {u"E130"_s, Symbology::Ean13, 0, 12, 0, 13, 1815, 11},
        {u"E132"_s, Symbology::Ean13, 2, 12, 2, 13, 2175, 12},
        {u"E135"_s, Symbology::Ean13, 5, 12, 5, 13, 2655, 13},
        {u"E80 "_s, Symbology::Ean8, 0, 7, 0, 8, 1215, 14},
        {u"E82 "_s, Symbology::Ean8, 2, 7, 2, 8, 1575, 15},
        {u"E85 "_s, Symbology::Ean8, 5, 7, 5, 8, 2055, 16},
        {u"UPA0"_s, Symbology::UpcA, 0, 11, 0, 12, 1815, 5},
        {u"UPA2"_s, Symbology::UpcA, 2, 11, 2, 12, 2175, 6},
        {u"UPA5"_s, Symbology::UpcA, 5, 11, 5, 12, 2655, 7},
        {u"UPE0"_s, Symbology::UpcE, 0, 7, 0, 8, 1215, 8},
        {u"UPE2"_s, Symbology::UpcE, 2, 7, 2, 8, 1575, 9},
        {u"UPE5"_s, Symbology::UpcE, 5, 7, 5, 8, 2055, 10},
        // UPC-A data (11 digits) drawn as UPC-E: the widths and symbologies are UPC-E's.
        {u"UPP0"_s, Symbology::UpcAToE, 0, 11, 0, 12, 1215, 8},
        {u"UPP2"_s, Symbology::UpcAToE, 2, 11, 2, 12, 1575, 9},
        {u"UPP5"_s, Symbology::UpcAToE, 5, 11, 5, 12, 2055, 10},
        // ISBN: 10 characters and 3 dividers; 14 or more characters are cut back to 13.
        {u"ISB0"_s, Symbology::Isbn, 0, 13, 0, 14, 1815, 11},
        {u"ISB5"_s, Symbology::Isbn, 5, 13, 5, 14, 2655, 13},
        {u"SC14"_s, Symbology::Scc14, 0, 13, 0, 0, 2295, 2},
        {u"Co39"_s, Symbology::Code39, 0, -1, 0, 0, 800, 0},
    }};
    return rows;
}

} // namespace

std::span<const TypeInfo> allTypes()
{
    return catalogue();
}

const TypeInfo *findType(const QString &code)
{
    for (const TypeInfo &row : catalogue()) {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}

QString typeCodeFor(Symbology symbology, int supplement)
{
    for (const TypeInfo &row : catalogue()) {
        if (row.symbology == symbology && row.supplement == supplement)
            return row.code;
    }
    return {};
}

QString remapSupplement(const QString &code, int supplement)
{
    const TypeInfo *row = findType(code);
    if (!row)
        return code;
    const QString mapped = typeCodeFor(row->symbology, supplement);
    return mapped.isEmpty() ? code : mapped;
}

bool isIsbnCode(const QString &code)
{
    return code == u"ISB0"_s || code == u"ISB5"_s;
}

int code39WidthTwips(int length)
{
    return 250 * length + 800;
}

QString typeDisplayName(Symbology symbology)
{
    switch (symbology) {
    case Symbology::Ean13:
        return u"EAN 13"_s;
    case Symbology::Ean8:
        return u"EAN 8"_s;
    case Symbology::UpcA:
        return u"UPC A"_s;
    case Symbology::UpcE:
        return u"UPC E"_s;
    case Symbology::UpcAToE:
        return u"UPC A to E"_s;
    case Symbology::Isbn:
        return u"ISBN "_s;
    case Symbology::Scc14:
        return u"SCC-14 "_s;
    case Symbology::Code39:
        return u"Code 39"_s;
    }
    return {};
}

} // namespace Kelbrix
