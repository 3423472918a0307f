// The Find window and the search behind it: the records a text finds in the ticked columns, a
// long search that can be stopped, the sort of the results, and the setting of the boxes kept.
#include "windows/frm_find.h"

#include "list/find_query.h"
#include "list/find_setting.h"

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
    {u"Star*"_s, u"CODE39"_s, QString(), u"a?b"_s, u"Co39"_s},
};

FindFields only(std::initializer_list<ListColumn> columns)
{
    FindFields fields;
    fields.columns = {false, false, false, false, false};
    for (ListColumn column : columns)
        fields.set(column, true);
    return fields;
}

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
        m_mainList = kRecords.first(5); // the window's list without Code 39
        m_window = std::make_unique<frmFind>();
        m_window->setMainList(
            {[this] { return m_mainList.size(); }, [this] { return m_mainList; }, [] { return QString(); }});
        m_window->show();
    }
    void cleanup() { m_window.reset(); }

    // The search behind the window: the records found, when the window is serviced, a search
    // stopped; and the stored setting of the boxes.
    // The products found for a text in the ticked columns.
    void search()
    {
        using C = ListColumn;
        for (const auto &[text, fields, found] :
             {// any letter case
              std::tuple(u"abc"_s, only({C::Product}), QStringList{u"ABC soap"_s, u"xAbCx"_s}),
              // the type alone finds every EAN-13
              std::tuple(u"e13"_s, only({C::Type}), QStringList{u"ABC soap"_s, u"xAbCx"_s, u"Milk e13"_s}),
              // two matching columns, listed once, in list order
              std::tuple(u"e13"_s, FindFields::checkAll(true),
                         QStringList{u"ABC soap"_s, u"xAbCx"_s, u"Jam"_s, u"Milk e13"_s}),
              // check all cleared: the product alone
              std::tuple(u"e13"_s, FindFields::checkAll(false), QStringList{u"Milk e13"_s}),
              // a star is a plain character
              std::tuple(u"*"_s, FindFields::checkAll(true), QStringList{u"Star*"_s}),
              // an empty column never matches
              std::tuple(QString(), only({C::DigitSup}), QStringList{u"xAbCx"_s, u"Jam"_s, u"Milk e13"_s})}) {
            QStringList products;
            for (const ListRecord &record : FindQuery(text, fields).run(kRecords))
                products.append(record.product);
            QCOMPARE(products, found);
        }
    }

    // The window is serviced after each full stretch of records, never before the first.
    void serviceCalledAfterEveryStretch()
    {
        for (const auto &[records, calls] :
             {std::pair(99, 0), std::pair(100, 1), std::pair(101, 1), std::pair(250, 2)}) {
            const QList<ListRecord> many(records, {u"item"_s, u"1"_s, QString(), QString(), u"E130"_s});
            int called = 0;
            const auto service = [&called] { ++called; };
            QCOMPARE(FindQuery(u"ITEM"_s, FindFields{}).run(many, service, 100).size(), records);
            QCOMPARE(called, calls);
        }
    }

    // A search the caller lets run finds what a plain one does, told after each stretch how
    // far it got; a stopped one ends at that stretch and gives nothing.
    void stoppedAtAStretch()
    {
        QList<ListRecord> many;
        QStringList items;
        for (int i = 0; i < 250; ++i) {
            many.append({(i % 3 ? u"item %1"_s : u"other %1"_s).arg(i), u"1"_s, QString(), QString(), u"E130"_s});
            if (i % 3)
                items << many.constLast().product;
        }
        const FindQuery query(u"ITEM"_s, FindFields{});
        // The call that answers "stop" (0: none does), and the records tested each call told.
        for (const auto &[stopAt, told] :
             {std::pair(0, QList<qsizetype>{100, 200}), std::pair(1, QList<qsizetype>{100}),
              std::pair(2, QList<qsizetype>{100, 200})}) {
            QList<qsizetype> calls;
            const auto service = [&](qsizetype tested) {
                calls << tested;
                return calls.size() != stopAt;
            };
            const std::optional<QList<ListRecord>> found = query.runStoppable(many, service, 100);
            QCOMPARE(calls, told);
            QCOMPARE(found.has_value(), stopAt == 0);
            if (found) {
                QStringList products;
                for (const ListRecord &record : *found)
                    products << record.product;
                QCOMPARE(products, items);
            }
        }
    }

    // Each stored text and its boxes as read back: five field boxes, then "Check All". Anything
    // but six 0s and 1s with a box ticked is the product box alone.
    void parse()
    {
        for (const auto &[stored, boxes] : {std::pair(u"100000"_s, u"100000"_s), std::pair(u"010010"_s, u"010010"_s),
                                            std::pair(u"111111"_s, u"111111"_s), std::pair(u"000001"_s, u"000001"_s),
                                            std::pair(u"000000"_s, u"100000"_s), std::pair(QString(), u"100000"_s),
                                            std::pair(u"01001"_s, u"100000"_s), std::pair(u"0100100"_s, u"100000"_s),
                                            std::pair(u"01Y010"_s, u"100000"_s), std::pair(u" 01001"_s, u"100000"_s)}) {
            const FindSetting setting = FindSetting::parse(stored);
            QCOMPARE(setting.toString(), boxes);
            QCOMPARE(FindSetting::parse(boxes), setting);
        }
    }

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
