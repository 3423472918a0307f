#pragma once

#include "list/list_record.h"

#include <QJsonArray>
#include <QJsonValue>

namespace Kelbrix::Test {

/// The records a data file's expected result lists, each as [product, barcode, supplement,
/// text, type].
inline QList<ListRecord> recordsFrom(const QJsonValue &value)
{
    QList<ListRecord> records;
    for (const QJsonValue &row : value.toArray()) {
        const QStringList c = row.toVariant().toStringList();
        records.append({c.value(0), c.value(1), c.value(2), c.value(3), c.value(4)});
    }
    return records;
}

} // namespace Kelbrix::Test
