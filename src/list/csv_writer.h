#pragma once

#include "base/safe_save.h"
#include "list/list_record.h"

#include <QByteArray>
#include <QList>

class QIODevice;

namespace Kelbrix {

/// The barcode of \a record as it is printed: EAN, UPC and SCC-14 entries completed with
/// their check digit (UPC-E with the one of the UPC-A number it stands for); ISBN and Code 39
/// as stored. An entry that does not fit its type is given as it is.
QString fullBarcode(const ListRecord &record);

/// \a records as CSV: UTF-8 after a byte-order mark, comma separated, lines ended by CR LF,
/// a header row "Product,Barcode,Supplement,Text,Type,TypeCode", then one row per record with
/// the full barcode, the type's name ("EAN 13+2") and its TypeCode. A field is quoted when it
/// holds a comma, a double quote (doubled), a line break, or blanks at either end. When records
/// hold GS1 data, one column follows per AI present, in the order the AIs first come, headed
/// with the AI in brackets and its English short name ("(10) Batch"), as the import reads it.
QByteArray csvBytes(const QList<ListRecord> &records);

/// Appends \a field to a CSV row in \a out, UTF-8, quoted as csvBytes() quotes: when it holds
/// \a separator, a double quote (doubled), a line break, or blanks at either end.
void appendCsvField(QByteArray &out, const QString &field, char separator = ',');

/// Writes csvBytes(records) to \a device; false when the device takes fewer bytes.
bool writeCsv(QIODevice &device, const QList<ListRecord> &records);

/// Saves \a records as the CSV file \a path through the save helper: a failure leaves the old
/// file as it was and the message names the file.
SaveResult saveCsvFile(const QString &path, const QList<ListRecord> &records);

} // namespace Kelbrix
