#include "render/barcode_renderer.h"

#include "base/runtime_errors.h"
#include "render/program_clipboard.h"
#include "render/view_update_plan.h"
#include "test_helpers.h"
#include "zbar_decode.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QTest>

#include <cmath>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

constexpr int kEan13Modules = 113;
constexpr int kEan13BarModules = 95;
const QString kEan13Read = u"4006381333931"_s;

bool isDark(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

// definedWidth set: the defined-size update; width 0: no update. flags: c compose, e complete
// entry, r ISBN refused, t show text.
struct Case {
    const char *name;
    QString typeCode, entry, supplement, product;
    Edition edition = Edition::Alla;
    double definedWidth = 0, width = 0;
    int symbology = 0;
    QString data{}, handedSupplement{};
    const char *flags = "";
    QString typeName{}, header{};
};

} // namespace

class TestBarcodeRenderer : public QObject {
    Q_OBJECT
private slots:
    void decodes()
    {
        for (const auto &[code, data, supplement, readBack] :
             {std::tuple(0, u"kel B$5/%"_s, QString(), u"KEL B$5/%"_s),
              std::tuple(10, u"01234500007"_s, u"12345"_s, u"01234572"_s)}) {
            BarcodeRenderer renderer;
            QVERIFY(renderer.setSymbology(code) && renderer.setData(data) && renderer.setSupplement(supplement));
            QCOMPARE(renderer.data(), readBack);
            renderer.setWidthTwips(renderer.geometry().width * 16);
            const QImage image = renderer.image((QSizeF(renderer.widthTwips(), 900) * 300 / 1440).toSize());
            QString texts;
            for (const Test::DecodedSymbol &symbol : Test::decodeSymbols(image))
                texts += symbol.data;
            QCOMPARE(texts, readBack + supplement);
        }
    }

    void refusedData()
    {
        BarcodeRenderer renderer;
        QVERIFY(renderer.setSymbology(11) && renderer.setData(u"501234567890"_s));
        const QString before = renderer.data();
        QVERIFY(!renderer.setData(u"50123456789A"_s));
        QCOMPARE(renderer.lastError(), RuntimeError::InvalidPropertyValue);
        QCOMPARE(renderer.data(), before);
        QVERIFY(renderer.setData(u"501234567890"_s)); // the next value that is taken clears the error
        QCOMPARE(renderer.lastError(), RuntimeError::None);
    }

    // Bars of whole pixels: 96 dpi on a double-density screen, centred; and aligned right.
    void wholePixelModules()
    {
        for (const auto &[width, pixelRatio, alignment] :
             {std::tuple(121, 2.0, int(kSymbolAlignCentre)), std::tuple(500, 1.0, int(kSymbolAlignRight))}) {
            BarcodeRenderer renderer;
            QVERIFY(renderer.setData(kEan13Read) && renderer.pixelAlign() && renderer.setAlignment(alignment));
            QImage image(QSize(width, 60) * pixelRatio, QImage::Format_RGB32);
            image.setDevicePixelRatio(pixelRatio);
            QPainter painter(&image);
            renderer.draw(painter, QRectF(0, 0, width, 60));
            painter.end();
            const int module = std::max(1, int(std::floor(width * pixelRatio / kEan13Modules)));
            const int y = image.height() / 2;
            QList<int> edges;
            for (int x = 0; x < image.width(); ++x) {
                QVERIFY(image.pixel(x, y) == qRgb(0, 0, 0) || image.pixel(x, y) == qRgb(255, 255, 255));
                if (isDark(image, x, y) != (x > 0 && isDark(image, x - 1, y)))
                    edges.append(x);
            }
            QCOMPARE(edges.last() - edges.first(), kEan13BarModules * module);
            for (qsizetype i = 1; i < edges.size(); ++i)
                QCOMPARE((edges[i] - edges[i - 1]) % module, 0);
            const int spare = image.width() - kEan13Modules * module; // left 0, centre 1, right 2
            QVERIFY(std::abs(edges.first() - 11 * module - spare * alignment / 2) <= 1);
        }
    }

    // The private clipboard gets the symbol and the size the desktop's picture would have, but no
    // picture, and leaves the desktop's text alone; the desktop one gets the picture and the
    // symbol, and nothing while an add-on is missing.
    void copyToClipboard()
    {
        QGuiApplication::clipboard()->setText(u"kept"_s);
        BarcodeRenderer renderer;
        renderer.setWidthTwips(2655);
        QVERIFY(renderer.setData(u"501234567890"_s));
        ProgramClipboard::usePrivate(true);
        const bool copied = renderer.copyToClipboard(2655, 900);
        const QMimeData *mime = ProgramClipboard::data();
        const QByteArray geometry = mime ? mime->data(QString::fromLatin1(kSymbolMimeType)) : QByteArray();
        const QByteArray size = mime ? mime->data(QString::fromLatin1(kSymbolSizeMimeType)) : QByteArray();
        const bool picture = mime && (mime->hasImage() || mime->hasFormat(u"image/svg+xml"_s));
        ProgramClipboard::usePrivate(false);
        QVERIFY(copied);
        QCOMPARE(geometry, renderer.geometry().toBytes());
        QCOMPARE(size, QByteArray::fromHex("000000b10000003c")); // 2655 twips at 96 dpi, 3:1
        QVERIFY(!picture);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"kept"_s);

        QVERIFY(renderer.setSymbology(kRendererEan13 + 2));
        QVERIFY(!renderer.copyToClipboard(2655, 900));
        QCOMPARE(QGuiApplication::clipboard()->text(), u"kept"_s);
        QVERIFY(renderer.setSupplement(u"00295"_s));
        QVERIFY(renderer.copyToClipboard(2655, 900));
        mime = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(qvariant_cast<QImage>(mime->imageData()).size(), QSize(177, 60));
        const std::optional<SymbolGeometry> symbol =
            SymbolGeometry::fromBytes(mime->data(QString::fromLatin1(kSymbolMimeType)));
        QVERIFY(symbol && symbol->toBytes() == renderer.geometry().toBytes());
    }

    // What the main view does with what is typed: the plan, and the renderer it is handed to.
    void plan_data();
    void plan();
    void planRefusedByTheRenderer();
};

void TestBarcodeRenderer::plan_data()
{
    const QString isbn = u"1-57169-006-9"_s;
    const Edition alla = Edition::Alla;
    // clang-format off
    const QList<Case> rows{
        {"nothing typed", u"E130"_s, {}, {}, {}},
        {"EAN-13 short entry", u"E130"_s, u"40063813339"_s, {}, {}, alla, 0, 1815, 11},
        {"EAN-13 check digit cut", u"E130"_s, u"4006381333939"_s, {}, {}, alla, 0, 1815, 11, u"400638133393"_s, {}, "ce"},
        {"EAN-8 defined", u"E80 "_s, u"96385074"_s, {}, {}, alla, 3000, 3000, 14, u"9638507"_s, {}, "ce", u"EAN 8"_s},
        {"UPC A to E", u"UPP0"_s, u"01200000345"_s, {}, {}, alla, 0, 1215, 8, u"01200000345"_s, {}, "c"},
        {"SCC-14 shows its text", u"SC14"_s, u"10012345678902"_s, {}, {}, alla, 0, 2295, 2, u"1001234567890"_s, {}, "cet"},
        {"SCC-14 defined does not", u"SC14"_s, u"10012345678902"_s, {}, {}, alla, 4000, 4000, 2, u"1001234567890"_s, {}, "ce"},
        {"Code 39 defined keeps its width", u"Co39"_s, u"ABC"_s, {}, {}, alla, 5000, 1550, 0, u"ABC"_s, {}, "c"},
        {"ISBN + 5", u"ISB5"_s, isbn, u"90000"_s, {}, alla, 0, 2655, 13, u"978157169006"_s, u"90000"_s, "c", {}, u"ISBN 1-57169-006-9"_s},
        {"ISBN too few dividers", u"ISB0"_s, u"157169-0069-9"_s, {}, {}, alla, 0, 1815, 11, {}, {}, "r"},
        {"UPC in the EAN edition", u"UPA0"_s, u"03600029145"_s, {}, {}, Edition::Ean},
        {"no such type", u"XXXX"_s, u"400638133393"_s, {}, {}},
    };
    // clang-format on
    Test::addRows(rows);
}

void TestBarcodeRenderer::plan()
{
    QFETCH(Case, row);
    const ViewUpdateState state{row.typeCode, row.edition, row.entry, row.supplement, row.product};
    const ViewUpdatePlan plan =
        row.definedWidth > 0 ? planDefinedViewUpdate(state, row.definedWidth, 1200) : planMainViewUpdate(state);
    QCOMPARE(plan.update, row.width > 0);
    if (!plan.update)
        return;
    const QByteArray flags(row.flags);
    QCOMPARE(std::tuple(plan.type.code, plan.widthTwips, plan.heightTwips, plan.handData, plan.data),
             std::tuple(row.typeCode, row.width, row.definedWidth > 0 ? 1200 : kMainSymbolHeightTwips,
                        !row.data.isEmpty(), row.data));
    QCOMPARE(std::tuple(plan.compose, plan.completeEntry, plan.isbnRefused, plan.rendererTypeName, plan.isbnHeader),
             std::tuple(flags.contains('c'), flags.contains('e'), flags.contains('r'), row.typeName, row.header));

    BarcodeRenderer renderer;
    QCOMPARE(applyViewUpdatePlan(plan, renderer), plan.handData ? PlanApplied::Handed : PlanApplied::NotHanded);
    QCOMPARE(renderer.symbology(), row.symbology);
    // Without data handed over the renderer keeps its own.
    QCOMPARE(renderer.data() != BarcodeRenderer().data(), plan.handData);
    QCOMPARE(renderer.supplement(), row.handedSupplement);
    QCOMPARE(renderer.showText(), flags.contains('t'));
    if (!row.typeName.isEmpty())
        QCOMPARE(renderer.typeName(), row.typeName);
}

void TestBarcodeRenderer::planRefusedByTheRenderer()
{
    BarcodeRenderer renderer;
    const ViewUpdatePlan plan = planMainViewUpdate({u"Co39"_s, Edition::Alla, u"\u20ac"_s, {}, {}});
    QCOMPARE(applyViewUpdatePlan(plan, renderer), PlanApplied::Refused);
}

QTEST_MAIN(TestBarcodeRenderer)
#include "tst_barcode_renderer.moc"
