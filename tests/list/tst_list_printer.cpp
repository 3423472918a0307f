#include "list/image_list_printer.h"
#include "list/list_printer.h"

#include "base/units.h"
#include "render/barcode_renderer.h"
#include "test_helpers.h"
#include "zbar_decode.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

using namespace Kelbrix;
using namespace Kelbrix::Test;
using namespace Qt::Literals::StringLiterals;

namespace {

using Pages = QList<std::pair<int, int>>; // per page: the number in its header (-1 if none), its listing lines

QList<ListRecord> numberedRecords(int count)
{
    QList<ListRecord> records;
    for (int i = 1; i <= count; ++i)
        records.append({u"Item %1"_s.arg(i), u"50123456"_s + QString::number(i).rightJustified(4, u'0'), QString(),
                        u"t"_s, u"E130"_s});
    return records;
}

Pages pdfPages(const QString &pdf)
{
    static const QRegularExpression header(u"Kelbrix List\\s+Page\\s+(\\d+)\\s+Date:07/12/2026"_s);
    static const QRegularExpression listing(u"^[ \\t]*E130\\.{5}"_s, QRegularExpression::MultilineOption);
    Pages pages;
    for (const QString &page :
         QString::fromUtf8(programOutput(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s})).split(u'\f')) {
        const auto match = header.match(page);
        if (!page.trimmed().isEmpty())
            pages.append({match.hasMatch() ? match.captured(1).toInt() : -1, int(page.count(listing))});
    }
    return pages;
}

QImage renderPdfPage(const QString &pdf)
{
    programOutput(u"pdftoppm"_s,
                  {u"-r"_s, u"200"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, u"-png"_s, u"-singlefile"_s, pdf, pdf});
    return QImage(pdf + u".png"_s);
}

// Width in pixels from the first to the last column of \a image holding a dark pixel.
int darkWidth(const QImage &image)
{
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) < 100) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

QImage labelImage(const QString &data, int dpi)
{
    BarcodeRenderer renderer;
    renderer.setData(data);
    QImage image = renderer.image(QSize(dpi * 3 / 2, dpi * 3 / 4));
    image.setDotsPerMeterX(dotsPerMetre(dpi));
    image.setDotsPerMeterY(dotsPerMetre(dpi));
    return image;
}

} // namespace

class TestListPrinter : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    // Each copy starts at page 1; a PDF holds the copies one after another. Told after every page
    // of every copy; a stop ends the job after the page that was told.
    void pagesOnPaper_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("stopAt"); // 0: never
        QTest::addColumn<int>("total");  // pages of all copies
        QTest::addColumn<Pages>("pages");
        QTest::newRow("63 fill one page") << 63 << 1 << 0 << 1 << Pages{{1, 63}};
        QTest::newRow("64 need two") << 64 << 1 << 0 << 2 << Pages{{1, 63}, {2, 1}};
        QTest::newRow("two copies") << 64 << 2 << 0 << 4 << Pages{{1, 63}, {2, 1}, {1, 63}, {2, 1}};
        QTest::newRow("stopped on the first page") << 64 << 1 << 1 << 2 << Pages{{1, 63}};
        QTest::newRow("stopped in the second copy") << 64 << 2 << 3 << 4 << Pages{{1, 63}, {2, 1}, {1, 63}};
    }
    void pagesOnPaper()
    {
        QFETCH(int, records);
        QFETCH(int, copies);
        QFETCH(int, stopAt);
        QFETCH(int, total);
        QFETCH(Pages, pages);
        const QString pdf = path(QString::fromLatin1(QTest::currentDataTag()) + u".pdf"_s);
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setCopyCount(copies);
        QList<std::pair<int, int>> told;
        const auto progress = [&](int printed, int all) {
            told.append({printed, all});
            return printed != stopAt;
        };
        QCOMPARE(ListPrinter(numberedRecords(records), u"Kelbrix"_s, u"07/12/2026"_s).print(printer, progress),
                 stopAt == 0);
        QCOMPARE(told.size(), pages.size());
        QCOMPARE(told.constLast(), std::make_pair(int(pages.size()), total));
        QCOMPARE(pdfPages(pdf), pages);
        QCOMPARE(printer.copyCount(), copies);
    }

    // The cells of a printed line: Type 5, Product 20, Barcode 14, Digit Sup. 6 and Text 20,
    // padded with dots or cut, joined by four dots.
    void columnsOnPaper()
    {
        const QList<ListRecord> records{
            {u"Strawberry jam, large jar"_s, u"03600029145"_s, u"12345"_s, u"Shelf four, left of the tea"_s, u"UPA5"_s},
            {u"Tea"_s, u"4006381"_s, QString(), QString(), u"E80 "_s}};
        const QString pdf = path(u"columns.pdf"_s);
        QPdfWriter writer(pdf);
        QVERIFY(ListPrinter(records, u"Kelbrix"_s, u"07/12/2026"_s).printCopy(writer));
        QStringList lines = QString::fromUtf8(programOutput(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s})).split(u'\n');
        for (QString &line : lines)
            line = line.trimmed();
        QCOMPARE(lines.mid(lines.indexOf(QString()) + 1, 2),
                 (QStringList{u"UPA5.....Strawberry jam, larg....03600029145.......12345.....Shelf four, left of"_s,
                              u"E80 .....Tea.....................4006381........................................."_s}));
    }

    // A preview paints the pages of the image list one at a time, in any order; together they
    // hold every picture once, as printing does.
    void imageListPagesOneAtATime()
    {
        QTextDocument document;
        QStringList codes;
        QTextCursor cursor(&document);
        for (int i = 0; i < 40; ++i) {
            codes << u"50123456%1"_s.arg(i, 4, 10, QChar(u'0'));
            const QString name = u"label%1"_s.arg(i);
            document.addResource(QTextDocument::ImageResource, QUrl(name), labelImage(codes.constLast(), 150));
            if (i > 0)
                cursor.insertBlock();
            cursor.insertImage(name);
        }
        QPdfWriter writer(path(u"pictures.pdf"_s));
        const ImageListPages pages(document, writer);
        QVERIFY(pages.pageCount() >= 3);
        QStringList found;
        for (int page = pages.pageCount() - 1; page >= 0; --page) {
            QImage image(qRound(writer.width() * 150.0 / writer.logicalDpiX()),
                         qRound(writer.height() * 150.0 / writer.logicalDpiY()), QImage::Format_RGB32);
            image.setDotsPerMeterX(dotsPerMetre(150));
            image.setDotsPerMeterY(dotsPerMetre(150));
            image.fill(Qt::white);
            QPainter painter(&image);
            pages.paintPage(painter, image, page);
            painter.end();
            for (const DecodedSymbol &symbol : decodeSymbols(image))
                found << symbol.data.left(12);
        }
        found.sort();
        QCOMPARE(found, codes);
    }

    void imageListAtPhysicalSize()
    {
        QTextDocument document;
        const QImage label = labelImage(u"501234567890"_s, 300);
        document.addResource(QTextDocument::ImageResource, QUrl(u"label"_s), label);
        QTextCursor(&document).insertImage(u"label"_s);
        const QString pdf = path(u"physical.pdf"_s);
        QPdfWriter writer(pdf);
        writer.setResolution(600);
        QVERIFY(printImageList(document, writer));
        const QImage page = renderPdfPage(pdf);
        QCOMPARE(decodedText(page), u"5012345678900"_s);
        QVERIFY(qAbs(darkWidth(page) / 200.0 - darkWidth(label) / 300.0) < 0.02);
    }
};

QTEST_MAIN(TestListPrinter)
#include "tst_list_printer.moc"
