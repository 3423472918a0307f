// The label pictures: every pixel painted, the symbol as the renderer draws it and scannable,
// the product line inside its strip at the label font's size. The text itself is drawn from
// plain glyph runs where that gives Qt's own text layout; the fast path is checked against the
// layout for texts the font kerns or joins. The font kept with the tests makes the rows exact.
#include "label/label_image.h"

#include "render/barcode_renderer.h"
#include "render/glyph_runs.h"
#include "base/units.h"
#include "test_fonts.h"
#include "test_helpers.h"
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
};

// \a text drawn at \a pixelSize the way the labels draw it (its plain glyph run when there is
// one, else the text layout), or through the text layout alone.
QImage drawnText(const QString &text, int pixelSize, bool glyphRun)
{
    QFont font(Test::repositoryFontFamily());
    font.setPixelSize(pixelSize);
    QImage image(pixelSize * (text.size() + 2), pixelSize * 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QPointF baseline(3.3, pixelSize * 1.2);
    const std::optional<QGlyphRun> run = glyphRun ? plainGlyphRun(font, text) : std::nullopt;
    if (run)
        painter.drawGlyphRun(baseline, *run);
    else
        painter.drawText(baseline, text);
    return image;
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

class TestLabelImage : public QObject {
    Q_OBJECT
private slots:
    void labelIsSymbolAndProductLine_data()
    {
        QTest::addColumn<Row>("row");
        const auto add = [](const char *name, const Row &row) { QTest::newRow(name) << row; };
        add("EAN-13+5 main", {kRendererEan13 + 2, u"400638133393"_s, u"54321"_s, u"Lemon soap 250 g"_s, 300, false,
                              u"400638133393154321"_s});
        add("UPC-E main, kerning pairs",
            {kRendererUpcE, u"0123456"_s, {}, u"AVATAR Toys WAVE LT"_s, 300, false, u"01234565"_s});
        add("Code 39 main, ligatures",
            {kRendererCode39, u"KELBRIX-39"_s, {}, u"ffi fl VA To Ty Wa"_s, 300, false, u"KELBRIX-39"_s});
        add("EAN-8 defined, kerning at 600 dpi",
            {kRendererEan8, u"9638507"_s, {}, u"Yoghurt AWAY"_s, 600, true, u"96385074"_s});
        add("EAN-13 main, no product", {kRendererEan13, u"978157169006"_s, {}, {}, 300, false, u"9781571690067"_s});
        const QString foreign = u"Äpfel ÿ 漢字 and more text"_s;
        add("EAN-13 defined, letters outside Latin-1",
            {kRendererEan13, u"400638133393"_s, {}, foreign, 600, true, u"4006381333931"_s});
        add("EAN-8 defined", {kRendererEan8, u"9638507"_s, {}, u"Soap"_s, 300, true, u"96385074"_s});
    }

    void labelIsSymbolAndProductLine()
    {
        QFETCH(Row, row);
        BarcodeRenderer renderer;
        renderer.setFont(QFont(Test::repositoryFontFamily(), 9));
        QVERIFY(renderer.setSymbology(row.symbology));
        QVERIFY(renderer.setData(row.data));
        QVERIFY(renderer.setSupplement(row.supplement));
        renderer.setWidthTwips(row.symbology == kRendererCode39 ? 3000 : 1815);
        renderer.setHeightTwips(900);

        LabelDescription label;
        label.form = row.defined ? LabelForm::Defined : LabelForm::Main;
        label.renderer = &renderer;
        label.symbolWidthTwips = renderer.widthTwips();
        label.symbolHeightTwips = renderer.heightTwips();
        label.labelWidthTwips = renderer.widthTwips() + 200;
        label.product = row.product;
        // Pictures of an earlier label handed back, full of red: every pixel must be painted over.
        const auto stale = [&](double widthTwips, double heightTwips) {
            QImage image(twipsToWholePixels(widthTwips, row.dpi), twipsToWholePixels(heightTwips, row.dpi),
                         QImage::Format_RGB32);
            image.fill(Qt::red);
            return image;
        };
        const double labelHeight = row.defined ? label.symbolHeightTwips + (row.product.isEmpty() ? 0 : 170)
                                               : (row.product.isEmpty() ? 1000 : 1190);
        const double symbolPictureHeight = row.defined ? label.symbolHeightTwips : 1065;
        const QImage staleLabel = stale(label.labelWidthTwips, labelHeight);

        const ComposedLabel composed =
            paintLabelImages(label, row.dpi, stale(label.symbolWidthTwips, symbolPictureHeight), staleLabel);
        QCOMPARE(composed.heightTwips, labelHeight);
        QCOMPARE(composed.symbolHeightTwips, symbolPictureHeight);
        QCOMPARE(composed.label.size(), staleLabel.size());
        QVERIFY(!hasColour(composed.symbol, qRgb(255, 0, 0)));
        QVERIFY(!hasColour(composed.label, qRgb(255, 0, 0)));

        // The bare symbol is the renderer's own drawing above white.
        const int symbolRows = twipsToWholePixels(label.symbolHeightTwips, row.dpi);
        QImage drawn(composed.symbol.size(), QImage::Format_RGB32);
        drawn.fill(Qt::white);
        {
            QPainter painter(&drawn);
            renderer.draw(painter, QRectF(0, 0, drawn.width(), symbolRows));
        }
        drawn.setDotsPerMeterX(composed.symbol.dotsPerMeterX());
        drawn.setDotsPerMeterY(composed.symbol.dotsPerMeterY());
        QCOMPARE(composed.symbol, drawn);

        // Above the product line the label is the symbol's rows; the line's ink lies in its strip,
        // starts at its indent and is as wide as the text in the label font.
        const int lineTop = twipsToWholePixels(row.defined ? label.symbolHeightTwips - 50 : 950, row.dpi);
        const QRect aboveLine(0, 0, std::min(composed.label.width(), drawn.width()), std::min(lineTop, symbolRows));
        QCOMPARE(composed.label.copy(aboveLine), drawn.copy(aboveLine));
        const QRect ink =
            Test::inkBox(composed.label, QRect(0, lineTop, composed.label.width(), composed.label.height() - lineTop));
        QCOMPARE(ink.isNull(), row.product.isEmpty());
        if (!ink.isNull()) {
            const QFontMetricsF metrics(labelFont(renderer, row.dpi));
            QVERIFY2(ink.left() >= 0 && ink.left() <= twipsToPixels(10, row.dpi) + metrics.height() / 5,
                     qPrintable(QString::number(ink.left())));
            QVERIFY(ink.bottom() < lineTop + metrics.height());
            const QString text = productLine(row.product).trimmed();
            QVERIFY2(std::abs(ink.width() - metrics.tightBoundingRect(text).width()) < 3,
                     qPrintable(QString::number(ink.width())));
        }
        QCOMPARE(Test::decodedText(composed.label), row.decoded);
    }

    // Each text drawn from its glyph run looks as the text layout draws it; a text the font sets
    // without kerning, ligatures or fallback has a plain glyph run.
    void glyphRunIsTheTextLayout()
    {
        for (const auto &[text, plain] :
             {std::pair(u"4 006381 333931"_s, true), std::pair(u"Soap 250 g"_s, true),
              std::pair(u"AVATAR Toys WAVE LT"_s, false), std::pair(u"ffi fl VA To Ty Wa"_s, false),
              std::pair(u"Äpfel ÿ 漢字"_s, false), std::pair(u"12 漢字 34"_s, false)}) {
            for (const int pixelSize : {13, 38, 75, 150}) {
                QFont font(Test::repositoryFontFamily());
                font.setPixelSize(pixelSize);
                if (plain)
                    QVERIFY(plainGlyphRun(font, text).has_value());
                QCOMPARE(drawnText(text, pixelSize, true), drawnText(text, pixelSize, false));
            }
        }
    }
};

QTEST_MAIN(TestLabelImage)
#include "tst_label_image.moc"
