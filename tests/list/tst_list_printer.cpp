// The printed barcode list and image list, read back from Qt's PDF output with pdftotext, and
// with zbar from the page rendered by pdftoppm.

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

int listingLineCount(const QString &page)
{
    int count = 0;
    for (const QString &line : page.split(u'\n'))
        count += line.trimmed().startsWith(u"E130....."_s) ? 1 : 0;
    return count;
}

QImage renderPdfPage(const QString &pdf)
{
    const QString prefix = pdf + u"-page"_s;
    QProcess process;
    process.start(u"pdftoppm"_s,
                  {u"-r"_s, u"200"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, u"-png"_s, u"-singlefile"_s, pdf, prefix});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QImage(prefix + u".png"_s);
}

// Width in pixels from the first to the last dark column of \a image.
int darkWidth(const QImage &image)
{
    int first = -1, last = -1;
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    for (int x = 0; x < grey.width(); ++x) {
        for (int y = 0; y < grey.height(); ++y) {
            if (qGray(grey.pixel(x, y)) < 100) {
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
        QTest::addColumn<QSizeF>("pageMm");
        QTest::addColumn<QList<int>>("linesPerPage");
        QTest::newRow("63 fill one page") << 63 << QSizeF(210, 297) << QList<int>{63};
        QTest::newRow("64 need two") << 64 << QSizeF(210, 297) << QList<int>{63, 1};
        QTest::newRow("short page still holds 63") << 64 << QSizeF(216, 140) << QList<int>{63, 1};
    }
    void pagesOnPaper()
    {
        QFETCH(int, records);
        QFETCH(QSizeF, pageMm);
        QFETCH(QList<int>, linesPerPage);
        const QString pdf = path(QString::fromLatin1(QTest::currentDataTag()) + u".pdf"_s);
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(pageMm, QPageSize::Millimeter));
        QVERIFY(ListPrinter(numberedRecords(records), kTitle, kDate).printCopy(writer));
        const QStringList pages = pdfPages(pdf);
        QList<int> expectedNumbers, counted;
        for (qsizetype p = 0; p < pages.size(); ++p) {
            expectedNumbers.append(int(p) + 1);
            counted.append(listingLineCount(pages[p]));
        }
        QCOMPARE(counted, linesPerPage);
        QCOMPARE(headerPageNumbers(pages), expectedNumbers);
        QVERIFY(pages.last().contains(ListPrinter::listingLine(numberedRecords(records).last())));
    }

    void eachCopyStartsAtPageOne()
    {
        const QString pdf = path(u"copies.pdf"_s);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setCopyCount(2);
        QVERIFY(ListPrinter(numberedRecords(64), kTitle, kDate).print(printer));
        QCOMPARE(headerPageNumbers(pdfPages(pdf)), (QList<int>{1, 2, 1, 2}));
    }

    void imageListAtPhysicalSize_data()
    {
        QTest::addColumn<int>("imageDpi");
        QTest::addColumn<int>("shownWidth"); // 0: not scaled in the view
        QTest::newRow("300 dpi picture") << 300 << 0;
        QTest::newRow("96 dpi picture") << 96 << 0;
        QTest::newRow("shown 2 inches wide in a 96 dpi view") << 300 << 2 * 96;
    }
    void imageListAtPhysicalSize()
    {
        QFETCH(int, imageDpi);
        QFETCH(int, shownWidth);
        QTextDocument document;
        const QImage label = labelImage(u"501234567890"_s, imageDpi);
        document.addResource(QTextDocument::ImageResource, QUrl(u"label"_s), label);
        QTextImageFormat format;
        format.setName(u"label"_s);
        if (shownWidth) {
            format.setWidth(shownWidth);
            format.setHeight(shownWidth / 2);
        }
        QTextCursor(&document).insertImage(format);

        const QString pdf = path(QString::fromLatin1(QTest::currentDataTag()) + u".pdf"_s);
        QPdfWriter writer(pdf);
        writer.setResolution(600);
        ImageListPrintOptions options;
        if (shownWidth)
            options.shownDotsPerInch = 96;
        QVERIFY(printImageList(document, writer, options));
        const QImage page = renderPdfPage(pdf);
        QCOMPARE(decodedText(page), u"5012345678900"_s);
        const double inches = shownWidth ? double(shownWidth) / 96 * darkWidth(label) / label.width()
                                         : darkWidth(label) / double(imageDpi);
        QVERIFY2(qAbs(darkWidth(page) / 200.0 - inches) < 0.02, qPrintable(QString::number(darkWidth(page) / 200.0)));
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
        QCOMPARE(decodeSymbols(renderPdfPage(whole)).size(), 2);
        QCOMPARE(decodedText(renderPdfPage(part)), u"4006381333931"_s);
    }
};

QTEST_MAIN(TestListPrinter)
#include "tst_list_printer.moc"
