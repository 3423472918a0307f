// The TIFF Parameters window on its own: typing into the resolution and copies boxes, OK with
// its resolution rules, the printer caption, the controls showing the parameters, the ISBN font,
// its help page, and the display modes of the screen the tests run on.
#include "app/frm_tiff.h"
#include "app/help_window.h"
#include "recording_prompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

// The screen's mode as the mode list shows it.
QString screenMode()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize size = screen->size() * screen->devicePixelRatio();
    return QString::number(size.width()) + u"x"_s + QString::number(size.height()) + u"x"_s +
           QString::number(screen->depth());
}

} // namespace

class TestFrmTiff : public QObject {
    Q_OBJECT

    frmTiff *m_window = nullptr;
    RecordingPrompt *m_prompt = nullptr;

    template <typename T> T *control(const QString &name)
    {
        T *found = m_window->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QLineEdit *box(const QString &name) { return control<QLineEdit>(name); }

    void showActive()
    {
        m_window->show();
        QApplication::setActiveWindow(m_window);
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }

private slots:
    void init()
    {
        m_prompt = new RecordingPrompt;
        m_window = new frmTiff(std::make_unique<QtDisplayModes>(), PrinterResolution{600, true});
    }
    void cleanup()
    {
        delete m_window;
        delete m_prompt;
    }

    void typing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("tooHigh");
        QTest::newRow("4801") << u"txtUserRes"_s << u"4801"_s << u"4800"_s << true;
        QTest::newRow("4800") << u"txtUserRes"_s << u"4800"_s << u"4800"_s << false;
        QTest::newRow("fifth digit") << u"txtUserRes"_s << u"12345"_s << u"1234"_s << false;
        QTest::newRow("letters and signs") << u"txtUserRes"_s << u"3a0-0 x"_s << u"300"_s << false;
        QTest::newRow("point") << u"txtUserRes"_s << u"30.5"_s << u"30.5"_s << false;
        QTest::newRow("backspace") << u"txtUserRes"_s << u"1234\b5"_s << u"1235"_s << false;
        QTest::newRow("fourth copy") << u"txtCopies"_s << u"1234"_s << u"123"_s << false;
        QTest::newRow("copies, letters") << u"txtCopies"_s << u"a2b"_s << u"2"_s << false;
    }
    void typing()
    {
        QFETCH(QString, name);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(bool, tooHigh);
        showActive();
        control<QRadioButton>(u"optUserRes"_s)->click();
        QLineEdit *target = box(name);
        QVERIFY(target->isEnabled());
        target->clear();
        target->setFocus();
        for (QChar c : keys) {
            if (c == u'\b')
                QTest::keyClick(target, Qt::Key_Backspace);
            else
                QTest::keyClicks(target, QString(c));
        }
        QCOMPARE(target->text(), shown);
        if (tooHigh) {
            QCOMPARE(m_prompt->texts(), QStringList{u"Max resolution is 4800 dpi"_s});
            QCOMPARE(m_prompt->asked[0].title, u"Max 4800 dpi"_s);
            QCOMPARE(m_prompt->asked[0].icon, PromptIcon::Exclamation);
            QCOMPARE(target->cursorPosition(), 4);
        } else {
            QVERIFY(m_prompt->texts().isEmpty());
        }
    }

    void focusSelectsAll_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("resolution, tab") << u"txtUserRes"_s << false;
        QTest::newRow("resolution, click") << u"txtUserRes"_s << true;
        QTest::newRow("copies, tab") << u"txtCopies"_s << false;
        QTest::newRow("copies, click") << u"txtCopies"_s << true;
    }
    void focusSelectsAll()
    {
        QFETCH(QString, name);
        QFETCH(bool, byMouse);
        showActive();
        control<QRadioButton>(u"optUserRes"_s)->click();
        QLineEdit *target = box(name);
        target->setText(u"480"_s);
        control<QPushButton>(u"cmdOK"_s)->setFocus();
        if (byMouse)
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(2, target->height() / 2));
        else
            target->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(target->selectedText(), u"480"_s);
        // The next digit replaces the whole text, even in a full box.
        QTest::keyClicks(target, u"6"_s);
        QCOMPARE(target->text(), u"6"_s);
    }

    void resolutionChoice()
    {
        showActive();
        auto *printer = control<QRadioButton>(u"optPrinterRes"_s);
        auto *user = control<QRadioButton>(u"optUserRes"_s);
        QLineEdit *resolution = box(u"txtUserRes"_s);
        QVERIFY(printer->isChecked());
        QVERIFY(!resolution->isEnabled());
        user->click();
        QVERIFY(resolution->isEnabled());
        printer->click();
        QVERIFY(!resolution->isEnabled());
    }

    void ok_data()
    {
        QTest::addColumn<bool>("printer");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("printerAfter");
        QTest::addColumn<int>("dpi");
        QTest::newRow("299") << false << u"299"_s << QStringList{u"Min. resolution is 300 dpi"_s} << u"300"_s << false
                             << 300;
        QTest::newRow("300") << false << u"300"_s << QStringList{} << u"300"_s << false << 300;
        QTest::newRow("299 and a point") << false << u"299."_s << QStringList{u"Min. resolution is 300 dpi"_s}
                                         << u"300"_s << false << 300;
        QTest::newRow("empty") << false << QString() << QStringList{} << QString() << true << 600;
        QTest::newRow("printer") << true << u"299"_s << QStringList{} << u"299"_s << true << 600;
    }
    void ok()
    {
        QFETCH(bool, printer);
        QFETCH(QString, typed);
        QFETCH(QStringList, told);
        QFETCH(QString, shown);
        QFETCH(bool, printerAfter);
        QFETCH(int, dpi);
        showActive();
        control<QRadioButton>(u"optUserRes"_s)->click();
        box(u"txtUserRes"_s)->setText(typed);
        if (printer)
            control<QRadioButton>(u"optPrinterRes"_s)->click();
        control<QPushButton>(u"cmdOK"_s)->click();
        QCOMPARE(m_prompt->texts(), told);
        if (!told.isEmpty())
            QCOMPARE(m_prompt->asked[0].title, u"Kelbrix"_s);
        QCOMPARE(box(u"txtUserRes"_s)->text(), shown);
        QCOMPARE(control<QRadioButton>(u"optPrinterRes"_s)->isChecked(), printerAfter);
        // A refused resolution keeps the window open; otherwise it is hidden and keeps its values.
        QCOMPARE(m_window->isVisible(), !told.isEmpty());
        QCOMPARE(m_window->resolutionDpi(), dpi);
    }

    void enterPressesOk()
    {
        showActive();
        control<QRadioButton>(u"optUserRes"_s)->click();
        box(u"txtUserRes"_s)->setText(u"600"_s);
        QTest::keyClick(box(u"txtUserRes"_s), Qt::Key_Return);
        QVERIFY(!m_window->isVisible());
        QCOMPARE(m_window->resolutionDpi(), 600);
    }

    void printerCaption_data()
    {
        QTest::addColumn<PrinterResolution>("printer");
        QTest::addColumn<QString>("atLoad");
        QTest::addColumn<QString>("activated");
        const QString start = u"Save TIF picture in the same Resolution as my printer "_s;
        QTest::newRow("printer") << PrinterResolution{1200, true} << start + u"1200 ppi (dpi)"_s
                                 << start + u"1200 dpi"_s;
        QTest::newRow("no printer") << PrinterResolution{} << start + u"300 ppi (dpi) - no printer found"_s
                                    << start + u"300 dpi - no printer found"_s;
    }
    void printerCaption()
    {
        QFETCH(PrinterResolution, printer);
        QFETCH(QString, atLoad);
        QFETCH(QString, activated);
        delete m_window;
        m_window = new frmTiff(std::make_unique<QtDisplayModes>(), printer);
        QCOMPARE(control<QRadioButton>(u"optPrinterRes"_s)->text(), atLoad);
        QCOMPARE(m_window->printerDpi(), printer.dotsPerInch);
        showActive();
        QCOMPARE(control<QRadioButton>(u"optPrinterRes"_s)->text(), activated);
    }

    void defaultPrinter()
    {
        const PrinterResolution found = defaultPrinterResolution();
        QCOMPARE(found.printerFound, !QPrinterInfo::defaultPrinter().isNull());
        if (!found.printerFound)
            QCOMPARE(found.dotsPerInch, 300);
        else
            QVERIFY(found.dotsPerInch > 0);
    }

    void controlsShowParameters_data()
    {
        QTest::addColumn<TiffParameters>("parameters");
        QTest::addColumn<QStringList>("checked");
        TiffParameters all;
        all.printerResolution = false;
        all.userResolution = u"1200"_s;
        all.compression = TiffCompression::Group4;
        all.invert = true;
        all.mirror = TiffMirror::Vertical;
        all.rotation = TiffRotation::Rotate270;
        all.adjustWidth = all.adjustHeight = true;
        all.copies = u"12"_s;
        all.colourMode = ColourModeChoice::Never;
        all.isbnTiffFont = u"DejaVu Serif"_s;
        TiffParameters some;
        some.compression = TiffCompression::None;
        some.mirror = TiffMirror::Horizontal;
        some.rotation = TiffRotation::Rotate90;
        some.adjustHeight = true;
        some.colourMode = ColourModeChoice::Always256;
        TiffParameters others;
        others.compression = TiffCompression::Group3;
        others.rotation = TiffRotation::Rotate180;
        QTest::newRow("defaults") << TiffParameters{}
                                  << QStringList{u"optPrinterRes"_s, u"optCompHuff"_s, u"optMirrorNo"_s,
                                                 u"optRotateNo"_s, u"optAsk256"_s};
        QTest::newRow("all set") << all << QStringList{u"optUserRes"_s,   u"optCompG4"_s,    u"chkInvertImg"_s,
                                                       u"optMirrorV"_s,   u"optRotate270"_s, u"chkTiffCompW"_s,
                                                       u"chkTiffCompH"_s, u"optNever256"_s};
        QTest::newRow("some") << some << QStringList{u"optPrinterRes"_s, u"optCompNo"_s,    u"optMirrorH"_s,
                                                     u"optRotate90"_s,   u"chkTiffCompH"_s, u"optUse256"_s};
        QTest::newRow("others") << others
                                << QStringList{u"optPrinterRes"_s, u"optCompG3"_s, u"optMirrorNo"_s, u"optRotate180"_s,
                                               u"optAsk256"_s};
    }
    void controlsShowParameters()
    {
        QFETCH(TiffParameters, parameters);
        QFETCH(QStringList, checked);
        // From a window showing something else entirely.
        TiffParameters before;
        before.compression = TiffCompression::Group3;
        before.invert = true;
        before.mirror = TiffMirror::Horizontal;
        before.rotation = TiffRotation::Rotate180;
        before.adjustWidth = true;
        before.colourMode = ColourModeChoice::Never;
        m_window->setParameters(before);
        m_window->setParameters(parameters);
        QStringList shown;
        for (QAbstractButton *button : m_window->findChildren<QAbstractButton *>()) {
            if (button->isCheckable() && button->isChecked())
                shown.append(button->objectName());
        }
        shown.sort();
        checked.sort();
        QCOMPARE(shown, checked);
        QCOMPARE(box(u"txtUserRes"_s)->text(), parameters.userResolution);
        QCOMPARE(box(u"txtCopies"_s)->text(), parameters.copies);
        QCOMPARE(m_window->parameters(), parameters);
        QVERIFY(m_prompt->texts().isEmpty());
    }

    void isbnFont()
    {
        TiffParameters p;
        p.isbnTiffFont = u"DejaVu Sans"_s;
        m_window->setParameters(p);
        auto *button = control<QPushButton>(u"cmdISBNFont"_s);
        QCOMPARE(button->text(), u"ISBN Font"_s);
        button->click(); // cancelled
        QCOMPARE(m_prompt->fontRequests.size(), 1);
        QCOMPARE(m_prompt->fontRequests[0].initial.family, u"DejaVu Sans"_s);
        QCOMPARE(m_window->parameters().isbnTiffFont, u"DejaVu Sans"_s);
        m_prompt->fonts.enqueue(FontChoice{u"DejaVu Serif"_s, 12, true, false});
        button->click();
        QCOMPARE(m_window->parameters().isbnTiffFont, u"DejaVu Serif"_s);
    }

    void helpPage()
    {
        showActive();
        box(u"txtCopies"_s)->setFocus();
        QTest::keyClick(box(u"txtCopies"_s), Qt::Key_F1);
        HelpWindow *help = HelpWindow::instance();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->currentSource().path(), u"/help/tiff-window.html"_s);
        QCOMPARE(help->currentAnchor(), u"tiff"_s);
        help->hide();
    }

    // The screen the tests run on cannot switch modes: every switch ends in the error text, and
    // the list and the screen stay as they were.
    void displayModes_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("asked");
        const QString depth = QString::number(QGuiApplication::primaryScreen()->depth());
        const QString error = u"Error changing resolution! Returned: -100"_s;
        QTest::newRow("256 colours") << u"cmdUse256"_s
                                     << QStringList{
                                            u"You are about to change to 256 Color, Do you want to Continue ?"_s,
                                            error};
        QTest::newRow("back") << u"cmdNormalColor"_s
                              << QStringList{u"You are about to change to "_s + depth +
                                                 u" Bit Color, Do you want to Continue ?"_s,
                                             error};
        QTest::newRow("selected mode") << u"cmdNormal"_s << QStringList{error};
    }
    void displayModes()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, asked);
        const QString before = screenMode();
        auto *list = control<QListWidget>(u"List1"_s);
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), before);
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(control<QPushButton>(u"cmdNormalColor"_s)->text(),
                 QString::number(QGuiApplication::primaryScreen()->depth()) + u" &Bit Color"_s);
        QCOMPARE(control<QPushButton>(u"cmdUse256"_s)->text(), u"&256 Colors (8 Bit)"_s);
        QCOMPARE(control<QPushButton>(u"cmdNormal"_s)->text(), u"&Change Resolution Now"_s);

        control<QPushButton>(button)->click();
        QCOMPARE(m_prompt->texts(), asked);
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), before);
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(screenMode(), before);
    }

    void hiddenWorkParts()
    {
        for (const QString &name : {u"picTiffRef"_s, u"lblMeasure"_s}) {
            QWidget *part = m_window->findChild<QWidget *>(name);
            QVERIFY2(part, qPrintable(name));
            QVERIFY(part->isHidden());
        }
        QCOMPARE(m_window->barTiff().font().family(), u"Arial"_s);
        QVERIFY(!m_window->barTiff().digitsHidden());
        LabelAppearance look;
        look.fontName = u"DejaVu Sans"_s;
        look.alignment = LabelAppearance::kAlignRight;
        m_window->applyAppearance(look);
        QCOMPARE(m_window->barTiff().font().family(), u"DejaVu Sans"_s);
        QCOMPARE(m_window->barTiff().alignment(), BarcodeRenderer::kAlignRight);
    }
};

QTEST_MAIN(TestFrmTiff)
#include "tst_frm_tiff.moc"
