#pragma once

#include <QString>

namespace Kelbrix {

/// Most copies of one label made at a time.
inline constexpr int kMaxCopies = 50;

/// Longest Code 39 entry: the renderer draws no more characters (the check character
/// included).
inline constexpr int kCode39MaxLength = 85;

/// The status-bar hint shown when the Code 39 entry is full.
QString code39TooLongHint();

/// What happens to one typed character in an entry box.
struct KeyDecision {
    bool accept = false;     ///< false: the character is discarded
    QChar character;         ///< the character to insert (after conversion, e.g. "x" to "X")
    bool clearFirst = false; ///< empty the box before inserting
    bool tooLong = false;    ///< discarded because the Code 39 entry is at its longest
};

/// The state of an entry box when a key arrives.
struct BoxState {
    int length = 0;         ///< characters in the box
    int selectedLength = 0; ///< characters selected (replaced by the typed one)
};

/// Key filter of the barcode box for \a typeCode with an entry length of \a entryLength.
/// Digits are limited to the entry length; ISBN also takes "-" and "X" ("x" becomes "X");
/// Code 39 takes its 43 characters, lower-case letters becoming capitals.
KeyDecision filterBarcodeKey(const QString &typeCode, QChar key, BoxState box, int entryLength);

/// Key filter of a box that takes digits only, up to \a maxLength of them (no limit when
/// \a maxLength is below 0).
KeyDecision filterDigitKey(QChar key, BoxState box, int maxLength);

/// Removes from a pasted or dropped text what the barcode box of \a typeCode would not
/// have taken key by key, converting as the key filter does; Code 39 is cut to
/// kCode39MaxLength characters.
QString sanitizeBarcodeText(const QString &typeCode, const QString &text);

/// Keeps only the digits of \a text.
QString digitsOnly(const QString &text);

/// Check character cut-back: an EAN or UPC text of its full length loses its last
/// character; an ISBN text of 14 or more characters is cut to 13. Anything else is returned
/// as it is.
QString cutBackCheckCharacter(const QString &typeCode, const QString &text);

/// The enabling rule of "Make Code" and "Add to List".
bool entryComplete(int barcodeLength, int supplementLength, int entryLength, int requiredSupplementLength);

/// The copies rule: "0" becomes "1"; \a tooMany is set for a value above kMaxCopies.
struct CopiesDecision {
    QString text;
    bool tooMany = false;
};
CopiesDecision applyCopiesRule(const QString &text);

} // namespace Kelbrix
