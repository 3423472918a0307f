#include "settings/sscc_store.h"

#include "barcode/sscc.h"
#include "base/safe_save.h"
#include "settings/settings_store.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

const QByteArray kHeader = "Kelbrix SSCC counters 1";
const QByteArray kComment = "# The next serial reference of each GS1 company prefix and extension digit: every SSCC "
                            "below it has been issued. A counter set lower would issue SSCCs twice; the sum line "
                            "guards the lines above it.";
const QByteArray kSumWord = "sum ";
// Far more than counters take (a line is under 30 bytes); a file past it is never read into memory.
constexpr qint64 kMaxCounterFileSize = qint64(1) << 20;
constexpr int kLockWaitMs = 10'000;
// A lock left by a program that died on this computer is taken over at once (its process is gone);
// the age only decides for a lock from another computer sharing the folder, so it is long
// enough for the largest take to be written on a slow disk.
constexpr int kStaleLockMs = 10 * 60'000;

template <typename... Values> QString ssccText(const char *source, const Values &...values)
{
    const QString text = QCoreApplication::translate("Kelbrix::Sscc", source);
    if constexpr (sizeof...(values) == 0)
        return text;
    else
        return text.arg(values...);
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

struct Counter {
    QString prefix;
    QString extension;
    qint64 next = 0; ///< the serial reference the next take starts at
};

struct CounterRead {
    QList<Counter> counters;
    bool missing = false;
    QString problem;
};

QByteArray sumOf(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(16);
}

QByteArray counterBytes(const QList<Counter> &counters)
{
    QByteArray bytes = kHeader + '\n' + kComment + '\n';
    for (const Counter &counter : counters)
        bytes += counter.prefix.toLatin1() + ' ' + counter.extension.toLatin1() + ' ' +
                 QByteArray::number(counter.next) + '\n';
    return bytes + kSumWord + sumOf(bytes) + '\n';
}

QString damaged(const QString &path, const QString &reason)
{
    return ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc",
                                      "The SSCC counter file \"%1\" is damaged: %2. No SSCC was taken, and the file "
                                      "is kept as it is: counting again from the start would issue SSCCs twice. "
                                      "Put it back from a backup."),
                    shown(path), reason);
}

// Reads the counter file whole and checks every line of it: its form, its sum, each counter
// within its prefix and no prefix twice.
CounterRead readCounters(const QString &path)
{
    CounterRead read;
    const QFileInfo info(path);
    if (!info.exists()) {
        read.missing = true;
        return read;
    }
    if (!info.isFile()) {
        read.problem = ssccText(
            QT_TRANSLATE_NOOP("Kelbrix::Sscc", "The SSCC counter file \"%1\" is no regular file. No SSCC was taken."),
            shown(path));
        return read;
    }
    if (info.size() > kMaxCounterFileSize) {
        read.problem = damaged(path, ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc", "it is larger than %1 KB, more "
                                                                                 "than counters can be"),
                                              QString::number(kMaxCounterFileSize >> 10)));
        return read;
    }
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.read(kMaxCounterFileSize + 1);
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        read.problem = ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc",
                                                  "The SSCC counter file \"%1\" could not be read: %2. No SSCC was "
                                                  "taken."),
                                shown(path), file.errorString());
        return read;
    }
    if (!bytes.startsWith(kHeader + '\n'))
        return {{},
                false,
                damaged(path, ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc", "it does not begin with \"%1\""),
                                       QString::fromLatin1(kHeader)))};
    if (!bytes.endsWith('\n'))
        return {
            {}, false, damaged(path, ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc", "it ends in the middle of a line")))};
    const qsizetype sumLine = bytes.lastIndexOf('\n', bytes.size() - 2) + 1;
    if (bytes.sliced(sumLine) != kSumWord + sumOf(bytes.first(sumLine)) + '\n')
        return {{},
                false,
                damaged(path, ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc", "its last line is not the sum of the "
                                                                          "lines above it")))};

    static const QRegularExpression counterLine(u"^(\\d{6,11}) (\\d) (\\d{1,11})$"_s);
    const QList<QByteArray> lines = bytes.first(sumLine - 1).split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString line = QString::fromLatin1(lines.at(i));
        const QString number = QString::number(i + 1);
        if (line.startsWith(u'#'))
            continue;
        const QRegularExpressionMatch match = counterLine.match(line);
        if (!match.hasMatch())
            return {{},
                    false,
                    damaged(path, ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc",
                                                             "line %1 is not a company prefix, an extension digit "
                                                             "and a serial reference"),
                                           number))};
        const Counter counter{match.captured(1), match.captured(2), match.captured(3).toLongLong()};
        if (counter.next > ssccSerialCount(counter.prefix.size()))
            return {{},
                    false,
                    damaged(path, ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc", "line %1 counts past the last serial "
                                                                              "reference of company prefix %2"),
                                           number, counter.prefix))};
        for (const Counter &before : std::as_const(read.counters))
            if (before.prefix == counter.prefix && before.extension == counter.extension)
                return {{},
                        false,
                        damaged(path, ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc", "line %1 counts company prefix %2 "
                                                                                  "with extension digit %3 again"),
                                               number, counter.prefix, counter.extension))};
        read.counters.append(counter);
    }
    return read;
}

QString remainingProblem(const QString &prefix, const QString &extension, qint64 count, qint64 remaining)
{
    const QString last = QString::number(ssccSerialCount(prefix.size()) - 1);
    if (remaining == 0)
        return ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc",
                                          "No SSCC remains under company prefix %1 with extension digit %2: serial "
                                          "reference %3, the last, is taken."),
                        prefix, extension, last);
    if (remaining == 1)
        return ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc",
                                          "%1 SSCCs were asked for, but only 1 remains under company prefix %2 with "
                                          "extension digit %3, up to serial reference %4. None was taken."),
                        QString::number(count), prefix, extension, last);
    return ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc",
                                      "%1 SSCCs were asked for, but only %2 remain under company prefix %3 with "
                                      "extension digit %4, up to serial reference %5. None was taken."),
                    QString::number(count), QString::number(remaining), prefix, extension, last);
}

// The text a log line keeps of what the SSCC was for: on one line, without the tabs that part the
// fields.
QString purposeText(QString purpose, qint64 place)
{
    purpose.replace(u"{n}"_s, QString::number(place));
    for (QChar &c : purpose)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = u' ';
    return purpose;
}

bool writeAll(int fd, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t written = ::write(fd, bytes.data(), size_t(bytes.size()));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes = bytes.sliced(written);
    }
    return true;
}

// Appends \a lines to the open log and syncs them. A line a stop cut short is ended first, so the
// new lines stand on their own.
bool appendToLog(int fd, QByteArray lines, QString *reason)
{
    struct stat status {};
    char last = '\n';
    if (::fstat(fd, &status) == 0 && status.st_size > 0 && ::pread(fd, &last, 1, status.st_size - 1) == 1 &&
        last != '\n')
        lines.prepend('\n');
    int error = 0;
    if (!writeAll(fd, lines) || ::fdatasync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        *reason = QString::fromLocal8Bit(std::strerror(error));
    return error == 0;
}

} // namespace

SsccStore::SsccStore(const QString &folder) : m_folder(folder)
{
}

SsccStore SsccStore::forEdition(Edition edition)
{
    return SsccStore(QFileInfo(settingsFilePath(edition)).absolutePath());
}

QString SsccStore::counterPath() const
{
    return m_folder + u"/sscc.txt"_s;
}

QString SsccStore::logPath() const
{
    return m_folder + u"/sscc-log.txt"_s;
}

SsccTake SsccStore::takeSsccs(const QString &prefix, const QString &extension, qint64 count,
                              const QString &purpose) const
{
    SsccTake take;
    take.error = ssccKeyProblem(prefix, extension);
    if (!take.ok())
        return take;
    if (count < 1 || count > kMaxSsccTake) {
        take.error = ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc", "One take is 1 to %1 SSCCs, not %2."),
                              QString::number(kMaxSsccTake), QString::number(count));
        return take;
    }
    if (!QDir().mkpath(m_folder)) {
        take.error = ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc",
                                                "The folder \"%1\" for the SSCC counters could not be made. No SSCC "
                                                "was taken."),
                              shown(m_folder));
        return take;
    }

    // Reading, counting on and saving is one step for every program that takes SSCCs here.
    QLockFile lock(counterPath() + u".lock"_s);
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockWaitMs)) {
        take.error = lock.error() == QLockFile::LockFailedError
                         ? ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc",
                                                      "Another program has been taking SSCCs from \"%1\" for over "
                                                      "%2 seconds. No SSCC was taken; try again."),
                                    shown(counterPath()), QString::number(kLockWaitMs / 1000))
                         : ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc", "The lock file \"%1\" could not be made. No "
                                                                       "SSCC was taken."),
                                    shown(lock.fileName()));
        return take;
    }

    // A take killed in its save left a temporary file; under the lock no save is running.
    removeSaveLeftovers(counterPath());
    CounterRead read = readCounters(counterPath());
    if (!read.problem.isEmpty()) {
        take.error = read.problem;
        return take;
    }
    if (read.missing && QFileInfo(logPath()).size() > 0) {
        take.error = ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc",
                                                "The SSCC counter file \"%1\" is missing, but the log \"%2\" shows "
                                                "SSCCs taken. No SSCC was taken: counting again from the start would "
                                                "issue them twice. Put the counter file back from a backup."),
                              shown(counterPath()), shown(logPath()));
        return take;
    }
    Counter *counter = nullptr;
    for (Counter &known : read.counters) {
        if (known.extension != extension)
            continue;
        if (known.prefix == prefix) {
            counter = &known;
        } else if (known.prefix.startsWith(prefix) || prefix.startsWith(known.prefix)) {
            // 501234 followed by serial 5... and 5012345 followed by the rest make the same digits.
            take.error = ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc",
                                                    "Company prefix %1 begins like company prefix %2, under which "
                                                    "SSCCs were taken before: their SSCCs with extension digit %3 "
                                                    "could be the same, and GS1 never gives out both. No SSCC was "
                                                    "taken."),
                                  prefix, known.prefix, extension);
            return take;
        }
    }
    if (!counter) {
        read.counters.append({prefix, extension, 0});
        counter = &read.counters.last();
    }
    const qint64 first = counter->next;
    const qint64 remaining = ssccSerialCount(prefix.size()) - first;
    if (count > remaining) {
        take.error = remainingProblem(prefix, extension, count, remaining);
        return take;
    }
    counter->next += count;

    // The log is opened, and made when new, before the counter is saved: the save syncs the
    // folder, which then holds the log's name as well.
    const int log = ::open(QFile::encodeName(logPath()).constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (log < 0) {
        take.error = ssccText(
            QT_TRANSLATE_NOOP("Kelbrix::Sscc", "The SSCC log \"%1\" could not be opened: %2. No SSCC was taken."),
            shown(logPath()), QString::fromLocal8Bit(std::strerror(errno)));
        return take;
    }
    const QByteArray counters = counterBytes(read.counters);
    const SaveResult saved =
        saveFileSafely(counterPath(), [&](QIODevice &device) { return device.write(counters) == counters.size(); });
    if (!saved.ok) {
        ::close(log);
        take.error = saved.message + u' ' + ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc", "No SSCC was taken."));
        return take;
    }

    // Past this point the numbers are taken: a failure leaves a gap, never a repeat.
    const QDateTime now = QDateTime::currentDateTime();
    const QByteArray time = now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODate).toLatin1();
    QStringList ssccs;
    ssccs.reserve(count);
    QByteArray lines;
    lines.reserve(count * (time.size() + 22 + purpose.size()));
    for (qint64 i = 0; i < count; ++i) {
        const QString sscc = makeSscc(extension, prefix, QString::number(first + i)).digits;
        lines += time + '\t' + sscc.toLatin1() + '\t' + purposeText(purpose, i + 1).toUtf8() + '\n';
        ssccs.append(sscc);
    }
    QString reason;
    if (!appendToLog(log, lines, &reason)) {
        take.error = ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc",
                                                "%1 SSCCs from %2 on were counted as taken, but the log \"%3\" "
                                                "could not be written: %4. None of them is given out; the next take "
                                                "goes on after them."),
                              QString::number(count), ssccs.first(), shown(logPath()), reason);
        return take;
    }
    take.ssccs = std::move(ssccs);
    return take;
}

SsccLog SsccStore::readLog() const
{
    SsccLog log;
    const QFileInfo info(logPath());
    if (!info.exists())
        return log;
    QFile file(logPath());
    QByteArray bytes;
    if (info.isFile() && file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!info.isFile() || !file.isOpen() || file.error() != QFileDevice::NoError) {
        log.error = ssccText(
            QT_TRANSLATE_NOOP("Kelbrix::Sscc", "The SSCC log \"%1\" could not be read: %2."), shown(logPath()),
            info.isFile() ? file.errorString() : ssccText(QT_TRANSLATE_NOOP("Kelbrix::Sscc", "it is no regular file")));
        return log;
    }
    QList<QByteArray> lines = bytes.split('\n');
    // What follows the last line break is a line a stop cut short.
    if (!lines.takeLast().isEmpty())
        ++log.damagedLines;
    for (const QByteArray &line : std::as_const(lines)) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 3 || fields.at(0).isEmpty() || fields.at(1).size() != kSsccLength ||
            !std::all_of(fields.at(1).begin(), fields.at(1).end(), [](char c) { return c >= '0' && c <= '9'; })) {
            ++log.damagedLines;
            continue;
        }
        log.entries.append(
            {QString::fromLatin1(fields.at(0)), QString::fromLatin1(fields.at(1)), QString::fromUtf8(fields.at(2))});
    }
    return log;
}

} // namespace Kelbrix
