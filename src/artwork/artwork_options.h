#pragma once

#include <QString>

namespace Kelbrix {

class SettingsStore;

/// How vector artwork of a label is sized: the magnification of the EAN/UPC types (ISBN
/// included), the X-dimension of Code 39 and SCC-14, the bar width reduction, the quiet-zone
/// marks and a transparent background. These size the artwork only; the window's label, the
/// bitmaps and the TIFF files keep their own sizes.
struct ArtworkOptions {
    /// The X-dimension of the EAN/UPC types at 100 %.
    static constexpr double kNominalModuleMm = 0.330;
    static constexpr double kMinMagnification = 80;
    static constexpr double kMaxMagnification = 200;
    static constexpr double kNominalMagnification = 100;
    static constexpr double kMinModuleMm = 0.100;
    static constexpr double kMaxModuleMm = 2.540;
    static constexpr double kDefaultModuleMm = 0.500;
    static constexpr double kMaxBwrMm = 0.100;
    static constexpr double kMmPerMil = 0.0254;

    double magnification = kNominalMagnification; ///< percent of the nominal X, EAN/UPC types
    double moduleMm = kDefaultModuleMm;           ///< X-dimension of Code 39 and SCC-14
    bool moduleInMils = false;                    ///< the size window shows the X-dimension in mils
    double bwrMm = 0;                             ///< every bar narrower by this, half on each side
    bool quietZoneMarks = false;                  ///< "<" and ">" in the EAN/UPC quiet zones
    bool transparentBackground = false;           ///< SVG and EPS leave the background unpainted

    /// The X-dimension of a symbol: the magnified nominal X for the EAN/UPC types, the set
    /// X-dimension for Code 39 and SCC-14.
    double moduleMmFor(bool eanUpc) const;

    /// Why these values cannot make artwork of a symbol (EAN/UPC when \a eanUpc): a
    /// magnification outside 80 to 200 %, an X-dimension outside 0.100 to 2.540 mm, a bar
    /// width reduction outside 0 to 0.100 mm or not smaller than the X-dimension, or any value
    /// that is not a number. An empty text when they can.
    QString problem(bool eanUpc) const;

    /// Reads the values from \a store; a missing or unreadable value keeps its default.
    void load(const SettingsStore &store);
    void save(SettingsStore &store) const;

    friend bool operator==(const ArtworkOptions &, const ArtworkOptions &) = default;
};

} // namespace Kelbrix
