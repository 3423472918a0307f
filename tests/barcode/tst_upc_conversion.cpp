#include "barcode/upc_conversion.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

class TestUpcConversion : public QObject {
    Q_OBJECT
private slots:
    void convert_data()
    {
        QTest::addColumn<QString>("upcA");
        QTest::addColumn<QString>("upcE"); // empty: refused
        QTest::newRow("x2000, product 00999") << u"01220000999"_s << u"0129992"_s;
        QTest::newRow("x3..900, product 00099") << u"09990000099"_s << u"0999993"_s;
        QTest::newRow("xxxx0, product 00009") << u"10001000009"_s << u"1000194"_s;
        QTest::newRow("other, product 00005") << u"00000100005"_s << u"0000015"_s;
        QTest::newRow("first rule wins") << u"01210000005"_s << u"0120051"_s;
        QTest::newRow("number system 2") << u"21200000345"_s << QString();
        QTest::newRow("12000 with 01000") << u"01200001000"_s << QString();
        QTest::newRow("12345 with 00004") << u"01234500004"_s << QString();
    }
    void convert()
    {
        QFETCH(QString, upcA);
        QFETCH(QString, upcE);
        QCOMPARE(upcAToUpcE(upcA), upcE.isEmpty() ? std::nullopt : std::optional(upcE));
    }
};

QTEST_GUILESS_MAIN(TestUpcConversion)
#include "tst_upc_conversion.moc"
