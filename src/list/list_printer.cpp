#include "list/list_printer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

const QString kFiller = u".............................."_s; // 30 dots
const QString kSeparator = u"...."_s;
const QString kRule = QString(52, u'=');

// The column text padded with dots, then cut to the cell width.
QString cell(const QString &text, int width)
{
    return (text + kFiller).left(width);
}

QFont listingFont()
{
    QFont font(u"Monospace"_s, ListPrinter::FontPointSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

} // namespace

ListPrinter::ListPrinter(QList<ListRecord> records, QString windowTitle, QString date)
    : m_records(std::move(records)), m_windowTitle(std::move(windowTitle)), m_date(std::move(date))
{
}

QString ListPrinter::listingLine(const ListRecord &record)
{
    return cell(record.type, 5) + kSeparator + cell(record.product, 20) + kSeparator + cell(record.barcode, 14) +
           kSeparator + cell(record.digitSup, 6) + kSeparator + cell(record.text, 20);
}

QString ListPrinter::headerLine(const QString &windowTitle, int page, const QString &date)
{
    // The page number stands between two blanks, as a printed number does.
    return windowTitle + u" List           Page "_s + u' ' + QString::number(page) + u' ' + u"      Date:"_s + date;
}

QList<QStringList> ListPrinter::pages() const
{
    QList<QStringList> result;
    for (int page = 0; page < pageCount(); ++page)
        result.append(pageLines(page));
    return result;
}

QStringList ListPrinter::pageLines(int page) const
{
    QStringList lines{headerLine(m_windowTitle, page + 1, m_date), kRule, QString()};
    const qsizetype first = qsizetype(page) * RecordsPerPage;
    const qsizetype end = std::min(m_records.size(), first + RecordsPerPage);
    for (qsizetype i = std::max<qsizetype>(first, 0); i < end; ++i)
        lines.append(listingLine(m_records[i]));
    return lines;
}

int ListPrinter::pageCount() const
{
    return int((m_records.size() + RecordsPerPage - 1) / RecordsPerPage);
}

bool ListPrinter::print(QPrinter &printer, const PageProgress &progress) const
{
    const int copies = std::max(1, printer.copyCount());
    const int total = copies * pageCount();
    int printed = 0;
    bool going = true;
    const auto step = [&](int) {
        going = !progress || progress(++printed, total);
        return going;
    };
    // The copies are made here, one pass each, so the printer must not repeat them.
    printer.setCopyCount(1);
    bool ok = true;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        QPainter painter;
        ok = painter.begin(&printer);
        for (int copy = 0; ok && going && copy < copies; ++copy)
            paintCopy(painter, printer, copy > 0, step);
        ok = painter.isActive() && painter.end() && ok;
    } else {
        for (int copy = 0; ok && going && copy < copies; ++copy) {
            QPainter painter;
            ok = painter.begin(&printer);
            if (ok && !paintCopy(painter, printer, false, step))
                printer.abort();
            ok = painter.isActive() && painter.end() && ok;
        }
    }
    printer.setCopyCount(copies);
    return ok && going;
}

bool ListPrinter::printCopy(QPagedPaintDevice &device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    paintCopy(painter, device, false);
    return painter.end();
}

bool ListPrinter::paintCopy(QPainter &painter, QPagedPaintDevice &device, bool newPageFirst,
                            const std::function<bool(int painted)> &step) const
{
    // One page at a time: the lines of a page are made only when it is painted.
    for (int page = 0; page < pageCount(); ++page) {
        if (page > 0 || newPageFirst)
            device.newPage();
        paintPage(painter, device, page);
        if (step && !step(page + 1))
            return false;
    }
    return true;
}

void ListPrinter::paintPage(QPainter &painter, const QPaintDevice &device, int page) const
{
    const QFont font = listingFont();
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(painter.font(), &device);
    // A full page must fit the printable height: the font's own line spacing, or less on a
    // short page.
    const qreal lineHeight = std::min(metrics.lineSpacing(), qreal(device.height()) / (HeaderLines + RecordsPerPage));
    qreal y = metrics.ascent();
    for (const QString &line : pageLines(page)) {
        painter.drawText(QPointF(0, y), line);
        y += lineHeight;
    }
}

} // namespace Kelbrix
