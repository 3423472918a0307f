#pragma once

#include "label/label_layout.h"

#include <QImage>

namespace Kelbrix {

/// A label painted as images: the bare symbol picture and the label, at the requested
/// resolution, with the label's size in twips.
struct ComposedLabel {
    QImage symbol;
    QImage label;
    double symbolWidthTwips = 0; ///< the bare symbol picture
    double symbolHeightTwips = 0;
    double widthTwips = 0; ///< the label
    double heightTwips = 0;
    double isbnCenterX = 0; ///< where the ISBN header starts, in twips
    bool hasProductLine = false;
};

/// Paints \a label (a raster form) as it is laid out, at \a dotsPerInch: the bare symbol picture
/// with the symbol at its top and white below it; the label with the symbol's rows at its top,
/// white around them, the product line typeset in its strip and the ISBN header centred at the
/// top. Each image is 32-bit RGB and records its resolution.
///
/// \a recycledSymbol and \a recycledLabel are images of an earlier label, given back: when one is
/// no longer shared and has the size needed, its memory is painted over instead of allocating
/// new pixels.
ComposedLabel paintLabelImages(const LabelDescription &label, double dotsPerInch, QImage recycledSymbol = {},
                               QImage recycledLabel = {});

/// \a label as a window shows it on a screen of \a logicalDpi and \a devicePixelRatio: painted at
/// the screen's own resolution, so that every bar covers whole device pixels and nothing is
/// scaled on the way to the screen, and with the ISBN header in a band of its own above the
/// symbol instead of over its top. The image carries \a devicePixelRatio.
///
/// With pixel alignment, the picture is made as much larger or smaller (between 2/3 and 3/2 of
/// its size, or larger where a module would be narrower than a device pixel) as it takes for the
/// symbol to fill its place with a whole number of device pixels a module. The label image that
/// is copied, dragged and saved stays the one of paintLabelImages; this one is only shown. Null
/// for a symbol that would need a picture more than 8 times its size: the window then shows the
/// label image itself.
QImage paintScreenLabel(const LabelDescription &label, double logicalDpi, double devicePixelRatio);

} // namespace Kelbrix
