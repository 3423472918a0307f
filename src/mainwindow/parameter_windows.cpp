// The main window's side of the size window and the TIFF Parameters window: opening them,
// mirroring "&Use Defined Barcode", taking over the defined size and the shared look into the
// renderers and labels, the size, look and TIFF values of the settings, and the display
// colour mode on activation and close.
#include "mainwindow/parameter_windows.h"

#include "mainwindow/form1.h"
#include "windows/frm_bar_size.h"
#include "windows/frm_tiff.h"
#include "export/printer_resolution.h"
#include "widgets/window_placement.h"
#include "export/display_modes.h"
#include "export/tiff_parameters.h"
#include "widgets/label_picture.h"

#include <QAction>
#include <QCheckBox>

namespace Kelbrix {

ParameterWindows::ParameterWindows(Form1 &form) : QObject(&form), m_form(form), m_barSize(new frmBarSize(&form))
{
    m_form.mnuBarSize->setEnabled(true);
    connect(m_form.mnuBarSize, &QAction::triggered, this, &ParameterWindows::showSizeWindow);
    connect(m_barSize, &frmBarSize::settingsChanged, this, [this] {
        applySizeSettings();
        // The main update runs the defined-size update too when that is in use.
        m_form.UpdateBarcodeView();
    });
    connect(m_barSize, &frmBarSize::definedClicked, this, [this](bool checked) {
        m_form.chkDefined->setChecked(checked);
        m_form.onUseDefined();
    });
    connect(m_barSize, &frmBarSize::definedSizeTaken, this, [this] {
        applySizeSettings();
        if (m_form.chkDefined->isChecked())
            m_form.UpdateDefinedBarcodeView();
    });
    // Runs after the box's own handler: the size window shows what that handler left.
    connect(m_form.chkDefined, &QCheckBox::clicked, this,
            [this] { m_barSize->setDefinedChecked(m_form.chkDefined->isChecked()); });
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
    size.appearance.applyTo(m_form.Barcode1);
    size.appearance.applyTo(m_form.Barcode1x);
    if (m_tiff)
        m_tiff->applyAppearance(size.appearance);
    QPalette textPalette = m_form.PicTXT->palette();
    textPalette.setColor(QPalette::Window, size.appearance.textBackColor);
    m_form.PicTXT->setPalette(textPalette);

    m_form.setDefinedSize(size.hasSize() ? size.widthTwips() : 0, size.hasSize() ? size.heightTwips() : 0);
    m_form.chkDefined->setEnabled(size.hasSize());
    m_form.chkDefined->setChecked(size.defined);
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
    if (m_tiff && m_form.ListItemInWork == 0)
        m_tiff->offerColourMode();
}

void ParameterWindows::returnToStartUpColourMode()
{
    if (m_tiff)
        m_tiff->returnToStartUpMode();
}

} // namespace Kelbrix
