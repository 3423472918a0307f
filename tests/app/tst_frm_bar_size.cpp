#include "size_driver.h"

#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QTimer>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

// The first dark column across a row a few pixels under the top of the bars.
int barsLeft(const QImage &image)
{
    const int y = std::min(inkBox(image).top() + 3, image.height() - 1);
    return inkBox(image, QRect(0, y, image.width(), 1)).left();
}

// The bearer bars seen on a picture of an SCC-14 symbol: whether a bar runs along the top of
// the ink, and whether the first dark run across the bars is a frame's side, far wider than the
// narrow bar.
std::pair<bool, bool> bearersSeen(const QImage &image)
{
    const QRect ink = inkBox(image);
    const auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    int top = 0;
    for (int x = ink.left(); x <= ink.right(); ++x)
        top += dark(x, ink.top() + 1) ? 1 : 0;
    QList<int> runs;
    const int y = ink.top() + ink.height() / 3;
    for (int x = ink.left(), run = 0; x <= ink.right() + 1; ++x) {
        if (x <= ink.right() && dark(x, y)) {
            ++run;
        } else if (run > 0) {
            runs.append(run);
            run = 0;
        }
    }
    const int narrowest = runs.isEmpty() ? 0 : *std::min_element(runs.cbegin(), runs.cend());
    return {top == ink.width(), !runs.isEmpty() && runs.first() >= 4 * narrowest};
}

// The letters the mnemonics of \a window's buttons, labels, group boxes and menu bar use,
// lower-case, one entry for each control that uses one.
QStringList mnemonics(QMainWindow *window)
{
    QStringList texts;
    for (const QAbstractButton *button : window->findChildren<QAbstractButton *>())
        texts << button->text();
    for (const QLabel *label : window->findChildren<QLabel *>())
        texts << label->text();
    for (const QGroupBox *box : window->findChildren<QGroupBox *>())
        texts << box->title();
    for (const QAction *menu : window->menuBar()->actions())
        texts << menu->text();
    QStringList letters;
    for (QString text : std::as_const(texts)) {
        text.replace(u"&&"_s, QString());
        const qsizetype at = text.indexOf(u'&');
        if (at >= 0 && at + 1 < text.size())
            letters << text.at(at + 1).toLower();
    }
    return letters;
}

struct Row {
    const char *name;
    QString type, supplement, entry, digits, decoded, unit, width, height, dpi;
    double widthMm, heightMm;
};

} // namespace

class TestFrmBarSize : public QObject, public Form1Fixture {
    Q_OBJECT

    QLineEdit *widthBox() { return sizeControl<QLineEdit>(*m_form, u"txtBSWidth"_s); }
    QLineEdit *heightBox() { return sizeControl<QLineEdit>(*m_form, u"txtBSHeight"_s); }
    QCheckBox *sizeDefined() { return sizeControl<QCheckBox>(*m_form, u"chkDefined"_s); }
    QCheckBox *mainDefined() { return mainControl<QCheckBox>(*m_form, u"chkDefined"_s); }
    LabelPicture *preview() { return sizeControl<LabelPicture>(*m_form, u"picBarsize"_s); }
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
        child<QAction>(u"mnuExit"_s)->trigger();
        close();
        start();
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

    void definedLabel_data()
    {
        addRows<Row>({
            {"UPC-A+5 inch", u"optUPCA"_s, u"chk5digit"_s, u"03600029145"_s, u"52495"_s, u"03600029145252495"_s,
             u"optBSInch"_s, u"2.5"_s, u"1.2"_s, u"200"_s, 63.5, 30.48},
            // Code 39 keeps the width of the main window's label: no defined width to expect.
            {"Code 39", u"optCode39"_s, u"optNosup"_s, u"KELBRIX-39"_s, QString(), u"KELBRIX-39"_s, u"optBSmm"_s,
             u"102"_s, u"40"_s, u"96"_s, 0, 40},
        });
    }
    void definedLabel()
    {
        QFETCH(Row, row);
        useDefinedSize(row.unit, row.width, row.height, row.dpi);
        makeCode(*m_form, row.type, row.supplement, row.entry, row.digits);
        const QImage label = labelImage(*m_form, u"picTST1"_s);
        const double dpi = row.dpi.toDouble();
        QCOMPARE(label.dotsPerMeterX(), int(std::lround(dpi / 0.0254)));
        const double widthMm =
            row.widthMm > 0 ? row.widthMm : mainControl<LabelPicture>(*m_form, u"picTST"_s)->widthTwips() / 56.7;
        const double pixelMm = 25.4 / dpi;
        QVERIFY(std::abs(label.width() * pixelMm - widthMm) <= pixelMm);
        QVERIFY(std::abs(label.height() * pixelMm - row.heightMm) <= pixelMm);
        QCOMPARE(decodedJoined(label), row.decoded);
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
        const int left = barsLeft(before);
        const QRect digit = inkBox(before, QRect(0, 0, left, symbolHeight));
        const QRect line = inkBox(before, QRect(0, symbolHeight, before.width(), before.height()));
        QVERIFY(!digit.isEmpty() && !line.isEmpty());

        m_prompt->fonts.enqueue(FontChoice{u"DejaVu Serif"_s, 16, true, false});
        m_prompt->colors.enqueue(0xFFFF00);
        m_prompt->colors.enqueue(0x0000FF);
        for (const char *menu : {"mnuCFont", "mnuBackColor", "mnuBackText", "mnuBarLeft", "mnuPixel"})
            sizeMenu(QString::fromLatin1(menu))->trigger();
        const auto checkChanged = [&](const QImage &after) {
            QVERIFY(barsLeft(after) < left);
            QVERIFY(inkBox(after, QRect(0, symbolHeight, after.width(), after.height())).height() > line.height());
            QCOMPARE(QColor(after.pixel(after.width() - 2, 1)), QColor(Qt::yellow));
            QCOMPARE(QColor(after.pixel(after.width() - 2, after.height() - 2)), QColor(Qt::blue));
            QCOMPARE(decodedJoined(after), u"4006381333931"_s);
        };
        checkChanged(labelImage(*m_form, u"picTST1"_s));
        restart();
        QVERIFY(mainDefined()->isChecked());
        checkChanged(made());
    }

    // SCC-14's bearer bars chosen in the size window: the main label shows them at once, a look
    // menu edited afterwards keeps them, and they are there again after a restart.
    void bearersAreSeenOnTheLabelAndKept()
    {
        useDefinedSize(u"optBSmm"_s, u"102"_s, u"40"_s, u"300"_s);
        const auto made = [this] {
            makeCode(*m_form, u"optSCC14"_s, u"optNosup"_s, u"1501234567890"_s, {});
            return labelImage(*m_form, u"picTST1"_s);
        };
        const QImage framed = made();
        QCOMPARE(bearersSeen(framed), std::pair(true, true));
        QVERIFY(sizeControl<QRadioButton>(*m_form, u"optBearersFrame"_s)->isChecked());
        for (const auto &[option, seen] : {std::pair(u"optBearersNone"_s, std::pair(false, false)),
                                           std::pair(u"optBearersTopBottom"_s, std::pair(true, false))}) {
            sizeControl<QRadioButton>(*m_form, option)->click();
            const QImage label = labelImage(*m_form, u"picTST1"_s);
            QCOMPARE(bearersSeen(label), seen);
            QCOMPARE(decodedJoined(label), u"15012345678907"_s);
        }
        sizeMenu(u"mnuBarLeft"_s)->trigger();
        QCOMPARE(bearersSeen(labelImage(*m_form, u"picTST1"_s)), std::pair(true, false));
        restart();
        QVERIFY(sizeControl<QRadioButton>(*m_form, u"optBearersTopBottom"_s)->isChecked());
        QCOMPARE(bearersSeen(made()), std::pair(true, false));
    }

    // The keys of the bearer bars are used by no other control of the window.
    void bearerKeysAreTheirOwn()
    {
        const QStringList letters = mnemonics(sizeWindow(*m_form));
        for (const char *name : {"optBearersNone", "optBearersTopBottom", "optBearersFrame"}) {
            const QString text = sizeControl<QRadioButton>(*m_form, QString::fromLatin1(name))->text();
            const QString letter = text.at(text.indexOf(u'&') + 1).toLower();
            QVERIFY2(letters.count(letter) == 1, qPrintable(text + u" shares its key"_s));
        }
    }

    void typedResolutionIsSettledOnLeaving()
    {
        typeSize(*m_form, u"optBSmm"_s, u"48"_s, u"40"_s);
        sizeControl<QRadioButton>(*m_form, u"opt96dpi"_s)->click();
        auto *box = sizeControl<QLineEdit>(*m_form, u"Text1"_s);
        // Typing a resolution chooses the user's own at once.
        retype(box, u"150"_s);
        QVERIFY(sizeControl<QRadioButton>(*m_form, u"optUserdpiW"_s)->isChecked());
        QCOMPARE(preview()->heightTwips(), 2268.0 * 150 / 96);
        retype(box, u"500"_s);
        emit box->editingFinished();
        QCOMPARE(box->text(), u"300"_s);
        QCOMPARE(preview()->heightTwips(), 2268.0 * 300 / 96);
        retype(box, u"50"_s);
        emit box->editingFinished();
        QVERIFY(sizeControl<QRadioButton>(*m_form, u"opt72dpi"_s)->isChecked());
        QCOMPARE(preview()->heightTwips(), 2268.0 * 72 / 96);
    }

    void clickHereForDpiOpensTheTiffWindow()
    {
        child<QAction>(u"mnuBarSize"_s)->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(sizeWindow(*m_form)));
        bool shown = false;
        // The TIFF window is modal: it is looked at and closed from within its own loop.
        QTimer::singleShot(0, m_form, [this, &shown] {
            auto *tiff = child<QDialog>(u"frmTiff"_s);
            shown = tiff && tiff->isVisible();
            if (tiff)
                tiff->reject();
        });
        QTest::mouseClick(sizeControl<QLabel>(*m_form, u"Label6"_s), Qt::LeftButton);
        QVERIFY(shown);
    }

    void smallFontNamesTheNextClickAndIsKept()
    {
        QAction *small = sizeMenu(u"mnuSmall"_s);
        QCOMPARE(small->text(), u"&Small Font"_s);
        small->trigger();
        QCOMPARE(small->text(), u"&Normal Font"_s);
        sizeMenu(u"mnuBarRight"_s)->trigger();
        restart();
        QCOMPARE(sizeMenu(u"mnuSmall"_s)->text(), u"&Normal Font"_s);
        for (const char *name : {"mnuBarLeft", "mnuBarcenter", "mnuBarRight"})
            QCOMPARE(sizeMenu(QString::fromLatin1(name))->isChecked(), qstrcmp(name, "mnuBarRight") == 0);
    }

    void artworkOptionsSizeTheArtworkAndAreKept()
    {
        auto *readout = sizeControl<QLabel>(*m_form, u"lblArtworkX"_s);
        QCOMPARE(readout->text(), u"Artwork X-dimension: 0.330 mm"_s);
        sizeControl<QDoubleSpinBox>(*m_form, u"spnMagnification"_s)->setValue(150);
        QCOMPARE(readout->text(), u"Artwork X-dimension: 0.495 mm"_s);
        // The X-dimension's box counts in the unit chosen.
        auto *xDimension = sizeControl<QDoubleSpinBox>(*m_form, u"spnXDimension"_s);
        QCOMPARE(xDimension->text(), u"0.500 mm"_s);
        sizeControl<QComboBox>(*m_form, u"cboXUnit"_s)->setCurrentIndex(1);
        QCOMPARE(xDimension->text(), u"19.69 mils"_s);
        // A defined size in use wins over the magnification.
        typeSize(*m_form, u"optBSmm"_s, u"60"_s, u"25"_s);
        QCOMPARE(readout->text(), u"Artwork X-dimension: 0.495 mm"_s);
        sizeDefined()->click();
        QVERIFY(readout->text().startsWith(u"Artwork X-dimension: "_s));
        QVERIFY(readout->text() != u"Artwork X-dimension: 0.495 mm"_s);
        restart();
        QCOMPARE(sizeControl<QDoubleSpinBox>(*m_form, u"spnMagnification"_s)->value(), 150.0);
        QCOMPARE(sizeControl<QComboBox>(*m_form, u"cboXUnit"_s)->currentIndex(), 1);
        QCOMPARE(sizeControl<QDoubleSpinBox>(*m_form, u"spnXDimension"_s)->text(), u"19.69 mils"_s);
    }
};

QTEST_MAIN(TestFrmBarSize)
#include "tst_frm_bar_size.moc"
