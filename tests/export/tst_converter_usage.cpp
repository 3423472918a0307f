// What users and the export rely on beyond single steps: the images the converter reads,
// keys and "clipboard" in any case, commas in file names, the log, the command line entry and
// the one converter of the program.

#include "export_test_support.h"
#include "zbar_decode.h"

#include "export/convert_command_line.h"
#include "export/converter_log.h"
#include "export/converter_result.h"
#include "export/image_converter.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <memory>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestConverterUsage : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void readableSources_data();
    void readableSources();
    void keysAndClipboardIgnoreCase();
    void commaInFileName();
    void logFile();
    void logFileIsCapped();
    void commandLine();
    void oneConverterForTheProgram();

private:
    QString expand(QString text) const { return text.replace(u"%D"_s, m_dir->path()); }
    int run(const QString &command) { return imageConverter()->ExecuteCommand(expand(command)); }
    QString logText() const { return QString::fromUtf8(readAll(converterLogPath())); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestConverterUsage::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QFile::remove(converterLogPath());
    putSymbolOnClipboard(ean13Geometry(), QSize(452, 240));
    QCOMPARE(run(u"source=clipboard,dest=%D/in.tif,raster=452,format=5,xres=600,yres=600"_s), 0);
}

void TestConverterUsage::cleanup()
{
    releaseImageConverter();
}

void TestConverterUsage::readableSources_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("format"); // how Qt writes the test file; empty: made by the converter
    QTest::addColumn<int>("qtFormat");

    QTest::newRow("PNG, colour") << u"label.png"_s << u"png"_s << int(QImage::Format_RGB32);
    QTest::newRow("PNG, grey") << u"label.png"_s << u"png"_s << int(QImage::Format_Grayscale8);
    QTest::newRow("BMP, 24 bit") << u"label.bmp"_s << u"bmp"_s << int(QImage::Format_RGB32);
    QTest::newRow("BMP, 1 bit") << u"label.bmp"_s << u"bmp"_s << int(QImage::Format_Mono);
    QTest::newRow("BMP, misleading name") << u"label.tif"_s << u"bmp"_s << int(QImage::Format_RGB32);
    QTest::newRow("TIFF, Group 4") << u"in.tif"_s << QString() << 0;
}

void TestConverterUsage::readableSources()
{
    QFETCH(QString, file);
    QFETCH(QString, format);
    QFETCH(int, qtFormat);

    const QString path = m_dir->filePath(file);
    if (!format.isEmpty()) {
        const QImage label = readTiffFile(expand(u"%D/in.tif"_s)).image;
        QVERIFY(label.convertToFormat(QImage::Format(qtFormat)).save(path, format.toLatin1().constData()));
    }
    QCOMPARE(run(u"source=%1,dest=%D/out.tif,format=5,log=1"_s.arg(path)), 0);
    const TiffFile out = readTiffFile(expand(u"%D/out.tif"_s));
    QVERIFY2(out.ok, qPrintable(out.error));
    QCOMPARE(QSize(int(out.width), int(out.height)), QSize(452, 240));
    QCOMPARE(out.bitsPerSample, quint16(1));
    QCOMPARE(decodedText(out.image), u"5012345678900"_s);
}

void TestConverterUsage::keysAndClipboardIgnoreCase()
{
    QCOMPARE(run(u"SOURCE=CLIPBOARD,Dest=%D/upper.tif,RASTER=452,Format=TIF,Colors=2,MONO=1,XRES=300,YRES=300,LOG=1"_s),
             0);
    const TiffFile tiff = readTiffFile(expand(u"%D/upper.tif"_s));
    QVERIFY(tiff.ok);
    QCOMPARE(qRound(tiff.xResolution), 300);
    QCOMPARE(run(u"source=%D/upper.tif,dest=ClipBoard,Rot=90"_s), 0);
    QCOMPARE(run(u"source=cLiPbOaRd,dest=%D/turned.tif"_s), 0);
    QCOMPARE(readTiffFile(expand(u"%D/turned.tif"_s)).width, 240u);
}

void TestConverterUsage::commaInFileName()
{
    // Export names come from the product text, which may hold a comma; paths are not quoted.
    const QString name = u"Soap, 500g_5012345678900_001.tif"_s;
    QCOMPARE(run(u"source=clipboard,dest=%D/"_s + name +
                 u",raster=452,format=tif,colors=2,mono=1,xres=600,yres=600,log=1"_s),
             0);
    QVERIFY(QFile::exists(m_dir->filePath(name)));
    QCOMPARE(run(u"source=%D/"_s + name + u",dest=%D/"_s + name + u",format=5,log=1"_s), 0);
    QCOMPARE(run(u"source=%D/"_s + name + u",dest=%D/Soap, 500g, big_002.tif"_s), 0);
    const TiffFile copy = readTiffFile(m_dir->filePath(u"Soap, 500g, big_002.tif"_s));
    QVERIFY(copy.ok);
    QCOMPARE(int(copy.compression), 4); // Group 4 kept from the source
    QCOMPARE(decodedText(copy.image), u"5012345678900"_s);
}

void TestConverterUsage::logFile()
{
    const QString logged = expand(u"source=%D/in.tif,dest=%D/a.tif,format=4,log=1"_s);
    QCOMPARE(imageConverter()->ExecuteCommand(logged), 0);
    QCOMPARE(run(u"source=%D/in.tif,dest=%D/b.tif,format=4"_s), 0);
    QCOMPARE(run(u"source=%D/in.tif,dest=%D/c.tif,format=4,log=0"_s), 0);
    QCOMPARE(run(u"source=%D/gone.tif,dest=%D/d.tif,format=4,log=1"_s), ConverterResult::FileNotFound);
    QCOMPARE(run(u"source=%D/in.tif,format=4,log=1"_s), ConverterResult::MissingParameter);

    QVERIFY(converterLogPath().startsWith(qEnvironmentVariable("XDG_CACHE_HOME", QDir::homePath() + u"/.cache"_s)));
    const QStringList lines = logText().split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.at(0).contains(logged + u"\t-> 0"_s));
    QVERIFY(lines.at(1).contains(u"gone.tif,dest="_s));
    QVERIFY(lines.at(1).contains(u"-> 32504"_s));
    QVERIFY(lines.at(2).contains(u"-> -100"_s));
    QVERIFY(!logText().contains(u"b.tif"_s));
    QVERIFY(!logText().contains(u"c.tif"_s));
}

void TestConverterUsage::logFileIsCapped()
{
    const QString padding(700, u'x');
    for (int i = 0; i < 200; ++i)
        QCOMPARE(run(u"source=%D/none_%1_%2.tif,dest=%D/x.tif,log=1"_s.arg(i).arg(padding)),
                 ConverterResult::FileNotFound);
    const QByteArray log = readAll(converterLogPath());
    QVERIFY(log.size() <= kConverterLogLimit);
    QVERIFY(log.size() > kConverterLogLimit / 2);
    const QList<QByteArray> lines = log.split('\n');
    // Whole lines only, the newest kept.
    QVERIFY(lines.first().startsWith(QDate::currentDate().toString(Qt::ISODate).left(4).toLatin1()));
    QVERIFY(log.contains("none_199_"));
    QVERIFY(!log.contains("none_0_"));
}

void TestConverterUsage::commandLine()
{
    std::FILE *out = std::tmpfile();
    std::FILE *err = std::tmpfile();
    QVERIFY(out && err);
    auto text = [](std::FILE *file) {
        std::rewind(file);
        char buffer[4096] = {};
        const size_t length = std::fread(buffer, 1, sizeof buffer - 1, file);
        std::fseek(file, 0, SEEK_END);
        return QString::fromLocal8Bit(buffer, qsizetype(length));
    };
    QCOMPARE(runConvertCommandLine(expand(u"source=%D/in.tif,dest=%D/cli.tif,format=2"_s), out, err), 0);
    QCOMPARE(text(out), u"0\n"_s);
    QCOMPARE(text(err), QString());
    QCOMPARE(readTiffFile(expand(u"%D/cli.tif"_s)).compression, quint16(2));

    QCOMPARE(runConvertCommandLine(expand(u"source=%D/gone.tif,dest=%D/cli.tif"_s), out, err), 1);
    QCOMPARE(text(out), u"0\n32504\n"_s);
    QVERIFY(text(err).contains(u"gone.tif"_s));
    std::fclose(out);
    std::fclose(err);
}

void TestConverterUsage::oneConverterForTheProgram()
{
    ImageConverter *first = imageConverter();
    QCOMPARE(imageConverter(), first);
    QCOMPARE(first->ExecuteCommand(expand(u"source=%D/gone.tif,dest=%D/x.tif"_s)), ConverterResult::FileNotFound);
    releaseImageConverter();
    QCOMPARE(imageConverter()->lastProblem(), QString());
    QCOMPARE(run(u"source=%D/in.tif,dest=%D/x.tif"_s), 0);
}

QTEST_MAIN(TestConverterUsage)
#include "tst_converter_usage.moc"
