#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

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

/// The ending of the temporary files of saves that are committed in groups (see beginGroupedSave()):
/// a file named "." + a final name + "." + letters and digits + this ending is one of them.
inline constexpr QStringView kGroupedSaveSuffix = u".kelbrix-part";

/// A file written under a temporary name that a later commitGroupedSaves() puts in place.
struct GroupedSave {
    QString path;          ///< the name the file is saved as
    QString target;        ///< the file really replaced (a symbolic link at \a path is followed)
    QString temporaryPath; ///< where the bytes are written until the commit
    int fd = -1;           ///< open for writing until the commit
};

/// Starts saving \a path as part of a group: checks the target as saveFileSafely() does and
/// creates the temporary file beside it (named with kGroupedSaveSuffix), open in \a save. The
/// refusal when the target cannot be saved over or the temporary file cannot be made; nothing
/// is created then.
std::optional<SaveResult> beginGroupedSave(const QString &path, GroupedSave &save);

/// Writes the bytes of \a save through \a write (the device is the temporary file). On failure
/// the temporary file is removed and the result says why, as saveFileSafely() does; on success
/// nothing is on disk yet under the final name.
SaveResult writeGroupedSave(GroupedSave &save, const std::function<bool(QIODevice &device)> &write);

/// Commits the written saves of \a group, in order: every temporary file's data is synced (the
/// first sync carries the others' data with it on most file systems) and closed, then each is
/// renamed to its final name, then each folder is synced once. A save whose sync, close or
/// rename fails is removed and keeps the old file; the others still go in place. One result per
/// save, in the order given. \a group is empty afterwards.
QList<SaveResult> commitGroupedSaves(QList<GroupedSave> &group);

/// Removes the temporary files of grouped saves that a run killed before its commit left in
/// \a folder (regular files named as kGroupedSaveSuffix says, nothing else). Returns how many.
int removeGroupedSaveLeftovers(const QString &folder);

/// Removes the temporary files that saves of \a path by saveFileSafely() left beside it when they
/// were killed before their rename (regular files named as that save names them, nothing else).
/// Only for a caller that knows no other save of \a path is running, such as one holding a lock
/// around every save of it. Returns how many.
int removeSaveLeftovers(const QString &path);

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
