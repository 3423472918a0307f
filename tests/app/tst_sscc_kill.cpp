// SSCCs taken by the program itself, run after run, while runs are killed (SIGKILL) at random
// moments of their work: every SSCC printed is new and above each one printed before it, the
// counter left behind is whole, and the log holds every SSCC printed. Programs taking SSCCs at
// the same time never get the same one either.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kWholeRuns = 40;
constexpr int kKills = 20;
constexpr int kPerRun = 25; // the whole runs take 1000 SSCCs

QStringList takeArguments(int count, const QString &purpose)
{
    return {u"--sscc-take"_s, u"--sscc-prefix"_s,     u"5012345"_s, u"--extension"_s, u"3"_s,
            u"--count"_s,     QString::number(count), u"--for"_s,   purpose};
}

void startIn(QProcess &program, const QTemporaryDir &config, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_CONFIG_HOME"_s, config.path());
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KELBRIX_PROGRAM), arguments);
}

// The SSCCs of the whole lines \a program printed; a line the kill cut short is left out.
QStringList printedSsccs(QProcess &program)
{
    QByteArray output = program.readAllStandardOutput();
    output.truncate(output.lastIndexOf('\n') + 1);
    const QStringList lines = QString::fromLatin1(output).split(u'\n', Qt::SkipEmptyParts);
    for (const QString &line : lines)
        if (!QRegularExpression(u"^\\d{18}$"_s).match(line).hasMatch())
            qWarning("not an SSCC: %s", qPrintable(line));
    return lines;
}

// True once the lock beside the counter is held by the process \a pid: it has begun its take.
bool lockHeldBy(const QString &lockPath, const QByteArray &pid)
{
    QFile lock(lockPath);
    return lock.open(QIODevice::ReadOnly) && lock.readLine().trimmed() == pid;
}

} // namespace

class TestSsccKill : public QObject {
    Q_OBJECT
private slots:
    // A killed run is stopped at a random moment between taking the lock and its end, the part
    // where it reads, counts on, saves, logs and prints: within the time the quickest whole run
    // took for it.
    void killedTakesNeverRepeat()
    {
        QTemporaryDir config;
        const QString folder = config.filePath(u"Quorran"_s), lockPath = folder + u"/sscc.txt.lock"_s;
        const quint32 seed = qEnvironmentVariableIsSet("KELBRIX_KILL_SEED")
                                 ? quint32(qEnvironmentVariableIntValue("KELBRIX_KILL_SEED"))
                                 : 20250314u;
        qInfo("seed %u (set KELBRIX_KILL_SEED to try another)", seed);
        QRandomGenerator random(seed);

        QStringList printed;
        int whole = 0, kills = 0, gaps = 0;
        qint64 workNs = 0; // from the lock to the end, in the quickest whole run
        for (int round = 0; round < 4 * (kWholeRuns + kKills) && (whole < kWholeRuns || kills < kKills); ++round) {
            const bool kill = workNs > 0 && kills < kKills && (whole >= kWholeRuns || random.bounded(2) == 0);
            const qint64 killAfterNs = kill ? qint64(random.bounded(quint64(workNs))) : 0;
            QProcess program;
            startIn(program, config, takeArguments(kPerRun, u"pallet {n}"_s));
            QVERIFY(program.waitForStarted());
            const QByteArray pid = QByteArray::number(program.processId());
            QElapsedTimer clock;
            clock.start();
            qint64 lockedAt = -1;
            while (program.state() != QProcess::NotRunning && !program.waitForFinished(0)) {
                if (lockedAt < 0 && lockHeldBy(lockPath, pid))
                    lockedAt = clock.nsecsElapsed();
                if (kill && lockedAt >= 0 && clock.nsecsElapsed() - lockedAt >= killAfterNs) {
                    program.kill();
                    QVERIFY(program.waitForFinished(10000) || program.state() == QProcess::NotRunning);
                }
            }
            // A run that ended before its moment came is a whole one.
            const bool killed = program.exitStatus() == QProcess::CrashExit;
            const QStringList ssccs = printedSsccs(program);
            if (killed) {
                ++kills;
                qInfo("killed %lld us into the take, after %lld SSCCs", killAfterNs / 1000, qint64(ssccs.size()));
            } else {
                QCOMPARE(program.exitStatus(), QProcess::NormalExit);
                QVERIFY2(program.exitCode() == 0, program.readAllStandardError().constData());
                QCOMPARE(ssccs.size(), kPerRun);
                ++whole;
                if (lockedAt >= 0 && (workNs == 0 || clock.nsecsElapsed() - lockedAt < workNs))
                    workNs = std::max<qint64>(1000, clock.nsecsElapsed() - lockedAt);
            }
            // A kill after the counter was saved leaves a gap before the next SSCC printed.
            if (!ssccs.isEmpty() && !printed.isEmpty() &&
                ssccs.first().mid(8, 9).toLongLong() > printed.last().mid(8, 9).toLongLong() + 1)
                ++gaps;
            printed += ssccs;
        }
        qInfo("%d SSCCs printed, %d gaps left by kills after the counter was saved", int(printed.size()), gaps);
        QCOMPARE(kills, kKills);
        QVERIFY(printed.size() >= kWholeRuns * kPerRun);
        // Of the same prefix and extension, SSCCs of higher serial references sort after.
        for (qsizetype i = 1; i < printed.size(); ++i)
            QVERIFY2(printed.at(i) > printed.at(i - 1), qPrintable(printed.at(i - 1) + u" then "_s + printed.at(i)));

        // The counter is whole: the next run reads it and goes on above every SSCC printed, and
        // what killed saves left behind is cleared away.
        QProcess last;
        startIn(last, config, takeArguments(1, u"last"_s));
        QVERIFY(last.waitForFinished(30000));
        QCOMPARE(last.exitCode(), 0);
        const QStringList after = printedSsccs(last);
        QCOMPARE(after.size(), 1);
        QVERIFY(after.first() > printed.last());
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{u"sscc-log.txt"_s, u"sscc.txt"_s}));

        // The log names every SSCC printed, and none twice; a kill may have left a line cut short.
        QProcess log;
        const QString csv = config.filePath(u"log.csv"_s);
        startIn(log, config, {u"--sscc-log"_s, csv});
        QVERIFY(log.waitForFinished(30000));
        QVERIFY(log.exitCode() == 0 || log.readAllStandardError().contains("cut short or damaged and left out"));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readLine(), QByteArray("\xEF\xBB\xBFTime;SSCC;For\r\n"));
        QSet<QString> logged;
        while (!file.atEnd()) {
            const QString sscc = QString::fromLatin1(file.readLine()).section(u';', 1, 1);
            QVERIFY2(!logged.contains(sscc), qPrintable(sscc));
            logged.insert(sscc);
        }
        for (const QString &sscc : std::as_const(printed) + after)
            QVERIFY2(logged.contains(sscc), qPrintable(sscc));
    }

    // Four programs started together, three times over, take 3000 SSCCs: serial references 0 to
    // 2999, each once.
    void takesSideBySideNeverMeet()
    {
        QTemporaryDir config;
        QSet<QString> all;
        for (int round = 0; round < 3; ++round) {
            QProcess programs[4];
            for (QProcess &program : programs)
                startIn(program, config, takeArguments(250, u"side by side"_s));
            for (QProcess &program : programs) {
                QVERIFY(program.waitForFinished(60000));
                QVERIFY2(program.exitCode() == 0, program.readAllStandardError().constData());
                const QStringList ssccs = printedSsccs(program);
                QCOMPARE(ssccs.size(), 250);
                for (const QString &sscc : ssccs) {
                    QVERIFY2(!all.contains(sscc), qPrintable(sscc));
                    all.insert(sscc);
                }
            }
        }
        qint64 highest = 0;
        for (const QString &sscc : std::as_const(all))
            highest = std::max(highest, sscc.mid(8, 9).toLongLong());
        QCOMPARE(highest, 2999);
    }
};

QTEST_GUILESS_MAIN(TestSsccKill)
#include "tst_sscc_kill.moc"
