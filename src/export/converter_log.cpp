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

bool appendConverterLog(const QString &command, int result, const QString &problem)
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
    QString line =
        QDateTime::currentDateTime().toString(Qt::ISODate) + u'\t' + command + u"\t-> "_s + QString::number(result);
    if (!problem.isEmpty())
        line += u"\t("_s + problem + u')';
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
