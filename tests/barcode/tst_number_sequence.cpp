#include "barcode/check_characters.h"
#include "barcode/number_sequence.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

class TestNumberSequence : public QObject {
    Q_OBJECT
private slots:
    // The digits themselves are checked against what libzint draws; here what is no GS1 data.
    void gs1CheckDigitNeedsDigits()
    {
        QVERIFY(Kelbrix::gs1CheckDigit(u"12a4").isNull());
        QVERIFY(Kelbrix::gs1CheckDigit(u"").isNull());
    }

    void sequence_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("first");
        QTest::addColumn<qint64>("count");
        QTest::addColumn<QStringList>("codes"); ///< the first and the last full code
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("error");
        QTest::newRow("7-digit prefix") << u"4006381"_s << u"33393"_s << qint64(3)
                                        << QStringList{u"4006381333931"_s, u"4006381333955"_s} << u"E130"_s
                                        << QString();
        QTest::newRow("up to the last reference")
            << u"40063813339"_s << u"8"_s << qint64(2) << QStringList{u"4006381333986"_s, u"4006381333993"_s}
            << u"E130"_s << QString();
        QTest::newRow("prefix with 0 makes UPC-A")
            << u"0036000"_s << u"29145"_s << qint64(1) << QStringList{u"036000291452"_s, u"036000291452"_s} << u"UPA0"_s
            << QString();
        QTest::newRow("past the end") << u"40063813339"_s << u"9"_s << qint64(10) << QStringList() << QString()
                                      << u"10 numbers were asked, but only 1 is left: company prefix 40063813339 ends "
                                         "at item reference 9."_s;
        QTest::newRow("one past the end") << u"400638"_s << u"999998"_s << qint64(3) << QStringList() << QString()
                                          << u"3 numbers were asked, but only 2 are left"_s;
        QTest::newRow("5-digit prefix") << u"40063"_s << u"1"_s << qint64(1) << QStringList() << QString()
                                        << u"A GS1 company prefix has 6 to 11 digits."_s;
        QTest::newRow("12-digit prefix") << u"400638133393"_s << u"1"_s << qint64(1) << QStringList() << QString()
                                         << u"A GS1 company prefix has 6 to 11 digits."_s;
        QTest::newRow("reference too long")
            << u"4006381"_s << u"123456"_s << qint64(1) << QStringList() << QString() << u"at most 5 digits"_s;
        QTest::newRow("no numbers") << u"4006381"_s << u"1"_s << qint64(0) << QStringList() << QString()
                                    << u"A sequence has 1 to 1000000 numbers."_s;
    }
    void sequence()
    {
        QFETCH(QString, prefix);
        QFETCH(QString, first);
        QFETCH(qint64, count);
        QFETCH(QStringList, codes);
        QFETCH(QString, type);
        QFETCH(QString, error);
        const NumberSequence sequence = makeNumberSequence({prefix, first, count, u"Box {n} of 3"_s});
        QVERIFY2(sequence.error.contains(error) && sequence.error.isEmpty() == error.isEmpty(),
                 qPrintable(sequence.error));
        if (!error.isEmpty()) {
            QVERIFY(sequence.numbers.isEmpty());
            return;
        }
        QCOMPARE(std::tuple(sequence.numbers.size(), sequence.numbers.constFirst().fullCode,
                            sequence.numbers.constLast().fullCode, sequence.numbers.constLast().product),
                 std::tuple(count, codes.constFirst(), codes.constLast(), u"Box %1 of 3"_s.arg(count)));
        for (const SequenceNumber &number : sequence.numbers) {
            QCOMPARE(number.type, type);
            // The list keeps the entry as typed: the code without its check digit.
            QCOMPARE(number.entry, number.fullCode.chopped(1));
        }
    }
};

QTEST_GUILESS_MAIN(TestNumberSequence)
#include "tst_number_sequence.moc"
