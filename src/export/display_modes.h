#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace Kelbrix {

/// One display mode: size in physical pixels and colour depth in bits per pixel.
struct DisplayMode {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;

    /// The mode as the mode list shows it: width + "x" + height + "x" + bits per pixel.
    QString text() const;
    bool operator==(const DisplayMode &) const = default;
};

/// Results of DisplayModes::change. The first values are those of the Windows display
/// settings call, so a Windows implementation passes its results on unchanged.
namespace DisplayChange {
inline constexpr int Successful = 0; ///< the display runs in the new mode
inline constexpr int Restart = 1;    ///< the new mode takes effect after the system restarts
inline constexpr int Failed = -1;    ///< the display driver refused the mode
inline constexpr int BadMode = -2;   ///< the display does not offer the mode
/// The platform offers programs no way to change the display mode (X11, Wayland, macOS,
/// Qt's offscreen platform). Nothing was changed.
inline constexpr int NotSupported = -100;
} // namespace DisplayChange

/// The display of the computer: the modes it offers, the one it runs in, and switching
/// between them. The program reaches the display only through this interface; tests give a
/// fake of their own.
class DisplayModes {
public:
    virtual ~DisplayModes();

    /// Every mode the default display reports, in the order it reports them.
    virtual QList<DisplayMode> modes() const = 0;
    /// The mode the default display runs in now.
    virtual DisplayMode current() const = 0;
    /// Switches the default display to \a mode and keeps it as the user's mode. Returns a
    /// DisplayChange result; on any result but Successful and Restart nothing changed.
    virtual int change(const DisplayMode &mode) = 0;
    /// Restarts the computer after a change answered with Restart. False when the program
    /// cannot restart it; then nothing happens.
    virtual bool restartSystem() = 0;
    /// True when the program can switch the display between modes at all. Where it cannot, the
    /// colour depth is the desktop's business: the program offers no switch and asks no
    /// question about it.
    virtual bool canSwitchModes() const = 0;
};

/// The display as Qt reports it: the primary screen's size in physical pixels and its colour
/// depth. Qt offers no way to list or switch modes, so the list holds the current mode only and
/// every change answers DisplayChange::NotSupported and canSwitchModes() is false. Needs a
/// QGuiApplication; without a screen the mode is 0x0x0.
class QtDisplayModes final : public DisplayModes {
public:
    QList<DisplayMode> modes() const override;
    DisplayMode current() const override;
    int change(const DisplayMode &mode) override;
    bool restartSystem() override;
    bool canSwitchModes() const override { return false; }
};

/// The display implementation of the platform the program runs on, or what the factory set
/// with setDisplayModesFactory() makes.
std::unique_ptr<DisplayModes> makePlatformDisplayModes();

/// Makes makePlatformDisplayModes() return what \a factory makes (tests give a display of
/// their own this way); an empty factory restores the platform's.
void setDisplayModesFactory(std::function<std::unique_ptr<DisplayModes>()> factory);

} // namespace Kelbrix
