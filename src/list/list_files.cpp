#include "list/list_files.h"

#include "list/list_file_errors.h"

#include "base/runtime_errors.h"
#include "base/safe_save.h"
#include "base/user_prompt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

using namespace ListFileErrors;

namespace {

using DeviceReader = ListReadResult (*)(QIODevice &);

ListReadResult readFile(const QString &path, DeviceReader reader)
{
    ListReadResult result;
    const QString name = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists()) {
        setError(result, RuntimeError::FileNotFound, 0, u"Could not open \"%1\": the file does not exist."_s.arg(name));
        return result;
    }
    if (info.isDir()) {
        setError(result, RuntimeError::PathFileAccessError, 0,
                 u"Could not open \"%1\": it is a folder, not a list file."_s.arg(name));
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const int number = file.error() == QFileDevice::PermissionsError ? RuntimeError::PermissionDenied
                                                                         : RuntimeError::PathFileAccessError;
        setError(result, number, 0, u"Could not open \"%1\": %2."_s.arg(name, file.errorString()));
        return result;
    }
    result = reader(file);
    if (!result.ok())
        result.message = u"Could not read all of \"%1\". %2"_s.arg(name, result.message);
    return result;
}

} // namespace

namespace ListFileErrors {

void setError(ListReadResult &result, int number, qint64 line, const QString &reason)
{
    result.runtimeError = number;
    result.line = line;
    result.message = reason;
}

void setReaderError(ListReadResult &result, const LineReader &reader, LineReader::Status status)
{
    const qint64 line = reader.lineNumber();
    switch (status) {
    case LineReader::Status::LineTooLong:
        setError(result, BadRecordLength, line,
                 u"Line %1 is longer than %2 characters."_s.arg(line).arg(ListFileLimits::MaxLineLength));
        return;
    case LineReader::Status::FileTooLarge:
        setError(result, RuntimeError::OutOfMemory, line,
                 u"The file is larger than %1 MB, more than a list file can be."_s.arg(ListFileLimits::MaxFileSize /
                                                                                       (1024 * 1024)));
        return;
    case LineReader::Status::ReadError:
        if (line == 0)
            setError(result, BadFileMode, 0, u"The file is not open for reading."_s);
        else
            setError(result, RuntimeError::DeviceIoError, line,
                     u"Line %1 could not be read: %2."_s.arg(line).arg(reader.errorString()));
        return;
    case LineReader::Status::Line:
    case LineReader::Status::End:
        break;
    }
}

} // namespace ListFileErrors

ListFileFormat listFileFormatFor(const QString &path)
{
    if (path.endsWith(u".qz2"_s, Qt::CaseInsensitive))
        return ListFileFormat::Qz2;
    if (path.endsWith(u".qzl"_s, Qt::CaseInsensitive))
        return ListFileFormat::Qzl;
    if (path.endsWith(u".bar"_s, Qt::CaseInsensitive))
        return ListFileFormat::Ornatec;
    if (path.endsWith(u".rtf"_s, Qt::CaseInsensitive))
        return ListFileFormat::ImageList;
    return ListFileFormat::Unknown;
}

void showWrongFileFormat()
{
    ask(u"Sorry, Wrong file format."_s, u"Wrong File Format"_s, PromptIcon::Exclamation, PromptButtons::Ok, 3031);
}

QString qz2FileName(const QString &path)
{
    switch (listFileFormatFor(path)) {
    case ListFileFormat::Qz2:
        return path;
    case ListFileFormat::Qzl:
    case ListFileFormat::Ornatec:
        return path.chopped(3) + u"qz2"_s;
    case ListFileFormat::ImageList:
    case ListFileFormat::Unknown:
        break;
    }
    return path + u".qz2"_s;
}

ListReadResult readQz2(const QString &path)
{
    return readFile(path, &readQz2);
}

ListReadResult readQzl(const QString &path)
{
    return readFile(path, &readQzl);
}

ListReadResult readOrnatec(const QString &path)
{
    return readFile(path, &readOrnatec);
}

ListReadResult readListFile(const QString &path)
{
    switch (listFileFormatFor(path)) {
    case ListFileFormat::Qz2:
        return readQz2(path);
    case ListFileFormat::Qzl:
        return readQzl(path);
    case ListFileFormat::Ornatec:
        return readOrnatec(path);
    case ListFileFormat::ImageList:
    case ListFileFormat::Unknown:
        break;
    }
    ListReadResult result;
    setError(result, BadFileMode, 0,
             u"\"%1\" is not a list file (.qz2, .qzl or .bar)."_s.arg(QDir::toNativeSeparators(path)));
    return result;
}

ListWriteResult saveListFile(const QString &path, const QList<ListRecord> &records)
{
    QByteArray bytes;
    QString reason;
    ListWriteResult result = encodeQz2(records, bytes, reason);
    if (!result.ok) {
        result.message = saveFailureMessage(path, reason);
        return result;
    }
    const SaveResult saved = saveFileSafely(path, [&bytes](QIODevice &device) {
        if (!writeAll(device, bytes))
            return false;
        // Bytes still in the file's write buffer reach the disk only when the save is
        // committed, and a failure there is not reported by the commit; flushing here
        // lets such a failure cancel the save instead.
        auto *file = qobject_cast<QFileDevice *>(&device);
        return !file || file->flush();
    });
    if (!saved.ok) {
        result.ok = false;
        result.runtimeError = saved.runtimeError;
        result.message = saved.message;
    }
    return result;
}

} // namespace Kelbrix
