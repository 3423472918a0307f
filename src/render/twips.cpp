#include "render/twips.h"

#include <algorithm>
#include <cmath>

namespace Kelbrix {

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
    return std::max(1, int(std::lround(twipsToPixels(twips, dotsPerInch))));
}

} // namespace Kelbrix
