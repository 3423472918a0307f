#include "gs1/digital_link.h"

#include "gs1/application_identifiers.h"
#include "gs1/gs1_check.h"

#include <QHash>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

using namespace Gs1Internal;

namespace {

bool isDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

int hexValue(QChar c)
{
    const int digit = c.unicode() < 128 ? QChar(c).digitValue() : -1;
    if (digit >= 0)
        return digit;
    const char16_t lower = c.toLower().unicode();
    return lower >= u'a' && lower <= u'f' ? lower - u'a' + 10 : -1;
}

QString percentEncoded(const QString &value)
{
    QString encoded;
    for (const char byte : value.toUtf8()) {
        const uchar b = uchar(byte);
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' || b == '.' ||
            b == '_' || b == '~')
            encoded += QChar(char16_t(b));
        else
            encoded += u'%' + QString::number(b, 16).toUpper().rightJustified(2, u'0');
    }
    return encoded;
}

// Percent-decodes \a raw, which stands at \a offset of the input, into \a e's value and its
// positions; the problem of a malformed escape.
std::optional<Gs1Problem> decodeInto(QStringView raw, int offset, PlacedElement &e)
{
    for (qsizetype i = 0; i < raw.size();) {
        if (raw.at(i) != u'%') {
            e.element.value.append(raw.at(i));
            e.valuePositions.append(offset + int(i));
            ++i;
            continue;
        }
        // A run of escapes is one UTF-8 text; each character it makes stands where its first
        // byte's escape does.
        QByteArray bytes;
        QList<int> positions;
        for (; i < raw.size() && raw.at(i) == u'%'; i += 3) {
            if (i + 2 >= raw.size() || hexValue(raw.at(i + 1)) < 0 || hexValue(raw.at(i + 2)) < 0)
                return Gs1Problem{e.element.ai, offset + int(i),
                                  gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) %2: %3 is no percent escape"),
                                          e.element.ai, shownValue(raw), shownValue(raw.mid(i, 3)))};
            bytes.append(char(hexValue(raw.at(i + 1)) * 16 + hexValue(raw.at(i + 2))));
            positions.append(offset + int(i));
        }
        for (qsizetype b = 0; b < bytes.size();) {
            const uchar lead = uchar(bytes.at(b));
            qsizetype length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 1;
            for (qsizetype k = 1; k < length; ++k) {
                if (b + k >= bytes.size() || (uchar(bytes.at(b + k)) & 0xc0) != 0x80) {
                    length = 1;
                    break;
                }
            }
            const QString text = QString::fromUtf8(bytes.mid(b, length));
            e.element.value += text;
            for (qsizetype k = 0; k < text.size(); ++k)
                e.valuePositions.append(positions.at(b));
            b += length;
        }
    }
    return std::nullopt;
}

struct Segment {
    QStringView text;
    int position = 0;
};

QList<Segment> segmentsOf(QStringView text, int position, QChar separator)
{
    QList<Segment> segments;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text.at(i) == separator) {
            segments.append({text.mid(start, i - start), position + int(start)});
            start = i + 1;
        }
    }
    return segments;
}

const Gs1AiInfo *primaryKey(QStringView segment)
{
    const Gs1AiInfo *info = isDigits(segment) ? findAi(segment) : nullptr;
    return info && info->linkRole == Gs1LinkRole::PrimaryKey ? info : nullptr;
}

} // namespace

namespace Gs1Internal {

Gs1Data parseDigitalLinkAt(const QString &uri, int offset, Gs1Carrier carrier)
{
    QList<PlacedElement> elements;
    QList<Gs1Problem> problems;
    const auto refuse = [&](int position, const QString &ai, const QString &message) {
        problems.append({ai, position, message});
    };
    const qsizetype schemeEnd = uri.indexOf(u"://"_s);
    const QString scheme = uri.left(schemeEnd).toLower();
    if (schemeEnd < 0 || (scheme != u"http"_s && scheme != u"https"_s)) {
        refuse(uri.isEmpty() ? 0 : offset, {},
               gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "A Digital Link begins with http:// or https://")));
        return dataOf(elements, problems);
    }
    const qsizetype hostStart = schemeEnd + 3;
    const qsizetype end = uri.indexOf(u'#') < 0 ? uri.size() : uri.indexOf(u'#');
    qsizetype pathStart = hostStart;
    while (pathStart < end && uri.at(pathStart) != u'/' && uri.at(pathStart) != u'?')
        ++pathStart;
    if (pathStart == hostStart) {
        // Where the domain should be; at the end of the input, its last character.
        refuse(offset + int(std::min(hostStart, uri.size() - 1)), {},
               gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "The web address names no domain")));
        return dataOf(elements, problems);
    }
    qsizetype queryStart = uri.indexOf(u'?', pathStart);
    if (queryStart < 0 || queryStart > end)
        queryStart = end;

    QList<Segment> path =
        segmentsOf(QStringView(uri).mid(pathStart, queryStart - pathStart), offset + int(pathStart), u'/');
    path.removeFirst(); // before the first slash
    if (!path.isEmpty() && path.last().text.isEmpty())
        path.removeLast();
    // The key is the first primary key AI after which every other segment could be an AI.
    qsizetype keyAt = 0;
    for (; keyAt < path.size(); ++keyAt) {
        bool pairs = primaryKey(path.at(keyAt).text) != nullptr;
        for (qsizetype j = keyAt + 2; pairs && j < path.size(); j += 2)
            pairs = isDigits(path.at(j).text);
        if (pairs)
            break;
    }
    if (keyAt == path.size()) {
        refuse(
            0, {},
            gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "The web address holds no primary key such as /01/ and a GTIN")));
        return dataOf(elements, problems);
    }
    const Gs1AiInfo &key = *primaryKey(path.at(keyAt).text);

    QHash<QString, int> given;
    const auto add = [&](const Segment &ai, const Segment *value) {
        PlacedElement e;
        e.element.ai = ai.text.toString();
        e.aiPosition = ai.position;
        if (given.contains(e.element.ai))
            refuse(ai.position, e.element.ai,
                   gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) is given twice"), shownValue(e.element.ai)));
        given.insert(e.element.ai, ai.position);
        if (value) {
            if (const std::optional<Gs1Problem> problem = decodeInto(value->text, value->position, e))
                problems.append(*problem);
        }
        elements.append(e);
    };

    // The key, then its qualifiers, each of a chain the key takes and in the chain's order.
    add(path.at(keyAt), keyAt + 1 < path.size() ? &path.at(keyAt + 1) : nullptr);
    PlacedElement &gtin = elements.first();
    if (key.ai == u"01"_s && isDigits(gtin.element.value) && QList{8, 12, 13}.contains(gtin.element.value.size())) {
        const int padding = 14 - int(gtin.element.value.size());
        gtin.valuePositions = QList<int>(padding, gtin.valuePositions.first()) + gtin.valuePositions;
        gtin.element.value = QString(padding, u'0') + gtin.element.value;
    }
    const QStringList *chain = nullptr;
    qsizetype lastInChain = -1;
    QString lastQualifier;
    for (qsizetype j = keyAt + 2; j < path.size(); j += 2) {
        const Segment &segment = path.at(j);
        const QString ai = segment.text.toString();
        add(segment, j + 1 < path.size() ? &path.at(j + 1) : nullptr);
        const auto chainOf = std::find_if(key.qualifierChains.begin(), key.qualifierChains.end(),
                                          [&ai](const QStringList &c) { return c.contains(ai); });
        if (chainOf == key.qualifierChains.end()) {
            refuse(
                segment.position, ai,
                gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) is no key qualifier of (%2)"), shownValue(ai), key.ai));
        } else if (chain && !chain->contains(ai)) {
            refuse(segment.position, ai,
                   gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) and (%2) cannot both qualify (%3)"), lastQualifier,
                           ai, key.ai));
        } else {
            chain = &*chainOf;
            if (chain->indexOf(ai) < lastInChain)
                refuse(segment.position, ai,
                       gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) must come before (%2) in the path"), ai,
                               lastQualifier));
            else {
                lastInChain = chain->indexOf(ai);
                lastQualifier = ai;
            }
        }
    }

    if (queryStart < end) {
        for (const Segment &parameter : segmentsOf(QStringView(uri).mid(queryStart + 1, end - queryStart - 1),
                                                   offset + int(queryStart) + 1, u'&')) {
            const qsizetype equals = parameter.text.indexOf(u'=');
            const Segment name{parameter.text.left(equals < 0 ? parameter.text.size() : equals), parameter.position};
            if (!isDigits(name.text))
                continue;
            const Segment value{equals < 0 ? QStringView() : parameter.text.mid(equals + 1),
                                parameter.position + int(equals) + 1};
            const QString ai = name.text.toString();
            add(name, &value);
            const Gs1AiInfo *info = findAi(ai);
            if (info && info->linkRole == Gs1LinkRole::KeyQualifier && info->qualifiedKeys.contains(key.ai))
                refuse(name.position, ai,
                       gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1",
                                                 "(%1) belongs in the path of a Digital Link, not in its query"),
                               ai));
            else if (info && (info->linkRole == Gs1LinkRole::KeyQualifier || info->linkRole == Gs1LinkRole::PrimaryKey))
                refuse(name.position, ai,
                       gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) cannot be a query attribute"), ai));
            else if (info && info->linkRole == Gs1LinkRole::NotAllowed)
                refuse(name.position, ai,
                       gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) cannot be in a Digital Link"), ai));
        }
    }
    if (problems.isEmpty())
        problems = checkPlaced(elements, carrier);
    return dataOf(elements, problems);
}

} // namespace Gs1Internal

DigitalLink buildDigitalLink(const QList<Gs1Element> &elements, const QString &domain)
{
    const Gs1Data checked = checkGs1(elements, Gs1Carrier::DataMatrix);
    if (!checked.problems.isEmpty())
        return {{}, checked.problems};
    const QList<PlacedElement> placed = placeInBracketed(checked.elements);
    QList<Gs1Problem> problems;
    QString base = domain.trimmed().isEmpty() ? QString::fromLatin1(kDefaultDigitalLinkDomain) : domain.trimmed();
    while (base.endsWith(u'/'))
        base.chop(1);
    const qsizetype hostStart = base.indexOf(u"://"_s) + 3;
    const QString scheme = base.left(hostStart - 3).toLower();
    if ((scheme != u"http"_s && scheme != u"https"_s) || hostStart >= base.size() || base.at(hostStart) == u'/')
        return {{},
                {{{},
                  0,
                  gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "The domain of a Digital Link must begin with http:// or "
                                                            "https:// and name a host, not %1"),
                          shownValue(base))}}};

    qsizetype keyAt = -1;
    for (qsizetype i = 0; i < placed.size(); ++i) {
        if (findAi(placed.at(i).element.ai)->linkRole != Gs1LinkRole::PrimaryKey)
            continue;
        if (keyAt >= 0)
            problems.append({placed.at(i).element.ai, placed.at(i).aiPosition,
                             gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1",
                                                       "(%1) and (%2) are both primary keys; a Digital Link holds one"),
                                     placed.at(keyAt).element.ai, placed.at(i).element.ai)});
        else
            keyAt = i;
    }
    if (keyAt < 0)
        return {
            {},
            {{{},
              0,
              gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "A Digital Link needs a primary key, such as (01) or (00)"))}}};
    const Gs1Element &key = placed.at(keyAt).element;
    const Gs1AiInfo &keyInfo = *findAi(key.ai);

    // The qualifiers given, in the one chain that holds them all.
    QHash<QString, qsizetype> qualifiers;
    for (qsizetype i = 0; i < placed.size(); ++i) {
        if (findAi(placed.at(i).element.ai)->qualifiedKeys.contains(key.ai))
            qualifiers.insert(placed.at(i).element.ai, i);
    }
    const QStringList *chain = nullptr;
    for (const QStringList &candidate : keyInfo.qualifierChains) {
        if (std::all_of(qualifiers.keyBegin(), qualifiers.keyEnd(),
                        [&](const QString &q) { return candidate.contains(q); }))
            chain = &candidate;
    }
    QString uri = base + u'/' + key.ai + u'/' + percentEncoded(key.value);
    if (!chain && !qualifiers.isEmpty()) {
        QList<qsizetype> given = qualifiers.values();
        std::sort(given.begin(), given.end());
        problems.append({placed.at(given.last()).element.ai, placed.at(given.last()).aiPosition,
                         gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) and (%2) cannot both qualify (%3)"),
                                 placed.at(given.first()).element.ai, placed.at(given.last()).element.ai, key.ai)});
    }
    for (const QString &ai : chain ? *chain : QStringList()) {
        if (qualifiers.contains(ai))
            uri += u'/' + ai + u'/' + percentEncoded(placed.at(qualifiers.value(ai)).element.value);
    }
    QStringList attributes;
    for (qsizetype i = 0; i < placed.size(); ++i) {
        const Gs1Element &e = placed.at(i).element;
        const Gs1AiInfo &info = *findAi(e.ai);
        if (i == keyAt || qualifiers.contains(e.ai) || info.linkRole == Gs1LinkRole::PrimaryKey)
            continue;
        if (info.linkRole == Gs1LinkRole::NotAllowed)
            problems.append({e.ai, placed.at(i).aiPosition,
                             gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1", "(%1) cannot be in a Digital Link"), e.ai)});
        else if (info.linkRole == Gs1LinkRole::KeyQualifier)
            problems.append(
                {e.ai, placed.at(i).aiPosition,
                 gs1Text(QT_TRANSLATE_NOOP("Kelbrix::Gs1",
                                           "(%1) is no key qualifier of (%2) and cannot be a query attribute"),
                         e.ai, key.ai)});
        else
            attributes.append(e.ai + u'=' + percentEncoded(e.value));
    }
    if (!problems.isEmpty())
        return {{}, dataOf(placed, problems).problems};
    return {attributes.isEmpty() ? uri : uri + u'?' + attributes.join(u'&'), {}};
}

Gs1Data parseDigitalLink(const QString &uri)
{
    return parseDigitalLinkAt(uri, 1, Gs1Carrier::DataMatrix);
}

} // namespace Kelbrix
