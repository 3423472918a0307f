#pragma once

#include "gs1/element_string.h"

#include <QList>
#include <QString>
#include <QStringList>

class QDebug;

namespace Kelbrix {

/// The five columns of the barcode list, in the order they are shown and stored.
enum class ListColumn { Product, Barcode, DigitSup, Text, Type };

/// One record of the barcode list: the five text columns "Product", "Barcode", "Digit Sup.",
/// "Text" and "Type". Every column is plain text; Digit Sup. and Text may be empty, and Type
/// holds a 4-character TypeCode such as "E130" or "E80 " (with its trailing blank).
struct ListRecord {
    QString product;
    QString barcode;
    QString digitSup;
    QString text;
    QString type;
    /// The record's own GS1 data for a 2D symbol (batch, expiry, serial...), from the AI columns
    /// of a CSV file; not one of the five columns, and not kept in QZ2 list files.
    QList<Gs1Element> gs1 = {};

    /// The text of \a column.
    QString field(ListColumn column) const;

    friend bool operator==(const ListRecord &, const ListRecord &) = default;
};

/// The header caption of \a column: "Product", "Barcode", "Digit Sup.", "Text" or "Type".
QString listColumnCaption(ListColumn column);

/// The pass that runs after a QZ2 list has been loaded: wherever two neighbouring records
/// have the same Barcode (compared exactly, case and all), the later one is removed, so a
/// run of equal barcodes leaves only its first record. Records keep their order.
/// \returns the positions (0-based, in the list as it was before the pass, ascending) of the
///          records that were removed; empty when nothing changed.
QList<qsizetype> removeConsecutiveDuplicateBarcodes(QList<ListRecord> &records);

/// Writes the five columns, for test failure output and logs.
QDebug operator<<(QDebug debug, const ListRecord &record);

} // namespace Kelbrix
