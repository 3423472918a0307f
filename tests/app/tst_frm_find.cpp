#include "windows/frm_find.h"

#include "form1_driver.h"

#include <QFile>
#include <QHeaderView>
#include <QProgressDialog>
#include <QTimer>

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

QStringList shownProducts(const frmFind &window)
{
    return columnTexts(*found<QTreeView>(window, u"ListView3"_s)->model());
}

void clickHeader(const frmFind &window, int column)
{
    QHeaderView *header = found<QTreeView>(window, u"ListView3"_s)->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

void searchFor(const frmFind &window, const QString &text)
{
    auto *box = found<QLineEdit>(window, u"txtSearch"_s);
    box->clear();
    QTest::keyClicks(box, text);
    found<QPushButton>(window, u"cmdSearch"_s)->click();
}

} // namespace

class TestFrmFind : public QObject {
    Q_OBJECT

    QList<ListRecord> m_mainList;
    std::unique_ptr<frmFind> m_window;
    QTemporaryDir m_dir;

private slots:
    void init()
    {
        m_mainList = kRecords;
        m_window = std::make_unique<frmFind>();
        m_window->setMainList(
            {[this] { return m_mainList.size(); }, [this] { return m_mainList; }, [] { return QString(); }});
        m_window->show();
    }
    void cleanup() { m_window.reset(); }

    void sortTogglesSharedByProductAndDigitSup()
    {
        found<QCheckBox>(*m_window, u"chkAll"_s)->click();
        searchFor(*m_window, u"e"_s);
        for (int column : {0, 2})
            clickHeader(*m_window, column);
        QCOMPARE(shownProducts(*m_window), (QStringList{u"Milk e13"_s, u"Jam"_s, u"xAbCx"_s, u"ABC soap"_s, u"Tea"_s}));
        // Saved results keep the order shown.
        QCOMPARE(m_window->results().constFirst().product, u"Milk e13"_s);
    }

    void enterSearchesWhenSearchIsEnabled()
    {
        auto *box = found<QLineEdit>(*m_window, u"txtSearch"_s);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return); // nothing to search for yet
        QCOMPARE(found<QLabel>(*m_window, u"Label3"_s)->text(), QString());
        QTest::keyClicks(box, u"abc"_s);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(shownProducts(*m_window), (QStringList{u"ABC soap"_s, u"xAbCx"_s}));
        QCOMPARE(found<QLabel>(*m_window, u"Label3"_s)->text(), u"2"_s);
    }

    // The stored "Find" setting reaches the boxes and comes back from them (its rules are the
    // setting's own, tested there).
    void storedSettingTicksTheBoxes()
    {
        m_window->applyFindSetting(u"010010"_s);
        QString shown;
        for (const QString &name :
             {u"chkProduct"_s, u"chkBarcode"_s, u"chkDigitSup"_s, u"chkFreeText"_s, u"chkType"_s, u"chkAll"_s})
            shown += found<QCheckBox>(*m_window, name)->isChecked() ? u'1' : u'0';
        QCOMPARE(shown, u"010010"_s);
        QCOMPARE(m_window->findSetting(), u"010010"_s);
    }

    // A long search shows a progress window; stopping it leaves the results, their count and
    // the chosen result as they were. One that runs to the end finds the same as a short list.
    void stoppedSearchKeepsTheResults_data()
    {
        QTest::addColumn<bool>("stop");
        QTest::addColumn<QStringList>("products");
        QTest::newRow("stopped") << true << QStringList{u"ABC soap"_s, u"xAbCx"_s};
        QTest::newRow("runs to the end") << false << QStringList{u"xAbCx"_s, u"Jam"_s, u"Milk e13"_s};
    }
    void stoppedSearchKeepsTheResults()
    {
        QFETCH(bool, stop);
        QFETCH(QStringList, products);
        m_mainList.append(QList<ListRecord>(20000, {u"filler"_s, u"1"_s, QString(), QString(), u"E80 "_s}));
        searchFor(*m_window, u"abc"_s);
        auto *results = found<QTreeView>(*m_window, u"ListView3"_s);
        results->setCurrentIndex(results->model()->index(1, 0));
        bool stopOffered = false;
        QTimer::singleShot(0, m_window.get(), [&] {
            auto *progress = m_window->findChild<QProgressDialog *>();
            stopOffered = progress && progress->findChild<QPushButton *>();
            if (stopOffered && stop)
                progress->findChild<QPushButton *>()->click();
        });
        found<QCheckBox>(*m_window, u"chkDigitSup"_s)->click();
        searchFor(*m_window, u"1"_s);
        QVERIFY(stopOffered);
        QCOMPARE(shownProducts(*m_window), products);
        QCOMPARE(found<QLabel>(*m_window, u"Label3"_s)->text(), QString::number(products.size()));
        QCOMPARE(results->currentIndex().row(), stop ? 1 : -1);
        QVERIFY(found<QPushButton>(*m_window, u"cmdSearch"_s)->isEnabled());
    }

    void saveResults()
    {
        RecordingPrompt prompt;
        searchFor(*m_window, u"abc"_s);
        for (const QString &name : {u"found.txt"_s, u"no-such-folder/found.qz2"_s, u"FOUND.QZ2"_s}) {
            prompt.files.enqueue(m_dir.filePath(name));
            found<QAction>(*m_window, u"mnuAs"_s)->trigger();
        }
        QVERIFY(!QFile::exists(m_dir.filePath(u"found.txt"_s)));
        QCOMPARE(prompt.texts().size(), 1);
        QVERIFY(prompt.texts()[0].contains(u"found.qz2"_s));
        QCOMPARE(fileBytes(m_dir.filePath(u"FOUND.QZ2"_s)),
                 QByteArray("\"ABC soap\"\r\n\"501234567890\"\r\n\"\"\r\n\"white\"\r\n\"E130\"\r\n"
                            "\"xAbCx\"\r\n\"400638133393\"\r\n\"12\"\r\n\"\"\r\n\"E132\"\r\n"));
    }
};

QTEST_MAIN(TestFrmFind)
#include "tst_frm_find.moc"
