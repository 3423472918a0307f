#pragma once

#include <QString>

#include <optional>

namespace Kelbrix {

/// Zero-suppresses UPC-A data into UPC-E data.
///
/// \a upcA11 is the 11 digits of a UPC-A number without its check digit: the number system
/// (0 or 1), five manufacturer digits and five product digits. The result is the 7 digits of
/// UPC-E data (number system and six digits, no check digit); the check digit of the UPC-E
/// symbol is the one of the UPC-A number it stands for.
///
/// The number is suppressed by the first rule that fits:
/// - manufacturer ending in 000, 100 or 200 with a product of 00000 to 00999;
/// - manufacturer ending in 00 with a product of 00000 to 00099;
/// - manufacturer ending in 0 with a product of 00000 to 00009;
/// - any other manufacturer with a product of 00005 to 00009.
///
/// Returns nullopt when \a upcA11 is not 11 digits, its number system is not 0 or 1, or no
/// rule fits (the number has no UPC-E form).
std::optional<QString> upcAToUpcE(const QString &upcA11);

/// Expands UPC-E data (\a upcE7: number system 0 or 1 and six digits, no check digit) into
/// the 11 digits of the UPC-A number it stands for, whose check digit is also the UPC-E
/// symbol's. nullopt when \a upcE7 is not 7 digits or its number system is not 0 or 1.
std::optional<QString> upcEToUpcA(const QString &upcE7);

} // namespace Kelbrix
