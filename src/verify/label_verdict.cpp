#include "verify/label_verdict.h"

#include "barcode/check_characters.h"
#include "barcode/type_catalogue.h"
#include "barcode/upc_conversion.h"
#include "verify/symbol_reader.h"

#include <QCoreApplication>

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

} // namespace Kelbrix
