// The converter's result codes, each reached on purpose, what a failed command leaves behind,
// and the pixel budget's retry path.

#include "export_test_support.h"
#include "recording_prompt.h"

#include "export/converter_errors.h"
#include "export/converter_image.h"
#include "export/converter_log.h"
#include "export/converter_result.h"
#include "export/image_converter.h"
#include "export/tiff_io.h"
#include "export/tiff_state.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A device that accepts a fixed number of bytes and then refuses every write.
class FailingDevice final : public QBuffer {
public:
    explicit FailingDevice(qint64 limit) : m_limit(limit) {}

protected:
    qint64 writeData(const char *data, qint64 length) override
    {
        if (pos() + length > m_limit)
            return -1;
        return QBuffer::writeData(data, length);
    }

private:
    qint64 m_limit;
};

// Lowers one resource limit for the lifetime of the object.
class ResourceLimit {
public:
    ResourceLimit(int resource, rlim_t value) : m_resource(resource)
    {
        getrlimit(m_resource, &m_old);
        rlimit lowered = m_old;
        lowered.rlim_cur = value;
        m_ok = setrlimit(m_resource, &lowered) == 0;
    }
    ~ResourceLimit() { setrlimit(m_resource, &m_old); }
    bool ok() const { return m_ok; }

private:
    int m_resource;
    rlimit m_old{};
    bool m_ok = false;
};

qint64 virtualMemoryBytes()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmSize:"))
            return line.mid(7).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return -1;
}

} // namespace

class TestConverterResults : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void resultCodes_data();
    void resultCodes();
    void failedWriteLeavesOldFile();
    void outOfMemory();
    void tiffWriterStopsWhenTheDeviceFails_data();
    void tiffWriterStopsWhenTheDeviceFails();
    void tooLargeRetryPath();

private:
    QString expand(QString text) const { return text.replace(u"%D"_s, m_dir->path()); }
    int run(const QString &command) { return imageConverter()->ExecuteCommand(expand(command)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_oldFile;
};

void TestConverterResults::initTestCase()
{
    // Writes past a file size limit must fail with an error, not end the test.
    std::signal(SIGXFSZ, SIG_IGN);
}

void TestConverterResults::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QFile::remove(converterLogPath());
    putSymbolOnClipboard(ean13Geometry(), QSize(452, 240));
    QCOMPARE(run(u"source=clipboard,dest=%D/in.tif,raster=452,format=5,xres=600,yres=600"_s), 0);
    QCOMPARE(run(u"source=%D/in.tif,dest=%D/old.tif,format=5"_s), 0);
    m_oldFile = readAll(expand(u"%D/old.tif"_s));
    QVERIFY(!m_oldFile.isEmpty());

    const QByteArray tiff = readAll(expand(u"%D/in.tif"_s));
    writeBytes(expand(u"%D/notes.txt"_s), "Soap;5012345678900\n");
    writeBytes(expand(u"%D/empty.tif"_s), {});
    writeBytes(expand(u"%D/header.tif"_s), "II*\0\xff\xff\xff\x7f"_ba);
    QCOMPARE(run(u"source=%D/in.tif,dest=%D/plain.tif,format=0"_s), 0);
    const QByteArray plain = readAll(expand(u"%D/plain.tif"_s));
    writeBytes(expand(u"%D/truncated.tif"_s), plain.left(plain.size() / 2));
    const TiffFile decoded = readTiffFile(expand(u"%D/in.tif"_s));
    QVERIFY(decoded.image.save(expand(u"%D/picture.png"_s)));
    // Qt reads GIF but cannot write it: the smallest GIF there is, one white pixel.
    writeBytes(expand(u"%D/picture.gif"_s), QByteArray::fromHex("474946383961010001008000"
                                                                "00ffffff00000021f904010000"
                                                                "00002c000000000100010000020244"
                                                                "01003b"));
    QVERIFY(decoded.image.save(expand(u"%D/picture.jpg"_s)));
    const QByteArray png = readAll(expand(u"%D/picture.png"_s));
    writeBytes(expand(u"%D/truncated.png"_s), png.left(png.size() / 2));
    QVERIFY(QDir(m_dir->path()).mkdir(u"folder"_s));
}

void TestConverterResults::cleanup()
{
    releaseImageConverter();
}

void TestConverterResults::resultCodes_data()
{
    QTest::addColumn<QString>("clipboard"); // "symbol", "empty" or "text"
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("result");

    const QString to = u",dest=%D/old.tif"_s;
    auto row = [](const char *name, const QString &clipboard, const QString &command, int result) {
        QTest::newRow(name) << clipboard << command << result;
    };
    row("missing file", u"symbol"_s, u"source=%D/nothere.tif"_s + to, ConverterResult::FileNotFound);
    row("missing file with blanks", u"symbol"_s, u"source=%D/AB Soap_5012345678900_001.tif"_s + to,
        ConverterResult::FileNotFound);
    row("text file", u"symbol"_s, u"source=%D/notes.txt"_s + to, ConverterResult::UnsupportedImageFormat);
    row("empty file", u"symbol"_s, u"source=%D/empty.tif"_s + to, ConverterResult::UnsupportedImageFormat);
    row("GIF", u"symbol"_s, u"source=%D/picture.gif"_s + to, ConverterResult::UnsupportedImageFormat);
    row("JPEG", u"symbol"_s, u"source=%D/picture.jpg"_s + to, ConverterResult::UnsupportedImageFormat);
    row("truncated TIFF", u"symbol"_s, u"source=%D/truncated.tif"_s + to, ConverterResult::ReadError);
    row("TIFF header only", u"symbol"_s, u"source=%D/header.tif"_s + to, ConverterResult::ReadError);
    row("truncated PNG", u"symbol"_s, u"source=%D/truncated.png"_s + to, ConverterResult::ReadError);
    row("source is a folder", u"symbol"_s, u"source=%D/folder"_s + to, ConverterResult::ReadError);

    const QString in = u"source=%D/in.tif"_s + to;
    row("empty command", u"symbol"_s, QString(), ConverterResult::MissingParameter);
    row("no source", u"symbol"_s, u"dest=%D/old.tif,format=4,log=1"_s, ConverterResult::MissingParameter);
    row("no dest", u"symbol"_s, u"source=%D/in.tif,format=4,log=1"_s, ConverterResult::MissingParameter);
    row("empty source", u"symbol"_s, u"source="_s + to, ConverterResult::MissingParameter);
    row("no equals sign", u"symbol"_s, u"source"_s + to, ConverterResult::MissingParameter);
    row("unknown key", u"symbol"_s, in + u",rotate=90"_s, ConverterResult::MissingParameter);
    row("key given twice", u"symbol"_s, in + u",format=4,format=5"_s, ConverterResult::MissingParameter);
    row("empty element", u"symbol"_s, in + u",,log=1"_s, ConverterResult::MissingParameter);
    row("trailing comma", u"symbol"_s, in + u",log=1,"_s, ConverterResult::MissingParameter);
    row("rot 45", u"symbol"_s, in + u",rot=45"_s, ConverterResult::MissingParameter);
    row("mirror 3", u"symbol"_s, in + u",mirror=3"_s, ConverterResult::MissingParameter);
    row("inv 2", u"symbol"_s, in + u",inv=2"_s, ConverterResult::MissingParameter);
    row("colors 256", u"symbol"_s, in + u",colors=256"_s, ConverterResult::MissingParameter);
    row("raster 0", u"symbol"_s, u"source=clipboard"_s + to + u",raster=0"_s, ConverterResult::MissingParameter);
    row("raster negative", u"symbol"_s, u"source=clipboard"_s + to + u",raster=-5"_s,
        ConverterResult::MissingParameter);
    row("xres not a number", u"symbol"_s, in + u",xres=abc"_s, ConverterResult::MissingParameter);
    row("yres 0", u"symbol"_s, in + u",yres=0"_s, ConverterResult::MissingParameter);
    row("rescale without unit", u"symbol"_s, in + u",rescalex=50"_s, ConverterResult::MissingParameter);
    row("rescale 0 percent", u"symbol"_s, in + u",rescalex=0%"_s, ConverterResult::MissingParameter);
    row("rescale fraction of a pixel", u"symbol"_s, in + u",rescaley=12.5pix"_s, ConverterResult::MissingParameter);
    row("bad key wins over bad format", u"symbol"_s, in + u",format=jpg,rot=45"_s, ConverterResult::MissingParameter);

    row("format jpg", u"symbol"_s, in + u",format=jpg"_s, ConverterResult::UnsupportedExportFormat);
    row("format png", u"symbol"_s, in + u",format=png"_s, ConverterResult::UnsupportedExportFormat);
    row("format 1", u"symbol"_s, in + u",format=1"_s, ConverterResult::UnsupportedExportFormat);
    row("format 3", u"symbol"_s, in + u",format=3"_s, ConverterResult::UnsupportedExportFormat);

    row("raster beyond the budget", u"symbol"_s,
        u"source=clipboard"_s + to + u",raster=100000,format=tif,colors=2,mono=1,xres=4800,yres=4800,log=1"_s,
        ConverterResult::ImageTooLarge);
    row("raster beyond the longest side", u"symbol"_s, u"source=clipboard"_s + to + u",raster=300000"_s,
        ConverterResult::ImageTooLarge);
    row("enlarge beyond the budget", u"symbol"_s, in + u",rescalex=10000%,rescaley=10000%"_s,
        ConverterResult::ImageTooLarge);
    row("width beyond the longest side", u"symbol"_s, in + u",rescalex=300000pix"_s, ConverterResult::ImageTooLarge);

    row("empty clipboard", u"empty"_s, u"source=clipboard"_s + to, ConverterResult::NoClipboardImage);
    row("text on the clipboard", u"text"_s, u"source=Clipboard"_s + to + u",raster=452"_s,
        ConverterResult::NoClipboardImage);

    row("destination folder missing", u"symbol"_s, u"source=%D/in.tif,dest=%D/missing/out.tif"_s,
        ConverterResult::WriteError);
    row("destination is a folder", u"symbol"_s, u"source=%D/in.tif,dest=%D/folder"_s, ConverterResult::WriteError);
    row("destination under a file", u"symbol"_s, u"source=%D/in.tif,dest=%D/notes.txt/out.tif"_s,
        ConverterResult::WriteError);
}

void TestConverterResults::resultCodes()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, command);
    QFETCH(int, result);

    if (clipboard == u"empty") {
        QGuiApplication::clipboard()->clear();
    } else if (clipboard == u"text") {
        QGuiApplication::clipboard()->setText(u"5012345678900"_s);
    }
    QCOMPARE(run(command), result);
    QVERIFY(!imageConverter()->lastProblem().isEmpty());
    // A failed command changes nothing it was to write.
    QCOMPARE(readAll(expand(u"%D/old.tif"_s)), m_oldFile);
    QVERIFY(!QFile::exists(expand(u"%D/missing/out.tif"_s)));
    QVERIFY(QFileInfo(expand(u"%D/folder"_s)).isDir());
    QCOMPARE(readAll(expand(u"%D/notes.txt"_s)), QByteArray("Soap;5012345678900\n"));
}

void TestConverterResults::failedWriteLeavesOldFile()
{
    // An uncompressed 1808 x 960 picture needs more than 200 KB; the file size limit stops the
    // write half way, as a full disk would.
    QString command = u"source=%D/in.tif,dest=%D/old.tif,rescalex=400%,rescaley=400%,format=0"_s;
    {
        ResourceLimit limit(RLIMIT_FSIZE, 64 * 1024);
        QVERIFY(limit.ok());
        QCOMPARE(run(command), ConverterResult::WriteError);
    }
    QCOMPARE(readAll(expand(u"%D/old.tif"_s)), m_oldFile);
    QVERIFY(imageConverter()->lastProblem().contains(u"old.tif"_s));
    // No temporary file is left beside it.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).filter(u".tmp"_s), QStringList());

    QCOMPARE(run(command), 0);
    QCOMPARE(readTiffFile(expand(u"%D/old.tif"_s)).width, 1808u);
}

void TestConverterResults::outOfMemory()
{
    // A picture inside the pixel budget that memory cannot hold: 32768 x 32768 pixels take
    // 128 MiB at one bit each.
    putSymbolOnClipboard(ean13Geometry(), QSize(100, 100));
    const qint64 used = virtualMemoryBytes();
    if (used <= 0)
        QSKIP("the process's memory use is not known here");
    int result = 0;
    {
        ResourceLimit limit(RLIMIT_AS, rlim_t(used + (64 << 20)));
        QVERIFY(limit.ok());
        result = run(u"source=clipboard,dest=%D/old.tif,raster=32768,format=tif,xres=4800,yres=4800"_s);
    }
    QCOMPARE(result, ConverterResult::OutOfMemory);
    QCOMPARE(readAll(expand(u"%D/old.tif"_s)), m_oldFile);
}

void TestConverterResults::tiffWriterStopsWhenTheDeviceFails_data()
{
    QTest::addColumn<int>("permille"); // of the whole file's size
    QTest::addColumn<int>("compression");
    for (int permille : {0, 1, 10, 250, 500, 900, 999}) {
        QTest::addRow("%d permille, uncompressed", permille) << permille << int(TiffCompression::None);
        QTest::addRow("%d permille, Huffman", permille) << permille << int(TiffCompression::CcittRle);
        QTest::addRow("%d permille, Group 4", permille) << permille << int(TiffCompression::Group4);
    }
}

void TestConverterResults::tiffWriterStopsWhenTheDeviceFails()
{
    QFETCH(int, permille);
    QFETCH(int, compression);

    ConverterImage picture;
    picture.image = toMonochrome(readTiffFile(expand(u"%D/in.tif"_s)).image);
    picture.xDpi = picture.yDpi = 600;
    QBuffer whole;
    QVERIFY(whole.open(QIODevice::WriteOnly));
    QString problem;
    QVERIFY(writeTiff(whole, picture, TiffCompression(compression), &problem));
    const qint64 limit = whole.size() * permille / 1000;

    FailingDevice device(limit);
    QVERIFY(device.open(QIODevice::ReadWrite));
    QVERIFY(!writeTiff(device, picture, TiffCompression(compression), &problem));
    QVERIFY(!problem.isEmpty());
}

void TestConverterResults::tooLargeRetryPath()
{
    // The export renders, gets "too large", asks, and renders again at half the size, then
    // tries to enlarge back; the enlarged picture is too large again, which the retry state
    // keeps silent, so the half-size TIFF stays ("the size might not be right"). A long, low
    // picture reaches the limit through its width, which keeps the test small.
    RecordingPrompt prompt;
    prompt.answers.enqueue(PromptAnswer::Ok);
    prompt.answers.enqueue(PromptAnswer::Yes);
    TiffRetryState.clear();
    TiffResolution = 4800;
    putSymbolOnClipboard(ean13Geometry(), QSize(1000, 1));
    const QString target = expand(u"%D/Big_5012345678900_001.tif"_s);
    const QString render = u"source=clipboard,dest=%1,raster=%2,format=tif,colors=2,mono=1,xres=4800,yres=4800,log=1"_s;

    int result = imageConverter()->ExecuteCommand(render.arg(target).arg(2 * 150000));
    QCOMPARE(result, ConverterResult::ImageTooLarge);
    ReportConverterError(result);
    QCOMPARE(TiffRetryState, u"Unspecified"_s);
    QCOMPARE(prompt.asked.size(), 2);
    QVERIFY(!QFile::exists(target));

    QCOMPARE(imageConverter()->ExecuteCommand(render.arg(target).arg(150000)), 0);
    result = imageConverter()->ExecuteCommand(
        u"source=%1,dest=%1,rescalex=200%,rescaley=200%,xres=4800,yres=4800,log=1"_s.arg(target));
    QCOMPARE(result, ConverterResult::ImageTooLarge);
    ReportConverterError(result);
    QCOMPARE(prompt.asked.size(), 2);
    QCOMPARE(TiffRetryState, u"Unspecified"_s);

    const TiffFile tiff = readTiffFile(target, false);
    QVERIFY(tiff.ok);
    QCOMPARE(tiff.width, 150000u);
    QCOMPARE(tiff.height, 150u);
    QCOMPARE(qRound(tiff.xResolution), 4800);
    TiffRetryState.clear();
}

QTEST_MAIN(TestConverterResults)
#include "tst_converter_results.moc"
