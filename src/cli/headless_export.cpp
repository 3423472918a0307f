#include "cli/headless_export.h"

#include "export/printer_resolution.h"
#include "artwork/artwork.h"
#include "artwork/artwork_writers.h"
#include "barcode/edition.h"
#include "barcode/type_catalogue.h"
#include "base/user_prompt.h"
#include "export/converter_io.h"
#include "export/export_file_name.h"
#include "export/image_converter.h"
#include "export/label_source.h"
#include "export/tiff_pipeline.h"
#include "cli/matrix_export.h"
#include "label/record_label.h"
#include "list/barcode_list.h"
#include "list/code_page_1252.h"
#include "list/csv_import.h"
#include "list/list_files.h"
#include "render/barcode_renderer.h"
#include "render/program_clipboard.h"
#include "settings/settings_store.h"
#include "size/bar_size_settings.h"
#include "verify/label_verdict.h"
#include "verify/verify_report.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <vector>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// Control characters of list texts (ESC, BEL, ...) would retitle, clear or colour the terminal:
// they are printed as \xHH escapes.
QString terminalSafe(const QString &text)
{
    QString safe;
    safe.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            safe += u"\\x"_s + QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
        else
            safe += c;
    }
    return safe;
}

// Without a window every message of the export goes to the standard error, and every question
// gets its first button (Yes: a TIFF too large is tried again smaller).
class StandardErrorPrompt final : public UserPrompt {
public:
    StandardErrorPrompt() : m_previous(setUserPrompt(this)) {}
    ~StandardErrorPrompt() override { setUserPrompt(m_previous); }

    PromptAnswer ask(const PromptRequest &request) override
    {
        printLine(stderr, u"kelbrix: "_s + request.text);
        switch (request.buttons) {
        case PromptButtons::Ok:
        case PromptButtons::OkCancel:
            return PromptAnswer::Ok;
        case PromptButtons::YesNo:
        case PromptButtons::YesNoCancel:
            return PromptAnswer::Yes;
        case PromptButtons::RetryCancel:
            return PromptAnswer::Cancel;
        }
        return PromptAnswer::Ok;
    }
    QString chooseFile(const FileRequest &) override { return {}; }

private:
    UserPrompt *m_previous;
};

// The label source of an export without a window: the records of the list file, made as the
// main view makes them, at the size the size window stored (or the type's own size).
class HeadlessSource final : public LabelSource {
public:
    HeadlessSource(const QList<ListRecord> &records, Edition edition, const BarSizeSettings &size,
                   const TiffParameters &parameters, int printerDpi, int recordCount, bool verify)
        : m_records(records), m_edition(edition), m_size(size), m_parameters(parameters), m_printerDpi(printerDpi),
          m_recordCount(recordCount), m_progress(isatty(fileno(stdout)) != 0), m_verify(verify)
    {
        // The export's renderer draws in the look of every other, as the TIFF window's does.
        m_size.appearance.applyTo(m_tiff);
    }

    int filesWritten = 0;
    VerifyReport report;

    bool loadRecord(int number) override
    {
        ++m_recordsLoaded;
        showProgress();
        m_record = m_records.at(number - 1);
        std::optional<RecordLabel> made = makeRecordLabel(
            {m_record.type, m_edition, m_record.barcode, m_record.digitSup, m_record.product}, m_size.appearance);
        if (!made) {
            endProgress();
            printLine(stderr, u"kelbrix: record "_s + QString::number(number) +
                                  u" makes no barcode and is left out: "_s + m_record.type + u' ' + m_record.barcode);
            return false;
        }
        m_supplement = made->plan.type.supplement != 0;
        m_main = made->renderer;
        return true;
    }
    QString typeCode() const override { return m_record.type; }
    QString productText() const override { return m_record.product; }
    QString barcodeText() const override { return m_record.barcode; }
    bool supplementChosen() const override { return m_supplement; }
    const BarcodeRenderer &mainRenderer() const override { return m_main; }
    const BarcodeRenderer &definedRenderer() const override { return m_main; }
    BarcodeRenderer &tiffRenderer() override { return m_tiff; }
    QSizeF referenceSizeTwips() const override
    {
        return m_size.tiffReferenceTwips(m_size.defined, {m_main.widthTwips(), m_main.heightTwips()});
    }
    QSizeF screenTwipsPerPixel() const override { return {15, 15}; }
    TiffParameters tiffParameters() const override { return m_parameters; }
    void setTiffCopiesText(const QString &text) override { m_parameters.copies = text; }
    int printerDpi() const override { return m_printerDpi; }
    void showStatus(const QString &) override {}
    void setProgressRange(qint64, qint64) override {}
    void setProgress(qint64) override {}
    void setBusy(bool) override {}
    void serviceEvents() override {}
    BatchStop batchStopRequest() const override { return m_batch; }
    void setBatchStopRequest(BatchStop value) override { m_batch = value; }
    void setListItemInWork(int) override {}
    bool readsFilesBack() const override { return m_verify; }
    void fileWritten(const QString &path, const QString &) override
    {
        endProgress();
        printLine(stdout, QDir::toNativeSeparators(path));
        ++filesWritten;
        if (m_verify) {
            // Read back as any program would, from the file, and scanned against the record.
            const SourceContent file = readImageFile(path);
            report.add(QFileInfo(path).fileName(), verifyLabel(file.picture.image, m_record.type, m_record.barcode,
                                                               m_supplement ? m_record.digitSup : QString()));
        }
        showProgress();
    }

    void endProgress()
    {
        if (m_progressShown) {
            std::fputs("\r\033[K", stdout);
            m_progressShown = false;
        }
    }

private:
    void showProgress()
    {
        if (!m_progress)
            return;
        std::fprintf(stdout, "\rExporting record %d of %d", m_recordsLoaded, m_recordCount);
        std::fflush(stdout);
        m_progressShown = true;
    }

    QList<ListRecord> m_records;
    Edition m_edition;
    BarSizeSettings m_size;
    TiffParameters m_parameters;
    int m_printerDpi;
    int m_recordCount;
    bool m_progress;
    bool m_verify;
    bool m_progressShown = false;
    int m_recordsLoaded = 0;
    ListRecord m_record;
    bool m_supplement = false;
    BarcodeRenderer m_main;
    BarcodeRenderer m_tiff;
    BatchStop m_batch = BatchStop::Idle;
};

int usageError(const QString &message)
{
    printLine(stderr, u"kelbrix: "_s + message);
    return kExportUsageError;
}

// Writes one artwork file of each record in \a numbers into the request's folder; 0 when every
// record got its file, 1 otherwise.
int exportArtwork(const QList<ListRecord> &records, const QList<int> &numbers, const ExportRequest &request,
                  Edition edition, const BarSizeSettings &size, ArtworkOptions options)
{
    if (request.magnification)
        options.magnification = *request.magnification;
    if (request.bwrMm)
        options.bwrMm = *request.bwrMm;
    const ArtworkFormat format = *request.vectorFormat;
    const QString suffix = artworkSuffix(format);
    int written = 0;
    for (const int number : numbers) {
        const ListRecord &record = records.at(number - 1);
        const std::optional<RecordLabel> made =
            makeRecordLabel({record.type, edition, record.barcode, record.digitSup, record.product}, size.appearance);
        if (!made) {
            printLine(stderr, u"kelbrix: record "_s + QString::number(number) +
                                  u" makes no barcode and is left out: "_s + record.type + u' ' + record.barcode);
            continue;
        }
        QString error;
        const std::optional<LabelLayout> artwork = makeArtwork({made->label(), options}, &error);
        if (!artwork) {
            printLine(stderr, u"kelbrix: record "_s + QString::number(number) + u" is left out: "_s + error);
            continue;
        }
        const QString path = exportFileName(request.outFolder, record.product, record.barcode, 1, 3, suffix);
        const SaveResult saved = saveArtwork(path, *artwork, format);
        if (!saved.ok) {
            printLine(stderr, u"kelbrix: "_s + saved.message);
            continue;
        }
        printLine(stdout, QDir::toNativeSeparators(path));
        ++written;
    }
    printLine(stdout, QString::number(written) + u" files written for "_s + QString::number(written) + u" of "_s +
                          QString::number(numbers.size()) + u" records"_s);
    return written == numbers.size() ? 0 : 1;
}

bool isCsvFile(const QString &path)
{
    return path.endsWith(u".csv"_s, Qt::CaseInsensitive);
}

// Imports a CSV file as Add to List would take its rows, one answer (keep or skip) for every
// product already there; prints each refused row and what was left unread on the standard error.
CsvImportResult importForCommandLine(const QString &path, const std::optional<CsvColumns> &columns,
                                     DuplicateProducts products)
{
    CsvReader reader = CsvReader::fromFile(path);
    const CsvImportResult result = importCsv(reader, columns, nullptr, products);
    if (!result.ok())
        return result;
    for (const RefusedRow &row : result.refused)
        printLine(stderr, u"kelbrix: line %1 is refused, %2: %3"_s.arg(row.line).arg(row.reason, row.held));
    if (result.unreadFromLine)
        printLine(stderr, u"kelbrix: the rows from line %1 on are not read: a list holds at most %2 records"_s
                              .arg(result.unreadFromLine)
                              .arg(BarcodeList::MaxRecords));
    return result;
}

} // namespace

std::optional<QList<std::pair<int, int>>> checkRecordNumbers(const QString &text, int count, QString *error)
{
    static const QRegularExpression part(u"^\\s*(\\d{1,9})\\s*(?:-\\s*(\\d{1,9})\\s*)?$"_s);
    QList<std::pair<int, int>> ranges;
    const auto refuse = [&](const QString &why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    for (const QString &piece : text.split(u',')) {
        const QRegularExpressionMatch match = part.match(piece);
        if (!match.hasMatch())
            return refuse(u"\""_s + piece.trimmed() + u"\" is no record number or range (such as 1,4-9)"_s);
        const int first = match.captured(1).toInt();
        const int last = match.capturedLength(2) ? match.captured(2).toInt() : first;
        if (last < first)
            return refuse(u"the range "_s + piece.trimmed() + u" runs backwards"_s);
        for (const int number : {first, last})
            if (number < 1 || number > count)
                return refuse(u"record "_s + QString::number(number) + u" is not in the list, which holds "_s +
                              QString::number(count) + u" records"_s);
        ranges.append({first, last});
    }
    return ranges;
}

std::optional<QList<int>> parseRecordNumbers(const QString &text, int count, QString *error)
{
    // Every part is checked against the list before a number is expanded, so a range far beyond
    // the list costs nothing; ranges that overlap or repeat are marked once per record.
    const std::optional<QList<std::pair<int, int>>> ranges = checkRecordNumbers(text, count, error);
    if (!ranges)
        return std::nullopt;
    std::vector<bool> chosen(size_t(count) + 1, false);
    for (const auto &[first, last] : *ranges)
        std::fill(chosen.begin() + first, chosen.begin() + last + 1, true);
    QList<int> numbers;
    for (int n = 1; n <= count; ++n)
        if (chosen[size_t(n)])
            numbers << n;
    return numbers;
}

void printLine(std::FILE *stream, const QString &text)
{
    std::fputs(terminalSafe(text).toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

std::optional<QList<ListRecord>> commandLineRecords(const QString &path, QString *error, bool *rowsLeftOut)
{
    *rowsLeftOut = false;
    const bool csv = isCsvFile(path);
    if (!csv &&
        (listFileFormatFor(path) == ListFileFormat::Unknown || listFileFormatFor(path) == ListFileFormat::ImageList)) {
        *error = QDir::toNativeSeparators(path) + u" is no list file (.qz2, .qzl, .bar) or CSV file (.csv)"_s;
        return std::nullopt;
    }
    if (csv) {
        CsvImportResult imported = importForCommandLine(path, std::nullopt, DuplicateProducts::KeepAll);
        if (!imported.ok()) {
            *error = imported.error;
            return std::nullopt;
        }
        *rowsLeftOut = !imported.complete();
        return std::move(imported.accepted);
    }
    ListReadResult list = readListFile(path);
    if (!list.ok()) {
        *error = list.message.isEmpty() ? QDir::toNativeSeparators(path) + u" could not be read"_s : list.message;
        return std::nullopt;
    }
    return std::move(list.records);
}

int runHeadlessExport(const ExportRequest &request)
{
    // Past the file-size limit a write fails with EFBIG and the export says so; the signal would
    // end it without a word and leave its temporary file behind.
    std::signal(SIGXFSZ, SIG_IGN);
    bool rowsLeftOut = false;
    QString readError;
    const std::optional<QList<ListRecord>> records = commandLineRecords(request.listFile, &readError, &rowsLeftOut);
    if (!records)
        return usageError(readError);
    ListReadResult list;
    list.records = *records;
    const int count = int(list.records.size());
    QList<int> numbers;
    if (request.records.isEmpty()) {
        for (int n = 1; n <= count; ++n)
            numbers << n;
    } else {
        QString error;
        const std::optional<QList<int>> chosen = parseRecordNumbers(request.records, count, &error);
        if (!chosen)
            return usageError(u"--records: "_s + error);
        numbers = *chosen;
    }
    const QFileInfo out(request.outFolder);
    if (!QDir().mkpath(request.outFolder) || !out.isDir())
        return usageError(u"the folder "_s + QDir::toNativeSeparators(request.outFolder) + u" cannot be made"_s);

    const Edition edition = buildEdition();
    SettingsStore store(edition);
    store.load();
    BarSizeSettings size;
    size.load(store);
    if (request.bearers)
        size.appearance.bearers = *request.bearers;
    if (request.gs1.active()) {
        Gs1Request gs1 = request.gs1;
        ArtworkOptions options;
        options.load(store);
        if (request.magnification)
            options.magnification = *request.magnification;
        if (request.bwrMm)
            options.bwrMm = *request.bwrMm;
        gs1.moduleMm = size.matrixModuleMm;
        ExportRequest matrixRequest = request;
        matrixRequest.gs1 = gs1;
        const TiffParameters parameters = TiffParameters::fromSettings(store);
        const int dpi =
            request.dpi ? *request.dpi
                        : parameters.resolutionDpi(parameters.printerResolution ? defaultPrinterResolution().dotsPerInch
                                                                                : PrinterResolution::kWithoutPrinter);
        const int status =
            exportMatrixLabels(list.records, numbers, matrixRequest, edition, size, options, dpi,
                               request.compression.value_or(parameters.compression), request.copies.value_or(1));
        return rowsLeftOut ? 1 : status;
    }
    if (request.vectorFormat) {
        ArtworkOptions options;
        options.load(store);
        const int status = exportArtwork(list.records, numbers, request, edition, size, options);
        return rowsLeftOut ? 1 : status;
    }
    TiffParameters parameters = TiffParameters::fromSettings(store);
    if (request.dpi) {
        parameters.printerResolution = false;
        parameters.userResolution = QString::number(*request.dpi);
    }
    const int printerDpi =
        parameters.printerResolution ? defaultPrinterResolution().dotsPerInch : PrinterResolution::kWithoutPrinter;
    if (request.compression)
        parameters.compression = *request.compression;
    if (request.copies)
        parameters.copies = QString::number(*request.copies);
    parameters.invert = request.invert;
    parameters.mirror = request.mirror.value_or(TiffMirror::None);
    parameters.rotation = request.rotation.value_or(TiffRotation::None);
    parameters.adjustWidth = false;
    parameters.adjustHeight = false;

    // The export hands pictures along on a clipboard of its own: the user's stays untouched.
    ProgramClipboard::usePrivate(true);
    StandardErrorPrompt prompt;
    HeadlessSource source(list.records, edition, size, parameters, printerDpi, int(numbers.size()), request.verify);
    ImageConverter converter;
    TiffPipeline pipeline(source, converter);
    const TiffExportOutcome outcome =
        pipeline.ExportListAsTiff(numbers, QDir(request.outFolder).absoluteFilePath(u"export.tif"_s));
    source.endProgress();
    ProgramClipboard::usePrivate(false);

    printLine(stdout, QString::number(source.filesWritten) + u" files written for "_s +
                          QString::number(outcome.recordsDone) + u" of "_s + QString::number(numbers.size()) +
                          u" records"_s);
    if (request.verify) {
        printLine(stdout, source.report.summary());
        if (!source.report.allScan())
            return 1;
    }
    return outcome.recordsDone == numbers.size() && !outcome.stopped && !rowsLeftOut ? 0 : 1;
}

int runHeadlessImport(const ImportRequest &request)
{
    std::optional<CsvColumns> columns;
    if (!request.columns.isEmpty()) {
        QString error;
        columns = columnsFromList(request.columns, &error);
        if (!columns)
            return usageError(u"--columns: "_s + error);
    }
    if (!request.type.isEmpty()) {
        const QString type = typeCodeFromName(request.type);
        if (type.isEmpty())
            return usageError(u"--type: \""_s + request.type + u"\" is no barcode type"_s);
        if (!columns) {
            // The header names the columns; the type comes from the option where a row gives none.
            CsvReader header = CsvReader::fromFile(request.csvFile);
            CsvRow first;
            if (header.readRow(first))
                columns = columnsFromHeader(first.fields);
            if (!columns)
                return usageError(u"Line 1 names no barcode column: call one Barcode, EAN, GTIN or Streckkod."_s);
        }
        columns->fixedType = type;
    }
    const CsvImportResult imported =
        importForCommandLine(request.csvFile, columns,
                             request.skipDuplicateProducts ? DuplicateProducts::SkipAll : DuplicateProducts::KeepAll);
    if (!imported.ok())
        return usageError(imported.error);
    if (imported.accepted.isEmpty()) {
        printLine(stderr, u"kelbrix: no row was imported; "_s + QDir::toNativeSeparators(request.listFile) +
                              u" is left as it was"_s);
        return 1;
    }
    // The list file's own code page when it holds every text, else UTF-8 as Save List offers.
    ListFileEncoding encoding = ListFileEncoding::CodePage1252;
    QByteArray scratch;
    for (const ListRecord &record : imported.accepted) {
        for (const QString *field : {&record.product, &record.digitSup, &record.text}) {
            scratch.clear();
            if (!CodePage1252::encode(*field, scratch))
                encoding = ListFileEncoding::Utf8WithBom;
        }
        if (encoding == ListFileEncoding::Utf8WithBom)
            break;
    }
    const ListWriteResult written = saveListFile(request.listFile, imported.accepted, encoding);
    if (!written.ok)
        return usageError(written.message);
    const qsizetype withGs1 = std::count_if(imported.accepted.cbegin(), imported.accepted.cend(),
                                            [](const ListRecord &record) { return !record.gs1.isEmpty(); });
    if (withGs1 > 0)
        printLine(stderr, u"kelbrix: warning: the GS1 data (batch, expiry, serial...) of %1 records is not kept in "
                          u"%2: QZ2 list files do not keep it"_s.arg(withGs1)
                              .arg(QDir::toNativeSeparators(request.listFile)));
    printLine(
        stdout,
        u"%1 records written to %2"_s.arg(imported.accepted.size()).arg(QDir::toNativeSeparators(request.listFile)));
    return imported.complete() ? 0 : 1;
}

} // namespace Kelbrix
