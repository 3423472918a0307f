#include "form1_driver.h"

#include "list/list_files.h"

#include <QTemporaryDir>
#include <QTreeView>

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
        auto *results = control<QTreeView>(*findWindow(), u"ListView3"_s);
        QCOMPARE(results->model()->rowCount(), 1);
        const QModelIndex first = results->model()->index(0, 0);
        results->setCurrentIndex(first);
        emit results->doubleClicked(first);
        QCOMPARE(m_form->txtProduct->text(), u"Book"_s);
        QVERIFY(m_form->optISBN->isChecked());
        QCOMPARE(decodedText(m_form->picTST->image()).remove(u'|'), u"978030640615751295"_s);
    }

    void printWritesTheListing()
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
        QVERIFY(m_prompt->asked.isEmpty());
    }
};

QTEST_MAIN(TestForm1FindPrint)
#include "tst_form1_find_print.moc"
