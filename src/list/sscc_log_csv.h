#pragma once

#include "base/safe_save.h"
#include "settings/sscc_store.h"

#include <QByteArray>
#include <QList>

namespace Kelbrix {

/// The SSCC log as CSV: UTF-8 after a byte-order mark, semicolon separated, lines ended by
/// CR LF, a header row "Time;SSCC;For", then one row per SSCC issued, its 18 digits as they are.
/// A field is quoted as the list's CSV quotes it, a semicolon taking the comma's place.
QByteArray ssccLogCsvBytes(const QList<SsccLogEntry> &entries);

/// Saves \a entries as the CSV file \a path through the save helper: a failure leaves the old
/// file as it was and the message names the file.
SaveResult saveSsccLogCsv(const QString &path, const QList<SsccLogEntry> &entries);

} // namespace Kelbrix
