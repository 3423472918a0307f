#include "base/safe_save.h"

#include "base/runtime_errors.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <filesystem>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

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

SaveResult failure(const QString &path, int number, const QString &reason)
{
    return SaveResult{false, number, saveFailureMessage(path, reason)};
}

} // namespace

QString saveFailureMessage(const QString &path, const QString &reason)
{
    return u"Could not save \"%1\": %2. The file was not changed."_s.arg(QDir::toNativeSeparators(path), reason);
}

SaveResult saveFileSafely(const QString &path, const std::function<bool(QIODevice &device)> &write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, errorNumberFor(file.error()), file.errorString());
    if (!write(file)) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString() : u"the data could not be written"_s;
        const int number = file.error() != QFileDevice::NoError ? errorNumberFor(file.error()) : RuntimeError::DeviceIoError;
        file.cancelWriting();
        return failure(path, number, reason);
    }
    // Flush first and look at the outcome: a failure in the last buffered write would
    // otherwise go unnoticed and leave a short file in place of the old one.
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        const int number = errorNumberFor(file.error()) ? errorNumberFor(file.error()) : RuntimeError::DeviceIoError;
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(path, number, reason);
    }
    if (!file.commit())
        return failure(path, errorNumberFor(file.error()) ? errorNumberFor(file.error()) : RuntimeError::DeviceIoError,
                       file.errorString());
    return SaveResult{true, 0, {}};
}

SaveResult saveFileSafelyByPath(const QString &path, const std::function<bool(const QString &temporaryPath)> &write)
{
    const QFileInfo target(path);
    QTemporaryFile temporary(target.absolutePath() + u"/.kelbrix-XXXXXX.tmp"_s);
    if (!temporary.open())
        return failure(path, errorNumberFor(temporary.error()), temporary.errorString());
    const QString temporaryPath = temporary.fileName();
    temporary.close();
    if (!write(temporaryPath))
        return failure(path, RuntimeError::DeviceIoError, u"the data could not be written"_s);
    // Replaces the old file in one step (std::filesystem::rename overwrites on every
    // platform), so a failure leaves either the old file or the new one, never neither.
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(temporaryPath.toStdU16String()),
                            std::filesystem::path(path.toStdU16String()), error);
    if (error)
        return failure(path, RuntimeError::PathFileAccessError, QString::fromLocal8Bit(error.message()));
    temporary.setAutoRemove(false);
    return SaveResult{true, 0, {}};
}

} // namespace Kelbrix
