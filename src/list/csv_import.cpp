#include "list/csv_import.h"

#include "barcode/check_characters.h"
#include "barcode/entry_rules.h"
#include "barcode/type_catalogue.h"
#include "barcode/upc_conversion.h"
#include "gs1/application_identifiers.h"
#include "list/barcode_list.h"
#include "list/csv_writer.h"
#include "list/list_files.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSet>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

enum class Field { None, Product, Barcode, Supplement, Text, Type, TypeCode };

// A header name without letter case, blanks, dots, dashes and underscores.
QString normalized(const QString &name)
{
    QString key;
    key.reserve(name.size());
    for (const QChar c : name) {
        if (c != u' ' && c != u'.' && c != u'-' && c != u'_' && c != u'\t' && c != u'\u00a0')
            key.append(c.toLower());
    }
    return key;
}

Field fieldNamed(const QString &name)
{
    static const QHash<QString, Field> names{
        {u"product"_s, Field::Product},
        {u"produkt"_s, Field::Product},
        {u"productname"_s, Field::Product},
        {u"produktnamn"_s, Field::Product},
        {u"name"_s, Field::Product},
        {u"namn"_s, Field::Product},
        {u"artikel"_s, Field::Product},
        {u"article"_s, Field::Product},
        {u"item"_s, Field::Product},
        {u"benämning"_s, Field::Product},
        {u"description"_s, Field::Product},
        {u"beskrivning"_s, Field::Product},
        {u"barcode"_s, Field::Barcode},
        {u"streckkod"_s, Field::Barcode},
        {u"ean"_s, Field::Barcode},
        {u"ean13"_s, Field::Barcode},
        {u"ean8"_s, Field::Barcode},
        {u"gtin"_s, Field::Barcode},
        {u"gtin13"_s, Field::Barcode},
        {u"upc"_s, Field::Barcode},
        {u"isbn"_s, Field::Barcode},
        {u"code"_s, Field::Barcode},
        {u"kod"_s, Field::Barcode},
        {u"eankod"_s, Field::Barcode},
        {u"supplement"_s, Field::Supplement},
        {u"digitsup"_s, Field::Supplement},
        {u"addon"_s, Field::Supplement},
        {u"tillägg"_s, Field::Supplement},
        {u"tilläggskod"_s, Field::Supplement},
        {u"text"_s, Field::Text},
        {u"freetext"_s, Field::Text},
        {u"fritext"_s, Field::Text},
        {u"note"_s, Field::Text},
        {u"anteckning"_s, Field::Text},
        {u"type"_s, Field::Type},
        {u"typ"_s, Field::Type},
        {u"barcodetype"_s, Field::Type},
        {u"streckkodstyp"_s, Field::Type},
        {u"symbology"_s, Field::Type},
        {u"kodtyp"_s, Field::Type},
        {u"typecode"_s, Field::TypeCode},
        {u"typkod"_s, Field::TypeCode},
    };
    return names.value(normalized(name), Field::None);
}

int *columnOf(CsvColumns &columns, Field field)
{
    switch (field) {
    case Field::Product:
        return &columns.product;
    case Field::Barcode:
        return &columns.barcode;
    case Field::Supplement:
        return &columns.supplement;
    case Field::Text:
        return &columns.text;
    case Field::Type:
    case Field::TypeCode:
        return &columns.type;
    case Field::None:
        break;
    }
    return nullptr;
}

QString typeName(const TypeInfo &type)
{
    return typeDisplayName(type.symbology).trimmed();
}

// Why a barcode of \a type is refused, or an empty text; \a barcode becomes the entry the list keeps.
QString checkBarcode(const TypeInfo &type, QString &barcode)
{
    if (barcode.isEmpty())
        return u"there is no barcode"_s;
    switch (type.symbology) {
    case Symbology::Code39:
        barcode = barcode.toUpper();
        for (const QChar c : std::as_const(barcode)) {
            if (!isCode39Character(c))
                return QCoreApplication::translate("ListFiles", "\"%1\" is no Code 39 character").arg(c);
        }
        if (barcode.size() > kCode39MaxLength)
            return QCoreApplication::translate("ListFiles", "a Code 39 barcode has at most %1 characters, not %2")
                .arg(kCode39MaxLength)
                .arg(barcode.size());
        return {};
    case Symbology::Isbn: {
        barcode = barcode.toUpper();
        const IsbnCheck check = checkIsbn(barcode);
        if (barcode.size() != 13 || !check.dividersOk() || isbnToEanData(barcode).isEmpty() ||
            !(barcode.back().isDigit() || barcode.back() == u'X'))
            return QCoreApplication::translate(
                       "ListFiles", "an ISBN is written as 10 characters and 3 dividers, such as 1-57169-006-9, not %1")
                .arg(barcode);
        if (check.checkCharacterWrong(barcode))
            return QCoreApplication::translate("ListFiles", "the ISBN check character is %1, but it should be %2")
                .arg(barcode.back(), check.expected);
        return {};
    }
    default:
        break;
    }
    if (!allDigits(barcode))
        return QCoreApplication::translate("ListFiles", "the barcode %1 is not all digits").arg(barcode);
    const int length = type.entryLength;
    if (barcode.size() == length)
        return {};
    if (barcode.size() != length + 1)
        return QCoreApplication::translate("ListFiles", "%1 has %2 digits, or %3 with its check digit, not %4")
            .arg(typeName(type))
            .arg(length)
            .arg(length + 1)
            .arg(barcode.size());
    const QString data = barcode.left(length);
    QChar expected;
    if (type.symbology == Symbology::UpcE) {
        const std::optional<QString> upcA = upcEToUpcA(data);
        if (!upcA)
            return u"a UPC E barcode starts with 0 or 1"_s;
        expected = gs1CheckDigit(*upcA);
    } else {
        expected = gs1CheckDigit(data);
    }
    if (barcode.back() != expected)
        return QCoreApplication::translate("ListFiles", "the check digit is %1, but it should be %2")
            .arg(barcode.back(), expected);
    barcode = data;
    return {};
}

QString checkText(const QString &text, const QString &what)
{
    if (text.contains(u'\n') || text.contains(u'\r'))
        return QCoreApplication::translate("ListFiles", "the %1 holds a line break, which a list file cannot keep")
            .arg(what);
    if (text.size() > ListFileLimits::MaxLineLength - 2)
        return QCoreApplication::translate("ListFiles", "the %1 is longer than %2 characters")
            .arg(what)
            .arg(ListFileLimits::MaxLineLength - 2);
    return {};
}

QString heldText(const CsvRow &row, QChar separator)
{
    constexpr qsizetype kShown = 200;
    QString held = row.fields.join(separator);
    if (held.size() > kShown)
        held = held.left(kShown) + u"..."_s;
    return held;
}

// The GTIN-14 the linear symbol of \a record carries, with its check digit (ISBN as its EAN-13,
// UPC-E as the UPC-A number it stands for); empty for Code 39.
QString gtinOfRecord(const ListRecord &record)
{
    const TypeInfo *type = findType(record.type);
    if (!type)
        return {};
    QString digits;
    switch (type->symbology) {
    case Symbology::Code39:
        return {};
    case Symbology::Isbn:
        digits = isbnToEanData(record.barcode);
        if (!digits.isEmpty())
            digits += gs1CheckDigit(digits);
        break;
    case Symbology::UpcE:
        if (const std::optional<QString> upcA = upcEToUpcA(record.barcode))
            digits = *upcA + gs1CheckDigit(*upcA);
        break;
    default:
        digits = fullBarcode(record);
        break;
    }
    return digits.size() >= 8 && digits.size() <= 14 && allDigits(digits) ? digits.rightJustified(14, u'0') : QString();
}

// The element of a measure given as a decimal number, "0.750" or "0,750", in a column that names
// its family (310n): the decimals make the AI's last digit, the digits its value, zero-padded to
// the value's length ((3103)000750). Empty, with the reason in \a refusal, for anything else.
Gs1Element measureElement(const Gs1AiInfo &family, const QString &number, QString *refusal)
{
    if (!family.decimalPoint || family.components.size() != 1) {
        *refusal =
            QCoreApplication::translate("ListFiles", "the column of the %1 must name its AI in full, such as (%2)")
                .arg(family.shortName.toLower(), family.ai.chopped(1) + QString::number(family.lastDigitMin));
        return {};
    }
    static const QRegularExpression decimal(u"^(\\d*)(?:[.,](\\d*))?$"_s);
    const QRegularExpressionMatch m = decimal.match(number);
    if (!m.hasMatch() || m.captured(1).size() + m.captured(2).size() == 0) {
        *refusal = QCoreApplication::translate("ListFiles", "the %1 %2 is no number such as 0.750")
                       .arg(family.shortName.toLower(), number);
        return {};
    }
    const qsizetype decimals = m.captured(2).size();
    if (decimals > family.lastDigitMax) {
        *refusal = QCoreApplication::translate("ListFiles", "the %1 %2 has more than %3 decimals")
                       .arg(family.shortName.toLower(), number)
                       .arg(family.lastDigitMax);
        return {};
    }
    QString digits = m.captured(1) + m.captured(2);
    while (digits.size() > 1 && digits.front() == u'0')
        digits.remove(0, 1);
    const Gs1Component &value = family.components.constFirst();
    if (digits.size() > value.maxLength) {
        *refusal = QCoreApplication::translate("ListFiles", "the %1 %2 has more than %3 digits")
                       .arg(family.shortName.toLower(), number)
                       .arg(value.maxLength);
        return {};
    }
    if (value.isFixed())
        digits = digits.rightJustified(value.maxLength, u'0');
    return {family.ai.chopped(1) + QString::number(decimals), digits};
}

// The GS1 data of one row, into \a record.gs1; or why it is refused. The data is checked as the
// 2D symbol of the record's label carries it: after the (01) of the record's GTIN. Checking each
// element alone would not do: batch, expiry and serial all need a GTIN beside them, and what may
// not go with the GTIN, such as a count (37), would pass.
QString readGs1Cells(const QList<CsvAiColumn> &columns, const QStringList &fields, ListRecord &record)
{
    QList<Gs1Element> elements;
    for (const CsvAiColumn &column : columns) {
        const QString value = fields.value(column.column).trimmed();
        if (value.isEmpty())
            continue;
        if (!column.ai.endsWith(u'n')) {
            elements.append({column.ai, value});
            continue;
        }
        QString refusal;
        const Gs1Element measure = measureElement(*findAi(column.ai), value, &refusal);
        if (!refusal.isEmpty())
            return refusal;
        elements.append(measure);
    }
    if (elements.isEmpty())
        return {};
    const QString gtin = gtinOfRecord(record);
    if (!gtin.isEmpty())
        elements.prepend({u"01"_s, gtin});
    Gs1Data checked = checkGs1(elements, Gs1Carrier::DataMatrix);
    if (!checked.problems.isEmpty())
        return checked.problems.constFirst().message;
    if (!gtin.isEmpty())
        checked.elements.removeFirst();
    record.gs1 = checked.elements;
    return {};
}

} // namespace

std::optional<CsvColumns> columnsFromHeader(const QStringList &header)
{
    CsvColumns columns;
    bool typeFromCode = false;
    for (int i = 0; i < header.size(); ++i) {
        const Field field = fieldNamed(header.at(i));
        int *column = columnOf(columns, field);
        if (!column) {
            const QString ai = aiForColumnHeader(header.at(i));
            if (!ai.isEmpty() && ai != u"01"_s)
                columns.ai.append({i, ai});
            continue;
        }
        if (field == Field::TypeCode && !typeFromCode) {
            columns.type = i;
            typeFromCode = true;
        } else if (*column < 0) {
            *column = i;
        }
    }
    if (columns.barcode < 0)
        return std::nullopt;
    return columns;
}

std::optional<CsvColumns> columnsFromList(const QString &list, QString *error)
{
    CsvColumns columns;
    const QStringList names = list.split(u',');
    for (int i = 0; i < names.size(); ++i) {
        const QString name = names.at(i).trimmed();
        if (name.isEmpty() || name == u"-")
            continue;
        int *column = columnOf(columns, fieldNamed(name));
        // An AI by its digits only: a name such as "price" is more likely a mistake than GS1 data.
        static const QRegularExpression aiDigits(u"^(?:ai)?\\s*\\(?\\s*\\d{2,4}\\s*\\)?$"_s,
                                                 QRegularExpression::CaseInsensitiveOption);
        const QString ai = column || !aiDigits.match(name).hasMatch() ? QString() : aiForColumnHeader(name);
        if (!ai.isEmpty()) {
            if (ai == u"01"_s) {
                *error =
                    QCoreApplication::translate("ListFiles", "\"%1\" names the GTIN, which the barcode column holds")
                        .arg(name);
                return std::nullopt;
            }
            if (std::any_of(columns.ai.cbegin(), columns.ai.cend(),
                            [&ai](const CsvAiColumn &c) { return c.ai == ai; })) {
                *error =
                    QCoreApplication::translate("ListFiles", "\"%1\" names an AI that an earlier column already holds")
                        .arg(name);
                return std::nullopt;
            }
            columns.ai.append({i, ai});
            continue;
        }
        if (!column) {
            *error = QCoreApplication::translate(
                         "ListFiles",
                         "\"%1\" is no column name: use product, barcode, supplement, text, type or an AI such as ai10")
                         .arg(name);
            return std::nullopt;
        }
        if (*column >= 0) {
            *error =
                QCoreApplication::translate("ListFiles", "\"%1\" names a field that an earlier column already holds")
                    .arg(name);
            return std::nullopt;
        }
        *column = i;
    }
    if (columns.barcode < 0) {
        *error = u"no column holds the barcode"_s;
        return std::nullopt;
    }
    return columns;
}

bool isHeaderRow(const QStringList &firstRow, const CsvColumns &columns)
{
    for (const QString &cell : firstRow) {
        if (fieldNamed(cell) != Field::None)
            return true;
    }
    const QString barcode = firstRow.value(columns.barcode);
    return std::none_of(barcode.begin(), barcode.end(), [](QChar c) { return c.isDigit(); });
}

QString typeCodeFromName(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return {};
    for (const TypeInfo &type : allTypes()) {
        if (type.code.trimmed().compare(trimmed, Qt::CaseInsensitive) == 0)
            return type.code;
    }
    QString key = normalized(trimmed);
    int supplement = 0;
    if (const qsizetype plus = key.indexOf(u'+'); plus >= 0) {
        const QString addOn = key.mid(plus + 1);
        if (addOn != u"2" && addOn != u"5")
            return {};
        supplement = addOn.toInt();
        key.truncate(plus);
    }
    static const QHash<QString, Symbology> symbologies{
        {u"ean13"_s, Symbology::Ean13},     {u"ean"_s, Symbology::Ean13},     {u"ean8"_s, Symbology::Ean8},
        {u"upca"_s, Symbology::UpcA},       {u"upc"_s, Symbology::UpcA},      {u"upce"_s, Symbology::UpcE},
        {u"upcatoe"_s, Symbology::UpcAToE}, {u"isbn"_s, Symbology::Isbn},     {u"scc14"_s, Symbology::Scc14},
        {u"itf14"_s, Symbology::Scc14},     {u"code39"_s, Symbology::Code39},
    };
    const auto found = symbologies.constFind(key);
    return found == symbologies.cend() ? QString() : typeCodeFor(*found, supplement);
}

QString typeNameForCsv(const QString &typeCode)
{
    const TypeInfo *type = findType(typeCode);
    if (!type)
        return typeCode;
    return type->supplement ? typeName(*type) + u'+' + QString::number(type->supplement) : typeName(*type);
}

CsvRowCheck checkCsvRow(const QString &product, const QString &barcode, const QString &supplement, const QString &text,
                        const QString &type)
{
    CsvRowCheck result;
    QString code = typeCodeFromName(type);
    QString entry = barcode.trimmed();
    if (type.trimmed().isEmpty()) {
        if (allDigits(entry) && (entry.size() == 12 || entry.size() == 13))
            code = u"E130"_s;
        else if (allDigits(entry) && (entry.size() == 7 || entry.size() == 8))
            code = u"E80 "_s;
        else {
            result.refusal = u"no type is given: name it in a Type column or choose one type for every row"_s;
            return result;
        }
    } else if (code.isEmpty()) {
        result.refusal = QCoreApplication::translate("ListFiles", "\"%1\" is no barcode type").arg(type.trimmed());
        return result;
    }
    const QString digits = supplement.trimmed();
    if (!allDigits(digits)) {
        result.refusal = QCoreApplication::translate("ListFiles", "the supplement %1 is not all digits").arg(digits);
        return result;
    }
    const TypeInfo *info = findType(code);
    if (!digits.isEmpty() && info->supplement == 0) {
        if (digits.size() != 2 && digits.size() != 5) {
            result.refusal =
                QCoreApplication::translate("ListFiles", "a supplement has 2 or 5 digits, not %1").arg(digits.size());
            return result;
        }
        const QString withAddOn = typeCodeFor(info->symbology, int(digits.size()));
        if (withAddOn.isEmpty()) {
            result.refusal = QCoreApplication::translate("ListFiles", "%1 takes no %2-digit supplement")
                                 .arg(typeName(*info))
                                 .arg(digits.size());
            return result;
        }
        info = findType(withAddOn);
    }
    if (digits.size() != info->supplementLength) {
        result.refusal = QCoreApplication::translate("ListFiles", "%1 needs a supplement of %2 digits, not %3")
                             .arg(typeNameForCsv(info->code))
                             .arg(info->supplementLength)
                             .arg(digits.size());
        return result;
    }
    result.refusal = checkBarcode(*info, entry);
    if (result.refusal.isEmpty())
        result.refusal = checkText(product, u"product"_s);
    if (result.refusal.isEmpty())
        result.refusal = checkText(text, u"text"_s);
    if (result.refusal.isEmpty())
        result.record = ListRecord{product, entry, digits, text, info->code, {}};
    return result;
}

QString CsvImportResult::reportText() const
{
    QString report;
    if (!ok())
        report += error + u"\nNothing was imported.\n"_s;
    else
        report += QCoreApplication::translate("ListFiles", "%1 rows read: %2 imported, %3 refused.\n")
                      .arg(rowsRead)
                      .arg(accepted.size())
                      .arg(refused.size());
    if (unreadFromLine)
        report += QCoreApplication::translate(
                      "ListFiles", "The rows from line %1 on were not read: a list holds at most %2 records.\n")
                      .arg(unreadFromLine)
                      .arg(BarcodeList::MaxRecords);
    for (const RefusedRow &row : refused)
        report +=
            QCoreApplication::translate("ListFiles", "Line %1 (%2): %3\n").arg(row.line).arg(row.held, row.reason);
    return report;
}

CsvImportResult importCsv(CsvReader &reader, std::optional<CsvColumns> columns, const BarcodeList *list,
                          DuplicateProducts products)
{
    CsvImportResult result;
    CsvRow row;
    if (!reader.readRow(row)) {
        result.error =
            reader.ok() ? QCoreApplication::translate("CsvImport", "The file holds no rows.") : reader.error();
        return result;
    }
    if (!columns) {
        columns = columnsFromHeader(row.fields);
        if (!columns) {
            result.error =
                QCoreApplication::translate(
                    "ListFiles", "Line %1 names no barcode column: call one Barcode, EAN, GTIN or Streckkod.")
                    .arg(row.line);
            return result;
        }
        result.header = true;
    } else {
        result.header = isHeaderRow(row.fields, *columns);
    }
    bool haveRow = !result.header || reader.readRow(row);

    const qsizetype room = BarcodeList::MaxRecords - (list ? list->count() : 0);
    QSet<QString> issued;      // barcodes of the rows accepted so far
    QSet<QString> productKeys; // their products, case folded
    const auto cell = [&row](int column) { return column >= 0 ? row.fields.value(column) : QString(); };
    for (; haveRow; haveRow = reader.readRow(row)) {
        if (result.rowsRead >= room) {
            result.unreadFromLine = row.line;
            break;
        }
        ++result.rowsRead;
        QString type = cell(columns->type);
        if (type.trimmed().isEmpty())
            type = columns->fixedType;
        CsvRowCheck check = checkCsvRow(cell(columns->product), cell(columns->barcode), cell(columns->supplement),
                                        cell(columns->text), type);
        if (check.refusal.isEmpty())
            check.refusal = readGs1Cells(columns->ai, row.fields, check.record);
        const ListRecord &record = check.record;
        if (check.refusal.isEmpty() && !record.product.isEmpty()) {
            const QString key = record.product.toCaseFolded();
            const BarcodeList::AddCheck inList =
                list ? list->checkAdd(record.product, record.barcode) : BarcodeList::AddCheck{};
            const bool productThere = inList.productQuestions > 0 || productKeys.contains(key);
            if (productThere && products == DuplicateProducts::SkipAll)
                check.refusal =
                    QCoreApplication::translate("ListFiles", "the product %1 exists in list").arg(record.product);
            else if (inList.barcodeIssued || issued.contains(record.barcode))
                check.refusal = u"this number has been issued"_s;
            else if (productThere)
                ++result.keptProducts;
            else
                productKeys.insert(key);
        }
        if (!check.refusal.isEmpty()) {
            result.refused.append({row.line, heldText(row, reader.separator()), check.refusal});
            continue;
        }
        issued.insert(record.barcode);
        result.accepted.append(record);
    }
    if (!reader.ok()) {
        result.error = reader.error();
        result.accepted.clear();
    }
    return result;
}

} // namespace Kelbrix
