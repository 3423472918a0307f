#pragma once

#include "artwork/artwork_options.h"

#include <QColor>
#include <QList>
#include <QPainterPath>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

namespace Kelbrix {

class BarcodeRenderer;

/// One line of text of the artwork, in millimetres from the top left.
struct ArtworkText {
    double x = 0;        ///< horizontal anchor (see alignment)
    double baseline = 0; ///< y of the baseline
    double sizeMm = 0;   ///< font height (the em)
    int alignment = 0;   ///< 0 centred on x, 1 left edge at x, 2 right edge at x
    QString text;
};

/// A label as print artwork: bars as rectangles and texts in millimetres, at exact sizes.
///
/// The label's size holds the symbol with the full quiet zones of its type, the ISBN header
/// above it and the product line below it, widened to whole points (at most 1/72 inch, shared
/// equally on both sides) so that every format, the PDF's page included, has exactly that size.
struct Artwork {
    QSizeF sizeMm;
    double moduleMm = 0; ///< the X-dimension
    double bwrMm = 0;    ///< bar width reduction applied to the bars
    QRectF symbolMm;     ///< the symbol with its quiet zones
    QList<QRectF> bars;  ///< after the bar width reduction
    QList<ArtworkText> texts;
    QString fontFamily;
    bool bold = false;
    bool italic = false;
    QColor ink = Qt::black;
    QColor background = Qt::white;
    bool transparentBackground = false;

    /// The outline of \a text in the artwork's font, in millimetres, as the vector files carry it.
    QPainterPath outline(const ArtworkText &text) const;
    /// The width of \a text set in the artwork's font, in millimetres.
    double advanceMm(const ArtworkText &text) const;
};

/// What a label's artwork is made of: the renderer that holds the symbol, the ISBN header
/// ("ISBN ..." for the ISBN types, else empty) and the product text (empty: no product line).
struct ArtworkRequest {
    const BarcodeRenderer *renderer = nullptr;
    QString isbnHeader;
    QString product;
    QColor background = Qt::white; ///< the shared appearance's barcode background
    ArtworkOptions options;
    /// A defined width in millimetres that the symbol with its quiet zones is to fill: the
    /// X-dimension follows from it in place of the magnification or the set X-dimension.
    /// 0: none.
    double definedWidthMm = 0;
};

/// Makes the artwork of \a request. nullopt, with a message for the user in \a error, when the
/// options cannot make it (ArtworkOptions::problem) or the renderer holds no symbol.
std::optional<Artwork> makeArtwork(const ArtworkRequest &request, QString *error);

} // namespace Kelbrix
