#include "render/symbol_geometry.h"

#include "render/glyph_runs.h"

#include <QDataStream>
#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QRawFont>
#include <QIODevice>
#include <QPainter>
#include <QImage>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Kelbrix {

namespace {

constexpr quint32 kMagic = 0x4b42534d; // "KBSM"
constexpr quint16 kVersion = 1;

// Bounds of a sound symbol, in modules. The widest symbol the program draws (Code 39 of the
// longest entry with an add-on and quiet zones) is under 2,000 modules; anything far beyond
// these is damaged or forged data, refused before any arithmetic is done with it.
constexpr double kMaxSymbolSide = 100000;
constexpr double kMaxCoordinate = 1000000;
constexpr double kMaxFontSize = 10000;

bool isSize(double value)
{
    return std::isfinite(value) && value > 0 && value <= kMaxSymbolSide;
}

bool isCoordinate(double value)
{
    return std::isfinite(value) && std::abs(value) <= kMaxCoordinate;
}

bool isSound(const SymbolGeometry &s)
{
    if (!isSize(s.width) || !isSize(s.height))
        return false;
    for (const SymbolGeometry::Bar &b : s.bars) {
        if (!isCoordinate(b.x) || !isCoordinate(b.y) || !isCoordinate(b.width) || !isCoordinate(b.height))
            return false;
    }
    for (const SymbolGeometry::Text &t : s.texts) {
        if (!isCoordinate(t.x) || !isCoordinate(t.y) || !std::isfinite(t.fontSize) || t.fontSize < 0 ||
            t.fontSize > kMaxFontSize || t.alignment < 0 || t.alignment > 2)
            return false;
    }
    return true;
}

} // namespace

QByteArray SymbolGeometry::toBytes() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMagic << kVersion << width << height << fontFamily << bold << italic;
    out << quint32(bars.size());
    for (const Bar &b : bars)
        out << b.x << b.y << b.width << b.height;
    out << quint32(texts.size());
    for (const Text &t : texts)
        out << t.x << t.y << t.fontSize << qint32(t.alignment) << t.text;
    return bytes;
}

std::optional<SymbolGeometry> SymbolGeometry::fromBytes(const QByteArray &bytes)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint16 version = 0;
    in >> magic >> version;
    if (magic != kMagic || version != kVersion)
        return std::nullopt;
    SymbolGeometry s;
    in >> s.width >> s.height >> s.fontFamily >> s.bold >> s.italic;
    quint32 count = 0;
    in >> count;
    // Each bar takes 32 bytes; a count larger than the data left is a damaged payload.
    if (in.status() != QDataStream::Ok || count > quint32(bytes.size() / 32))
        return std::nullopt;
    for (quint32 i = 0; i < count; ++i) {
        Bar b;
        in >> b.x >> b.y >> b.width >> b.height;
        s.bars.append(b);
    }
    in >> count;
    if (in.status() != QDataStream::Ok || count > quint32(bytes.size()))
        return std::nullopt;
    for (quint32 i = 0; i < count; ++i) {
        Text t;
        qint32 alignment = 0;
        in >> t.x >> t.y >> t.fontSize >> alignment >> t.text;
        t.alignment = alignment;
        s.texts.append(t);
    }
    if (in.status() != QDataStream::Ok || !isSound(s))
        return std::nullopt;
    return s;
}

int wholePixelsPerModule(const SymbolGeometry &symbol, double targetPixels)
{
    if (!(symbol.width > 0) || !std::isfinite(targetPixels))
        return 1;
    // Clamped in floating point first, so a tiny module width cannot overflow the int.
    const double pixels = std::floor(targetPixels / symbol.width + 1e-9);
    return pixels >= double(kMaxPixelsPerModule) ? kMaxPixelsPerModule : std::max(1, int(pixels));
}

namespace {

// Where the modules of a symbol land on the painter.
struct Placement {
    double left = 0, top = 0, sx = 1, sy = 1;
    QRectF bar(const SymbolGeometry::Bar &b) const
    {
        return QRectF(left + b.x * sx, top + b.y * sy, b.width * sx, b.height * sy);
    }
};

// \a scale is the number of device pixels per painter unit.
Placement placeAt(double scale, const SymbolGeometry &symbol, const QRectF &target, bool pixelAlign)
{
    Placement p{target.left(), target.top(), target.width() / symbol.width, target.height() / symbol.height};
    if (pixelAlign) {
        // Work in device pixels: a module becomes a whole number of them, and the bars start
        // on a pixel boundary.
        const int pixels = wholePixelsPerModule(symbol, target.width() * scale);
        p.sx = pixels / scale;
        const double used = p.sx * symbol.width;
        p.left = std::round((target.left() + (target.width() - used) / 2.0) * scale) / scale;
    }
    return p;
}

Placement place(const QPainter &painter, const SymbolGeometry &symbol, const QRectF &target, bool pixelAlign)
{
    const QTransform device = painter.deviceTransform();
    const double deviceScale = std::hypot(device.m11(), device.m12());
    return placeAt(deviceScale > 0 ? deviceScale : 1.0, symbol, target, pixelAlign);
}

// The device pixels an aliased fill of \a rect covers, as the raster engine rounds them.
QRect fillPixels(const QRectF &rect, double dx, double dy)
{
    const QRectF r = rect.translated(dx, dy).normalized();
    // Geometry read from outside may place a bar absurdly far off; coordinates are held to a
    // range no picture reaches, so rounding and the width stay within int.
    static constexpr double kFar = 1 << 29;
    const auto pixel = [](double v) { return std::isfinite(v) ? qRound(std::clamp(v, -kFar, kFar)) : 0; };
    const int x1 = pixel(r.left()), y1 = pixel(r.top()), x2 = pixel(r.right()), y2 = pixel(r.bottom());
    return QRect(x1, y1, x2 - x1, y2 - y1);
}

// Background and whole-pixel bars written straight into an image: each band of rows that the
// same bars cross is built once and copied row by row, instead of filling every bar on every
// row. False when the painter is not a plain opaque painter on a 32-bit image.
bool fillDirectly(QPainter &painter, const SymbolGeometry &symbol, const Placement &p, const QRectF &area,
                  const QColor &back)
{
    if (painter.device()->devType() != QInternal::Image || painter.hasClipping() || painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver || back.alpha() != 255)
        return false;
    auto *image = static_cast<QImage *>(painter.device());
    if (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied)
        return false;
    const QTransform device = painter.deviceTransform();
    if (device.type() > QTransform::TxTranslate || device.dx() != std::round(device.dx()) ||
        device.dy() != std::round(device.dy()))
        return false;

    const QRect box = fillPixels(area, device.dx(), device.dy()) & image->rect();
    if (box.isEmpty())
        return true;
    QList<QRect> bars;
    QList<int> edges{box.top(), box.bottom() + 1};
    for (const SymbolGeometry::Bar &b : symbol.bars) {
        const QRect bar = fillPixels(p.bar(b), device.dx(), device.dy()) & box;
        if (bar.isEmpty())
            continue;
        bars.append(bar);
        edges.append(bar.top());
        edges.append(bar.bottom() + 1);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    const QRgb backPixel = back.rgb();
    const QRgb barPixel = qRgb(0, 0, 0);
    QList<QRgb> row(box.width());
    // The pixels are reached once: every scanLine() call would check whether to detach.
    uchar *const bits = image->bits();
    const qsizetype stride = image->bytesPerLine();
    for (qsizetype band = 0; band + 1 < edges.size(); ++band) {
        const int first = edges[band], end = edges[band + 1];
        std::fill(row.begin(), row.end(), backPixel);
        for (const QRect &bar : std::as_const(bars)) {
            if (bar.top() <= first && bar.bottom() >= end - 1)
                std::fill(row.begin() + (bar.left() - box.left()), row.begin() + (bar.right() + 1 - box.left()),
                          barPixel);
        }
        for (int y = first; y < end; ++y)
            std::memcpy(reinterpret_cast<QRgb *>(bits + y * stride) + box.left(), row.constData(),
                        size_t(box.width()) * sizeof(QRgb));
    }
    return true;
}

void paintBars(QPainter &painter, const SymbolGeometry &symbol, const Placement &p, bool pixelAlign)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.setRenderHint(QPainter::Antialiasing, !pixelAlign);
    if (pixelAlign) {
        // Whole-pixel bars are solid fills, which the raster engine does span by span.
        for (const SymbolGeometry::Bar &b : symbol.bars)
            painter.fillRect(p.bar(b), Qt::black);
    } else {
        for (const SymbolGeometry::Bar &b : symbol.bars)
            painter.drawRect(p.bar(b));
    }
}

QFont symbolFont(const SymbolGeometry &symbol)
{
    QFont font(symbol.fontFamily.isEmpty() ? QStringLiteral("Arial") : symbol.fontFamily);
    font.setBold(symbol.bold);
    font.setItalic(symbol.italic);
    return font;
}

int textPixelSize(const SymbolGeometry::Text &text, const Placement &p)
{
    const double textScale = std::min(p.sx, p.sy);
    return int(std::clamp(std::round(text.fontSize * textScale), 1.0, double(kMaxPixelsPerModule)));
}

QPointF textBaseline(const SymbolGeometry::Text &t, const Placement &p, double textWidth)
{
    double x = p.left + t.x * p.sx;
    if (t.alignment == 0)
        x -= textWidth / 2.0;
    else if (t.alignment == 2)
        x -= textWidth;
    return QPointF(x, p.top + t.y * p.sy);
}

void paintTexts(QPainter &painter, const SymbolGeometry &symbol, const Placement &p)
{
    if (symbol.texts.isEmpty())
        return;
    QFont font = symbolFont(symbol);
    painter.setPen(Qt::black);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const bool raster = painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster;
    // The texts of a symbol mostly share one size; the raw font is looked up once a size.
    QRawFont raw;
    int rawPixels = 0;
    for (const SymbolGeometry::Text &t : symbol.texts) {
        const int pixels = textPixelSize(t, p);
        font.setPixelSize(pixels);
        painter.setFont(font);
        if (raster && pixels != rawPixels) {
            raw = QRawFont::fromFont(font);
            rawPixels = pixels;
        }
        const std::optional<QGlyphRun> run = raster ? plainGlyphRun(font, raw, t.text) : std::nullopt;
        const double textWidth = run ? run->boundingRect().width() : QFontMetricsF(font).horizontalAdvance(t.text);
        const QPointF baseline = textBaseline(t, p, textWidth);
        if (run)
            painter.drawGlyphRun(baseline, *run);
        else
            painter.drawText(baseline, t.text);
    }
}

} // namespace

QList<QRect> barPixels(const SymbolGeometry &symbol, const QRectF &target)
{
    QList<QRect> bars;
    if (symbol.isEmpty() || target.isEmpty())
        return bars;
    const Placement p = placeAt(1.0, symbol, target, true);
    bars.reserve(symbol.bars.size());
    for (const SymbolGeometry::Bar &b : symbol.bars)
        bars.append(fillPixels(p.bar(b), 0, 0));
    return bars;
}

void paintSymbolTexts(QPainter &painter, const SymbolGeometry &symbol, const QRectF &target, bool pixelAlign)
{
    if (symbol.isEmpty() || target.isEmpty())
        return;
    painter.save();
    paintTexts(painter, symbol, place(painter, symbol, target, pixelAlign));
    painter.restore();
}

std::optional<QList<QGlyphRun>> textGlyphRuns(const SymbolGeometry &symbol, const QRectF &target)
{
    QList<QGlyphRun> runs;
    if (symbol.isEmpty() || target.isEmpty())
        return runs;
    const Placement p = placeAt(1.0, symbol, target, true);
    QFont font = symbolFont(symbol);
    for (const SymbolGeometry::Text &t : symbol.texts) {
        if (t.text.isEmpty())
            continue;
        font.setPixelSize(textPixelSize(t, p));
        std::optional<QGlyphRun> run = plainGlyphRun(font, t.text);
        if (!run)
            return std::nullopt;
        // The sums QPainter::drawGlyphRun forms for a run drawn at the baseline.
        const QPointF baseline = textBaseline(t, p, run->boundingRect().width());
        QList<QPointF> positions = run->positions();
        for (QPointF &position : positions)
            position = baseline + position;
        run->setPositions(positions);
        runs.append(*run);
    }
    return runs;
}

QRect textPixels(const SymbolGeometry &symbol, const QRectF &target, bool pixelAlign)
{
    if (symbol.isEmpty() || target.isEmpty() || symbol.texts.isEmpty())
        return {};
    const Placement p = placeAt(1.0, symbol, target, pixelAlign);
    QFont font = symbolFont(symbol);
    QRectF area;
    for (const SymbolGeometry::Text &t : symbol.texts) {
        const int size = textPixelSize(t, p);
        font.setPixelSize(size);
        const QFontMetricsF metrics(font);
        const double width = metrics.horizontalAdvance(t.text);
        double x = p.left + t.x * p.sx;
        if (t.alignment == 0)
            x -= width / 2.0;
        else if (t.alignment == 2)
            x -= width;
        const double y = p.top + t.y * p.sy;
        // Glyph outlines may reach a little past their advances and the font's ascent and
        // descent (overhangs, slanted and antialiased edges): the margin takes that in.
        const double margin = size / 2.0 + 2.0;
        area |= QRectF(x - margin, y - metrics.ascent() - margin, width + 2 * margin,
                       metrics.ascent() + metrics.descent() + 2 * margin);
    }
    return area.toAlignedRect();
}

void paintSymbol(QPainter &painter, const SymbolGeometry &symbol, const QRectF &target, bool pixelAlign)
{
    if (symbol.isEmpty() || target.isEmpty())
        return;
    painter.save();
    const Placement p = place(painter, symbol, target, pixelAlign);
    paintBars(painter, symbol, p, pixelAlign);
    paintTexts(painter, symbol, p);
    painter.restore();
}

void paintSymbolOver(QPainter &painter, const SymbolGeometry &symbol, const QRectF &target, bool pixelAlign,
                     const QRectF &area, const QColor &back)
{
    if (symbol.isEmpty() || target.isEmpty() || !pixelAlign) {
        painter.fillRect(area, back);
        paintSymbol(painter, symbol, target, pixelAlign);
        return;
    }
    painter.save();
    const Placement p = place(painter, symbol, target, pixelAlign);
    if (!fillDirectly(painter, symbol, p, area, back)) {
        painter.fillRect(area, back);
        paintBars(painter, symbol, p, pixelAlign);
    }
    paintTexts(painter, symbol, p);
    painter.restore();
}

} // namespace Kelbrix
