#include "export_test_support.h"
#include "form1_driver.h"

#include "app/label_sheet_window.h"
#include "settings/settings_store.h"
#include "sheet/sheet_settings.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

class TestLabelSheetWindow : public QObject, public Form1Fixture {
    Q_OBJECT

    SettingsStore m_store{Edition::Alla};

private slots:
    void init() { open(); }
    void cleanup() { close(); }

    // Ctrl+L opens the window with the selected records, or all of them when none is selected;
    // with an empty list the command is off.
    void opensWithTheChosenRecords_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("summary");
        QTest::newRow("none selected") << QList<int>{} << u"3 records: 3 labels on 1 pages."_s;
        QTest::newRow("one selected") << QList<int>{1} << u"1 records: 1 labels on 1 pages."_s;
    }
    void opensWithTheChosenRecords()
    {
        QFETCH(QList<int>, selected);
        QFETCH(QString, summary);
        QAction *command = child<QAction>(u"mnuLabels"_s);
        QVERIFY(!command->isEnabled() && !child<QAction>(u"Toolbar1_Labels"_s)->isEnabled());
        addRecord(u"400638133393"_s, u"Tea"_s);
        addRecord(u"501234567890"_s, u"Jam"_s);
        addRecord(u"978020137962"_s, u"Book"_s);
        QVERIFY(command->isEnabled());
        selectRows(selected);
        QString shown;
        QTimer::singleShot(0, this, [&shown] {
            auto *window = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(window && window->objectName() == u"frmLabels"_s);
            shown = window->findChild<QLabel *>(u"lblSummary"_s)->text();
            window->reject();
        });
        QTest::keyClick(m_form, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(shown, summary);
    }

    // Save as PDF writes what the choices make; a record whose label does not fit the sheet is
    // named and left out, and the start position runs to the sheet's last label.
    void saveAsPdf()
    {
        QTemporaryDir dir;
        const QList<ListRecord> records{{u"Tea"_s, u"400638133393"_s, {}, {}, u"E130"_s},
                                        {u"Novel"_s, u"1-57169-006-9"_s, u"51234"_s, {}, u"ISB5"_s}};
        frmLabels window(records, Edition::Alla, LabelAppearance{}, m_store);
        auto *sheet = window.findChild<QComboBox *>(u"cboTemplate"_s);
        sheet->setCurrentIndex(sheet->findText(u"A4 5x13"_s, Qt::MatchStartsWith));
        auto *start = window.findChild<QSpinBox *>(u"txtStart"_s);
        QCOMPARE(start->maximum(), 65);
        // The catalogue's own sheets are not the user's to change.
        QVERIFY(!window.findChild<QPushButton *>(u"cmdEditSheet"_s)->isEnabled());
        start->setValue(65);
        window.findChild<QSpinBox *>(u"txtCopies"_s)->setValue(2);
        QCOMPARE(window.findChild<QLabel *>(u"lblPage"_s)->text(), u"Page 1 of 2"_s);
        QVERIFY(window.findChild<QLabel *>(u"lblSummary"_s)
                    ->text()
                    .startsWith(u"2 records: 2 labels on 2 pages.\n1 records do not fit"_s));

        // The PDF file's calibration is kept as such and moves the labels written.
        window.findChild<QComboBox *>(u"cboPrinter"_s)->setCurrentText(frmLabels::pdfPrinterName());
        window.findChild<QDoubleSpinBox *>(u"txtOffsetX"_s)->setValue(1.5);
        QCOMPARE(storedCalibration(m_store, frmLabels::pdfPrinterName()).offsetX, 1.5);
        QCOMPARE(window.plan().job().calibration.offsetX, 1.5);

        const QString pdf = dir.filePath(u"labels.pdf"_s);
        m_prompt->files.enqueue(pdf);
        window.findChild<QPushButton *>(u"cmdPdf"_s)->click();
        QCOMPARE(m_prompt->texts(),
                 QStringList{u"Novel (1-57169-006-9 51234) is left out: its label does not fit a 38.1 x "
                             u"21.2 mm label with bars of at least 0.264 mm."_s});
        QVERIFY(fileBytes(pdf).startsWith("%PDF-"));
        // The choices are kept for the next time.
        const SheetChoices kept = storedChoices(m_store);
        QCOMPARE((QList<QVariant>{kept.templateName, kept.startAt, kept.copies}),
                 (QList<QVariant>{u"A4 5x13 38.1 x 21.2 mm"_s, 65, 2}));
    }
};

QTEST_MAIN(TestLabelSheetWindow)
#include "tst_label_sheet_window.moc"
