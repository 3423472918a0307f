#include "barcode/number_sequence.h"

#include "barcode/check_characters.h"

#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

NumberSequence makeNumberSequence(const NumberSequenceRequest &request)
{
    NumberSequence result;
    const QString prefix = request.companyPrefix.trimmed();
    const QString first = request.firstItemReference.trimmed();
    if (!allDigits(prefix) || prefix.size() < 6 || prefix.size() > 11) {
        result.error = QCoreApplication::translate("NumberSequence", "A GS1 company prefix has 6 to 11 digits.");
        return result;
    }
    const int referenceDigits = 12 - int(prefix.size());
    if (first.isEmpty() || !allDigits(first) || first.size() > referenceDigits) {
        result.error = QCoreApplication::translate("NumberSequence",
                                                   "With company prefix %1 the item reference has at most %2 digits.")
                           .arg(prefix)
                           .arg(referenceDigits);
        return result;
    }
    if (request.count < 1 || request.count > kMaxSequenceCount) {
        result.error =
            QCoreApplication::translate("NumberSequence", "A sequence has 1 to %1 numbers.").arg(kMaxSequenceCount);
        return result;
    }
    qint64 last = 1;
    for (int i = 0; i < referenceDigits; ++i)
        last *= 10;
    last -= 1;
    const qint64 start = first.toLongLong();
    const qint64 left = last - start + 1;
    if (request.count > left) {
        result.error = u"%1 asked, but only %2 left: company prefix %3 ends at item reference %4."_s.arg(
            request.count == 1 ? u"1 number was"_s : QString::number(request.count) + u" numbers were"_s,
            left == 1 ? u"1 is"_s : QString::number(left) + u" are"_s, prefix, QString::number(last));
        return result;
    }
    const bool upcA = prefix.startsWith(u'0');
    result.numbers.reserve(request.count);
    for (qint64 i = 0; i < request.count; ++i) {
        const QString data = prefix + QString::number(start + i).rightJustified(referenceDigits, u'0');
        const QString full = data + gs1CheckDigit(data);
        QString product = request.productPattern;
        product.replace(u"{n}"_s, QString::number(i + 1));
        if (upcA)
            result.numbers.append({product, data.mid(1), full.mid(1), u"UPA0"_s});
        else
            result.numbers.append({product, data, full, u"E130"_s});
    }
    return result;
}

} // namespace Kelbrix
