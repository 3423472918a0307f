#include "form1_driver.h"

#include <QProgressDialog>
#include <QTimer>

using namespace Kelbrix;
using namespace Kelbrix::Test;
using namespace Qt::Literals::StringLiterals;

class TestForm1FindPrint : public QObject, public Form1Fixture {
    Q_OBJECT

    QTemporaryDir m_folder;

    QWidget *findWindow() { return child<QWidget>(u"frmFind"_s); }

private slots:
    void init() { open(); }
    void cleanup() { close(); }

    void chosenResultIsLoadedAndDrawn()
    {
        loadRecords({{u"Soap"_s, u"400638133393"_s, u"12"_s, u"white"_s, u"E132"_s},
                     {u"Book"_s, u"0-306-40615-2"_s, u"51295"_s, QString(), u"ISB5"_s}});
        clickOption(*m_form, u"optCode39"_s);
        child<QAction>(u"mnuFind"_s)->trigger();
        QTest::keyClicks(found<QLineEdit>(*findWindow(), u"txtSearch"_s), u"book"_s);
        found<QPushButton>(*findWindow(), u"cmdSearch"_s)->click();
        auto *results = found<QTreeView>(*findWindow(), u"ListView3"_s);
        QCOMPARE(results->model()->rowCount(), 1);
        const QModelIndex first = results->model()->index(0, 0);
        results->setCurrentIndex(first);
        emit results->doubleClicked(first);
        QCOMPARE(child<QLineEdit>(u"txtProduct"_s)->text(), u"Book"_s);
        QVERIFY(child<QRadioButton>(u"optISBN"_s)->isChecked());
        QCOMPARE(decodedText(child<LabelPicture>(u"picTST"_s)->image()).remove(u'|'), u"978030640615751295"_s);
    }

    // Printing a long list to a PDF file offers to stop; a stopped or cancelled print leaves the
    // old file as it was and no other file, and says nothing; one that runs to the end replaces it.
    void stoppedPrintKeepsTheOldFile_data()
    {
        QTest::addColumn<bool>("stop");
        QTest::newRow("stopped") << true;
        QTest::newRow("runs to the end") << false;
    }
    void stoppedPrintKeepsTheOldFile()
    {
        QFETCH(bool, stop);
        loadRecords(QList<ListRecord>(300, {u"Soap"_s, u"400638133393"_s, {}, u"white"_s, u"E130"_s}));
        QTemporaryDir folder;
        const QString pdf = folder.filePath(u"list.pdf"_s);
        QVERIFY(writeFileBytes(pdf, "old"));
        child<QAction>(u"mnuPrint"_s)->trigger(); // cancelled in the print dialog: nothing is written or asked
        bool stopOffered = false;
        QTimer::singleShot(0, m_form, [&] {
            auto *progress = m_form->findChild<QProgressDialog *>();
            stopOffered = progress && progress->findChild<QPushButton *>();
            if (stopOffered && stop)
                progress->findChild<QPushButton *>()->click();
        });
        m_prompt->printChoices.enqueue({pdf, 1, false});
        child<QAction>(u"mnuPrint"_s)->trigger();
        QVERIFY(stopOffered);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{u"list.pdf"_s});
        QCOMPARE(fileBytes(pdf).left(5), stop ? QByteArray("old") : QByteArray("%PDF-"));
        QVERIFY(m_prompt->asked.isEmpty());
    }

    // The preview paints the pages asked for, one at a time: the first is full (a header of
    // two lines and 63 records), the last of 1,000 records holds 55; "Print" then prints.
    void previewPaintsThePagesShown()
    {
        QList<ListRecord> records;
        for (int i = 0; i < 1000; ++i)
            records.append({u"Soap"_s, u"4006381"_s + QString::number(10000 + i), {}, u"white"_s, u"E130"_s});
        loadRecords(records);
        m_prompt->previewPagesToPaint = {0, 15};
        m_prompt->previewPrints = true;
        const QString pdf = m_folder.filePath(u"preview.pdf"_s);
        m_prompt->printChoices.enqueue({pdf, 1, false});
        child<QAction>(u"mnuPreview"_s)->trigger();

        QCOMPARE(m_prompt->previewPageCounts, QList<int>{16});
        QList<int> lines;
        for (const QImage &page : std::as_const(m_prompt->previewPageImages)) {
            // Runs of rows with ink, apart from one another: one a line of text, two the rule of
            // "=" signs.
            int count = 0;
            bool previousInked = false;
            for (int y = 0; y < page.height(); ++y) {
                bool inked = false;
                for (int x = 0; x < page.width() && !inked; ++x)
                    inked = qGray(page.pixel(x, y)) < 128;
                count += inked && !previousInked;
                previousInked = inked;
            }
            lines << count;
        }
        QCOMPARE(lines, (QList<int>{1 + 2 + 63, 1 + 2 + 55}));
        QVERIFY(QFileInfo(pdf).size() > 0);
    }
};

QTEST_MAIN(TestForm1FindPrint)
#include "tst_form1_find_print.moc"
