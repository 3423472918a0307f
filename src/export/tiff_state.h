#pragma once

#include <QString>
#include <QStringView>

namespace Kelbrix {

/// TiffRetryState after the user chose to try a too-large TIFF again at a smaller size.
inline constexpr QStringView kTiffRetryUnspecified = u"Unspecified";
/// TiffRetryState after the user chose to stop.
inline constexpr QStringView kTiffRetryNo = u"No";

/// Program-wide retry state of TIFF export: empty for a fresh attempt, "Unspecified" while a
/// too-large TIFF is being retried smaller, "No" when the export is to stop. Set by
/// ReportConverterError and read by the export steps; the export clears it when it ends.
extern QString TiffRetryState;

/// Program-wide resolution in dpi of the TIFF being made; named in the "To big a Tiff" question.
extern qint16 TiffResolution;

} // namespace Kelbrix
