#include "expected_records.h"
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
using namespace Kelbrix::Test;
using namespace Qt::Literals::StringLiterals;

class TestListFileData : public QObject {
    Q_OBJECT

private slots:
    void readsEveryDataFile_data()
    {
        QTest::addColumn<QString>("path");
        const QString root = qEnvironmentVariable("KELBRIX_TEST_DATA");
        QDirIterator it(root, {u"*.qz2"_s, u"*.qzl"_s, u"*.bar"_s}, QDir::Files, QDirIterator::Subdirectories);
        QVERIFY(it.hasNext());
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::newRow(qPrintable(QDir(root).relativeFilePath(path))) << path;
        }
    }
    void readsEveryDataFile()
    {
        QFETCH(QString, path);
        QFile json(path + u".json"_s), file(path);
        QVERIFY(json.open(QIODevice::ReadOnly) && file.open(QIODevice::ReadOnly));
        const QJsonObject expected = QJsonDocument::fromJson(json.readAll()).object();
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
            QCOMPARE(buffer.data(), file.readAll());
        }
        if (expected.contains(u"afterDuplicatePass"_s)) {
            QList<ListRecord> records = result.records;
            removeConsecutiveDuplicateBarcodes(records);
            QCOMPARE(records, recordsFrom(expected.value(u"afterDuplicatePass"_s)));
        }
    }
};

QTEST_GUILESS_MAIN(TestListFileData)
#include "tst_list_file_data.moc"
