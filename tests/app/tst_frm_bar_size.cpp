// The size window from the user's side: its wiring, the defined-size label, the look on the
// label and the settings file. The rules themselves are tested in tests/size.
#include "size_driver.h"

#include "app/help_window.h"
#include "render/barcode_renderer.h"

#include <QDialog>
#include <QTextBrowser>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

bool isDark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

// A row across the bars: a few pixels under the top of the symbol, which stands at the top.
int barRow(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isDark(image.pixel(x, y)))
                return std::min(y + 3, image.height() - 1);
        }
    }
    return 0;
}

// The dark runs across the bars, as (first column, width).
QList<std::pair<int, int>> darkRuns(const QImage &image)
{
    const int y = barRow(image);
    QList<std::pair<int, int>> runs;
    for (int x = 0; x < image.width(); ++x) {
        if (!isDark(image.pixel(x, y)))
            continue;
        if (runs.isEmpty() || runs.last().first + runs.last().second != x)
            runs.append({x, 0});
        ++runs.last().second;
    }
    return runs;
}

int narrowestBar(const QImage &image)
{
    int narrowest = image.width();
    for (const auto &[x, width] : darkRuns(image))
        narrowest = std::min(narrowest, width);
    return narrowest;
}

int firstBar(const QImage &image)
{
    const auto runs = darkRuns(image);
    return runs.isEmpty() ? -1 : runs.first().first;
}

int greyPixelsInRow(const QImage &image, int y)
{
    int grey = 0;
    for (int x = 0; x < image.width(); ++x) {
        const int level = qGray(image.pixel(x, y));
        if (level > 16 && level < 239)
            ++grey;
    }
    return grey;
}

int modulesOf(int symbology, const QString &data)
{
    BarcodeRenderer renderer;
    renderer.setSymbology(symbology);
    renderer.setData(data);
    return int(renderer.geometry().width);
}

struct Family {
    const char *name;
    QString type, supplement, entry, digits, decoded;
};

const QList<Family> kFamilies{
    {"EAN-13", u"optEAN13"_s, u"optNosup"_s, u"400638133393"_s, {}, u"4006381333931"_s},
    {"EAN-8", u"optEAN8"_s, u"optNosup"_s, u"9638507"_s, {}, u"96385074"_s},
    {"UPC-A+5", u"optUPCA"_s, u"chk5digit"_s, u"03600029145"_s, u"52495"_s, u"03600029145252495"_s},
    {"UPC-E", u"optUPCE"_s, u"optNosup"_s, u"0123456"_s, {}, u"01234565"_s},
    {"ISBN", u"optISBN"_s, u"optNosup"_s, u"1-57169-006-9"_s, {}, u"9781571690067"_s},
    {"SCC-14", u"optSCC14"_s, u"optNosup"_s, u"1540014128876"_s, {}, u"15400141288763"_s},
    {"Code 39", u"optCode39"_s, u"optNosup"_s, u"KELBRIX-39"_s, {}, u"KELBRIX-39"_s},
};

struct Size {
    const char *name;
    QString unit, width, height, dpi;
    double widthMm, heightMm, dotsPerInch;
};

const QList<Size> kSizes{
    {"60x30 mm at 300 dpi", u"optBSmm"_s, u"60"_s, u"30"_s, u"300"_s, 60, 30, 300},
    {"2.5x1.2 in at 200 dpi", u"optBSInch"_s, u"2.5"_s, u"1.2"_s, u"200"_s, 63.5, 30.48, 200},
    {"102x40 mm at 96 dpi", u"optBSmm"_s, u"102"_s, u"40"_s, u"96"_s, 102, 40, 96},
};

} // namespace

class TestFrmBarSize : public QObject, public Form1Fixture {
    Q_OBJECT

    QLineEdit *widthBox() { return sizeControl<QLineEdit>(*m_form, u"txtBSWidth"_s); }
    QLineEdit *heightBox() { return sizeControl<QLineEdit>(*m_form, u"txtBSHeight"_s); }
    QCheckBox *sizeDefined() { return sizeControl<QCheckBox>(*m_form, u"chkDefined"_s); }
    QCheckBox *mainDefined() { return mainControl<QCheckBox>(*m_form, u"chkDefined"_s); }
    LabelPicture *preview() { return sizeControl<LabelPicture>(*m_form, u"picBarsize"_s); }
    QString readout() { return sizeControl<QLabel>(*m_form, u"lblModuleWidth"_s)->text(); }
    QString warning() { return sizeControl<QLabel>(*m_form, u"lblModuleWarning"_s)->text(); }

    void useDefinedSize(const QString &unit, const QString &width, const QString &height, const QString &dpi)
    {
        typeSize(*m_form, unit, width, height);
        chooseDpi(*m_form, dpi);
        QVERIFY(mainDefined()->isEnabled());
        if (!mainDefined()->isChecked())
            mainDefined()->click();
        QVERIFY(mainDefined()->isChecked());
        QVERIFY(sizeDefined()->isChecked());
    }

    double readoutMillimetres() { return readout().section(u' ', 2, 2).toDouble(); }

private slots:
    void init() { open(); }
    void cleanup()
    {
        close();
        resetSettings();
    }

    void opensFromMenuAndToolbar()
    {
        QMainWindow *window = sizeWindow(*m_form);
        QVERIFY(window);
        QVERIFY(!window->isVisible());
        QCOMPARE(window->windowTitle(), u"Barcode Size"_s);
        QVERIFY(!mainDefined()->isEnabled());
        auto *menu = m_form->findChild<QAction *>(u"mnuBarSize"_s);
        QVERIFY(menu->isEnabled());
        menu->trigger();
        QVERIFY(window->isVisible());
        sizeMenu(*m_form, u"mnuClose"_s)->trigger();
        QVERIFY(!window->isVisible());
        m_form->findChild<QAction *>(u"Toolbar1_BarSize"_s)->trigger();
        QVERIFY(window->isVisible());
    }

    void previewHeight()
    {
        typeSize(*m_form, u"optBSmm"_s, u"48"_s, u"40"_s);
        chooseDpi(*m_form, u"150"_s);
        QCOMPARE(preview()->heightTwips(), 2268.0 * 150 / 96);
        QVERIFY(!preview()->image().isNull());
    }

    void clampsUnitsAndMinimum()
    {
        typeSize(*m_form, u"optBSInch"_s, u"5"_s, u"1"_s);
        QCOMPARE(widthBox()->text(), u"4"_s);
        typeSize(*m_form, u"optBSmm"_s, u"40"_s, u"19"_s);
        sizeControl<QRadioButton>(*m_form, u"optBSInch"_s)->click();
        QCOMPARE(widthBox()->text(), u"1.5748031496063"_s);
        sizeControl<QRadioButton>(*m_form, u"optBSmm"_s)->click();

        sizeControl<QRadioButton>(*m_form, u"optEAN13"_s)->click();
        sizeControl<QPushButton>(*m_form, u"comMinimum"_s)->click();
        QCOMPARE(widthBox()->text() + u" x "_s + heightBox()->text(), u"48 x 19"_s);
    }

    void zeroTurnsTheDefinedSizeOff()
    {
        useDefinedSize(u"optBSmm"_s, u"40"_s, u"20"_s, u"96"_s);
        retype(heightBox(), u"abc"_s);
        for (QCheckBox *defined : {mainDefined(), sizeDefined()}) {
            QVERIFY(!defined->isChecked());
            QVERIFY(!defined->isEnabled());
        }
        retype(heightBox(), u"25"_s);
        QVERIFY(mainDefined()->isEnabled() && sizeDefined()->isEnabled());
        sizeDefined()->click();
        QVERIFY(mainDefined()->isChecked());
        sizeDefined()->click();
        QVERIFY(!mainDefined()->isChecked());
    }

    void definedLabel_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<Size>("size");
        for (qsizetype i = 0; i < kFamilies.size(); ++i) {
            const Size &size = kSizes[i % kSizes.size()];
            QTest::addRow("%s %s", kFamilies[i].name, size.name) << kFamilies[i] << size;
        }
    }
    void definedLabel()
    {
        QFETCH(Family, family);
        QFETCH(Size, size);
        useDefinedSize(size.unit, size.width, size.height, size.dpi);
        makeCode(*m_form, family.type, family.supplement, family.entry, family.digits);
        const QImage label = labelImage(*m_form, u"picTST1"_s);
        QCOMPARE(label.dotsPerMeterX(), int(std::lround(size.dotsPerInch / 0.0254)));
        const double pixel = 25.4 / size.dotsPerInch;
        // Code 39 keeps its own width: 250 twips a character and 800 more.
        const double widthMm =
            family.type == u"optCode39"_s ? (250.0 * family.entry.size() + 800) / 56.7 : size.widthMm;
        const double millimetresAPixel = 1000.0 / label.dotsPerMeterX();
        QVERIFY(std::abs(label.width() * millimetresAPixel - widthMm) <= pixel);
        QVERIFY(std::abs(label.height() * millimetresAPixel - size.heightMm) <= pixel);
        QCOMPARE(decodedJoined(label), family.decoded);
    }

    void lookIsSeenOnTheLabelAndKept()
    {
        useDefinedSize(u"optBSmm"_s, u"90"_s, u"25"_s, u"300"_s);
        const auto made = [this] {
            makeCode(*m_form, u"optEAN13"_s, u"optNosup"_s, u"400638133393"_s, {}, u"Soap"_s);
            return labelImage(*m_form, u"picTST1"_s);
        };
        const int symbolHeight = int(std::lround(25 * 56.7 * 300 / 1440));
        const QImage before = made();
        const int left = firstBar(before);
        const QRect digit = darkBox(before, 0, left, 0, symbolHeight);
        const QRect line = darkBox(before, 0, before.width(), symbolHeight, before.height());
        QVERIFY(!digit.isEmpty() && !line.isEmpty());
        QCOMPARE(greyPixelsInRow(before, barRow(before)), 0);
        QCOMPARE(QColor(before.pixel(1, 1)), QColor(Qt::white));
        sizeMenu(*m_form, u"mnuSmall"_s)->trigger();
        const QImage small = made();
        const int smallDigit = darkBox(small, 0, firstBar(small), 0, symbolHeight).height();
        QVERIFY(smallDigit > 0 && smallDigit < digit.height());

        m_prompt->fonts.enqueue(FontChoice{u"DejaVu Serif"_s, 16, true, false});
        m_prompt->colors.enqueue(0xFFFF00);
        m_prompt->colors.enqueue(0x0000FF);
        for (const char *menu : {"mnuCFont", "mnuBackColor", "mnuBackText", "mnuBarLeft", "mnuPixel"})
            sizeMenu(*m_form, QString::fromLatin1(menu))->trigger();
        QCOMPARE(m_prompt->fontRequests.size(), 1);
        QCOMPARE(m_prompt->fontRequests[0].initial.family, u"Arial"_s);
        QCOMPARE(m_prompt->fontRequests[0].initial.pointSize, 9.0);
        QCOMPARE(m_prompt->colorRequests.size(), 2);
        QCOMPARE(sizeMenu(*m_form, u"mnuSmall"_s)->text(), u"&Normal Font"_s);
        const auto checkChanged = [&](const QImage &after) {
            QVERIFY(firstBar(after) < left);
            QVERIFY(darkBox(after, 0, after.width(), symbolHeight, after.height()).height() > line.height());
            QCOMPARE(QColor(after.pixel(after.width() - 2, 1)), QColor(Qt::yellow));
            QCOMPARE(QColor(after.pixel(after.width() - 2, after.height() - 2)), QColor(Qt::blue));
            QVERIFY(greyPixelsInRow(after, barRow(after)) > 0);
            QCOMPARE(decodedJoined(after), u"4006381333931"_s);
        };
        // The labels are redrawn at once, and the next Make Code draws the same.
        checkChanged(labelImage(*m_form, u"picTST1"_s));
        checkChanged(made());
        exitProgram(*m_form);
        QStringList stored;
        for (const char *name : {"FontName", "FontSize", "FontBold", "FontItalic", "Bar1xColor", "PicTXTColor",
                                 "BarAlign", "Font", "Pixel", "Bar Def"})
            stored.append(storedSettings().value(QString::fromLatin1(name)).toString());
        QCOMPARE(stored.join(u','), u"DejaVu Serif,16,Y,N,65535,16711680,Left,Normal,NO,Y"_s);

        // The next start shows the same look on the label.
        close();
        m_prompt = new RecordingPrompt;
        m_form = new Form1(Edition::Alla);
        m_form->show();
        QVERIFY(mainDefined()->isChecked());
        QVERIFY(sizeMenu(*m_form, u"mnuBarLeft"_s)->isChecked());
        QVERIFY(!sizeMenu(*m_form, u"mnuPixel"_s)->isChecked());
        checkChanged(made());
    }

    void firstRunWritesEveryValue()
    {
        exitProgram(*m_form);
        QStringList stored;
        for (const char *name :
             {"Bar Matt", "Bar Width", "Bar Height", "DPI", "Bar Def", "FontName", "FontBold", "FontItalic", "FontSize",
              "PicTXTColor", "Bar1xColor", "Pixel", "Aspect", "Font", "BarAlign"})
            stored.append(storedSettings().value(QString::fromLatin1(name)).toString());
        QCOMPARE(stored.join(u','), u"M,0,0,72dpi,N,Arial,N,N,9,16777215,16777215,YES,YES,Small,Center"_s);
    }

    void moduleWidthAgreesWithTheLabel()
    {
        useDefinedSize(u"optBSmm"_s, u"40"_s, u"40"_s, u"300"_s);
        makeCode(*m_form, u"optEAN13"_s, u"optNosup"_s, u"400638133393"_s, {});
        const double shownPixels = readoutMillimetres() / 25.4 * 300;
        QVERIFY(std::abs(shownPixels - narrowestBar(labelImage(*m_form, u"picTST1"_s))) <= 1.0);
    }

    void moduleWidthWarns()
    {
        const QString option = u"optUPCA"_s;
        const double part = 0.75;
        sizeMenu(*m_form, u"mnuPixel"_s)->trigger();
        sizeMenu(*m_form, u"mnuAspect"_s)->trigger();
        sizeControl<QRadioButton>(*m_form, option)->click();
        const double widthMm = 0.33 * part * modulesOf(5, u"12345678901"_s);
        typeSize(*m_form, u"optBSmm"_s, QString::number(widthMm, 'f', 4), u"30"_s);
        chooseDpi(*m_form, u"300"_s);
        QVERIFY(readout().endsWith(QString::number(qRound(part * 100)) + u" %"_s));
        QVERIFY(!warning().isEmpty());
    }

    void badInputNeitherCrashesNorLosesSettings()
    {
        const QString text = u"1e309"_s, shown = u"102"_s;
        typeSize(*m_form, u"optBSmm"_s, text, text);
        QCOMPARE(widthBox()->text(), shown);
        QCOMPARE(heightBox()->text(), shown);
        chooseDpi(*m_form, u"300"_s);
        mainDefined()->click();
        makeCode(*m_form, u"optEAN13"_s, u"optNosup"_s, u"400638133393"_s, {});
        QCOMPARE(decodedJoined(labelImage(*m_form, u"picTST1"_s)), u"4006381333931"_s);
        exitProgram(*m_form);
        QCOMPARE(storedSettings().value(u"Bar Width"_s).toString(), shown);
        QCOMPARE(storedSettings().value(u"Bar Height"_s).toString(), shown);
        close();
        m_prompt = new RecordingPrompt;
        m_form = new Form1(Edition::Alla);
        QCOMPARE(widthBox()->text(), shown);
        QVERIFY(mainDefined()->isChecked());
    }

    void code39PreviewIgnoresTheWidth()
    {
        typeSize(*m_form, u"optBSmm"_s, u"40"_s, u"20"_s);
        sizeControl<QRadioButton>(*m_form, u"optCode39"_s)->click();
        checkAsked(*m_prompt, u"Only Height is used for Code 39"_s, u"Code 39"_s, PromptIcon::Information,
                   PromptButtons::Ok);
        QCOMPARE(preview()->widthTwips(), 250.0 * 5 + 800);
        retype(widthBox(), u"90"_s);
        QCOMPARE(preview()->widthTwips(), 250.0 * 5 + 800);
        sizeControl<QRadioButton>(*m_form, u"optEAN13"_s)->click();
        QCOMPARE(preview()->widthTwips(), 90 * 56.7);
    }

    void closingWithTheFocusInABox()
    {
        const QString box = u"Text1"_s;
        QMainWindow *window = sizeWindow(*m_form);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->activateWindow();
        chooseDpi(*m_form, u"150"_s);
        retype(sizeControl<QLineEdit>(*m_form, box), u"120"_s);
        QVERIFY(sizeControl<QLineEdit>(*m_form, box)->hasFocus());
        delete m_form;
        m_form = nullptr;
    }

    void helpAndDpiLink()
    {
        QMainWindow *window = sizeWindow(*m_form);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));

        QString opened;
        QTimer::singleShot(0, [&opened] {
            if (auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                opened = modal->objectName();
                modal->accept();
            }
        });
        QTest::mouseClick(sizeControl<QLabel>(*m_form, u"Label6"_s), Qt::LeftButton);
        QCOMPARE(opened, u"frmTiff"_s);

        window->activateWindow();
        widthBox()->setFocus();
        QTest::keyClick(widthBox(), Qt::Key_F1);
        QVERIFY(HelpWindow::instance());
        QCOMPARE(HelpWindow::instance()->currentAnchor(), u"size"_s);
        QVERIFY(HelpWindow::instance()->currentSource().toString().contains(u"size-window.html"_s));
        HelpWindow::instance()->close();
    }
};

QTEST_MAIN(TestFrmBarSize)
#include "tst_frm_bar_size.moc"
