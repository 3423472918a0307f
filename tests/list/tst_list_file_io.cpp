// List files as they are read and written (caps, failing devices, code pages, every data file),
// and the barcode list they load into: its checks on Add, removals, the duplicate pass and the
// merge of files read up to its cap.
#include "expected_records.h"
#include "list/barcode_list.h"
#include "list/code_page_1252.h"
#include "list/list_files.h"
#include "recording_prompt.h"
#include "test_helpers.h"

#include <QBuffer>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <limits>

using namespace Kelbrix;
using namespace Kelbrix::Test;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qint64 kNever = std::numeric_limits<qint64>::max();
constexpr qsizetype kLineCap = ListFileLimits::MaxLineLength;

// Fails after `capacity` bytes; a sequential one does not tell its size.
class TestDevice : public QIODevice {
public:
    TestDevice(QByteArray bytes, qint64 capacity, bool sequential = false)
        : data(std::move(bytes)), m_capacity(capacity), m_sequential(sequential)
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return m_sequential; }
    qint64 size() const override { return m_sequential ? 0 : data.size(); }
    QByteArray data;
    qint64 done = 0;

protected:
    qint64 readData(char *to, qint64 maxSize) override
    {
        if (done >= m_capacity) {
            setErrorString(u"the disk went away"_s);
            return -1;
        }
        const qint64 count = std::max<qint64>(0, std::min({maxSize, data.size() - done, m_capacity - done}));
        memcpy(to, data.constData() + done, size_t(count));
        done += count;
        return count;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    qint64 m_capacity;
    bool m_sequential;
};

QByteArray qz2Record(const QByteArray &product, const QByteArray &text = {})
{
    return '"' + product + "\"\r\n\"4006381333931\"\r\n\"\"\r\n\"" + text + "\"\r\n\"E130\"\r\n";
}

const QList<ListRecord> kShop = {
    {u"Milk"_s, u"4006381333931"_s, {}, {}, u"E130"_s},
    {u"Say \"cheese\""_s, u"96385074"_s, u"05"_s, u"\"quoted\" text"_s, u"E82 "_s},
    {u"Cr\u00e8me \u20ac"_s, u"012345678905"_s, u"54321"_s, u"Caf\u00e9 \u2013 fresh"_s, u"UPA5"_s},
    {{}, u"ABC-123"_s, {}, {}, u"Co39"_s},
};

ListRecord rec(const QString &product, const QString &barcode)
{
    return ListRecord{product, barcode, QString(), QString(), u"E130"_s};
}

} // namespace

class TestListFileIo : public QObject {
    Q_OBJECT

private slots:
    void readCaps_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("sequential");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("records");
        const int kept = int(ListFileLimits::MaxRecords), count = int(ListFileLimits::MaxFileSize / 1024);
        QByteArray records, big;
        for (int i = 0; i < kept; ++i)
            records += qz2Record(QByteArray::number(i));
        for (int i = 1; i < count; ++i)
            big += qz2Record(QByteArray::number(100000 + i), QByteArray(1024 - 43, 't'));
        for (const int step : {0, 1}) {
            const QByteArray n = QByteArray::number(step);
            const bool ok = step == 0;
            QTest::newRow("line cap " + n)
                << qz2Record("Milk") + qz2Record("Bread").chopped(8) + '"' + QByteArray(kLineCap + step - 2, 'x') + '"'
                << false << (ok ? 0 : 59) << (ok ? 2 : 1);
            QTest::newRow("records cap " + n)
                << (ok ? records : records + qz2Record("more")) << true << (ok ? 0 : 9) << kept;
            // A file known to be too large is refused before anything is read.
            QTest::newRow("file size cap " + n)
                << big + qz2Record("100000", QByteArray(ListFileLimits::MaxFileSize + step - big.size() - 43, 't'))
                << false << (ok ? 0 : 7) << (ok ? count : 0);
        }
    }
    void readCaps()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, sequential);
        QFETCH(int, error);
        QFETCH(int, records);
        TestDevice source(bytes, kNever, sequential);
        const ListReadResult result = readQz2(source);
        QCOMPARE(std::pair(result.runtimeError, result.records.size()), std::pair(error, qsizetype(records)));
        if (error == 7)
            QCOMPARE(source.done, 0);
    }

    void failingDeviceKeepsWhatWasRead()
    {
        TestDevice source(qz2Record("One") + qz2Record("Two") + qz2Record("Three"), qz2Record("One").size() * 2 + 5);
        const ListReadResult result = readQz2(source);
        QCOMPARE(std::tuple(result.runtimeError, result.records.size(), result.line), std::tuple(57, 2, 11));
        QVERIFY(result.message.contains(u"the disk went away"_s));
    }

    void savedListLoadsBackUnchanged()
    {
        // Every byte but the line ends survives the code page, in a product and in a text.
        QByteArray all;
        for (int byte = 0; byte < 256; ++byte) {
            if (byte != '\r' && byte != '\n')
                all.append(char(byte));
        }
        const QString text = CodePage1252::decode(all);
        const QList<ListRecord> records = kShop + QList<ListRecord>{{text, u"1"_s, {}, text, u"Co39"_s}};
        QTemporaryDir folder;
        const QString path = folder.filePath(u"shop.qz2"_s);
        QVERIFY(saveListFile(path, records).ok);
        QVERIFY(fileBytes(path).endsWith('"' + all + "\"\r\n\"1\"\r\n\"\"\r\n\"" + all + "\"\r\n\"Co39\"\r\n"));
        QCOMPARE(readQz2(path).records, records);
    }

    // A text too long for a line, and one record too many: refused, naming the record.
    void refusesWhatTheFileCannotHold()
    {
        for (const auto &[count, text, named] :
             {std::tuple(4, QString(kLineCap - 1, u'x'), u"4094 characters in its Text"_s),
              std::tuple(int(ListFileLimits::MaxRecords + 1), kShop[2].text, u"one too many"_s)}) {
            QList<ListRecord> records = count > 4 ? QList<ListRecord>(count, kShop[2]) : kShop;
            records[2].text = text;
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            const ListWriteResult result = writeQz2(buffer, records);
            const int record = count > 4 ? count : 3;
            QCOMPARE(std::tuple(result.ok, result.record, buffer.data()), std::tuple(false, record, QByteArray()));
            for (const QString &part : {u"Record %1"_s.arg(record), u"\"Cr\u00e8me \u20ac\""_s, named})
                QVERIFY(result.message.contains(part));
            records.resize(std::min<qsizetype>(count, ListFileLimits::MaxRecords));
            records[2].text = QString(kLineCap - 2, u'x');
            QVERIFY(writeQz2(buffer, records).ok);
        }
    }

    void beyondTheCodePageAsks()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"list.qz2"_s);
        QVERIFY(saveListFile(path, {kShop[0]}).ok);
        const QByteArray old = fileBytes(path);
        const QList<ListRecord> records{
            kShop[0], {u"50%1 off \u0141\u00f3d\u017a"_s, u"4006381333931"_s, {}, u"\u20ac 3"_s, u"E130"_s}};
        RecordingPrompt prompt;
        prompt.answers.enqueue(PromptAnswer::No);
        const ListWriteResult refused = saveListFileAsking(path, records);
        QVERIFY(!refused.ok && refused.message.contains(QDir::toNativeSeparators(path)));
        QCOMPARE(fileBytes(path), old);
        QCOMPARE(prompt.texts().size(), 1);
        QVERIFY(prompt.texts()[0].contains(u"Record 2 (\"50%1 off \u0141\u00f3d\u017a\")"_s));
        prompt.answers.enqueue(PromptAnswer::Yes);
        QVERIFY(saveListFileAsking(path, records).ok);
        QVERIFY(fileBytes(path).startsWith("\xEF\xBB\xBF\"Milk\"\r\n"));
        QCOMPARE(readListFile(path).records, records);
    }

    void readsEveryDataFile_data()
    {
        addDataFileRows(qEnvironmentVariable("KELBRIX_TEST_DATA"), {u"*.qz2"_s, u"*.qzl"_s, u"*.bar"_s});
    }
    void readsEveryDataFile()
    {
        QFETCH(QString, path);
        const QJsonObject expected = QJsonDocument::fromJson(fileBytes(path + u".json"_s)).object();
        QVERIFY(!expected.isEmpty());
        const bool shouldFail = path.contains(u"/fail/"_s);
        QCOMPARE(expected.contains(u"error"_s), shouldFail);

        const ListReadResult result = readListFile(path);
        QCOMPARE(result.records, recordsFrom(expected.value(u"records"_s)));
        QCOMPARE(result.runtimeError, expected.value(u"error"_s).toInt());
        QCOMPARE(result.line, expected.value(u"line"_s).toInt());
        QCOMPARE(result.productList, expected.value(u"productList"_s).toVariant().toStringList());
        QVERIFY(shouldFail ? result.message.contains(QDir::toNativeSeparators(path)) &&
                                 result.message.contains(u"Line %1"_s.arg(result.line))
                           : result.message.isEmpty());

        const bool utf8 = expected.value(u"canonicalUtf8"_s).toBool();
        if (utf8 || expected.value(u"canonical"_s).toBool()) {
            QCOMPARE(result.utf8, utf8);
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            QVERIFY((utf8 ? writeQz2Utf8(buffer, result.records) : writeQz2(buffer, result.records)).ok);
            QCOMPARE(buffer.data(), fileBytes(path));
        }
        if (expected.contains(u"afterDuplicatePass"_s)) {
            QList<ListRecord> records = result.records;
            removeConsecutiveDuplicateBarcodes(records);
            QCOMPARE(records, recordsFrom(expected.value(u"afterDuplicatePass"_s)));
        }
    }

    void addChecks()
    {
        BarcodeList list;
        for (const auto &[product, barcode] :
             {std::pair(u"ABC"_s, u"111"_s), std::pair(u"Soap"_s, u"222"_s), std::pair(u"abc"_s, u"333"_s)})
            list.append(rec(product, barcode));
        const auto check = [&list](const QString &product, const QString &barcode) {
            const BarcodeList::AddCheck found = list.checkAdd(product, barcode);
            return std::pair(int(found.productQuestions), found.barcodeIssued);
        };
        QCOMPARE(check({}, u"111"_s), std::pair(0, false)); // an empty product is never checked
        QCOMPARE(check(u"Abc"_s, u"999"_s), std::pair(2, false));
        QCOMPARE(check(u"abc"_s, u"111"_s), std::pair(1, true)); // the question comes first
    }

    void removalKeepsTheChecksInStep()
    {
        BarcodeList list;
        for (int i = 0; i < 6; ++i)
            list.append(rec(u"P"_s + QString::number(i % 3), u"B"_s + QString::number(i)));
        list.removeRecords({4, 0, 4, 99, -1}); // repeats and rows out of range are ignored
        QCOMPARE(columnTexts(list), (QStringList{u"P1"_s, u"P2"_s, u"P0"_s, u"P2"_s}));
        QCOMPARE(list.productList(), (QStringList{u"P2"_s, u"P0"_s, u"P1"_s, u"P2"_s}));
        QCOMPARE(list.barcodeIndex(), (QStringList{u"B1"_s, u"B2"_s, u"B3"_s, u"B5"_s}));
    }

    void duplicatePassAndCap()
    {
        BarcodeList list;
        list.appendRecords(
            {rec(u"a"_s, u"1"_s), rec(u"b"_s, u"1"_s), rec(u"c"_s, u"1"_s), rec(u"d"_s, u"2"_s), rec(u"e"_s, u"1"_s)},
            true);
        QCOMPARE(list.removeNeighbouringDuplicates(), 2);
        QCOMPARE(columnTexts(list), (QStringList{u"a"_s, u"d"_s, u"e"_s}));
        QCOMPARE(list.productList().size(), 5); // the pass leaves the product list alone
        QList<ListRecord> many(BarcodeList::MaxRecords - 2, rec(u"m"_s, u"9"_s));
        QCOMPARE(list.appendRecords(many, false), BarcodeList::MaxRecords - 3);
        QCOMPARE(list.appendRecords({rec(u"n"_s, u"8"_s)}, true), 0);
    }

    // QZ2 files merged one after another into a list three records short of the cap.
    void mergeAtTheCap()
    {
        BarcodeList list;
        QList<ListRecord> many;
        many.reserve(BarcodeList::MaxRecords - 3);
        const ListRecord a = rec(u"m"_s, u"a"_s), b = rec(u"m"_s, u"b"_s); // no neighbours alike
        while (many.size() < BarcodeList::MaxRecords - 3)
            many.append(many.size() % 2 ? b : a);
        list.appendRecords(many, false);
        struct Step {
            QStringList barcodes;
            int readError, appended, kept, reported;
            bool full;
        };
        const Step steps[] = {
            {{u"1"_s, u"2"_s}, 0, 2, 2, 0, false}, // one below the cap
            {{u"3"_s}, 0, 1, 1, 0, true},          // at the cap: Add to List takes no more
            {{u"4"_s, u"5"_s}, 0, 0, 0, 9, true},  // over it: the records not taken are cut
            {{u"6"_s}, 62, 0, 1, 62, true},        // a damaged file keeps its own error
        };
        for (const Step &step : steps) {
            ListReadResult read;
            read.runtimeError = step.readError;
            for (const QString &barcode : step.barcodes)
                read.records.append(rec(u"f"_s, barcode));
            const qsizetype appended = list.mergeRead(read);
            QCOMPARE(std::tuple(appended, read.records.size(), read.runtimeError, list.isFull()),
                     std::tuple(qsizetype(step.appended), qsizetype(step.kept), step.reported, step.full));
        }
        QCOMPARE(list.barcodeIndex(), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
    }

    void mergeDropsNeighbouringRepeats()
    {
        BarcodeList list;
        list.append(rec(u"a"_s, u"0"_s));
        ListReadResult read;
        read.records = {rec(u"b"_s, u"0"_s), rec(u"c"_s, u"1"_s), rec(u"d"_s, u"1"_s), rec(u"e"_s, u"0"_s)};
        QCOMPARE(list.mergeRead(read), 4);
        QCOMPARE(columnTexts(list), (QStringList{u"a"_s, u"c"_s, u"e"_s}));
        QCOMPARE(read.runtimeError, 0);
    }
};

QTEST_GUILESS_MAIN(TestListFileIo)
#include "tst_list_file_io.moc"
