// GS1-128 symbols: what each element string becomes, read back from the symbol as a scanner sends
// it, its human-readable text, and the data and sizes refused with their messages.
#include "render/gs1_128_symbol.h"
#include "verify/symbol_reader.h"

#include <QImage>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

QList<Gs1Element> elementsOf(const QString &bracketed)
{
    QList<Gs1Element> elements;
    for (const QString &part : bracketed.split(u'(', Qt::SkipEmptyParts))
        elements.append({part.section(u')', 0, 0), part.section(u')', 1)});
    return elements;
}

// What a scanner reads from the symbol drawn 3 dots a module.
std::optional<MatrixReading> readBack(const Gs1_128Symbol &symbol)
{
    return readCode128Symbol(gs1_128Picture(symbol, 3, 90));
}

} // namespace

class TestGs1_128 : public QObject {
    Q_OBJECT
private slots:
    void encoded_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<int>("ssccPrefix");
        QTest::addColumn<QString>("scanned");
        QTest::addColumn<QString>("humanReadable");
        QTest::newRow("SSCC in its parts")
            << u"(00)350123450000000016"_s << 7 << u"00350123450000000016"_s << u"(00) 3 5012345 000000001 6"_s;
        QTest::newRow("SSCC of an unknown prefix")
            << u"(00)350123450000000016"_s << 0 << u"00350123450000000016"_s << u"(00) 350123450000000016"_s;
        QTest::newRow("SSCC, content and count")
            << u"(00)350123450000000016(02)05012345678900(37)24"_s << 7 << u"0035012345000000001602050123456789003724"_s
            << u"(00) 3 5012345 000000001 6 (02) 05012345678900 (37) 24"_s;
        // A value of variable length ends in a separator when another element follows it.
        QTest::newRow("batch before a date") << u"(01)05012345678900(10)LOT42(15)271231"_s << 0
                                             << u"0105012345678900"
                                                u"10LOT42\x1d"
                                                u"15271231"_s
                                             << u"(01) 05012345678900 (10) LOT42 (15) 271231"_s;
        QTest::newRow("net weight with its decimals")
            << u"(01)05012345678900(3102)001250"_s << 0 << u"01050123456789003102001250"_s
            << u"(01) 05012345678900 (3102) 001250"_s;
        // 48 characters: the most one symbol holds.
        QTest::newRow("48 characters") << u"(01)05012345678900(10)ABCDEFGHIJKLMNOPQRST(21)1234567"_s << 0
                                       << u"0105012345678900"
                                          u"10ABCDEFGHIJKLMNOPQRST\x1d"
                                          u"211234567"_s
                                       << u"(01) 05012345678900 (10) ABCDEFGHIJKLMNOPQRST (21) 1234567"_s;
    }
    void encoded()
    {
        QFETCH(QString, data);
        QFETCH(int, ssccPrefix);
        QFETCH(QString, scanned);
        QFETCH(QString, humanReadable);
        const Gs1_128Symbol symbol = encodeGs1_128(elementsOf(data), ssccPrefix);
        QVERIFY2(symbol.ok(), qPrintable(symbol.error));
        QCOMPARE(symbol.humanReadable, humanReadable);
        const std::optional<MatrixReading> reading = readBack(symbol);
        QVERIFY(reading);
        QCOMPARE(reading->format, u"GS1-128"_s);
        QCOMPARE(reading->symbologyIdentifier, u"]C1"_s);
        QCOMPARE(reading->content, scanned);
    }

    void refused_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("message");
        QTest::newRow("49 characters") << u"(01)05012345678900(10)ABCDEFGHIJKLMNOPQRST(21)12345678"_s
                                       << u"GS1-128 holds at most 48 characters; this data has 49"_s;
        QTest::newRow("wrong check digit")
            << u"(00)350123450000000017"_s << u"(00) 350123450000000017: the check digit should be 6"_s;
        QTest::newRow("no month 13") << u"(01)05012345678900(15)271331"_s << u"(15) 271331: 13 is no month"_s;
        QTest::newRow("count without content") << u"(37)24"_s << u"(37) needs (02) or (8026) in the same data"_s;
    }
    void refused()
    {
        QFETCH(QString, data);
        QFETCH(QString, message);
        const Gs1_128Symbol symbol = encodeGs1_128(elementsOf(data));
        QVERIFY(!symbol.ok());
        QVERIFY(symbol.modules.isEmpty());
        QCOMPARE(symbol.error, message);
    }

    // A part of a label's data spread over several symbols is held to the length limit alone.
    void partsKeepTheLimit()
    {
        QVERIFY(encodeGs1_128Part(elementsOf(u"(37)24"_s)).ok());
        QCOMPARE(encodeGs1_128Part(elementsOf(u"(01)05012345678900(10)ABCDEFGHIJKLMNOPQRST(21)12345678"_s)).error,
                 u"GS1-128 holds at most 48 characters; this data has 49"_s);
    }

    void sizes_data()
    {
        QTest::addColumn<double>("module");
        QTest::addColumn<double>("height");
        QTest::addColumn<QString>("message");
        QTest::newRow("least X, full height") << 0.495 << 31.75 << QString();
        QTest::newRow("largest X") << 1.016 << 31.75 << QString();
        QTest::newRow("short height") << 0.5 << 5.8 << QString();
        QTest::newRow("X too narrow") << 0.49 << 31.75
                                      << u"The module width X of a GS1-128 symbol is 0.49 mm; GS1 allows 0.495 to "
                                         "1.016 mm."_s;
        QTest::newRow("X too wide") << 1.1 << 31.75
                                    << u"The module width X of a GS1-128 symbol is 1.1 mm; GS1 allows 0.495 to "
                                       "1.016 mm."_s;
        QTest::newRow("bars too low") << 0.495 << 5.0
                                      << u"The bars of a GS1-128 symbol are 5 mm high; GS1 asks for 31.75 mm, or at "
                                         "least 5.8 mm where the label has no room for that."_s;
    }
    void sizes()
    {
        QFETCH(double, module);
        QFETCH(double, height);
        QFETCH(QString, message);
        QCOMPARE(gs1_128SizeProblem(module, height), message);
    }
};

QTEST_MAIN(TestGs1_128)
#include "tst_gs1_128.moc"
