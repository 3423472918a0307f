#include "barcode/entry_rules.h"

#include "barcode/check_characters.h"
#include "barcode/type_catalogue.h"

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

KeyDecision accept(QChar c, bool clearFirst = false)
{
    return KeyDecision{true, c, clearFirst};
}

KeyDecision discard()
{
    return {};
}

// A digit typed into a box limited to maxLength characters. A fully selected full box is
// emptied first, so the digit starts a new entry; a digit that would make the box longer
// than its limit is discarded. A selection is replaced by the typed digit, so it does not
// count towards the limit.
KeyDecision limitedDigit(QChar key, BoxState box, int maxLength)
{
    if (maxLength < 0)
        return accept(key);
    const bool wholeSelected = box.length > 0 && box.selectedLength == box.length;
    if (box.length >= maxLength && wholeSelected)
        return accept(key, true);
    if (box.length - box.selectedLength >= maxLength)
        return discard();
    return accept(key);
}

} // namespace

KeyDecision filterDigitKey(QChar key, BoxState box, int maxLength)
{
    if (!key.isDigit() || key.unicode() > 0x7f)
        return discard();
    return limitedDigit(key, box, maxLength);
}

KeyDecision filterBarcodeKey(const QString &typeCode, QChar key, BoxState box, int entryLength)
{
    if (typeCode == u"Co39"_s) {
        const QChar upper = key.unicode() < 0x80 ? key.toUpper() : key;
        return isCode39Character(upper) ? accept(upper) : discard();
    }
    if (isIsbnCode(typeCode)) {
        if (key == u'-' || key == u'X' || key == u'x')
            return accept(key.toUpper());
        return filterDigitKey(key, box, entryLength);
    }
    return filterDigitKey(key, box, entryLength);
}

QString digitsOnly(const QString &text)
{
    QString result;
    for (QChar c : text) {
        if (c.isDigit() && c.unicode() < 0x80)
            result.append(c);
    }
    return result;
}

QString sanitizeBarcodeText(const QString &typeCode, const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        const KeyDecision d = filterBarcodeKey(typeCode, c, BoxState{}, -1);
        if (d.accept)
            result.append(d.character);
    }
    return result;
}

QString cutBackCheckCharacter(const QString &typeCode, const QString &text)
{
    const TypeInfo *type = findType(typeCode);
    if (!type || type->fullLength == 0)
        return text;
    if (type->symbology == Symbology::Isbn)
        return text.size() >= type->fullLength ? text.left(type->entryLength) : text;
    return text.size() == type->fullLength ? text.left(type->entryLength) : text;
}

bool entryComplete(int barcodeLength, int supplementLength, int entryLength, int requiredSupplementLength)
{
    if (entryLength == -1)
        return true;
    return barcodeLength == entryLength && supplementLength == requiredSupplementLength;
}

CopiesDecision applyCopiesRule(const QString &text)
{
    CopiesDecision d{text, false};
    if (text.isEmpty())
        return d;
    if (text == u"0"_s)
        d.text = u"1"_s;
    bool ok = false;
    const qlonglong value = d.text.toLongLong(&ok);
    // A run of digits too long for a number is certainly above the limit.
    d.tooMany = ok ? value > kMaxCopies : !digitsOnly(d.text).isEmpty();
    return d;
}

} // namespace Kelbrix
