// The barcode list at the size users reach. Loading a 100,000-record QZ2 list the whole
// way (read, into the model with the product list and barcode index, the duplicate pass,
// a sort proxy attached as the window has it; no event loop) next to readQz2 alone on the
// same bytes; then Remove Item of 50,000 selected records, sorting by each column, Clear,
// and the peak memory of a process that loads 100,000 and 1,000,000 records.
// Prints the best of several runs of each.

#include "list/barcode_list.h"
#include "list/list_files.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

using namespace Kelbrix;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kRecords = 100000;
constexpr int kRuns = 5;

QList<ListRecord> sampleList(int count)
{
    QList<ListRecord> records;
    records.reserve(count);
    for (int i = 0; i < count; ++i) {
        // Products repeat in mixed case, as real lists do, so sorting has equal keys to keep.
        records.append({u"Product %1 Cr\u00e8me"_s.arg((i * 7919) % (count / 2)), u"4%1"_s.arg(i, 11, 10, QChar(u'0')),
                        i % 3 == 0 ? u"12"_s : QString(), i % 2 == 0 ? u"Aisle %1"_s.arg(i % 40) : QString(),
                        i % 3 == 0 ? u"E132"_s : u"E130"_s});
    }
    return records;
}

double bestMilliseconds(const std::function<void()> &prepare, const std::function<void()> &run)
{
    double best = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        run();
        best = qMin(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

// The load as the main window does it, without the window.
void loadIntoModel(const QString &path, BarcodeList &list)
{
    ListReadResult result = readListFile(path);
    list.appendRecords(result.records, true);
    list.removeNeighbouringDuplicates();
}

qlonglong peakResidentKiB()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// Child process: writes a list of \a count records, loads it, prints the peak memory.
int measurePeak(int count)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"peak.qz2"_s);
    {
        const ListWriteResult saved = saveListFile(path, sampleList(count));
        if (!saved.ok)
            return 1;
    }
    const qlonglong before = peakResidentKiB();
    BarcodeList list;
    BarcodeListSortProxy proxy;
    proxy.setSourceModel(&list);
    loadIntoModel(path, list);
    std::printf("%lld %lld %lld\n", qlonglong(list.count()), before, peakResidentKiB());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--peak") == 0)
        return measurePeak(QByteArray(argv[2]).toInt());

    QTemporaryDir folder;
    const QString path = folder.filePath(u"bench.qz2"_s);
    const ListWriteResult saved = saveListFile(path, sampleList(kRecords));
    if (!saved.ok) {
        std::fprintf(stderr, "could not write the sample list: %s\n", qPrintable(saved.message));
        return 1;
    }

    BarcodeList list;
    BarcodeListSortProxy proxy;
    proxy.setSourceModel(&list);
    const auto empty = [&] { list.clear(); };
    const double readMs = bestMilliseconds([] {}, [&] { (void)readQz2(path); });
    const double loadMs = bestMilliseconds(empty, [&] { loadIntoModel(path, list); });
    if (list.count() != kRecords) {
        std::fprintf(stderr, "expected %d records, loaded %lld\n", kRecords, qlonglong(list.count()));
        return 1;
    }
    std::printf("QZ2 list of %d records (%lld bytes), best of %d runs\n", kRecords, qlonglong(QFile(path).size()),
                kRuns);
    std::printf("  reference: readQz2 alone          %8.2f ms\n", readMs);
    std::printf("  whole load through the model      %8.2f ms  (%.2fx the reference)\n", loadMs, loadMs / readMs);

    QList<qsizetype> everySecond;
    for (qsizetype row = 0; row < kRecords; row += 2)
        everySecond.append(row);
    const double removeMs = bestMilliseconds(
        [&] {
            list.clear();
            loadIntoModel(path, list);
        },
        [&] { list.removeRecords(everySecond); });
    std::printf("  Remove Item, %lld selected         %8.2f ms\n", qlonglong(everySecond.size()), removeMs);

    list.clear();
    loadIntoModel(path, list);
    for (int column = 0; column < 5; ++column) {
        const double sortMs =
            bestMilliseconds([&] { proxy.sort(-1); }, [&] { proxy.sort(column, Qt::AscendingOrder); });
        std::printf("  sort by %-10s                %8.2f ms\n",
                    qPrintable(list.headerData(column, Qt::Horizontal).toString()), sortMs);
    }
    proxy.sort(-1);
    const double clearMs = bestMilliseconds(
        [&] {
            list.clear();
            loadIntoModel(path, list);
        },
        [&] { list.clear(); });
    std::printf("  Clear                             %8.2f ms\n", clearMs);

    for (const int count : {kRecords, 1000000}) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {u"--peak"_s, QString::number(count)});
        child.waitForFinished(-1);
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        if (figures.size() == 3) {
            std::printf("  peak RSS, %7d records: %6lld MiB (%lld MiB before the load, while writing the file)\n",
                        figures[0].toInt(), figures[2].toLongLong() / 1024, figures[1].toLongLong() / 1024);
        }
    }
    return 0;
}
