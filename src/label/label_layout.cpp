#include "label/label_layout.h"

#include "base/units.h"
#include "render/barcode_renderer.h"

#include <QFontMetricsF>
#include <QTransform>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// The raster labels, in twips. The main label is 1190 high with its product line, whose top is at
// 950, and 1000 without; the defined-size label is as high as its symbol, and 170 higher with the
// line, whose top is then 50 above the symbol's foot.
constexpr double kMainHeightWithLine = 1190;
constexpr double kMainHeightWithoutLine = 1000;
constexpr double kMainProductLineTop = 950;
constexpr double kDefinedLineExtra = 170;
// The main label's bare symbol picture, while the product line is on.
constexpr double kMainSymbolPictureHeight = 1065;
constexpr double kDefinedLineRise = 50;
// The product line's indent inside its strip, and how much wider the strip is than the label.
constexpr double kProductIndent = 10;
constexpr double kProductStripExtra = 30;

// Print artwork, in modules of the symbol. A line of text above or below the symbol takes this
// much of its font size; the digits' size when the symbol has none (digits hidden).
constexpr double kArtworkLineSpacing = 1.4;
constexpr double kArtworkProductBaseline = 1.1;
constexpr double kFallbackTextModules = 9;
// Text outlines are taken at this many units per em and scaled down, so that no hinting or
// rounding of a small pixel size changes their shape.
constexpr int kOutlineUnitsPerEm = 1000;

// \a mm widened to whole points.
double wholePoints(double mm)
{
    return std::ceil(mm / kMillimetresPerPoint - 1e-9) * kMillimetresPerPoint;
}

QFont outlineFont(const QFont &labelFont)
{
    QFont font(labelFont.family());
    font.setBold(labelFont.bold());
    font.setItalic(labelFont.italic());
    font.setPixelSize(kOutlineUnitsPerEm);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// A line of print artwork: its baseline at (\a x, \a y), \a size high.
LabelText artworkText(LabelText::Role role, const QString &text, double x, double y, double size, int alignment)
{
    LabelText line;
    line.role = role;
    line.text = text;
    line.x = x;
    line.y = y;
    line.size = size;
    line.alignment = alignment;
    return line;
}

bool isEanUpc(int symbology)
{
    return symbology != kRendererCode39 && symbology != kRendererScc14;
}

LabelLayout layoutRaster(const LabelDescription &label)
{
    LabelLayout layout;
    layout.form = label.form;
    layout.unitsPerInch = kTwipsPerInch;
    layout.font = label.renderer ? label.renderer->font() : label.appearance.font();
    const double symbolHeight = label.symbolHeightTwips;
    layout.symbol = QRectF(0, 0, label.symbolWidthTwips, symbolHeight);
    const bool main = label.form == LabelForm::Main;
    layout.symbolPictureHeight = main && label.productLineOn ? kMainSymbolPictureHeight : symbolHeight;

    const bool productLine = !label.product.isEmpty() && label.productLineOn;
    const double height = main ? (productLine ? kMainHeightWithLine : kMainHeightWithoutLine)
                               : (productLine ? symbolHeight + kDefinedLineExtra : symbolHeight);
    layout.size = QSizeF(label.labelWidthTwips, height);
    if (productLine) {
        LabelText line;
        line.role = LabelText::Role::ProductLine;
        line.text = Kelbrix::productLine(label.product);
        line.x = kProductIndent;
        line.y = main ? kMainProductLineTop : symbolHeight - kDefinedLineRise;
        line.alignment = 1;
        line.stripWidth = label.labelWidthTwips + kProductStripExtra;
        line.stripColor = label.appearance.textBackColor.isValid() ? label.appearance.textBackColor : QColor(Qt::white);
        layout.texts.append(line);
    }
    if (!label.isbnHeader.isEmpty()) {
        LabelText header;
        header.role = LabelText::Role::Header;
        header.text = label.isbnHeader;
        header.x = label.labelWidthTwips / 2.0;
        header.alignment = 0;
        layout.texts.append(header);
    }
    return layout;
}

LabelLayout layoutArtwork(const LabelDescription &label)
{
    LabelLayout artwork;
    artwork.form = LabelForm::Artwork;
    artwork.unitsPerInch = kMillimetresPerInch;
    if (!label.renderer)
        return artwork;
    const BarcodeRenderer &renderer = *label.renderer;
    const double x = label.artwork.moduleMm;
    const SymbolGeometry symbol = renderer.artworkGeometry(x);
    if (symbol.isEmpty())
        return artwork;
    const bool eanUpc = isEanUpc(renderer.symbology());
    artwork.moduleSize = x;
    artwork.barWidthReduction = label.artwork.bwrMm;
    QFont font(symbol.fontFamily);
    font.setBold(symbol.bold);
    font.setItalic(symbol.italic);
    artwork.font = font;
    artwork.background = label.appearance.barcodeBackColor;
    artwork.transparentBackground = label.artwork.transparentBackground;

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
    QList<LabelText> texts;
    for (const SymbolGeometry::Text &text : std::as_const(symbol.texts))
        texts.append(artworkText(LabelText::Role::Digits, text.text, text.x, text.y, text.fontSize, text.alignment));
    if (label.artwork.quietZoneMarks && eanUpc) {
        // ">" closes the right quiet zone (after the add-on when there is one); EAN-8 also has "<"
        // on its left, where the other types print their first digit.
        const bool addOn = !renderer.supplement().isEmpty();
        const LabelText probe = artworkText(LabelText::Role::QuietZoneMark, u">"_s, 0, 0, 1, 0);
        const double markAdvance = std::max(artwork.advance(probe), 1e-6);
        const double rightRoom = symbol.width - barsRight - 1;
        const double leftRoom = barsLeft - 1;
        texts.append(artworkText(LabelText::Role::QuietZoneMark, u">"_s, symbol.width,
                                 addOn ? addOnBaseline : digitBaseline, std::min(textModules, rightRoom / markAdvance),
                                 2));
        if (renderer.symbology() >= kRendererEan8 && renderer.symbology() < kRendererEan8 + 3)
            texts.append(artworkText(LabelText::Role::QuietZoneMark, u"<"_s, 0, digitBaseline,
                                     std::min(textModules, leftRoom / markAdvance), 1));
    }
    // The symbol's own texts and the marks move down with the header band.
    const qsizetype symbolTexts = texts.size();
    double top = 0;
    if (!label.isbnHeader.isEmpty()) {
        // The header's baseline leaves the band's last part free above the bars.
        top = textModules * kArtworkLineSpacing;
        texts.append(
            artworkText(LabelText::Role::Header, label.isbnHeader, symbol.width / 2, textModules, textModules, 0));
    }
    double height = top + symbol.height;
    const QString product = label.productLineOn ? label.product.left(kProductLineLength).trimmed() : QString();
    if (!product.isEmpty()) {
        texts.append(artworkText(LabelText::Role::ProductLine, product, 0,
                                 height + textModules * kArtworkProductBaseline, textModules, 1));
        height += textModules * kArtworkLineSpacing;
    }

    const double rawWidth = symbol.width * x;
    const double rawHeight = height * x;
    artwork.size = QSizeF(wholePoints(rawWidth), wholePoints(rawHeight));
    const double left = (artwork.size.width() - rawWidth) / 2;
    const double down = (artwork.size.height() - rawHeight) / 2;
    artwork.symbol = QRectF(left, down + top * x, rawWidth, symbol.height * x);

    const double bwr = label.artwork.bwrMm;
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
        LabelText text = texts.at(i);
        const double shift = i < symbolTexts ? top : 0.0;
        text.x = left + text.x * x;
        text.y = down + (text.y + shift) * x;
        text.size *= x;
        artwork.texts.append(text);
    }
    return artwork;
}

// The 2D symbol of \a label placed in \a layout, \a module units a module: to the right of the
// linear label and centred on its symbol, or alone. Its modules join the bars of print artwork.
void placeMatrix(const LabelDescription &label, double module, LabelLayout &layout)
{
    const MatrixSymbol &symbol = label.matrix.symbol;
    const int quiet = quietZoneModules(symbol.carrier);
    const QSizeF box(symbol.columnsWithQuietZone() * module, symbol.rowsWithQuietZone() * module);
    const bool artwork = layout.form == LabelForm::Artwork;
    layout.matrixSymbol = symbol;
    layout.matrixModule = module;
    if (label.matrix.alone) {
        layout.linearShown = false;
        layout.texts.clear();
        layout.bars.clear();
        layout.symbol = QRectF();
        if (artwork)
            layout.background = label.appearance.barcodeBackColor;
        layout.size = artwork ? QSizeF(wholePoints(box.width()), wholePoints(box.height())) : box;
        layout.matrix =
            QRectF(QPointF((layout.size.width() - box.width()) / 2, (layout.size.height() - box.height()) / 2), box);
    } else {
        const double left = artwork ? layout.size.width() : label.labelWidthTwips;
        const double top = std::max(0.0, layout.symbol.center().y() - box.height() / 2);
        layout.matrix = QRectF(QPointF(left, top), box);
        const QSizeF wanted(left + box.width(), std::max(layout.size.height(), top + box.height()));
        layout.size = artwork ? QSizeF(wholePoints(wanted.width()), wholePoints(wanted.height())) : wanted;
    }
    if (artwork)
        layout.bars.append(
            matrixModuleRuns(symbol, layout.matrix.topLeft() + QPointF(quiet * module, quiet * module), module));
}

} // namespace

double LabelLayout::matrixReachMm() const
{
    if (matrix.isEmpty() || !linearShown || symbol.isEmpty() || !(unitsPerInch > 0))
        return 0;
    const QPointF centre = symbol.center();
    double reach = 0;
    for (const QPointF &corner : {matrix.topLeft(), matrix.topRight(), matrix.bottomLeft(), matrix.bottomRight()})
        reach = std::max(reach, std::hypot(corner.x() - centre.x(), corner.y() - centre.y()));
    return reach * kMillimetresPerInch / unitsPerInch;
}

QString productLine(const QString &product)
{
    return product.left(kProductLineLength).leftJustified(kProductLineLength, u' ');
}

QFont labelFont(const QFont &font, double dpi)
{
    QFont result = font;
    result.setFamily(font.family());
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
    result.setPixelSize(std::max(1, roundToInt(points * dpi / kPointsPerInch)));
    return result;
}

QFont labelFont(const BarcodeRenderer &renderer, double dpi)
{
    return labelFont(renderer.font(), dpi);
}

const LabelText *LabelLayout::text(LabelText::Role role) const
{
    for (const LabelText &text : texts)
        if (text.role == role)
            return &text;
    return nullptr;
}

double LabelLayout::advance(const LabelText &text) const
{
    return QFontMetricsF(outlineFont(font)).horizontalAdvance(text.text) * text.size / kOutlineUnitsPerEm;
}

QPainterPath LabelLayout::outline(const LabelText &text) const
{
    const QFont outline = outlineFont(font);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addText(0, 0, outline, text.text);
    const double width = QFontMetricsF(outline).horizontalAdvance(text.text);
    const double shift = text.alignment == 0 ? -width / 2 : (text.alignment == 2 ? -width : 0.0);
    QTransform transform;
    transform.translate(text.x, text.y);
    transform.scale(text.size / kOutlineUnitsPerEm, text.size / kOutlineUnitsPerEm);
    transform.translate(shift, 0);
    QPainterPath mapped = transform.map(path);
    mapped.setFillRule(Qt::WindingFill);
    return mapped;
}

LabelLayout layoutLabel(const LabelDescription &label, double dotsPerInch)
{
    const bool artwork = label.form == LabelForm::Artwork;
    LabelLayout layout = artwork ? layoutArtwork(label) : layoutRaster(label);
    if (label.matrix.isEmpty())
        return layout;
    const double mm = label.matrix.moduleMm;
    if (artwork) {
        // A 2D symbol alone needs no linear symbol to be laid out beside.
        if (layout.size.isEmpty() && !label.matrix.alone)
            return layout;
        layout.form = LabelForm::Artwork;
        layout.unitsPerInch = kMillimetresPerInch;
        placeMatrix(label, mm, layout);
    } else {
        const double dots = dotsPerInch > 0 ? matrixModuleDots(mm, dotsPerInch) : 0;
        placeMatrix(label, dots > 0 ? dots * kTwipsPerInch / dotsPerInch : mm * kTwipsPerInch / kMillimetresPerInch,
                    layout);
    }
    return layout;
}

} // namespace Kelbrix
