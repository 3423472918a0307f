#pragma once

#include "label/label_layout.h"

class QPainter;

namespace Kelbrix {

/// Paints \a label (a raster form) into \a area of \a painter's device, as the window composes
/// it: the label's ground white, the symbol at the top with the ISBN header centred over it, the
/// product line in its strip below. Across, the label is scaled by \a across device units a twip
/// (so that its narrow bar is the number of device units its caller chose); down, it is scaled to
/// the area's height, which may be less than the width gives it: the bars and lines are then
/// lower. The bars fill the symbol's box across (the caller's choice of narrow bar holds whatever
/// the appearance says of proportions); with \a wholeDots every module is a whole number of
/// device pixels, while a preview, where a device unit is less than a pixel, draws to the
/// painter's scale instead. Nothing is painted outside \a area.
void paintLabel(QPainter &painter, const LabelDescription &label, const QRectF &area, double across, bool wholeDots);

/// Paints the dark modules of \a symbol black, each a square of \a module device units, the top
/// left corner of its quiet zone at \a corner. The ground, quiet zone included, is the caller's.
void paintMatrixSymbol(QPainter &painter, const MatrixSymbol &symbol, QPointF corner, double module);

} // namespace Kelbrix
