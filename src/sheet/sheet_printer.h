#pragma once

#include "barcode/edition.h"
#include "base/safe_save.h"
#include "label/gs1_label.h"
#include "list/list_record.h"
#include "render/label_appearance.h"
#include "sheet/label_template.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace Kelbrix {

/// How one printer shifts and scales what it prints, measured from a calibration page: every
/// label is moved by the offset, and its place on the page (not its size) is scaled about the
/// page's top left corner.
struct SheetCalibration {
    /// The calibrations a printer may need: offsets up to 50 mm either way, scales from 90 to 110 %.
    static constexpr double kLargestOffset = 50;
    static constexpr double kSmallestScale = 90;
    static constexpr double kLargestScale = 110;

    double offsetX = 0; ///< millimetres to the right
    double offsetY = 0; ///< millimetres down
    double scalePercent = 100;

    /// Both offsets are numbers within the largest offset.
    bool offsetsSound() const;
    /// The scale is a number within the smallest and the largest scale.
    bool scaleSound() const;
};

/// What a label sheet job prints: which sheet, where on the first sheet it starts, how many
/// copies of each record, the printer's resolution and its calibration, the edition and
/// appearance the labels are made in (those of the main window), and the 2D symbol each label
/// carries, if any.
struct SheetJob {
    LabelTemplate sheet;
    int startAt = 1; ///< the first cell used on the first sheet (1 for the top left)
    int copies = 1;
    int printerDpi = 600;
    SheetCalibration calibration;
    Edition edition = Edition::Alla;
    LabelAppearance appearance;
    /// Inactive (no carrier): the labels carry no 2D symbol. Active: label n of the job (from 0,
    /// in the order they are printed, copies included) carries the data gs1LabelData gives for n.
    Gs1Request gs1;
};

/// Why \a job cannot be printed (a template problem, a start position beyond the sheet,
/// copies or a resolution out of range, a calibration that is not a number, a 2D module outside
/// the GS1 table), or empty.
QString sheetJobProblem(const SheetJob &job);

/// A record's label as it goes on a sheet: the size on paper and the module width.
struct SheetLabelFit {
    QString refusal;    ///< why the label cannot go on the sheet; empty when it can
    int moduleDots = 0; ///< the narrow bar in printer dots; 0 for a 2D symbol alone
    double moduleMillimetres = 0;
    QSizeF size; ///< millimetres
    /// With a 2D symbol: the linear label's part of size, from its top left corner (empty for a
    /// 2D symbol alone), the box the 2D symbol and its quiet zone take (as large as the largest
    /// of the record's labels), and its module in printer dots.
    QSizeF linearSize;
    QRectF matrix;
    int matrixModuleDots = 0;
};

/// The label of \a record for \a job's cells: the label the main window composes for it (symbol,
/// add-on, ISBN header, product line), its narrow bar the widest whole number of printer dots at
/// which it fits the cell's width and at most twice its height, no wider than its type allows;
/// its height follows, cut down to the cell's when it is higher (the bars and lines lower). A
/// label that does not fit so at the smallest narrow bar its type allows, or a record that makes
/// no barcode, is refused with a sentence that names the record.
///
/// With a 2D symbol, it stands to the right of the linear label, its module a whole number of
/// printer dots (matrixModuleDots of the job's module) whatever the narrow bar, or alone; the
/// narrow bar is the widest at which the linear label fits beside it and the whole 2D symbol
/// lies within 50 mm of the linear symbol's centre. A record whose 2D symbol cannot be made for
/// one of its labels (\a firstLabel and the copies after it), whose 2D symbol does not fit the
/// cell or that cannot keep the 50 mm rule is refused, the reason named.
SheetLabelFit fitSheetLabel(const ListRecord &record, const SheetJob &job, qint64 firstLabel = 0);

/// What printing sheets came to.
struct SheetOutcome {
    int pages = 0;        ///< pages painted
    int labels = 0;       ///< labels painted
    QStringList refused;  ///< one sentence per record left out, naming it
    bool stopped = false; ///< the progress callback asked to stop
    QString error;        ///< the device could not be painted on
};

/// The pages \a labels labels take on \a job's sheets.
int sheetPageCount(const SheetJob &job, qint64 labels);

/// The labels of records fitted to a job's cells, ready to be painted page by page: records
/// whose label is refused take no cell and no label number; each of the others takes job.copies
/// cells in turn from the start cell on.
class SheetPlan {
public:
    SheetPlan(const QList<ListRecord> &records, const SheetJob &job);
    ~SheetPlan();
    SheetPlan(const SheetPlan &) = delete;
    SheetPlan &operator=(const SheetPlan &) = delete;

    const SheetJob &job() const { return m_job; }
    /// Takes \a job in place of the plan's own without fitting the labels again, when it fits
    /// them as the plan's did: the same label size, resolution, edition, appearance and 2D symbol
    /// (another start, copies, calibration or layout of the same labels; the same copies when
    /// the labels are numbered). False, with nothing changed, when it does not, or when \a job
    /// is not sound.
    bool place(const SheetJob &job);
    /// Why the job cannot be printed (see sheetJobProblem), or empty.
    const QString &problem() const { return m_problem; }
    const QStringList &refused() const { return m_refused; }
    qint64 labels() const { return m_labels; }
    int pages() const { return m_pages; }
    /// The data of the 2D symbol of label \a label (from 0, below labels()); empty without one.
    Gs1LabelData gs1Data(qint64 label) const;
    /// Paints page \a page (from 0) with \a painter, whose units are the job's printer dots with
    /// the origin at the page's top left corner; returns the labels painted. \a preview draws
    /// the bars to the painter's scale instead of to whole device pixels.
    int paintPage(QPainter &painter, int page, bool preview = false) const;

private:
    struct Placed;
    SheetJob m_job;
    QString m_problem;
    QStringList m_refused;
    QList<Placed> m_placed;
    qint64 m_labels = 0;
    int m_pages = 0;
};

/// Paints the pages of \a plan onto \a device, which is set to the template's page and no
/// margins. \a pageDone, when given, is told each page painted with the number of pages in all
/// and returns false to stop after it.
SheetOutcome paintSheets(QPagedPaintDevice &device, const SheetPlan &plan,
                         const std::function<bool(int page, int pages)> &pageDone = {});

/// The same for \a records and \a job.
SheetOutcome paintSheets(QPagedPaintDevice &device, const QList<ListRecord> &records, const SheetJob &job,
                         const std::function<bool(int page, int pages)> &pageDone = {});

/// What writing a PDF file of sheets came to.
struct SheetPdfResult {
    SaveResult saved;
    SheetOutcome outcome;
};

/// Writes the pages of \a plan into the PDF file \a path at the job's resolution through the safe
/// save: the file is replaced only when every page was painted, at least one label was, and all
/// of it reached the disk; otherwise the old file stays as it was.
SheetPdfResult writeSheetPdf(const QString &path, const SheetPlan &plan,
                             const std::function<bool(int page, int pages)> &pageDone = {});

} // namespace Kelbrix
