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
    return window.findChild<T *>(QString::fromUtf16(name));
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

private slots:
    void init()
    {
        m_mainList = kRecords;
        m_mainProduct.clear();
        m_window = std::make_unique<frmFind>();
        m_window->setMainList(
            {[this] { return m_mainList.size(); }, [this] { return m_mainList; }, [this] { return m_mainProduct; }});
        m_window->show();
    }
    void cleanup() { m_window.reset(); }

    void search()
    {
        setBoxes(*m_window, u"11111"_s);
        searchFor(*m_window, u"e13"_s);
        QCOMPARE(shownProducts(*m_window), (QStringList{u"ABC soap"_s, u"xAbCx"_s, u"Jam"_s, u"Milk e13"_s}));
        QCOMPARE(control<QLabel>(*m_window, u"Label3")->text(), u"4"_s);
        // An emptied main list leaves the results as they were.
        m_mainList.clear();
        control<QPushButton>(*m_window, u"cmdSearch")->setEnabled(true); // as if left enabled
        control<QPushButton>(*m_window, u"cmdSearch")->click();
        QCOMPARE(shownProducts(*m_window).size(), 4);
    }

    void findSetting()
    {
        control<QCheckBox>(*m_window, u"chkAll")->click();
        QCOMPARE(m_window->findSetting(), u"111111"_s);
        control<QCheckBox>(*m_window, u"chkAll")->click();
        QCOMPARE(m_window->findSetting(), u"100000"_s);
        m_window->applyFindSetting(u"01x010"_s); // a stored value that is no setting
        QCOMPARE(m_window->findSetting(), u"100000"_s);
    }

    void refreshEnablesSearch()
    {
        auto *search = control<QPushButton>(*m_window, u"cmdSearch");
        QTest::keyClicks(control<QLineEdit>(*m_window, u"txtSearch"), u"a"_s);
        QVERIFY(search->isEnabled());
        setBoxes(*m_window, u"00000"_s); // no column to search
        QVERIFY(!search->isEnabled());
        setBoxes(*m_window, u"01000"_s);
        m_mainList.clear();
        QTest::keyClicks(control<QLineEdit>(*m_window, u"txtSearch"), u"b"_s);
        QVERIFY(!search->isEnabled());
    }

    void chosenResultIsHandedOver()
    {
        QSignalSpy moved(m_window.get(), &frmFind::moveRequested);
        QSignalSpy chosen(m_window.get(), &frmFind::recordChosen);
        searchFor(*m_window, u"abc"_s);
        auto *list = control<QTreeWidget>(*m_window, u"ListView3");
        list->setCurrentItem(list->topLevelItem(1));
        emit list->itemDoubleClicked(list->topLevelItem(1), 0);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0][0].value<ListRecord>(), kRecords[1]);
        // The move button takes the result shown in the main window into the image list.
        m_mainProduct = u"xAbCx"_s;
        m_window->setImageListAvailable(true);
        control<QPushButton>(*m_window, u"Command1")->click();
        QCOMPARE(moved.size(), 1);
        list->setCurrentItem(list->topLevelItem(0));
        QVERIFY(!control<QPushButton>(*m_window, u"Command1")->isEnabled());
        m_mainList.clear(); // nothing is handed over from an emptied list
        emit list->itemDoubleClicked(list->topLevelItem(1), 0);
        QCOMPARE(chosen.size(), 1);
    }

    void sortTogglesSharedByProductAndDigitSup()
    {
        setBoxes(*m_window, u"11111"_s);
        searchFor(*m_window, u"e"_s);
        auto *header = control<QTreeWidget>(*m_window, u"ListView3")->header();
        for (int column : {0, 2})
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
        QCOMPARE(shownProducts(*m_window), (QStringList{u"Milk e13"_s, u"Jam"_s, u"xAbCx"_s, u"ABC soap"_s, u"Tea"_s}));
    }

    void saveResults()
    {
        RecordingPrompt prompt;
        searchFor(*m_window, u"abc"_s);
        for (const QString &name : {u"found.txt"_s, u"no-such-folder/found.qz2"_s, u"found.qz2"_s, u"FOUND.QZ2"_s}) {
            prompt.files.enqueue(m_dir.filePath(name));
            control<QAction>(*m_window, u"mnuAs")->trigger();
        }
        QVERIFY(!QFile::exists(m_dir.filePath(u"found.txt"_s)));
        // Only the failed save speaks, naming the file.
        QCOMPARE(prompt.texts().size(), 1);
        QVERIFY(prompt.texts()[0].contains(u"found.qz2"_s));
        for (const QString &name : {u"found.qz2"_s, u"FOUND.QZ2"_s}) {
            QFile file(m_dir.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("\"ABC soap\"\r\n\"501234567890\"\r\n\"\"\r\n\"white\"\r\n\"E130\"\r\n"
                                                "\"xAbCx\"\r\n\"400638133393\"\r\n\"12\"\r\n\"\"\r\n\"E132\"\r\n"));
        }
    }

    void closeHides()
    {
        control<QPushButton>(*m_window, u"cmdFOK")->click();
        QVERIFY(!m_window->isVisible());
    }
};

QTEST_MAIN(TestFrmFind)
#include "tst_frm_find.moc"
