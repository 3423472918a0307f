#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Kelbrix {

class ImageConverter;
class LabelSource;

/// What one export did.
struct TiffExportOutcome {
    QStringList filesWritten; ///< every TIFF file written, in the order written
    int recordsDone = 0;      ///< records (or the current barcode) with every copy written
    bool stopped = false;     ///< ended early: Escape answered Yes, or "To big a Tiff" answered No
    bool failed = false;      ///< a converter step or a file failed (the user was told)
};

/// The TIFF export: turns the barcode of a LabelSource into one-bit TIFF files, one file per
/// copy, named from the product text and the barcode digits. Each TIFF is made in steps,
/// each step one command to the image converter: render, retry smaller while too large,
/// enlarge back, adjust to the defined size, invert / mirror / rotate, compress, save the
/// copies. The TIFF parameters are read from the source at each step.
///
/// Files go to the folder of the name chosen in the Save As dialog, as
/// PRODUCT_DIGITS_NNN.tif (copy numbers in three digits).
class TiffPipeline {
public:
    TiffPipeline(LabelSource &source, ImageConverter &converter);

    /// Exports every record of \a recordNumbers (1-based, in record order), each copy to its
    /// own file in the folder of \a chosenName.
    TiffExportOutcome ExportListAsTiff(const QList<int> &recordNumbers, const QString &chosenName);
    /// Exports the barcode now in the entry, each copy to its own file in the folder of
    /// \a chosenName.
    TiffExportOutcome ExportCurrentAsTiff(const QString &chosenName);
    /// Writes the barcode now in the entry to exactly \a chosenName, once (copies below 1).
    TiffExportOutcome ExportSingleTiff(const QString &chosenName);
};

} // namespace Kelbrix
