#include "list/find_query.h"
#include "list/find_setting.h"

#include <QTest>

using namespace Kelbrix;
using namespace Qt::Literals::StringLiterals;

namespace {

const QList<ListRecord> kRecords{
    {u"ABC soap"_s, u"501234567890"_s, QString(), u"white"_s, u"E130"_s},
    {u"xAbCx"_s, u"400638133393"_s, u"12"_s, QString(), u"E132"_s},
    {u"Tea"_s, u"4006381"_s, QString(), u"abc"_s, u"E80 "_s},
    {u"Jam"_s, u"03600029145"_s, u"12345"_s, u"e13 jar"_s, u"UPA5"_s},
    {u"Milk e13"_s, u"978014300723"_s, u"90000"_s, QString(), u"E135"_s},
    {u"Star*"_s, u"CODE39"_s, QString(), u"a?b"_s, u"Co39"_s},
};

FindFields only(std::initializer_list<ListColumn> columns)
{
    FindFields fields;
    fields.columns = {false, false, false, false, false};
    for (ListColumn column : columns)
        fields.set(column, true);
    return fields;
}

} // namespace

class TestFindQuery : public QObject {
    Q_OBJECT

private slots:
    // The products found for a text in the ticked columns.
    void search()
    {
        using C = ListColumn;
        for (const auto &[text, fields, found] :
             {// any letter case
              std::tuple(u"abc"_s, only({C::Product}), QStringList{u"ABC soap"_s, u"xAbCx"_s}),
              // the type alone finds every EAN-13
              std::tuple(u"e13"_s, only({C::Type}), QStringList{u"ABC soap"_s, u"xAbCx"_s, u"Milk e13"_s}),
              // two matching columns, listed once, in list order
              std::tuple(u"e13"_s, FindFields::checkAll(true),
                         QStringList{u"ABC soap"_s, u"xAbCx"_s, u"Jam"_s, u"Milk e13"_s}),
              // check all cleared: the product alone
              std::tuple(u"e13"_s, FindFields::checkAll(false), QStringList{u"Milk e13"_s}),
              // a star is a plain character
              std::tuple(u"*"_s, FindFields::checkAll(true), QStringList{u"Star*"_s}),
              // an empty column never matches
              std::tuple(QString(), only({C::DigitSup}), QStringList{u"xAbCx"_s, u"Jam"_s, u"Milk e13"_s})}) {
            QStringList products;
            for (const ListRecord &record : FindQuery(text, fields).run(kRecords))
                products.append(record.product);
            QCOMPARE(products, found);
        }
    }

    // The window is serviced after each full stretch of records, never before the first.
    void serviceCalledAfterEveryStretch()
    {
        for (const auto &[records, calls] :
             {std::pair(99, 0), std::pair(100, 1), std::pair(101, 1), std::pair(250, 2)}) {
            const QList<ListRecord> many(records, {u"item"_s, u"1"_s, QString(), QString(), u"E130"_s});
            int called = 0;
            const auto service = [&called] { ++called; };
            QCOMPARE(FindQuery(u"ITEM"_s, FindFields{}).run(many, service, 100).size(), records);
            QCOMPARE(called, calls);
        }
    }

    // A search the caller lets run finds what a plain one does, told after each stretch how
    // far it got; a stopped one ends at that stretch and gives nothing.
    void stoppedAtAStretch()
    {
        QList<ListRecord> many;
        QStringList items;
        for (int i = 0; i < 250; ++i) {
            many.append({(i % 3 ? u"item %1"_s : u"other %1"_s).arg(i), u"1"_s, QString(), QString(), u"E130"_s});
            if (i % 3)
                items << many.constLast().product;
        }
        const FindQuery query(u"ITEM"_s, FindFields{});
        // The call that answers "stop" (0: none does), and the records tested each call told.
        for (const auto &[stopAt, told] :
             {std::pair(0, QList<qsizetype>{100, 200}), std::pair(1, QList<qsizetype>{100}),
              std::pair(2, QList<qsizetype>{100, 200})}) {
            QList<qsizetype> calls;
            const auto service = [&](qsizetype tested) {
                calls << tested;
                return calls.size() != stopAt;
            };
            const std::optional<QList<ListRecord>> found = query.runStoppable(many, service, 100);
            QCOMPARE(calls, told);
            QCOMPARE(found.has_value(), stopAt == 0);
            if (found) {
                QStringList products;
                for (const ListRecord &record : *found)
                    products << record.product;
                QCOMPARE(products, items);
            }
        }
    }

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

QTEST_GUILESS_MAIN(TestFindQuery)
#include "tst_find_query.moc"
