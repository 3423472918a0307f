// A label with a 2D symbol as it goes into a file: made, read back, then written whole.
#include "artwork/matrix_label_file.h"

#include "artwork/artwork.h"
#include "base/units.h"
#include "export/converter_image.h"
#include "export/export_file_name.h"
#include "export/tiff_io.h"
#include "label/label_image.h"
#include "label/mono_symbol.h"
#include "label/vector_writers.h"
#include "verify/label_verdict.h"

#include <QCoreApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// Vector artwork is read back from a picture of it at this resolution.
constexpr double kReadBackDpi = 600;

// \a artwork drawn as its SVG file draws it, at \a dpi.
QImage artworkPicture(const LabelLayout &artwork, double dpi)
{
    QSvgRenderer svg(svgLabel(artwork));
    const QSize pixels(int(std::ceil(artwork.size.width() / kMillimetresPerInch * dpi)),
                       int(std::ceil(artwork.size.height() / kMillimetresPerInch * dpi)));
    QImage picture(pixels, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    svg.render(&painter, QRectF(QPointF(0, 0), pixels));
    return picture;
}

} // namespace

MatrixLabelFile makeMatrixLabelFile(const ListRecord &record, const RecordLabel &made, const Gs1Request &gs1,
                                    const Gs1LabelData &data, std::optional<ArtworkFormat> vector,
                                    const ArtworkOptions &options, int dpi)
{
    MatrixLabelFile result;
    QString error;
    const std::optional<MatrixPart> part = makeMatrixPart(gs1, data, &error);
    if (!part) {
        result.problem = error;
        return result;
    }
    LabelDescription label = made.label();
    label.matrix = *part;
    double reach = 0;
    if (vector) {
        result.artwork = makeArtwork({label, options}, &error);
        if (!result.artwork) {
            result.problem = error;
            return result;
        }
        reach = result.artwork->matrixReachMm();
        result.picture = artworkPicture(*result.artwork, kReadBackDpi);
    } else {
        reach = layoutLabel(label, dpi).matrixReachMm();
        result.picture = paintLabelImages(label, dpi).label;
    }
    result.problem = dualPlacementProblem(reach);
    if (result.problem.isEmpty()) {
        const QString supplement = made.plan.type.supplement != 0 ? record.digitSup : QString();
        const LabelVerdict verdict = verifyLabelWithMatrix(result.picture, record.type, record.barcode, supplement,
                                                           {gs1.carrier, gs1.dual, data});
        if (!verdict.scans())
            result.problem = verdict.text;
    }
    return result;
}

SaveResult saveMatrixLabelFile(const QString &path, const MatrixLabelFile &label, std::optional<ArtworkFormat> vector,
                               int dpi, TiffCompression compression)
{
    if (vector && label.artwork)
        return saveArtwork(path, *label.artwork, *vector);
    ConverterImage mono;
    mono.image = label.picture.convertToFormat(QImage::Format_Mono, whiteBlackTable(), Qt::ThresholdDither);
    mono.xDpi = mono.yDpi = dpi;
    QString problem;
    SaveResult saved =
        saveFileSafely(path, [&](QIODevice &device) { return writeTiff(device, mono, compression, &problem); });
    if (!saved.ok && !problem.isEmpty())
        saved.message += u' ' + problem;
    return saved;
}

MatrixExportOutcome exportMatrixLabelFiles(const MatrixExportJob &job, const MatrixExportEvents &events)
{
    const QString suffix = job.vector ? artworkSuffix(*job.vector) : u".tif"_s;
    const int copyDigits = std::max(3, int(QString::number(job.copies).size()));
    const qint64 total = qint64(job.numbers.size()) * job.copies;
    MatrixExportOutcome outcome;
    qint64 labelIndex = 0;
    for (const int number : job.numbers) {
        const ListRecord &record = job.records.at(number - 1);
        const QString name = QCoreApplication::translate("MatrixExport", "record %1").arg(number);
        const std::optional<RecordLabel> made = makeRecordLabel(
            {record.type, job.edition, record.barcode, record.digitSup, record.product}, job.appearance);
        if (!made) {
            events.leftOut(QCoreApplication::translate("MatrixExport", "%1 makes no barcode and is left out: %2 %3")
                               .arg(name, record.type, record.barcode));
            labelIndex += job.copies;
            continue;
        }
        const QString gtin = gtinOf(made->renderer);
        int recordFiles = 0;
        for (int copy = 1; copy <= job.copies; ++copy, ++labelIndex) {
            if (events.goOn && !events.goOn(labelIndex, total)) {
                outcome.stopped = true;
                return outcome;
            }
            const Gs1LabelData data = gs1LabelData(job.gs1, gtin, record.gs1, labelIndex);
            const MatrixLabelFile label =
                makeMatrixLabelFile(record, *made, job.gs1, data, job.vector, job.options, job.dpi);
            if (!label.problem.isEmpty()) {
                events.leftOut(
                    QCoreApplication::translate("MatrixExport", "%1 is left out: %2").arg(name, label.problem));
                continue;
            }
            const QString path = exportFileName(job.folder, record.product, record.barcode, copy, copyDigits, suffix);
            const SaveResult saved = saveMatrixLabelFile(path, label, job.vector, job.dpi, job.compression);
            if (!saved.ok) {
                events.leftOut(saved.message);
                continue;
            }
            events.written(path);
            if (!data.serial.isEmpty())
                outcome.serials.append(data.serial);
            ++outcome.written;
            ++recordFiles;
        }
        if (recordFiles == job.copies)
            ++outcome.recordsDone;
    }
    return outcome;
}

} // namespace Kelbrix
