#include "form1_driver.h"

#include "windows/label_sheet_window.h"
#include "sheet/sheet_settings.h"
#include "gs1/element_string.h"
#include "mainwindow/label_panel.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

// The stored look: DejaVu Serif, a yellow behind the bars and a blue behind the product line.
constexpr QRgb kBarsBack = 0xffffc800;
constexpr QRgb kLineBack = 0xff00c8ff;

QString storedColour(QRgb colour)
{
    return QString::number(qRed(colour) + 256 * qGreen(colour) + 65536 * qBlue(colour));
}

// Whether the first page of \a pdf, rendered at 50 dpi, shows \a colour.
bool pageShows(const QString &pdf, QRgb colour)
{
    const QString png = pdf + u".png"_s;
    programOutput(u"pdftoppm"_s, {u"-r"_s, u"50"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, u"-png"_s, u"-singlefile"_s, pdf,
                                  png.chopped(4)});
    const QImage page = QImage(png).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixel(x, y) == colour)
                return true;
    return false;
}

} // namespace

class TestLabelSheetWindow : public QObject, public Form1Fixture {
    Q_OBJECT

    SettingsStore m_store{Edition::Alla};

    static QString summaryOf(QDialog *window) { return window->findChild<QLabel *>(u"lblSummary"_s)->text(); }

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
        WindowAnswers answers({{u"frmLabels"_s, [&shown](QDialog *window) { shown = summaryOf(window); }}});
        QTest::keyClick(m_form, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(answers.shown, QStringList{u"frmLabels"_s});
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

    // The look the size window keeps is the look of the labels on the sheets, written from the
    // Print Labels window and from the command line alike: its font is the PDF's, its colours are
    // on the page.
    void sheetsTakeTheStoredLook()
    {
        if (QStandardPaths::findExecutable(u"pdffonts"_s).isEmpty() ||
            QStandardPaths::findExecutable(u"pdftoppm"_s).isEmpty())
            QSKIP("pdffonts and pdftoppm (poppler-utils) are not installed");
        close();
        open({{u"FontName"_s, u"DejaVu Serif"_s},
              {u"Bar1xColor"_s, storedColour(kBarsBack)},
              {u"PicTXTColor"_s, storedColour(kLineBack)}});
        addRecord(u"400638133393"_s, u"Tea"_s);
        addRecord(u"501234567890"_s, u"Jam"_s);

        QTemporaryDir dir;
        const QString fromWindow = dir.filePath(u"window.pdf"_s);
        m_prompt->files.enqueue(fromWindow);
        WindowAnswers answers(
            {{u"frmLabels"_s, [](QDialog *window) { window->findChild<QPushButton *>(u"cmdPdf"_s)->click(); }}});
        child<QAction>(u"mnuLabels"_s)->trigger();

        const QString list = dir.filePath(u"list.qz2"_s);
        QVERIFY(saveListFile(list, m_form->listRecords()).ok);
        const QString fromCommand = dir.filePath(u"command.pdf"_s);
        programOutput(QStringLiteral(KELBRIX_PROGRAM),
                      {u"--sheet"_s, list, u"--template"_s, u"L7160"_s, u"--pdf"_s, fromCommand});

        for (const QString &pdf : {fromWindow, fromCommand}) {
            const QString fonts = QString::fromLocal8Bit(programOutput(u"pdffonts"_s, {pdf}));
            QVERIFY2(fonts.contains(u"DejaVuSerif"_s) && !fonts.contains(u"DejaVuSans"_s), qPrintable(fonts));
            QVERIFY2(pageShows(pdf, kBarsBack) && pageShows(pdf, kLineBack), qPrintable(pdf));
        }
    }

    // The window makes the labels in the edition of the main window: the EAN edition makes no UPC.
    void sheetsAreMadeInTheEdition()
    {
        close();
        open({}, Edition::Ean);
        loadRecords(
            {{u"Tea"_s, u"400638133393"_s, {}, {}, u"E130"_s}, {u"Cola"_s, u"03600029145"_s, {}, {}, u"UPA0"_s}});
        QCOMPARE(m_form->listCount(), 2);
        QString summary;
        WindowAnswers answers({{u"frmLabels"_s, [&summary](QDialog *window) { summary = summaryOf(window); }}});
        child<QAction>(u"mnuLabels"_s)->trigger();
        QVERIFY2(summary.startsWith(u"2 records: 1 labels on 1 pages."_s) &&
                     summary.contains(u"Cola (03600029145) is left out: it makes no barcode."_s),
                 qPrintable(summary));
    }

    // The 2D symbol the main window's labels carry (Edit, GS1 Data) goes onto the sheets too, with
    // the serial of each label; the sheet tests read those symbols back from the PDF.
    void sheetsCarryTheWindowsTwoDSymbol()
    {
        loadRecords({{u"Tea"_s, u"400638133393"_s, {}, {}, u"E130"_s}});
        Gs1Request request;
        request.carrier = MatrixCarrier::Gs1DataMatrix;
        request.elements = {{u"10"_s, u"L7"_s}};
        request.serialFrom = 500;
        m_form->label().setGs1Request(request);
        QStringList data;
        WindowAnswers answers({{u"frmLabels"_s, [&data](QDialog *window) {
                                    window->findChild<QSpinBox *>(u"txtCopies"_s)->setValue(2);
                                    const SheetPlan &plan = static_cast<frmLabels *>(window)->plan();
                                    for (int label = 0; label < plan.labels(); ++label)
                                        data << plan.gs1Data(label).elementString;
                                }}});
        child<QAction>(u"mnuLabels"_s)->trigger();
        QCOMPARE(data, (QStringList{u"(01)04006381333931(10)L7(21)500"_s, u"(01)04006381333931(10)L7(21)501"_s}));
    }
};

QTEST_MAIN(TestLabelSheetWindow)
#include "tst_label_sheet_window.moc"
