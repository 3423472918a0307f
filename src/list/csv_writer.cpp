#include "list/csv_writer.h"

#include "barcode/check_characters.h"
#include "barcode/type_catalogue.h"
#include "barcode/upc_conversion.h"
#include "gs1/application_identifiers.h"
#include "list/csv_import.h"

#include <QIODevice>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

void appendCsvField(QByteArray &out, const QString &field, char separator)
{
    const bool quote = field.contains(QLatin1Char(separator)) || field.contains(u'"') || field.contains(u'\n') ||
                       field.contains(u'\r') || field.startsWith(u' ') || field.endsWith(u' ');
    if (!quote) {
        out += field.toUtf8();
        return;
    }
    out += '"';
    out += QString(field).replace(u"\""_s, u"\"\""_s).toUtf8();
    out += '"';
}

namespace {

void appendField(QByteArray &out, const QString &field)
{
    appendCsvField(out, field, ',');
}

} // namespace

QString fullBarcode(const ListRecord &record)
{
    const TypeInfo *type = findType(record.type);
    if (!type || type->entryLength < 0 || record.barcode.size() != type->entryLength)
        return record.barcode;
    switch (type->symbology) {
    case Symbology::Isbn:
    case Symbology::Code39:
        return record.barcode;
    case Symbology::UpcE: {
        const std::optional<QString> upcA = upcEToUpcA(record.barcode);
        return upcA ? record.barcode + gs1CheckDigit(*upcA) : record.barcode;
    }
    default: {
        const QChar check = gs1CheckDigit(record.barcode);
        return check.isNull() ? record.barcode : record.barcode + check;
    }
    }
}

QByteArray csvBytes(const QList<ListRecord> &records)
{
    // The AIs of the records' GS1 data, as they first come: a file imported and exported again
    // keeps its columns in the order they had.
    QStringList ais;
    for (const ListRecord &record : records) {
        for (const Gs1Element &element : record.gs1) {
            if (!ais.contains(element.ai))
                ais.append(element.ai);
        }
    }
    QByteArray out("\xEF\xBB\xBFProduct,Barcode,Supplement,Text,Type,TypeCode");
    for (const QString &ai : std::as_const(ais)) {
        const Gs1AiInfo *info = findAi(ai);
        out += ',';
        appendField(out, info ? u'(' + ai + u") "_s + info->shortName : u'(' + ai + u')');
    }
    out += "\r\n";
    out.reserve(out.size() + records.size() * 64);
    for (const ListRecord &record : records) {
        appendField(out, record.product);
        out += ',';
        appendField(out, fullBarcode(record));
        out += ',';
        appendField(out, record.digitSup);
        out += ',';
        appendField(out, record.text);
        out += ',';
        appendField(out, typeNameForCsv(record.type));
        out += ',';
        appendField(out, record.type);
        for (const QString &ai : std::as_const(ais)) {
            out += ',';
            const auto element =
                std::find_if(record.gs1.cbegin(), record.gs1.cend(), [&ai](const Gs1Element &e) { return e.ai == ai; });
            if (element != record.gs1.cend())
                appendField(out, element->value);
        }
        out += "\r\n";
    }
    return out;
}

bool writeCsv(QIODevice &device, const QList<ListRecord> &records)
{
    const QByteArray bytes = csvBytes(records);
    return device.write(bytes) == bytes.size();
}

SaveResult saveCsvFile(const QString &path, const QList<ListRecord> &records)
{
    return saveFileSafely(path, [&records](QIODevice &device) { return writeCsv(device, records); });
}

} // namespace Kelbrix
