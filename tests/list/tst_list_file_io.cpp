// List file readers and the QZ2 writer: caps, failing devices, code page, refusals, failed saves.
#include "list/code_page_1252.h"
#include "list/list_files.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <limits>
#include <sys/resource.h>

using namespace Kelbrix;
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
        open(data.isEmpty() ? QIODevice::WriteOnly : QIODevice::ReadOnly);
    }
    bool isSequential() const override { return m_sequential; }
    qint64 size() const override { return m_sequential ? 0 : data.size(); }
    QByteArray data;
    qint64 done = 0;
    qint64 step = kNever;

protected:
    qint64 readData(char *to, qint64 maxSize) override
    {
        const qint64 count = std::max<qint64>(0, std::min({maxSize, data.size() - done, m_capacity - done, step}));
        memcpy(to, data.constData() + done, size_t(count));
        return transferred(count);
    }
    qint64 writeData(const char *from, qint64 size) override
    {
        const qint64 count = std::max<qint64>(0, std::min(size, m_capacity - done));
        data.append(from, count);
        return transferred(count);
    }

private:
    qint64 transferred(qint64 count)
    {
        if (done >= m_capacity) {
            setErrorString(u"the disk went away"_s);
            return -1;
        }
        done += count;
        return count;
    }
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
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }
    void readCaps_data();
    void readCaps();
    void failingDevicesAndFiles();
    void lineEndsAcrossReads_data();
    void lineEndsAcrossReads();
    void savedListLoadsBackUnchanged();
    void refusesWhatTheFileCannotHold_data();
    void refusesWhatTheFileCannotHold();
    void failedSaveLeavesOldFile();
};

void TestListFileIo::readCaps_data()
{
    QTest::addColumn<ReadCase>("read");
    const auto row = [](const QByteArray &name, ReadCase read) { QTest::newRow(name.constData()) << read; };
    const int qz2 = int(ListFileFormat::Qz2);
    QByteArray records, lines, bytes;
    QList<qsizetype> recordEnds, lineEnds;
    for (int i = 0; i <= ListFileLimits::MaxRecords; ++i)
        recordEnds.append((records += qz2Record(QByteArray::number(i))).size());
    for (int i = 0; i <= ListFileLimits::MaxOlderFormatLines; ++i)
        lineEnds.append((lines += "E130 " + QByteArray::number(i) + " 4006381333931\r\n").size());
    // Records of 1 KiB, then one whose Text is stretched to the size.
    const int count = int(ListFileLimits::MaxFileSize / 1024);
    for (int i = 1; i < count; ++i)
        bytes += qz2Record(QByteArray::number(100000 + i), QByteArray(1024 - 43, 't'));
    for (const int step : {-1, 0, 1}) {
        const QByteArray n = QByteArray::number(step);
        const bool ok = step <= 0;
        const QString xs(kLineCap + step - 2, u'x');
        row("line cap " + n,
            {qz2, qz2Record("Milk") + qz2Record("Bread").chopped(8) + '"' + xs.toLatin1() + '"', false, ok ? 0 : 59,
             ok ? 2 : 1, ok ? ListRecord{u"Bread"_s, u"4006381333931"_s, {}, {}, xs} : kShop[0], ok ? 0 : 10});
        // The older reader stops without taking in what follows its cap.
        const int kept = int(ListFileLimits::MaxRecords) + std::min(step, 0);
        const int keptLines = int(ListFileLimits::MaxOlderFormatLines) + std::min(step, 0);
        const QByteArray someLines = lines.first(lineEnds.at(ListFileLimits::MaxOlderFormatLines + step - 1));
        row("qz2 records, cap " + n, {qz2, records.first(recordEnds.at(ListFileLimits::MaxRecords + step - 1)), true,
                                      ok ? 0 : 9, kept, ean13Record(QString::number(kept - 1)), ok ? 0 : kept * 5 + 1});
        row("qzl lines, cap " + n,
            {int(ListFileFormat::Qzl), someLines + QByteArray(ok ? 0 : 2 * 1024 * 1024, '\n'), true, ok ? 0 : 9,
             keptLines, ean13Record(QString::number(keptLines - 1)), -1, someLines.size() + 256 * 1024});
        // A file known to be too large is refused before anything is read.
        const QByteArray text(ListFileLimits::MaxFileSize + step - bytes.size() - 43, 't');
        row("file size cap " + n, {qz2, bytes + qz2Record("100000", text), false, ok ? 0 : 7, ok ? count : -1,
                                   ean13Record(u"100000"_s, QString::fromLatin1(text)), -1, ok ? kNever : 0});
    }
}

void TestListFileIo::readCaps()
{
    QFETCH(ReadCase, read);
    TestDevice source(read.bytes, kNever, read.sequential);
    const ListReadResult result =
        ListFileFormat(read.format) == ListFileFormat::Qz2 ? readQz2(source) : readQzl(source);
    QCOMPARE(result.runtimeError, read.error);
    if (read.records >= 0) {
        QCOMPARE(result.records.size(), read.records);
        QCOMPARE(result.records.last(), read.last);
        QCOMPARE(result.productList.size(), read.format == int(ListFileFormat::Qz2) ? 0 : read.records);
    }
    if (read.line >= 0)
        QCOMPARE(result.line, read.line);
    QVERIFY(source.done <= read.maxRead);
}

void TestListFileIo::failingDevicesAndFiles()
{
    // A device that fails halfway keeps the records read before.
    TestDevice source(qz2Record("One") + qz2Record("Two") + qz2Record("Three"), qz2Record("One").size() * 2 + 5);
    ListReadResult result = readQz2(source);
    QCOMPARE(std::tuple(result.runtimeError, result.records.size(), result.line), std::tuple(57, 2, 11));
    QVERIFY(result.message.contains(u"the disk went away"_s));
    QBuffer unopened;
    QCOMPARE(std::pair(readQz2(unopened).runtimeError, readQzl(unopened).runtimeError), std::pair(54, 54));
    QTemporaryDir folder;
    const QString missing = folder.filePath(u"gone.qz2"_s);
    result = readListFile(missing);
    QVERIFY(result.runtimeError == 53 && result.message.contains(QDir::toNativeSeparators(missing)));
    result = readListFile(folder.filePath(u"notes.txt"_s));
    QVERIFY(result.runtimeError == 54 && result.message.contains(u"notes.txt"_s));
}

void TestListFileIo::lineEndsAcrossReads_data()
{
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<qint64>("step");
    QTest::newRow("CR LF, 1 byte a read") << QByteArray("\r\n") << qint64(1);
    QTest::newRow("CR, 1 byte a read") << QByteArray("\r") << qint64(1);
}

void TestListFileIo::lineEndsAcrossReads()
{
    QFETCH(QByteArray, lineEnd);
    QFETCH(qint64, step);
    const QByteArray bytes = "\xEF\xBB\xBF" +
                             qz2Record("\xC5\x81\xC3\xB3"
                                       "d\xC5\xBA") +
                             qz2Record("Milk");
    TestDevice device(QByteArray(bytes).replace("\r\n", lineEnd), kNever, true);
    device.step = step;
    const ListReadResult result = readQz2(device);
    QVERIFY(result.complete() && result.utf8);
    QCOMPARE(result.records.size(), 2);
    QCOMPARE(result.records.at(0).product, u"\u0141\u00f3d\u017a"_s);
}

void TestListFileIo::savedListLoadsBackUnchanged()
{
    // Every byte but the line ends survives the code page, in a product and in a text.
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != '\r' && byte != '\n')
            all.append(char(byte));
    }
    const QString text = CodePage1252::decode(all);
    QCOMPARE(text.at(all.indexOf('\x80')), QChar(0x20AC));
    const QList<ListRecord> records = kShop + QList<ListRecord>{{text, u"1"_s, {}, text, u"Co39"_s}};
    QTemporaryDir folder;
    const QString path = folder.filePath(u"shop.qz2"_s);
    const ListWriteResult saved = saveListFile(path, records);
    QVERIFY(saved.ok && saved.message.isEmpty());
    const QByteArray bytes = contents(path);
    QVERIFY(bytes.startsWith("\"Milk\"\r\n\"4006381333931\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n\"Say \"cheese\"\"\r\n"));
    QVERIFY(bytes.endsWith('"' + all + "\"\r\n\"1\"\r\n\"\"\r\n\"" + all + "\"\r\n\"Co39\"\r\n"));
    QCOMPARE(readQz2(path).records, records);
}

void TestListFileIo::refusesWhatTheFileCannotHold_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("character");
    QTest::addColumn<QString>("named");
    QTest::newRow("greek") << 4 << u"Omega \u03a9"_s << 0x3a9u << u"\"\u03a9\" (U+03A9) in its Text"_s;
    QTest::newRow("too long") << 4 << QString(kLineCap - 1, u'x') << 0u << u"4094 characters in its Text"_s;
    QTest::newRow("one record too many") << int(ListFileLimits::MaxRecords + 1) << kShop[2].text << 0u
                                         << u"one too many"_s;
}

void TestListFileIo::refusesWhatTheFileCannotHold()
{
    QFETCH(int, count);
    QFETCH(QString, text);
    QFETCH(uint, character);
    QFETCH(QString, named);
    QList<ListRecord> records = count > 4 ? QList<ListRecord>(count, kShop[2]) : kShop;
    records[2].text = text;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const ListWriteResult result = writeQz2(buffer, records);
    const int record = count > 4 ? count : 3;
    QCOMPARE(std::tuple(result.ok, result.record, result.product, uint(result.character), buffer.data()),
             std::tuple(false, record, kShop[2].product, character, QByteArray()));
    for (const QString &part : {u"Record %1"_s.arg(record), u"\"Cr\u00e8me \u20ac\""_s, named})
        QVERIFY(result.message.contains(part));
    // Just short enough, and just few enough, is fine.
    records.resize(std::min<qsizetype>(count, ListFileLimits::MaxRecords));
    records[2].text = QString(kLineCap - 2, u'x');
    QVERIFY(writeQz2(buffer, records).ok);
}

void TestListFileIo::failedSaveLeavesOldFile()
{
    // A file size limit fails the save at commit (small list) or while writing (big list).
    for (const auto &[records, limit] : {std::pair(4, 100), std::pair(3000, 1000)}) {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"shop.qz2"_s);
        QVERIFY(saveListFile(path, {ean13Record(u"Old"_s)}).ok);
        const QByteArray old = contents(path);
        rlimit previous{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
        rlimit limited{rlim_t(limit), previous.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        const ListWriteResult result = saveListFile(path, QList<ListRecord>(records, kShop[0]));
        setrlimit(RLIMIT_FSIZE, &previous);
        QVERIFY(!result.ok && result.message.contains(QDir::toNativeSeparators(path)));
        QCOMPARE(contents(path), old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"shop.qz2"_s});
    }
}

QTEST_GUILESS_MAIN(TestListFileIo)
#include "tst_list_file_io.moc"
