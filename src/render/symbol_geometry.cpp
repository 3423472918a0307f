#include "render/symbol_geometry.h"

#include <QDataStream>
#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QRawFont>
#include <QIODevice>
#include <QPainter>
#include <QRectF>

#include <cmath>

namespace Kelbrix {

namespace {

constexpr quint32 kMagic = 0x4b42534d; // "KBSM"
constexpr quint16 kVersion = 1;

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
    if (in.status() != QDataStream::Ok || !(s.width > 0) || !(s.height > 0))
        return std::nullopt;
    return s;
}

std::optional<QGlyphRun> unshapedRun(const QFont &font, const QString &text)
{
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid() || text.isEmpty())
        return std::nullopt;
    const QList<quint32> glyphs = raw.glyphIndexesForString(text);
    // A character the font lacks needs the font fallback of a real text layout.
    if (glyphs.size() != text.size() || glyphs.contains(0u))
        return std::nullopt;
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    QPointF pen;
    for (const QPointF &advance : advances) {
        positions.append(pen);
        pen += advance;
    }
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    run.setBoundingRect(QRectF(0, -raw.ascent(), pen.x(), raw.ascent() + raw.descent()));
    return run;
}

int wholePixelsPerModule(const SymbolGeometry &symbol, double targetPixels)
{
    if (!(symbol.width > 0))
        return 1;
    return std::max(1, int(std::floor(targetPixels / symbol.width + 1e-9)));
}

void paintSymbol(QPainter &painter, const SymbolGeometry &symbol, const QRectF &target, bool pixelAlign)
{
    if (symbol.isEmpty() || target.isEmpty())
        return;
    painter.save();
    double sx = target.width() / symbol.width;
    double sy = target.height() / symbol.height;
    double left = target.left();
    if (pixelAlign) {
        // Work in device pixels: a module becomes a whole number of them, and the bars start
        // on a pixel boundary.
        const QTransform device = painter.deviceTransform();
        const double deviceScale = std::hypot(device.m11(), device.m12());
        const double scale = deviceScale > 0 ? deviceScale : 1.0;
        const int pixels = wholePixelsPerModule(symbol, target.width() * scale);
        sx = pixels / scale;
        const double used = sx * symbol.width;
        left = target.left() + (target.width() - used) / 2.0;
        left = std::round(left * scale) / scale;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.setRenderHint(QPainter::Antialiasing, !pixelAlign);
    if (pixelAlign) {
        // Whole-pixel bars are solid fills, which the raster engine does span by span.
        for (const SymbolGeometry::Bar &b : symbol.bars)
            painter.fillRect(QRectF(left + b.x * sx, target.top() + b.y * sy, b.width * sx, b.height * sy), Qt::black);
    } else {
        for (const SymbolGeometry::Bar &b : symbol.bars)
            painter.drawRect(QRectF(left + b.x * sx, target.top() + b.y * sy, b.width * sx, b.height * sy));
    }

    if (!symbol.texts.isEmpty()) {
        QFont font(symbol.fontFamily.isEmpty() ? QStringLiteral("Arial") : symbol.fontFamily);
        font.setBold(symbol.bold);
        font.setItalic(symbol.italic);
        painter.setPen(Qt::black);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        const double textScale = std::min(sx, sy);
        const bool raster = painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster;
        for (const SymbolGeometry::Text &t : symbol.texts) {
            font.setPixelSize(std::max(1, int(std::lround(t.fontSize * textScale))));
            painter.setFont(font);
            const std::optional<QGlyphRun> run = raster ? unshapedRun(font, t.text) : std::nullopt;
            const double textWidth = run ? run->boundingRect().width() : QFontMetricsF(font).horizontalAdvance(t.text);
            double x = left + t.x * sx;
            if (t.alignment == 0)
                x -= textWidth / 2.0;
            else if (t.alignment == 2)
                x -= textWidth;
            const QPointF baseline(x, target.top() + t.y * sy);
            if (run)
                painter.drawGlyphRun(baseline, *run);
            else
                painter.drawText(baseline, t.text);
        }
    }
    painter.restore();
}

} // namespace Kelbrix
