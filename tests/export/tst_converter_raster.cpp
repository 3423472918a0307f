// A symbol redrawn through `raster` has whole, equal pixel modules at every resolution, and
// stays centred in the picture: measured on the pixels of the TIFF written to disk.

#include "export_test_support.h"
#include "zbar_decode.h"

#include "export/image_converter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

// An EAN-13 spans 95 modules from its first bar to its last, inside quiet zones of 11 and 7.
constexpr int kSymbolModules = 95;
constexpr int kLeftQuietZone = 11;
constexpr int kRightQuietZone = 7;
constexpr int kTotalModules = kLeftQuietZone + kSymbolModules + kRightQuietZone;

} // namespace

class TestConverterRaster : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void wholePixelModules_data();
    void wholePixelModules();
    void pictureOnlyIsScaledToRaster();

private:
    QTemporaryDir m_dir;
};

void TestConverterRaster::init()
{
    QVERIFY(m_dir.isValid());
    QGuiApplication::clipboard()->clear();
}

void TestConverterRaster::cleanup()
{
    releaseImageConverter();
}

void TestConverterRaster::wholePixelModules_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<double>("widthInches");

    // 1815 twips is the width of an EAN-13 label in the main view; 37.29 mm is its nominal size.
    for (int dpi : {300, 600, 1200}) {
        QTest::addRow("%d dpi, 1815 twips", dpi) << dpi << 1815.0 / 1440.0;
        QTest::addRow("%d dpi, 37.29 mm", dpi) << dpi << 37.29 / 25.4;
    }
}

void TestConverterRaster::wholePixelModules()
{
    QFETCH(int, dpi);
    QFETCH(double, widthInches);

    const int raster = int(widthInches * dpi);
    putSymbolOnClipboard(ean13Geometry(), QSize(226, 120));
    const QString path = m_dir.filePath(u"ean13_%1.tif"_s.arg(dpi));
    const QString command =
        u"source=Clipboard,dest=%1,raster=%2,format=tif,colors=2,mono=1,xres=%3,yres=%3,log=1"_s.arg(path)
            .arg(raster)
            .arg(dpi);
    QCOMPARE(imageConverter()->ExecuteCommand(command), 0);

    const TiffFile tiff = readTiffFile(path);
    QVERIFY2(tiff.ok, qPrintable(tiff.error));
    QCOMPARE(int(tiff.width), raster);
    QCOMPARE(qRound(tiff.xResolution), dpi);

    // The widest module that fits: the symbol is not a scaled bitmap but drawn at that size.
    const int module = raster / kTotalModules;
    QVERIFY(module >= 1);

    // Rows through the bars above the digits; every row must measure the same.
    for (int y : {int(tiff.height) / 8, int(tiff.height) / 4, int(tiff.height) / 2}) {
        const QList<int> runs = runsOfRow(tiff.image, y);
        int total = 0;
        for (int run : runs) {
            QVERIFY2(run % module == 0,
                     qPrintable(u"row %1: a run of %2 pixels with %3-pixel modules"_s.arg(y).arg(run).arg(module)));
            QVERIFY2(run / module >= 1 && run / module <= 4, qPrintable(u"row %1: run %2"_s.arg(y).arg(run)));
            total += run;
        }
        QCOMPARE(total, kSymbolModules * module);
        // EAN-13 has 30 bars, so 59 runs from the first bar to the last.
        QCOMPARE(runs.size(), 59);

        int firstBar = 0;
        while (!isBlack(tiff.image, firstBar, y))
            ++firstBar;
        const int leftMargin = firstBar - kLeftQuietZone * module;
        const int rightMargin = raster - (firstBar + total) - kRightQuietZone * module;
        QVERIFY2(qAbs(leftMargin - rightMargin) <= 1,
                 qPrintable(u"not centred: %1 pixels left, %2 right"_s.arg(leftMargin).arg(rightMargin)));
    }
    QCOMPARE(decodedText(tiff.image), u"5012345678900"_s);
}

void TestConverterRaster::pictureOnlyIsScaledToRaster()
{
    // Another program's picture carries no geometry: the picture itself is scaled.
    QImage picture(226, 120, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        paintSymbol(painter, ean13Geometry(), QRectF(0, 0, 226, 120), true);
    }
    putImageOnClipboard(picture);
    const QString path = m_dir.filePath(u"picture.tif"_s);
    QCOMPARE(imageConverter()->ExecuteCommand(
                 u"source=clipboard,dest=%1,raster=904,format=tif,colors=2,mono=1,xres=600,yres=600,log=1"_s.arg(path)),
             0);
    const TiffFile tiff = readTiffFile(path);
    QVERIFY2(tiff.ok, qPrintable(tiff.error));
    QCOMPARE(QSize(int(tiff.width), int(tiff.height)), QSize(904, 480));
    QCOMPARE(decodedText(tiff.image), u"5012345678900"_s);
}

QTEST_MAIN(TestConverterRaster)
#include "tst_converter_raster.moc"
