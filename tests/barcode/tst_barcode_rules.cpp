// The rules of the barcode entry: check characters, number sequences, the UPC-A and UPC-E
// conversion, and the key, paste and copies rules of the entry boxes.
#include "barcode/check_characters.h"
#include "barcode/entry_rules.h"
#include "barcode/number_sequence.h"
#include "barcode/type_catalogue.h"
#include "barcode/upc_conversion.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

// Types \a keys into a box holding \a text with its last \a selected characters selected, as the
// window applies the key filter; an empty \a typeCode is the supplement box of two digits.
QString typed(const QString &typeCode, QString text, int selected, const QString &keys)
{
    for (QChar key : keys) {
        const BoxState box{int(text.size()), selected};
        const KeyDecision d = typeCode.isEmpty()
                                  ? filterDigitKey(key, box, 2)
                                  : filterBarcodeKey(typeCode, key, box, findType(typeCode)->entryLength);
        if (!d.accept)
            continue;
        text = d.clearFirst ? QString(d.character) : text.left(text.size() - selected) + d.character;
        selected = 0;
    }
    return text;
}

} // namespace

class TestBarcodeRules : public QObject {
    Q_OBJECT
private slots:
    // The sum wraps at 43; a second press changes nothing; asterisks count as 0; 100 characters
    // get a check character, 101 none.
    void code39CheckCharacter()
    {
        for (const auto &[entry, expected] :
             {std::pair(u"%%A"_s, u"%%A8"_s), std::pair(u"ABCX"_s, u"ABCX"_s), std::pair(u"*AB*"_s, u"*AB*L"_s),
              std::pair(QString(100, u'A'), QString(100, u'A') + u'B'),
              std::pair(QString(101, u'A'), QString(101, u'A'))})
            QCOMPARE(withCode39CheckCharacter(entry), expected);
    }

    // Whether the check character is wrong, and the EAN data of the ISBN (empty when incomplete
    // or not an ISBN).
    void isbn()
    {
        for (const auto &[entry, wrong, ean] :
             {std::tuple(u"0-8044-2957-X"_s, false, u"978080442957"_s),
              std::tuple(u"0-8044-2957-1"_s, true, u"978080442957"_s), std::tuple(u"0-306-40615-"_s, false, QString()),
              std::tuple(u"0-30640615-2X"_s, true, QString()), std::tuple(u"0-306-4061X-2"_s, true, QString())}) {
            QCOMPARE(checkIsbn(entry).checkCharacterWrong(entry), wrong);
            QCOMPARE(isbnToEanData(entry), ean);
        }
    }

    // Keys typed into a box of a type (empty: the supplement box) holding a text with its last
    // characters selected, and the text shown after.
    void keys()
    {
        const QString ninety = u"0123456789"_s.repeated(9);
        for (const auto &[typeCode, text, selected, keys, shown] :
             {std::tuple(u"E130"_s, QString(), 0, u"4006381333931"_s, u"400638133393"_s),
              std::tuple(u"E130"_s, QString(), 0, u"4a0.0-6 x3X\u0663"_s, u"40063"_s),
              std::tuple(u"E130"_s, u"123456789012"_s, 3, u"9"_s, u"123456789012"_s),
              std::tuple(u"E130"_s, u"123456789012"_s, 12, u"9"_s, u"9"_s),
              std::tuple(u"E130"_s, u"12345"_s, 2, u"9"_s, u"1239"_s),
              std::tuple(u"ISB0"_s, QString(), 0, u"0-8044-2957-x"_s, u"0-8044-2957-X"_s),
              std::tuple(u"Co39"_s, QString(), 0, u"abc-12 $/+%.#"_s, u"ABC-12 $/+%."_s),
              std::tuple(u"Co39"_s, QString(), 0, ninety, ninety.left(85)),
              std::tuple(QString(), u"12"_s, 1, u"3"_s, u"12"_s),
              std::tuple(QString(), QString(), 0, u"1a23"_s, u"12"_s)})
            QCOMPARE(typed(typeCode, text, selected, keys), shown);
    }

    void pasted()
    {
        const auto kept = [](const QString &typeCode, const QString &text) {
            return cutBackCheckCharacter(typeCode, sanitizeBarcodeText(typeCode, text));
        };
        QCOMPARE(kept(u"E130"_s, u" 4006-381333930"_s), u"400638133393"_s);
        QCOMPARE(kept(u"E130"_s, u"40063813339"_s), u"40063813339"_s);
        QCOMPARE(kept(u"ISB0"_s, u"0-306-40615-2x"_s), u"0-306-40615-2"_s);
        QCOMPARE(kept(u"Co39"_s, u"ab"_s.repeated(45)), u"AB"_s.repeated(43).left(85));
    }

    void copies()
    {
        QCOMPARE(applyCopiesRule(u"0"_s).text, u"1"_s);
        QVERIFY(!applyCopiesRule(u"50"_s).tooMany);
        QVERIFY(applyCopiesRule(u"51"_s).tooMany);
        QVERIFY(applyCopiesRule(u"12345678901234567890"_s).tooMany);
    }

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

QTEST_GUILESS_MAIN(TestBarcodeRules)
#include "tst_barcode_rules.moc"
