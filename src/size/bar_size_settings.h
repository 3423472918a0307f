#pragma once

#include "label/matrix_part.h"
#include "render/label_appearance.h"

#include <QSizeF>
#include <QString>

#include <optional>

namespace Kelbrix {

class SettingsStore;

/// The state of the size window without its widgets: the defined size as the user typed it,
/// its unit, the resolution it is meant for, the defined-size switch and the shared look of
/// the labels. It holds the rules of the window (clamps, unit switch, minimum sizes, dpi)
/// and reads and writes its settings values.
///
/// Sizes are kept as the texts of the two boxes; every number is derived from them. A text
/// that is not a number, or not above 0, counts as 0, which turns the defined size off.
class BarSizeSettings {
public:
    enum class Unit { Millimetre, Inch };
    enum class Dpi { Dpi72, Dpi96, User };

    /// Largest size a box takes, in its unit; larger values become this text.
    static constexpr double kMaximumMillimetres = 102;
    static constexpr double kMaximumInches = 4;
    /// Range of the user resolution.
    static constexpr int kMinimumUserDpi = 72;
    static constexpr int kMaximumUserDpi = 300;

    Unit unit = Unit::Millimetre;
    QString widthText = QStringLiteral("0");
    QString heightText = QStringLiteral("0");
    Dpi dpi = Dpi::Dpi72;
    QString userDpiText;  ///< the user resolution box
    bool defined = false; ///< "&Use Defined Barcode"
    LabelAppearance appearance;
    /// The module of the 2D symbols, in millimetres, within the GS1 table (see matrixModuleProblem).
    double matrixModuleMm = kMatrixModuleDefaultMm;

    /// The number a size text stands for: "," counts as ".", a text that is not a number
    /// (or NaN) gives 0, a negative number gives 0, a number too large for a double gives
    /// infinity (which every clamp turns into its maximum).
    static double sizeValue(const QString &text);
    /// \a value as the boxes show it: plain decimal form, "." as separator, no leading blank,
    /// at most 15 significant digits and no trailing zeros ("1.5748031496063").
    static QString formatSize(double value);

    /// \a text after the clamp of \a unit: "102" (millimetres) or "4" (inches) when it is
    /// above that, otherwise \a text unchanged.
    static QString clampedText(const QString &text, Unit unit);
    /// Applies clampedText() to both boxes; true when a text changed.
    bool clamp();

    double widthValue() const { return sizeValue(widthText); }
    double heightValue() const { return sizeValue(heightText); }
    /// True when both sizes are above 0: only then can the defined size be used.
    bool hasSize() const;

    /// Twips per unit: 56.7 per millimetre, 1440.18 per inch.
    double twipsPerUnit() const;
    /// The defined width W and height H in twips.
    double widthTwips() const;
    double heightTwips() const;
    /// The defined size in millimetres.
    QSizeF millimetres() const;
    /// The size a TIFF is made for, in twips. With "Use Defined Barcode" checked (\a useDefined)
    /// it is \a labelTwips, the size of the main label. Otherwise it is three quarters of the
    /// typed width and height (each read as a leading number) at 1400 twips per inch or 56.7 per
    /// millimetre; when that holds no size it is \a labelTwips too, since the picture would be empty.
    QSizeF tiffReferenceTwips(bool useDefined, const QSizeF &labelTwips) const;

    /// The resolution the defined size is meant for: 72, 96, or the user value with the
    /// user rules applied (see userDpiAfterEditing()).
    double dotsPerInch() const;
    /// Height of the preview in twips: H x dpi / 96 (0.75 H at 72 dpi).
    double previewHeightTwips() const;

    /// What leaving the user dpi box does with \a text: nullopt when the 72 dpi option is to
    /// be selected instead (empty, not a number, below 72), otherwise the text to keep ("300"
    /// for anything above 300).
    static std::optional<QString> userDpiAfterEditing(const QString &text);
    /// Applies userDpiAfterEditing() to the user dpi; does nothing unless the user option holds.
    void settleUserDpi();

    /// Converts both boxes to \a to (mm to inches: x 1 / 25.4; inches to mm: x 25.4). Does
    /// nothing when the unit already is \a to.
    void switchUnit(Unit to);
    /// Fills in \a millimetres in the current unit (converted to inches in inch mode).
    void setSizeMillimetres(const QSizeF &millimetres);

    /// Reads the size and appearance values from \a store; missing, empty or unrecognised
    /// values leave their defaults. The result is settled: clamped sizes, a user dpi within
    /// its range, the defined size off when there is no size.
    void load(const SettingsStore &store);
    /// Writes every size and appearance value into \a store.
    void save(SettingsStore &store) const;

    friend bool operator==(const BarSizeSettings &, const BarSizeSettings &) = default;
};

/// The bearer bars of SCC-14 as the settings and the command line name them: "none",
/// "top-bottom" or "frame".
QString bearersName(Bearers bearers);
/// The bearer bars \a name stands for; nullopt for any other text.
std::optional<Bearers> bearersFromName(const QString &name);

/// Colours as the settings keep them: a decimal number, red + 256 x green + 65536 x blue.
/// 0, an empty text or a text that is not such a number read as white.
QColor colorFromSetting(const QString &text);
QString colorToSetting(const QColor &color);

} // namespace Kelbrix
