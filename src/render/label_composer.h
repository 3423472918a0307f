#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

namespace Kelbrix {

class BarcodeRenderer;

/// Longest product text printed on a label; longer texts print their first characters.
inline constexpr int kProductLineLength = 20;

/// The font of a label's lines (product line, ISBN header) at \a dpi: the renderer's digit font
/// at its point size, 9 points when it has none.
QFont labelFont(const BarcodeRenderer &renderer, double dpi);

/// The product line of a label: the first 20 characters of \a product, padded with blanks
/// to exactly 20.
QString productLine(const QString &product);

/// What a label is made of.
struct LabelRequest {
    const BarcodeRenderer *renderer = nullptr;
    double symbolWidthTwips = 0; ///< the bare symbol picture
    double symbolHeightTwips = 0;
    double symbolPictureHeightTwips = 0; ///< height of the bare symbol picture; 0: the symbol's
    double labelWidthTwips = 0;
    QString product; ///< printed under the symbol when productLineOn and not empty
    bool productLineOn = true;
    QString isbnHeader; ///< "ISBN ..." printed centred at the top; empty for other types
    QColor textBackColor = Qt::white;
    double dotsPerInch = 96; ///< resolution of the images made
    /// Images of an earlier composition, given back: when one is no longer shared and has the
    /// size needed, its memory is painted over instead of allocating new pixels.
    QImage recycledSymbol;
    QImage recycledLabel;
};

/// A composed label: the bare symbol and the label, as images at the requested resolution,
/// and the label's size in twips.
struct ComposedLabel {
    QImage symbol;
    QImage label;
    double widthTwips = 0;
    double heightTwips = 0;
    double isbnCenterX = 0; ///< where the ISBN header starts, in twips
    bool hasProductLine = false;
};

/// The main label: the symbol at the top; with a product line the label is 1190 twips high
/// and the line stands at 950 twips, otherwise it is 1000 twips high.
ComposedLabel composeMainLabel(LabelRequest request);

/// The defined-size label: as high as the symbol, or 170 twips higher with the product line
/// standing 50 twips above the symbol's foot.
ComposedLabel composeDefinedLabel(LabelRequest request);

} // namespace Kelbrix
