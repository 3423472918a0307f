// The GS1 Data window and the 2D symbol on the main window's label: the live verdict of the data,
// what OK takes or refuses, the status bar's read-back, and every Save As format read back with
// the tools a user would open it with.
#include "form1_driver.h"
#include "gs1/digital_link.h"
#include "gs1/element_string.h"
#include "mainwindow/label_panel.h"
#include "rendered_file.h"
#include "verify/symbol_reader.h"

#include <QComboBox>
#include <QTableWidget>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

// The rows "AI=value" typed into the window's table, the carrier chosen (1 GS1 DataMatrix, 2 QR
// Code with a Digital Link, 3 Data Matrix with a Digital Link) and the first serial.
void fillGs1Window(QDialog *window, int carrier, const QStringList &rows, const QString &serialFrom = {})
{
    found<QComboBox>(*window, u"cboCarrier"_s)->setCurrentIndex(carrier);
    auto *common = found<QComboBox>(*window, u"cboAddAi"_s);
    auto *table = found<QTableWidget>(*window, u"grdElements"_s);
    for (const QString &row : rows) {
        common->setCurrentIndex(common->count() - 1); // "Another AI"
        found<QPushButton>(*window, u"cmdAddRow"_s)->click();
        const int last = table->rowCount() - 1;
        table->item(last, 0)->setText(row.section(u'=', 0, 0));
        table->item(last, 1)->setText(row.section(u'=', 1));
    }
    found<QLineEdit>(*window, u"txtSerialFrom"_s)->setText(serialFrom);
}

QString verdictOf(const QDialog *window)
{
    return found<QLabel>(*window, u"lblVerdict"_s)->text();
}

} // namespace

class TestGs1DataWindow : public QObject, public Form1Fixture {
    Q_OBJECT

    QTemporaryDir m_dir;

    // Opens Edit, GS1 Data and lets \a answer work in it while it is open.
    void inGs1Window(const std::function<void(QDialog *)> &answer)
    {
        WindowAnswers answers({{u"frmGs1Data"_s, answer}});
        child<QAction>(u"mnuGs1Data"_s)->trigger();
        QCOMPARE(answers.shown, QStringList{u"frmGs1Data"_s});
    }

private slots:
    void init() { open(); }
    void cleanup() { close(); }

    void verdictFollowsTheData_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("serialFrom");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<QString>("elementString");
        QTest::newRow("batch and expiry")
            << QStringList{u"10=ABC123"_s, u"17=271231"_s} << QString() << u"✓ The data passes every GS1 check."_s
            << u"(01)05012345678900(10)ABC123(17)271231"_s;
        QTest::newRow("a name for the AI") << QStringList{u"Batch=L1"_s} << QString()
                                           << u"✓ The data passes every GS1 check."_s << u"(01)05012345678900(10)L1"_s;
        QTest::newRow("no such month") << QStringList{u"17=271331"_s} << QString() << u"⚠ (17) 271331: 13 is no month"_s
                                       << QString();
        QTest::newRow("serials from 7") << QStringList{u"10=A"_s} << u"7"_s << u"✓ The data passes every GS1 check."_s
                                        << u"(01)05012345678900(10)A(21)7"_s;
        QTest::newRow("a GTIN of its own beside the code's")
            << QStringList{u"02=05012345678900"_s} << QString() << u"⚠ (02) needs (00) in the same data"_s << QString();
        QTest::newRow("a measure without its decimals")
            << QStringList{u"Net weight=0.75"_s} << QString()
            << u"⚠ (310n): give the AI with its number of decimals, such as 3103 for 3 decimals"_s << QString();
    }
    // Each change of the rows shows the verdict, the element string and the URI at once.
    void verdictFollowsTheData()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, serialFrom);
        QFETCH(QString, verdict);
        QFETCH(QString, elementString);
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        inGs1Window([&](QDialog *window) {
            fillGs1Window(window, 1, rows, serialFrom);
            QCOMPARE(verdictOf(window), verdict);
            QCOMPARE(found<QLineEdit>(*window, u"txtElementString"_s)->text(), elementString);
            if (!elementString.isEmpty())
                QCOMPARE(found<QLineEdit>(*window, u"txtDigitalLink"_s)->text(),
                         buildDigitalLink(parseGs1(elementString).elements).uri);
        });
    }

    // OK keeps the window open on refused data and says why; the label stays as it was.
    void okRefusesWhatFails()
    {
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        const QImage before = m_form->label().currentLabel().image;
        inGs1Window([&](QDialog *window) {
            fillGs1Window(window, 1, {u"21=1"_s, u"235=X"_s});
            found<QPushButton>(*window, u"cmdOk"_s)->click();
            QVERIFY(window->isVisible());
        });
        QCOMPARE(m_prompt->texts(), QStringList{u"(21) and (235) cannot be in the same data"_s});
        QCOMPARE(m_form->label().currentLabel().image, before);
    }

    void savedLabelsScan_data()
    {
        QTest::addColumn<int>("carrier");
        QTest::addColumn<QString>("file");
        for (int carrier = 1; carrier <= 3; ++carrier)
            for (const char *file : {"label.bmp", "label.tif", "label.svg", "label.pdf", "label.eps"})
                QTest::addRow("%d %s", carrier, file) << carrier << QString::fromLatin1(file);
    }
    // The dual label of the window, saved in every format: both symbols read back from the file,
    // the 2D one as exactly the data asked for; the status bar names the data.
    void savedLabelsScan()
    {
        QFETCH(int, carrier);
        QFETCH(QString, file);
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        inGs1Window([carrier](QDialog *window) {
            fillGs1Window(window, carrier, {u"10=LOT+7"_s, u"17=271231"_s});
            found<QPushButton>(*window, u"cmdOk"_s)->click();
        });
        const QString asked = u"(01)05012345678900(10)LOT+7(17)271231"_s;
        const QString uri = u"https://id.gs1.org/01/05012345678900/10/LOT%2B7?17=271231"_s;
        auto *verify = child<QLabel>(u"lblVerify"_s);
        QTRY_VERIFY_WITH_TIMEOUT(verify->text().startsWith(u"✓"_s), 10000);
        QCOMPARE(verify->text(), carrier == 1
                                     ? u"✓ Scans as GS1 DataMatrix "_s + asked
                                     : u"✓ Scans as "_s + (carrier == 2 ? u"QR Code "_s : u"Data Matrix "_s) + uri);

        const QString folder = m_dir.filePath(QString::number(carrier) + file);
        QVERIFY(QDir().mkpath(folder));
        saveAs(QDir(folder).filePath(file));
        QCOMPARE(m_prompt->texts(), QStringList());
        // The TIFF export names its files after the product, the barcode and the copy.
        const QStringList written = QDir(folder).entryList(QDir::Files);
        QCOMPARE(written.size(), 1);
        const QString path = QDir(folder).filePath(written.constFirst());
        const auto [picture, dpi] = renderedFile(path);
        QVERIFY2(!picture.isNull(), qPrintable(path));
        const std::optional<MatrixReading> reading = readMatrixSymbol(picture);
        QVERIFY2(reading, qPrintable(path));
        if (carrier == 1)
            QCOMPARE(bracketedElementString(parseGs1(reading->symbologyIdentifier + reading->content).elements), asked);
        else
            QCOMPARE(reading->content, uri);
        QVERIFY(decodedText(picture).split(u'|').contains(u"5012345678900"_s));
    }

    void copiesCarryTheirSerials_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("bitmaps") << u"serials.bmp"_s;
        QTest::newRow("TIFF files") << u"serials.tif"_s;
    }
    // Copies of the label each get their own serial, in order, read back from each file; the
    // window's label is the first label again afterwards.
    void copiesCarryTheirSerials()
    {
        QFETCH(QString, file);
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        inGs1Window([](QDialog *window) {
            fillGs1Window(window, 1, {u"10=A"_s}, u"41"_s);
            found<QPushButton>(*window, u"cmdOk"_s)->click();
        });
        const QImage first = m_form->label().currentLabel().image;
        m_form->tiffWindow();
        found<QLineEdit>(*found<QDialog>(*m_form, u"frmTiff"_s), u"txtCopies"_s)->setText(u"3"_s);
        child<QLineEdit>(u"txtCopies"_s)->setText(u"3"_s);
        saveAs(m_dir.filePath(file));
        QCOMPARE(m_prompt->texts(), QStringList());
        const QString suffix = u"*."_s + file.section(u'.', -1);
        const QStringList files = QDir(m_dir.path()).entryList({suffix}, QDir::Files, QDir::Name);
        QCOMPARE(files.size(), 3);
        QStringList serials;
        for (const QString &name : files) {
            const std::optional<MatrixReading> reading = readMatrixSymbol(renderedFile(m_dir.filePath(name)).first);
            QVERIFY2(reading, qPrintable(name));
            const Gs1Data read = parseGs1(reading->symbologyIdentifier + reading->content);
            for (const Gs1Element &element : read.elements)
                if (element.ai == u"21"_s)
                    serials.append(element.value);
        }
        QCOMPARE(serials, (QStringList{u"41"_s, u"42"_s, u"43"_s}));
        QCOMPARE(m_form->label().currentLabel().image, first);
    }

    // A list record's own batch (from a CSV file) goes onto its label over the job's, while the
    // entry shows that record.
    void aRecordsOwnDataGoesOntoItsLabel()
    {
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        inGs1Window([](QDialog *window) {
            fillGs1Window(window, 1, {u"10=JOB"_s});
            found<QPushButton>(*window, u"cmdOk"_s)->click();
        });
        ListRecord record{u"Ham"_s, u"400638133393"_s, {}, {}, u"E130"_s, {{u"10"_s, u"REC7"_s}}};
        m_form->list().showRecord(record);
        auto *verify = child<QLabel>(u"lblVerify"_s);
        QTRY_COMPARE_WITH_TIMEOUT(verify->text(), u"✓ Scans as GS1 DataMatrix (01)04006381333931(10)REC7"_s, 10000);
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        QTRY_COMPARE_WITH_TIMEOUT(verify->text(), u"✓ Scans as GS1 DataMatrix (01)05012345678900(10)JOB"_s, 10000);
    }

    // None takes the 2D symbol off again: the label is the linear one it was.
    void noneGivesTheLinearLabelBack()
    {
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        const QImage linear = m_form->label().currentLabel().image;
        inGs1Window([](QDialog *window) {
            fillGs1Window(window, 1, {u"10=A"_s});
            found<QPushButton>(*window, u"cmdOk"_s)->click();
        });
        QVERIFY(m_form->label().currentLabel().image.width() > linear.width());
        inGs1Window([](QDialog *window) {
            found<QComboBox>(*window, u"cboCarrier"_s)->setCurrentIndex(0);
            found<QPushButton>(*window, u"cmdOk"_s)->click();
        });
        QCOMPARE(m_form->label().currentLabel().image, linear);
    }
};

QTEST_MAIN(TestGs1DataWindow)
#include "tst_gs1_data_window.moc"
