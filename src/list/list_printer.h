#pragma once

#include "list/list_record.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QPrinter;

namespace Kelbrix {

/// The printed barcode list: a plain text listing, one 81-character line per record, 63
/// records a page below a three-line header, in a 10-point monospaced font so that the dotted
/// cells line up.
class ListPrinter {
public:
    /// Told after each page printed: the pages printed so far and the pages of all copies.
    /// Returns false to stop printing.
    using PageProgress = std::function<bool(int printed, int total)>;

    /// Record lines on one page.
    static constexpr int RecordsPerPage = 63;
    /// Lines above the records of each page: the title line, the rule and an empty line.
    static constexpr int HeaderLines = 3;
    /// Point size of the printed text.
    static constexpr int FontPointSize = 10;

    /// \a windowTitle starts every header line; \a date is printed after "Date:" (the caller
    /// passes the system's short date).
    ListPrinter(QList<ListRecord> records, QString windowTitle, QString date);

    /// The listing line of \a record: Type (5), Product (20), Barcode (14), Digit Sup. (6) and
    /// Text (20), each padded with dots or cut to its width, joined by "....".
    static QString listingLine(const ListRecord &record);
    /// The first header line of page \a page.
    static QString headerLine(const QString &windowTitle, int page, const QString &date);

    /// The lines of every page of one copy, headers included. Empty for an empty list.
    QList<QStringList> pages() const;
    /// The lines of page \a page (from 0), header included.
    QStringList pageLines(int page) const;
    int pageCount() const;

    /// Prints the copies \a printer asks for, each starting at page 1. On a printer each copy is
    /// a job of its own; a PDF file holds one job, so there the copies follow one another in
    /// the file. The printer's copy count is left as it was. False when printing failed or
    /// \a progress stopped it. A stopped job ends after the last page printed: a PDF file then
    /// holds those pages (write it under a temporary name to keep none of it), and a printer is
    /// asked to abort, which a system that cannot withdraw a job (CUPS) ignores, so it prints them.
    bool print(QPrinter &printer, const PageProgress &progress = {}) const;

    /// Prints one copy as one job: begins painting on \a device, paints every page and ends.
    /// False when the device could not be painted on (nothing was printed then).
    bool printCopy(QPagedPaintDevice &device) const;
    /// Paints one copy with \a painter, which is active on \a device; when \a newPageFirst the
    /// copy starts on a new page (a further copy in the same document). \a step, when given, is
    /// called after each page with the number of pages painted and returns false to stop; then
    /// paintCopy returns false.
    bool paintCopy(QPainter &painter, QPagedPaintDevice &device, bool newPageFirst,
                   const std::function<bool(int painted)> &step = {}) const;
    /// Paints page \a page (from 0) with \a painter, laid out for \a device (the printer, or an
    /// image of the page in a preview).
    void paintPage(QPainter &painter, const QPaintDevice &device, int page) const;

private:
    QList<ListRecord> m_records;
    QString m_windowTitle;
    QString m_date;
};

} // namespace Kelbrix
