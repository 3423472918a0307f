#include "export/tiff_parameters.h"

#include "base/units.h"
#include "settings/settings_store.h"

#include <array>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// Each choice with the text it is stored as.
constexpr std::array<std::pair<TiffCompression, const char16_t *>, 4> kCompressions{{
    {TiffCompression::None, u"No"},
    {TiffCompression::Huffman, u"Huff"},
    {TiffCompression::Group3, u"G3"},
    {TiffCompression::Group4, u"G4"},
}};
constexpr std::array<std::pair<TiffMirror, const char16_t *>, 3> kMirrors{{
    {TiffMirror::None, u"No"},
    {TiffMirror::Horizontal, u"H"},
    {TiffMirror::Vertical, u"V"},
}};
constexpr std::array<std::pair<TiffRotation, const char16_t *>, 4> kRotations{{
    {TiffRotation::None, u"No"},
    {TiffRotation::Rotate90, u"90"},
    {TiffRotation::Rotate180, u"180"},
    {TiffRotation::Rotate270, u"270"},
}};
constexpr std::array<std::pair<ColourModeChoice, const char16_t *>, 3> kColourModes{{
    {ColourModeChoice::Always256, u"256"},
    {ColourModeChoice::Ask, u"Ask"},
    {ColourModeChoice::Never, u"Never"},
}};

// The choice stored as \a text; \a fallback for an empty or unknown text.
template <typename Choice, size_t N>
Choice choiceOf(const std::array<std::pair<Choice, const char16_t *>, N> &table, const QString &text, Choice fallback)
{
    for (const auto &[choice, stored] : table) {
        if (text == QString::fromUtf16(stored))
            return choice;
    }
    return fallback;
}

template <typename Choice, size_t N>
QString textOf(const std::array<std::pair<Choice, const char16_t *>, N> &table, Choice choice)
{
    for (const auto &[c, stored] : table) {
        if (c == choice)
            return QString::fromUtf16(stored);
    }
    return QString::fromUtf16(table[0].second);
}

} // namespace

TiffParameters TiffParameters::fromSettings(SettingsStore &store)
{
    TiffParameters p;
    const QString resolution = store.value(u"TiffRes"_s);
    // Any text but "Printer" is the user's own resolution, when the box could hold it.
    if (resolution != u"Printer"_s && !resolution.isEmpty() && isEntryText(resolution, kResolutionChars)) {
        p.printerResolution = false;
        // A stored value goes through the rules of a typed one: above 4800 reads as "4800", below
        // 300 as "300" (as OK makes of it), so no file is made at a resolution the window refuses.
        if (resolutionTooHigh(resolution))
            p.userResolution = QString::number(kMaxResolution);
        else if (leadingNumber(resolution) < kMinResolution)
            p.userResolution = QString::number(kMinResolution);
        else
            p.userResolution = resolution;
    }
    p.compression = choiceOf(kCompressions, store.value(u"TiffComp"_s), TiffCompression::Huffman);
    p.invert = store.value(u"TiffInvert"_s) == u"Inv"_s;
    p.mirror = choiceOf(kMirrors, store.value(u"TiffMirror"_s), TiffMirror::None);
    p.rotation = choiceOf(kRotations, store.value(u"TiffRotate"_s), TiffRotation::None);
    p.adjustWidth = store.value(u"TiffAdjustW"_s) == u"W"_s;
    p.adjustHeight = store.value(u"TiffAdjustH"_s) == u"H"_s;
    const QString colourMode = store.value(u"Use256"_s);
    p.colourMode = choiceOf(kColourModes, colourMode, ColourModeChoice::Ask);
    if (colourMode.isEmpty())
        store.setValue(u"Use256"_s, u"Ask"_s);
    p.isbnTiffFont = store.value(u"ISBNtiffFont"_s);
    p.verify = store.value(u"TiffVerify"_s) != u"N"_s;
    return p;
}

void TiffParameters::toSettings(SettingsStore &store) const
{
    store.setValue(u"TiffRes"_s, printerResolution ? u"Printer"_s : userResolution);
    store.setValue(u"TiffComp"_s, textOf(kCompressions, compression));
    store.setValue(u"TiffInvert"_s, invert ? u"Inv"_s : u"No"_s);
    store.setValue(u"TiffMirror"_s, textOf(kMirrors, mirror));
    store.setValue(u"TiffRotate"_s, textOf(kRotations, rotation));
    store.setValue(u"TiffAdjustW"_s, adjustWidth ? u"W"_s : u"No"_s);
    store.setValue(u"TiffAdjustH"_s, adjustHeight ? u"H"_s : u"No"_s);
    store.setValue(u"Use256"_s, textOf(kColourModes, colourMode));
    store.setValue(u"ISBNtiffFont"_s, isbnTiffFont);
    store.setValue(u"TiffVerify"_s, verify ? u"Y"_s : u"N"_s);
}

int TiffParameters::resolutionDpi(int printerDpi) const
{
    return printerResolution ? printerDpi : roundToInt(leadingNumber(userResolution));
}

int TiffParameters::copyCount() const
{
    return roundToInt(leadingNumber(copies));
}

KeyDecision filterEntryKey(QChar key, const QString &text, bool allSelected, int maxChars)
{
    if (key == u'\b' || key == u'.')
        return KeyDecision::Insert;
    if (!key.isDigit() || key.unicode() > 0x7f)
        return KeyDecision::Drop;
    if (allSelected && !text.isEmpty())
        return KeyDecision::ClearThenInsert;
    return text.size() >= maxChars ? KeyDecision::Drop : KeyDecision::Insert;
}

bool isEntryText(const QString &text, int maxChars)
{
    if (text.size() > maxChars)
        return false;
    for (QChar c : text) {
        if (!(c == u'.' || (c >= u'0' && c <= u'9')))
            return false;
    }
    return true;
}

bool resolutionTooHigh(const QString &text)
{
    return leadingNumber(text) > TiffParameters::kMaxResolution;
}

ResolutionCheck checkResolutionOnOk(TiffParameters &parameters)
{
    if (parameters.printerResolution)
        return ResolutionCheck::Accepted;
    if (parameters.userResolution.isEmpty()) {
        parameters.printerResolution = true;
        return ResolutionCheck::PrinterChosen;
    }
    if (leadingNumber(parameters.userResolution) < TiffParameters::kMinResolution) {
        parameters.userResolution = QString::number(TiffParameters::kMinResolution);
        return ResolutionCheck::TooLow;
    }
    return ResolutionCheck::Accepted;
}

} // namespace Kelbrix
