// The main window's side of the size window: opening it, mirroring "&Use Defined Barcode",
// taking over the defined size and the shared look into the renderers and labels, and the
// size and look values of the settings.
#include "app/form1.h"

#include "app/frm_bar_size.h"
#include "app/frm_tiff.h"
#include "app/window_placement.h"
#include "app/label_picture.h"

#include <QAction>
#include <QCheckBox>

namespace Kelbrix {

void Form1::buildSizeWindow()
{
    // The window exists, hidden, from the start, so that the settings load into it.
    m_barSize = new frmBarSize(this);
    mnuBarSize->setEnabled(true);
    connect(mnuBarSize, &QAction::triggered, this, &Form1::showSizeWindow);
    connect(m_barSize, &frmBarSize::settingsChanged, this, &Form1::onSizeSettingsChanged);
    connect(m_barSize, &frmBarSize::definedClicked, this, [this](bool checked) {
        chkDefined->setChecked(checked);
        onUseDefined();
    });
    connect(m_barSize, &frmBarSize::definedSizeTaken, this, [this] {
        applySizeSettings();
        if (chkDefined->isChecked())
            UpdateDefinedBarcodeView();
    });
    // Runs after the box's own handler: the size window shows what that handler left.
    connect(chkDefined, &QCheckBox::clicked, this, [this] { m_barSize->setDefinedChecked(chkDefined->isChecked()); });
}

void Form1::showSizeWindow()
{
    placeOverMainWindow(m_barSize, this);
    m_barSize->show();
    m_barSize->raise();
    m_barSize->activateWindow();
}

void Form1::applySizeSettings()
{
    const BarSizeSettings &size = m_barSize->settings();
    size.appearance.applyTo(Barcode1);
    size.appearance.applyTo(Barcode1x);
    if (m_tiff)
        m_tiff->applyAppearance(size.appearance);
    QPalette textPalette = PicTXT->palette();
    textPalette.setColor(QPalette::Window, size.appearance.textBackColor);
    PicTXT->setPalette(textPalette);

    setDefinedSize(size.hasSize() ? size.widthTwips() : 0, size.hasSize() ? size.heightTwips() : 0);
    chkDefined->setEnabled(size.hasSize());
    chkDefined->setChecked(size.defined);
}

void Form1::onSizeSettingsChanged()
{
    applySizeSettings();
    // The main update runs the defined-size update too when that is in use.
    UpdateBarcodeView();
}

void Form1::loadSizeSettings()
{
    BarSizeSettings size;
    size.load(m_settings);
    m_barSize->setSettings(size);
    applySizeSettings();
}

void Form1::saveSizeSettings()
{
    m_barSize->settings().save(m_settings);
}

double Form1::definedLabelDotsPerInch() const
{
    return m_barSize->settings().dotsPerInch();
}

} // namespace Kelbrix
