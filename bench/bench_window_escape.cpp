// How soon the main window's TIFF export answers Escape. The window exports a list of 2,000
// EAN-13 records; after a while another thread notes the time and hands the window an Escape
// key press, which waits in the event queue like a user's. The figure is the time until the
// "Stop or Not" question is asked, at 600 and at 4800 dpi, with the files read back and not.
// Next to it, in the same run, the time one record takes at that setting: what the user
// would wait if the question came only between records. And the longest time the window went
// without serving its events (repainting, taking input) while the export ran.
//
// Usage: bench_window_escape [runs]   (QT_QPA_PLATFORM defaults to offscreen)

#include "mainwindow/form1.h"
#include "base/user_prompt.h"
#include "list/list_files.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

using namespace Kelbrix;
using namespace Qt::Literals::StringLiterals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRecords = 2000;

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Chooses the export's file, notes when the stop question comes and answers it Yes.
class BenchPrompt final : public UserPrompt {
public:
    QString file;
    std::atomic<bool> asked = false;
    Clock::time_point askedAt;

    PromptAnswer ask(const PromptRequest &request) override
    {
        if (request.title == u"Stop or Not"_s && !asked) {
            askedAt = Clock::now();
            asked = true;
        }
        return PromptAnswer::Yes;
    }
    QString chooseFile(const FileRequest &) override { return file; }
};

struct Run {
    double answerMs = 0;
    double recordMs = 0;
    double longestPauseMs = 0; // the longest time the window's event loop was not reached
};

Run exportAndPressEscape(const QString &list, const QString &folder, BenchPrompt &prompt, int delayMs)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    Form1 form(Edition::Alla);
    form.show();
    // Escape is a shortcut of the active window, as it is for a user typing into it.
    QApplication::setActiveWindow(&form);
    form.loadListFile(list);
    form.findChild<QTreeView *>(u"ListView3"_s)->selectAll();
    prompt.file = folder + u"/a.tif"_s;
    prompt.asked = false;

    Clock::time_point pressedAt;
    const Clock::time_point started = Clock::now();
    std::atomic<bool> done = false;
    std::thread user([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        // Pressed again each second the question does not come, so that a press the window
        // missed cannot leave the export to run to its end; the figure is the last press's.
        while (!prompt.asked && !done) {
            pressedAt = Clock::now();
            QMetaObject::invokeMethod(
                &form, [&form] { QTest::keyClick(&form, Qt::Key_Escape); }, Qt::QueuedConnection);
            for (int i = 0; i < 100 && !prompt.asked && !done; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    Run run;
    // A timer due every 5 ms shows how long the window went without serving its events.
    QTimer ticks;
    Clock::time_point lastTick = Clock::now();
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        if (!prompt.asked)
            run.longestPauseMs = std::max(run.longestPauseMs, msBetween(lastTick, now));
        lastTick = now;
    });
    ticks.start(5);
    form.findChild<QAction *>(u"mnuAs"_s)->trigger();
    ticks.stop();
    done = true;
    user.join();

    const qsizetype files = QDir(folder).entryList(QDir::Files).size();
    run.answerMs = prompt.asked ? msBetween(pressedAt, prompt.askedAt) : -1;
    run.recordMs = files > 0 ? msBetween(started, pressedAt) / double(files) : -1;
    return run;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(u"config"_s)));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home.filePath(u"cache"_s)));
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    QList<ListRecord> records;
    for (int i = 0; i < kRecords; ++i)
        records.append(
            {u"Item %1"_s.arg(i), u"400600"_s + QString::number(i).rightJustified(6, u'0'), {}, {}, u"E130"_s});
    const QString list = home.filePath(u"list.qz2"_s);
    if (!saveListFile(list, records).ok) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(list));
        return 1;
    }
    BenchPrompt prompt;
    setUserPrompt(&prompt);

    std::printf("%-26s %12s %12s %14s %14s\n", "export", "answer, med", "answer, max", "longest pause", "one record");
    for (const int dpi : {600, 4800}) {
        for (const bool verify : {false, true}) {
            QSettings settings(QSettings::NativeFormat, QSettings::UserScope, u"Quorran"_s, u"Barcode"_s);
            settings.setValue(u"Use256"_s, u"Never"_s);
            settings.setValue(u"TiffRes"_s, QString::number(dpi));
            settings.setValue(u"TiffVerify"_s, verify ? u"Y"_s : u"N"_s);
            settings.sync();
            QList<double> answers;
            double recordMs = 0;
            double longestPauseMs = 0;
            for (int i = 0; i < runs; ++i) {
                // Pressed at a different point of a record each time.
                const Run run = exportAndPressEscape(list, home.filePath(u"out"_s), prompt, 1500 + 97 * i);
                answers.append(run.answerMs);
                recordMs += run.recordMs / runs;
                longestPauseMs = std::max(longestPauseMs, run.longestPauseMs);
            }
            std::sort(answers.begin(), answers.end());
            const QString name = u"%1 dpi, files %2"_s.arg(dpi).arg(verify ? u"read back"_s : u"not read"_s);
            std::printf("%-26s %9.1f ms %9.1f ms %11.1f ms %11.1f ms\n", qPrintable(name),
                        answers.at(answers.size() / 2), answers.last(), longestPauseMs, recordMs);
        }
    }
    setUserPrompt(nullptr);
    return 0;
}
