// The windows as they lie on a desktop: the label pictures hold their labels without covering
// a control, the ISBN header has a band of its own, the bars on the screen are whole device
// pixels, and every window opens centred over the main window inside the screen. CTest runs
// this at scale factors 1, 1.5 and 2 (QT_SCALE_FACTOR).
#include "form1_driver.h"

#include "widgets/overlapping_controls.h"
#include "widgets/window_placement.h"

#include <QFile>
#include <QScreen>
#include <QTimer>

#include <cmath>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

struct CodeRow {
    const char *name;
    QString type;
    QString supplement;
    QString digits;
    QString addOn;
};

const QList<CodeRow> kCodes{
    {"EAN-13 with a product line", u"optEAN13"_s, u"optNosup"_s, u"501234567890"_s, QString()},
    {"ISBN with a 5-digit add-on", u"optISBN"_s, u"chk5digit"_s, u"0-306-40615-2"_s, u"51234"_s},
    {"UPC-A with a 2-digit add-on", u"optUPCA"_s, u"chk2digit"_s, u"03600029145"_s, u"12"_s},
    {"Code 39", u"optCode39"_s, u"optNosup"_s, u"KELBRIX 2026"_s, QString()},
};

struct WindowRow {
    const char *name;
    QString action;
    QString window;
    bool modal;
};

// Rows from the top of \a image that hold a pixel darker than mid grey.
QList<bool> darkRows(const QImage &image)
{
    QList<bool> rows(image.height(), false);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width() && !rows[y]; ++x)
            rows[y] = qGray(image.pixel(x, y)) < 128;
    }
    return rows;
}

// The row of \a image that crosses the most bars: the one with the most changes between dark and
// light.
int barRow(const QImage &image)
{
    int best = -1;
    int bestChanges = 0;
    for (int y = 0; y < image.height(); ++y) {
        int changes = 0;
        for (int x = 1; x < image.width(); ++x)
            changes += (qGray(image.pixel(x, y)) < 128) != (qGray(image.pixel(x - 1, y)) < 128);
        if (changes > bestChanges) {
            bestChanges = changes;
            best = y;
        }
    }
    return best;
}

} // namespace

class TestForm1Layout : public QObject, public Form1Fixture {
    Q_OBJECT

    // The main window as the program opens it, at the same place on every run.
    void openAsTheProgramDoes()
    {
        open();
        m_form->resize(m_form->sizeHint().expandedTo(QSize(960, 600)));
        m_form->move(120, 60);
    }
    void makeCode(const CodeRow &code)
    {
        clickOption(*m_form, code.type);
        clickOption(*m_form, code.supplement);
        child<QLineEdit>(u"txtSup"_s)->setText(code.addOn);
        makeBarcode(code.digits, u"Lemon soap 250 g"_s);
        QVERIFY(m_form->isBarcodeMade());
    }
    // The main label as the window shows it, in device pixels: cut from a picture of the whole
    // window, where the label may start between two device pixels.
    QImage shownLabel() const
    {
        const QImage window = m_form->grab().toImage();
        const auto *picture = child<LabelPicture>(u"picTST"_s);
        const double ratio = window.devicePixelRatio();
        const QPointF origin = QPointF(picture->mapTo(m_form, QPoint(0, 0))) * ratio;
        const QPointF end = origin + QPointF(picture->width(), picture->height()) * ratio;
        // Only the device pixels the picture covers whole.
        QImage shown = window.copy(QRect(QPoint(int(std::ceil(origin.x())), int(std::ceil(origin.y()))),
                                         QPoint(int(std::floor(end.x())) - 1, int(std::floor(end.y())) - 1)));
        shown.setDevicePixelRatio(ratio);
        return shown;
    }

private slots:
    void cleanup() { close(); }

    void centredPlacement_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("over");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("placed");
        const QRect screen(0, 0, 1400, 900);
        QTest::newRow("centred") << QSize(400, 300) << QRect(100, 100, 1000, 700) << screen
                                 << QRect(400, 300, 400, 300);
        QTest::newRow("main window low on the screen: pulled up")
            << QSize(400, 500) << QRect(200, 600, 600, 300) << screen << QRect(300, 400, 400, 500);
        QTest::newRow("main window past the left edge: pulled right")
            << QSize(400, 300) << QRect(-500, 100, 600, 400) << screen << QRect(0, 150, 400, 300);
        QTest::newRow("panel at the top: kept below it")
            << QSize(400, 600) << QRect(0, 0, 1400, 100) << QRect(0, 40, 1400, 860) << QRect(500, 40, 400, 600);
        QTest::newRow("larger than the screen: cut down to it")
            << QSize(1600, 1000) << QRect(100, 100, 600, 400) << screen << screen;
    }
    void centredPlacement()
    {
        QFETCH(QSize, size);
        QFETCH(QRect, over);
        QFETCH(QRect, available);
        QFETCH(QRect, placed);
        QCOMPARE(Kelbrix::centredPlacement(size, over, available), placed);
    }

    void windowsOpenCentredWithoutOverlaps_data()
    {
        addRows<WindowRow>({{"size", u"mnuBarSize"_s, u"frmBarSize"_s, false},
                            {"find", u"mnuFind"_s, u"frmFind"_s, false},
                            {"TIFF", u"mnuTiff"_s, u"frmTiff"_s, true},
                            {"about", u"mnuAbout"_s, u"frmAbout"_s, true},
                            {"help", u"mnuHelp"_s, u"HelpWindow"_s, false},
                            {"start wizard", u"mnuWizStart"_s, u"WizStart"_s, false}});
    }
    void windowsOpenCentredWithoutOverlaps()
    {
        QFETCH(WindowRow, row);
        openAsTheProgramDoes();
        QVERIFY(overlappingControls(m_form).isEmpty());
        QRect frame;
        QRect expected;
        QStringList overlaps;
        const auto look = [&] {
            QWidget *window = nullptr;
            for (QWidget *candidate : QApplication::topLevelWidgets()) {
                if (candidate->objectName() == row.window && candidate->isVisible())
                    window = candidate;
            }
            QVERIFY(window);
            QVERIFY(QTest::qWaitForWindowExposed(window));
            frame = window->frameGeometry();
            expected =
                Kelbrix::centredPlacement(frame.size(), m_form->frameGeometry(), m_form->screen()->availableGeometry());
            overlaps = overlappingControls(window);
            window->close();
        };
        if (row.modal)
            QTimer::singleShot(0, this, look);
        child<QAction>(row.action)->trigger();
        if (!row.modal)
            look();
        QVERIFY(!frame.isEmpty());
        QVERIFY2(overlaps.isEmpty(), qPrintable(overlaps.join(u'\n')));
        QVERIFY2(m_form->screen()->availableGeometry().contains(frame), qPrintable(QDebug::toString(frame)));
        // The frame the window manager gives a new window is estimated from the main window's.
        QVERIFY2((frame.topLeft() - expected.topLeft()).manhattanLength() <= 2,
                 qPrintable(QDebug::toString(frame) + u" expected at "_s + QDebug::toString(expected)));
    }

    void labelsCoverNoControl_data() { addRows(kCodes); }
    void labelsCoverNoControl()
    {
        QFETCH(CodeRow, row);
        openAsTheProgramDoes();
        makeCode(row);
        // The window lays itself out again once the event loop runs.
        QTRY_VERIFY2(overlappingControls(m_form).isEmpty(), qPrintable(overlappingControls(m_form).join(u'\n')));
        auto *area = child<QFrame>(u"pictureArea"_s);
        for (const QString &name : {u"picTST"_s, u"picTST1"_s}) {
            auto *picture = child<LabelPicture>(name);
            if (picture->isVisible())
                QVERIFY2(area->contentsRect().contains(picture->geometry()), qPrintable(name));
        }
    }

    void isbnHeaderHasItsOwnBand()
    {
        openAsTheProgramDoes();
        makeCode(kCodes[1]);
        const QImage shown = shownLabel();
        const QList<bool> rows = darkRows(shown);
        // From the top: the header's line, a light gap, then the symbol with its bars.
        const qsizetype headerTop = rows.indexOf(true);
        QVERIFY(headerTop >= 0);
        const qsizetype gap = rows.indexOf(false, headerTop);
        QVERIFY(gap > headerTop);
        const qsizetype symbolTop = rows.indexOf(true, gap);
        QVERIFY2(symbolTop > gap, "nothing below the header");
        // The header is one line of text, not a line run into the bars.
        QVERIFY2(gap - headerTop < shown.height() / 4,
                 qPrintable(u"header rows "_s + QString::number(headerTop) + u".."_s + QString::number(gap) +
                            u" of "_s + QString::number(shown.height())));
        QVERIFY(barRow(shown) > gap);
    }

    void barsAreWholeDevicePixels_data() { addRows(kCodes); }
    void barsAreWholeDevicePixels()
    {
        QFETCH(CodeRow, row);
        openAsTheProgramDoes();
        makeCode(row);
        const QImage shown = shownLabel();
        QCOMPARE(shown.devicePixelRatio(), m_form->devicePixelRatioF());
        const int y = barRow(shown);
        QVERIFY(y >= 0);
        int bars = 0;
        QStringList grey;
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb pixel = shown.pixel(x, y);
            if (pixel == qRgb(0, 0, 0))
                bars += x == 0 || shown.pixel(x - 1, y) != pixel;
            else if (pixel != qRgb(255, 255, 255))
                grey.append(QString::number(x) + u":"_s + QString::number(qGray(pixel)));
        }
        QVERIFY(bars >= 15);
        QCOMPARE(grey, QStringList{});
    }
};

int main(int argc, char *argv[])
{
    // A desktop's screen of 1400 x 900 device-independent pixels, with window frames, at whatever
    // scale factor the run asks for.
    const double scale =
        qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1.0;
    QTemporaryDir dir;
    const QString config = dir.filePath(u"screen.json"_s);
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(u"{\"windowFrameMargins\": true, \"screens\": [{\"name\": \"desktop\", \"x\": 0, \"y\": 0, "
               u"\"width\": %1, \"height\": %2, \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}]}"_s
                   .arg(QString::number(qRound(1400 * scale)), QString::number(qRound(900 * scale)))
                   .toUtf8());
    file.close();
    qputenv("QT_QPA_PLATFORM", (u"offscreen:configfile="_s + config).toLocal8Bit());
    QApplication app(argc, argv);
    TestForm1Layout test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_form1_layout.moc"
