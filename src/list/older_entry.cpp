#include "list/older_entry.h"

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// Width of "TypeCode blank" in front of the product, plus the blank after it.
constexpr qsizetype kTypeCodeLength = 4;
constexpr qsizetype kFixedPartLength = 6;

bool isSupplementSeparator(QChar character)
{
    return character == u' ' || character == u'-';
}

bool isDigits(QStringView text)
{
    for (const QChar character : text) {
        if (character < u'0' || character > u'9')
            return false;
    }
    return true;
}

} // namespace

const QList<CodeFieldLayout> &codeFieldLayouts()
{
    static const QList<CodeFieldLayout> layouts = {
        {u"E130"_s, 13, 0}, {u"E132"_s, 13, 2}, {u"E135"_s, 13, 5}, //
        {u"E80 "_s, 8, 0},  {u"E82 "_s, 8, 2},  {u"E85 "_s, 8, 5},  //
        {u"UPA0"_s, 12, 0}, {u"UPA2"_s, 12, 2}, {u"UPA5"_s, 12, 5}, //
        {u"UPE0"_s, 8, 0},  {u"UPE2"_s, 8, 2},  {u"UPE5"_s, 8, 5},
    };
    return layouts;
}

const CodeFieldLayout *findCodeFieldLayout(const QString &typeCode)
{
    for (const CodeFieldLayout &layout : codeFieldLayouts()) {
        if (layout.typeCode == typeCode)
            return &layout;
    }
    return nullptr;
}

OlderEntryStatus readOlderEntry(const QString &entry, ListRecord &record)
{
    const QString typeCode = entry.left(kTypeCodeLength);
    if (typeCode.trimmed().isEmpty())
        return OlderEntryStatus::Skipped;
    const CodeFieldLayout *layout = findCodeFieldLayout(typeCode);
    if (!layout)
        return OlderEntryStatus::UnknownType;

    const qsizetype length = entry.size();
    qsizetype codeField = layout->mainLength + layout->supplementLength;
    if (layout->supplementLength > 0) {
        const qsizetype separator = length - layout->supplementLength - 1;
        if (separator >= 0 && isSupplementSeparator(entry.at(separator)))
            ++codeField;
    }
    const qsizetype productLength = length - codeField - kFixedPartLength;
    if (productLength < 0)
        return OlderEntryStatus::TooShort;

    const QString barcode = entry.mid(length - codeField, layout->mainLength);
    const QString supplement = entry.right(layout->supplementLength);
    if (!isDigits(barcode) || !isDigits(supplement))
        return OlderEntryStatus::NotDigits;

    record.type = typeCode;
    record.barcode = barcode;
    record.digitSup = supplement;
    record.product = entry.mid(kFixedPartLength - 1, productLength);
    record.text.clear();
    return OlderEntryStatus::Record;
}

std::optional<OlderEntrySelection> selectOlderEntry(const QString &entry, Edition edition)
{
    if ((edition == Edition::Ean && entry.startsWith(u'U')) || (edition == Edition::Upc && entry.startsWith(u'E')))
        return std::nullopt;
    return OlderEntrySelection{entry.left(kTypeCodeLength), entry.mid(kFixedPartLength - 1)};
}

} // namespace Kelbrix
