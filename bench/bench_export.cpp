// The headless TIFF export of 1,000 EAN-13 records at 600 dpi, Group 4, one copy each (list
// read, each record made, rendered, compressed and saved through the save helper), next to a
// reference in the same run: a minimal libtiff loop writing the same 1,000 one-bit pictures,
// already rendered, as Group 4 files. A second reference adds an fdatasync per file, the part
// of the export's cost that the save helper's durability takes. Prints the time per file of
// each and the ratio of the export to the reference, by the wall clock and in processor time.
//
//   ./bench_export [records]

#include "cli/headless_export.h"
#include "export/converter_io.h"
#include "label/mono_symbol.h"
#include "list/list_files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <tiffio.h>

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

// Processor time of the whole process in milliseconds: on a machine shared with other work it
// says what the wall clock cannot.
double cpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Writes \a image (one bit, set bits black) as a Group 4 TIFF at 600 dpi.
bool writeGroup4(const QString &path, const QImage &image, bool sync)
{
    TIFF *tiff = TIFFOpen(QFile::encodeName(path).constData(), "w");
    if (!tiff)
        return false;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(image.width()));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(image.height()));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, uint16_t(1));
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, uint16_t(1));
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, uint16_t(PHOTOMETRIC_MINISWHITE));
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, uint16_t(COMPRESSION_CCITTFAX4));
    TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, uint16_t(RESUNIT_INCH));
    TIFFSetField(tiff, TIFFTAG_XRESOLUTION, 600.0f);
    TIFFSetField(tiff, TIFFTAG_YRESOLUTION, 600.0f);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, uint32_t(image.height()));
    bool ok = true;
    for (int y = 0; y < image.height() && ok; ++y)
        ok = TIFFWriteScanline(tiff, const_cast<uchar *>(image.constScanLine(y)), uint32_t(y), 0) == 1;
    if (sync && ok) {
        TIFFFlush(tiff);
        ok = ::fdatasync(TIFFFileno(tiff)) == 0;
    }
    TIFFClose(tiff);
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir work;
    if (!work.isValid())
        return 1;
    // Settings and the converter log of the bench stay in its own folder.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(work.filePath(u"config"_s)));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(work.filePath(u"cache"_s)));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // As the program does before it paints any text.
    cacheGlyphsUpToMaskSize();
    QGuiApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 1000;

    QList<ListRecord> records;
    for (int i = 0; i < count; ++i)
        records.append({u"Item "_s + QString::number(i),
                        u"4006"_s + QString::number(i).rightJustified(8, u'0'),
                        {},
                        {},
                        u"E130"_s});
    const QString list = work.filePath(u"list.qz2"_s);
    if (!saveListFile(list, records).ok) {
        std::fputs("the list could not be written\n", stderr);
        return 1;
    }

    ExportRequest request;
    request.listFile = list;
    request.outFolder = work.filePath(u"export"_s);
    request.dpi = 600;
    request.compression = TiffCompression::Group4;
    request.copies = 1;

    // The export prints a line per file; the bench keeps its own output.
    std::fflush(stdout);
    const int savedOut = dup(STDOUT_FILENO);
    const int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, STDOUT_FILENO);
    QElapsedTimer timer;
    timer.start();
    double cpu = cpuMilliseconds();
    const int status = runHeadlessExport(request);
    const double exportMs = double(timer.nsecsElapsed()) / 1e6;
    const double exportCpuMs = cpuMilliseconds() - cpu;
    std::fflush(stdout);
    dup2(savedOut, STDOUT_FILENO);
    close(devNull);
    close(savedOut);
    if (status != 0) {
        std::fprintf(stderr, "the export failed with %d\n", status);
        return 1;
    }

    // The reference starts from the very pictures the export wrote, already in memory.
    const QStringList files = QDir(request.outFolder).entryList({u"*.tif"_s}, QDir::Files, QDir::Name);
    QList<QImage> pictures;
    for (const QString &name : files)
        pictures.append(readImageFile(QDir(request.outFolder).filePath(name)).picture.image);
    if (pictures.size() != count) {
        std::fprintf(stderr, "%lld files written, %d expected\n", qint64(pictures.size()), count);
        return 1;
    }
    double referenceMs[2] = {0, 0};
    double referenceCpuMs[2] = {0, 0};
    for (const bool sync : {false, true}) {
        const QString folder = work.filePath(sync ? u"synced"_s : u"reference"_s);
        QDir().mkpath(folder);
        timer.restart();
        cpu = cpuMilliseconds();
        for (int i = 0; i < count; ++i)
            if (!writeGroup4(folder + u'/' + files.at(i), pictures.at(i), sync))
                return 1;
        referenceMs[sync] = double(timer.nsecsElapsed()) / 1e6;
        referenceCpuMs[sync] = cpuMilliseconds() - cpu;
    }

    const double perFile = exportMs / count;
    const double referencePerFile = referenceMs[0] / count;
    const double syncedPerFile = referenceMs[1] / count;
    std::printf("%d EAN-13 records at 600 dpi, Group 4, %dx%d pixels\n", count, pictures.first().width(),
                pictures.first().height());
    std::printf("export (kelbrix --export, in process):      %8.3f ms per file\n", perFile);
    std::printf("reference (libtiff Group 4 loop):           %8.3f ms per file\n", referencePerFile);
    std::printf("reference with fdatasync per file:          %8.3f ms per file\n", syncedPerFile);
    std::printf("export / reference:                         %8.2f (goal <= 2)\n", perFile / referencePerFile);
    std::printf("export / reference with fdatasync:          %8.2f\n", perFile / syncedPerFile);
    std::printf("processor time: export %.3f ms, reference %.3f ms per file, ratio %.2f\n", exportCpuMs / count,
                referenceCpuMs[0] / count, exportCpuMs / referenceCpuMs[0]);
    return 0;
}
