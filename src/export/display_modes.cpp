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

namespace {
std::function<std::unique_ptr<DisplayModes>()> &displayModesFactory()
{
    static std::function<std::unique_ptr<DisplayModes>()> factory;
    return factory;
}
} // namespace

std::unique_ptr<DisplayModes> makePlatformDisplayModes()
{
    if (const auto &factory = displayModesFactory())
        return factory();
    return std::make_unique<QtDisplayModes>();
}

void setDisplayModesFactory(std::function<std::unique_ptr<DisplayModes>()> factory)
{
    displayModesFactory() = std::move(factory);
}

} // namespace Kelbrix
