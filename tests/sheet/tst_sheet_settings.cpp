// Sheet settings as they are kept (printer calibrations, the user's own templates, the last
// choices), read back from stored texts, hostile ones included; and the calibration page as a
// user prints it: rendered at 600 dpi, its crosshairs found where the labels' centres go.
#include "settings/settings_store.h"
#include "base/units.h"
#include "sheet/calibration_page.h"
#include "sheet/label_template.h"
#include "sheet/sheet_settings.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

const QString kCalibrationPrinter = u"Office"_s;

LabelTemplate builtIn(const QString &name)
{
    return *findTemplate(builtInTemplates(), name);
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

} // namespace

class TestSheetSettings : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QImageReader::setAllocationLimit(0); }

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
    // keeps them, the own sheets and the last choices from one run to the next.
    void keptFromRunToRun()
    {
        const QStringList printers{u"HP LaserJet 4"_s, u"HP LaserJet 4 "_s, u"a/b"_s,
                                   u"a%2Fb"_s,         u"x=1\n[General]"_s, u"\\\\server\\labels"_s,
                                   u"Étiquettes 📠"_s,  QString(),           u"\"quoted\", comma"_s};
        LabelTemplate own = builtIn(u"L7160"_s);
        own.name = u"Shelf, \"wide\"; [x]"_s;
        {
            SettingsStore settings(Edition::Alla);
            settings.load();
            for (int i = 0; i < printers.size(); ++i)
                storeCalibration(settings, printers[i], {i * 0.5, -i * 0.25, 95.0 + i});
            storeTemplates(settings, {own});
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
        QCOMPARE(storedTemplates(settings).value(0).name, own.name);
        QCOMPARE(storedTemplates(settings).value(0).cellRect(20), own.cellRect(20));
        const SheetChoices choices = storedChoices(settings);
        QCOMPARE(std::tuple(choices.templateName, choices.startAt, choices.copies), std::tuple(own.name, 7, 3));
    }

    void templatesRoundTrip()
    {
        LabelTemplate own = builtIn(u"L7160"_s);
        own.name = u"Shelf strip, \"wide\""_s;
        own.label = QSizeF(64.25, 38.125);
        own.pitch = QSizeF(66.5, 38.125);
        own.margin = QPointF(5.5, 12.75);
        own.cornerRadius = 1.5;
        own.products = {u"Shop 12"_s, u"Ränder 7"_s};
        LabelTemplate small{u"A5 2x4"_s, QPageSize::A5, {70, 50}, 2, 4, {4, 4}, {70, 50}, 0, {}, {}};
        SettingsStore settings(Edition::Alla);
        storeTemplates(settings, {own, small});
        const QList<LabelTemplate> read = storedTemplates(settings);
        QCOMPARE(read.size(), 2);
        for (int i = 0; i < 2; ++i) {
            const LabelTemplate &expected = i == 0 ? own : small;
            // Name, page, grid, label size and products as listed; margins and pitch by the last label's place.
            QCOMPARE(templateLine(read[i]), templateLine(expected));
            QCOMPARE(read[i].cellRect(read[i].labelsPerSheet() - 1), expected.cellRect(expected.labelsPerSheet() - 1));
            QCOMPARE(read[i].cornerRadius, expected.cornerRadius);
        }
        const QList<LabelTemplate> all = availableTemplates(settings);
        QCOMPARE(all.size(), builtInTemplates().size() + 2);
        QCOMPARE(findTemplate(all, u"Shop 12"_s)->name, own.name);
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
              std::tuple(u"Avery 5160"_s, -1.0, 2.5, 102.0)})
            checkCalibrationPage(sheet, offsetX, offsetY, scale);
    }

private:
    void checkCalibrationPage(const QString &sheet, double offsetX, double offsetY, double scale)
    {
        const LabelTemplate labels = builtIn(sheet);
        const int dpi = 600;
        const QString pdf = m_dir.filePath(u"%1 %2 %3 %4.pdf"_s.arg(sheet).arg(offsetX).arg(offsetY).arg(scale));
        {
            QPdfWriter writer(pdf);
            writer.setResolution(dpi);
            QVERIFY(paintCalibrationPage(writer, labels, {offsetX, offsetY, scale}));
        }
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!file.readAll().contains("/Subtype /Image"));
        QCOMPARE(QProcess::execute(u"pdftoppm"_s, {u"-r"_s, QString::number(dpi), u"-gray"_s, u"-singlefile"_s, pdf,
                                                   pdf + u"-page"_s}),
                 0);
        const QImage page = QImage(pdf + u"-page.pgm"_s).convertToFormat(QImage::Format_Grayscale8);
        const double pixelsPerMillimetre = dpi / kMillimetresPerInch;
        // The page as the PDF gives it, in whole points.
        const QSizeF pageSize = QSizeF(QPageSize(labels.page).sizePoints()) * (dpi / 72.0);
        QVERIFY2(std::abs(page.width() - pageSize.width()) <= 1.5 && std::abs(page.height() - pageSize.height()) <= 1.5,
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
};

QTEST_MAIN(TestSheetSettings)
#include "tst_sheet_settings.moc"
