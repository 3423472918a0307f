#pragma once

#include <QString>

namespace Kelbrix {

/// Digits of an SSCC (AI 00): the extension digit, the GS1 company prefix, the serial reference
/// and the check digit.
inline constexpr int kSsccLength = 18;

/// Why \a prefix and \a extension cannot begin an SSCC: a company prefix that is not 6 to 11
/// digits, an extension that is not one digit. An empty text when they can.
QString ssccKeyProblem(const QString &prefix, const QString &extension);

/// Digits of the serial reference under a company prefix of \a prefixLength digits: what is left
/// of the 17 data digits after the extension digit and the prefix.
int ssccSerialLength(qsizetype prefixLength);

/// How many serial references a company prefix of \a prefixLength digits has (10 to the power
/// of ssccSerialLength()), 0 up to one less than that.
qint64 ssccSerialCount(qsizetype prefixLength);

/// An SSCC, or why there is none (then digits is empty).
struct Sscc {
    QString digits; ///< the 18 digits, the check digit last
    QString error;
    bool ok() const { return error.isEmpty(); }
};

/// The SSCC of extension digit \a extension, company prefix \a prefix and serial reference
/// \a serialReference (digits; a shorter one is filled with leading zeros), with its GS1
/// modulus 10 check digit. Refused, with a sentence saying why: what ssccKeyProblem() refuses,
/// and a serial reference that is not digits or has more than ssccSerialLength() of them.
Sscc makeSscc(const QString &extension, const QString &prefix, const QString &serialReference);

} // namespace Kelbrix
