// The Logistic Label window: the pallets' labels written and read back as a scanner reads them,
// the SSCCs taken only for data that passes, its settings from one opening to the next, and its
// place in the main window's File menu.
#include "form1_driver.h"
#include "export/converter_io.h"
#include "settings/sscc_store.h"
#include "verify/symbol_reader.h"
#include "windows/logistic_label_window.h"

#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

// The pallet data of the tests: 24 cases of one GTIN, a batch and a best-before date.
const QStringList kPalletRows{u"02=05012345678900"_s, u"37=24"_s, u"10=LOT42"_s, u"15=271231"_s};
// The first two SSCCs of company prefix 5012345 under extension digit 3.
const QStringList kFirstSsccs{u"350123450000000009"_s, u"350123450000000016"_s};

SsccStore ssccStore()
{
    return SsccStore::forEdition(Edition::Alla);
}

// Fills \a window as a user does: the company prefix 5012345 with extension digit 3, a supplier,
// the rows "AI=value" (the AIs the list offers chosen from it, others typed) and the pallets.
void fillWindow(QDialog &window, const QStringList &rows, int pallets = 1)
{
    found<QLineEdit>(window, u"txtPrefix"_s)->setText(u"5012345"_s);
    found<QLineEdit>(window, u"txtExtension"_s)->setText(u"3"_s);
    found<QPlainTextEdit>(window, u"txtSupplier"_s)->setPlainText(u"Kelbrix Foods AB\nHamngatan 1\nStockholm"_s);
    auto *offered = found<QComboBox>(window, u"cboAddAi"_s);
    auto *table = found<QTableWidget>(window, u"grdData"_s);
    for (const QString &row : rows) {
        const QString ai = row.section(u'=', 0, 0);
        const int index = offered->findData(ai);
        offered->setCurrentIndex(index >= 0 ? index : offered->count() - 1);
        found<QPushButton>(window, u"cmdAddRow"_s)->click();
        const int last = table->rowCount() - 1;
        if (index < 0)
            table->item(last, 0)->setText(ai);
        table->item(last, 2)->setText(row.section(u'=', 1));
    }
    found<QSpinBox>(window, u"spnPallets"_s)->setValue(pallets);
}

QString verdictOf(const QDialog &window)
{
    return found<QLabel>(window, u"lblVerdict"_s)->text();
}

// What a scanner sends for the lowest symbol of \a page: the bottom third of the label, where the
// SSCC's symbol stands alone.
QString lowestSymbol(const QImage &page)
{
    const int top = page.height() * 2 / 3;
    const std::optional<MatrixReading> read = readCode128Symbol(page.copy(0, top, page.width(), page.height() - top));
    return read ? read->symbologyIdentifier + read->content : QString();
}

// The pages of \a pdf rendered at 200 dpi, as a user's viewer shows them.
QList<QImage> pdfPages(const QString &pdf)
{
    programOutput(u"pdftoppm"_s, {u"-r"_s, u"200"_s, u"-png"_s, pdf, pdf});
    QList<QImage> pages;
    for (int page = 1; QFile::exists(pdf + u'-' + QString::number(page) + u".png"_s); ++page)
        pages.append(QImage(pdf + u'-' + QString::number(page) + u".png"_s));
    return pages;
}

} // namespace

class TestLogisticLabelWindow : public QObject, public Form1Fixture {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void init()
    {
        open();
        // Every test counts SSCCs from the first serial reference.
        QFile::remove(ssccStore().counterPath());
        QFile::remove(ssccStore().logPath());
    }
    void cleanup() { close(); }

    // Two pallets into one PDF: a page each, each SSCC symbol reads as (00) and its SSCC, the
    // SSCCs the next two of the sequence, logged with the pallet they went on.
    void pdfOfTwoPallets()
    {
        if (QStandardPaths::findExecutable(u"pdftoppm"_s).isEmpty())
            QSKIP("pdftoppm (poppler-utils) is not installed");
        LogisticLabelWindow window({});
        fillWindow(window, kPalletRows, 2);
        QVERIFY2(verdictOf(window).startsWith(u"Ready: "_s), qPrintable(verdictOf(window)));
        const QString pdf = m_dir.filePath(u"pallets.pdf"_s);
        m_prompt->files.enqueue(pdf);
        found<QPushButton>(window, u"cmdPdf"_s)->click();
        QCOMPARE(m_prompt->texts(), QStringList());

        QStringList read;
        for (const QImage &page : pdfPages(pdf))
            read << lowestSymbol(page);
        QCOMPARE(read, (QStringList{u"]C100"_s + kFirstSsccs[0], u"]C100"_s + kFirstSsccs[1]}));
        QStringList logged;
        for (const SsccLogEntry &entry : ssccStore().readLog().entries)
            logged << entry.sscc + u' ' + entry.purpose;
        QCOMPARE(logged, (QStringList{kFirstSsccs[0] + u" logistic label, pallet 1 of 2"_s,
                                      kFirstSsccs[1] + u" logistic label, pallet 2 of 2"_s}));
        QVERIFY2(verdictOf(window).endsWith(u"SSCC %1 to %2 used."_s.arg(kFirstSsccs[0], kFirstSsccs[1])),
                 qPrintable(verdictOf(window)));
    }

    // One TIFF file a pallet, name.tif and name-2.tif, at the TIFF resolution, each with its SSCC.
    void tiffOfTwoPallets()
    {
        LogisticLabelContext context;
        context.tiffDpi = 203;
        LogisticLabelWindow window(context);
        fillWindow(window, kPalletRows, 2);
        m_prompt->files.enqueue(m_dir.filePath(u"pallet.tif"_s));
        found<QPushButton>(window, u"cmdTiff"_s)->click();
        QCOMPARE(m_prompt->texts(), QStringList());
        QStringList read;
        for (const char *name : {"pallet.tif", "pallet-2.tif"}) {
            const SourceContent file = readImageFile(m_dir.filePath(QString::fromLatin1(name)));
            QCOMPARE(file.picture.xDpi, 203.0);
            read << lowestSymbol(file.picture.image.convertToFormat(QImage::Format_Grayscale8));
        }
        QCOMPARE(read, (QStringList{u"]C100"_s + kFirstSsccs[0], u"]C100"_s + kFirstSsccs[1]}));
    }

    void previewThenPrint_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("pallets");
        QTest::addColumn<bool>("a4Sheet");
        QTest::addColumn<bool>("print");
        QTest::addColumn<int>("pages");
        QTest::newRow("A6, a page each") << 0 << 2 << false << true << 2;
        QTest::newRow("A6, four to an A4 sheet") << 0 << 5 << true << true << 2;
        QTest::newRow("4 x 6 in") << 2 << 1 << false << true << 1;
        QTest::newRow("A5, the sheet is for A6") << 1 << 3 << true << true << 3;
        QTest::newRow("looked at, not printed") << 0 << 3 << false << false << 3;
    }
    // The preview shows the pages the labels will print on and takes no SSCC; printing from it
    // takes one a pallet and prints those pages.
    void previewThenPrint()
    {
        if (QStandardPaths::findExecutable(u"pdftoppm"_s).isEmpty())
            QSKIP("pdftoppm (poppler-utils) is not installed");
        QFETCH(int, size);
        QFETCH(int, pallets);
        QFETCH(bool, a4Sheet);
        QFETCH(bool, print);
        QFETCH(int, pages);
        LogisticLabelWindow window({});
        fillWindow(window, kPalletRows, pallets);
        found<QComboBox>(window, u"cboSize"_s)->setCurrentIndex(size);
        found<QCheckBox>(window, u"chkA4Sheet"_s)->setChecked(a4Sheet);
        const QTemporaryDir dir;
        const QString pdf = dir.filePath(u"printed.pdf"_s);
        m_prompt->previewPrints = print;
        m_prompt->printChoices.enqueue({pdf});
        m_prompt->previewPagesToPaint = {0};
        found<QPushButton>(window, u"cmdPreview"_s)->click();
        QCOMPARE(m_prompt->texts(), QStringList());
        QCOMPARE(m_prompt->previewPageCounts, QList<int>{pages});
        // The first page shows the first label's SSCC symbol at the bottom of its label.
        QVERIFY(!decodeSymbols(m_prompt->previewPageImages.value(0)).isEmpty());
        QCOMPARE(ssccStore().readLog().entries.size(), print ? pallets : 0);
        QCOMPARE(pdfPages(pdf).size(), print ? pages : 0);
    }

    // From CSV Row takes the first record's columns that name an AI; the barcode's GTIN is the
    // pallet's CONTENT, and a column of the list's own (a price) stays out.
    void rowsFromCsv()
    {
        const QString csv = m_dir.filePath(u"goods.csv"_s);
        QFile file(csv);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("GTIN;Batch;Best before;(37);Price\n5012345678900;LOT7;311227;12;9.90\n4006381333931;L8;;6;1\n");
        file.close();
        LogisticLabelWindow window({});
        m_prompt->files.enqueue(csv);
        found<QPushButton>(window, u"cmdFromCsv"_s)->click();
        QCOMPARE(m_prompt->texts(), QStringList());
        const auto *table = found<QTableWidget>(window, u"grdData"_s);
        QStringList rows;
        for (int row = 0; row < table->rowCount(); ++row)
            rows << table->item(row, 0)->text() + u'=' + table->item(row, 2)->text();
        QCOMPARE(rows, (QStringList{u"02=05012345678900"_s, u"10=LOT7"_s, u"15=311227"_s, u"37=12"_s}));
    }

    // A file that cannot be written is said with its reason, and that its SSCCs stay taken.
    void writeFailureIsSaid()
    {
        LogisticLabelWindow window({});
        fillWindow(window, kPalletRows, 2);
        m_prompt->files.enqueue(m_dir.filePath(u"no-such-folder/pallets.pdf"_s));
        found<QPushButton>(window, u"cmdPdf"_s)->click();
        QCOMPARE(m_prompt->texts().size(), 1);
        QVERIFY2(m_prompt->texts().constFirst().endsWith(
                     u"\n\nThe SSCCs taken for these labels stay taken and are not given again: %1 to %2"_s.arg(
                         kFirstSsccs[0], kFirstSsccs[1])),
                 qPrintable(m_prompt->texts().constFirst()));
        QCOMPARE(m_prompt->asked.constFirst().icon, PromptIcon::Critical);
        QCOMPARE(m_prompt->asked.constFirst().title, u"Logistic Label"_s);
        // Its Help button leads to the section on logistic labels.
        QCOMPARE(m_prompt->asked.constFirst().helpContext, 3040);
    }

    void refusedDataTakesNoSscc_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("pallets");
        QTest::addColumn<QString>("message");
        QTest::newRow("no such month") << QStringList{u"02=05012345678900"_s, u"37=24"_s, u"15=271331"_s}
                                       << u"5012345"_s << QString() << 2 << u"(15) 271331: 13 is no month"_s;
        QTest::newRow("content without its count") << QStringList{u"02=05012345678900"_s} << u"5012345"_s << QString()
                                                   << 1 << u"(02) needs (37) in the same data"_s;
        QTest::newRow("a company prefix too short")
            << kPalletRows << u"50123"_s << QString() << 1
            << u"A GS1 company prefix has 6 to 11 digits; \"50123\" is not one."_s;
        QTest::newRow("a typed SSCC for two pallets")
            << kPalletRows << QString() << kFirstSsccs[0] << 2
            << u"A typed SSCC is for one pallet: take the SSCCs from the sequence for 2 pallets"_s;
        QTest::newRow("a typed SSCC with a wrong check digit")
            << kPalletRows << QString() << u"350123450000000001"_s << 1
            << u"(00) 350123450000000001: the check digit should be 9"_s;
    }
    // Refused data is explained in the verdict and, when a PDF is asked for, in a message box;
    // no SSCC is taken and no file written.
    void refusedDataTakesNoSscc()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, prefix);
        QFETCH(QString, typed);
        QFETCH(int, pallets);
        QFETCH(QString, message);
        LogisticLabelWindow window({});
        fillWindow(window, rows, pallets);
        found<QLineEdit>(window, u"txtPrefix"_s)->setText(prefix);
        if (!typed.isEmpty()) {
            found<QRadioButton>(window, u"optSsccTyped"_s)->click();
            found<QLineEdit>(window, u"txtSscc"_s)->setText(typed);
        }
        QCOMPARE(verdictOf(window), u"⚠ "_s + message);
        const QString pdf = m_dir.filePath(u"refused.pdf"_s);
        m_prompt->files.enqueue(pdf);
        found<QPushButton>(window, u"cmdPdf"_s)->click();
        QCOMPARE(m_prompt->texts(), QStringList{message});
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(ssccStore().readLog().entries.size(), 0);
    }

    // A take the store refuses is said in a message box, and what was typed stays.
    void refusedTakeIsSaid()
    {
        LogisticLabelWindow window({});
        fillWindow(window, kPalletRows, 1);
        // A counter file that is not the store's own form is never counted from.
        QDir().mkpath(QFileInfo(ssccStore().counterPath()).path());
        QFile counter(ssccStore().counterPath());
        QVERIFY(counter.open(QIODevice::WriteOnly) && counter.write("damaged\n") > 0);
        counter.close();
        m_prompt->files.enqueue(m_dir.filePath(u"none.pdf"_s));
        found<QPushButton>(window, u"cmdPdf"_s)->click();
        QCOMPARE(m_prompt->texts().size(), 1);
        QVERIFY2(m_prompt->texts().constFirst().contains(QDir::toNativeSeparators(ssccStore().counterPath())),
                 qPrintable(m_prompt->texts().constFirst()));
        QCOMPARE(found<QTableWidget>(window, u"grdData"_s)->rowCount(), kPalletRows.size());
        QVERIFY(!QFile::exists(m_dir.filePath(u"none.pdf"_s)));
    }

    // The blocks, the size and the SSCC's prefix come back the next time the window opens.
    void settingsComeBack()
    {
        {
            LogisticLabelWindow window({});
            fillWindow(window, {});
            found<QPlainTextEdit>(window, u"txtCustomer"_s)->setPlainText(u"Lager 7\nGöteborg"_s);
            found<QComboBox>(window, u"cboSize"_s)->setCurrentIndex(1);
            found<QPushButton>(window, u"cmdClose"_s)->click();
        }
        LogisticLabelWindow again({});
        QCOMPARE(found<QPlainTextEdit>(again, u"txtSupplier"_s)->toPlainText(),
                 u"Kelbrix Foods AB\nHamngatan 1\nStockholm"_s);
        QCOMPARE(found<QPlainTextEdit>(again, u"txtCustomer"_s)->toPlainText(), u"Lager 7\nGöteborg"_s);
        QCOMPARE(found<QComboBox>(again, u"cboSize"_s)->currentText(), u"A5 148 x 210 mm"_s);
        QCOMPARE(found<QLineEdit>(again, u"txtPrefix"_s)->text(), u"5012345"_s);
        QCOMPARE(found<QLineEdit>(again, u"txtExtension"_s)->text(), u"3"_s);
        // Four to an A4 sheet is for A6 labels only.
        QVERIFY(!found<QCheckBox>(again, u"chkA4Sheet"_s)->isEnabled());
    }

    // File, Logistic Label opens the window; From Record puts the GTIN of the main window's code
    // into CONTENT.
    void opensFromTheFileMenu()
    {
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        QString content;
        WindowAnswers answers({{u"frmLogisticLabel"_s, [&content](QDialog *window) {
                                    found<QPushButton>(*window, u"cmdFromRecord"_s)->click();
                                    const auto *table = found<QTableWidget>(*window, u"grdData"_s);
                                    for (int column = 0; column < 3; ++column)
                                        content += u'|' + table->item(0, column)->text();
                                }}});
        child<QAction>(u"mnuLogisticLabel"_s)->trigger();
        QCOMPARE(answers.shown, QStringList{u"frmLogisticLabel"_s});
        QCOMPARE(content, u"|02|CONTENT|05012345678900"_s);
    }

    // Every mnemonic of the window leads to one control, and the window fits a 1024 x 768 screen.
    void mnemonicsAndSize()
    {
        LogisticLabelWindow window({});
        window.show();
        QStringList keys;
        static const QRegularExpression mnemonic(u"&([^&])"_s);
        for (const QWidget *control : window.findChildren<QWidget *>()) {
            QString text;
            if (const auto *button = qobject_cast<const QAbstractButton *>(control))
                text = button->text();
            else if (const auto *label = qobject_cast<const QLabel *>(control))
                text = label->text();
            if (const QRegularExpressionMatch match = mnemonic.match(text); match.hasMatch())
                keys << match.captured(1).toLower() + u' ' + text;
        }
        keys.sort();
        for (qsizetype i = 1; i < keys.size(); ++i)
            QVERIFY2(keys[i].front() != keys[i - 1].front(), qPrintable(keys[i - 1] + u" / "_s + keys[i]));
        QVERIFY2(window.frameGeometry().width() <= 1024 && window.frameGeometry().height() <= 768,
                 qPrintable(u"%1 x %2"_s.arg(window.frameGeometry().width()).arg(window.frameGeometry().height())));
    }
};

QTEST_MAIN(TestLogisticLabelWindow)
#include "tst_logistic_label_window.moc"
