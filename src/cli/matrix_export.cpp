#include "cli/matrix_export.h"

#include "artwork/artwork.h"
#include "artwork/artwork_writers.h"
#include "base/safe_save.h"
#include "base/units.h"
#include "export/converter_image.h"
#include "export/export_file_name.h"
#include "export/tiff_io.h"
#include "label/gs1_label.h"
#include "label/label_image.h"
#include "label/record_label.h"
#include "label/vector_writers.h"
#include "label/mono_symbol.h"
#include "verify/label_verdict.h"

#include <QDir>
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

// One label made and checked: its picture (TIFF) or artwork, or why it is left out.
struct MadeLabel {
    QImage picture;
    std::optional<LabelLayout> artwork;
    QString problem;
};

// Why \a picture does not read back as the label's symbols, or empty.
QString readBackProblem(const QImage &picture, const ListRecord &record, const RecordLabel &made, const Gs1Request &gs1,
                        const Gs1LabelData &data)
{
    const LabelVerdict matrix = verifyMatrixLabel(picture, gs1.carrier, data);
    if (!matrix.scans())
        return matrix.text;
    if (gs1.dual) {
        const QString supplement = made.plan.type.supplement != 0 ? record.digitSup : QString();
        const LabelVerdict linear = verifyLabel(picture, record.type, record.barcode, supplement);
        if (!linear.scans())
            return linear.text;
    }
    return {};
}

MadeLabel makeLabel(const ListRecord &record, const RecordLabel &made, const Gs1Request &gs1, const Gs1LabelData &data,
                    const ExportRequest &request, const ArtworkOptions &options, int dpi)
{
    MadeLabel result;
    QString error;
    const std::optional<MatrixPart> part = makeMatrixPart(gs1, data, &error);
    if (!part) {
        result.problem = error;
        return result;
    }
    LabelDescription label = made.label();
    label.matrix = *part;
    double reach = 0;
    if (request.vectorFormat) {
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
    if (result.problem.isEmpty())
        result.problem = readBackProblem(result.picture, record, made, gs1, data);
    return result;
}

SaveResult saveTiff(const QString &path, const QImage &picture, int dpi, TiffCompression compression)
{
    ConverterImage mono;
    mono.image = picture.convertToFormat(QImage::Format_Mono, whiteBlackTable(), Qt::ThresholdDither);
    mono.xDpi = mono.yDpi = dpi;
    QString problem;
    SaveResult saved =
        saveFileSafely(path, [&](QIODevice &device) { return writeTiff(device, mono, compression, &problem); });
    if (!saved.ok && !problem.isEmpty())
        saved.message += u' ' + problem;
    return saved;
}

} // namespace

int exportMatrixLabels(const QList<ListRecord> &records, const QList<int> &numbers, const ExportRequest &request,
                       Edition edition, const BarSizeSettings &size, const ArtworkOptions &options, int dpi,
                       TiffCompression compression, int copies)
{
    const QString suffix = request.vectorFormat ? artworkSuffix(*request.vectorFormat) : u".tif"_s;
    const int copyDigits = std::max(3, int(QString::number(copies).size()));
    qint64 labelIndex = 0;
    int written = 0;
    int recordsDone = 0;
    QStringList serials;
    for (const int number : numbers) {
        const ListRecord &record = records.at(number - 1);
        const QString name = u"kelbrix: record "_s + QString::number(number);
        const std::optional<RecordLabel> made =
            makeRecordLabel({record.type, edition, record.barcode, record.digitSup, record.product}, size.appearance);
        if (!made) {
            printLine(stderr, name + u" makes no barcode and is left out: "_s + record.type + u' ' + record.barcode);
            continue;
        }
        const QString gtin = gtinOf(made->renderer);
        int recordFiles = 0;
        for (int copy = 1; copy <= copies; ++copy, ++labelIndex) {
            const Gs1LabelData data = gs1LabelData(request.gs1, gtin, record.gs1, labelIndex);
            const MadeLabel label = makeLabel(record, *made, request.gs1, data, request, options, dpi);
            if (!label.problem.isEmpty()) {
                printLine(stderr, name + u" is left out: "_s + label.problem);
                continue;
            }
            const QString path =
                exportFileName(request.outFolder, record.product, record.barcode, copy, copyDigits, suffix);
            const SaveResult saved = label.artwork ? saveArtwork(path, *label.artwork, *request.vectorFormat)
                                                   : saveTiff(path, label.picture, dpi, compression);
            if (!saved.ok) {
                printLine(stderr, u"kelbrix: "_s + saved.message);
                continue;
            }
            printLine(stdout, QDir::toNativeSeparators(path));
            if (!data.serial.isEmpty())
                serials.append(data.serial);
            ++written;
            ++recordFiles;
        }
        if (recordFiles == copies)
            ++recordsDone;
    }
    printLine(stdout, QString::number(written) + u" files written for "_s + QString::number(recordsDone) + u" of "_s +
                          QString::number(numbers.size()) + u" records"_s);
    if (!serials.isEmpty())
        printLine(stdout, u"Serials (21) "_s + serials.constFirst() + u" to "_s + serials.constLast() + u", "_s +
                              QString::number(serials.size()) + u" labels"_s);
    return recordsDone == numbers.size() ? 0 : 1;
}

} // namespace Kelbrix
