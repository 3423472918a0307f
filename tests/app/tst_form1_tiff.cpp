// The TIFF Parameters window in the program: opened from its menu and the toolbar, kept with
// its values while hidden, its settings written at exit and read at the next start with their
// exact names and texts, and the display colour mode asked about on activation and given back
// on close, on the screen the tests run on.
#include "form1_driver.h"

#include "app/frm_tiff.h"
#include "app/help_window.h"

#include <QDialog>
#include <QListWidget>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

const QString kAutoQuestion =
    u"To be able to save High Resolution TIFF images you must use 256 Colors, Change Resolution automaticlly ?"_s;
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
    QDialog *window = tiffWindow(form);
    T *found = window ? window->findChild<T *>(name) : nullptr;
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

// The 256-colour question is asked at a depth of 32 bits per pixel, or 16.
bool screenAsks()
{
    const int depth = QGuiApplication::primaryScreen()->depth();
    return depth == 32 || depth == 16; // 16 with "Ask at start up" chosen, as it is here
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
        QVERIFY(form.findChild<QAction *>(u"mnuTiff"_s)->isEnabled());

        // The user checks "Invert Image" and saves; the window is modal while it shows.
        QStringList seen;
        QTimer::singleShot(0, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            seen << (modal ? modal->objectName() : QString()) << (modal ? modal->windowTitle() : QString());
            tiffControl<QCheckBox>(form, u"chkInvertImg"_s)->click();
            tiffControl<QPushButton>(form, u"cmdOK"_s)->click();
        });
        form.findChild<QAction *>(opener)->trigger();
        QCOMPARE(seen, (QStringList{u"frmTiff"_s, u"TIFF Parameters"_s}));
        QVERIFY(window->isHidden());
        QCOMPARE(tiffWindow(form), window); // made once
        QVERIFY(tiffControl<QCheckBox>(form, u"chkInvertImg"_s)->isChecked());

        // F1 in the window opens its own help page.
        QTimer::singleShot(0, [&] {
            QTest::keyClick(tiffControl<QLineEdit>(form, u"txtCopies"_s), Qt::Key_F1);
            tiffControl<QPushButton>(form, u"cmdOK"_s)->click();
        });
        form.findChild<QAction *>(u"mnuTiff"_s)->trigger();
        QCOMPARE(HelpWindow::instance()->currentSource().path(), u"/help/tiff-window.html"_s);
        HelpWindow::instance()->hide();
        QVERIFY(prompt.texts().isEmpty());
    }

    // BarTiff draws with the look of the size window, at start-up and after each change there;
    // the size window's "Click Here for dpi" opens this window.
    void sharedLookAndDpiLink()
    {
        stored().setValue(u"Use256"_s, u"Never"_s);
        stored().setValue(u"FontName"_s, u"DejaVu Serif"_s);
        stored().setValue(u"FontSize"_s, u"14"_s);
        RecordingPrompt prompt;
        Form1 form(Edition::Alla);
        form.show();
        const BarcodeRenderer &barTiff = form.tiffWindow()->barTiff();
        QCOMPARE(barTiff.font().family(), u"DejaVu Serif"_s);
        QCOMPARE(barTiff.font().pointSizeF(), 14.0);

        auto *sizeWindow = form.findChild<QMainWindow *>(u"frmBarSize"_s);
        QVERIFY(sizeWindow);
        prompt.fonts.enqueue(FontChoice{u"DejaVu Sans Mono"_s, 11, true, false});
        sizeWindow->findChild<QAction *>(u"mnuCFont"_s)->trigger();
        QCOMPARE(barTiff.font().family(), u"DejaVu Sans Mono"_s);
        QVERIFY(barTiff.font().bold());

        sizeWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(sizeWindow));
        QString opened;
        QTimer::singleShot(0, [&] {
            if (QWidget *modal = QApplication::activeModalWidget())
                opened = modal->objectName();
            tiffControl<QPushButton>(form, u"cmdOK"_s)->click();
        });
        QTest::mouseClick(sizeWindow->findChild<QLabel *>(u"Label6"_s), Qt::LeftButton);
        QCOMPARE(opened, u"frmTiff"_s);
        QVERIFY(prompt.texts().isEmpty());
    }

    void windowGoesWithTheMainWindow()
    {
        QPointer<QDialog> window;
        {
            Form1 form(Edition::Alla);
            window = tiffWindow(form);
            QVERIFY(window);
        }
        QVERIFY(window.isNull());
    }

    void firstRunWritesDefaults()
    {
        {
            Form1 form(Edition::Alla);
            quitAnsweringYes(form);
        }
        QSettings settings = stored();
        const QStringList expected{u"Printer"_s, u"Huff"_s, u"No"_s, u"No"_s, u"No"_s, u"No"_s, u"No"_s, u"Ask"_s};
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(settings.value(kTiffNames[i]).toString(), expected[i]);
        QVERIFY(!settings.contains(u"ISBNtiffFont"_s));
    }

    // What the user sets in the window is written at exit under its exact name and text, and the
    // next start shows it again.
    void roundTrip_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("resolution");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("own resolution, G4, all on")
            << QStringList{u"optUserRes"_s,  u"optCompG4"_s,    u"chkInvertImg"_s, u"optMirrorH"_s,
                           u"optRotate90"_s, u"chkTiffCompW"_s, u"chkTiffCompH"_s, u"optNever256"_s}
            << u"1200"_s << QStringList{u"1200"_s, u"G4"_s, u"Inv"_s, u"H"_s, u"90"_s, u"W"_s, u"H"_s, u"Never"_s};
        QTest::newRow("no compression, vertical, 180, 256")
            << QStringList{u"optCompNo"_s, u"optMirrorV"_s, u"optRotate180"_s, u"chkTiffCompH"_s, u"optUse256"_s}
            << QString() << QStringList{u"Printer"_s, u"No"_s, u"No"_s, u"V"_s, u"180"_s, u"No"_s, u"H"_s, u"256"_s};
        QTest::newRow("G3, 270, ask") << QStringList{u"optCompG3"_s, u"optRotate270"_s, u"chkTiffCompW"_s,
                                                     u"optAsk256"_s}
                                      << QString() << QStringList{u"Printer"_s, u"G3"_s, u"No"_s, u"No"_s,
                                                                  u"270"_s,     u"W"_s,  u"No"_s, u"Ask"_s};
    }
    void roundTrip()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, resolution);
        QFETCH(QStringList, texts);
        stored().setValue(u"Use256"_s, u"Never"_s);
        stored().setValue(u"ISBNtiffFont"_s, u"DejaVu Serif"_s);
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
        QCOMPARE(settings.value(u"ISBNtiffFont"_s).toString(), u"DejaVu Serif"_s);

        Form1 again(Edition::Alla);
        for (const QString &name : clicks)
            QVERIFY2(tiffControl<QAbstractButton>(again, name)->isChecked(), qPrintable(name));
        QCOMPARE(tiffControl<QLineEdit>(again, u"txtUserRes"_s)->text(), resolution);
        // "256" switches at start-up; this screen cannot, and says so once.
        QCOMPARE(prompt.texts(), texts[7] == u"256"_s ? QStringList{kNoSwitching} : QStringList{});
    }

    void badValuesGiveDefaults_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("empty") << QString();
        QTest::newRow("garbage") << u"zz\u00e9\u20ac\u0000x"_s;
        QTest::newRow("blank") << u" "_s;
        QTest::newRow("long") << QString(100000, u'9');
    }
    void badValuesGiveDefaults()
    {
        QFETCH(QString, value);
        QSettings settings = stored();
        for (const QString &name : kTiffNames)
            settings.setValue(name, value);
        settings.sync();
        RecordingPrompt prompt;
        {
            Form1 form(Edition::Alla);
            for (const QString &name :
                 {u"optPrinterRes"_s, u"optCompHuff"_s, u"optMirrorNo"_s, u"optRotateNo"_s, u"optAsk256"_s})
                QVERIFY2(tiffControl<QRadioButton>(form, name)->isChecked(), qPrintable(name));
            for (const QString &name : {u"chkInvertImg"_s, u"chkTiffCompW"_s, u"chkTiffCompH"_s})
                QVERIFY2(!tiffControl<QCheckBox>(form, name)->isChecked(), qPrintable(name));
            QVERIFY(!tiffControl<QLineEdit>(form, u"txtUserRes"_s)->isEnabled());
            quitAnsweringYes(form);
        }
        QVERIFY(prompt.texts().isEmpty());
        QSettings after = stored();
        QCOMPARE(after.value(u"TiffComp"_s).toString(), u"Huff"_s);
        QCOMPARE(after.value(u"TiffRes"_s).toString(), u"Printer"_s);
        QCOMPARE(after.value(u"Use256"_s).toString(), u"Ask"_s);
    }

    void missingCompressionGivesHuffman()
    {
        stored().setValue(u"TiffComp"_s, u"G4"_s);
        stored().remove(u"TiffComp"_s);
        stored().setValue(u"TiffRes"_s, u"600"_s);
        Form1 form(Edition::Alla);
        QVERIFY(tiffControl<QRadioButton>(form, u"optCompHuff"_s)->isChecked());
        QVERIFY(tiffControl<QRadioButton>(form, u"optUserRes"_s)->isChecked());
        QCOMPARE(tiffControl<QLineEdit>(form, u"txtUserRes"_s)->text(), u"600"_s);
    }

    // On this screen: the mode list shows the real mode and depth; the question of the first
    // activation comes at 32 bits per pixel only, once, and Yes ends in the error text with
    // the list, the settings and the screen unchanged.
    void colourModeOnActivation_data()
    {
        QTest::addColumn<PromptAnswer>("answer");
        QTest::newRow("yes") << PromptAnswer::Yes;
        QTest::newRow("no") << PromptAnswer::No;
    }
    void colourModeOnActivation()
    {
        QFETCH(PromptAnswer, answer);
        const QScreen *screen = QGuiApplication::primaryScreen();
        const QSize size = screen->size() * screen->devicePixelRatio();
        const QString mode = QString::number(size.width()) + u"x"_s + QString::number(size.height()) + u"x"_s +
                             QString::number(screen->depth());
        RecordingPrompt prompt;
        prompt.answers.enqueue(answer);
        {
            Form1 form(Edition::Alla);
            auto *list = tiffControl<QListWidget>(form, u"List1"_s);
            QCOMPARE(list->count(), 1);
            QCOMPARE(list->currentItem()->text(), mode);
            QCOMPARE(tiffControl<QPushButton>(form, u"cmdNormalColor"_s)->text(),
                     QString::number(screen->depth()) + u" &Bit Color"_s);
            form.show();
            activate(&form);
            QStringList expected;
            if (screenAsks())
                expected << kAutoQuestion << (answer == PromptAnswer::Yes ? QStringList{kNoSwitching} : QStringList{});
            QCOMPARE(prompt.texts(), expected);
            if (screenAsks()) {
                QCOMPARE(prompt.asked[0].title, u"Change to 256 Colors"_s);
                QCOMPARE(prompt.asked[0].helpContext, 810);
                QCOMPARE(prompt.asked[0].buttons, PromptButtons::YesNo);
            }
            // Another activation asks nothing more.
            prompt.clear();
            QWidget other;
            other.show();
            activate(&other);
            activate(&form);
            QVERIFY(prompt.texts().isEmpty());
            QCOMPARE(list->count(), 1);
            QCOMPARE(list->currentItem()->text(), mode);
            quitAnsweringYes(form);
        }
        // Closing found the start-up depth in force and changed nothing.
        QVERIFY(prompt.texts().isEmpty());
        QCOMPARE(stored().value(u"Use256"_s).toString(), u"Ask"_s);
        QCOMPARE(screen->size() * screen->devicePixelRatio(), size);
        QCOMPARE(QString::number(screen->depth()), mode.section(u'x', 2));
    }

    void always256SwitchesAtStartOnce()
    {
        stored().setValue(u"Use256"_s, u"256"_s);
        RecordingPrompt prompt;
        Form1 form(Edition::Alla);
        QCOMPARE(prompt.texts(), QStringList{kNoSwitching});
        form.show();
        activate(&form);
        QCOMPARE(prompt.texts(), QStringList{kNoSwitching});
        QVERIFY(tiffControl<QRadioButton>(form, u"optUse256"_s)->isChecked());
    }
};

QTEST_MAIN(TestForm1Tiff)
#include "tst_form1_tiff.moc"
