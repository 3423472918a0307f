// Every list file under tests/data is read and compared with the JSON file beside it.

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

QList<ListRecord> recordsFrom(const QJsonValue &value)
{
    QList<ListRecord> records;
    for (const QJsonValue &row : value.toArray()) {
        const QStringList c = row.toVariant().toStringList();
        records.append({c.value(0), c.value(1), c.value(2), c.value(3), c.value(4)});
    }
    return records;
}

} // namespace

class TestListFileData : public QObject {
    Q_OBJECT

private slots:
    void readsEveryDataFile_data();
    void readsEveryDataFile();
};

void TestListFileData::readsEveryDataFile_data()
{
    QTest::addColumn<QString>("path");
    const QString root = qEnvironmentVariable("KELBRIX_TEST_DATA");
    QStringList paths;
    for (QDirIterator it(root, {u"*.qz2"_s, u"*.qzl"_s, u"*.bar"_s}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();)
        paths.append(it.next());
    paths.sort();
    for (const QString &path : std::as_const(paths))
        QTest::newRow(qPrintable(QDir(root).relativeFilePath(path))) << path;
    if (paths.isEmpty())
        QTest::newRow("none") << QString();
}

void TestListFileData::readsEveryDataFile()
{
    QFETCH(QString, path);
    QVERIFY2(!path.isEmpty(), "no list files under KELBRIX_TEST_DATA");
    QFile json(path + u".json"_s), file(path);
    QVERIFY(json.open(QIODevice::ReadOnly) && file.open(QIODevice::ReadOnly));
    const QJsonObject expected = QJsonDocument::fromJson(json.readAll()).object();
    QVERIFY(!expected.isEmpty());
    const bool shouldFail = path.contains(u"/fail/"_s);
    QCOMPARE(expected.contains(u"error"_s), shouldFail);

    const ListReadResult result = readListFile(path);
    QCOMPARE(result.records, recordsFrom(expected.value(u"records"_s)));
    QCOMPARE(result.runtimeError, expected.value(u"error"_s).toInt());
    QCOMPARE(result.line, expected.value(u"line"_s).toInt());
    QCOMPARE(result.productList, expected.value(u"productList"_s).toVariant().toStringList());
    QVERIFY2(shouldFail ? result.message.contains(QDir::toNativeSeparators(path)) &&
                              result.message.contains(u"Line %1"_s.arg(result.line))
                        : result.message.isEmpty(),
             qPrintable(result.message));

    const bool utf8 = expected.value(u"canonicalUtf8"_s).toBool();
    if (utf8 || expected.value(u"canonical"_s).toBool()) {
        QCOMPARE(result.utf8, utf8);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY((utf8 ? writeQz2Utf8(buffer, result.records) : writeQz2(buffer, result.records)).ok);
        QCOMPARE(buffer.data(), file.readAll());
    }
    if (expected.contains(u"afterDuplicatePass"_s)) {
        const QList<ListRecord> kept = recordsFrom(expected.value(u"afterDuplicatePass"_s));
        QList<ListRecord> records = result.records;
        const QList<qsizetype> removed = removeConsecutiveDuplicateBarcodes(records);
        QCOMPARE(records, kept);
        QList<ListRecord> rebuilt = result.records;
        for (auto position = removed.crbegin(); position != removed.crend(); ++position)
            rebuilt.removeAt(*position);
        QCOMPARE(rebuilt, kept);
    }
}

QTEST_GUILESS_MAIN(TestListFileData)
#include "tst_list_file_data.moc"
