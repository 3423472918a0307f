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

    QByteArray log;
    QFile old(path);
    if (old.open(QIODevice::ReadOnly)) {
        // Only the newest part can survive the limit, so that is all that is read.
        if (old.size() > kConverterLogLimit)
            old.seek(old.size() - kConverterLogLimit);
        log = old.readAll();
        old.close();
    }
    const QString line =
        converterLogLine(QDateTime::currentDateTime().toString(Qt::ISODate), command, result, problem, note);
    // A line is never split by the limit; an overlong one is shortened instead.
    QByteArray entry = line.toUtf8().left(kConverterLogLimit / 4) + '\n';
    log += entry;
    if (log.size() > kConverterLogLimit) {
        const qsizetype cut = log.indexOf('\n', log.size() - kConverterLogLimit);
        log = cut < 0 ? entry : log.mid(cut + 1);
    }
    return saveFileSafely(
               path,
               [&](QIODevice &device) { return device.write(log) == log.size() && flushedToDisk(device, nullptr); })
        .ok;
}

} // namespace Kelbrix
