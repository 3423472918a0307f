#include "cli/command_line.h"
#include "label/mono_symbol.h"
#include "mainwindow/form1.h"
#include "windows/message_box_prompt.h"

#ifdef KELBRIX_DESKTOP_TOUR
#include "tour/desktop_tour.h"
#endif

#include <QApplication>
#include <QTimer>

#include <csignal>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    // Before anything paints text: the digits of exported symbols come from glyph masks only
    // where Qt draws the same glyphs from its cache.
    Kelbrix::cacheGlyphsUpToMaskSize();
    // A file grown past the file-size limit (ulimit -f) fails to write with EFBIG, which every
    // save reports and cleans up after, instead of ending the program from a signal.
    std::signal(SIGXFSZ, SIG_IGN);
    // The command line is read before any application object exists, because it decides
    // which one is needed: a converter call without the clipboard needs no GUI platform.
    const Kelbrix::CommandLine commandLine = Kelbrix::parseCommandLine(argc, argv);
    if (commandLine.action != Kelbrix::CommandLine::Action::OpenWindow)
        return Kelbrix::runCommandLine(commandLine, argc, argv);

    QApplication app(argc, argv);
    // Qt has taken its own options (-platform, -style, ...) out; anything else the program does
    // not know ends it, so a script with a mistyped option does not wait on a window.
    if (const QString error = Kelbrix::windowArgumentsError(QApplication::arguments()); !error.isEmpty())
        return Kelbrix::reportUnknownArguments(error);
    QApplication::setApplicationName(u"Kelbrix"_s);
    QApplication::setOrganizationName(u"Quorran"_s);

    Kelbrix::MessageBoxPrompt prompt;
    Kelbrix::setUserPrompt(&prompt);

#ifdef KELBRIX_DESKTOP_TOUR
    // The tests' walk through the program on a real desktop, when they ask for it.
    const std::unique_ptr<Kelbrix::DesktopTour> tour = Kelbrix::DesktopTour::fromEnvironment();
#endif
    Kelbrix::Form1 window;
    window.resize(window.sizeHint().expandedTo(QSize(960, 600)));
    window.show();
#ifdef KELBRIX_DESKTOP_TOUR
    if (tour)
        tour->start(&window);
#endif
    // A list named on the command line (a double click on it in the file manager) is loaded
    // once the window shows, so any message about it appears over the window.
    if (const QString file = Kelbrix::startUpFile(QApplication::arguments()); !file.isEmpty())
        QTimer::singleShot(0, &window, [&window, file] { window.loadListFile(file); });
    const int result = QApplication::exec();
    Kelbrix::setUserPrompt(nullptr);
#ifdef KELBRIX_DESKTOP_TOUR
    if (tour)
        return tour->exitCode();
#endif
    return result;
}
