#pragma once

#include <QString>

#include <functional>

namespace Kelbrix {

/// Where ReportConverterError finds what it shows and does beyond its own table. The main
/// window installs it; parts left empty fall back to the defaults described per member.
struct ConverterErrorContext {
    /// The current TypeCode, shown in the diagnostic box (default: empty text).
    std::function<QString()> typeCode;
    /// The barcode data of the TIFF dialog's renderer, shown in the diagnostic box (default: empty text).
    std::function<QString()> tiffBarcodeData;
    /// Puts the main window's mouse pointer back to the default after "File Not Found"
    /// (default: removes every application override cursor, which is how the hourglass is shown).
    std::function<void()> restoreDefaultPointer;
};

/// Installs \a context and returns the one it replaces.
ConverterErrorContext setConverterErrorContext(ConverterErrorContext context);

/// Shows the message for the converter result \a code through Kelbrix::ask. Unless the code
/// says otherwise: one box titled "TIFF Error", exclamation icon, OK button.
///
/// - 32501 (too large): nothing when TiffRetryState is "Unspecified"; else "Unspecified
///   Internal Error", then the question "To big a Tiff" (Yes/No, question icon, help 820)
///   naming TiffResolution; Yes sets TiffRetryState to "Unspecified", No to "No".
/// - 32504: "File Not Found", then the mouse pointer is reset to the default.
/// - 32506: "Insufficient Memory", then a TiffRetryState of "Unspecified" becomes "No".
/// - 33203: "Unsupported Export Format", then the diagnostic box (application title, no icon,
///   OK): TypeCode + " # " + barcode data + " # Pic=" + "True"/"False" for whether the
///   clipboard holds a vector picture. 33211: the diagnostic box alone, with " # Pic(2)=".
/// - A code not in the table: "Unknown Error, Error Code=" and the code.
void ReportConverterError(int code);

} // namespace Kelbrix
