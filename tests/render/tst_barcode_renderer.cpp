// The barcode renderer's data: every symbology code makes a symbol that zbar reads back with
// the completed check digit and the add-on; data a symbology cannot take is refused with
// runtime error 380 and the old data stays.
#include "render/barcode_renderer.h"

#include "barcode/runtime_errors.h"
#include "zbar_decode.h"

#include <QPainter>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using Kelbrix::Test::DecodedSymbol;

namespace {

constexpr double kLabelHeightTwips = 900;

// The label as drawn at \a dpi logical dots per inch on a device with \a pixelRatio device pixels per
// logical pixel. zbar does not read EAN/UPC reliably at one pixel per module (not even libzint's
// own raster), which is what 96 dpi gives on an ordinary screen; at 96 dpi the symbols are
// therefore read from a double-density screen, and their exact pixels are checked in
// tst_renderer_drawing.
QImage renderAt(const BarcodeRenderer &renderer, int dpi, int pixelRatio = 1)
{
    const QSizeF logical(renderer.widthTwips() * dpi / 1440, kLabelHeightTwips * dpi / 1440);
    QImage image((logical * pixelRatio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.draw(painter, QRectF(QPointF(0, 0), logical));
    painter.end();
    image.setDevicePixelRatio(1);
    return image;
}

QString describe(const QList<DecodedSymbol> &symbols)
{
    QStringList parts;
    for (const DecodedSymbol &s : symbols)
        parts.append(s.type + u':' + s.data);
    return parts.join(u", "_s);
}

// True when zbar found the main symbol and, if one is expected, the add-on: as a symbol of its
// own or joined to the main data.
bool foundSymbol(const QList<DecodedSymbol> &symbols, const QString &type, const QString &data, const QString &addOn)
{
    bool mainFound = false;
    bool addOnFound = addOn.isEmpty();
    const QString addOnType = addOn.size() == 2 ? u"EAN-2"_s : u"EAN-5"_s;
    for (const DecodedSymbol &s : symbols) {
        if (s.type == type && s.data == data)
            mainFound = true;
        if (!addOn.isEmpty() && s.type == addOnType && s.data == addOn)
            addOnFound = true;
        if (!addOn.isEmpty() && s.type == u"COMPOSITE"_s && s.data == data + addOn)
            mainFound = addOnFound = true;
    }
    return mainFound && addOnFound;
}

} // namespace

class TestBarcodeRenderer : public QObject {
    Q_OBJECT
private slots:
    void initialState();
    void decodes_data();
    void decodes();
    void upcAToEKeepsCheckDigit_data();
    void upcAToEKeepsCheckDigit();
    void fullLengthData_data();
    void fullLengthData();
    void refusedData_data();
    void refusedData();
    void refusedSettings();
    void symbologyChangeKeepsData();
    void addOnMustMatchSymbology();
};

void TestBarcodeRenderer::initialState()
{
    const BarcodeRenderer renderer;
    QCOMPARE(renderer.symbology(), BarcodeRenderer::kEan13);
    QCOMPARE(renderer.data(), u"0000000000000"_s);
    QCOMPARE(renderer.lastError(), RuntimeError::None);
    QCOMPARE(renderer.digitFontName(), u"Arial"_s);
    // zbar reads an EAN-13 with a leading 0 as the UPC-A it is.
    QCOMPARE(Test::decodedText(renderAt(renderer, 300)), u"000000000000"_s);
}

void TestBarcodeRenderer::decodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("supplement");
    QTest::addColumn<int>("widthTwips");
    QTest::addColumn<QString>("readBack");
    QTest::addColumn<QString>("zbarType");
    QTest::addColumn<QString>("zbarData");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("pixelRatio");

    struct Row {
        const char *name;
        int code;
        QString data, supplement;
        int width;
        QString readBack, zbarType, zbarData;
    };
    const QList<Row> rows{
        {"Code 39", 0, u"KELBRIX-39"_s, {}, 250 * 10 + 800, u"KELBRIX-39"_s, u"CODE-39"_s, u"KELBRIX-39"_s},
        {"Code 39 in lower case", 0, u"kelbrix"_s, {}, 250 * 7 + 800, u"KELBRIX"_s, u"CODE-39"_s, u"KELBRIX"_s},
        {"Code 39 with blank, $ and /", 0, u"A B$5/%"_s, {}, 250 * 7 + 800, u"A B$5/%"_s, u"CODE-39"_s, u"A B$5/%"_s},
        {"SCC-14", 2, u"3001234567890"_s, {}, 2295, u"30012345678906"_s, u"I2/5"_s, u"30012345678906"_s},
        {"UPC-A", 5, u"03600029145"_s, {}, 1815, u"036000291452"_s, u"UPC-A"_s, u"036000291452"_s},
        {"UPC-A + 2", 6, u"03600029145"_s, u"12"_s, 2175, u"036000291452"_s, u"UPC-A"_s, u"036000291452"_s},
        {"UPC-A + 5", 7, u"03600029145"_s, u"52495"_s, 2655, u"036000291452"_s, u"UPC-A"_s, u"036000291452"_s},
        {"UPC-E", 8, u"0425261"_s, {}, 1215, u"04252614"_s, u"UPC-E"_s, u"04252614"_s},
        {"UPC-E + 2", 9, u"0425261"_s, u"07"_s, 1575, u"04252614"_s, u"UPC-E"_s, u"04252614"_s},
        {"UPC-E + 5", 10, u"0425261"_s, u"90000"_s, 2055, u"04252614"_s, u"UPC-E"_s, u"04252614"_s},
        {"UPC A to E", 8, u"04210000526"_s, {}, 1215, u"04252614"_s, u"UPC-E"_s, u"04252614"_s},
        {"UPC A to E + 2", 9, u"01200000345"_s, u"99"_s, 1575, u"01234505"_s, u"UPC-E"_s, u"01234505"_s},
        {"UPC A to E + 5", 10, u"01234500007"_s, u"12345"_s, 2055, u"01234572"_s, u"UPC-E"_s, u"01234572"_s},
        {"EAN-13", 11, u"400638133393"_s, {}, 1815, u"4006381333931"_s, u"EAN-13"_s, u"4006381333931"_s},
        {"EAN-13 + 2", 12, u"501234567890"_s, u"53"_s, 2175, u"5012345678900"_s, u"EAN-13"_s, u"5012345678900"_s},
        {"EAN-13 + 5", 13, u"501234567890"_s, u"00295"_s, 2655, u"5012345678900"_s, u"EAN-13"_s, u"5012345678900"_s},
        {"ISBN as EAN-13", 11, u"978157169006"_s, {}, 1815, u"9781571690067"_s, u"ISBN-13"_s, u"9781571690067"_s},
        {"ISBN + 5", 13, u"978030640615"_s, u"51995"_s, 2655, u"9780306406157"_s, u"ISBN-13"_s, u"9780306406157"_s},
        {"EAN-8", 14, u"9638507"_s, {}, 1215, u"96385074"_s, u"EAN-8"_s, u"96385074"_s},
        {"EAN-8 + 2", 15, u"9638507"_s, u"42"_s, 1575, u"96385074"_s, u"EAN-8"_s, u"96385074"_s},
        {"EAN-8 + 5", 16, u"9638507"_s, u"24680"_s, 2055, u"96385074"_s, u"EAN-8"_s, u"96385074"_s},
    };
    for (const auto &[dpi, ratio] : {std::pair{96, 2}, std::pair{300, 1}}) {
        for (const Row &row : rows) {
            QTest::addRow("%s at %d dpi x%d", row.name, dpi, ratio)
                << row.code << row.data << row.supplement << row.width << row.readBack << row.zbarType << row.zbarData
                << dpi << ratio;
        }
    }
}

void TestBarcodeRenderer::decodes()
{
    QFETCH(int, code);
    QFETCH(QString, data);
    QFETCH(QString, supplement);
    QFETCH(int, widthTwips);
    QFETCH(QString, readBack);
    QFETCH(QString, zbarType);
    QFETCH(QString, zbarData);
    QFETCH(int, dpi);
    QFETCH(int, pixelRatio);

    BarcodeRenderer renderer;
    renderer.setWidthTwips(widthTwips);
    QVERIFY(renderer.setSymbology(code));
    QVERIFY2(renderer.setData(data), qPrintable(renderer.lastErrorDetail()));
    QVERIFY(renderer.setSupplement(supplement));
    QCOMPARE(renderer.lastError(), RuntimeError::None);
    QCOMPARE(renderer.data(), readBack);
    QVERIFY(renderer.hasSymbol());

    const QList<DecodedSymbol> symbols = Test::decodeSymbols(renderAt(renderer, dpi, pixelRatio));
    QVERIFY2(foundSymbol(symbols, zbarType, zbarData, supplement), qPrintable(describe(symbols)));
}

void TestBarcodeRenderer::upcAToEKeepsCheckDigit_data()
{
    QTest::addColumn<QString>("upcA");
    QTest::addColumn<bool>("zbarReadsIt");
    QTest::newRow("manufacturer 42100") << u"04210000526"_s << true;
    QTest::newRow("manufacturer 12300") << u"01230000045"_s << true;
    QTest::newRow("manufacturer 12340") << u"01234000005"_s << true;
    QTest::newRow("manufacturer 12345") << u"01234500007"_s << true;
    QTest::newRow("manufacturer 99999") << u"09999900009"_s << true;
    // zbar reads UPC-E with number system 0 only (not even libzint's own raster of a
    // number system 1 symbol); there the check digits are compared as read back.
    QTest::newRow("number system 1") << u"19820000123"_s << false;
}

void TestBarcodeRenderer::upcAToEKeepsCheckDigit()
{
    // The UPC-E drawn from 11 digits of UPC-A data carries the check digit of that UPC-A.
    QFETCH(QString, upcA);
    QFETCH(bool, zbarReadsIt);
    BarcodeRenderer renderer;
    renderer.setWidthTwips(1815);
    QVERIFY(renderer.setSymbology(BarcodeRenderer::kUpcA));
    QVERIFY(renderer.setData(upcA));
    const QString upcARead = renderer.data();
    const QList<DecodedSymbol> aSymbols = Test::decodeSymbols(renderAt(renderer, 300));
    QCOMPARE(aSymbols.size(), 1);
    QCOMPARE(aSymbols.first().type, u"UPC-A"_s);
    QCOMPARE(aSymbols.first().data, upcARead);

    renderer.setWidthTwips(1215);
    QVERIFY(renderer.setSymbology(BarcodeRenderer::kUpcE));
    QVERIFY(renderer.setData(upcA));
    const QString upcERead = renderer.data();
    QCOMPARE(upcERead.size(), 8);
    QCOMPARE(upcERead.front(), upcA.front());
    QCOMPARE(upcERead.back(), upcARead.back());
    if (zbarReadsIt) {
        const QList<DecodedSymbol> eSymbols = Test::decodeSymbols(renderAt(renderer, 300));
        QCOMPARE(eSymbols.size(), 1);
        QCOMPARE(eSymbols.first().type, u"UPC-E"_s);
        QCOMPARE(eSymbols.first().data, upcERead);
    }
}

void TestBarcodeRenderer::fullLengthData_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("data");
    QTest::addColumn<bool>("zbarReadsIt");
    QTest::newRow("EAN-13") << 11 << u"4006381333931"_s << true;
    QTest::newRow("EAN-8") << 14 << u"96385074"_s << true;
    QTest::newRow("UPC-A") << 5 << u"036000291452"_s << true;
    QTest::newRow("UPC-E") << 8 << u"04252614"_s << true;
    QTest::newRow("UPC-E number system 1") << 8 << u"12345670"_s << false;
    QTest::newRow("SCC-14") << 2 << u"30012345678906"_s << true;
}

void TestBarcodeRenderer::fullLengthData()
{
    // Data that already carries its right check digit is taken as it is.
    QFETCH(int, code);
    QFETCH(QString, data);
    QFETCH(bool, zbarReadsIt);
    BarcodeRenderer renderer;
    QVERIFY(renderer.setSymbology(code));
    QVERIFY2(renderer.setData(data), qPrintable(renderer.lastErrorDetail()));
    QCOMPARE(renderer.data(), data);
    QVERIFY(renderer.setData(data.chopped(1)));
    QCOMPARE(renderer.data(), data);
    renderer.setWidthTwips(2295);
    if (zbarReadsIt)
        QCOMPARE(Test::decodedText(renderAt(renderer, 300)), data);
}

void TestBarcodeRenderer::refusedData_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("good");
    QTest::addColumn<QString>("bad");
    QTest::newRow("EAN-13 letter") << 11 << u"501234567890"_s << u"50123456789A"_s;
    QTest::newRow("EAN-13 11 digits") << 11 << u"501234567890"_s << u"50123456789"_s;
    QTest::newRow("EAN-13 14 digits") << 11 << u"501234567890"_s << u"50123456789000"_s;
    QTest::newRow("EAN-13 wrong check digit") << 13 << u"501234567890"_s << u"5012345678901"_s;
    QTest::newRow("EAN-13 empty") << 11 << u"501234567890"_s << QString();
    QTest::newRow("EAN-13 blank inside") << 11 << u"501234567890"_s << u"501234 67890"_s;
    QTest::newRow("EAN-13 add-on in the data") << 12 << u"501234567890"_s << u"501234567890+12"_s;
    QTest::newRow("EAN-8 12 digits") << 14 << u"9638507"_s << u"501234567890"_s;
    QTest::newRow("EAN-8 wrong check digit") << 14 << u"9638507"_s << u"96385075"_s;
    QTest::newRow("UPC-A 10 digits") << 5 << u"03600029145"_s << u"0360002914"_s;
    QTest::newRow("UPC-A wrong check digit") << 5 << u"03600029145"_s << u"036000291453"_s;
    QTest::newRow("UPC-E number system 2") << 8 << u"0425261"_s << u"2425261"_s;
    QTest::newRow("UPC-E number system 9, full") << 8 << u"0425261"_s << u"94252614"_s;
    QTest::newRow("UPC-E 6 digits") << 8 << u"0425261"_s << u"425261"_s;
    QTest::newRow("UPC-E wrong check digit") << 8 << u"0425261"_s << u"04252615"_s;
    QTest::newRow("UPC A to E not suppressible") << 8 << u"0425261"_s << u"01234567890"_s;
    QTest::newRow("UPC A to E number system 3") << 8 << u"0425261"_s << u"34210000526"_s;
    QTest::newRow("SCC-14 letter") << 2 << u"3001234567890"_s << u"300123456789O"_s;
    QTest::newRow("SCC-14 wrong check digit") << 2 << u"3001234567890"_s << u"30012345678905"_s;
    QTest::newRow("SCC-14 15 digits") << 2 << u"3001234567890"_s << u"300123456789061"_s;
    QTest::newRow("Code 39 asterisk") << 0 << u"ABC"_s << u"A*C"_s;
    QTest::newRow("Code 39 hash") << 0 << u"ABC"_s << u"A#C"_s;
    QTest::newRow("Code 39 non-ASCII") << 0 << u"ABC"_s << u"\u00c5BC"_s;
    QTest::newRow("Code 39 empty") << 0 << u"ABC"_s << QString();
    QTest::newRow("Code 39 longer than libzint takes") << 0 << u"ABC"_s << QString(86, u'A');
}

void TestBarcodeRenderer::refusedData()
{
    QFETCH(int, code);
    QFETCH(QString, good);
    QFETCH(QString, bad);
    BarcodeRenderer renderer;
    QVERIFY(renderer.setSymbology(code));
    QVERIFY(renderer.setData(good));
    const QString before = renderer.data();

    QVERIFY(!renderer.setData(bad));
    QCOMPARE(renderer.lastError(), RuntimeError::InvalidPropertyValue);
    QVERIFY(!renderer.lastErrorDetail().isEmpty());
    QCOMPARE(renderer.data(), before);

    // The next value that is taken clears the error.
    QVERIFY(renderer.setData(good));
    QCOMPARE(renderer.lastError(), RuntimeError::None);
}

void TestBarcodeRenderer::refusedSettings()
{
    BarcodeRenderer renderer;
    for (int code : {-1, 1, 3, 4, 17, 100}) {
        QVERIFY(!renderer.setSymbology(code));
        QCOMPARE(renderer.lastError(), RuntimeError::InvalidPropertyValue);
        QCOMPARE(renderer.symbology(), BarcodeRenderer::kEan13);
    }
    QVERIFY(renderer.setSymbology(BarcodeRenderer::kEan13 + 1));
    for (const QString &supplement : {u"1"_s, u"123"_s, u"1234"_s, u"123456"_s, u"1a"_s, u"12 45"_s}) {
        QVERIFY(renderer.setSupplement(u"12"_s));
        QVERIFY(!renderer.setSupplement(supplement));
        QCOMPARE(renderer.lastError(), RuntimeError::InvalidPropertyValue);
        QCOMPARE(renderer.supplement(), u"12"_s);
    }
    QVERIFY(!renderer.setAlignment(3));
    QVERIFY(!renderer.setAlignment(-1));
    QCOMPARE(renderer.alignment(), BarcodeRenderer::kAlignCentre);
    QVERIFY(!renderer.setHeaderSpace(0));
    QVERIFY(!renderer.setHeaderSpace(16));
    QCOMPARE(renderer.headerSpace(), BarcodeRenderer::kNoHeaderSpace);
    QCOMPARE(renderer.lastError(), RuntimeError::InvalidPropertyValue);
    QVERIFY(renderer.setHeaderSpace(BarcodeRenderer::kIsbnHeaderSpace));
    QCOMPARE(renderer.lastError(), RuntimeError::None);
}

void TestBarcodeRenderer::symbologyChangeKeepsData()
{
    // The symbology is set before the data; data that does not suit the new symbology stays
    // as written and draws nothing until data that does arrives.
    BarcodeRenderer renderer;
    QVERIFY(renderer.setData(u"501234567890"_s));
    QVERIFY(renderer.setSymbology(BarcodeRenderer::kEan8));
    QVERIFY(!renderer.hasSymbol());
    QCOMPARE(renderer.data(), u"501234567890"_s);
    QVERIFY(renderer.geometry().isEmpty());
    QCOMPARE(Test::decodedText(renderAt(renderer, 300)), QString());

    QVERIFY(renderer.setSymbology(BarcodeRenderer::kEan13));
    QCOMPARE(renderer.data(), u"5012345678900"_s);
    QVERIFY(renderer.hasSymbol());

    // Eleven digits are UPC-A data and, suppressed, UPC-E data.
    QVERIFY(renderer.setSymbology(BarcodeRenderer::kUpcA));
    QVERIFY(renderer.setData(u"04210000526"_s));
    QCOMPARE(renderer.data(), u"042100005264"_s);
    QVERIFY(renderer.setSymbology(BarcodeRenderer::kUpcE));
    QCOMPARE(renderer.data(), u"04252614"_s);
}

void TestBarcodeRenderer::addOnMustMatchSymbology()
{
    BarcodeRenderer renderer;
    renderer.setWidthTwips(2655);
    QVERIFY(renderer.setSymbology(BarcodeRenderer::kEan13 + 2));
    QVERIFY(renderer.setData(u"501234567890"_s));
    QVERIFY(!renderer.hasSymbol()); // no add-on yet
    QVERIFY(renderer.setSupplement(u"12"_s));
    QVERIFY(!renderer.hasSymbol()); // 2 digits for a 5-digit add-on
    QVERIFY(renderer.setSupplement(u"12345"_s));
    QVERIFY(renderer.hasSymbol());
    // Without an add-on in the symbology the supplement is kept but not drawn.
    QVERIFY(renderer.setSymbology(BarcodeRenderer::kEan13));
    QCOMPARE(renderer.supplement(), u"12345"_s);
    QCOMPARE(Test::decodedText(renderAt(renderer, 300)), u"5012345678900"_s);
}

QTEST_MAIN(TestBarcodeRenderer)
#include "tst_barcode_renderer.moc"
