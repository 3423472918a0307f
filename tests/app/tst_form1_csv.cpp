#include "form1_driver.h"

#include "gs1/element_string.h"
#include "list/barcode_list.h"
#include "list/csv_import.h"
#include "list/csv_reader.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QSpinBox>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

void press(QDialog *dialog, const QString &button)
{
    auto *found = dialog->findChild<QPushButton *>(button);
    QVERIFY2(found, qPrintable(button));
    found->click();
}

QStringList barcodes(const Form1 &form)
{
    QStringList codes;
    for (const ListRecord &record : form.listRecords())
        codes.append(record.barcode);
    return codes;
}

const QByteArray priced = "Product,Barcode,Old code\r\n"
                          "Apple,400638133393,5901234123457\r\n"
                          "Pear,4006381333932,5012345678900\r\n"
                          "Plum,12345,4006381333931\r\n";

// Each record's GS1 data, as a bracketed element string.
QStringList gs1Of(const QList<ListRecord> &records)
{
    QStringList data;
    for (const ListRecord &record : records)
        data.append(bracketedElementString(record.gs1));
    return data;
}

// The records a CSV file gives.
QList<ListRecord> csvRecords(const QString &path)
{
    CsvReader reader = CsvReader::fromFile(path);
    return importCsv(reader, std::nullopt, nullptr, DuplicateProducts::KeepAll).accepted;
}

const QByteArray batches = "Product;EAN;Batch;Expiry;(37) Antal\n"
                           "Ham;5012345678900;L1;271231;\n"
                           "Tea;4006381333931;;;12\n";

} // namespace

class TestForm1Csv : public QObject, public Form1Fixture {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString &name, const QByteArray &bytes)
    {
        if (!writeFileBytes(m_dir.filePath(name), bytes))
            qFatal("cannot write %s", qPrintable(name));
        return m_dir.filePath(name);
    }
    // Imports \a path through the real windows: the mapping window gets \a mapping, the report
    // \a report; returns the windows that showed.
    QStringList import(const QString &path, const std::function<void(QDialog *)> &mapping,
                       const std::function<void(QDialog *)> &report = {})
    {
        m_prompt->files.enqueue(path);
        WindowAnswers answers({{u"frmCsvMapping"_s, mapping}, {u"frmCsvReport"_s, report}});
        child<QAction>(u"mnuImport"_s)->trigger();
        return answers.shown;
    }

private slots:
    void init() { open(); }
    void cleanup() { close(); }

    void import_data()
    {
        QTest::addColumn<int>("barcodeColumn"); // 0: as preselected from the header
        QTest::addColumn<bool>("mappingOk");
        QTest::addColumn<bool>("reportOk");
        QTest::addColumn<QStringList>("windows");
        QTest::addColumn<QStringList>("expected");
        const QStringList both{u"frmCsvMapping"_s, u"frmCsvReport"_s};
        QTest::newRow("refused rows reported, the rest appended")
            << 0 << true << true << both << QStringList{u"400638133393"_s};
        QTest::newRow("cancel at the mapping")
            << 0 << false << true << QStringList{u"frmCsvMapping"_s} << QStringList{};
        QTest::newRow("cancel at the report") << 0 << true << false << both << QStringList{};
        QTest::newRow("another barcode column") << 3 << true << true << QStringList{u"frmCsvMapping"_s}
                                                << QStringList{u"590123412345"_s, u"501234567890"_s, u"400638133393"_s};
    }
    void import()
    {
        QFETCH(int, barcodeColumn);
        QFETCH(bool, mappingOk);
        QFETCH(bool, reportOk);
        QFETCH(QStringList, windows);
        QFETCH(QStringList, expected);
        QVERIFY(!child<QAction>(u"mnuExport"_s)->isEnabled());
        QString report;
        const QStringList shown = import(
            write(u"priced.csv"_s, priced),
            [&](QDialog *mapping) {
                auto *barcode = mapping->findChild<QComboBox *>(u"cboBarcode"_s);
                QCOMPARE(barcode->currentText(), u"Column 2"_s);
                if (barcodeColumn)
                    barcode->setCurrentIndex(barcode->findData(barcodeColumn - 1));
                press(mapping, mappingOk ? u"cmdOk"_s : u"cmdCancel"_s);
            },
            [&](QDialog *dialog) {
                report = dialog->findChild<QPlainTextEdit *>(u"txtReport"_s)->toPlainText();
                press(dialog, reportOk ? u"cmdOk"_s : u"cmdCancel"_s);
            });
        QCOMPARE(shown, windows);
        QCOMPARE(barcodes(*m_form), expected);
        if (shown.size() == 2) {
            QVERIFY2(report.contains(u"Line 3 (Pear,4006381333932,5012345678900): "_s), qPrintable(report));
            QVERIFY2(report.contains(u"Line 4 (Plum,12345,4006381333931): "_s), qPrintable(report));
        }
        QCOMPARE(child<QAction>(u"mnuExport"_s)->isEnabled(), !expected.isEmpty());
        QVERIFY(m_prompt->asked.isEmpty());
    }

    // A product that is already in the list is asked about once for the whole file; Cancel
    // imports nothing.
    void productsInTheList_data()
    {
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("Keep all") << PromptAnswer::Yes
                                  << QStringList{u"400638133393"_s, u"590123412345"_s, u"501234567890"_s,
                                                 u"123456789012"_s};
        QTest::newRow("Skip all") << PromptAnswer::No << QStringList{u"400638133393"_s, u"123456789012"_s};
        QTest::newRow("Cancel") << PromptAnswer::Cancel << QStringList{u"400638133393"_s};
    }
    void productsInTheList()
    {
        QFETCH(PromptAnswer, answer);
        QFETCH(QStringList, expected);
        const auto accept = [](QDialog *dialog) { press(dialog, u"cmdOk"_s); };
        import(write(u"first.csv"_s, "Produkt;Streckkod\nApple;400638133393\n"), accept);
        m_prompt->answers.enqueue(answer);
        import(write(u"second.csv"_s, "Produkt;Streckkod\napple;590123412345\nApple;501234567890\nFig;123456789012\n"),
               accept, accept);
        QCOMPARE(barcodes(*m_form), expected);
        QCOMPARE(m_prompt->texts(),
                 QStringList{u"2 rows of the file name a product that is already in the list or in an earlier row."_s});
        QCOMPARE(m_prompt->asked[0].buttonTexts, (QStringList{u"Keep all"_s, u"Skip all"_s, u"Cancel"_s}));
    }

    // What Export writes, Import reads back as the same records; a failed export says so and
    // keeps the old file.
    void exportThenImport()
    {
        const QByteArray mixed = "Product,Barcode,Supplement,Text,Type\n"
                                 "\"Tea, green\",400638133393,12,\"said \"\"hi\"\"\",EAN 13\n"
                                 "Book,91-7119-005-8,,,ISBN\n"
                                 "Part,ABC-123,,x,Code 39\n"
                                 "Can,03600029145,54321,,UPC A\n"
                                 "Nut,9638507,,,EAN 8\n";
        const auto accept = [](QDialog *dialog) { press(dialog, u"cmdOk"_s); };
        QCOMPARE(import(write(u"mixed.csv"_s, mixed), accept), QStringList{u"frmCsvMapping"_s});
        const QList<ListRecord> records = m_form->listRecords();
        QCOMPARE(records.size(), 5);

        const QString exported = m_dir.filePath(u"exported.csv"_s);
        m_prompt->files.enqueue(exported);
        child<QAction>(u"mnuExport"_s)->trigger();
        QVERIFY(m_prompt->asked.isEmpty());

        close();
        open();
        import(exported, accept);
        QCOMPARE(m_form->listRecords(), records);

        // A folder cannot be replaced by the file.
        m_prompt->files.enqueue(m_dir.path());
        child<QAction>(u"mnuExport"_s)->trigger();
        QCOMPARE(m_prompt->asked.size(), 1);
        QVERIFY2(m_prompt->asked[0].text.contains(m_dir.path()), qPrintable(m_prompt->asked[0].text));
        QVERIFY(QFileInfo(m_dir.path()).isDir());
    }

    // The GS1 columns the header names are imported, their refused rows reported; cleared, the file
    // imports as it would without them.
    void gs1Columns_data()
    {
        QTest::addColumn<bool>("gs1");
        QTest::addColumn<int>("textColumn"); // 0: none
        QTest::addColumn<QStringList>("windows");
        QTest::addColumn<QStringList>("expected"); ///< each record's GS1 data
        const QStringList both{u"frmCsvMapping"_s, u"frmCsvReport"_s};
        QTest::newRow("with GS1 data") << true << 0 << both << QStringList{u"(10)L1(17)271231"_s};
        QTest::newRow("the batch chosen as the text") << true << 3 << both << QStringList{u"(17)271231"_s};
        QTest::newRow("without") << false << 0 << QStringList{u"frmCsvMapping"_s} << QStringList{QString(), QString()};
    }
    void gs1Columns()
    {
        QFETCH(bool, gs1);
        QFETCH(int, textColumn);
        QFETCH(QStringList, windows);
        QFETCH(QStringList, expected);
        QString box, report;
        const QStringList shown = import(
            write(u"batches.csv"_s, batches),
            [&](QDialog *mapping) {
                auto *check = mapping->findChild<QCheckBox *>(u"chkGs1"_s);
                box = check->text();
                check->setChecked(gs1);
                auto *text = mapping->findChild<QComboBox *>(u"cboText"_s);
                text->setCurrentIndex(text->findData(textColumn - 1));
                press(mapping, u"cmdOk"_s);
            },
            [&](QDialog *dialog) {
                report = dialog->findChild<QPlainTextEdit *>(u"txtReport"_s)->toPlainText();
                press(dialog, u"cmdOk"_s);
            });
        QCOMPARE(box, u"&GS1 data from Column 3 (10) Batch, Column 4 (17) Expiry, Column 5 (37) Count"_s);
        QCOMPARE(shown, windows);
        QCOMPARE(gs1Of(m_form->listRecords()), expected);
        if (gs1)
            QVERIFY2(report.contains(u"Line 3 (Tea;4006381333931;;;12): (37) needs (02) or (8026) in the same data"_s),
                     qPrintable(report));
    }

    // Saving a list with GS1 data as QZ2 asks first: as CSV, which keeps it, as QZ2 without it,
    // or not at all.
    void qz2WithoutGs1_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<QString>("title");
        for (const auto &[command, title] :
             {std::pair(u"mnuSBAR"_s, u"Save List"_s), std::pair(u"mnuAs"_s, u"Save As"_s)}) {
            QTest::addRow("%s, Save as CSV", qPrintable(title)) << command << PromptAnswer::Yes << title;
            QTest::addRow("%s, Save as QZ2", qPrintable(title)) << command << PromptAnswer::No << title;
            QTest::addRow("%s, Cancel", qPrintable(title)) << command << PromptAnswer::Cancel << title;
        }
    }
    void qz2WithoutGs1()
    {
        QFETCH(QString, command);
        QFETCH(PromptAnswer, answer);
        QFETCH(QString, title);
        import(write(u"batch.csv"_s, "Product;EAN;Batch\nHam;5012345678900;L1\nTea;4006381333931;\n"),
               [](QDialog *dialog) { press(dialog, u"cmdOk"_s);
    });
    const QList<ListRecord> records = m_form->listRecords();
    QCOMPARE(gs1Of(records), (QStringList{u"(10)L1"_s, QString()}));
    const QString qz2 = m_dir.filePath(u"list.qz2"_s), csv = m_dir.filePath(u"list.csv"_s);
    QFile::remove(qz2);
    QFile::remove(csv);

    m_prompt->files.enqueue(qz2);
    m_prompt->files.enqueue(csv);
    m_prompt->answers.enqueue(answer);
    child<QAction>(command)->trigger();
    checkAsked(*m_prompt,
               u"The list holds GS1 data (batch, expiry, serial...), which QZ2 list files do not keep. A CSV file "
               u"keeps it."_s,
               title, PromptIcon::Exclamation, PromptButtons::YesNoCancel);
    QCOMPARE(m_prompt->asked.value(0).buttonTexts, (QStringList{u"Save as CSV"_s, u"Save as QZ2"_s, u"Cancel"_s}));
    QCOMPARE(QFileInfo::exists(qz2), answer == PromptAnswer::No);
    QCOMPARE(QFileInfo::exists(csv), answer == PromptAnswer::Yes);
    if (answer == PromptAnswer::No) {
        QList<ListRecord> plain = records;
        for (ListRecord &record : plain)
            record.gs1.clear();
        QCOMPARE(readListFile(qz2).records, plain);
    }
    if (answer == PromptAnswer::Yes) {
        QCOMPARE(m_prompt->fileRequests.last().directory, csv);
        QCOMPARE(csvRecords(csv), records);
    }
    QCOMPARE(m_form->list().listFileName(), answer == PromptAnswer::No ? qz2 : QString());
}

    // A sequence is added whole; one past the last item reference, or one whose numbers are
    // already in the list (the same sequence made twice), is refused with a message.
    void numberSequence_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("times");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("message");
    const QStringList made{u"400638133393"_s, u"400638133394"_s, u"400638133395"_s};
    QTest::newRow("EAN-13") << u"4006381"_s << u"33393"_s << 3 << 1 << made << QString();
    QTest::newRow("past the last item reference")
        << u"40063813339"_s << u"9"_s << 10 << 1 << QStringList{}
        << u"10 numbers were asked, but only 1 is left: company prefix 40063813339 ends at item reference 9."_s;
    QTest::newRow("already in the list") << u"4006381"_s << u"33393"_s << 3 << 2 << made
                                         << u"3 of the 3 numbers are already in the list: nothing was added."_s;
}
void numberSequence()
{
    QFETCH(QString, prefix);
    QFETCH(QString, first);
    QFETCH(int, count);
    QFETCH(int, times);
    QFETCH(QStringList, expected);
    QFETCH(QString, message);
    for (int i = 0; i < times; ++i) {
        WindowAnswers answers({{u"frmSequence"_s, [&](QDialog *dialog) {
                                    dialog->findChild<QLineEdit *>(u"txtPrefix"_s)->setText(prefix);
                                    dialog->findChild<QLineEdit *>(u"txtFirstItem"_s)->setText(first);
                                    dialog->findChild<QSpinBox *>(u"txtCount"_s)->setValue(count);
                                    press(dialog, u"cmdOk"_s); // a refused sequence leaves it open
                                }}});
        child<QAction>(u"mnuSequence"_s)->trigger();
        QCOMPARE(answers.shown, QStringList{u"frmSequence"_s});
    }
    QCOMPARE(barcodes(*m_form), expected);
    QCOMPARE(m_prompt->texts(), message.isEmpty() ? QStringList{} : QStringList{message});
    if (!expected.isEmpty())
        QCOMPARE(m_form->list().record(1).product, u"Item 1"_s);
}
}
;

QTEST_MAIN(TestForm1Csv)
#include "tst_form1_csv.moc"
