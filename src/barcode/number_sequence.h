#pragma once

#include <QString>
#include <QStringList>

namespace Kelbrix {

/// What to number: a GS1 company prefix of 6 to 11 digits, the item reference to start at,
/// how many numbers, and the product text of each, where "{n}" stands for the number's place
/// in the sequence (1 for the first).
struct NumberSequenceRequest {
    QString companyPrefix;
    QString firstItemReference; ///< digits; shorter than the item reference field is filled with leading zeros
    qint64 count = 0;
    QString productPattern = QStringLiteral("Item {n}");
};

/// One number of a sequence, as the barcode list stores it and as it is printed.
struct SequenceNumber {
    QString product;
    QString entry;    ///< the barcode as entered: EAN-13 12 digits, UPC-A 11, without check digit
    QString fullCode; ///< the 13 digits of the EAN-13 (or 12 of the UPC-A) with the check digit
    QString type;     ///< "E130", or "UPA0" for a prefix that starts with 0
};

/// The sequence, or why there is none (then numbers is empty).
struct NumberSequence {
    QList<SequenceNumber> numbers;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

/// Most numbers one sequence makes: as many as the barcode list holds.
inline constexpr qint64 kMaxSequenceCount = 1'000'000;

/// Numbers request.count items in sequence from request.firstItemReference under the company
/// prefix. The prefix and the item reference together make the 12 digits of EAN-13 data, so
/// the item reference has 12 minus the prefix length digits. A prefix that starts with 0 makes
/// UPC-A numbers (the EAN-13 without its leading 0). Refused, with a sentence saying why: a
/// prefix that is not 6 to 11 digits, an item reference that is not digits or does not fit,
/// a count below 1 or above kMaxSequenceCount, and a sequence running past the last item
/// reference of the prefix, whose message says how many numbers were asked and how many are left.
NumberSequence makeNumberSequence(const NumberSequenceRequest &request);

} // namespace Kelbrix
