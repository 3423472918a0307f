#include "render/symbol_text_layout.h"

#include "render/glyph_runs.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QRawFont>

#include <algorithm>
#include <limits>

namespace Kelbrix {

namespace {

// Font metrics are read at this pixel size and scaled; large enough to be exact to a few
// hundredths of a module.
constexpr int kMeasurePixels = 200;
// Height of digits over font size when no font can be measured; about right for ordinary fonts.
constexpr double kDefaultCapRatio = 0.7;
// Space kept under the lowest baseline, as a part of the font size.
constexpr double kBottomMargin = 0.05;

struct Measure {
    bool available = false;
    double capRatio = kDefaultCapRatio;
    QFont font;
    QRawFont raw;

    double advanceRatio(const QString &text) const
    {
        if (const std::optional<QGlyphRun> run = plainGlyphRun(font, raw, text))
            return run->boundingRect().width() / kMeasurePixels;
        return QFontMetricsF(font).horizontalAdvance(text) / kMeasurePixels;
    }
};

Measure measureFor(const SymbolTextStyle &style)
{
    Measure measure;
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return measure;
    measure.available = true;
    measure.font = QFont(style.family);
    measure.font.setBold(style.bold);
    measure.font.setItalic(style.italic);
    measure.font.setPixelSize(kMeasurePixels);
    measure.raw = QRawFont::fromFont(measure.font);
    const double cap = QFontMetricsF(measure.font).capHeight() / kMeasurePixels;
    if (cap > 0.3 && cap < 1.0)
        measure.capRatio = cap;
    return measure;
}

// The largest scale at which \a text still fits its room and stays inside the symbol.
double fittingScale(const SymbolGeometry::Text &text, double room, double symbolWidth, double advanceRatio)
{
    const double widthAtScaleOne = advanceRatio * text.fontSize;
    if (!(widthAtScaleOne > 0))
        return std::numeric_limits<double>::infinity();
    double allowed = room > 0 ? room : symbolWidth;
    if (text.alignment == 2)
        allowed = std::min(allowed, text.x);
    else if (text.alignment == 1)
        allowed = std::min(allowed, symbolWidth - text.x);
    else
        allowed = std::min(allowed, 2.0 * std::min(text.x, symbolWidth - text.x));
    return std::max(0.0, allowed) / widthAtScaleOne;
}

} // namespace

void layoutSymbolText(EncodedSymbol &symbol, const SymbolTextStyle &style)
{
    SymbolGeometry &geometry = symbol.geometry;
    geometry.fontFamily = style.family;
    geometry.bold = style.bold;
    geometry.italic = style.italic;
    if (geometry.texts.isEmpty())
        return;

    double mainSize = 0;
    for (const SymbolGeometry::Text &text : std::as_const(geometry.texts))
        mainSize = std::max(mainSize, text.fontSize);
    if (!(mainSize > 0))
        return;
    double scale = style.digitSize > 0 ? style.digitSize / mainSize : 1.0;

    const Measure measure = measureFor(style);
    if (measure.available) {
        for (qsizetype i = 0; i < geometry.texts.size(); ++i) {
            const SymbolGeometry::Text &text = geometry.texts.at(i);
            const double room = i < symbol.textRoom.size() ? symbol.textRoom.at(i) : 0.0;
            scale = std::min(scale, fittingScale(text, room, geometry.width, measure.advanceRatio(text.text)));
        }
    }
    if (!(scale > 0))
        return;

    double barsBottom = 0;
    for (const SymbolGeometry::Bar &bar : std::as_const(geometry.bars))
        barsBottom = std::max(barsBottom, bar.y + bar.height);

    double lowest = barsBottom;
    double highestTop = 0;
    const double cap = measure.capRatio;
    for (SymbolGeometry::Text &text : geometry.texts) {
        const double newSize = text.fontSize * scale;
        const bool overBars = text.y < geometry.height / 2.0;
        if (overBars) {
            // Add-on digits sit on their baseline over the add-on bars and grow upwards.
            highestTop = std::min(highestTop, text.y - cap * newSize);
        } else {
            // Digits under the bars hang from their top edge and grow downwards.
            const double top = text.y - cap * text.fontSize;
            text.y = top + cap * newSize;
            lowest = std::max(lowest, text.y + kBottomMargin * newSize);
        }
        text.fontSize = newSize;
    }
    geometry.height = lowest;
    if (highestTop < 0)
        addTopBand(geometry, -highestTop);
}

void addTopBand(SymbolGeometry &geometry, double modules)
{
    if (!(modules > 0))
        return;
    for (SymbolGeometry::Bar &bar : geometry.bars)
        bar.y += modules;
    for (SymbolGeometry::Text &text : geometry.texts)
        text.y += modules;
    geometry.height += modules;
}

} // namespace Kelbrix
