#pragma once

#include "export/converter_errors.h"
#include "export/record_batch.h"
#include "export/tiff_export_outcome.h"
#include "export/tiff_file_settler.h"
#include "export/tiff_stop_question.h"

#include <QList>
#include <QString>

namespace Kelbrix {

class ImageConverter;
class LabelSource;

/// The TIFF export: turns the barcode of a LabelSource into one-bit TIFF files, one file per
/// copy, named from the product text and the barcode digits. Each TIFF is made in steps,
/// each step one command to the image converter: render, retry smaller while too large,
/// enlarge back, adjust to the defined size, invert / mirror / rotate, compress, save the
/// copies. The TIFF parameters are read from the source at each step.
///
/// Files go to the folder of the name chosen in the Save As dialog, as
/// PRODUCT_DIGITS_NNN.tif (copy numbers in three digits).
///
/// Up to 1200 dpi the picture travels between the steps on the program's clipboard (see
/// ProgramClipboard); above, and for the current barcode and a single TIFF, through a hidden
/// work file in the target's folder that is removed afterwards. Only the last step, one
/// converter command for each file, writes a file under its name; when an earlier step fails
/// no file is written or reported, and files of those names stay as they were.
class TiffPipeline {
public:
    TiffPipeline(LabelSource &source, ImageConverter &converter);
    ~TiffPipeline();
    TiffPipeline(const TiffPipeline &) = delete;
    TiffPipeline &operator=(const TiffPipeline &) = delete;

    /// Exports every record of \a recordNumbers (1-based, in record order), each copy to its
    /// own file in the folder of \a chosenName.
    TiffExportOutcome ExportListAsTiff(const QList<int> &recordNumbers, const QString &chosenName);
    /// Exports the barcode now in the entry, each copy to its own file in the folder of
    /// \a chosenName.
    TiffExportOutcome ExportCurrentAsTiff(const QString &chosenName);
    /// Writes the barcode now in the entry to exactly \a chosenName, once (copies below 1).
    TiffExportOutcome ExportSingleTiff(const QString &chosenName);

    // --- The steps, each on the state below ----------------------------------------------
    /// Sets up the TIFF renderer, the pixel sizes and TiffRenderOptions for the current
    /// barcode (shrunk when a too-large TIFF is being retried) and puts the symbol on the
    /// clipboard.
    void PrepareTiffPicture();
    /// Enlarges the picture at TiffTarget by ShrinkFactor x 100 %. Returns the converter's result.
    int EnlargeAfterShrink();
    /// Rescales TiffTarget to TargetWidthPixels / TargetHeightPixels as the parameters ask.
    int AdjustToDefinedSize();
    /// Inverts, mirrors and rotates TiffTarget as the parameters ask.
    int ApplyTransformations();
    /// Compresses TiffTarget as the parameters ask.
    int ApplyCompression();
    /// Adds the "ISBN ..." line above the picture at TiffTarget.
    int ApplyIsbnFontText();
    /// Keeps the product and barcode texts the file names of the current barcode are made from.
    void BuildExportNames();
    /// Clears the retry state, ShrinkFactor, the record in work and the stop request, and
    /// puts the pointer and the progress bar back.
    void ResetExportState();

    /// The name of copy \a copy (from 1) in \a folder.
    QString copyName(const QString &folder, int copy) const;

    // --- State ---------------------------------------------------------------------------
    /// Whether a too-large TIFF is being retried smaller; None again once an export ends.
    TiffRetry RetryState() const { return m_retry; }
    /// 0 normally, +2 per retry; after EnlargeAfterShrink the percentage it enlarged by.
    qint16 ShrinkFactor() const { return m_shrinkFactor; }
    /// Where the steps read and write: a file path or "clipboard"; empty before an export.
    QString TiffTarget() const { return m_tiffTarget; }
    /// The option tail of the render command.
    QString TiffRenderOptions() const { return m_tiffRenderOptions; }
    /// Width of the rendered picture in pixels (a whole number).
    double RasterWidth() const { return m_rasterWidth; }
    /// The pixel size the adjust step rescales to.
    qint32 TargetWidthPixels() const { return m_targetWidthPixels; }
    qint32 TargetHeightPixels() const { return m_targetHeightPixels; }
    /// The product and barcode texts the file names are made from (see exportFileName()).
    QString ExportProductName() const { return m_exportProductName; }
    QString ExportBarcodeName() const { return m_exportBarcodeName; }

private:
    enum class Flow { Go, Stop };
    enum class Kind { List, Current };

    struct CopyPlan;

    /// Runs \a records through the batch loop: list records, or 0 for the barcode in the entry.
    BatchOutcome runBatch(Kind kind, const QList<int> &records, const QString &folder, TiffExportOutcome &outcome);
    /// Makes the finished TIFF picture of the barcode now in the entry and says how many copies
    /// of it to write; \a plan keeps how they are written.
    RecordStart makePicture(Kind kind, CopyPlan &plan, TiffExportOutcome &outcome);
    /// Writes one copy of the picture made.
    BatchStep writeCopy(Kind kind, const CopyPlan &plan, const BatchCopy &copy, TiffExportOutcome &outcome);
    /// Renders again, smaller each time, while a too-large TIFF is being retried. True when a
    /// picture was made; \a escapeText, when not empty, is the Escape check asked each round.
    bool retrySmaller(const QString &renderCommandHead, const QString &status, const QString &escapeText, bool &stop);
    /// Asks whether to stop when Escape or Cancel was pressed; Stop when answered Yes, or when
    /// it was answered Yes while a step ran, and then the export's state is reset.
    Flow escapeCheck(const QString &text);
    int execute(const QString &command);
    /// Reports a step's non-zero result unless a too-large TIFF is being retried.
    int reported(int result);
    /// Shows the message for \a result; returns the retry state after it.
    TiffRetry report(int result);
    int resolution() const;
    /// Why the picture about to be made (see PrepareTiffPicture) cannot scan, having fewer
    /// pixels across than the symbol has modules; empty when it has enough.
    QString tooFewPixels() const;

    LabelSource &m_source;
    ImageConverter &m_converter;

    /// Whether a too-large TIFF is being retried smaller, or the user chose to stop.
    TiffRetry m_retry = TiffRetry::None;
    /// The resolution in dpi of the TIFF being made.
    int m_resolution = 0;
    qint16 m_shrinkFactor = 0;
    /// The pixel size of the picture at full size, when it was made shrunk: the adjust step
    /// rescales to it.
    qint32 m_fullWidthPixels = 0;
    qint32 m_fullHeightPixels = 0;
    int m_listItemInWork = 0;
    QString m_tiffTarget;
    QString m_tiffRenderOptions;
    double m_rasterWidth = 0;
    qint32 m_targetWidthPixels = 0;
    qint32 m_targetHeightPixels = 0;
    QString m_exportProductName;
    QString m_exportBarcodeName;
    bool m_stepFailed = false;

    /// The files written, and those the writer of a list still works on.
    TiffFileSettler m_files;
    /// The stop question, which may be asked while a step works.
    TiffStopQuestion m_stopQuestion;
};

} // namespace Kelbrix
