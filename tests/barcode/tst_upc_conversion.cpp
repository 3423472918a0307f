#include "barcode/upc_conversion.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

class TestUpcConversion : public QObject {
    Q_OBJECT
private slots:
    // Each pair both ways: the UPC-A number suppressed, and the UPC-E data expanded again.
    void convert_data()
    {
        QTest::addColumn<QString>("upcA"); // empty: the UPC-E data is refused
        QTest::addColumn<QString>("upcE"); // empty: the UPC-A number is refused
        QTest::newRow("x2000, product 00999") << u"01220000999"_s << u"0129992"_s;
        QTest::newRow("x3..900, product 00099") << u"09990000099"_s << u"0999993"_s;
        QTest::newRow("xxxx0, product 00009") << u"10001000009"_s << u"1000194"_s;
        QTest::newRow("other, product 00005") << u"00000100005"_s << u"0000015"_s;
        QTest::newRow("first rule wins") << u"01210000005"_s << u"0120051"_s;
        QTest::newRow("last digit 1") << u"04210000526"_s << u"0425261"_s;
        QTest::newRow("last digit 3") << u"01230000045"_s << u"0123453"_s;
        QTest::newRow("last digit 4") << u"01234000005"_s << u"0123454"_s;
        QTest::newRow("last digit 7") << u"11234500007"_s << u"1123457"_s;
        QTest::newRow("number system 2") << u"21200000345"_s << QString();
        QTest::newRow("UPC-E number system 2") << QString() << u"2123457"_s;
        QTest::newRow("12000 with 01000") << u"01200001000"_s << QString();
        QTest::newRow("12345 with 00004") << u"01234500004"_s << QString();
    }
    void convert()
    {
        QFETCH(QString, upcA);
        QFETCH(QString, upcE);
        if (!upcA.isEmpty())
            QCOMPARE(upcAToUpcE(upcA).value_or(QString()), upcE);
        if (!upcE.isEmpty())
            QCOMPARE(upcEToUpcA(upcE).value_or(QString()), upcA);
    }
};

QTEST_GUILESS_MAIN(TestUpcConversion)
#include "tst_upc_conversion.moc"
