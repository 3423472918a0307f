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

} // namespace Kelbrix
