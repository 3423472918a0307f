#pragma once

#include "export/converter_command.h"

#include <QString>

namespace Kelbrix {

class SettingsStore;

enum class TiffMirror { None, Horizontal, Vertical };
enum class TiffRotation { None, Rotate90, Rotate180, Rotate270 };
/// What the program does about the 256-colour display mode when it starts.
enum class ColourModeChoice { Ask, Always256, Never };

/// Every parameter of TIFF export, as the TIFF Parameters window shows them, with the entry
/// rules of its boxes and the settings they are kept under between runs.
///
/// Texts of the boxes are kept as typed (the resolution box may hold "300." or be empty);
/// resolutionDpi() says what they amount to.
struct TiffParameters {
    static constexpr int kMinResolution = 300;
    static constexpr int kMaxResolution = 4800;
    static constexpr int kResolutionChars = 4;
    static constexpr int kCopiesChars = 3;

    bool printerResolution = true; ///< use the printer's resolution, else userResolution
    QString userResolution;        ///< text of the resolution box, dpi
    TiffCompression compression = TiffCompression::Huffman;
    bool invert = false;
    TiffMirror mirror = TiffMirror::None;
    TiffRotation rotation = TiffRotation::None;
    bool adjustWidth = false;             ///< rescale to the defined width
    bool adjustHeight = false;            ///< rescale to the defined height
    QString copies = QStringLiteral("1"); ///< text of the copies box: copies of each record
    ColourModeChoice colourMode = ColourModeChoice::Ask;
    QString isbnTiffFont; ///< font of the ISBN line in TIFF output; empty for none chosen
    bool verify = true;   ///< read each written file back and report the ones that do not scan

    /// Reads the TIFF values ("TiffRes" ... "ISBNtiffFont", "TiffVerify") of \a store. A missing, empty or
    /// unknown value gives that value's default; a "TiffRes" that the resolution box could not
    /// hold (other characters than digits and ".", or more than four) gives the printer's
    /// resolution, one above 4800 reads as "4800" and one below 300 as "300". An empty "Use256" is stored back as
    /// "Ask". Only "N" turns "TiffVerify" off. Returns the parameters read.
    static TiffParameters fromSettings(SettingsStore &store);
    /// Writes the TIFF values into \a store with their exact texts.
    void toSettings(SettingsStore &store) const;

    /// The resolution TIFF files are made at: \a printerDpi, or the value of the resolution box.
    int resolutionDpi(int printerDpi) const;
    /// Copies of each record (0 when the box is empty).
    int copyCount() const;

    bool operator==(const TiffParameters &) const = default;
};

/// What a box does with one typed character.
enum class KeyDecision {
    Insert,          ///< the character goes in
    ClearThenInsert, ///< the box is emptied first (all its text was selected)
    Drop,            ///< the key is dropped
};

/// The key rule of the resolution and copies boxes for typed character \a key: digits pass
/// unless the box already holds \a maxChars characters, but when all its text is selected the
/// box is emptied first; backspace and "." pass; every other character is dropped.
KeyDecision filterEntryKey(QChar key, const QString &text, bool allSelected, int maxChars);

/// True when \a text is something the box could hold: at most \a maxChars digits or ".".
bool isEntryText(const QString &text, int maxChars);

/// True when the resolution typed so far is above the largest allowed (the box then shows
/// "Max resolution is 4800 dpi" and becomes "4800").
bool resolutionTooHigh(const QString &text);

/// What OK does with the resolution choice.
enum class ResolutionCheck {
    Accepted,      ///< the window may close
    TooLow,        ///< "Min. resolution is 300 dpi": the box becomes "300", the window stays
    PrinterChosen, ///< the box was empty: the printer's resolution is chosen, the window may close
};

/// The check OK makes before the window closes; adjusts \a parameters as the window shows it.
/// An empty box with the own resolution chosen falls back to the printer's resolution (it does
/// not count as a resolution below 300).
ResolutionCheck checkResolutionOnOk(TiffParameters &parameters);

} // namespace Kelbrix
