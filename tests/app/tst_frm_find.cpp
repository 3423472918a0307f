// The find window on its own, driven through its controls; the search rule itself is tested
// GUI-free in tst_find_query.

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

    void search()
    {
        setBoxes(*m_window, u"11111"_s);
        searchFor(*m_window, u"e13"_s);
        QCOMPARE(shownProducts(*m_window), (QStringList{u"ABC soap"_s, u"xAbCx"_s, u"Jam"_s, u"Milk e13"_s}));
        QCOMPARE(control<QLabel>(*m_window, u"Label3")->text(), u"4"_s);
        QVERIFY(!QApplication::overrideCursor());
        // An emptied main list leaves the results as they were.
        m_mainList.clear();
        control<QPushButton>(*m_window, u"cmdSearch")->setEnabled(true); // as if left enabled
        control<QPushButton>(*m_window, u"cmdSearch")->click();
        QCOMPARE(shownProducts(*m_window).size(), 4);
        QCOMPARE(control<QLabel>(*m_window, u"Label3")->text(), u"4"_s);
    }

    void checkAll()
    {
        QCOMPARE(m_window->findSetting(), u"100000"_s); // only the product box at start
        auto *all = control<QCheckBox>(*m_window, u"chkAll");
        all->click();
        QCOMPARE(m_window->findSetting(), u"111111"_s);
        all->click();
        QCOMPARE(m_window->findSetting(), u"100000"_s);
    }

    void refreshEnablesSearch()
    {
        auto *search = control<QPushButton>(*m_window, u"cmdSearch");
        QVERIFY(!search->isEnabled());
        QTest::keyClicks(control<QLineEdit>(*m_window, u"txtSearch"), u"a"_s);
        QVERIFY(search->isEnabled());
        QVERIFY(control<QAction>(*m_window, u"mnuAs")->isEnabled());
        setBoxes(*m_window, u"00000"_s);
        QVERIFY(!search->isEnabled());
        setBoxes(*m_window, u"01000"_s);
        QVERIFY(search->isEnabled());
        m_mainList.clear();
        control<QLineEdit>(*m_window, u"txtSearch")->setText(u"ab"_s);
        QVERIFY(!search->isEnabled());
    }

    void chosenResultIsHandedOver()
    {
        QSignalSpy moved(m_window.get(), &frmFind::moveRequested);
        QSignalSpy chosen(m_window.get(), &frmFind::recordChosen);
        auto *move = control<QPushButton>(*m_window, u"Command1");
        searchFor(*m_window, u"abc"_s);
        auto *list = control<QTreeWidget>(*m_window, u"ListView3");
        list->setCurrentItem(list->topLevelItem(1));
        emit list->itemDoubleClicked(list->topLevelItem(1), 0);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0][0].value<ListRecord>(), kRecords[1]);
        m_mainProduct = u"xAbCx"_s;
        list->setCurrentItem(list->topLevelItem(0));
        list->setCurrentItem(list->topLevelItem(1));
        QVERIFY(!move->isEnabled()); // no image list to move into yet
        m_window->setImageListAvailable(true);
        QVERIFY(move->isEnabled());
        move->click();
        QCOMPARE(moved.size(), 1);
        list->setCurrentItem(list->topLevelItem(0));
        QVERIFY(!move->isEnabled());
        m_mainList.clear(); // nothing is handed over from an emptied list
        emit list->itemDoubleClicked(list->topLevelItem(1), 0);
        QCOMPARE(chosen.size(), 1);
    }

    void sortToggles_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QStringList>("order");
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
        QVERIFY(prompt.fileRequests.value(0).filter.contains(u"*.qz2"_s));
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
        QVERIFY(prompt.asked[0].text.contains(u"found.qz2"_s));
    }

    void findSetting_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("checked");
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
