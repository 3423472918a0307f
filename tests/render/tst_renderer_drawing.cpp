// How the barcode renderer draws: whole-pixel modules, alignment, aspect ratio, hidden digits,
// the ISBN header room, fonts, and the symbol it puts on the clipboard.
#include "render/barcode_renderer.h"

#include "zbar_decode.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

// EAN-13 in modules: 11 of quiet zone, 95 of bars, 7 of quiet zone.
constexpr int kEan13Modules = 113;
constexpr int kEan13LeftQuiet = 11;
constexpr int kEan13BarModules = 95;

bool isDark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

/// The dark and light runs of one image row, from the first dark pixel to the last.
struct RowRuns {
    int firstDark = -1;
    int lastDark = -1;
    QList<int> lengths;
    bool pureBlackAndWhite = true;
};

RowRuns scanRow(const QImage &image, int y)
{
    RowRuns runs;
    for (int x = 0; x < image.width(); ++x) {
        const QRgb pixel = image.pixel(x, y);
        if (pixel != qRgb(0, 0, 0) && pixel != qRgb(255, 255, 255))
            runs.pureBlackAndWhite = false;
        if (isDark(pixel)) {
            if (runs.firstDark < 0)
                runs.firstDark = x;
            runs.lastDark = x;
        }
    }
    if (runs.firstDark < 0)
        return runs;
    int length = 1;
    for (int x = runs.firstDark + 1; x <= runs.lastDark; ++x) {
        if (isDark(image.pixel(x, y)) == isDark(image.pixel(x - 1, y))) {
            ++length;
        } else {
            runs.lengths.append(length);
            length = 1;
        }
    }
    runs.lengths.append(length);
    return runs;
}

int firstDarkRow(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isDark(image.pixel(x, y)))
                return y;
        }
    }
    return -1;
}

int lastDarkRow(const QImage &image)
{
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isDark(image.pixel(x, y)))
                return y;
        }
    }
    return -1;
}

BarcodeRenderer ean13()
{
    BarcodeRenderer renderer;
    renderer.setData(u"400638133393"_s);
    return renderer;
}

} // namespace

class TestRendererDrawing : public QObject {
    Q_OBJECT
private slots:
    void wholePixelModules_data();
    void wholePixelModules();
    void withoutPixelAlignBarsAreSmoothed();
    void alignment_data();
    void alignment();
    void retainAspectRatio();
    void digitsHidden();
    void isbnHeaderRoom();
    void font();
    void backColor();
    void copyToClipboard();
    void copyToClipboardRefuses();
};

void TestRendererDrawing::wholePixelModules_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<qreal>("pixelRatio");
    QTest::newRow("1815 twips at 96 dpi") << 121 << 1.0;
    QTest::newRow("just one pixel a module") << kEan13Modules << 1.0;
    QTest::newRow("1.9 pixels a module") << 215 << 1.0;
    QTest::newRow("1815 twips at 300 dpi") << 378 << 1.0;
    QTest::newRow("1815 twips at 600 dpi") << 756 << 1.0;
    QTest::newRow("odd width") << 1001 << 1.0;
    QTest::newRow("96 dpi on a double-density screen") << 121 << 2.0;
    QTest::newRow("96 dpi at 150 %") << 121 << 1.5;
}

void TestRendererDrawing::wholePixelModules()
{
    QFETCH(int, width);
    QFETCH(qreal, pixelRatio);
    const BarcodeRenderer renderer = ean13();
    QVERIFY(renderer.pixelAlign());
    const int height = 60;
    QImage image(QSize(width, height) * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    {
        QPainter painter(&image);
        renderer.draw(painter, QRectF(0, 0, width, height));
    }
    const int module = std::max(1, int(std::floor(width * pixelRatio / kEan13Modules)));
    for (const double part : {0.1, 0.3, 0.5}) {
        const RowRuns runs = scanRow(image, int(image.height() * part));
        QVERIFY(runs.pureBlackAndWhite);
        QCOMPARE(runs.lastDark - runs.firstDark + 1, kEan13BarModules * module);
        for (int length : runs.lengths) {
            QVERIFY2(length % module == 0, qPrintable(u"run of %1 pixels, module %2"_s.arg(length).arg(module)));
            QVERIFY(length <= 4 * module);
        }
        QCOMPARE(*std::min_element(runs.lengths.begin(), runs.lengths.end()), module);
    }
}

void TestRendererDrawing::withoutPixelAlignBarsAreSmoothed()
{
    BarcodeRenderer renderer = ean13();
    renderer.setPixelAlign(false);
    const QImage image = renderer.image(QSize(215, 60));
    const RowRuns runs = scanRow(image, 15);
    QVERIFY(!runs.pureBlackAndWhite);
    // The bars fill the whole width instead.
    QVERIFY(runs.lastDark - runs.firstDark + 1 > kEan13BarModules * 1.8);
}

void TestRendererDrawing::alignment_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("symbolLeft");
    // 500 pixels hold 4 pixels a module: 452 pixels of symbol, 48 left over.
    QTest::newRow("left") << BarcodeRenderer::kAlignLeft << 0;
    QTest::newRow("centre") << BarcodeRenderer::kAlignCentre << 24;
    QTest::newRow("right") << BarcodeRenderer::kAlignRight << 48;
}

void TestRendererDrawing::alignment()
{
    QFETCH(int, alignment);
    QFETCH(int, symbolLeft);
    BarcodeRenderer renderer = ean13();
    QVERIFY(renderer.setAlignment(alignment));
    const QImage image = renderer.image(QSize(500, 200));
    const RowRuns runs = scanRow(image, 50);
    QCOMPARE(runs.firstDark, symbolLeft + kEan13LeftQuiet * 4);
    QCOMPARE(runs.lastDark + 1 - runs.firstDark, kEan13BarModules * 4);
    QCOMPARE(Test::decodedText(image), u"4006381333931"_s);
}

void TestRendererDrawing::retainAspectRatio()
{
    BarcodeRenderer renderer = ean13();
    renderer.setPixelAlign(false);
    const QSize square(600, 600);
    const QImage stretched = renderer.image(square);
    QVERIFY(lastDarkRow(stretched) > 550);

    renderer.setRetainAspectRatio(true);
    const QImage kept = renderer.image(square);
    const SymbolGeometry symbol = renderer.geometry();
    const int expectedHeight = int(600 * symbol.height / symbol.width);
    QVERIFY(std::abs(lastDarkRow(kept) - expectedHeight) < 10);
    QCOMPARE(firstDarkRow(kept), 0);
    QCOMPARE(Test::decodedText(kept), u"4006381333931"_s);

    // With whole-pixel modules the height follows the width actually used.
    renderer.setPixelAlign(true);
    const QImage aligned = renderer.image(QSize(600, 600));
    const int usedWidth = 5 * kEan13Modules;
    QVERIFY(std::abs(lastDarkRow(aligned) - usedWidth * symbol.height / symbol.width) < 10);
}

void TestRendererDrawing::digitsHidden()
{
    BarcodeRenderer renderer = ean13();
    QCOMPARE(renderer.digitLines(), 1);
    QCOMPARE(renderer.digitLineOffset(), 0);
    QVERIFY(!renderer.geometry().texts.isEmpty());
    const QImage shown = renderer.image(QSize(378, 200));

    renderer.setDigitsHidden(true);
    QVERIFY(renderer.digitsHidden());
    QCOMPARE(renderer.digitLines(), 0);
    QCOMPARE(renderer.digitLineOffset(), 0);
    QVERIFY(renderer.geometry().texts.isEmpty());
    const QImage hidden = renderer.image(QSize(378, 200));
    QCOMPARE(Test::decodedText(hidden), u"4006381333931"_s);

    // Below the bars, a dark pixel in a column that is light across the bars is a digit.
    const auto digitPixels = [](const QImage &image) {
        int count = 0;
        for (int y = image.height() * 3 / 4; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (isDark(image.pixel(x, y)) && !isDark(image.pixel(x, image.height() / 4)))
                    ++count;
            }
        }
        return count;
    };
    QVERIFY(digitPixels(shown) > 200);
    QCOMPARE(digitPixels(hidden), 0);

    renderer.setDigitsHidden(false);
    QCOMPARE(renderer.digitLines(), 1);
    QCOMPARE(renderer.image(QSize(378, 200)), shown);
}

void TestRendererDrawing::isbnHeaderRoom()
{
    BarcodeRenderer renderer;
    QVERIFY(renderer.setData(u"978157169006"_s));
    const QImage plain = renderer.image(QSize(378, 200));
    QCOMPARE(firstDarkRow(plain), 0);

    QVERIFY(renderer.setHeaderSpace(BarcodeRenderer::kIsbnHeaderSpace));
    const QImage withRoom = renderer.image(QSize(378, 200));
    // Arial 9 on a 1815-twip symbol: 180 twips of a 900-twip box, a line of about 25 pixels.
    QVERIFY2(firstDarkRow(withRoom) > 20, qPrintable(QString::number(firstDarkRow(withRoom))));
    QVERIFY(firstDarkRow(withRoom) < 60);
    QCOMPARE(Test::decodedText(withRoom), u"9781571690067"_s);

    QVERIFY(renderer.setHeaderSpace(BarcodeRenderer::kNoHeaderSpace));
    QCOMPARE(renderer.image(QSize(378, 200)), plain);
}

void TestRendererDrawing::font()
{
    BarcodeRenderer renderer = ean13();
    QFont font(u"DejaVu Serif"_s, 9);
    font.setBold(true);
    font.setItalic(true);
    renderer.setFont(font);
    QCOMPARE(renderer.digitFontName(), u"DejaVu Serif"_s);
    SymbolGeometry symbol = renderer.geometry();
    QCOMPARE(symbol.fontFamily, u"DejaVu Serif"_s);
    QVERIFY(symbol.bold);
    QVERIFY(symbol.italic);

    // The digits take the point size at the renderer's own width, as far as they fit.
    bool textsInside = true;
    const auto digitSize = [&renderer, &textsInside](double points, bool small) {
        QFont f = renderer.font();
        f.setPointSizeF(points);
        renderer.setFont(f);
        renderer.setSmallFont(small);
        const SymbolGeometry g = renderer.geometry();
        double size = 0;
        for (const SymbolGeometry::Text &t : g.texts) {
            size = std::max(size, t.fontSize);
            textsInside = textsInside && t.x >= 0 && t.x <= g.width;
        }
        return size;
    };
    const double twipsPerModule = 1815.0 / kEan13Modules;
    QVERIFY(std::abs(digitSize(6, false) - 6 * 20 / twipsPerModule) < 0.01);
    QVERIFY(std::abs(digitSize(6, true) - 0.75 * 6 * 20 / twipsPerModule) < 0.01);
    QVERIFY(digitSize(8, false) > digitSize(6, false));
    const double huge = digitSize(72, false);
    QVERIFY(huge < 72 * 20 / twipsPerModule / 2);
    QVERIFY(textsInside);

    // Whatever the size, the digits stay off the bars and the symbol reads.
    for (double points : {4.0, 9.0, 14.0, 72.0}) {
        digitSize(points, false);
        QCOMPARE(Test::decodedText(renderer.image(QSize(378, 180))), u"4006381333931"_s);
    }
}

void TestRendererDrawing::backColor()
{
    BarcodeRenderer renderer = ean13();
    renderer.setBackColor(QColor(255, 255, 200));
    const QImage image = renderer.image(QSize(378, 180));
    QCOMPARE(image.pixel(0, 0), qRgb(255, 255, 200));
    QCOMPARE(image.pixel(377, 179), qRgb(255, 255, 200));
    QCOMPARE(Test::decodedText(image), u"4006381333931"_s);

    // Without a symbol only the background is drawn.
    QVERIFY(renderer.setSymbology(BarcodeRenderer::kEan8));
    const QImage empty = renderer.image(QSize(100, 50));
    QCOMPARE(empty.pixel(50, 25), qRgb(255, 255, 200));
    QCOMPARE(firstDarkRow(empty), -1);
    QVERIFY(renderer.image(QSize(0, 10)).isNull());
}

void TestRendererDrawing::copyToClipboard()
{
    BarcodeRenderer renderer;
    renderer.setWidthTwips(2655);
    QVERIFY(renderer.setSymbology(BarcodeRenderer::kEan13 + 2));
    QVERIFY(renderer.setData(u"501234567890"_s));
    QVERIFY(renderer.setSupplement(u"00295"_s));
    QVERIFY(renderer.copyToClipboard(2655, 900));

    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    QVERIFY(mime);
    QVERIFY(mime->hasFormat(QString::fromLatin1(kSymbolMimeType)));
    QVERIFY(mime->hasImage());
    QVERIFY(mime->hasFormat(u"image/svg+xml"_s));

    // The geometry comes back whole and reads when painted at print resolution.
    const std::optional<SymbolGeometry> symbol =
        SymbolGeometry::fromBytes(mime->data(QString::fromLatin1(kSymbolMimeType)));
    QVERIFY(symbol.has_value());
    const SymbolGeometry original = renderer.geometry();
    QCOMPARE(symbol->width, original.width);
    QCOMPARE(symbol->bars.size(), original.bars.size());
    QCOMPARE(symbol->texts.size(), original.texts.size());
    QCOMPARE(symbol->texts.last().text, u"00295"_s);
    QImage painted(553, 188, QImage::Format_RGB32);
    painted.fill(Qt::white);
    {
        QPainter painter(&painted);
        paintSymbol(painter, *symbol, QRectF(painted.rect()), true);
    }
    // zbar gives the add-on joined to the main symbol or as a symbol of its own.
    const QString read = Test::decodedText(painted);
    QVERIFY2(read == u"501234567890000295"_s || read == u"5012345678900|00295"_s, qPrintable(read));

    // The image is the renderer's width on the screen, in the given proportions.
    const QImage image = qvariant_cast<QImage>(mime->imageData());
    QCOMPARE(image.width(), 177);
    QCOMPARE(image.height(), 60);

    // The SVG redraws at any size.
    QSvgRenderer svg(mime->data(u"image/svg+xml"_s));
    QVERIFY(svg.isValid());
    QImage fromSvg(531, 180, QImage::Format_RGB32);
    fromSvg.fill(Qt::white);
    {
        QPainter painter(&fromSvg);
        svg.render(&painter);
    }
    QVERIFY(Test::decodedText(fromSvg).startsWith(u"5012345678900"_s));
}

void TestRendererDrawing::copyToClipboardRefuses()
{
    QGuiApplication::clipboard()->setText(u"kept"_s);
    BarcodeRenderer renderer = ean13();
    QVERIFY(!renderer.copyToClipboard(0, 900));
    QVERIFY(!renderer.copyToClipboard(1815, -1));
    QVERIFY(!renderer.copyToClipboard(std::numeric_limits<double>::quiet_NaN(), 900));
    QVERIFY(!renderer.copyToClipboard(1, 1e9));
    QVERIFY(renderer.setSymbology(BarcodeRenderer::kEan13 + 1)); // an add-on is missing
    QVERIFY(!renderer.copyToClipboard(1815, 900));
    QCOMPARE(QGuiApplication::clipboard()->text(), u"kept"_s);
}

QTEST_MAIN(TestRendererDrawing)
#include "tst_renderer_drawing.moc"
