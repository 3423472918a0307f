#pragma once

#include <QRect>

class QWidget;

namespace Kelbrix {

/// Where a window whose frame is \a frameSize goes: centred over \a over, then moved (and, when
/// it is larger, cut down) so that it lies inside \a available.
QRect centredPlacement(const QSize &frameSize, const QRect &over, const QRect &available);

/// Moves \a window, which is about to open, so that it opens centred over \a over (by default the
/// program's main window) and inside the available area of that window's screen; a window too
/// large for that area is made smaller. A window already on the screen stays where the user left
/// it. Every window of the program but the main one opens through this.
void placeOverMainWindow(QWidget *window, const QWidget *over = nullptr);

} // namespace Kelbrix
