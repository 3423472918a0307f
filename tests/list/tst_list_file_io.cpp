#include "list/code_page_1252.h"
#include "list/list_files.h"
#include "recording_prompt.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <limits>
#include <sys/stat.h>

using namespace Kelbrix;
using namespace Kelbrix::Test;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qint64 kNever = std::numeric_limits<qint64>::max();
constexpr qsizetype kLineCap = ListFileLimits::MaxLineLength;

// Fails after `capacity` bytes; may be sequential (size unknown) and hand out `step` bytes a read.
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
    qint64 step = kNever;

protected:
    qint64 readData(char *to, qint64 maxSize) override
    {
        if (done >= m_capacity) {
            setErrorString(u"the disk went away"_s);
            return -1;
        }
        const qint64 count = std::max<qint64>(0, std::min({maxSize, data.size() - done, m_capacity - done, step}));
        memcpy(to, data.constData() + done, size_t(count));
        done += count;
        return count;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    qint64 m_capacity;
    bool m_sequential;
};

ListRecord ean13Record(const QString &product, const QString &text = {})
{
    return {product, u"4006381333931"_s, {}, text, u"E130"_s};
}

QByteArray qz2Record(const QByteArray &product, const QByteArray &text = {})
{
    return '"' + product + "\"\r\n\"4006381333931\"\r\n\"\"\r\n\"" + text + "\"\r\n\"E130\"\r\n";
}

struct ReadCase {
    int format;
    QByteArray bytes;
    bool sequential;
    int error;
    int records; // -1: not checked
    ListRecord last;
    qint64 line; // -1: not checked
    qint64 maxRead = kNever;
};

const QList<ListRecord> kShop = {
    ean13Record(u"Milk"_s),
    {u"Say \"cheese\""_s, u"96385074"_s, u"05"_s, u"\"quoted\" text"_s, u"E82 "_s},
    {u"Cr\u00e8me \u20ac"_s, u"012345678905"_s, u"54321"_s, u"Caf\u00e9 \u2013 fresh"_s, u"UPA5"_s},
    {{}, u"ABC-123"_s, {}, {}, u"Co39"_s},
};

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

Q_DECLARE_METATYPE(ReadCase)

class TestListFileIo : public QObject {
    Q_OBJECT

private slots:
    void readCaps_data()
    {
        QTest::addColumn<ReadCase>("read");
        const auto row = [](const QByteArray &name, ReadCase read) { QTest::newRow(name.constData()) << read; };
        const int qz2 = int(ListFileFormat::Qz2);
        // The most records and older-format lines a file may hold, then one more.
        const int kept = int(ListFileLimits::MaxRecords), keptLines = int(ListFileLimits::MaxOlderFormatLines);
        QByteArray records, lines, bytes;
        for (int i = 0; i < kept; ++i)
            records += qz2Record(QByteArray::number(i));
        for (int i = 0; i < keptLines; ++i)
            lines += "E130 " + QByteArray::number(i) + " 4006381333931\r\n";
        // Records of 1 KiB, then one whose Text is stretched to the size.
        const int count = int(ListFileLimits::MaxFileSize / 1024);
        for (int i = 1; i < count; ++i)
            bytes += qz2Record(QByteArray::number(100000 + i), QByteArray(1024 - 43, 't'));
        for (const int step : {0, 1}) {
            const QByteArray n = QByteArray::number(step);
            const bool ok = step == 0;
            const QString xs(kLineCap + step - 2, u'x');
            row("line cap " + n,
                {qz2, qz2Record("Milk") + qz2Record("Bread").chopped(8) + '"' + xs.toLatin1() + '"', false, ok ? 0 : 59,
                 ok ? 2 : 1, ok ? ListRecord{u"Bread"_s, u"4006381333931"_s, {}, {}, xs} : kShop[0], ok ? 0 : 10});
            // The older reader stops without taking in what follows its cap.
            const QByteArray someLines = ok ? lines : lines + "E130 more 4006381333931\r\n";
            row("qz2 records, cap " + n, {qz2, ok ? records : records + qz2Record("more"), true, ok ? 0 : 9, kept,
                                          ean13Record(QString::number(kept - 1)), ok ? 0 : kept * 5 + 1});
            row("qzl lines, cap " + n,
                {int(ListFileFormat::Qzl), someLines + QByteArray(ok ? 0 : 2 * 1024 * 1024, '\n'), true, ok ? 0 : 9,
                 keptLines, ean13Record(QString::number(keptLines - 1)), -1, someLines.size() + 256 * 1024});
            // A file known to be too large is refused before anything is read.
            const QByteArray text(ListFileLimits::MaxFileSize + step - bytes.size() - 43, 't');
            row("file size cap " + n, {qz2, bytes + qz2Record("100000", text), false, ok ? 0 : 7, ok ? count : -1,
                                       ean13Record(u"100000"_s, QString::fromLatin1(text)), -1, ok ? kNever : 0});
        }
    }
    void readCaps()
    {
        QFETCH(ReadCase, read);
        TestDevice source(read.bytes, kNever, read.sequential);
        const ListReadResult result =
            ListFileFormat(read.format) == ListFileFormat::Qz2 ? readQz2(source) : readQzl(source);
        QCOMPARE(result.runtimeError, read.error);
        if (read.records >= 0) {
            QCOMPARE(result.records.size(), read.records);
            QCOMPARE(result.records.last(), read.last);
        }
        if (read.line >= 0)
            QCOMPARE(result.line, read.line);
        QVERIFY(source.done <= read.maxRead);
    }

    void failingDevicesAndFiles()
    {
        // A device that fails halfway keeps the records read before.
        TestDevice source(qz2Record("One") + qz2Record("Two") + qz2Record("Three"), qz2Record("One").size() * 2 + 5);
        const ListReadResult result = readQz2(source);
        QCOMPARE(std::tuple(result.runtimeError, result.records.size(), result.line), std::tuple(57, 2, 11));
        QVERIFY(result.message.contains(u"the disk went away"_s));
        QTemporaryDir folder;
        const QString missing = folder.filePath(u"gone.qz2"_s), fifo = folder.filePath(u"pipe.qz2"_s);
        QCOMPARE(readListFile(missing).runtimeError, 53);
        QVERIFY(readListFile(missing).message.contains(QDir::toNativeSeparators(missing)));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(readListFile(fifo).runtimeError, 75);
        QVERIFY(readListFile(fifo).message.contains(QDir::toNativeSeparators(fifo)));
    }

    void lineEndsAcrossReads()
    {
        for (const QByteArray &lineEnd : {QByteArray("\r\n"), QByteArray("\r")}) {
            const QByteArray bytes = "\xEF\xBB\xBF" +
                                     qz2Record("\xC5\x81\xC3\xB3"
                                               "d\xC5\xBA") +
                                     qz2Record("Milk");
            TestDevice device(QByteArray(bytes).replace("\r\n", lineEnd), kNever, true);
            device.step = 1;
            const ListReadResult result = readQz2(device);
            QVERIFY(result.complete() && result.utf8);
            QCOMPARE(result.records.size(), 2);
            QCOMPARE(result.records.at(0).product, u"\u0141\u00f3d\u017a"_s);
        }
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
        RecordingPrompt prompt;
        QVERIFY(saveListFileAsking(path, records).ok);
        QVERIFY(prompt.asked.isEmpty());
        const QByteArray bytes = contents(path);
        QVERIFY(
            bytes.startsWith("\"Milk\"\r\n\"4006381333931\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n\"Say \"cheese\"\"\r\n"));
        QVERIFY(bytes.endsWith('"' + all + "\"\r\n\"1\"\r\n\"\"\r\n\"" + all + "\"\r\n\"Co39\"\r\n"));
        QCOMPARE(readQz2(path).records, records);
    }

    void refusesWhatTheFileCannotHold_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named");
        QTest::newRow("too long") << 4 << QString(kLineCap - 1, u'x') << u"4094 characters in its Text"_s;
        QTest::newRow("line break") << 4 << u"two\nlines"_s << u"line break"_s;
        QTest::newRow("one record too many")
            << int(ListFileLimits::MaxRecords + 1) << kShop[2].text << u"one too many"_s;
    }
    void refusesWhatTheFileCannotHold()
    {
        QFETCH(int, count);
        QFETCH(QString, text);
        QFETCH(QString, named);
        QList<ListRecord> records = count > 4 ? QList<ListRecord>(count, kShop[2]) : kShop;
        records[2].text = text;
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        const ListWriteResult result = writeQz2(buffer, records);
        const int record = count > 4 ? count : 3;
        QCOMPARE(std::tuple(result.ok, result.record, result.product, buffer.data()),
                 std::tuple(false, record, kShop[2].product, QByteArray()));
        for (const QString &part : {u"Record %1"_s.arg(record), u"\"Cr\u00e8me \u20ac\""_s, named})
            QVERIFY2(result.message.contains(part), qPrintable(result.message));
        // Just short enough, and just few enough, is fine.
        records.resize(std::min<qsizetype>(count, ListFileLimits::MaxRecords));
        records[2].text = QString(kLineCap - 2, u'x');
        QVERIFY(writeQz2(buffer, records).ok);
    }

    void beyondTheCodePageAsks()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"list.qz2"_s);
        QVERIFY(saveListFile(path, {kShop[0]}).ok);
        const QByteArray old = contents(path);
        const QList<ListRecord> records{kShop[0], ean13Record(u"50%1 off \u0141\u00f3d\u017a"_s, u"\u20ac 3"_s)};
        RecordingPrompt prompt;
        prompt.answers.enqueue(PromptAnswer::No);
        const ListWriteResult refused = saveListFileAsking(path, records);
        QVERIFY(!refused.ok && refused.message.contains(QDir::toNativeSeparators(path)));
        QCOMPARE(contents(path), old);
        QCOMPARE(prompt.texts().size(), 1);
        QCOMPARE(std::pair(prompt.asked[0].buttons, prompt.asked[0].icon),
                 std::pair(PromptButtons::YesNo, PromptIcon::Question));
        const QString question = prompt.texts().first();
        QVERIFY(question.contains(u"Record 2 (\"50%1 off \u0141\u00f3d\u017a\")"_s) &&
                question.contains(u"\"\u0141\" (U+0141)"_s));
        QVERIFY(question.contains(u"Older programs may show such characters wrongly"_s));
        prompt.answers.enqueue(PromptAnswer::Yes);
        QVERIFY(saveListFileAsking(path, records).ok);
        QVERIFY(contents(path).startsWith("\xEF\xBB\xBF\"Milk\"\r\n"));
        QCOMPARE(readListFile(path).records, records);
    }
};

QTEST_GUILESS_MAIN(TestListFileIo)
#include "tst_list_file_io.moc"
