#include "export/tiff_pipeline.h"

#include "base/safe_save.h"
#include "base/units.h"
#include "base/user_prompt.h"
#include "export/batch_stop.h"
#include "export/converter_errors.h"
#include "export/converter_result.h"
#include "export/image_converter.h"
#include "export/label_source.h"
#include "export/tiff_parameters.h"
#include "export/tiff_step_commands.h"
#include "export/tiff_write_queue.h"
#include "render/barcode_renderer.h"
#include "render/program_clipboard.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <chrono>
#include <limits>
#include <memory>

using namespace Qt::Literals::StringLiterals;

// The three exports and the batch they run; the steps each picture goes through are in
// tiff_pipeline_steps.cpp.

namespace Kelbrix {

namespace {

constexpr QStringView kIdleStatus = u"Press F1 for Help";
/// Up to this resolution the picture travels on the clipboard between the steps.
constexpr double kClipboardRouteMaxDpi = 1200;
/// The longest the stop question waits for the files before it to be committed.
constexpr std::chrono::milliseconds kQuestionCommitWait(40);
/// The most a picture is shrunk when retried: the enlarging percentage must fit ShrinkFactor.
constexpr int kMaxShrinkFactor = std::numeric_limits<qint16>::max() / 100;

bool isIsbn(const QString &typeCode)
{
    return typeCode == u"ISB0"_s || typeCode == u"ISB5"_s;
}

// A hidden work file beside \a target, removed when the returned object goes: the file route's
// steps work on it, so that only the last step writes the target and a failed step leaves an old
// file of that name as it was. Null when the folder takes no new file.
std::unique_ptr<QTemporaryFile> workFileFor(const QString &target)
{
    const QFileInfo info(target);
    auto work = std::make_unique<QTemporaryFile>(info.absolutePath() + u"/."_s + info.fileName() + u".XXXXXX.tif"_s);
    if (!work->open())
        return nullptr;
    work->close();
    return work;
}

} // namespace

TiffPipeline::TiffPipeline(LabelSource &source, ImageConverter &converter)
    : m_source(source), m_converter(converter),
      m_files(source, [this] { static_cast<void>(report(ConverterResult::WriteError)); }),
      // The files made before the question are on the disk, and told, when it is asked; a disk
      // slow to take them is not waited for long, and what it commits later is told then.
      m_stopQuestion(source, [this] { m_files.settle(true, kQuestionCommitWait); })
{
    // The converter's picture work goes through the source, which keeps the window answering.
    m_converter.setWorkRunner([this](const std::function<void()> &work) { m_source.runWork(work); });
    m_source.setWhileWorking([this] { m_stopQuestion.answerWhileWorking(); });
}

TiffPipeline::~TiffPipeline()
{
    m_converter.setWorkRunner({});
    m_source.setWhileWorking({});
}

TiffPipeline::Flow TiffPipeline::escapeCheck(const QString &text)
{
    if (!m_stopQuestion.stopAsked(text))
        return Flow::Go;
    m_source.setBusy(false);
    ResetExportState();
    return Flow::Stop;
}

bool TiffPipeline::retrySmaller(const QString &renderCommandHead, const QString &status, const QString &escapeText,
                                bool &stop)
{
    while (m_retry == TiffRetry::Smaller) {
        PrepareTiffPicture();
        if (m_rasterWidth < 1 || m_shrinkFactor > kMaxShrinkFactor) {
            // Shrinking further cannot help: give up on this picture and say so.
            m_files.settle(true);
            ask(QCoreApplication::translate("TiffPipeline", "Can't make a %1 dpi file, not even at 1/%2 of its size.")
                    .arg(QString::number(m_resolution), QString::number(m_shrinkFactor)),
                QCoreApplication::translate("TiffPipeline", "TIFF Error"), PromptIcon::Exclamation, PromptButtons::Ok);
            m_retry = TiffRetry::None;
            m_shrinkFactor = 0;
            return false;
        }
        const int result = execute(renderCommandHead + m_tiffTarget + m_tiffRenderOptions);
        if (!status.isEmpty())
            m_source.showStatus(status);
        if (!escapeText.isEmpty() && escapeCheck(escapeText) == Flow::Stop) {
            stop = true;
            return false;
        }
        if (result == ConverterResult::Success)
            return true;
        m_retry = report(result);
    }
    return false;
}

struct TiffPipeline::CopyPlan {
    QString folder;
    QString product;
    bool fileRoute = false;
    TiffCompression compression = TiffCompression::None;
    int dpi = 0;
    /// The file route's work picture; it is no copy until saved as one.
    std::unique_ptr<QTemporaryFile> work;
};

RecordStart TiffPipeline::makePicture(Kind kind, CopyPlan &plan, TiffExportOutcome &outcome)
{
    m_stepFailed = false;
    const TiffParameters parameters = m_source.tiffParameters();
    const QString product = m_source.productText();
    const bool isbn = isIsbn(m_source.typeCode());
    plan.product = product;

    BuildExportNames();
    const QString firstCopy = copyName(plan.folder, 1);
    plan.fileRoute = kind == Kind::Current || leadingNumber(parameters.userResolution) > kClipboardRouteMaxDpi ||
                     m_source.printerDpi() > kClipboardRouteMaxDpi;
    if (plan.fileRoute) {
        plan.work = workFileFor(firstCopy);
        if (!plan.work) {
            static_cast<void>(report(ConverterResult::WriteError));
            outcome.failed = true;
            return {BatchStep::Failed};
        }
        m_tiffTarget = plan.work->fileName();
    } else {
        ProgramClipboard::clear();
        m_tiffTarget = kClipboardTarget.toString();
    }

    m_source.showStatus(QCoreApplication::translate("TiffPipeline", "Now Processing.... %1").arg(product));
    PrepareTiffPicture();
    if (const QString problem = tooFewPixels(); !problem.isEmpty()) {
        m_files.settle(true);
        ask(problem, QCoreApplication::translate("TiffPipeline", "TIFF Error"), PromptIcon::Exclamation,
            PromptButtons::Ok);
        outcome.failed = true;
        return {BatchStep::Failed};
    }
    const QString renderHead = kind == Kind::List ? u"source=Clipboard,dest="_s : u"source=clipboard,dest="_s;
    const int result = execute(renderHead + m_tiffTarget + m_tiffRenderOptions);
    // The ISBN line goes onto a picture that was made, here or after a retry.
    if (result == ConverterResult::Success && isbn)
        ApplyIsbnFontText();

    bool made = result == ConverterResult::Success;
    if (!made) {
        m_retry = report(result);
        if (m_retry == TiffRetry::Stop) {
            m_shrinkFactor = 0;
            m_listItemInWork = 0;
            m_source.setListItemInWork(0);
            ResetExportState();
            m_source.setBusy(false);
            return {BatchStep::Stop};
        }
        bool stop = false;
        made = retrySmaller(u"source=clipboard,dest="_s,
                            kind == Kind::List
                                ? QCoreApplication::translate("TiffPipeline", "Processing.... %1").arg(product)
                                : QString(),
                            {}, stop);
        if (made && isbn)
            ApplyIsbnFontText();
    }
    if (!made) {
        // Nothing was made: the record's remaining steps would only work on an old picture.
        outcome.failed = true;
        return {BatchStep::Failed};
    }
    if (m_shrinkFactor != 0) {
        if (kind == Kind::List)
            m_source.showStatus(QCoreApplication::translate("TiffPipeline", "Enlarge.... %1").arg(product));
        EnlargeAfterShrink();
        if (kind == Kind::Current) {
            // The enlarging ends the retry of a lone barcode; its copies still run.
            m_source.setBatchStopRequest(BatchStop::Running);
            m_source.setBusy(true);
        }
    }

    if (kind == Kind::List)
        m_source.showStatus(kIdleStatus.toString());
    if (resolution() <= kClipboardRouteMaxDpi) {
        m_retry = TiffRetry::None;
        m_shrinkFactor = 0;
    }
    AdjustToDefinedSize();
    ApplyTransformations();
    ApplyCompression();
    if (m_stepFailed) {
        // The picture is not the one asked for: no copy is made of it, and files of those names
        // stay as they were.
        outcome.failed = true;
        return {BatchStep::Failed};
    }

    m_source.showStatus(QCoreApplication::translate("TiffPipeline", "Saveing.... %1, Copy=1").arg(product));
    if (m_source.tiffParameters().copies.trimmed().isEmpty())
        m_source.setTiffCopiesText(u"1"_s);
    // A batch that writes nothing at all is no export: below 1 counts as one copy.
    const int copies = std::max(1, m_source.tiffParameters().copyCount());
    plan.compression = m_source.tiffParameters().compression;
    plan.dpi = resolution();
    if (kind == Kind::Current)
        m_source.setProgressRange(1, copies);
    return {BatchStep::Done, copies};
}

BatchStep TiffPipeline::writeCopy(Kind kind, const CopyPlan &plan, const BatchCopy &copy, TiffExportOutcome &outcome)
{
    const QString name = copyName(plan.folder, copy.copy);
    // Each copy is written in one step from the finished picture, so it replaces a file of its
    // name only once it is whole.
    const QString command = plan.fileRoute ? saveTiffCommand(m_tiffTarget, name, plan.compression)
                                           : saveClipboardTiffCommand(name, plan.dpi, plan.compression);
    int result = ConverterResult::Success;
    if (kind == Kind::List && m_files.writer() && !plan.fileRoute) {
        // The writer encodes and writes the file while the next picture is made; it is reported
        // once its group is on the disk.
        m_source.showStatus(QCoreApplication::translate("TiffPipeline", "Saveing.... %1, Copy=%2")
                                .arg(plan.product, QString::number(copy.copy)));
        {
            const TiffWriteQueue::Installed installed(*m_files.writer());
            {
                const TiffStopQuestion::Handing handing(m_stopQuestion);
                result = execute(command);
            }
            reported(result);
        }
        if (result != ConverterResult::Success)
            return BatchStep::Failed;
        m_files.handed(name, m_source.mainRenderer().data(), copy.record);
        m_files.settle(m_source.readsFilesBack());
        return BatchStep::Done;
    }
    if (kind == Kind::List) {
        m_source.showStatus(QCoreApplication::translate("TiffPipeline", "Saveing.... %1, Copy=%2")
                                .arg(plan.product, QString::number(copy.copy)));
        result = reported(execute(command));
    } else {
        result = reported(execute(command));
        m_source.showStatus(QCoreApplication::translate("TiffPipeline", "Now Saveing...%1 ,Copy %2")
                                .arg(plan.product, QString::number(copy.copy)));
        m_source.setProgress(copy.copy);
    }
    if (result != ConverterResult::Success)
        return BatchStep::Failed;
    m_files.recordWritten(outcome, name, m_source.mainRenderer().data());
    return BatchStep::Done;
}

BatchOutcome TiffPipeline::runBatch(Kind kind, const QList<int> &records, const QString &folder,
                                    TiffExportOutcome &outcome)
{
    CopyPlan plan;
    plan.folder = folder;
    BatchSteps steps;
    steps.startRecord = [&](int number) -> RecordStart {
        plan.work.reset();
        if (kind == Kind::List) {
            m_source.setProgress(number);
            m_listItemInWork = number;
            m_source.setListItemInWork(number);
            const bool loaded = m_source.loadRecord(number);
            if (escapeCheck(kEscapeQuestion.toString()) == Flow::Stop)
                return {BatchStep::Stop};
            if (!loaded) {
                outcome.failed = true;
                return {BatchStep::Failed};
            }
        }
        return makePicture(kind, plan, outcome);
    };
    steps.stopRequested = [this] { return escapeCheck(kEscapeQuestion.toString()) == Flow::Stop; };
    steps.makeCopy = [&](const BatchCopy &copy) { return writeCopy(kind, plan, copy, outcome); };
    m_files.beginBatch(outcome);
    BatchOutcome batch = runRecordBatch(records, steps);
    m_files.settle(true);
    m_files.endBatch();
    // A record whose file the writer failed after the batch counted it made did not get done.
    for (const int record : m_files.lateFailures()) {
        if (batch.recordsFailed.contains(record))
            continue;
        --batch.recordsDone;
        batch.recordsFailed.insert(std::lower_bound(batch.recordsFailed.begin(), batch.recordsFailed.end(), record),
                                   record);
    }
    outcome.stopped = batch.stopped;
    outcome.recordsDone = batch.recordsDone;
    if (!batch.recordsFailed.isEmpty())
        outcome.failed = true;
    return batch;
}

TiffExportOutcome TiffPipeline::ExportListAsTiff(const QList<int> &recordNumbers, const QString &chosenName)
{
    TiffExportOutcome outcome;
    QList<int> records = recordNumbers;
    std::sort(records.begin(), records.end());
    records.erase(std::unique(records.begin(), records.end()), records.end());

    m_source.setBatchStopRequest(BatchStop::Running);
    m_source.setBusy(true);
    m_listItemInWork = 0;
    m_source.setListItemInWork(0);
    const TiffStopQuestion::EarlyStop early(m_stopQuestion);
    if (!records.isEmpty())
        m_source.setProgressRange(0, records.last());

    // What an export killed before its commit left goes; then this one's files are written in groups.
    const QString folder = QFileInfo(chosenName).absolutePath();
    removeGroupedSaveLeftovers(folder);
    m_files.startWriter();
    // A record the user stopped is not one that failed.
    const BatchOutcome batch = runBatch(Kind::List, records, folder, outcome);
    m_files.stopWriter();
    outcome.recordsFailed = batch.recordsFailed;
    if (batch.stopped)
        return outcome;

    ProgramClipboard::clear();
    m_listItemInWork = 0;
    m_source.setListItemInWork(0);
    m_source.setBusy(false);
    m_source.showStatus(kIdleStatus.toString());
    ResetExportState();
    return outcome;
}

TiffExportOutcome TiffPipeline::ExportCurrentAsTiff(const QString &chosenName)
{
    TiffExportOutcome outcome;
    // Cancel and Escape stop this export too, so it runs as a batch.
    m_source.setBatchStopRequest(BatchStop::Running);
    m_source.setBusy(true);
    const TiffStopQuestion::EarlyStop early(m_stopQuestion);
    if (escapeCheck(kEscapeQuestion.toString()) == Flow::Stop) {
        outcome.stopped = true;
        return outcome;
    }
    m_listItemInWork = 0;
    removeGroupedSaveLeftovers(QFileInfo(chosenName).absolutePath());
    // The barcode in the entry is the batch's one record.
    if (runBatch(Kind::Current, {0}, QFileInfo(chosenName).absolutePath(), outcome).stopped)
        return outcome;
    m_source.setListItemInWork(0);
    m_source.setBusy(false);
    m_source.showStatus(kIdleStatus.toString());
    ResetExportState();
    return outcome;
}

TiffExportOutcome TiffPipeline::ExportSingleTiff(const QString &chosenName)
{
    TiffExportOutcome outcome;
    m_stepFailed = false;
    m_listItemInWork = 0;
    removeGroupedSaveLeftovers(QFileInfo(chosenName).absolutePath());
    // The steps work on a file of their own; only the last one writes the chosen file.
    const std::unique_ptr<QTemporaryFile> work = workFileFor(chosenName);
    if (!work) {
        static_cast<void>(report(ConverterResult::WriteError));
        outcome.failed = true;
        return outcome;
    }
    m_tiffTarget = work->fileName();
    m_source.setBatchStopRequest(BatchStop::Running);
    m_source.setBusy(true);
    const bool isbn = isIsbn(m_source.typeCode());

    PrepareTiffPicture();
    if (const QString problem = tooFewPixels(); !problem.isEmpty()) {
        ask(problem, QCoreApplication::translate("TiffPipeline", "TIFF Error"), PromptIcon::Exclamation,
            PromptButtons::Ok);
        outcome.failed = true;
        m_source.setBusy(false);
        ResetExportState();
        return outcome;
    }
    const QString renderHead = u"source=clipboard,dest="_s;
    const int result = execute(renderHead + m_tiffTarget + m_tiffRenderOptions);
    bool made = result == ConverterResult::Success;
    if (!made) {
        m_retry = report(result);
        if (m_retry == TiffRetry::Stop) {
            ResetExportState();
            outcome.stopped = true;
            return outcome;
        }
        bool stop = false;
        made = retrySmaller(renderHead, {}, kEscapeQuestionSingle.toString(), stop);
        if (stop) {
            outcome.stopped = true;
            return outcome;
        }
    }
    if (made) {
        if (isbn)
            ApplyIsbnFontText();
        if (m_shrinkFactor != 0)
            EnlargeAfterShrink();
        AdjustToDefinedSize();
        ApplyTransformations();
        ApplyCompression();
        if (!m_stepFailed)
            reported(execute(saveTiffCommand(m_tiffTarget, chosenName, m_source.tiffParameters().compression)));
    }
    if (made && !m_stepFailed) {
        m_files.recordWritten(outcome, chosenName, m_source.mainRenderer().data());
        outcome.recordsDone = 1;
    } else {
        outcome.failed = true;
    }
    m_source.setBusy(false);
    ResetExportState();
    return outcome;
}

} // namespace Kelbrix
