#include "barcode/entry_rules.h"

#include "barcode/check_characters.h"
#include "barcode/type_catalogue.h"

#include <QCoreApplication>

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
// emptied first, so the digit starts a new entry; otherwise a full box discards the digit,
// even over a partial selection, so a full entry is never shortened by a stray key.
KeyDecision limitedDigit(QChar key, BoxState box, int maxLength)
{
    if (maxLength < 0)
        return accept(key);
    const bool wholeSelected = box.length > 0 && box.selectedLength == box.length;
    if (box.length >= maxLength && wholeSelected)
        return accept(key, true);
    if (box.length >= maxLength)
        return discard();
    return accept(key);
}

} // namespace

QString code39TooLongHint()
{
    return QCoreApplication::translate("Form1", "Code 39 takes at most %1 characters, the check character included.")
        .arg(kCode39MaxLength);
}

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
        if (!isCode39Character(upper))
            return discard();
        // The renderer draws no longer Code 39; a selection is replaced by the character.
        if (box.length - box.selectedLength >= kCode39MaxLength)
            return KeyDecision{false, upper, false, true};
        return accept(upper);
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
    if (typeCode == u"Co39"_s && result.size() > kCode39MaxLength)
        result.truncate(kCode39MaxLength);
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
