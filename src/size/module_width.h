#pragma once

#include <QString>

namespace Kelbrix {

class BarcodeRenderer;

/// The narrow bar (the module width X) a symbology takes, in millimetres: its nominal X, the
/// smallest scanners read reliably and the largest it allows (infinite for Code 39).
struct ModuleLimits {
    double nominal = 0;
    double smallest = 0;
    double largest = 0;
    QString name; ///< "EAN and UPC", "SCC-14" or "Code 39"
};

/// The limits of a renderer symbology code:
/// - EAN, UPC and ISBN: nominal 0.33 mm, from 80 % (0.264 mm) to 200 % (0.66 mm);
/// - SCC-14 (ITF-14): from its minimum 0.495 mm to 1.016 mm;
/// - Code 39: from its minimum 0.19 mm up.
ModuleLimits moduleLimits(int symbology);

/// What the size window says about the narrow bar (the module width X) a defined size gives.
struct ModuleWidthReadout {
    double pixels = 0;      ///< X in pixels at the chosen resolution
    double millimetres = 0; ///< X in millimetres
    double percent = 0;     ///< X as a part of the symbology's nominal X
    bool tooNarrow = false; ///< below the smallest X scanners read reliably
    bool tooWide = false;   ///< above the largest X the symbology allows
    bool cutOff = false;    ///< one whole pixel per module is already wider than the picture
    QString text;           ///< "X = 0.297 mm, 90 %"; empty when there is no symbol
    QString warning;        ///< a warning line when too narrow or too wide, else empty
};

/// The module width of \a renderer's symbol (its symbology, data and look as set) drawn into
/// a picture of \a widthTwips by \a heightTwips at \a dotsPerInch, the way the defined-size
/// label is drawn, judged against the symbology's nominal X:
/// - EAN, UPC and ISBN: nominal 0.33 mm; below 80 % (0.264 mm) or above 200 % (0.66 mm) warns;
/// - SCC-14 (ITF-14): percentages of its minimum 0.495 mm; below it or above 1.016 mm warns;
/// - Code 39: percentages of its minimum 0.19 mm; below it warns.
/// With pixel alignment a module is at least one pixel; when the symbol is then wider than the
/// picture its bars are cut off, which warns before anything else.
ModuleWidthReadout moduleWidthReadout(const BarcodeRenderer &renderer, double widthTwips, double heightTwips,
                                      double dotsPerInch);

} // namespace Kelbrix
