// Check characters the program computes itself: Code 39 modulus 43, the ISBN-10 check and the
// ISBN to EAN-13 conversion.
#include "barcode/check_characters.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

class TestCheckCharacters : public QObject {
    Q_OBJECT
private slots:
    void code39CheckCharacter_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("expected");
        QTest::newRow("sum wraps at 43") << u"%%A"_s << u"%%A8"_s;
        QTest::newRow("second press changes nothing") << u"ABCX"_s << u"ABCX"_s;
        QTest::newRow("asterisks count as 0") << u"*AB*"_s << u"*AB*L"_s;
        QTest::newRow("100 characters get one")
            << QString(100, u'A') << QString(100, u'A') + code39Character(1000 % 43);
        QTest::newRow("101 characters get none") << QString(101, u'A') << QString(101, u'A');
    }
    void code39CheckCharacter()
    {
        QFETCH(QString, entry);
        QFETCH(QString, expected);
        QCOMPARE(withCode39CheckCharacter(entry), expected);
    }

    void isbnCheck_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("dividers");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("wrong");
        QTest::newRow("right") << u"0-306-40615-2"_s << 3 << u"2"_s << false;
        QTest::newRow("check character X") << u"0-8044-2957-X"_s << 3 << u"X"_s << false;
        QTest::newRow("wrong check character") << u"0-306-40615-3"_s << 3 << u"2"_s << true;
        QTest::newRow("x expected, digit typed") << u"0-8044-2957-1"_s << 3 << u"X"_s << true;
        QTest::newRow("incomplete entry is not judged") << u"0-306-40615-"_s << 2 << u"2"_s << false;
    }
    void isbnCheck()
    {
        QFETCH(QString, entry);
        QFETCH(int, dividers);
        QFETCH(QString, expected);
        QFETCH(bool, wrong);
        const IsbnCheck check = checkIsbn(entry);
        QCOMPARE(check.dividers, dividers);
        if (entry.size() == 13)
            QCOMPARE(QString(check.expected), expected);
        QCOMPARE(check.checkCharacterWrong(entry), wrong);
    }

    void isbnToEan_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("ean");
        QTest::newRow("check character X is dropped") << u"0-8044-2957-X"_s << u"978080442957"_s;
        QTest::newRow("two dividers") << u"0-30640615-2X"_s << QString();
        QTest::newRow("X among the digits") << u"0-306-4061X-2"_s << QString();
    }
    void isbnToEan()
    {
        QFETCH(QString, entry);
        QFETCH(QString, ean);
        QCOMPARE(isbnToEanData(entry), ean);
    }
};

QTEST_GUILESS_MAIN(TestCheckCharacters)
#include "tst_check_characters.moc"
