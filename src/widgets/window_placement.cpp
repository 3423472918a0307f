#include "widgets/window_placement.h"

#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace Kelbrix {

namespace {

// The main window: the first visible top-level main window that is not itself a child window.
const QWidget *mainWindow(const QWidget *except)
{
    for (QWidget *candidate : QApplication::topLevelWidgets()) {
        if (candidate != except && !candidate->parentWidget() && candidate->isVisible() &&
            qobject_cast<QMainWindow *>(candidate))
            return candidate;
    }
    return nullptr;
}

// How far the frame the window manager puts around \a window reaches beyond it. Before a window
// is first shown it has no frame yet; it will get the one the main window has.
QMargins frameMargins(const QWidget *window, const QWidget *over)
{
    const auto margins = [](const QWidget *w) {
        const QRect frame = w->frameGeometry();
        const QRect inner = w->geometry();
        return QMargins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                        frame.bottom() - inner.bottom());
    };
    if (window->testAttribute(Qt::WA_WState_Created) && window->windowHandle() && window->isVisible())
        return margins(window);
    return over ? margins(over) : QMargins();
}

} // namespace

QRect centredPlacement(const QSize &frameSize, const QRect &over, const QRect &available)
{
    QRect placed(QPoint(0, 0), frameSize.boundedTo(available.size()));
    placed.moveCenter(over.center());
    // Pulled back inside the available area: right and bottom first, so that a window as large
    // as the area keeps its top left corner, with the title bar, on the screen.
    if (placed.right() > available.right())
        placed.moveRight(available.right());
    if (placed.bottom() > available.bottom())
        placed.moveBottom(available.bottom());
    placed.moveLeft(std::max(placed.left(), available.left()));
    placed.moveTop(std::max(placed.top(), available.top()));
    return placed;
}

void placeOverMainWindow(QWidget *window, const QWidget *over)
{
    if (!window || window->isVisible())
        return;
    if (!over)
        over = mainWindow(window);
    const QScreen *screen = over ? over->screen() : window->screen();
    if (!screen)
        return;
    // The size the window opens with: the one it had, or the one its layout asks for.
    window->ensurePolished();
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
    const QMargins frame = frameMargins(window, over);
    const QRect available = screen->availableGeometry();
    const QSize most = available.size().shrunkBy(frame);
    if (window->width() > most.width() || window->height() > most.height())
        window->resize(window->size().boundedTo(most));
    const QRect target = over && over->isVisible() ? over->frameGeometry() : available;
    const QRect placed = centredPlacement(window->size().grownBy(frame), target, available);
    // A window's position is that of its frame.
    window->move(placed.topLeft());
}

} // namespace Kelbrix
