#include "export/colour_mode_switch.h"
#include "recording_prompt.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

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

class TestColourModeSwitch : public QObject {
    Q_OBJECT
private slots:
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

    void activationAsksOnlyWhenItMay()
    {
        for (const auto &[setting, depth, askSelected] : {std::tuple(u"Ask"_s, 16, false), {u"Never"_s, 32, true}}) {
            FakeDisplay display;
            display.now.bitsPerPixel = depth;
            ColourModeSwitch modes(display);
            modes.setRunSetting(setting);
            RecordingPrompt prompt;
            modes.offerOnActivation(askSelected);
            QVERIFY(prompt.texts().isEmpty() && display.asked.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestColourModeSwitch)
#include "tst_colour_mode_switch.moc"
