// The list readers' limits, failures and helpers that the data files cannot show: caps just
// below, at and above their value, devices that fail, file names, and the older entries.

#include "list/list_files.h"
#include "list/older_entry.h"

#include "barcode/runtime_errors.h"
#include "recording_prompt.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Kelbrix;
using namespace Qt::Literals::StringLiterals;

namespace {

// A read-only device over \a data that fails (returns -1) once \a failAt bytes have been
// read, and can pretend to be sequential, so its size is unknown in advance.
class TestSource : public QIODevice {
public:
    TestSource(QByteArray data, qint64 failAt, bool sequential)
        : m_data(std::move(data)), m_failAt(failAt), m_sequential(sequential)
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return m_sequential; }
    qint64 size() const override { return m_sequential ? 0 : m_data.size(); }
    qint64 bytesHandedOut() const { return m_offset; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_offset >= m_failAt) {
            setErrorString(u"the disk went away"_s);
            return -1;
        }
        const qint64 count = std::min({maxSize, qint64(m_data.size()) - m_offset, m_failAt - m_offset});
        memcpy(data, m_data.constData() + m_offset, size_t(count));
        m_offset += count;
        return count;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_failAt;
    bool m_sequential;
    qint64 m_offset = 0;
};

QByteArray qz2Record(const QByteArray &product, const QByteArray &text = {})
{
    return '"' + product + "\"\r\n\"4006381333931\"\r\n\"\"\r\n\"" + text + "\"\r\n\"E130\"\r\n";
}

ListReadResult readBytes(ListFileFormat format, const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    if (format == ListFileFormat::Qzl)
        return readQzl(buffer);
    if (format == ListFileFormat::Ornatec)
        return readOrnatec(buffer);
    return readQz2(buffer);
}

} // namespace

class TestListFileReader : public QObject {
    Q_OBJECT

private slots:
    void lineLengthCap_data();
    void lineLengthCap();
    void recordCap_data();
    void recordCap();
    void olderFormatLineCap_data();
    void olderFormatLineCap();
    void fileSizeCap_data();
    void fileSizeCap();
    void deviceFailureKeepsRecordsReadBefore();
    void unopenedDeviceIsRefused();
    void fileThatCannotBeOpened();
    void olderEntryNeedsRoomForItsCodeField_data();
    void olderEntryNeedsRoomForItsCodeField();
    void formatFromExtension_data();
    void formatFromExtension();
    void wrongFileFormatMessage();
    void qz2NameForSaveList_data();
    void qz2NameForSaveList();
    void productListClickFollowsEdition_data();
    void productListClickFollowsEdition();
};

void TestListFileReader::lineLengthCap_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<bool>("accepted");
    const qsizetype cap = ListFileLimits::MaxLineLength;
    for (const auto &[name, format] : {std::pair{"qz2", ListFileFormat::Qz2}, {"qzl", ListFileFormat::Qzl}}) {
        for (const auto &[endName, lineEnd] : {std::pair{"crlf", "\r\n"}, {"lf", "\n"}, {"none", ""}}) {
            for (const qsizetype length : {cap - 1, cap, cap + 1}) {
                QTest::addRow("%s %s %d", name, endName, int(length))
                    << int(format) << int(length) << QByteArray(lineEnd) << (length <= cap);
            }
        }
    }
}

void TestListFileReader::lineLengthCap()
{
    QFETCH(int, format);
    QFETCH(int, length);
    QFETCH(QByteArray, lineEnd);
    QFETCH(bool, accepted);
    // A valid first record, then one whose long line (all x but for its frame) is the last
    // line of the file.
    const bool qz2 = ListFileFormat(format) == ListFileFormat::Qz2;
    const QByteArray first = qz2 ? qz2Record("Milk") + "\"Bread\"\r\n\"4006381333931\"\r\n\"\"\r\n\"\"\r\n"
                                 : QByteArray("E130 Milk 4006381333931\r\n");
    const QByteArray head = qz2 ? "\"" : "E130 ";
    const QByteArray tail = qz2 ? "\"" : " 4006381333931";
    const QByteArray longLine = head + QByteArray(length - head.size() - tail.size(), 'x') + tail;
    QCOMPARE(longLine.size(), length);

    const ListReadResult result = readBytes(ListFileFormat(format), first + longLine + lineEnd);
    QCOMPARE(result.runtimeError, accepted ? 0 : 59);
    QCOMPARE(result.line, accepted ? 0 : (qz2 ? 10 : 2));
    QCOMPARE(result.records.size(), accepted ? 2 : 1);
    if (accepted)
        QCOMPARE(result.records.last().field(qz2 ? ListColumn::Type : ListColumn::Product).count(u'x'),
                 length - head.size() - tail.size());
}

void TestListFileReader::recordCap_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("below") << int(ListFileLimits::MaxRecords - 1);
    QTest::newRow("at") << int(ListFileLimits::MaxRecords);
    QTest::newRow("above") << int(ListFileLimits::MaxRecords + 1);
}

void TestListFileReader::recordCap()
{
    QFETCH(int, count);
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += qz2Record(QByteArray::number(i));
    const ListReadResult result = readBytes(ListFileFormat::Qz2, bytes);
    const bool accepted = count <= ListFileLimits::MaxRecords;
    QCOMPARE(result.runtimeError, accepted ? 0 : 9);
    QCOMPARE(result.records.size(), qMin<qsizetype>(count, ListFileLimits::MaxRecords));
    QCOMPARE(result.records.last().product, QString::number(result.records.size() - 1));
    if (!accepted)
        QCOMPARE(result.line, ListFileLimits::MaxRecords * 5 + 1);
}

void TestListFileReader::olderFormatLineCap_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("lines");
    for (const auto &[name, format] : {std::pair{"qzl", ListFileFormat::Qzl}, {"bar", ListFileFormat::Ornatec}}) {
        for (const qsizetype lines : {ListFileLimits::MaxOlderFormatLines - 1, ListFileLimits::MaxOlderFormatLines,
                                      ListFileLimits::MaxOlderFormatLines + 1})
            QTest::addRow("%s %d", name, int(lines)) << int(format) << int(lines);
    }
}

void TestListFileReader::olderFormatLineCap()
{
    QFETCH(int, format);
    QFETCH(int, lines);
    const QByteArray line =
        ListFileFormat(format) == ListFileFormat::Qzl ? "E130 Milk 4006381333931\r\n" : "Milk 4006381333931\r\n";
    // Far more lines follow the cap; the reader must stop without taking them in.
    const QByteArray tail = QByteArray(2 * 1024 * 1024, '\n');
    TestSource source(line.repeated(lines) + (lines > ListFileLimits::MaxOlderFormatLines ? tail : QByteArray()),
                      std::numeric_limits<qint64>::max(), true);
    const ListReadResult result = ListFileFormat(format) == ListFileFormat::Qzl ? readQzl(source) : readOrnatec(source);
    const qsizetype kept = qMin<qsizetype>(lines, ListFileLimits::MaxOlderFormatLines);
    QCOMPARE(result.runtimeError, lines > ListFileLimits::MaxOlderFormatLines ? 9 : 0);
    QCOMPARE(result.records.size(), kept);
    QCOMPARE(result.productList.size(), kept);
    QVERIFY(source.bytesHandedOut() < line.size() * lines + 256 * 1024);
}

void TestListFileReader::fileSizeCap_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("sequential");
    for (const bool sequential : {false, true}) {
        const char *kind = sequential ? "sequential" : "sized";
        QTest::addRow("%s below", kind) << ListFileLimits::MaxFileSize - 1 << sequential;
        QTest::addRow("%s at", kind) << ListFileLimits::MaxFileSize << sequential;
        QTest::addRow("%s above", kind) << ListFileLimits::MaxFileSize + 1 << sequential;
    }
}

void TestListFileReader::fileSizeCap()
{
    QFETCH(qint64, size);
    QFETCH(bool, sequential);
    // Records of exactly 1 KiB each, the last one's Text stretched or shrunk to the size.
    constexpr int recordSize = 1024;
    const int records = int(ListFileLimits::MaxFileSize / recordSize);
    QByteArray bytes;
    bytes.reserve(size);
    for (int i = 1; i < records; ++i)
        bytes += qz2Record(QByteArray::number(100000 + i), QByteArray(recordSize - 43, 't'));
    bytes += qz2Record("100000", QByteArray(size - bytes.size() - 43, 't'));
    QCOMPARE(bytes.size(), size);

    TestSource source(bytes, std::numeric_limits<qint64>::max(), sequential);
    const ListReadResult result = readQz2(source);
    const bool accepted = size <= ListFileLimits::MaxFileSize;
    QCOMPARE(result.runtimeError, accepted ? 0 : 7);
    if (accepted)
        QCOMPARE(result.records.size(), records);
    else if (!sequential)
        QCOMPARE(source.bytesHandedOut(), 0); // refused before reading anything
}

void TestListFileReader::deviceFailureKeepsRecordsReadBefore()
{
    const QByteArray bytes = qz2Record("One") + qz2Record("Two") + qz2Record("Three");
    TestSource source(bytes, qz2Record("One").size() * 2 + 5, false);
    const ListReadResult result = readQz2(source);
    QCOMPARE(result.runtimeError, 57);
    QCOMPARE(result.records.size(), 2);
    QCOMPARE(result.line, 11);
    QVERIFY2(result.message.contains(u"the disk went away"_s), qPrintable(result.message));
}

void TestListFileReader::unopenedDeviceIsRefused()
{
    using Reader = ListReadResult (*)(QIODevice &);
    for (const Reader reader : {Reader(&readQz2), Reader(&readQzl), Reader(&readOrnatec)}) {
        QBuffer buffer;
        const ListReadResult result = reader(buffer);
        QCOMPARE(result.runtimeError, 54);
        QVERIFY(result.records.isEmpty());
    }
}

void TestListFileReader::fileThatCannotBeOpened()
{
    QTemporaryDir folder;
    const QString missing = folder.filePath(u"gone.qz2"_s);
    ListReadResult result = readListFile(missing);
    QCOMPARE(result.runtimeError, 53);
    QVERIFY2(result.message.contains(QDir::toNativeSeparators(missing)), qPrintable(result.message));

    QVERIFY(QDir(folder.path()).mkdir(u"folder.qz2"_s));
    result = readListFile(folder.filePath(u"folder.qz2"_s));
    QCOMPARE(result.runtimeError, 75);

    result = readListFile(folder.filePath(u"notes.txt"_s));
    QCOMPARE(result.runtimeError, 54);
    QVERIFY(result.message.contains(u"notes.txt"_s));
}

void TestListFileReader::olderEntryNeedsRoomForItsCodeField_data()
{
    QTest::addColumn<QString>("typeCode");
    QTest::addColumn<QString>("codeField");
    QTest::addColumn<QString>("barcode");
    QTest::addColumn<QString>("supplement");
    for (const CodeFieldLayout &layout : codeFieldLayouts()) {
        const QString main = u"1234567890123"_s.left(layout.mainLength);
        const QString supplement = u"98765"_s.left(layout.supplementLength);
        QStringList separators = {QString()};
        if (layout.supplementLength > 0)
            separators << u" "_s << u"-"_s;
        for (const QString &separator : separators) {
            QTest::addRow("%s [%s]", qPrintable(layout.typeCode), qPrintable(separator))
                << layout.typeCode << main + separator + supplement << main << supplement;
        }
    }
}

void TestListFileReader::olderEntryNeedsRoomForItsCodeField()
{
    QFETCH(QString, typeCode);
    QFETCH(QString, codeField);
    QFETCH(QString, barcode);
    QFETCH(QString, supplement);
    // With an empty product the entry is exactly as long as it may be: one character less
    // leaves no room for the blanks around the product.
    ListRecord record;
    QCOMPARE(readOlderEntry(typeCode + u"  "_s + codeField, record), OlderEntryStatus::Record);
    QCOMPARE(record, (ListRecord{QString(), barcode, supplement, QString(), typeCode}));
    QCOMPARE(readOlderEntry(typeCode + u" "_s + codeField, record), OlderEntryStatus::TooShort);
    QCOMPARE(readOlderEntry(typeCode + u" Jam "_s + codeField, record), OlderEntryStatus::Record);
    QCOMPARE(record.product, u"Jam"_s);
}

void TestListFileReader::formatFromExtension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("format");
    QTest::newRow("qz2") << u"/lists/shop.qz2"_s << int(ListFileFormat::Qz2);
    QTest::newRow("QZ2") << u"C:/LISTS/SHOP.QZ2"_s << int(ListFileFormat::Qz2);
    QTest::newRow("QzL") << u"old.QzL"_s << int(ListFileFormat::Qzl);
    QTest::newRow("BAR") << u"LIST.BAR"_s << int(ListFileFormat::Ornatec);
    QTest::newRow("rtf") << u"images.Rtf"_s << int(ListFileFormat::ImageList);
    QTest::newRow("txt") << u"list.txt"_s << int(ListFileFormat::Unknown);
    QTest::newRow("no dot") << u"listqz2"_s << int(ListFileFormat::Unknown);
    QTest::newRow("later suffix") << u"list.qz2.bak"_s << int(ListFileFormat::Unknown);
}

void TestListFileReader::formatFromExtension()
{
    QFETCH(QString, path);
    QFETCH(int, format);
    QCOMPARE(int(listFileFormatFor(path)), format);
}

void TestListFileReader::wrongFileFormatMessage()
{
    Test::RecordingPrompt prompt;
    showWrongFileFormat();
    QCOMPARE(prompt.asked.size(), 1);
    QCOMPARE(prompt.asked[0].text, u"Sorry, Wrong file format."_s);
    QCOMPARE(prompt.asked[0].title, u"Wrong File Format"_s);
    QCOMPARE(prompt.asked[0].icon, PromptIcon::Exclamation);
    QCOMPARE(prompt.asked[0].buttons, PromptButtons::Ok);
    QCOMPARE(prompt.asked[0].helpContext, 3031);
}

void TestListFileReader::qz2NameForSaveList_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("saved");
    QTest::newRow("qzl") << u"/a/list.qzl"_s << u"/a/list.qz2"_s;
    QTest::newRow("BAR") << u"LIST.BAR"_s << u"LIST.qz2"_s;
    QTest::newRow("QZ2 kept") << u"Shop.QZ2"_s << u"Shop.QZ2"_s;
    QTest::newRow("no extension") << u"list"_s << u"list.qz2"_s;
}

void TestListFileReader::qz2NameForSaveList()
{
    QFETCH(QString, current);
    QFETCH(QString, saved);
    QCOMPARE(qz2FileName(current), saved);
}

void TestListFileReader::productListClickFollowsEdition_data()
{
    QTest::addColumn<int>("edition");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("selected");
    QTest::newRow("EAN entry, full") << int(Edition::Alla) << u"E132 Milk 4006381333931-12"_s << true;
    QTest::newRow("UPC entry, full") << int(Edition::Alla) << u"UPA0 Nails 012345678905"_s << true;
    QTest::newRow("UPC entry, EAN edition") << int(Edition::Ean) << u"UPA0 Nails 012345678905"_s << false;
    QTest::newRow("EAN entry, UPC edition") << int(Edition::Upc) << u"E130 Milk 4006381333931"_s << false;
    QTest::newRow("EAN entry, EAN edition") << int(Edition::Ean) << u"E80  Gum 96385074"_s << true;
}

void TestListFileReader::productListClickFollowsEdition()
{
    QFETCH(int, edition);
    QFETCH(QString, entry);
    QFETCH(bool, selected);
    const std::optional<OlderEntrySelection> selection = selectOlderEntry(entry, Edition(edition));
    QCOMPARE(selection.has_value(), selected);
    if (selected) {
        QCOMPARE(selection->typeCode, entry.left(4));
        QCOMPARE(selection->barcodeText, entry.mid(5));
    }
}

QTEST_GUILESS_MAIN(TestListFileReader)
#include "tst_list_file_reader.moc"
