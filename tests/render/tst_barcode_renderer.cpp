// The barcode renderer: symbols zbar reads back, refused values, and how it draws.
#include "render/barcode_renderer.h"

#include "barcode/entry_rules.h"
#include "base/runtime_errors.h"
#include "zbar_decode.h"

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

constexpr int kEan13Modules = 113;
constexpr int kEan13BarModules = 95;
const QString kEan13Read = u"4006381333931"_s;

QImage at300Dpi(const BarcodeRenderer &renderer)
{
    return renderer.image((QSizeF(renderer.widthTwips(), 900) * 300 / 1440).toSize());
}

bool isDark(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

QList<int> edges(const QImage &image, int y, bool &pure)
{
    QList<int> result;
    for (int x = 0; x < image.width(); ++x) {
        pure = pure && (image.pixel(x, y) == qRgb(0, 0, 0) || image.pixel(x, y) == qRgb(255, 255, 255));
        if (isDark(image, x, y) != (x > 0 && isDark(image, x - 1, y)))
            result.append(x);
    }
    return result;
}

std::pair<int, int> darkRows(const QImage &image)
{
    int first = -1, last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width() && last < y; ++x)
            last = isDark(image, x, y) ? y : last;
        first = first < 0 ? last : first;
    }
    return {first, last};
}

} // namespace

class TestBarcodeRenderer : public QObject {
    Q_OBJECT
private slots:
    void decodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("supplement");
        QTest::addColumn<QString>("readBack");
        QTest::addColumn<QString>("zbarType");
        QTest::newRow("Code 39, lower case, signs")
            << 0 << u"kel B$5/%"_s << QString() << u"KEL B$5/%"_s << u"CODE-39"_s;
        QTest::newRow("SCC-14") << 2 << u"3001234567890"_s << QString() << u"30012345678906"_s << u"I2/5"_s;
        QTest::newRow("UPC-A + 5") << 7 << u"03600029145"_s << u"52495"_s << u"036000291452"_s << u"UPC-A"_s;
        QTest::newRow("UPC-E + 2") << 9 << u"0425261"_s << u"07"_s << u"04252614"_s << u"UPC-E"_s;
        QTest::newRow("UPC A to E + 5, xxxxx") << 10 << u"01234500007"_s << u"12345"_s << u"01234572"_s << u"UPC-E"_s;
        QTest::newRow("EAN-13 + 2") << 12 << u"501234567890"_s << u"53"_s << u"5012345678900"_s << u"EAN-13"_s;
        QTest::newRow("ISBN + 5") << 13 << u"978030640615"_s << u"51995"_s << u"9780306406157"_s << u"ISBN-13"_s;
        QTest::newRow("EAN-8 + 5") << 16 << u"9638507"_s << u"24680"_s << u"96385074"_s << u"EAN-8"_s;
    }

    void decodes()
    {
        QFETCH(int, code);
        QFETCH(QString, data);
        QFETCH(QString, supplement);
        QFETCH(QString, readBack);
        QFETCH(QString, zbarType);
        BarcodeRenderer renderer;
        QVERIFY2(renderer.setSymbology(code) && renderer.setData(data) && renderer.setSupplement(supplement),
                 qPrintable(renderer.lastErrorDetail()));
        QCOMPARE(renderer.data(), readBack);
        renderer.setWidthTwips(renderer.geometry().width * 16);
        QStringList types, texts;
        for (const Test::DecodedSymbol &s : Test::decodeSymbols(at300Dpi(renderer)))
            std::tie(types.emplaceBack(), texts.emplaceBack()) = std::tie(s.type, s.data);
        QCOMPARE(texts.join(QString()), readBack + supplement);
        QVERIFY2(types.contains(zbarType) || types.contains(u"COMPOSITE"_s), qPrintable(types.join(u", "_s)));
    }

    void refusedData_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("good");
        QTest::addColumn<QString>("bad");
        QTest::newRow("EAN-13 letter") << 11 << u"501234567890"_s << u"50123456789A"_s;
        QTest::newRow("EAN-13 wrong check digit") << 13 << u"501234567890"_s << u"5012345678901"_s;
        QTest::newRow("EAN-13 empty") << 11 << u"501234567890"_s << QString();
        QTest::newRow("UPC-E number system 2") << 8 << u"0425261"_s << u"2425261"_s;
        QTest::newRow("UPC-E wrong check digit") << 8 << u"0425261"_s << u"04252615"_s;
        QTest::newRow("UPC A to E not suppressible") << 8 << u"0425261"_s << u"01234567890"_s;
        QTest::newRow("Code 39 asterisk") << 0 << u"ABC"_s << u"A*C"_s;
        QTest::newRow("Code 39 non-ASCII") << 0 << u"ABC"_s << u"\u00c5BC"_s;
        QTest::newRow("Code 39 longer than libzint takes")
            << 0 << QString(kCode39MaxLength, u'A') << QString(kCode39MaxLength + 1, u'A');
    }

    void refusedData()
    {
        QFETCH(int, code);
        QFETCH(QString, good);
        QFETCH(QString, bad);
        BarcodeRenderer renderer;
        QVERIFY(renderer.setSymbology(code) && renderer.setData(good));
        const QString before = renderer.data();
        QVERIFY(!renderer.setData(bad));
        QCOMPARE(renderer.lastError(), RuntimeError::InvalidPropertyValue);
        QVERIFY(!renderer.lastErrorDetail().isEmpty());
        QCOMPARE(renderer.data(), before);
        QVERIFY(renderer.setData(good)); // the next value that is taken clears the error
        QCOMPARE(renderer.lastError(), RuntimeError::None);
    }

    void symbologyAndSettings()
    {
        BarcodeRenderer renderer;
        QCOMPARE(renderer.digitFontName(), u"Arial"_s);
        QCOMPARE(Test::decodedText(at300Dpi(renderer)), u"000000000000"_s);
        QVERIFY(renderer.setData(u"501234567890"_s) && renderer.setSymbology(BarcodeRenderer::kEan8));
        QCOMPARE(renderer.data(), u"501234567890"_s);
        QCOMPARE(Test::decodedText(at300Dpi(renderer)), QString());
        QVERIFY(renderer.setSymbology(BarcodeRenderer::kEan13 + 2));
        QCOMPARE(renderer.data(), u"5012345678900"_s);
        QVERIFY(!renderer.hasSymbol()); // no add-on yet
        QVERIFY(renderer.setSupplement(u"12"_s));
        QVERIFY(!renderer.hasSymbol()); // 2 digits for a 5-digit add-on
        QVERIFY(renderer.setSymbology(BarcodeRenderer::kEan13));
        QCOMPARE(renderer.supplement(), u"12"_s);
        QCOMPARE(Test::decodedText(at300Dpi(renderer)), u"5012345678900"_s);
        QVERIFY(!renderer.setSymbology(-1) && !renderer.setSymbology(3) && !renderer.setSymbology(17));
        QCOMPARE(renderer.symbology(), BarcodeRenderer::kEan13);
        for (const QString &supplement : {u"1"_s, u"123"_s, u"123456"_s, u"1a"_s})
            QVERIFY(!renderer.setSupplement(supplement));
        QCOMPARE(renderer.supplement(), u"12"_s);
        QVERIFY(!renderer.setAlignment(3) && !renderer.setAlignment(-1));
        QCOMPARE(renderer.alignment(), BarcodeRenderer::kAlignCentre);
        QVERIFY(!renderer.setHeaderSpace(16));
        QCOMPARE(renderer.headerSpace(), BarcodeRenderer::kNoHeaderSpace);
        QCOMPARE(renderer.lastError(), RuntimeError::InvalidPropertyValue);
        QVERIFY(renderer.setSymbology(BarcodeRenderer::kUpcA) && renderer.setData(u"19820000123"_s));
        QCOMPARE(renderer.data(), u"198200001238"_s);
        QVERIFY(renderer.setSymbology(BarcodeRenderer::kUpcE));
        QCOMPARE(renderer.data(), u"19812328"_s);
    }

    void wholePixelModules_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<qreal>("pixelRatio");
        QTest::addColumn<int>("alignment");
        const int centre = BarcodeRenderer::kAlignCentre;
        QTest::newRow("1815 twips at 96 dpi") << 121 << 1.0 << centre;
        QTest::newRow("1.9 pixels a module") << 215 << 1.0 << centre;
        QTest::newRow("96 dpi on a double-density screen") << 121 << 2.0 << centre;
        QTest::newRow("96 dpi at 150 %") << 121 << 1.5 << centre;
        QTest::newRow("left") << 500 << 1.0 << int(BarcodeRenderer::kAlignLeft);
        QTest::newRow("right") << 500 << 1.0 << int(BarcodeRenderer::kAlignRight);
        QTest::newRow("not pixel aligned") << 215 << 1.0 << -1;
    }

    void wholePixelModules()
    {
        QFETCH(int, width);
        QFETCH(qreal, pixelRatio);
        QFETCH(int, alignment);
        BarcodeRenderer renderer;
        QVERIFY(renderer.setData(kEan13Read) && renderer.pixelAlign() && renderer.setAlignment(std::max(alignment, 0)));
        renderer.setPixelAlign(alignment >= 0);
        QImage image(QSize(width, 60) * pixelRatio, QImage::Format_RGB32);
        image.setDevicePixelRatio(pixelRatio);
        QPainter painter(&image);
        renderer.draw(painter, QRectF(0, 0, width, 60));
        painter.end();
        const int module = std::max(1, int(std::floor(width * pixelRatio / kEan13Modules)));
        const int spare = image.width() - kEan13Modules * module;
        const int expectedLeft = spare * alignment / 2; // left 0, centre 1, right 2
        for (const double part : {0.1, 0.5}) {
            bool pure = true;
            const QList<int> e = edges(image, int(image.height() * part), pure);
            if (alignment < 0) { // smoothed bars that fill the whole width
                QVERIFY(!pure && e.last() - e.first() > kEan13BarModules * 1.8);
                continue;
            }
            QVERIFY(pure);
            QCOMPARE(e.last() - e.first(), kEan13BarModules * module);
            for (qsizetype i = 1; i < e.size(); ++i)
                QCOMPARE((e[i] - e[i - 1]) % module, 0);
            const int left = e.first() - 11 * module;
            QVERIFY(std::abs(left - expectedLeft) <= 1);
        }
    }

    void digitsHiddenAndHeaderRoom()
    {
        const auto digitPixels = [](const QImage &image) {
            int count = 0;
            for (int y = image.height() * 3 / 4; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x)
                    count += isDark(image, x, y) && !isDark(image, x, image.height() / 4) ? 1 : 0;
            }
            return count;
        };
        BarcodeRenderer renderer;
        QVERIFY(renderer.setData(u"978157169006"_s));
        const QImage plain = renderer.image(QSize(378, 200));
        QCOMPARE(darkRows(plain).first, 0);
        QVERIFY(digitPixels(plain) > 200);
        renderer.setDigitsHidden(true);
        QVERIFY(renderer.setHeaderSpace(BarcodeRenderer::kIsbnHeaderSpace));
        const QImage changed = renderer.image(QSize(378, 200));
        QCOMPARE(digitPixels(changed), 0);
        QCOMPARE(Test::decodedText(changed), u"9781571690067"_s);
        const int top = darkRows(changed).first;
        QVERIFY(top > 20 && top < 60);
        renderer.setDigitsHidden(false);
        QVERIFY(renderer.setHeaderSpace(BarcodeRenderer::kNoHeaderSpace));
        QCOMPARE(renderer.image(QSize(378, 200)), plain);
    }

    void aspectRatioFontAndBackground()
    {
        BarcodeRenderer renderer;
        QVERIFY(renderer.setData(kEan13Read));
        renderer.setPixelAlign(false);
        QVERIFY(darkRows(renderer.image(QSize(600, 600))).second > 550);
        renderer.setRetainAspectRatio(true);
        const double ratio = renderer.geometry().height / renderer.geometry().width;
        const QImage kept = renderer.image(QSize(600, 600));
        QVERIFY(darkRows(kept).first == 0 && std::abs(darkRows(kept).second - 600 * ratio) < 10);
        QCOMPARE(Test::decodedText(kept), kEan13Read);
        renderer.setPixelAlign(true);
        QVERIFY(std::abs(darkRows(renderer.image(QSize(600, 600))).second - 5 * kEan13Modules * ratio) < 10);
        renderer.setRetainAspectRatio(false);

        QFont font(u"DejaVu Serif"_s, 6, QFont::Bold, true);
        renderer.setFont(font);
        const SymbolGeometry symbol = renderer.geometry();
        QVERIFY(symbol.fontFamily == u"DejaVu Serif"_s && symbol.bold && symbol.italic);
        const double modulesPerPoint = 20 / (1815.0 / kEan13Modules);
        QVERIFY(std::abs(symbol.texts.last().fontSize - 6 * modulesPerPoint) < 0.01);
        renderer.setSmallFont(true);
        QVERIFY(std::abs(symbol.texts.last().fontSize * 0.75 - renderer.geometry().texts.last().fontSize) < 0.01);
        renderer.setSmallFont(false);
        renderer.setBackColor(QColor(255, 255, 200));
        for (double points : {4.0, 14.0, 72.0}) {
            font.setPointSizeF(points);
            renderer.setFont(font);
            for (const SymbolGeometry::Text &t : renderer.geometry().texts)
                QVERIFY(t.fontSize < 36 * modulesPerPoint && t.x >= 0 && t.x <= symbol.width);
            const QImage image = renderer.image(QSize(378, 180));
            QCOMPARE(Test::decodedText(image), kEan13Read);
            QCOMPARE(image.pixel(0, 0), qRgb(255, 255, 200));
        }
        QVERIFY(renderer.setSymbology(BarcodeRenderer::kEan8));
        const QImage empty = renderer.image(QSize(100, 50));
        QVERIFY(empty.pixel(50, 25) == qRgb(255, 255, 200) && darkRows(empty).first == -1);
        QVERIFY(renderer.image(QSize(0, 10)).isNull());
    }

    void copyToClipboard()
    {
        QGuiApplication::clipboard()->setText(u"kept"_s);
        BarcodeRenderer renderer;
        renderer.setWidthTwips(2655);
        QVERIFY(!renderer.copyToClipboard(0, 900) && !renderer.copyToClipboard(1815, -1));
        QVERIFY(!renderer.copyToClipboard(std::numeric_limits<double>::quiet_NaN(), 900) &&
                !renderer.copyToClipboard(1, 1e9));
        QVERIFY(renderer.setSymbology(BarcodeRenderer::kEan13 + 2));
        QVERIFY(renderer.setData(u"501234567890"_s));
        QVERIFY(!renderer.copyToClipboard(2655, 900));
        QCOMPARE(QGuiApplication::clipboard()->text(), u"kept"_s);
        QVERIFY(renderer.setSupplement(u"00295"_s));
        QVERIFY(renderer.copyToClipboard(2655, 900));
        const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(qvariant_cast<QImage>(mime->imageData()).size(), QSize(177, 60));
        const std::optional<SymbolGeometry> symbol =
            SymbolGeometry::fromBytes(mime->data(QString::fromLatin1(kSymbolMimeType)));
        QVERIFY(symbol && symbol->toBytes() == renderer.geometry().toBytes());
        QImage painted(553, 188, QImage::Format_RGB32), fromSvg(531, 180, QImage::Format_RGB32);
        painted.fill(Qt::white);
        fromSvg.fill(Qt::white);
        QPainter painter(&painted);
        paintSymbol(painter, *symbol, QRectF(painted.rect()), true);
        painter.end();
        painter.begin(&fromSvg);
        QSvgRenderer(mime->data(u"image/svg+xml"_s)).render(&painter);
        painter.end();
        QCOMPARE(Test::decodedText(painted).remove(u'|'), u"501234567890000295"_s);
        QVERIFY(Test::decodedText(fromSvg).startsWith(u"5012345678900"_s));
    }

    void directFillMatchesPainting_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("supplement");
        QTest::addColumn<QRectF>("target");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<QColor>("back");
        QTest::newRow("EAN-13 + 5, label size")
            << 13 << u"400638133393"_s << u"54321"_s << QRectF(0, 0, 553, 188) << QPoint() << QColor(Qt::white);
        QTest::newRow("UPC-E, fractional box")
            << 8 << u"0425261"_s << QString() << QRectF(0.4, 0.6, 300.3, 120.2) << QPoint(3, 2) << QColor(Qt::yellow);
        QTest::newRow("Code 39, box past the image")
            << 0 << u"KELBRIX-39"_s << QString() << QRectF(-20.5, 10.5, 700, 400) << QPoint(-1, 5) << QColor(Qt::white);
    }

    void directFillMatchesPainting()
    {
        QFETCH(int, code);
        QFETCH(QString, data);
        QFETCH(QString, supplement);
        QFETCH(QRectF, target);
        QFETCH(QPoint, offset);
        QFETCH(QColor, back);
        BarcodeRenderer renderer;
        QVERIFY(renderer.setSymbology(code) && renderer.setData(data) && renderer.setSupplement(supplement));
        renderer.setBackColor(back);
        renderer.setHeaderSpace(BarcodeRenderer::kIsbnHeaderSpace);
        QImage direct(600, 260, QImage::Format_RGB32);
        direct.fill(Qt::red);
        QImage painted = direct;
        {
            QPainter painter(&direct);
            painter.translate(offset);
            renderer.draw(painter, target);
        }
        {
            QPainter painter(&painted);
            painter.setClipRect(painted.rect());
            painter.translate(offset);
            renderer.draw(painter, target);
        }
        QCOMPARE(direct, painted);
        if (QRectF(direct.rect()).contains(target.translated(offset)))
            QVERIFY(!Test::decodedText(direct).isEmpty());
    }
};

QTEST_MAIN(TestBarcodeRenderer)
#include "tst_barcode_renderer.moc"
