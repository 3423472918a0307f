// The shell of the main window (its menus are in the golden file of user texts): the toolbar,
// Cancel, the start wizard, help, and closing the window.
#include "form1_driver.h"

#include "app/help_window.h"
#include "app/wiz_start.h"

#include <QSignalSpy>
#include <QToolBar>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

class TestForm1Shell : public QObject, public Form1Fixture {
    Q_OBJECT
private slots:
    void init() { open(); }
    void cleanup() { close(); }

    void toolbar()
    {
        const QList<std::pair<QString, QString>> keys{{u"New"_s, u"New"_s},
                                                      {u"Open"_s, u"Load a file"_s},
                                                      {u"Save"_s, u"Save as"_s},
                                                      {u"Print"_s, u"Print Barcode Image List"_s},
                                                      {u"Copy"_s, u"Copy"_s},
                                                      {u"Find"_s, u"Find"_s},
                                                      {u"BarSize"_s, u"Change Barcode/Label Size"_s},
                                                      {u"TIF"_s, u"Change TIFF Parameters"_s},
                                                      {u"Help"_s, u"Help (F1)"_s}};
        QCOMPARE(m_form->Toolbar1->actions().size(), keys.size());
        for (const auto &[key, toolTip] : keys) {
            auto *action = m_form->findChild<QAction *>(u"Toolbar1_"_s + key);
            QVERIFY(action);
            QCOMPARE(action->toolTip(), toolTip);
            QVERIFY(!action->icon().pixmap(24).isNull());
        }
    }

    void toolbarSaveWaitsForSaveAs()
    {
        QSignalSpy saveAs(m_form->mnuAs, &QAction::triggered);
        auto *save = m_form->findChild<QAction *>(u"Toolbar1_Save"_s);
        save->trigger();
        QCOMPARE(saveAs.count(), 0);
        m_form->mnuAs->setEnabled(true);
        save->trigger();
        QCOMPARE(saveAs.count(), 1);
    }

    void cancelAsksBatchToStop()
    {
        m_form->cmdCancel->click();
        QCOMPARE(m_form->batchStopRequest(), QString());
        m_form->startBatch();
        QApplication::setActiveWindow(m_form);
        QVERIFY(QTest::qWaitForWindowActive(m_form));
        QTest::keyClick(m_form->TxtStreck, Qt::Key_Escape);
        QTRY_COMPARE(m_form->batchStopRequest(), u"JA"_s);
    }

    void helpOpensContents()
    {
        QCOMPARE(m_form->mnuHelp->shortcut(), QKeySequence(Qt::Key_F1));
        m_form->mnuHelp->trigger();
        QVERIFY(HelpWindow::instance()->isVisible());
        QCOMPARE(HelpWindow::instance()->currentAnchor(), u"contents"_s);
    }

    void wizardAndClosing()
    {
        m_form->mnuWizStart->trigger();
        WizStart *wizard = WizStart::instance();
        QVERIFY(wizard->isVisible());
        QVERIFY(!wizard->isModal());
        wizard->Command1->click();
        QVERIFY(!wizard->isVisible());
        QVERIFY(!m_form->menuBar()->actions().contains(m_form->mnuWiz->menuAction()));
        clickOption(*m_form, u"optSCC14"_s);
        m_form->mnuWizStart->trigger();
        QVERIFY(m_form->close());
        QVERIFY(m_prompt->asked.isEmpty());
        QVERIFY(!wizard->isVisible());
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, u"Quorran"_s, u"Barcode"_s);
        QCOMPARE(settings.value(u"F1Bar"_s).toString(), u"SC14"_s);
        QCOMPARE(settings.value(u"Listkod"_s).toString(), u"SC14"_s);
    }
};

QTEST_MAIN(TestForm1Shell)
#include "tst_form1_shell.moc"
