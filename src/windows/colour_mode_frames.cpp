#include "windows/colour_mode_frames.h"
#include "widgets/translation.h"

#include "widgets/named.h"
#include "windows/option_frame.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

ColourModeFrames::ColourModeFrames(std::unique_ptr<DisplayModes> display)
    : m_display(std::move(display)), m_colourMode(*m_display)
{
}

ColourModeFrames::~ColourModeFrames() = default;

QGroupBox *ColourModeFrames::buildStartUpFrame(QWidget *parent)
{
    optAsk256 =
        named(translated(new QRadioButton(), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Ask at start up")),
              u"optAsk256"_s);
    optUse256 = named(translated(new QRadioButton(), "text", "frmTiff",
                                 QT_TRANSLATE_NOOP("frmTiff", "Always use 256 color mode at start up")),
                      u"optUse256"_s);
    optNever256 = named(translated(new QRadioButton(), "text", "frmTiff",
                                   QT_TRANSLATE_NOOP("frmTiff", "Don't Ask and don't change to 256 colors")),
                        u"optNever256"_s);
    QGroupBox *frame = optionFrame(u"FrameColourMode"_s, "frmTiff",
                                   QT_TRANSLATE_NOOP("frmTiff", "Start up Color mode change to 256 colors"), parent,
                                   {optAsk256, optUse256, optNever256});
    auto *buttons = new QHBoxLayout;
    cmdUse256 = named(
        translated(new QPushButton(frame), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "&256 Colors (8 Bit)")),
        u"cmdUse256"_s);
    cmdNormalColor = named(new QPushButton(frame), u"cmdNormalColor"_s);
    buttons->addWidget(cmdUse256);
    buttons->addWidget(cmdNormalColor);
    auto *layout = static_cast<QVBoxLayout *>(frame->layout());
    layout->addLayout(buttons);
    if (!m_colourMode.canSwitch()) {
        // The options stay, as settings; the switches could only fail, so they are off and the
        // window says why.
        const char *why =
            QT_TRANSLATE_NOOP("frmTiff", "This desktop cannot switch to 256 colors, and TIFF files do not "
                                         "depend on the display's color depth.");
        lblColourHint = named(translated(new QLabel(frame), "text", "frmTiff", why), u"lblColourHint"_s);
        lblColourHint->setWordWrap(true);
        layout->addWidget(lblColourHint);
        for (QPushButton *button : {cmdUse256, cmdNormalColor}) {
            button->setEnabled(false);
            setTranslated(button, "toolTip", "frmTiff", why);
        }
    }
    connect(cmdUse256, &QPushButton::clicked, this, [this] {
        m_colourMode.askUse256();
        showSelectedMode();
    });
    connect(cmdNormalColor, &QPushButton::clicked, this, [this] {
        m_colourMode.askBackColors();
        showSelectedMode();
    });
    return frame;
}

QGroupBox *ColourModeFrames::buildMonitorFrame(QWidget *parent)
{
    auto *frame =
        named(translated(new QGroupBox(parent), "title", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Monitor Resolution")),
              u"FrameMonitor"_s);
    auto *layout = new QVBoxLayout(frame);
    List1 = named(new QListWidget(frame), u"List1"_s);
    for (const DisplayMode &mode : m_colourMode.modes())
        List1->addItem(mode.text());
    cmdNormal = named(
        translated(new QPushButton(frame), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "&Change Resolution Now")),
        u"cmdNormal"_s);
    layout->addWidget(List1, 1);
    layout->addWidget(cmdNormal, 0, Qt::AlignLeft);
    // The list shows the mode in use; switching to another one is for a display that can.
    cmdNormal->setEnabled(m_colourMode.canSwitch());
    showSelectedMode();
    // Only now: showing the selection is no choice of the user's.
    connect(cmdNormal, &QPushButton::clicked, this, [this] {
        m_colourMode.goToNormalColors();
        showSelectedMode();
    });
    connect(List1, &QListWidget::currentRowChanged, this, [this](int row) { m_colourMode.setSelectedIndex(row); });
    return frame;
}

ColourModeChoice ColourModeFrames::startUpChoice() const
{
    return optUse256->isChecked()     ? ColourModeChoice::Always256
           : optNever256->isChecked() ? ColourModeChoice::Never
                                      : ColourModeChoice::Ask;
}

void ColourModeFrames::setStartUpChoice(ColourModeChoice choice)
{
    optAsk256->setChecked(choice == ColourModeChoice::Ask);
    optUse256->setChecked(choice == ColourModeChoice::Always256);
    optNever256->setChecked(choice == ColourModeChoice::Never);
}

void ColourModeFrames::offerOnActivation()
{
    m_colourMode.offerOnActivation(optAsk256->isChecked());
    showSelectedMode();
}

void ColourModeFrames::returnToStartUpMode()
{
    m_colourMode.returnToStartUpMode();
    showSelectedMode();
}

void ColourModeFrames::applyStartUpChoice()
{
    if (optUse256->isChecked()) {
        // The switch happens here, once; activation has nothing left to do.
        m_colourMode.setRunSetting(QString());
        if (m_colourMode.canSwitch())
            m_colourMode.goTo256Colors();
        showSelectedMode();
    } else {
        m_colourMode.setRunSetting(optNever256->isChecked() ? u"Never"_s : u"Ask"_s);
    }
}

void ColourModeFrames::showNormalColorCaption()
{
    cmdNormalColor->setText(
        QCoreApplication::translate("frmTiff", "%1 &Bit Color").arg(m_colourMode.startUpMode().bitsPerPixel));
}

void ColourModeFrames::showSelectedMode()
{
    List1->setCurrentRow(m_colourMode.selectedIndex());
}

} // namespace Kelbrix
