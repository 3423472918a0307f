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
    }

    // Each family's smallest and largest X, just inside and just outside. At 2400 dpi the whole
    // pixels move X by far less than the thousandth of a millimetre the window shows.
    void limits()
    {
        using R = BarcodeRenderer;
        const QString narrow = u"Warning: the bars are too narrow"_s;
        const QString wide = u"Warning: the bars are wider than"_s;
        // The symbology, X in millimetres, the percentage of the nominal X shown and the start of
        // the warning, empty for none.
        for (const auto &[symbology, xMm, percent, warning] :
             {std::tuple(R::kEan13, 0.263, 80,
                         narrow + u", many scanners will fail to read this EAN and UPC symbol (smallest X 0.264 mm)"_s),
              std::tuple(R::kEan13, 0.264, 80, QString()), std::tuple(R::kEan13, 0.66, 200, QString()),
              std::tuple(R::kEan13, 0.661, 200, wide + u" EAN and UPC allows (largest X 0.660 mm)"_s),
              std::tuple(R::kScc14, 0.494, 100,
                         narrow + u", many scanners will fail to read this SCC-14 symbol (smallest X 0.495 mm)"_s),
              std::tuple(R::kScc14, 0.495, 100, QString()), std::tuple(R::kScc14, 1.016, 205, QString()),
              std::tuple(R::kScc14, 1.017, 205, wide + u" SCC-14 allows (largest X 1.016 mm)"_s),
              std::tuple(R::kCode39, 0.189, 99, narrow), std::tuple(R::kCode39, 0.19, 100, QString())}) {
            const QString data = symbology == R::kCode39 ? u"KEL39"_s : u"3001234567890"_s;
            const BarcodeRenderer renderer = sample(symbology, data.left(symbology == R::kEan13 ? 12 : 13), false);
            const ModuleWidthReadout readout = moduleWidthReadout(
                renderer, xMm * renderer.geometry().width * kTwipsPerMillimetre, 20 * kTwipsPerMillimetre, 2400);
            QCOMPARE(readout.text, u"X = %1 mm, %2 %"_s.arg(QString::number(xMm, 'f', 3)).arg(percent));
            QVERIFY2(warning.isEmpty() ? readout.warning.isEmpty() : readout.warning.startsWith(warning),
                     qPrintable(readout.warning));
        }
    }
};

QTEST_MAIN(TestModuleWidth)
#include "tst_module_width.moc"
