#pragma once

#include "artwork/artwork_options.h"
#include "render/barcode_renderer.h"
#include "size/bar_size_settings.h"
#include "size/module_width.h"

#include <QHash>
#include <QMainWindow>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QStatusBar;

namespace Kelbrix {

class ArtworkOptionsBox;
class BarSizePanel;
class LabelPicture;
class LookMenus;

/// The size window "Barcode Size": the defined size of the barcode in millimetres or inches,
/// the resolution it is meant for, the look every renderer shares, and a live preview drawn
/// by its own renderer Barcode2 with sample data of the chosen type, with the module width
/// the defined size gives.
///
/// The window holds a BarSizeSettings and shows it; every change the user makes is applied to
/// those settings and announced with settingsChanged(). It never reaches into another window:
/// the main window reads settings() and mirrors its own defined-size box through
/// setDefinedChecked().
class frmBarSize : public QMainWindow {
    Q_OBJECT
public:
    explicit frmBarSize(QWidget *parent = nullptr);
    ~frmBarSize() override;

    const BarSizeSettings &settings() const { return m_settings; }
    const LabelAppearance &appearance() const { return m_settings.appearance; }
    /// Shows \a settings in the controls (settings load); announces nothing.
    void setSettings(const BarSizeSettings &settings);
    /// How vector artwork is sized: magnification, X-dimension, bar width reduction, marks.
    const ArtworkOptions &artworkOptions() const;
    /// Shows \a options (settings load); announces nothing.
    void setArtworkOptions(const ArtworkOptions &options);
    /// Mirrors the main window's "&Use Defined Barcode": checked only when there is a size.
    void setDefinedChecked(bool checked);

    /// The preview renderer, with the sample of the chosen type and the shared look.
    const BarcodeRenderer &previewRenderer() const { return Barcode2; }
    /// What the window says about the module width of the defined size.
    const ModuleWidthReadout &moduleWidth() const { return m_readout; }
    /// The text of the status bar's hint panel.
    QString statusText() const;

signals:
    /// The size, resolution, defined-size switch or look changed.
    void settingsChanged();
    /// The user clicked the window's "&Use Defined Barcode"; \a checked is its state after
    /// the defined-size rule (never checked without a size).
    void definedClicked(bool checked);
    /// The window was activated or closed with "&Close": the defined size is to be taken
    /// over by the labels.
    void definedSizeTaken();
    /// "Click Here for dpi": the user asks for the TIFF parameters window.
    void dpiWindowRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildWindow();
    void connectSizePanel();
    QGroupBox *buildPreviewOptions();
    /// Shows the artwork options and the X-dimension they give the preview's type.
    void showArtworkOptions();
    /// The box of the 2D symbols' module, and what its editing does.
    QGroupBox *buildMatrixBox();
    void onMatrixModuleEdited();
    void showMatrixModule();
    /// The box of SCC-14's bearer bars, and what choosing one does.
    QGroupBox *buildBearersBox();
    void onBearersChosen(Bearers bearers);
    void showBearers();
    void buildMenus();
    void installHints();
    /// Shows the settings in the size panel and the look menus; announces nothing.
    void showSettings();

    void onSizeEdited(bool height, const QString &text);
    void onUnit(BarSizeSettings::Unit unit);
    void onDpiEdited(BarSizeSettings::Dpi dpi, const QString &userDpiText);
    void onUserDpiFinished(const QString &text);
    void onDefinedClicked(bool checked);
    void onUseMinimum();
    void onPreviewOption(const QString &option);
    void onLookEdited(bool reshow);

    /// Settles the defined-size box, redraws the preview and the module width, resizes the
    /// window and announces the change.
    void changed();
    void updateDefinedBox();
    void updatePreview();
    double previewWidthTwips() const;
    void setHint(const QString &text);

    BarSizeSettings m_settings;
    QString m_previewOption = QStringLiteral("optEAN13");
    ModuleWidthReadout m_readout;
    QHash<QObject *, QString> m_hints;

    /// The unit, the size boxes and the resolution.
    BarSizePanel *m_sizePanel = nullptr;
    /// The sizes of vector artwork.
    ArtworkOptionsBox *fraArtwork = nullptr;
    QGroupBox *fraMatrix = nullptr;
    QLineEdit *txtMatrixModule = nullptr; ///< the 2D symbols' module, mm
    QGroupBox *fraBearers = nullptr;
    QRadioButton *optBearersNone = nullptr;
    QRadioButton *optBearersTopBottom = nullptr;
    QRadioButton *optBearersFrame = nullptr;
    LookMenus *m_lookMenus = nullptr;

    // Controls, named as the window's behaviour is written.
    QGroupBox *Frame3 = nullptr; ///< "Show Barcode (Select Barcode)"
    QList<QRadioButton *> m_previewOptions;
    LabelPicture *picBarsize = nullptr;
    QLabel *lblModuleWidth = nullptr;
    QLabel *lblModuleWarning = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *m_hintPanel = nullptr;
    BarcodeRenderer Barcode2;

    QAction *mnuClose = nullptr;
};

} // namespace Kelbrix
