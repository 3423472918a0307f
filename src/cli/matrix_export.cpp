#include "cli/matrix_export.h"

#include "artwork/matrix_label_file.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

int exportMatrixLabels(const QList<ListRecord> &records, const QList<int> &numbers, const ExportRequest &request,
                       Edition edition, const BarSizeSettings &size, const ArtworkOptions &options, int dpi,
                       TiffCompression compression, int copies)
{
    MatrixExportJob job;
    job.records = records;
    job.numbers = numbers;
    job.edition = edition;
    job.appearance = size.appearance;
    job.gs1 = request.gs1;
    job.vector = request.vectorFormat;
    job.options = options;
    job.dpi = dpi;
    job.compression = compression;
    job.copies = copies;
    job.folder = request.outFolder;
    MatrixExportEvents events;
    events.written = [](const QString &path) { printLine(stdout, QDir::toNativeSeparators(path)); };
    events.leftOut = [](const QString &sentence) { printLine(stderr, u"kelbrix: "_s + sentence); };
    const MatrixExportOutcome outcome = exportMatrixLabelFiles(job, events);
    printLine(stdout, QString::number(outcome.written) + u" files written for "_s +
                          QString::number(outcome.recordsDone) + u" of "_s + QString::number(numbers.size()) +
                          u" records"_s);
    if (!outcome.serials.isEmpty())
        printLine(stdout, u"Serials (21) "_s + outcome.serials.constFirst() + u" to "_s + outcome.serials.constLast() +
                              u", "_s + QString::number(outcome.serials.size()) + u" labels"_s);
    return outcome.recordsDone == numbers.size() ? 0 : 1;
}

} // namespace Kelbrix
