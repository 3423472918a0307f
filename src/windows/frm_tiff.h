#pragma once

#include "export/printer_resolution.h"
#include "export/colour_mode_switch.h"
#include "export/display_modes.h"
#include "export/tiff_parameters.h"
#include "render/barcode_renderer.h"
#include "render/label_appearance.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace Kelbrix {

class ColourModeFrames;
class LabelPicture;
class TiffResolutionFrame;

/// The TIFF Parameters window: every parameter of TIFF export, the display-mode list and the
/// switches to 256 colours and back.
///
/// The window is made once, hidden, and keeps its values while hidden; its controls are the
/// parameters the export reads (parameters()). It holds the hidden renderer BarTiff, the
/// reference picture and the measuring label the export draws with. Controls are found by
/// their object names.
class frmTiff : public QDialog {
    Q_OBJECT
public:
    /// Makes the window on \a display (owned) with the resolution of the default printer.
    frmTiff(std::unique_ptr<DisplayModes> display, PrinterResolution printer, QWidget *parent = nullptr);
    ~frmTiff() override;

    /// The parameters as the controls show them.
    TiffParameters parameters() const;
    /// Puts \a parameters into the controls.
    void setParameters(const TiffParameters &parameters);
    /// Shows \a text in the copies box, as the export does when it finds the box empty.
    void setCopiesText(const QString &text);
    /// Resolution TIFF files are made at now, in dpi.
    int resolutionDpi() const;
    int printerDpi() const;

    /// The display modes and the colour-mode switches; the mode list shows its selection.
    ColourModeSwitch &colourMode();

    /// The colour-mode step of each activation of the main window (see
    /// ColourModeSwitch::offerOnActivation), with the ask option of this window.
    void offerColourMode();
    /// The colour-mode step of the main window's close: back to the start-up mode.
    void returnToStartUpMode();
    /// Acts on the colour-mode setting just read: "256" switches to 256 colours at once (where
    /// the display can switch); the others are kept for this run's activation step.
    void applyColourModeSetting();

    /// Shows the window modally, as "&TIFF Parameters" does.
    void showParameters();

    /// The hidden renderer, reference picture and measuring label of the export.
    BarcodeRenderer &barTiff() { return BarTiff; }
    LabelPicture *tiffReference() const { return picTiffRef; }
    QLabel *measuringLabel() const { return lblMeasure; }

    /// Gives the hidden renderer BarTiff the look the size window set for every renderer.
    void applyAppearance(const LabelAppearance &appearance);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *buildFunctionsFrame();
    void connectHandlers();
    void onOk();
    void onIsbnFont();

    /// The start-up colour mode and the monitor's modes, with the display.
    std::unique_ptr<ColourModeFrames> m_colourModes;
    QString m_isbnTiffFont;

    TiffResolutionFrame *FrameResolution = nullptr;
    QCheckBox *chkInvertImg = nullptr;
    QPushButton *cmdISBNFont = nullptr;
    QRadioButton *optMirrorNo = nullptr;
    QRadioButton *optMirrorH = nullptr;
    QRadioButton *optMirrorV = nullptr;
    QRadioButton *optRotateNo = nullptr;
    QRadioButton *optRotate90 = nullptr;
    QRadioButton *optRotate180 = nullptr;
    QRadioButton *optRotate270 = nullptr;
    QRadioButton *optCompNo = nullptr;
    QRadioButton *optCompHuff = nullptr;
    QRadioButton *optCompG3 = nullptr;
    QRadioButton *optCompG4 = nullptr;
    QCheckBox *chkTiffCompW = nullptr;
    QCheckBox *chkTiffCompH = nullptr;
    QLineEdit *txtCopies = nullptr;
    QLabel *Label4 = nullptr;
    QCheckBox *chkVerify = nullptr;
    QPushButton *cmdOK = nullptr;
    QLabel *Label3 = nullptr;
    LabelPicture *picTiffRef = nullptr;
    QLabel *lblMeasure = nullptr;
    BarcodeRenderer BarTiff;
};

} // namespace Kelbrix
