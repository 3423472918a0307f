#pragma once

#include "list/line_reader.h"
#include "list/list_files.h"

#include <QByteArray>

namespace Kelbrix::ListFileErrors {

// Runtime error numbers the list readers and the writer give.
inline constexpr int SubscriptOutOfRange = 9; // more records or lines than the caps allow
inline constexpr int BadFileMode = 54;        // the device is not open for reading, or not a list file
inline constexpr int BadRecordLength = 59;    // a malformed, empty or over-long line

/// Records the error \a number at \a line (0: none) in \a result, with \a reason as the
/// message (a sentence).
void setError(ListReadResult &result, int number, qint64 line, const QString &reason);

/// Records the error a LineReader reported with \a status (anything but Line and End).
void setReaderError(ListReadResult &result, const LineReader &reader, LineReader::Status status);

/// The bytes of \a records in QZ2 form, or a refusal: when a record cannot be written, the
/// result names it and \a reason receives a lower-case clause saying why.
ListWriteResult encodeQz2(const QList<ListRecord> &records, QByteArray &out, QString &reason);

/// Writes all of \a bytes to \a device in chunks; false as soon as the device takes nothing.
bool writeAll(QIODevice &device, const QByteArray &bytes);

} // namespace Kelbrix::ListFileErrors
