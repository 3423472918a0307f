#pragma once

#include <QString>

namespace Kelbrix {

/// Runtime error numbers the program raises itself.
namespace RuntimeError {
inline constexpr int None = 0;
inline constexpr int OutOfMemory = 7;
inline constexpr int FileNotFound = 53;
inline constexpr int DeviceIoError = 57;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEndOfFile = 62;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccessError = 75;
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int InvalidPicture = 481;
inline constexpr int DialogCancelled = 32755;
} // namespace RuntimeError

/// The message box for one runtime error number.
struct RuntimeErrorText {
    bool shown = false; ///< false for 0, 32755 and 380, which show no box
    QString message;
    QString title;
};

/// The message and title of \a number.
RuntimeErrorText runtimeErrorText(int number);

/// Shows the message of runtime error \a number (stop icon, OK button). 0, 32755 and 380 (a
/// value the barcode renderer refused, which the window meeting it handles itself) show nothing.
void ReportRuntimeError(int number);
/// As above, with \a detail (the file and the reason, say) as a second line under the message.
void ReportRuntimeError(int number, const QString &detail);

} // namespace Kelbrix
