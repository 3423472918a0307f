#pragma once

#include "list/list_record.h"

#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonValue>
#include <QTest>

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

/// A data row "path" for each file below \a root whose name matches one of \a patterns, named by
/// its path below \a root; there must be at least one.
inline void addDataFileRows(const QString &root, const QStringList &patterns)
{
    QTest::addColumn<QString>("path");
    QDirIterator it(root, patterns, QDir::Files, QDirIterator::Subdirectories);
    QVERIFY(it.hasNext());
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = QDir(root).relativeFilePath(path);
        // The golden outputs are files the program wrote, checked by their own test.
        if (!name.startsWith(u"golden/"))
            QTest::newRow(qPrintable(name)) << path;
    }
}

} // namespace Kelbrix::Test
