// The TIFF branch of "Save &As": the main window as the source of the TIFF export, the
// colour-depth question, the choice between the current barcode, the selected records and a
// single file, and the lock on the list while the export runs.
#include "mainwindow/save_as_commands.h"

#include "mainwindow/batch_runner.h"
#include "mainwindow/entry_panel.h"
#include "mainwindow/form1.h"
#include "mainwindow/label_panel.h"
#include "mainwindow/list_panel.h"
#include "mainwindow/type_options.h"

#include "mainwindow/export_lock.h"
#include "mainwindow/parameter_windows.h"
#include "windows/frm_bar_size.h"
#include "windows/frm_find.h"
#include "windows/frm_tiff.h"
#include "base/units.h"
#include "base/user_prompt.h"
#include "export/converter_io.h"
#include "export/image_converter.h"
#include "export/label_source.h"
#include "export/tiff_pipeline.h"
#include "artwork/matrix_label_file.h"
#include "verify/label_verdict.h"
#include "verify/verify_report.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QThreadPool>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include <atomic>
#include <limits>
#include <exception>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

/// The main window as the TIFF export sees it: records are loaded into the entry as a user
/// would load them, the renderers and parameters are the windows' own, and progress goes to
/// the status bar.
class Form1TiffSource final : public LabelSource {
public:
    explicit Form1TiffSource(Form1 &form) : m_form(form) { m_worker.setMaxThreadCount(1); }
    ~Form1TiffSource() override { setBusy(false); }
    Form1TiffSource(const Form1TiffSource &) = delete;
    Form1TiffSource &operator=(const Form1TiffSource &) = delete;

    bool loadRecord(int number) override
    {
        if (number < 1 || number > m_form.list().count())
            return false;
        m_form.batch().loadRecord(number, m_form.list().record(number));
        return m_form.label().mainRenderer().hasSymbol();
    }
    QString typeCode() const override { return m_form.entry().typeCode(); }
    QString productText() const override { return m_form.entry().product(); }
    QString barcodeText() const override { return m_form.entry().barcode(); }
    bool supplementChosen() const override { return m_form.options().supplementChosen(); }
    const BarcodeRenderer &mainRenderer() const override { return m_form.label().mainRenderer(); }
    const BarcodeRenderer &definedRenderer() const override { return m_form.label().definedRenderer(); }
    BarcodeRenderer &tiffRenderer() override { return m_form.tiffWindow()->barTiff(); }

    QSizeF referenceSizeTwips() const override
    {
        const BarSizeSettings size = m_form.parameterWindows()->sizeWindow()->settings();
        const BarcodeRenderer &main = m_form.label().mainRenderer();
        return size.tiffReferenceTwips(m_form.label().usesDefined(), {main.widthTwips(), main.heightTwips()});
    }
    QSizeF screenTwipsPerPixel() const override
    {
        return {pixelsToTwips(1, m_form.logicalDpiX()), pixelsToTwips(1, m_form.logicalDpiY())};
    }

    TiffParameters tiffParameters() const override { return m_form.tiffWindow()->parameters(); }
    void setTiffCopiesText(const QString &text) override { m_form.tiffWindow()->setCopiesText(text); }
    int printerDpi() const override { return m_form.tiffWindow()->printerDpi(); }

    void showStatus(const QString &text) override { m_form.setHint(text); }
    void setProgressRange(qint64 minimum, qint64 maximum) override
    {
        m_form.progressBar()->setRange(int(minimum), int(std::max(minimum, maximum)));
        m_form.progressBar()->show();
    }
    void setProgress(qint64 value) override
    {
        QProgressBar *bar = m_form.progressBar();
        bar->setValue(int(std::clamp<qint64>(value, bar->minimum(), bar->maximum())));
    }
    void setBusy(bool busy) override
    {
        if (busy == m_busy)
            return;
        m_busy = busy;
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }
    void serviceEvents() override
    {
        // User input too: "Cancel" and Escape are what the export looks for between steps.
        QCoreApplication::processEvents();
    }
    void runWork(const std::function<void()> &work) override
    {
        // The work runs on the worker thread; this thread goes on painting the window and
        // taking input until it is done, woken by the worker at its end. What the work throws
        // (out of memory, say) is thrown again here, where it would have been without the worker.
        std::atomic<bool> finished = false;
        std::exception_ptr thrown;
        QAbstractEventDispatcher *const dispatcher = QAbstractEventDispatcher::instance();
        m_worker.start([&work, &finished, &thrown, dispatcher] {
            try {
                work();
            } catch (...) {
                thrown = std::current_exception();
            }
            finished.store(true);
            dispatcher->wakeUp();
        });
        QTimer tick; // a wake-up now and then, whatever else happens
        tick.start(50);
        while (!finished.load()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            whileWorking();
        }
        if (thrown)
            std::rethrow_exception(thrown);
    }
    BatchStop batchStopRequest() const override { return m_form.batch().stopRequest(); }
    void setBatchStopRequest(BatchStop value) override { m_form.batch().setStopRequest(value); }
    void setListItemInWork(int number) override { m_form.batch().setRecordInWork(number); }

    bool readsFilesBack() const override { return tiffParameters().verify; }
    void fileWritten(const QString &path, const QString &digits) override
    {
        if (!tiffParameters().verify)
            return;
        // The file as written, read back from the disk and scanned; the entry still holds the
        // record it was made from.
        const QString typeCode = m_form.entry().typeCode();
        const QString supplement = m_form.entry().supplement();
        LabelVerdict verdict;
        runWork([&] { verdict = verifyLabel(readImageFile(path).picture.image, typeCode, digits, supplement); });
        m_report.add(QFileInfo(path).fileName(), verdict);
        m_verified = true;
    }

    /// Whether files were read back, and what was found.
    bool verified() const { return m_verified; }
    const VerifyReport &report() const { return m_report; }

private:
    Form1 &m_form;
    /// One thread for the picture work of the export's steps.
    QThreadPool m_worker;
    bool m_busy = false;
    bool m_verified = false;
    VerifyReport m_report;
};

namespace {

QString exportReport(const TiffExportOutcome &outcome, const QString &folder)
{
    const qsizetype files = outcome.filesWritten.size();
    const QString where = QDir::toNativeSeparators(folder);
    QString text =
        files == 1
            ? QCoreApplication::translate("Form1", "1 TIFF file written in %1").arg(where)
            : QCoreApplication::translate("Form1", "%1 TIFF files written in %2").arg(QString::number(files), where);
    if (!outcome.recordsFailed.isEmpty()) {
        QStringList numbers;
        for (const int number : outcome.recordsFailed)
            numbers.append(QString::number(number));
        text += QCoreApplication::translate("Form1", "; not exported: record %1").arg(numbers.join(u", "_s));
    }
    if (outcome.stopped)
        text += QCoreApplication::translate("Form1", "; the export was stopped");
    else if (outcome.failed)
        text += QCoreApplication::translate("Form1", "; the export did not finish");
    return text + u"."_s;
}

} // namespace

int SaveAsCommands::displayDepth() const
{
    if (m_displayDepth > 0)
        return m_displayDepth;
    const QScreen *shown = m_form.screen() ? m_form.screen() : QGuiApplication::primaryScreen();
    return shown ? shown->depth() : 0;
}

void SaveAsCommands::saveAsTiff(const QString &path, const QList<int> &selected)
{
    if (m_form.label().gs1Request().active()) {
        saveAsMatrixTiff(path, selected);
        return;
    }
    // The files do not depend on the display's depth; the warning stands only where the
    // display's mode can be switched, as it was written for.
    const int bits = displayDepth();
    if (m_form.tiffWindow()->colourMode().canSwitch() && (bits == 16 || bits == 32) &&
        ask(QCoreApplication::translate("Form1",
                                        "Making a TIF file in %1 Bit color will corrupt the saved image, please "
                                        "use 256 colors, Do you want to Continue ?")
                .arg(bits),
            QCoreApplication::translate("Form1", "Wrong color depth"), PromptIcon::Question,
            PromptButtons::YesNo) == PromptAnswer::No)
        return;

    TiffExportOutcome outcome;
    Form1TiffSource source(m_form);
    {
        TiffPipeline pipeline(source, *imageConverter());
        const ExportLock::Held lock(m_form.exportLock());
        m_exportRunning = true;
        // Cancel and Escape reach every export, the current barcode's copies too.
        m_form.batch().setStopRequest(BatchStop::Running);
        const int copies = m_form.tiffWindow()->parameters().copyCount();
        if (copies >= 1 && selected.size() <= 1)
            outcome = pipeline.ExportCurrentAsTiff(path);
        else if (selected.size() >= 2)
            outcome = pipeline.ExportListAsTiff(selected, path);
        else
            outcome = pipeline.ExportSingleTiff(path);
        m_exportRunning = false;
        m_form.batch().end();
        m_form.progressBar()->reset();
        m_form.progressBar()->hide();
        source.setBusy(false);
    }
    QString report = exportReport(outcome, QFileInfo(path).absolutePath());
    if (source.verified()) {
        const QString summary = source.report().summary();
        report += u" "_s + summary.section(u'\n', 0, 0);
        // The names of the files that do not scan do not fit the status bar.
        if (!source.report().allScan())
            ask(summary, QCoreApplication::translate("Form1", "Verify each file"), PromptIcon::Exclamation,
                PromptButtons::Ok);
    }
    m_form.setHint(report);
}

void SaveAsCommands::saveAsMatrixTiff(const QString &path, const QList<int> &selected)
{
    const TiffParameters parameters = m_form.tiffWindow()->parameters();
    // The 2D symbol is read back as it is drawn; a turned or mirrored label is not checked so.
    if (parameters.invert || parameters.mirror != TiffMirror::None || parameters.rotation != TiffRotation::None) {
        ask(QCoreApplication::translate("Form1", "Labels with a 2D symbol are made without inverting, mirroring or "
                                                 "rotating. Turn them off in TIFF Parameters and save again."),
            QCoreApplication::translate("Form1", "Save As"), PromptIcon::Exclamation, PromptButtons::Ok);
        return;
    }
    MatrixExportJob job;
    if (selected.size() >= 2) {
        job.records = m_form.list().records();
        job.numbers = selected;
    } else {
        const EntryPanel &entry = m_form.entry();
        job.records = {{entry.product(), entry.barcode(), entry.supplement(), entry.freeText(), entry.typeCode()}};
        job.numbers = {1};
    }
    job.edition = m_form.currentEdition();
    job.appearance = m_form.parameterWindows()->sizeWindow()->appearance();
    job.gs1 = m_form.label().gs1RequestNow();
    job.dpi = parameters.resolutionDpi(m_form.tiffWindow()->printerDpi());
    job.compression = parameters.compression;
    job.copies = std::max(1, parameters.copyCount());
    job.folder = QFileInfo(path).absolutePath();

    QStringList leftOut;
    MatrixExportEvents events;
    events.written = [](const QString &) {};
    events.leftOut = [&leftOut](const QString &sentence) { leftOut.append(sentence); };
    QProgressBar *progress = m_form.progressBar();
    events.goOn = [this, progress](qint64 done, qint64 total) {
        progress->setRange(0, int(std::min<qint64>(total, std::numeric_limits<int>::max())));
        progress->setValue(int(std::min<qint64>(done, progress->maximum())));
        QCoreApplication::processEvents();
        return m_form.batch().stopRequest() != BatchStop::Asked;
    };
    MatrixExportOutcome outcome;
    {
        const ExportLock::Held lock(m_form.exportLock());
        m_exportRunning = true;
        m_form.batch().setStopRequest(BatchStop::Running);
        progress->show();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        outcome = exportMatrixLabelFiles(job, events);
        QApplication::restoreOverrideCursor();
        progress->reset();
        progress->hide();
        m_form.batch().end();
        m_exportRunning = false;
    }
    const QString where = QDir::toNativeSeparators(job.folder);
    QString report = outcome.written == 1 ? QCoreApplication::translate("Form1", "1 TIFF file written in %1").arg(where)
                                          : QCoreApplication::translate("Form1", "%1 TIFF files written in %2")
                                                .arg(QString::number(outcome.written), where);
    if (!outcome.serials.isEmpty())
        report += QCoreApplication::translate("Form1", "; serials (21) %1 to %2")
                      .arg(outcome.serials.constFirst(), outcome.serials.constLast());
    if (outcome.stopped)
        report += QCoreApplication::translate("Form1", "; the export was stopped");
    m_form.setHint(report + u"."_s);
    if (!leftOut.isEmpty())
        ask(leftOut.join(u'\n'), QCoreApplication::translate("Form1", "Save As"), PromptIcon::Exclamation,
            PromptButtons::Ok);
}

} // namespace Kelbrix
