#include "barcode/sscc.h"

#include "barcode/check_characters.h"

#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// The value as a message quotes it: at most 20 characters, so that a pasted page stays readable.
QString quoted(const QString &value)
{
    return u'"' + (value.size() > 20 ? value.left(20) + u"…"_s : value) + u'"';
}

} // namespace

QString ssccKeyProblem(const QString &prefix, const QString &extension)
{
    if (prefix.isEmpty())
        return QCoreApplication::translate("Kelbrix::Sscc", "An SSCC needs a GS1 company prefix of 6 to 11 digits.");
    if (!allDigits(prefix) || prefix.size() < 6 || prefix.size() > 11)
        return QCoreApplication::translate("Kelbrix::Sscc", "A GS1 company prefix has 6 to 11 digits; %1 is not one.")
            .arg(quoted(prefix));
    if (extension.size() != 1 || !allDigits(extension))
        return QCoreApplication::translate("Kelbrix::Sscc", "The extension digit is one digit, 0 to 9, not %1.")
            .arg(quoted(extension));
    return {};
}

int ssccSerialLength(qsizetype prefixLength)
{
    return kSsccLength - 2 - int(prefixLength);
}

qint64 ssccSerialCount(qsizetype prefixLength)
{
    qint64 count = 1;
    for (int i = 0; i < ssccSerialLength(prefixLength); ++i)
        count *= 10;
    return count;
}

Sscc makeSscc(const QString &extension, const QString &prefix, const QString &serialReference)
{
    Sscc result;
    result.error = ssccKeyProblem(prefix, extension);
    if (!result.ok())
        return result;
    const int length = ssccSerialLength(prefix.size());
    if (serialReference.isEmpty() || !allDigits(serialReference)) {
        result.error = QCoreApplication::translate("Kelbrix::Sscc", "A serial reference is digits only, not %1.")
                           .arg(quoted(serialReference));
        return result;
    }
    if (serialReference.size() > length) {
        result.error =
            QCoreApplication::translate("Kelbrix::Sscc", "Under company prefix %1 the serial reference has at most %2 "
                                                         "digits; %3 has %4.")
                .arg(prefix, QString::number(length), quoted(serialReference), QString::number(serialReference.size()));
        return result;
    }
    const QString data = extension + prefix + serialReference.rightJustified(length, u'0');
    result.digits = data + gs1CheckDigit(data);
    return result;
}

} // namespace Kelbrix
