// Every command shape the TIFF export, Save As and the ISBN lettering send to the image
// converter, run on a real EAN-13 and checked on the written file: read back with libtiff (or
// Qt for bitmaps), its tags compared, its pixels compared with what the transformation must
// give, and the symbol decoded with zbar.

#include "export_test_support.h"
#include "zbar_decode.h"

#include "export/image_converter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <tiffio.h>

#include <memory>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

const QString kData = u"5012345678900"_s;
// The clipboard picture the symbol comes with: 113 modules at 4 pixels.
const QSize kClipboardPicture(452, 240);
const QString kRenderFile600 = u"source=Clipboard,dest=%D/Soap_5012345678900_001.tif"_s
                               u",raster=452,format=tif,colors=2,mono=1,xres=600,yres=600,log=1"_s;
const QString kRenderClipboard300 =
    u"source=clipboard,dest=clipboard,raster=452,format=tif,colors=2,mono=1,xres=300,yres=300,log=1"_s;

// The expected picture after one step, computed pixel by pixel from the one before.
QImage applyStep(const QImage &in, const QString &step)
{
    const int w = in.width(), h = in.height();
    const bool turned = step == u"rot90" || step == u"rot270";
    QImage out(step == u"scale2" ? 2 * w
               : turned          ? h
                                 : w,
               step == u"scale2" ? 2 * h
               : turned          ? w
                                 : h,
               QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            bool black = false;
            if (step == u"inv")
                black = !isBlack(in, x, y);
            else if (step == u"mirror1")
                black = isBlack(in, w - 1 - x, y);
            else if (step == u"mirror2")
                black = isBlack(in, x, h - 1 - y);
            else if (step == u"rot90") // clockwise: the left column becomes the top row
                black = isBlack(in, y, h - 1 - x);
            else if (step == u"rot180")
                black = isBlack(in, w - 1 - x, h - 1 - y);
            else if (step == u"rot270")
                black = isBlack(in, w - 1 - y, x);
            else if (step == u"scale2")
                black = isBlack(in, x / 2, y / 2);
            else
                black = isBlack(in, x, y);
            out.setPixel(x, y, black ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    }
    return out;
}

QString firstDifference(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size())
        return u"size %1x%2, expected %3x%4"_s.arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (isBlack(actual, x, y) != isBlack(expected, x, y))
                return u"pixel %1,%2 differs"_s.arg(x).arg(y);
        }
    }
    return {};
}

} // namespace

class TestConverterCommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void commandShapes_data();
    void commandShapes();

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
    QGuiApplication::clipboard()->clear();
}

void TestConverterCommands::cleanup()
{
    releaseImageConverter();
}

// Brings the clipboard and files into the state a step finds, and returns the picture the
// step starts from.
QImage TestConverterCommands::setUp(const QString &setup)
{
    putSymbolOnClipboard(ean13Geometry(), kClipboardPicture);
    if (setup == u"symbol")
        return {};
    if (setup == u"clipboard300") {
        if (run(kRenderClipboard300) != 0)
            return {};
        return qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData());
    }
    if (run(kRenderFile600) != 0)
        return {};
    const TiffFile rendered = readTiffFile(expand(u"%D/Soap_5012345678900_001.tif"_s));
    if (setup == u"file600")
        return rendered.image;
    // "picture": the label with a lettering band above it, as the ISBN step makes it.
    QImage picture(rendered.image.width(), rendered.image.height() + 60, QImage::Format_ARGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(Qt::darkBlue);
    painter.setFont(QFont(u"DejaVu Sans"_s, 20));
    painter.drawText(QRect(0, 0, picture.width(), 60), Qt::AlignCenter, u"ISBN 978-0-00-000000"_s);
    painter.drawImage(0, 60, rendered.image);
    painter.end();
    putImageOnClipboard(picture);
    return picture;
}

void TestConverterCommands::commandShapes_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("compression"); // libtiff compression tag; 0 for a bitmap
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QStringList>("steps"); // how the output follows from the setup picture; empty: not compared

    const QString t = u"%D/Soap_5012345678900_001.tif"_s;
    const QString copy2 = u"%D/Soap_5012345678900_002.tif"_s;
    const QString same = u"source=%1,dest=%1"_s.arg(t);
    const QStringList none;
    const QStringList unchanged = {u"same"_s};

    QTest::newRow("render, file route") << u"symbol"_s << QStringList{kRenderFile600} << t << QSize(452, 240)
                                        << COMPRESSION_NONE << 600 << none;
    QTest::newRow("render, Save As straight to the name, 1200 dpi")
        << u"symbol"_s
        << QStringList{u"source=clipboard,dest=%D/Label.tif,raster=904,format=tif,colors=2,mono=1"_s
                       u",xres=1200,yres=1200,log=1"_s}
        << u"%D/Label.tif"_s << QSize(904, 480) << COMPRESSION_NONE << 1200 << none;
    QTest::newRow("render, clipboard route, copy saved with Huffman")
        << u"symbol"_s
        << QStringList{kRenderClipboard300, u"source=clipboard,dest=%1,xres=300,yres=300,format=2,log=1"_s.arg(t)} << t
        << QSize(452, 240) << COMPRESSION_CCITTRLE << 300 << none;
    QTest::newRow("enlarge after shrink")
        << u"file600"_s << QStringList{same + u",rescalex=200%,rescaley=200%,xres=600,yres=600,log=1"_s} << t
        << QSize(904, 480) << COMPRESSION_NONE << 600 << QStringList{u"scale2"_s};
    QTest::newRow("adjust width") << u"file600"_s << QStringList{same + u",rescalex=600pix,log=1"_s} << t
                                  << QSize(600, 240) << COMPRESSION_NONE << 600 << none;
    QTest::newRow("adjust height") << u"file600"_s << QStringList{same + u",rescaley=300pix,log=1"_s} << t
                                   << QSize(452, 300) << COMPRESSION_NONE << 600 << none;
    QTest::newRow("invert") << u"file600"_s << QStringList{same + u",inv=1,log=1"_s} << t << QSize(452, 240)
                            << COMPRESSION_NONE << 600 << QStringList{u"inv"_s};
    QTest::newRow("mirror horizontal") << u"file600"_s << QStringList{same + u",mirror=1,log=1"_s} << t
                                       << QSize(452, 240) << COMPRESSION_NONE << 600 << QStringList{u"mirror1"_s};
    QTest::newRow("mirror vertical") << u"file600"_s << QStringList{same + u",mirror=2,log=1"_s} << t << QSize(452, 240)
                                     << COMPRESSION_NONE << 600 << QStringList{u"mirror2"_s};
    QTest::newRow("rotate 90") << u"file600"_s << QStringList{same + u",rot=90,log=1"_s} << t << QSize(240, 452)
                               << COMPRESSION_NONE << 600 << QStringList{u"rot90"_s};
    QTest::newRow("rotate 180") << u"file600"_s << QStringList{same + u",rot=180,log=1"_s} << t << QSize(452, 240)
                                << COMPRESSION_NONE << 600 << QStringList{u"rot180"_s};
    QTest::newRow("rotate 270") << u"file600"_s << QStringList{same + u",rot=270,log=1"_s} << t << QSize(240, 452)
                                << COMPRESSION_NONE << 600 << QStringList{u"rot270"_s};
    QTest::newRow("invert, mirror and rotate in one command")
        << u"file600"_s << QStringList{same + u",inv=1,mirror=2,rot=90,log=1"_s} << t << QSize(240, 452)
        << COMPRESSION_NONE << 600 << QStringList{u"inv"_s, u"mirror2"_s, u"rot90"_s};
    QTest::newRow("compress none") << u"file600"_s << QStringList{same + u",format=0,log=1"_s} << t << QSize(452, 240)
                                   << COMPRESSION_NONE << 600 << unchanged;
    QTest::newRow("compress Huffman") << u"file600"_s << QStringList{same + u",format=2,log=1"_s} << t
                                      << QSize(452, 240) << COMPRESSION_CCITTRLE << 600 << unchanged;
    QTest::newRow("compress Group 3") << u"file600"_s << QStringList{same + u",format=4,log=1"_s} << t
                                      << QSize(452, 240) << COMPRESSION_CCITTFAX3 << 600 << unchanged;
    QTest::newRow("compress Group 4") << u"file600"_s << QStringList{same + u",format=5,log=1"_s} << t
                                      << QSize(452, 240) << COMPRESSION_CCITTFAX4 << 600 << unchanged;
    QTest::newRow("compression tail empty") << u"file600"_s << QStringList{same + u",log=1"_s} << t << QSize(452, 240)
                                            << COMPRESSION_NONE << 600 << unchanged;
    QTest::newRow("copy, file route") << u"file600"_s
                                      << QStringList{same + u",format=5,log=1"_s,
                                                     u"source=%1,dest=%2,format=5,log=1"_s.arg(t, copy2)}
                                      << copy2 << QSize(452, 240) << COMPRESSION_CCITTFAX4 << 600 << unchanged;
    QTest::newRow("copy of the current barcode, no log, then compressed")
        << u"file600"_s
        << QStringList{same + u",format=4,log=1"_s, u"source=%1,dest=%2"_s.arg(t, copy2),
                       u"source=%1,dest=%1,format=4,log=1"_s.arg(copy2)}
        << copy2 << QSize(452, 240) << COMPRESSION_CCITTFAX3 << 600 << unchanged;
    QTest::newRow("copy keeps compression without format")
        << u"file600"_s << QStringList{same + u",format=2,log=1"_s, u"source=%1,dest=%2"_s.arg(t, copy2)} << copy2
        << QSize(452, 240) << COMPRESSION_CCITTRLE << 600 << unchanged;
    QTest::newRow("clipboard route, every step")
        << u"clipboard300"_s
        << QStringList{u"source=clipboard,dest=clipboard,rescalex=200%,rescaley=200%,xres=300,yres=300,log=1"_s,
                       u"source=clipboard,dest=clipboard,rescalex=800pix,log=1"_s,
                       u"source=clipboard,dest=clipboard,mirror=1,log=1"_s,
                       u"source=clipboard,dest=clipboard,format=5,log=1"_s,
                       u"source=clipboard,dest=%1,xres=300,yres=300,format=5,log=1"_s.arg(t)}
        << t << QSize(800, 480) << COMPRESSION_CCITTFAX4 << 300 << none;
    QTest::newRow("clipboard route, transform only")
        << u"clipboard300"_s
        << QStringList{u"source=clipboard,dest=clipboard,inv=1,mirror=2,rot=180,log=1"_s,
                       u"source=clipboard,dest=%1,xres=300,yres=300,format=0,log=1"_s.arg(t)}
        << t << QSize(452, 240) << COMPRESSION_NONE << 300 << QStringList{u"inv"_s, u"mirror2"_s, u"rot180"_s};
    QTest::newRow("ISBN lettering, to bitmap")
        << u"file600"_s << QStringList{u"source=%1,dest=%D/tmpVT2000.bmp,format=bmp,log=1"_s.arg(t)}
        << u"%D/tmpVT2000.bmp"_s << QSize(452, 240) << 0 << 600 << unchanged;
    QTest::newRow("ISBN lettering, back from the clipboard")
        << u"picture"_s << QStringList{u"source=clipboard,dest=%1,yres=600,xres=600,colors=2,log=1"_s.arg(t)} << t
        << QSize(452, 300) << COMPRESSION_NONE << 600 << unchanged;
}

void TestConverterCommands::commandShapes()
{
    QFETCH(QString, setup);
    QFETCH(QStringList, commands);
    QFETCH(QString, output);
    QFETCH(QSize, size);
    QFETCH(int, compression);
    QFETCH(int, dpi);
    QFETCH(QStringList, steps);

    QImage expected = setUp(setup);
    QVERIFY2(setup == u"symbol" || !expected.isNull(), "the starting picture could not be made");
    for (const QString &command : std::as_const(commands))
        QCOMPARE(run(command), 0);

    QImage written;
    if (output.endsWith(u".bmp"_s)) {
        written = QImage(expand(output));
        QVERIFY(!written.isNull());
        QCOMPARE(written.depth(), 1);
        QCOMPARE(qRound(written.dotsPerMeterX() * 0.0254), dpi);
        QCOMPARE(qRound(written.dotsPerMeterY() * 0.0254), dpi);
        written = written.convertToFormat(QImage::Format_RGB32);
    } else {
        const TiffFile tiff = readTiffFile(expand(output));
        QVERIFY2(tiff.ok, qPrintable(tiff.error));
        QCOMPARE(tiff.bitsPerSample, quint16(1));
        QCOMPARE(tiff.samplesPerPixel, quint16(1));
        QCOMPARE(tiff.photometric, quint16(PHOTOMETRIC_MINISWHITE));
        QCOMPARE(int(tiff.compression), compression);
        QCOMPARE(tiff.resolutionUnit, quint16(RESUNIT_INCH));
        QCOMPARE(qRound(tiff.xResolution), dpi);
        QCOMPARE(qRound(tiff.yResolution), dpi);
        written = tiff.image;
    }
    QCOMPARE(written.size(), size);

    if (!steps.isEmpty()) {
        for (const QString &step : std::as_const(steps))
            expected = applyStep(expected, step);
        const QString difference = firstDifference(written, expected);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }
    // zbar reads dark bars on light ground; an inverted symbol is read after inverting it back.
    QImage readable = written;
    if (steps.count(u"inv"_s) % 2 == 1)
        readable.invertPixels();
    QCOMPARE(decodedText(readable), kData);
}

QTEST_MAIN(TestConverterCommands)
#include "tst_converter_commands.moc"
