// Label sheets as a user checks them: the PDF rendered at 600 dpi and cut into the template's
// cells, every label scanned, the empty cells and the label centres measured; the bars read back
// from the PDF's own drawing. Labels with a 2D symbol: it decodes with ZXing-C++ to exactly the
// data asked for, with its module and quiet zone measured, and every label gets its own serial. The sheet settings as
// they are kept (printer calibrations, the user's own templates, the last choices), read back from stored texts,
// hostile ones included; and the calibration page as a user prints it, its crosshairs found where the labels' centres
// go.
#include "sheet/label_template.h"
#include "base/units.h"
#include "gs1/digital_link.h"
#include "matrix_checks.h"
#include "settings/settings_store.h"
#include "sheet/calibration_page.h"
#include "sheet/sheet_printer.h"
#include "sheet/sheet_settings.h"
#include "test_helpers.h"
#include "zbar_decode.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

const QString kCalibrationPrinter = u"Office"_s;

LabelTemplate builtIn(const QString &name)
{
    return *findTemplate(builtInTemplates(), name);
}

QList<ListRecord> numbered(int count)
{
    QList<ListRecord> records;
    for (int i = 0; i < count; ++i)
        records.append({u"Item %1"_s.arg(i + 1), u"4006381%1"_s.arg(33393 + i, 5, 10, QChar(u'0')), {}, {}, u"E130"_s});
    return records;
}

SheetJob job(const QString &sheet, int dpi = 600)
{
    SheetJob made;
    made.sheet = builtIn(sheet);
    made.printerDpi = dpi;
    return made;
}

SheetOutcome writePdf(const QString &path, const QList<ListRecord> &records, const SheetJob &sheetJob)
{
    QPdfWriter writer(path);
    writer.setResolution(sheetJob.printerDpi);
    return paintSheets(writer, records, sheetJob);
}

// The pages of \a pdf as grey images at \a dpi, as pdftoppm renders them.
QList<QImage> render(const QString &pdf, int dpi)
{
    const QString prefix = pdf + u"-page"_s;
    QProcess::execute(u"pdftoppm"_s, {u"-r"_s, QString::number(dpi), u"-gray"_s, pdf, prefix});
    QList<QImage> pages;
    QDir folder = QFileInfo(pdf).dir();
    for (const QString &name : folder.entryList({QFileInfo(prefix).fileName() + u"*.pgm"_s}, QDir::Files, QDir::Name))
        pages << QImage(folder.filePath(name)).convertToFormat(QImage::Format_Grayscale8);
    return pages;
}

QRect pixels(const QRectF &millimetres, int dpi)
{
    const double scale = dpi / kMillimetresPerInch;
    return QRectF(millimetres.topLeft() * scale, millimetres.size() * scale).toAlignedRect();
}

// The filled black rectangles of every page of \a pdf, in points from the page's corner, read
// from its content streams.
QList<QRectF> pdfBars(const QString &pdf)
{
    static const QRegularExpression matrix(u"([-\\d.]+) 0 0 ([-\\d.]+) [-\\d.]+ [-\\d.]+ cm"_s);
    static const QRegularExpression bar(
        u"0 0 0 scn\\s+/\\w+ gs\\s+([-\\d.]+) ([-\\d.]+) ([-\\d.]+) ([-\\d.]+) re\\s+f"_s);
    QList<QRectF> bars;
    for (const QByteArray &stream : inflatedPdfStreams(fileBytes(pdf))) {
        const QString text = QString::fromLatin1(stream);
        const QRegularExpressionMatch scale = matrix.match(text);
        if (!scale.hasMatch())
            continue;
        const double sx = scale.captured(1).toDouble();
        for (const QRegularExpressionMatch &found : bar.globalMatch(text))
            bars << QRectF(found.captured(1).toDouble() * sx, found.captured(2).toDouble() * sx,
                           found.captured(3).toDouble() * sx, found.captured(4).toDouble() * sx);
    }
    return bars;
}

QStringList names(const QList<LabelTemplate> &templates)
{
    QStringList list;
    for (const LabelTemplate &sheet : templates)
        list << sheet.name;
    return list;
}

// One template entry as the user's templates are stored, with \a fields replacing the defaults.
QString entry(const QString &name, const QString &fields = {})
{
    return uR"({"name":"%1","page":"A4","label":[70,37],"grid":[3,8],"margin":[0,0.5],"pitch":[70,37]%2})"_s.arg(
        name, fields);
}

// The centre of the crosshair near \a expected (pixels) in \a page: the middle of the columns
// and of the rows that are dark across most of a window of 8 mm around it; (-1, -1) when
// there is none.
QPointF crosshairCentre(const QImage &page, QPointF expected, int dpi)
{
    const int half = int(4 / kMillimetresPerInch * dpi);
    const QRect window =
        QRect(expected.toPoint() - QPoint(half, half), QSize(2 * half + 1, 2 * half + 1)).intersected(page.rect());
    QList<int> columns(window.width()), rows(window.height());
    for (int y = window.top(); y <= window.bottom(); ++y) {
        const uchar *line = page.constScanLine(y);
        for (int x = window.left(); x <= window.right(); ++x)
            if (line[x] < 128) {
                ++columns[x - window.left()];
                ++rows[y - window.top()];
            }
    }
    const auto middle = [](const QList<int> &counts, int length, int first) {
        double sum = 0;
        int found = 0;
        for (int i = 0; i < counts.size(); ++i)
            if (counts[i] > length * 6 / 10) {
                sum += i;
                ++found;
            }
        return found ? first + sum / found + 0.5 : -1.0;
    };
    return {middle(columns, window.height(), window.left()), middle(rows, window.width(), window.top())};
}

const ListRecord kSoap{u"Soap"_s, u"5012345678900"_s, {}, {}, u"E130"_s, {}};

// A job's 2D symbol on a sheet.
struct MatrixRow {
    const char *name;
    MatrixCarrier carrier;
    bool dual;
    double moduleMm;
    QString read; ///< what the symbol gives: the element string, or the Digital Link URI
};

// A record whose 2D label is left out.
struct RefusalRow {
    const char *name;
    ListRecord record;
    QString sheet;
    MatrixCarrier carrier;
    bool dual;
    QList<Gs1Element> elements;
    QString refusal;
};

// What the 2D symbol of \a reading holds: GS1 data as its element string, anything else as read.
QString matrixData(const MatrixReading &reading)
{
    if (reading.symbologyIdentifier == u"]d2"_s)
        return bracketedElementString(parseGs1(reading.symbologyIdentifier + reading.content).elements);
    return reading.content;
}

} // namespace

Q_DECLARE_METATYPE(MatrixRow)
Q_DECLARE_METATYPE(RefusalRow)

class TestLabelSheet : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // A page at 600 dpi is larger than Qt reads by default.
    void initTestCase() { QImageReader::setAllocationLimit(0); }

    void catalogue()
    {
        const QList<LabelTemplate> templates = builtInTemplates();
        QVERIFY(templates.size() >= 20);
        for (const LabelTemplate &sheet : templates)
            QVERIFY2(!sheet.source.isEmpty() && !sheet.products.isEmpty(), qPrintable(sheet.name));
        QCOMPARE(findTemplate(templates, u"l7160"_s)->name, u"A4 3x7 63.5 x 38.1 mm"_s);
        QCOMPARE(findTemplate(templates, u"Avery 5160"_s)->labelsPerSheet(), 30);
        QVERIFY(!findTemplate(templates, u"7160"_s));
    }

    // A template on A4 with 8 rows of 37 mm, its label width, pitch and columns, and the problem
    // named (none when sound, ending on the page edge).
    void unsoundTemplates()
    {
        for (const auto &[labelWidth, pitch, columns, problem] :
             {std::tuple(70.0, 70.0, 3, QString()),
              std::tuple(70.0, 69.0, 3, u"The labels of T overlap: the pitch is smaller than the label."_s),
              std::tuple(70.0, 70.1, 3, u"The labels of T run off the page."_s),
              std::tuple(qQNaN(), 70.0, 3, u"The labels of T have no size."_s),
              std::tuple(70.0, 70.0, 0, u"T has 0 x 8 labels; a sheet has 1 to 1000."_s)}) {
            LabelTemplate sheet{u"T"_s, QPageSize::A4, {labelWidth, 37}, columns, 8, {0, 0.5}, {pitch, 37}, 0, {}, {}};
            QCOMPARE(templateProblem(sheet), problem);
        }
    }

    // Fifty records, two copies each, starting at the fifth label: every label scans to its
    // record in order, the first four cells stay empty, and each label sits in its cell's centre.
    void sheetsScanInOrder()
    {
        // A4 3x7, A4 5x13 and Letter 3x10.
        for (const QString &sheet : {u"L7160"_s, u"L7651"_s, u"Avery 5160"_s}) {
            const QList<ListRecord> records = numbered(50);
            SheetJob sheetJob = job(sheet);
            sheetJob.startAt = 5;
            sheetJob.copies = 2;
            // The symbol's box and the product line's strip show where each label is: across,
            // the box is the label's width, and its top is the label's.
            sheetJob.appearance.barcodeBackColor = sheetJob.appearance.textBackColor = QColor(230, 230, 230);
            const double labelHeight =
                fitSheetLabel(records.first(), sheetJob).size.height() * 600 / kMillimetresPerInch;
            const QString pdf = m_dir.filePath(sheet + u".pdf"_s);
            const SheetOutcome outcome = writePdf(pdf, records, sheetJob);
            QCOMPARE(outcome.refused, QStringList());
            QCOMPARE(outcome.labels, 100);
            const QList<QImage> pages = render(pdf, 600);
            const int perSheet = sheetJob.sheet.labelsPerSheet();
            QCOMPARE(pages.size(), (4 + 100 + perSheet - 1) / perSheet);
            for (int cell = 0; cell < 104; ++cell) {
                const QImage page = pages.at(cell / perSheet);
                const QRect area = pixels(sheetJob.sheet.cellRect(cell % perSheet), 600);
                const QImage label = page.copy(area);
                const QRect ink = inkBox(label, {}, 250);
                if (cell < 4) {
                    // Labels may abut: the pixels on the edge between two cells are left to the neighbour.
                    QVERIFY2(inkBox(page, area.adjusted(2, 2, -2, -2), 250).isEmpty(),
                             qPrintable(u"cell %1 is not empty"_s.arg(cell + 1)));
                    continue;
                }
                const QString barcode = records.at((cell - 4) / 2).barcode;
                const QString decoded = decodedText(label);
                QVERIFY2(decoded.startsWith(barcode) && decoded.size() == 13,
                         qPrintable(u"cell %1 reads \"%2\", not %3"_s.arg(cell + 1).arg(decoded, barcode)));
                const QPointF offset(QRectF(ink).center().x() - area.width() / 2.0,
                                     ink.top() - (area.height() - labelHeight) / 2);
                QVERIFY2(std::hypot(offset.x(), offset.y()) <= 0.2 * 600 / kMillimetresPerInch,
                         qPrintable(u"label %1 lies %2, %3 px off its cell's centre"_s.arg(cell + 1)
                                        .arg(offset.x())
                                        .arg(offset.y())));
            }
        }
    }

    // A plan takes another start, copies or calibration without fitting its labels again, but
    // not labels of another size or a job that is not sound.
    void placeMovesFittedLabels()
    {
        SheetPlan plan(numbered(50), job(u"L7160"_s));
        QCOMPARE(plan.pages(), 3);
        SheetJob moved = job(u"L7160"_s);
        moved.startAt = 5;
        moved.copies = 2;
        QVERIFY(plan.place(moved));
        QCOMPARE((QList<qint64>{plan.labels(), plan.pages()}), (QList<qint64>{100, 5}));
        SheetJob beyond = moved;
        beyond.startAt = 22;
        QVERIFY(!plan.place(beyond));
        QVERIFY(!plan.place(job(u"L7651"_s)));
        QCOMPARE(plan.job().startAt, 5);
    }

    // The bars in the PDF are rectangles a whole number of printer dots wide, at least the
    // smallest narrow bar of EAN-13 (0.264 mm).
    void barsAreWholeDots()
    {
        for (const int dpi : {300, 600}) {
            const QString pdf = m_dir.filePath(u"dots%1.pdf"_s.arg(dpi));
            QCOMPARE(writePdf(pdf, numbered(3), job(u"L7160"_s, dpi)).labels, 3);
            const QList<QRectF> bars = pdfBars(pdf);
            QVERIFY(bars.size() >= 3 * 30);
            double narrowest = 1e9;
            for (const QRectF &bar : bars) {
                const double dots = bar.width() * dpi / 72.0;
                QVERIFY2(std::abs(dots - std::round(dots)) < 1e-3, qPrintable(QString::number(dots)));
                narrowest = std::min(narrowest, bar.width() / 72.0 * kMillimetresPerInch);
            }
            QVERIFY2(narrowest >= 0.264, qPrintable(QString::number(narrowest)));
        }
    }

    // A calibration offset moves every label by that much on paper.
    void calibrationMovesEveryLabel()
    {
        SheetJob plain = job(u"L7160"_s, 300);
        SheetJob shifted = plain;
        shifted.calibration = {2.0, -1.5, 100};
        const QString before = m_dir.filePath(u"plain.pdf"_s);
        const QString after = m_dir.filePath(u"shifted.pdf"_s);
        QCOMPARE(writePdf(before, numbered(21), plain).labels, 21);
        QCOMPARE(writePdf(after, numbered(21), shifted).labels, 21);
        const QImage original = render(before, 300).value(0);
        const QImage moved = render(after, 300).value(0);
        // Each label is found again in its cell moved by the offset, as it was.
        const QPoint offset = (QPointF(2.0, -1.5) * 300 / kMillimetresPerInch).toPoint();
        for (int cell = 0; cell < 21; ++cell) {
            const QRect area = pixels(plain.sheet.cellRect(cell), 300);
            const QRect was = inkBox(original.copy(area), {}, 250);
            const QRect is = inkBox(moved.copy(area.translated(offset)), {}, 250);
            QVERIFY2(!was.isEmpty() && std::abs(is.left() - was.left()) <= 1 && std::abs(is.top() - was.top()) <= 1 &&
                         std::abs(is.right() - was.right()) <= 1 && std::abs(is.bottom() - was.bottom()) <= 1,
                     qPrintable(u"label %1 was at %2, %3 and is at %4, %5"_s.arg(cell + 1)
                                    .arg(was.left())
                                    .arg(was.top())
                                    .arg(is.left())
                                    .arg(is.top())));
        }
    }

    // A label that cannot fit the cell at the smallest narrow bar its type allows, in whole
    // dots, is left out with a sentence naming its record; the others take the cells in order.
    void tooLargeLabelIsLeftOut()
    {
        const QString small = u"38.1 x 21.2 mm label with bars of at least 0.264 mm."_s;
        for (const auto &[record, sheet, dpi, refusal] :
             {// an ISBN with add-on on 38.1 mm
              std::tuple(ListRecord{u"Novel"_s, u"1-57169-006-9"_s, u"51234"_s, {}, u"ISB5"_s}, u"L7651"_s, 600,
                         u"Novel (1-57169-006-9 51234) is left out: its label does not fit a "_s + small),
              // EAN-13 at 300 dpi on 38.1 mm: 3 dots too narrow, 4 too wide
              std::tuple(ListRecord{{}, u"501234567890"_s, {}, {}, u"E130"_s}, u"L7651"_s, 300,
                         u"501234567890 is left out: its label does not fit a "_s + small),
              // EAN-8 on 12.7 mm fits
              std::tuple(ListRecord{u"Mints"_s, u"9638507"_s, {}, {}, u"E80 "_s}, u"Avery 5167"_s, 600, QString()),
              // Code 39 of 30 characters on 12.7 mm
              std::tuple(ListRecord{{}, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ1234"_s, {}, {}, u"Co39"_s}, u"Avery 5167"_s, 600,
                         u"ABCDEFGHIJKLMNOPQRSTUVWXYZ1234 is left out: its label does not fit a 44.45 x 12.7 mm "
                         u"label with bars of at least 0.190 mm."_s)}) {
            const QList<ListRecord> records{
                {u"A"_s, u"9638507"_s, {}, {}, u"E80 "_s}, record, {u"B"_s, u"4006381"_s, {}, {}, u"E80 "_s}};
            const SheetJob sheetJob = job(sheet, dpi);
            const QString pdf = m_dir.filePath(u"large.pdf"_s);
            const SheetOutcome outcome = writePdf(pdf, records, sheetJob);
            QCOMPARE(outcome.refused, refusal.isEmpty() ? QStringList() : QStringList{refusal});
            const QImage page = render(pdf, 600).value(0);
            QStringList read;
            for (int cell = 0; cell < 3; ++cell)
                read << decodedText(page.copy(pixels(sheetJob.sheet.cellRect(cell), 600)));
            const QString middle = refusal.isEmpty() ? read[1] : records[2].barcode;
            QCOMPARE(read[0].left(7), records[0].barcode);
            QCOMPARE(read[1].left(middle.size()), middle);
            QCOMPARE(read[2].isEmpty(), refusal.isEmpty() ? false : true);
        }
    }

    void matrixLabelsScan_data()
    {
        const QString uri = u"https://id.gs1.org/01/05012345678900/10/AB%2F12%2B3?17=271231"_s;
        addRows<MatrixRow>({
            {"GS1 DataMatrix", MatrixCarrier::Gs1DataMatrix, true, 0.495, u"(01)05012345678900(17)271231(10)AB/12+3"_s},
            {"Digital Link QR Code", MatrixCarrier::DigitalLinkQr, true, 0.42, uri},
            {"Digital Link Data Matrix", MatrixCarrier::DigitalLinkDataMatrix, true, 0.66, uri},
            {"GS1 DataMatrix alone", MatrixCarrier::Gs1DataMatrix, false, 0.99,
             u"(01)05012345678900(17)271231(10)AB/12+3"_s},
        });
    }

    // A record's label with a 2D symbol in a cell of a PDF read at 600 dpi: the symbol gives the
    // job's data with the record's own batch over the job's, its module is the size asked for
    // within half a printer dot, its quiet zone is whole, and the linear symbol scans beside it.
    void matrixLabelsScan()
    {
        QFETCH(MatrixRow, row);
        SheetJob sheetJob = job(u"L7160"_s);
        sheetJob.gs1.carrier = row.carrier;
        sheetJob.gs1.dual = row.dual;
        sheetJob.gs1.moduleMm = row.moduleMm;
        sheetJob.gs1.elements = {{u"17"_s, u"271231"_s}, {u"10"_s, u"JOB1"_s}};
        ListRecord soap = kSoap;
        soap.gs1 = {{u"10"_s, u"AB/12+3"_s}};
        const QString pdf = m_dir.filePath(QString::fromLatin1(row.name) + u".pdf"_s);
        const SheetOutcome outcome = writePdf(pdf, {soap}, sheetJob);
        QCOMPARE(outcome.refused, QStringList());
        QCOMPARE(outcome.labels, 1);
        const QImage page = render(pdf, 600).value(0);
        const QRect cell = pixels(sheetJob.sheet.cellRect(0), 600);
        const QImage label = page.copy(cell);

        const std::optional<MatrixReading> reading = readMatrixSymbol(label);
        QVERIFY(reading);
        QCOMPARE(matrixData(*reading), row.read);
        const double module = Test::matrixModulePixels(label, *reading);
        const double moduleMm = module * kMillimetresPerInch / 600;
        QVERIFY2(moduleMm >= kMatrixModuleMinMm && moduleMm <= kMatrixModuleMaxMm &&
                     std::abs(moduleMm - row.moduleMm) <= 0.6 * kMillimetresPerInch / 600,
                 qPrintable(QString::number(moduleMm)));
        const int quiet = int(std::floor(quietZoneModules(row.carrier) * module)) - 1;
        QVERIFY(Test::quietZoneWhole(page, reading->box.translated(cell.topLeft()), quiet));
        QCOMPARE(decodedText(label).split(u'|').contains(u"5012345678900"_s), row.dual);
    }

    // A thousand labels, two records of 500 copies on sheets of 65 with a record left out between
    // them, carry the serials 1 to 1000 in the order they are printed, each with its record's GTIN.
    void serialsInOrder()
    {
        const QList<ListRecord> records{
            {u"Tea"_s, u"4006381333931"_s, {}, {}, u"E130"_s, {}}, {u"Bad"_s, u"12"_s, {}, {}, u"E130"_s, {}}, kSoap};
        SheetJob sheetJob = job(u"L7651"_s, 300);
        sheetJob.copies = 500;
        sheetJob.gs1.carrier = MatrixCarrier::Gs1DataMatrix;
        sheetJob.gs1.dual = false;
        sheetJob.gs1.serialFrom = 1;
        const QString pdf = m_dir.filePath(u"serials.pdf"_s);
        const SheetOutcome outcome = writePdf(pdf, records, sheetJob);
        QCOMPARE(outcome.refused, QStringList{u"Bad (12) is left out: it makes no barcode."_s});
        QCOMPARE(outcome.labels, 1000);
        const QList<QImage> pages = render(pdf, 300);
        QCOMPARE(pages.size(), 16);
        for (int label = 0; label < 1000; ++label) {
            const QImage cell = pages.at(label / 65).copy(pixels(sheetJob.sheet.cellRect(label % 65), 300));
            const std::optional<MatrixReading> reading = readMatrixSymbol(cell);
            const QString expected =
                u"(01)0%1(21)%2"_s.arg(label < 500 ? u"4006381333931"_s : u"5012345678900"_s).arg(label + 1);
            QCOMPARE(reading ? matrixData(*reading) : QString(), expected);
        }
    }

    void matrixLabelsLeftOut_data()
    {
        const ListRecord code39{u"Long"_s, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ12"_s, {}, {}, u"Co39"_s, {}};
        ListRecord badDate = kSoap;
        badDate.gs1 = {{u"17"_s, u"271399"_s}};
        addRows<RefusalRow>({
            {"its own data refused",
             badDate,
             u"L7160"_s,
             MatrixCarrier::Gs1DataMatrix,
             true,
             {},
             u"Soap (5012345678900) is left out: (17) 271399: 13 is no month"_s},
            {"no data",
             code39,
             u"L7160"_s,
             MatrixCarrier::DigitalLinkQr,
             false,
             {},
             u"Long (ABCDEFGHIJKLMNOPQRSTUVWXYZ12) is left out: The 2D symbol has no data: give a GTIN or the "
             u"data's application identifiers."_s},
            {"2D symbol higher than the cell",
             kSoap,
             u"Avery 5167"_s,
             MatrixCarrier::DigitalLinkQr,
             false,
             {},
             u"Soap (5012345678900) is left out: its 2D symbol, 16.8 x 16.8 mm with its quiet zone, does not fit "
             u"a 44.45 x 12.7 mm label."_s},
            {"no room beside it",
             kSoap,
             u"L7651"_s,
             MatrixCarrier::Gs1DataMatrix,
             true,
             {},
             u"Soap (5012345678900) is left out: its label and its 2D symbol, 9.1 mm wide, do not fit a 38.1 x 21.2 "
             u"mm label with bars of at least 0.264 mm."_s},
            {"beyond 50 mm at the narrowest bar",
             code39,
             u"L7168"_s,
             MatrixCarrier::Gs1DataMatrix,
             true,
             {{u"01"_s, u"09506000134352"_s}},
             u"Long (ABCDEFGHIJKLMNOPQRSTUVWXYZ12) is left out: The 2D symbol reaches 50.5 mm from the centre of the "
             u"linear symbol; it must lie within 50 mm. Make the labels smaller or the 2D module smaller."_s},
        });
    }

    // A record whose 2D label cannot be printed is left out with a sentence that names it and
    // says why.
    void matrixLabelsLeftOut()
    {
        QFETCH(RefusalRow, row);
        SheetJob sheetJob = job(row.sheet);
        sheetJob.gs1.carrier = row.carrier;
        sheetJob.gs1.dual = row.dual;
        sheetJob.gs1.elements = row.elements;
        const SheetPlan plan({row.record}, sheetJob);
        QCOMPARE(plan.refused(), QStringList{row.refusal});
        QCOMPARE(plan.labels(), 0);
    }

    // On a cell so wide that the bars would be 0.66 mm, a Digital Link QR Code beside an EAN-13
    // would reach beyond 50 mm: the bars are narrowed until, measured on the PDF's rectangles,
    // the whole symbol with its quiet zone lies within 50 mm of the centre of the bars.
    void dualLabelKeepsWithin50mm()
    {
        SheetJob sheetJob = job(u"L7168"_s);
        sheetJob.gs1.carrier = MatrixCarrier::DigitalLinkQr;
        const QString pdf = m_dir.filePath(u"wide.pdf"_s);
        const SheetOutcome outcome = writePdf(pdf, {kSoap}, sheetJob);
        QCOMPARE(outcome.refused, QStringList());
        QCOMPARE(outcome.labels, 1);
        // Points to millimetres; the modules are the rectangles one module high, the bars the tall ones.
        const double mm = kMillimetresPerInch / 72;
        QRectF bars, modules;
        double module = 0;
        for (const QRectF &rect : pdfBars(pdf)) {
            const QRectF box(rect.topLeft() * mm, rect.size() * mm);
            if (box.height() > 5)
                bars |= box;
            else {
                modules |= box;
                module = box.height();
            }
        }
        QVERIFY(!bars.isEmpty() && !modules.isEmpty());
        const double quiet = 4 * module;
        const QRectF symbol = modules.adjusted(-quiet, -quiet, quiet, quiet);
        double reach = 0;
        for (const QPointF corner : {symbol.topLeft(), symbol.topRight(), symbol.bottomLeft(), symbol.bottomRight()})
            reach = std::max(reach, QLineF(bars.center(), corner).length());
        QVERIFY2(reach <= 50 && reach > 45, qPrintable(QString::number(reach)));
        QVERIFY(decodedText(render(pdf, 300).value(0)).split(u'|').contains(u"5012345678900"_s));
    }

    void calibrationRead_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<double>("offsetX");
        QTest::addColumn<double>("offsetY");
        QTest::addColumn<double>("scale");
        QTest::newRow("missing") << QString() << 0.0 << 0.0 << 100.0;
        QTest::newRow("saved") << u"1.5 -2 101.25"_s << 1.5 << -2.0 << 101.25;
        QTest::newRow("blanks around") << u"  0.25   0.5 99.5 "_s << 0.25 << 0.5 << 99.5;
        QTest::newRow("the limits") << u"-50 50 90"_s << -50.0 << 50.0 << 90.0;
        // Anything else is no calibration: the printer prints as it is.
        for (const QString &bad : {u"50.01 0 100"_s, u"1 1 89.99"_s, u"1 1 110.5"_s, u"1,5 0 100"_s, u"nan 0 100"_s,
                                   u"0 inf 100"_s, u"1 2"_s, u"1 2 100 4"_s, u"left a bit"_s, u"1e308 0 100"_s})
            QTest::newRow(qPrintable(bad)) << bad << 0.0 << 0.0 << 100.0;
    }
    void calibrationRead()
    {
        QFETCH(QString, stored);
        QFETCH(double, offsetX);
        QFETCH(double, offsetY);
        QFETCH(double, scale);
        SettingsStore settings(Edition::Alla);
        settings.setValue(u"LabelCalibrations"_s,
                          QString::fromUtf8(QJsonDocument(QJsonObject{{kCalibrationPrinter, stored}}).toJson()));
        const SheetCalibration read = storedCalibration(settings, kCalibrationPrinter);
        QCOMPARE(std::tuple(read.offsetX, read.offsetY, read.scalePercent), std::tuple(offsetX, offsetY, scale));
    }

    // Printers with any name keep calibrations of their own, and the program's settings file
    // keeps them, the own sheets and the last choices from one run to the next. An own sheet
    // keeps its name, page, grid, label size, products and corners, its margins and pitch (seen in
    // the place of its last label), and joins the catalogue.
    void keptFromRunToRun()
    {
        const QStringList printers{u"HP LaserJet 4"_s, u"HP LaserJet 4 "_s, u"a/b"_s,
                                   u"a%2Fb"_s,         u"x=1\n[General]"_s, u"\\\\server\\labels"_s,
                                   u"Étiquettes 📠"_s,  QString(),           u"\"quoted\", comma"_s};
        LabelTemplate own = builtIn(u"L7160"_s);
        own.name = u"Shelf strip, \"wide\"; [x]"_s;
        own.label = QSizeF(64.25, 38.125);
        own.pitch = QSizeF(66.5, 38.125);
        own.margin = QPointF(5.5, 12.75);
        own.cornerRadius = 1.5;
        own.products = {u"Shop 12"_s, u"Ränder 7"_s};
        const LabelTemplate small{u"A5 2x4"_s, QPageSize::A5, {70, 50}, 2, 4, {4, 4}, {70, 50}, 0, {}, {}};
        {
            SettingsStore settings(Edition::Alla);
            settings.load();
            for (int i = 0; i < printers.size(); ++i)
                storeCalibration(settings, printers[i], {i * 0.5, -i * 0.25, 95.0 + i});
            storeTemplates(settings, {own, small});
            storeChoices(settings, {own.name, 7, 3});
            QVERIFY2(settings.save(), qPrintable(settings.saveProblem()));
        }
        SettingsStore settings(Edition::Alla);
        settings.load();
        for (int i = 0; i < printers.size(); ++i) {
            const SheetCalibration read = storedCalibration(settings, printers[i]);
            QCOMPARE(std::tuple(read.offsetX, read.offsetY, read.scalePercent),
                     std::tuple(i * 0.5, -i * 0.25, 95.0 + i));
        }
        const QList<LabelTemplate> read = storedTemplates(settings);
        QCOMPARE(read.size(), 2);
        for (int i = 0; i < 2; ++i) {
            const LabelTemplate &expected = i == 0 ? own : small;
            QCOMPARE(templateLine(read[i]), templateLine(expected));
            QCOMPARE(read[i].cellRect(read[i].labelsPerSheet() - 1), expected.cellRect(expected.labelsPerSheet() - 1));
            QCOMPARE(read[i].cornerRadius, expected.cornerRadius);
        }
        const QList<LabelTemplate> all = availableTemplates(settings);
        QCOMPARE(all.size(), builtInTemplates().size() + 2);
        QCOMPARE(findTemplate(all, u"Shop 12"_s)->name, own.name);
        const SheetChoices choices = storedChoices(settings);
        QCOMPARE(std::tuple(choices.templateName, choices.startAt, choices.copies), std::tuple(own.name, 7, 3));
    }

    void templatesRead_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("read");
        QTest::newRow("sound ones kept, in order")
            << u"[%1,%2]"_s.arg(entry(u"B"_s), entry(u"A"_s)) << QStringList{u"B"_s, u"A"_s};
        QTest::newRow("overlapping skipped")
            << u"[%1,%2]"_s.arg(entry(u"Bad"_s, u",\"pitch\":[69,37]"_s), entry(u"Good"_s)) << QStringList{u"Good"_s};
        QTest::newRow("off the page skipped")
            << u"[%1,%2]"_s.arg(entry(u"Bad"_s, u",\"margin\":[1,0.5]"_s), entry(u"Good"_s)) << QStringList{u"Good"_s};
        QTest::newRow("no name") << u"[%1,%2]"_s.arg(entry(u"  "_s), entry(u"Good"_s)) << QStringList{u"Good"_s};
        QTest::newRow("named like a built-in one")
            << u"[%1]"_s.arg(entry(u"a4 3X7 63.5x38.1mm"_s)) << QStringList{u"a4 3X7 63.5x38.1mm (own)"_s};
        QTest::newRow("named twice") << u"[%1,%2,%3]"_s.arg(entry(u"Mine"_s), entry(u"mine"_s), entry(u"Mine"_s))
                                     << QStringList{u"Mine"_s, u"mine (own)"_s, u"Mine (own 2)"_s};
        // Texts that hold no sound template read as none.
        for (const QString &bad :
             {QString(), u"[{\"name\":"_s, u"{\"name\":\"A\"}"_s, u"[1, \"A\", null, [], {}]"_s,
              u"[{\"name\":7,\"page\":\"A4\",\"label\":[70,37],\"grid\":[3,8],\"margin\":[0,0.5],\"pitch\":[70,37]}]"_s,
              u"[%1]"_s.arg(entry(u"Bad"_s, u",\"grid\":[2.5,8]"_s)),
              u"[%1]"_s.arg(entry(u"Bad"_s, u",\"grid\":[1e12,1]"_s)),
              u"[%1]"_s.arg(entry(u"Bad"_s, u",\"margin\":[\"0\",0.5]"_s)),
              u"[%1]"_s.arg(entry(u"Bad"_s, u",\"page\":\"Q9\""_s))})
            QTest::newRow(qPrintable(bad)) << bad << QStringList();
    }
    void templatesRead()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, read);
        SettingsStore settings(Edition::Alla);
        settings.setValue(u"LabelTemplates"_s, stored);
        QCOMPARE(names(storedTemplates(settings)), read);
    }

    void choices_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("copies");
        QTest::addColumn<int>("startAt");
        QTest::addColumn<int>("copiesRead");
        QTest::newRow("missing") << QString() << QString() << 1 << 1;
        QTest::newRow("saved") << u"5"_s << u"2"_s << 5 << 2;
        QTest::newRow("the limits") << u"1000"_s << u"999"_s << 1000 << 999;
        // Anything else is read as 1.
        for (const auto &[start, copies] :
             {std::pair(u"1001"_s, u"1000"_s), std::pair(u"0"_s, u"0"_s), std::pair(u"-3"_s, u"-1"_s),
              std::pair(u"2.5"_s, u"3x"_s), std::pair(u"99999999999"_s, u"4294967298"_s)})
            QTest::newRow(qPrintable(start)) << start << copies << 1 << 1;
    }
    void choices()
    {
        QFETCH(QString, start);
        QFETCH(QString, copies);
        QFETCH(int, startAt);
        QFETCH(int, copiesRead);
        SettingsStore settings(Edition::Alla);
        settings.setValue(u"LabelStart"_s, start);
        settings.setValue(u"LabelCopies"_s, copies);
        QCOMPARE(std::pair(storedChoices(settings).startAt, storedChoices(settings).copies),
                 std::pair(startAt, copiesRead));
    }

    // The calibration page printed with a calibration puts the crosshairs where paintSheets
    // puts the centres of the first and the last label, within 0.1 mm, on a page of the
    // template's size drawn without pictures.
    void calibrationPage()
    {
        // A4 3x7 as it is and shifted; Letter 3x10 shifted and scaled.
        for (const auto &[sheet, offsetX, offsetY, scale] :
             {std::tuple(u"L7160"_s, 0.0, 0.0, 100.0), std::tuple(u"L7160"_s, 2.0, -1.5, 100.0),
              std::tuple(u"Avery 5160"_s, -1.0, 2.5, 102.0)}) {
            const LabelTemplate labels = builtIn(sheet);
            const int dpi = 600;
            const QString pdf = m_dir.filePath(u"%1 %2 %3 %4.pdf"_s.arg(sheet).arg(offsetX).arg(offsetY).arg(scale));
            {
                QPdfWriter writer(pdf);
                writer.setResolution(dpi);
                QVERIFY(paintCalibrationPage(writer, labels, {offsetX, offsetY, scale}));
            }
            QVERIFY(!fileBytes(pdf).isEmpty() && !fileBytes(pdf).contains("/Subtype /Image"));
            const QImage page = render(pdf, dpi).value(0);
            const double pixelsPerMillimetre = dpi / kMillimetresPerInch;
            // The page as the PDF gives it, in whole points.
            const QSizeF pageSize = QSizeF(QPageSize(labels.page).sizePoints()) * (dpi / 72.0);
            QVERIFY2(std::abs(page.width() - pageSize.width()) <= 1.5 &&
                         std::abs(page.height() - pageSize.height()) <= 1.5,
                     qPrintable(u"%1 x %2"_s.arg(page.width()).arg(page.height())));
            for (const int cell : {0, labels.labelsPerSheet() - 1}) {
                const QPointF expected =
                    (labels.cellRect(cell).center() * (scale / 100) + QPointF(offsetX, offsetY)) * pixelsPerMillimetre;
                const QPointF found = crosshairCentre(page, expected, dpi);
                const QPointF error = (found - expected) / pixelsPerMillimetre;
                QVERIFY2(std::abs(error.x()) <= 0.1 && std::abs(error.y()) <= 0.1,
                         qPrintable(u"cell %1: crosshair %2, %3 mm off"_s.arg(cell).arg(error.x()).arg(error.y())));
            }
        }
    }
};

QTEST_MAIN(TestLabelSheet)
#include "tst_label_sheet.moc"
