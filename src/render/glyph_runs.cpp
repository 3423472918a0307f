#include "render/glyph_runs.h"

#include <QFont>
#include <QHash>
#include <QMutex>
#include <QRawFont>
#include <QTextLayout>

#include <cmath>
#include <map>

namespace Kelbrix {

namespace {

// What the text layout does with pairs of characters, by font. A label's texts use a handful
// of fonts and a few dozen characters, so the tables stay small; they are bounded all the same,
// because fonts and texts can come from outside.
class PlainPairs {
public:
    // True when the layout of \a text sets the glyphs \a font maps its characters to, one after
    // another at their advances, judged pair by pair.
    bool plain(const QFont &font, const QRawFont &raw, const QString &text)
    {
        QMutexLocker lock(&m_mutex);
        Font &entry = fontEntry(font, raw);
        if (!entry.outlines)
            return false;
        QHash<quint32, bool> &pairs = entry.pairs;
        if (pairs.size() > kMaxPairs)
            pairs.clear();
        // A lone character is checked alone: its glyph may be swapped too.
        const qsizetype length = text.size() == 1 ? 1 : 2;
        for (qsizetype i = 0; i + length <= text.size(); ++i) {
            const QStringView part = QStringView(text).mid(i, length);
            const quint32 code = (quint32(part.at(0).unicode()) << 16) | (length > 1 ? part.at(1).unicode() : 0);
            auto found = pairs.constFind(code);
            if (found == pairs.constEnd())
                found = pairs.insert(code, layoutIsPlain(font, raw, part.toString()));
            if (!found.value())
                return false;
        }
        return true;
    }

private:
    static constexpr qsizetype kMaxFonts = 64;
    static constexpr qsizetype kMaxPairs = 1 << 16;

    struct Font {
        bool outlines = false;
        QHash<quint32, bool> pairs;
    };

    // The entry of \a font; the last one looked up on this thread is remembered, since a font's
    // key costs more to build than the checks of a short text. Called with the mutex held.
    Font &fontEntry(const QFont &font, const QRawFont &raw)
    {
        struct Last {
            QFont font;
            Font *entry = nullptr;
            quint64 generation = 0;
        };
        thread_local Last last;
        if (last.entry && last.generation == m_generation && last.font == font)
            return *last.entry;
        if (m_fonts.size() > kMaxFonts) {
            m_fonts.clear();
            ++m_generation;
        }
        const QString key = font.key() + u'/' + QString::number(raw.pixelSize());
        auto entry = m_fonts.find(key);
        if (entry == m_fonts.end()) {
            // Where no font could be loaded Qt draws boxes through an engine without outlines or
            // names; only the text layout handles it.
            entry = m_fonts.emplace(key, Font{!raw.fontTable("head").isEmpty(), {}}).first;
        }
        last = {font, &entry->second, m_generation};
        return entry->second;
    }

    // Whether Qt's text layout sets \a text in \a raw's font engine with the glyphs the font
    // maps its characters to, each at the sum of the advances before it.
    static bool layoutIsPlain(const QFont &font, const QRawFont &raw, const QString &text)
    {
        QTextLayout layout(text, font);
        layout.setCacheEnabled(false);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QList<QGlyphRun> runs = layout.glyphRuns();
        if (runs.size() != 1)
            return false;
        const QGlyphRun &run = runs.first();
        // The same font engine, not a fallback for some character.
        if (run.rawFont() != raw)
            return false;
        const QList<quint32> glyphs = raw.glyphIndexesForString(text);
        if (run.glyphIndexes() != glyphs)
            return false;
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
        const QList<QPointF> positions = run.positions();
        if (positions.size() != glyphs.size() || advances.size() != glyphs.size())
            return false;
        // The layout works in 64ths of a pixel.
        constexpr double tolerance = 1.0 / 128;
        double pen = positions.first().x();
        for (qsizetype i = 0; i < positions.size(); ++i) {
            if (std::abs(positions.at(i).x() - pen) > tolerance ||
                std::abs(positions.at(i).y() - positions.first().y()) > tolerance)
                return false;
            pen += advances.at(i).x();
        }
        return true;
    }

    QMutex m_mutex;
    // A map, so an entry stays where it is while others are added.
    std::map<QString, Font> m_fonts;
    quint64 m_generation = 1;
};

PlainPairs &plainPairs()
{
    static PlainPairs pairs;
    return pairs;
}

} // namespace

std::optional<QGlyphRun> plainGlyphRun(const QFont &font, const QString &text)
{
    return plainGlyphRun(font, QRawFont::fromFont(font), text);
}

std::optional<QGlyphRun> plainGlyphRun(const QFont &font, const QRawFont &raw, const QString &text)
{
    if (!raw.isValid() || text.isEmpty())
        return std::nullopt;
    const QList<quint32> glyphs = raw.glyphIndexesForString(text);
    // A character the font lacks needs the font fallback of a real text layout.
    if (glyphs.size() != text.size() || glyphs.contains(0u))
        return std::nullopt;
    if (!plainPairs().plain(font, raw, text))
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

} // namespace Kelbrix
