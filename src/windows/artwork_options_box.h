#pragma once

#include "artwork/artwork_options.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;

namespace Kelbrix {

class BarcodeRenderer;

/// The size window's group box "Artwork (SVG, PDF, EPS)": how vector artwork is sized
/// (magnification, X-dimension in millimetres or mils, bar width reduction, quiet-zone marks,
/// transparent background), and the X-dimension those options give a symbol.
///
/// The box holds the options it shows. An edit by the user updates them and announces edited();
/// showing the options again, with the X-dimension, is for the window, which knows the symbol
/// and the defined size (showFor()).
class ArtworkOptionsBox : public QGroupBox {
    Q_OBJECT
public:
    /// Makes the box, named "fraArtwork", and its controls in \a parent.
    explicit ArtworkOptionsBox(QWidget *parent);

    const ArtworkOptions &options() const { return m_options; }
    /// Takes \a options as the box's own; the controls show them with the next showFor().
    /// Announces nothing.
    void setOptions(const ArtworkOptions &options);
    /// Shows the options in the controls, and the X-dimension the symbol of \a renderer gets in
    /// artwork with them, or why it gets none. \a definedWidthMm, the width of a defined size in
    /// use (0: none), wins over the options. Announces nothing.
    void showFor(const BarcodeRenderer &renderer, double definedWidthMm);

signals:
    /// The user changed an option; options() holds the change.
    void edited();

private:
    void onEdited();

    ArtworkOptions m_options;
    bool m_showing = false; ///< the controls follow the options: their signals are no edit

    QDoubleSpinBox *spnMagnification = nullptr;
    QDoubleSpinBox *spnXDimension = nullptr;
    QComboBox *cboXUnit = nullptr;
    QDoubleSpinBox *spnBWR = nullptr;
    QCheckBox *chkQuietMarks = nullptr;
    QCheckBox *chkTransparent = nullptr;
    QLabel *lblArtworkX = nullptr;
};

} // namespace Kelbrix
