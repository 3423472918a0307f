// The main window as a whole: the list file given at start-up, the start wizard and closing, and
// the settings it keeps from one run to the next, bad stored values included; a settings file
// the window cannot use gives defaults, a plain-text hint and a true message at exit.
#include "form1_driver.h"

#include "windows/wiz_start.h"

#include <QRandomGenerator>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

class TestForm1Shell : public QObject, public Form1Fixture {
    Q_OBJECT

    QTemporaryDir m_config;
    const QByteArray m_oldConfig = qgetenv("XDG_CONFIG_HOME");

    // The settings in a folder of the test's own whose name holds markup, which must reach the
    // status bar as plain text.
    void useMarkedUpSettingsFolder()
    {
        const QString home =
            m_config.filePath(QString::fromLatin1(QTest::currentTestFunction()) + u"/<h1>BIG <img src=x>"_s);
        QVERIFY(QDir().mkpath(home + u"/Quorran"_s));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home));
    }

private slots:
    void init() { resetSettings(); }
    void cleanup()
    {
        close();
        qputenv("XDG_CONFIG_HOME", m_oldConfig);
    }

    void startUpFileLoadsAsFileLoad_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("message");
        const QString data = qEnvironmentVariable("KELBRIX_TEST_DATA");
        QTest::newRow("list") << data + u"/qz2/pass/basic.qz2"_s << 4 << QString();
        QTest::newRow("missing file") << data + u"/qz2/pass/no-such-list.qz2"_s << 0
                                      << u"File dosen't exist. Please try again."_s;
    }
    void startUpFileLoadsAsFileLoad()
    {
        QFETCH(QString, file);
        QFETCH(int, records);
        QFETCH(QString, message);
        open();
        m_form->loadListFile(file);
        const QStringList asked = m_prompt->texts();
        QCOMPARE(m_form->listCount(), records);
        QCOMPARE(asked, message.isEmpty() ? QStringList() : QStringList{message});
        m_prompt->clear();
        m_prompt->files.enqueue(file);
        Form1 loaded(Edition::Alla);
        found<QAction>(loaded, u"mnuLoad"_s)->trigger();
        QCOMPARE(m_prompt->texts(), asked);
        QCOMPARE(loaded.listRecords(), m_form->listRecords());
        QCOMPARE(loaded.list().listFileName(), m_form->list().listFileName());
    }

    void wizardAndClosing()
    {
        open();
        child<QAction>(u"mnuWizStart"_s)->trigger();
        WizStart *wizard = WizStart::instance();
        QVERIFY(wizard->isVisible() && !wizard->isModal());
        clickOption(*m_form, u"optSCC14"_s);
        QVERIFY(m_form->close());
        QVERIFY(m_prompt->asked.isEmpty());
        QVERIFY(!wizard->isVisible());
        QCOMPARE(storedSettings().value(u"Listkod"_s).toString(), u"SC14"_s);
    }

    void badValuesGiveDefaults()
    {
        QHash<QString, QString> values;
        for (const QString &name : settingNames())
            values.insert(name, u"zz\u00e9\u20ac"_s);
        open(values);
        QCOMPARE(m_form->windowTitle(), u"Kelbrix.  EAN 13 "_s);
        QVERIFY(child<QRadioButton>(u"optNosup"_s)->isChecked() && child<QRadioButton>(u"Option1"_s)->isChecked() &&
                child<QAction>(u"mnuRBDN"_s)->isChecked());
        QCOMPARE(m_form->list().currentColumnWidth(4), 903);
    }

    void roundTrip()
    {
        const QHash<QString, QString> kept{{u"DPI"_s, u"300"_s}, {u"Find"_s, u"010100"_s}};
        open(kept);
        clickOption(*m_form, u"optUPCE"_s);
        clickOption(*m_form, u"chk5digit"_s);
        child<QRadioButton>(u"Option2"_s)->click();
        child<QAction>(u"mnuRBDY"_s)->trigger();
        child<QTreeView>(u"ListView3"_s)->setColumnWidth(4, 110);
        quitAnsweringYes(*m_form);
        close();
        QSettings settings = storedSettings();
        QHash<QString, QString> written{
            {u"Listkod"_s, u"UPE5"_s}, {u"fBtxt"_s, u"N"_s}, {u"RemoveDigit"_s, u"Y"_s}, {u"ClmnH5"_s, u"1650"_s}};
        written.insert(kept);
        for (auto it = written.cbegin(); it != written.cend(); ++it)
            QCOMPARE(settings.value(it.key()).toString(), it.value());
        start();
        QCOMPARE(m_form->typeCode(), u"UPE5"_s);
        QVERIFY(child<QRadioButton>(u"Option2"_s)->isChecked() && child<QAction>(u"mnuRBDY"_s)->isChecked());
        QCOMPARE(child<QTreeView>(u"ListView3"_s)->columnWidth(4), 110);
    }

    void settingsFileThatIsAFifo()
    {
        useMarkedUpSettingsFolder();
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
        useMarkedUpSettingsFolder();
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

QTEST_MAIN(TestForm1Shell)
#include "tst_form1_shell.moc"
