#include "gs1/application_identifiers.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

// The table is a resource of a static library, which registers it only when asked.
static void initGs1Resources()
{
    Q_INIT_RESOURCE(gs1);
}

namespace Kelbrix {

namespace {

struct AiTable {
    QList<Gs1AiInfo> entries;
    QHash<QString, qsizetype> byAi;   // "01", "310n"
    QHash<QString, qsizetype> byName; // names and titles, normalized
};

// The table is part of the program, so a fault in it is the program's: it stops at once, naming
// the line, and every test run finds it.
[[noreturn]] void tableFault(int line, const QString &what)
{
    qFatal("application_identifiers.txt, line %d: %s", line, qPrintable(what));
}

// A name without letter case, blanks, dots, dashes, underscores, slashes and brackets.
QString normalizedName(const QString &name)
{
    QString key;
    for (const QChar c : name) {
        if (!c.isSpace() && !u" .-_/()"_s.contains(c))
            key.append(c.toLower());
    }
    return key;
}

Gs1Component componentOf(const QString &text, int line)
{
    static const QRegularExpression form(u"^(\\[?)([NXYZ])(?:(\\d+)|(\\d*)\\.\\.(\\d+))(?::([A-Za-z0-9]+))?(\\]?)$"_s);
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch() || m.captured(1).isEmpty() != m.captured(7).isEmpty())
        tableFault(line, u"bad component "_s + text);
    Gs1Component component;
    component.optional = !m.captured(1).isEmpty();
    component.characters =
        QList{Gs1CharacterSet::Digits, Gs1CharacterSet::Set82, Gs1CharacterSet::Set39, Gs1CharacterSet::Set64}.at(
            u"NXYZ"_s.indexOf(m.captured(2)));
    if (!m.captured(3).isEmpty()) {
        component.minLength = component.maxLength = m.captured(3).toInt();
    } else {
        component.minLength = m.captured(4).isEmpty() ? 1 : m.captured(4).toInt();
        component.maxLength = m.captured(5).toInt();
    }
    component.rule = m.captured(6);
    static const QStringList rules{u"check"_s,  u"zero"_s,   u"pieces"_s,   u"threes"_s,
                                   u"YYMMDD"_s, u"YYMMD0"_s, u"YYMMDDHH"_s, u"YYMMDDHHMI"_s,
                                   u"HHMI"_s,   u"MI"_s,     u"SS"_s,       u"YYYYMMDD"_s};
    if (!component.rule.isEmpty() && !rules.contains(component.rule))
        tableFault(line, u"unknown rule "_s + component.rule);
    const bool digitRule = !component.rule.isEmpty() && component.rule != u"threes"_s;
    if (component.minLength < 1 || component.minLength > component.maxLength ||
        (digitRule && (!component.isFixed() || component.characters != Gs1CharacterSet::Digits)))
        tableFault(line, u"bad length or rule in "_s + text);
    return component;
}

void readRules(Gs1AiInfo &info, const QString &rules, int line)
{
    for (const QString &rule : rules.split(u' ', Qt::SkipEmptyParts)) {
        const QString name = rule.section(u'=', 0, 0), value = rule.section(u'=', 1);
        if (rule == u"-"_s) {
        } else if (name == u"req"_s) {
            info.required.append(value.split(u','));
        } else if (name == u"ex"_s) {
            info.excluded.append(value.split(u','));
        } else if (name == u"key"_s) {
            info.linkRole = Gs1LinkRole::PrimaryKey;
            for (const QString &chain : value.split(u'/', Qt::SkipEmptyParts))
                info.qualifierChains.append(chain.split(u','));
        } else if (rule == u"nodl"_s) {
            info.linkRole = Gs1LinkRole::NotAllowed;
        } else if ((name == u"decimals"_s || name == u"n"_s) && value.size() == 3 && value.at(1) == u'-') {
            info.decimalPoint = name == u"decimals"_s;
            info.lastDigitMin = value.at(0).digitValue();
            info.lastDigitMax = value.at(2).digitValue();
        } else {
            tableFault(line, u"unknown rule "_s + rule);
        }
    }
    if (info.isFamily() != (info.lastDigitMax > 0))
        tableFault(line, u"a family needs decimals= or n=, and only a family takes them"_s);
}

// Every AI a rule names is in the table; exclusions hold both ways; key qualifiers know their
// keys; no AI is the start of another, so a scanned string reads one way only.
void linkEntries(AiTable &table)
{
    const auto entry = [&table](const QString &ai) -> Gs1AiInfo & {
        const auto it = table.byAi.constFind(ai);
        if (it == table.byAi.constEnd())
            tableFault(0, u"a rule names "_s + ai + u", which the table does not hold"_s);
        return table.entries[*it];
    };
    for (qsizetype i = 0; i < table.entries.size(); ++i) {
        const Gs1AiInfo info = table.entries.at(i);
        for (const QStringList &set : info.required) {
            for (const QString &ai : set)
                entry(ai);
        }
        for (const QString &ai : info.excluded) {
            if (!entry(ai).excluded.contains(info.ai))
                entry(ai).excluded.append(info.ai);
        }
        for (const QStringList &chain : info.qualifierChains) {
            for (const QString &ai : chain) {
                Gs1AiInfo &qualifier = entry(ai);
                qualifier.linkRole = Gs1LinkRole::KeyQualifier;
                if (!qualifier.qualifiedKeys.contains(info.ai))
                    qualifier.qualifiedKeys.append(info.ai);
            }
        }
        for (qsizetype length = 2; length < info.ai.size(); ++length) {
            if (table.byAi.contains(info.ai.left(length)))
                tableFault(0, info.ai.left(length) + u" is the start of "_s + info.ai);
        }
    }
}

AiTable loadTable()
{
    initGs1Resources();
    QFile file(u":/gs1/application_identifiers.txt"_s);
    if (!file.open(QIODevice::ReadOnly))
        tableFault(0, u"the resource is missing"_s);
    AiTable table;
    QHash<QString, int> predefined;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    static const QRegularExpression aiForm(u"^\\d{2,4}$|^\\d{2,3}n$"_s);
    for (int number = 1; number <= lines.size(); ++number) {
        const QString line = lines.at(number - 1).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u"predefined "_s)) {
            for (const QString &entry : line.mid(11).split(u' ', Qt::SkipEmptyParts))
                predefined.insert(entry.section(u':', 0, 0), entry.section(u':', 1).toInt());
            continue;
        }
        const QStringList fields = line.split(u" | "_s);
        if (fields.size() != 6 || !aiForm.match(fields.at(0)).hasMatch())
            tableFault(number, u"an entry has six fields, the first an AI"_s);
        Gs1AiInfo info;
        info.ai = fields.at(0);
        for (const QString &component : fields.at(1).split(u' ', Qt::SkipEmptyParts)) {
            info.components.append(componentOf(component, number));
            const qsizetype count = info.components.size();
            if (count > 1 && ((info.components.at(count - 2).optional && !info.components.last().optional) ||
                              !info.components.at(count - 2).isFixed()))
                tableFault(number, u"only the last components may be left out or vary in length"_s);
        }
        readRules(info, fields.at(2), number);
        info.title = fields.at(3);
        const QStringList english = fields.at(4).split(u';'), swedish = fields.at(5).split(u';');
        info.shortName = english.first();
        info.swedishName = swedish.first();
        info.names = english + swedish;
        if (info.components.isEmpty() || info.title.isEmpty() || info.shortName.isEmpty() ||
            info.swedishName.isEmpty() || table.byAi.contains(info.ai))
            tableFault(number, u"an entry needs a format, a title and names, once"_s);
        const auto length = predefined.constFind(info.ai.left(2));
        if (length != predefined.constEnd()) {
            info.predefinedLength = true;
            if (info.minLength() != info.maxLength() || info.ai.size() + info.maxLength() != *length)
                tableFault(number, u"the predefined length of "_s + info.ai.left(2) + u" does not fit"_s);
        }
        const qsizetype index = table.entries.size();
        for (const QString &name : info.names) {
            const QString key = normalizedName(name);
            if (table.byName.contains(key) && table.byName.value(key) != index)
                tableFault(number, name + u" names two AIs"_s);
            table.byName.insert(key, index);
        }
        table.byAi.insert(info.ai, index);
        table.entries.append(info);
    }
    linkEntries(table);
    // Titles are shared by some AIs (INTERNAL, AMOUNT): the first such AI is the one a header names.
    for (qsizetype i = 0; i < table.entries.size(); ++i) {
        const QString key = normalizedName(table.entries.at(i).title);
        if (!table.byName.contains(key))
            table.byName.insert(key, i);
    }
    return table;
}

const AiTable &table()
{
    static const AiTable loaded = loadTable();
    return loaded;
}

bool allDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

bool Gs1AiInfo::numeric() const
{
    return std::all_of(components.begin(), components.end(),
                       [](const Gs1Component &c) { return c.characters == Gs1CharacterSet::Digits; });
}

int Gs1AiInfo::minLength() const
{
    int length = 0;
    for (const Gs1Component &component : components)
        length += component.optional ? 0 : component.minLength;
    return length;
}

int Gs1AiInfo::maxLength() const
{
    int length = 0;
    for (const Gs1Component &component : components)
        length += component.maxLength;
    return length;
}

const Gs1AiInfo *findAi(QStringView ai)
{
    const AiTable &t = table();
    if (ai.size() < 2 || ai.size() > 4)
        return nullptr;
    if (allDigits(ai) || (allDigits(ai.chopped(1)) && ai.endsWith(u'n'))) {
        const auto exact = t.byAi.constFind(ai.toString());
        if (exact != t.byAi.constEnd())
            return &t.entries.at(*exact);
    }
    if (!allDigits(ai))
        return nullptr;
    const auto family = t.byAi.constFind(ai.chopped(1).toString() + u'n');
    if (family == t.byAi.constEnd())
        return nullptr;
    const Gs1AiInfo &info = t.entries.at(*family);
    const int last = ai.back().digitValue();
    return last >= info.lastDigitMin && last <= info.lastDigitMax ? &info : nullptr;
}

const Gs1AiInfo *findAiAtStart(QStringView text, int *length)
{
    for (int size = 2; size <= 4 && size <= text.size(); ++size) {
        if (!allDigits(text.left(size)))
            return nullptr;
        if (const Gs1AiInfo *info = findAi(text.left(size))) {
            *length = size;
            return info;
        }
    }
    return nullptr;
}

QList<const Gs1AiInfo *> allAis()
{
    QList<const Gs1AiInfo *> all;
    for (const Gs1AiInfo &info : table().entries)
        all.append(&info);
    return all;
}

QString aiForColumnHeader(const QString &header)
{
    static const QRegularExpression aiForm(u"^(?:ai)?\\s*\\(?\\s*(\\d{2,4})\\s*\\)?(?:$|[^0-9])"_s,
                                           QRegularExpression::CaseInsensitiveOption);
    const QString text = header.trimmed();
    const QRegularExpressionMatch m = aiForm.match(text);
    if (m.hasMatch() && findAi(m.captured(1)))
        return m.captured(1);
    // Words a spreadsheet uses for columns of its own: a list's stock count or price must not
    // become GS1 data of its labels, though GS1 titles an AI so.
    static const QStringList kListWords{u"count"_s, u"price"_s, u"weight"_s, u"origin"_s,
                                        u"antal"_s, u"pris"_s,  u"vikt"_s,   u"ursprung"_s};
    const QString name = normalizedName(text);
    if (kListWords.contains(name))
        return {};
    const AiTable &t = table();
    const auto named = t.byName.constFind(name);
    return named == t.byName.constEnd() ? QString() : t.entries.at(*named).ai;
}

} // namespace Kelbrix
