#include "render/barcode_renderer.h"
#include "render/view_update_plan.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

// definedWidth set: the defined-size update; width 0: no update. flags: c compose, e complete
// entry, r ISBN refused, t show text.
struct Case {
    const char *name;
    QString typeCode, entry, supplement, product;
    Edition edition = Edition::Alla;
    double definedWidth = 0, width = 0;
    int symbology = 0;
    QString data{}, handedSupplement{};
    const char *flags = "";
    QString typeName{}, header{};
};

} // namespace

class TestViewUpdatePlan : public QObject {
    Q_OBJECT
private slots:
    void plan_data();
    void plan();
    void refusedData();
};

void TestViewUpdatePlan::plan_data()
{
    QTest::addColumn<Case>("row");
    const QString isbn = u"1-57169-006-9"_s;
    const Edition alla = Edition::Alla;
    // clang-format off
    const QList<Case> rows{
        {"nothing typed", u"E130"_s, {}, {}, {}},
        {"EAN-13 short entry", u"E130"_s, u"40063813339"_s, {}, {}, alla, 0, 1815, 11},
        {"EAN-13 check digit cut", u"E130"_s, u"4006381333939"_s, {}, {}, alla, 0, 1815, 11, u"400638133393"_s, {}, "ce"},
        {"EAN-8 defined", u"E80 "_s, u"96385074"_s, {}, {}, alla, 3000, 3000, 14, u"9638507"_s, {}, "ce", u"EAN 8"_s},
        {"UPC A to E", u"UPP0"_s, u"01200000345"_s, {}, {}, alla, 0, 1215, 8, u"01200000345"_s, {}, "c"},
        {"SCC-14 shows its text", u"SC14"_s, u"10012345678902"_s, {}, {}, alla, 0, 2295, 2, u"1001234567890"_s, {}, "cet"},
        {"SCC-14 defined does not", u"SC14"_s, u"10012345678902"_s, {}, {}, alla, 4000, 4000, 2, u"1001234567890"_s, {}, "ce"},
        {"Code 39 defined keeps its width", u"Co39"_s, u"ABC"_s, {}, {}, alla, 5000, 1550, 0, u"ABC"_s, {}, "c"},
        {"ISBN + 5", u"ISB5"_s, isbn, u"90000"_s, {}, alla, 0, 2655, 13, u"978157169006"_s, u"90000"_s, "c", {}, u"ISBN 1-57169-006-9"_s},
        {"ISBN too few dividers", u"ISB0"_s, u"157169-0069-9"_s, {}, {}, alla, 0, 1815, 11, {}, {}, "r"},
        {"UPC in the EAN edition", u"UPA0"_s, u"03600029145"_s, {}, {}, Edition::Ean},
        {"no such type", u"XXXX"_s, u"400638133393"_s, {}, {}},
    };
    // clang-format on
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
    const QByteArray flags(row.flags);
    QCOMPARE(std::tuple(plan.type.code, plan.widthTwips, plan.heightTwips, plan.handData, plan.data),
             std::tuple(row.typeCode, row.width, row.definedWidth > 0 ? 1200 : kMainSymbolHeightTwips,
                        !row.data.isEmpty(), row.data));
    QCOMPARE(std::tuple(plan.compose, plan.completeEntry, plan.isbnRefused, plan.rendererTypeName, plan.isbnHeader),
             std::tuple(flags.contains('c'), flags.contains('e'), flags.contains('r'), row.typeName, row.header));

    BarcodeRenderer renderer;
    QCOMPARE(applyViewUpdatePlan(plan, renderer), plan.handData ? PlanApplied::Handed : PlanApplied::NotHanded);
    QCOMPARE(renderer.symbology(), row.symbology);
    // Without data handed over the renderer keeps its own.
    QCOMPARE(renderer.data() != BarcodeRenderer().data(), plan.handData);
    QCOMPARE(renderer.supplement(), row.handedSupplement);
    QCOMPARE(renderer.showText(), flags.contains('t'));
    if (!row.typeName.isEmpty())
        QCOMPARE(renderer.typeName(), row.typeName);
}

void TestViewUpdatePlan::refusedData()
{
    BarcodeRenderer renderer;
    const ViewUpdatePlan plan = planMainViewUpdate({u"Co39"_s, Edition::Alla, u"\u20ac"_s, {}, {}});
    QCOMPARE(applyViewUpdatePlan(plan, renderer), PlanApplied::Refused);
}

QTEST_GUILESS_MAIN(TestViewUpdatePlan)
#include "tst_view_update_plan.moc"
