#include "verify/label_verdict.h"

#include "barcode/check_characters.h"
#include "barcode/type_catalogue.h"
#include "barcode/upc_conversion.h"
#include "verify/symbol_reader.h"

#include <QCoreApplication>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

const QString kTick = u"\u2713 "_s;
const QString kWarning = u"\u26A0 "_s;

// Symbols compared with each other: UPC-A is EAN-13 with a leading 0, ISBN is EAN-13.
enum class Family { Ean13, Ean8, UpcE, Itf, Code39, Other };

// One main symbol read from the label, with the add-on read beside it.
struct Reading {
    QString type; // zbar's name
    QString data;
    QString addOn;
};

bool isAddOn(const QString &type)
{
    return type == u"EAN-2"_s || type == u"EAN-5"_s;
}

Family familyOf(const QString &zbarType)
{
    if (zbarType == u"EAN-13"_s || zbarType == u"UPC-A"_s || zbarType == u"ISBN-13"_s)
        return Family::Ean13;
    if (zbarType == u"EAN-8"_s)
        return Family::Ean8;
    if (zbarType == u"UPC-E"_s)
        return Family::UpcE;
    if (zbarType == u"I2/5"_s)
        return Family::Itf;
    if (zbarType == u"CODE-39"_s)
        return Family::Code39;
    return Family::Other;
}

// The digits as EAN-13 compares them: UPC-A gains its leading 0.
QString comparable(const QString &zbarType, const QString &data)
{
    return zbarType == u"UPC-A"_s ? u'0' + data : data;
}

QString displayName(const QString &zbarType, const QString &data)
{
    if (zbarType == u"I2/5"_s)
        return data.size() == 14 ? u"ITF-14"_s : u"ITF"_s;
    if (zbarType == u"CODE-39"_s)
        return u"Code 39"_s;
    if (zbarType == u"ISBN-13"_s)
        return u"EAN-13"_s;
    return zbarType;
}

QString describe(const QString &name, const QString &data, const QString &addOn)
{
    return addOn.isEmpty() ? name + u' ' + data : name + u' ' + data + u" + "_s + addOn;
}

// Main symbols with their add-ons. An add-on zbar reports on its own belongs to the main
// symbol when there is just one.
QList<Reading> readingsOf(const QList<DecodedSymbol> &symbols)
{
    QList<Reading> result;
    QStringList looseAddOns;
    for (const DecodedSymbol &symbol : symbols) {
        if (symbol.parts.isEmpty()) {
            if (isAddOn(symbol.type))
                looseAddOns.append(symbol.data);
            else
                result.append({symbol.type, symbol.data, {}});
            continue;
        }
        Reading reading;
        for (const SymbolPart &part : symbol.parts) {
            if (isAddOn(part.type))
                reading.addOn = part.data;
            else
                reading = {part.type, part.data, reading.addOn};
        }
        result.append(reading);
    }
    if (result.size() == 1 && result.front().addOn.isEmpty() && looseAddOns.size() == 1)
        result.front().addOn = looseAddOns.front();
    else if (result.isEmpty() && !looseAddOns.isEmpty())
        result.append({u"EAN-%1"_s.arg(looseAddOns.front().size()), looseAddOns.front(), {}});
    return result;
}

// What the label should read as.
struct Expectation {
    Family family = Family::Other;
    QString name;                 // as the verdict names the symbol
    QString digits;               // in the form comparable() gives, maybe without check character
    bool leadingZeroShown = true; // false for UPC-A, whose leading 0 the verdict leaves out
};

Expectation expectationOf(Symbology symbology, const QString &digits)
{
    switch (symbology) {
    case Symbology::Ean13:
        return {Family::Ean13, u"EAN-13"_s, digits};
    case Symbology::Isbn: {
        const QString ean = isbnToEanData(digits);
        return {Family::Ean13, u"EAN-13"_s, ean.isEmpty() ? digits : ean};
    }
    case Symbology::UpcA:
        return {Family::Ean13, u"UPC-A"_s, u'0' + digits, false};
    case Symbology::Ean8:
        return {Family::Ean8, u"EAN-8"_s, digits};
    case Symbology::UpcE:
        return {Family::UpcE, u"UPC-E"_s, digits};
    case Symbology::UpcAToE: {
        // UPC-A digits stand for the UPC-E symbol they suppress to; a check digit stays.
        const std::optional<QString> upcE = upcAToUpcE(digits.left(11));
        return {Family::UpcE, u"UPC-E"_s, upcE ? *upcE + digits.mid(11) : digits};
    }
    case Symbology::Scc14:
        return {Family::Itf, u"ITF-14"_s, digits};
    case Symbology::Code39:
        return {Family::Code39, u"Code 39"_s, digits.toUpper()};
    }
    return {};
}

bool numberSystemOne(Symbology symbology, const QString &digits)
{
    return (symbology == Symbology::UpcE || symbology == Symbology::UpcAToE) && digits.startsWith(u'1');
}

bool digitsMatch(const Expectation &expected, const QString &read)
{
    if (read == expected.digits)
        return true;
    if (expected.family == Family::Code39)
        return read == withCode39CheckCharacter(expected.digits);
    // Typed without check digit: the reader checked the one it found (ITF-14's comes from the
    // same encoder that drew the other thirteen).
    return read.size() == expected.digits.size() + 1 && read.startsWith(expected.digits);
}

LabelVerdict notChecked(const QString &hint)
{
    return {LabelVerdict::Kind::NotChecked, QCoreApplication::translate("LabelVerdict", "Not checked"), hint, {}};
}

} // namespace

LabelVerdict verifyLabel(const QImage &label, const QString &typeCode, const QString &expectedDigits,
                         const QString &expectedSupplement)
{
    const TypeInfo *type = findType(typeCode);
    if (!type)
        return notChecked(QCoreApplication::translate(
            "LabelVerdict", "This label has no barcode type the reader knows, so it was not read back."));
    // zbar does not read UPC-E of number system 1; ZXing-C++ does.
    const auto reader = numberSystemOne(type->symbology, expectedDigits) ? readUpcESymbol : readSymbols;
    bool inverted = false;
    QList<DecodedSymbol> symbols = reader(label, false);
    if (symbols.isEmpty()) {
        symbols = reader(label, true);
        inverted = !symbols.isEmpty();
    }
    const QList<Reading> readings = readingsOf(symbols);
    if (readings.isEmpty()) {
        return {LabelVerdict::Kind::Unreadable,
                kWarning + QCoreApplication::translate("LabelVerdict", "Does not scan"),
                QCoreApplication::translate(
                    "LabelVerdict", "No barcode could be read back from this label. Check it before you print it."),
                {}};
    }

    const Expectation expected = expectationOf(type->symbology, expectedDigits);
    for (const Reading &reading : readings) {
        const QString digits = comparable(reading.type, reading.data);
        if (familyOf(reading.type) != expected.family || !digitsMatch(expected, digits) ||
            reading.addOn != expectedSupplement)
            continue;
        const QString shown = expected.leadingZeroShown ? digits : digits.mid(1);
        LabelVerdict verdict{LabelVerdict::Kind::Scans, {}, {}, describe(expected.name, shown, reading.addOn)};
        verdict.text = kTick + QCoreApplication::translate("LabelVerdict", "Scans as %1").arg(verdict.read);
        verdict.hint = QCoreApplication::translate("LabelVerdict",
                                                   "The label was read back and gives the digits it was made from.");
        if (inverted) {
            verdict.text += QCoreApplication::translate("LabelVerdict", " (inverted)");
            verdict.hint += QCoreApplication::translate(
                "LabelVerdict", " It has light bars on a dark ground, which not every scanner reads.");
        }
        return verdict;
    }

    const Reading &first = readings.front();
    const QString read = describe(displayName(first.type, first.data), first.data, first.addOn);
    const QString wanted = describe(expected.name, expectedDigits, expectedSupplement);
    return {LabelVerdict::Kind::Mismatch,
            kWarning + QCoreApplication::translate("LabelVerdict", "Reads as %1 instead of %2").arg(read, wanted),
            QCoreApplication::translate(
                "LabelVerdict",
                "The label reads back as something else than it was made from. Check it before you print it."),
            read};
}

namespace {

// \a elements in AI order, so that data read back in another order compares equal.
QList<Gs1Element> sortedElements(QList<Gs1Element> elements)
{
    std::stable_sort(elements.begin(), elements.end(),
                     [](const Gs1Element &a, const Gs1Element &b) { return a.ai < b.ai; });
    return elements;
}

bool sameElements(const QList<Gs1Element> &a, const QList<Gs1Element> &b)
{
    const QList<Gs1Element> left = sortedElements(a), right = sortedElements(b);
    if (left.size() != right.size())
        return false;
    for (qsizetype i = 0; i < left.size(); ++i)
        if (left.at(i).ai != right.at(i).ai || left.at(i).value != right.at(i).value)
            return false;
    return true;
}

QString carrierName(MatrixCarrier carrier)
{
    switch (carrier) {
    case MatrixCarrier::Gs1DataMatrix:
        return u"GS1 DataMatrix"_s;
    case MatrixCarrier::DigitalLinkQr:
        return u"QR Code"_s;
    case MatrixCarrier::DigitalLinkDataMatrix:
        return u"Data Matrix"_s;
    case MatrixCarrier::None:
        break;
    }
    return {};
}

} // namespace

LabelVerdict verifyMatrixLabel(const QImage &label, MatrixCarrier carrier, const Gs1LabelData &expected)
{
    const std::optional<MatrixReading> reading = readMatrixSymbol(label);
    if (!reading) {
        return {LabelVerdict::Kind::Unreadable,
                kWarning + QCoreApplication::translate("LabelVerdict", "The 2D symbol does not scan"),
                QCoreApplication::translate(
                    "LabelVerdict", "No 2D symbol could be read back from this label. Check it before you print it."),
                {}};
    }
    // What the scanner would hand on: element strings after "]d2", or a URI to parse.
    Gs1Data read;
    QString shown;
    const bool link = carriesDigitalLink(carrier);
    if (link) {
        read = parseDigitalLink(reading->content);
        shown = reading->content;
    } else {
        read = parseGs1(reading->symbologyIdentifier + reading->content);
        shown = read.problems.isEmpty() ? bracketedElementString(read.elements) : reading->content;
    }
    const bool sameCarrier = reading->format == carrierName(carrier) ||
                             (carrier == MatrixCarrier::DigitalLinkQr && reading->format == u"QR Code"_s);
    const bool identifierRight = link || reading->symbologyIdentifier == u"]d2"_s;
    const bool same = sameCarrier && identifierRight && read.problems.isEmpty() &&
                      sameElements(read.elements, expected.elements) && (!link || reading->content == expected.uri);
    const QString description = reading->format + u' ' + shown;
    if (same) {
        LabelVerdict verdict{LabelVerdict::Kind::Scans, {}, {}, description};
        verdict.text = kTick + QCoreApplication::translate("LabelVerdict", "Scans as %1").arg(description);
        verdict.hint = QCoreApplication::translate("LabelVerdict",
                                                   "The 2D symbol was read back and gives the data it was made from.");
        return verdict;
    }
    const QString wanted = carrierName(carrier) + u' ' + (link ? expected.uri : expected.elementString);
    return {LabelVerdict::Kind::Mismatch,
            kWarning +
                QCoreApplication::translate("LabelVerdict", "Reads as %1 instead of %2").arg(description, wanted),
            QCoreApplication::translate(
                "LabelVerdict",
                "The label reads back as something else than it was made from. Check it before you print it."),
            description};
}

LabelVerdict verifyLabelWithMatrix(const QImage &label, const QString &typeCode, const QString &expectedDigits,
                                   const QString &expectedSupplement, const MatrixExpectation &matrix)
{
    if (matrix.carrier == MatrixCarrier::None)
        return verifyLabel(label, typeCode, expectedDigits, expectedSupplement);
    if (!matrix.data.problem.isEmpty()) {
        return {LabelVerdict::Kind::Unreadable,
                kWarning + QCoreApplication::translate("LabelVerdict", "No 2D symbol: %1").arg(matrix.data.problem),
                QCoreApplication::translate("LabelVerdict",
                                            "The GS1 data was refused, so the label carries no 2D symbol. Correct "
                                            "it in Edit, GS1 Data."),
                {}};
    }
    const LabelVerdict twoD = verifyMatrixLabel(label, matrix.carrier, matrix.data);
    if (!twoD.scans() || !matrix.dual)
        return twoD;
    const LabelVerdict linear = verifyLabel(label, typeCode, expectedDigits, expectedSupplement);
    return linear.scans() ? twoD : linear;
}

} // namespace Kelbrix
