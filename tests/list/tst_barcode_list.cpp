// The barcode list model: duplicate checks, removal, the duplicate pass, the cap and sorting.
#include "list/barcode_list.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

ListRecord rec(const QString &product, const QString &barcode)
{
    return ListRecord{product, barcode, QString(), QString(), u"E130"_s};
}

QStringList products(const BarcodeList &list)
{
    QStringList texts;
    for (const ListRecord &record : list.records())
        texts.append(record.product);
    return texts;
}

QStringList shown(const QAbstractItemModel &model, int column)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.index(row, column).data().toString());
    return texts;
}

} // namespace

class TestBarcodeList : public QObject {
    Q_OBJECT

private slots:
    void addChecks_data()
    {
        // The list holds ABC/111, Soap/222, abc/333.
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("barcode");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("issued");
        QTest::newRow("empty product is never checked") << QString() << u"111"_s << 0 << false;
        QTest::newRow("product listed twice asks twice") << u"Abc"_s << u"999"_s << 2 << false;
        QTest::newRow("barcode at the first position: the question comes first") << u"abc"_s << u"111"_s << 1 << true;
        QTest::newRow("barcode compared exactly") << u"Tea"_s << u"222"_s << 0 << true;
        QTest::newRow("barcode case matters") << u"Tea"_s << u"22"_s << 0 << false;
    }
    void addChecks()
    {
        QFETCH(QString, product);
        QFETCH(QString, barcode);
        QFETCH(int, questions);
        QFETCH(bool, issued);
        BarcodeList list;
        list.append(rec(u"ABC"_s, u"111"_s));
        list.append(rec(u"Soap"_s, u"222"_s));
        list.append(rec(u"abc"_s, u"333"_s));
        const BarcodeList::AddCheck check = list.checkAdd(product, barcode);
        QCOMPARE(check.productQuestions, questions);
        QCOMPARE(check.barcodeIssued, issued);
    }

    void checksFollowRemovalAndOlderProductLists()
    {
        BarcodeList list;
        for (int i = 0; i < 6; ++i)
            list.append(rec(u"P"_s + QString::number(i % 3), u"B"_s + QString::number(i)));
        list.removeRecords({4, 0, 4, 99, -1}); // repeats and rows out of range are ignored
        QCOMPARE(products(list), (QStringList{u"P1"_s, u"P2"_s, u"P0"_s, u"P2"_s}));
        // The first equal entries went from the product list and the index, wherever they were.
        QCOMPARE(list.productList(), (QStringList{u"P2"_s, u"P0"_s, u"P1"_s, u"P2"_s}));
        QCOMPARE(list.barcodeIndex(), (QStringList{u"B1"_s, u"B2"_s, u"B3"_s, u"B5"_s}));
        QCOMPARE(list.checkAdd(u"x"_s, u"B0"_s).barcodeIssued, false);
        QCOMPARE(list.checkAdd(u"p2"_s, u"B5"_s).productQuestions, 2);
        // An older file's product list has no barcodes: only positions it reaches are checked.
        list.setProductList({u"E130 Milk 4006381333931"_s});
        QCOMPARE(list.checkAdd(u"x"_s, u"B2"_s).barcodeIssued, false);
        QCOMPARE(list.checkAdd(u"x"_s, u"B1"_s).barcodeIssued, true);
    }

    void duplicatePassAndCap()
    {
        BarcodeList list;
        list.appendRecords(
            {rec(u"a"_s, u"1"_s), rec(u"b"_s, u"1"_s), rec(u"c"_s, u"1"_s), rec(u"d"_s, u"2"_s), rec(u"e"_s, u"1"_s)},
            true);
        QCOMPARE(list.removeNeighbouringDuplicates(), 2);
        QCOMPARE(products(list), (QStringList{u"a"_s, u"d"_s, u"e"_s}));
        QCOMPARE(list.productList().size(), 5); // the pass leaves the product list alone
        QCOMPARE(list.removeNeighbouringDuplicates(), 0);

        QList<ListRecord> many(BarcodeList::MaxRecords - 2, rec(u"m"_s, u"9"_s));
        QCOMPARE(list.appendRecords(many, false), BarcodeList::MaxRecords - 3);
        QCOMPARE(list.count(), BarcodeList::MaxRecords);
        QCOMPARE(list.appendRecords({rec(u"n"_s, u"8"_s)}, true), 0);
        list.clear();
        QVERIFY(list.isEmpty() && list.productList().isEmpty() && list.barcodeIndex().isEmpty());
        QCOMPARE(list.checkAdd(u"a"_s, u"1"_s).barcodeIssued, false);
    }

    void sortingLeavesRecordOrder()
    {
        BarcodeList list;
        for (const QString &product : {u"apple"_s, u"Banana"_s, u"Apple2"_s, u"APPLE"_s, u"banana"_s})
            list.append(rec(product, product.toUpper()));
        BarcodeListSortProxy proxy;
        proxy.setSourceModel(&list);
        proxy.sort(0, Qt::AscendingOrder);
        // Text order regardless of case; equal texts keep their record order.
        QCOMPARE(shown(proxy, 0), (QStringList{u"apple"_s, u"APPLE"_s, u"Apple2"_s, u"Banana"_s, u"banana"_s}));
        proxy.sort(0, Qt::DescendingOrder);
        QCOMPARE(shown(proxy, 0), (QStringList{u"Banana"_s, u"banana"_s, u"Apple2"_s, u"apple"_s, u"APPLE"_s}));
        QCOMPARE(products(list), (QStringList{u"apple"_s, u"Banana"_s, u"Apple2"_s, u"APPLE"_s, u"banana"_s}));
        // Shown rows 0 and 2 (Banana, Apple2) are records 2 and 3.
        QCOMPARE(proxy.recordRows({proxy.index(2, 0), proxy.index(0, 3), proxy.index(0, 1)}), (QList<qsizetype>{1, 2}));
    }
};

QTEST_GUILESS_MAIN(TestBarcodeList)
#include "tst_barcode_list.moc"
