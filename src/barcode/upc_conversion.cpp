#include "barcode/upc_conversion.h"

#include "barcode/check_characters.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

bool allZero(QStringView digits)
{
    return std::all_of(digits.begin(), digits.end(), [](QChar c) { return c == u'0'; });
}

} // namespace

std::optional<QString> upcAToUpcE(const QString &upcA11)
{
    if (upcA11.size() != 11)
        return std::nullopt;
    if (!std::all_of(upcA11.begin(), upcA11.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const QChar numberSystem = upcA11.at(0);
    if (numberSystem != u'0' && numberSystem != u'1')
        return std::nullopt;

    const QStringView number(upcA11);
    const QStringView manufacturer = number.mid(1, 5);
    const QStringView product = number.mid(6, 5);
    const QChar m3 = manufacturer.at(2);

    QString six;
    if (manufacturer.mid(3, 2) == u"00" && m3 <= u'2' && allZero(product.left(2))) {
        // Manufacturer MM000, MM100 or MM200, product 00PPP: MM PPP and the third
        // manufacturer digit last.
        six = manufacturer.left(2).toString() + product.mid(2, 3).toString() + m3;
    } else if (manufacturer.mid(3, 2) == u"00" && allZero(product.left(3))) {
        // Manufacturer MMM00, product 000PP: MMM PP 3.
        six = manufacturer.left(3).toString() + product.mid(3, 2).toString() + u'3';
    } else if (manufacturer.at(4) == u'0' && allZero(product.left(4))) {
        // Manufacturer MMMM0, product 0000P: MMMM P 4.
        six = manufacturer.left(4).toString() + product.at(4) + u'4';
    } else if (allZero(product.left(4)) && product.at(4) >= u'5') {
        // Any other manufacturer, product 00005 to 00009: MMMMM P.
        six = manufacturer.toString() + product.at(4);
    } else {
        return std::nullopt;
    }
    return numberSystem + six;
}

std::optional<QString> upcEToUpcA(const QString &upcE7)
{
    if (upcE7.size() != 7 || (upcE7.at(0) != u'0' && upcE7.at(0) != u'1') || !allDigits(upcE7))
        return std::nullopt;
    const QStringView six = QStringView(upcE7).mid(1);
    const QChar last = six.at(5);
    QString manufacturer, product;
    if (last <= u'2') {
        manufacturer = six.left(2).toString() + last + u"00"_s;
        product = u"00"_s + six.mid(2, 3).toString();
    } else if (last == u'3') {
        manufacturer = six.left(3).toString() + u"00"_s;
        product = u"000"_s + six.mid(3, 2).toString();
    } else if (last == u'4') {
        manufacturer = six.left(4).toString() + u'0';
        product = u"0000"_s + six.at(4);
    } else {
        manufacturer = six.left(5).toString();
        product = u"0000"_s + last;
    }
    return upcE7.left(1) + manufacturer + product;
}

} // namespace Kelbrix
