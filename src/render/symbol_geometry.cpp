#include "render/symbol_geometry.h"

#include <QDataStream>
#include <QFont>
#include <QFontMetricsF>
#include <QIODevice>
#include <QPainter>
#include <QRectF>

#include <algorithm>
#include <cmath>

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
    for (const SymbolGeometry::Bar &b : symbol.bars)
        painter.drawRect(QRectF(left + b.x * sx, target.top() + b.y * sy, b.width * sx, b.height * sy));

    if (!symbol.texts.isEmpty()) {
        QFont font(symbol.fontFamily.isEmpty() ? QStringLiteral("Arial") : symbol.fontFamily);
        font.setBold(symbol.bold);
        font.setItalic(symbol.italic);
        painter.setPen(Qt::black);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        const double textScale = std::min(sx, sy);
        for (const SymbolGeometry::Text &t : symbol.texts) {
            font.setPixelSize(int(std::clamp(std::round(t.fontSize * textScale), 1.0, double(kMaxPixelsPerModule))));
            painter.setFont(font);
            const QFontMetricsF metrics(font);
            const double textWidth = metrics.horizontalAdvance(t.text);
            double x = left + t.x * sx;
            if (t.alignment == 0)
                x -= textWidth / 2.0;
            else if (t.alignment == 2)
                x -= textWidth;
            painter.drawText(QPointF(x, target.top() + t.y * sy), t.text);
        }
    }
    painter.restore();
}

} // namespace Kelbrix
