#include "export/tiff_parameters.h"
#include "settings/settings_store.h"

#include <QTest>

#include <functional>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

const QStringList kTiffNames{u"TiffRes"_s,     u"TiffComp"_s,    u"TiffInvert"_s, u"TiffMirror"_s,   u"TiffRotate"_s,
                             u"TiffAdjustW"_s, u"TiffAdjustH"_s, u"Use256"_s,     u"ISBNtiffFont"_s, u"TiffVerify"_s};

SettingsStore storeWith(const QStringList &texts)
{
    SettingsStore store(Edition::Alla);
    for (int i = 0; i < texts.size(); ++i)
        store.setValue(kTiffNames[i], texts[i]);
    return store;
}

TiffParameters changed(const std::function<void(TiffParameters &)> &change)
{
    TiffParameters parameters;
    change(parameters);
    return parameters;
}

} // namespace

Q_DECLARE_METATYPE(TiffParameters)

class TestTiffParameters : public QObject {
    Q_OBJECT
private slots:
    void storedTexts()
    {
        const QStringList texts{u"Printer"_s, u"Huff"_s, u"No"_s,  u"No"_s,   u"No"_s,
                                u"No"_s,      u"No"_s,   u"Ask"_s, QString(), u"Y"_s};
        SettingsStore store(Edition::Alla);
        TiffParameters{}.toSettings(store);
        QStringList stored;
        for (const QString &name : kTiffNames)
            stored.append(store.value(name));
        QCOMPARE(stored, texts);
        SettingsStore again = storeWith(texts);
        QCOMPARE(TiffParameters::fromSettings(again), TiffParameters{});
    }

    void readBack_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<TiffParameters>("parameters");
        QTest::addColumn<QString>("use256Stored");
        const QString garbage = u"zz\u00e9\u20ac"_s;
        QTest::newRow("garbage") << QStringList(10, garbage)
                                 << changed([&](TiffParameters &p) { p.isbnTiffFont = garbage; }) << garbage;
        QTest::newRow("TiffComp missing") << QStringList{u"Printer"_s, QString(), u"Inv"_s}
                                          << changed([](TiffParameters &p) { p.invert = true; }) << u"Ask"_s;
        QTest::newRow("resolution above 4800") << QStringList{u"9999"_s} << changed([](TiffParameters &p) {
            p.printerResolution = false;
            p.userResolution = u"4800"_s;
        }) << u"Ask"_s;
    }
    void readBack()
    {
        QFETCH(QStringList, texts);
        QFETCH(TiffParameters, parameters);
        QFETCH(QString, use256Stored);
        SettingsStore store = storeWith(texts);
        QCOMPARE(TiffParameters::fromSettings(store), parameters);
        QCOMPARE(store.value(u"Use256"_s), use256Stored);
    }

    void keyRule()
    {
        QCOMPARE(filterEntryKey(u'7', u"100"_s, false, 3), KeyDecision::Drop);
        QCOMPARE(filterEntryKey(u'6', u"3000"_s, true, 4), KeyDecision::ClearThenInsert);
    }

    void numbers()
    {
        QCOMPARE(leadingNumber(u"4800.5"_s), 4800.5);
        QVERIFY(resolutionTooHigh(u"4800.5"_s));
    }
};

QTEST_GUILESS_MAIN(TestTiffParameters)
#include "tst_tiff_parameters.moc"
