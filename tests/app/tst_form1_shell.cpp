// The shell of the main window: menus with their names, captions and states, the toolbar,
// Cancel, the start wizard, help, and closing the window.
#include "form1_driver.h"
#include "recording_prompt.h"

#include "app/help_window.h"
#include "app/wiz_start.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QToolBar>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

class TestForm1Shell : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void menus_data();
    void menus();
    void toolbar_data();
    void toolbar();
    void toolbarSaveWaitsForSaveAs();
    void toolbarNew_data();
    void toolbarNew();
    void cancelAsksBatchToStop_data();
    void cancelAsksBatchToStop();
    void wizardShowsAndHides();
    void helpOpensContents();
    void closingWritesSettings();

private:
    Form1 *m_form = nullptr;
    Test::RecordingPrompt *m_prompt = nullptr;
};

void TestForm1Shell::init()
{
    Test::resetSettings();
    m_prompt = new Test::RecordingPrompt;
    m_form = new Form1(Edition::Alla);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestForm1Shell::cleanup()
{
    delete m_form;
    delete m_prompt;
}

void TestForm1Shell::menus_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");
    const QList<std::tuple<QString, QString, bool>> rows{
        {u"mnuFile"_s, u"&File"_s, true},
        {u"mnuLoad"_s, u"&Load"_s, true},
        {u"mnuSave"_s, u"&Save"_s, false},
        {u"mnuSBMP"_s, u"Barcode (*.bmp)"_s, false},
        {u"mnuSBAR"_s, u"List"_s, false},
        {u"mnuAs"_s, u"Save &As"_s, false},
        {u"mnuPbarcode"_s, u"Print &Barcodes Image List"_s, false},
        {u"mnuPrint"_s, u"&Print List"_s, false},
        {u"mnuExit"_s, u"&Exit"_s, true},
        {u"mnuEdit"_s, u"&Edit"_s, true},
        {u"mnuFind"_s, u"&Find"_s, false},
        {u"mnuCLList"_s, u"Clear &List"_s, false},
        {u"mnuRItem"_s, u"&Remove Item"_s, false},
        {u"mnuCopy"_s, u"&Copy Barcode"_s, false},
        {u"mnuClearBar"_s, u"Clear &Barcodes Image List"_s, false},
        {u"mnuRBD"_s, u"Remove Barcode Digits"_s, true},
        {u"mnuRBDY"_s, u"Yes"_s, true},
        {u"mnuRBDN"_s, u"No"_s, true},
        {u"mnuTiff"_s, u"&TIFF Parameters"_s, false},
        {u"mnuBarSize"_s, u"Barcode &Size"_s, false},
        {u"mnulange"_s, u"&Language"_s, true},
        {u"mnuEnglish"_s, u"English"_s, true},
        {u"mnuSvenska"_s, u"Svenska"_s, true},
        {u"mnuLsave"_s, u"Spara/Save"_s, true},
        {u"mnuInfo"_s, u"&Help"_s, true},
        {u"mnuHelp"_s, u"&Kelbrix. Help"_s, true},
        {u"mnuHome"_s, u"Goto HomePage"_s, false},
        {u"mnuAbout"_s, u"About Kelbrix. "_s, true},
        {u"mnuWizStart"_s, u"WizStart"_s, true},
        {u"mnuCopy2"_s, u"Copy"_s, false},
        {u"mnuPasteIMG"_s, u"Paste Barcode"_s, false},
    };
    for (const auto &[name, caption, enabled] : rows)
        QTest::newRow(qPrintable(name)) << name << caption << enabled;
}

void TestForm1Shell::menus()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);
    QAction *action = nullptr;
    for (QAction *a : m_form->findChildren<QAction *>()) {
        if (a->objectName() == name)
            action = a;
    }
    QVERIFY2(action, qPrintable(name));
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->isEnabled(), enabled);
}

void TestForm1Shell::toolbar_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("New") << u"New"_s << u"New"_s;
    QTest::newRow("Open") << u"Open"_s << u"Load a file"_s;
    QTest::newRow("Save") << u"Save"_s << u"Save as"_s;
    QTest::newRow("Print") << u"Print"_s << u"Print Barcode Image List"_s;
    QTest::newRow("Copy") << u"Copy"_s << u"Copy"_s;
    QTest::newRow("Find") << u"Find"_s << u"Find"_s;
    QTest::newRow("BarSize") << u"BarSize"_s << u"Change Barcode/Label Size"_s;
    QTest::newRow("TIF") << u"TIF"_s << u"Change TIFF Parameters"_s;
    QTest::newRow("Help") << u"Help"_s << u"Help (F1)"_s;
}

void TestForm1Shell::toolbar()
{
    QFETCH(QString, key);
    QFETCH(QString, toolTip);
    QCOMPARE(m_form->Toolbar1->actions().size(), 9);
    auto *action = m_form->findChild<QAction *>(u"Toolbar1_"_s + key);
    QVERIFY(action);
    QCOMPARE(action->toolTip(), toolTip);
    QVERIFY(!action->icon().pixmap(24).isNull());
}

void TestForm1Shell::toolbarSaveWaitsForSaveAs()
{
    QSignalSpy saveAs(m_form->mnuAs, &QAction::triggered);
    auto *save = m_form->findChild<QAction *>(u"Toolbar1_Save"_s);
    save->trigger();
    QCOMPARE(saveAs.count(), 0);
    m_form->mnuAs->setEnabled(true);
    save->trigger();
    QCOMPARE(saveAs.count(), 1);
}

void TestForm1Shell::toolbarNew_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("barcodeMade");
    QTest::addColumn<bool>("listMenusEnabled");
    QTest::addColumn<bool>("saveAsEnabled");
    QTest::newRow("No keeps everything") << int(PromptAnswer::No) << false << true << true;
    QTest::newRow("Yes clears") << int(PromptAnswer::Yes) << false << false << false;
    QTest::newRow("Yes after a barcode keeps Save As") << int(PromptAnswer::Yes) << true << false << true;
}

void TestForm1Shell::toolbarNew()
{
    QFETCH(int, answer);
    QFETCH(bool, barcodeMade);
    QFETCH(bool, listMenusEnabled);
    QFETCH(bool, saveAsEnabled);
    for (QAction *a : {m_form->mnuCLList, m_form->mnuAs, m_form->mnuPrint, m_form->mnuRItem})
        a->setEnabled(true);
    m_form->barcodeMade = barcodeMade ? 1 : 0;
    m_prompt->answers.enqueue(PromptAnswer(answer));
    m_form->findChild<QAction *>(u"Toolbar1_New"_s)->trigger();
    QCOMPARE(m_prompt->texts(), QStringList{u"All information will be Lost so please save your data, Continue ?"_s});
    QCOMPARE(m_prompt->asked[0].buttons, PromptButtons::YesNo);
    QCOMPARE(m_prompt->asked[0].icon, PromptIcon::Question);
    QCOMPARE(m_form->mnuCLList->isEnabled(), listMenusEnabled);
    QCOMPARE(m_form->mnuRItem->isEnabled(), listMenusEnabled);
    QCOMPARE(m_form->mnuAs->isEnabled(), saveAsEnabled);
}

void TestForm1Shell::cancelAsksBatchToStop_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("escape");
    QTest::newRow("running batch, button") << u"START"_s << u"JA"_s << false;
    QTest::newRow("running batch, Escape") << u"START"_s << u"JA"_s << true;
    QTest::newRow("no batch") << QString() << QString() << false;
}

void TestForm1Shell::cancelAsksBatchToStop()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(bool, escape);
    m_form->BatchStopRequest = before;
    if (escape) {
        QApplication::setActiveWindow(m_form);
        QVERIFY(QTest::qWaitForWindowActive(m_form));
        QTest::keyClick(m_form->TxtStreck, Qt::Key_Escape);
    } else {
        m_form->cmdCancel->click();
    }
    // A button's shortcut presses it a moment later, as a click would look.
    QTRY_COMPARE(m_form->BatchStopRequest, after);
    QCOMPARE(m_form->cmdCancel->text(), u"Cancel"_s);
}

void TestForm1Shell::wizardShowsAndHides()
{
    m_form->mnuWizStart->trigger();
    WizStart *wizard = WizStart::instance();
    QVERIFY(wizard->isVisible());
    QVERIFY(!wizard->isModal());
    wizard->Command1->click();
    QVERIFY(!wizard->isVisible());
    QVERIFY(!m_form->menuBar()->actions().contains(m_form->mnuWiz->menuAction()));
}

void TestForm1Shell::helpOpensContents()
{
    QCOMPARE(m_form->mnuHelp->shortcut(), QKeySequence(Qt::Key_F1));
    m_form->mnuHelp->trigger();
    QVERIFY(HelpWindow::instance()->isVisible());
    QCOMPARE(HelpWindow::instance()->currentAnchor(), u"contents"_s);
    HelpWindow::instance()->hide();
    m_form->findChild<QAction *>(u"Toolbar1_Help"_s)->trigger();
    QVERIFY(HelpWindow::instance()->isVisible());
}

void TestForm1Shell::closingWritesSettings()
{
    Test::clickOption(*m_form, u"optSCC14"_s);
    m_form->mnuWizStart->trigger();
    QVERIFY(m_form->close());
    QVERIFY(m_prompt->asked.isEmpty()); // closing the window asks nothing
    QVERIFY(!WizStart::instance()->isVisible());
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, u"Quorran"_s, u"Barcode"_s);
    QCOMPARE(settings.value(u"F1Bar"_s).toString(), u"SC14"_s);
    QCOMPARE(settings.value(u"Listkod"_s).toString(), u"SC14"_s);
}

QTEST_MAIN(TestForm1Shell)
#include "tst_form1_shell.moc"
