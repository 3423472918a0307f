#pragma once

#include <QString>

namespace Kelbrix {

/// The size the converter log is kept under, in bytes; the oldest lines go first.
inline constexpr qint64 kConverterLogLimit = 64 * 1024;

/// The converter log: "converter.log" in the user's cache folder (QStandardPaths::CacheLocation,
/// under XDG_CACHE_HOME on Linux).
QString converterLogPath();

/// Appends one line to the converter log: the time, \a command, its \a result and, when not
/// empty, \a problem. Lines that would take the log past kConverterLogLimit are dropped from
/// its start. The log is rewritten through saveFileSafely; returns false when it could not be
/// written, which leaves the old log as it was and changes nothing else.
bool appendConverterLog(const QString &command, int result, const QString &problem);

} // namespace Kelbrix
