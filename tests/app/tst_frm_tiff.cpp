#include "windows/frm_tiff.h"
#include "export_test_support.h"
#include "form1_driver.h"
#include "widgets/translation.h"

#include <QListWidget>
#include <QScreen>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

class TestFrmTiff : public QObject {
    Q_OBJECT

    frmTiff *m_window = nullptr;
    RecordingPrompt *m_prompt = nullptr;

    template <typename T> T *control(const QString &name) { return found<T>(*m_window, name); }

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
        switchLanguage(Language::English);
    }

    void typedResolution_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("dpi");
        QTest::newRow("4801") << u"4801"_s << QStringList{u"Max resolution is 4800 dpi"_s} << u"4800"_s << 4800;
        QTest::newRow("299") << u"299"_s << QStringList{u"Min. resolution is 300 dpi"_s} << u"300"_s << 300;
        QTest::newRow("300") << u"300"_s << QStringList{} << u"300"_s << 300;
        QTest::newRow("empty") << QString() << QStringList{} << QString() << 600;
    }
    void typedResolution()
    {
        QFETCH(QString, keys);
        QFETCH(QStringList, told);
        QFETCH(QString, shown);
        QFETCH(int, dpi);
        showActive();
        control<QRadioButton>(u"optUserRes"_s)->click();
        control<QLineEdit>(u"txtUserRes"_s)->setFocus();
        QTest::keyClicks(control<QLineEdit>(u"txtUserRes"_s), keys);
        control<QPushButton>(u"cmdOK"_s)->click();
        QCOMPARE(m_prompt->texts(), told);
        QCOMPARE(control<QLineEdit>(u"txtUserRes"_s)->text(), shown);
        QCOMPARE(control<QRadioButton>(u"optPrinterRes"_s)->isChecked(), keys.isEmpty());
        QCOMPARE(m_window->isVisible(), keys == u"299"_s);
        QCOMPARE(m_window->resolutionDpi(), dpi);
    }

    void printerCaption()
    {
        delete m_window;
        m_window = new frmTiff(std::make_unique<QtDisplayModes>(), PrinterResolution{});
        const QString start = u"Save TIF picture in the same Resolution as my printer 300 "_s;
        QCOMPARE(control<QRadioButton>(u"optPrinterRes"_s)->text(), start + u"ppi (dpi) - no printer found"_s);
        QCOMPARE(m_window->printerDpi(), 300);
        showActive();
        QCOMPARE(control<QRadioButton>(u"optPrinterRes"_s)->text(), start + u"dpi - no printer found"_s);
    }

    void isbnFont()
    {
        TiffParameters p;
        p.isbnTiffFont = u"DejaVu Sans"_s;
        m_window->setParameters(p);
        auto *button = control<QPushButton>(u"cmdISBNFont"_s);
        button->click(); // cancelled
        QCOMPARE(m_prompt->fontRequests[0].initial.family, u"DejaVu Sans"_s);
        QCOMPARE(m_window->parameters().isbnTiffFont, u"DejaVu Sans"_s);
        m_prompt->fonts.enqueue(FontChoice{u"DejaVu Serif"_s, 12, true, false});
        button->click();
        QCOMPARE(m_window->parameters().isbnTiffFont, u"DejaVu Serif"_s);
    }

    void boxesTakeWhatTheyMayHold()
    {
        showActive();
        auto *resolution = control<QLineEdit>(u"txtUserRes"_s);
        QVERIFY(!resolution->isEnabled());
        // A click into the box chooses the user's own resolution, even while the box is off.
        QTest::mouseClick(resolution, Qt::LeftButton);
        QVERIFY(control<QRadioButton>(u"optUserRes"_s)->isChecked());
        QVERIFY(resolution->isEnabled());
        resolution->setFocus();
        QTest::keyClicks(resolution, u"12a3.45"_s);
        QCOMPARE(resolution->text(), u"123."_s);
        resolution->selectAll();
        QTest::keyClicks(resolution, u"9"_s);
        QCOMPARE(resolution->text(), u"9"_s);
        // The copies box gets the focus with its text selected: the first digit replaces it.
        auto *copies = control<QLineEdit>(u"txtCopies"_s);
        copies->setFocus();
        QTRY_COMPARE(copies->selectedText(), u"1"_s);
        QTest::keyClicks(copies, u"7x8"_s);
        QCOMPARE(copies->text(), u"78"_s);
        QTest::keyClicks(copies, u"12"_s);
        QCOMPARE(copies->text(), u"781"_s);
    }

    void builtCaptionsFollowTheLanguage()
    {
        auto *printer = control<QRadioButton>(u"optPrinterRes"_s);
        auto *back = control<QPushButton>(u"cmdNormalColor"_s);
        const QString english = printer->text();
        const QString englishBack = back->text();
        QVERIFY(switchLanguage(Language::Swedish));
        QVERIFY(printer->text() != english);
        QVERIFY(printer->text().contains(u"600 ppi (dpi)"_s));
        QVERIFY(back->text() != englishBack);
        QVERIFY(switchLanguage(Language::English));
        QCOMPARE(printer->text(), english);
        QCOMPARE(back->text(), englishBack);
    }

    void colourSwitches_data()
    {
        QTest::addColumn<bool>("switching");
        QTest::newRow("this screen, which cannot switch") << false;
        QTest::newRow("a display that can switch") << true;
    }
    void colourSwitches()
    {
        QFETCH(bool, switching);
        auto display = std::make_unique<SwitchingDisplay>(32);
        SwitchingDisplay *shown = display.get();
        delete m_window;
        m_window = new frmTiff(switching ? std::unique_ptr<DisplayModes>(std::move(display))
                                         : std::make_unique<QtDisplayModes>(),
                               PrinterResolution{600, true});
        showActive();
        auto *use256 = control<QPushButton>(u"cmdUse256"_s);
        auto *back = control<QPushButton>(u"cmdNormalColor"_s);
        const int depth = switching ? 32 : QGuiApplication::primaryScreen()->depth();
        QCOMPARE(back->text(), QString::number(depth) + u" &Bit Color"_s);
        // The start-up options are there either way: they are settings.
        for (const QString &option : {u"optAsk256"_s, u"optUse256"_s, u"optNever256"_s})
            QVERIFY(control<QRadioButton>(option)->isVisible());
        QCOMPARE(use256->isEnabled(), switching);
        QCOMPARE(back->isEnabled(), switching);
        QCOMPARE(control<QPushButton>(u"cmdNormal"_s)->isEnabled(), switching);
        auto *hint = m_window->findChild<QLabel *>(u"lblColourHint"_s);
        QCOMPARE(hint && hint->isVisible(), !switching);
        if (!switching) {
            QCOMPARE(hint->text(), u"This desktop cannot switch to 256 colors, and TIFF files do not depend on the "
                                   u"display's color depth."_s);
            QCOMPARE(use256->toolTip(), hint->text());
            QTest::mouseClick(use256, Qt::LeftButton);
            QTest::mouseClick(back, Qt::LeftButton);
            QCOMPARE(m_prompt->texts(), QStringList{});
            return;
        }
        m_prompt->answers << PromptAnswer::Yes << PromptAnswer::Yes;
        QTest::mouseClick(use256, Qt::LeftButton);
        QCOMPARE(shown->now.bitsPerPixel, 8);
        QCOMPARE(control<QListWidget>(u"List1"_s)->currentItem()->text(), u"1024x768x8"_s);
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(shown->now.bitsPerPixel, 32);
        QCOMPARE(m_prompt->texts(),
                 (QStringList{u"You are about to change to 256 Color, Do you want to Continue ?"_s,
                              u"You are about to change to 32 Bit Color, Do you want to Continue ?"_s}));
        QCOMPARE(m_prompt->asked[1].title, u"Change to 32 Bit Colors"_s);
    }
};

QTEST_MAIN(TestFrmTiff)
#include "tst_frm_tiff.moc"
