#pragma once

#include <QString>

#include <cstdio>

namespace Kelbrix {

/// Runs one converter command without a window (`kelbrix --convert "COMMAND"`): prints the
/// result code on a line of its own to standard output and, when the command failed, what
/// went wrong to standard error. Returns 0 on success and 1 otherwise, for use as the
/// process's exit status. A command that reads or writes the clipboard needs a
/// QGuiApplication; without one it fails with NoClipboardImage or WriteError.
int runConvertCommandLine(const QString &command);

/// The same, printing to \a out and \a err instead of standard output and standard error.
int runConvertCommandLine(const QString &command, std::FILE *out, std::FILE *err);

} // namespace Kelbrix
