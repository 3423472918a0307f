#include "cli/command_options.h"

#include "artwork/artwork_options.h"
#include "barcode/sscc.h"
#include "list/csv_import.h"
#include "list/list_files.h"
#include "settings/sscc_store.h"
#include "size/bar_size_settings.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

const QString kConvertOption = u"convert"_s;
const QString kExportOption = u"export"_s;
const QString kImportOption = u"import"_s;
const QString kSheetOption = u"sheet"_s;
const QString kTemplatesOption = u"templates"_s;
const QString kGs1CheckOption = u"gs1-check"_s;
const QString kSsccTakeOption = u"sscc-take"_s;
const QString kSsccLogOption = u"sscc-log"_s;

namespace {

const QString kConvert = kConvertOption;
const QString kExport = kExportOption;
const QString kOut = u"out"_s;
const QString kDpi = u"dpi"_s;
const QString kCompression = u"compression"_s;
const QString kCopies = u"copies"_s;
const QString kInvert = u"invert"_s;
const QString kMirror = u"mirror"_s;
const QString kRotate = u"rotate"_s;
const QString kRecords = u"records"_s;
const QString kVerify = u"verify"_s;
const QString kImport = kImportOption;
const QString kColumns = u"columns"_s;
const QString kType = u"type"_s;
const QString kDuplicates = u"duplicates"_s;
const QString kSheet = kSheetOption;
const QString kTemplate = u"template"_s;
const QString kTemplates = kTemplatesOption;
const QString kPdf = u"pdf"_s;
const QString kStart = u"start"_s;
const QString kFormat = u"format"_s;
const QString kMagnification = u"magnification"_s;
const QString kBwr = u"bwr"_s;
const QString kSymbol = u"symbol"_s;
const QString kDual = u"dual"_s;
const QString kAi = u"ai"_s;
const QString kSerialFrom = u"serial-from"_s;
const QString kDlDomain = u"dl-domain"_s;
const QString kSsccPrefix = u"sscc-prefix"_s;
const QString kExtension = u"extension"_s;
const QString kCount = u"count"_s;
const QString kFor = u"for"_s;
const QString kBearers = u"bearers"_s;

std::optional<int> wholeNumberIn(const QString &text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

// The value of an option that takes one of a few words, found in \a words without regard to case;
// nothing when the option holds another word.
template <typename T>
std::optional<T> wordChoice(const QString &text, std::initializer_list<std::pair<QStringView, T>> words)
{
    for (const auto &[word, value] : words)
        if (text.trimmed().compare(word, Qt::CaseInsensitive) == 0)
            return value;
    return std::nullopt;
}

// Reads --bearers into \a bearers; an empty text, or why its value is wrong.
QString readBearersOption(const QCommandLineParser &parser, std::optional<Bearers> &bearers)
{
    if (!parser.isSet(kBearers))
        return {};
    bearers = bearersFromName(parser.value(kBearers).trimmed().toLower());
    if (!bearers)
        return u"--bearers takes none, top-bottom or frame, not \""_s + parser.value(kBearers) + u'"';
    return {};
}

} // namespace

// The options are described once, for parsing and for --help alike.
void describeCommandLine(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "Makes retail barcodes and their labels. Without options it opens the "
                       "main window."));
    parser.addOption(QCommandLineOption(
        kConvert,
        QCoreApplication::translate("CommandLine", "Runs one image converter command, prints its result code and "
                                                   "opens no window."),
        u"command"_s));
    parser.addPositionalArgument(
        u"file"_s,
        QCoreApplication::translate("CommandLine",
                                    "A list file (.qz2, .qzl, .bar) or barcode image list (.rtf) to load "
                                    "when the window opens, as File > Load does."),
        u"[file]"_s);
    parser.addOption(QCommandLineOption(
        kExport,
        QCoreApplication::translate("CommandLine",
                                    "Writes a one-bit TIFF file of each record of the list file, opens no "
                                    "window and leaves the desktop clipboard alone. Prints each file written "
                                    "and a count; exits with 0 when every record was written. The files are "
                                    "those Save As makes, except that the TIFF window's Adjust width and "
                                    "height are not applied."),
        u"list"_s));
    parser.addOption(QCommandLineOption(
        kImport,
        QCoreApplication::translate("CommandLine",
                                    "Reads the rows of a CSV file (comma, semicolon or tab separated, UTF-8 "
                                    "or Windows-1252) with the checks of Add to List and writes the accepted "
                                    "ones as the list file --out, opening no window. Prints each refused row "
                                    "on standard error and exits with 1 if a row was refused. --export also "
                                    "takes a CSV file in place of a list file."),
        u"csv"_s));
    parser.addOption(QCommandLineOption(
        kOut,
        QCoreApplication::translate(
            "CommandLine",
            "With --export: the folder the TIFF files go to. With --import: the list file (.qz2) to write."),
        u"path"_s));
    parser.addOption(QCommandLineOption(
        kColumns,
        QCoreApplication::translate("CommandLine",
                                    "With --import: the field of each column in order, such as "
                                    "product,barcode,supplement,text,type (an empty name skips a column; "
                                    "default: from the header row)."),
        u"names"_s));
    parser.addOption(QCommandLineOption(
        kType,
        QCoreApplication::translate(
            "CommandLine", "With --import: the type of rows that give none, such as \"EAN 13\", E132 or \"Code 39\"."),
        u"type"_s));
    parser.addOption(QCommandLineOption(
        kDuplicates,
        QCoreApplication::translate("CommandLine", "With --import: keep (default) or skip the rows whose product is "
                                                   "already in the list."),
        u"keep|skip"_s));
    parser.addOption(QCommandLineOption(
        kSheet,
        QCoreApplication::translate("CommandLine",
                                    "Prints the labels of the list file (or CSV file) onto label sheets in "
                                    "the PDF file --pdf, each record --copies times, opening no window. Prints "
                                    "each page written; a record whose label does not fit is named on standard "
                                    "error and left out."),
        u"list"_s));
    parser.addOption(QCommandLineOption(
        kTemplate,
        QCoreApplication::translate(
            "CommandLine", "With --sheet: the label sheet, by name or maker's product number (see --templates)."),
        u"name"_s));
    parser.addOption(QCommandLineOption(
        kPdf, QCoreApplication::translate("CommandLine", "With --sheet or --logistic-label: the PDF file to write."),
        u"file"_s));
    parser.addOption(QCommandLineOption(
        kStart,
        QCoreApplication::translate(
            "CommandLine", "With --sheet: the first label used on the first sheet, counted row by row (default 1)."),
        u"n"_s));
    parser.addOption(QCommandLineOption(
        kTemplates,
        QCoreApplication::translate("CommandLine", "Prints the label sheets the program knows, one a line.")));
    parser.addOption(QCommandLineOption(
        kDpi,
        QCoreApplication::translate("CommandLine",
                                    "With --export: the resolution, 300 to 4800 dpi (default: as stored by the "
                                    "TIFF window). With --sheet: the printer's, whose dots the bars are made of "
                                    "(default 600)."),
        u"dpi"_s));
    parser.addOption(QCommandLineOption(
        kCompression, QCoreApplication::translate("CommandLine", "With --export: none, huffman, g3 or g4."),
        u"kind"_s));
    parser.addOption(QCommandLineOption(
        kCopies,
        QCoreApplication::translate(
            "CommandLine", "With --export: files of each record; with --sheet: labels of each record; 1 to 999."),
        u"n"_s));
    parser.addOption(QCommandLineOption(
        kInvert, QCoreApplication::translate("CommandLine", "With --export: black and white swapped.")));
    parser.addOption(QCommandLineOption(
        kMirror,
        QCoreApplication::translate("CommandLine", "With --export: mirrored, h (left-right) or v (top-bottom)."),
        u"h|v"_s));
    parser.addOption(QCommandLineOption(
        kRotate,
        QCoreApplication::translate("CommandLine", "With --export: turned clockwise by 90, 180 or 270 degrees."),
        u"degrees"_s));
    parser.addOption(
        QCommandLineOption(kRecords,
                           QCoreApplication::translate(
                               "CommandLine", "With --export or --sheet: the records, such as 1,4-9 (default: all)."),
                           u"numbers"_s));
    parser.addOption(QCommandLineOption(
        kFormat,
        QCoreApplication::translate("CommandLine",
                                    "With --export: tif (default), or vector artwork of each record's label "
                                    "as svg, pdf or eps."),
        u"tif|svg|pdf|eps"_s));
    parser.addOption(QCommandLineOption(
        kMagnification,
        QCoreApplication::translate("CommandLine",
                                    "With --export and a vector format: the size of the EAN, UPC and ISBN "
                                    "symbols, 80 to 200 percent of the nominal X-dimension of 0.330 mm "
                                    "(default: as stored by the size window)."),
        u"percent"_s));
    parser.addOption(QCommandLineOption(
        kBwr,
        QCoreApplication::translate("CommandLine",
                                    "With --export and a vector format: the bar width reduction, 0 to 0.100 "
                                    "mm (default: as stored by the size window)."),
        u"mm"_s));
    parser.addOption(QCommandLineOption(
        kBearers,
        QCoreApplication::translate("CommandLine",
                                    "With --export or --sheet: the bearer bars of SCC-14 symbols, 5 modules thick: "
                                    "none, top-bottom (a bar above and below) or frame (a box around the quiet "
                                    "zones) (default: as stored by the size window)."),
        u"none|top-bottom|frame"_s));
    parser.addOption(QCommandLineOption(
        kVerify,
        QCoreApplication::translate(
            "CommandLine", "With --export: reads each file back and fails unless it scans to its record's digits.")));
    parser.addOption(QCommandLineOption(
        kGs1CheckOption,
        QCoreApplication::translate("CommandLine",
                                    "Checks GS1 data, element strings such as (01)09506000134352(17)271231 or a "
                                    "Digital Link URI: prints each application identifier with its title and "
                                    "verdict, the element string and the Digital Link URI. Exits with 0 for "
                                    "valid data and 1 otherwise; writes no file."),
        u"data"_s));
    parser.addOption(QCommandLineOption(
        kSymbol,
        QCoreApplication::translate("CommandLine",
                                    "With --export or --sheet: each label carries a 2D symbol: a GS1 "
                                    "DataMatrix, a QR Code with a GS1 Digital Link URI or a Data Matrix with "
                                    "one. It holds the record's GTIN and the data of --ai."),
        u"datamatrix|dl-qr|dl-datamatrix"_s));
    parser.addOption(QCommandLineOption(
        kDual, QCoreApplication::translate("CommandLine",
                                           "With --symbol: the 2D symbol beside the linear one (default: alone).")));
    parser.addOption(QCommandLineOption(
        kAi,
        QCoreApplication::translate("CommandLine",
                                    "With --symbol or --logistic-label: one application identifier and its value, "
                                    "such as 10=ABC123 or 17=271231; give it once for each."),
        u"ai=value"_s));
    parser.addOption(QCommandLineOption(
        kSerialFrom,
        QCoreApplication::translate("CommandLine",
                                    "With --symbol: every label gets its own serial number (21), from this "
                                    "number on."),
        u"n"_s));
    parser.addOption(QCommandLineOption(
        kDlDomain,
        QCoreApplication::translate("CommandLine",
                                    "With --symbol dl-qr or dl-datamatrix: the domain of the Digital Link URI "
                                    "(default: https://id.gs1.org)."),
        u"url"_s));
    parser.addOption(QCommandLineOption(
        kSsccTakeOption,
        QCoreApplication::translate("CommandLine",
                                    "Takes the next SSCCs (AI 00) of the company prefix --sscc-prefix and the "
                                    "extension digit --extension and prints the 18 digits of each, without the "
                                    "(00), one a line. They are counted beside the settings and logged before they "
                                    "are printed, so no SSCC is given out twice, even by programs running at once "
                                    "or one stopped halfway. Exits with 0, or with 1 when none can be taken (the "
                                    "reason on standard error).")));
    parser.addOption(QCommandLineOption(
        kSsccPrefix,
        QCoreApplication::translate("CommandLine",
                                    "With --sscc-take or --logistic-label: the GS1 company prefix, 6 to 11 digits."),
        u"prefix"_s));
    parser.addOption(QCommandLineOption(
        kExtension,
        QCoreApplication::translate(
            "CommandLine", "With --sscc-take or --logistic-label: the extension digit, 0 to 9, that each SSCC begins "
                           "with."),
        u"digit"_s));
    parser.addOption(QCommandLineOption(
        kCount,
        QCoreApplication::translate("CommandLine", "With --sscc-take: how many SSCCs, 1 to 1000000 (default 1)."),
        u"n"_s));
    parser.addOption(QCommandLineOption(
        kFor,
        QCoreApplication::translate(
            "CommandLine", "With --sscc-take or --logistic-label: what the SSCCs are for, logged with each, such as a "
                           "GTIN or "
                           "\"pallet {n} of 10\" ({n}: the SSCC's place in the take)."),
        u"text"_s));
    parser.addOption(QCommandLineOption(
        kSsccLogOption,
        QCoreApplication::translate("CommandLine",
                                    "Writes the log of every SSCC taken as a CSV file: the time, the SSCC and what "
                                    "it was for, semicolon separated."),
        u"csv"_s));
    describeLogisticOptions(parser);
    parser.addHelpOption();
    parser.addVersionOption();
}

QString readLogisticLabelOptions(const QCommandLineParser &parser, LogisticLabelCommand &command)
{
    return readLogisticOptions(parser, kAi, kSsccPrefix, kExtension, kPdf, kFor, command);
}

QString readSsccTakeOptions(const QCommandLineParser &parser, SsccTakeRequest &request)
{
    if (!parser.isSet(kSsccTakeOption)) {
        for (const QString &option : {kSsccPrefix, kExtension, kCount, kFor})
            if (parser.isSet(option))
                return QCoreApplication::translate("CommandLine", "--%1 goes with --sscc-take").arg(option);
        return {};
    }
    if (!parser.isSet(kSsccPrefix) || !parser.isSet(kExtension))
        return QCoreApplication::translate("CommandLine", "--sscc-take needs --sscc-prefix and --extension");
    request.prefix = parser.value(kSsccPrefix).trimmed();
    request.extension = parser.value(kExtension).trimmed();
    if (const QString problem = ssccKeyProblem(request.prefix, request.extension); !problem.isEmpty())
        return problem;
    if (parser.isSet(kCount)) {
        bool ok = false;
        request.count = parser.value(kCount).trimmed().toLongLong(&ok);
        if (!ok || request.count < 1 || request.count > kMaxSsccTake)
            return QCoreApplication::translate("CommandLine", "--count takes a whole number from 1 to %1, not \"%2\"")
                .arg(QString::number(kMaxSsccTake), parser.value(kCount));
    }
    request.purpose = parser.value(kFor);
    return {};
}

QString readMatrixOptions(const QCommandLineParser &parser, Gs1Request &request)
{
    const bool asked = parser.isSet(kSymbol);
    if (!asked) {
        for (const QString &option : {kDual, kAi, kSerialFrom, kDlDomain})
            if (parser.isSet(option))
                return u"--"_s + option + u" goes with --symbol"_s;
        return {};
    }
    const auto carrier =
        wordChoice<MatrixCarrier>(parser.value(kSymbol), {{u"datamatrix", MatrixCarrier::Gs1DataMatrix},
                                                          {u"dl-qr", MatrixCarrier::DigitalLinkQr},
                                                          {u"dl-datamatrix", MatrixCarrier::DigitalLinkDataMatrix}});
    if (!carrier)
        return u"--symbol takes datamatrix, dl-qr or dl-datamatrix, not \""_s + parser.value(kSymbol) + u'"';
    request.carrier = *carrier;
    request.dual = parser.isSet(kDual);
    for (const QString &pair : parser.values(kAi)) {
        const qsizetype equals = pair.indexOf(u'=');
        if (equals <= 0)
            return u"--ai takes an application identifier, = and its value, such as 10=ABC123, not \""_s + pair + u'"';
        request.elements.append({pair.left(equals).trimmed(), pair.mid(equals + 1)});
    }
    if (parser.isSet(kSerialFrom)) {
        bool ok = false;
        const qint64 from = parser.value(kSerialFrom).trimmed().toLongLong(&ok);
        // A serial (21) holds at most 20 characters; the numbers stay far below that.
        if (!ok || from < 0 || from > 999999999999LL)
            return u"--serial-from takes a whole number from 0 to 999999999999, not \""_s + parser.value(kSerialFrom) +
                   u'"';
        request.serialFrom = from;
    }
    if (parser.isSet(kDlDomain)) {
        if (!carriesDigitalLink(request.carrier))
            return u"--dl-domain goes with --symbol dl-qr or dl-datamatrix"_s;
        const QString domain = parser.value(kDlDomain).trimmed();
        if (!domain.startsWith(u"https://"_s) && !domain.startsWith(u"http://"_s))
            return u"--dl-domain takes a web address that begins with https:// or http://, not \""_s + domain + u'"';
        request.domain = domain;
    }
    return {};
}

// --export needs the list file and --out; the TIFF and artwork options are checked here.
QString readExportOptions(const QCommandLineParser &parser, ExportRequest &request)
{
    request.listFile = parser.value(kExport);
    if (!parser.isSet(kOut))
        return u"--export needs --out and the folder the files go to"_s;
    request.outFolder = parser.value(kOut);
    if (parser.isSet(kDpi)) {
        request.dpi = wholeNumberIn(parser.value(kDpi), TiffParameters::kMinResolution, TiffParameters::kMaxResolution);
        if (!request.dpi)
            return u"--dpi takes a whole number from 300 to 4800, not \""_s + parser.value(kDpi) + u'"';
    }
    if (parser.isSet(kCompression)) {
        const auto compression =
            wordChoice<TiffCompression>(parser.value(kCompression), {{u"none", TiffCompression::None},
                                                                     {u"huffman", TiffCompression::Huffman},
                                                                     {u"g3", TiffCompression::Group3},
                                                                     {u"g4", TiffCompression::Group4}});
        if (!compression)
            return u"--compression takes none, huffman, g3 or g4, not \""_s + parser.value(kCompression) + u'"';
        request.compression = *compression;
    }
    if (parser.isSet(kCopies)) {
        request.copies = wholeNumberIn(parser.value(kCopies), 1, 999);
        if (!request.copies)
            return u"--copies takes a whole number from 1 to 999, not \""_s + parser.value(kCopies) + u'"';
    }
    request.invert = parser.isSet(kInvert);
    if (parser.isSet(kMirror)) {
        const auto mirror = wordChoice<TiffMirror>(parser.value(kMirror),
                                                   {{u"h", TiffMirror::Horizontal}, {u"v", TiffMirror::Vertical}});
        if (!mirror)
            return u"--mirror takes h or v, not \""_s + parser.value(kMirror) + u'"';
        request.mirror = *mirror;
    }
    if (parser.isSet(kRotate)) {
        const auto rotation = wordChoice<TiffRotation>(
            parser.value(kRotate),
            {{u"90", TiffRotation::Rotate90}, {u"180", TiffRotation::Rotate180}, {u"270", TiffRotation::Rotate270}});
        if (!rotation)
            return u"--rotate takes 90, 180 or 270, not \""_s + parser.value(kRotate) + u'"';
        request.rotation = *rotation;
    }
    if (parser.isSet(kRecords)) {
        request.records = parser.value(kRecords);
        // The numbers are checked against the list once it is read; the form is checked now.
        QString error;
        if (!checkRecordNumbers(request.records, std::numeric_limits<int>::max(), &error))
            return u"--records: "_s + error;
    }
    request.verify = parser.isSet(kVerify);
    if (parser.isSet(kFormat)) {
        const auto format =
            wordChoice<std::optional<ArtworkFormat>>(parser.value(kFormat), {{u"tif", std::nullopt},
                                                                             {u"svg", ArtworkFormat::Svg},
                                                                             {u"pdf", ArtworkFormat::Pdf},
                                                                             {u"eps", ArtworkFormat::Eps}});
        if (!format)
            return u"--format takes tif, svg, pdf or eps, not \""_s + parser.value(kFormat) + u'"';
        request.vectorFormat = *format;
    }
    if ((parser.isSet(kMagnification) || parser.isSet(kBwr)) && !request.vectorFormat)
        return u"--magnification and --bwr go with --format svg, pdf or eps"_s;
    // A comparison that a value that is not a number fails refuses NaN along with the rest.
    if (parser.isSet(kMagnification)) {
        const double value = parser.value(kMagnification).trimmed().toDouble();
        if (!(value >= ArtworkOptions::kMinMagnification && value <= ArtworkOptions::kMaxMagnification))
            return u"--magnification takes a number from 80 to 200, not \""_s + parser.value(kMagnification) + u'"';
        request.magnification = value;
    }
    if (parser.isSet(kBwr)) {
        bool ok = false;
        const double value = parser.value(kBwr).trimmed().toDouble(&ok);
        if (!ok || !(value >= 0 && value <= ArtworkOptions::kMaxBwrMm))
            return u"--bwr takes a number of millimetres from 0 to 0.100, not \""_s + parser.value(kBwr) + u'"';
        request.bwrMm = value;
    }
    if (const QString problem = readBearersOption(parser, request.bearers); !problem.isEmpty())
        return problem;
    if (const QString problem = readMatrixOptions(parser, request.gs1); !problem.isEmpty())
        return problem;
    if (request.gs1.active() && (request.invert || request.mirror || request.rotation))
        return u"--invert, --mirror and --rotate do not go with --symbol"_s;
    return {};
}

// Reads the options of --import; an empty text, or why the options are wrong.
QString readImportOptions(const QCommandLineParser &parser, ImportRequest &request)
{
    request.csvFile = parser.value(kImport);
    if (!parser.isSet(kOut))
        return u"--import needs --out and the list file to write"_s;
    request.listFile = parser.value(kOut);
    if (listFileFormatFor(request.listFile) != ListFileFormat::Qz2)
        return u"--out takes a list file name ending in .qz2, not \""_s + request.listFile + u'"';
    request.columns = parser.value(kColumns);
    QString error;
    if (parser.isSet(kColumns) && !columnsFromList(request.columns, &error))
        return u"--columns: "_s + error;
    request.type = parser.value(kType);
    if (parser.isSet(kType) && typeCodeFromName(request.type).isEmpty())
        return u"--type: \""_s + request.type + u"\" is no barcode type"_s;
    if (parser.isSet(kDuplicates)) {
        const auto skip = wordChoice<bool>(parser.value(kDuplicates), {{u"keep", false}, {u"skip", true}});
        if (!skip)
            return u"--duplicates takes keep or skip, not \""_s + parser.value(kDuplicates) + u'"';
        request.skipDuplicateProducts = *skip;
    }
    return {};
}

// Reads the options of --sheet; an empty text, or why the options are wrong.
QString readSheetOptions(const QCommandLineParser &parser, SheetRequest &request)
{
    request.listFile = parser.value(kSheet);
    if (!parser.isSet(kTemplate) || !parser.isSet(kPdf))
        return u"--sheet needs --template and --pdf"_s;
    request.templateName = parser.value(kTemplate);
    request.pdfFile = parser.value(kPdf);
    if (parser.isSet(kStart)) {
        const std::optional<int> start = wholeNumberIn(parser.value(kStart), 1, 1000);
        if (!start)
            return u"--start takes a whole number from 1 to the labels of a sheet, not \""_s + parser.value(kStart) +
                   u'"';
        request.startAt = *start;
    }
    if (parser.isSet(kCopies)) {
        const std::optional<int> copies = wholeNumberIn(parser.value(kCopies), 1, 999);
        if (!copies)
            return u"--copies takes a whole number from 1 to 999, not \""_s + parser.value(kCopies) + u'"';
        request.copies = *copies;
    }
    if (parser.isSet(kDpi)) {
        const std::optional<int> dpi = wholeNumberIn(parser.value(kDpi), 300, 4800);
        if (!dpi)
            return u"--dpi takes a whole number from 300 to 4800, not \""_s + parser.value(kDpi) + u'"';
        request.dpi = *dpi;
    }
    request.records = parser.value(kRecords);
    if (const QString problem = readBearersOption(parser, request.bearers); !problem.isEmpty())
        return problem;
    return readMatrixOptions(parser, request.gs1);
}

} // namespace Kelbrix
