// Loading a QZ2 list of 30,000 records, next to the least a loader can do with the same
// file: read it line by line with QFile::readLine and cut the quotes off each line.
// Prints the best of several runs of each and their ratio.

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

constexpr int kRecords = 30000;
constexpr int kRuns = 7;

QList<ListRecord> sampleList()
{
    QList<ListRecord> records;
    records.reserve(kRecords);
    for (int i = 0; i < kRecords; ++i) {
        records.append({u"Product %1 Cr\u00e8me"_s.arg(i), u"400638%1"_s.arg(i, 7, 10, QChar(u'0')),
                        i % 3 == 0 ? u"12"_s : QString(), i % 2 == 0 ? u"Aisle %1"_s.arg(i % 40) : QString(),
                        i % 3 == 0 ? u"E132"_s : u"E130"_s});
    }
    return records;
}

// The reference: every line read, its quotes dropped and its bytes made text.
qsizetype readLinesAndSplit(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    QStringList fields;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        line.chop(line.endsWith("\r\n") ? 2 : 1);
        fields.append(QString::fromLatin1(line.mid(1, line.size() - 2)));
    }
    return fields.size() / 5;
}

double bestMilliseconds(const std::function<qsizetype()> &run, qsizetype &count)
{
    double best = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        count = run();
        best = qMin(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"bench.qz2"_s);
    const ListWriteResult saved = saveListFile(path, sampleList());
    if (!saved.ok) {
        std::fprintf(stderr, "could not write the sample list: %s\n", qPrintable(saved.message));
        return 1;
    }

    qsizetype loaded = 0;
    qsizetype referenced = 0;
    const double loadMs = bestMilliseconds([&] { return readQz2(path).records.size(); }, loaded);
    const double referenceMs = bestMilliseconds([&] { return readLinesAndSplit(path); }, referenced);
    if (loaded != kRecords || referenced != kRecords) {
        std::fprintf(stderr, "expected %d records, loaded %lld, reference %lld\n", kRecords, qlonglong(loaded),
                     qlonglong(referenced));
        return 1;
    }
    std::printf("QZ2 load, %d records (%lld bytes), best of %d runs\n", kRecords, qlonglong(QFile(path).size()), kRuns);
    std::printf("  readQz2:                      %8.2f ms\n", loadMs);
    std::printf("  reference (readLine + split): %8.2f ms\n", referenceMs);
    std::printf("  ratio readQz2 / reference:    %8.2f\n", loadMs / referenceMs);
    return 0;
}
