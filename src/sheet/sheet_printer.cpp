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

// A record's label, ready to paint: the renderer set up as the main view sets it up, the
// label's size and its symbol's box in twips, and the GTIN its 2D symbol carries.
struct SheetLabel {
    RecordLabel made;
    double widthTwips = 0;
    double heightTwips = 0;
    double modules = 0;
    QRectF symbolTwips;
    QString gtin;
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
    const LabelLayout layout = layoutLabel(label.made.label());
    label.widthTwips = layout.size.width();
    label.heightTwips = layout.size.height();
    label.symbolTwips = layout.symbol;
    label.gtin = gtinOf(label.made.renderer);
    return label;
}

// The narrow bars, in whole dots, at which \a label fits \a width millimetres of a cell and at
// most twice the cell's height (the bars may lose up to half their height, as printers shorten
// them for small labels, but no more): from the fewest its type allows to the most, which is no
// wider than the type allows. It does not fit when most is less than least.
struct BarDots {
    int least = 0;
    int most = 0;
};

BarDots barDots(const SheetLabel &label, const SheetJob &job, double width)
{
    const double dotsPerMillimetre = job.printerDpi / kMillimetresPerInch;
    const ModuleLimits limits = moduleLimits(label.made.renderer.symbology());
    const double room = std::min(width / label.widthTwips,
                                 2 * job.sheet.label.height() / label.heightTwips); // mm per twip
    BarDots dots;
    dots.most = int(std::floor(room * label.widthTwips / label.modules * dotsPerMillimetre + 1e-9));
    dots.least = std::max(1, int(std::ceil(limits.smallest * dotsPerMillimetre - 1e-9)));
    if (dots.most >= dots.least && std::isfinite(limits.largest))
        dots.most =
            std::max(dots.least, std::min(dots.most, int(std::floor(limits.largest * dotsPerMillimetre + 1e-9))));
    return dots;
}

// The size of \a label in millimetres with its narrow bar \a dots wide: across as the bar gives,
// down the same, cut down to the cell's height when that is higher.
QSizeF linearSize(const SheetLabel &label, const SheetJob &job, int dots)
{
    const double dotsPerMillimetre = job.printerDpi / kMillimetresPerInch;
    const double across = dots / dotsPerMillimetre * label.modules / label.widthTwips; // mm per twip
    const double down = std::min(across, job.sheet.label.height() / label.heightTwips);
    return QSizeF(label.widthTwips * across, label.heightTwips * down);
}

SheetLabelFit leftOut(const QString &refusal)
{
    SheetLabelFit fit;
    fit.refusal = refusal;
    return fit;
}

QString cellName(const SheetJob &job)
{
    return u"%1 x %2 mm"_s.arg(job.sheet.label.width(), 0, 'g', 4).arg(job.sheet.label.height(), 0, 'g', 4);
}

SheetLabelFit fitLinear(const SheetLabel &label, const ListRecord &record, const SheetJob &job)
{
    SheetLabelFit result;
    const double dotsPerMillimetre = job.printerDpi / kMillimetresPerInch;
    const BarDots dots = barDots(label, job, job.sheet.label.width());
    if (dots.most < dots.least) {
        result.refusal = u"%1 is left out: its label does not fit a %2 label with bars of at least %3 mm."_s
                             .arg(recordName(record), cellName(job))
                             .arg(moduleLimits(label.made.renderer.symbology()).smallest, 0, 'f', 3);
        return result;
    }
    result.moduleDots = dots.most;
    result.moduleMillimetres = dots.most / dotsPerMillimetre;
    result.size = linearSize(label, job, dots.most);
    return result;
}

// The box, in modules with the quiet zone, that the 2D symbols of labels \a firstLabel to
// \a firstLabel + copies - 1 of a record need (the largest of them), or why one cannot be made.
QSize matrixModules(const SheetLabel &label, const ListRecord &record, const SheetJob &job, qint64 firstLabel,
                    QString *problem)
{
    QSize modules;
    // Without serials every copy carries the same data.
    const int labels = job.gs1.serialFrom ? job.copies : 1;
    for (int copy = 0; copy < labels; ++copy) {
        const Gs1LabelData data = gs1LabelData(job.gs1, label.gtin, record.gs1, firstLabel + copy);
        const std::optional<MatrixPart> part = makeMatrixPart(job.gs1, data, problem);
        if (!part)
            return {};
        modules = modules.expandedTo(QSize(part->symbol.columnsWithQuietZone(), part->symbol.rowsWithQuietZone()));
    }
    return modules;
}

// \a fitted, whose linear label is linearSize, with the 2D symbol's \a box beside it: to the
// right, centred on the linear symbol on whole dots but within the label, which is as high as
// the higher of the two. Returns how far the box's farthest corner lies from the linear
// symbol's centre, in millimetres.
double placeBeside(SheetLabelFit &fitted, const SheetLabel &label, const SheetJob &job, QSizeF box)
{
    const double dotsPerMillimetre = job.printerDpi / kMillimetresPerInch;
    const QSizeF linear = fitted.linearSize;
    const QPointF centre(label.symbolTwips.center().x() * linear.width() / label.widthTwips,
                         label.symbolTwips.center().y() * linear.height() / label.heightTwips);
    const double height = std::max(linear.height(), box.height());
    const double top = std::clamp(std::round((centre.y() - box.height() / 2) * dotsPerMillimetre) / dotsPerMillimetre,
                                  0.0, height - box.height());
    fitted.matrix = QRectF(QPointF(linear.width(), top), box);
    fitted.size = QSizeF(linear.width() + box.width(), height);
    double reach = 0;
    for (const QPointF corner :
         {fitted.matrix.topLeft(), fitted.matrix.topRight(), fitted.matrix.bottomLeft(), fitted.matrix.bottomRight()})
        reach = std::max(reach, std::hypot(corner.x() - centre.x(), corner.y() - centre.y()));
    return reach;
}

SheetLabelFit fitWithMatrix(const SheetLabel &label, const ListRecord &record, const SheetJob &job, qint64 firstLabel)
{
    SheetLabelFit result;
    const QString left = QCoreApplication::translate("SheetPrinter", "%1 is left out: %2");
    QString problem;
    const QSize modules = matrixModules(label, record, job, firstLabel, &problem);
    if (modules.isEmpty())
        return leftOut(left.arg(recordName(record), problem));
    const double dotsPerMillimetre = job.printerDpi / kMillimetresPerInch;
    result.matrixModuleDots = matrixModuleDots(job.gs1.moduleMm, job.printerDpi);
    const QSizeF box = QSizeF(modules * result.matrixModuleDots) / dotsPerMillimetre;
    const QSizeF cell = job.sheet.label;
    if (box.width() > cell.width() + 1e-9 || box.height() > cell.height() + 1e-9)
        return leftOut(left.arg(recordName(record),
                                QCoreApplication::translate("SheetPrinter", "its 2D symbol, %1 x %2 mm with its quiet "
                                                                            "zone, does not fit a %3 label.")
                                    .arg(decimalText(box.width(), 1), decimalText(box.height(), 1), cellName(job))));
    if (!job.gs1.dual) {
        result.size = box;
        result.matrix = QRectF(QPointF(0, 0), box);
        return result;
    }
    const BarDots dots = barDots(label, job, cell.width() - box.width());
    if (dots.most < dots.least)
        return leftOut(left.arg(recordName(record),
                                QCoreApplication::translate("SheetPrinter",
                                                            "its label and its 2D symbol, %1 mm wide, do not fit a %2 "
                                                            "label with bars of at least %3 mm.")
                                    .arg(decimalText(box.width(), 1), cellName(job),
                                         decimalText(moduleLimits(label.made.renderer.symbology()).smallest, 3))));
    // The widest bar at which the whole 2D symbol stays within reach of the linear symbol.
    double reach = 0;
    for (int bar = dots.most; bar >= dots.least; --bar) {
        result.moduleDots = bar;
        result.moduleMillimetres = bar / dotsPerMillimetre;
        result.linearSize = linearSize(label, job, bar);
        reach = placeBeside(result, label, job, box);
        if (dualPlacementProblem(reach).isEmpty())
            return result;
    }
    return leftOut(left.arg(recordName(record), dualPlacementProblem(reach)));
}

SheetLabelFit fit(const SheetLabel &label, const ListRecord &record, const SheetJob &job, qint64 firstLabel)
{
    return job.gs1.active() ? fitWithMatrix(label, record, job, firstLabel) : fitLinear(label, record, job);
}

// The symbol of \a data in the 2D symbol's box of \a fitted, which lies on whole dots from the
// label's \a corner: centred in it on whole dots, as a label's symbol may be smaller than the
// largest of its record, which the box was made for. The box, quiet zone and all, is the paper's.
void paintMatrixBox(QPainter &painter, const SheetLabelFit &fitted, const Gs1Request &request, const Gs1LabelData &data,
                    QPointF corner, double dotsPerMillimetre)
{
    const QRectF &place = fitted.matrix;
    const QRectF box(
        corner + QPointF(std::round(place.left() * dotsPerMillimetre), std::round(place.top() * dotsPerMillimetre)),
        QSizeF(std::round(place.width() * dotsPerMillimetre), std::round(place.height() * dotsPerMillimetre)));
    const std::optional<MatrixPart> part = makeMatrixPart(request, data, nullptr);
    if (!part)
        return;
    const int module = fitted.matrixModuleDots;
    const QSizeF size(part->symbol.columnsWithQuietZone() * module, part->symbol.rowsWithQuietZone() * module);
    const QPointF inset(std::floor((box.width() - size.width()) / 2), std::floor((box.height() - size.height()) / 2));
    paintMatrixSymbol(painter, part->symbol, box.topLeft() + inset, module);
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
    if (job.gs1.active())
        return matrixModuleProblem(job.gs1.moduleMm);
    return {};
}

SheetLabelFit fitSheetLabel(const ListRecord &record, const SheetJob &job, qint64 firstLabel)
{
    const std::optional<SheetLabel> label = sheetLabel(record, job);
    if (!label)
        return leftOut(u"%1 is left out: it makes no barcode."_s.arg(recordName(record)));
    return fit(*label, record, job, firstLabel);
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
    QList<Gs1Element> gs1; ///< the record's own GS1 data
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
        // Only the labels printed are numbered: a record left out takes no number.
        const qint64 firstLabel = qint64(m_placed.size()) * job.copies;
        const SheetLabelFit fitted = label ? fit(*label, record, job, firstLabel)
                                           : leftOut(u"%1 is left out: it makes no barcode."_s.arg(recordName(record)));
        if (!fitted.refusal.isEmpty())
            m_refused << fitted.refusal;
        else
            m_placed.append({*label, fitted, record.gs1});
    }
    m_labels = qint64(m_placed.size()) * job.copies;
    m_pages = sheetPageCount(job, m_labels);
}

SheetPlan::~SheetPlan() = default;

bool SheetPlan::place(const SheetJob &job)
{
    // A label fits by the label's size, the resolution, the edition, the appearance and its 2D
    // symbol alone; numbered labels also by the copies, which number them.
    if (!m_problem.isEmpty() || !sheetJobProblem(job).isEmpty() || job.sheet.label != m_job.sheet.label ||
        job.printerDpi != m_job.printerDpi || job.edition != m_job.edition || job.appearance != m_job.appearance ||
        job.gs1 != m_job.gs1 || (job.gs1.active() && job.gs1.serialFrom && job.copies != m_job.copies))
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
        if (item.fit.matrix.isEmpty()) {
            paintLabel(painter, item.label.made.label(), QRectF(corner, size), across, !preview);
        } else {
            if (!item.fit.linearSize.isEmpty()) {
                const QSizeF linear(std::round(item.fit.linearSize.width() * dotsPerMillimetre),
                                    std::round(item.fit.linearSize.height() * dotsPerMillimetre));
                paintLabel(painter, item.label.made.label(), QRectF(corner, linear), across, !preview);
            }
            paintMatrixBox(painter, item.fit, m_job.gs1, gs1Data(label), corner, dotsPerMillimetre);
        }
        ++painted;
    }
    return painted;
}

Gs1LabelData SheetPlan::gs1Data(qint64 label) const
{
    if (!m_job.gs1.active() || label < 0 || label >= m_labels)
        return {};
    const Placed &item = m_placed.at(label / m_job.copies);
    return gs1LabelData(m_job.gs1, item.label.gtin, item.gs1, label);
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
