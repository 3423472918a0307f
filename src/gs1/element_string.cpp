#include "gs1/element_string.h"

#include "gs1/application_identifiers.h"
#include "gs1/gs1_check.h"

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

using namespace Gs1Internal;

namespace {

constexpr QChar kGroupSeparator(0x1d);

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Leaves out the blanks around the element's AI or value, with their positions.
void trimBlanks(QString &text, QList<int> *positions)
{
    while (!text.isEmpty() && text.back().isSpace()) {
        text.chop(1);
        if (positions)
            positions->removeLast();
    }
    while (!text.isEmpty() && text.front().isSpace()) {
        text.remove(0, 1);
        if (positions)
            positions->removeFirst();
    }
}

// "(01)09506000134352(10)AB\(1": each AI in brackets, its value up to the next "(" that is not
// written "\(". The text starts with "(".
QList<Gs1Problem> readBracketed(QStringView text, int offset, QList<PlacedElement> &elements)
{
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype close = i + 1;
        while (close < text.size() && text.at(close) != u')' && text.at(close) != u'(')
            ++close;
        if (close >= text.size() || text.at(close) == u'(')
            return {{{},
                     offset + int(i),
                     gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1 has no closing bracket"),
                             shownValue(text.mid(i + 1, close - i - 1)))}};
        PlacedElement e;
        e.element.ai = text.mid(i + 1, close - i - 1).toString();
        trimBlanks(e.element.ai, nullptr);
        e.aiPosition = offset + int(i) + 1;
        qsizetype j = close + 1;
        for (; j < text.size() && text.at(j) != u'('; ++j) {
            if (text.at(j) == u'\\' && j + 1 < text.size() && text.at(j + 1) == u'(')
                ++j;
            e.element.value.append(text.at(j));
            e.valuePositions.append(offset + int(j));
        }
        trimBlanks(e.element.value, &e.valuePositions);
        elements.append(e);
        i = j;
    }
    return {};
}

// A scanned string: maybe a symbology identifier, then AI after AI, each value of predefined
// length taking its length and any other running to the next GS.
QList<Gs1Problem> readScanned(QStringView text, int offset, QList<PlacedElement> &elements)
{
    qsizetype i = 0;
    if (text.startsWith(u']')) {
        static const QStringList identifiers{u"]C1"_s, u"]d2"_s, u"]Q3"_s, u"]e0"_s, u"]J1"_s};
        if (!identifiers.contains(text.left(3)))
            return {{{},
                     offset,
                     gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "%1 is not the symbology identifier of GS1 data"),
                             shownValue(text.left(3)))}};
        i = 3;
    }
    // Some readers send the FNC1 that starts the data as a GS.
    if (i < text.size() && text.at(i) == kGroupSeparator)
        ++i;
    while (i < text.size()) {
        if (text.at(i) == kGroupSeparator)
            return {{{},
                     offset + int(i),
                     gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "A separator (GS) stands where an AI should begin"))}};
        int length = 0;
        const Gs1AiInfo *info = findAiAtStart(text.mid(i), &length);
        if (!info)
            return {{{},
                     offset + int(i),
                     gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "%1 does not begin with a GS1 application identifier"),
                             shownValue(text.mid(i, 8)) + (text.size() - i > 8 ? u"…"_s : QString()))}};
        PlacedElement e;
        e.element.ai = text.mid(i, length).toString();
        e.aiPosition = offset + int(i);
        // A separator inside a value of predefined length ends it short, as the check then says.
        const qsizetype start = i + length;
        qsizetype end = text.indexOf(kGroupSeparator, start);
        if (end < 0)
            end = text.size();
        if (info->predefinedLength)
            end = std::min(end, start + info->maxLength());
        e.element.value = text.mid(start, end - start).toString();
        for (qsizetype j = start; j < end; ++j)
            e.valuePositions.append(offset + int(j));
        elements.append(e);
        i = end;
        // A separator after a value of predefined length is not needed, but does no harm.
        if (i < text.size() && text.at(i) == kGroupSeparator)
            ++i;
    }
    return {};
}

} // namespace

Gs1Data parseGs1(const QString &input, Gs1Carrier carrier)
{
    qsizetype start = 0, end = input.size();
    while (start < end && input.at(start).isSpace())
        ++start;
    while (end > start && input.at(end - 1).isSpace())
        --end;
    const QStringView text = QStringView(input).mid(start, end - start);
    const int offset = int(start) + 1;
    if (text.startsWith(u"http://"_s, Qt::CaseInsensitive) || text.startsWith(u"https://"_s, Qt::CaseInsensitive))
        return parseDigitalLinkAt(text.toString(), offset, carrier);
    QList<PlacedElement> elements;
    QList<Gs1Problem> problems;
    if (text.startsWith(u'('))
        problems = readBracketed(text, offset, elements);
    else if (text.startsWith(u']') || text.startsWith(kGroupSeparator) || (!text.isEmpty() && isDigit(text.front())))
        problems = readScanned(text, offset, elements);
    else if (!text.isEmpty())
        problems.append(
            {{},
             offset,
             gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "This is not GS1 data: it should begin with an AI "
                                                       "such as (01), with its digits, or with https://"))});
    if (problems.isEmpty())
        problems = checkPlaced(elements, carrier);
    return dataOf(elements, problems);
}

Gs1Data checkGs1(const QList<Gs1Element> &elements, Gs1Carrier carrier)
{
    QList<PlacedElement> placed = placeInBracketed(elements);
    QList<Gs1Problem> problems = checkPlaced(placed, carrier);
    return dataOf(placed, problems);
}

QString bracketedElementString(const QList<Gs1Element> &elements)
{
    QString text;
    for (const Gs1Element &element : elements)
        text += u'(' + element.ai + u')' + QString(element.value).replace(u'(', u"\\("_s);
    return text;
}

QString scannedElementString(const QList<Gs1Element> &elements)
{
    QString text;
    for (qsizetype i = 0; i < elements.size(); ++i) {
        text += elements.at(i).ai + elements.at(i).value;
        const Gs1AiInfo *info = findAi(elements.at(i).ai);
        if (i + 1 < elements.size() && !(info && info->predefinedLength))
            text += kGroupSeparator;
    }
    return text;
}

QString gs1_128LengthProblem(const QList<Gs1Element> &elements)
{
    const qsizetype count = scannedElementString(elements).size();
    if (count <= kGs1_128MaxCharacters)
        return {};
    return Gs1Internal::gs1Text(
        QT_TRANSLATE_NOOP("Kelbrix::Gs1", "GS1-128 holds at most %1 characters; this data has %2"),
        QString::number(kGs1_128MaxCharacters), QString::number(count));
}

} // namespace Kelbrix
