#include "export/tiff_pipeline.h"

#include "base/safe_save.h"
#include "base/units.h"
#include "base/user_prompt.h"
#include "export/batch_stop.h"
#include "export/converter_errors.h"
#include "export/converter_result.h"
#include "export/export_file_name.h"
#include "export/image_converter.h"
#include "export/label_source.h"
#include "export/tiff_write_queue.h"
#include "export/tiff_parameters.h"
#include "export/tiff_step_commands.h"
#include "render/barcode_renderer.h"
#include "render/program_clipboard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QTemporaryFile>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <memory>

using namespace Qt::Literals::StringLiterals;

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

int TiffPipeline::resolution() const
{
    return m_source.tiffParameters().resolutionDpi(m_source.printerDpi());
}

QString TiffPipeline::tooFewPixels() const
{
    // A module narrower than a pixel cannot be drawn: such a file would not scan.
    const double modules = m_source.tiffRenderer().geometry().width;
    if (m_fullWidthPixels >= modules)
        return {};
    return QCoreApplication::translate("TiffPipeline",
                                       "At %1 dpi the barcode of %2 is %3 pixels wide, fewer than its %4 modules: no "
                                       "file was made.")
        .arg(QString::number(m_resolution), m_source.productText(), QString::number(m_fullWidthPixels),
             QString::number(qint64(std::ceil(modules))));
}

int TiffPipeline::execute(const QString &command)
{
    const int result = m_converter.ExecuteCommand(command);
    m_source.serviceEvents();
    return result;
}

TiffRetry TiffPipeline::report(int result)
{
    // Messages keep their order: what the writer finished before is told first.
    m_files.settle(true);
    return ReportConverterError(result, m_retry, {m_source.typeCode(), m_source.tiffRenderer().data(), m_resolution});
}

int TiffPipeline::reported(int result)
{
    if (result != ConverterResult::Success) {
        m_stepFailed = true;
        if (m_retry != TiffRetry::Smaller)
            m_retry = report(result);
    }
    return result;
}

QString TiffPipeline::copyName(const QString &folder, int copy) const
{
    return exportFileName(folder, m_exportProductName, m_exportBarcodeName, copy, 3, u".tif");
}

void TiffPipeline::BuildExportNames()
{
    m_exportProductName = m_source.productText();
    m_exportBarcodeName = m_source.barcodeText();
}

void TiffPipeline::PrepareTiffPicture()
{
    m_rasterWidth = 0;
    m_targetWidthPixels = 0;
    m_targetHeightPixels = 0;

    BarcodeRenderer &tiff = m_source.tiffRenderer();
    const BarcodeRenderer &main = m_source.mainRenderer();
    tiff.setSymbology(main.symbology());
    tiff.setData(main.data());
    if (m_source.supplementChosen())
        tiff.setSupplement(main.supplement());
    const QFont definedFont = m_source.definedRenderer().font();
    if (definedFont.pointSizeF() != tiff.font().pointSizeF())
        tiff.setFont(definedFont);

    QSizeF reference = m_source.referenceSizeTwips();
    m_resolution = resolution();
    const QSizeF twipsPerPixel = m_source.screenTwipsPerPixel();
    const double k = kUserTwipsPerInch / (twipsPerPixel.height() + 5);
    const auto pixelsOf = [&](const QSizeF &twips) {
        return QSizeF(twips.width() / twipsPerPixel.height() / k * m_resolution,
                      twips.height() / twipsPerPixel.width() / k * m_resolution);
    };
    const QSizeF full = pixelsOf(reference);
    m_fullWidthPixels = roundToInt(full.width());
    m_fullHeightPixels = roundToInt(full.height());
    if (m_retry == TiffRetry::Smaller) {
        m_shrinkFactor = qint16(m_shrinkFactor + 2);
        reference /= m_shrinkFactor;
    }
    const QSizeF pixels = pixelsOf(reference);
    m_rasterWidth = std::trunc(pixels.width());
    m_targetHeightPixels = roundToInt(pixels.height());
    m_targetWidthPixels = roundToInt(pixels.width());

    m_tiffRenderOptions = tiffRenderOptions(m_rasterWidth, m_resolution);

    // The renderer fills the reference picture; its proportions go with the symbol.
    tiff.setWidthTwips(reference.width());
    tiff.setHeightTwips(reference.height());
    tiff.copyToClipboard(std::round(tiff.widthTwips()), std::round(tiff.heightTwips()));
}

int TiffPipeline::EnlargeAfterShrink()
{
    m_shrinkFactor = qint16(m_shrinkFactor * 100);
    m_resolution = resolution();
    const int result = reported(execute(enlargeCommand(m_tiffTarget, m_shrinkFactor, m_resolution)));
    if (m_listItemInWork == 0)
        ResetExportState();
    return result;
}

int TiffPipeline::AdjustToDefinedSize()
{
    if (m_tiffTarget.isEmpty())
        return ConverterResult::Success;
    const TiffParameters parameters = m_source.tiffParameters();
    const QString &target = m_tiffTarget;
    int result = ConverterResult::Success;
    // A picture made shrunk and enlarged again is adjusted to its full size, not the shrunk one.
    const bool madeShrunk = m_shrinkFactor != 0;
    if (parameters.adjustWidth) {
        if (madeShrunk)
            m_targetWidthPixels = m_fullWidthPixels;
        result = reported(execute(rescaleWidthCommand(target, m_targetWidthPixels)));
    }
    if (parameters.adjustHeight) {
        if (madeShrunk)
            m_targetHeightPixels = m_fullHeightPixels;
        const int height = reported(execute(rescaleHeightCommand(target, m_targetHeightPixels)));
        if (result == ConverterResult::Success)
            result = height;
    }
    m_shrinkFactor = 0;
    m_source.showStatus(
        QCoreApplication::translate("TiffPipeline", "Rescaleing %1, Copy=1").arg(m_source.productText()));
    return result;
}

int TiffPipeline::ApplyTransformations()
{
    if (m_tiffTarget.isEmpty())
        return ConverterResult::Success;
    const QString command = transformCommand(m_tiffTarget, m_source.tiffParameters());
    int result = ConverterResult::Success;
    if (!command.isEmpty())
        result = reported(execute(command));
    m_source.showStatus(
        QCoreApplication::translate("TiffPipeline", "Mirror, Rotate.... %1, Copy=1").arg(m_source.productText()));
    return result;
}

int TiffPipeline::ApplyCompression()
{
    if (m_tiffTarget.isEmpty())
        return ConverterResult::Success;
    const TiffParameters parameters = m_source.tiffParameters();
    const int result = reported(execute(saveTiffCommand(m_tiffTarget, m_tiffTarget, parameters.compression)));
    m_source.showStatus(
        QCoreApplication::translate("TiffPipeline", "Compressing %1, Copy=1").arg(m_source.productText()));
    return result;
}

int TiffPipeline::ApplyIsbnFontText()
{
    m_resolution = resolution();
    // The work bitmap gets a name of its own in the user's temporary folder and is removed
    // when this step ends, whatever happens.
    QTemporaryFile work(QDir::tempPath() + u"/kelbrix-isbn-XXXXXX.bmp"_s);
    if (!work.open())
        return reported(ConverterResult::WriteError);
    const QString workPath = work.fileName();
    work.close();
    struct Remover {
        QString path;
        ~Remover() { QFile::remove(path); }
    } remover{workPath};

    int result = reported(execute(saveBitmapCommand(m_tiffTarget, workPath)));
    if (result != ConverterResult::Success)
        return result;
    // The font size is in points of the screen; the band is as high as the line plus 1450 twips.
    const QSizeF twipsPerPixel = m_source.screenTwipsPerPixel();
    const double points = (m_targetWidthPixels + m_rasterWidth) / 60.0;
    const QString family = m_source.tiffParameters().isbnTiffFont;
    const QString text = u"ISBN "_s + m_source.barcodeText();
    QImage lettered;
    int drawn = ConverterResult::Success;
    m_source.runWork([&] {
        const QImage bitmap(workPath, "BMP");
        if (bitmap.isNull()) {
            drawn = ConverterResult::ReadError;
            return;
        }
        QFont font;
        if (!family.isEmpty())
            font.setFamily(family);
        font.setPixelSize(std::max(1, roundToInt(points * 20.0 / twipsPerPixel.height())));
        const QFontMetricsF metrics(font);
        const int band = roundToInt(metrics.height() + 1450.0 / twipsPerPixel.height());
        lettered = QImage(bitmap.width(), bitmap.height() + band, QImage::Format_RGB32);
        if (lettered.isNull()) {
            drawn = ConverterResult::OutOfMemory;
            return;
        }
        lettered.fill(Qt::white);
        QPainter painter(&lettered);
        painter.drawImage(0, band, bitmap);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const double x = lettered.width() / 2.0 - 0.77 * (metrics.horizontalAdvance(text) / 2.0);
        const double top = (band - metrics.height()) / 2.0;
        painter.drawText(QPointF(x, top + metrics.ascent()), text);
    });
    if (drawn != ConverterResult::Success)
        return reported(drawn);

    ProgramClipboard::clear();
    auto *data = new QMimeData;
    data->setImageData(lettered);
    ProgramClipboard::setData(data);
    result = reported(execute(twoColoursFromClipboardCommand(m_tiffTarget, m_resolution)));
    // On the clipboard route the lettered picture now is the clipboard's content.
    if (m_tiffTarget != kClipboardTarget)
        ProgramClipboard::clear();
    return result;
}

void TiffPipeline::ResetExportState()
{
    m_retry = TiffRetry::None;
    m_shrinkFactor = 0;
    m_listItemInWork = 0;
    m_source.setListItemInWork(0);
    m_source.setBatchStopRequest(BatchStop::Idle);
    m_source.setBusy(false);
    m_source.setProgress(0);
    m_source.serviceEvents();
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
