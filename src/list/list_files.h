#pragma once

#include "list/list_record.h"

#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

namespace Kelbrix {

/// Limits that protect the list readers against absurd or hostile files. A file that
/// reaches a limit is read up to that point and refused with a runtime error number; the
/// writer refuses lists that could not be read back under the same limits.
namespace ListFileLimits {
/// Bytes in one line, line end not counted (a QZ2 field thus holds at most 4094 characters
/// between its quotes). Longer lines give runtime error 59.
inline constexpr qsizetype MaxLineLength = 4096;
/// Records in one QZ2 file, the most the barcode list holds; a further record gives
/// runtime error 9.
inline constexpr qsizetype MaxRecords = 1'000'000;
/// Lines in a QZL or Ornatec file (the entry buffer of the older formats); a further line
/// gives runtime error 9.
inline constexpr qsizetype MaxOlderFormatLines = 32002;
/// Bytes in one list file: 160 MiB, room for the record cap at about 168 bytes a record,
/// over three times a typical record (about 50 bytes), while the list read from it stays
/// well under a gigabyte of memory. A larger file gives runtime error 7, refused before
/// anything is read when its size is known.
inline constexpr qint64 MaxFileSize = 160 * 1024 * 1024;
} // namespace ListFileLimits

/// The list file kinds, chosen by file name extension.
enum class ListFileFormat {
    Unknown,  ///< any other name: "Wrong File Format"
    Qz2,      ///< ".qz2", the current format, read and written
    Qzl,      ///< ".qzl", read only
    Ornatec,  ///< ".bar", read only
    ImageList ///< ".rtf", the barcode image list, which these readers do not handle
};

/// The format named by the extension of \a path, in any letter case.
ListFileFormat listFileFormatFor(const QString &path);

/// Shows "Sorry, Wrong file format." (title "Wrong File Format", exclamation icon, Help
/// context 3031) through the user prompt.
void showWrongFileFormat();

/// The name a list is saved under by "Save List": \a path with its list extension (".qzl",
/// ".bar") replaced by "qz2", so "LIST.BAR" becomes "LIST.qz2". A ".qz2" name in any letter
/// case is kept as it is; a name without a list extension gets ".qz2" appended.
QString qz2FileName(const QString &path);

/// What a list reader produced. Reading stops at the first error; the records read before it
/// are kept. A list whose file was not read completely must not be saved back over that file
/// without the user choosing it again: the records past the error exist only in the file.
struct ListReadResult {
    QList<ListRecord> records;
    /// For QZL and Ornatec files: every line read, as the entry it became (with an Ornatec
    /// line's "E130 " in front, empty lines as empty entries), in file order. This is what
    /// the product list shows after such a load. Empty for QZ2 files.
    QStringList productList;
    int runtimeError = 0; ///< 0, or the runtime error number for the failure (62, 59, 9, 7, ...)
    qint64 line = 0;      ///< 1-based line at which reading failed; 0 when none applies
    QString message;      ///< a sentence for the user naming the line (and file); empty on success
    /// True when nothing of the file was read: it could not be opened, is no regular file, or
    /// is over the size cap (then records and productList are empty).
    bool refusedUnread = false;
    /// True when the file started with a UTF-8 byte-order mark and was read as UTF-8.
    bool utf8 = false;

    bool ok() const { return runtimeError == 0; }
    /// True when the whole file was read: every record it holds is in records.
    bool complete() const { return runtimeError == 0; }
    /// How many records were read (all of the file's when complete(), else those before the error).
    qsizetype recordsRead() const { return records.size(); }
};

/// Reads a QZ2 list from \a device, which must be open for reading. Each record is five
/// lines, Product, Barcode, Digit Sup., Text and Type, each field enclosed in double quotes
/// (anything between the first and the last quote belongs to the field, quotes included;
/// blanks before the opening quote are ignored). The text is Windows-1252, or UTF-8 when the
/// file starts with a UTF-8 byte-order mark; lines end in CR LF, LF or CR;
/// a line that is empty altogether stands for an empty Digit Sup. or Text. Empty lines at
/// the very end of the file are ignored.
/// Errors: 62 when the file ends inside a record; 59 for an empty Product, Barcode or Type
/// line, a line that is not enclosed in quotes, or a line over the length cap; 9 past the
/// record cap; 7 past the size cap; 57 when the device fails; 54 when it is not readable.
ListReadResult readQz2(QIODevice &device);
/// The same for the file at \a path; failures to open it give 53 (missing), 70 (permission
/// denied) or 75 (also for anything that is no regular file, such as a FIFO or a device,
/// which is never opened), and the message names the file.
ListReadResult readQz2(const QString &path);

/// Reads a QZL list: each line is an older entry "TypeCode blank product blank code field"
/// (a line starting with a double quote, after any blanks, must end with one, and the blanks
/// and both quotes are dropped). Text and line ends as for QZ2. Entries
/// whose first four characters are blank are skipped. Errors: 59 for an entry of a TypeCode
/// the format does not have, an entry too short for its code field or whose code field is
/// not all digits, a quoted line without its closing quote, or a line over the length cap;
/// 9 for more lines than the entry buffer holds; 7, 57, 54 as for QZ2.
ListReadResult readQzl(QIODevice &device);
ListReadResult readQzl(const QString &path);

/// Reads an Ornatec ".BAR" list: each non-empty line is a product text, a blank and a
/// 13-digit EAN-13 code, and becomes the older entry "E130 " + line. Errors as for QZL.
ListReadResult readOrnatec(QIODevice &device);
ListReadResult readOrnatec(const QString &path);

/// Reads the list file at \a path in the format its extension names. Any other extension
/// (including ".rtf") gives runtime error 54 and a message, without opening the file; call
/// listFileFormatFor first to show "Wrong File Format" instead.
ListReadResult readListFile(const QString &path);

/// What the QZ2 writer did.
struct ListWriteResult {
    bool ok = false;
    /// The runtime error number of a failed write (57, 61, 70, 75, ...). 0 when nothing was
    /// written because a record cannot be held by the file format; the message then says why.
    int runtimeError = 0;
    QString message;        ///< a sentence for the user; names the file when there is one; empty on success
    qsizetype record = 0;   ///< 1-based number of the record that was refused, else 0
    QString product;        ///< Product of that record
    char32_t character = 0; ///< the character that was refused, or 0 when the record was refused for its length
};

/// Writes \a records to \a device in QZ2 form: five lines per record, each field between
/// double quotes, in the Windows-1252 code page, every line ended by CR LF. Every record is
/// checked before the first byte is written: a field with a character the code page cannot
/// hold, with a line break, or too long for a reader to accept, and a list longer than the
/// record cap, are refused and nothing is written. A device that takes fewer bytes than it
/// is given makes the write fail (57) at that point.
ListWriteResult writeQz2(QIODevice &device, const QList<ListRecord> &records);

/// The text encodings a QZ2 file is written in.
enum class ListFileEncoding {
    CodePage1252, ///< the list file's own code page, as every older program reads it
    Utf8WithBom,  ///< UTF-8 after a byte-order mark, for lists the code page cannot hold
};

/// Writes \a records as writeQz2 does, in UTF-8 after a byte-order mark: every character
/// can be held, while line breaks and over-long lines (counted in bytes) are still refused.
ListWriteResult writeQz2Utf8(QIODevice &device, const QList<ListRecord> &records);

/// Saves \a records as the QZ2 file \a path through a temporary file that replaces the old
/// file only once every byte is written. A refused record or any failure leaves the old
/// file exactly as it was; the message then names the file.
ListWriteResult saveListFile(const QString &path, const QList<ListRecord> &records,
                             ListFileEncoding encoding = ListFileEncoding::CodePage1252);

/// Saves \a records as saveListFile does. When a record holds a character the code page
/// cannot hold, asks first (through the user prompt) whether to save the list as UTF-8 with
/// a byte-order mark, naming the first such record and character and warning that older
/// programs may show such characters wrongly. Yes saves it so; No refuses as saveListFile
/// does, leaving the old file as it was. A list the code page holds is saved exactly as
/// saveListFile saves it, without a question.
ListWriteResult saveListFileAsking(const QString &path, const QList<ListRecord> &records);

} // namespace Kelbrix
