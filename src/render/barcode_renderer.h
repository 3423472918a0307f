#pragma once

#include "render/symbol_encoder.h"
#include "render/symbol_geometry.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

class QPainter;
class QRectF;

namespace Kelbrix {

/// The renderer's symbology codes, each the first of its family; the next two are the same
/// symbology with a 2-digit and a 5-digit add-on.
inline constexpr int kRendererCode39 = 0;
inline constexpr int kRendererScc14 = 2;
inline constexpr int kRendererUpcA = 5;
inline constexpr int kRendererUpcE = 8;
inline constexpr int kRendererEan13 = 11;
inline constexpr int kRendererEan8 = 14;

/// Where a symbol sits across its box when it does not fill its width.
inline constexpr int kSymbolAlignLeft = 0;
inline constexpr int kSymbolAlignCentre = 1;
inline constexpr int kSymbolAlignRight = 2;

/// Header space values: the ISBN types leave room at the top of the symbol for the "ISBN ..."
/// line the label prints there; every other type uses none.
inline constexpr int kNoHeaderSpace = 1;
inline constexpr int kIsbnHeaderSpace = 17;

/// The renderer's look: what LabelAppearance gives it, and whether its digits show.
struct RendererLook {
    bool digitsHidden = false;
    bool pixelAlign = true;
    bool smallFont = false;
    bool retainAspectRatio = false;
    int alignment = kSymbolAlignCentre;
    int headerSpace = kNoHeaderSpace;
    QFont font;
    QColor backColor = Qt::white;
    Bearers bearers = Bearers::Frame;
};

/// The barcode renderer: holds a symbology, data, supplement and the appearance settings, and
/// draws the symbol with libzint's bars and human-readable digits.
///
/// Data is written without its check digit; reading it back gives it completed with the check
/// digit libzint computed. A value the renderer cannot take is refused: the setter returns
/// false, lastError() is RuntimeError::InvalidPropertyValue (380) and the old value stays.
/// Callers put the current list record back into the entry on a refusal. Every setter that succeeds sets
/// lastError() to 0.
///
/// Symbology codes: Code 39 0, SCC-14 2, UPC-A 5/6/7, UPC-E 8/9/10, EAN-13 (also ISBN)
/// 11/12/13, EAN-8 14/15/16, the three of a family being no supplement, 2 digits and 5 digits.
///
/// The object holds plain values and can be copied.
class BarcodeRenderer {
public:
    /// EAN-13 with the data "000000000000", digits shown, pixel alignment on, centred, Arial 9,
    /// white background, 1815 by 900 twips.
    BarcodeRenderer();

    /// Selects the symbology (0, 2, 5..16). The data is kept; when it does not suit the new
    /// symbology no symbol is drawn until data that does is written. Refuses other codes.
    bool setSymbology(int code);
    int symbology() const { return m_symbology; }

    /// Writes the data: the digits without check digit (EAN-13 12, EAN-8 7, UPC-A 11, UPC-E 7
    /// with number system 0 or 1, SCC-14 13), or with it when it is right. UPC-E also takes the
    /// 11 digits of a UPC-A number that can be zero-suppressed. Code 39 takes any of its 43
    /// characters (lower-case letters are drawn upper-case). A wrong check digit, a wrong
    /// length or a character the symbology cannot take is refused.
    bool setData(const QString &data);
    /// The data completed with its check digit when it suits the symbology (UPC-E as its 8
    /// digits, Code 39 as drawn), otherwise the data as written.
    QString data() const;

    /// Writes the add-on: empty, or 2 or 5 digits. Other text is refused. The add-on is drawn
    /// when its length is the one the symbology asks for; a symbology with an add-on draws
    /// nothing until it has one of the right length.
    bool setSupplement(const QString &supplement);
    QString supplement() const { return m_supplement; }

    /// Hides or shows the human-readable digits.
    void setDigitsHidden(bool hidden);
    bool digitsHidden() const { return m_look.digitsHidden; }

    /// With pixel alignment every module is a whole number of device pixels.
    void setPixelAlign(bool on) { m_look.pixelAlign = on; }
    bool pixelAlign() const { return m_look.pixelAlign; }

    /// Small digits: the human-readable text at three quarters of the font size.
    void setSmallFont(bool on) { m_look.smallFont = on; }
    bool smallFont() const { return m_look.smallFont; }

    /// Retaining the aspect ratio draws the symbol at its natural proportions, as large as fits
    /// the box, at the top; otherwise the bars stretch to fill the box.
    void setRetainAspectRatio(bool on) { m_look.retainAspectRatio = on; }
    bool retainAspectRatio() const { return m_look.retainAspectRatio; }

    /// Where the symbol sits across the box when it does not fill its width: kSymbolAlignLeft,
    /// kSymbolAlignCentre or kSymbolAlignRight. Other values are refused.
    bool setAlignment(int alignment);
    int alignment() const { return m_look.alignment; }

    /// kIsbnHeaderSpace or kNoHeaderSpace; other values are refused.
    bool setHeaderSpace(int value);
    int headerSpace() const { return m_look.headerSpace; }

    /// Name of the font of the digits; the label prints its product line in it too.
    QString digitFontName() const { return m_look.font.family(); }
    /// Font of the human-readable digits: name, size in points, bold, italic. The size is the
    /// size the digits have when the symbol is drawn at its own width.
    void setFont(const QFont &font) { m_look.font = font; }
    QFont font() const { return m_look.font; }

    void setBackColor(const QColor &color) { m_look.backColor = color; }
    QColor backColor() const { return m_look.backColor; }

    /// The bearer bars of SCC-14, 5 modules thick, around the quiet zones of 10 modules; the
    /// other symbologies have none.
    void setBearers(Bearers bearers) { m_look.bearers = bearers; }
    Bearers bearers() const { return m_look.bearers; }

    /// The box the symbol fills, in twips.
    void setWidthTwips(double twips) { m_boxTwips.setWidth(twips); }
    double widthTwips() const { return m_boxTwips.width(); }
    void setHeightTwips(double twips) { m_boxTwips.setHeight(twips); }
    double heightTwips() const { return m_boxTwips.height(); }

    /// Kept for callers that set them; they do not change the symbol.
    void setShowText(bool on) { m_showText = on; }
    bool showText() const { return m_showText; }
    void setTypeName(const QString &name) { m_typeName = name; }
    QString typeName() const { return m_typeName; }

    /// 0 after a setter succeeded, RuntimeError::InvalidPropertyValue after one was refused.
    int lastError() const { return m_lastError; }
    /// Why the last setter was refused, for logs and tests; empty after success.
    QString lastErrorDetail() const { return m_lastErrorDetail; }

    /// True when the current data, symbology and add-on make a symbol.
    bool hasSymbol() const;

    /// The symbol as geometry in modules with the font, digit and header settings applied;
    /// empty when there is no symbol.
    SymbolGeometry geometry() const;

    /// The symbol for print artwork at a narrow bar of \a moduleMm millimetres: bars as high as
    /// the type's standard gives (EAN/UPC: the nominal height in modules, so it follows the
    /// magnification; SCC-14: 31.75 mm; Code 39: 15 % of the symbol's length, at least 6.35 mm),
    /// the full quiet zones of the type, and the digits at libzint's size in the digit font,
    /// fitted to the room libzint leaves them. No header band. Empty when there is no symbol.
    SymbolGeometry artworkGeometry(double moduleMm) const;

    /// Fills \a target with the background colour and draws the symbol into it, laid out by
    /// the ratio, alignment and pixel alignment settings. Draws only the background when there
    /// is no symbol.
    void draw(QPainter &painter, const QRectF &target) const;

    /// Width of one module (the narrow bar) when the symbol is drawn into an image of
    /// \a target pixels, in pixels: whole with pixel alignment. 0 when there is no symbol.
    double moduleWidth(const QSizeF &target) const;

    /// The symbol drawn into an image of \a pixels; a null image for an empty size.
    QImage image(QSize pixels) const;

    /// Puts the symbol on the clipboard as geometry (kSymbolMimeType), as an image and as
    /// "image/svg+xml". \a width and \a height, in any one unit, give the picture's
    /// proportions; the picture is as wide as the renderer's own width on the screen. On the
    /// program's private clipboard the picture's size (kSymbolSizeMimeType) takes the place of
    /// the image and the SVG. Returns
    /// false and leaves the clipboard alone when there is no symbol, a size is not positive or
    /// there is no clipboard.
    bool copyToClipboard(double width, double height) const;

private:
    bool refuse(const QString &detail);
    bool succeed();
    /// Completes m_data for the current symbology; both empty when it does not suit it.
    void updateCompletedData();
    QRectF symbolRect(double deviceScale, const SymbolGeometry &symbol, const QRectF &target) const;

    int m_symbology = kRendererEan13;
    QString m_data;          ///< as written
    QString m_zintData;      ///< as handed to libzint: without check digit, UPC-A suppressed to UPC-E
    QString m_completedData; ///< as read back: with the check digit
    QString m_supplement;
    RendererLook m_look;
    QSizeF m_boxTwips{1815, 900}; ///< the box the symbol fills
    bool m_showText = false;
    QString m_typeName;
    int m_lastError = 0;
    QString m_lastErrorDetail;
};

} // namespace Kelbrix
