#pragma once

#include "barcode/edition.h"
#include "list/list_record.h"

#include <QList>
#include <QString>

#include <optional>

namespace Kelbrix {

/// Where the barcode and the supplement sit in the code field of an older (QZL, Ornatec)
/// entry of one TypeCode. The code field ends the entry: the main code, then the supplement,
/// optionally with one blank or "-" between them that belongs to neither.
struct CodeFieldLayout {
    QString typeCode;     ///< 4 characters, e.g. "E132" or "E80 "
    int mainLength;       ///< digits of the main code: 13, 12 or 8
    int supplementLength; ///< 0, 2 or 5
};

/// The twelve TypeCodes the older formats hold, with their code field layout.
const QList<CodeFieldLayout> &codeFieldLayouts();

/// The layout of \a typeCode, or nullptr for a TypeCode the older formats do not have.
const CodeFieldLayout *findCodeFieldLayout(const QString &typeCode);

/// How one older entry was read.
enum class OlderEntryStatus {
    Record,      ///< the entry became a record
    Skipped,     ///< the first four characters are blank (or the entry is empty): no record
    UnknownType, ///< the first four characters are no TypeCode of the older formats
    TooShort,    ///< the entry cannot hold a product part in front of its code field
    NotDigits,   ///< the main code or the supplement holds something other than digits 0-9
};

/// Reads an older entry: "TypeCode blank product blank code field". With N the entry length
/// and L the code field length (main code plus supplement, plus one when the character just
/// before the supplement is a blank or "-"), the record gets Type = the TypeCode, Barcode =
/// the main code at the start of the last L characters, Digit Sup. = the last 2 or 5
/// characters (empty for TypeCodes without supplement), Product = the N - L - 6 characters
/// from the sixth on, and an empty Text. The main code and the supplement must be digits, so
/// that a damaged line is reported rather than turned into a record with a made-up
/// barcode. \a record is only set for Status::Record.
OlderEntryStatus readOlderEntry(const QString &entry, ListRecord &record);

/// What a click on a product list entry puts into the entry: the TypeCode (the entry's first
/// four characters) and the barcode box text (the entry from its sixth character on).
struct OlderEntrySelection {
    QString typeCode;
    QString barcodeText;
};

/// The selection a click on the product list entry \a entry makes, or nothing when the
/// entry belongs to the other family than the edition offers ("U" entries in the EAN
/// edition, "E" entries in the UPC edition).
std::optional<OlderEntrySelection> selectOlderEntry(const QString &entry, Edition edition);

} // namespace Kelbrix
