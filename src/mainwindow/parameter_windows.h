#pragma once

#include <QObject>

namespace Kelbrix {

class Form1;
class SettingsStore;
class frmBarSize;
class frmTiff;

/// The size window and the TIFF Parameters window as the main window uses them: opening them,
/// mirroring "&Use Defined Barcode", taking the defined size and the shared look into the
/// renderers and labels, their settings, and the display colour mode on activation and close.
class ParameterWindows : public QObject {
    Q_OBJECT
public:
    /// Makes the size window, hidden, so that the settings load into it, and connects
    /// "Barcode &Size" and "&Use Defined Barcode" of \a form.
    explicit ParameterWindows(Form1 &form);

    frmBarSize *sizeWindow() const { return m_barSize; }
    /// The TIFF Parameters window, made on first use and kept hidden; it goes with the main window.
    frmTiff *tiffWindow();
    /// Resolution the defined-size label is made at: the one the size window names.
    double definedLabelDotsPerInch() const;

    void loadSettings(SettingsStore &settings);
    void saveSettings(SettingsStore &settings);
    /// Offers the 256-colour display mode, unless a batch walks the list (a later activation asks).
    void offerColourMode();
    void returnToStartUpColourMode();

private:
    void showSizeWindow();
    void applySizeSettings();

    Form1 &m_form;
    frmBarSize *m_barSize = nullptr;
    frmTiff *m_tiff = nullptr;
};

} // namespace Kelbrix
