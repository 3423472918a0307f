#pragma once

#include "export/printer_resolution.h"

#include <QGroupBox>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace Kelbrix {

/// The TIFF window's frame "TIFF Resolution": the printer's resolution or one of the user's own
/// for TIFF files, and the screen's resolution.
///
/// The frame keeps the rules of its box: typing a resolution above the largest says so and
/// shows the largest; a click into the box chooses the user's own resolution; OK checks the
/// smallest (settleOnOk()).
class TiffResolutionFrame : public QGroupBox {
    Q_OBJECT
public:
    /// Makes the frame, named "FrameResolution", in \a parent (the window) for \a printer.
    TiffResolutionFrame(PrinterResolution printer, QWidget *parent);

    /// True when the printer's resolution is chosen.
    bool printerResolution() const;
    /// The text of the user's own resolution box, as typed.
    QString userResolution() const;
    /// Shows \a printerResolution chosen or not and \a userResolution in the box; a restored
    /// value is no typing, and raises no message.
    void showResolution(bool printerResolution, const QString &userResolution);
    int printerDpi() const { return m_printer.dotsPerInch; }

    /// Names the printer's resolution in the caption of its option, followed by \a unit
    /// (" ppi (dpi)", " dpi"); a language switch shows it again in the new language.
    void setPrinterCaption(const QString &unit);

    /// What OK does with the resolution choice (see checkResolutionOnOk()): says "Min.
    /// resolution is 300 dpi" and shows 300 when the user's own is too small, chooses the
    /// printer's for an empty box. False when the window is to stay open.
    bool settleOnOk();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void onUserResolutionChanged();

    PrinterResolution m_printer;
    QString m_printerCaptionUnit; ///< the unit the printer resolution option was last shown with

    QRadioButton *optPrinterRes = nullptr;
    QRadioButton *optUserRes = nullptr;
    QLineEdit *txtUserRes = nullptr;
    QLineEdit *txtScreenDPI = nullptr;
    QLabel *Label2 = nullptr;
};

} // namespace Kelbrix
