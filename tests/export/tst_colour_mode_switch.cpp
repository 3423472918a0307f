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
    QList<DisplayMode> asked;
    int restarts = 0;

    QList<DisplayMode> modes() const override { return list; }
    DisplayMode current() const override { return now; }
    int change(const DisplayMode &mode) override
    {
        asked.append(mode);
        if (answer == DisplayChange::Successful)
            now = mode;
        return answer;
    }
    bool restartSystem() override
    {
        ++restarts;
        return true;
    }
};

const QString kAutoQuestion =
    u"To be able to save High Resolution TIFF images you must use 256 Colors, Change Resolution automaticlly ?"_s;

} // namespace

class TestColourModeSwitch : public QObject {
    Q_OBJECT
private slots:
    void switches_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<int>("selected");
        QTest::newRow("256 colours") << 0 << QStringList{} << 2;
        QTest::newRow("no switching") << int(DisplayChange::NotSupported)
                                      << QStringList{u"Error changing resolution! Returned: -100"_s} << 0;
    }
    void switches()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, told);
        QFETCH(int, selected);
        FakeDisplay display;
        display.answer = answer;
        ColourModeSwitch modes(display);
        RecordingPrompt prompt;
        QCOMPARE(modes.goTo256Colors(), answer);
        QCOMPARE(display.asked.size(), 1);
        QCOMPARE(display.asked[0].text(), u"1024x768x8"_s);
        QCOMPARE(prompt.texts(), told);
        QCOMPARE(modes.selectedIndex(), selected);
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

    void buttonsAsk_data()
    {
        QTest::addColumn<bool>("use256");
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<QString>("colours");
        QTest::addColumn<QStringList>("switched");
        QTest::newRow("256, yes") << true << PromptAnswer::Yes << u"256"_s << QStringList{u"1024x768x8"_s};
        QTest::newRow("back, cancel is yes")
            << false << PromptAnswer::Cancel << u"32 Bit"_s << QStringList{u"1024x768x32"_s};
    }
    void buttonsAsk()
    {
        QFETCH(bool, use256);
        QFETCH(PromptAnswer, answer);
        QFETCH(QString, colours);
        QFETCH(QStringList, switched);
        FakeDisplay display;
        ColourModeSwitch modes(display);
        RecordingPrompt prompt;
        prompt.answers.enqueue(answer);
        use256 ? modes.askUse256() : modes.askBackColors();
        QCOMPARE(prompt.texts(),
                 QStringList{u"You are about to change to "_s + colours + u" Color, Do you want to Continue ?"_s});
        QCOMPARE(prompt.asked[0].title, u"Change to "_s + colours + u" Colors"_s);
        QStringList asked;
        for (const DisplayMode &mode : display.asked)
            asked.append(mode.text());
        QCOMPARE(asked, switched);
    }

    void activation_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<int>("depth");
        QTest::addColumn<bool>("askSelected");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<bool>("switches");
        QTest::addColumn<QString>("settingAfter");
        QTest::newRow("Ask at 32 bits") << u"Ask"_s << 32 << false << true << true << QString();
        QTest::newRow("Ask at 16 bits") << u"Ask"_s << 16 << false << false << false << u"Ask"_s;
        QTest::newRow("Never") << u"Never"_s << 32 << true << false << false << u"Never"_s;
    }
    void activation()
    {
        QFETCH(QString, setting);
        QFETCH(int, depth);
        QFETCH(bool, askSelected);
        QFETCH(bool, asks);
        QFETCH(bool, switches);
        QFETCH(QString, settingAfter);
        FakeDisplay display;
        display.now.bitsPerPixel = depth;
        ColourModeSwitch modes(display);
        modes.setRunSetting(setting);
        RecordingPrompt prompt;
        modes.offerOnActivation(askSelected);
        QCOMPARE(prompt.texts(), asks ? QStringList{kAutoQuestion} : QStringList{});
        if (asks) {
            QCOMPARE(prompt.asked[0].title, u"Change to 256 Colors"_s);
            QCOMPARE(prompt.asked[0].helpContext, 810);
        }
        QCOMPARE(display.asked.size(), switches ? 1 : 0);
        QCOMPARE(modes.runSetting(), settingAfter);
        prompt.clear();
        modes.offerOnActivation(askSelected);
        QVERIFY(prompt.texts().isEmpty());
        QCOMPARE(display.asked.size(), switches ? 1 : 0);
    }

    void closeReturnsToTheStartUpMode()
    {
        FakeDisplay display;
        ColourModeSwitch modes(display);
        modes.returnToStartUpMode();
        QVERIFY(display.asked.isEmpty());
        modes.goTo256Colors();
        QCOMPARE(modes.currentBitsPerPixel(), 8);
        modes.returnToStartUpMode();
        QCOMPARE(display.now.text(), u"1024x768x32"_s);
        QCOMPARE(modes.selectedIndex(), 0);
    }
};

QTEST_GUILESS_MAIN(TestColourModeSwitch)
#include "tst_colour_mode_switch.moc"
