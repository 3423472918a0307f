#include "app/frm_tiff.h"
#include "recording_prompt.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

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

    void use256OnThisScreen()
    {
        const int depth = QGuiApplication::primaryScreen()->depth();
        QCOMPARE(control<QPushButton>(u"cmdNormalColor"_s)->text(), QString::number(depth) + u" &Bit Color"_s);
        control<QPushButton>(u"cmdUse256"_s)->click();
        QCOMPARE(m_prompt->texts(), (QStringList{u"You are about to change to 256 Color, Do you want to Continue ?"_s,
                                                 u"Error changing resolution! Returned: -100"_s}));
        QCOMPARE(QGuiApplication::primaryScreen()->depth(), depth);
    }
};

QTEST_MAIN(TestFrmTiff)
#include "tst_frm_tiff.moc"
