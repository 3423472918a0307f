#pragma once

#include "export/display_modes.h"

#include <QList>
#include <QString>

namespace Kelbrix {

/// The display colour mode of the program: the modes of the display with the one selected in
/// the mode list, the mode the program started in, and the switches to 256 colours and back
/// with the questions that go with them.
///
/// Questions and messages go through the asking seam. A switch the display refuses says
/// "Error changing resolution! Returned: " and the result (see DisplayChange), and leaves the
/// selection on the mode the display runs in.
class ColourModeSwitch {
public:
    /// Reads the start-up mode and the modes of \a display (not owned) and selects the
    /// current mode.
    explicit ColourModeSwitch(DisplayModes &display);

    const QList<DisplayMode> &modes() const { return m_modes; }
    /// Index of the selected mode in modes(), -1 when none is.
    int selectedIndex() const { return m_selected; }
    void setSelectedIndex(int index);

    /// The mode the display ran in when the program started.
    DisplayMode startUpMode() const { return m_startUp; }
    /// Bits per pixel of the display now.
    int currentBitsPerPixel() const;
    /// True when the display can be switched between modes; where it cannot, the colour mode
    /// asks nothing and switches nothing on activation and close.
    bool canSwitch() const { return m_display.canSwitchModes(); }

    /// The colour-mode setting as kept for this run: "256", "Ask" or "Never" from the
    /// settings; emptied once it has been acted on, so each question comes once per run.
    QString runSetting() const { return m_runSetting; }
    void setRunSetting(const QString &setting) { m_runSetting = setting; }

    /// Switches to the selected mode. Returns the DisplayChange result.
    int changeResolution();
    /// Selects the start-up size at 8 bits per pixel and switches to it.
    int goTo256Colors();
    /// Switches to the selected mode.
    int goToNormalColors();
    /// Selects the start-up size at the start-up depth and switches to it.
    int goBackColors();

    /// "&256 Colors (8 Bit)": asks, and on Yes switches to 256 colours.
    void askUse256();
    /// The button back to the start-up depth: asks, and on Yes switches back.
    void askBackColors();
    /// What the main window does each time it becomes active: with the run setting "256" it
    /// switches to 256 colours; with "Ask" and a display at 32 bits per pixel (or 16, when
    /// \a askSelected) it asks whether to switch. Either empties the run setting. A display
    /// that cannot switch is neither switched nor asked about.
    void offerOnActivation(bool askSelected);
    /// What the main window does when it closes: when the depth differs from the start-up
    /// depth and the display can switch, switches back to the start-up mode.
    void returnToStartUpMode();

private:
    int changeTo(const DisplayMode &mode);

    DisplayModes &m_display;
    QList<DisplayMode> m_modes;
    DisplayMode m_startUp;
    int m_selected = -1;
    QString m_runSetting;
};

} // namespace Kelbrix
