#pragma once

#include <QString>

namespace Kelbrix {

/// Twips per inch: every size and position of the labels is kept in twips.
inline constexpr double kTwipsPerInch = 1440.0;
/// Twips per millimetre and per inch as the size window converts user sizes.
inline constexpr double kTwipsPerMillimetre = 56.7;
inline constexpr double kUserTwipsPerInch = 1440.18;
/// Millimetres per inch, exactly.
inline constexpr double kMillimetresPerInch = 25.4;
/// Points (of type and of PostScript and PDF) per inch, and their relation to millimetres.
inline constexpr double kPointsPerInch = 72.0;
inline constexpr double kMillimetresPerPoint = kMillimetresPerInch / kPointsPerInch;
inline constexpr double kPointsPerMillimetre = kPointsPerInch / kMillimetresPerInch;
/// The resolution taken where none is known: a picture that does not say its own, a screen
/// that cannot be asked, a document laid out without a device.
inline constexpr double kDefaultDotsPerInch = 96.0;

/// Pixels of a length of \a twips on a device of \a dotsPerInch.
double twipsToPixels(double twips, double dotsPerInch);

/// Twips of a length of \a pixels on a device of \a dotsPerInch.
double pixelsToTwips(double pixels, double dotsPerInch);

/// Whole pixels (rounded, at least 1) of a length of \a twips.
int twipsToWholePixels(double twips, double dotsPerInch);

/// \a value rounded to the nearest whole number, halves away from zero. Values beyond the
/// range of int are clamped to it, so a hostile size can never overflow.
int roundToInt(double value);

/// Dots per metre of \a dotsPerInch, rounded, as image headers store it (0 for 0 or less).
int dotsPerMetre(double dotsPerInch);

/// Dots per inch of \a dotsPerMetre as image headers store it (0 for 0 or less).
double dotsPerInchOf(double dotsPerMetre);

/// \a value written with \a decimals decimals and a "." whatever the locale ("1.50"); with
/// \a trimZeros without the zeros that end it, nor a "." left last ("1.5", "2"), and "-0" as "0".
/// A value that is not finite is written as QString::number writes it ("inf", "nan").
QString decimalText(double value, int decimals, bool trimZeros = false);

/// The number at the start of \a text, as the program reads numbers typed into a box: leading
/// blanks are skipped, digits with at most one "." are read, anything after them is ignored;
/// 0 when there is none.
double leadingNumber(const QString &text);

} // namespace Kelbrix
