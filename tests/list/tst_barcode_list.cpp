#include "list/barcode_list.h"
#include "list/list_files.h"
#include "test_helpers.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

ListRecord rec(const QString &product, const QString &barcode)
{
    return ListRecord{product, barcode, QString(), QString(), u"E130"_s};
}

} // namespace

class TestBarcodeList : public QObject {
    Q_OBJECT
private slots:
    void addChecks()
    {
        BarcodeList list;
        for (const auto &[product, barcode] :
             {std::pair(u"ABC"_s, u"111"_s), std::pair(u"Soap"_s, u"222"_s), std::pair(u"abc"_s, u"333"_s)})
            list.append(rec(product, barcode));
        const auto check = [&list](const QString &product, const QString &barcode) {
            const BarcodeList::AddCheck found = list.checkAdd(product, barcode);
            return std::pair(int(found.productQuestions), found.barcodeIssued);
        };
        QCOMPARE(check({}, u"111"_s), std::pair(0, false)); // an empty product is never checked
        QCOMPARE(check(u"Abc"_s, u"999"_s), std::pair(2, false));
        QCOMPARE(check(u"abc"_s, u"111"_s), std::pair(1, true)); // the question comes first
    }

    void removalKeepsTheChecksInStep()
    {
        BarcodeList list;
        for (int i = 0; i < 6; ++i)
            list.append(rec(u"P"_s + QString::number(i % 3), u"B"_s + QString::number(i)));
        list.removeRecords({4, 0, 4, 99, -1}); // repeats and rows out of range are ignored
        QCOMPARE(Test::columnTexts(list), (QStringList{u"P1"_s, u"P2"_s, u"P0"_s, u"P2"_s}));
        QCOMPARE(list.productList(), (QStringList{u"P2"_s, u"P0"_s, u"P1"_s, u"P2"_s}));
        QCOMPARE(list.barcodeIndex(), (QStringList{u"B1"_s, u"B2"_s, u"B3"_s, u"B5"_s}));
    }

    void duplicatePassAndCap()
    {
        BarcodeList list;
        list.appendRecords(
            {rec(u"a"_s, u"1"_s), rec(u"b"_s, u"1"_s), rec(u"c"_s, u"1"_s), rec(u"d"_s, u"2"_s), rec(u"e"_s, u"1"_s)},
            true);
        QCOMPARE(list.removeNeighbouringDuplicates(), 2);
        QCOMPARE(Test::columnTexts(list), (QStringList{u"a"_s, u"d"_s, u"e"_s}));
        QCOMPARE(list.productList().size(), 5); // the pass leaves the product list alone
        QList<ListRecord> many(BarcodeList::MaxRecords - 2, rec(u"m"_s, u"9"_s));
        QCOMPARE(list.appendRecords(many, false), BarcodeList::MaxRecords - 3);
        QCOMPARE(list.appendRecords({rec(u"n"_s, u"8"_s)}, true), 0);
    }

    // QZ2 files merged one after another into a list three records short of the cap.
    void mergeAtTheCap()
    {
        BarcodeList list;
        QList<ListRecord> many;
        many.reserve(BarcodeList::MaxRecords - 3);
        const ListRecord a = rec(u"m"_s, u"a"_s), b = rec(u"m"_s, u"b"_s); // no neighbours alike
        while (many.size() < BarcodeList::MaxRecords - 3)
            many.append(many.size() % 2 ? b : a);
        list.appendRecords(many, false);
        struct Step {
            QStringList barcodes;
            int readError, appended, kept, reported;
            bool full;
        };
        const Step steps[] = {
            {{u"1"_s, u"2"_s}, 0, 2, 2, 0, false}, // one below the cap
            {{u"3"_s}, 0, 1, 1, 0, true},          // at the cap: Add to List takes no more
            {{u"4"_s, u"5"_s}, 0, 0, 0, 9, true},  // over it: the records not taken are cut
            {{u"6"_s}, 62, 0, 1, 62, true},        // a damaged file keeps its own error
        };
        for (const Step &step : steps) {
            ListReadResult read;
            read.runtimeError = step.readError;
            for (const QString &barcode : step.barcodes)
                read.records.append(rec(u"f"_s, barcode));
            const qsizetype appended = list.mergeRead(read);
            QCOMPARE(std::tuple(appended, read.records.size(), read.runtimeError, list.isFull()),
                     std::tuple(qsizetype(step.appended), qsizetype(step.kept), step.reported, step.full));
        }
        QCOMPARE(list.barcodeIndex(), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
    }

    void mergeDropsNeighbouringRepeats()
    {
        BarcodeList list;
        list.append(rec(u"a"_s, u"0"_s));
        ListReadResult read;
        read.records = {rec(u"b"_s, u"0"_s), rec(u"c"_s, u"1"_s), rec(u"d"_s, u"1"_s), rec(u"e"_s, u"0"_s)};
        QCOMPARE(list.mergeRead(read), 4);
        QCOMPARE(Test::columnTexts(list), (QStringList{u"a"_s, u"c"_s, u"e"_s}));
        QCOMPARE(read.runtimeError, 0);
    }
};

QTEST_GUILESS_MAIN(TestBarcodeList)
#include "tst_barcode_list.moc"
