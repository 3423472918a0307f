#include "list/code_page_1252.h"
#include "list/line_reader.h"
#include "list/list_file_errors.h"
#include "list/list_files.h"

#include "base/runtime_errors.h"

#include <QCoreApplication>
#include <QIODevice>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

using namespace ListFileErrors;

namespace {

constexpr int kColumns = 5;
constexpr ListColumn kColumnOrder[kColumns] = {ListColumn::Product, ListColumn::Barcode, ListColumn::DigitSup,
                                               ListColumn::Text, ListColumn::Type};
constexpr qsizetype kMaxFieldLength = ListFileLimits::MaxLineLength - 2;
constexpr qsizetype kWriteChunk = 64 * 1024;

bool mayBeEmptyLine(ListColumn column)
{
    return column == ListColumn::DigitSup || column == ListColumn::Text;
}

QString &fieldOf(ListRecord &record, ListColumn column)
{
    switch (column) {
    case ListColumn::Product:
        return record.product;
    case ListColumn::Barcode:
        return record.barcode;
    case ListColumn::DigitSup:
        return record.digitSup;
    case ListColumn::Text:
        return record.text;
    case ListColumn::Type:
        break;
    }
    return record.type;
}

void setEmptyLineError(ListReadResult &result, qint64 lineNumber, ListColumn column)
{
    setError(result, BadRecordLength, lineNumber,
             QCoreApplication::translate("ListFiles", "Line %1: the %2 line is empty.")
                 .arg(QString::number(lineNumber), listColumnCaption(column)));
}

// Reads one field line into \a field. Nothing inside the quotes is escaped, so the field
// is everything between the first and the last character, double quotes included. Blanks
// before the opening quote, as some programs wrote them, are not part of the field.
bool readField(ListReadResult &result, qint64 lineNumber, QByteArrayView line, ListColumn column, QString &field,
               bool utf8)
{
    line = withoutLeadingBlanks(line);
    if (line.isEmpty()) {
        if (mayBeEmptyLine(column)) {
            field.clear();
            return true;
        }
        setEmptyLineError(result, lineNumber, column);
        return false;
    }
    if (line.size() < 2 || !line.startsWith('"') || !line.endsWith('"')) {
        setError(result, BadRecordLength, lineNumber,
                 QCoreApplication::translate("ListFiles", "Line %1: the %2 field is not enclosed in double quotes.")
                     .arg(QString::number(lineNumber), listColumnCaption(column)));
        return false;
    }
    field = decodeListText(line.sliced(1, line.size() - 2), utf8);
    return true;
}

// The first character of \a field that is no whole Unicode character (a lone surrogate), or 0.
char32_t firstBrokenCharacter(const QString &field)
{
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field.at(i);
        if (c.isHighSurrogate() && i + 1 < field.size() && field.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return c.unicode();
    }
    return 0;
}

} // namespace

namespace ListFileErrors {

QString characterName(char32_t character)
{
    const QString code = u"U+%1"_s.arg(uint(character), 4, 16, QChar(u'0')).toUpper();
    if (character < 0x20 || (character >= 0x7F && character < 0xA0) || (character >= 0xD800 && character < 0xE000))
        return code;
    return u"\"%1\" (%2)"_s.arg(QString::fromUcs4(&character, 1), code);
}

// The product as a message shows it: on one line, and cut short when it is very long.
QString productForMessage(const QString &product)
{
    constexpr qsizetype shown = 40;
    QString text = product.size() > shown ? product.left(shown) + u"..."_s : product;
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    return text;
}

} // namespace ListFileErrors

namespace {

qsizetype firstLineBreak(const QString &field)
{
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field.at(i) == u'\n' || field.at(i) == u'\r')
            return i;
    }
    return -1;
}

} // namespace

ListReadResult readQz2(QIODevice &device)
{
    ListReadResult result;
    LineReader reader(device, ListFileLimits::MaxLineLength, ListFileLimits::MaxFileSize);
    QByteArrayView line;
    for (;;) {
        LineReader::Status status = reader.next(line);
        if (status == LineReader::Status::End)
            break;
        if (status != LineReader::Status::Line) {
            setReaderError(result, reader, status);
            return result;
        }
        result.utf8 = reader.isUtf8();
        if (line.isEmpty()) {
            // Blank lines after the last record are harmless; anywhere else the line is
            // an empty Product.
            const qint64 blankLine = reader.lineNumber();
            while ((status = reader.next(line)) == LineReader::Status::Line && line.isEmpty()) {
            }
            if (status == LineReader::Status::End)
                break;
            if (status != LineReader::Status::Line) {
                setReaderError(result, reader, status);
                return result;
            }
            setEmptyLineError(result, blankLine, ListColumn::Product);
            return result;
        }
        if (result.records.size() >= ListFileLimits::MaxRecords) {
            setError(result, SubscriptOutOfRange, reader.lineNumber(),
                     QCoreApplication::translate("ListFiles", "Line %1: the file holds more than %2 records.")
                         .arg(QString::number(reader.lineNumber()), QString::number(ListFileLimits::MaxRecords)));
            return result;
        }

        ListRecord record;
        for (int index = 0; index < kColumns; ++index) {
            if (index > 0) {
                status = reader.next(line);
                if (status == LineReader::Status::End) {
                    const qint64 missing = reader.lineNumber() + 1;
                    setError(result, RuntimeError::InputPastEndOfFile, missing,
                             QCoreApplication::translate("ListFiles",
                                                         "Line %1: the file ends inside a record, before its %2 line.")
                                 .arg(QString::number(missing), listColumnCaption(kColumnOrder[index])));
                    return result;
                }
                if (status != LineReader::Status::Line) {
                    setReaderError(result, reader, status);
                    return result;
                }
            }
            const ListColumn column = kColumnOrder[index];
            result.utf8 = reader.isUtf8();
            if (!readField(result, reader.lineNumber(), line, column, fieldOf(record, column), result.utf8))
                return result;
        }
        result.records.append(std::move(record));
    }
    return result;
}

namespace ListFileErrors {

QByteArrayView withoutLeadingBlanks(QByteArrayView line)
{
    qsizetype blanks = 0;
    while (blanks < line.size() && (line.at(blanks) == ' ' || line.at(blanks) == '\t'))
        ++blanks;
    return blanks < line.size() && line.at(blanks) == '"' ? line.sliced(blanks) : line;
}

QString decodeListText(QByteArrayView bytes, bool utf8)
{
    return utf8 ? QString::fromUtf8(bytes) : CodePage1252::decode(bytes);
}

ListWriteResult encodeQz2(const QList<ListRecord> &records, QByteArray &out, QString &reason, ListFileEncoding encoding)
{
    const bool utf8 = encoding == ListFileEncoding::Utf8WithBom;
    ListWriteResult result;
    const auto refuse = [&](qsizetype number, char32_t character, const QString &why) {
        out.clear();
        result.record = number;
        result.product = records.at(number - 1).product;
        result.character = character;
        reason = QCoreApplication::translate("ListFiles", "record %1 (\"%2\") %3")
                     .arg(QString::number(number), productForMessage(result.product), why);
        return result;
    };
    if (records.size() > ListFileLimits::MaxRecords) {
        return refuse(ListFileLimits::MaxRecords + 1, 0,
                      QCoreApplication::translate("ListFiles", "is one too many: a list file holds at most %1 records")
                          .arg(ListFileLimits::MaxRecords));
    }
    out.clear();
    out.reserve(records.size() * 64);
    if (utf8)
        out.append("\xEF\xBB\xBF", 3);
    for (qsizetype number = 1; number <= records.size(); ++number) {
        const ListRecord &record = records.at(number - 1);
        for (const ListColumn column : kColumnOrder) {
            const QString &field = record.field(column);
            const QString caption = listColumnCaption(column);
            if (const qsizetype lineBreak = firstLineBreak(field); lineBreak >= 0) {
                return refuse(number, field.at(lineBreak).unicode(),
                              QCoreApplication::translate("ListFiles",
                                                          "has a line break in its %1, which a list file cannot hold")
                                  .arg(caption));
            }
            if (field.size() > kMaxFieldLength) {
                return refuse(number, 0,
                              QCoreApplication::translate(
                                  "ListFiles", "has more than %1 characters in its %2, more than a list file can hold")
                                  .arg(QString::number(kMaxFieldLength), caption));
            }
            if (utf8) {
                if (const char32_t broken = firstBrokenCharacter(field)) {
                    return refuse(number, broken,
                                  QCoreApplication::translate(
                                      "ListFiles", "has the broken character %1 in its %2, which no text file can hold")
                                      .arg(characterName(broken), caption));
                }
                const QByteArray bytes = field.toUtf8();
                if (bytes.size() > kMaxFieldLength) {
                    return refuse(number, 0,
                                  QCoreApplication::translate(
                                      "ListFiles", "has more than %1 bytes in its %2, more than a list file can hold")
                                      .arg(QString::number(kMaxFieldLength), caption));
                }
                out.append('"');
                out.append(bytes);
                out.append("\"\r\n", 3);
                continue;
            }
            out.append('"');
            char32_t refused = 0;
            if (!CodePage1252::encode(field, out, &refused)) {
                return refuse(number, refused,
                              QCoreApplication::translate(
                                  "ListFiles",
                                  "has the character %1 in its %2, which the Windows-1252 code page of list files "
                                  "cannot hold")
                                  .arg(characterName(refused), caption));
            }
            out.append("\"\r\n", 3);
        }
    }
    result.ok = true;
    return result;
}

bool writeAll(QIODevice &device, const QByteArray &bytes)
{
    // A device may take less than it is offered; only a write that takes nothing fails.
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = device.write(bytes.constData() + done, qMin(kWriteChunk, bytes.size() - done));
        if (written <= 0)
            return false;
        done += qsizetype(written);
    }
    return true;
}

} // namespace ListFileErrors

namespace {

ListWriteResult writeQz2As(QIODevice &device, const QList<ListRecord> &records, ListFileEncoding encoding)
{
    QByteArray bytes;
    QString reason;
    ListWriteResult result = encodeQz2(records, bytes, reason, encoding);
    if (!result.ok) {
        reason[0] = reason.at(0).toUpper();
        result.message = reason + QCoreApplication::translate("ListFiles", ". Nothing was written.");
        return result;
    }
    if (!writeAll(device, bytes)) {
        result.ok = false;
        result.runtimeError = RuntimeError::DeviceIoError;
        result.message =
            QCoreApplication::translate("ListFiles", "The list could not be written: %1.").arg(device.errorString());
    }
    return result;
}

} // namespace

ListWriteResult writeQz2(QIODevice &device, const QList<ListRecord> &records)
{
    return writeQz2As(device, records, ListFileEncoding::CodePage1252);
}

ListWriteResult writeQz2Utf8(QIODevice &device, const QList<ListRecord> &records)
{
    return writeQz2As(device, records, ListFileEncoding::Utf8WithBom);
}

} // namespace Kelbrix
