#pragma once

#include "gs1/digital_link.h"
#include "gs1/element_string.h"
#include "label/label_layout.h"
#include "label/matrix_part.h"

#include <QList>
#include <QString>

#include <optional>

namespace Kelbrix {

class BarcodeRenderer;

/// What a job asks of the 2D symbol on its labels.
struct Gs1Request {
    MatrixCarrier carrier = MatrixCarrier::None;
    bool dual = true;                 ///< beside the linear symbol; false: the 2D symbol alone
    QList<Gs1Element> elements;       ///< the job's data (batch, expiry, ...) besides the GTIN
    std::optional<qint64> serialFrom; ///< (21) from this number, one more for every label
    QString domain = QString::fromLatin1(kDefaultDigitalLinkDomain);
    double moduleMm = kMatrixModuleDefaultMm;

    bool active() const { return carrier != MatrixCarrier::None; }

    friend bool operator==(const Gs1Request &, const Gs1Request &) = default;
};

/// The GTIN-14 the symbol of \a renderer carries (EAN-13 and ISBN, EAN-8, UPC-A, UPC-E as its
/// UPC-A number, SCC-14), with its check digit; empty for Code 39 and for a renderer without a
/// symbol.
QString gtinOf(const BarcodeRenderer &renderer);

/// The data of one label's 2D symbol, checked in full.
struct Gs1LabelData {
    QList<Gs1Element> elements; ///< in the order they are encoded
    QString elementString;      ///< bracketed: "(01)09506000134352(10)ABC123"
    QString uri;                ///< the Digital Link URI of the data; empty when it has none
    QString content;            ///< what the symbol holds: the element string or the URI
    QString problem;            ///< why no symbol can be made; empty when it can
    QString serial;             ///< the (21) this label was given; empty without serials
};

/// The data of label number \a labelIndex (0 for the first) of a job: (01) \a gtin (when not
/// empty), then \a request's elements with \a recordElements over them (a record's own batch
/// replaces the job's), then the serial of the label when the job numbers them. Checked as the
/// carrier asks, and built into a Digital Link URI for the Digital Link carriers.
Gs1LabelData gs1LabelData(const Gs1Request &request, const QString &gtin, const QList<Gs1Element> &recordElements,
                          qint64 labelIndex);

/// The 2D symbol for \a data: nullopt, with the reason in \a error, for data with a problem, a
/// module outside the GS1 table, or data libzint refuses.
std::optional<MatrixPart> makeMatrixPart(const Gs1Request &request, const Gs1LabelData &data, QString *error);

/// Puts the 2D symbol of \a data on \a label, laid out at \a dotsPerInch (0: the layout's own),
/// and checks that a dual label keeps the placement rule. Returns why there is no symbol (the
/// data's problem, the module, libzint's refusal, the placement), and then leaves \a label
/// without one; empty when the symbol is on it.
QString addMatrixPart(LabelDescription &label, const Gs1Request &request, const Gs1LabelData &data,
                      double dotsPerInch = 0);

/// Why a laid-out dual label breaks the placement rule (the whole 2D symbol within 50 mm of the
/// linear symbol's centre); empty when it keeps it.
QString dualPlacementProblem(double reachMm);

} // namespace Kelbrix
