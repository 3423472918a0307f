#include "artwork/artwork.h"

#include "render/barcode_renderer.h"
#include "render/label_composer.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QTransform>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;
// Text outlines are taken at this many units per em and scaled down, so that no hinting or
// rounding of a small pixel size changes their shape.
constexpr int kOutlineUnitsPerEm = 1000;
// A line of text above or below the symbol takes this much of its font size.
constexpr double kLineSpacing = 1.4;
// The digits' size when the symbol has none (digits hidden), in modules.
constexpr double kFallbackTextModules = 9;

// \a length widened to whole points.
double wholePoints(double mm)
{
    return std::ceil(mm / kMmPerPoint - 1e-9) * kMmPerPoint;
}

QFont outlineFont(const Artwork &artwork)
{
    QFont font(artwork.fontFamily);
    font.setBold(artwork.bold);
    font.setItalic(artwork.italic);
    font.setPixelSize(kOutlineUnitsPerEm);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

bool isEanUpc(int symbology)
{
    return symbology != BarcodeRenderer::kCode39 && symbology != BarcodeRenderer::kScc14;
}

} // namespace

double Artwork::advanceMm(const ArtworkText &text) const
{
    return QFontMetricsF(outlineFont(*this)).horizontalAdvance(text.text) * text.sizeMm / kOutlineUnitsPerEm;
}

QPainterPath Artwork::outline(const ArtworkText &text) const
{
    const QFont font = outlineFont(*this);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addText(0, 0, font, text.text);
    const double advance = QFontMetricsF(font).horizontalAdvance(text.text);
    const double shift = text.alignment == 0 ? -advance / 2 : (text.alignment == 2 ? -advance : 0.0);
    QTransform transform;
    transform.translate(text.x, text.baseline);
    transform.scale(text.sizeMm / kOutlineUnitsPerEm, text.sizeMm / kOutlineUnitsPerEm);
    transform.translate(shift, 0);
    QPainterPath mapped = transform.map(path);
    mapped.setFillRule(Qt::WindingFill);
    return mapped;
}

std::optional<Artwork> makeArtwork(const ArtworkRequest &request, QString *error)
{
    const auto refuse = [&](const QString &why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (!request.renderer)
        return refuse(QCoreApplication::translate("Artwork", "There is no barcode to make artwork of."));
    const BarcodeRenderer &renderer = *request.renderer;
    const bool eanUpc = isEanUpc(renderer.symbology());
    ArtworkOptions options = request.options;
    if (request.definedWidthMm > 0) {
        // The symbol's width in modules does not depend on its X-dimension.
        const SymbolGeometry nominal = renderer.artworkGeometry(ArtworkOptions::kNominalModuleMm);
        if (nominal.isEmpty())
            return refuse(QCoreApplication::translate("Artwork", "There is no barcode to make artwork of."));
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
    const double x = options.moduleMmFor(eanUpc);
    SymbolGeometry symbol = renderer.artworkGeometry(x);
    if (symbol.isEmpty())
        return refuse(QCoreApplication::translate("Artwork", "There is no barcode to make artwork of."));

    Artwork artwork;
    artwork.moduleMm = x;
    artwork.bwrMm = options.bwrMm;
    artwork.fontFamily = symbol.fontFamily;
    artwork.bold = symbol.bold;
    artwork.italic = symbol.italic;
    artwork.background = request.background;
    artwork.transparentBackground = options.transparentBackground;

    double barsTop = symbol.height, barsBottom = 0, barsLeft = symbol.width, barsRight = 0;
    for (const SymbolGeometry::Bar &bar : std::as_const(symbol.bars)) {
        barsTop = std::min(barsTop, bar.y);
        barsBottom = std::max(barsBottom, bar.y + bar.height);
        barsLeft = std::min(barsLeft, bar.x);
        barsRight = std::max(barsRight, bar.x + bar.width);
    }
    double textModules = 0;
    double digitBaseline = barsBottom + kFallbackTextModules;
    double addOnBaseline = digitBaseline;
    for (const SymbolGeometry::Text &text : std::as_const(symbol.texts)) {
        textModules = std::max(textModules, text.fontSize);
        if (text.y > barsTop + (barsBottom - barsTop) / 2)
            digitBaseline = text.y;
        else
            addOnBaseline = std::min(addOnBaseline, text.y);
    }
    if (!(textModules > 0))
        textModules = kFallbackTextModules;

    // Everything is laid out in modules first: marks, header band, product line.
    QList<SymbolGeometry::Text> texts = symbol.texts;
    if (options.quietZoneMarks && eanUpc) {
        // ">" closes the right quiet zone (after the add-on when there is one); EAN-8 also has "<"
        // on its left, where the other types print their first digit.
        const bool addOn = !renderer.supplement().isEmpty();
        ArtworkText probe{0, 0, 1, 0, u">"_s};
        const double markAdvance = std::max(artwork.advanceMm(probe), 1e-6);
        const double rightRoom = symbol.width - barsRight - 1;
        const double leftRoom = barsLeft - 1;
        texts.append({symbol.width, addOn ? addOnBaseline : digitBaseline,
                      std::min(textModules, rightRoom / markAdvance), 2, u">"_s});
        if (renderer.symbology() >= BarcodeRenderer::kEan8 && renderer.symbology() < BarcodeRenderer::kEan8 + 3)
            texts.append({0, digitBaseline, std::min(textModules, leftRoom / markAdvance), 1, u"<"_s});
    }
    // The symbol's own texts and the marks move down with the header band.
    const qsizetype symbolTexts = texts.size();
    double top = 0;
    if (!request.isbnHeader.isEmpty()) {
        // The header's baseline leaves the band's last part free above the bars.
        top = textModules * kLineSpacing;
        texts.append({symbol.width / 2, textModules, textModules, 0, request.isbnHeader});
    }
    double height = top + symbol.height;
    const QString product = request.product.left(kProductLineLength).trimmed();
    if (!product.isEmpty()) {
        texts.append({0, height + textModules * 1.1, textModules, 1, product});
        height += textModules * kLineSpacing;
    }

    const double rawWidth = symbol.width * x;
    const double rawHeight = height * x;
    artwork.sizeMm = QSizeF(wholePoints(rawWidth), wholePoints(rawHeight));
    const double left = (artwork.sizeMm.width() - rawWidth) / 2;
    const double down = (artwork.sizeMm.height() - rawHeight) / 2;
    artwork.symbolMm = QRectF(left, down + top * x, rawWidth, symbol.height * x);

    const double bwr = options.bwrMm;
    for (const SymbolGeometry::Bar &bar : std::as_const(symbol.bars)) {
        QRectF rect(left + bar.x * x, down + (top + bar.y) * x, bar.width * x, bar.height * x);
        // Bars lose the reduction across, half on each side; the bearer bars of SCC-14, which
        // lie along the symbol, lose it in their thickness.
        if (rect.height() >= rect.width())
            rect.adjust(bwr / 2, 0, -bwr / 2, 0);
        else
            rect.adjust(0, bwr / 2, 0, -bwr / 2);
        artwork.bars.append(rect);
    }
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const SymbolGeometry::Text &text = texts.at(i);
        const double shift = i < symbolTexts ? top : 0.0;
        artwork.texts.append(
            {left + text.x * x, down + (text.y + shift) * x, text.fontSize * x, text.alignment, text.text});
    }
    return artwork;
}

} // namespace Kelbrix
