#include "list/code_page_1252.h"
#include "list/line_reader.h"
#include "list/list_file_errors.h"
#include "list/list_files.h"
#include "list/older_entry.h"

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

using namespace ListFileErrors;

namespace {

enum class OlderFormat { Qzl, Ornatec };

// Reads the QZL and Ornatec formats one line at a time: every line becomes one entry (and one
// line of the product list) and, unless it is blank, one record. Reading stops at the first
// entry that cannot be read, keeping what came before it.
ListReadResult readOlderFormat(QIODevice &device, OlderFormat format)
{
    ListReadResult result;
    LineReader reader(device, ListFileLimits::MaxLineLength, ListFileLimits::MaxFileSize);
    QByteArrayView line;
    for (;;) {
        const LineReader::Status status = reader.next(line);
        if (status == LineReader::Status::End)
            break;
        if (status != LineReader::Status::Line) {
            setReaderError(result, reader, status);
            break;
        }
        const qint64 number = reader.lineNumber();
        if (number > ListFileLimits::MaxOlderFormatLines) {
            setError(result, SubscriptOutOfRange, number,
                     u"Line %1: the file holds more than %2 lines."_s.arg(
                         QString::number(number), QString::number(ListFileLimits::MaxOlderFormatLines)));
            break;
        }

        result.utf8 = reader.isUtf8();
        QString entry = decodeListText(withoutLeadingBlanks(line), result.utf8);
        if (entry.startsWith(u'"')) {
            if (entry.size() < 2 || !entry.endsWith(u'"')) {
                setError(result, BadRecordLength, number,
                         u"Line %1: the closing double quote is missing."_s.arg(number));
                break;
            }
            entry = entry.sliced(1, entry.size() - 2);
        }
        if (format == OlderFormat::Ornatec && !entry.isEmpty())
            entry.prepend(u"E130 "_s);

        ListRecord record;
        const OlderEntryStatus entryStatus = readOlderEntry(entry, record);
        if (entryStatus == OlderEntryStatus::UnknownType) {
            setError(result, BadRecordLength, number,
                     u"Line %1: \"%2\" is not a barcode type of this list format."_s.arg(QString::number(number),
                                                                                         entry.left(4)));
            break;
        }
        if (entryStatus == OlderEntryStatus::TooShort) {
            setError(
                result, BadRecordLength, number,
                u"Line %1: the entry is too short for a \"%2\" barcode."_s.arg(QString::number(number), entry.left(4)));
            break;
        }
        if (entryStatus == OlderEntryStatus::NotDigits) {
            setError(result, BadRecordLength, number,
                     u"Line %1: the entry does not end in the digits of a \"%2\" barcode."_s.arg(
                         QString::number(number), entry.left(4)));
            break;
        }
        if (entryStatus == OlderEntryStatus::Record)
            result.records.append(std::move(record));
        result.productList.append(std::move(entry));
    }
    return result;
}

} // namespace

ListReadResult readQzl(QIODevice &device)
{
    return readOlderFormat(device, OlderFormat::Qzl);
}

ListReadResult readOrnatec(QIODevice &device)
{
    return readOlderFormat(device, OlderFormat::Ornatec);
}

} // namespace Kelbrix
