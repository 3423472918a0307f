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

} // namespace

class TestModuleWidth : public QObject {
    Q_OBJECT
private slots:
    void agreesWithTheImage()
    {
        const double dpi = 72;
        const BarcodeRenderer renderer = sample(5, u"12345678901"_s, true);
        const QSizeF twips = QSizeF(90, 60) * kTwipsPerMillimetre;
        const ModuleWidthReadout readout = moduleWidthReadout(renderer, twips.width(), twips.height(), dpi);
        const QImage image = renderer.image((twips * dpi / kTwipsPerInch).toSize());
        QCOMPARE(readout.pixels, double(narrowestBar(image)));
        QCOMPARE(readout.millimetres, readout.pixels / dpi * 25.4);
    }

    void limits()
    {
        const BarcodeRenderer renderer = sample(11, u"123456789012"_s, false);
        const auto at = [&renderer](double xMm) {
            return moduleWidthReadout(renderer, xMm * renderer.geometry().width * kTwipsPerMillimetre,
                                      20 * kTwipsPerMillimetre, 300);
        };
        const ModuleWidthReadout narrow = at(0.2475), wide = at(0.693);
        QCOMPARE(std::tuple(narrow.text, narrow.tooNarrow, narrow.tooWide),
                 std::tuple(u"X = 0.247 mm, 75 %"_s, true, false));
        QCOMPARE(std::tuple(wide.text, wide.tooNarrow, wide.tooWide),
                 std::tuple(u"X = 0.693 mm, 210 %"_s, false, true));
        QVERIFY(!narrow.warning.isEmpty() && !wide.warning.isEmpty() && at(0.264).warning.isEmpty());
    }
};

QTEST_MAIN(TestModuleWidth)
#include "tst_module_width.moc"
