// Golden-folder tests: every list file under tests/data/<format>/{pass,fail}/ is read and
// compared with the JSON file next to it, which holds the records (five columns each), the
// product list of the older formats and, for a failing file, the runtime error and line.

#include "list/list_files.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Kelbrix;
using namespace Qt::Literals::StringLiterals;

namespace {

QString dataRoot()
{
    return qEnvironmentVariable("KELBRIX_TEST_DATA");
}

QJsonObject expectationFor(const QString &path)
{
    QFile file(path + u".json"_s);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

QList<ListRecord> recordsFrom(const QJsonValue &value)
{
    QList<ListRecord> records;
    for (const QJsonValue &row : value.toArray()) {
        const QJsonArray columns = row.toArray();
        records.append({columns.at(0).toString(), columns.at(1).toString(), columns.at(2).toString(),
                        columns.at(3).toString(), columns.at(4).toString()});
    }
    return records;
}

QStringList stringsFrom(const QJsonValue &value)
{
    QStringList strings;
    for (const QJsonValue &entry : value.toArray())
        strings.append(entry.toString());
    return strings;
}

ListReadResult readDevice(const QString &path, QIODevice &device)
{
    switch (listFileFormatFor(path)) {
    case ListFileFormat::Qz2:
        return readQz2(device);
    case ListFileFormat::Qzl:
        return readQzl(device);
    case ListFileFormat::Ornatec:
        return readOrnatec(device);
    default:
        return {};
    }
}

// One row per list file, named by its path below tests/data; with \a key set, only files
// whose expectation has that key.
void addDataFileRows(const QString &key = {})
{
    QTest::addColumn<QString>("path");
    const QDir root(dataRoot());
    int rows = 0;
    QDirIterator files(dataRoot(), {u"*.qz2"_s, u"*.qzl"_s, u"*.bar"_s}, QDir::Files, QDirIterator::Subdirectories);
    QStringList paths;
    while (files.hasNext())
        paths.append(files.next());
    paths.sort();
    for (const QString &path : paths) {
        if (!key.isEmpty() && !expectationFor(path).contains(key))
            continue;
        QTest::newRow(qPrintable(root.relativeFilePath(path))) << path;
        ++rows;
    }
    if (rows == 0)
        QTest::newRow("no data files found") << QString();
}

} // namespace

class TestListFileData : public QObject {
    Q_OBJECT

private slots:
    void readsEveryDataFile_data() { addDataFileRows(); }
    void readsEveryDataFile();
    void canonicalFileIsWrittenBackByteForByte_data() { addDataFileRows(u"canonical"_s); }
    void canonicalFileIsWrittenBackByteForByte();
    void duplicatePassLeavesFirstOfEachRun_data() { addDataFileRows(u"afterDuplicatePass"_s); }
    void duplicatePassLeavesFirstOfEachRun();
};

void TestListFileData::readsEveryDataFile()
{
    QFETCH(QString, path);
    QVERIFY2(!path.isEmpty(), qPrintable(u"no list files under "_s + dataRoot()));
    const QJsonObject expected = expectationFor(path);
    QVERIFY2(!expected.isEmpty(), qPrintable(u"missing or broken expectation "_s + path + u".json"_s));

    const bool shouldFail = path.contains(u"/fail/"_s);
    QCOMPARE(expected.contains(u"error"_s), shouldFail);

    const ListReadResult result = readListFile(path);
    QCOMPARE(result.records, recordsFrom(expected.value(u"records"_s)));
    QCOMPARE(result.runtimeError, expected.value(u"error"_s).toInt());
    QCOMPARE(result.line, expected.value(u"line"_s).toInt());
    if (listFileFormatFor(path) != ListFileFormat::Qz2)
        QCOMPARE(result.productList, stringsFrom(expected.value(u"productList"_s)));
    else
        QVERIFY(result.productList.isEmpty());

    if (shouldFail) {
        // What the user is told names the file and the line.
        QVERIFY2(result.message.contains(QDir::toNativeSeparators(path)), qPrintable(result.message));
        QVERIFY2(result.message.contains(u"Line %1"_s.arg(result.line)), qPrintable(result.message));
    } else {
        QVERIFY(result.message.isEmpty());
    }

    // Reading from a device gives the same outcome as reading by name.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const ListReadResult fromDevice = readDevice(path, file);
    QCOMPARE(fromDevice.records, result.records);
    QCOMPARE(fromDevice.productList, result.productList);
    QCOMPARE(fromDevice.runtimeError, result.runtimeError);
    QCOMPARE(fromDevice.line, result.line);
}

void TestListFileData::canonicalFileIsWrittenBackByteForByte()
{
    QFETCH(QString, path);
    QVERIFY(!path.isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray original = file.readAll();

    const ListReadResult read = readQz2(path);
    QVERIFY2(read.ok(), qPrintable(read.message));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const ListWriteResult written = writeQz2(buffer, read.records);
    QVERIFY2(written.ok, qPrintable(written.message));
    QCOMPARE(buffer.data(), original);
}

void TestListFileData::duplicatePassLeavesFirstOfEachRun()
{
    QFETCH(QString, path);
    QVERIFY(!path.isEmpty());
    ListReadResult read = readListFile(path);
    QVERIFY2(read.ok(), qPrintable(read.message));
    const QList<ListRecord> before = read.records;
    const QList<ListRecord> expected = recordsFrom(expectationFor(path).value(u"afterDuplicatePass"_s));

    const QList<qsizetype> removed = removeConsecutiveDuplicateBarcodes(read.records);
    QCOMPARE(read.records, expected);
    // The removed positions are exactly the records that are gone.
    QCOMPARE(removed.size(), before.size() - expected.size());
    QList<ListRecord> rebuilt = before;
    for (auto position = removed.crbegin(); position != removed.crend(); ++position)
        rebuilt.removeAt(*position);
    QCOMPARE(rebuilt, expected);
}

QTEST_GUILESS_MAIN(TestListFileData)
#include "tst_list_file_data.moc"
