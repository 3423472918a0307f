// The SSCC store: takes that go on where the last one stopped, each logged; takes running past the
// last serial reference of a prefix, and the other refusals, which leave the counter as it was;
// damaged and missing counter files refused, never counted again from the start; a failed save
// that takes nothing; a log line cut short by a stop; and the log as CSV.
#include "base/safe_save.h"
#include "list/sscc_log_csv.h"
#include "settings/sscc_store.h"
#include "test_helpers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

// The SSCCs of one take by a store made afresh, as each run of the program makes it.
QStringList taken(const QTemporaryDir &dir, const QString &prefix, const QString &extension, qint64 count,
                  const QString &purpose = {})
{
    const SsccTake take = SsccStore(dir.path()).takeSsccs(prefix, extension, count, purpose);
    if (!take.ok())
        qWarning("%s", qPrintable(take.error));
    return take.ssccs;
}

QString damaged(const QString &path, const QString &reason)
{
    return u"The SSCC counter file \""_s + path + u"\" is damaged: "_s + reason +
           u". No SSCC was taken, and the file is kept as it is: counting again from the start would issue SSCCs "
           u"twice. Put it back from a backup."_s;
}

} // namespace

class TestSsccStore : public QObject {
    Q_OBJECT
private slots:
    void takesGoOnWhereTheLastStopped()
    {
        QTemporaryDir dir;
        QCOMPARE(taken(dir, u"5012345"_s, u"3"_s, 2, u"pallet {n}\nof 2"_s),
                 (QStringList{u"350123450000000009"_s, u"350123450000000016"_s}));
        QCOMPARE(taken(dir, u"5012345"_s, u"4"_s, 1, u"04006381333931"_s), QStringList{u"450123450000000006"_s});
        QCOMPARE(taken(dir, u"5012345"_s, u"3"_s, 3),
                 (QStringList{u"350123450000000023"_s, u"350123450000000030"_s, u"350123450000000047"_s}));

        const SsccLog log = SsccStore(dir.path()).readLog();
        QCOMPARE(log.error, QString());
        QCOMPARE(log.damagedLines, 0);
        QStringList logged;
        for (const SsccLogEntry &entry : log.entries) {
            logged << entry.sscc + u' ' + entry.purpose;
            QVERIFY2(entry.time.contains(
                         QRegularExpression(u"^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d([+-]\\d\\d:\\d\\d|Z)$"_s)),
                     qPrintable(entry.time));
            QVERIFY(qAbs(QDateTime::fromString(entry.time, Qt::ISODate).secsTo(QDateTime::currentDateTime())) < 60);
        }
        QCOMPARE(logged, (QStringList{u"350123450000000009 pallet 1 of 2"_s, u"350123450000000016 pallet 2 of 2"_s,
                                      u"450123450000000006 04006381333931"_s, u"350123450000000023 "_s,
                                      u"350123450000000030 "_s, u"350123450000000047 "_s}));
    }

    // Company prefix 95012345678 leaves five digits of serial reference: 100000 SSCCs.
    void pastTheLastSerialReference_data()
    {
        QTest::addColumn<qint64>("before");
        QTest::addColumn<qint64>("asked");
        QTest::addColumn<QString>("message");
        QTest::newRow("only 3 remain") << qint64(99997) << qint64(5)
                                       << u"5 SSCCs were asked for, but only 3 remain under company prefix 95012345678 "
                                          u"with extension digit 9, up to serial reference 99999. None was taken."_s;
        QTest::newRow("only 1 remains") << qint64(99999) << qint64(2)
                                        << u"2 SSCCs were asked for, but only 1 remains under company prefix "
                                           u"95012345678 with extension digit 9, up to serial reference 99999. None "
                                           u"was taken."_s;
        QTest::newRow("none remains") << qint64(100000) << qint64(1)
                                      << u"No SSCC remains under company prefix 95012345678 with extension digit 9: "
                                         u"serial reference 99999, the last, is taken."_s;
    }
    void pastTheLastSerialReference()
    {
        QFETCH(qint64, before);
        QFETCH(qint64, asked);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const SsccStore store(dir.path());
        QCOMPARE(taken(dir, u"95012345678"_s, u"9"_s, before).size(), before);
        const QByteArray counter = fileBytes(store.counterPath()), log = fileBytes(store.logPath());

        const SsccTake refused = store.takeSsccs(u"95012345678"_s, u"9"_s, asked);
        QCOMPARE(refused.error, message);
        QCOMPARE(refused.ssccs, QStringList());
        QCOMPARE(fileBytes(store.counterPath()), counter);
        QCOMPARE(fileBytes(store.logPath()), log);
        if (before < 100000)
            QCOMPARE(taken(dir, u"95012345678"_s, u"9"_s, 100000 - before).last(), u"995012345678999992"_s);
    }

    // After SSCCs of company prefix 5012345 with extension digit 3.
    void refusedTakes_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<qint64>("count");
        QTest::addColumn<QString>("message");
        QTest::newRow("none") << u"5012345"_s << u"3"_s << qint64(0) << u"One take is 1 to 1000000 SSCCs, not 0."_s;
        QTest::newRow("more than a take holds")
            << u"5012345"_s << u"3"_s << qint64(1000001) << u"One take is 1 to 1000000 SSCCs, not 1000001."_s;
        QTest::newRow("a prefix of 5 digits")
            << u"50123"_s << u"3"_s << qint64(1) << u"A GS1 company prefix has 6 to 11 digits; \"50123\" is not one."_s;
        QTest::newRow("a prefix the one taken begins with")
            << u"501234"_s << u"3"_s << qint64(1)
            << u"Company prefix 501234 begins like company prefix 5012345, under which SSCCs were taken before: their "
               u"SSCCs with extension digit 3 could be the same, and GS1 never gives out both. No SSCC was taken."_s;
        QTest::newRow("a prefix that begins with the one taken")
            << u"50123456"_s << u"3"_s << qint64(1)
            << u"Company prefix 50123456 begins like company prefix 5012345, under which SSCCs were taken before: "
               u"their SSCCs with extension digit 3 could be the same, and GS1 never gives out both. No SSCC was "
               u"taken."_s;
        QTest::newRow("with another extension digit they cannot meet")
            << u"501234"_s << u"4"_s << qint64(1) << QString();
    }
    void refusedTakes()
    {
        QFETCH(QString, prefix);
        QFETCH(QString, extension);
        QFETCH(qint64, count);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const SsccStore store(dir.path());
        QCOMPARE(taken(dir, u"5012345"_s, u"3"_s, 1).size(), 1);
        const QByteArray counter = fileBytes(store.counterPath());
        const SsccTake take = store.takeSsccs(prefix, extension, count);
        QCOMPARE(take.error, message);
        QCOMPARE(take.ssccs.size(), message.isEmpty() ? 1 : 0);
        if (!message.isEmpty())
            QCOMPARE(fileBytes(store.counterPath()), counter);
    }

    // After 5 SSCCs of company prefix 5012345 with extension digit 3, the counter file is changed
    // by \a kind: "edit" replaces \a from with \a to in it, "cut" drops its last \a to bytes,
    // "write" makes it \a to, "folder" puts a folder in its place, "remove" removes it.
    void damagedCounterFilesAreRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("reason");
        const QString notSum = u"its last line is not the sum of the lines above it"_s;
        const QString notOurs = u"it does not begin with \"Kelbrix SSCC counters 1\""_s;
        QTest::newRow("a counter set lower")
            << u"edit"_s << QByteArray("\n5012345 3 5\n") << QByteArray("\n5012345 3 1\n") << notSum;
        QTest::newRow("cut in a line") << u"cut"_s << QByteArray() << QByteArray("5")
                                       << u"it ends in the middle of a line"_s;
        QTest::newRow("its sum line lost") << u"cut"_s << QByteArray() << QByteArray("21") << notSum;
        QTest::newRow("empty") << u"write"_s << QByteArray() << QByteArray() << notOurs;
        QTest::newRow("settings written over it")
            << u"write"_s << QByteArray() << QByteArray("[General]\nLanguage=2\n") << notOurs;
        QTest::newRow("a folder in its place") << u"folder"_s << QByteArray() << QByteArray() << QString();
        QTest::newRow("removed, the log kept") << u"remove"_s << QByteArray() << QByteArray() << QString();
    }
    void damagedCounterFilesAreRefused()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const SsccStore store(dir.path());
        QCOMPARE(taken(dir, u"5012345"_s, u"3"_s, 5).size(), 5);
        const QString path = store.counterPath();
        QByteArray bytes = fileBytes(path);
        QString message = damaged(path, reason);
        if (kind == u"edit"_s) {
            QVERIFY(bytes.contains(from));
            bytes.replace(from, to);
        } else if (kind == u"cut"_s) {
            bytes.chop(to.toInt());
        } else if (kind == u"write"_s) {
            bytes = to;
        } else {
            QVERIFY(QFile::remove(path));
            if (kind == u"folder"_s) {
                QVERIFY(QDir().mkdir(path));
                message = u"The SSCC counter file \""_s + path + u"\" is no regular file. No SSCC was taken."_s;
            } else {
                message = u"The SSCC counter file \""_s + path + u"\" is missing, but the log \""_s + store.logPath() +
                          u"\" shows SSCCs taken. No SSCC was taken: counting again from the start would issue them "
                          u"twice. Put the counter file back from a backup."_s;
            }
        }
        if (kind != u"folder"_s && kind != u"remove"_s)
            QVERIFY(writeFileBytes(path, bytes));
        const QByteArray log = fileBytes(store.logPath());

        for (int attempt = 0; attempt < 2; ++attempt) {
            const SsccTake take = store.takeSsccs(u"5012345"_s, u"3"_s, 1);
            QCOMPARE(take.error, message);
            QCOMPARE(take.ssccs, QStringList());
        }
        if (kind != u"folder"_s && kind != u"remove"_s)
            QCOMPARE(fileBytes(path), bytes);
        QCOMPARE(fileBytes(store.logPath()), log);
    }

    // A counter that cannot be saved takes nothing and leaves no gap.
    void aFailedSaveTakesNothing()
    {
        QTemporaryDir dir;
        const SsccStore store(dir.path());
        QCOMPARE(taken(dir, u"5012345"_s, u"3"_s, 1), QStringList{u"350123450000000009"_s});
        const QByteArray counter = fileBytes(store.counterPath()), log = fileBytes(store.logPath());
        setSaveFaultsForTesting({.syncError = EIO});
        const SsccTake take = store.takeSsccs(u"5012345"_s, u"3"_s, 2);
        setSaveFaultsForTesting({});
        QVERIFY2(take.error.startsWith(u"Could not save \""_s + store.counterPath() + u"\": "_s),
                 qPrintable(take.error));
        QVERIFY2(take.error.endsWith(u". The file was not changed. No SSCC was taken."_s), qPrintable(take.error));
        QCOMPARE(take.ssccs, QStringList());
        QCOMPARE(fileBytes(store.counterPath()), counter);
        QCOMPARE(fileBytes(store.logPath()), log);
        QCOMPARE(taken(dir, u"5012345"_s, u"3"_s, 1), QStringList{u"350123450000000016"_s});
    }

    // A stop in the middle of writing the log leaves half a line; the next take's lines stand
    // on their own after it, and reading the log leaves the half line out.
    void aLogLineCutShortStandsAlone()
    {
        QTemporaryDir dir;
        const SsccStore store(dir.path());
        QCOMPARE(taken(dir, u"5012345"_s, u"3"_s, 1).size(), 1);
        QFile log(store.logPath());
        QVERIFY(log.open(QIODevice::Append) && log.write("2025-03-14T09:26:53+01:00\t35012345") > 0);
        log.close();
        QCOMPARE(taken(dir, u"5012345"_s, u"3"_s, 1, u"pallet 2"_s), QStringList{u"350123450000000016"_s});
        const SsccLog read = store.readLog();
        QCOMPARE(read.damagedLines, 1);
        QCOMPARE(read.entries.size(), 2);
        QCOMPARE(read.entries.last().sscc + u' ' + read.entries.last().purpose, u"350123450000000016 pallet 2"_s);
    }

    void logAsCsv_data()
    {
        QTest::addColumn<QString>("purpose");
        QTest::addColumn<QByteArray>("row");
        QTest::newRow("plain") << u"pallet 3 of 10"_s
                               << QByteArray("2025-03-14T09:26:53+01:00;350123450000000009;pallet 3 of 10");
        QTest::newRow("a semicolon is quoted")
            << u"04006381333931; lot 7"_s
            << QByteArray("2025-03-14T09:26:53+01:00;350123450000000009;\"04006381333931; lot 7\"");
        QTest::newRow("a comma is not") << u"a, b"_s << QByteArray("2025-03-14T09:26:53+01:00;350123450000000009;a, b");
        QTest::newRow("quotes are doubled")
            << u"the \"blue\" one"_s
            << QByteArray("2025-03-14T09:26:53+01:00;350123450000000009;\"the \"\"blue\"\" one\"");
        QTest::newRow("a blank at the start")
            << u" 7"_s << QByteArray("2025-03-14T09:26:53+01:00;350123450000000009;\" 7\"");
        QTest::newRow("nothing") << QString() << QByteArray("2025-03-14T09:26:53+01:00;350123450000000009;");
        QTest::newRow("not ASCII")
            << u"Lastpall åt Göteborg"_s
            << QByteArray("2025-03-14T09:26:53+01:00;350123450000000009;Lastpall \xc3\xa5t G\xc3\xb6teborg");
    }
    void logAsCsv()
    {
        QFETCH(QString, purpose);
        QFETCH(QByteArray, row);
        const SsccLogEntry entry{u"2025-03-14T09:26:53+01:00"_s, u"350123450000000009"_s, purpose};
        QCOMPARE(ssccLogCsvBytes({entry, entry}), "\xEF\xBB\xBFTime;SSCC;For\r\n" + row + "\r\n" + row + "\r\n");
    }
};

QTEST_GUILESS_MAIN(TestSsccStore)
#include "tst_sscc_store.moc"
