// The main window's part of the TIFF Parameters window: making it, "&TIFF Parameters", its
// settings, and the display colour mode on activation and close.
#include "app/form1.h"

#include "app/frm_bar_size.h"
#include "app/frm_tiff.h"
#include "app/printer_resolution.h"
#include "export/display_modes.h"
#include "export/tiff_parameters.h"

namespace Kelbrix {

frmTiff *Form1::tiffWindow()
{
    // Made once, by whatever needs it first (the settings, the menu or an export), and kept
    // hidden; it goes with the main window.
    if (!m_tiff) {
        m_tiff = new frmTiff(makePlatformDisplayModes(), defaultPrinterResolution(), this);
        if (m_barSize) {
            m_tiff->applyAppearance(m_barSize->settings().appearance);
            // The size window's "Click Here for dpi" opens this window.
            connect(m_barSize, &frmBarSize::dpiWindowRequested, this, &Form1::showTiffWindow);
        }
    }
    return m_tiff;
}

void Form1::showTiffWindow()
{
    tiffWindow()->showParameters();
}

void Form1::loadTiffSettings()
{
    tiffWindow()->setParameters(TiffParameters::fromSettings(m_settings));
    tiffWindow()->applyColourModeSetting();
}

void Form1::saveTiffSettings()
{
    tiffWindow()->parameters().toSettings(m_settings);
}

void Form1::offerColourMode()
{
    // No question while a batch walks the list; a later activation asks it.
    if (m_tiff && ListItemInWork == 0)
        m_tiff->offerColourMode();
}

void Form1::returnToStartUpColourMode()
{
    if (m_tiff)
        m_tiff->returnToStartUpMode();
}

} // namespace Kelbrix
