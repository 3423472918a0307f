#include "form1_driver.h"

#include "app/wiz_start.h"

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

class TestForm1Shell : public QObject, public Form1Fixture {
    Q_OBJECT
private slots:
    void init() { open(); }
    void cleanup() { close(); }

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
        m_form->loadListFile(file);
        const QStringList asked = m_prompt->texts();
        QCOMPARE(m_form->listCount(), records);
        QCOMPARE(asked, message.isEmpty() ? QStringList() : QStringList{message});
        m_prompt->clear();
        m_prompt->files.enqueue(file);
        Form1 loaded(Edition::Alla);
        loaded.mnuLoad->trigger();
        QCOMPARE(m_prompt->texts(), asked);
        QCOMPARE(loaded.listRecords(), m_form->listRecords());
        QCOMPARE(loaded.listFileName(), m_form->listFileName());
    }

    void wizardAndClosing()
    {
        m_form->mnuWizStart->trigger();
        WizStart *wizard = WizStart::instance();
        QVERIFY(wizard->isVisible() && !wizard->isModal());
        clickOption(*m_form, u"optSCC14"_s);
        QVERIFY(m_form->close());
        QVERIFY(m_prompt->asked.isEmpty());
        QVERIFY(!wizard->isVisible());
        QCOMPARE(storedSettings().value(u"Listkod"_s).toString(), u"SC14"_s);
    }
};

QTEST_MAIN(TestForm1Shell)
#include "tst_form1_shell.moc"
