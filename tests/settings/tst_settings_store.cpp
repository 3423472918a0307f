#include "settings/settings_file.h"
#include "settings/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <QTest>

#include <sys/stat.h>

using namespace Kelbrix;
using namespace Qt::Literals::StringLiterals;

namespace {

QString path()
{
    return settingsFilePath(Edition::Alla);
}

void writeFile(const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path()).absolutePath()));
    QFile file(path());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray fileBytes()
{
    QFile file(path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QSettings qtSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Quorran"_s, settingsKeyName(Edition::Alla));
}

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

private slots:
    void init() { QFile::remove(path()); }
    void cleanup() { QFile::remove(path()); }

    void refusedFilesAreKept_data();
    void refusedFilesAreKept();
    void readsValuesAsPlainText_data();
    void readsValuesAsPlainText();
    void rewritesRandomBytes();
    void valuesSurviveQSettings();
};

void TestSettingsStore::refusedFilesAreKept_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("outcome");
    QTest::newRow("FIFO") << u"fifo"_s << int(SettingsStore::LoadOutcome::NotRegular);
    QTest::newRow("one byte past the cap") << u"large"_s << int(SettingsStore::LoadOutcome::TooLarge);
}

void TestSettingsStore::refusedFilesAreKept()
{
    QFETCH(QString, kind);
    QFETCH(int, outcome);
    QByteArray large;
    if (kind == u"fifo"_s) {
        QVERIFY(QDir().mkpath(QFileInfo(path()).absolutePath()));
        QCOMPARE(::mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
    } else {
        large = "[General]\nListkod=E80%20\n" + QByteArray(kMaxSettingsFileSize, 'x');
        large.truncate(kMaxSettingsFileSize + 1);
        writeFile(large);
    }
    SettingsStore store(Edition::Alla);
    QCOMPARE(int(store.load()), outcome);
    QVERIFY(store.value(u"Listkod"_s).isEmpty());
    QVERIFY(store.loadProblem().contains(QDir::toNativeSeparators(path())));
    QVERIFY(store.loadProblem().contains(u"default settings"_s));

    store.setValue(u"Listkod"_s, u"E130"_s);
    QVERIFY(!store.save());
    QVERIFY(!store.saveProblem().isEmpty());
    if (kind == u"fifo"_s) {
        struct stat status {};
        QCOMPARE(::lstat(QFile::encodeName(path()).constData(), &status), 0);
        QVERIFY(S_ISFIFO(status.st_mode));
    } else {
        QCOMPARE(fileBytes(), large);
    }
}

void TestSettingsStore::readsValuesAsPlainText_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("expected");
    QTest::newRow("variant") << QByteArray("DPI=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x10QByteArray\\xff\\xff\\xff)")
                             << u"@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x10QByteArray\\xff\\xff\\xff)"_s.replace(
                                    u"\\0"_s, QString(QChar(0)));
    QTest::newRow("list") << QByteArray("DPI=300, 600") << u"300, 600"_s;
}

void TestSettingsStore::readsValuesAsPlainText()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, expected);
    writeFile("[General]\n" + line + "\n");
    SettingsStore store(Edition::Alla);
    QCOMPARE(int(store.load()), int(SettingsStore::LoadOutcome::Read));
    const qsizetype zero = expected.indexOf(QChar(0));
    QCOMPARE(store.value(u"DPI"_s), zero >= 0 ? expected.left(zero) : expected);
    store.setValue(u"Listkod"_s, u"E130"_s);
    QVERIFY(store.save());
    QVERIFY(fileBytes().contains(line + "\n"));
}

void TestSettingsStore::rewritesRandomBytes()
{
    QRandomGenerator random(17);
    QByteArray junk(64 * 1024, Qt::Uninitialized);
    for (char &c : junk)
        c = char(random.bounded(256));
    writeFile(junk);
    SettingsStore store(Edition::Alla);
    QCOMPARE(int(store.load()), int(SettingsStore::LoadOutcome::Read));
    store.setValue(u"Listkod"_s, u"E82 "_s);
    QVERIFY(store.save());
    SettingsStore again(Edition::Alla);
    QCOMPARE(int(again.load()), int(SettingsStore::LoadOutcome::Read));
    QCOMPARE(again.value(u"Listkod"_s), u"E82 "_s);
}

void TestSettingsStore::valuesSurviveQSettings()
{
    const QString name = u"Bar Matt"_s, text = u"@V, \"hi\" C:\\t a\nb\tc Łódź "_s;
    {
        SettingsStore store(Edition::Alla);
        store.load();
        store.setValue(name, text);
        QVERIFY(store.save());
    }
    QCOMPARE(qtSettings().value(name).toString(), text);

    QFile::remove(path());
    {
        QSettings settings = qtSettings();
        settings.setValue(name, text);
    }
    SettingsStore store(Edition::Alla);
    QCOMPARE(int(store.load()), int(SettingsStore::LoadOutcome::Read));
    QCOMPARE(store.value(name), text);
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settings_store.moc"
