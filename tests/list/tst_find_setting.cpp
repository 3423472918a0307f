// The stored "Find" setting read back into the find window's field boxes, and written again.
#include "list/find_setting.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

class TestFindSetting : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("boxes"); // as read back: five field boxes, then "Check All"
        QTest::newRow("product alone") << u"100000"_s << u"100000"_s;
        QTest::newRow("barcode and type") << u"010010"_s << u"010010"_s;
        QTest::newRow("every box") << u"111111"_s << u"111111"_s;
        QTest::newRow("check all without the fields") << u"000001"_s << u"000001"_s;
        QTest::newRow("no box at all") << u"000000"_s << u"100000"_s;
        QTest::newRow("missing") << QString() << u"100000"_s;
        QTest::newRow("too short") << u"01001"_s << u"100000"_s;
        QTest::newRow("too long") << u"0100100"_s << u"100000"_s;
        QTest::newRow("another character") << u"01Y010"_s << u"100000"_s;
        QTest::newRow("blanks around") << u" 01001"_s << u"100000"_s;
    }
    void parse()
    {
        QFETCH(QString, stored);
        QFETCH(QString, boxes);
        const FindSetting setting = FindSetting::parse(stored);
        QCOMPARE(setting.toString(), boxes);
        QCOMPARE(FindSetting::parse(boxes), setting);
    }
};

QTEST_GUILESS_MAIN(TestFindSetting)
#include "tst_find_setting.moc"
