#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Kelbrix {

/// What one export did.
struct TiffExportOutcome {
    QStringList filesWritten; ///< every TIFF file written, in the order written
    int recordsDone = 0;      ///< records (or the current barcode) with every copy written
    bool stopped = false;     ///< ended early: Escape answered Yes, or "To big a Tiff" answered No
    bool failed = false;      ///< a converter step or a file failed (the user was told)
    QList<int> recordsFailed; ///< list records that could not be loaded or written
};

} // namespace Kelbrix
