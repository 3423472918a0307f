// The image converter driven by its command strings: the files it writes, read back with
// libtiff, its result codes, its log, its messages, and what it does with hostile input.

#include "export_test_support.h"
#include "recording_prompt.h"

#include "export/converter_errors.h"
#include "export/converter_image.h"
#include "export/converter_log.h"
#include "export/converter_result.h"
#include "export/image_converter.h"
#include "render/program_clipboard.h"
#include "zbar_decode.h"

#include <QBuffer>
#include <QClipboard>
#include <QDataStream>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <tiffio.h>

#include <bit>
#include <csignal>
#include <limits>

#include <sys/resource.h>
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

int runLimited(int resource, rlim_t value, const QString &command)
{
    rlimit old{};
    getrlimit(resource, &old);
    rlimit lowered{value, old.rlim_max};
    const int result = setrlimit(resource, &lowered) != 0 ? -1 : imageConverter()->ExecuteCommand(command);
    setrlimit(resource, &old);
    return result;
}

} // namespace

class TestConverterResults : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QFile::remove(converterLogPath());
        setConverterMemoryBudget(kDefaultMemoryBudget);
        putSymbolOnClipboard(ean13Geometry(), QSize(452, 240));
        QCOMPARE(run(u"source=Clipboard,dest=%D/in.tif,raster=452,format=tif,colors=2,mono=1,xres=600,yres=600"_s), 0);
        m_rendered = readTiffFile(expand(u"%D/in.tif"_s)).image;
        QCOMPARE(run(u"source=%D/in.tif,dest=%D/old.tif,format=5"_s), 0);
        m_old = fileBytes(expand(u"%D/old.tif"_s));
    }
    void cleanup()
    {
        setConverterMemoryBudget(kDefaultMemoryBudget);
        releaseImageConverter();
    }

    void transformsArePixelExact()
    {
        // Mirrored left to right alone: each row read backwards.
        QCOMPARE(run(u"source=%D/in.tif,dest=%D/lr.tif,mirror=1"_s), 0);
        const QImage mirrored = readTiffFile(expand(u"%D/lr.tif"_s)).image;
        QCOMPARE(mirrored.size(), m_rendered.size());
        int wrongMirror = 0;
        for (int y = 0; y < mirrored.height(); ++y)
            for (int x = 0; x < mirrored.width(); ++x)
                wrongMirror += isBlack(mirrored, x, y) != isBlack(m_rendered, mirrored.width() - 1 - x, y);
        QCOMPARE(wrongMirror, 0);

        QCOMPARE(run(u"source=%D/in.tif,dest=%D/in.tif,xres=300,yres=600"_s), 0);
        QCOMPARE(run(u"source=%D/in.tif,dest=%D/in.tif,inv=1,mirror=2,rot=90"_s), 0);
        const TiffFile tiff = readTiffFile(expand(u"%D/in.tif"_s));
        QCOMPARE(std::tuple(tiff.bitsPerSample, tiff.samplesPerPixel, tiff.photometric, tiff.resolutionUnit),
                 std::tuple(quint16(1), quint16(1), quint16(PHOTOMETRIC_MINISWHITE), quint16(RESUNIT_INCH)));
        QCOMPARE(std::pair(qRound(tiff.xResolution), qRound(tiff.yResolution)), std::pair(600, 300));
        // Flipped top to bottom, then turned a quarter clockwise: the picture is its transpose.
        QCOMPARE(tiff.image.size(), m_rendered.size().transposed());
        int wrong = 0;
        for (int y = 0; y < tiff.image.height(); ++y)
            for (int x = 0; x < tiff.image.width(); ++x)
                wrong += isBlack(tiff.image, x, y) == isBlack(m_rendered, y, x);
        QCOMPARE(wrong, 0);
    }

    void bareSymbolTakesCopiedSize_data()
    {
        QTest::addColumn<QByteArray>("copiedSize");
        QTest::addColumn<QString>("options");
        QTest::addColumn<QSize>("size");
        QTest::newRow("copied size") << QByteArray::fromHex("000001c4000000f0") << QString() << QSize(452, 240);
        QTest::newRow("copied shape, raster width")
            << QByteArray::fromHex("000001c4000000f0") << u",raster=904"_s << QSize(904, 480);
        // Without a usable size: 3 pixels for each of its 113 modules, in the symbol's own proportions.
        QTest::newRow("size cut short") << QByteArray::fromHex("000001c4") << QString() << QSize(339, 177);
        QTest::newRow("beyond any picture") << QByteArray::fromHex("7fffffff7fffffff") << QString() << QSize(339, 177);
    }
    void bareSymbolTakesCopiedSize()
    {
        QFETCH(QByteArray, copiedSize);
        QFETCH(QString, options);
        QFETCH(QSize, size);
        auto *data = new QMimeData;
        data->setData(QLatin1StringView(kSymbolMimeType), ean13Geometry().toBytes());
        data->setData(QLatin1StringView(kSymbolSizeMimeType), copiedSize);
        ProgramClipboard::setData(data);
        QCOMPARE(run(u"source=clipboard,dest=%D/bare.tif,format=5"_s + options), 0);
        const TiffFile tiff = readTiffFile(expand(u"%D/bare.tif"_s));
        QCOMPARE(tiff.image.size(), size);
        QCOMPARE(decodedText(tiff.image), decodedText(m_rendered));
    }

    void copiesKeepTheCompression()
    {
        QCOMPARE(run(u"source=%D/in.tif,dest=%D/in.tif,format=2"_s), 0);
        QCOMPARE(run(u"source=%D/in.tif,dest=%D/Soap, 500g_002.tif"_s), 0);
        QCOMPARE(run(u"source=%D/Soap, 500g_002.tif,dest=%D/Soap, 500g, big_003.tif"_s), 0);
        const TiffFile tiff = readTiffFile(expand(u"%D/Soap, 500g, big_003.tif"_s));
        QCOMPARE(std::tuple(int(tiff.compression), qRound(tiff.xResolution)), std::tuple(COMPRESSION_CCITTRLE, 600));
        QCOMPARE(tiff.image, m_rendered);
    }

    void refusedSourceLeavesTheTarget_data()
    {
        QTest::addColumn<QString>("source");   // a file in the folder; "pipe.tif" is made a FIFO
        QTest::addColumn<QByteArray>("bytes"); // null: the file is not written
        QTest::addColumn<QString>("options");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("problem");
        using namespace ConverterResult;
        QTest::newRow("BMP one byte short") << u"in.bmp"_s << bmp24(64, 64, 54 + 64 * 192 - 1) << QString()
                                            << int(UnsupportedImageFormat) << u"in.bmp"_s;
        QTest::newRow("BMP pixels past the end")
            << u"in.bmp"_s << bmp24(8, 4, -1, 5000) << QString() << int(UnsupportedImageFormat) << u"in.bmp"_s;
        QTest::newRow("truncated TIFF named like a pattern")
            << u"side%2_%3.tif"_s << QByteArray("II*\0\xff\xff\xff\x7f", 8) << QString() << int(ReadError)
            << u"side%2_%3.tif"_s;
        QTest::newRow("FIFO") << u"pipe.tif"_s << QByteArray() << QString() << int(ReadError) << u"no regular file"_s;
        QTest::newRow("format 3") << u"in.tif"_s << QByteArray() << u",format=3"_s << int(UnsupportedExportFormat)
                                  << QString();
        QTest::newRow("empty clipboard") << u"clipboard"_s << QByteArray() << QString() << int(NoClipboardImage)
                                         << QString();
        QTest::newRow("empty command") << QString() << QByteArray() << QString() << int(MissingParameter) << QString();
    }
    void refusedSourceLeavesTheTarget()
    {
        QFETCH(QString, source);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, options);
        QFETCH(int, result);
        QFETCH(QString, problem);
        const QString path = source == u"clipboard" ? source : m_dir->filePath(source);
        if (source == u"pipe.tif")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (!bytes.isNull())
            QVERIFY(writeFileBytes(path, bytes));
        QGuiApplication::clipboard()->clear();
        const QString command = u"source="_s + path + options + u",dest=%D/old.tif"_s;
        QCOMPARE(run(source.isEmpty() ? QString() : command), result);
        QVERIFY(imageConverter()->lastProblem().contains(problem) && !imageConverter()->lastProblem().isEmpty());
        QCOMPARE(fileBytes(expand(u"%D/old.tif"_s)), m_old);
    }

    void symbolGeometryOutOfProportion()
    {
        SymbolGeometry symbol = ean13Geometry();
        symbol.width = 1e300;
        putSymbolOnClipboard(symbol, QSize());
        QCOMPARE(run(u"source=clipboard,dest=%D/old.tif"_s), ConverterResult::NoClipboardImage);
        symbol.width = 1e-300;
        putSymbolOnClipboard(symbol, QSize());
        QCOMPARE(run(u"source=clipboard,dest=%D/old.tif,raster=452"_s), ConverterResult::ImageTooLarge);
        QCOMPARE(fileBytes(expand(u"%D/old.tif"_s)), m_old);
    }

    void resolutionOutOfRangeIsAbsent()
    {
        QVERIFY(writeFileBytes(expand(u"%D/plain.tif"_s), tiffWithResolution(0, 1)));
        QCOMPARE(run(u"source=%D/plain.tif,dest=%D/plain_out.tif"_s), 0);
        const TiffFile plain = readTiffFile(expand(u"%D/plain_out.tif"_s));
        QVERIFY(plain.xResolution >= 1 && plain.xResolution <= 65535);
        for (const QByteArray &tiff :
             {tiffWithResolution(0, 0, true, std::numeric_limits<float>::infinity()), tiffWithResolution(65536, 1)}) {
            QFile::remove(converterLogPath());
            QVERIFY(writeFileBytes(expand(u"%D/res.tif"_s), tiff));
            QCOMPARE(run(u"source=%D/res.tif,dest=%D/out.tif,log=1"_s), 0);
            const TiffFile out = readTiffFile(expand(u"%D/out.tif"_s));
            QVERIFY(out.ok);
            QCOMPARE(std::pair(out.xResolution, out.yResolution), std::pair(plain.xResolution, plain.yResolution));
            const QString log = QString::fromUtf8(fileBytes(converterLogPath()));
            QVERIFY(log.contains(u"out of range and was ignored"_s));
            QVERIFY(log.contains(QString::number(double(out.xResolution)) + u" x "_s));
        }
    }

    void memoryBudget()
    {
        setConverterMemoryBudget(qint64(8) << 20);
        QCOMPARE(run(u"source=%D/old.tif,dest=%D/wide.tif,rescalex=16384pix,rescaley=2048pix,format=5"_s),
                 ConverterResult::Success);
        const TiffFile wide = readTiffFile(expand(u"%D/wide.tif"_s), false);
        QCOMPARE(std::pair(wide.width, wide.height), std::pair(16384u, 2048u));
        QCOMPARE(run(u"source=%D/in.tif,dest=%D/old.tif,rescalex=16384pix,rescaley=4096pix,format=5"_s),
                 ConverterResult::ImageTooLarge);
        QVERIFY(imageConverter()->lastProblem().contains(u"budget"_s));

        QVERIFY(writeDeflateRgbTiff(expand(u"%D/rgb.tif"_s), 1024, 2048));
        QVERIFY(QFileInfo(expand(u"%D/rgb.tif"_s)).size() < 100000);
        QCOMPARE(run(u"source=%D/rgb.tif,dest=%D/old.tif"_s), ConverterResult::ImageTooLarge);
        setConverterMemoryBudget(qint64(17) << 20);
        QCOMPARE(run(u"source=%D/rgb.tif,dest=%D/rgb_out.tif"_s), ConverterResult::Success);
        QCOMPARE(fileBytes(expand(u"%D/old.tif"_s)), m_old);
    }

    void failedWriteLeavesOldFile()
    {
        const QString command = expand(u"source=%D/in.tif,dest=%D/%1,rescalex=400%,rescaley=400%,format=5"_s);
        QCOMPARE(run(command.arg(u"whole.tif"_s)), 0);
        const qint64 size = QFileInfo(expand(u"%D/whole.tif"_s)).size();
        for (const int permille : {0, 999}) {
            QCOMPARE(runLimited(RLIMIT_FSIZE, rlim_t(size * permille / 1000), command.arg(u"old.tif"_s)),
                     ConverterResult::WriteError);
            QCOMPARE(fileBytes(expand(u"%D/old.tif"_s)), m_old);
            QVERIFY(imageConverter()->lastProblem().contains(u"old.tif"_s));
            QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).filter(u".tmp"_s), QStringList());
        }
    }

    void logFile()
    {
        const QString logged = expand(u"source=%D/in.tif,dest=%D/a.tif,format=4,log=1"_s);
        QCOMPARE(run(logged), 0);
        QCOMPARE(run(u"source=%D/in.tif,dest=%D/b.tif,format=4"_s), 0);
        // A value cannot forge lines of its own.
        QCOMPARE(run(u"source=%D/a\n2031-01-01T00:00:00\tsource=x\t-> 0\r\x1b[2J.tif,dest=%D/d.tif,log=1"_s),
                 ConverterResult::FileNotFound);
        const QString log = QString::fromUtf8(fileBytes(converterLogPath()));
        const QStringList lines = log.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.at(0).contains(logged + u"\t-> 0"_s) && lines.at(1).contains(u"-> 32504"_s));
        QVERIFY(lines.at(1).contains(u"a\\n2031-01-01T00:00:00\\tsource=x\\t-> 0\\r\\x1b[2J.tif,dest="_s));
        QVERIFY(!log.contains(u'\r') && !log.contains(QChar(0x1b)));
        // The log keeps its newest lines within its size limit.
        for (int i = 0; i < 200; ++i)
            run(u"source=%D/none_"_s + QString::number(i) + QString(700, u'_') + u".tif,dest=%D/x.tif,log=1"_s);
        const QByteArray capped = fileBytes(converterLogPath());
        QVERIFY(capped.size() <= kConverterLogLimit && capped.size() > kConverterLogLimit / 2);
        QVERIFY(capped.contains("none_199_") && !capped.contains("none_0_"));
    }

    void messages()
    {
        RecordingPrompt prompt;
        prompt.answers.enqueue(PromptAnswer::Ok);
        prompt.answers.enqueue(PromptAnswer::Yes);
        QCOMPARE(ReportConverterError(32501, TiffRetry::None, {{}, {}, 2400}), TiffRetry::Smaller);
        QCOMPARE(std::tuple(prompt.asked[0].title, prompt.asked[0].icon),
                 std::tuple(u"TIFF Error"_s, PromptIcon::Exclamation));
        QCOMPARE(std::tuple(prompt.asked[1].title, prompt.asked[1].buttons, prompt.asked[1].helpContext),
                 std::tuple(u"To big a Tiff"_s, PromptButtons::YesNo, 820));
        // Running out of memory ends a retry, and only a retry.
        QCOMPARE(ReportConverterError(32506, TiffRetry::Smaller, {}), TiffRetry::Stop);
        QCOMPARE(ReportConverterError(32506, TiffRetry::None, {}), TiffRetry::None);

        putSymbolOnClipboard(ean13Geometry(), QSize(20, 10));
        prompt.clear();
        QCOMPARE(ReportConverterError(33203, TiffRetry::None, {u"E130"_s, u"5012345678900"_s, 2400}), TiffRetry::None);
        QCOMPARE(prompt.texts(), (QStringList{u"Unsupported Export Format"_s, u"E130 # 5012345678900 # Pic=True"_s}));
        QCOMPARE(std::tuple(prompt.asked[1].title, prompt.asked[1].icon),
                 std::tuple(applicationTitle(), PromptIcon::NoIcon));
    }

private:
    QString expand(QString text) const { return text.replace(u"%D"_s, m_dir->path()); }
    int run(const QString &command) { return imageConverter()->ExecuteCommand(expand(command)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QImage m_rendered;
    QByteArray m_old;
};

QTEST_MAIN(TestConverterResults)
#include "tst_converter_results.moc"
