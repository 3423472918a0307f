#include "sheet/sheet_printer.h"

#include <QCoreApplication>

#include "base/safe_save.h"
#include "base/units.h"
#include "label/label_painter.h"
#include "label/record_label.h"
#include "size/module_width.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// A record's label, ready to paint: the renderer set up as the main view sets it up, and the
// label's size in twips.
struct SheetLabel {
    RecordLabel made;
    double widthTwips = 0;
    double heightTwips = 0;
    double modules = 0;
};

QString recordName(const ListRecord &record)
{
    const QString code = record.digitSup.isEmpty() ? record.barcode : record.barcode + u' ' + record.digitSup;
    return record.product.isEmpty() ? code : record.product + u" ("_s + code + u')';
}

std::optional<SheetLabel> sheetLabel(const ListRecord &record, const SheetJob &job)
{
    std::optional<RecordLabel> made =
        makeRecordLabel({record.type, job.edition, record.barcode, record.digitSup, record.product}, job.appearance);
    if (!made)
        return std::nullopt;
    SheetLabel label;
    label.made = std::move(*made);
    label.modules = label.made.renderer.geometry().width;
    const QSizeF size = layoutLabel(label.made.label()).size;
    label.widthTwips = size.width();
    label.heightTwips = size.height();
    return label;
}

SheetLabelFit fit(const SheetLabel &label, const ListRecord &record, const SheetJob &job)
{
    SheetLabelFit result;
    const double dotsPerMillimetre = job.printerDpi / kMillimetresPerInch;
    const ModuleLimits limits = moduleLimits(label.made.renderer.symbology());
    const QString cell =
        u"%1 x %2 mm"_s.arg(job.sheet.label.width(), 0, 'g', 4).arg(job.sheet.label.height(), 0, 'g', 4);
    // The narrow bar is the widest whole number of dots at which the label fits the cell's
    // width, and its height at most twice the cell's (the bars may lose up to half their height,
    // as printers shorten them for small labels, but no more); no wider than the type allows.
    const double room = std::min(job.sheet.label.width() / label.widthTwips,
                                 2 * job.sheet.label.height() / label.heightTwips); // mm per twip
    const int most = int(std::floor(room * label.widthTwips / label.modules * dotsPerMillimetre + 1e-9));
    const int least = std::max(1, int(std::ceil(limits.smallest * dotsPerMillimetre - 1e-9)));
    if (most < least) {
        result.refusal = u"%1 is left out: its label does not fit a %2 label with bars of at least %3 mm."_s
                             .arg(recordName(record), cell)
                             .arg(limits.smallest, 0, 'f', 3);
        return result;
    }
    int dots = most;
    if (std::isfinite(limits.largest))
        dots = std::max(least, std::min(most, int(std::floor(limits.largest * dotsPerMillimetre + 1e-9))));
    const double across = dots / dotsPerMillimetre * label.modules / label.widthTwips; // mm per twip
    const double down = std::min(across, job.sheet.label.height() / label.heightTwips);
    result.moduleDots = dots;
    result.moduleMillimetres = dots / dotsPerMillimetre;
    result.size = QSizeF(label.widthTwips * across, label.heightTwips * down);
    return result;
}

} // namespace

bool SheetCalibration::offsetsSound() const
{
    return std::isfinite(offsetX) && std::isfinite(offsetY) && std::abs(offsetX) <= kLargestOffset &&
           std::abs(offsetY) <= kLargestOffset;
}

bool SheetCalibration::scaleSound() const
{
    return std::isfinite(scalePercent) && scalePercent >= kSmallestScale && scalePercent <= kLargestScale;
}

QString sheetJobProblem(const SheetJob &job)
{
    if (const QString problem = templateProblem(job.sheet); !problem.isEmpty())
        return problem;
    if (job.startAt < 1 || job.startAt > job.sheet.labelsPerSheet())
        return QCoreApplication::translate("SheetPrinter", "Start at label %1: a sheet of %2 has labels 1 to %3.")
            .arg(job.startAt)
            .arg(job.sheet.name)
            .arg(job.sheet.labelsPerSheet());
    if (job.copies < 1 || job.copies > 999)
        return QCoreApplication::translate("SheetPrinter", "Copies take a whole number from 1 to 999, not %1.")
            .arg(job.copies);
    if (job.printerDpi < 72 || job.printerDpi > 4800)
        return QCoreApplication::translate("SheetPrinter", "The printer resolution takes 72 to 4800 dpi, not %1.")
            .arg(job.printerDpi);
    const SheetCalibration &c = job.calibration;
    if (!c.offsetsSound())
        return QCoreApplication::translate("SheetPrinter", "A calibration offset takes -50 to 50 mm.");
    if (!c.scaleSound())
        return QCoreApplication::translate("SheetPrinter", "A calibration scale takes 90 to 110 %.");
    return {};
}

SheetLabelFit fitSheetLabel(const ListRecord &record, const SheetJob &job)
{
    const std::optional<SheetLabel> label = sheetLabel(record, job);
    if (!label)
        return {u"%1 is left out: it makes no barcode."_s.arg(recordName(record)), 0, 0, {}};
    return fit(*label, record, job);
}

int sheetPageCount(const SheetJob &job, qint64 labels)
{
    if (labels <= 0)
        return 0;
    const qint64 cells = job.startAt - 1 + labels;
    const qint64 perSheet = job.sheet.labelsPerSheet();
    return int((cells + perSheet - 1) / perSheet);
}

struct SheetPlan::Placed {
    SheetLabel label;
    SheetLabelFit fit;
};

SheetPlan::SheetPlan(const QList<ListRecord> &records, const SheetJob &job) : m_job(job)
{
    m_problem = sheetJobProblem(job);
    if (!m_problem.isEmpty())
        return;
    // Every label is fitted before the first page, so that refused records take no cell and
    // the number of pages is known.
    m_placed.reserve(records.size());
    for (const ListRecord &record : records) {
        const std::optional<SheetLabel> label = sheetLabel(record, job);
        const SheetLabelFit fitted =
            label ? fit(*label, record, job)
                  : SheetLabelFit{u"%1 is left out: it makes no barcode."_s.arg(recordName(record)), 0, 0, {}};
        if (!fitted.refusal.isEmpty())
            m_refused << fitted.refusal;
        else
            m_placed.append({*label, fitted});
    }
    m_labels = qint64(m_placed.size()) * job.copies;
    m_pages = sheetPageCount(job, m_labels);
}

SheetPlan::~SheetPlan() = default;

bool SheetPlan::place(const SheetJob &job)
{
    // A label fits by the label's size, the resolution, the edition and the appearance alone.
    if (!m_problem.isEmpty() || !sheetJobProblem(job).isEmpty() || job.sheet.label != m_job.sheet.label ||
        job.printerDpi != m_job.printerDpi || job.edition != m_job.edition || job.appearance != m_job.appearance)
        return false;
    m_job = job;
    m_labels = qint64(m_placed.size()) * job.copies;
    m_pages = sheetPageCount(m_job, m_labels);
    return true;
}

int SheetPlan::paintPage(QPainter &painter, int page, bool preview) const
{
    const double dotsPerMillimetre = m_job.printerDpi / kMillimetresPerInch;
    const double scale = m_job.calibration.scalePercent / 100.0;
    const int perSheet = m_job.sheet.labelsPerSheet();
    const qint64 firstCell = qint64(page) * perSheet;
    const qint64 lastCell = firstCell + perSheet; // past the page's last
    // The labels are numbered from the start cell on; label n is copy n % copies of placed n / copies.
    const qint64 startCell = m_job.startAt - 1;
    int painted = 0;
    for (qint64 cell = std::max(firstCell, startCell); cell < lastCell; ++cell) {
        const qint64 label = cell - startCell;
        if (label >= m_labels)
            break;
        const Placed &item = m_placed.at(label / m_job.copies);
        // The label centred in its cell, its corners on whole dots.
        const QRectF rect = m_job.sheet.cellRect(int(cell % perSheet));
        const QPointF centre(rect.center().x() * scale + m_job.calibration.offsetX,
                             rect.center().y() * scale + m_job.calibration.offsetY);
        const QSizeF size(std::round(item.fit.size.width() * dotsPerMillimetre),
                          std::round(item.fit.size.height() * dotsPerMillimetre));
        const QPointF corner(std::round(centre.x() * dotsPerMillimetre - size.width() / 2),
                             std::round(centre.y() * dotsPerMillimetre - size.height() / 2));
        // Across, the label is scaled so that its narrow bar is the fitted number of dots.
        const double across = item.fit.moduleDots * item.label.modules / item.label.widthTwips;
        paintLabel(painter, item.label.made.label(), QRectF(corner, size), across, !preview);
        ++painted;
    }
    return painted;
}

SheetOutcome paintSheets(QPagedPaintDevice &device, const SheetPlan &plan,
                         const std::function<bool(int page, int pages)> &pageDone)
{
    SheetOutcome outcome;
    outcome.refused = plan.refused();
    outcome.error = plan.problem();
    if (!outcome.error.isEmpty() || plan.pages() == 0)
        return outcome;
    const SheetJob &job = plan.job();
    device.setPageLayout(QPageLayout(QPageSize(job.sheet.page), QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&device)) {
        outcome.error = QCoreApplication::translate("SheetPrinter", "The pages could not be started.");
        return outcome;
    }
    // The plan paints in the job's printer dots; a device of another resolution scales them.
    const double deviceScale = device.logicalDpiX() / double(job.printerDpi);
    for (int page = 0; page < plan.pages(); ++page) {
        if (page > 0)
            device.newPage();
        painter.save();
        painter.scale(deviceScale, deviceScale);
        outcome.labels += plan.paintPage(painter, page);
        painter.restore();
        ++outcome.pages;
        if (pageDone && !pageDone(outcome.pages, plan.pages()) && outcome.pages < plan.pages()) {
            outcome.stopped = true;
            break;
        }
    }
    painter.end();
    return outcome;
}

SheetOutcome paintSheets(QPagedPaintDevice &device, const QList<ListRecord> &records, const SheetJob &job,
                         const std::function<bool(int page, int pages)> &pageDone)
{
    return paintSheets(device, SheetPlan(records, job), pageDone);
}

SheetPdfResult writeSheetPdf(const QString &path, const SheetPlan &plan,
                             const std::function<bool(int page, int pages)> &pageDone)
{
    SheetPdfResult result;
    result.saved = saveFileSafely(path, [&](QIODevice &device) {
        QPdfWriter writer(&device);
        writer.setResolution(plan.job().printerDpi);
        writer.setCreator(u"Kelbrix"_s);
        writer.setTitle(plan.job().sheet.name);
        result.outcome = paintSheets(writer, plan, pageDone);
        // A stopped job or one with nothing on it leaves the old file as it was.
        return result.outcome.error.isEmpty() && !result.outcome.stopped && result.outcome.labels > 0;
    });
    return result;
}

} // namespace Kelbrix
