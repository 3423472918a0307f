#include "cli/sheet_command_line.h"

#include "cli/headless_export.h"
#include "settings/settings_store.h"
#include "sheet/label_template.h"
#include "sheet/sheet_printer.h"
#include "size/bar_size_settings.h"

#include <QDir>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

int refuse(const QString &message)
{
    printLine(stderr, u"kelbrix: "_s + message);
    return kExportUsageError;
}

} // namespace

int printTemplates()
{
    // The catalogue is the program's own, so its tabs are printed as they are.
    for (const LabelTemplate &sheet : builtInTemplates())
        std::fputs(qPrintable(templateLine(sheet) + u'\n'), stdout);
    return 0;
}

int runSheetCommandLine(const SheetRequest &request)
{
    const std::optional<LabelTemplate> sheet = findTemplate(builtInTemplates(), request.templateName);
    if (!sheet)
        return refuse(u"--template: \""_s + request.templateName +
                      u"\" is no label sheet; kelbrix --templates lists them"_s);
    SheetJob job;
    job.sheet = *sheet;
    job.startAt = request.startAt;
    job.copies = request.copies;
    job.printerDpi = request.dpi;
    job.edition = buildEdition();
    // The labels are made in the look the size window keeps, as the window's labels are.
    SettingsStore store(job.edition);
    store.load();
    BarSizeSettings size;
    size.load(store);
    if (request.bearers)
        size.appearance.bearers = *request.bearers;
    job.appearance = size.appearance;
    job.gs1 = request.gs1;
    // The 2D module, as --export takes it, is the one the size window keeps.
    job.gs1.moduleMm = size.matrixModuleMm;
    if (const QString problem = sheetJobProblem(job); !problem.isEmpty())
        return refuse(problem);

    bool rowsLeftOut = false;
    QString error;
    const std::optional<QList<ListRecord>> records = commandLineRecords(request.listFile, &error, &rowsLeftOut);
    if (!records)
        return refuse(error);
    QList<ListRecord> chosen = *records;
    if (!request.records.isEmpty()) {
        const std::optional<QList<int>> numbers = parseRecordNumbers(request.records, int(records->size()), &error);
        if (!numbers)
            return refuse(u"--records: "_s + error);
        chosen.clear();
        for (int number : *numbers)
            chosen << records->at(number - 1);
    }

    const SheetPlan plan(chosen, job);
    const SheetPdfResult written = writeSheetPdf(request.pdfFile, plan, [](int page, int pages) {
        printLine(stdout, u"Page %1 of %2"_s.arg(page).arg(pages));
        std::fflush(stdout);
        return true;
    });
    const SheetOutcome &outcome = written.outcome;
    const SaveResult &saved = written.saved;
    for (const QString &refusal : std::as_const(outcome.refused))
        printLine(stderr, u"kelbrix: "_s + refusal);
    if (!outcome.error.isEmpty())
        return refuse(outcome.error);
    if (outcome.labels == 0) {
        printLine(stderr,
                  u"kelbrix: no label to print: "_s + QDir::toNativeSeparators(request.pdfFile) + u" is not written"_s);
        return 1;
    }
    if (!saved.ok) {
        printLine(stderr, u"kelbrix: "_s + saved.message);
        return 1;
    }
    printLine(stdout, u"%1 labels on %2 pages written to %3"_s.arg(outcome.labels)
                          .arg(outcome.pages)
                          .arg(QDir::toNativeSeparators(request.pdfFile)));
    if (request.gs1.serialFrom)
        printLine(stdout, u"Serials (21) %1 to %2, %3 labels"_s.arg(plan.gs1Data(0).serial)
                              .arg(plan.gs1Data(outcome.labels - 1).serial)
                              .arg(outcome.labels));
    return outcome.refused.isEmpty() && !rowsLeftOut ? 0 : 1;
}

} // namespace Kelbrix
