#include "barcode/check_characters.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

const QString &code39Table()
{
    static const QString table = u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%"_s;
    return table;
}

int code39Sum(QStringView text)
{
    int sum = 0;
    for (QChar c : text)
        sum += code39Value(c);
    return sum;
}

} // namespace

int code39Value(QChar character)
{
    const qsizetype index = code39Table().indexOf(character);
    return index < 0 ? 0 : int(index);
}

QChar code39Character(int value)
{
    return code39Table().at(value % 43);
}

bool isCode39Character(QChar character)
{
    return code39Table().contains(character);
}

QString withCode39CheckCharacter(const QString &entry)
{
    if (entry.isEmpty() || entry.size() > kCode39CheckMaxLength)
        return entry;
    const QStringView text(entry);
    const QChar checkOfRest = code39Character(code39Sum(text.first(text.size() - 1)) % 43);
    if (text.back() == checkOfRest)
        return entry; // already carries its check character
    return entry + code39Character(code39Sum(text) % 43);
}

bool IsbnCheck::checkCharacterWrong(const QString &entry) const
{
    return complete && !entry.isEmpty() && entry.back() != expected;
}

IsbnCheck checkIsbn(const QString &entry)
{
    IsbnCheck result;
    int sum = 0;
    int weight = 11;
    for (qsizetype i = 0; i + 1 < entry.size(); ++i) {
        const QChar c = entry.at(i);
        if (c == u'-') {
            ++result.dividers;
            continue;
        }
        --weight;
        sum += (c.isDigit() ? c.digitValue() : 0) * weight;
    }
    result.complete = entry.size() == 13;
    const int r = sum % 11;
    if (r == 0)
        result.expected = u'0';
    else if (11 - r == 10)
        result.expected = u'X';
    else
        result.expected = QChar(u'0' + (11 - r));
    return result;
}

QString isbnToEanData(const QString &entry)
{
    QString digits;
    int dividers = 0;
    for (qsizetype i = 0; i + 1 < entry.size(); ++i) {
        const QChar c = entry.at(i);
        if (c == u'-')
            ++dividers;
        else
            digits.append(c);
    }
    if (digits.size() != 9 || dividers != 3)
        return {};
    for (QChar c : digits) {
        if (!c.isDigit())
            return {}; // an "X" can only stand last; anywhere else the renderer would refuse it
    }
    return u"978"_s + digits;
}

bool allDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QChar gs1CheckDigit(QStringView digits)
{
    if (digits.isEmpty())
        return {};
    int sum = 0;
    int weight = 3;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        const char16_t c = digits[i].unicode();
        if (c < u'0' || c > u'9')
            return {};
        sum += (c - u'0') * weight;
        weight = 4 - weight;
    }
    return QChar(u'0' + (10 - sum % 10) % 10);
}

} // namespace Kelbrix
