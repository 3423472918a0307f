#include "export/colour_mode_switch.h"
#include "export/tiff_parameters.h"
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

class FakeDisplay final : public DisplayModes {
public:
    QList<DisplayMode> list{{1024, 768, 32}, {1024, 768, 16}, {1024, 768, 8}, {800, 600, 32}};
    DisplayMode now{1024, 768, 32};
    int answer = DisplayChange::Successful;
    QStringList asked;
    int restarts = 0;

    QList<DisplayMode> modes() const override { return list; }
    DisplayMode current() const override { return now; }
    int change(const DisplayMode &mode) override
    {
        asked.append(mode.text());
        if (answer == DisplayChange::Successful)
            now = mode;
        return answer;
    }
    bool restartSystem() override { return ++restarts; }
};

} // namespace

Q_DECLARE_METATYPE(TiffParameters)
Q_DECLARE_METATYPE(KeyDecision)

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

    void switchesAndReturnsAtClose()
    {
        FakeDisplay display;
        ColourModeSwitch modes(display);
        RecordingPrompt prompt;
        QCOMPARE(modes.goTo256Colors(), 0);
        QCOMPARE(display.asked, QStringList{u"1024x768x8"_s});
        QCOMPARE(std::pair(modes.selectedIndex(), modes.currentBitsPerPixel()), std::pair(2, 8));
        modes.returnToStartUpMode();
        QCOMPARE(display.now.text(), u"1024x768x32"_s);
        QVERIFY(prompt.texts().isEmpty());
    }

    void restartNeeded()
    {
        FakeDisplay display;
        display.answer = DisplayChange::Restart;
        ColourModeSwitch modes(display);
        RecordingPrompt prompt;
        prompt.answers.enqueue(PromptAnswer::Yes);
        modes.goTo256Colors();
        QCOMPARE(prompt.texts(),
                 QStringList{u"Kelbrix can't change color depth automaticlly on your computer, you must "
                             u"reboot the system to change color depth.  Reboot now?"_s});
        QCOMPARE(display.restarts, 1);
    }

    void backColorsTakesCancelAsYes()
    {
        FakeDisplay display;
        ColourModeSwitch modes(display);
        RecordingPrompt prompt;
        prompt.answers.enqueue(PromptAnswer::Cancel);
        modes.askBackColors();
        QCOMPARE(prompt.texts(), QStringList{u"You are about to change to 32 Bit Color, Do you want to Continue ?"_s});
        QCOMPARE(prompt.asked[0].title, u"Change to 32 Bit Colors"_s);
        QCOMPARE(display.asked, QStringList{u"1024x768x32"_s});
    }
};

QTEST_GUILESS_MAIN(TestTiffParameters)
#include "tst_tiff_parameters.moc"
