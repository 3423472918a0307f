#include "barcode/check_characters.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

class TestCheckCharacters : public QObject {
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
};

QTEST_GUILESS_MAIN(TestCheckCharacters)
#include "tst_check_characters.moc"
