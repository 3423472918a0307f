#include "artwork/artwork.h"

#include "render/barcode_renderer.h"

#include <QCoreApplication>

#include <cmath>

namespace Kelbrix {

std::optional<LabelLayout> makeArtwork(const ArtworkRequest &request, QString *error)
{
    const auto refuse = [&](const QString &why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const QString noBarcode = QCoreApplication::translate("Artwork", "There is no barcode to make artwork of.");
    if (!request.label.renderer)
        return refuse(noBarcode);
    const BarcodeRenderer &renderer = *request.label.renderer;
    const bool eanUpc = renderer.symbology() != kRendererCode39 && renderer.symbology() != kRendererScc14;
    ArtworkOptions options = request.options;
    if (request.definedWidthMm > 0) {
        // The symbol's width in modules does not depend on its X-dimension.
        const SymbolGeometry nominal = renderer.artworkGeometry(ArtworkOptions::kNominalModuleMm);
        if (nominal.isEmpty())
            return refuse(noBarcode);
        const double defined = request.definedWidthMm / nominal.width;
        options.magnification = defined / ArtworkOptions::kNominalModuleMm * 100.0;
        options.moduleMm = defined;
        if (!(defined > 0) || !std::isfinite(defined) || !(options.bwrMm < defined))
            return refuse(QCoreApplication::translate("Artwork", "The defined width of %1 mm gives an X-dimension "
                                                                 "of %2 mm, too small for artwork.")
                              .arg(request.definedWidthMm, 0, 'f', 2)
                              .arg(defined, 0, 'f', 3));
    } else {
        const QString problem = options.problem(eanUpc);
        if (!problem.isEmpty())
            return refuse(problem);
    }
    LabelDescription label = request.label;
    label.form = LabelForm::Artwork;
    label.artwork = {options.moduleMmFor(eanUpc), options.bwrMm, options.quietZoneMarks, options.transparentBackground};
    LabelLayout artwork = layoutLabel(label);
    if (artwork.size.isEmpty())
        return refuse(noBarcode);
    return artwork;
}

} // namespace Kelbrix
