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

// The display as on this platform: one mode, and no way to switch.
class FixedDisplay final : public DisplayModes {
public:
    DisplayMode now{1024, 768, 32};
    QList<DisplayMode> modes() const override { return {now}; }
    DisplayMode current() const override { return now; }
    int change(const DisplayMode &) override { return DisplayChange::NotSupported; }
    bool restartSystem() override { return false; }
};

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

    void keyRule()
    {
        QCOMPARE(filterEntryKey(u'7', u"3000"_s, false, 4), KeyDecision::Drop);
        QCOMPARE(filterEntryKey(u'6', u"3000"_s, true, 4), KeyDecision::ClearThenInsert);
    }

    void numbers()
    {
        QCOMPARE(leadingNumber(u"4800.5"_s), 4800.5);
        QVERIFY(resolutionTooHigh(u"4800.5"_s));
    }

    void activationAsksOnceWhenItMay()
    {
        const QStringList asked{
            u"To be able to save High Resolution TIFF images you must use 256 Colors, Change Resolution automaticlly ?"_s,
            u"Error changing resolution! Returned: -100"_s};
        for (const auto &[setting, bits, askSelected, texts] :
             {std::tuple(u"Ask"_s, 32, false, asked), {u"Ask"_s, 16, false, {}}, {u"Never"_s, 32, true, {}}}) {
            FixedDisplay display;
            display.now.bitsPerPixel = bits;
            ColourModeSwitch modes(display);
            modes.setRunSetting(setting);
            RecordingPrompt prompt;
            prompt.answers.enqueue(PromptAnswer::Yes);
            modes.offerOnActivation(askSelected);
            modes.offerOnActivation(askSelected);
            QCOMPARE(prompt.texts(), texts);
            QCOMPARE(display.now.bitsPerPixel, bits);
        }
    }
};

QTEST_GUILESS_MAIN(TestTiffParameters)
#include "tst_tiff_parameters.moc"
