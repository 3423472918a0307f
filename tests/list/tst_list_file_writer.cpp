// The QZ2 writer: what it writes reads back unchanged, what the file cannot hold is refused
// before anything is written, and a failed save leaves the old file as it was.

#include "list/code_page_1252.h"
#include "list/list_files.h"

#include "barcode/safe_save.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace Kelbrix;
using namespace Qt::Literals::StringLiterals;

namespace {

// A device that accepts \a capacity bytes, then fails every write. With \a target it passes
// the accepted bytes on, so it can stand between the writer and a real file.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 capacity, QIODevice *target = nullptr) : m_capacity(capacity), m_target(target)
    {
        open(QIODevice::WriteOnly);
    }
    QByteArray received;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 room = m_capacity - received.size();
        if (room <= 0) {
            setErrorString(u"no space left"_s);
            return -1;
        }
        const qint64 taken = qMin(room, size);
        received.append(data, taken);
        if (m_target && m_target->write(data, taken) != taken)
            return -1;
        return taken;
    }

private:
    qint64 m_capacity;
    QIODevice *m_target;
};

const QList<ListRecord> kShop = {
    {u"Milk"_s, u"4006381333931"_s, {}, {}, u"E130"_s},
    {u"Say \"cheese\""_s, u"96385074"_s, u"05"_s, u"\"quoted\" text"_s, u"E82 "_s},
    {u"Cr\u00e8me \u20ac"_s, u"012345678905"_s, u"54321"_s, u"Caf\u00e9 \u2013 fresh"_s, u"UPA5"_s},
    {{}, u"ABC-123"_s, {}, {}, u"Co39"_s},
};

QList<ListRecord> repeatedShop(int count)
{
    QList<ListRecord> records;
    for (int i = 0; i < count; ++i)
        records.append(kShop.at(i % kShop.size()));
    return records;
}

QByteArray qz2Bytes(const QList<ListRecord> &records)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writeQz2(buffer, records);
    return buffer.data();
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestListFileWriter : public QObject {
    Q_OBJECT

private slots:
    void savedListLoadsBackUnchanged();
    void everyByteSurvivesTheCodePage();
    void refusesWhatTheFileCannotHold_data();
    void refusesWhatTheFileCannotHold();
    void recordCap();
    void deviceFailingAfterNBytes_data();
    void deviceFailingAfterNBytes();
    void failedWriteLeavesOldFile_data() { deviceFailingAfterNBytes_data(); }
    void failedWriteLeavesOldFile();
    void refusedRecordLeavesOldFile();
    void fileSizeLimitLeavesOldFile_data();
    void fileSizeLimitLeavesOldFile();
    void readOnlyFolderLeavesOldFile();
};

void TestListFileWriter::savedListLoadsBackUnchanged()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"shop.qz2"_s);
    writeFile(path, "old contents");
    const ListWriteResult saved = saveListFile(path, kShop);
    QVERIFY2(saved.ok, qPrintable(saved.message));
    QVERIFY(saved.message.isEmpty());

    const QByteArray bytes = contents(path);
    QVERIFY(bytes.startsWith("\"Milk\"\r\n\"4006381333931\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n\"Say \"cheese\"\"\r\n"));
    QVERIFY(bytes.contains("\"Cr\xe8me \x80\"\r\n"));
    QVERIFY(bytes.endsWith("\"Co39\"\r\n"));
    const ListReadResult loaded = readQz2(path);
    QVERIFY2(loaded.ok(), qPrintable(loaded.message));
    QCOMPARE(loaded.records, kShop);
}

void TestListFileWriter::everyByteSurvivesTheCodePage()
{
    // Every byte but the line ends, in a product, read and written again.
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != '\r' && byte != '\n')
            all.append(char(byte));
    }
    const QString text = CodePage1252::decode(all);
    QCOMPARE(text.size(), all.size());
    QCOMPARE(text.at(all.indexOf('\x80')), QChar(0x20AC));
    QCOMPARE(text.at(all.indexOf('\x9f')), QChar(0x0178));
    QCOMPARE(text.at(all.indexOf('\x81')), QChar(0x0081));

    const QList<ListRecord> records = {{text, u"1"_s, {}, text, u"Co39"_s}};
    const QByteArray bytes = qz2Bytes(records);
    QCOMPARE(bytes, '"' + all + "\"\r\n\"1\"\r\n\"\"\r\n\"" + all + "\"\r\n\"Co39\"\r\n");
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QCOMPARE(readQz2(buffer).records, records);
}

void TestListFileWriter::refusesWhatTheFileCannotHold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("character");
    QTest::addColumn<QString>("named");
    QTest::newRow("greek") << u"Omega \u03a9"_s << 0x3a9u << u"\"\u03a9\" (U+03A9)"_s;
    QTest::newRow("outside BMP") << u"Smile \U0001F600"_s << 0x1F600u << u"(U+1F600)"_s;
    QTest::newRow("C1 control") << u"\u0080"_s << 0x80u << u"U+0080"_s;
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << 0xD800u << u"U+D800"_s;
    QTest::newRow("line feed") << u"two\nlines"_s << 0x0Au << u"line break"_s;
    QTest::newRow("carriage return") << u"two\rlines"_s << 0x0Du << u"line break"_s;
    QTest::newRow("too long") << QString(ListFileLimits::MaxLineLength - 1, u'x') << 0u << u"4094 characters"_s;
}

void TestListFileWriter::refusesWhatTheFileCannotHold()
{
    QFETCH(QString, text);
    QFETCH(uint, character);
    QFETCH(QString, named);
    QList<ListRecord> records = kShop;
    records[2].text = text;

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const ListWriteResult result = writeQz2(buffer, records);
    QVERIFY(!result.ok);
    QCOMPARE(result.record, 3);
    QCOMPARE(result.product, kShop[2].product);
    QCOMPARE(uint(result.character), character);
    QVERIFY(buffer.data().isEmpty());
    for (const QString &part : {u"Record 3"_s, u"\"Cr\u00e8me \u20ac\""_s, named, u"Text"_s})
        QVERIFY2(result.message.contains(part), qPrintable(result.message));

    // Just short enough is fine.
    records[2].text = QString(ListFileLimits::MaxLineLength - 2, u'x');
    QVERIFY(writeQz2(buffer, records).ok);
}

void TestListFileWriter::recordCap()
{
    QList<ListRecord> records(ListFileLimits::MaxRecords, kShop[0]);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(writeQz2(buffer, records).ok);

    records.append(kShop[1]);
    QBuffer refused;
    refused.open(QIODevice::WriteOnly);
    const ListWriteResult result = writeQz2(refused, records);
    QVERIFY(!result.ok);
    QCOMPARE(result.record, ListFileLimits::MaxRecords + 1);
    QVERIFY(refused.data().isEmpty());
}

void TestListFileWriter::deviceFailingAfterNBytes_data()
{
    QTest::addColumn<qint64>("capacity");
    const QList<ListRecord> big = repeatedShop(3000);
    const qint64 size = qz2Bytes(big).size();
    QVERIFY(size > 64 * 1024); // written in more than one piece
    QTest::newRow("nothing") << qint64(0);
    QTest::newRow("one byte") << qint64(1);
    QTest::newRow("halfway") << size / 2;
    QTest::newRow("all but one byte") << size - 1;
    QTest::newRow("exactly enough") << size;
}

void TestListFileWriter::deviceFailingAfterNBytes()
{
    QFETCH(qint64, capacity);
    const QList<ListRecord> big = repeatedShop(3000);
    const QByteArray expected = qz2Bytes(big);

    FailingDevice device(capacity);
    const ListWriteResult result = writeQz2(device, big);
    QCOMPARE(result.ok, capacity >= expected.size());
    QCOMPARE(result.runtimeError, result.ok ? 0 : 57);
    if (!result.ok)
        QVERIFY2(result.message.contains(u"no space left"_s), qPrintable(result.message));
    QVERIFY(expected.startsWith(device.received));
}

void TestListFileWriter::failedWriteLeavesOldFile()
{
    QFETCH(qint64, capacity);
    const QList<ListRecord> big = repeatedShop(3000);
    const QByteArray expected = qz2Bytes(big);

    QTemporaryDir folder;
    const QString path = folder.filePath(u"shop.qz2"_s);
    const QByteArray old = qz2Bytes(kShop);
    writeFile(path, old);
    const SaveResult saved = saveFileSafely(path, [&](QIODevice &file) {
        FailingDevice device(capacity, &file);
        return writeQz2(device, big).ok;
    });
    QCOMPARE(saved.ok, capacity >= expected.size());
    QCOMPARE(contents(path), saved.ok ? expected : old);
    if (!saved.ok)
        QVERIFY2(saved.message.contains(QDir::toNativeSeparators(path)), qPrintable(saved.message));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"shop.qz2"_s});
}

void TestListFileWriter::refusedRecordLeavesOldFile()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"shop.qz2"_s);
    writeFile(path, "old list");
    QList<ListRecord> records = kShop;
    records[1].product = u"Snowman \u2603"_s;
    const ListWriteResult result = saveListFile(path, records);
    QVERIFY(!result.ok);
    QCOMPARE(result.record, 2);
    QCOMPARE(contents(path), QByteArray("old list"));
    for (const QString &part : {QDir::toNativeSeparators(path), u"record 2"_s, u"Snowman"_s, u"U+2603"_s})
        QVERIFY2(result.message.contains(part), qPrintable(result.message));
}

void TestListFileWriter::fileSizeLimitLeavesOldFile_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("limit");
    // A small list still sits in the file's write buffer when the save is committed; a big
    // one meets the limit while it is being written.
    QTest::newRow("small list") << 4 << 100;
    QTest::newRow("big list") << 3000 << 1000;
}

void TestListFileWriter::fileSizeLimitLeavesOldFile()
{
#ifdef Q_OS_UNIX
    // The system itself refuses bytes past the limit, as a full disk would, whoever runs
    // the test.
    QFETCH(int, records);
    QFETCH(int, limit);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"shop.qz2"_s);
    writeFile(path, "old list");
    const QList<ListRecord> list = repeatedShop(records);

    rlimit previous{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = rlim_t(limit);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const ListWriteResult result = saveListFile(path, list);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!result.ok);
    QVERIFY(result.runtimeError != 0);
    QVERIFY2(result.message.contains(QDir::toNativeSeparators(path)), qPrintable(result.message));
    QCOMPARE(contents(path), QByteArray("old list"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"shop.qz2"_s});
#else
    QSKIP("needs a file size limit of the system");
#endif
}

void TestListFileWriter::readOnlyFolderLeavesOldFile()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"shop.qz2"_s);
    writeFile(path, "old list");
    QVERIFY(QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const auto restore = qScopeGuard([&] {
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    });
    {
        QFile probe(folder.filePath(u"probe"_s));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QSKIP("this user may write into read-only folders (root); fileSizeLimitLeavesOldFile covers the case");
        }
    }
    const ListWriteResult result = saveListFile(path, kShop);
    QVERIFY(!result.ok);
    QVERIFY(result.runtimeError != 0);
    QVERIFY2(result.message.contains(QDir::toNativeSeparators(path)), qPrintable(result.message));
    QCOMPARE(contents(path), QByteArray("old list"));
}

QTEST_GUILESS_MAIN(TestListFileWriter)
#include "tst_list_file_writer.moc"
