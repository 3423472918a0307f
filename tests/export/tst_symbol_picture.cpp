#include "test_fonts.h"
#include "zbar_decode.h"

#include "export/converter_image.h"
#include "label/mono_symbol.h"
#include "render/barcode_renderer.h"
#include "render/symbol_geometry.h"

#include <QPainter>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

SymbolGeometry geometryOf(int symbology, const QString &data, const QString &supplement)
{
    BarcodeRenderer renderer;
    renderer.setFont(QFont(Test::repositoryFontFamily(), 9));
    if (!renderer.setSymbology(symbology) || !renderer.setData(data) ||
        (!supplement.isEmpty() && !renderer.setSupplement(supplement)))
        return {};
    return renderer.geometry();
}

// The symbol painted whole with QPainter on white and cut at half grey: what a one-bit picture
// of it must hold.
QImage paintedAndCut(const SymbolGeometry &symbol, QSize size)
{
    QImage painted(size, QImage::Format_RGB32);
    painted.fill(Qt::white);
    {
        QPainter painter(&painted);
        paintSymbol(painter, symbol, QRectF(0, 0, size.width(), size.height()), true);
    }
    QImage cut(size, QImage::Format_Mono);
    cut.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    cut.fill(0);
    for (int y = 0; y < size.height(); ++y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(painted.constScanLine(y));
        for (int x = 0; x < size.width(); ++x)
            cut.setPixel(x, y, qGray(pixels[x]) < 128 ? 1 : 0);
    }
    return cut;
}

int differingPixels(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixelIndex(x, y) != b.pixelIndex(x, y);
    return count;
}

} // namespace

class TestSymbolPicture : public QObject {
    Q_OBJECT

private slots:
    // As the program does before any text is painted: Qt draws text of up to 512 pixels from its
    // glyph cache, so the large digits below come from masks too.
    void initTestCase() { cacheGlyphsUpToMaskSize(); }
    void matchesPaintedSymbol_data();
    void matchesPaintedSymbol();
    void anyTextMatchesPaintedText_data();
    void anyTextMatchesPaintedText();
};

void TestSymbolPicture::matchesPaintedSymbol_data()
{
    QTest::addColumn<int>("symbology");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("supplement");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("decoded");

    // Widths that are and are not multiples of eight pixels and of the module count, the digit
    // lines short and tall.
    QTest::newRow("EAN-13 at 600 dpi") << int(kRendererEan13) << u"501234567890"_s << QString() << QSize(904, 479)
                                       << u"5012345678900"_s;
    QTest::newRow("EAN-13 narrow odd width")
        << int(kRendererEan13) << u"501234567890"_s << QString() << QSize(227, 101) << u"5012345678900"_s;
    QTest::newRow("EAN-13 with 5-digit add-on")
        << int(kRendererEan13 + 2) << u"978030640615"_s << u"51299"_s << QSize(1203, 600) << u"9780306406157"_s;
    QTest::newRow("EAN-8") << int(kRendererEan8) << u"9638507"_s << QString() << QSize(333, 250) << u"96385074"_s;
    QTest::newRow("UPC-A with 2-digit add-on")
        << int(kRendererUpcA + 1) << u"03600029145"_s << u"12"_s << QSize(1001, 500) << u"036000291452"_s;
    QTest::newRow("UPC-E") << int(kRendererUpcE) << u"0123456"_s << QString() << QSize(517, 389) << QString();
    QTest::newRow("Code 39") << int(kRendererCode39) << u"KELBRIX-39"_s << QString() << QSize(1500, 300)
                             << u"KELBRIX-39"_s;
}

void TestSymbolPicture::matchesPaintedSymbol()
{
    QFETCH(int, symbology);
    QFETCH(QString, data);
    QFETCH(QString, supplement);
    QFETCH(QSize, size);
    QFETCH(QString, decoded);

    const SymbolGeometry symbol = geometryOf(symbology, data, supplement);
    QVERIFY(!symbol.isEmpty());
    QVERIFY(!symbol.texts.isEmpty());
    const QImage picture = renderSymbol(symbol, size);
    QCOMPARE(picture.size(), size);
    QVERIFY(isMonochrome(picture));
    QCOMPARE(differingPixels(picture, paintedAndCut(symbol, size)), 0);

    if (decoded.isEmpty())
        return;
    const QString text = Test::decodedText(picture.convertToFormat(QImage::Format_RGB32));
    QVERIFY2(text.startsWith(decoded), qPrintable(text));
}

void TestSymbolPicture::anyTextMatchesPaintedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<double>("fontSize");

    QTest::newRow("touching slanted letters") << u"AVAWffl//"_s << true << 12.0;
    QTest::newRow("kerned letters") << u"AVATAR Toys LT"_s << false << 14.0;
    // Glyphs that fit a mask in a font Qt draws as outlines, even with its cache enlarged.
    QTest::newRow("digits beyond the glyph cache") << u"171"_s << false << 75.0;
    QTest::newRow("large letters") << u"Wg|"_s << false << 40.0;
}

void TestSymbolPicture::anyTextMatchesPaintedText()
{
    QFETCH(QString, text);
    QFETCH(bool, italic);
    QFETCH(double, fontSize);

    SymbolGeometry symbol = geometryOf(kRendererEan13, u"501234567890"_s, QString());
    QVERIFY(!symbol.isEmpty());
    symbol.italic = italic;
    symbol.bold = italic;
    symbol.texts.append({symbol.width / 2, symbol.height - 1, fontSize, 0, text});
    for (const QSize size : {QSize(904, 479), QSize(339, 180)})
        QCOMPARE(differingPixels(renderSymbol(symbol, size), paintedAndCut(symbol, size)), 0);
}

QTEST_MAIN(TestSymbolPicture)
#include "tst_symbol_picture.moc"
