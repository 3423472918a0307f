// The command-line export killed (SIGKILL) at random moments: every file under its own name is
// whole and scans, and the next export leaves no temporary file behind.
#include "export/converter_io.h"
#include "export_test_support.h"
#include "verify/symbol_reader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

constexpr int kRecords = 200;
constexpr int kKills = 6;

QStringList hiddenFiles(const QString &folder)
{
    return QDir(folder).entryList({u".*"_s}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

class ExportKill : public QObject {
    Q_OBJECT

private slots:
    void killedExportsLeaveWholeFiles()
    {
        QTemporaryDir dir;
        QByteArray csv = "Product;EAN\r\n"; // twelve digits: the program adds the check digit
        for (int i = 0; i < kRecords; ++i)
            csv += "Item " + QByteArray::number(i) + ';' + QByteArray::number(400600000000 + i * 7) + "\r\n";
        const QString list = dir.filePath(u"list.csv"_s);
        QVERIFY(Test::writeFileBytes(list, csv));
        const QString out = dir.filePath(u"out"_s);

        const quint32 seed = qEnvironmentVariableIsSet("KELBRIX_KILL_SEED")
                                 ? quint32(qEnvironmentVariableIntValue("KELBRIX_KILL_SEED"))
                                 : QRandomGenerator::global()->generate();
        qInfo("seed %u (set KELBRIX_KILL_SEED to repeat)", seed);
        QRandomGenerator random(seed);

        // The first export runs to its end and says how long one takes; the next ones are killed
        // at a random moment of that time; the last runs to its end again.
        QStringList leftovers;
        qint64 fullRunMicroseconds = 0;
        for (int round = 0; round <= kKills + 1; ++round) {
            const bool kill = round >= 1 && round <= kKills;
            const qint64 killAt = kill ? qint64(random.bounded(quint64(fullRunMicroseconds))) : 0;
            QProcess program;
            QElapsedTimer clock;
            program.start(QStringLiteral(KELBRIX_PROGRAM),
                          {u"--export"_s, list, u"--out"_s, out, u"--dpi"_s, u"300"_s});
            clock.start();
            QVERIFY(program.waitForStarted());
            bool reported = false;
            while (program.state() == QProcess::Running) {
                if (kill && clock.nsecsElapsed() / 1000 >= killAt) {
                    program.kill();
                    qInfo("round %d: killed %lld us after the start", round, killAt);
                    break;
                }
                program.waitForReadyRead(1);
                if (!reported && program.canReadLine()) {
                    // Once this export reports a file, what the killed one left is gone.
                    for (const QString &name : std::as_const(leftovers))
                        QVERIFY2(!QFile::exists(QDir(out).filePath(name)), qPrintable(name));
                    reported = true;
                }
            }
            QVERIFY(program.state() == QProcess::NotRunning || program.waitForFinished(60000));
            if (round == 0)
                fullRunMicroseconds = std::max<qint64>(1, clock.nsecsElapsed() / 1000);
            if (!kill)
                QCOMPARE(program.exitCode(), 0);

            const QStringList files = QDir(out).entryList({u"*.tif"_s}, QDir::Files, QDir::Name);
            for (const QString &name : files) {
                const SourceContent read = readImageFile(QDir(out).filePath(name));
                QVERIFY2(read.result == 0, qPrintable(name + u": "_s + read.problem));
                const QList<DecodedSymbol> symbols = readSymbols(read.picture.image);
                // Named PRODUCT_DIGITS_COPY.tif, the digits without their check digit.
                QVERIFY2(symbols.size() == 1 && symbols.first().data.startsWith(name.section(u'_', -2, -2)),
                         qPrintable(name));
            }
            leftovers = hiddenFiles(out);
            qInfo("round %d: %lld files under their names, %lld temporary files", round, qint64(files.size()),
                  qint64(leftovers.size()));
            if (round == kKills + 1) {
                QCOMPARE(files.size(), kRecords);
                QCOMPARE(leftovers, QStringList());
            }
        }
    }
};

QTEST_GUILESS_MAIN(ExportKill)
#include "tst_export_kill.moc"
