#include "export_test_support.h"
#include "recording_prompt.h"

#include "export/converter_errors.h"
#include "export/converter_log.h"
#include "export/converter_result.h"
#include "export/image_converter.h"
#include "export/tiff_state.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

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
        putSymbolOnClipboard(ean13Geometry(), QSize(452, 240));
        QCOMPARE(run(u"source=clipboard,dest=%D/in.tif,raster=452,format=5,xres=600,yres=600"_s), 0);
        QCOMPARE(run(u"source=%D/in.tif,dest=%D/old.tif,format=5"_s), 0);
        m_oldFile = fileBytes(expand(u"%D/old.tif"_s));
        TiffRetryState.clear();
        TiffResolution = 2400;
        setConverterErrorContext({});
    }
    void cleanup() { releaseImageConverter(); }

    void resultCodes_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("result");
        const QString to = u",dest=%D/old.tif"_s;
        using namespace ConverterResult;
        QTest::newRow("missing file") << u"source=%D/nothere.tif"_s + to << int(FileNotFound);
        QTest::newRow("text file") << u"source=%D/notes.txt"_s + to << int(UnsupportedImageFormat);
        QTest::newRow("truncated") << u"source=%D/truncated.tif"_s + to << int(ReadError);
        QTest::newRow("empty command") << QString() << int(MissingParameter);
        QTest::newRow("format 3") << u"source=%D/in.tif,format=3"_s + to << int(UnsupportedExportFormat);
        QTest::newRow("empty clipboard") << u"source=clipboard"_s + to << int(NoClipboardImage);
    }
    void resultCodes()
    {
        QFETCH(QString, command);
        QFETCH(int, result);
        QVERIFY(writeFileBytes(expand(u"%D/notes.txt"_s), "Soap;5012345678900\n") &&
                writeFileBytes(expand(u"%D/truncated.tif"_s), m_oldFile.left(m_oldFile.size() / 2)));
        QGuiApplication::clipboard()->clear();
        QCOMPARE(run(command), result);
        QVERIFY(!imageConverter()->lastProblem().isEmpty());
        QCOMPARE(fileBytes(expand(u"%D/old.tif"_s)), m_oldFile);
    }

    void failedWriteLeavesOldFile()
    {
        const QString command = expand(u"source=%D/in.tif,dest=%D/%1,rescalex=400%,rescaley=400%,format=5"_s);
        QCOMPARE(run(command.arg(u"whole.tif"_s)), 0);
        const qint64 size = QFileInfo(expand(u"%D/whole.tif"_s)).size();
        for (const int permille : {0, 999}) {
            QCOMPARE(runLimited(RLIMIT_FSIZE, rlim_t(size * permille / 1000), command.arg(u"old.tif"_s)),
                     ConverterResult::WriteError);
            QCOMPARE(fileBytes(expand(u"%D/old.tif"_s)), m_oldFile);
            QVERIFY(imageConverter()->lastProblem().contains(u"old.tif"_s));
            QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).filter(u".tmp"_s), QStringList());
        }
    }

    void outOfMemory()
    {
        putSymbolOnClipboard(ean13Geometry(), QSize(100, 100));
        const QByteArray status = fileBytes(u"/proc/self/status"_s);
        const qsizetype at = status.indexOf("VmSize:") + 7;
        const qint64 used =
            status.mid(at, status.indexOf('\n', at) - at).trimmed().split(' ').first().toLongLong() * 1024;
        QVERIFY(used > 0);
        QCOMPARE(runLimited(RLIMIT_AS, rlim_t(used + (64 << 20)),
                            expand(u"source=clipboard,dest=%D/old.tif,raster=32768,format=tif,xres=4800,yres=4800"_s)),
                 ConverterResult::OutOfMemory);
        QCOMPARE(fileBytes(expand(u"%D/old.tif"_s)), m_oldFile);
    }

    void logFile()
    {
        const QString logged = expand(u"source=%D/in.tif,dest=%D/a.tif,format=4,log=1"_s);
        QCOMPARE(run(logged), 0);
        QCOMPARE(run(u"source=%D/in.tif,dest=%D/b.tif,format=4"_s), 0);
        QCOMPARE(run(u"source=%D/gone.tif,dest=%D/d.tif,format=4,log=1"_s), ConverterResult::FileNotFound);
        const QStringList lines = QString::fromUtf8(fileBytes(converterLogPath())).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.at(0).contains(logged + u"\t-> 0"_s) && lines.at(1).contains(u"gone.tif,dest="_s));
        QVERIFY(lines.at(1).contains(u"-> 32504"_s));
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
        ReportConverterError(32501);
        QCOMPARE(std::tuple(prompt.asked[0].title, prompt.asked[0].icon),
                 std::tuple(u"TIFF Error"_s, PromptIcon::Exclamation));
        QCOMPARE(std::tuple(prompt.asked[1].title, prompt.asked[1].buttons, prompt.asked[1].helpContext),
                 std::tuple(u"To big a Tiff"_s, PromptButtons::YesNo, 820));
        QCOMPARE(TiffRetryState, u"Unspecified"_s);

        ConverterErrorContext context;
        context.typeCode = [] { return u"E130"_s; };
        context.tiffBarcodeData = [] { return u"5012345678900"_s; };
        setConverterErrorContext(context);
        putSymbolOnClipboard(ean13Geometry(), QSize(20, 10));
        prompt.clear();
        ReportConverterError(33203);
        QCOMPARE(prompt.texts(), (QStringList{u"Unsupported Export Format"_s, u"E130 # 5012345678900 # Pic=True"_s}));
        QCOMPARE(std::tuple(prompt.asked[1].title, prompt.asked[1].icon),
                 std::tuple(applicationTitle(), PromptIcon::NoIcon));
    }

private:
    QString expand(QString text) const { return text.replace(u"%D"_s, m_dir->path()); }
    int run(const QString &command) { return imageConverter()->ExecuteCommand(expand(command)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_oldFile;
};

QTEST_MAIN(TestConverterResults)
#include "tst_converter_results.moc"
