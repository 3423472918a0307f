#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Kelbrix {

/// Limits that protect the CSV reader against absurd or hostile files.
namespace CsvLimits {
/// Bytes in one row, quoted line breaks and the line end included. A longer row stops the reading.
inline constexpr qsizetype MaxRowBytes = 65536;
/// Bytes in one file, as for list files: a larger file is refused unread.
inline constexpr qint64 MaxFileSize = 160 * 1024 * 1024;
} // namespace CsvLimits

/// The text encodings a CSV file is read in.
enum class CsvEncoding {
    Utf8,        ///< valid UTF-8 throughout (plain ASCII reads as this)
    Utf8WithBom, ///< UTF-8 after a byte-order mark
    Windows1252, ///< anything that is not valid UTF-8 and holds no UTF-8 sequence
};

/// One row of a CSV file: the line it starts on (1-based) and its fields, as text.
struct CsvRow {
    qint64 line = 0;
    QStringList fields;
};

/// Reads comma, semicolon or tab separated values (RFC 4180 quoting: a field in double quotes
/// may hold the separator, line breaks and doubled quotes standing for one) row by row, so a
/// caller keeps only what it needs of a large file.
///
/// The whole file is looked at once when it is set: the encoding is UTF-8 after a byte-order
/// mark, else UTF-8 when every byte sequence is valid UTF-8, else Windows-1252. A file that
/// holds a NUL byte, or valid UTF-8 sequences beside bytes that are not UTF-8 (two encodings in
/// one file), is refused before any row is read: error() names the line. The separator is the
/// one of the three that the first row holds most often outside quotes (on a tie: tab, then
/// semicolon, then comma; a row with none of them is one column). Empty lines are skipped.
/// Lines end in CR LF, LF or CR.
class CsvReader {
public:
    /// A reader of \a bytes.
    explicit CsvReader(QByteArray bytes = {});

    /// Reads the file at \a path; a file that cannot be read, or is over the size cap, gives
    /// a reader whose error() names the file and why.
    static CsvReader fromFile(const QString &path);

    /// The next row into \a row; false at the end of the file or at an error (see error()).
    bool readRow(CsvRow &row);

    /// Why reading stopped early, naming the line; empty while all is well.
    const QString &error() const { return m_error; }
    /// The line of the error; 0 when there is none or it concerns the whole file.
    qint64 errorLine() const { return m_errorLine; }
    bool ok() const { return m_error.isEmpty(); }

    CsvEncoding encoding() const { return m_encoding; }
    /// The separator: u',', u';' or u'\t'.
    QChar separator() const { return QLatin1Char(m_separator); }

private:
    void detectEncoding();
    void detectSeparator();
    void fail(qint64 line, const QString &message);
    QString decode(const char *data, qsizetype size) const;

    QByteArray m_bytes;
    qsizetype m_position = 0;
    qint64 m_line = 1;
    CsvEncoding m_encoding = CsvEncoding::Utf8;
    char m_separator = ',';
    QString m_error;
    qint64 m_errorLine = 0;
};

/// The first \a count rows of \a reader (fewer at its end or at an error), for a preview.
QList<CsvRow> readCsvRows(CsvReader &reader, qsizetype count);

} // namespace Kelbrix
