#include "label/mono_symbol.h"

#include "render/symbol_geometry.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

namespace Kelbrix {

namespace {

// Rows of full-colour work pictures (symbol strips, flattened transparency) take at most this.
constexpr qint64 kStripBytes = qint64(16) << 20;

// Glyphs placed farther out than this are left to painting the text whole, so a position stays
// far inside an int when it becomes whole pixels: four times the longest side of a picture the
// converter makes.
constexpr double kFarthestGlyphPosition = double(kMaxImageSide) * 4;

// Sets the bits of pixels [from, to) of a one-bit row (most significant bit first).
void setBits(uchar *row, int from, int to)
{
    if (from >= to)
        return;
    const int firstByte = from >> 3, lastByte = (to - 1) >> 3;
    const uchar head = uchar(0xff >> (from & 7));
    const uchar tail = uchar(0xff << (7 - ((to - 1) & 7)));
    if (firstByte == lastByte) {
        row[firstByte] |= uchar(head & tail);
        return;
    }
    row[firstByte] |= head;
    if (lastByte > firstByte + 1)
        std::memset(row + firstByte + 1, 0xff, size_t(lastByte - firstByte - 1));
    row[lastByte] |= tail;
}

// One glyph drawn alone in black on white and cut at half grey. Drawing depends only on where
// a glyph falls within its pixel, so a mask serves every glyph with the same font, index and
// fraction of a pixel in its position.
struct GlyphMask {
    int left = 0, top = 0; // of the mask, from the whole pixel the glyph's position falls in
    int width = 0;
    std::vector<uchar> dark; // one byte a pixel, row by row
    QRect ink;               // the pixels that are not white, in mask coordinates
    bool whole = false;      // nothing on the mask's edge: the glyph fits inside it
};

using GlyphKey = std::tuple<QString, QString, double, int, int, quint32, double, double>;

// The widest and highest glyph kept as a mask, in pixels; larger digits are painted whole.
constexpr int kLargestGlyphMask = 512;

// Qt's raster engine draws glyphs of fonts up to this many pixels from its glyph cache, where a
// glyph's pixels depend only on where it falls within its pixel, and larger ones as outlines,
// whose edge pixels also depend on where on the picture they land. Masks give the same pixels
// as painting the text whole only for the first. Qt reads the same setting once, at the first
// text it paints; so does this.
constexpr int kQtCachedGlyphPixels = 64;
int largestCachedGlyphPixels()
{
    static const int pixels = [] {
        const int set = qEnvironmentVariableIntValue("QT_MAX_CACHED_GLYPH_SIZE");
        return set > 0 ? set : kQtCachedGlyphPixels;
    }();
    return pixels;
}

GlyphMask drawGlyph(const QRawFont &font, quint32 glyph, double fractionX, double fractionY)
{
    GlyphMask mask;
    const QRectF bounds = font.boundingRect(glyph);
    constexpr int margin = 3;
    // Masks are for glyphs of the size digits have on a label; a larger glyph (a huge font size
    // read from outside) is left to painting the text whole, so no mask can take much memory.
    const double limit = 1 << 14, largest = kLargestGlyphMask;
    if (!(std::abs(bounds.left()) < limit && std::abs(bounds.top()) < limit && bounds.width() < largest &&
          bounds.height() < largest))
        return mask;
    mask.left = int(std::floor(bounds.left())) - margin;
    mask.top = int(std::floor(bounds.top())) - margin;
    mask.width = int(std::ceil(bounds.right())) + 1 + margin - mask.left;
    const int height = int(std::ceil(bounds.bottom())) + 1 + margin - mask.top;
    QImage picture(mask.width, height, QImage::Format_RGB32);
    if (picture.isNull())
        return mask;
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.setPen(Qt::black);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        QGlyphRun run;
        run.setRawFont(font);
        run.setGlyphIndexes({glyph});
        // Whole-pixel offsets leave the glyph's fraction of a pixel as it is.
        run.setPositions({QPointF(fractionX - mask.left, fractionY - mask.top)});
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
    mask.dark.assign(size_t(mask.width) * size_t(height), 0);
    mask.whole = true;
    for (int y = 0; y < height; ++y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < mask.width; ++x) {
            if ((pixels[x] & 0xffffff) == 0xffffff)
                continue;
            mask.ink |= QRect(x, y, 1, 1);
            if (x == 0 || y == 0 || x == mask.width - 1 || y == height - 1)
                mask.whole = false;
            mask.dark[size_t(y) * size_t(mask.width) + size_t(x)] = qGray(pixels[x]) < 128;
        }
    }
    return mask;
}

// The masks drawn so far on this thread. A list of symbols draws the same few glyphs at the
// same few places over and over.
struct GlyphCache {
    static constexpr size_t kMaxMasks = 4096;
    static constexpr size_t kMaxBytes = size_t(32) << 20;
    std::map<GlyphKey, GlyphMask> masks;
    size_t bytes = 0;
    bool full() const { return masks.size() >= kMaxMasks || bytes >= kMaxBytes; }
};

GlyphCache &glyphCache()
{
    thread_local GlyphCache cache;
    return cache;
}

// The mask of a glyph, drawn on first use; null when the cache is full. Masks stay where they
// are until the cache is emptied, which happens only before a symbol's glyphs are looked up.
const GlyphMask *glyphMask(const QRawFont &font, quint32 glyph, double fractionX, double fractionY)
{
    GlyphCache &cache = glyphCache();
    GlyphKey key{font.familyName(), font.styleName(), font.pixelSize(), font.weight(), int(font.style()), glyph,
                 fractionX,         fractionY};
    auto found = cache.masks.find(key);
    if (found == cache.masks.end()) {
        if (cache.full())
            return nullptr;
        found = cache.masks.emplace(std::move(key), drawGlyph(font, glyph, fractionX, fractionY)).first;
        cache.bytes += found->second.dark.size() + sizeof(GlyphMask);
    }
    return &found->second;
}

// Adds the text of the symbol to \a result glyph by glyph from masks. False, with \a result
// untouched, when that could differ from painting the text whole: a text that needs a full
// text layout, a glyph larger than its mask, or glyphs whose edges share pixels.
bool addGlyphs(QImage &result, const SymbolGeometry &symbol, const QRectF &target)
{
    const std::optional<QList<QGlyphRun>> runs = textGlyphRuns(symbol, target);
    if (!runs)
        return false;
    if (glyphCache().full())
        glyphCache() = GlyphCache{};
    struct Placed {
        const GlyphMask *mask;
        int x, y;
    };
    std::vector<Placed> placed;
    QList<QRect> inks;
    for (const QGlyphRun &run : *runs) {
        const QRawFont font = run.rawFont();
        if (!font.isValid() || !(font.pixelSize() <= largestCachedGlyphPixels()))
            return false;
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
            const QPointF position = positions.at(i);
            if (!(std::abs(position.x()) < kFarthestGlyphPosition && std::abs(position.y()) < kFarthestGlyphPosition))
                return false;
            const double wholeX = std::floor(position.x()), wholeY = std::floor(position.y());
            const GlyphMask *found = glyphMask(font, glyphs.at(i), position.x() - wholeX, position.y() - wholeY);
            if (!found || !found->whole)
                return false;
            const GlyphMask &mask = *found;
            const int x = int(wholeX) + mask.left, y = int(wholeY) + mask.top;
            const QRect ink = mask.ink.translated(x, y);
            for (const QRect &other : std::as_const(inks))
                if (ink.intersects(other))
                    return false;
            if (!ink.isEmpty())
                inks.append(ink);
            placed.push_back({&mask, x, y});
        }
    }
    for (const Placed &glyph : placed) {
        const GlyphMask &mask = *glyph.mask;
        const QRect area = mask.ink.translated(glyph.x, glyph.y) & result.rect();
        for (int y = area.top(); y <= area.bottom(); ++y) {
            uchar *bits = result.scanLine(y);
            const uchar *dark = mask.dark.data() + size_t(y - glyph.y) * size_t(mask.width) - glyph.x;
            for (int x = area.left(); x <= area.right(); ++x)
                if (dark[x])
                    bits[x >> 3] |= uchar(0x80 >> (x & 7));
        }
    }
    return true;
}

} // namespace

int stripRowsFor(int width, int height)
{
    return int(std::clamp<qint64>(kStripBytes / (qint64(std::max(width, 1)) * 4), 1, std::max(height, 1)));
}

const QList<QRgb> &whiteBlackTable()
{
    static const QList<QRgb> table = {qRgb(255, 255, 255), qRgb(0, 0, 0)};
    return table;
}

void cacheGlyphsUpToMaskSize()
{
    if (qEnvironmentVariableIntValue("QT_MAX_CACHED_GLYPH_SIZE") <= 0)
        qputenv("QT_MAX_CACHED_GLYPH_SIZE", QByteArray::number(kLargestGlyphMask));
}

QImage renderSymbol(const SymbolGeometry &symbol, QSize size)
{
    QImage result(size, QImage::Format_Mono);
    if (result.isNull())
        return {};
    result.setColorTable(whiteBlackTable());
    result.fill(0);
    const QRectF target(0, 0, size.width(), size.height());
    const QRect box = result.rect();

    // Whole-pixel bars are set straight into the one-bit rows: each band of rows that the same
    // bars cross is built once and copied to all its rows.
    QList<QRect> bars = barPixels(symbol, target);
    QList<int> edges{0, size.height()};
    for (QRect &bar : bars) {
        bar &= box;
        if (bar.isEmpty())
            continue;
        edges.append(bar.top());
        edges.append(bar.bottom() + 1);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    const size_t rowBytes = size_t(result.bytesPerLine());
    std::vector<uchar> row(rowBytes);
    for (qsizetype band = 0; band + 1 < edges.size(); ++band) {
        const int first = edges[band], end = edges[band + 1];
        std::fill(row.begin(), row.end(), uchar(0));
        bool any = false;
        for (const QRect &bar : std::as_const(bars)) {
            if (bar.isEmpty() || bar.top() > first || bar.bottom() < end - 1)
                continue;
            any = true;
            setBits(row.data(), bar.left(), bar.right() + 1);
        }
        if (!any)
            continue;
        for (int y = first; y < end; ++y)
            std::memcpy(result.scanLine(y), row.data(), rowBytes);
    }

    if (addGlyphs(result, symbol, target))
        return result;
    // Otherwise only the text is painted, a strip of full-colour rows at a time (at most 16 MiB whatever
    // the size of the picture), each strip cut at half grey and added to the bars. Text over a
    // bar is black on black, so adding it gives what painting it over the bars gives.
    const QRect text = textPixels(symbol, target, true) & box;
    if (text.isEmpty())
        return result;
    const int stripRows = stripRowsFor(text.width(), text.height());
    QImage strip(text.width(), stripRows, QImage::Format_RGB32);
    if (strip.isNull())
        return {};
    for (int top = text.top(); top <= text.bottom(); top += stripRows) {
        strip.fill(Qt::white);
        {
            QPainter painter(&strip);
            // Whole-pixel offsets keep every strip on the pixel grid of the bars.
            painter.translate(-text.left(), -top);
            paintSymbolTexts(painter, symbol, target, true);
        }
        const int rows = std::min(stripRows, text.bottom() + 1 - top);
        for (int y = 0; y < rows; ++y) {
            const auto *pixels = reinterpret_cast<const QRgb *>(strip.constScanLine(y));
            uchar *bits = result.scanLine(top + y);
            for (int i = 0; i < text.width(); ++i) {
                // White is by far the most common pixel; it is never dark.
                if ((pixels[i] & 0xffffff) == 0xffffff || qGray(pixels[i]) >= 128)
                    continue;
                const int x = text.left() + i;
                bits[x >> 3] |= uchar(0x80 >> (x & 7));
            }
        }
    }
    return result;
}

} // namespace Kelbrix
