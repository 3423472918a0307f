#pragma once

#include <QString>

namespace Kelbrix {

/// Where a TIFF export stands with a picture the converter found too large.
enum class TiffRetry {
    None,    ///< nothing is being retried
    Smaller, ///< the user chose to try the picture again at a smaller size
    Stop,    ///< the user chose to stop the export
};

/// What ReportConverterError shows beyond its own table, taken from the export in progress.
struct ConverterErrorContext {
    QString typeCode;        ///< the current TypeCode, shown in the diagnostic box
    QString tiffBarcodeData; ///< the barcode data of the TIFF renderer, shown in the diagnostic box
    int tiffResolution = 0;  ///< the resolution in dpi of the TIFF being made, named in "To big a Tiff"
};

/// Shows the message for the converter result \a code through Kelbrix::ask and returns where
/// the export stands afterwards: \a retry, unless the code says otherwise. One box titled
/// "TIFF Error", exclamation icon, OK button, unless the code says otherwise:
///
/// - 32501 (too large): nothing while \a retry is Smaller; else "Unspecified Internal Error",
///   then the question "To big a Tiff" (Yes/No, question icon, help 820) naming the
///   resolution; Yes gives Smaller, No gives Stop.
/// - 32504: "File Not Found", then the mouse pointer is reset to the default.
/// - 32506: "Insufficient Memory"; a retry in progress (Smaller) becomes Stop.
/// - 33203: "Unsupported Export Format", then the diagnostic box (application title, no icon,
///   OK): TypeCode + " # " + barcode data + " # Pic=" + "True"/"False" for whether the
///   clipboard holds a vector picture. 33211: the diagnostic box alone, with " # Pic(2)=".
/// - A code not in the table: "Unknown Error, Error Code=" and the code.
[[nodiscard]] TiffRetry ReportConverterError(int code, TiffRetry retry, const ConverterErrorContext &context);

} // namespace Kelbrix
