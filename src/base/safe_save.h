#pragma once

#include <QString>

#include <functional>

class QIODevice;

namespace Kelbrix {

/// The outcome of saving a file.
struct SaveResult {
    bool ok = false;
    int runtimeError = 0; ///< runtime error number matching the failure (75, 61, 70, ...); 0 on success
    QString message;      ///< a sentence for the user that names the file; empty on success
};

/// Saves \a path by letting \a write fill a temporary file in the same folder, then puts it
/// in place of the old file in one step. Nothing is committed unless \a write returns true
/// and every byte reached the disk (the flush, fdatasync and close of the temporary file all
/// succeeded); on failure (or a cancelled write) the old file is left exactly as it was and
/// the result says why. A symbolic link at \a path stays a link: the file it points to is
/// replaced. A target that is no regular file (a folder, device, FIFO or socket) is refused
/// with error 75 and left as it is. A new file gets the usual permissions, a replaced one
/// keeps its own.
SaveResult saveFileSafely(const QString &path, const std::function<bool(QIODevice &device)> &write);

/// The same for code that can only write by file name (libtiff): \a write gets the path of a
/// temporary file in the target folder; when it returns true the temporary file replaces
/// \a path, otherwise it is removed and the old file stays.
SaveResult saveFileSafelyByPath(const QString &path, const std::function<bool(const QString &temporaryPath)> &write);

/// Failures to inject into the next saves, for tests of what a save does when the disk fails:
/// an errno value that fdatasync or close of the temporary file then reports (0: none), and
/// one that the rename of the \a renameFaultAt th save from now reports (1 for the next).
struct SaveFaults {
    int syncError = 0;
    int closeError = 0;
    int renameError = 0;
    int renameFaultAt = 0;
};
void setSaveFaultsForTesting(const SaveFaults &faults);

/// The sentence shown when saving \a path failed for \a reason.
QString saveFailureMessage(const QString &path, const QString &reason);

} // namespace Kelbrix
