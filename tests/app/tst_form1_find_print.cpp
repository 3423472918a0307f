// The main window's find and print commands, driven through its menus, toolbar and the find
// window's controls: a chosen result loaded into the entry and drawn, the find fields kept
// in the settings, and the list printed or previewed into PDF files read back with pdftotext.

#include "form1_driver.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include "list/list_files.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>

using namespace Kelbrix;
using namespace Kelbrix::Test;
using namespace Qt::Literals::StringLiterals;

namespace {

template <typename T> T *control(const QObject &parent, const QString &name)
{
    T *found = parent.findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

QStringList pdfPages(const QString &pdf)
{
    QProcess process;
    process.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {u"pdftotext failed"_s};
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QList<int> headerPageNumbers(const QStringList &pages)
{
    static const QRegularExpression header(u"Kelbrix\\. List\\s+Page\\s+(\\d+)\\s+Date:"_s);
    QList<int> numbers;
    for (const QString &page : pages) {
        const auto match = header.match(page);
        numbers.append(match.hasMatch() ? match.captured(1).toInt() : -1);
    }
    return numbers;
}

} // namespace

class TestForm1FindPrint : public QObject, public Form1Fixture {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    QString filePath(const QString &name) const { return m_folder->filePath(name); }

    // Loads \a records into the main window as the user would, from a QZ2 file.
    void loadList(const QList<ListRecord> &records)
    {
        const QString path = filePath(u"list.qz2"_s);
        QVERIFY(saveListFile(path, records).ok);
        m_prompt->files.enqueue(path);
        control<QAction>(*m_form, u"mnuLoad"_s)->trigger();
        m_prompt->clear();
    }

    QList<ListRecord> numbered(int count)
    {
        QList<ListRecord> records;
        for (int i = 1; i <= count; ++i)
            records.append({u"Item "_s + QString::number(i), u"40063"_s + QString::number(1000000 + i), QString(),
                            QString(), u"E130"_s});
        return records;
    }

    QWidget *findWindow() { return control<QWidget>(*m_form, u"frmFind"_s); }

private slots:
    void init()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        open();
    }
    void cleanup() { close(); }

    void findOpensFromMenuAndToolbar()
    {
        QVERIFY(!findWindow()->isVisible());
        control<QAction>(*m_form, u"mnuFind"_s)->trigger();
        QVERIFY(findWindow()->isVisible());
        findWindow()->hide();
        control<QAction>(*m_form, u"Toolbar1_Find"_s)->trigger();
        QVERIFY(findWindow()->isVisible());
    }

    void chosenResultIsLoadedAndDrawn_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("EAN-13 with two digits") << u"soap"_s << u"optEAN13"_s << u"400638133393112"_s;
        QTest::newRow("ISBN with five digits") << u"book"_s << u"optISBN"_s << u"978030640615751295"_s;
        QTest::newRow("EAN-8") << u"milk"_s << u"optEAN8"_s << u"96385074"_s;
    }
    void chosenResultIsLoadedAndDrawn()
    {
        QFETCH(QString, search);
        QFETCH(QString, option);
        QFETCH(QString, decoded);
        loadList({{u"Soap"_s, u"400638133393"_s, u"12"_s, u"white"_s, u"E132"_s},
                  {u"Book"_s, u"0-306-40615-2"_s, u"51295"_s, QString(), u"ISB5"_s},
                  {u"Milk"_s, u"9638507"_s, QString(), QString(), u"E80 "_s}});
        clickOption(*m_form, u"optCode39"_s);
        control<QAction>(*m_form, u"mnuFind"_s)->trigger();
        QTest::keyClicks(control<QLineEdit>(*findWindow(), u"txtSearch"_s), search);
        control<QPushButton>(*findWindow(), u"cmdSearch"_s)->click();
        auto *results = control<QTreeWidget>(*findWindow(), u"ListView3"_s);
        QCOMPARE(results->topLevelItemCount(), 1);
        results->setCurrentItem(results->topLevelItem(0));
        emit results->itemDoubleClicked(results->topLevelItem(0), 0);

        QCOMPARE(control<QLineEdit>(*m_form, u"txtProduct"_s)->text(), results->topLevelItem(0)->text(0));
        QCOMPARE(control<QLineEdit>(*m_form, u"TxtStreck"_s)->text(), results->topLevelItem(0)->text(1));
        QVERIFY(control<QRadioButton>(*m_form, option)->isChecked());
        QCOMPARE(decodedText(control<LabelPicture>(*m_form, u"picTST"_s)->image()).remove(u'|'), decoded);
        // The move button puts this label, and the spacer after it, into the image list once.
        auto *move = control<QPushButton>(*findWindow(), u"Command1"_s);
        QVERIFY(move->isEnabled());
        move->click();
        auto *imageList = control<QTextEdit>(*m_form, u"RTF1"_s);
        int pictures = 0;
        for (QTextBlock block = imageList->document()->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it)
                pictures += it.fragment().charFormat().isImageFormat() ? it.fragment().length() : 0;
        }
        QCOMPARE(pictures, 2);
        QVERIFY(control<QAction>(*m_form, u"mnuClearBar"_s)->isEnabled());
        QVERIFY(control<QAction>(*m_form, u"mnuPbarcode"_s)->isEnabled());
    }

    void findFieldsAreKept()
    {
        control<QCheckBox>(*findWindow(), u"chkBarcode"_s)->click();
        control<QCheckBox>(*findWindow(), u"chkType"_s)->click();
        QVERIFY(m_form->SaveSettings());
        Form1 again(Edition::Alla);
        QWidget *find = control<QWidget>(again, u"frmFind"_s);
        QStringList checked;
        for (const QString &name :
             {u"chkProduct"_s, u"chkBarcode"_s, u"chkDigitSup"_s, u"chkFreeText"_s, u"chkType"_s, u"chkAll"_s})
            checked.append(control<QCheckBox>(*find, name)->isChecked() ? u"1"_s : u"0"_s);
        QCOMPARE(checked.join(QString()), u"110010"_s);
    }

    void printEmptyList()
    {
        auto *print = control<QAction>(*m_form, u"mnuPrint"_s);
        print->setEnabled(true); // as after removing every record of a loaded list
        print->trigger();
        checkAsked(*m_prompt, u"Sorry! Nothing to Print."_s, u"Kelbrix"_s, PromptIcon::Exclamation, PromptButtons::Ok,
                   3012);
        QVERIFY(m_prompt->printRequests.isEmpty());
    }

    void printAfterAddingRecords()
    {
        QVERIFY(!control<QAction>(*m_form, u"mnuPrint"_s)->isEnabled());
        typeInto(control<QLineEdit>(*m_form, u"txtProduct"_s), u"Soap"_s);
        typeInto(control<QLineEdit>(*m_form, u"TxtStreck"_s), u"400638133393"_s);
        control<QPushButton>(*m_form, u"Command4"_s)->click();
        QVERIFY(control<QAction>(*m_form, u"mnuPrint"_s)->isEnabled());
        QVERIFY(control<QAction>(*m_form, u"mnuPreview"_s)->isEnabled());
    }

    void printList_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("copies");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("63 records, one page") << 63 << 1 << QList<int>{1};
        QTest::newRow("64 records, two pages") << 64 << 1 << QList<int>{1, 2};
        QTest::newRow("two copies, each from page 1") << 64 << 2 << QList<int>{1, 2, 1, 2};
    }
    void printList()
    {
        QFETCH(int, records);
        QFETCH(int, copies);
        QFETCH(QList<int>, pages);
        loadList(numbered(records));
        const QString pdf = filePath(u"list.pdf"_s);
        m_prompt->printChoices.enqueue({pdf, copies, false});
        control<QAction>(*m_form, u"mnuPrint"_s)->trigger();
        QVERIFY(m_prompt->asked.isEmpty());
        const QStringList printed = pdfPages(pdf);
        QCOMPARE(headerPageNumbers(printed), pages);
        QVERIFY(printed.last().contains(u"E130.....Item "_s + QString::number(records) + u"....."_s));
    }

    void cancelledPrintDialogPrintsNothing()
    {
        loadList(numbered(3));
        control<QAction>(*m_form, u"mnuPrint"_s)->trigger();
        QCOMPARE(m_prompt->printRequests.size(), 1);
        QVERIFY(m_prompt->asked.isEmpty());
        QVERIFY(QDir(m_folder->path()).entryList({u"*.pdf"_s}).isEmpty());
    }

    void previewShowsTheListing()
    {
        loadList(numbered(70));
        m_prompt->previewPdfFile = filePath(u"preview.pdf"_s);
        control<QAction>(*m_form, u"mnuPreview"_s)->trigger();
        QCOMPARE(m_prompt->previewsShown, 1);
        QVERIFY(m_prompt->printRequests.isEmpty());
        QCOMPARE(headerPageNumbers(pdfPages(m_prompt->previewPdfFile)), (QList<int>{1, 2}));
    }
};

QTEST_MAIN(TestForm1FindPrint)
#include "tst_form1_find_print.moc"
