// "UPC A To E": zero suppression of UPC-A data into UPC-E data. Whether the symbols drawn from
// both carry the same check digit is checked by decoding them (tests/render).
#include "barcode/upc_conversion.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

class TestUpcConversion : public QObject {
    Q_OBJECT
private slots:
    void suppressed_data();
    void suppressed();
    void refused_data();
    void refused();
};

void TestUpcConversion::suppressed_data()
{
    QTest::addColumn<QString>("upcA");
    QTest::addColumn<QString>("upcE");
    // Manufacturer ending in 000, 100 or 200, product 00000..00999.
    QTest::newRow("manufacturer 12000, product 00345") << u"01200000345"_s << u"0123450"_s;
    QTest::newRow("manufacturer 42100, product 00526") << u"04210000526"_s << u"0425261"_s;
    QTest::newRow("manufacturer 12200, product 00999") << u"01220000999"_s << u"0129992"_s;
    QTest::newRow("manufacturer 12000, product 00000") << u"01200000000"_s << u"0120000"_s;
    QTest::newRow("number system 1, manufacturer 98200") << u"19820000123"_s << u"1981232"_s;
    // Manufacturer ending in 00 (third digit 3..9), product 00000..00099.
    QTest::newRow("manufacturer 12300, product 00045") << u"01230000045"_s << u"0123453"_s;
    QTest::newRow("manufacturer 99900, product 00099") << u"09990000099"_s << u"0999993"_s;
    QTest::newRow("manufacturer 34500, product 00000") << u"13450000000"_s << u"1345003"_s;
    // Manufacturer ending in 0, product 00000..00009.
    QTest::newRow("manufacturer 12340, product 00005") << u"01234000005"_s << u"0123454"_s;
    QTest::newRow("manufacturer 99990, product 00000") << u"09999000000"_s << u"0999904"_s;
    QTest::newRow("manufacturer 00010, product 00009") << u"10001000009"_s << u"1000194"_s;
    // Any other manufacturer, product 00005..00009.
    QTest::newRow("manufacturer 12345, product 00007") << u"01234500007"_s << u"0123457"_s;
    QTest::newRow("manufacturer 00001, product 00005") << u"00000100005"_s << u"0000015"_s;
    QTest::newRow("manufacturer 99999, product 00009") << u"19999900009"_s << u"1999999"_s;
    // The first rule that fits wins: 12100 also ends in 00 and in 0.
    QTest::newRow("12100 with 00005: first rule before the others") << u"01210000005"_s << u"0120051"_s;
}

void TestUpcConversion::suppressed()
{
    QFETCH(QString, upcA);
    QFETCH(QString, upcE);
    const std::optional<QString> result = upcAToUpcE(upcA);
    QVERIFY(result.has_value());
    QCOMPARE(*result, upcE);
}

void TestUpcConversion::refused_data()
{
    QTest::addColumn<QString>("upcA");
    QTest::newRow("empty") << QString();
    QTest::newRow("10 digits") << u"0120000034"_s;
    QTest::newRow("12 digits (with check digit)") << u"012000003455"_s;
    QTest::newRow("a letter") << u"0120000A345"_s;
    QTest::newRow("a blank") << u"01200 00345"_s;
    QTest::newRow("non-ASCII digit") << u"012000003\u0664\u0665"_s;
    QTest::newRow("number system 2") << u"21200000345"_s;
    QTest::newRow("number system 9") << u"91200000345"_s;
    QTest::newRow("12000 with product 01000") << u"01200001000"_s;
    QTest::newRow("12300 with product 00100") << u"01230000100"_s;
    QTest::newRow("12340 with product 00010") << u"01234000010"_s;
    QTest::newRow("12345 with product 00004") << u"01234500004"_s;
    QTest::newRow("12345 with product 00000") << u"01234500000"_s;
    QTest::newRow("12345 with product 00015") << u"01234500015"_s;
    QTest::newRow("12345 with product 10005") << u"01234510005"_s;
}

void TestUpcConversion::refused()
{
    QFETCH(QString, upcA);
    QCOMPARE(upcAToUpcE(upcA), std::nullopt);
}

QTEST_GUILESS_MAIN(TestUpcConversion)
#include "tst_upc_conversion.moc"
