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

    // The prefix, the first item reference and the count; the first and the last full code, and the type.
    void sequence()
    {
        for (const auto &[prefix, first, count, firstCode, lastCode, type] :
             {std::tuple(u"4006381"_s, u"33393"_s, qint64(3), u"4006381333931"_s, u"4006381333955"_s, u"E130"_s),
              // up to the last reference
              std::tuple(u"40063813339"_s, u"8"_s, qint64(2), u"4006381333986"_s, u"4006381333993"_s, u"E130"_s),
              // a prefix with 0 makes UPC-A
              std::tuple(u"0036000"_s, u"29145"_s, qint64(1), u"036000291452"_s, u"036000291452"_s, u"UPA0"_s)}) {
            const NumberSequence sequence = makeNumberSequence({prefix, first, count, u"Box {n} of 3"_s});
            QVERIFY2(sequence.error.isEmpty(), qPrintable(sequence.error));
            QCOMPARE(std::tuple(sequence.numbers.size(), sequence.numbers.constFirst().fullCode,
                                sequence.numbers.constLast().fullCode, sequence.numbers.constLast().product),
                     std::tuple(count, firstCode, lastCode, u"Box %1 of 3"_s.arg(count)));
            for (const SequenceNumber &number : sequence.numbers) {
                QCOMPARE(number.type, type);
                // The list keeps the entry as typed: the code without its check digit.
                QCOMPARE(number.entry, number.fullCode.chopped(1));
            }
        }
    }

    // Sequences refused with a reason that says why, and no numbers.
    void refusedSequence()
    {
        for (const auto &[prefix, first, count, error] :
             {std::tuple(u"40063813339"_s, u"9"_s, qint64(10),
                         u"10 numbers were asked, but only 1 is left: company prefix 40063813339 ends at item "
                         u"reference 9."_s),
              std::tuple(u"400638"_s, u"999998"_s, qint64(3), u"3 numbers were asked, but only 2 are left"_s),
              std::tuple(u"40063"_s, u"1"_s, qint64(1), u"A GS1 company prefix has 6 to 11 digits."_s),
              std::tuple(u"400638133393"_s, u"1"_s, qint64(1), u"A GS1 company prefix has 6 to 11 digits."_s),
              std::tuple(u"4006381"_s, u"123456"_s, qint64(1), u"at most 5 digits"_s),
              std::tuple(u"4006381"_s, u"1"_s, qint64(0), u"A sequence has 1 to 1000000 numbers."_s)}) {
            const NumberSequence sequence = makeNumberSequence({prefix, first, count, u"Box {n} of 3"_s});
            QVERIFY2(sequence.error.contains(error) && sequence.numbers.isEmpty(), qPrintable(sequence.error));
        }
    }
};

QTEST_GUILESS_MAIN(TestNumberSequence)
#include "tst_number_sequence.moc"
