// The find window on its own, driven through its controls: the search as the user sees it in
// the result list and the count, the field boxes and "Check All", the refresh of the buttons,
// the results' sort toggles, the chosen record handed to the main window, saving the results,
// the "Find" setting and the status hints.

#include "app/frm_find.h"

#include "recording_prompt.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace Kelbrix;
using namespace Kelbrix::Test;
using namespace Qt::Literals::StringLiterals;

namespace {

const QList<ListRecord> kRecords{
    {u"ABC soap"_s, u"501234567890"_s, QString(), u"white"_s, u"E130"_s},
    {u"xAbCx"_s, u"400638133393"_s, u"12"_s, QString(), u"E132"_s},
    {u"Tea"_s, u"4006381"_s, QString(), u"abc"_s, u"E80 "_s},
    {u"Jam"_s, u"03600029145"_s, u"12345"_s, u"e13 jar"_s, u"UPA5"_s},
    {u"Milk e13"_s, u"978014300723"_s, u"90000"_s, QString(), u"E135"_s},
};

template <typename T> T *control(const frmFind &window, const char16_t *name)
{
    T *found = window.findChild<T *>(QString::fromUtf16(name));
    if (!found)
        qFatal("no control %s", qPrintable(QString::fromUtf16(name)));
    return found;
}

QStringList shownProducts(const frmFind &window)
{
    auto *list = control<QTreeWidget>(window, u"ListView3");
    QStringList products;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        products.append(list->topLevelItem(i)->text(0));
    return products;
}

void setBoxes(const frmFind &window, const QString &checks)
{
    const char16_t *names[] = {u"chkProduct", u"chkBarcode", u"chkDigitSup", u"chkFreeText", u"chkType"};
    for (int i = 0; i < 5; ++i) {
        auto *box = control<QCheckBox>(window, names[i]);
        if (box->isChecked() != (checks[i] == u'1'))
            box->click();
    }
}

void searchFor(const frmFind &window, const QString &text)
{
    auto *box = control<QLineEdit>(window, u"txtSearch");
    box->clear();
    QTest::keyClicks(box, text);
    control<QPushButton>(window, u"cmdSearch")->click();
}

} // namespace

class TestFrmFind : public QObject {
    Q_OBJECT

private:
    QList<ListRecord> m_mainList;
    QString m_mainProduct;
    std::unique_ptr<frmFind> m_window;
    QTemporaryDir m_dir;

    void attach()
    {
        m_window->setMainList(
            {[this] { return m_mainList.size(); }, [this] { return m_mainList; }, [this] { return m_mainProduct; }});
    }

private slots:
    void init()
    {
        m_mainList = kRecords;
        m_mainProduct.clear();
        m_window = std::make_unique<frmFind>();
        attach();
        m_window->show();
    }
    void cleanup() { m_window.reset(); }

    void controlsAsTheUserSeesThem()
    {
        QCOMPARE(control<QCheckBox>(*m_window, u"chkAll")->text(), u"Check &All"_s);
        QCOMPARE(control<QLabel>(*m_window, u"Label2")->text(), u"Items Found:"_s);
        QCOMPARE(control<QAction>(*m_window, u"mnuAs")->text(), u"Save &As"_s);
        QCOMPARE(control<QAction>(*m_window, u"mnuClose")->text(), u"&Close"_s);
        auto *list = control<QTreeWidget>(*m_window, u"ListView3");
        QStringList captions;
        for (int i = 0; i < list->columnCount(); ++i)
            captions.append(list->headerItem()->text(i));
        QCOMPARE(captions, (QStringList{u"Product"_s, u"Barcode"_s, u"Digit Sup."_s, u"Text"_s, u"Type"_s}));
        // At load only the product box is checked.
        QCOMPARE(m_window->findSetting(), u"100000"_s);
    }

    void search_data()
    {
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("product in any letter case") << u"10000"_s << u"abc"_s << QStringList{u"ABC soap"_s, u"xAbCx"_s};
        QTest::newRow("type alone finds every EAN-13")
            << u"00001"_s << u"e13"_s << QStringList{u"ABC soap"_s, u"xAbCx"_s, u"Milk e13"_s};
        QTest::newRow("matching in two columns, listed once")
            << u"11111"_s << u"e13"_s << QStringList{u"ABC soap"_s, u"xAbCx"_s, u"Jam"_s, u"Milk e13"_s};
        QTest::newRow("nothing found") << u"11111"_s << u"zzz"_s << QStringList{};
    }
    void search()
    {
        QFETCH(QString, boxes);
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        setBoxes(*m_window, boxes);
        searchFor(*m_window, text);
        QCOMPARE(shownProducts(*m_window), found);
        QCOMPARE(control<QLabel>(*m_window, u"Label3")->text(), QString::number(found.size()));
        QVERIFY(control<QPushButton>(*m_window, u"cmdSearch")->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
    }

    void searchFindsWholeRecords()
    {
        searchFor(*m_window, u"jam"_s);
        QCOMPARE(m_window->results(), QList<ListRecord>{kRecords[3]});
    }

    void checkAll()
    {
        auto *all = control<QCheckBox>(*m_window, u"chkAll");
        all->click();
        QCOMPARE(m_window->findSetting(), u"111111"_s);
        all->click();
        QCOMPARE(m_window->findSetting(), u"100000"_s);
    }

    void emptyMainListLeavesResults()
    {
        searchFor(*m_window, u"abc"_s);
        m_mainList.clear();
        control<QPushButton>(*m_window, u"cmdSearch")->setEnabled(true); // as if left enabled
        control<QPushButton>(*m_window, u"cmdSearch")->click();
        QCOMPARE(shownProducts(*m_window), (QStringList{u"ABC soap"_s, u"xAbCx"_s}));
        QCOMPARE(control<QLabel>(*m_window, u"Label3")->text(), u"2"_s);
    }

    void refreshEnablesSearch()
    {
        auto *search = control<QPushButton>(*m_window, u"cmdSearch");
        auto *save = control<QAction>(*m_window, u"mnuAs");
        QVERIFY(!search->isEnabled());
        QTest::keyClicks(control<QLineEdit>(*m_window, u"txtSearch"), u"a"_s);
        QVERIFY(search->isEnabled());
        QVERIFY(save->isEnabled());
        setBoxes(*m_window, u"00000"_s);
        QVERIFY(!search->isEnabled());
        setBoxes(*m_window, u"01000"_s);
        QVERIFY(search->isEnabled());
        m_mainList.clear();
        control<QLineEdit>(*m_window, u"txtSearch")->setText(u"ab"_s);
        QVERIFY(!search->isEnabled());
    }

    void moveButtonFollowsTheChosenResult()
    {
        QSignalSpy moved(m_window.get(), &frmFind::moveRequested);
        auto *move = control<QPushButton>(*m_window, u"Command1");
        searchFor(*m_window, u"abc"_s);
        auto *list = control<QTreeWidget>(*m_window, u"ListView3");
        m_mainProduct = u"xAbCx"_s;
        list->setCurrentItem(list->topLevelItem(1));
        QVERIFY(!move->isEnabled()); // no image list to move into yet
        m_window->setImageListAvailable(true);
        QVERIFY(move->isEnabled());
        move->click();
        QCOMPARE(moved.size(), 1);
        list->setCurrentItem(list->topLevelItem(0));
        QVERIFY(!move->isEnabled());
    }

    void doubleClickHandsTheRecordOver()
    {
        QSignalSpy chosen(m_window.get(), &frmFind::recordChosen);
        searchFor(*m_window, u"abc"_s);
        auto *list = control<QTreeWidget>(*m_window, u"ListView3");
        list->setCurrentItem(list->topLevelItem(1));
        emit list->itemDoubleClicked(list->topLevelItem(1), 0);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0][0].value<ListRecord>(), kRecords[1]);
        // With the main list emptied nothing is handed over.
        m_mainList.clear();
        emit list->itemDoubleClicked(list->topLevelItem(1), 0);
        QCOMPARE(chosen.size(), 1);
    }

    void sortToggles_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("product ascending")
            << QList<int>{0} << QStringList{u"ABC soap"_s, u"Jam"_s, u"Milk e13"_s, u"Tea"_s, u"xAbCx"_s};
        QTest::newRow("product twice: descending")
            << QList<int>{0, 0} << QStringList{u"xAbCx"_s, u"Tea"_s, u"Milk e13"_s, u"Jam"_s, u"ABC soap"_s};
        QTest::newRow("digit sup. after product shares its toggle")
            << QList<int>{0, 2} << QStringList{u"Milk e13"_s, u"Jam"_s, u"xAbCx"_s, u"ABC soap"_s, u"Tea"_s};
        QTest::newRow("type keeps a toggle of its own")
            << QList<int>{0, 4} << QStringList{u"ABC soap"_s, u"xAbCx"_s, u"Milk e13"_s, u"Tea"_s, u"Jam"_s};
    }
    void sortToggles()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(QStringList, order);
        setBoxes(*m_window, u"11111"_s);
        searchFor(*m_window, u"e"_s);
        QCOMPARE(shownProducts(*m_window).size(), 5);
        auto *header = control<QTreeWidget>(*m_window, u"ListView3")->header();
        for (int column : clicks)
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
        QCOMPARE(shownProducts(*m_window), order);
    }

    void saveResults_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("written");
        QTest::newRow("qz2") << u"found.qz2"_s << true;
        QTest::newRow("QZ2 in capitals") << u"FOUND.QZ2"_s << true;
        QTest::newRow("txt writes nothing") << u"found.txt"_s << false;
    }
    void saveResults()
    {
        QFETCH(QString, name);
        QFETCH(bool, written);
        RecordingPrompt prompt;
        searchFor(*m_window, u"abc"_s);
        const QString path = m_dir.filePath(name);
        prompt.files.enqueue(path);
        control<QAction>(*m_window, u"mnuAs")->trigger();
        QCOMPARE(prompt.fileRequests.size(), 1);
        QVERIFY(prompt.fileRequests[0].filter.contains(u"*.qz2"_s));
        QCOMPARE(QFile::exists(path), written);
        QVERIFY(prompt.asked.isEmpty());
        if (written) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("\"ABC soap\"\r\n\"501234567890\"\r\n\"\"\r\n\"white\"\r\n\"E130\"\r\n"
                                                "\"xAbCx\"\r\n\"400638133393\"\r\n\"12\"\r\n\"\"\r\n\"E132\"\r\n"));
        }
    }

    void failedSaveSaysWhy()
    {
        RecordingPrompt prompt;
        searchFor(*m_window, u"abc"_s);
        prompt.files.enqueue(m_dir.filePath(u"no-such-folder/found.qz2"_s));
        control<QAction>(*m_window, u"mnuAs")->trigger();
        QCOMPARE(prompt.asked.size(), 1);
        QVERIFY2(prompt.asked[0].text.contains(u"found.qz2"_s), qPrintable(prompt.asked[0].text));
    }

    void findSetting_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("checked");
        QTest::newRow("empty") << QString() << u"100000"_s;
        QTest::newRow("none") << u"000000"_s << u"100000"_s;
        QTest::newRow("all") << u"111111"_s << u"111111"_s;
        QTest::newRow("barcode and type") << u"010010"_s << u"010010"_s;
        QTest::newRow("too short") << u"0100"_s << u"100000"_s;
        QTest::newRow("garbage") << u"01x010"_s << u"100000"_s;
    }
    void findSetting()
    {
        QFETCH(QString, stored);
        QFETCH(QString, checked);
        m_window->applyFindSetting(stored);
        QCOMPARE(m_window->findSetting(), checked);
    }

    void hints_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::newRow("chkAll") << u"chkAll"_s
                                << u"Check All: If checked, All bove is checked and included in search."_s;
        QTest::newRow("chkType") << u"chkType"_s << u"Type: If checked it's included in search."_s;
        QTest::newRow("cmdFOK") << u"cmdFOK"_s << u"Click on OK to close this window"_s;
        QTest::newRow("Command1") << u"Command1"_s << u">> move the barcode Image to the Barcode Image List."_s;
        QTest::newRow("Label2") << u"Label2"_s << u"To the right you will see how many items where found"_s;
        QTest::newRow("txtSearch") << u"txtSearch"_s
                                   << u"Enter text/digits to search for (Doesn't support * or ? wildcards)."_s;
    }
    void hints()
    {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        auto *widget = m_window->findChild<QWidget *>(name);
        QVERIFY(widget);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(widget, &enter);
        QCOMPARE(control<QLabel>(*m_window, u"StatusHint")->text(), hint);
    }

    void searchBoxSelectsOnFocusAndShowsItsStartAfter()
    {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        auto *box = control<QLineEdit>(*m_window, u"txtSearch");
        box->setText(u"a long search text"_s);
        control<QPushButton>(*m_window, u"cmdFOK")->setFocus();
        box->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(box->selectedText(), u"a long search text"_s);
        control<QCheckBox>(*m_window, u"chkType")->setFocus(Qt::TabFocusReason);
        QCOMPARE(box->cursorPosition(), 0);
    }

    void closeHides()
    {
        control<QPushButton>(*m_window, u"cmdFOK")->click();
        QVERIFY(!m_window->isVisible());
        m_window->show();
        control<QAction>(*m_window, u"mnuClose")->trigger();
        QVERIFY(!m_window->isVisible());
    }

    void longSearchServicesTheWindow()
    {
        m_mainList.clear();
        for (int i = 0; i < 100000; ++i)
            m_mainList.append(
                {u"Product "_s + QString::number(i), QString::number(i), QString(), QString(), u"E130"_s});
        searchFor(*m_window, u"product 9999"_s);
        QCOMPARE(control<QLabel>(*m_window, u"Label3")->text(), u"11"_s);
        searchFor(*m_window, u"product"_s);
        QCOMPARE(control<QLabel>(*m_window, u"Label3")->text(), u"100000"_s);
    }
};

QTEST_MAIN(TestFrmFind)
#include "tst_frm_find.moc"
