#pragma once

#include "render/label_composer.h"

#include <QImage>

namespace Kelbrix {

/// How a label is composed: composeMainLabel or composeDefinedLabel.
using LabelComposition = ComposedLabel (*)(LabelRequest);

/// The label of \a request as a window shows it on a screen of \a logicalDpi and
/// \a devicePixelRatio: composed by \a compose at the screen's own resolution, so that every bar
/// covers whole device pixels and nothing is scaled on the way to the screen, and with the ISBN
/// header in a band of its own above the symbol instead of over its top. The image carries
/// \a devicePixelRatio.
///
/// With pixel alignment, the picture is made as much larger or smaller (between 2/3 and 3/2 of
/// its size, or larger where a module would be narrower than a device pixel) as it takes for the
/// symbol to fill its place with a whole number of device pixels a module. The label image that
/// is copied, dragged and saved stays the one of \a request; this one is only shown. Null for a
/// symbol that would need a picture more than 8 times its size: the window then shows the label
/// image itself.
QImage composeScreenLabel(LabelRequest request, LabelComposition compose, double logicalDpi, double devicePixelRatio);

} // namespace Kelbrix
