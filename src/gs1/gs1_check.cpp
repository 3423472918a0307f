#include "gs1/gs1_check.h"

#include "gs1/application_identifiers.h"

#include <QDate>
#include <QHash>

#include <algorithm>
#include <climits>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix::Gs1Internal {

namespace {

const char *const kMonths[] = {
    QT_TRANSLATE_NOOP("Kelbrix::Gs1", "January"),   QT_TRANSLATE_NOOP("Kelbrix::Gs1", "February"),
    QT_TRANSLATE_NOOP("Kelbrix::Gs1", "March"),     QT_TRANSLATE_NOOP("Kelbrix::Gs1", "April"),
    QT_TRANSLATE_NOOP("Kelbrix::Gs1", "May"),       QT_TRANSLATE_NOOP("Kelbrix::Gs1", "June"),
    QT_TRANSLATE_NOOP("Kelbrix::Gs1", "July"),      QT_TRANSLATE_NOOP("Kelbrix::Gs1", "August"),
    QT_TRANSLATE_NOOP("Kelbrix::Gs1", "September"), QT_TRANSLATE_NOOP("Kelbrix::Gs1", "October"),
    QT_TRANSLATE_NOOP("Kelbrix::Gs1", "November"),  QT_TRANSLATE_NOOP("Kelbrix::Gs1", "December"),
};

const QString kSet82 = u"!\"%&'()*+,-./0123456789:;<=>?ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz"_s;
const QString kSet39 = u"#-/0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s;
const QString kSet64 = u"-0123456789=ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz"_s;

// The short name of an AI in the language of the messages: the Swedish translation of this
// marker says "sv".
QString nameInMessages(const Gs1AiInfo &info)
{
    const bool swedish = QCoreApplication::translate("Kelbrix::Gs1", "en",
                                                     "the language of the AI names in messages: en or sv") == u"sv"_s;
    const QString name = swedish ? info.swedishName : info.shortName;
    return name.left(1).toLower() + name.mid(1);
}

// The character (a whole code point) at \a index of \a value as a message names it.
QString shownCharacter(QStringView value, qsizetype index)
{
    char32_t c = value.at(index).unicode();
    if (QChar::isHighSurrogate(c) && index + 1 < value.size() && value.at(index + 1).isLowSurrogate())
        c = QChar::surrogateToUcs4(value.at(index), value.at(index + 1));
    if (c == U' ')
        return gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "a space"));
    if (QChar::isPrint(c) && !QChar::isSurrogate(c))
        return QString::fromUcs4(&c, 1);
    return u"U+%1"_s.arg(uint(c), 4, 16, QChar(u'0')).toUpper();
}

// The year of two digits as GS1 reads it: within 49 years back and 50 ahead of this year.
int fullYear(int twoDigits)
{
    const int now = QDate::currentDate().year(), century = now / 100 * 100;
    const int difference = twoDigits - now % 100;
    if (difference >= 51)
        return century - 100 + twoDigits;
    if (difference <= -50)
        return century + 100 + twoDigits;
    return century + twoDigits;
}

int checkDigitOf(QStringView digits)
{
    int sum = 0, weight = 3;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        sum += digits.at(i).digitValue() * weight;
        weight = 4 - weight;
    }
    return (10 - sum % 10) % 10;
}

// Reads an element's value against its AI's format.
class ValueCheck {
public:
    ValueCheck(const PlacedElement &element, const Gs1AiInfo &info)
        : m_element(element), m_value(element.element.value), m_info(info)
    {
    }

    std::optional<Gs1Problem> problem()
    {
        if (m_value.isEmpty())
            return Gs1Problem{ai(), m_element.aiPosition,
                              gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) has no data"), ai())};
        splitComponents();
        if (auto found = characterProblem())
            return found;
        if (auto found = lengthProblem())
            return found;
        for (qsizetype i = 0; i < m_parts.size(); ++i) {
            if (auto found = ruleProblem(m_info.components.at(i).rule, m_parts.at(i).first, m_parts.at(i).second))
                return found;
        }
        return std::nullopt;
    }

private:
    QString ai() const { return m_element.element.ai; }

    template <typename... Values> Gs1Problem at(qsizetype index, const char *text, const Values &...values) const
    {
        return Gs1Problem{ai(), m_element.valuePosition(index), gs1Text(text, ai(), shownValue(m_value), values...)};
    }

    // Fixed components take their length; a variable one, always the last, takes the rest.
    void splitComponents()
    {
        qsizetype start = 0;
        for (const Gs1Component &component : m_info.components) {
            const qsizetype rest = m_value.size() - start;
            if (rest == 0 && component.optional)
                break;
            const qsizetype length = component.isFixed() ? std::min<qsizetype>(component.maxLength, rest) : rest;
            m_parts.append({start, length});
            start += length;
        }
    }

    std::optional<Gs1Problem> characterProblem() const
    {
        for (qsizetype part = 0; part < m_parts.size(); ++part) {
            const Gs1CharacterSet set = m_info.components.at(part).characters;
            const auto [first, length] = m_parts.at(part);
            for (qsizetype i = first; i < first + length; ++i) {
                const QChar c = m_value.at(i);
                switch (set) {
                case Gs1CharacterSet::Digits:
                    if (!(c >= u'0' && c <= u'9'))
                        return at(i, QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: %3 is not a digit"),
                                  shownCharacter(m_value, i));
                    break;
                case Gs1CharacterSet::Set82:
                    if (!kSet82.contains(c))
                        return at(
                            i,
                            QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: %3 is not one of the 82 characters GS1 allows"),
                            shownCharacter(m_value, i));
                    break;
                case Gs1CharacterSet::Set39:
                    if (!kSet39.contains(c))
                        return at(i,
                                  QT_TRANSLATE_NOOP("Kelbrix::Gs1",
                                                    "(%1) %2: %3 is not allowed here, only A-Z, 0-9, #, - and /"),
                                  shownCharacter(m_value, i));
                    break;
                case Gs1CharacterSet::Set64:
                    if (!kSet64.contains(c))
                        return at(i,
                                  QT_TRANSLATE_NOOP("Kelbrix::Gs1",
                                                    "(%1) %2: %3 is not allowed here, only A-Z, a-z, 0-9, -, _ and ="),
                                  shownCharacter(m_value, i));
                    break;
                }
            }
        }
        return std::nullopt;
    }

    std::optional<Gs1Problem> lengthProblem() const
    {
        const bool digits = m_info.numeric();
        const qsizetype length = m_value.size();
        const bool fixed = std::all_of(m_info.components.begin(), m_info.components.end(),
                                       [](const Gs1Component &c) { return c.isFixed(); });
        if (fixed) {
            // The lengths with none, some or all of the components that may be left out.
            QList<int> lengths;
            int sum = 0;
            for (const Gs1Component &component : m_info.components) {
                if (component.optional)
                    lengths.append(sum);
                sum += component.maxLength;
            }
            lengths.append(sum);
            if (lengths.contains(length))
                return std::nullopt;
            QStringList figures;
            for (const int figure : lengths)
                figures.append(QString::number(figure));
            const QString needed = figures.size() == 1
                                       ? figures.first()
                                       : gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "%1 or %2"),
                                                 figures.mid(0, figures.size() - 1).join(u", "_s), figures.last());
            return digits ? at(0, QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: %3 digits needed, not %4"), needed,
                               QString::number(length))
                          : at(0, QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: %3 characters needed, not %4"), needed,
                               QString::number(length));
        }
        if (length < m_info.minLength()) {
            const QString least = QString::number(m_info.minLength());
            return digits
                       ? at(0, QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: too short, at least %3 digits"), least)
                       : at(0, QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: too short, at least %3 characters"), least);
        }
        if (length > m_info.maxLength()) {
            const QString most = QString::number(m_info.maxLength());
            return digits ? at(0, QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: too long, at most %3 digits"), most)
                          : at(0, QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: too long, at most %3 characters"), most);
        }
        return std::nullopt;
    }

    std::optional<Gs1Problem> ruleProblem(const QString &rule, qsizetype start, qsizetype length) const
    {
        const QStringView part = QStringView(m_value).mid(start, length);
        if (rule == u"check"_s) {
            const int expected = checkDigitOf(part.chopped(1));
            if (part.back().digitValue() != expected)
                return at(start + length - 1,
                          QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: the check digit should be %3"),
                          QString::number(expected));
        } else if (rule == u"zero"_s) {
            if (part != u"0")
                return at(start, QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: the first digit must be 0"));
        } else if (rule == u"pieces"_s) {
            const int piece = part.left(2).toInt(), total = part.mid(2).toInt();
            if (piece < 1 || piece > total)
                return at(start, QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: there is no piece %3 of %4"),
                          part.left(2).toString(), part.mid(2).toString());
        } else if (rule == u"threes"_s) {
            if (length % 3 != 0)
                return at(start, QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: country codes take 3 digits each"));
        } else if (!rule.isEmpty()) {
            return dateProblem(rule, start);
        }
        return std::nullopt;
    }

    // A date or time written as the pattern says: YYYY or YY, MM, DD (D0 when day 00 is allowed), HH,
    // MI (minutes) and SS.
    std::optional<Gs1Problem> dateProblem(const QString &pattern, qsizetype start) const
    {
        int year = 0, month = 0;
        qsizetype offset = 0;
        for (qsizetype p = 0; p < pattern.size();) {
            const qsizetype size = pattern.mid(p).startsWith(u"YYYY"_s) ? 4 : 2;
            const QString token = pattern.mid(p, size);
            const qsizetype index = start + offset;
            const QString digits = m_value.mid(index, size);
            const int number = digits.toInt();
            p += size;
            offset += size;
            if (token == u"YYYY"_s && number == 0)
                return at(index, QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: %3 is no year"), digits);
            else if (token == u"YYYY"_s)
                year = number;
            else if (token == u"YY"_s)
                year = fullYear(number);
            else if (token == u"MM"_s && (number < 1 || number > 12))
                return at(index, QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: %3 is no month"), digits);
            else if (token == u"MM"_s)
                month = number;
            else if (token == u"DD"_s && number == 0)
                return at(index, QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: %3 is no day"), digits);
            else if ((token == u"DD"_s || token == u"D0"_s) && month > 0 &&
                     number > QDate(year, month, 1).daysInMonth())
                return at(index, QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: %3 %4 has %5 days"),
                          QCoreApplication::translate("Kelbrix::Gs1", kMonths[month - 1]), QString::number(year),
                          QString::number(QDate(year, month, 1).daysInMonth()));
            else if (token == u"HH"_s && number > 23)
                return at(index, QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: %3 is no hour"), digits);
            else if (token == u"MI"_s && number > 59)
                return at(index, QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: %3 is no minute"), digits);
            else if (token == u"SS"_s && number > 59)
                return at(index, QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: %3 is no second"), digits);
        }
        return std::nullopt;
    }

    const PlacedElement &m_element;
    const QString &m_value;
    const Gs1AiInfo &m_info;
    QList<std::pair<qsizetype, qsizetype>> m_parts; // start and length of each component given
};

// Whether two AIs that exclude each other are measures or amounts of one kind.
bool bothFamilies(const Gs1AiInfo &first, const Gs1AiInfo &second)
{
    return first.decimalPoint && second.decimalPoint;
}

} // namespace

int PlacedElement::valuePosition(qsizetype index) const
{
    return index >= 0 && index < valuePositions.size() ? valuePositions.at(index)
           : valuePositions.isEmpty()                  ? aiPosition
                                                       : valuePositions.first();
}

QList<PlacedElement> placeInBracketed(const QList<Gs1Element> &elements)
{
    QList<PlacedElement> placed;
    int position = 1;
    for (const Gs1Element &element : elements) {
        PlacedElement e{element, position + 1, {}};
        position += int(element.ai.size()) + 2;
        for (const QChar c : element.value) {
            position += c == u'(' ? 1 : 0;
            e.valuePositions.append(position++);
        }
        placed.append(e);
    }
    return placed;
}

QList<Gs1Problem> checkPlaced(QList<PlacedElement> &elements, Gs1Carrier carrier)
{
    QList<Gs1Problem> problems;
    if (elements.isEmpty())
        return {{{}, 0, gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "There is no data"))}};

    // Each AI once, its first element checked.
    QList<PlacedElement> kept;
    QList<const Gs1AiInfo *> firsts; // of each kept element: its table entry when it is the first of its AI
    QHash<QString, qsizetype> firstOf, familyFirst;
    for (const PlacedElement &e : std::as_const(elements)) {
        const QString &ai = e.element.ai;
        const auto seen = firstOf.constFind(ai);
        if (seen != firstOf.constEnd() && kept.at(*seen).element.value == e.element.value)
            continue;
        const Gs1AiInfo *info = findAi(ai);
        kept.append(e);
        firsts.append(nullptr);
        if (seen != firstOf.constEnd()) {
            problems.append(
                {ai, e.aiPosition, gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) is given twice"), shownValue(ai))});
            continue;
        }
        firstOf.insert(ai, kept.size() - 1);
        if (!info) {
            problems.append(
                {ai, e.aiPosition,
                 gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) is no GS1 application identifier"), shownValue(ai))});
            continue;
        }
        firsts.last() = info;
        if (const std::optional<Gs1Problem> problem = ValueCheck(e, *info).problem())
            problems.append(*problem);
    }
    elements = kept;

    // The first element of an AI or a family ("393n") in the data; -1 for none.
    const auto indexOf = [&](const QString &ai) -> qsizetype {
        if (!ai.endsWith(u'n'))
            return firstOf.value(ai, -1);
        qsizetype first = -1;
        for (int digit = 0; digit <= 9; ++digit) {
            const qsizetype index = firstOf.value(ai.chopped(1) + QString::number(digit), -1);
            if (index >= 0 && firsts.at(index) && (first < 0 || index < first))
                first = index;
        }
        return first;
    };
    for (qsizetype i = 0; i < kept.size(); ++i) {
        const Gs1AiInfo *info = firsts.at(i);
        if (!info)
            continue;
        const PlacedElement &e = kept.at(i);
        const QString &ai = e.element.ai;
        // Measures and amounts: one of each kind, whatever its decimals.
        if (info->decimalPoint) {
            const qsizetype other = familyFirst.value(info->ai, -1);
            if (other >= 0)
                problems.append(
                    {ai, e.aiPosition,
                     gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1",
                                               "(%1) and (%2) cannot be in the same data: give the %3 once"),
                             kept.at(other).element.ai, ai, nameInMessages(*info))});
            else
                familyFirst.insert(info->ai, i);
        }
        for (const QStringList &set : info->required) {
            if (std::none_of(set.begin(), set.end(), [&](const QString &needed) { return indexOf(needed) >= 0; })) {
                QStringList named;
                for (const QString &needed : set)
                    named.append(u'(' + needed + u')');
                problems.append(
                    {ai, e.aiPosition,
                     gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) needs %2 in the same data"), ai, aiList(named))});
            }
        }
        for (const QString &excluded : info->excluded) {
            const qsizetype other = indexOf(excluded);
            if (other < 0 || other >= i || !firsts.at(other))
                continue;
            const QString &first = kept.at(other).element.ai;
            problems.append(
                {ai, e.aiPosition,
                 bothFamilies(*firsts.at(other), *info)
                     ? gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1",
                                                 "(%1) and (%2) cannot be in the same data: give the %3 once"),
                               first, ai, nameInMessages(*firsts.at(other)))
                     : gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) and (%2) cannot be in the same data"), first,
                               ai)});
        }
    }

    if (carrier == Gs1Carrier::Gs1_128) {
        QList<Gs1Element> plain;
        for (const PlacedElement &e : std::as_const(kept))
            plain.append(e.element);
        const QString tooLong = gs1_128LengthProblem(plain);
        if (!tooLong.isEmpty())
            problems.append({{}, 0, tooLong});
    }
    return problems;
}

Gs1Data dataOf(const QList<PlacedElement> &elements, QList<Gs1Problem> problems)
{
    std::stable_sort(problems.begin(), problems.end(), [](const Gs1Problem &a, const Gs1Problem &b) {
        return (a.position == 0 ? INT_MAX : a.position) < (b.position == 0 ? INT_MAX : b.position);
    });
    Gs1Data data;
    for (const PlacedElement &e : elements)
        data.elements.append(e.element);
    data.problems = problems;
    return data;
}

QString shownValue(QStringView value)
{
    QString shown;
    qsizetype characters = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (++characters > 20) {
            shown += u'…';
            break;
        }
        const QChar c = value.at(i);
        if (c.isHighSurrogate() && i + 1 < value.size() && value.at(i + 1).isLowSurrogate() &&
            QChar::isPrint(QChar::surrogateToUcs4(c, value.at(i + 1)))) {
            shown += value.mid(i, 2);
            ++i;
        } else {
            shown += c.isPrint() ? c : QChar(QChar::ReplacementCharacter);
        }
    }
    return shown;
}

QString aiList(const QStringList &ais)
{
    if (ais.size() < 2)
        return ais.join(QString());
    return gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "%1 or %2"), ais.mid(0, ais.size() - 1).join(u", "_s), ais.last());
}

} // namespace Kelbrix::Gs1Internal
