// The main window's find and print commands, driven through its menus and the find window.

#include "form1_driver.h"

#include "app/image_list_edit.h"
#include "list/list_files.h"

#include <QTemporaryDir>
#include <QTreeWidget>

using namespace Kelbrix;
using namespace Kelbrix::Test;
using namespace Qt::Literals::StringLiterals;

class TestForm1FindPrint : public QObject, public Form1Fixture {
    Q_OBJECT

    QTemporaryDir m_folder;

    template <typename T> T *control(const QObject &parent, const QString &name) { return parent.findChild<T *>(name); }
    QWidget *findWindow() { return control<QWidget>(*m_form, u"frmFind"_s); }

private slots:
    void init() { open(); }
    void cleanup() { close(); }

    void chosenResultIsLoadedAndDrawn()
    {
        const QString path = m_folder.filePath(u"list.qz2"_s);
        QVERIFY(saveListFile(path, {{u"Soap"_s, u"400638133393"_s, u"12"_s, u"white"_s, u"E132"_s},
                                    {u"Book"_s, u"0-306-40615-2"_s, u"51295"_s, QString(), u"ISB5"_s}})
                    .ok);
        m_prompt->files.enqueue(path);
        m_form->mnuLoad->trigger();
        clickOption(*m_form, u"optCode39"_s);
        m_form->findChild<QAction *>(u"mnuFind"_s)->trigger();
        QTest::keyClicks(control<QLineEdit>(*findWindow(), u"txtSearch"_s), u"book"_s);
        control<QPushButton>(*findWindow(), u"cmdSearch"_s)->click();
        auto *results = control<QTreeWidget>(*findWindow(), u"ListView3"_s);
        QCOMPARE(results->topLevelItemCount(), 1);
        results->setCurrentItem(results->topLevelItem(0));
        emit results->itemDoubleClicked(results->topLevelItem(0), 0);
        QCOMPARE(m_form->txtProduct->text(), u"Book"_s);
        QVERIFY(m_form->optISBN->isChecked());
        QCOMPARE(decodedText(m_form->picTST->image()).remove(u'|'), u"978030640615751295"_s);
        // The move button puts the label and its spacer into the image list.
        control<QPushButton>(*findWindow(), u"Command1"_s)->click();
        QCOMPARE(control<ImageListEdit>(*m_form, u"RTF1"_s)->pictureCount(), 2);
    }

    void findFieldsAreKept()
    {
        control<QCheckBox>(*findWindow(), u"chkBarcode"_s)->click();
        QVERIFY(m_form->SaveSettings());
        Form1 again(Edition::Alla);
        QVERIFY(control<QCheckBox>(*control<QWidget>(again, u"frmFind"_s), u"chkBarcode"_s)->isChecked());
    }

    void printEmptyList()
    {
        m_form->mnuPrint->setEnabled(true); // as after removing every record of a loaded list
        m_form->mnuPrint->trigger();
        checkAsked(*m_prompt, u"Sorry! Nothing to Print."_s, u"Kelbrix"_s, PromptIcon::Exclamation, PromptButtons::Ok,
                   3012);
        QVERIFY(m_prompt->printRequests.isEmpty());
    }

    // The pages themselves are checked in the list printer test; here only the wiring.
    void printAndPreviewWriteTheListing()
    {
        QVERIFY(!m_form->mnuPrint->isEnabled());
        typeInto(m_form->txtProduct, u"Soap"_s);
        typeInto(m_form->TxtStreck, u"400638133393"_s);
        m_form->Command4->click();
        m_form->mnuPrint->trigger(); // cancelled in the print dialog
        QCOMPARE(m_prompt->printRequests.size(), 1);
        QVERIFY(QDir(m_folder.path()).entryList({u"*.pdf"_s}).isEmpty());
        const QString pdf = m_folder.filePath(u"list.pdf"_s);
        m_prompt->printChoices.enqueue({pdf, 1, false});
        m_form->mnuPrint->trigger();
        QVERIFY(QFileInfo(pdf).size() > 0);
        m_prompt->previewPdfFile = m_folder.filePath(u"preview.pdf"_s);
        m_form->findChild<QAction *>(u"mnuPreview"_s)->trigger();
        QCOMPARE(m_prompt->previewsShown, 1);
        QVERIFY(QFileInfo(m_prompt->previewPdfFile).size() > 0);
        QVERIFY(m_prompt->asked.isEmpty());
    }
};

QTEST_MAIN(TestForm1FindPrint)
#include "tst_form1_find_print.moc"
