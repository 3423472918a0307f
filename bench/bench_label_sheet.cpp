// 10,000 EAN-13 labels (distinct records with product texts) on the A4 3x7 sheet "L7160",
// painted by paintSheets() into a PDF at 600 dpi, next to a reference in the same run: a
// QPdfWriter drawing 10,000 label pictures, composed as the main window composes them and
// rendered before the timing starts, in the same cells and on as many pages. The goals: at
// most twice the reference's time, and a peak memory of the sheet run under 300 MB.
//
// Each half runs in a child process of its own, so that the peak memory read from the child's
// ru_maxrss is that half's alone. The pictures are kept as one-bit images at the printer's
// resolution: the labels are black on white, and 10,000 of them in 32 bits would not fit in
// memory.
//
//   ./bench_label_sheet [labels [folder to keep the PDFs in]]

#include "barcode/edition.h"
#include "base/units.h"
#include "list/list_record.h"
#include "render/barcode_renderer.h"
#include "label/label_image.h"
#include "label/record_label.h"
#include "render/view_update_plan.h"
#include "sheet/label_template.h"
#include "sheet/sheet_printer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

constexpr int kDefaultLabels = 10'000;
constexpr int kPrinterDpi = 600;

// What one half of the run reports to the parent through a pipe.
struct HalfResult {
    double milliseconds = 0;
    double cpuMilliseconds = 0;
    qint64 bytes = 0;
    int pages = 0;
    int labels = 0;
    long peakBeforeKb = 0; ///< the child's peak memory when its timing started
    bool ok = false;
};

double cpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

long peakKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QList<ListRecord> sampleList(int count)
{
    QList<ListRecord> records;
    records.reserve(count);
    for (int i = 0; i < count; ++i)
        records.append(
            {u"Product %1 Cr\u00e8me"_s.arg(i), u"4%1"_s.arg(i, 11, 10, QChar(u'0')), QString(), QString(), u"E130"_s});
    return records;
}

SheetJob sampleJob()
{
    SheetJob job;
    job.sheet = *findTemplate(builtInTemplates(), u"L7160"_s);
    job.printerDpi = kPrinterDpi;
    return job;
}

void setUpWriter(QPdfWriter &writer, const SheetJob &job)
{
    writer.setResolution(job.printerDpi);
    writer.setPageLayout(QPageLayout(QPageSize(job.sheet.page), QPageLayout::Portrait, QMarginsF()));
}

// The label of \a record, composed as the main window composes it, \a widthDots wide, kept in
// one bit a pixel.
QImage labelPicture(const ListRecord &record, const SheetJob &job, int widthDots)
{
    const std::optional<RecordLabel> made =
        makeRecordLabel({record.type, job.edition, record.barcode, record.digitSup, record.product}, job.appearance);
    if (!made)
        return {};
    const double dpi = widthDots / (made->plan.widthTwips / 1440.0);
    QImage picture =
        paintLabelImages(made->label(), dpi).label.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    // The PDF writer keeps a one-bit picture in one bit only when its colours are black, white
    // in that order; otherwise it stores it as a JPEG of 24-bit colour.
    if (picture.colorTable() != QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}) {
        picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        picture.invertPixels();
    }
    return picture;
}

// Where paintSheets puts a label of \a size (mm) in cell \a cell: centred, corners on whole dots.
QRectF cellArea(const SheetJob &job, qint64 cell, const QSizeF &size)
{
    const double dotsPerMillimetre = job.printerDpi / kMillimetresPerInch;
    const QRectF rect = job.sheet.cellRect(int(cell % job.sheet.labelsPerSheet()));
    const QSizeF dots(std::round(size.width() * dotsPerMillimetre), std::round(size.height() * dotsPerMillimetre));
    const QPointF corner(std::round(rect.center().x() * dotsPerMillimetre - dots.width() / 2),
                         std::round(rect.center().y() * dotsPerMillimetre - dots.height() / 2));
    return {corner, dots};
}

HalfResult runSheet(const QString &path, int count)
{
    HalfResult result;
    const QList<ListRecord> records = sampleList(count);
    const SheetJob job = sampleJob();
    result.peakBeforeKb = peakKb();
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = cpuMilliseconds();
    {
        QPdfWriter writer(path);
        setUpWriter(writer, job);
        const SheetOutcome outcome = paintSheets(writer, records, job);
        result.pages = outcome.pages;
        result.labels = outcome.labels;
        result.ok = outcome.error.isEmpty() && outcome.refused.isEmpty();
    }
    result.milliseconds = double(timer.nsecsElapsed()) / 1e6;
    result.cpuMilliseconds = cpuMilliseconds() - cpuStart;
    result.bytes = QFile(path).size();
    return result;
}

HalfResult runReference(const QString &path, int count)
{
    HalfResult result;
    const QList<ListRecord> records = sampleList(count);
    const SheetJob job = sampleJob();
    const double dotsPerMillimetre = job.printerDpi / kMillimetresPerInch;
    struct Picture {
        QImage image;
        QSizeF size; ///< mm, as the sheet fits the label
    };
    QList<Picture> pictures;
    pictures.reserve(count);
    for (const ListRecord &record : records) {
        const SheetLabelFit fit = fitSheetLabel(record, job);
        if (!fit.refusal.isEmpty())
            return result;
        pictures.append({labelPicture(record, job, int(std::round(fit.size.width() * dotsPerMillimetre))), fit.size});
        if (pictures.last().image.isNull())
            return result;
    }
    result.peakBeforeKb = peakKb();
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = cpuMilliseconds();
    {
        QPdfWriter writer(path);
        setUpWriter(writer, job);
        QPainter painter(&writer);
        qint64 cell = job.startAt - 1;
        for (const Picture &picture : std::as_const(pictures)) {
            if (cell > 0 && cell % job.sheet.labelsPerSheet() == 0) {
                writer.newPage();
                ++result.pages;
            }
            painter.drawImage(cellArea(job, cell, picture.size), picture.image);
            ++cell;
            ++result.labels;
        }
        ++result.pages;
        result.ok = painter.end();
    }
    result.milliseconds = double(timer.nsecsElapsed()) / 1e6;
    result.cpuMilliseconds = cpuMilliseconds() - cpuStart;
    result.bytes = QFile(path).size();
    return result;
}

// Runs one half in a child process and reads what it reports and its peak memory.
bool runChild(bool sheet, const char *program, const QString &path, int count, HalfResult &result, long &peakKbOut)
{
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    const pid_t pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        ::close(fds[0]);
        int argc = 1;
        char *argv[] = {const_cast<char *>(program), nullptr};
        QGuiApplication app(argc, argv);
        const HalfResult half = sheet ? runSheet(path, count) : runReference(path, count);
        const bool written = ::write(fds[1], &half, sizeof half) == ssize_t(sizeof half);
        ::close(fds[1]);
        std::_Exit(written ? 0 : 1);
    }
    ::close(fds[1]);
    const bool read = ::read(fds[0], &result, sizeof result) == ssize_t(sizeof result);
    ::close(fds[0]);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || !read)
        return false;
    peakKbOut = usage.ru_maxrss;
    return result.ok;
}

} // namespace

int main(int argc, char *argv[])
{
    // The parent makes no application and paints nothing: each child starts from a small process.
    const int count = argc > 1 ? std::atoi(argv[1]) : kDefaultLabels;
    if (count <= 0) {
        std::fprintf(stderr, "usage: %s [labels [folder]]\n", argv[0]);
        return 2;
    }
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    // A folder given after the count keeps the two PDFs, to look at.
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.path();
    const QString sheetPath = folder + u"/sheet.pdf"_s, referencePath = folder + u"/reference.pdf"_s;
    HalfResult reference, sheet;
    long referencePeak = 0, sheetPeak = 0;
    if (!runChild(false, argv[0], referencePath, count, reference, referencePeak)) {
        std::fprintf(stderr, "the reference run failed\n");
        return 1;
    }
    if (!runChild(true, argv[0], sheetPath, count, sheet, sheetPeak)) {
        std::fprintf(stderr, "the sheet run failed\n");
        return 1;
    }
    std::printf("%d labels on A4 3x7 at %d dpi:\n", count, kPrinterDpi);
    std::printf("  reference (QPdfWriter drawing pre-rendered one-bit pictures): %.0f ms (cpu %.0f ms), %d pages, "
                "%lld bytes, peak %ld MB (%ld MB before drawing)\n",
                reference.milliseconds, reference.cpuMilliseconds, reference.pages, qlonglong(reference.bytes),
                referencePeak / 1024, reference.peakBeforeKb / 1024);
    std::printf("  paintSheets: %.0f ms (cpu %.0f ms), %d pages, %lld bytes, peak %ld MB (%ld MB before painting)\n",
                sheet.milliseconds, sheet.cpuMilliseconds, sheet.pages, qlonglong(sheet.bytes), sheetPeak / 1024,
                sheet.peakBeforeKb / 1024);
    std::printf("  ratio %.2fx (goal: at most 2x), sheet peak memory %ld MB (goal: under 300 MB)\n",
                sheet.milliseconds / reference.milliseconds, sheetPeak / 1024);
    return 0;
}
