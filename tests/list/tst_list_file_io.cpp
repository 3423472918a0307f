#include "expected_records.h"
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
};

QTEST_GUILESS_MAIN(TestListFileIo)
#include "tst_list_file_io.moc"
