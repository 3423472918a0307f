#include "app/form1.h"
#include "app/message_box_prompt.h"
#include "export/convert_command_line.h"

#include <QApplication>

using namespace Qt::Literals::StringLiterals;

namespace {

// "kelbrix --convert COMMAND" runs one image converter command without opening a window.
int convertFromCommandLine(int argc, char *argv[], const QString &command)
{
    // Only clipboard commands need the desktop; everything else runs without any display.
    // A shell without a desktop still gets a (private) clipboard.
    const bool needsDesktop = command.contains(u"clipboard"_s, Qt::CaseInsensitive) &&
                              !(qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !needsDesktop)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return Kelbrix::runConvertCommandLine(command);
}

} // namespace

int main(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--convert") == 0) {
            if (i + 1 >= argc) {
                std::fputs("usage: kelbrix --convert \"source=...,dest=...,...\"\n", stderr);
                return 1;
            }
            return convertFromCommandLine(argc, argv, QString::fromLocal8Bit(argv[i + 1]));
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Kelbrix"_s);
    QApplication::setOrganizationName(u"Quorran"_s);

    Kelbrix::MessageBoxPrompt prompt;
    Kelbrix::setUserPrompt(&prompt);

    Kelbrix::Form1 window;
    window.resize(window.sizeHint().expandedTo(QSize(960, 600)));
    window.show();
    const int result = QApplication::exec();
    Kelbrix::setUserPrompt(nullptr);
    return result;
}
