// Check characters the program computes itself: the Code 39 modulus 43 character, the
// ISBN-10 check of a typed entry and the ISBN to EAN-13 conversion.
#include "barcode/check_characters.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

class TestCheckCharacters : public QObject {
    Q_OBJECT
private slots:
    void code39CheckCharacter_data();
    void code39CheckCharacter();
    void code39SecondPressChangesNothing();
    void isbnCheck_data();
    void isbnCheck();
    void isbnToEan_data();
    void isbnToEan();
};

void TestCheckCharacters::code39CheckCharacter_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ABC gets X (10+11+12 = 33)") << u"ABC"_s << u"ABCX"_s;
    QTest::newRow("a digit") << u"1"_s << u"11"_s;
    QTest::newRow("sum wraps at 43") << u"%%A"_s << u"%%A8"_s; // 42 + 42 + 10 = 94, 94 mod 43 = 8
    QTest::newRow("already ends with its check character") << u"%%"_s << u"%%"_s;
    QTest::newRow("a lone 0 is its own check character") << u"0"_s << u"0"_s;
    QTest::newRow("asterisks count as 0") << u"*AB*"_s << u"*AB*L"_s; // 0+10+11+0 = 21 -> L
    QTest::newRow("lower case counts as 0") << u"ab"_s << u"ab0"_s;
    QTest::newRow("empty stays empty") << QString() << QString();
    QTest::newRow("100 characters get one") << QString(100, u'A') << QString(100, u'A') + code39Character(1000 % 43);
    QTest::newRow("101 characters get none") << QString(101, u'A') << QString(101, u'A');
    QTest::newRow("blank, dollar, slash, plus") << u" $/+"_s << u" $/+"_s + code39Character((38 + 39 + 40 + 41) % 43);
}

void TestCheckCharacters::code39CheckCharacter()
{
    QFETCH(QString, entry);
    QFETCH(QString, expected);
    QCOMPARE(withCode39CheckCharacter(entry), expected);
}

void TestCheckCharacters::code39SecondPressChangesNothing()
{
    const QStringList entries{u"ABC"_s, u"KELBRIX-39"_s, u"7"_s, u"*AB*"_s, u"HELLO WORLD"_s};
    for (const QString &entry : entries) {
        const QString once = withCode39CheckCharacter(entry);
        QCOMPARE(once.size(), entry.size() + 1);
        QCOMPARE(withCode39CheckCharacter(once), once);
    }
    QCOMPARE(code39Value(u'X'), 33);
    QCOMPARE(code39Value(u'%'), 42);
    QCOMPARE(code39Value(u'*'), 0);
}

void TestCheckCharacters::isbnCheck_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("dividers");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("wrong");
    QTest::newRow("0-306-40615-2 is right") << u"0-306-40615-2"_s << 3 << u"2"_s << false;
    QTest::newRow("1-57169-006-9 is right") << u"1-57169-006-9"_s << 3 << u"9"_s << false;
    QTest::newRow("87-7012-196-6 is right") << u"87-7012-196-6"_s << 3 << u"6"_s << false;
    QTest::newRow("check character X") << u"0-8044-2957-X"_s << 3 << u"X"_s << false;
    QTest::newRow("check character 0") << u"0-10-000001-0"_s << 3 << u"0"_s << false;
    QTest::newRow("wrong check character") << u"0-306-40615-3"_s << 3 << u"2"_s << true;
    QTest::newRow("x expected, digit typed") << u"0-8044-2957-1"_s << 3 << u"X"_s << true;
    QTest::newRow("two dividers") << u"0-3064-06152"_s << 2 << u"2"_s << false;
    QTest::newRow("incomplete entry is not judged") << u"0-306-40615-"_s << 2 << u"2"_s << false;
}

void TestCheckCharacters::isbnCheck()
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

void TestCheckCharacters::isbnToEan_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("ean");
    QTest::newRow("1-57169-006-9") << u"1-57169-006-9"_s << u"978157169006"_s;
    QTest::newRow("0-306-40615-2") << u"0-306-40615-2"_s << u"978030640615"_s;
    QTest::newRow("check character X is dropped") << u"0-8044-2957-X"_s << u"978080442957"_s;
    QTest::newRow("wrong check character is dropped too") << u"0-306-40615-9"_s << u"978030640615"_s;
    QTest::newRow("two dividers") << u"0-30640615-2X"_s << QString();
    QTest::newRow("four dividers") << u"0-3-0640-615-2"_s << QString();
    QTest::newRow("X among the digits") << u"0-306-4061X-2"_s << QString();
    QTest::newRow("too short") << u"1-57-006-9"_s << QString();
}

void TestCheckCharacters::isbnToEan()
{
    QFETCH(QString, entry);
    QFETCH(QString, ean);
    QCOMPARE(isbnToEanData(entry), ean);
}

QTEST_GUILESS_MAIN(TestCheckCharacters)
#include "tst_check_characters.moc"
