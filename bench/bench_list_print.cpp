// Printing and previewing big lists. For a list of 100,000 records: the time until the print
// preview shows its first page, and the time and peak memory of printing the list to a PDF file,
// each next to ListPrinter painting the same pages onto a QImage in the same run. For an image
// list of 1,000 label pictures: the time until its preview shows the first page, next to
// painting all its pages onto a QImage. Peak memory is the VmHWM of a child process that does
// nothing else, so each figure is that job's own.

#include "mainwindow/image_list_edit.h"
#include "windows/page_preview_dialog.h"
#include "list/image_list_printer.h"
#include "list/list_printer.h"
#include "render/barcode_renderer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

using namespace Kelbrix;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kRecords = 100000;
constexpr int kPictures = 1000;
constexpr int kRuns = 5;
constexpr int kPreviewDotsPerInch = 96;

QList<ListRecord> sampleList()
{
    QList<ListRecord> records;
    records.reserve(kRecords);
    for (int i = 0; i < kRecords; ++i)
        records.append({u"Product %1"_s.arg(i), u"400638"_s + QString::number(i).rightJustified(7, u'0'),
                        i % 3 == 0 ? u"12"_s : QString(), u"Aisle "_s + QString::number(i % 40), u"E130"_s});
    return records;
}

ListPrinter sampleListing()
{
    return ListPrinter(sampleList(), u"Kelbrix"_s, u"07/12/2026"_s);
}

// The peak resident memory of this process so far, in megabytes.
double peakMegabytes()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return -1;
}

QImage previewImage(const QPrinter &printer)
{
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Inch);
    QImage image(qRound(area.width() * kPreviewDotsPerInch), qRound(area.height() * kPreviewDotsPerInch),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(kPreviewDotsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(kPreviewDotsPerInch / 0.0254));
    return image;
}

double bestMilliseconds(const std::function<void()> &run, int runs = kRuns)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = qMin(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

// Child jobs: each prints "<milliseconds> <peak MB before> <peak MB after>".
int childJob(const QString &job, const QString &pdf)
{
    const ListPrinter listing = sampleListing();
    const double before = peakMegabytes();
    QElapsedTimer timer;
    timer.start();
    bool ok = true;
    if (job == u"--pdf"_s) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        ok = listing.print(printer, [](int, int) { return true; });
    } else {
        QPrinter printer(QPrinter::HighResolution);
        QImage image = previewImage(printer);
        for (int page = 0; page < listing.pageCount(); ++page) {
            image.fill(Qt::white);
            QPainter painter(&image);
            listing.paintPage(painter, image, page);
        }
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    std::printf("%.1f %.1f %.1f\n", ms, before, peakMegabytes());
    return ok ? 0 : 1;
}

QList<double> runChild(const QString &job, const QString &pdf)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {job, pdf});
    if (!child.waitForFinished(600000) || child.exitCode() != 0)
        return {};
    QList<double> figures;
    for (const QByteArray &figure : child.readAllStandardOutput().trimmed().split(' '))
        figures.append(figure.toDouble());
    return figures.size() == 3 ? figures : QList<double>{};
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3)
        return childJob(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));

    // The list preview: a listing of every record and the dialog showing its first page.
    const QList<ListRecord> records = sampleList();
    QPrinter printer(QPrinter::HighResolution);
    const double previewMs = bestMilliseconds([&] {
        const ListPrinter listing(records, u"Kelbrix"_s, u"07/12/2026"_s);
        PagePreviewRequest request;
        request.title = u"Print Preview"_s;
        request.pageCount = listing.pageCount();
        request.paintPage = [&listing](QPainter &painter, const QPaintDevice &device, int page) {
            listing.paintPage(painter, device, page);
        };
        const PagePreviewDialog dialog(printer.pageLayout(), request);
    });
    const ListPrinter listing(records, u"Kelbrix"_s, u"07/12/2026"_s);
    QImage page = previewImage(printer);
    const double firstPageMs = bestMilliseconds([&] {
        page.fill(Qt::white);
        QPainter painter(&page);
        listing.paintPage(painter, page, 0);
    });

    QTemporaryDir folder;
    const QString pdf = folder.filePath(u"list.pdf"_s);
    const QList<double> printed = runChild(u"--pdf"_s, pdf);
    const QList<double> painted = runChild(u"--image"_s, pdf);
    if (printed.isEmpty() || painted.isEmpty()) {
        std::fprintf(stderr, "a child job failed\n");
        return 1;
    }

    // The image list preview: laid out once, its first page painted.
    BarcodeRenderer renderer;
    renderer.setData(u"501234567890"_s);
    const QImage label = renderer.image(QSize(300, 150));
    ImageListEdit images;
    for (int i = 0; i < kPictures; ++i) {
        const QString refused = images.insertPicture(label, 1.5 * 1440, 0.75 * 1440);
        if (!refused.isEmpty()) {
            std::fprintf(stderr, "picture %d: %s\n", i + 1, qPrintable(refused));
            return 1;
        }
    }
    ImageListPrintOptions options;
    options.shownDotsPerInch = images.logicalDpiX();
    int imagePages = 0;
    const double imagePreviewMs = bestMilliseconds([&] {
        const ImageListPages pages(*images.document(), printer, options);
        imagePages = pages.pageCount();
        page.fill(Qt::white);
        QPainter painter(&page);
        pages.paintPage(painter, page, 0);
    });
    const double imageAllPagesMs = bestMilliseconds(
        [&] {
            const ImageListPages pages(*images.document(), printer, options);
            for (int p = 0; p < pages.pageCount(); ++p) {
                page.fill(Qt::white);
                QPainter painter(&page);
                pages.paintPage(painter, page, p);
            }
        },
        1);

    std::printf("List of %d records, %d pages (A4 or the printer's default page), best of %d runs\n", kRecords,
                listing.pageCount(), kRuns);
    std::printf("  preview, time to first page:            %9.2f ms (goal: under 1000)\n", previewMs);
    std::printf("  reference: ListPrinter page 1 to QImage: %9.2f ms\n", firstPageMs);
    std::printf("  print to PDF (%d pages, 1200 dpi):     %9.1f ms, peak %.1f MB (%.1f MB before printing)\n",
                listing.pageCount(), printed[0], printed[2], printed[1]);
    std::printf("  reference: ListPrinter all pages to QImage: %6.1f ms, peak %.1f MB (%.1f MB before)\n", painted[0],
                painted[2], painted[1]);
    std::printf("  ratio PDF print / QImage pages:          %9.2f (peak memory goal: under 300 MB)\n",
                printed[0] / painted[0]);
    std::printf("Image list of %d pictures, %d pages\n", kPictures, imagePages);
    std::printf("  preview, time to first page:            %9.2f ms (goal: under 1000)\n", imagePreviewMs);
    std::printf("  reference: every page to QImage:        %9.2f ms\n", imageAllPagesMs);
    return 0;
}
