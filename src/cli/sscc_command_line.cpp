#include "cli/sscc_command_line.h"

#include "cli/headless_export.h"
#include "list/sscc_log_csv.h"
#include "settings/sscc_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

bool sameFile(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace

int runSsccTake(const SsccTakeRequest &request)
{
    const SsccTake take = SsccStore::forEdition(buildEdition())
                              .takeSsccs(request.prefix, request.extension, request.count, request.purpose);
    if (!take.ok()) {
        printLine(stderr, u"kelbrix: "_s + take.error);
        return 1;
    }
    for (const QString &sscc : take.ssccs)
        printLine(stdout, sscc);
    std::fflush(stdout);
    return 0;
}

int runSsccLog(const QString &path)
{
    const SsccStore store = SsccStore::forEdition(buildEdition());
    if (sameFile(path, store.logPath()) || sameFile(path, store.counterPath())) {
        printLine(stderr, u"kelbrix: "_s + QCoreApplication::translate("CommandLine",
                                                                       "\"%1\" is the SSCC store itself; the CSV "
                                                                       "file goes to another file.")
                                               .arg(QDir::toNativeSeparators(path)));
        return 1;
    }
    const SsccLog log = store.readLog();
    if (!log.error.isEmpty()) {
        printLine(stderr, u"kelbrix: "_s + log.error);
        return 1;
    }
    const SaveResult saved = saveSsccLogCsv(path, log.entries);
    if (!saved.ok) {
        printLine(stderr, u"kelbrix: "_s + saved.message);
        return 1;
    }
    if (log.damagedLines > 0) {
        const QString left =
            log.damagedLines == 1
                ? QCoreApplication::translate("CommandLine",
                                              "1 line of the log \"%2\" is cut short or damaged and left out.")
                : QCoreApplication::translate("CommandLine",
                                              "%1 lines of the log \"%2\" are cut short or damaged and left out.");
        printLine(stderr, u"kelbrix: "_s +
                              left.arg(QString::number(log.damagedLines), QDir::toNativeSeparators(store.logPath())));
    }
    printLine(stdout, QCoreApplication::translate("CommandLine", "%1 SSCCs written to %2")
                          .arg(QString::number(log.entries.size()), QDir::toNativeSeparators(path)));
    return log.damagedLines > 0 ? 1 : 0;
}

} // namespace Kelbrix
