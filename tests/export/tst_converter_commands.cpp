#include "export_test_support.h"
#include "zbar_decode.h"

#include "export/image_converter.h"

#include <QTemporaryDir>
#include <QtTest>

#include <tiffio.h>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

const QString kFile = u"%D/Soap_5012345678900_001.tif"_s;

// The picture \a in after one step of the converter, drawn pixel by pixel.
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

} // namespace

class TestConverterCommands : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        putSymbolOnClipboard(ean13Geometry(), QSize(452, 240));
        QCOMPARE(run(u"source=Clipboard,dest=%1,raster=452,format=tif,colors=2,mono=1,xres=600,yres=600"_s.arg(kFile)),
                 0);
        m_rendered = readTiffFile(expand(kFile)).image;
        QVERIFY(m_rendered.save(expand(u"%D/label.png"_s)));
    }
    void cleanup() { releaseImageConverter(); }

    void commandShapes_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QStringList>("steps"); // how the output follows from the rendered picture
        QTest::addColumn<int>("compression");   // libtiff compression tag; 0 for a bitmap
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QString>("output");
        const QString same = u"source=%1,dest=%1,"_s.arg(kFile);
        QTest::newRow("reads a PNG at its own resolution")
            << QStringList{u"source=%D/label.png,dest=%1,format=5"_s.arg(kFile)} << QStringList()
            << COMPRESSION_CCITTFAX4 << 96 << kFile;
        QTest::newRow("adjust width") << QStringList{same + u"rescalex=600pix"_s} << QStringList{u"width600"_s}
                                      << COMPRESSION_NONE << 600 << kFile;
        QTest::newRow("invert, mirror and rotate in one command")
            << QStringList{same + u"inv=1,mirror=2,rot=90"_s} << QStringList{u"inv"_s, u"mirror2"_s, u"rot90"_s}
            << COMPRESSION_NONE << 600 << kFile;
        QTest::newRow("copies keep compression without format, commas in the names")
            << QStringList{same + u"format=2"_s, u"source=%1,dest=%D/Soap, 500g_002.tif"_s.arg(kFile),
                           u"source=%D/Soap, 500g_002.tif,dest=%D/Soap, 500g, big_003.tif"_s}
            << QStringList() << COMPRESSION_CCITTRLE << 600 << u"%D/Soap, 500g, big_003.tif"_s;
        QTest::newRow("ISBN lettering, to bitmap")
            << QStringList{u"source=%1,dest=%D/tmpVT2000.bmp,format=bmp"_s.arg(kFile)} << QStringList() << 0 << 600
            << u"%D/tmpVT2000.bmp"_s;
    }
    void commandShapes()
    {
        QFETCH(QStringList, commands);
        QFETCH(QStringList, steps);
        QFETCH(int, compression);
        QFETCH(int, dpi);
        QFETCH(QString, output);
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
        if (steps == QStringList{u"width600"_s}) {
            QCOMPARE(written.size(), QSize(600, 240));
        } else {
            QImage expected = m_rendered;
            for (const QString &step : std::as_const(steps))
                expected = applyStep(expected, step);
            QCOMPARE(written, expected);
        }
        if (steps.contains(u"inv"_s))
            written.invertPixels();
        QCOMPARE(decodedText(written), u"5012345678900"_s);
    }

    void keepsEachAxisResolution()
    {
        QCOMPARE(run(u"source=%1,dest=%1,xres=300,yres=600,format=5"_s.arg(kFile)), 0);
        TiffFile tiff = readTiffFile(expand(kFile));
        QCOMPARE(std::pair(qRound(tiff.xResolution), qRound(tiff.yResolution)), std::pair(300, 600));
        QCOMPARE(run(u"source=%1,dest=%1,rot=90"_s.arg(kFile)), 0);
        tiff = readTiffFile(expand(kFile));
        QCOMPARE(std::pair(qRound(tiff.xResolution), qRound(tiff.yResolution)), std::pair(600, 300));
    }

private:
    QString expand(QString text) const { return text.replace(u"%D"_s, m_dir->path()); }
    int run(const QString &command) { return imageConverter()->ExecuteCommand(expand(command)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QImage m_rendered;
};

QTEST_MAIN(TestConverterCommands)
#include "tst_converter_commands.moc"
