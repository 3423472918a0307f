#pragma once

#include "cli/headless_export.h"
#include "cli/logistic_command_line.h"
#include "cli/sheet_command_line.h"
#include "cli/sscc_command_line.h"

#include <QString>
#include <QStringList>

namespace Kelbrix {

/// What the program was asked to do on its command line.
struct CommandLine {
    enum class Action {
        OpenWindow,    ///< no option of ours: open the main window
        Convert,       ///< --convert COMMAND: run one image converter command, no window
        Export,        ///< --export LIST --out DIR ...: TIFF files of a list's records, no window
        Import,        ///< --import FILE.csv --out LIST.qz2: a list file of a CSV file's rows, no window
        Sheet,         ///< --sheet LIST --template NAME --pdf OUT.pdf: label sheets in a PDF file, no window
        Templates,     ///< --templates: print the label sheets the program knows
        Gs1Check,      ///< --gs1-check DATA: check GS1 data and print the verdict
        SsccTake,      ///< --sscc-take --sscc-prefix PREFIX --extension DIGIT ...: take SSCCs and print them
        SsccLog,       ///< --sscc-log OUT.csv: the log of the SSCCs taken as a CSV file
        LogisticLabel, ///< --logistic-label ... --pdf OUT.pdf: GS1 logistic labels, no window
        Help,          ///< --help: print the usage
        Version,       ///< --version: print the version
        Error,         ///< an option of ours used wrongly: print why and fail
    };
    Action action = Action::OpenWindow;
    QString convertCommand;
    ExportRequest exportRequest;
    ImportRequest importRequest;
    SheetRequest sheetRequest;
    QString gs1Data; ///< of --gs1-check
    SsccTakeRequest ssccTake;
    QString ssccLogFile; ///< of --sscc-log
    LogisticLabelCommand logisticLabel;
    QString error;
    int errorExitCode = 1;            ///< exit status of Error
    Action errorOf = Action::Convert; ///< the action whose usage Error prints

    /// True when the converter command reads or writes the clipboard, which needs a GUI
    /// platform.
    bool needsClipboard() const;
};

/// \a arguments without the options Qt's application objects take for themselves (-platform
/// NAME, -style NAME, -reverse, ... with one dash or two), which work with every command.
QStringList withoutQtOptions(const QStringList &arguments);

/// Reads the program's own options from \a argv, Qt's own taken out first (see withoutQtOptions()).
/// Options it does not know leave the window to start, which then refuses them.
CommandLine parseCommandLine(int argc, char *argv[]);

/// The file the window is to load at start-up: the first argument that is not an option, or
/// an empty text. \a arguments are the application's, with Qt's own options already taken out.
QString startUpFile(const QStringList &arguments);

/// Why the window cannot open with \a arguments (the application's, Qt's own options such as
/// -platform and -style already taken out): an option the program does not know, or one without
/// its value, in Qt's words ("Unknown option 'exprot'."). An empty text when there is nothing wrong.
QString windowArgumentsError(const QStringList &arguments);

/// Prints \a error and the hint to --help on standard error and returns the exit status for a
/// command line the program does not understand (2).
int reportUnknownArguments(const QString &error);

/// Carries out every action but OpenWindow with the least application object it needs and
/// returns the exit status. Prints only the program's own output.
int runCommandLine(const CommandLine &commandLine, int argc, char *argv[]);

} // namespace Kelbrix
