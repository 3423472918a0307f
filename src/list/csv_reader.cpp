#include "list/csv_reader.h"

#include "list/code_page_1252.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at \a i (2 to 4), or 0 when the bytes there are none.
int utf8SequenceLength(const unsigned char *bytes, qsizetype i, qsizetype size)
{
    const unsigned char lead = bytes[i];
    int length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // no overlong forms
        else if (lead == 0xED)
            high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F; // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (i + length > size || bytes[i + 1] < low || bytes[i + 1] > high)
        return 0;
    for (int k = 2; k < length; ++k) {
        if (!isContinuation(bytes[i + k]))
            return 0;
    }
    return length;
}

} // namespace

CsvReader::CsvReader(QByteArray bytes) : m_bytes(std::move(bytes))
{
    detectEncoding();
    if (ok())
        detectSeparator();
}

CsvReader CsvReader::fromFile(const QString &path)
{
    const QString name = QDir::toNativeSeparators(path);
    QFile file(path);
    const QFileInfo info(path);
    CsvReader reader;
    if (info.exists() && !info.isFile()) {
        reader.fail(0, QCoreApplication::translate("ListFiles", "%1 is no file that can be read.").arg(name));
        return reader;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        reader.fail(0,
                    QCoreApplication::translate("ListFiles", "Could not open %1: %2.").arg(name, file.errorString()));
        return reader;
    }
    if (file.size() > CsvLimits::MaxFileSize) {
        reader.fail(0, QCoreApplication::translate("ListFiles", "%1 is larger than %2 MB and was not read.")
                           .arg(name)
                           .arg(CsvLimits::MaxFileSize >> 20));
        return reader;
    }
    QByteArray bytes = file.read(CsvLimits::MaxFileSize + 1);
    if (bytes.size() > CsvLimits::MaxFileSize) {
        reader.fail(0, QCoreApplication::translate("ListFiles", "%1 is larger than %2 MB and was not read.")
                           .arg(name)
                           .arg(CsvLimits::MaxFileSize >> 20));
        return reader;
    }
    if (file.error() != QFileDevice::NoError) {
        reader.fail(0,
                    QCoreApplication::translate("ListFiles", "Could not read %1: %2.").arg(name, file.errorString()));
        return reader;
    }
    return CsvReader(std::move(bytes));
}

void CsvReader::fail(qint64 line, const QString &message)
{
    m_error = message;
    m_errorLine = line;
    m_position = m_bytes.size();
}

void CsvReader::detectEncoding()
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(m_bytes.constData());
    const qsizetype size = m_bytes.size();
    qsizetype i = 0;
    const bool bom = size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
    if (bom)
        i = 3;
    qint64 line = 1;
    qint64 firstUtf8 = 0;    // line of the first valid multi-byte sequence
    qint64 firstNonUtf8 = 0; // line of the first byte that is not UTF-8
    while (i < size) {
        const unsigned char b = bytes[i];
        if (b < 0x80) {
            if (b == 0) {
                fail(line, QCoreApplication::translate("ListFiles", "Line %1 holds a NUL byte: this is no text file.")
                               .arg(line));
                return;
            }
            if (b == '\n' || (b == '\r' && (i + 1 >= size || bytes[i + 1] != '\n')))
                ++line;
            ++i;
            continue;
        }
        if (const int length = utf8SequenceLength(bytes, i, size)) {
            if (!firstUtf8)
                firstUtf8 = line;
            i += length;
        } else {
            if (!firstNonUtf8)
                firstNonUtf8 = line;
            ++i;
        }
    }
    if (bom && firstNonUtf8) {
        fail(firstNonUtf8,
             QCoreApplication::translate(
                 "ListFiles",
                 "Line %1 is not UTF-8 text, although the file starts as UTF-8. Save the file again in one encoding.")
                 .arg(firstNonUtf8));
        return;
    }
    if (firstUtf8 && firstNonUtf8) {
        const qint64 at = qMax(firstUtf8, firstNonUtf8);
        fail(at, QCoreApplication::translate(
                     "ListFiles",
                     "Line %1 mixes UTF-8 and Windows-1252 text in one file. Save the file again in one encoding.")
                     .arg(at));
        return;
    }
    if (bom) {
        m_encoding = CsvEncoding::Utf8WithBom;
        m_position = 3;
    } else {
        m_encoding = firstNonUtf8 ? CsvEncoding::Windows1252 : CsvEncoding::Utf8;
    }
}

void CsvReader::detectSeparator()
{
    const char *data = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    qsizetype i = m_position;
    while (i < size && (data[i] == '\r' || data[i] == '\n'))
        ++i;
    int commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (const qsizetype end = qMin(size, i + CsvLimits::MaxRowBytes); i < end; ++i) {
        const char c = data[i];
        if (c == '"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == '\r' || c == '\n')
            break;
        else if (c == ',')
            ++commas;
        else if (c == ';')
            ++semicolons;
        else if (c == '\t')
            ++tabs;
    }
    if (tabs > 0 && tabs >= semicolons && tabs >= commas)
        m_separator = '\t';
    else if (semicolons > 0 && semicolons >= commas)
        m_separator = ';';
    else
        m_separator = ',';
}

QString CsvReader::decode(const char *data, qsizetype size) const
{
    if (m_encoding == CsvEncoding::Windows1252)
        return CodePage1252::decode(QByteArrayView(data, size));
    return QString::fromUtf8(data, size);
}

bool CsvReader::readRow(CsvRow &row)
{
    const char *data = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    qsizetype i = m_position;
    // Empty lines are no rows.
    while (i < size && (data[i] == '\r' || data[i] == '\n')) {
        if (data[i] == '\n' || i + 1 >= size || data[i + 1] != '\n')
            ++m_line;
        ++i;
    }
    m_position = i;
    if (i >= size)
        return false;

    const qsizetype rowStart = i;
    row.line = m_line;
    row.fields.clear();
    const auto tooLong = [&](qsizetype at) {
        if (at - rowStart <= CsvLimits::MaxRowBytes)
            return false;
        fail(row.line, QCoreApplication::translate("ListFiles", "Line %1 is longer than %2 bytes.")
                           .arg(row.line)
                           .arg(CsvLimits::MaxRowBytes));
        return true;
    };
    for (;;) {
        if (i < size && data[i] == '"') {
            const qint64 openLine = m_line;
            ++i;
            QByteArray unquoted;
            qsizetype segment = i;
            for (;;) {
                const void *found = std::memchr(data + i, '"', size_t(size - i));
                const qsizetype quote = found ? static_cast<const char *>(found) - data : size;
                if (tooLong(quote))
                    return false;
                if (!found) {
                    fail(openLine,
                         QCoreApplication::translate("ListFiles", "Line %1 opens a quoted field that is never closed.")
                             .arg(openLine));
                    return false;
                }
                for (qsizetype k = i; k < quote; ++k) {
                    if (data[k] == '\n' || (data[k] == '\r' && data[k + 1] != '\n'))
                        ++m_line;
                }
                if (quote + 1 < size && data[quote + 1] == '"') {
                    unquoted.append(data + segment, quote + 1 - segment);
                    i = segment = quote + 2;
                    continue;
                }
                i = quote + 1;
                if (unquoted.isEmpty()) {
                    row.fields.append(decode(data + segment, quote - segment));
                } else {
                    unquoted.append(data + segment, quote - segment);
                    row.fields.append(decode(unquoted.constData(), unquoted.size()));
                }
                break;
            }
            if (i < size && data[i] != m_separator && data[i] != '\r' && data[i] != '\n') {
                fail(m_line,
                     QCoreApplication::translate("ListFiles", "Line %1 has text after the closing quote of field %2.")
                         .arg(m_line)
                         .arg(row.fields.size()));
                return false;
            }
        } else {
            const qsizetype start = i;
            while (i < size && data[i] != m_separator && data[i] != '\r' && data[i] != '\n')
                ++i;
            if (tooLong(i))
                return false;
            row.fields.append(decode(data + start, i - start));
        }
        if (i < size && data[i] == m_separator) {
            ++i;
            continue;
        }
        // The end of the row: its line end, or the end of the file.
        if (i < size) {
            if (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n')
                ++i;
            ++i;
            ++m_line;
        }
        m_position = i;
        return true;
    }
}

QList<CsvRow> readCsvRows(CsvReader &reader, qsizetype count)
{
    QList<CsvRow> rows;
    CsvRow row;
    while (rows.size() < count && reader.readRow(row))
        rows.append(row);
    return rows;
}

} // namespace Kelbrix
