#pragma once

#include "size/bar_size_settings.h"

#include <QList>
#include <QWidget>

#include <utility>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace Kelbrix {

/// The left column of the size window: the unit ("Scale Mode"), the width and height boxes,
/// the resolution, "&Use Defined Barcode", "&Use Minimum" and "&Register Size".
///
/// The panel shows what the window's BarSizeSettings hold (showSettings(), showDefined()) and
/// says what the user did with its controls through its signals; the rules of the size stay
/// with the window. Showing never announces anything.
class BarSizePanel : public QWidget {
    Q_OBJECT
public:
    /// Makes the panel and its controls, named as the behaviour names them, in \a parent.
    explicit BarSizePanel(QWidget *parent);

    /// Shows the unit, the two sizes and the resolution of \a settings.
    void showSettings(const BarSizeSettings &settings);
    /// Shows "&Use Defined Barcode" \a checked, and \a enabled only where there is a size.
    void showDefined(bool enabled, bool checked);
    /// The hints of the panel's controls, in the language of the moment.
    QList<std::pair<QObject *, QString>> hints() const;

signals:
    /// A unit option was clicked.
    void unitChosen(BarSizeSettings::Unit unit);
    /// The width box (or, with \a height, the height box) now reads \a text.
    void sizeEdited(bool height, const QString &text);
    /// A resolution option was clicked, or the user typed into the user resolution box, which
    /// chooses that option; \a userDpiText is what the box reads.
    void dpiEdited(BarSizeSettings::Dpi dpi, const QString &userDpiText);
    /// The user left the user resolution box, which reads \a text.
    void userDpiFinished(const QString &text);
    /// "&Use Defined Barcode" was clicked; \a checked is the box's state now.
    void definedClicked(bool checked);
    /// "&Use Minimum" was clicked.
    void minimumClicked();
    /// "Click Here for dpi" was clicked.
    void dpiWindowRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onDpiOption();

    bool m_showing = false; ///< the controls follow the settings: their signals are no edit

    QGroupBox *Frame1 = nullptr; ///< "Scale Mode"
    QRadioButton *optBSmm = nullptr;
    QRadioButton *optBSInch = nullptr;
    QLabel *Label1 = nullptr; ///< "&Width"
    QLabel *Label2 = nullptr; ///< "&Height"
    QLineEdit *txtBSWidth = nullptr;
    QLineEdit *txtBSHeight = nullptr;
    QLabel *lblUnitWidth = nullptr;
    QLabel *lblUnitHeight = nullptr;
    QGroupBox *Frame2 = nullptr; ///< resolution
    QRadioButton *opt72dpi = nullptr;
    QRadioButton *opt96dpi = nullptr;
    QRadioButton *optUserdpiW = nullptr;
    QLineEdit *Text1 = nullptr;
    QLabel *Label6 = nullptr; ///< "Click Here for dpi"
    QCheckBox *chkDefined = nullptr;
    QPushButton *comMinimum = nullptr;
    QPushButton *cmdRegSize = nullptr;
};

} // namespace Kelbrix
