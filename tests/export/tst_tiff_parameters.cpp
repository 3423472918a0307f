#include "base/units.h"
#include "export/colour_mode_switch.h"
#include "export/tiff_parameters.h"
#include "export_test_support.h"
#include "recording_prompt.h"
#include "settings/settings_store.h"

#include <QTest>

#include <functional>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

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
        for (const char *low : {"1", "50", "299.", "."}) {
            QTest::addRow("resolution %s", low)
                << QStringList{QString::fromLatin1(low)} << changed([](TiffParameters &p) {
                       p.printerResolution = false;
                       p.userResolution = u"300"_s;
                   })
                << u"Ask"_s;
        }
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

    // A digit into a full box is dropped, one over the selected box replaces it; digits outside
    // ASCII and letters are dropped.
    void keyRule()
    {
        const std::tuple<QChar, bool, KeyDecision> cases[] = {{u'7', false, KeyDecision::Drop},
                                                              {u'6', true, KeyDecision::ClearThenInsert},
                                                              {u'\u0663', true, KeyDecision::Drop},
                                                              {u'\uff13', true, KeyDecision::Drop},
                                                              {u'a', true, KeyDecision::Drop}};
        for (const auto &[key, allSelected, decision] : cases)
            QVERIFY2(filterEntryKey(key, u"3000"_s, allSelected, 4) == decision, qPrintable(QString(key)));
    }

    void numbers()
    {
        QCOMPARE(leadingNumber(u"4800.5"_s), 4800.5);
        QVERIFY(resolutionTooHigh(u"4800.5"_s));
    }

    void activationAsksOnceWhenItMay_data()
    {
        QTest::addColumn<bool>("switching");
        QTest::addColumn<QString>("setting");
        QTest::addColumn<int>("bits");
        QTest::addColumn<bool>("askSelected");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<int>("bitsAfter");
        QTest::newRow("switching, Ask, 32 bits") << true << u"Ask"_s << 32 << false << true << 8;
        QTest::newRow("switching, Ask, 16 bits") << true << u"Ask"_s << 16 << false << false << 16;
        QTest::newRow("switching, Ask, 16 bits, ask chosen") << true << u"Ask"_s << 16 << true << true << 8;
        QTest::newRow("switching, Never, 32 bits") << true << u"Never"_s << 32 << true << false << 32;
        QTest::newRow("switching, 256, 32 bits") << true << u"256"_s << 32 << true << false << 8;
        QTest::newRow("fixed, Ask, 32 bits") << false << u"Ask"_s << 32 << true << false << 32;
        QTest::newRow("fixed, 256, 32 bits") << false << u"256"_s << 32 << true << false << 32;
    }
    void activationAsksOnceWhenItMay()
    {
        QFETCH(bool, switching);
        QFETCH(QString, setting);
        QFETCH(int, bits);
        QFETCH(bool, askSelected);
        QFETCH(bool, asks);
        QFETCH(int, bitsAfter);
        SwitchingDisplay display(bits, switching);
        ColourModeSwitch modes(display);
        modes.setRunSetting(setting);
        RecordingPrompt prompt;
        prompt.answers.enqueue(PromptAnswer::Yes);
        modes.offerOnActivation(askSelected);
        modes.offerOnActivation(askSelected);
        const QString question =
            u"To be able to save High Resolution TIFF images you must use 256 Colors, Change Resolution automaticlly ?"_s;
        QCOMPARE(prompt.texts(), asks ? QStringList{question} : QStringList{});
        if (asks) {
            QCOMPARE(prompt.asked[0].title, u"Change to 256 Colors"_s);
            QCOMPARE(prompt.asked[0].helpContext, 810);
        }
        QCOMPARE(display.now.bitsPerPixel, bitsAfter);
        // Closing the main window returns to the start-up depth, where the display can switch.
        modes.returnToStartUpMode();
        QCOMPARE(display.now.bitsPerPixel, bits);
        QCOMPARE(prompt.texts().size(), asks ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestTiffParameters)
#include "tst_tiff_parameters.moc"
