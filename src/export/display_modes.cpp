#include "export/display_modes.h"

#include "base/units.h"

#include <QGuiApplication>
#include <QScreen>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

QString DisplayMode::text() const
{
    return QString::number(width) + u"x"_s + QString::number(height) + u"x"_s + QString::number(bitsPerPixel);
}

DisplayModes::~DisplayModes() = default;

QList<DisplayMode> QtDisplayModes::modes() const
{
    return {current()};
}

DisplayMode QtDisplayModes::current() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    // The mode is the hardware's: device-independent size times the pixel ratio.
    const double ratio = screen->devicePixelRatio();
    return {roundToInt(screen->size().width() * ratio), roundToInt(screen->size().height() * ratio), screen->depth()};
}

int QtDisplayModes::change(const DisplayMode &)
{
    return DisplayChange::NotSupported;
}

bool QtDisplayModes::restartSystem()
{
    return false;
}

std::unique_ptr<DisplayModes> makePlatformDisplayModes()
{
    return std::make_unique<QtDisplayModes>();
}

} // namespace Kelbrix
