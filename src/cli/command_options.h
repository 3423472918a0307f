#pragma once

#include "cli/headless_export.h"
#include "cli/logistic_command_line.h"
#include "cli/sheet_command_line.h"
#include "cli/sscc_command_line.h"

#include <QString>

class QCommandLineParser;

namespace Kelbrix {

/// The option names of the program's commands.
extern const QString kConvertOption;
extern const QString kExportOption;
extern const QString kImportOption;
extern const QString kSheetOption;
extern const QString kTemplatesOption;
extern const QString kGs1CheckOption;
extern const QString kSsccTakeOption;
extern const QString kSsccLogOption;

/// Describes every option of the program to \a parser, once for parsing and for --help alike.
void describeCommandLine(QCommandLineParser &parser);

/// Reads the options of --export, --import and --sheet from \a parser into \a request; an empty
/// text, or why the options are wrong.
QString readExportOptions(const QCommandLineParser &parser, ExportRequest &request);
QString readImportOptions(const QCommandLineParser &parser, ImportRequest &request);
QString readSheetOptions(const QCommandLineParser &parser, SheetRequest &request);
/// Reads the options of --sscc-take into \a request; an empty text, or why they are wrong. Without
/// --sscc-take, why an option of it was given alone.
QString readSsccTakeOptions(const QCommandLineParser &parser, SsccTakeRequest &request);
/// Reads the options of --logistic-label into \a command (see readLogisticOptions()).
QString readLogisticLabelOptions(const QCommandLineParser &parser, LogisticLabelCommand &command);
/// Reads --symbol, --dual, --ai, --serial-from and --dl-domain into \a request; an empty text, or
/// why they are wrong. Without --symbol the request stays inactive.
QString readMatrixOptions(const QCommandLineParser &parser, Gs1Request &request);

} // namespace Kelbrix
