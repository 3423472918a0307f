#pragma once

#include <QImage>
#include <QList>
#include <QRgb>
#include <QSize>

namespace Kelbrix {

/// The longest side of a picture the program makes or reads, in pixels (about 55 inches at
/// 4800 dpi).
inline constexpr int kMaxImageSide = 1 << 18;

struct SymbolGeometry;

/// The colour table of the program's one-bit pictures (QImage::Format_Mono): {white, black}, so
/// a set bit is black, as in a TIFF with PHOTOMETRIC_MINISWHITE.
const QList<QRgb> &whiteBlackTable();

/// How many rows of a full-colour (32-bit) work picture \a width pixels wide take at most
/// 16 MiB: at least 1 and at most \a height. Pictures larger than that are worked on in strips
/// of this many rows, so memory stays near the size of the result.
int stripRowsFor(int width, int height);

/// Draws \a symbol into a one-bit picture of \a size (colour table whiteBlackTable()), every
/// module a whole number of pixels and the symbol centred. Painted in strips, so memory stays
/// near the size of the result. Its pixels are those of the symbol painted whole on white with
/// pixel alignment and cut at half grey. A null image when memory runs out.
QImage renderSymbol(const SymbolGeometry &symbol, QSize size);

/// Lets Qt draw glyphs up to 512 pixels (the largest glyph renderSymbol keeps as a mask) from
/// its glyph cache instead of as outlines, unless QT_MAX_CACHED_GLYPH_SIZE is set already. Qt
/// draws outlines of larger text a little differently wherever it lands, so renderSymbol can
/// take the digits of a symbol from masks only for text Qt draws from the cache; this keeps
/// that fast path for the digits of labels at 600 dpi and more. Call before any text is
/// painted: Qt reads the setting once.
void cacheGlyphsUpToMaskSize();

} // namespace Kelbrix
