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
        QTest::newRow("100 characters get one") << QString(100, u'A') << QString(100, u'A') + u'B';
        QTest::newRow("101 characters get none") << QString(101, u'A') << QString(101, u'A');
    }
    void code39CheckCharacter()
    {
        QFETCH(QString, entry);
        QFETCH(QString, expected);
        QCOMPARE(withCode39CheckCharacter(entry), expected);
    }

    void isbn_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("wrong");
        QTest::addColumn<QString>("ean");
        QTest::newRow("check character X") << u"0-8044-2957-X"_s << false << u"978080442957"_s;
        QTest::newRow("X expected, digit typed") << u"0-8044-2957-1"_s << true << u"978080442957"_s;
        QTest::newRow("incomplete is not judged") << u"0-306-40615-"_s << false << QString();
        QTest::newRow("two dividers") << u"0-30640615-2X"_s << true << QString();
        QTest::newRow("X among the digits") << u"0-306-4061X-2"_s << true << QString();
    }
    void isbn()
    {
        QFETCH(QString, entry);
        QFETCH(bool, wrong);
        QFETCH(QString, ean);
        QCOMPARE(checkIsbn(entry).checkCharacterWrong(entry), wrong);
        QCOMPARE(isbnToEanData(entry), ean);
    }
};

QTEST_GUILESS_MAIN(TestCheckCharacters)
#include "tst_check_characters.moc"
