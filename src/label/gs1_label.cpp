#include "label/gs1_label.h"

#include "barcode/upc_conversion.h"
#include "base/units.h"
#include "render/barcode_renderer.h"

#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

QString translated(const char *text)
{
    return QCoreApplication::translate("Kelbrix::Gs1Label", text);
}

} // namespace

QString gtinOf(const BarcodeRenderer &renderer)
{
    if (!renderer.hasSymbol())
        return {};
    const QString data = renderer.data();
    const int symbology = renderer.symbology();
    QString digits;
    if (symbology >= kRendererEan13 && symbology < kRendererEan13 + 3 && data.size() == 13)
        digits = data;
    else if (symbology >= kRendererEan8 && symbology < kRendererEan8 + 3 && data.size() == 8)
        digits = data;
    else if (symbology >= kRendererUpcA && symbology < kRendererUpcA + 3 && data.size() == 12)
        digits = data;
    else if (symbology >= kRendererUpcE && symbology < kRendererUpcE + 3 && data.size() == 8) {
        // The UPC-E symbol stands for a UPC-A number, which has the same check digit.
        if (const std::optional<QString> upcA = upcEToUpcA(data.left(7)))
            digits = *upcA + data.right(1);
    } else if (symbology >= kRendererScc14 && symbology < kRendererScc14 + 3 && data.size() == 14)
        digits = data;
    return digits.isEmpty() ? QString() : digits.rightJustified(14, u'0');
}

Gs1LabelData gs1LabelData(const Gs1Request &request, const QString &gtin, const QList<Gs1Element> &recordElements,
                          qint64 labelIndex)
{
    Gs1LabelData result;
    QList<Gs1Element> &elements = result.elements;
    if (!gtin.isEmpty())
        elements.append({u"01"_s, gtin});
    const auto put = [&elements](const Gs1Element &element) {
        for (Gs1Element &present : elements) {
            if (present.ai == element.ai) {
                present.value = element.value;
                return;
            }
        }
        elements.append(element);
    };
    for (const Gs1Element &element : request.elements)
        put(element);
    for (const Gs1Element &element : recordElements)
        put(element);
    if (request.serialFrom) {
        result.serial = QString::number(*request.serialFrom + labelIndex);
        put({u"21"_s, result.serial});
    }
    // Data that is not there is named before the check, which would only say that there is none.
    if (elements.isEmpty()) {
        result.problem = translated("The 2D symbol has no data: give a GTIN or the data's application identifiers.");
        return result;
    }
    const Gs1Carrier carrier =
        request.carrier == MatrixCarrier::DigitalLinkQr ? Gs1Carrier::QrCode : Gs1Carrier::DataMatrix;
    const Gs1Data checked = checkGs1(elements, carrier);
    if (!checked.problems.isEmpty()) {
        result.problem = checked.problems.constFirst().message;
        return result;
    }
    result.elementString = bracketedElementString(elements);
    if (carriesDigitalLink(request.carrier)) {
        const DigitalLink link = buildDigitalLink(elements, request.domain);
        if (!link.problems.isEmpty()) {
            result.problem = link.problems.constFirst().message;
            return result;
        }
        result.uri = link.uri;
        result.content = link.uri;
    } else {
        result.content = result.elementString;
    }
    return result;
}

std::optional<MatrixPart> makeMatrixPart(const Gs1Request &request, const Gs1LabelData &data, QString *error)
{
    QString problem = data.problem;
    if (problem.isEmpty())
        problem = matrixModuleProblem(request.moduleMm);
    MatrixEncoding encoded;
    if (problem.isEmpty()) {
        encoded = encodeMatrix(request.carrier, data.content);
        if (!encoded.ok())
            problem = translated("libzint refused the 2D symbol: %1").arg(encoded.error);
    }
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return std::nullopt;
    }
    MatrixPart part;
    part.symbol = encoded.symbol;
    part.moduleMm = request.moduleMm;
    part.alone = !request.dual;
    return part;
}

QString addMatrixPart(LabelDescription &label, const Gs1Request &request, const Gs1LabelData &data, double dotsPerInch)
{
    QString problem;
    const std::optional<MatrixPart> part = makeMatrixPart(request, data, &problem);
    if (!part)
        return problem;
    label.matrix = *part;
    if (!part->alone)
        problem = dualPlacementProblem(layoutLabel(label, dotsPerInch).matrixReachMm());
    if (!problem.isEmpty())
        label.matrix = {};
    return problem;
}

QString dualPlacementProblem(double reachMm)
{
    if (reachMm <= kDualReachMm + 1e-9)
        return {};
    return translated("The 2D symbol reaches %1 mm from the centre of the linear symbol; it must lie within %2 mm. "
                      "Make the labels smaller or the 2D module smaller.")
        .arg(decimalText(reachMm, 1), decimalText(kDualReachMm, 0));
}

} // namespace Kelbrix
