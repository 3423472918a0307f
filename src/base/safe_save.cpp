#include "base/safe_save.h"

#include "base/runtime_errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

SaveFaults g_faults;

int errorNumberFor(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::NoError:
        return 0;
    case QFileDevice::PermissionsError:
        return RuntimeError::PermissionDenied;
    case QFileDevice::ResourceError:
        return RuntimeError::DiskFull;
    case QFileDevice::WriteError:
        return RuntimeError::DeviceIoError;
    default:
        return RuntimeError::PathFileAccessError;
    }
}

int errorNumberForErrno(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return RuntimeError::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
        return RuntimeError::DiskFull;
    case EIO:
        return RuntimeError::DeviceIoError;
    default:
        return RuntimeError::PathFileAccessError;
    }
}

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

SaveResult failure(const QString &path, int number, const QString &reason)
{
    return SaveResult{false, number, saveFailureMessage(path, reason)};
}

// The file a save really writes: \a path, or the file a symbolic link there points to (through
// any chain of links), so the link itself stays a link.
QString resolvedTarget(const QString &path)
{
    QString target = QFileInfo(path).absoluteFilePath();
    for (int depth = 0; depth < 40; ++depth) {
        const QFileInfo info(target);
        if (!info.isSymLink())
            break;
        target = info.symLinkTarget();
    }
    return target;
}

// Why \a target cannot be saved over, or an empty text when it can: a missing file is
// created, a regular file replaced; anything else (a folder, FIFO, device or socket) is kept.
QString refusalFor(const QString &target)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(target).constData(), &status) != 0)
        return {};
    if (S_ISREG(status.st_mode))
        return {};
    if (S_ISDIR(status.st_mode))
        return u"it is a folder"_s;
    return u"it is no regular file (a device, FIFO or socket), and it is left as it is"_s;
}

// Opens a new temporary file beside \a target with the permissions a new file gets (0666
// less the umask), or the old file's when there is one.
int openTemporary(const QString &target, QString *temporaryPath, int *error, QStringView suffix = u".tmp")
{
    const QFileInfo info(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = info.absolutePath() + u"/."_s + info.fileName() + u'.' +
                             QString::number(QRandomGenerator::global()->generate(), 36) + suffix.toString();
        const int fd = ::open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            struct stat old {};
            if (::stat(QFile::encodeName(target).constData(), &old) == 0)
                (void)::fchmod(fd, old.st_mode & 07777);
            *temporaryPath = name;
            return fd;
        }
        if (errno != EEXIST) {
            *error = errno;
            return -1;
        }
    }
    *error = EEXIST;
    return -1;
}

// Makes the bytes of \a fd durable and closes it; false with errno's value in \a error when
// either step fails, as then the disk may not hold what was written.
bool syncAndClose(int fd, int *error)
{
    int syncError = g_faults.syncError;
    if (syncError == 0 && ::fdatasync(fd) != 0)
        syncError = errno;
    int closeError = g_faults.closeError;
    if (::close(fd) != 0 && closeError == 0)
        closeError = errno;
    *error = syncError ? syncError : closeError;
    return *error == 0;
}

void syncFolderOf(const QString &target)
{
    const int folder = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
}

// Renames the finished temporary file to \a target in one step; the folder is not synced yet.
SaveResult renameInPlace(const QString &path, const QString &temporaryPath, const QString &target)
{
    const bool injected = g_faults.renameError != 0 && --g_faults.renameFaultAt == 0;
    if (injected ||
        ::rename(QFile::encodeName(temporaryPath).constData(), QFile::encodeName(target).constData()) != 0) {
        const int error = injected ? g_faults.renameError : errno;
        QFile::remove(temporaryPath);
        return failure(path, errorNumberForErrno(error), errnoText(error));
    }
    return SaveResult{true, 0, {}};
}

// Puts the finished temporary file in place of \a target in one step.
SaveResult commit(const QString &path, const QString &temporaryPath, const QString &target)
{
    SaveResult result = renameInPlace(path, temporaryPath, target);
    if (result.ok)
        syncFolderOf(target);
    return result;
}

} // namespace

void setSaveFaultsForTesting(const SaveFaults &faults)
{
    g_faults = faults;
}

QString saveFailureMessage(const QString &path, const QString &reason)
{
    return u"Could not save \"%1\": %2. The file was not changed."_s.arg(QDir::toNativeSeparators(path), reason);
}

// Checks the target and opens the temporary file beside it; the refusal when either fails.
static std::optional<SaveResult> startSave(const QString &path, const QString &target, QString &temporaryPath, int &fd,
                                           QStringView suffix = u".tmp")
{
    if (const QString refusal = refusalFor(target); !refusal.isEmpty())
        return failure(path, RuntimeError::PathFileAccessError, refusal);
    // A file the user may not write stays as it is, although the folder would let it be replaced.
    if (QFileInfo::exists(target) && ::access(QFile::encodeName(target).constData(), W_OK) != 0)
        return failure(path, RuntimeError::PermissionDenied, u"the file is read-only"_s);
    int error = 0;
    fd = openTemporary(target, &temporaryPath, &error, suffix);
    if (fd < 0)
        return failure(path, errorNumberForErrno(error), errnoText(error));
    return std::nullopt;
}

SaveResult saveFileSafely(const QString &path, const std::function<bool(QIODevice &device)> &write)
{
    const QString target = resolvedTarget(path);
    QString temporaryPath;
    int fd = -1;
    if (std::optional<SaveResult> refused = startSave(path, target, temporaryPath, fd))
        return *refused;
    int error = 0;

    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
        ::close(fd);
        QFile::remove(temporaryPath);
        return failure(path, errorNumberFor(file.error()), file.errorString());
    }
    const bool written = write(file);
    // A failure of the last buffered write would otherwise go unnoticed and leave a short file.
    const bool flushed = written && file.flush() && file.error() == QFileDevice::NoError;
    const QFileDevice::FileError fileError = file.error();
    const QString fileReason = file.errorString();
    file.close();
    if (!flushed) {
        ::close(fd);
        QFile::remove(temporaryPath);
        const bool deviceFailed = fileError != QFileDevice::NoError;
        return failure(path, deviceFailed ? errorNumberFor(fileError) : RuntimeError::DeviceIoError,
                       deviceFailed ? fileReason : u"the data could not be written"_s);
    }
    if (!syncAndClose(fd, &error)) {
        QFile::remove(temporaryPath);
        return failure(path, errorNumberForErrno(error), errnoText(error));
    }
    return commit(path, temporaryPath, target);
}

SaveResult saveFileSafelyByPath(const QString &path, const std::function<bool(const QString &temporaryPath)> &write)
{
    const QString target = resolvedTarget(path);
    QString temporaryPath;
    int fd = -1;
    if (std::optional<SaveResult> refused = startSave(path, target, temporaryPath, fd))
        return *refused;
    int error = 0;
    ::close(fd);
    if (!write(temporaryPath)) {
        QFile::remove(temporaryPath);
        return failure(path, RuntimeError::DeviceIoError, u"the data could not be written"_s);
    }
    const int written = ::open(QFile::encodeName(temporaryPath).constData(), O_RDONLY | O_CLOEXEC);
    if (written < 0 || !syncAndClose(written, &error)) {
        if (written < 0)
            error = errno;
        QFile::remove(temporaryPath);
        return failure(path, errorNumberForErrno(error), errnoText(error));
    }
    return commit(path, temporaryPath, target);
}

std::optional<SaveResult> beginGroupedSave(const QString &path, GroupedSave &save)
{
    save = GroupedSave{path, resolvedTarget(path), {}, -1};
    return startSave(path, save.target, save.temporaryPath, save.fd, kGroupedSaveSuffix);
}

SaveResult writeGroupedSave(GroupedSave &save, const std::function<bool(QIODevice &device)> &write)
{
    QFile file;
    bool flushed = file.open(save.fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle);
    flushed = flushed && write(file) && file.flush() && file.error() == QFileDevice::NoError;
    const QFileDevice::FileError fileError = file.error();
    const QString fileReason = file.errorString();
    file.close();
    if (flushed) {
#ifdef __linux__
        // The disk starts on the data now; the commit's sync then mostly finds it written.
        (void)::sync_file_range(save.fd, 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
        return SaveResult{true, 0, {}};
    }
    ::close(save.fd);
    save.fd = -1;
    QFile::remove(save.temporaryPath);
    const bool deviceFailed = fileError != QFileDevice::NoError;
    return failure(save.path, deviceFailed ? errorNumberFor(fileError) : RuntimeError::DeviceIoError,
                   deviceFailed ? fileReason : u"the data could not be written"_s);
}

QList<SaveResult> commitGroupedSaves(QList<GroupedSave> &group)
{
    QList<SaveResult> results(group.size());
    // Every file's data first: no name is changed before all of them are on the disk.
    for (qsizetype i = 0; i < group.size(); ++i) {
        int error = 0;
        if (!syncAndClose(group[i].fd, &error)) {
            QFile::remove(group[i].temporaryPath);
            results[i] = failure(group[i].path, errorNumberForErrno(error), errnoText(error));
        } else {
            results[i].ok = true;
        }
        group[i].fd = -1;
    }
    QStringList folders;
    for (qsizetype i = 0; i < group.size(); ++i) {
        if (!results[i].ok)
            continue;
        results[i] = renameInPlace(group[i].path, group[i].temporaryPath, group[i].target);
        const QString folder = QFileInfo(group[i].target).absolutePath();
        if (results[i].ok && !folders.contains(folder))
            folders.append(folder);
    }
    for (const QString &folder : folders)
        syncFolderOf(folder + u"/."_s);
    group.clear();
    return results;
}

int removeSaveLeftovers(const QString &path)
{
    const QFileInfo info(resolvedTarget(path));
    const QDir dir(info.absolutePath());
    const QString start = u"."_s + info.fileName() + u'.';
    int removed = 0;
    for (const QString &name : dir.entryList({start + u"*.tmp"_s}, QDir::Files | QDir::Hidden | QDir::System)) {
        // Only the random part of letters and digits between the name and ".tmp", as openTemporary() writes it.
        const QStringView middle = QStringView(name).sliced(start.size()).chopped(4);
        if (middle.isEmpty() || !std::all_of(middle.begin(), middle.end(), [](QChar c) {
                return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z');
            }))
            continue;
        struct stat status {};
        const QString leftover = dir.filePath(name);
        if (::lstat(QFile::encodeName(leftover).constData(), &status) == 0 && S_ISREG(status.st_mode) &&
            QFile::remove(leftover))
            ++removed;
    }
    return removed;
}

int removeGroupedSaveLeftovers(const QString &folder)
{
    int removed = 0;
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({u".*"_s + kGroupedSaveSuffix.toString()}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        // Only "." + a name + "." + the random part + the ending: a user's file named otherwise stays.
        const qsizetype dot = name.lastIndexOf(u'.', name.size() - kGroupedSaveSuffix.size() - 1);
        if (dot < 2)
            continue;
        struct stat status {};
        const QString path = dir.filePath(name);
        if (::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode) &&
            QFile::remove(path))
            ++removed;
    }
    return removed;
}

} // namespace Kelbrix
