// The composed labels against the same labels painted the plain way: the symbol drawn into its
// picture, that picture drawn onto a white label, the product line typeset as text. The text is
// set in the font kept with the tests, whose kerning and ligatures the rows rely on.
#include "render/label_composer.h"

#include "render/barcode_renderer.h"
#include "base/units.h"
#include "test_fonts.h"
#include "zbar_decode.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

struct Row {
    int symbology;
    QString data, supplement, product;
    double dpi;
    bool defined;
    QString decoded;
    bool shaped = false; ///< the font kerns or joins letters of the product line
};

// The label as a plain painter would make it from the composed symbol picture: the picture's
// symbol rows at the top of a white label, the product line as text in its strip.
QImage paintedLabel(const ComposedLabel &composed, const LabelRequest &request, int symbolRows, double lineTop)
{
    QImage label(composed.label.size(), QImage::Format_RGB32);
    label.fill(Qt::white);
    QPainter painter(&label);
    painter.drawImage(QPoint(0, 0), composed.symbol, QRect(0, 0, composed.symbol.width(), symbolRows));
    if (composed.hasProductLine) {
        QFont font = request.renderer->font();
        font.setPixelSize(roundToInt(font.pointSizeF() * request.dotsPerInch / 72.0));
        const QFontMetricsF metrics(font);
        const double top = twipsToPixels(lineTop, request.dotsPerInch);
        painter.fillRect(
            QRectF(0, top, label.width(),
                   twipsToWholePixels(pixelsToTwips(metrics.height(), request.dotsPerInch), request.dotsPerInch)),
            Qt::white);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(twipsToPixels(10, request.dotsPerInch), top + metrics.ascent()),
                         productLine(request.product));
    }
    return label;
}

bool hasColour(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        if (std::find(row, row + image.width(), colour) != row + image.width())
            return true;
    }
    return false;
}

} // namespace

Q_DECLARE_METATYPE(Row)

class TestLabelComposer : public QObject {
    Q_OBJECT
private slots:
    void labelIsSymbolAndProductLine_data()
    {
        QTest::addColumn<Row>("row");
        const auto add = [](const char *name, const Row &row) { QTest::newRow(name) << row; };
        add("EAN-13+5 main", {BarcodeRenderer::kEan13 + 2, u"400638133393"_s, u"54321"_s, u"Lemon soap 250 g"_s, 300,
                              false, u"400638133393154321"_s});
        add("UPC-E main, kerning pairs",
            {BarcodeRenderer::kUpcE, u"0123456"_s, {}, u"AVATAR Toys WAVE LT"_s, 300, false, u"01234565"_s, true});
        add("Code 39 main, ligatures", {BarcodeRenderer::kCode39,
                                        u"KELBRIX-39"_s,
                                        {},
                                        u"ffi fl VA To Ty Wa"_s,
                                        300,
                                        false,
                                        u"KELBRIX-39"_s,
                                        true});
        add("EAN-8 defined, kerning at 600 dpi",
            {BarcodeRenderer::kEan8, u"9638507"_s, {}, u"Yoghurt AWAY"_s, 600, true, u"96385074"_s, true});
        add("EAN-13 main, no product",
            {BarcodeRenderer::kEan13, u"978157169006"_s, {}, {}, 300, false, u"9781571690067"_s});
        add("EAN-13 defined, letters outside Latin-1", {BarcodeRenderer::kEan13,
                                                        u"400638133393"_s,
                                                        {},
                                                        u"Äpfel ÿ 漢字 and more text"_s,
                                                        600,
                                                        true,
                                                        u"4006381333931"_s});
        add("EAN-8 defined", {BarcodeRenderer::kEan8, u"9638507"_s, {}, u"Soap"_s, 300, true, u"96385074"_s});
    }

    void labelIsSymbolAndProductLine()
    {
        QFETCH(Row, row);
        BarcodeRenderer renderer;
        renderer.setFont(QFont(Test::repositoryFontFamily(), 9));
        QVERIFY(renderer.setSymbology(row.symbology));
        QVERIFY(renderer.setData(row.data));
        QVERIFY(renderer.setSupplement(row.supplement));
        renderer.setWidthTwips(row.symbology == BarcodeRenderer::kCode39 ? 3000 : 1815);
        renderer.setHeightTwips(900);

        LabelRequest request;
        request.renderer = &renderer;
        request.symbolWidthTwips = renderer.widthTwips();
        request.symbolHeightTwips = renderer.heightTwips();
        request.symbolPictureHeightTwips = 1065;
        request.labelWidthTwips = renderer.widthTwips() + 200;
        request.product = row.product;
        request.dotsPerInch = row.dpi;
        // Pictures of an earlier label handed back, full of red: every pixel must be painted over.
        const auto stale = [&](double widthTwips, double heightTwips) {
            QImage image(twipsToWholePixels(widthTwips, row.dpi), twipsToWholePixels(heightTwips, row.dpi),
                         QImage::Format_RGB32);
            image.fill(Qt::red);
            return image;
        };
        const double labelHeight = row.defined ? request.symbolHeightTwips + (row.product.isEmpty() ? 0 : 170)
                                               : (row.product.isEmpty() ? 1000 : 1190);
        request.recycledSymbol = stale(request.symbolWidthTwips, request.symbolPictureHeightTwips);
        request.recycledLabel = stale(request.labelWidthTwips, labelHeight);

        const ComposedLabel composed = row.defined ? composeDefinedLabel(request) : composeMainLabel(request);
        QCOMPARE(composed.heightTwips, labelHeight);
        QCOMPARE(composed.label.size(), request.recycledLabel.size());
        QVERIFY(!hasColour(composed.symbol, qRgb(255, 0, 0)));
        QVERIFY(!hasColour(composed.label, qRgb(255, 0, 0)));

        // The bare symbol is the renderer's own drawing above white.
        const int symbolRows = twipsToWholePixels(request.symbolHeightTwips, row.dpi);
        QImage drawn(composed.symbol.size(), QImage::Format_RGB32);
        drawn.fill(Qt::white);
        {
            QPainter painter(&drawn);
            renderer.draw(painter, QRectF(0, 0, drawn.width(), symbolRows));
        }
        drawn.setDotsPerMeterX(composed.symbol.dotsPerMeterX());
        drawn.setDotsPerMeterY(composed.symbol.dotsPerMeterY());
        QCOMPARE(composed.symbol, drawn);

        if (row.shaped) {
            // The row only proves something where the text layout moves or joins letters.
            QFont font = renderer.font();
            font.setPixelSize(roundToInt(font.pointSizeF() * row.dpi / 72.0));
            const QFontMetricsF metrics(font);
            const QString line = productLine(row.product);
            double apart = 0;
            for (const QChar c : line)
                apart += metrics.horizontalAdvance(c);
            QVERIFY(std::abs(metrics.horizontalAdvance(line) - apart) > 0.5);
        }

        const double lineTop = row.defined ? request.symbolHeightTwips - 50 : 950;
        QImage painted = paintedLabel(composed, request, symbolRows, lineTop);
        painted.setDotsPerMeterX(composed.label.dotsPerMeterX());
        painted.setDotsPerMeterY(composed.label.dotsPerMeterY());
        QCOMPARE(composed.label, painted);
        QCOMPARE(Test::decodedText(composed.label), row.decoded);
    }
};

QTEST_MAIN(TestLabelComposer)
#include "tst_label_composer.moc"
