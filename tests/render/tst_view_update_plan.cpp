// The view update's decisions, from the TypeCode and the entry boxes to what the renderer gets
// and whether a label is composed, for the main and the defined-size update.
#include "render/view_update_plan.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

// The state, where the update is the defined-size one when definedWidth is set, and the plan
// expected; a width of 0 expects no update at all.
struct Case {
    const char *name;
    QString typeCode, entry, supplement, product;
    Edition edition = Edition::Alla;
    double definedWidth = 0;
    double width = 0;
    int symbology = 0;
    QString data{}, handedSupplement{};
    bool compose = false, completeEntry = false, isbnRefused = false, showText = false;
    QString typeName{}, header{};
};

} // namespace

class TestViewUpdatePlan : public QObject {
    Q_OBJECT
private slots:
    void plan_data();
    void plan();
};

void TestViewUpdatePlan::plan_data()
{
    QTest::addColumn<Case>("row");
    const QString isbn = u"1-57169-006-9"_s;
    const QList<Case> rows{
        {"nothing typed", u"E130"_s, {}, {}, {}},
        {"product only: sized, nothing handed over", u"E130"_s, {}, {}, u"Soap"_s, Edition::Alla, 0, 1815, 11},
        {"EAN-13 short entry composes nothing", u"E130"_s, u"40063813339"_s, {}, {}, Edition::Alla, 0, 1815, 11},
        {"EAN-13", u"E130"_s, u"400638133393"_s, {}, {}, Edition::Alla, 0, 1815, 11, u"400638133393"_s, {}, true},
        {"EAN-13 with a check digit is completed",
         u"E130"_s,
         u"4006381333939"_s,
         {},
         {},
         Edition::Alla,
         0,
         1815,
         11,
         u"400638133393"_s,
         {},
         true,
         true},
        {"EAN-13 with 5 digits",
         u"E135"_s,
         u"400638133393"_s,
         u"54321"_s,
         {},
         Edition::Alla,
         0,
         2655,
         13,
         u"400638133393"_s,
         u"54321"_s,
         true},
        {"EAN-8 with 2 digits",
         u"E82 "_s,
         u"9638507"_s,
         u"12"_s,
         {},
         Edition::Alla,
         0,
         1575,
         15,
         u"9638507"_s,
         u"12"_s,
         true},
        {"EAN-8 defined, with its check digit",
         u"E80 "_s,
         u"96385074"_s,
         {},
         {},
         Edition::Alla,
         3000,
         3000,
         14,
         u"9638507"_s,
         {},
         true,
         true,
         false,
         false,
         u"EAN 8"_s},
        {"UPC-A", u"UPA0"_s, u"03600029145"_s, {}, {}, Edition::Alla, 0, 1815, 5, u"03600029145"_s, {}, true},
        {"UPC-E with 5 digits",
         u"UPE5"_s,
         u"0123456"_s,
         u"00001"_s,
         {},
         Edition::Alla,
         0,
         2055,
         10,
         u"0123456"_s,
         u"00001"_s,
         true},
        {"UPC A to E", u"UPP0"_s, u"01200000345"_s, {}, {}, Edition::Alla, 0, 1215, 8, u"01200000345"_s, {}, true},
        {"SCC-14 complete shows its text",
         u"SC14"_s,
         u"10012345678902"_s,
         {},
         {},
         Edition::Alla,
         0,
         2295,
         2,
         u"1001234567890"_s,
         {},
         true,
         true,
         false,
         true},
        {"SCC-14 defined does not",
         u"SC14"_s,
         u"10012345678902"_s,
         {},
         {},
         Edition::Alla,
         4000,
         4000,
         2,
         u"1001234567890"_s,
         {},
         true,
         true},
        {"Code 39, 10 characters",
         u"Co39"_s,
         u"ABC-123 $/"_s,
         {},
         {},
         Edition::Alla,
         0,
         3300,
         0,
         u"ABC-123 $/"_s,
         {},
         true},
        {"Code 39 defined keeps its own width",
         u"Co39"_s,
         u"ABC"_s,
         {},
         {},
         Edition::Alla,
         5000,
         1550,
         0,
         u"ABC"_s,
         {},
         true},
        {"Code 39 without entry", u"Co39"_s, {}, {}, u"Soap"_s, Edition::Alla, 0, 800, 0},
        {"ISBN hands over 978 and nine digits",
         u"ISB0"_s,
         isbn,
         {},
         {},
         Edition::Alla,
         0,
         1815,
         11,
         u"978157169006"_s,
         {},
         true,
         false,
         false,
         false,
         {},
         u"ISBN 1-57169-006-9"_s},
        {"ISBN with 5 digits",
         u"ISB5"_s,
         isbn,
         u"90000"_s,
         {},
         Edition::Alla,
         0,
         2655,
         13,
         u"978157169006"_s,
         u"90000"_s,
         true,
         false,
         false,
         false,
         {},
         u"ISBN 1-57169-006-9"_s},
        {"ISBN with too few dividers is refused",
         u"ISB0"_s,
         u"157169-0069-9"_s,
         {},
         {},
         Edition::Alla,
         0,
         1815,
         11,
         {},
         {},
         false,
         false,
         true},
        {"UPC in the EAN edition", u"UPA0"_s, u"03600029145"_s, {}, {}, Edition::Ean},
        {"ISBN in the UPC edition", u"ISB0"_s, isbn, {}, {}, Edition::Upc},
        {"no such type", u"XXXX"_s, u"400638133393"_s, {}, {}},
    };
    for (const Case &row : rows)
        QTest::newRow(row.name) << row;
}

void TestViewUpdatePlan::plan()
{
    QFETCH(Case, row);
    const ViewUpdateState state{row.typeCode, row.edition, row.entry, row.supplement, row.product};
    const ViewUpdatePlan plan =
        row.definedWidth > 0 ? planDefinedViewUpdate(state, row.definedWidth, 1200) : planMainViewUpdate(state);
    QCOMPARE(plan.update, row.width > 0);
    if (!plan.update)
        return;
    QCOMPARE(plan.type.code, row.typeCode);
    QCOMPARE(plan.widthTwips, row.width);
    QCOMPARE(plan.heightTwips, row.definedWidth > 0 ? 1200 : kMainSymbolHeightTwips);
    QCOMPARE(plan.rendererSymbology, row.symbology);
    QCOMPARE(plan.handData, !row.data.isEmpty());
    QCOMPARE(plan.data, row.data);
    QCOMPARE(plan.supplement, row.handedSupplement);
    QCOMPARE(plan.compose, row.compose);
    QCOMPARE(plan.completeEntry, row.completeEntry);
    QCOMPARE(plan.isbnRefused, row.isbnRefused);
    QCOMPARE(plan.showText, row.showText);
    QCOMPARE(plan.rendererTypeName, row.typeName);
    QCOMPARE(plan.isbnHeader, row.header);
}

QTEST_GUILESS_MAIN(TestViewUpdatePlan)
#include "tst_view_update_plan.moc"
