#include "export_test_support.h"
#include "recording_prompt.h"

#include "export/converter_errors.h"
#include "export/converter_log.h"
#include "export/converter_result.h"
#include "export/image_converter.h"
#include "export/tiff_state.h"

#include <QClipboard>
#include <QCursor>
#include <QDate>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

Q_DECLARE_METATYPE(Kelbrix::PromptAnswer)

namespace {

int runLimited(int resource, rlim_t value, const QString &command)
{
    rlimit old{};
    getrlimit(resource, &old);
    rlimit lowered = old;
    lowered.rlim_cur = value;
    const int result = setrlimit(resource, &lowered) != 0 ? -1 : imageConverter()->ExecuteCommand(command);
    setrlimit(resource, &old);
    return result;
}

} // namespace

class TestConverterResults : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }
    void init();
    void cleanup() { releaseImageConverter(); }
    void resultCodes_data();
    void resultCodes();
    void failedWriteLeavesOldFile();
    void outOfMemory();
    void logFile();
    void messages_data();
    void messages();

private:
    QString expand(QString text) const { return text.replace(u"%D"_s, m_dir->path()); }
    int run(const QString &command) { return imageConverter()->ExecuteCommand(expand(command)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_oldFile;
};

void TestConverterResults::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QFile::remove(converterLogPath());
    putSymbolOnClipboard(ean13Geometry(), QSize(452, 240));
    QCOMPARE(run(u"source=clipboard,dest=%D/in.tif,raster=452,format=5,xres=600,yres=600"_s), 0);
    QCOMPARE(run(u"source=%D/in.tif,dest=%D/old.tif,format=5"_s), 0);
    m_oldFile = fileBytes(expand(u"%D/old.tif"_s));
    TiffRetryState.clear();
    TiffResolution = 2400;
    setConverterErrorContext({});
}

void TestConverterResults::resultCodes()
{
    QFETCH(QString, command);
    QFETCH(int, result);
    QFETCH(QString, clipboard);
    QCOMPARE(run(u"source=%D/in.tif,dest=%D/plain.tif,format=0"_s), 0);
    const QByteArray plain = fileBytes(expand(u"%D/plain.tif"_s));
    QVERIFY(writeFileBytes(expand(u"%D/notes.txt"_s), "Soap;5012345678900\n") &&
            writeFileBytes(expand(u"%D/truncated.tif"_s), plain.left(plain.size() / 2)));
    QVERIFY(QDir(m_dir->path()).mkdir(u"folder"_s));
    if (clipboard == u"empty")
        QGuiApplication::clipboard()->clear();
    QCOMPARE(run(command), result);
    QVERIFY(!imageConverter()->lastProblem().isEmpty());
    releaseImageConverter();
    QVERIFY(imageConverter()->lastProblem().isEmpty());
    QCOMPARE(fileBytes(expand(u"%D/old.tif"_s)), m_oldFile);
    QVERIFY(!QDir(expand(u"%D/missing"_s)).exists() && QFileInfo(expand(u"%D/folder"_s)).isDir());
    QCOMPARE(fileBytes(expand(u"%D/notes.txt"_s)), QByteArray("Soap;5012345678900\n"));
}

void TestConverterResults::resultCodes_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("clipboard");
    const auto row = [](const char *name, const QString &command, int result, const QString &clipboard = {}) {
        QTest::newRow(name) << command << result << clipboard;
    };
    const QString to = u",dest=%D/old.tif"_s, in = u"source=%D/in.tif"_s + to, drawn = u"source=clipboard"_s + to;
    using namespace ConverterResult;
    row("missing file", u"source=%D/nothere.tif"_s + to, FileNotFound);
    row("text file", u"source=%D/notes.txt"_s + to, UnsupportedImageFormat);
    row("truncated", u"source=%D/truncated.tif"_s + to, ReadError);
    row("empty command", QString(), MissingParameter);
    row("format 3", in + u",format=3"_s, UnsupportedExportFormat);
    row("empty clipboard", drawn, NoClipboardImage, u"empty"_s);
    row("destination folder missing", u"source=%D/in.tif,dest=%D/missing/out.tif"_s, WriteError);
}

void TestConverterResults::failedWriteLeavesOldFile()
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
    QCOMPARE(run(u"source=%D/in.tif,dest=%D/old.tif,rescalex=400%,rescaley=400%,format=5"_s), 0);
    QCOMPARE(fileBytes(expand(u"%D/old.tif"_s)), fileBytes(expand(u"%D/whole.tif"_s)));
}

void TestConverterResults::outOfMemory()
{
    putSymbolOnClipboard(ean13Geometry(), QSize(100, 100));
    const QByteArray status = fileBytes(u"/proc/self/status"_s);
    const qsizetype at = status.indexOf("VmSize:") + 7;
    const qint64 used = status.mid(at, status.indexOf('\n', at) - at).trimmed().split(' ').first().toLongLong() * 1024;
    QVERIFY(used > 0);
    QCOMPARE(runLimited(RLIMIT_AS, rlim_t(used + (64 << 20)),
                        expand(u"source=clipboard,dest=%D/old.tif,raster=32768,format=tif,xres=4800,yres=4800"_s)),
             ConverterResult::OutOfMemory);
    QCOMPARE(fileBytes(expand(u"%D/old.tif"_s)), m_oldFile);
}

void TestConverterResults::logFile()
{
    QVERIFY(converterLogPath().startsWith(qEnvironmentVariable("XDG_CACHE_HOME", QDir::homePath() + u"/.cache"_s)));
    const QString logged = expand(u"source=%D/in.tif,dest=%D/a.tif,format=4,log=1"_s);
    for (const auto &[command, result] :
         {std::pair(logged, 0), std::pair(u"source=%D/in.tif,dest=%D/b.tif,format=4"_s, 0),
          std::pair(u"source=%D/gone.tif,dest=%D/d.tif,format=4,log=1"_s, int(ConverterResult::FileNotFound))})
        QCOMPARE(run(command), result);
    const QString log = QString::fromUtf8(fileBytes(converterLogPath()));
    const QStringList lines = log.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines.at(0).contains(logged + u"\t-> 0"_s));
    QVERIFY(lines.at(1).contains(u"gone.tif,dest="_s) && lines.at(1).contains(u"-> 32504"_s));
    QVERIFY(!log.contains(u"b.tif"_s));

    const QString padding(700, u'x');
    for (int i = 0; i < 200; ++i)
        QCOMPARE(run(u"source=%D/none_%1_%2.tif,dest=%D/x.tif,log=1"_s.arg(i).arg(padding)),
                 ConverterResult::FileNotFound);
    const QByteArray capped = fileBytes(converterLogPath());
    QVERIFY(capped.size() <= kConverterLogLimit && capped.size() > kConverterLogLimit / 2);
    QVERIFY(capped.startsWith(QDate::currentDate().toString(Qt::ISODate).left(4).toLatin1()));
    QVERIFY(capped.contains("none_199_") && !capped.contains("none_0_"));
}

void TestConverterResults::messages_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("stateBefore");
    QTest::addColumn<PromptAnswer>("answer");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("stateAfter");
    const auto row = [](int code, const QStringList &texts, const QString &stateBefore = {},
                        const QString &stateAfter = {}, PromptAnswer answer = PromptAnswer::Ok,
                        const QString &clipboard = {}) {
        QTest::addRow("%d, retry '%s' to '%s', answer %d, clipboard '%s'", code, qPrintable(stateBefore),
                      qPrintable(stateAfter), int(answer), qPrintable(clipboard))
            << code << stateBefore << answer << clipboard << texts << stateAfter;
    };
    row(32209, {u"Disk Full Error"_s});
    const QStringList asked{u"Unspecified Internal Error"_s, u"Can't make a 2400 dpi file. But you can try again, "
                                                             u"but the size might not be right, continue ?"_s};
    const QString retrying = u"Unspecified"_s;
    row(32501, asked, {}, retrying, PromptAnswer::Yes);
    const QString made = u"E130 # 5012345678900 # "_s;
    row(33203, {u"Unsupported Export Format"_s, made + u"Pic=True"_s}, {}, {}, PromptAnswer::Ok,
        QString::fromLatin1(kSymbolMimeType));
}

void TestConverterResults::messages()
{
    QFETCH(int, code);
    QFETCH(QString, stateBefore);
    QFETCH(PromptAnswer, answer);
    QFETCH(QString, clipboard);
    QFETCH(QStringList, texts);
    QFETCH(QString, stateAfter);
    auto *data = new QMimeData;
    data->setImageData(QImage(20, 10, QImage::Format_RGB32));
    if (clipboard.contains(u'/'))
        data->setData(clipboard, ean13Geometry().toBytes());
    QGuiApplication::clipboard()->setMimeData(data);
    int resets = 0;
    if (clipboard != u"none") {
        ConverterErrorContext installed;
        installed.typeCode = [] { return u"E130"_s; };
        installed.tiffBarcodeData = [] { return u"5012345678900"_s; };
        installed.restoreDefaultPointer = [&resets] { ++resets; };
        setConverterErrorContext(installed);
    }
    RecordingPrompt prompt;
    prompt.answers.enqueue(PromptAnswer::Ok);
    prompt.answers.enqueue(answer);
    TiffRetryState = stateBefore;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ReportConverterError(code);
    QCOMPARE(prompt.texts(), texts);
    QCOMPARE(TiffRetryState, stateAfter);
    QCOMPARE(resets, code == 32504 && clipboard != u"none" ? 1 : 0);
    QCOMPARE(QGuiApplication::overrideCursor() == nullptr, code == 32504 && clipboard == u"none");
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    for (const PromptRequest &box : std::as_const(prompt.asked)) {
        QCOMPARE(std::tuple(box.title, box.icon, box.buttons, box.helpContext),
                 box.text.startsWith(u"Can't"_s)
                     ? std::tuple(u"To big a Tiff"_s, PromptIcon::Question, PromptButtons::YesNo, 820)
                 : box.text.contains(u" # "_s)
                     ? std::tuple(applicationTitle(), PromptIcon::NoIcon, PromptButtons::Ok, 0)
                     : std::tuple(u"TIFF Error"_s, PromptIcon::Exclamation, PromptButtons::Ok, 0));
    }
}

QTEST_MAIN(TestConverterResults)
#include "tst_converter_results.moc"
