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
ListWriteResult encodeQz2(const QList<ListRecord> &records, QByteArray &out, QString &reason,
                          ListFileEncoding encoding = ListFileEncoding::CodePage1252);

/// \a line without the blanks (spaces, tabs) before an opening double quote; unchanged when
/// no quote follows them.
QByteArrayView withoutLeadingBlanks(QByteArrayView line);

/// The text of \a bytes of a list file: UTF-8 when \a utf8 (the file had a byte-order mark),
/// else Windows-1252.
QString decodeListText(QByteArrayView bytes, bool utf8);

/// \a character as a message names it: the character in quotes and its code ("\"Ł\" (U+0141)"),
/// or the code alone for a control character or surrogate.
QString characterName(char32_t character);

/// \a product as a message shows it: on one line, cut short when it is very long.
QString productForMessage(const QString &product);

/// Writes all of \a bytes to \a device in chunks; false as soon as the device takes nothing.
bool writeAll(QIODevice &device, const QByteArray &bytes);

} // namespace Kelbrix::ListFileErrors
