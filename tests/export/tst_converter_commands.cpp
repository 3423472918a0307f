#include "export_test_support.h"
#include "zbar_decode.h"

#include "export/image_converter.h"
#include "render/program_clipboard.h"

#include <QClipboard>
#include <QMimeData>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtTest>

#include <tiffio.h>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

const QString kData = u"5012345678900"_s;
const QString kFile = u"%D/Soap_5012345678900_001.tif"_s;
const QString kRender = u"source=Clipboard,dest=%1,raster=%2,format=tif,colors=2,mono=1,xres=%3,yres=%3,log=1"_s;
const QString kRenderFile600 = kRender.arg(kFile).arg(452).arg(600);
const QString kRenderClipboard300 = kRender.arg(u"clipboard"_s).arg(452).arg(300);

QImage applyStep(const QImage &in, const QString &step)
{
    const int w = in.width(), h = in.height();
    QImage out(step == u"rot90" ? QSize(h, w) : QSize(w, h), QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            const QPoint from = step == u"mirror2" ? QPoint(x, h - 1 - y)
                                : step == u"rot90" ? QPoint(y, h - 1 - x)
                                                   : QPoint(x, y);
            const bool black = isBlack(in, from.x(), from.y()) != (step == u"inv");
            out.setPixel(x, y, black ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    }
    return out;
}

void verifyWholeModules(const QImage &image)
{
    const int module = image.width() / 113;
    for (const int y : {image.height() / 8, image.height() / 2}) {
        QList<int> edges;
        for (int x = 0; x < image.width(); ++x) {
            if (isBlack(image, x, y) != (x > 0 && isBlack(image, x - 1, y)))
                edges.append(x);
        }
        QCOMPARE(edges.size(), 60);
        QCOMPARE(edges.last() - edges.first(), 95 * module);
        for (qsizetype i = 1; i < edges.size(); ++i) {
            const int run = edges[i] - edges[i - 1];
            QVERIFY(run % module == 0 && run <= 4 * module);
        }
        const int left = edges.first() - 11 * module, right = image.width() - edges.last() - 7 * module;
        QVERIFY(qAbs(left - right) <= 1);
    }
}

} // namespace

class TestConverterCommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { releaseImageConverter(); }
    void commandShapes_data();
    void commandShapes();
    void keepsEachAxisResolution();
    void bareSymbolTakesCopiedSize_data();
    void bareSymbolTakesCopiedSize();

private:
    QString expand(QString text) const { return text.replace(u"%D"_s, m_dir->path()); }
    int run(const QString &command) { return imageConverter()->ExecuteCommand(expand(command)); }
    QImage setUp(const QString &setup);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestConverterCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    putSymbolOnClipboard(ean13Geometry(), QSize(452, 240));
}

QImage TestConverterCommands::setUp(const QString &setup)
{
    if (setup == u"symbol" || run(kRenderFile600) != 0)
        return {};
    const QImage rendered = readTiffFile(expand(kFile)).image;
    if (setup == u"file600")
        return rendered;
    return rendered.convertToFormat(QImage::Format_RGB32).save(expand(u"%D/label.png"_s)) ? rendered : QImage();
}

void TestConverterCommands::commandShapes_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QStringList>("steps"); // how the output follows from the setup picture; empty: not compared
    QTest::addColumn<int>("compression");   // libtiff compression tag; 0 for a bitmap
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("output");
    const auto row = [](const QString &name, const QString &setup, const QStringList &commands,
                        const QStringList &steps, int compression = COMPRESSION_NONE, int dpi = 600,
                        QSize size = {452, 240}, const QString &output = kFile) {
        QTest::newRow(qPrintable(name)) << setup << commands << steps << compression << dpi << size << output;
    };
    const QString same = u"source=%1,dest=%1,"_s.arg(kFile), file600 = u"file600"_s;
    const QStringList unchanged{u"same"_s};

    row(u"render, file route"_s, u"symbol"_s, {kRenderFile600}, {});
    row(u"render, clipboard route, copy saved with Huffman"_s, u"symbol"_s,
        {kRenderClipboard300, u"source=clipboard,dest=%1,xres=300,yres=300,format=2,log=1"_s.arg(kFile)}, {},
        COMPRESSION_CCITTRLE, 300);
    row(u"reads a PNG at its own resolution"_s, u"label.png"_s,
        {u"source=%D/label.png,dest=%1,format=5,log=1"_s.arg(kFile)}, unchanged, COMPRESSION_CCITTFAX4, 96);
    row(u"adjust width"_s, file600, {same + u"rescalex=600pix,log=1"_s}, {}, COMPRESSION_NONE, 600, {600, 240});
    row(u"invert, mirror and rotate in one command"_s, file600, {same + u"inv=1,mirror=2,rot=90,log=1"_s},
        {u"inv"_s, u"mirror2"_s, u"rot90"_s});
    row(u"copies keep compression without format, commas in the names"_s, file600,
        {same + u"format=2,log=1"_s, u"source=%1,dest=%D/Soap, 500g_002.tif"_s.arg(kFile),
         u"source=%D/Soap, 500g_002.tif,dest=%D/Soap, 500g, big_003.tif"_s},
        unchanged, COMPRESSION_CCITTRLE, 600, {452, 240}, u"%D/Soap, 500g, big_003.tif"_s);
    row(u"ISBN lettering, to bitmap"_s, file600, {u"source=%1,dest=%D/tmpVT2000.bmp,format=bmp,log=1"_s.arg(kFile)},
        unchanged, 0, 600, {452, 240}, u"%D/tmpVT2000.bmp"_s);
}

void TestConverterCommands::commandShapes()
{
    QFETCH(QString, setup);
    QFETCH(QStringList, commands);
    QFETCH(QStringList, steps);
    QFETCH(int, compression);
    QFETCH(int, dpi);
    QFETCH(QSize, size);
    QFETCH(QString, output);

    QImage expected = setUp(setup);
    QVERIFY(setup == u"symbol" || !expected.isNull());
    for (const QString &command : std::as_const(commands))
        QCOMPARE(run(command), 0);

    QImage written;
    if (output.endsWith(u".bmp"_s)) {
        written = QImage(expand(output));
        QCOMPARE(std::tuple(written.depth(), qRound(written.dotsPerMeterX() * 0.0254),
                            qRound(written.dotsPerMeterY() * 0.0254)),
                 std::tuple(1, dpi, dpi));
        written = written.convertToFormat(QImage::Format_RGB32);
    } else {
        const TiffFile tiff = readTiffFile(expand(output));
        QVERIFY(tiff.ok);
        QCOMPARE(std::tuple(tiff.bitsPerSample, tiff.samplesPerPixel, tiff.photometric, tiff.resolutionUnit),
                 std::tuple(quint16(1), quint16(1), quint16(PHOTOMETRIC_MINISWHITE), quint16(RESUNIT_INCH)));
        QCOMPARE(std::tuple(int(tiff.compression), qRound(tiff.xResolution), qRound(tiff.yResolution)),
                 std::tuple(compression, dpi, dpi));
        written = tiff.image;
    }
    if (setup == u"symbol")
        verifyWholeModules(written);
    if (steps.isEmpty()) {
        QCOMPARE(written.size(), size);
    } else {
        for (const QString &step : std::as_const(steps))
            expected = applyStep(expected, step);
        QCOMPARE(written, expected);
    }
    if (steps.contains(u"inv"_s))
        written.invertPixels();
    QCOMPARE(decodedText(written), kData);
}

void TestConverterCommands::keepsEachAxisResolution()
{
    setUp(u"file600"_s);
    QCOMPARE(run(u"source=%1,dest=%1,xres=300,yres=600,format=5"_s.arg(kFile)), 0);
    TiffFile tiff = readTiffFile(expand(kFile));
    QCOMPARE(std::pair(qRound(tiff.xResolution), qRound(tiff.yResolution)), std::pair(300, 600));
    QCOMPARE(run(u"source=%1,dest=%1,rot=90"_s.arg(kFile)), 0);
    tiff = readTiffFile(expand(kFile));
    QCOMPARE(std::pair(qRound(tiff.xResolution), qRound(tiff.yResolution)), std::pair(600, 300));
}

void TestConverterCommands::bareSymbolTakesCopiedSize_data()
{
    QTest::addColumn<QByteArray>("copiedSize");
    QTest::addColumn<QString>("options");
    QTest::addColumn<QSize>("size"); // empty: 3 pixels per module in the symbol's own proportions

    QTest::newRow("copied size") << QByteArray::fromHex("000001c4000000f0") << QString() << QSize(452, 240);
    QTest::newRow("copied shape, raster width")
        << QByteArray::fromHex("000001c4000000f0") << u",raster=904"_s << QSize(904, 480);
    QTest::newRow("size cut short") << QByteArray::fromHex("000001c4") << QString() << QSize();
    QTest::newRow("size with bytes after it") << QByteArray::fromHex("000001c4000000f000") << QString() << QSize();
    QTest::newRow("zero width") << QByteArray::fromHex("00000000000000f0") << QString() << QSize();
    QTest::newRow("beyond any picture") << QByteArray::fromHex("7fffffff7fffffff") << QString() << QSize();
}

void TestConverterCommands::bareSymbolTakesCopiedSize()
{
    QFETCH(QByteArray, copiedSize);
    QFETCH(QString, options);
    QFETCH(QSize, size);

    const SymbolGeometry symbol = ean13Geometry();
    auto *data = new QMimeData;
    data->setData(QLatin1StringView(kSymbolMimeType), symbol.toBytes());
    data->setData(QLatin1StringView(kSymbolSizeMimeType), copiedSize);
    ProgramClipboard::setData(data);
    if (size.isEmpty()) {
        const int width = int(std::ceil(symbol.width * 3));
        size = QSize(width, int(std::round(width * symbol.height / symbol.width)));
    }

    QCOMPARE(run(u"source=clipboard,dest=%1,format=5"_s.arg(kFile) + options), 0);
    const TiffFile tiff = readTiffFile(expand(kFile));
    QVERIFY(tiff.ok);
    QCOMPARE(tiff.image.size(), size);
    QCOMPARE(decodedText(tiff.image), kData);
}

QTEST_MAIN(TestConverterCommands)
#include "tst_converter_commands.moc"
