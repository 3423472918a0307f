#pragma once

#include <QString>

namespace Kelbrix {

/// What `kelbrix --sscc-take` was asked for: the GS1 company prefix, the extension digit, how
/// many SSCCs and what they are for.
struct SsccTakeRequest {
    QString prefix;
    QString extension;
    qint64 count = 1;
    QString purpose; ///< "{n}" stands for each SSCC's place in the take
};

/// Takes the SSCCs of \a request from the store beside the settings of this edition and prints
/// each, its 18 digits without the (00), one a line; they are counted and logged before the first
/// is printed. Returns 0, or 1 when none could be taken, the reason on the standard error.
int runSsccTake(const SsccTakeRequest &request);

/// Writes the log of every SSCC taken as the CSV file \a path and prints how many; a line of the
/// log that was cut short is left out and named on the standard error. Returns 0, or 1 when the
/// log could not be read or written, or a line was left out.
int runSsccLog(const QString &path);

} // namespace Kelbrix
