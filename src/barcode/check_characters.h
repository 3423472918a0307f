#pragma once

#include <QString>
#include <QStringView>

namespace Kelbrix {

/// Longest Code 39 entry that still gets a check character appended.
inline constexpr int kCode39CheckMaxLength = 100;

/// Value of a Code 39 character (0..42); characters outside the table count as 0.
int code39Value(QChar character);

/// The Code 39 character of value \a value (0..42).
QChar code39Character(int value);

/// True when \a character is one of the 43 Code 39 data characters.
bool isCode39Character(QChar character);

/// The entry with its modulus 43 check character: unchanged when it already ends with the
/// check character of the characters before it, or when it is empty or longer than
/// kCode39CheckMaxLength characters; otherwise the entry followed by its check character.
QString withCode39CheckCharacter(const QString &entry);

/// What the ISBN-10 check of a typed entry finds.
struct IsbnCheck {
    int dividers = 0;      ///< "-" among all characters but the last
    QChar expected;        ///< the check character the first nine digits call for
    bool complete = false; ///< the entry has its full 13 characters
    bool dividersOk() const { return dividers == 3; }
    /// True when the entry is complete and its last character is not the expected one.
    bool checkCharacterWrong(const QString &entry) const;
};

/// Runs the ISBN-10 check over \a entry ("1-57169-006-9"): the nine digits before the
/// check character are weighted 10 down to 2, and the modulus 11 remainder gives the
/// expected check character ("0".."9" or "X").
IsbnCheck checkIsbn(const QString &entry);

/// The EAN-13 data (without check digit) of an ISBN entry: "978" and the nine ISBN digits
/// before the check character. Empty when the entry does not have nine digits and three
/// dividers before its last character.
QString isbnToEanData(const QString &entry);

/// True when every character of \a text is one of the digits 0 to 9; so for an empty text too.
bool allDigits(QStringView text);

/// The GS1 modulus 10 check digit of \a digits (EAN-13, EAN-8, UPC-A and SCC-14 data
/// without its check digit): digits are weighted 3 and 1 alternately from the right. A null
/// character when \a digits is empty or holds anything but the digits 0 to 9.
QChar gs1CheckDigit(QStringView digits);

} // namespace Kelbrix
