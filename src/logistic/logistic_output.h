#pragma once

#include "base/safe_save.h"
#include "logistic/logistic_label.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <functional>

class QPainter;
class QPagedPaintDevice;

namespace Kelbrix {

/// Paints \a layout with \a painter, whose units are \a unitsPerMm to the millimetre, the label's
/// top left at \a origin. Bars are filled rectangles (vectors in a PDF), texts are text.
void paintLogisticLabel(QPainter &painter, const LogisticLayout &layout, double unitsPerMm, QPointF origin = {});

/// Reads every symbol of \a layout back, drawn alone, and compares what a scanner would send with
/// its data. An empty text when all of them read right; otherwise a sentence naming the symbol.
QString verifyLogisticLabel(const LogisticLayout &layout);

/// Whether \a labels can go onto A4 sheets four to a page (two across, two down): A6 labels only.
bool fitsLogisticSheet(const QList<LogisticLayout> &labels);

/// The pages \a labels take: one a label, or with \a a4Sheet one for every four.
int logisticPageCount(qsizetype labels, bool a4Sheet);
/// The page size \a labels are painted on: their own, or with \a a4Sheet an A4 page.
QSizeF logisticSheetMm(const QList<LogisticLayout> &labels, bool a4Sheet);
/// Paints page \a page (from 0) of \a labels with \a painter, whose units are \a unitsPerMm to
/// the millimetre, the page's top left at 0, 0: as paintLogisticPages() lays the pages out.
void paintLogisticPage(QPainter &painter, const QList<LogisticLayout> &labels, bool a4Sheet, int page,
                       double unitsPerMm);

/// Paints \a labels onto \a device: one label a page of its own size, or with \a a4Sheet four to
/// an A4 page. \a pageDone is told each page painted and may stop the job by returning false.
/// An empty text, or why nothing (or not everything) was painted.
QString paintLogisticPages(QPagedPaintDevice &device, const QList<LogisticLayout> &labels, bool a4Sheet,
                           const std::function<bool(int page, int pages)> &pageDone = {});

/// Writes \a labels as a PDF file with vector bars through the safe save, after reading each
/// label's symbols back; the old file stays when anything fails.
struct LogisticPdfResult {
    SaveResult saved;
    QString error; ///< a label that could not be made or read back; the file was then not written
    bool ok() const { return error.isEmpty() && saved.ok; }
    QString message() const { return error.isEmpty() ? saved.message : error; }
};
LogisticPdfResult writeLogisticPdf(const QString &path, const QList<LogisticLayout> &labels, bool a4Sheet,
                                   const std::function<bool(int page, int pages)> &pageDone = {});

/// \a layout as a one-bit picture of \a dpi dots per inch; the layout should be made for that
/// resolution (see layoutLogisticLabel), so that its bars fall on whole dots.
QImage logisticLabelImage(const LogisticLayout &layout, int dpi);

/// Writes \a layout as a one-bit TIFF file of \a dpi through the safe save.
SaveResult saveLogisticTiff(const QString &path, const LogisticLayout &layout, int dpi);

} // namespace Kelbrix
