#pragma once

#include "export/colour_mode_switch.h"
#include "export/display_modes.h"
#include "export/tiff_parameters.h"

#include <QObject>

#include <memory>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;

namespace Kelbrix {

/// The colour-mode part of the TIFF window: the frame of the start-up colour mode with the
/// switches to 256 colours and back, and the frame of the monitor's modes. It holds the display
/// and its ColourModeSwitch; the mode list always shows the switch's selection.
///
/// Where the display cannot switch, the start-up options stay (they are settings), and the
/// switches are off with a note that says why.
class ColourModeFrames : public QObject {
    Q_OBJECT
public:
    /// Takes \a display (owned). The window owns the part; the frames it makes are the
    /// window's widgets.
    explicit ColourModeFrames(std::unique_ptr<DisplayModes> display);
    ~ColourModeFrames() override;

    /// Makes the frame "FrameColourMode" in \a parent.
    QGroupBox *buildStartUpFrame(QWidget *parent);
    /// Makes the frame "FrameMonitor" in \a parent.
    QGroupBox *buildMonitorFrame(QWidget *parent);

    ColourModeSwitch &colourMode() { return m_colourMode; }
    /// The start-up option chosen.
    ColourModeChoice startUpChoice() const;
    void setStartUpChoice(ColourModeChoice choice);

    /// The colour-mode step of each activation of the main window, with the ask option.
    void offerOnActivation();
    /// The colour-mode step of the main window's close: back to the start-up mode.
    void returnToStartUpMode();
    /// Acts on the start-up option just read: 256 colours switches at once (where the display
    /// can switch); the others are kept for this run's activation step.
    void applyStartUpChoice();
    /// Names the depth the display started in on the switch back ("32 &Bit Color"), in the
    /// language of the moment.
    void showNormalColorCaption();

private:
    void showSelectedMode();

    std::unique_ptr<DisplayModes> m_display;
    ColourModeSwitch m_colourMode;

    QRadioButton *optAsk256 = nullptr;
    QRadioButton *optUse256 = nullptr;
    QRadioButton *optNever256 = nullptr;
    QPushButton *cmdUse256 = nullptr;
    QPushButton *cmdNormalColor = nullptr;
    QLabel *lblColourHint = nullptr; ///< why the two switches are off, where the display cannot switch
    QListWidget *List1 = nullptr;
    QPushButton *cmdNormal = nullptr;
};

} // namespace Kelbrix
