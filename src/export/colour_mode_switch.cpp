#include "export/colour_mode_switch.h"

#include "base/user_prompt.h"

#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

const char *const kChangeTo256Title = QT_TRANSLATE_NOOP("ColourMode", "Change to 256 Colors");

} // namespace

ColourModeSwitch::ColourModeSwitch(DisplayModes &display)
    : m_display(display), m_modes(display.modes()), m_startUp(display.current()),
      m_selected(int(m_modes.indexOf(m_startUp)))
{
}

void ColourModeSwitch::setSelectedIndex(int index)
{
    m_selected = index >= 0 && index < m_modes.size() ? index : -1;
}

int ColourModeSwitch::currentBitsPerPixel() const
{
    return m_display.current().bitsPerPixel;
}

int ColourModeSwitch::changeResolution()
{
    if (m_selected < 0) {
        ask(QCoreApplication::translate("ColourMode", "Error changing resolution! Returned: ") +
                QString::number(DisplayChange::BadMode),
            applicationTitle(), PromptIcon::Exclamation, PromptButtons::Ok);
        return DisplayChange::BadMode;
    }
    return changeTo(m_modes[m_selected]);
}

int ColourModeSwitch::goTo256Colors()
{
    return changeTo({m_startUp.width, m_startUp.height, 8});
}

int ColourModeSwitch::goToNormalColors()
{
    return changeResolution();
}

int ColourModeSwitch::goBackColors()
{
    return changeTo(m_startUp);
}

int ColourModeSwitch::changeTo(const DisplayMode &mode)
{
    const int result = m_display.change(mode);
    // The list shows the mode the display runs in, whatever became of the switch.
    m_selected = int(m_modes.indexOf(m_display.current()));
    if (result == DisplayChange::Successful)
        return result;
    if (result == DisplayChange::Restart) {
        const PromptAnswer answer =
            ask(QCoreApplication::translate("ColourMode",
                                            "Kelbrix can't change color depth automaticlly on your computer, you must "
                                            "reboot the system to change color depth.  Reboot now?"),
                u"Kelbrix"_s, PromptIcon::Question, PromptButtons::YesNo);
        if (answeredYes(answer))
            m_display.restartSystem();
        return result;
    }
    ask(QCoreApplication::translate("ColourMode", "Error changing resolution! Returned: ") + QString::number(result),
        applicationTitle(), PromptIcon::Exclamation, PromptButtons::Ok);
    return result;
}

void ColourModeSwitch::askUse256()
{
    if (answeredYes(ask(QCoreApplication::translate("ColourMode",
                                                    "You are about to change to 256 Color, Do you want to Continue ?"),
                        QCoreApplication::translate("ColourMode", kChangeTo256Title), PromptIcon::Question,
                        PromptButtons::YesNo)))
        goTo256Colors();
}

void ColourModeSwitch::askBackColors()
{
    const QString bits = QString::number(m_startUp.bitsPerPixel);
    if (answeredYes(ask(QCoreApplication::translate(
                            "ColourMode", "You are about to change to %1 Bit Color, Do you want to Continue ?")
                            .arg(bits),
                        QCoreApplication::translate("ColourMode", "Change to %1 Bit Colors").arg(bits),
                        PromptIcon::Question, PromptButtons::YesNo)))
        goBackColors();
}

void ColourModeSwitch::offerOnActivation(bool askSelected)
{
    // Where the program cannot switch, a question could only end in "Error changing resolution!".
    if (!canSwitch()) {
        m_runSetting.clear();
        return;
    }
    if (m_runSetting == u"256"_s) {
        m_runSetting.clear();
        goTo256Colors();
        return;
    }
    const int bits = currentBitsPerPixel();
    if (m_runSetting == u"Ask"_s && (bits == 32 || (bits == 16 && askSelected))) {
        m_runSetting.clear();
        if (answeredYes(ask(QCoreApplication::translate("ColourMode",
                                                        "To be able to save High Resolution TIFF images you must use "
                                                        "256 Colors, Change Resolution automaticlly ?"),
                            QCoreApplication::translate("ColourMode", kChangeTo256Title), PromptIcon::Question,
                            PromptButtons::YesNo, 810)))
            goTo256Colors();
    }
}

void ColourModeSwitch::returnToStartUpMode()
{
    if (canSwitch() && currentBitsPerPixel() != m_startUp.bitsPerPixel)
        goBackColors();
}

} // namespace Kelbrix
