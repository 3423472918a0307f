#include "logistic/logistic_label.h"

#include "gs1/application_identifiers.h"

#include <QCoreApplication>
#include <QDate>
#include <QFont>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// The heights of the label's lines, in millimetres: capitals of the free blocks, of the data
// titles and of the symbols' text, and the room between them.
constexpr double kBlockCapMm = 2.8;
constexpr double kBlockLineMm = 4.6;
constexpr double kTitleCapMm = 2.2;
constexpr double kHumanReadableCapMm = 2.5;
constexpr double kTitleToValueMm = 1.2;
constexpr double kValueDescentMm = 1.6;
constexpr double kRowGapMm = 1.0;
constexpr double kColumnGapMm = 4;
constexpr double kBlockPaddingMm = 2;
constexpr double kBarsToTextMm = 1.0;
constexpr double kTextDescentMm = 0.8;
constexpr double kSymbolGapMm = 3;
// Text narrower than this share of its natural width would be hard to read; such a text is refused.
constexpr double kLeastStretch = 0.45;
// Two values share a row only when neither needs narrowing to less than this of its width.
constexpr double kLeastPairStretch = 0.85;
// Room kept back from every width a text is fitted to: a printer's hinted glyphs may come out a
// little wider than the outlines they are measured from.
constexpr double kWidthSlack = 0.97;

QString labelText(const char *source)
{
    return QCoreApplication::translate("Kelbrix::LogisticLabel", source);
}

QString sizeTitle(LogisticSize size)
{
    switch (size) {
    case LogisticSize::A6:
        return u"A6"_s;
    case LogisticSize::A5:
        return u"A5"_s;
    case LogisticSize::Inch4x6:
        return u"4 x 6 in"_s;
    }
    return {};
}

QFont measuringFont(bool bold)
{
    QFont font(u"DejaVu Sans"_s);
    font.setBold(bold);
    font.setPixelSize(1000);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// The width of \a text drawn with capitals \a capMm high, in millimetres, at its natural width.
double naturalWidthMm(const QString &text, double capMm, bool bold)
{
    const QFontMetricsF metrics(measuringFont(bold));
    return metrics.horizontalAdvance(text) / metrics.capHeight() * capMm;
}

// A line of text at \a left and \a baseline, narrowed to \a room where it is wider; nullopt when
// it would have to be narrowed past reading.
std::optional<LogisticText> fittedText(LogisticText::Role role, const QString &text, double left, double baseline,
                                       double capMm, bool bold, double room)
{
    LogisticText line;
    line.role = role;
    line.text = text;
    line.baseline = QPointF(left, baseline);
    line.capMm = capMm;
    line.bold = bold;
    const double natural = naturalWidthMm(text, capMm, bold);
    const double usable = room * kWidthSlack;
    line.stretch = natural > usable ? usable / natural : 1.0;
    line.widthMm = natural * line.stretch;
    if (line.stretch < kLeastStretch)
        return std::nullopt;
    return line;
}

// The year of a GS1 date's two digits: within 49 years back and 50 ahead of this year.
int fullYear(int twoDigits)
{
    const int thisYear = QDate::currentDate().year();
    int year = thisYear / 100 * 100 + twoDigits;
    if (year - thisYear >= 51)
        year -= 100;
    else if (year - thisYear <= -50)
        year += 100;
    return year;
}

bool isDateAi(const QString &ai)
{
    static const QStringList dates = {u"11"_s, u"12"_s, u"13"_s, u"15"_s, u"16"_s, u"17"_s};
    return dates.contains(ai);
}

// The decimals a measure's AI gives its value: its last digit, for the families that have one.
int decimalsOf(const QString &ai)
{
    const Gs1AiInfo *info = findAi(ai);
    return info && info->decimalPoint && ai.size() == 4 ? ai.at(3).digitValue() : -1;
}

// Packs \a elements into GS1-128 symbols no wider than \a maxModules: each element goes into the
// first symbol it still fits, the elements of predefined length first in each, so that fewer
// separators are needed. Empty, with \a problem set, when an element fits no symbol by itself.
QList<Gs1_128Symbol> packSymbols(const QList<Gs1Element> &elements, int maxModules, QString *problem,
                                 int ssccPrefixLength = 0)
{
    auto ordered = [](QList<Gs1Element> group) {
        std::stable_sort(group.begin(), group.end(), [](const Gs1Element &a, const Gs1Element &b) {
            const Gs1AiInfo *first = findAi(a.ai);
            const Gs1AiInfo *second = findAi(b.ai);
            return (first && first->predefinedLength) && !(second && second->predefinedLength);
        });
        return group;
    };
    QList<Gs1_128Symbol> symbols;
    for (const Gs1Element &element : elements) {
        bool placed = false;
        for (Gs1_128Symbol &symbol : symbols) {
            const Gs1_128Symbol wider = encodeGs1_128Part(ordered(symbol.elements + QList<Gs1Element>{element}));
            if (wider.ok() && wider.width() <= maxModules) {
                symbol = wider;
                placed = true;
                break;
            }
        }
        if (placed)
            continue;
        const Gs1_128Symbol alone = encodeGs1_128Part({element}, ssccPrefixLength);
        if (!alone.ok()) {
            *problem = alone.error;
            return {};
        }
        if (alone.width() > maxModules) {
            *problem = labelText(QT_TRANSLATE_NOOP("Kelbrix::LogisticLabel",
                                                   "(%1) %2 is too long for a GS1-128 symbol across this label."))
                           .arg(element.ai, element.value);
            return {};
        }
        symbols.append(alone);
    }
    return symbols;
}

} // namespace

QSizeF logisticPageMm(LogisticSize size)
{
    switch (size) {
    case LogisticSize::A6:
        return {105, 148};
    case LogisticSize::A5:
        return {148, 210};
    case LogisticSize::Inch4x6:
        return {101.6, 152.4};
    }
    return {105, 148};
}

QString logisticSizeName(LogisticSize size)
{
    switch (size) {
    case LogisticSize::A6:
        return u"a6"_s;
    case LogisticSize::A5:
        return u"a5"_s;
    case LogisticSize::Inch4x6:
        return u"4x6"_s;
    }
    return u"a6"_s;
}

std::optional<LogisticSize> logisticSizeFromName(const QString &name)
{
    for (LogisticSize size : {LogisticSize::A6, LogisticSize::A5, LogisticSize::Inch4x6})
        if (name.trimmed().compare(logisticSizeName(size), Qt::CaseInsensitive) == 0)
            return size;
    return std::nullopt;
}

QString defaultLogisticTitle(const QString &ai)
{
    static const QMap<QString, QString> titles = {
        {u"00"_s, u"SSCC"_s},
        {u"01"_s, u"GTIN"_s},
        {u"02"_s, u"CONTENT"_s},
        {u"10"_s, u"BATCH"_s},
        {u"11"_s, u"PROD DATE (dd.mm.yyyy)"_s},
        {u"13"_s, u"PACK DATE (dd.mm.yyyy)"_s},
        {u"15"_s, u"BEST BEFORE (dd.mm.yyyy)"_s},
        {u"16"_s, u"SELL BY (dd.mm.yyyy)"_s},
        {u"17"_s, u"USE BY (dd.mm.yyyy)"_s},
        {u"21"_s, u"SERIAL"_s},
        {u"37"_s, u"COUNT"_s},
        {u"400"_s, u"ORDER NUMBER"_s},
        {u"401"_s, u"CONSIGNMENT"_s},
        {u"402"_s, u"SHIPMENT NO."_s},
        {u"410"_s, u"SHIP TO LOC"_s},
    };
    if (const auto found = titles.constFind(ai); found != titles.cend())
        return *found;
    const QString family = ai.left(3);
    if (ai.size() == 4) {
        if (family == u"310")
            return u"NET WEIGHT (kg)"_s;
        if (family == u"320")
            return u"NET WEIGHT (lb)"_s;
        if (family == u"330")
            return u"GROSS WEIGHT (kg)"_s;
        if (family == u"340")
            return u"GROSS WEIGHT (lb)"_s;
    }
    const Gs1AiInfo *info = findAi(ai);
    return info ? info->title : u"(%1)"_s.arg(ai);
}

QString logisticValueText(const Gs1Element &element, int ssccPrefixLength)
{
    const QString &value = element.value;
    if (element.ai == u"00" && value.size() == 18 && ssccPrefixLength >= 6 && ssccPrefixLength <= 11)
        return gs1HumanReadable({element}, ssccPrefixLength).mid(5);
    if (isDateAi(element.ai) && value.size() == 6) {
        const QString year = QString::number(fullYear(value.left(2).toInt()));
        if (value.mid(4, 2) == u"00")
            return value.mid(2, 2) + u'.' + year;
        return value.mid(4, 2) + u'.' + value.mid(2, 2) + u'.' + year;
    }
    if (const int decimals = decimalsOf(element.ai); decimals >= 0 && value.size() > decimals) {
        QString whole = value.left(value.size() - decimals);
        while (whole.size() > 1 && whole.startsWith(u'0'))
            whole.remove(0, 1);
        return decimals == 0 ? whole : whole + u'.' + value.right(decimals);
    }
    return value;
}

LogisticLabelRequest withSscc(const LogisticLabelRequest &request, const QString &sscc)
{
    LogisticLabelRequest result = request;
    result.elements.removeIf([](const Gs1Element &element) { return element.ai == u"00"; });
    result.elements.prepend({u"00"_s, sscc});
    return result;
}

LogisticLayout layoutLogisticLabel(const LogisticLabelRequest &request, double dotsPerMm)
{
    LogisticLayout layout;
    layout.pageMm = logisticPageMm(request.size);
    const double width = layout.pageMm.width() - 2 * kLogisticMarginMm;
    const double left = kLogisticMarginMm;

    if (const QString problem = gs1_128SizeProblem(request.moduleMm, request.barHeightMm); !problem.isEmpty()) {
        layout.error = problem;
        return layout;
    }
    const Gs1Data data = checkGs1(request.elements, Gs1Carrier::DataMatrix);
    if (!data.problems.isEmpty()) {
        layout.error = data.problems.constFirst().message;
        return layout;
    }
    QList<Gs1Element> others;
    std::optional<Gs1Element> sscc;
    for (const Gs1Element &element : data.elements) {
        if (element.ai == u"00")
            sscc = element;
        else
            others.append(element);
    }
    if (!sscc) {
        layout.error =
            labelText(QT_TRANSLATE_NOOP("Kelbrix::LogisticLabel", "A logistic label needs an SSCC, AI (00)."));
        return layout;
    }
    layout.sscc = sscc->value;

    double module = request.moduleMm;
    if (dotsPerMm > 0) {
        int dots = std::max(1, int(std::lround(module * dotsPerMm)));
        if (dots / dotsPerMm < kGs1_128MinimumModuleMm - 1e-9)
            ++dots;
        if (dots / dotsPerMm > kGs1_128MaximumModuleMm + 1e-9)
            --dots;
        module = dots / dotsPerMm;
        if (!gs1_128SizeProblem(module, request.barHeightMm).isEmpty()) {
            layout.error =
                labelText(QT_TRANSLATE_NOOP("Kelbrix::LogisticLabel",
                                            "At %1 dots per inch no whole number of dots makes a module GS1 allows."))
                    .arg(qRound(dotsPerMm * 25.4));
            return layout;
        }
    }

    QString problem;
    const int maxModules = int(std::floor(width / module + 1e-9)) - 2 * kGs1_128QuietZoneModules;
    QList<Gs1_128Symbol> symbols = packSymbols(others, maxModules, &problem);
    if (problem.isEmpty()) {
        // The SSCC's symbol, alone, its text in the SSCC's parts.
        symbols += packSymbols({*sscc}, maxModules, &problem, request.ssccPrefixLength);
    }
    if (!problem.isEmpty()) {
        layout.error = problem;
        return layout;
    }

    // The free blocks, from the top.
    double y = kLogisticMarginMm;
    const QString tooWide = labelText(QT_TRANSLATE_NOOP(
        "Kelbrix::LogisticLabel", "A line of the label is too long to be read at this size: \"%1\"."));
    for (const QString &block : {request.supplier, request.customer, request.carrier}) {
        QStringList lines;
        for (const QString &line : block.split(u'\n'))
            if (!line.trimmed().isEmpty())
                lines.append(line.trimmed());
        if (lines.isEmpty())
            continue;
        y += kBlockPaddingMm / 2;
        for (const QString &line : std::as_const(lines)) {
            const auto text =
                fittedText(LogisticText::Role::Block, line, left, y + kBlockCapMm, kBlockCapMm, false, width);
            if (!text) {
                layout.error = tooWide.arg(line);
                return layout;
            }
            layout.texts.append(*text);
            y += kBlockLineMm;
        }
        y += kBlockPaddingMm / 2;
        layout.rules.append(y);
    }

    // The data block: the SSCC first, then the rest in the order given; two short ones share a row.
    struct Item {
        QString title;
        QString value;
        double natural = 0;
    };
    QList<Item> items;
    for (const Gs1Element &element : QList<Gs1Element>{*sscc} + others) {
        Item item;
        item.title = request.titles.value(element.ai, defaultLogisticTitle(element.ai));
        item.value = logisticValueText(element, request.ssccPrefixLength);
        item.natural = std::max(naturalWidthMm(item.value, kLogisticValueCapMm, true),
                                naturalWidthMm(item.title, kTitleCapMm, false));
        items.append(item);
    }
    y += kBlockPaddingMm;
    for (qsizetype i = 0; i < items.size();) {
        // Two items share a row when both fit across it, each column as wide as its item needs,
        // narrowed by no more than kLeastPairStretch.
        const double pairWidth = i + 1 < items.size() ? items.at(i).natural + items.at(i + 1).natural : 0;
        const bool pair = pairWidth > 0 && (width - kColumnGapMm) * kWidthSlack >= pairWidth * kLeastPairStretch;
        const int count = pair ? 2 : 1;
        double x = left;
        for (int c = 0; c < count; ++c) {
            const Item &item = items.at(i + c);
            const double room = pair ? (width - kColumnGapMm) * item.natural / pairWidth : width;
            const auto title =
                fittedText(LogisticText::Role::Title, item.title, x, y + kTitleCapMm, kTitleCapMm, false, room);
            const auto value =
                fittedText(LogisticText::Role::Value, item.value, x,
                           y + kTitleCapMm + kTitleToValueMm + kLogisticValueCapMm, kLogisticValueCapMm, true, room);
            if (!title || !value) {
                layout.error = tooWide.arg(title ? item.value : item.title);
                return layout;
            }
            layout.texts.append(*title);
            layout.texts.append(*value);
            x += room + kColumnGapMm;
        }
        y += kTitleCapMm + kTitleToValueMm + kLogisticValueCapMm + kValueDescentMm + kRowGapMm;
        i += count;
    }
    y += kBlockPaddingMm - kRowGapMm;
    layout.rules.append(y);

    // The symbols, from the bottom up: all bars alike, as high as asked or as the room allows.
    const qsizetype n = symbols.size();
    const double textRoom = kBarsToTextMm + kHumanReadableCapMm + kTextDescentMm;
    const double room = layout.pageMm.height() - kLogisticMarginMm - y - kBlockPaddingMm;
    const double height = std::min(request.barHeightMm, (room - n * textRoom - (n - 1) * kSymbolGapMm) / n);
    if (height < kGs1_128ShortHeightMm - 1e-9) {
        layout.error =
            labelText(QT_TRANSLATE_NOOP(
                          "Kelbrix::LogisticLabel",
                          "The data does not fit on this %1 label: its bars would be %2 mm high, and GS1 asks for "
                          "at least %3 mm. Choose a larger label, or leave data out."))
                .arg(sizeTitle(request.size), QString::number(std::max(0.0, height), 'f', 1),
                     QString::number(kGs1_128ShortHeightMm));
        return layout;
    }
    double bottom = layout.pageMm.height() - kLogisticMarginMm;
    QList<LogisticSymbol> placed;
    for (qsizetype i = n - 1; i >= 0; --i) {
        LogisticSymbol symbol;
        symbol.symbol = symbols.at(i);
        symbol.moduleMm = module;
        symbol.heightMm = height;
        const double top = bottom - textRoom - height;
        const double x = (layout.pageMm.width() - symbol.widthMm()) / 2;
        symbol.barsTopLeft = QPointF(dotsPerMm > 0 ? std::round(x * dotsPerMm) / dotsPerMm : x, top);
        const auto text =
            fittedText(LogisticText::Role::HumanReadable, symbol.symbol.humanReadable, 0,
                       top + height + kBarsToTextMm + kHumanReadableCapMm, kHumanReadableCapMm, false, width);
        if (!text) {
            layout.error = tooWide.arg(symbol.symbol.humanReadable);
            return layout;
        }
        LogisticText centred = *text;
        centred.baseline.setX((layout.pageMm.width() - centred.widthMm) / 2);
        layout.texts.append(centred);
        placed.prepend(symbol);
        bottom = top - kSymbolGapMm;
    }
    layout.symbols = placed;
    return layout;
}

} // namespace Kelbrix
