#pragma once

#include <QString>

namespace Kelbrix {

/// The size the converter log is kept under, in bytes; the oldest lines go first.
inline constexpr qint64 kConverterLogLimit = 64 * 1024;

/// The converter log: "converter.log" in the user's cache folder (QStandardPaths::CacheLocation,
/// under XDG_CACHE_HOME on Linux).
QString converterLogPath();

/// \a value as it goes into the log: control characters (line ends, tabs, escape codes, the
/// Unicode line and paragraph separators) and the backslash are written as escapes such as
/// "\\n" or "\\x1b", so a value can never start a line of its own or hide part of one.
QString escapedForLog(const QString &value);

/// The log line of one command, without its line end: the time, \a command, its \a result and,
/// when not empty, \a problem and \a note, each value escaped by escapedForLog.
QString converterLogLine(const QString &time, const QString &command, int result, const QString &problem,
                         const QString &note = {});

/// Appends one line to the converter log: the time, \a command, its \a result and, when not
/// empty, \a problem and \a note. The line is appended in place while the log stays within
/// kConverterLogLimit; a line that would take it past the limit makes the log be rewritten,
/// through saveFileSafely, with only its newest lines (three quarters of the limit). Returns false
/// when the line could not be written, which leaves the old log as it was.
bool appendConverterLog(const QString &command, int result, const QString &problem, const QString &note = {});

} // namespace Kelbrix
