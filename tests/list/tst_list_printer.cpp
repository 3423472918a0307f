// The printed barcode list and the printed image list, read back from Qt's PDF output: the
// listing's pages, headers, cells and copies through pdftotext, and the image list's labels
// decoded with zbar from the page rendered by pdftoppm, at the size they have on paper.

#include "list/image_list_printer.h"
#include "list/list_printer.h"

#include "base/units.h"
#include "render/barcode_renderer.h"
#include "zbar_decode.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

using namespace Kelbrix;
using namespace Kelbrix::Test;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kTitle = u"Kelbrix"_s;
const QString kDate = u"07/12/2026"_s;

QList<ListRecord> numberedRecords(int count)
{
    QList<ListRecord> records;
    for (int i = 1; i <= count; ++i)
        records.append({u"Item %1"_s.arg(i), u"50123456"_s + QString::number(i).rightJustified(4, u'0'), QString(),
                        u"t"_s, u"E130"_s});
    return records;
}

// The text of each page of \a pdf as pdftotext lays it out.
QStringList pdfPages(const QString &pdf)
{
    QProcess process;
    process.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {u"pdftotext failed"_s};
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The page numbers the headers of \a pages show, in order.
QList<int> headerPageNumbers(const QStringList &pages)
{
    static const QRegularExpression header(u"Kelbrix List\\s+Page\\s+(\\d+)\\s+Date:07/12/2026"_s);
    QList<int> numbers;
    for (const QString &page : pages) {
        const auto match = header.match(page);
        numbers.append(match.hasMatch() ? match.captured(1).toInt() : -1);
    }
    return numbers;
}

// Listing lines (those made of the dotted cells) on \a page.
int listingLineCount(const QString &page)
{
    int count = 0;
    for (const QString &line : page.split(u'\n'))
        count += line.trimmed().startsWith(u"E130....."_s) ? 1 : 0;
    return count;
}

QImage renderPdfPage(const QString &pdf, int dpi)
{
    const QString prefix = pdf + u"-page"_s;
    QProcess process;
    process.start(u"pdftoppm"_s, {u"-r"_s, QString::number(dpi), u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, u"-png"_s,
                                  u"-singlefile"_s, pdf, prefix});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QImage(prefix + u".png"_s);
}

// Width in pixels of the dark parts of \a image (the first to the last dark column).
int darkWidth(const QImage &image)
{
    int first = -1, last = -1;
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    for (int x = 0; x < grey.width(); ++x) {
        for (int y = 0; y < grey.height(); ++y) {
            if (qGray(grey.pixel(x, y)) < 100) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

// An EAN-13 label drawn at \a dpi, 1.5 inch wide, its resolution stored in the image.
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

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void listingLine_data()
    {
        QTest::addColumn<ListRecord>("record");
        QTest::addColumn<QString>("line");
        QTest::newRow("short texts padded with dots")
            << ListRecord{u"Soap"_s, u"501234567890"_s, u"12"_s, u"free"_s, u"E132"_s}
            << u"E132.....Soap....................501234567890......12........free................"_s;
        QTest::newRow("long product cut to 20, empty supplement six dots")
            << ListRecord{u"ABCDEFGHIJKLMNOPQRSTUVWXY"_s, u"12345678901234567"_s, QString(), QString(), u"E80 "_s}
            << u"E80 .....ABCDEFGHIJKLMNOPQRST....12345678901234.................................."_s;
    }
    void listingLine()
    {
        QFETCH(ListRecord, record);
        QFETCH(QString, line);
        QCOMPARE(ListPrinter::listingLine(record), line);
        QCOMPARE(line.size(), 81);
    }

    void headerLine()
    {
        QCOMPARE(ListPrinter::headerLine(u"Kelbrix"_s, 12, u"1.2.26"_s),
                 u"Kelbrix List           Page  12       Date:1.2.26"_s);
        const QStringList first = ListPrinter(numberedRecords(1), kTitle, kDate).pages().value(0);
        QCOMPARE(first.mid(1, 2), (QStringList{QString(52, u'='), QString()}));
    }

    void pagesOnPaper_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<QList<int>>("linesPerPage");
        QTest::newRow("one") << 1 << QList<int>{1};
        QTest::newRow("63 fill one page") << 63 << QList<int>{63};
        QTest::newRow("64 need two") << 64 << QList<int>{63, 1};
        QTest::newRow("127 need three") << 127 << QList<int>{63, 63, 1};
    }
    void pagesOnPaper()
    {
        QFETCH(int, records);
        QFETCH(QList<int>, linesPerPage);
        const QString pdf = path(u"pages-%1.pdf"_s.arg(records));
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        const ListPrinter printer(numberedRecords(records), kTitle, kDate);
        QVERIFY(printer.printCopy(writer));
        QCOMPARE(printer.pageCount(), linesPerPage.size());

        const QStringList pages = pdfPages(pdf);
        QCOMPARE(pages.size(), linesPerPage.size());
        QList<int> expectedNumbers, counted;
        for (qsizetype p = 0; p < pages.size(); ++p) {
            expectedNumbers.append(int(p) + 1);
            counted.append(listingLineCount(pages[p]));
        }
        QCOMPARE(headerPageNumbers(pages), expectedNumbers);
        QCOMPARE(counted, linesPerPage);
        QVERIFY(pages[0].contains(QString(52, u'=')));
        QVERIFY(pages.last().contains(ListPrinter::listingLine(numberedRecords(records).last())));
    }

    void shortPageStillHoldsSixtyThreeRecords()
    {
        // Half a letter page is too short for 66 lines at the font's own spacing.
        const QString pdf = path(u"short.pdf"_s);
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(QSizeF(216, 140), QPageSize::Millimeter));
        QVERIFY(ListPrinter(numberedRecords(64), kTitle, kDate).printCopy(writer));
        const QStringList pages = pdfPages(pdf);
        QCOMPARE(headerPageNumbers(pages), (QList<int>{1, 2}));
        QCOMPARE(listingLineCount(pages.value(0)), 63);
    }

    void eachCopyStartsAtPageOne()
    {
        // A PDF file holds one job, so its copies follow one another, each from page 1.
        const QString pdf = path(u"copies.pdf"_s);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setCopyCount(2);
        QVERIFY(ListPrinter(numberedRecords(64), kTitle, kDate).print(printer));
        QCOMPARE(headerPageNumbers(pdfPages(pdf)), (QList<int>{1, 2, 1, 2}));
        QCOMPARE(printer.copyCount(), 2);
    }

    void imageListAtPhysicalSize_data()
    {
        QTest::addColumn<int>("imageDpi");
        QTest::newRow("300 dpi picture") << 300;
        QTest::newRow("96 dpi picture") << 96;
    }
    void imageListAtPhysicalSize()
    {
        QFETCH(int, imageDpi);
        QTextDocument document;
        const QImage label = labelImage(u"501234567890"_s, imageDpi);
        document.addResource(QTextDocument::ImageResource, QUrl(u"label1"_s), label);
        QTextCursor cursor(&document);
        cursor.insertImage(u"label1"_s);
        cursor.insertBlock();

        const QString pdf = path(u"images-%1.pdf"_s.arg(imageDpi));
        QPdfWriter writer(pdf);
        writer.setResolution(600);
        QVERIFY(printImageList(document, writer));
        const QImage page = renderPdfPage(pdf, 200);
        QVERIFY(!page.isNull());
        QCOMPARE(decodedText(page), u"5012345678900"_s);
        // The bars span the same part of 1.5 inch on paper as in the picture.
        const double pictureInches = darkWidth(label) / double(imageDpi);
        QVERIFY2(qAbs(darkWidth(page) / 200.0 - pictureInches) < 0.02,
                 qPrintable(u"%1 in on paper, %2 in in the picture"_s.arg(darkWidth(page) / 200.0).arg(pictureInches)));
    }

    void imageListAtItsShownSize()
    {
        // A 300 dpi picture shown 2 inches wide in a 96 dpi view prints 2 inches wide.
        QTextDocument document;
        const QImage label = labelImage(u"501234567890"_s, 300);
        document.addResource(QTextDocument::ImageResource, QUrl(u"label"_s), label);
        QTextImageFormat format;
        format.setName(u"label"_s);
        format.setWidth(2 * 96);
        format.setHeight(96);
        QTextCursor(&document).insertImage(format);

        const QString pdf = path(u"shown.pdf"_s);
        QPdfWriter writer(pdf);
        writer.setResolution(600);
        ImageListPrintOptions options;
        options.shownDotsPerInch = 96;
        QVERIFY(printImageList(document, writer, options));
        const QImage page = renderPdfPage(pdf, 200);
        QCOMPARE(decodedText(page), u"5012345678900"_s);
        const double expectedInches = 2.0 * darkWidth(label) / label.width();
        QVERIFY2(qAbs(darkWidth(page) / 200.0 - expectedInches) < 0.02,
                 qPrintable(u"%1 in on paper, %2 in expected"_s.arg(darkWidth(page) / 200.0).arg(expectedInches)));
        QCOMPARE(imageListPageCount(document, writer, options), 1);
    }

    void imageListSelection()
    {
        QTextDocument document;
        QTextCursor cursor(&document);
        const QStringList codes{u"501234567890"_s, u"400638133393"_s};
        for (qsizetype i = 0; i < codes.size(); ++i) {
            const QString name = u"label%1"_s.arg(i);
            document.addResource(QTextDocument::ImageResource, QUrl(name), labelImage(codes[i], 300));
            cursor.insertImage(name);
            cursor.insertBlock();
        }
        const QString whole = path(u"whole.pdf"_s), part = path(u"part.pdf"_s);
        {
            QPdfWriter writer(whole);
            QVERIFY(printImageList(document, writer));
        }
        {
            QPdfWriter writer(part);
            ImageListPrintOptions options;
            options.selectionStart = 2; // the second picture alone
            options.selectionEnd = 3;
            QVERIFY(printImageList(document, writer, options));
        }
        QCOMPARE(decodeSymbols(renderPdfPage(whole, 200)).size(), 2);
        QCOMPARE(decodedText(renderPdfPage(part, 200)), u"4006381333931"_s);
    }
};

QTEST_MAIN(TestListPrinter)
#include "tst_list_printer.moc"
