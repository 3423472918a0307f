#include "cli/command_line.h"

#include "cli/command_options.h"
#include "cli/gs1_check.h"
#include "cli/sscc_command_line.h"
#include "settings/language.h"

#include "export/convert_command_line.h"
#include "settings/settings_store.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

const char kExportUsage[] = "usage: kelbrix --export LIST.qz2 --out DIR [--dpi N] [--compression none|huffman|g3|g4] "
                            "[--copies N] [--invert] [--mirror h|v] [--rotate 90|180|270] [--records 1,4-9] "
                            "[--verify] [--format tif|svg|pdf|eps] [--magnification PERCENT] [--bwr MM] "
                            "[--bearers none|top-bottom|frame] "
                            "[--symbol datamatrix|dl-qr|dl-datamatrix [--dual] [--ai AI=VALUE ...] "
                            "[--serial-from N] [--dl-domain URL]]\n";
const char kSheetUsage[] = "usage: kelbrix --sheet LIST.qz2 --template NAME --pdf OUT.pdf [--start N] [--copies N] "
                           "[--records 1,4-9] [--dpi N] [--bearers none|top-bottom|frame] "
                           "[--symbol datamatrix|dl-qr|dl-datamatrix [--dual] "
                           "[--ai AI=VALUE ...] [--serial-from N] [--dl-domain URL]]\n";
const char kSsccTakeUsage[] = "usage: kelbrix --sscc-take --sscc-prefix PREFIX --extension DIGIT [--count N] "
                              "[--for TEXT]\n"
                              "       prints the 18 digits of each SSCC taken, one a line, without (00)\n";
const char kLogisticUsage[] =
    "usage: kelbrix --logistic-label (--sscc-prefix PREFIX --extension DIGIT | --ai 00=SSCC) [--ai AI=VALUE ...] "
    "[--pallets N] [--size a6|a5|4x6] [--a4-sheet] [--for TEXT] --pdf OUT.pdf\n";
const char kSsccLogUsage[] = "usage: kelbrix --sscc-log OUT.csv\n";
const char kImportUsage[] = "usage: kelbrix --import FILE.csv --out LIST.qz2 [--columns product,barcode,supplement,"
                            "text,type] [--type NAME] [--duplicates keep|skip]\n";

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

QStringList withoutQtOptions(const QStringList &arguments)
{
    // The options QGuiApplication and QApplication take for themselves, with one dash or two,
    // those with a value given as the next argument or after "=".
    static const QStringList withValue = {
        u"platform"_s,    u"platformpluginpath"_s, u"platformtheme"_s, u"plugin"_s,  u"qwindowgeometry"_s,
        u"qwindowicon"_s, u"qwindowtitle"_s,       u"session"_s,       u"display"_s, u"geometry"_s,
        u"style"_s,       u"stylesheet"_s,         u"qmljsdebugger"_s,
    };
    static const QStringList flags = {u"reverse"_s, u"widgetcount"_s, u"nograb"_s, u"dograb"_s};
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (i == 0 || !argument.startsWith(u'-') || argument == u"--") {
            kept.append(argument);
            continue;
        }
        QString name = argument.mid(argument.startsWith(u"--") ? 2 : 1);
        const bool inlineValue = name.contains(u'=');
        name = name.section(u'=', 0, 0);
        if (withValue.contains(name)) {
            if (!inlineValue && name != u"qmljsdebugger")
                ++i; // its value
            continue;
        }
        if (flags.contains(name) && !inlineValue)
            continue;
        kept.append(argument);
    }
    return kept;
}

bool CommandLine::needsClipboard() const
{
    return convertCommand.contains(u"clipboard"_s, Qt::CaseInsensitive);
}

CommandLine parseCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    arguments = withoutQtOptions(arguments);

    QCommandLineParser parser;
    describeCommandLine(parser);
    const bool parsed = parser.parse(arguments);

    CommandLine result;
    if (parser.optionNames().contains(kSheetOption) || (parsed && parser.isSet(kSheetOption))) {
        result.action = CommandLine::Action::Error;
        result.errorExitCode = kExportUsageError;
        result.errorOf = CommandLine::Action::Sheet;
        result.error = parsed ? readSheetOptions(parser, result.sheetRequest) : parser.errorText();
        if (result.error.isEmpty())
            result.action = CommandLine::Action::Sheet;
    } else if (parser.optionNames().contains(kLogisticLabelOption) ||
               (parsed && (parser.isSet(kLogisticLabelOption) ||
                           !readLogisticLabelOptions(parser, result.logisticLabel).isEmpty()))) {
        // --logistic-label, or one of its own options without it.
        result.action = CommandLine::Action::Error;
        result.errorExitCode = kExportUsageError;
        result.errorOf = CommandLine::Action::LogisticLabel;
        result.error = parsed ? readLogisticLabelOptions(parser, result.logisticLabel) : parser.errorText();
        if (result.error.isEmpty())
            result.action = CommandLine::Action::LogisticLabel;
    } else if (parser.optionNames().contains(kSsccTakeOption) ||
               (parsed && (parser.isSet(kSsccTakeOption) || !readSsccTakeOptions(parser, result.ssccTake).isEmpty()))) {
        // --sscc-take, or one of its options without it.
        result.action = CommandLine::Action::Error;
        result.errorExitCode = kExportUsageError;
        result.errorOf = CommandLine::Action::SsccTake;
        result.error = parsed ? readSsccTakeOptions(parser, result.ssccTake) : parser.errorText();
        if (result.error.isEmpty())
            result.action = CommandLine::Action::SsccTake;
    } else if (parser.optionNames().contains(kSsccLogOption) || (parsed && parser.isSet(kSsccLogOption))) {
        result.action = CommandLine::Action::Error;
        result.errorExitCode = kExportUsageError;
        result.errorOf = CommandLine::Action::SsccLog;
        result.error = parsed ? QString() : parser.errorText();
        if (parsed && parser.value(kSsccLogOption).trimmed().isEmpty())
            result.error = QCoreApplication::translate("CommandLine", "--sscc-log needs the CSV file to write");
        if (result.error.isEmpty()) {
            result.action = CommandLine::Action::SsccLog;
            result.ssccLogFile = parser.value(kSsccLogOption);
        }
    } else if (parsed && parser.isSet(kGs1CheckOption)) {
        result.action = CommandLine::Action::Gs1Check;
        result.gs1Data = parser.value(kGs1CheckOption);
    } else if (parsed && parser.isSet(kTemplatesOption)) {
        result.action = CommandLine::Action::Templates;
    } else if (parser.optionNames().contains(kImportOption) || (parsed && parser.isSet(kImportOption))) {
        result.action = CommandLine::Action::Error;
        result.errorExitCode = kExportUsageError;
        result.errorOf = CommandLine::Action::Import;
        result.error = parsed ? readImportOptions(parser, result.importRequest) : parser.errorText();
        if (result.error.isEmpty())
            result.action = CommandLine::Action::Import;
    } else if (parser.optionNames().contains(kExportOption) || (parsed && parser.isSet(kExportOption))) {
        result.action = CommandLine::Action::Error;
        result.errorExitCode = kExportUsageError;
        result.errorOf = CommandLine::Action::Export;
        result.error = parsed ? readExportOptions(parser, result.exportRequest) : parser.errorText();
        if (result.error.isEmpty())
            result.action = CommandLine::Action::Export;
    } else if (!parsed && parser.optionNames().contains(kConvertOption)) {
        // "--convert" without its command.
        result.action = CommandLine::Action::Error;
        result.error = parser.errorText();
    } else if (parser.isSet(u"help"_s)) {
        result.action = CommandLine::Action::Help;
    } else if (parser.isSet(u"version"_s)) {
        result.action = CommandLine::Action::Version;
    } else if (parser.isSet(kConvertOption)) {
        result.action = CommandLine::Action::Convert;
        result.convertCommand = parser.value(kConvertOption);
    }
    return result;
}

QString startUpFile(const QStringList &arguments)
{
    QCommandLineParser parser;
    describeCommandLine(parser);
    parser.parse(arguments);
    const QStringList files = parser.positionalArguments();
    return files.isEmpty() ? QString() : files.constFirst();
}

QString windowArgumentsError(const QStringList &arguments)
{
    QCommandLineParser parser;
    describeCommandLine(parser);
    return parser.parse(arguments) ? QString() : parser.errorText();
}

int reportUnknownArguments(const QString &error)
{
    std::fprintf(stderr, "kelbrix: %s\nTry 'kelbrix --help' for more information.\n", qPrintable(error));
    return 2;
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
    case CommandLine::Action::Export: {
        // Fonts need a GUI application; without a desktop it is an offscreen one.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        setIdentity();
        return runHeadlessExport(commandLine.exportRequest);
    }
    case CommandLine::Action::Sheet: {
        // Fonts need a GUI application; without a desktop it is an offscreen one.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        setIdentity();
        return runSheetCommandLine(commandLine.sheetRequest);
    }
    case CommandLine::Action::LogisticLabel: {
        // Fonts need a GUI application; without a desktop it is an offscreen one.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        setIdentity();
        return runLogisticLabel(commandLine.logisticLabel);
    }
    case CommandLine::Action::Gs1Check: {
        QCoreApplication app(argc, argv);
        setIdentity();
        return runGs1Check(commandLine.gs1Data);
    }
    case CommandLine::Action::SsccTake: {
        QCoreApplication app(argc, argv);
        setIdentity();
        return runSsccTake(commandLine.ssccTake);
    }
    case CommandLine::Action::SsccLog: {
        QCoreApplication app(argc, argv);
        setIdentity();
        return runSsccLog(commandLine.ssccLogFile);
    }
    case CommandLine::Action::Templates: {
        QCoreApplication app(argc, argv);
        setIdentity();
        return printTemplates();
    }
    case CommandLine::Action::Import: {
        QCoreApplication app(argc, argv);
        setIdentity();
        return runHeadlessImport(commandLine.importRequest);
    }
    case CommandLine::Action::Help:
    case CommandLine::Action::Version: {
        QCoreApplication app(argc, argv);
        setIdentity();
        // The help speaks the language the window was last saved to speak.
        installLanguage(languageFromSetting(ReadRegistryValue(buildEdition(), u"Language"_s)));
        QCommandLineParser parser;
        describeCommandLine(parser);
        // Prints the help or the version and ends the program; Qt's own options are no concern of it.
        parser.process(withoutQtOptions(QCoreApplication::arguments()));
        return 0;
    }
    case CommandLine::Action::Error:
        std::fprintf(stderr, "kelbrix: %s\n", qPrintable(commandLine.error));
        if (commandLine.errorOf == CommandLine::Action::Import) {
            std::fputs(kImportUsage, stderr);
            return commandLine.errorExitCode;
        }
        if (commandLine.errorOf == CommandLine::Action::SsccTake ||
            commandLine.errorOf == CommandLine::Action::SsccLog) {
            std::fputs(commandLine.errorOf == CommandLine::Action::SsccTake ? kSsccTakeUsage : kSsccLogUsage, stderr);
            return commandLine.errorExitCode;
        }
        if (commandLine.errorOf == CommandLine::Action::LogisticLabel) {
            std::fputs(kLogisticUsage, stderr);
            return commandLine.errorExitCode;
        }
        if (commandLine.errorOf == CommandLine::Action::Sheet) {
            std::fputs(kSheetUsage, stderr);
            return commandLine.errorExitCode;
        }
        if (commandLine.errorExitCode == kExportUsageError) {
            std::fputs(kExportUsage, stderr);
            return commandLine.errorExitCode;
        }
        std::fputs("usage: kelbrix --convert \"source=...,dest=...,...\"\n", stderr);
        return commandLine.errorExitCode;
    case CommandLine::Action::OpenWindow:
        break;
    }
    return 0;
}

} // namespace Kelbrix
