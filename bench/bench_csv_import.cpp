// Importing a CSV file of 1,000,000 rows (reading, detecting, the rules of Add to List and the
// duplicate checks) next to readQz2 of the same records from a QZ2 file, in the same run.
// The goal is at most three times the QZ2 read. Prints the best of several runs of each.

#include "list/csv_import.h"
#include "list/csv_reader.h"
#include "list/csv_writer.h"
#include "list/list_files.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

using namespace Kelbrix;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kRecords = 1'000'000;
constexpr int kRuns = 3;

QList<ListRecord> sampleList(int count)
{
    QList<ListRecord> records;
    records.reserve(count);
    for (int i = 0; i < count; ++i) {
        records.append({u"Product %1 Cr\u00e8me"_s.arg((qint64(i) * 7919) % (count / 2)),
                        u"4%1"_s.arg(i, 11, 10, QChar(u'0')), i % 3 == 0 ? u"12"_s : QString(),
                        i % 2 == 0 ? u"Aisle %1"_s.arg(i % 40) : QString(), i % 3 == 0 ? u"E132"_s : u"E130"_s});
    }
    return records;
}

double bestMilliseconds(const std::function<qsizetype()> &run, qsizetype expected)
{
    double best = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        const qsizetype records = run();
        best = qMin(best, double(timer.nsecsElapsed()) / 1e6);
        if (records != expected)
            std::fprintf(stderr, "read %lld records instead of %lld\n", qlonglong(records), qlonglong(expected));
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QList<ListRecord> records = sampleList(kRecords);
    const QString qz2 = dir.filePath(u"list.qz2"_s), csv = dir.filePath(u"list.csv"_s);
    if (!saveListFile(qz2, records, ListFileEncoding::Utf8WithBom).ok || !saveCsvFile(csv, records).ok) {
        std::fprintf(stderr, "could not write the files\n");
        return 1;
    }
    const double readMs = bestMilliseconds([&] { return readQz2(qz2).records.size(); }, kRecords);
    const double importMs = bestMilliseconds(
        [&] {
            CsvReader reader = CsvReader::fromFile(csv);
            return importCsv(reader, std::nullopt, nullptr, DuplicateProducts::KeepAll).accepted.size();
        },
        kRecords);
    std::printf("%d records: readQz2 %.0f ms (%lld bytes), CSV import %.0f ms (%lld bytes): %.2fx (goal: at most "
                "3x)\n",
                kRecords, readMs, qlonglong(QFile(qz2).size()), importMs, qlonglong(QFile(csv).size()),
                importMs / readMs);
    return 0;
}
