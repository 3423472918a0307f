#pragma once

#include <QByteArray>

namespace Kelbrix {

struct LabelLayout;

/// Print artwork (a label laid out as LabelForm::Artwork) as an SVG document: width and height in
/// millimetres, a view box in millimetres, the bars as rectangles and the texts as outlines.
QByteArray svgLabel(const LabelLayout &artwork);

/// The artwork as Encapsulated PostScript: %%BoundingBox in whole points and %%HiResBoundingBox,
/// both exactly the label's size, the bars as rectangles and the texts as outlines.
QByteArray epsLabel(const LabelLayout &artwork);

/// The artwork as a one-page PDF whose page is the label's size, the bars as rectangles and the
/// texts as text in their font, which the file embeds. Empty when Qt could not make it.
QByteArray pdfLabel(const LabelLayout &artwork);

} // namespace Kelbrix
