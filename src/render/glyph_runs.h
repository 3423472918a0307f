#pragma once

#include <QGlyphRun>
#include <QString>

#include <optional>

class QFont;
class QRawFont;

namespace Kelbrix {

/// \a text as its glyphs set one after another at their advances in \a font, with the start of
/// its baseline at (0, 0): a run QPainter::drawGlyphRun draws much faster than drawText lays
/// out and draws the text.
///
/// Given only where Qt's text layout sets exactly those glyphs at exactly those places, so the
/// pixels are the same as drawText's: nullopt when the font lacks a character (font fallback),
/// or when shaping changes anything between the text's characters in this font (kerning,
/// ligatures, other substitutions). The caller then draws the text through drawText. Which
/// pairs of characters the layout leaves alone is found out once a font and kept; safe to call
/// from any thread.
///
/// \a raw is QRawFont::fromFont(\a font), looked up by the caller: several texts of a symbol
/// share one font, and the look-up costs more than this.
std::optional<QGlyphRun> plainGlyphRun(const QFont &font, const QRawFont &raw, const QString &text);
/// The same, looking the raw font up.
std::optional<QGlyphRun> plainGlyphRun(const QFont &font, const QString &text);

} // namespace Kelbrix
