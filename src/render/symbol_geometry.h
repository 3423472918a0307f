#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class QColor;
class QFont;
class QGlyphRun;
class QRawFont;
class QPainter;
class QRect;
class QRectF;
class QImage;

namespace Kelbrix {

/// Clipboard format that carries a symbol as geometry, so that a receiver can redraw it at
/// any size with whole-pixel modules.
inline constexpr char kSymbolMimeType[] = "application/x-kelbrix-symbol";

/// Clipboard format for the size in pixels, as two big-endian 32-bit numbers (width, height),
/// of the picture a symbol was copied for. The program's private clipboard carries it instead
/// of the picture itself, which no one there would look at.
inline constexpr char kSymbolSizeMimeType[] = "application/x-kelbrix-symbol-size";

/// A barcode symbol as vector geometry in module units (one unit = one narrow bar, the
/// X-dimension), quiet zones included: bars and human-readable text.
struct SymbolGeometry {
    struct Bar {
        double x = 0, y = 0, width = 0, height = 0;
    };
    struct Text {
        double x = 0;        ///< horizontal anchor (see alignment)
        double y = 0;        ///< baseline
        double fontSize = 0; ///< font height in modules
        int alignment = 0;   ///< 0 centred on x, 1 left edge at x, 2 right edge at x
        QString text;
    };

    double width = 0;  ///< modules
    double height = 0; ///< modules
    QList<Bar> bars;
    QList<Text> texts;
    QString fontFamily;
    bool bold = false;
    bool italic = false;

    bool isEmpty() const { return bars.isEmpty(); }

    /// Serialised form for the clipboard.
    QByteArray toBytes() const;
    /// Reads the serialised form back; nullopt for anything that is not one, and for a
    /// geometry that is not sound: sizes not finite and positive, or values so large that no
    /// symbol has them (a width or height beyond 100,000 modules).
    static std::optional<SymbolGeometry> fromBytes(const QByteArray &bytes);
};

/// Paints \a symbol into \a target: bars fill the target's height in proportion, text is
/// scaled with the bars. With \a pixelAlign every module is a whole number of device pixels
/// (at least one) and the symbol is centred horizontally in \a target.
void paintSymbol(QPainter &painter, const SymbolGeometry &symbol, const QRectF &target, bool pixelAlign);

/// Fills \a area with \a back and paints \a symbol into \a target over it, as a fill followed by
/// paintSymbol would; on a 32-bit image with whole-pixel bars each pixel is written once.
void paintSymbolOver(QPainter &painter, const SymbolGeometry &symbol, const QRectF &target, bool pixelAlign,
                     const QRectF &area, const QColor &back);

/// The device pixels of each bar that paintSymbol fills with pixel alignment on a painter
/// without transformation, in the order of symbol.bars (empty rectangles included).
QList<QRect> barPixels(const SymbolGeometry &symbol, const QRectF &target);

/// Paints only the human-readable text of \a symbol, exactly where paintSymbol puts it.
void paintSymbolTexts(QPainter &painter, const SymbolGeometry &symbol, const QRectF &target, bool pixelAlign);

/// The glyphs paintSymbolTexts draws with pixel alignment on a raster painter without
/// transformation, one run per text with the positions in device pixels; nullopt when a text
/// needs a full text layout (a character the font lacks, kerning, a ligature: see plainGlyphRun).
std::optional<QList<QGlyphRun>> textGlyphRuns(const SymbolGeometry &symbol, const QRectF &target);

/// The device pixels paintSymbolTexts may touch on a painter without transformation (with a
/// margin for antialiased edges); an empty rectangle when the symbol has no text.
QRect textPixels(const SymbolGeometry &symbol, const QRectF &target, bool pixelAlign);

/// The most device pixels per module paintSymbol ever uses.
inline constexpr int kMaxPixelsPerModule = 1 << 20;

/// The number of device pixels per module that paintSymbol uses for a target \a targetPixels
/// wide with pixel alignment: the largest whole number that fits, at least 1 and at most
/// kMaxPixelsPerModule.
int wholePixelsPerModule(const SymbolGeometry &symbol, double targetPixels);

} // namespace Kelbrix
