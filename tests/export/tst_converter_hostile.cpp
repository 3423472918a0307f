#include "export_test_support.h"

#include "export/converter_image.h"
#include "export/converter_log.h"
#include "export/converter_result.h"
#include "export/image_converter.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QtEndian>
#include <QTemporaryDir>
#include <QtTest>

#include <tiffio.h>

#include <bit>
#include <limits>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

// A 16 x 4 bilevel TIFF whose resolution is the rational numerator / denominator, or the float value.
QByteArray tiffWithResolution(quint32 numerator, quint32 denominator, bool asFloat = false, float value = 0)
{
    constexpr quint32 pixelsAt = 8 + 2 + 11 * 12 + 4;
    const quint32 resType = asFloat ? 11 : 5, res = asFloat ? std::bit_cast<quint32>(value) : pixelsAt + 8;
    const quint32 entries[][3] = {{256, 4, 16}, {257, 4, 4},         {258, 3, 1},        {259, 3, 1},
                                  {262, 3, 0},  {273, 4, pixelsAt},  {277, 3, 1},        {278, 4, 4},
                                  {279, 4, 8},  {282, resType, res}, {283, resType, res}};
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream.setByteOrder(QDataStream::LittleEndian);
    stream << quint16(0x4949) << quint16(42) << quint32(8) << quint16(11);
    for (const auto &e : entries)
        stream << quint16(e[0]) << quint16(e[1]) << quint32(1) << e[2];
    stream << quint32(0) << quint64(0x0ff00ff00ff00ff0) << numerator << denominator;
    return out;
}

QByteArray bmp24(int width, int height, qint64 cutTo, quint32 pixelOffset = 54)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(Qt::gray);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "bmp");
    QByteArray out = buffer.data();
    qToLittleEndian(pixelOffset, out.data() + 10);
    return cutTo >= 0 ? out.left(cutTo) : out;
}

bool writeDeflateRgbTiff(const QString &path, quint32 width, quint32 height)
{
    TIFF *tiff = TIFFOpen(QFile::encodeName(path).constData(), "w");
    if (!tiff)
        return false;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, uint16_t(8));
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, uint16_t(3));
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, uint16_t(PHOTOMETRIC_RGB));
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, uint16_t(PLANARCONFIG_CONTIG));
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, uint16_t(COMPRESSION_ADOBE_DEFLATE));
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, uint32_t(64));
    QByteArray row(qsizetype(width) * 3, '\0');
    bool ok = true;
    for (uint32_t y = 0; y < height && ok; ++y)
        ok = TIFFWriteScanline(tiff, row.data(), y, 0) == 1;
    TIFFClose(tiff);
    return ok;
}

} // namespace

class TestConverterHostile : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QFile::remove(converterLogPath());
        setConverterMemoryBudget(kDefaultMemoryBudget);
        m_old = tiffWithResolution(300, 1);
        QVERIFY(writeFileBytes(path(u"old.tif"_s), m_old));
    }

    void cleanup()
    {
        setConverterMemoryBudget(kDefaultMemoryBudget);
        releaseImageConverter();
    }

    void badSourceLeavesTheTarget_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // null: a FIFO
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("problem");
        using namespace ConverterResult;
        QTest::newRow("BMP one byte short")
            << u"in.bmp"_s << bmp24(64, 64, 54 + 64 * 192 - 1) << int(UnsupportedImageFormat) << u"in.bmp"_s;
        QTest::newRow("BMP pixels past the end")
            << u"in.bmp"_s << bmp24(8, 4, -1, 5000) << int(UnsupportedImageFormat) << u"in.bmp"_s;
        QTest::newRow("name like a pattern")
            << u"side%2_%3.tif"_s << QByteArray("II*\0\xff\xff\xff\x7f", 8) << int(ReadError) << u"side%2_%3.tif"_s;
        QTest::newRow("FIFO") << u"pipe.tif"_s << QByteArray() << int(ReadError) << u"no regular file"_s;
    }
    void badSourceLeavesTheTarget()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(int, result);
        QFETCH(QString, problem);
        if (bytes.isNull())
            QCOMPARE(::mkfifo(QFile::encodeName(path(name)).constData(), 0600), 0);
        else
            QVERIFY(writeFileBytes(path(name), bytes));
        QCOMPARE(convert(path(name), u"old.tif"_s), result);
        QCOMPARE(fileBytes(path(u"old.tif"_s)), m_old);
        QVERIFY(imageConverter()->lastProblem().contains(problem));
    }

    void resolutionOutOfRangeIsAbsent()
    {
        QVERIFY(writeFileBytes(path(u"plain.tif"_s), tiffWithResolution(0, 1)));
        QCOMPARE(convert(path(u"plain.tif"_s), u"plain_out.tif"_s), 0);
        const TiffFile plain = readTiffFile(path(u"plain_out.tif"_s));
        QVERIFY(plain.xResolution >= 1 && plain.xResolution <= 65535);
        for (const QByteArray &tiff :
             {tiffWithResolution(0, 0, true, std::numeric_limits<float>::infinity()), tiffWithResolution(65536, 1)}) {
            QFile::remove(converterLogPath());
            QVERIFY(writeFileBytes(path(u"in.tif"_s), tiff));
            QCOMPARE(convert(path(u"in.tif"_s), u"out.tif"_s, u",log=1"_s), 0);
            const TiffFile out = readTiffFile(path(u"out.tif"_s));
            QVERIFY(out.ok);
            QCOMPARE(std::pair(out.xResolution, out.yResolution), std::pair(plain.xResolution, plain.yResolution));
            const QString log = QString::fromUtf8(fileBytes(converterLogPath()));
            QVERIFY(log.contains(u"out of range and was ignored"_s));
            QVERIFY(log.contains(QString::number(double(out.xResolution)) + u" x "_s));
        }
    }

    void logValuesCannotForgeLines()
    {
        const QString forged = path(u"a\n2031-01-01T00:00:00\tsource=x\t-> 0\r\x1b[2J.tif"_s);
        QCOMPARE(convert(forged, u"out.tif"_s, u",log=1"_s), ConverterResult::FileNotFound);
        const QString log = QString::fromUtf8(fileBytes(converterLogPath()));
        QCOMPARE(log.count(u'\n'), 1);
        QVERIFY(!log.contains(u'\r') && !log.contains(QChar(0x1b)));
        QVERIFY(log.contains(u"a\\n2031-01-01T00:00:00\\tsource=x\\t-> 0\\r\\x1b[2J.tif"_s));
        QCOMPARE(escapedForLog(u"C:\\path\\n"_s), u"C:\\\\path\\\\n"_s);
    }

    void symbolGeometryOutOfProportion()
    {
        SymbolGeometry symbol = ean13Geometry();
        symbol.width = 1e300;
        putSymbolOnClipboard(symbol, QSize());
        QCOMPARE(convert(u"clipboard"_s, u"old.tif"_s), ConverterResult::NoClipboardImage);
        symbol.width = 1e-300;
        putSymbolOnClipboard(symbol, QSize());
        QCOMPARE(convert(u"clipboard"_s, u"old.tif"_s, u",raster=452"_s), ConverterResult::ImageTooLarge);
        QCOMPARE(fileBytes(path(u"old.tif"_s)), m_old);
    }

    void memoryBudget()
    {
        setConverterMemoryBudget(qint64(8) << 20);
        const QString in = path(u"old.tif"_s);
        QCOMPARE(convert(in, u"wide.tif"_s, u",rescalex=16384pix,rescaley=2048pix,format=5"_s),
                 ConverterResult::Success);
        const TiffFile wide = readTiffFile(path(u"wide.tif"_s), false);
        QCOMPARE(std::pair(wide.width, wide.height), std::pair(16384u, 2048u));
        QCOMPARE(convert(in, u"old.tif"_s, u",rescalex=16384pix,rescaley=4096pix,format=5"_s),
                 ConverterResult::ImageTooLarge);
        QVERIFY(imageConverter()->lastProblem().contains(u"budget"_s));

        QVERIFY(writeDeflateRgbTiff(path(u"rgb.tif"_s), 1024, 2048));
        QVERIFY(QFileInfo(path(u"rgb.tif"_s)).size() < 100000);
        QCOMPARE(convert(path(u"rgb.tif"_s), u"old.tif"_s), ConverterResult::ImageTooLarge);
        setConverterMemoryBudget(qint64(17) << 20);
        QCOMPARE(convert(path(u"rgb.tif"_s), u"rgb_out.tif"_s), ConverterResult::Success);
        QCOMPARE(fileBytes(path(u"old.tif"_s)), m_old);
    }

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    int convert(const QString &source, const QString &dest, const QString &options = {})
    {
        return imageConverter()->ExecuteCommand(u"source="_s + source + u",dest="_s + path(dest) + options);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_old;
};

QTEST_MAIN(TestConverterHostile)
#include "tst_converter_hostile.moc"
