#include "app/command_line.h"

#include "export/convert_command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

const QString kConvert = u"convert"_s;

// The options are described once, for parsing and for --help alike.
void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(u"Makes retail barcodes and their labels. Without options it opens the "
                                     "main window."_s);
    parser.addOption(QCommandLineOption(kConvert,
                                        u"Runs one image converter command, prints its result code and "
                                        "opens no window."_s,
                                        u"command"_s));
    parser.addPositionalArgument(u"file"_s,
                                 u"A list file (.qz2, .qzl, .bar) or barcode image list (.rtf) to load "
                                 "when the window opens, as File > Load does."_s,
                                 u"[file]"_s);
    parser.addHelpOption();
    parser.addVersionOption();
}

// Without a window the program prints only its own output: the converter's result and what
// went wrong. Qt's own notes (a missing XDG_RUNTIME_DIR, platform plugin remarks) would mix
// with it on standard error.
void dropQtMessages(QtMsgType, const QMessageLogContext &, const QString &)
{
}

void setIdentity()
{
    QCoreApplication::setApplicationName(u"kelbrix"_s);
    QCoreApplication::setOrganizationName(u"Quorran"_s);
    QCoreApplication::setApplicationVersion(QString::fromLatin1(KELBRIX_VERSION));
}

} // namespace

bool CommandLine::needsClipboard() const
{
    return convertCommand.contains(u"clipboard"_s, Qt::CaseInsensitive);
}

CommandLine parseCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    QCommandLineParser parser;
    describe(parser);
    const bool parsed = parser.parse(arguments);

    CommandLine result;
    if (!parsed && parser.optionNames().contains(kConvert)) {
        // "--convert" without its command.
        result.action = CommandLine::Action::Error;
        result.error = parser.errorText();
    } else if (parser.isSet(u"help"_s)) {
        result.action = CommandLine::Action::Help;
    } else if (parser.isSet(u"version"_s)) {
        result.action = CommandLine::Action::Version;
    } else if (parser.isSet(kConvert)) {
        result.action = CommandLine::Action::Convert;
        result.convertCommand = parser.value(kConvert);
    }
    return result;
}

QString startUpFile(const QStringList &arguments)
{
    QCommandLineParser parser;
    describe(parser);
    parser.parse(arguments);
    const QStringList files = parser.positionalArguments();
    return files.isEmpty() ? QString() : files.constFirst();
}

int runCommandLine(const CommandLine &commandLine, int argc, char *argv[])
{
    qInstallMessageHandler(dropQtMessages);
    switch (commandLine.action) {
    case CommandLine::Action::Convert: {
        std::unique_ptr<QCoreApplication> app;
        if (commandLine.needsClipboard()) {
            // The clipboard needs a GUI platform; a shell without a desktop gets a private one.
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
                qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            app = std::make_unique<QGuiApplication>(argc, argv);
        } else {
            app = std::make_unique<QCoreApplication>(argc, argv);
        }
        setIdentity();
        return runConvertCommandLine(commandLine.convertCommand);
    }
    case CommandLine::Action::Help:
    case CommandLine::Action::Version: {
        QCoreApplication app(argc, argv);
        setIdentity();
        QCommandLineParser parser;
        describe(parser);
        parser.process(app); // prints the help or the version and ends the program
        return 0;
    }
    case CommandLine::Action::Error:
        std::fprintf(stderr, "kelbrix: %s\n", qPrintable(commandLine.error));
        std::fputs("usage: kelbrix --convert \"source=...,dest=...,...\"\n", stderr);
        return 1;
    case CommandLine::Action::OpenWindow:
        break;
    }
    return 0;
}

} // namespace Kelbrix
