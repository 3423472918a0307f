// A settings file the window cannot use: defaults, a plain-text hint, a true message at exit.
#include "form1_driver.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

class TestForm1HostileInput : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_config;
    QByteArray m_oldConfig = qgetenv("XDG_CONFIG_HOME");

private slots:
    void init()
    {
        // Markup in the settings path must reach the status bar as plain text.
        m_config = std::make_unique<QTemporaryDir>();
        const QString home = m_config->filePath(u"<h1>BIG <img src=x>"_s);
        QVERIFY(QDir().mkpath(home + u"/Quorran"_s));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home));
    }
    void cleanup() { qputenv("XDG_CONFIG_HOME", m_oldConfig); }

    void settingsFileThatIsAFifo()
    {
        const QByteArray path = QFile::encodeName(settingsFilePath(Edition::Alla));
        QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        {
            Form1 form{Edition::Alla};
            QLabel *hint = form.findChild<QLabel *>(u"StatusHint"_s);
            QCOMPARE(hint->textFormat(), Qt::PlainText);
            QVERIFY(hint->text().contains(QDir::toNativeSeparators(settingsFilePath(Edition::Alla))) &&
                    hint->text().contains(u"default settings"_s));
            quitAnsweringYes(form, {u"Your settings could not be saved."_s});
        }
        struct stat status {};
        QVERIFY(::lstat(path.constData(), &status) == 0 && S_ISFIFO(status.st_mode));
    }

    void settingsFileOfRandomBytes()
    {
        QRandomGenerator random(64);
        QByteArray junk(64 * 1024, Qt::Uninitialized);
        for (char &c : junk)
            c = char(random.bounded(256));
        QVERIFY(writeFileBytes(settingsFilePath(Edition::Alla), junk));
        {
            Form1 form{Edition::Alla};
            clickOption(form, u"optEAN8"_s);
            quitAnsweringYes(form);
        }
        const Form1 again{Edition::Alla};
        QVERIFY(found<QRadioButton>(again, u"optEAN8"_s)->isChecked());
    }
};

QTEST_MAIN(TestForm1HostileInput)
#include "tst_form1_hostile_input.moc"
