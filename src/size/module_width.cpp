#include "size/module_width.h"

#include "base/units.h"
#include "render/barcode_renderer.h"

#include <cmath>
#include <limits>

#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// A size exactly at a limit is within it; only a real step beyond warns.
constexpr double kLimitTolerance = 1e-9;

QString millimetreText(double millimetres)
{
    return QString::number(millimetres, 'f', 3) + u" mm"_s;
}

} // namespace

ModuleLimits moduleLimits(int symbology)
{
    if (symbology == kRendererCode39)
        return {0.19, 0.19, std::numeric_limits<double>::infinity(), u"Code 39"_s};
    if (symbology == kRendererScc14)
        return {0.495, 0.495, 1.016, u"SCC-14"_s};
    return {0.33, 0.264, 0.66, QCoreApplication::translate("frmBarSize", "EAN and UPC")};
}

ModuleWidthReadout moduleWidthReadout(const BarcodeRenderer &renderer, double widthTwips, double heightTwips,
                                      double dotsPerInch)
{
    ModuleWidthReadout readout;
    if (!(widthTwips > 0) || !(heightTwips > 0) || !(dotsPerInch > 0))
        return readout;
    // The label is drawn into whole pixels, so the readout measures the same picture.
    const QSizeF target(twipsToWholePixels(widthTwips, dotsPerInch), twipsToWholePixels(heightTwips, dotsPerInch));
    readout.pixels = renderer.moduleWidth(target);
    if (!(readout.pixels > 0))
        return readout;
    readout.millimetres = readout.pixels / dotsPerInch * kMillimetresPerInch;

    // The picture has whole pixels, so X is a little off the exact ratio; the window judges X
    // as it shows it, to the thousandth of a millimetre, so that text and warning agree.
    const double shown = std::round(readout.millimetres * 1000.0) / 1000.0;
    const ModuleLimits nominal = moduleLimits(renderer.symbology());
    readout.percent = shown / nominal.nominal * 100.0;
    readout.tooNarrow = shown < nominal.smallest - kLimitTolerance;
    readout.tooWide = shown > nominal.largest + kLimitTolerance;
    readout.text = u"X = "_s + millimetreText(shown) + u", "_s + QString::number(roundToInt(readout.percent)) + u" %"_s;
    const double modules = renderer.geometry().width;
    readout.cutOff = readout.pixels * modules > target.width() + kLimitTolerance;
    if (readout.cutOff) {
        readout.warning =
            QCoreApplication::translate("frmBarSize", "Warning: at %1 dpi the symbol does not fit this width and its "
                                                      "bars are cut off. Make it wider or choose a higher dpi.")
                .arg(roundToInt(dotsPerInch));
    } else if (readout.tooNarrow) {
        readout.warning =
            QCoreApplication::translate("frmBarSize", "Warning: the bars are too narrow, many scanners will fail to "
                                                      "read this %1 symbol (smallest X %2). Make it larger.")
                .arg(nominal.name, millimetreText(nominal.smallest));
    } else if (readout.tooWide) {
        readout.warning =
            QCoreApplication::translate("frmBarSize",
                                        "Warning: the bars are wider than %1 allows (largest X %2). Make it smaller.")
                .arg(nominal.name, millimetreText(nominal.largest));
    }
    return readout;
}

} // namespace Kelbrix
