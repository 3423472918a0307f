#pragma once

#include "list/csv_reader.h"
#include "list/list_record.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace Kelbrix {

class BarcodeList;

/// A column of GS1 data: its cells are the values of one AI, which become the record's own
/// GS1 data (ListRecord::gs1).
struct CsvAiColumn {
    int column = -1; ///< 0-based
    /// The AI, "10" or "3103"; or a family of measures such as "310n" (a header that named the
    /// measure by its name, "Net weight"), whose cells are decimal numbers, "0.750" or "0,750":
    /// the number of decimals is the AI's last digit.
    QString ai;
    friend bool operator==(const CsvAiColumn &, const CsvAiColumn &) = default;
};

/// Which column of a CSV file holds which field of a record (0-based; -1 for none), and the
/// type of rows that give none.
struct CsvColumns {
    int product = -1;
    int barcode = -1;
    int supplement = -1;
    int text = -1;
    int type = -1;
    /// The TypeCode of every row whose type column is missing or empty; empty to take EAN-13
    /// for 12 or 13 digits and EAN-8 for 7 or 8.
    QString fixedType;
    /// The columns of GS1 data, in column order.
    QList<CsvAiColumn> ai;
};

/// The columns named by a header row, in English or Swedish ("Product", "Produkt", "EAN",
/// "GTIN", "Barcode", "Streckkod", "Digit Sup.", "Tillägg", "Text", "Type", "Typ", ...),
/// letter case, blanks, dots, dashes and underscores aside. A column named "TypeCode" is
/// preferred to one named "Type". A column whose header names no field but an AI
/// (aiForColumnHeader: "(10)", "Batch", "Utgångsdatum", "Net weight") is a column of GS1 data;
/// one that names the GTIN, (01), is not: the barcode column holds it. nullopt when no column
/// names a barcode.
std::optional<CsvColumns> columnsFromHeader(const QStringList &header);

/// The columns named by a list such as "product,barcode,,text": the n-th name is the field of
/// column n; an empty name or "-" skips a column; an AI by its digits ("ai10", "(10)", "ai3103")
/// makes a column of GS1 data. nullopt, with the reason in \a error, for an unknown name, a field
/// or AI named twice, the GTIN (01), or no barcode.
std::optional<CsvColumns> columnsFromList(const QString &list, QString *error);

/// True when \a firstRow is a header rather than a record: one of its cells names a field, or
/// the cell in the barcode column holds no digit.
bool isHeaderRow(const QStringList &firstRow, const CsvColumns &columns);

/// The TypeCode of a type name or code in a CSV file: a TypeCode ("E130", "E80", "Co39"),
/// or a name ("EAN 13", "EAN-8", "UPC A", "UPC A to E", "ISBN", "SCC-14", "Code 39"), either
/// one maybe followed by "+2" or "+5" for the add-on. An empty text for anything else.
QString typeCodeFromName(const QString &name);

/// The name a CSV file gives a TypeCode: "EAN 13", "EAN 13+2", "Code 39", ...
QString typeNameForCsv(const QString &typeCode);

/// A record made of one row, or why the row is refused.
struct CsvRowCheck {
    ListRecord record;
    QString refusal; ///< empty when the row makes a record
};

/// The rules of Add to List for one row's fields (before the duplicate checks): a type the
/// catalogue knows, a supplement of the length the type takes (a type without add-on and a
/// supplement of 2 or 5 digits is that type with that add-on), an EAN or UPC barcode of its
/// entry length or one more digit whose check digit must be right (the record keeps the entry
/// without it, as the entry box does), an ISBN with its three dividers and a right check
/// character, Code 39 characters (lower-case letters become capitals) up to the longest the
/// renderer draws, and texts a list file can hold.
CsvRowCheck checkCsvRow(const QString &product, const QString &barcode, const QString &supplement, const QString &text,
                        const QString &type);

/// How products that are already in the list are answered, once for the whole import.
enum class DuplicateProducts {
    KeepAll, ///< "Keep all": the row is added (unless its barcode is already issued)
    SkipAll, ///< "Skip all": the row is left out
};

/// A row that was not imported.
struct RefusedRow {
    qint64 line = 0; ///< where the row starts in the file
    QString held;    ///< the row's fields, joined by the file's separator
    QString reason;
};

/// What an import made of a file.
struct CsvImportResult {
    QList<ListRecord> accepted; ///< in file order
    QList<RefusedRow> refused;
    /// Why the file could not be read, naming the line; then nothing is accepted.
    QString error;
    /// The first line that was not read because the list would have been full; 0 when every
    /// row was read.
    qint64 unreadFromLine = 0;
    qsizetype rowsRead = 0; ///< data rows read, the header not counted
    /// Accepted rows whose product was already in the list or an earlier row (kept because
    /// they were to be kept); a skip-all import would leave them out.
    qsizetype keptProducts = 0;
    bool header = false; ///< the first row was a header
    bool ok() const { return error.isEmpty(); }
    /// True when every row of the file became a record.
    bool complete() const { return ok() && refused.isEmpty() && unreadFromLine == 0; }
    /// The report the user sees and may save: what was imported, then one line per refused row.
    QString reportText() const;
};

/// Imports the rows of \a reader (rows already read are not looked at again). \a columns
/// nullopt: taken from the header row. The non-empty cells of the GS1 columns become the
/// record's GS1 data, in column order; they are checked as one 2D symbol would carry them after
/// the (01) of the row's GTIN (Code 39 has none), and a row whose data is refused is refused
/// with the first problem found. \a list (may be null) is the list the records are to
/// be appended to; its product list and barcode index, and the rows accepted before, serve
/// the duplicate checks of Add to List: a row with a non-empty product whose barcode is
/// already issued is refused; one whose product is already there is answered by \a products.
/// At most as many rows are accepted as the list has room for; the rest of the file is not
/// read and unreadFromLine says where it starts. Nothing is appended to \a list.
CsvImportResult importCsv(CsvReader &reader, std::optional<CsvColumns> columns, const BarcodeList *list,
                          DuplicateProducts products);

} // namespace Kelbrix
