#include "app/command_line.h"
#include "app/form1.h"
#include "app/message_box_prompt.h"

#include <QApplication>
#include <QTimer>

#include <csignal>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    // A file grown past the file-size limit (ulimit -f) fails to write with EFBIG, which every
    // save reports and cleans up after, instead of ending the program from a signal.
    std::signal(SIGXFSZ, SIG_IGN);
    // The command line is read before any application object exists, because it decides
    // which one is needed: a converter call without the clipboard needs no GUI platform.
    const Kelbrix::CommandLine commandLine = Kelbrix::parseCommandLine(argc, argv);
    if (commandLine.action != Kelbrix::CommandLine::Action::OpenWindow)
        return Kelbrix::runCommandLine(commandLine, argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Kelbrix"_s);
    QApplication::setOrganizationName(u"Quorran"_s);

    Kelbrix::MessageBoxPrompt prompt;
    Kelbrix::setUserPrompt(&prompt);

    Kelbrix::Form1 window;
    window.resize(window.sizeHint().expandedTo(QSize(960, 600)));
    window.show();
    // A list named on the command line (a double click on it in the file manager) is loaded
    // once the window shows, so any message about it appears over the window.
    if (const QString file = Kelbrix::startUpFile(QApplication::arguments()); !file.isEmpty())
        QTimer::singleShot(0, &window, [&window, file] { window.loadListFile(file); });
    const int result = QApplication::exec();
    Kelbrix::setUserPrompt(nullptr);
    return result;
}
