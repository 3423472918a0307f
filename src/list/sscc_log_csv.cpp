#include "list/sscc_log_csv.h"

#include "list/csv_writer.h"

#include <QIODevice>

namespace Kelbrix {

QByteArray ssccLogCsvBytes(const QList<SsccLogEntry> &entries)
{
    QByteArray out("\xEF\xBB\xBFTime;SSCC;For\r\n");
    out.reserve(out.size() + entries.size() * 64);
    for (const SsccLogEntry &entry : entries) {
        appendCsvField(out, entry.time, ';');
        out += ';';
        appendCsvField(out, entry.sscc, ';');
        out += ';';
        appendCsvField(out, entry.purpose, ';');
        out += "\r\n";
    }
    return out;
}

SaveResult saveSsccLogCsv(const QString &path, const QList<SsccLogEntry> &entries)
{
    const QByteArray bytes = ssccLogCsvBytes(entries);
    return saveFileSafely(path, [&bytes](QIODevice &device) { return device.write(bytes) == bytes.size(); });
}

} // namespace Kelbrix
