#pragma once

#include <QStringList>

class QWidget;

namespace Kelbrix {

/// Controls of \a window (buttons, boxes, lists, group boxes, labels with text, label pictures)
/// that lie over a sibling control, as "A (x,y wxh) over B (x,y wxh)" lines; empty when none do.
QStringList overlappingControls(const QWidget *window);

} // namespace Kelbrix
