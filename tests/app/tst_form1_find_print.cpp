// The main window's find and print commands, driven through its menus and the find window.

#include "form1_driver.h"

#include "list/list_files.h"

#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
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

} // namespace

class TestForm1FindPrint : public QObject, public Form1Fixture {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_folder;

    void loadList(const QList<ListRecord> &records)
    {
        const QString path = m_folder->filePath(u"list.qz2"_s);
        QVERIFY(saveListFile(path, records).ok);
        m_prompt->files.enqueue(path);
        control<QAction>(*m_form, u"mnuLoad"_s)->trigger();
        m_prompt->clear();
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
    }
    void chosenResultIsLoadedAndDrawn()
    {
        QFETCH(QString, search);
        QFETCH(QString, option);
        QFETCH(QString, decoded);
        loadList({{u"Soap"_s, u"400638133393"_s, u"12"_s, u"white"_s, u"E132"_s},
                  {u"Book"_s, u"0-306-40615-2"_s, u"51295"_s, QString(), u"ISB5"_s}});
        clickOption(*m_form, u"optCode39"_s);
        control<QAction>(*m_form, u"mnuFind"_s)->trigger();
        QTest::keyClicks(control<QLineEdit>(*findWindow(), u"txtSearch"_s), search);
        control<QPushButton>(*findWindow(), u"cmdSearch"_s)->click();
        auto *results = control<QTreeWidget>(*findWindow(), u"ListView3"_s);
        QCOMPARE(results->topLevelItemCount(), 1);
        results->setCurrentItem(results->topLevelItem(0));
        emit results->itemDoubleClicked(results->topLevelItem(0), 0);

        QCOMPARE(control<QLineEdit>(*m_form, u"txtProduct"_s)->text(), results->topLevelItem(0)->text(0));
        QVERIFY(control<QRadioButton>(*m_form, option)->isChecked());
        QCOMPARE(decodedText(control<LabelPicture>(*m_form, u"picTST"_s)->image()).remove(u'|'), decoded);
        // The move button puts the label and its spacer into the image list.
        control<QPushButton>(*findWindow(), u"Command1"_s)->click();
        auto *imageList = control<QTextEdit>(*m_form, u"RTF1"_s);
        int pictures = 0;
        for (QTextBlock block = imageList->document()->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it)
                pictures += it.fragment().charFormat().isImageFormat() ? it.fragment().length() : 0;
        }
        QCOMPARE(pictures, 2);
        QVERIFY(control<QAction>(*m_form, u"mnuPbarcode"_s)->isEnabled());
    }

    void findFieldsAreKept()
    {
        control<QCheckBox>(*findWindow(), u"chkBarcode"_s)->click();
        control<QCheckBox>(*findWindow(), u"chkType"_s)->click();
        QVERIFY(m_form->SaveSettings());
        Form1 again(Edition::Alla);
        QWidget *find = control<QWidget>(again, u"frmFind"_s);
        QVERIFY(control<QCheckBox>(*find, u"chkBarcode"_s)->isChecked());
        QVERIFY(control<QCheckBox>(*find, u"chkType"_s)->isChecked());
        QVERIFY(!control<QCheckBox>(*find, u"chkAll"_s)->isChecked());
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

    // The pages themselves are checked in the list printer test; here only the wiring.
    void printAndPreviewWriteTheListing()
    {
        loadList({{u"Soap"_s, u"400638133393"_s, QString(), QString(), u"E130"_s}});
        const QString pdf = m_folder->filePath(u"list.pdf"_s);
        m_prompt->printChoices.enqueue({pdf, 1, false});
        control<QAction>(*m_form, u"mnuPrint"_s)->trigger();
        QVERIFY(m_prompt->asked.isEmpty());
        QVERIFY(QFileInfo(pdf).size() > 0);

        m_prompt->previewPdfFile = m_folder->filePath(u"preview.pdf"_s);
        control<QAction>(*m_form, u"mnuPreview"_s)->trigger();
        QCOMPARE(m_prompt->previewsShown, 1);
        QVERIFY(QFileInfo(m_prompt->previewPdfFile).size() > 0);
    }

    void cancelledPrintDialogPrintsNothing()
    {
        loadList({{u"Soap"_s, u"400638133393"_s, QString(), QString(), u"E130"_s}});
        control<QAction>(*m_form, u"mnuPrint"_s)->trigger();
        QCOMPARE(m_prompt->printRequests.size(), 1);
        QVERIFY(m_prompt->asked.isEmpty());
        QVERIFY(QDir(m_folder->path()).entryList({u"*.pdf"_s}).isEmpty());
    }
};

QTEST_MAIN(TestForm1FindPrint)
#include "tst_form1_find_print.moc"
