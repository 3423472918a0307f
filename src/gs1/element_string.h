#pragma once

#include <QList>
#include <QString>

namespace Kelbrix {

/// One GS1 element: an Application Identifier and its value, "10" and "ABC123".
struct Gs1Element {
    QString ai;
    QString value;
    friend bool operator==(const Gs1Element &, const Gs1Element &) = default;
};

/// Why data is refused.
struct Gs1Problem {
    QString ai;       ///< the AI concerned; empty when the problem is the data's as a whole
    int position = 0; ///< the character of the input (from 1) the problem is at; 0 for the whole data
    QString message;  ///< the whole text the user reads: "(17) 271331: 13 is no month"
};

/// The symbol that is to carry the data, for the length it holds.
enum class Gs1Carrier { Gs1_128, DataMatrix, QrCode };

/// The most data characters a GS1-128 symbol holds, counted as scannedElementString counts them.
inline constexpr int kGs1_128MaxCharacters = 48;

/// Elements as they were read, and the problems found in them.
struct Gs1Data {
    QList<Gs1Element> elements;
    QList<Gs1Problem> problems;
    bool isValid() const { return problems.isEmpty() && !elements.isEmpty(); }
};

/// Reads and checks GS1 data in any of the forms users give it:
///  - bracketed element strings, "(01)09506000134352(17)271231(10)ABC123"; a "(" in a value is
///    written "\(", blanks around a value are left out;
///  - scanned strings as a reader sends them, maybe after a symbology identifier (]C1, ]d2,
///    ]Q3, ]e0, ]J1), the elements separated by GS (0x1D) after a value of variable length;
///  - a GS1 Digital Link URI, which starts with http:// or https:// (see parseDigitalLink).
/// Blanks and line ends around the input are left out. The elements are checked as checkGs1
/// does; the problems' positions are characters of \a input.
Gs1Data parseGs1(const QString &input, Gs1Carrier carrier = Gs1Carrier::DataMatrix);

/// Checks \a elements (from the rows and columns of a list, say) for \a carrier: every AI known,
/// each value's length, characters, check digit, dates and times, no AI given twice, what each
/// AI requires and excludes, and the length the carrier holds. An AI given twice with the same
/// value is taken once; with another value it is refused. The result's elements are \a elements
/// without such repeats; positions are characters of bracketedElementString(elements).
Gs1Data checkGs1(const QList<Gs1Element> &elements, Gs1Carrier carrier);

/// "(01)09506000134352(10)AB\(1)": each AI in brackets, each "(" of a value written "\(".
QString bracketedElementString(const QList<Gs1Element> &elements);

/// The elements as a symbol carries them after its leading FNC1: AI and value, a GS (0x1D)
/// after every value but the last whose AI has no predefined length. Its length is the count of
/// data characters GS1-128's limit is measured in.
QString scannedElementString(const QList<Gs1Element> &elements);

/// Why \a elements do not fit one GS1-128 symbol: more than kGs1_128MaxCharacters characters
/// as scannedElementString counts them. An empty text when they fit.
QString gs1_128LengthProblem(const QList<Gs1Element> &elements);

} // namespace Kelbrix
