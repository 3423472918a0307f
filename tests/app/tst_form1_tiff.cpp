#include "form1_driver.h"

#include "app/frm_tiff.h"

#include <QDialog>
#include <QScreen>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

const QString kNoSwitching = u"Error changing resolution! Returned: -100"_s;

QSettings stored()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Quorran"_s, u"Barcode"_s);
}

QDialog *tiffWindow(Form1 &form)
{
    return form.findChild<QDialog *>(u"frmTiff"_s);
}

template <typename T> T *tiffControl(Form1 &form, const QString &name)
{
    T *found = tiffWindow(form)->findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

void quitAnsweringYes(Form1 &form)
{
    RecordingPrompt prompt;
    prompt.answers.enqueue(PromptAnswer::Yes);
    form.findChild<QAction *>(u"mnuExit"_s)->trigger();
    QCOMPARE(prompt.texts(), QStringList{u"Do you want to Quit ?."_s});
}

void activate(QWidget *window)
{
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

const QStringList kTiffNames{u"TiffRes"_s,     u"TiffComp"_s,    u"TiffInvert"_s, u"TiffMirror"_s,  u"TiffRotate"_s,
                             u"TiffAdjustW"_s, u"TiffAdjustH"_s, u"Use256"_s,     u"ISBNtiffFont"_s};

} // namespace

class TestForm1Tiff : public QObject {
    Q_OBJECT
private slots:
    void init() { resetSettings(); }

    void menuAndToolbarOpenTheWindow_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::newRow("menu") << u"mnuTiff"_s;
        QTest::newRow("toolbar") << u"Toolbar1_TIF"_s;
    }
    void menuAndToolbarOpenTheWindow()
    {
        QFETCH(QString, opener);
        stored().setValue(u"Use256"_s, u"Never"_s);
        RecordingPrompt prompt;
        Form1 form(Edition::Alla);
        form.show();
        QDialog *window = tiffWindow(form);
        QVERIFY(window && window->isHidden());
        QString seen;
        QTimer::singleShot(0, [&] {
            if (QWidget *modal = QApplication::activeModalWidget())
                seen = modal->windowTitle();
            tiffControl<QCheckBox>(form, u"chkInvertImg"_s)->click();
            tiffControl<QPushButton>(form, u"cmdOK"_s)->click();
        });
        form.findChild<QAction *>(opener)->trigger();
        QCOMPARE(seen, u"TIFF Parameters"_s);
        QVERIFY(window->isHidden());
        QCOMPARE(tiffWindow(form), window);
        QVERIFY(tiffControl<QCheckBox>(form, u"chkInvertImg"_s)->isChecked());
        QVERIFY(prompt.texts().isEmpty());
    }

    void roundTrip_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("resolution");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("first run") << QStringList{} << QString()
                                   << QStringList{u"Printer"_s, u"Huff"_s, u"No"_s, u"No"_s,
                                                  u"No"_s,      u"No"_s,   u"No"_s, u"Ask"_s};
        QTest::newRow("own resolution, G4, all switched")
            << QStringList{u"optUserRes"_s,   u"optCompG4"_s,    u"chkInvertImg"_s, u"optMirrorH"_s, u"optRotate90"_s,
                           u"chkTiffCompW"_s, u"chkTiffCompH"_s, u"optNever256"_s,  u"chkVerify"_s}
            << u"1200"_s << QStringList{u"1200"_s, u"G4"_s, u"Inv"_s, u"H"_s, u"90"_s, u"W"_s, u"H"_s, u"Never"_s};
    }
    void roundTrip()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, resolution);
        QFETCH(QStringList, texts);
        const bool firstRun = clicks.isEmpty();
        if (!firstRun) {
            stored().setValue(u"Use256"_s, u"Never"_s);
            stored().setValue(u"ISBNtiffFont"_s, u"DejaVu Serif"_s);
        }
        RecordingPrompt prompt;
        {
            Form1 form(Edition::Alla);
            for (const QString &name : clicks)
                tiffControl<QAbstractButton>(form, name)->click();
            if (!resolution.isEmpty())
                tiffControl<QLineEdit>(form, u"txtUserRes"_s)->setText(resolution);
            quitAnsweringYes(form);
        }
        QSettings settings = stored();
        for (int i = 0; i < texts.size(); ++i)
            QCOMPARE(settings.value(kTiffNames[i]).toString(), texts[i]);
        QCOMPARE(settings.value(u"ISBNtiffFont"_s).toString(), firstRun ? QString() : u"DejaVu Serif"_s);
        // Verifying is on until the user clears it.
        QCOMPARE(settings.value(u"TiffVerify"_s).toString(), firstRun ? u"Y"_s : u"N"_s);
        if (firstRun)
            return;
        Form1 again(Edition::Alla);
        for (const QString &name : clicks)
            QCOMPARE(tiffControl<QAbstractButton>(again, name)->isChecked(), name != u"chkVerify"_s);
        QCOMPARE(tiffControl<QLineEdit>(again, u"txtUserRes"_s)->text(), resolution);
        QCOMPARE(prompt.texts(), texts[7] == u"256"_s ? QStringList{kNoSwitching} : QStringList{});
    }

    void colourModeOnActivation()
    {
        const int depth = QGuiApplication::primaryScreen()->depth();
        const bool asks = depth == 32 || depth == 16;
        RecordingPrompt prompt;
        prompt.answers.enqueue(PromptAnswer::Yes);
        {
            Form1 form(Edition::Alla);
            form.show();
            activate(&form);
            const QStringList expected{u"To be able to save High Resolution TIFF images you must use 256 Colors, "
                                       u"Change Resolution automaticlly ?"_s,
                                       kNoSwitching};
            QCOMPARE(prompt.texts(), asks ? expected : QStringList{});
            if (asks)
                QCOMPARE(prompt.asked[0].helpContext, 810);
            prompt.clear();
            QWidget other;
            other.show();
            activate(&other);
            activate(&form);
            QVERIFY(prompt.texts().isEmpty());
            quitAnsweringYes(form);
        }
        QVERIFY(prompt.texts().isEmpty());
        QCOMPARE(stored().value(u"Use256"_s).toString(), u"Ask"_s);
    }
};

QTEST_MAIN(TestForm1Tiff)
#include "tst_form1_tiff.moc"
