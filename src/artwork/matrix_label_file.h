#pragma once

#include "artwork/artwork_options.h"
#include "artwork/artwork_writers.h"
#include "base/safe_save.h"
#include "export/converter_command.h"
#include "label/gs1_label.h"
#include "label/record_label.h"
#include "list/list_record.h"

#include "barcode/edition.h"

#include <QImage>
#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

namespace Kelbrix {

/// One label with a 2D symbol, made for a file and read back: its picture (what a TIFF file holds,
/// or the artwork drawn at 600 dpi), its artwork for a vector file, or why it cannot be written.
struct MatrixLabelFile {
    QImage picture;
    std::optional<LabelLayout> artwork;
    QString problem; ///< empty when the label may be written
};

/// The label of \a record (made as \a made) with the 2D symbol of \a data: artwork in \a vector's
/// format, or a picture at \a dpi for a TIFF file when there is none. Refused, with the reason:
/// data the GS1 rules refuse, a module outside the GS1 table, a 2D symbol that lies too far from
/// the linear one, and a picture whose symbols do not read back as exactly what was asked for.
MatrixLabelFile makeMatrixLabelFile(const ListRecord &record, const RecordLabel &made, const Gs1Request &gs1,
                                    const Gs1LabelData &data, std::optional<ArtworkFormat> vector,
                                    const ArtworkOptions &options, int dpi);

/// Writes \a label to \a path as its artwork in \a vector's format, or as a 1-bit TIFF at \a dpi
/// with \a compression; the file is whole or not touched.
SaveResult saveMatrixLabelFile(const QString &path, const MatrixLabelFile &label, std::optional<ArtworkFormat> vector,
                               int dpi, TiffCompression compression);

/// A batch of label files with a 2D symbol: one file of each copy of each record.
struct MatrixExportJob {
    QList<ListRecord> records;
    QList<int> numbers; ///< the records to write, 1-based, in this order
    Edition edition = Edition::Alla;
    LabelAppearance appearance;
    Gs1Request gs1;
    std::optional<ArtworkFormat> vector; ///< none: 1-bit TIFF files
    ArtworkOptions options;
    int dpi = 300;
    TiffCompression compression = TiffCompression::None;
    int copies = 1;
    QString folder;
};

/// What happens during the batch, as it happens.
struct MatrixExportEvents {
    std::function<void(const QString &path)> written;
    /// A record or copy left out, the sentence naming it ("record 3 is left out: ...").
    std::function<void(const QString &sentence)> leftOut;
    /// Asked before each label: false stops the batch.
    std::function<bool(qint64 done, qint64 total)> goOn;
};

/// What the batch came to.
struct MatrixExportOutcome {
    int written = 0;
    int recordsDone = 0; ///< records with every copy written
    QStringList serials; ///< the (21) of each label written, in order
    bool stopped = false;
};

/// Writes the files of \a job, named as every export names them (product, barcode, copy) in its
/// folder. Every label gets its own serial when the job numbers them, counted over every label of
/// the batch in order; each is made and read back with makeMatrixLabelFile before it is written.
MatrixExportOutcome exportMatrixLabelFiles(const MatrixExportJob &job, const MatrixExportEvents &events);

} // namespace Kelbrix
