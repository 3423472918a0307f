#include "export/converter_log.h"

#include "base/safe_save.h"
#include "export/converter_io.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

QString converterLogPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + u"/Kelbrix"_s;
    return folder + u"/converter.log"_s;
}

QString escapedForLog(const QString &value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar c : value) {
        const char16_t u = c.unicode();
        if (u == u'\\')
            escaped += u"\\\\"_s;
        else if (u == u'\n')
            escaped += u"\\n"_s;
        else if (u == u'\r')
            escaped += u"\\r"_s;
        else if (u == u'\t')
            escaped += u"\\t"_s;
        else if (u < 0x20 || (u >= 0x7f && u < 0xa0))
            escaped += u"\\x"_s + QString::number(u, 16).rightJustified(2, u'0');
        else if (u == 0x2028 || u == 0x2029)
            escaped += u"\\u"_s + QString::number(u, 16);
        else
            escaped += c;
    }
    return escaped;
}

QString converterLogLine(const QString &time, const QString &command, int result, const QString &problem,
                         const QString &note)
{
    QString line = time + u'\t' + escapedForLog(command) + u"\t-> "_s + QString::number(result);
    if (!problem.isEmpty())
        line += u"\t("_s + escapedForLog(problem) + u')';
    if (!note.isEmpty())
        line += u"\t["_s + escapedForLog(note) + u']';
    return line;
}

bool appendConverterLog(const QString &command, int result, const QString &problem, const QString &note)
{
    const QString path = converterLogPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;

    const QString line =
        converterLogLine(QDateTime::currentDateTime().toString(Qt::ISODate), command, result, problem, note);
    // A line is never split by the limit; an overlong one is shortened instead.
    const QByteArray entry = line.toUtf8().left(kConverterLogLimit / 4) + '\n';

    // While the line fits under the limit it is appended: one short write, no copy of the log.
    const QFileInfo info(path);
    if (!info.exists() || (info.isFile() && info.size() + entry.size() <= kConverterLogLimit)) {
        QFile log(path);
        if (!log.open(QIODevice::WriteOnly | QIODevice::Append))
            return false;
        const qint64 before = log.size();
        if (log.write(entry) == entry.size() && log.flush())
            return true;
        // A line cut short by a full disk is taken back, so the old log stays as it was.
        log.resize(before);
        return false;
    }
    if (!info.isFile())
        return false;

    // Past the limit the log is rewritten with its newest three quarters, so the next
    // rewrite is a good many lines away.
    QByteArray log;
    QFile old(path);
    if (old.open(QIODevice::ReadOnly)) {
        const qint64 keep = kConverterLogLimit * 3 / 4;
        if (old.size() > keep)
            old.seek(old.size() - keep);
        log = old.readAll();
        old.close();
    }
    log += entry;
    const qint64 keep = kConverterLogLimit * 3 / 4;
    if (log.size() > keep) {
        const qsizetype cut = log.indexOf('\n', log.size() - keep);
        log = cut < 0 || cut + 1 >= log.size() ? entry : log.mid(cut + 1);
    }
    return saveFileSafely(
               path,
               [&](QIODevice &device) { return device.write(log) == log.size() && flushedToDisk(device, nullptr); })
        .ok;
}

} // namespace Kelbrix
