#pragma once

#include "gs1/element_string.h"

#include <QImage>
#include <QList>
#include <QString>

namespace Kelbrix {

/// The sizes GS1 gives GS1-128 symbols in general distribution (logistic labels, cartons).
inline constexpr double kGs1_128MinimumModuleMm = 0.495;
inline constexpr double kGs1_128MaximumModuleMm = 1.016;
/// The height of the bars, and the least height where the label has no room for that.
inline constexpr double kGs1_128HeightMm = 31.75;
inline constexpr double kGs1_128ShortHeightMm = 5.8;
/// The quiet zone on each side, in modules.
inline constexpr int kGs1_128QuietZoneModules = 10;

/// Why a GS1-128 symbol of module \a moduleMm and bar height \a heightMm is outside GS1's
/// table, with the table's range; an empty text when it is inside.
QString gs1_128SizeProblem(double moduleMm, double heightMm);

/// A GS1-128 symbol: its modules from start character to stop character (no quiet zone), and its
/// human-readable text.
struct Gs1_128Symbol {
    QList<Gs1Element> elements;
    QList<bool> modules;   ///< true for a dark module
    QString humanReadable; ///< "(02) 05012345678900 (37) 24"
    QString error;         ///< why there is no symbol; empty when there is
    bool ok() const { return error.isEmpty() && !modules.isEmpty(); }
    int width() const { return int(modules.size()); }
    int widthWithQuietZones() const { return width() + 2 * kGs1_128QuietZoneModules; }
};

/// \a symbol as an 8-bit grey picture, \a dotsPerModule dots a module and \a height dots high, with
/// its quiet zones: what a scanner is shown to read it back.
QImage gs1_128Picture(const Gs1_128Symbol &symbol, int dotsPerModule, int height);

/// The human-readable text of \a elements: each AI in parentheses, then its value, the elements
/// apart by a blank. An SSCC whose company prefix has \a ssccPrefixLength digits (6 to 11) is
/// written in its parts, "(00) 3 5012345 000000001 8"; with any other length it is one number.
QString gs1HumanReadable(const QList<Gs1Element> &elements, int ssccPrefixLength = 0);

/// Encodes \a elements as one GS1-128 symbol. They are first checked in full as checkGs1 checks
/// them for GS1-128, the 48-character limit included; the first problem found is the refusal.
/// Any warning libzint gives is a refusal too, so no symbol is made from data it doubts.
Gs1_128Symbol encodeGs1_128(const QList<Gs1Element> &elements, int ssccPrefixLength = 0);

/// The same, for elements that are part of data already checked as a whole (a label whose data
/// is spread over several symbols): each element is checked by itself, with the length limit, but
/// not against the elements that other symbols carry.
Gs1_128Symbol encodeGs1_128Part(const QList<Gs1Element> &elements, int ssccPrefixLength = 0);

} // namespace Kelbrix
