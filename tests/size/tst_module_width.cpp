#include "base/units.h"
#include "render/barcode_renderer.h"
#include "render/label_appearance.h"
#include "size/module_width.h"

#include <QImage>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

BarcodeRenderer sample(int symbology, const QString &data, bool pixelAlign)
{
    BarcodeRenderer renderer;
    LabelAppearance look;
    look.pixelAlign = pixelAlign;
    look.retainAspectRatio = false;
    look.applyTo(renderer);
    renderer.setSymbology(symbology);
    renderer.setData(data);
    return renderer;
}

// The narrowest dark run across the middle of the bars, in pixels.
int narrowestBar(const QImage &image)
{
    const int y = image.height() / 3;
    int narrowest = image.width();
    int run = 0;
    for (int x = 0; x < image.width(); ++x) {
        if (qGray(image.pixel(x, y)) < 128) {
            ++run;
        } else {
            if (run > 0)
                narrowest = std::min(narrowest, run);
            run = 0;
        }
    }
    return narrowest;
}

// A module width of xMm on a symbol, and the readout it gives at 300 dpi.
struct Limit {
    int symbology;
    QString data;
    double xMm;
    QString text;
    bool narrow, wide;
};

} // namespace

class TestModuleWidth : public QObject {
    Q_OBJECT
private slots:
    void agreesWithTheImage_data()
    {
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QSizeF>("sizeMm");
        QTest::addColumn<double>("dpi");
        QTest::newRow("UPC-A 90x60 at 72") << 5 << u"12345678901"_s << QSizeF(90, 60) << 72.0;
        QTest::newRow("Code 39 at 300") << 0 << u"12345"_s << QSizeF(36.16, 15) << 300.0;
    }
    void agreesWithTheImage()
    {
        QFETCH(int, symbology);
        QFETCH(QString, data);
        QFETCH(QSizeF, sizeMm);
        QFETCH(double, dpi);
        const BarcodeRenderer renderer = sample(symbology, data, true);
        const QSizeF twips = sizeMm * kTwipsPerMillimetre;
        const ModuleWidthReadout readout = moduleWidthReadout(renderer, twips.width(), twips.height(), dpi);
        const QImage image = renderer.image((twips * dpi / kTwipsPerInch).toSize());
        QCOMPARE(readout.pixels, double(narrowestBar(image)));
        QCOMPARE(readout.millimetres, readout.pixels / dpi * 25.4);
    }

    void limits_data()
    {
        QTest::addColumn<Limit>("row");
        QTest::newRow("EAN-13 80 %") << Limit{11, u"123456789012"_s, 0.264, u"X = 0.264 mm, 80 %"_s, false, false};
        QTest::newRow("EAN-13 75 %") << Limit{11, u"123456789012"_s, 0.2475, u"X = 0.247 mm, 75 %"_s, true, false};
        QTest::newRow("EAN-13 210 %") << Limit{11, u"123456789012"_s, 0.693, u"X = 0.693 mm, 210 %"_s, false, true};
        QTest::newRow("SCC-14 below") << Limit{2, u"3001234567890"_s, 0.4, u"X = 0.400 mm, 81 %"_s, true, false};
        QTest::newRow("Code 39 below") << Limit{0, u"12345"_s, 0.17, u"X = 0.170 mm, 89 %"_s, true, false};
    }
    void limits()
    {
        QFETCH(Limit, row);
        const BarcodeRenderer renderer = sample(row.symbology, row.data, false);
        const ModuleWidthReadout readout = moduleWidthReadout(
            renderer, row.xMm * renderer.geometry().width * kTwipsPerMillimetre, 20 * kTwipsPerMillimetre, 300);
        QCOMPARE(std::tuple(readout.text, readout.tooNarrow, readout.tooWide),
                 std::tuple(row.text, row.narrow, row.wide));
        QCOMPARE(readout.warning.isEmpty(), !row.narrow && !row.wide);
    }

    void noSymbolNoReadout()
    {
        BarcodeRenderer renderer;
        renderer.setSymbology(12); // an add-on type without its add-on draws nothing
        renderer.setData(u"123456789012"_s);
        QVERIFY(moduleWidthReadout(renderer, 2268, 1000, 300).text.isEmpty());
    }
};

QTEST_MAIN(TestModuleWidth)
#include "tst_module_width.moc"
