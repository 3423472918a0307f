#include "list/list_record.h"

#include <QDebug>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

QString ListRecord::field(ListColumn column) const
{
    switch (column) {
    case ListColumn::Product:
        return product;
    case ListColumn::Barcode:
        return barcode;
    case ListColumn::DigitSup:
        return digitSup;
    case ListColumn::Text:
        return text;
    case ListColumn::Type:
        return type;
    }
    return {};
}

QString listColumnCaption(ListColumn column)
{
    switch (column) {
    case ListColumn::Product:
        return u"Product"_s;
    case ListColumn::Barcode:
        return u"Barcode"_s;
    case ListColumn::DigitSup:
        return u"Digit Sup."_s;
    case ListColumn::Text:
        return u"Text"_s;
    case ListColumn::Type:
        return u"Type"_s;
    }
    return {};
}

QList<qsizetype> removeConsecutiveDuplicateBarcodes(QList<ListRecord> &records)
{
    // Each record is compared with the last one kept, so a run of three or more equal
    // barcodes collapses to its first record instead of leaving every second one behind.
    // Compacting in place keeps the pass linear however many records go.
    QList<qsizetype> removed;
    if (records.size() < 2)
        return removed;
    qsizetype kept = 1;
    for (qsizetype i = 1; i < records.size(); ++i) {
        if (records.at(i).barcode == records.at(kept - 1).barcode) {
            removed.append(i);
            continue;
        }
        if (kept != i)
            records[kept] = std::move(records[i]);
        ++kept;
    }
    records.resize(kept);
    return removed;
}

QDebug operator<<(QDebug debug, const ListRecord &record)
{
    const QDebugStateSaver saver(debug);
    debug.nospace() << "ListRecord(" << record.product << ", " << record.barcode << ", " << record.digitSup << ", "
                    << record.text << ", " << record.type;
    if (!record.gs1.isEmpty())
        debug << ", " << bracketedElementString(record.gs1);
    debug << ')';
    return debug;
}

} // namespace Kelbrix
