// The main window's side of the size window and the TIFF Parameters window: opening them,
// mirroring "&Use Defined Barcode", taking over the defined size and the shared look into the
// renderers and labels, the size, look and TIFF values of the settings, and the display
// colour mode on activation and close.
#include "mainwindow/parameter_windows.h"

#include "mainwindow/batch_runner.h"
#include "mainwindow/form1.h"
#include "mainwindow/label_panel.h"
#include "mainwindow/main_menu.h"
#include "windows/frm_bar_size.h"
#include "windows/frm_tiff.h"
#include "export/printer_resolution.h"
#include "widgets/window_placement.h"
#include "export/display_modes.h"
#include "export/tiff_parameters.h"
#include "widgets/label_picture.h"

#include <QAction>
#include <QCheckBox>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

ParameterWindows::ParameterWindows(Form1 &form) : QObject(&form), m_form(form), m_barSize(new frmBarSize(&form))
{
    QAction *mnuBarSize = m_form.menus().action(u"mnuBarSize"_s);
    mnuBarSize->setEnabled(true);
    connect(mnuBarSize, &QAction::triggered, this, &ParameterWindows::showSizeWindow);
    LabelPanel &label = m_form.label();
    connect(m_barSize, &frmBarSize::settingsChanged, this, [this, &label] {
        applySizeSettings();
        // The main update runs the defined-size update too when that is in use.
        label.UpdateBarcodeView();
    });
    connect(m_barSize, &frmBarSize::definedClicked, this, [&label](bool checked) {
        label.checkUsesDefined(checked);
        label.onUseDefined();
    });
    connect(m_barSize, &frmBarSize::definedSizeTaken, this, [this, &label] {
        applySizeSettings();
        if (label.usesDefined())
            label.UpdateDefinedBarcodeView();
    });
    // After the box's own handler: the size window shows what that handler left.
    connect(&label, &LabelPanel::definedClicked, this,
            [this, &label] { m_barSize->setDefinedChecked(label.usesDefined()); });
}

void ParameterWindows::showSizeWindow()
{
    placeOverMainWindow(m_barSize, &m_form);
    m_barSize->show();
    m_barSize->raise();
    m_barSize->activateWindow();
}

void ParameterWindows::applySizeSettings()
{
    const BarSizeSettings &size = m_barSize->settings();
    LabelPanel &label = m_form.label();
    label.applyAppearance(size.appearance);
    if (m_tiff)
        m_tiff->applyAppearance(size.appearance);
    label.setDefinedSize(size.hasSize() ? size.widthTwips() : 0, size.hasSize() ? size.heightTwips() : 0);
    label.setUsesDefined(size.defined, size.hasSize());
}

double ParameterWindows::definedLabelDotsPerInch() const
{
    return m_barSize->settings().dotsPerInch();
}

frmTiff *ParameterWindows::tiffWindow()
{
    // Made once, by whatever needs it first (the settings, the menu or an export).
    if (!m_tiff) {
        m_tiff = new frmTiff(makePlatformDisplayModes(), defaultPrinterResolution(), &m_form);
        m_tiff->applyAppearance(m_barSize->settings().appearance);
        // The size window's "Click Here for dpi" opens this window.
        connect(m_barSize, &frmBarSize::dpiWindowRequested, this, [this] { tiffWindow()->showParameters(); });
    }
    return m_tiff;
}

void ParameterWindows::loadSettings(SettingsStore &settings)
{
    BarSizeSettings size;
    size.load(settings);
    m_barSize->setSettings(size);
    ArtworkOptions artwork;
    artwork.load(settings);
    m_barSize->setArtworkOptions(artwork);
    applySizeSettings();

    tiffWindow()->setParameters(TiffParameters::fromSettings(settings));
    tiffWindow()->applyColourModeSetting();
}

void ParameterWindows::saveSettings(SettingsStore &settings)
{
    m_barSize->settings().save(settings);
    m_barSize->artworkOptions().save(settings);
    tiffWindow()->parameters().toSettings(settings);
}

void ParameterWindows::offerColourMode()
{
    // No question while a batch walks the list; a later activation asks it.
    if (m_tiff && m_form.batch().recordInWork() == 0)
        m_tiff->offerColourMode();
}

void ParameterWindows::returnToStartUpColourMode()
{
    if (m_tiff)
        m_tiff->returnToStartUpMode();
}

} // namespace Kelbrix
