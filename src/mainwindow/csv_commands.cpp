// Import from CSV, export to CSV and number sequences: the commands that fill the barcode list
// from elsewhere and hand it on. The reading, the rules and the writing are the list's and the
// barcode folder's; this file asks the user and appends.
#include "mainwindow/csv_commands.h"
#include "widgets/translation.h"

#include "widgets/busy_progress.h"
#include "windows/csv_mapping_dialog.h"
#include "windows/csv_report_dialog.h"
#include "mainwindow/export_lock.h"
#include "widgets/named.h"
#include "windows/number_sequence_dialog.h"
#include "base/user_prompt.h"
#include "list/barcode_list.h"
#include "list/csv_import.h"
#include "list/csv_reader.h"
#include "list/csv_writer.h"

#include <QCoreApplication>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QProgressBar>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// Rows the mapping window shows.
constexpr qsizetype previewRows = 20;

QString csvFilter()
{
    return QCoreApplication::translate("CsvCommands", "CSV file (*.csv);;Text file (*.txt);;All files (*)");
}

QAction *insertAction(QMenu *menu, QAction *before, const QString &name, const char *caption)
{
    auto *action = named(translated(new QAction(menu), "text", "Form1", caption), name);
    menu->insertAction(before, action);
    return action;
}

void tell(const QString &text, PromptIcon icon)
{
    ask(text, applicationTitle(), icon, PromptButtons::Ok);
}

} // namespace

CsvCommands::CsvCommands(QWidget *window, QMenu *fileMenu, QAction *fileBefore, QMenu *editMenu, QAction *editBefore,
                         BarcodeList &list, ExportLock &lock, QProgressBar *progress)
    : QObject(window), m_window(window), m_list(list), m_progress(progress)
{
    QAction *mnuImport = insertAction(fileMenu, fileBefore, u"mnuImport"_s, QT_TRANSLATE_NOOP("Form1", "&Import..."));
    QAction *mnuExport = insertAction(fileMenu, fileBefore, u"mnuExport"_s, QT_TRANSLATE_NOOP("Form1", "E&xport..."));
    QAction *mnuSequence =
        insertAction(editMenu, editBefore, u"mnuSequence"_s, QT_TRANSLATE_NOOP("Form1", "&Number Sequence..."));
    mnuExport->setEnabled(list.count() > 0);
    connect(mnuImport, &QAction::triggered, this, &CsvCommands::importCsv);
    connect(mnuExport, &QAction::triggered, this, &CsvCommands::exportCsv);
    connect(mnuSequence, &QAction::triggered, this, &CsvCommands::numberSequence);
    lock.addActions({mnuImport, mnuSequence});
}

void CsvCommands::importCsv()
{
    FileRequest request;
    request.title = QCoreApplication::translate("CsvCommands", "Import");
    request.filter = csvFilter();
    const QString path = userPrompt().chooseFile(request);
    if (path.isEmpty())
        return;
    CsvReader file;
    runInBackground(m_progress, [&file, &path] { file = CsvReader::fromFile(path); });
    CsvReader preview = file;
    const QList<CsvRow> rows = readCsvRows(preview, previewRows);
    if (rows.isEmpty()) {
        tell(preview.ok() ? QCoreApplication::translate("CsvCommands", "%1 holds no rows.").arg(path) : preview.error(),
             PromptIcon::Exclamation);
        return;
    }
    CsvMappingDialog mapping(rows, columnsFromHeader(rows.first().fields).value_or(CsvColumns{}), m_window);
    if (mapping.exec() != QDialog::Accepted)
        return;
    const CsvColumns columns = mapping.columns();

    // The products already there are answered once for the whole file, and only when the
    // file has any: skipping them means reading the file once more. Large files are read on
    // a worker thread while the window keeps painting.
    CsvImportResult result;
    const auto importAll = [&](DuplicateProducts products) {
        runInBackground(m_progress, [&] {
            CsvReader reader = file;
            result = Kelbrix::importCsv(reader, columns, &m_list, products);
        });
    };
    importAll(DuplicateProducts::KeepAll);
    if (result.ok() && result.keptProducts > 0) {
        PromptRequest question;
        question.text =
            QCoreApplication::translate(
                "CsvCommands", "%1 rows of the file name a product that is already in the list or in an earlier row.")
                .arg(result.keptProducts);
        question.title = QCoreApplication::translate("CsvCommands", "Import");
        question.icon = PromptIcon::Question;
        question.buttons = PromptButtons::YesNoCancel;
        question.buttonTexts = {QCoreApplication::translate("CsvCommands", "Keep all"),
                                QCoreApplication::translate("CsvCommands", "Skip all"),
                                QCoreApplication::translate("CsvCommands", "Cancel")};
        const PromptAnswer answer = userPrompt().ask(question);
        if (answer == PromptAnswer::Cancel)
            return;
        if (answer == PromptAnswer::No)
            importAll(DuplicateProducts::SkipAll);
    }
    if (!result.ok()) {
        tell(result.reportText(), PromptIcon::Exclamation);
        return;
    }
    if (!result.complete()) {
        CsvReportDialog report(result.reportText(), m_window);
        if (report.exec() != QDialog::Accepted)
            return;
    }
    m_list.appendRecords(result.accepted, true);
}

void CsvCommands::exportCsv()
{
    exportRecordsAsCsv(m_list.records());
}

void exportRecordsAsCsv(const QList<ListRecord> &records, const QString &proposed)
{
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.title = QCoreApplication::translate("CsvCommands", "Export");
    request.directory = proposed;
    request.filter = csvFilter();
    request.extensionFromFilter = true;
    const QString path = userPrompt().chooseFile(request);
    if (path.isEmpty())
        return;
    const SaveResult saved = saveCsvFile(path, records);
    if (!saved.ok)
        tell(saved.message, PromptIcon::Critical);
}

bool qz2SaveConfirmed(const QList<ListRecord> &records, const QString &path, const QString &title)
{
    if (std::all_of(records.cbegin(), records.cend(), [](const ListRecord &record) { return record.gs1.isEmpty(); }))
        return true;
    PromptRequest question;
    question.text = QCoreApplication::translate(
        "CsvCommands", "The list holds GS1 data (batch, expiry, serial...), which QZ2 list files do not keep. A CSV "
                       "file keeps it.");
    question.title = title;
    question.icon = PromptIcon::Exclamation;
    question.buttons = PromptButtons::YesNoCancel;
    question.buttonTexts = {QCoreApplication::translate("CsvCommands", "Save as CSV"),
                            QCoreApplication::translate("CsvCommands", "Save as QZ2"),
                            QCoreApplication::translate("CsvCommands", "Cancel")};
    switch (userPrompt().ask(question)) {
    case PromptAnswer::No:
        return true;
    case PromptAnswer::Yes: {
        const QFileInfo file(path);
        exportRecordsAsCsv(records, file.dir().filePath(file.completeBaseName() + u".csv"_s));
        return false;
    }
    default:
        return false;
    }
}

void CsvCommands::numberSequence()
{
    NumberSequenceDialog dialog(m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QList<ListRecord> records;
    records.reserve(dialog.sequence().numbers.size());
    qsizetype issued = 0;
    for (const SequenceNumber &number : dialog.sequence().numbers) {
        records.append({number.product, number.entry, QString(), QString(), number.type});
        issued += m_list.checkAdd(number.product, number.entry).barcodeIssued ? 1 : 0;
    }
    // As Add to List, a barcode is issued once; a sequence is added whole or not at all.
    if (issued > 0) {
        tell(QCoreApplication::translate("CsvCommands",
                                         "%1 of the %2 numbers are already in the list: nothing was added.")
                 .arg(issued)
                 .arg(records.size()),
             PromptIcon::Exclamation);
        return;
    }
    const qsizetype appended = m_list.appendRecords(records, true);
    if (appended < records.size())
        tell(QCoreApplication::translate("CsvCommands", "The list is full: %1 of the %2 numbers were added.")
                 .arg(appended)
                 .arg(records.size()),
             PromptIcon::Exclamation);
}

} // namespace Kelbrix
