#pragma once

#include <QAbstractItemModel>
#include <QImage>
#include <QList>
#include <QTest>

namespace Kelbrix::Test {

/// The bytes of the file \a path; empty when it cannot be read.
QByteArray fileBytes(const QString &path);

/// Writes \a bytes as the whole of the file \a path.
bool writeFileBytes(const QString &path, const QByteArray &bytes);

/// What \a program prints on its standard output when run with \a arguments; empty unless it
/// ends well within two minutes.
QByteArray programOutput(const QString &program, const QStringList &arguments);

/// The smallest rectangle around the pixels of \a image inside \a area (the whole image when
/// null) darker than \a below; empty when none is.
QRect inkBox(const QImage &image, const QRect &area = {}, int below = 128);

/// The texts \a model shows in its first column, row by row.
QStringList columnTexts(const QAbstractItemModel &model);

/// The Flate-compressed streams of \a pdf (its page contents among them), inflated.
QList<QByteArray> inflatedPdfStreams(const QByteArray &pdf);

/// Adds the column "row" to a data-driven test and one row per entry of \a rows, named by the
/// entry's member `name`. The test reads its row with QFETCH(Row, row).
template <typename Row> void addRows(const QList<Row> &rows)
{
    QTest::addColumn<Row>("row");
    for (const Row &row : rows)
        QTest::newRow(row.name) << row;
}

} // namespace Kelbrix::Test
