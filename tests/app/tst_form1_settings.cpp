// The user's settings: defaults on a first run, the values written at exit with their exact
// names and texts, a round trip through a second start, each edition under its own key, and
// values of windows the program does not show yet kept untouched.
#include "form1_driver.h"
#include "recording_prompt.h"

#include <QAction>
#include <QSettings>
#include <QStandardPaths>
#include <QTreeWidget>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using Kelbrix::Test::clickOption;

class TestForm1Settings : public QObject {
    Q_OBJECT
private slots:
    void init();
    void firstRunDefaults();
    void roundTrip_data();
    void roundTrip();
    void answeringNoWritesNothing();
    void editionsKeepTheirOwnSettings();
    void badValuesGiveDefaults_data();
    void badValuesGiveDefaults();
    void upcAToEStartsAsUpcA();

private:
    static QSettings stored(Edition edition);
    static void seed(Edition edition, const QHash<QString, QString> &values);
    static void quitAnsweringYes(Form1 &form);
};

QSettings TestForm1Settings::stored(Edition edition)
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Quorran"_s, settingsKeyName(edition));
}

void TestForm1Settings::seed(Edition edition, const QHash<QString, QString> &values)
{
    QSettings settings = stored(edition);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        settings.setValue(it.key(), it.value());
}

void TestForm1Settings::quitAnsweringYes(Form1 &form)
{
    Test::RecordingPrompt prompt;
    prompt.answers.enqueue(PromptAnswer::Yes);
    form.mnuExit->trigger();
    QCOMPARE(prompt.asked.size(), 1);
    QCOMPARE(prompt.asked[0].text, u"Do you want to Quit ?."_s);
    QCOMPARE(prompt.asked[0].title, u"Exit."_s);
    QCOMPARE(prompt.asked[0].icon, PromptIcon::Question);
    QCOMPARE(prompt.asked[0].buttons, PromptButtons::YesNo);
    QCOMPARE(prompt.asked[0].helpContext, 3010);
}

void TestForm1Settings::init()
{
    for (Edition edition : {Edition::Alla, Edition::Ean, Edition::Upc})
        stored(edition).clear();
}

void TestForm1Settings::firstRunDefaults()
{
    const QString file = stored(Edition::Alla).fileName();
    QVERIFY2(file.endsWith(u"/Quorran/Barcode.conf"_s), qPrintable(file));
    QVERIFY(file.startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));

    Form1 form(Edition::Alla);
    QCOMPARE(form.windowTitle(), u"Kelbrix.  EAN 13 "_s);
    QCOMPARE(form.TypeCode, u"E130"_s);
    QCOMPARE(form.EntryLength, 12);
    QVERIFY(form.optEAN13->isChecked());
    QVERIFY(form.optNosup->isChecked());
    QVERIFY(form.Option1->isChecked());
    QVERIFY(form.mnuRBDN->isChecked());
    QVERIFY(!form.mnuRBDY->isChecked());
    for (int column = 0; column < 5; ++column)
        QCOMPARE(form.currentColumnWidth(column), 903);
    QVERIFY(!form.Command1->isEnabled());
    QVERIFY(!form.Command4->isEnabled());
    QVERIFY(!form.txtSup->isEnabled());
    QCOMPARE(form.txtCopies->text(), u"1"_s);
    QCOMPARE(form.statusText(), u"Press F1 for Help"_s);
    QCOMPARE(form.mnuHelp->text(), u"&Kelbrix. Help"_s);
    QCOMPARE(form.mnuAbout->text(), u"About Kelbrix. "_s);
}

void TestForm1Settings::roundTrip_data()
{
    QTest::addColumn<int>("edition");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("supplement");
    QTest::addColumn<QString>("listCode");
    QTest::addColumn<QString>("storedType");
    QTest::addColumn<QString>("storedSupplement");
    QTest::newRow("ALLA, UPC-E + 5") << int(Edition::Alla) << u"Barcode"_s << u"optUPCE"_s << u"chk5digit"_s
                                     << u"UPE5"_s << u"UpcE"_s << u"Chk5"_s;
    QTest::newRow("ALLA, Code 39") << int(Edition::Alla) << u"Barcode"_s << u"optCode39"_s << u"optNosup"_s
                                   << u"Co39"_s << u"Co39"_s << u"Chk0"_s;
    QTest::newRow("ALLA, UPC A To E + 2") << int(Edition::Alla) << u"Barcode"_s << u"optUpcEP"_s << u"chk2digit"_s
                                          << u"UPP2"_s << u"UpEP"_s << u"Chk2"_s;
    QTest::newRow("EAN, EAN-8 + 2") << int(Edition::Ean) << u"EAN"_s << u"optEAN8"_s << u"chk2digit"_s
                                    << u"E82 "_s << u"Ean8"_s << u"Chk2"_s;
    QTest::newRow("UPC, UPC-E + 2") << int(Edition::Upc) << u"UPC"_s << u"optUPCE"_s << u"chk2digit"_s
                                    << u"UPE2"_s << u"UpcE"_s << u"Chk2"_s;
}

void TestForm1Settings::roundTrip()
{
    QFETCH(int, edition);
    QFETCH(QString, key);
    QFETCH(QString, type);
    QFETCH(QString, supplement);
    QFETCH(QString, listCode);
    QFETCH(QString, storedType);
    QFETCH(QString, storedSupplement);
    // Values of windows that are not part of the program yet must come back untouched.
    const QHash<QString, QString> kept{{u"Bar Matt"_s, u"M"_s},    {u"DPI"_s, u"300"_s},
                                       {u"TiffComp"_s, u"G4"_s},   {u"FontName"_s, u"DejaVu Sans"_s},
                                       {u"Find"_s, u"010100"_s},   {u"Use256"_s, u"Never"_s}};
    seed(Edition(edition), kept);
    {
        Form1 form{Edition(edition)};
        clickOption(form, type);
        clickOption(form, supplement);
        form.Option2->click();
        form.mnuRBDY->trigger();
        for (int column = 0; column < 5; ++column)
            form.ListView3->setColumnWidth(column, 70 + 10 * column);
        quitAnsweringYes(form);
    }
    QSettings settings = stored(Edition(edition));
    QVERIFY(settings.fileName().endsWith(u"/Quorran/"_s + key + u".conf"_s));
    QCOMPARE(settings.value(u"Listkod"_s).toString(), listCode);
    QCOMPARE(settings.value(u"F1Bar"_s).toString(), storedType);
    QCOMPARE(settings.value(u"F1Dig"_s).toString(), storedSupplement);
    QCOMPARE(settings.value(u"fBtxt"_s).toString(), u"N"_s);
    QCOMPARE(settings.value(u"RemoveDigit"_s).toString(), u"Y"_s);
    const auto twipsOf = [](int pixels) { return QString::number(int(pixels * 1440.0 / 96 + 0.5)); };
    for (int column = 1; column <= 5; ++column)
        QCOMPARE(settings.value(u"ClmnH"_s + QString::number(column)).toString(), twipsOf(60 + 10 * column));
    for (auto it = kept.cbegin(); it != kept.cend(); ++it)
        QCOMPARE(settings.value(it.key()).toString(), it.value());

    Form1 again{Edition(edition)};
    QVERIFY(again.findChild<QRadioButton *>(type)->isChecked());
    QVERIFY(again.findChild<QRadioButton *>(supplement)->isChecked());
    QCOMPARE(again.TypeCode, listCode);
    QVERIFY(again.Option2->isChecked());
    QVERIFY(again.mnuRBDY->isChecked());
    QVERIFY(again.digitsHidden);
    QCOMPARE(again.ListView3->columnWidth(4), 110);
    QCOMPARE(QString::number(again.currentColumnWidth(4)), twipsOf(110));
}

void TestForm1Settings::answeringNoWritesNothing()
{
    Form1 form(Edition::Alla);
    form.show();
    clickOption(form, u"optEAN8"_s);
    Test::RecordingPrompt prompt;
    prompt.answers.enqueue(PromptAnswer::No);
    form.mnuExit->trigger();
    QVERIFY(form.isVisible());
    QVERIFY(stored(Edition::Alla).allKeys().isEmpty());
}

void TestForm1Settings::editionsKeepTheirOwnSettings()
{
    {
        Form1 form(Edition::Ean);
        clickOption(form, u"optEAN8"_s);
        quitAnsweringYes(form);
    }
    QVERIFY(stored(Edition::Alla).allKeys().isEmpty());
    QVERIFY(stored(Edition::Upc).allKeys().isEmpty());
    QCOMPARE(stored(Edition::Ean).value(u"F1Bar"_s).toString(), u"Ean8"_s);
    Form1 full(Edition::Alla);
    QCOMPARE(full.TypeCode, u"E130"_s);
    Form1 ean(Edition::Ean);
    QCOMPARE(ean.TypeCode, u"E80 "_s);
}

void TestForm1Settings::badValuesGiveDefaults_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("empty") << QString();
    QTest::newRow("garbage") << u"zz\u00e9\u20ac"_s;
    QTest::newRow("blank") << u" "_s;
    QTest::newRow("a list") << u"a,b"_s;
}

void TestForm1Settings::badValuesGiveDefaults()
{
    QFETCH(QString, value);
    QHash<QString, QString> values;
    for (const QString &name : settingNames())
        values.insert(name, value);
    seed(Edition::Alla, values);
    if (value == u"a,b"_s)
        stored(Edition::Alla).setValue(u"F1Bar"_s, QStringList{u"Ean8"_s, u"Co39"_s});

    Form1 form(Edition::Alla);
    QCOMPARE(form.TypeCode, u"E130"_s);
    QCOMPARE(form.EntryLength, 12);
    QVERIFY(form.optEAN13->isChecked());
    QVERIFY(form.optNosup->isChecked());
    QVERIFY(form.Option1->isChecked());
    QVERIFY(form.mnuRBDN->isChecked());
    QCOMPARE(form.currentColumnWidth(0), 903);
    QCOMPARE(form.windowTitle(), u"Kelbrix.  EAN 13 "_s);
}

void TestForm1Settings::upcAToEStartsAsUpcA()
{
    seed(Edition::Alla, {{u"F1Bar"_s, u"UpEP"_s}, {u"F1Dig"_s, u"Chk0"_s}});
    Form1 form(Edition::Alla);
    QCOMPARE(form.windowTitle(), u"Kelbrix.  UPC A "_s);
    QVERIFY(form.optUpcEP->isChecked());
}

QTEST_MAIN(TestForm1Settings)
#include "tst_form1_settings.moc"
