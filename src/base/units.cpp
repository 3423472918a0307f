#include "base/units.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Kelbrix {

namespace {
constexpr double kMetresPerInch = 0.0254;
}

double twipsToPixels(double twips, double dotsPerInch)
{
    return twips * dotsPerInch / kTwipsPerInch;
}

double pixelsToTwips(double pixels, double dotsPerInch)
{
    return dotsPerInch > 0 ? pixels * kTwipsPerInch / dotsPerInch : 0.0;
}

int twipsToWholePixels(double twips, double dotsPerInch)
{
    return std::max(1, roundToInt(twipsToPixels(twips, dotsPerInch)));
}

int roundToInt(double value)
{
    if (!(value == value))
        return 0;
    const double rounded = std::round(value);
    if (rounded >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (rounded <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(rounded);
}

int dotsPerMetre(double dotsPerInch)
{
    return dotsPerInch > 0 ? roundToInt(dotsPerInch / kMetresPerInch) : 0;
}

double dotsPerInchOf(double dotsPerMetre)
{
    return dotsPerMetre > 0 ? dotsPerMetre * kMetresPerInch : 0.0;
}

QString decimalText(double value, int decimals, bool trimZeros)
{
    if (!std::isfinite(value))
        return QString::number(value);
    QString text = QString::number(value, 'f', decimals);
    if (!trimZeros)
        return text;
    while (text.contains(u'.') && (text.endsWith(u'0') || text.endsWith(u'.')))
        text.chop(1);
    return text == u"-0" ? QStringLiteral("0") : text;
}

double leadingNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    double value = 0;
    double scale = 0; // 0 before the ".", then the weight of the next digit
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'.' && scale == 0) {
            scale = 0.1;
        } else if (c >= u'0' && c <= u'9') {
            const int digit = c.unicode() - u'0';
            if (scale == 0) {
                value = value * 10 + digit;
            } else {
                value += digit * scale;
                scale /= 10;
            }
        } else {
            break;
        }
    }
    return value;
}

} // namespace Kelbrix
