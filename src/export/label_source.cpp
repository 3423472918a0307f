#include "export/label_source.h"

#include "base/units.h"
#include "export/tiff_parameters.h"

namespace Kelbrix {

QSizeF referenceTwips(bool inches, const QString &widthText, const QString &heightText)
{
    // The size window's numbers are three quarters of the reference, in the program's twips
    // per inch or per millimetre.
    const double perUnit = inches ? 1400.0 : kTwipsPerMillimetre;
    return {0.75 * leadingNumber(widthText) * perUnit, 0.75 * leadingNumber(heightText) * perUnit};
}

} // namespace Kelbrix
