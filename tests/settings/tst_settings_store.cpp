#include "settings/settings_file.h"
#include "settings/settings_store.h"
#include "test_helpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTest>

using namespace Kelbrix;
using namespace Kelbrix::Test;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString &path()
{
    static const QString file = settingsFilePath(Edition::Alla);
    return file;
}

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

private slots:
    void init() { QFile::remove(path()); }
    void cleanup() { QFile::remove(path()); }

    void oversizedFileIsKept()
    {
        QByteArray large = "[General]\nListkod=E80%20\n" + QByteArray(kMaxSettingsFileSize, 'x');
        large.truncate(kMaxSettingsFileSize + 1);
        QVERIFY(QDir().mkpath(QFileInfo(path()).absolutePath()) && writeFileBytes(path(), large));
        SettingsStore store(Edition::Alla);
        QCOMPARE(store.load(), SettingsStore::LoadOutcome::TooLarge);
        QVERIFY(store.value(u"Listkod"_s).isEmpty());
        QVERIFY(store.loadProblem().contains(QDir::toNativeSeparators(path())));
        store.setValue(u"Listkod"_s, u"E130"_s);
        QVERIFY(!store.save() && !store.saveProblem().isEmpty());
        QCOMPARE(fileBytes(path()), large);
    }

    void valuesSurviveQSettings()
    {
        const QString name = u"Bar Matt"_s, text = u"@V, \"hi\" C:\\t a\nb\tc Łódź 📠 "_s;
        const auto qtSettings = [] {
            return QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Quorran"_s,
                             settingsKeyName(Edition::Alla));
        };
        {
            SettingsStore store(Edition::Alla);
            store.load();
            store.setValue(name, text);
            QVERIFY(store.save());
        }
        QCOMPARE(qtSettings().value(name).toString(), text);
        QFile::remove(path());
        qtSettings().setValue(name, text);
        SettingsStore store(Edition::Alla);
        QCOMPARE(store.load(), SettingsStore::LoadOutcome::Read);
        QCOMPARE(store.value(name), text);
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settings_store.moc"
