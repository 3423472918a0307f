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
        QTest::newRow("UPC A to E + 5, xxxxx") << 10 << u"01234500007"_s << u"12345"_s << u"01234572"_s << u"UPC-E"_s;
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
        QTest::newRow("UPC-E number system 2") << 8 << u"0425261"_s << u"2425261"_s;
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
        QCOMPARE(Test::decodedText(at300Dpi(renderer)), u"000000000000"_s);
        QVERIFY(renderer.setData(u"501234567890"_s) && renderer.setSymbology(BarcodeRenderer::kEan8));
        QCOMPARE(Test::decodedText(at300Dpi(renderer)), QString());
        QVERIFY(renderer.setSymbology(BarcodeRenderer::kEan13 + 2));
        QCOMPARE(renderer.data(), u"5012345678900"_s);
        QVERIFY(renderer.setSupplement(u"12"_s));
        QVERIFY(!renderer.hasSymbol()); // 2 digits for a 5-digit add-on
        QVERIFY(!renderer.setSymbology(3) && !renderer.setSupplement(u"123"_s) && !renderer.setHeaderSpace(16));
        QCOMPARE(renderer.lastError(), RuntimeError::InvalidPropertyValue);
        QVERIFY(renderer.setSymbology(BarcodeRenderer::kUpcA) && renderer.setData(u"19820000123"_s));
        QVERIFY(renderer.setSymbology(BarcodeRenderer::kUpcE));
        QCOMPARE(renderer.data(), u"19812328"_s);
    }

    void wholePixelModules_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<qreal>("pixelRatio");
        QTest::addColumn<int>("alignment");
        const int centre = BarcodeRenderer::kAlignCentre;
        QTest::newRow("96 dpi on a double-density screen") << 121 << 2.0 << centre;
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
        renderer.setRetainAspectRatio(true);
        const double ratio = renderer.geometry().height / renderer.geometry().width;
        const QImage kept = renderer.image(QSize(600, 600));
        QVERIFY(darkRows(kept).first == 0 && std::abs(darkRows(kept).second - 600 * ratio) < 10);
        QCOMPARE(Test::decodedText(kept), kEan13Read);
        renderer.setRetainAspectRatio(false);

        QFont font(u"DejaVu Serif"_s, 72, QFont::Bold, true);
        renderer.setFont(font);
        const SymbolGeometry symbol = renderer.geometry();
        QVERIFY(symbol.fontFamily == u"DejaVu Serif"_s && symbol.bold && symbol.italic);
        const double modulesPerPoint = 20 / (1815.0 / kEan13Modules);
        for (const SymbolGeometry::Text &t : symbol.texts)
            QVERIFY(t.fontSize < 36 * modulesPerPoint && t.x >= 0 && t.x <= symbol.width);
        renderer.setBackColor(QColor(255, 255, 200));
        const QImage image = renderer.image(QSize(378, 180));
        QCOMPARE(Test::decodedText(image), kEan13Read);
        QCOMPARE(image.pixel(0, 0), qRgb(255, 255, 200));
        QVERIFY(renderer.image(QSize(0, 10)).isNull());
    }

    void copyToClipboard()
    {
        QGuiApplication::clipboard()->setText(u"kept"_s);
        BarcodeRenderer renderer;
        renderer.setWidthTwips(2655);
        QVERIFY(!renderer.copyToClipboard(0, 900) && !renderer.copyToClipboard(std::nan(""), 900));
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

    void directFillMatchesPainting()
    {
        for (const auto &[code, data, target, offset] :
             {std::tuple(13, u"400638133393"_s, QRectF(0.4, 0.6, 553.3, 188.2), QPoint(3, 2)),
              std::tuple(0, u"KELBRIX-39"_s, QRectF(-20.5, 10.5, 700, 400), QPoint(-1, 5))}) {
            BarcodeRenderer renderer;
            QVERIFY(renderer.setSymbology(code) && renderer.setData(data) && renderer.setSupplement(u"54321"_s));
            renderer.setHeaderSpace(BarcodeRenderer::kIsbnHeaderSpace);
            QImage direct(600, 260, QImage::Format_RGB32);
            direct.fill(Qt::red);
            QImage painted = direct;
            QPainter painter(&direct);
            painter.translate(offset);
            renderer.draw(painter, target);
            painter.end();
            painter.begin(&painted);
            painter.setClipRect(painted.rect());
            painter.translate(offset);
            renderer.draw(painter, target);
            painter.end();
            QCOMPARE(direct, painted);
            QCOMPARE(Test::decodedText(direct).isEmpty(), code == 0);
        }
    }
};

QTEST_MAIN(TestBarcodeRenderer)
#include "tst_barcode_renderer.moc"
