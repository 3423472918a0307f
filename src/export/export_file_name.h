#pragma once

#include <QString>
#include <QStringView>

namespace Kelbrix {

/// The file copy \a copy of a label is exported to: in \a folder, the product text without the
/// characters no file name may hold ("/\:*?"<>|") and without dashes, "_", the barcode text
/// without those characters, "_", the copy number with at least \a copyDigits digits, then
/// \a suffix (".tif", ".bmp").
QString exportFileName(const QString &folder, const QString &product, const QString &barcode, int copy, int copyDigits,
                       QStringView suffix);

} // namespace Kelbrix
