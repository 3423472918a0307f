// The GS1 logistic label as the PDF file shows it: each symbol read back by ZXing-C++ and zbar,
// the SSCC's symbol the lowest, the values' text at least 7 mm high and every GS1-128 within
// GS1's table, all measured in the PDF itself (its bars through pdftocairo, its words through
// pdftotext, its ink through pdftoppm). Also the labels that are refused, and the A4 sheet.
#include "barcode/sscc.h"
#include "export/tiff_io.h"
#include "logistic/logistic_output.h"
#include "zbar_decode.h"
#include "verify/symbol_reader.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

constexpr double kMmPerPoint = 25.4 / 72;
constexpr int kRasterDpi = 400;

QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qWarning() << program << arguments << process.readAllStandardError();
    return process.readAllStandardOutput();
}

// A filled rectangle of the PDF, in millimetres from the page's top left.
QList<QRectF> filledRectangles(const QString &pdf, int page)
{
    const QString svg = pdf + u".svg"_s;
    run(u"pdftocairo"_s, {u"-svg"_s, u"-f"_s, QString::number(page), u"-l"_s, QString::number(page), pdf, svg});
    QFile file(svg);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    // The bars and rules: black paths of one rectangle each, outside the glyph definitions.
    const QString body = text.mid(text.indexOf(u"</defs>"_s));
    static const QRegularExpression path(
        u"fill:rgb\\(0%,0%,0%\\)[^\"]*\" d=\"M ([\\d.]+) ([\\d.]+) L ([\\d.]+) ([\\d.]+) L ([\\d.]+) ([\\d.]+) L ([\\d.]+) ([\\d.]+) Z"_s);
    QList<QRectF> rectangles;
    for (auto match = path.globalMatch(body); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        const double x0 = m.captured(1).toDouble(), y0 = m.captured(2).toDouble();
        const double x1 = m.captured(5).toDouble(), y1 = m.captured(6).toDouble();
        rectangles.append(QRectF(QPointF(x0, y0) * kMmPerPoint, QPointF(x1, y1) * kMmPerPoint).normalized());
    }
    return rectangles;
}

struct Word {
    QString text;
    QRectF box; ///< millimetres
};

QList<Word> words(const QString &pdf, int page)
{
    const QString out = QString::fromUtf8(
        run(u"pdftotext"_s, {u"-bbox"_s, u"-f"_s, QString::number(page), u"-l"_s, QString::number(page), pdf, u"-"_s}));
    static const QRegularExpression word(
        u"<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"_s);
    QList<Word> result;
    for (auto match = word.globalMatch(out); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        result.append(
            {m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()) * kMmPerPoint,
                                   QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()) * kMmPerPoint)});
    }
    return result;
}

QImage raster(const QString &pdf, int page)
{
    const QString base = pdf + u"-raster"_s;
    run(u"pdftoppm"_s, {u"-r"_s, QString::number(kRasterDpi), u"-gray"_s, u"-f"_s, QString::number(page), u"-l"_s,
                        QString::number(page), u"-singlefile"_s, u"-png"_s, pdf, base});
    return QImage(base + u".png"_s).convertToFormat(QImage::Format_Grayscale8);
}

QRect pixels(const QRectF &mm)
{
    const double k = kRasterDpi / 25.4;
    return QRect(QPoint(int(mm.left() * k), int(mm.top() * k)), QPoint(int(mm.right() * k), int(mm.bottom() * k)));
}

// The height of the tallest band of ink inside \a box of \a image, in millimetres. A word's box
// reaches above its capitals, where the foot of the title over it may show; a blank row parts them.
double inkHeightMm(const QImage &image, const QRect &box)
{
    int tallest = 0, run = 0;
    for (int y = std::max(0, box.top()); y <= std::min(image.height() - 1, box.bottom()); ++y) {
        const uchar *line = image.constScanLine(y);
        bool ink = false;
        for (int x = std::max(0, box.left()); x <= std::min(image.width() - 1, box.right()) && !ink; ++x)
            ink = line[x] < 128;
        run = ink ? run + 1 : 0;
        tallest = std::max(tallest, run);
    }
    return tallest * 25.4 / kRasterDpi;
}

// The elements a scanner's content holds.
QList<Gs1Element> elementsRead(const QString &content)
{
    return parseGs1(u"]C1"_s + content, Gs1Carrier::Gs1_128).elements;
}

QStringList sortedElements(const QList<Gs1Element> &elements)
{
    QStringList texts;
    for (const Gs1Element &element : elements)
        texts.append(u'(' + element.ai + u')' + element.value);
    texts.sort();
    return texts;
}

// The bars of one symbol: rectangles taller than wide that share their top.
struct MeasuredSymbol {
    QList<QRectF> bars;
    QRectF box() const
    {
        QRectF all;
        for (const QRectF &bar : bars)
            all |= bar;
        return all;
    }
    double narrowest() const
    {
        double least = 1e9;
        for (const QRectF &bar : bars)
            least = std::min(least, bar.width());
        return least;
    }
};

QList<MeasuredSymbol> symbolsOf(const QList<QRectF> &rectangles)
{
    QList<MeasuredSymbol> symbols;
    for (const QRectF &rectangle : rectangles) {
        if (rectangle.height() < rectangle.width())
            continue; // a rule between the blocks
        auto same = std::find_if(symbols.begin(), symbols.end(), [&](const MeasuredSymbol &symbol) {
            return std::abs(symbol.bars.constFirst().top() - rectangle.top()) < 0.01;
        });
        if (same == symbols.end())
            symbols.append({{rectangle}});
        else
            same->bars.append(rectangle);
    }
    std::sort(symbols.begin(), symbols.end(),
              [](const MeasuredSymbol &a, const MeasuredSymbol &b) { return a.box().top() < b.box().top(); });
    return symbols;
}

LogisticLabelRequest palletOf24()
{
    LogisticLabelRequest request;
    request.supplier = u"Kelbrix Foods AB\nBox 42\n123 45 Exempelby"_s;
    request.ssccPrefixLength = 7;
    request.elements = {
        {u"02"_s, u"05012345678900"_s}, {u"37"_s, u"24"_s}, {u"10"_s, u"LOT42"_s}, {u"15"_s, u"271231"_s}};
    return withSscc(request, makeSscc(u"3"_s, u"5012345"_s, u"1"_s).digits);
}

} // namespace

class TestLogisticLabel : public QObject {
    Q_OBJECT
private slots:
    void palletPdf_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("A6") << int(LogisticSize::A6);
        QTest::newRow("A5") << int(LogisticSize::A5);
        QTest::newRow("4 x 6 in") << int(LogisticSize::Inch4x6);
    }
    void palletPdf()
    {
        QFETCH(int, size);
        LogisticLabelRequest request = palletOf24();
        request.size = LogisticSize(size);
        const LogisticLayout layout = layoutLogisticLabel(request);
        QVERIFY2(layout.ok(), qPrintable(layout.error));
        QTemporaryDir folder;
        const QString pdf = folder.filePath(u"pallet.pdf"_s);
        const LogisticPdfResult written = writeLogisticPdf(pdf, {layout}, false);
        QVERIFY2(written.ok(), qPrintable(written.message()));

        const QList<MeasuredSymbol> symbols = symbolsOf(filledRectangles(pdf, 1));
        QVERIFY(symbols.size() >= 2);
        const QImage page = raster(pdf, 1);
        QStringList read;
        for (const MeasuredSymbol &symbol : symbols) {
            // X and the height from the bars themselves, within GS1's table.
            const double x = symbol.narrowest();
            QVERIFY2(x >= 0.495 - 0.002 && x <= 1.016, qPrintable(QString::number(x)));
            const double height = symbol.box().height();
            QVERIFY2(height >= 5.8 - 0.002, qPrintable(QString::number(height)));
            for (const QRectF &bar : symbol.bars)
                QCOMPARE(qRound(bar.height() * 100), qRound(height * 100));
            // The quiet zones stay on the label.
            QVERIFY(symbol.box().left() - 10 * x >= 0);
            QVERIFY(symbol.box().right() + 10 * x <= logisticPageMm(request.size).width());
            const QRectF around = symbol.box().adjusted(-10 * x, 0, 10 * x, 0);
            const std::optional<MatrixReading> reading = readCode128Symbol(page.copy(pixels(around)));
            QVERIFY(reading);
            QCOMPARE(reading->symbologyIdentifier, u"]C1"_s);
            read.append(reading->content);
        }
        // Every element is in the symbols once, and the lowest symbol holds the SSCC alone.
        QList<Gs1Element> all;
        for (const QString &content : std::as_const(read))
            all += elementsRead(content);
        QCOMPARE(sortedElements(all), sortedElements(request.elements));
        QCOMPARE(elementsRead(read.constLast()), (QList<Gs1Element>{{u"00"_s, u"350123450000000016"_s}}));
        // zbar reads the same symbols.
        QStringList zbar;
        for (const DecodedSymbol &symbol : Test::decodeSymbols(page))
            zbar.append(symbol.data);
        zbar.sort();
        read.sort();
        QCOMPARE(zbar, read);

        // The values' digits and capitals at least 7 mm high, measured in the ink of their words.
        const QStringList values = {u"5012345"_s, u"05012345678900"_s, u"24"_s, u"LOT42"_s, u"31.12.2027"_s};
        const QList<Word> onPage = words(pdf, 1);
        for (const QString &value : values) {
            const auto word = std::find_if(onPage.cbegin(), onPage.cend(),
                                           [&](const Word &w) { return w.text == value && w.box.height() > 7; });
            QVERIFY2(word != onPage.cend(), qPrintable(value));
            const double ink = inkHeightMm(page, pixels(word->box));
            QVERIFY2(ink >= 7.0 && ink < 9, qPrintable(value + u": "_s + QString::number(ink)));
        }
        // The titles in English, the AIs kept out of the values.
        for (const QString &title : {u"SSCC"_s, u"CONTENT"_s, u"COUNT"_s, u"BATCH"_s, u"BEST"_s, u"Exempelby"_s})
            QVERIFY2(std::any_of(onPage.cbegin(), onPage.cend(), [&](const Word &w) { return w.text == title; }),
                     qPrintable(title));
    }

    // Four A6 labels to an A4 page, each with its own SSCC, all of them read back.
    void a4Sheet()
    {
        QList<LogisticLayout> labels;
        QStringList ssccs;
        for (int pallet = 1; pallet <= 5; ++pallet) {
            const QString sscc = makeSscc(u"3"_s, u"5012345"_s, QString::number(pallet)).digits;
            ssccs.append(u"00"_s + sscc);
            labels.append(layoutLogisticLabel(withSscc(palletOf24(), sscc)));
        }
        QTemporaryDir folder;
        const QString pdf = folder.filePath(u"sheet.pdf"_s);
        QVERIFY(writeLogisticPdf(pdf, labels, true).ok());
        QVERIFY(QString::fromUtf8(run(u"pdfinfo"_s, {pdf})).contains(QRegularExpression(u"Pages:\\s+2\\b"_s)));
        QVERIFY(QString::fromUtf8(run(u"pdfinfo"_s, {pdf})).contains(u"595 x 842 pts (A4)"_s));
        QStringList found;
        for (int page = 1; page <= 2; ++page)
            for (const DecodedSymbol &symbol : Test::decodeSymbols(raster(pdf, page)))
                if (symbol.data.startsWith(u"00"_s))
                    found.append(symbol.data);
        found.sort();
        QCOMPARE(found, ssccs);
    }

    void refused_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("supplier");
        QTest::addColumn<QStringList>("data");
        QTest::addColumn<QString>("message");
        QTest::newRow("no SSCC") << int(LogisticSize::A6) << QString()
                                 << QStringList{u"01=05012345678900"_s, u"10=LOT42"_s}
                                 << u"A logistic label needs an SSCC, AI (00)."_s;
        QTest::newRow("a wrong date") << int(LogisticSize::A6) << QString()
                                      << QStringList{u"00=350123450000000016"_s, u"02=05012345678900"_s, u"37=24"_s,
                                                     u"15=271331"_s}
                                      << u"(15) 271331: 13 is no month"_s;
        QTest::newRow("too much for A6") << int(LogisticSize::A6) << u"a\nb\nc\nd\ne\nf\ng\nh"_s
                                         << QStringList{u"00=350123450000000016"_s,
                                                        u"02=05012345678900"_s,
                                                        u"37=24"_s,
                                                        u"10=LOT42"_s,
                                                        u"15=271231"_s,
                                                        u"3102=001250"_s,
                                                        u"400=PO-7781"_s,
                                                        u"11=250101"_s}
                                         << u"The data does not fit on this A6 label"_s;
    }
    void refused()
    {
        QFETCH(int, size);
        QFETCH(QString, supplier);
        QFETCH(QStringList, data);
        QFETCH(QString, message);
        LogisticLabelRequest request;
        request.size = LogisticSize(size);
        request.supplier = supplier;
        for (const QString &pair : data)
            request.elements.append({pair.section(u'=', 0, 0), pair.section(u'=', 1)});
        const LogisticLayout layout = layoutLogisticLabel(request);
        QVERIFY(!layout.ok());
        QVERIFY2(layout.error.startsWith(message), qPrintable(layout.error));
        // Nothing is written from a refused label, and an old file stays as it was.
        QTemporaryDir folder;
        const QString pdf = folder.filePath(u"old.pdf"_s);
        QFile old(pdf);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        QCOMPARE(writeLogisticPdf(pdf, {layout}, false).message(), layout.error);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), "old");
    }

    // A TIFF at a printer's resolution: its bars on whole dots, its symbols read back.
    void tiffAtPrinterDpi_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::newRow("203 dpi") << 203;
        QTest::newRow("300 dpi") << 300;
    }
    void tiffAtPrinterDpi()
    {
        QFETCH(int, dpi);
        const LogisticLayout layout = layoutLogisticLabel(palletOf24(), dpi / 25.4);
        QVERIFY2(layout.ok(), qPrintable(layout.error));
        const double dots = layout.symbols.constFirst().moduleMm * dpi / 25.4;
        QCOMPARE(dots, std::round(dots));
        QTemporaryDir folder;
        const QString tiff = folder.filePath(u"pallet.tif"_s);
        QVERIFY(saveLogisticTiff(tiff, layout, dpi).ok);
        const QString info = QString::fromUtf8(run(u"tiffinfo"_s, {tiff}));
        QVERIFY2(info.contains(u"Bits/Sample: 1"_s), qPrintable(info));
        QVERIFY2(info.contains(u"Resolution: %1, %1 pixels/inch"_s.arg(dpi)), qPrintable(info));
        QFile file(tiff);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const TiffReadResult picture = readTiff(file, tiff);
        QCOMPARE(picture.result, 0);
        QStringList zbar;
        for (const DecodedSymbol &symbol : Test::decodeSymbols(picture.picture.image))
            zbar.append(symbol.data);
        zbar.sort();
        QCOMPARE(zbar, (QStringList{u"00350123450000000016"_s, u"02050123456789003724"_s, u"1527123110LOT42"_s}));
    }
};

QTEST_MAIN(TestLogisticLabel)
#include "tst_logistic_label.moc"
