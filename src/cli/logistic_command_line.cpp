#include "cli/logistic_command_line.h"

#include "barcode/sscc.h"
#include "cli/headless_export.h"
#include "logistic/logistic_output.h"
#include "logistic/logistic_settings.h"
#include "settings/settings_store.h"
#include "settings/sscc_store.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

const QString kLogisticLabelOption = u"logistic-label"_s;

namespace {

const QString kPallets = u"pallets"_s;
const QString kSize = u"size"_s;
const QString kA4Sheet = u"a4-sheet"_s;
// The most pallets one command makes labels for.
constexpr int kMaxPallets = 10000;

QString commandText(const char *source)
{
    return QCoreApplication::translate("CommandLine", source);
}

} // namespace

void describeLogisticOptions(QCommandLineParser &parser)
{
    parser.addOption(QCommandLineOption(
        kLogisticLabelOption,
        commandText(QT_TRANSLATE_NOOP(
            "CommandLine",
            "Writes GS1 logistic labels into the PDF file --pdf, one a pallet, opening no window: the "
            "supplier block (and customer and carrier blocks) of the Logistic Label window's settings, the "
            "data of --ai with their titles, and GS1-128 symbols, the SSCC's lowest. The SSCCs come from "
            "--sscc-prefix and --extension, one a pallet, or from --ai 00=SSCC for one label. Prints each "
            "SSCC used; exits with 0, or with 1 when the labels could not be made."))));
    parser.addOption(QCommandLineOption(
        kPallets,
        commandText(QT_TRANSLATE_NOOP("CommandLine",
                                      "With --logistic-label: how many pallets, each with its own SSCC (default 1).")),
        u"n"_s));
    parser.addOption(QCommandLineOption(
        kSize,
        commandText(QT_TRANSLATE_NOOP(
            "CommandLine", "With --logistic-label: the label, a6 (105 x 148 mm, the default), a5 (148 x 210 mm) or "
                           "4x6 (4 x 6 in).")),
        u"a6|a5|4x6"_s));
    parser.addOption(QCommandLineOption(
        kA4Sheet,
        commandText(QT_TRANSLATE_NOOP(
            "CommandLine", "With --logistic-label and --size a6: four labels to an A4 page, two across, two down."))));
}

QString readLogisticOptions(const QCommandLineParser &parser, QStringView aiOption, QStringView prefixOption,
                            QStringView extensionOption, QStringView pdfOption, QStringView forOption,
                            LogisticLabelCommand &command)
{
    if (!parser.isSet(kLogisticLabelOption)) {
        for (const QString &option : {kPallets, kSize, kA4Sheet})
            if (parser.isSet(option))
                return commandText(QT_TRANSLATE_NOOP("CommandLine", "--%1 goes with --logistic-label")).arg(option);
        return {};
    }
    const QString ai = aiOption.toString(), prefix = prefixOption.toString(), extension = extensionOption.toString();
    for (const QString &pair : parser.values(ai)) {
        const qsizetype equals = pair.indexOf(u'=');
        if (equals <= 0)
            return commandText(
                       QT_TRANSLATE_NOOP(
                           "CommandLine",
                           "--ai takes an application identifier, = and its value, such as 10=ABC123, not \"%1\""))
                .arg(pair);
        command.elements.append({pair.left(equals).trimmed(), pair.mid(equals + 1)});
    }
    const bool ssccGiven = std::any_of(command.elements.cbegin(), command.elements.cend(),
                                       [](const Gs1Element &element) { return element.ai == u"00"; });
    const bool fromStore = parser.isSet(prefix) || parser.isSet(extension);
    if (ssccGiven == fromStore)
        return commandText(QT_TRANSLATE_NOOP(
            "CommandLine", "--logistic-label needs either --sscc-prefix and --extension, or --ai 00=SSCC"));
    if (fromStore) {
        if (!parser.isSet(prefix) || !parser.isSet(extension))
            return commandText(
                QT_TRANSLATE_NOOP("CommandLine", "--logistic-label needs both --sscc-prefix and --extension"));
        command.prefix = parser.value(prefix).trimmed();
        command.extension = parser.value(extension).trimmed();
        if (const QString problem = ssccKeyProblem(command.prefix, command.extension); !problem.isEmpty())
            return problem;
    }
    if (parser.isSet(kPallets)) {
        bool ok = false;
        command.pallets = parser.value(kPallets).trimmed().toInt(&ok);
        if (!ok || command.pallets < 1 || command.pallets > kMaxPallets)
            return commandText(
                       QT_TRANSLATE_NOOP("CommandLine", "--pallets takes a whole number from 1 to %1, not \"%2\""))
                .arg(QString::number(kMaxPallets), parser.value(kPallets));
        if (ssccGiven && command.pallets > 1)
            return commandText(QT_TRANSLATE_NOOP(
                "CommandLine", "--ai 00 gives one SSCC, for one pallet; for more, take them with --sscc-prefix and "
                               "--extension"));
    }
    if (parser.isSet(kSize)) {
        const auto size = logisticSizeFromName(parser.value(kSize));
        if (!size)
            return commandText(QT_TRANSLATE_NOOP("CommandLine", "--size takes a6, a5 or 4x6, not \"%1\""))
                .arg(parser.value(kSize));
        command.size = *size;
    }
    command.a4Sheet = parser.isSet(kA4Sheet);
    if (command.a4Sheet && command.size != LogisticSize::A6)
        return commandText(QT_TRANSLATE_NOOP("CommandLine", "--a4-sheet takes A6 labels only"));
    command.pdf = parser.value(pdfOption.toString());
    if (command.pdf.trimmed().isEmpty())
        return commandText(QT_TRANSLATE_NOOP("CommandLine", "--logistic-label needs --pdf and the PDF file to write"));
    command.purpose = parser.value(forOption.toString());
    return {};
}

int runLogisticLabel(const LogisticLabelCommand &command)
{
    SettingsStore settings(buildEdition());
    settings.load();
    const LogisticSettings kept = readLogisticSettings(settings);
    LogisticLabelRequest request;
    request.size = command.size;
    request.supplier = kept.supplier;
    request.customer = kept.customer;
    request.carrier = kept.carrier;
    request.elements = command.elements;
    const bool fromStore = !command.prefix.isEmpty();
    if (fromStore)
        request.ssccPrefixLength = int(command.prefix.size());

    // The data is checked, with a stand-in SSCC of the same prefix, before any SSCC is taken.
    if (fromStore) {
        const Sscc standIn = makeSscc(command.extension, command.prefix, u"0"_s);
        const LogisticLayout trial = layoutLogisticLabel(withSscc(request, standIn.digits));
        if (!trial.ok()) {
            printLine(stderr, u"kelbrix: "_s + trial.error);
            return 1;
        }
    }

    QStringList ssccs;
    if (fromStore) {
        const QString purpose =
            command.purpose.isEmpty()
                ? commandText(QT_TRANSLATE_NOOP("CommandLine", "logistic label, pallet {n} of %1")).arg(command.pallets)
                : command.purpose;
        const SsccTake take = SsccStore::forEdition(buildEdition())
                                  .takeSsccs(command.prefix, command.extension, command.pallets, purpose);
        if (!take.ok()) {
            printLine(stderr, u"kelbrix: "_s + take.error);
            return 1;
        }
        ssccs = take.ssccs;
    }

    QList<LogisticLayout> labels;
    if (ssccs.isEmpty())
        labels.append(layoutLogisticLabel(request));
    for (const QString &sscc : std::as_const(ssccs))
        labels.append(layoutLogisticLabel(withSscc(request, sscc)));
    for (const LogisticLayout &label : std::as_const(labels))
        if (!label.ok()) {
            printLine(stderr, u"kelbrix: "_s + label.error);
            return 1;
        }
    const LogisticPdfResult written = writeLogisticPdf(command.pdf, labels, command.a4Sheet);
    if (!written.ok()) {
        printLine(stderr, u"kelbrix: "_s + written.message());
        if (fromStore)
            printLine(stderr, u"kelbrix: "_s +
                                  commandText(QT_TRANSLATE_NOOP("CommandLine", "The SSCCs taken for it stay taken: %1"))
                                      .arg(ssccs.join(u", "_s)));
        return 1;
    }
    for (const LogisticLayout &label : std::as_const(labels))
        printLine(stdout, label.sscc);
    printLine(stdout, QDir::toNativeSeparators(command.pdf));
    std::fflush(stdout);
    return 0;
}

} // namespace Kelbrix
