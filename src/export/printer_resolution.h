#pragma once

namespace Kelbrix {

/// The resolution of the default printer and whether there is one.
struct PrinterResolution {
    static constexpr int kWithoutPrinter = 300; ///< dpi assumed when no printer is installed

    int dotsPerInch = kWithoutPrinter;
    bool printerFound = false;
};

/// Asks Qt's print support for the default printer's resolution. Without a printer, the
/// answer is 300 dpi with printerFound false.
PrinterResolution defaultPrinterResolution();

} // namespace Kelbrix
