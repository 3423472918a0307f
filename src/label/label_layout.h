#pragma once

#include "base/units.h"
#include "label/matrix_part.h"
#include "render/label_appearance.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPainterPath>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace Kelbrix {

class BarcodeRenderer;

/// Longest product text printed on a label; longer texts print their first characters.
inline constexpr int kProductLineLength = 20;

/// The product line of a label: the first 20 characters of \a product, padded with blanks
/// to exactly 20.
QString productLine(const QString &product);

/// The font of a label's lines (product line, ISBN header) at \a dpi: \a font at its point size,
/// 9 points when it has none, as a whole number of pixels.
QFont labelFont(const QFont &font, double dpi);
/// The same for the digit font of \a renderer.
QFont labelFont(const BarcodeRenderer &renderer, double dpi);

/// The kinds of label the program lays out.
enum class LabelForm {
    Main,    ///< the main window's label: 1190 twips high with the product line, else 1000
    Defined, ///< the defined-size label: the symbol's height, and 170 twips more with the line
    Artwork, ///< print artwork: the symbol at an exact X-dimension with its quiet zones, in mm
};

/// How print artwork sizes its symbol (LabelForm::Artwork only).
struct ArtworkSizing {
    double moduleMm = 0;         ///< the X-dimension
    double bwrMm = 0;            ///< bar width reduction
    bool quietZoneMarks = false; ///< "<" and ">" at the quiet zones of EAN and UPC
    bool transparentBackground = false;
};

/// What a label is made of: its symbol (a renderer set up with symbology, data, add-on and the
/// shared appearance), its texts and its size. A plain description; layoutLabel() places it.
struct LabelDescription {
    LabelForm form = LabelForm::Main;
    const BarcodeRenderer *renderer = nullptr;
    QString isbnHeader;        ///< "ISBN ..." printed above the symbol; empty for other types
    QString product;           ///< the product text; its line is printed when productLineOn and not empty
    bool productLineOn = true; ///< "&Text" rather than "&Blank"
    LabelAppearance appearance;

    // The raster forms, in twips.
    double symbolWidthTwips = 0; ///< the box the symbol fills
    double symbolHeightTwips = 0;
    double labelWidthTwips = 0;

    ArtworkSizing artwork;

    /// The 2D symbol beside the linear one, or in its place; none when empty.
    MatrixPart matrix;
};

/// One line of text of a laid-out label.
struct LabelText {
    enum class Role { Digits, QuietZoneMark, Header, ProductLine };
    Role role = Role::Header;
    QString text;
    double x = 0;      ///< horizontal anchor (see alignment)
    double y = 0;      ///< raster forms: the top of the line; artwork: the baseline
    double size = 0;   ///< artwork: the font height (the em); raster forms: 0, the label font
    int alignment = 0; ///< 0 centred on x, 1 left edge at x, 2 right edge at x
    /// Raster forms: the strip behind the text, filled with stripColor before it is drawn; its
    /// height is one line of the label font. Empty: none.
    double stripLeft = 0;
    double stripWidth = 0;
    QColor stripColor;
};

/// A label laid out: every part placed in the label's own unit, from its top left corner.
/// The raster forms are in twips (1440 to the inch) and the symbol is drawn by its renderer into
/// its box; print artwork is in millimetres with the bars resolved at the X-dimension.
struct LabelLayout {
    LabelForm form = LabelForm::Main;
    double unitsPerInch = kTwipsPerInch;
    QSizeF size;
    /// Raster forms: the box the renderer fills. Artwork: the symbol with its quiet zones.
    QRectF symbol;
    /// Raster forms: the height of the bare symbol picture (the symbol at its top, white below):
    /// the main label's is 1065 twips while the product line is on, else the symbol's.
    double symbolPictureHeight = 0;
    QList<LabelText> texts;
    QFont font; ///< the label's text font at its point size

    // Print artwork.
    double moduleSize = 0;        ///< the X-dimension
    double barWidthReduction = 0; ///< applied to the bars
    QList<QRectF> bars;           ///< after the bar width reduction
    QColor ink = Qt::black;
    QColor background = Qt::white;
    bool transparentBackground = false;

    // The 2D symbol.
    bool linearShown = true; ///< false for a 2D symbol alone: the symbol box and texts are empty
    QRectF matrix;           ///< the 2D symbol with its quiet zone; empty for none
    double matrixModule = 0; ///< one module, in the layout's unit
    MatrixSymbol matrixSymbol;

    /// How far the farthest corner of the 2D symbol's box lies from the centre of the linear
    /// symbol, in millimetres; 0 without both of them.
    double matrixReachMm() const;

    /// The text of \a role, or nullptr.
    const LabelText *text(LabelText::Role role) const;
    /// Artwork: the outline of \a text in the label's font, in millimetres, as vector files carry it.
    QPainterPath outline(const LabelText &text) const;
    /// Artwork: the width of \a text set in the label's font, in millimetres.
    double advance(const LabelText &text) const;
};

/// Places every part of \a label. A raster form is always laid out; print artwork is not when
/// the renderer holds no symbol, which gives a layout with an empty size. A raster form drawn at
/// \a dotsPerInch has the module of its 2D symbol rounded to whole dots there; 0 keeps it exact.
LabelLayout layoutLabel(const LabelDescription &label, double dotsPerInch = 0);

} // namespace Kelbrix
