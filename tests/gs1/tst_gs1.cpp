// GS1 data as users give it and see it. Each file of tests/data/gs1/pass and fail is one case:
// its first line the input (<GS> stands for the separator 0x1D), then "key: value" lines:
//   carrier: GS1-128               the symbol, when not GS1 DataMatrix
//   problem: 7: (17) ...           each refusal, "position: message", in order (fail cases)
//   bracketed: / scanned:          the canonical forms of the elements read
//   domain:                        the domain of the Digital Link (else https://id.gs1.org)
//   link: / link refused: 0: ...   the Digital Link made of the elements, or why there is none
//   from link:                     the elements the link reads back as
#include "gs1/application_identifiers.h"
#include "gs1/digital_link.h"
#include "gs1/element_string.h"
#include "settings/language.h"

#include <QDirIterator>
#include <QFile>
#include <QTest>

using namespace Kelbrix;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kGs(QChar(0x1d));

QStringList problemLines(const QList<Gs1Problem> &problems)
{
    QStringList lines;
    for (const Gs1Problem &problem : problems)
        lines.append(QString::number(problem.position) + u": "_s + problem.message);
    return lines;
}

struct GoldenCase {
    QString input;
    QMap<QString, QStringList> lines;
    QString one(const QString &key) const { return lines.value(key).value(0); }
};

GoldenCase readCase(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    GoldenCase golden{lines.takeFirst().replace(u"<GS>"_s, kGs), {}};
    for (const QString &line : std::as_const(lines)) {
        if (!line.isEmpty())
            golden.lines[line.section(u": "_s, 0, 0)].append(line.section(u": "_s, 1));
    }
    return golden;
}

} // namespace

class TestGs1 : public QObject {
    Q_OBJECT

private slots:
    void goldenCases_data()
    {
        QTest::addColumn<QString>("path");
        const QString root = qEnvironmentVariable("KELBRIX_TEST_DATA") + u"/gs1"_s;
        QDirIterator it(root, {u"*.txt"_s}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::newRow(qPrintable(QDir(root).relativeFilePath(path))) << path;
        }
    }
    void goldenCases()
    {
        QFETCH(QString, path);
        const GoldenCase golden = readCase(path);
        const QStringList keys{u"carrier"_s, u"problem"_s, u"bracketed"_s,    u"scanned"_s,
                               u"domain"_s,  u"link"_s,    u"link refused"_s, u"from link"_s};
        for (const QString &key : golden.lines.keys())
            QVERIFY2(keys.contains(key), qPrintable(key));
        const Gs1Carrier carrier =
            golden.one(u"carrier"_s) == u"GS1-128"_s ? Gs1Carrier::Gs1_128 : Gs1Carrier::DataMatrix;
        const Gs1Data data = parseGs1(golden.input, carrier);
        QCOMPARE(problemLines(data.problems), golden.lines.value(u"problem"_s));
        for (const Gs1Problem &problem : data.problems)
            QVERIFY(problem.ai.isEmpty() || problem.message.contains(u'(' + problem.ai + u')'));
        QCOMPARE(data.isValid(), path.contains(u"/pass/"_s));
        if (!data.isValid())
            return;
        const QString bracketed = bracketedElementString(data.elements), scanned = scannedElementString(data.elements);
        QCOMPARE(bracketed, golden.one(u"bracketed"_s));
        QCOMPARE(QString(scanned).replace(kGs, u"<GS>"_s), golden.one(u"scanned"_s));
        QCOMPARE(parseGs1(bracketed, carrier).elements, data.elements);
        QCOMPARE(parseGs1(scanned, carrier).elements, data.elements);

        const DigitalLink link = buildDigitalLink(data.elements, golden.one(u"domain"_s));
        QCOMPARE(problemLines(link.problems), golden.lines.value(u"link refused"_s));
        QCOMPARE(link.uri, golden.one(u"link"_s));
        if (!link.uri.isEmpty()) {
            const Gs1Data back = parseDigitalLink(link.uri);
            QCOMPARE(problemLines(back.problems), QStringList());
            QCOMPARE(bracketedElementString(back.elements), golden.one(u"from link"_s));
        }
    }

    // Inputs beside the golden cases: what a reader sends when the separators are missing or
    // stray, and problems placed in an input that starts with blanks.
    void otherInputs_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("read");
        QTest::newRow("]J1 with a separator after a predefined length")
            << u"]J10109506000134352"_s + kGs + u"10AB"_s << u"(01)09506000134352(10)AB"_s;
        QTest::newRow("no separator after a lot")
            << u"]d20109506000134352"_s + u"10ABC123451727123121SERIAL12"_s
            << u"22: (10) ABC123451727123121SE…: too long, at most 20 characters"_s;
        QTest::newRow("separator inside a GTIN")
            << u"]d2010950600"_s + kGs + u"0134352"_s
            << u"6: (01) 0950600: 14 digits needed, not 7\n14: (01) is given twice"_s;
        QTest::newRow("blanks before a Digital Link") << u" \t https://id.gs1.org/01/09506000134353"_s
                                                      << u"39: (01) 09506000134353: the check digit should be 2"_s;
    }
    void otherInputs()
    {
        QFETCH(QString, input);
        QFETCH(QString, read);
        const Gs1Data data = parseGs1(input);
        QCOMPARE(data.isValid() ? bracketedElementString(data.elements) : problemLines(data.problems).join(u'\n'),
                 read);
    }

    // Elements from a list's columns: their problems stand where their bracketed string has them.
    void elementsFromColumns()
    {
        const Gs1Data data = checkGs1({{u"01"_s, u"09506000134352"_s}, {u"10"_s, u"A(B"_s}, {u"17"_s, u"271331"_s}},
                                      Gs1Carrier::Gs1_128);
        QCOMPARE(problemLines(data.problems), QStringList(u"33: (17) 271331: 13 is no month"_s));
    }

    // The table holds at least the AIs of trade items, logistic units, locations and payments.
    void tableHoldsTheAis()
    {
        QStringList ais =
            u"00 01 02 03 10 11 12 13 15 16 17 20 21 22 235 240 241 242 250 251 253 254 255 30 37 400 401 "
            u"402 403 410 411 412 413 414 415 416 417 420 421 422 423 7003 8003 8006 8008 8020 8200 90"_s.split(u' ');
        for (const auto &[first, last] : {std::pair(310, 316), std::pair(320, 337), std::pair(390, 395)}) {
            for (int family = first; family <= last; ++family) {
                for (int n = 0; n <= (family >= 390 ? 3 : 5); ++n)
                    ais.append(QString::number(family * 10 + n));
            }
        }
        for (int internal = 91; internal <= 99; ++internal)
            ais.append(QString::number(internal));
        for (const QString &ai : std::as_const(ais))
            QVERIFY2(findAi(ai), qPrintable(ai));
        QCOMPARE(std::pair(findAi(u"3103")->ai, findAi(u"3103")->decimalPoint), std::pair(u"310n"_s, true));
        QVERIFY(!findAi(u"3106") && !findAi(u"4") && !findAi(u"01a"));
    }

    // What other windows show of an AI: its title and names, and its part in a Digital Link.
    void tableEntries()
    {
        const Gs1AiInfo &batch = *findAi(u"10"), &gtin = *findAi(u"01"), &grai = *findAi(u"8003");
        QCOMPARE(QStringList({batch.title, batch.shortName, batch.swedishName}),
                 QStringList({u"BATCH/LOT"_s, u"Batch"_s, u"Batch"_s}));
        QCOMPARE(std::pair(batch.linkRole, batch.qualifiedKeys),
                 std::pair(Gs1LinkRole::KeyQualifier, QStringList({u"01"_s, u"8006"_s})));
        QCOMPARE(gtin.qualifierChains, QList<QStringList>({{u"22"_s, u"10"_s, u"21"_s}, {u"235"_s}}));
        QCOMPARE(
            std::tuple(grai.components.size(), grai.minLength(), grai.maxLength(), grai.components.last().optional),
            std::tuple(3, 14, 30, true));
        QCOMPARE(std::pair(findAi(u"17")->linkRole, findAi(u"92")->linkRole),
                 std::pair(Gs1LinkRole::Attribute, Gs1LinkRole::NotAllowed));
    }

    void columnHeaders_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("ai");
        const QList<std::pair<QString, QString>> headers{
            {u"(10)"_s, u"10"_s},
            {u"10"_s, u"10"_s},
            {u"AI 10"_s, u"10"_s},
            {u"ai(3103)"_s, u"3103"_s},
            {u"(17) Expiry"_s, u"17"_s},
            {u"Batch"_s, u"10"_s},
            {u"batch/lot"_s, u"10"_s},
            {u"USE BY OR EXPIRY"_s, u"17"_s},
            {u"Expiry"_s, u"17"_s},
            {u"Utgångsdatum"_s, u"17"_s},
            {u"Bäst före"_s, u"15"_s},
            {u"Serial"_s, u"21"_s},
            {u"serie-nummer"_s, u"21"_s},
            {u"Net weight"_s, u"310n"_s},
            {u"Nettovikt (kg)"_s, u"310n"_s},
            {u"Product"_s, QString()},
            {u"2024"_s, QString()},
            {u"(3106)"_s, QString()},
        };
        for (const auto &[header, ai] : headers)
            QTest::newRow(qPrintable(header)) << header << ai;
    }
    void columnHeaders()
    {
        QFETCH(QString, header);
        QFETCH(QString, ai);
        QCOMPARE(aiForColumnHeader(header), ai);
    }

    // The Swedish messages name the AIs by their Swedish names.
    void swedishMessages()
    {
        QVERIFY(installLanguage(Language::Swedish));
        const Gs1Data data = parseGs1(u"(01)09506000134352(3102)001250(3103)00075(17)271331"_s);
        installLanguage(Language::English);
        QCOMPARE(
            problemLines(data.problems),
            QStringList({u"32: (3102) och (3103) kan inte finnas i samma data: ange nettovikt en gång"_s,
                         u"37: (3103) 00075: 6 siffror behövs, inte 5"_s, u"48: (17) 271331: 13 är ingen månad"_s}));
    }
};

QTEST_GUILESS_MAIN(TestGs1)
#include "tst_gs1.moc"
