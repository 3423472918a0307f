#pragma once

#include "gs1/element_string.h"
#include "logistic/logistic_label.h"

#include <QString>

class QCommandLineParser;

namespace Kelbrix {

extern const QString kLogisticLabelOption;

/// What `kelbrix --logistic-label` was asked for.
struct LogisticLabelCommand {
    QString prefix; ///< with extension: the SSCCs come from the store, one a pallet
    QString extension;
    QList<Gs1Element> elements; ///< the data; with (00) the SSCC is given, for one pallet
    int pallets = 1;
    LogisticSize size = LogisticSize::A6;
    bool a4Sheet = false; ///< four A6 labels to an A4 page
    QString pdf;
    QString purpose; ///< what the SSCCs are logged for
};

/// Describes the options that only --logistic-label has to \a parser.
void describeLogisticOptions(QCommandLineParser &parser);

/// Reads the options of --logistic-label into \a command; an empty text, or why they are wrong.
/// Without --logistic-label, why one of its own options was given alone.
QString readLogisticOptions(const QCommandLineParser &parser, QStringView aiOption, QStringView prefixOption,
                            QStringView extensionOption, QStringView pdfOption, QStringView forOption,
                            LogisticLabelCommand &command);

/// Makes the labels of \a command, the supplier, customer and carrier blocks from the settings,
/// and writes them to its PDF file. The data is checked before any SSCC is taken; the SSCCs are
/// taken (and logged) before the file is written, so a failed write leaves them taken but unused.
/// Prints each SSCC used, then the file written; returns 0, or 1 with the reason on the standard error.
int runLogisticLabel(const LogisticLabelCommand &command);

} // namespace Kelbrix
