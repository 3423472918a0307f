// The size window from the user's side: its wiring, the defined-size label, the look on the
// label and the settings file. The rules themselves are tested in tests/size.
#include "size_driver.h"

#include "app/help_window.h"

#include <QDialog>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

// The dark runs, as (first column, width), across a row a few pixels under the top of the bars.
QList<std::pair<int, int>> darkRuns(const QImage &image)
{
    const int top = darkBox(image, 0, image.width(), 0, image.height()).top();
    const int y = std::min(top + 3, image.height() - 1);
    QList<std::pair<int, int>> runs;
    for (int x = 0; x < image.width(); ++x) {
        if (qGray(image.pixel(x, y)) >= 128)
            continue;
        if (runs.isEmpty() || runs.last().first + runs.last().second != x)
            runs.append({x, 0});
        ++runs.last().second;
    }
    return runs;
}

// Pixels of the bar row that are neither black nor white: the bars are not pixel-aligned.
int greyPixelsInBarRow(const QImage &image)
{
    const int y = std::min(darkBox(image, 0, image.width(), 0, image.height()).top() + 3, image.height() - 1);
    int grey = 0;
    for (int x = 0; x < image.width(); ++x)
        grey += qGray(image.pixel(x, y)) > 16 && qGray(image.pixel(x, y)) < 239;
    return grey;
}

QString storedValues(const QStringList &names)
{
    const QSettings stored(QSettings::NativeFormat, QSettings::UserScope, u"Quorran"_s, u"Barcode"_s);
    QStringList values;
    for (const QString &name : names)
        values.append(stored.value(name).toString());
    return values.join(u',');
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
    QAction *sizeMenu(const QString &name) { return sizeWindow(*m_form)->findChild<QAction *>(name); }

    void useDefinedSize(const QString &unit, const QString &width, const QString &height, const QString &dpi)
    {
        typeSize(*m_form, unit, width, height);
        chooseDpi(*m_form, dpi);
        if (!mainDefined()->isChecked())
            mainDefined()->click();
        QVERIFY(mainDefined()->isChecked() && sizeDefined()->isChecked());
    }

    /// Exit answered with Yes, then a new start of the program.
    void restart()
    {
        m_prompt->answers.enqueue(PromptAnswer::Yes);
        m_form->findChild<QAction *>(u"mnuExit"_s)->trigger();
        close();
        m_prompt = new RecordingPrompt;
        m_form = new Form1(Edition::Alla);
        m_form->show();
    }

private slots:
    void init() { open(); }
    void cleanup()
    {
        close();
        resetSettings();
    }

    void boxesPreviewAndMinimum()
    {
        typeSize(*m_form, u"optBSInch"_s, u"5"_s, u"1"_s);
        QCOMPARE(widthBox()->text(), u"4"_s);
        typeSize(*m_form, u"optBSmm"_s, u"48"_s, u"40"_s);
        chooseDpi(*m_form, u"150"_s);
        QCOMPARE(preview()->heightTwips(), 2268.0 * 150 / 96);
        sizeControl<QPushButton>(*m_form, u"comMinimum"_s)->click();
        QCOMPARE(widthBox()->text() + u" x "_s + heightBox()->text(), u"48 x 19"_s);
    }

    void zeroTurnsTheDefinedSizeOff()
    {
        useDefinedSize(u"optBSmm"_s, u"40"_s, u"20"_s, u"96"_s);
        retype(heightBox(), u"abc"_s);
        for (QCheckBox *defined : {mainDefined(), sizeDefined()})
            QVERIFY(!defined->isChecked() && !defined->isEnabled());
        retype(heightBox(), u"25"_s);
        sizeDefined()->click();
        QVERIFY(mainDefined()->isChecked());
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
        // Code 39 keeps its own width: 250 twips a character and 800 more.
        const double widthMm =
            family.type == u"optCode39"_s ? (250.0 * family.entry.size() + 800) / 56.7 : size.widthMm;
        const double pixelMm = 25.4 / size.dotsPerInch;
        QVERIFY(std::abs(label.width() * pixelMm - widthMm) <= pixelMm);
        QVERIFY(std::abs(label.height() * pixelMm - size.heightMm) <= pixelMm);
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
        const int left = darkRuns(before).first().first;
        const QRect digit = darkBox(before, 0, left, 0, symbolHeight);
        const QRect line = darkBox(before, 0, before.width(), symbolHeight, before.height());
        QVERIFY(!digit.isEmpty() && !line.isEmpty());
        QCOMPARE(greyPixelsInBarRow(before), 0);
        sizeMenu(u"mnuSmall"_s)->trigger();
        const QImage toggled = made();
        const int toggledDigit = darkBox(toggled, 0, darkRuns(toggled).first().first, 0, symbolHeight).height();
        QVERIFY(toggledDigit > 0 && toggledDigit < digit.height());

        m_prompt->fonts.enqueue(FontChoice{u"DejaVu Serif"_s, 16, true, false});
        m_prompt->colors.enqueue(0xFFFF00);
        m_prompt->colors.enqueue(0x0000FF);
        for (const char *menu : {"mnuCFont", "mnuBackColor", "mnuBackText", "mnuBarLeft", "mnuPixel"})
            sizeMenu(QString::fromLatin1(menu))->trigger();
        const auto checkChanged = [&](const QImage &after) {
            QVERIFY(darkRuns(after).first().first < left);
            QVERIFY(darkBox(after, 0, after.width(), symbolHeight, after.height()).height() > line.height());
            QCOMPARE(QColor(after.pixel(after.width() - 2, 1)), QColor(Qt::yellow));
            QCOMPARE(QColor(after.pixel(after.width() - 2, after.height() - 2)), QColor(Qt::blue));
            QVERIFY(greyPixelsInBarRow(after) > 0);
            QCOMPARE(decodedJoined(after), u"4006381333931"_s);
        };
        // The label is redrawn at once, and the next Make Code draws the same.
        checkChanged(labelImage(*m_form, u"picTST1"_s));
        checkChanged(made());
        restart();
        QCOMPARE(storedValues({u"FontName"_s, u"FontSize"_s, u"FontBold"_s, u"FontItalic"_s, u"Bar1xColor"_s,
                               u"PicTXTColor"_s, u"BarAlign"_s, u"Font"_s, u"Pixel"_s, u"Bar Def"_s}),
                 u"DejaVu Serif,16,Y,N,65535,16711680,Left,Normal,NO,Y"_s);
        QVERIFY(mainDefined()->isChecked());
        checkChanged(made());
    }

    void firstRunWritesEveryValue()
    {
        restart();
        QCOMPARE(storedValues({u"Bar Matt"_s, u"Bar Width"_s, u"Bar Height"_s, u"DPI"_s, u"Bar Def"_s, u"FontName"_s,
                               u"FontBold"_s, u"FontItalic"_s, u"FontSize"_s, u"PicTXTColor"_s, u"Bar1xColor"_s,
                               u"Pixel"_s, u"Aspect"_s, u"Font"_s, u"BarAlign"_s}),
                 u"M,0,0,72dpi,N,Arial,N,N,9,16777215,16777215,YES,YES,Small,Center"_s);
    }

    void moduleWidthAgreesWithTheLabel()
    {
        useDefinedSize(u"optBSmm"_s, u"40"_s, u"40"_s, u"300"_s);
        makeCode(*m_form, u"optEAN13"_s, u"optNosup"_s, u"400638133393"_s, {});
        const double shownPixels = readout().section(u' ', 2, 2).toDouble() / 25.4 * 300;
        int narrowest = INT_MAX;
        for (const auto &[x, width] : darkRuns(labelImage(*m_form, u"picTST1"_s)))
            narrowest = std::min(narrowest, width);
        QVERIFY(std::abs(shownPixels - narrowest) <= 1.0);
        QVERIFY(sizeControl<QLabel>(*m_form, u"lblModuleWarning"_s)->text().isEmpty());
        retype(widthBox(), u"20"_s);
        QVERIFY(readout().endsWith(u" %"_s));
        QVERIFY(!sizeControl<QLabel>(*m_form, u"lblModuleWarning"_s)->text().isEmpty());
    }

    void badInputNeitherCrashesNorLosesSettings()
    {
        typeSize(*m_form, u"optBSmm"_s, u"1e309"_s, u"1e309"_s);
        QCOMPARE(widthBox()->text() + u" x "_s + heightBox()->text(), u"102 x 102"_s);
        chooseDpi(*m_form, u"300"_s);
        mainDefined()->click();
        makeCode(*m_form, u"optEAN13"_s, u"optNosup"_s, u"400638133393"_s, {});
        QCOMPARE(decodedJoined(labelImage(*m_form, u"picTST1"_s)), u"4006381333931"_s);
        restart();
        QCOMPARE(storedValues({u"Bar Width"_s, u"Bar Height"_s}), u"102,102"_s);
        QVERIFY(mainDefined()->isChecked());
    }

    void code39PreviewIgnoresTheWidth()
    {
        typeSize(*m_form, u"optBSmm"_s, u"40"_s, u"20"_s);
        sizeControl<QRadioButton>(*m_form, u"optCode39"_s)->click();
        checkAsked(*m_prompt, u"Only Height is used for Code 39"_s, u"Code 39"_s, PromptIcon::Information,
                   PromptButtons::Ok);
        QCOMPARE(preview()->widthTwips(), 250.0 * 5 + 800);
    }

    void closingWithTheFocusInABox()
    {
        sizeWindow(*m_form)->show();
        QVERIFY(QTest::qWaitForWindowExposed(sizeWindow(*m_form)));
        sizeWindow(*m_form)->activateWindow();
        chooseDpi(*m_form, u"150"_s);
        QVERIFY(sizeControl<QLineEdit>(*m_form, u"Text1"_s)->hasFocus());
        delete m_form;
        m_form = nullptr;
    }

    void helpAndDpiLink()
    {
        m_form->findChild<QAction *>(u"mnuBarSize"_s)->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(sizeWindow(*m_form)));
        QString opened;
        QTimer::singleShot(0, [&opened] {
            if (auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                opened = modal->objectName();
                modal->accept();
            }
        });
        QTest::mouseClick(sizeControl<QLabel>(*m_form, u"Label6"_s), Qt::LeftButton);
        QCOMPARE(opened, u"frmTiff"_s);
        sizeWindow(*m_form)->activateWindow();
        widthBox()->setFocus();
        QTest::keyClick(widthBox(), Qt::Key_F1);
        QCOMPARE(HelpWindow::instance()->currentAnchor(), u"size"_s);
        HelpWindow::instance()->close();
    }
};

QTEST_MAIN(TestFrmBarSize)
#include "tst_frm_bar_size.moc"
