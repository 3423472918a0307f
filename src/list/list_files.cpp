#include "list/list_files.h"

#include "list/list_file_errors.h"

#include "base/runtime_errors.h"
#include "base/safe_save.h"
#include "base/user_prompt.h"

#include <QCoreApplication>
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
        setError(result, RuntimeError::FileNotFound, 0,
                 QCoreApplication::translate("ListFiles", "Could not open \"%1\": the file does not exist.").arg(name));
        return result;
    }
    result.refusedUnread = true;
    if (info.isDir()) {
        setError(result, RuntimeError::PathFileAccessError, 0,
                 QCoreApplication::translate("ListFiles", "Could not open \"%1\": it is a folder, not a list file.")
                     .arg(name));
        return result;
    }
    // Opening a FIFO waits for a writer and a device never ends: only regular files are read.
    if (!info.isFile()) {
        setError(result, RuntimeError::PathFileAccessError, 0,
                 QCoreApplication::translate("ListFiles", "Could not open \"%1\": it is no regular file.").arg(name));
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const int number = file.error() == QFileDevice::PermissionsError ? RuntimeError::PermissionDenied
                                                                         : RuntimeError::PathFileAccessError;
        setError(result, number, 0,
                 QCoreApplication::translate("ListFiles", "Could not open \"%1\": %2.").arg(name, file.errorString()));
        return result;
    }
    result = reader(file);
    if (!result.ok()) {
        result.refusedUnread = result.line == 0 && result.records.isEmpty() && result.productList.isEmpty();
        result.message =
            QCoreApplication::translate("ListFiles", "Could not read all of \"%1\". %2").arg(name, result.message);
    }
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
                 QCoreApplication::translate("ListFiles", "Line %1 is longer than %2 characters.")
                     .arg(QString::number(line), QString::number(ListFileLimits::MaxLineLength)));
        return;
    case LineReader::Status::FileTooLarge:
        setError(
            result, RuntimeError::OutOfMemory, line,
            QCoreApplication::translate("ListFiles", "The file is larger than %1 MB, more than a list file can be.")
                .arg(ListFileLimits::MaxFileSize / (1024 * 1024)));
        return;
    case LineReader::Status::ReadError:
        if (line == 0)
            setError(result, BadFileMode, 0, u"The file is not open for reading."_s);
        else
            setError(result, RuntimeError::DeviceIoError, line,
                     QCoreApplication::translate("ListFiles", "Line %1 could not be read: %2.")
                         .arg(QString::number(line), reader.errorString()));
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
    ask(QCoreApplication::translate("ListFiles", "Sorry, Wrong file format."),
        QCoreApplication::translate("ListFiles", "Wrong File Format"), PromptIcon::Exclamation, PromptButtons::Ok,
        3031);
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
             QCoreApplication::translate("ListFiles", "\"%1\" is not a list file (.qz2, .qzl or .bar).")
                 .arg(QDir::toNativeSeparators(path)));
    return result;
}

ListWriteResult saveListFileAsking(const QString &path, const QList<ListRecord> &records)
{
    QByteArray bytes;
    QString reason;
    const ListWriteResult check = encodeQz2(records, bytes, reason);
    if (check.ok || check.character == 0 || check.character == u'\n' || check.character == u'\r')
        return saveListFile(path, records);
    // Only a character the code page lacks can be helped by UTF-8; ask before changing the
    // file's encoding, since older programs read list files as Windows-1252.
    const QString text =
        QCoreApplication::translate("ListFiles",
                                    "Record %1 (\"%2\") holds the character %3, which the Windows-1252 code page of "
                                    "list files cannot hold.\n\nSave the list as UTF-8 with a byte-order mark? Older "
                                    "programs may show such characters wrongly.")
            .arg(QString::number(check.record), productForMessage(check.product), characterName(check.character));
    if (ask(text, QCoreApplication::translate("ListFiles", "Save List"), PromptIcon::Question, PromptButtons::YesNo) ==
        PromptAnswer::No)
        return saveListFile(path, records);
    return saveListFile(path, records, ListFileEncoding::Utf8WithBom);
}

ListWriteResult saveListFile(const QString &path, const QList<ListRecord> &records, ListFileEncoding encoding)
{
    QByteArray bytes;
    QString reason;
    ListWriteResult result = encodeQz2(records, bytes, reason, encoding);
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
