#include "size/bar_size_settings.h"

#include "base/units.h"
#include "settings/settings_store.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kMaximumDecimals = 20;
// Font sizes the settings take, in points; others keep the default.
constexpr double kSmallestFontSize = 1;
constexpr double kLargestFontSize = 400;

// A decimal number as the boxes hold it: optional blanks, optional sign, digits with one "."
// or ",", an optional exponent. Anything else is not a number.
std::optional<double> parseDecimal(const QString &text)
{
    QString plain = text.trimmed();
    plain.replace(u',', u'.');
    if (plain.isEmpty() || plain.size() > 400)
        return std::nullopt;
    for (const QChar c : std::as_const(plain)) {
        if (!(c.isDigit() && c.unicode() < 128) && c != u'.' && c != u'-' && c != u'+' && c != u'e' && c != u'E')
            return std::nullopt;
    }
    // from_chars reads "." whatever the locale, and takes no "+".
    if (plain.startsWith(u'+'))
        plain.remove(0, 1);
    const QByteArray bytes = plain.toLatin1();
    const char *first = bytes.constData();
    const char *last = first + bytes.size();
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (end != last || (error != std::errc() && error != std::errc::result_out_of_range))
        return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double: a huge number, or nothing.
        const bool tiny = plain.contains(u"e-"_s, Qt::CaseInsensitive);
        const bool negative = plain.startsWith(u'-');
        if (tiny)
            return 0.0;
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    if (std::isnan(value))
        return std::nullopt;
    return value;
}

QString yesNo(bool on)
{
    return on ? u"Y"_s : u"N"_s;
}

} // namespace

double BarSizeSettings::sizeValue(const QString &text)
{
    const std::optional<double> value = parseDecimal(text);
    if (!value || !(*value > 0))
        return 0;
    return *value;
}

QString BarSizeSettings::formatSize(double value)
{
    if (!std::isfinite(value) || value == 0)
        return u"0"_s;
    // Digits before the first significant one count as decimals, not as significant digits.
    const int magnitude = int(std::floor(std::log10(std::abs(value)))) + 1;
    const int decimals = std::clamp(kSignificantDigits - magnitude, 0, kMaximumDecimals);
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text == u"-0"_s ? u"0"_s : text;
}

QString BarSizeSettings::clampedText(const QString &text, Unit unit)
{
    const double maximum = unit == Unit::Inch ? kMaximumInches : kMaximumMillimetres;
    return sizeValue(text) > maximum ? formatSize(maximum) : text;
}

bool BarSizeSettings::clamp()
{
    const QString width = clampedText(widthText, unit);
    const QString height = clampedText(heightText, unit);
    const bool changed = width != widthText || height != heightText;
    widthText = width;
    heightText = height;
    return changed;
}

bool BarSizeSettings::hasSize() const
{
    return widthValue() > 0 && heightValue() > 0;
}

double BarSizeSettings::twipsPerUnit() const
{
    return unit == Unit::Inch ? kUserTwipsPerInch : kTwipsPerMillimetre;
}

QSizeF BarSizeSettings::tiffReferenceTwips(bool useDefined, const QSizeF &labelTwips) const
{
    if (useDefined)
        return labelTwips;
    const double perUnit = unit == Unit::Inch ? 1400.0 : kTwipsPerMillimetre;
    const QSizeF typed(0.75 * leadingNumber(widthText) * perUnit, 0.75 * leadingNumber(heightText) * perUnit);
    return typed.width() > 0 && typed.height() > 0 ? typed : labelTwips;
}

double BarSizeSettings::widthTwips() const
{
    const double maximum = unit == Unit::Inch ? kMaximumInches : kMaximumMillimetres;
    return std::min(widthValue(), maximum) * twipsPerUnit();
}

double BarSizeSettings::heightTwips() const
{
    const double maximum = unit == Unit::Inch ? kMaximumInches : kMaximumMillimetres;
    return std::min(heightValue(), maximum) * twipsPerUnit();
}

QSizeF BarSizeSettings::millimetres() const
{
    const double factor = unit == Unit::Inch ? kMillimetresPerInch : 1.0;
    const double maximum = unit == Unit::Inch ? kMaximumInches : kMaximumMillimetres;
    return QSizeF(std::min(widthValue(), maximum) * factor, std::min(heightValue(), maximum) * factor);
}

double BarSizeSettings::dotsPerInch() const
{
    switch (dpi) {
    case Dpi::Dpi72:
        return 72;
    case Dpi::Dpi96:
        return 96;
    case Dpi::User:
        break;
    }
    const std::optional<QString> settled = userDpiAfterEditing(userDpiText);
    return settled ? sizeValue(*settled) : 72.0;
}

double BarSizeSettings::previewHeightTwips() const
{
    // The same rule for every resolution: the preview has the pixels the defined height has
    // at the chosen dpi, shown on a 96 dpi screen.
    return heightTwips() * dotsPerInch() / kDefaultDotsPerInch;
}

std::optional<QString> BarSizeSettings::userDpiAfterEditing(const QString &text)
{
    const std::optional<double> value = parseDecimal(text);
    if (!value || *value < kMinimumUserDpi)
        return std::nullopt;
    if (*value > kMaximumUserDpi)
        return QString::number(kMaximumUserDpi);
    return text.trimmed();
}

void BarSizeSettings::settleUserDpi()
{
    if (dpi != Dpi::User)
        return;
    const std::optional<QString> settled = userDpiAfterEditing(userDpiText);
    if (settled)
        userDpiText = *settled;
    else
        dpi = Dpi::Dpi72;
}

void BarSizeSettings::switchUnit(Unit to)
{
    if (to == unit)
        return;
    const double factor = to == Unit::Inch ? 1.0 / kMillimetresPerInch : kMillimetresPerInch;
    widthText = formatSize(widthValue() * factor);
    heightText = formatSize(heightValue() * factor);
    unit = to;
}

void BarSizeSettings::setSizeMillimetres(const QSizeF &size)
{
    const double factor = unit == Unit::Inch ? 1.0 / kMillimetresPerInch : 1.0;
    widthText = formatSize(size.width() * factor);
    heightText = formatSize(size.height() * factor);
}

QString bearersName(Bearers bearers)
{
    switch (bearers) {
    case Bearers::None:
        return u"none"_s;
    case Bearers::TopBottom:
        return u"top-bottom"_s;
    case Bearers::Frame:
        break;
    }
    return u"frame"_s;
}

std::optional<Bearers> bearersFromName(const QString &name)
{
    for (const Bearers bearers : {Bearers::None, Bearers::TopBottom, Bearers::Frame}) {
        if (name == bearersName(bearers))
            return bearers;
    }
    return std::nullopt;
}

QColor colorFromSetting(const QString &text)
{
    bool ok = false;
    const qlonglong number = text.trimmed().toLongLong(&ok);
    if (!ok || number <= 0 || number > 0xFFFFFF)
        return Qt::white;
    return QColor(int(number & 0xFF), int((number >> 8) & 0xFF), int((number >> 16) & 0xFF));
}

QString colorToSetting(const QColor &color)
{
    const QColor rgb = color.isValid() ? color.toRgb() : QColor(Qt::white);
    return QString::number(rgb.red() + 256 * rgb.green() + 65536 * rgb.blue());
}

void BarSizeSettings::load(const SettingsStore &store)
{
    const QString unitText = store.value(u"Bar Matt"_s);
    if (unitText == u"I"_s)
        unit = Unit::Inch;
    else if (unitText.isEmpty() || unitText == u"M"_s)
        unit = Unit::Millimetre;

    // Any text goes into the boxes, as a user could type it; it counts as 0 unless it is a
    // number, and a number above the maximum is clamped as typing it would be.
    const QString width = store.value(u"Bar Width"_s);
    const QString height = store.value(u"Bar Height"_s);
    widthText = width.isEmpty() ? u"0"_s : width.left(64);
    heightText = height.isEmpty() ? u"0"_s : height.left(64);
    clamp();

    // A module outside the GS1 table (or no number) leaves the default.
    if (const QString module = store.value(u"2D Module"_s); !module.isEmpty()) {
        const double value = sizeValue(module);
        if (matrixModuleProblem(value).isEmpty())
            matrixModuleMm = value;
    }

    // Bearer bars the program does not know leave the frame it always drew.
    appearance.bearers = bearersFromName(store.value(u"Bearers"_s)).value_or(Bearers::Frame);

    const QString dpiText = store.value(u"DPI"_s);
    if (dpiText.isEmpty() || dpiText == u"72dpi"_s) {
        dpi = Dpi::Dpi72;
    } else if (dpiText == u"96dpi"_s) {
        dpi = Dpi::Dpi96;
    } else {
        dpi = Dpi::User;
        userDpiText = dpiText.left(64);
        settleUserDpi();
    }

    const QString definedText = store.value(u"Bar Def"_s);
    defined = definedText == u"Y"_s && hasSize();

    const QString fontName = store.value(u"FontName"_s);
    if (!fontName.trimmed().isEmpty())
        appearance.fontName = fontName.left(256);
    const QString bold = store.value(u"FontBold"_s);
    if (bold == u"Y"_s || bold == u"N"_s)
        appearance.bold = bold == u"Y"_s;
    const QString italic = store.value(u"FontItalic"_s);
    if (italic == u"Y"_s || italic == u"N"_s)
        appearance.italic = italic == u"Y"_s;
    const std::optional<double> fontSize = parseDecimal(store.value(u"FontSize"_s));
    if (fontSize && *fontSize >= kSmallestFontSize && *fontSize <= kLargestFontSize)
        appearance.fontSize = *fontSize;

    appearance.textBackColor = colorFromSetting(store.value(u"PicTXTColor"_s));
    appearance.barcodeBackColor = colorFromSetting(store.value(u"Bar1xColor"_s));

    const QString pixel = store.value(u"Pixel"_s);
    if (pixel.isEmpty() || pixel == u"YES"_s || pixel == u"NO"_s)
        appearance.pixelAlign = pixel != u"NO"_s;
    const QString aspect = store.value(u"Aspect"_s);
    if (aspect.isEmpty() || aspect == u"YES"_s || aspect == u"NO"_s)
        appearance.retainAspectRatio = aspect != u"NO"_s;
    // The menu's caption names the choice the next click makes: "Small" means the digits are
    // at their normal size now.
    const QString font = store.value(u"Font"_s);
    if (font.isEmpty() || font == u"Small"_s)
        appearance.smallFont = false;
    else if (font == u"Normal"_s)
        appearance.smallFont = true;
    const QString align = store.value(u"BarAlign"_s);
    if (align.isEmpty() || align == u"Center"_s)
        appearance.alignment = LabelAppearance::kAlignCentre;
    else if (align == u"Left"_s)
        appearance.alignment = LabelAppearance::kAlignLeft;
    else if (align == u"Right"_s)
        appearance.alignment = LabelAppearance::kAlignRight;
}

void BarSizeSettings::save(SettingsStore &store) const
{
    store.setValue(u"Bar Matt"_s, unit == Unit::Inch ? u"I"_s : u"M"_s);
    store.setValue(u"Bar Width"_s, widthText);
    store.setValue(u"Bar Height"_s, heightText);
    store.setValue(u"DPI"_s, dpi == Dpi::Dpi72 ? u"72dpi"_s : dpi == Dpi::Dpi96 ? u"96dpi"_s : userDpiText);
    store.setValue(u"Bar Def"_s, yesNo(defined));
    store.setValue(u"2D Module"_s, formatSize(matrixModuleMm));
    store.setValue(u"Bearers"_s, bearersName(appearance.bearers));
    store.setValue(u"FontName"_s, appearance.fontName);
    store.setValue(u"FontBold"_s, yesNo(appearance.bold));
    store.setValue(u"FontItalic"_s, yesNo(appearance.italic));
    store.setValue(u"FontSize"_s, formatSize(appearance.fontSize));
    store.setValue(u"PicTXTColor"_s, colorToSetting(appearance.textBackColor));
    store.setValue(u"Bar1xColor"_s, colorToSetting(appearance.barcodeBackColor));
    store.setValue(u"Pixel"_s, appearance.pixelAlign ? u"YES"_s : u"NO"_s);
    store.setValue(u"Aspect"_s, appearance.retainAspectRatio ? u"YES"_s : u"NO"_s);
    store.setValue(u"Font"_s, appearance.smallFont ? u"Normal"_s : u"Small"_s);
    store.setValue(u"BarAlign"_s, appearance.alignment == LabelAppearance::kAlignLeft    ? u"Left"_s
                                  : appearance.alignment == LabelAppearance::kAlignRight ? u"Right"_s
                                                                                         : u"Center"_s);
}

} // namespace Kelbrix
