// The stored "Find" setting read back into the find window's field boxes, and written again.
#include "list/find_setting.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

class TestFindSetting : public QObject {
    Q_OBJECT
private slots:
    // Each stored text and its boxes as read back: five field boxes, then "Check All". Anything
    // but six 0s and 1s with a box ticked is the product box alone.
    void parse()
    {
        for (const auto &[stored, boxes] : {std::pair(u"100000"_s, u"100000"_s), std::pair(u"010010"_s, u"010010"_s),
                                            std::pair(u"111111"_s, u"111111"_s), std::pair(u"000001"_s, u"000001"_s),
                                            std::pair(u"000000"_s, u"100000"_s), std::pair(QString(), u"100000"_s),
                                            std::pair(u"01001"_s, u"100000"_s), std::pair(u"0100100"_s, u"100000"_s),
                                            std::pair(u"01Y010"_s, u"100000"_s), std::pair(u" 01001"_s, u"100000"_s)}) {
            const FindSetting setting = FindSetting::parse(stored);
            QCOMPARE(setting.toString(), boxes);
            QCOMPARE(FindSetting::parse(boxes), setting);
        }
    }
};

QTEST_GUILESS_MAIN(TestFindSetting)
#include "tst_find_setting.moc"
