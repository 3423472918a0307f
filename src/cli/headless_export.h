#pragma once

#include "artwork/artwork_writers.h"
#include "export/converter_command.h"
#include "export/tiff_parameters.h"
#include "label/gs1_label.h"
#include "list/list_record.h"
#include "render/symbol_encoder.h"

#include <QList>
#include <QString>

#include <cstdio>
#include <optional>

namespace Kelbrix {

/// What `kelbrix --export` was asked to do: the list file, the folder the TIFF files go to,
/// and the TIFF parameters that replace the stored ones.
struct ExportRequest {
    QString listFile;
    QString outFolder;
    std::optional<int> dpi;
    std::optional<TiffCompression> compression;
    std::optional<int> copies;
    bool invert = false;
    std::optional<TiffMirror> mirror;
    std::optional<TiffRotation> rotation;
    QString records; ///< record numbers and ranges such as "1,4-9"; empty for every record
    bool verify = false;
    std::optional<ArtworkFormat> vectorFormat; ///< SVG, PDF or EPS artwork in place of TIFF files
    std::optional<double> magnification;       ///< percent; default: as the size window stored it
    std::optional<double> bwrMm;               ///< bar width reduction; default: as stored
    Gs1Request gs1;                            ///< the 2D symbol of each label; inactive for none
    std::optional<Bearers> bearers;            ///< SCC-14's bearer bars; default: as stored
};

/// What `kelbrix --import` was asked to do: the CSV file, the list file to write, and how its
/// columns are found.
struct ImportRequest {
    QString csvFile;
    QString listFile;
    QString columns; ///< "product,barcode,..."; empty: from the header row
    QString type;    ///< a type name or TypeCode for rows that give none; may be empty
    bool skipDuplicateProducts = false;
};

/// Imports the CSV file of \a request and saves the accepted rows as its list file, without a
/// window. Prints the count written on the standard output and each refused row on the
/// standard error. Returns 0 when every row was imported, 1 when a row was refused or left
/// unread (the rows accepted are still saved; with none the list file is not touched), and
/// kExportUsageError for a file that cannot be read or a list file that cannot be written.
int runHeadlessImport(const ImportRequest &request);

/// Exit status of a headless export whose list file or options are wrong.
inline constexpr int kExportUsageError = 2;

/// The ranges \a text names ("1,4-9": 1 to 1, and 4 to 9), each checked against a list of
/// \a count records; nothing is expanded. nullopt, with the reason in \a error, for anything
/// else: an empty part, a number that is not a whole number from 1 to \a count, or a range that
/// runs backwards.
std::optional<QList<std::pair<int, int>>> checkRecordNumbers(const QString &text, int count, QString *error);

/// The 1-based record numbers \a text names, in record order without repeats, for a list of
/// \a count records; nullopt, with the reason in \a error, as checkRecordNumbers() says.
std::optional<QList<int>> parseRecordNumbers(const QString &text, int count, QString *error);

/// Prints \a text and a line end on \a stream, with control characters made harmless to a terminal.
void printLine(std::FILE *stream, const QString &text);

/// The records of \a path, a list file or a CSV file (read as --import reads it, every row kept,
/// each refused row printed on the standard error), for a command without a window. nullopt, with
/// the message in \a error, for a file that is neither or cannot be read; \a rowsLeftOut says
/// whether CSV rows were refused or left unread.
std::optional<QList<ListRecord>> commandLineRecords(const QString &path, QString *error, bool *rowsLeftOut);

/// Runs the export of \a request without a window: TIFF files, or with a vector format one
/// artwork file of each record at the stored (or given) magnification and bar width reduction,
/// named as the TIFF files are. A record whose artwork cannot be made at those values is named
/// with the reason on the standard error and nothing is written for it, on the program's private clipboard,
/// and prints one line per file written and a final count (with a progress line while it runs
/// when the standard output is a terminal). Messages of the export go to the standard error.
/// Returns 0 when every record was written (and, with verify, scanned back to its digits),
/// kExportUsageError for a list file that cannot be read or a record number not in it, and 1
/// otherwise. Needs a QGuiApplication (the digits are drawn with fonts).
int runHeadlessExport(const ExportRequest &request);

} // namespace Kelbrix
