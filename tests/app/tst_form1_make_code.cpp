// "&Make Code" from the user's side: every TypeCode decoded with zbar, the label read on its image,
// and the label read back after it: the verdict in the status bar, its hint, and a fast run of
// labels whose last verdict must be the last label's.
#include "size_driver.h"

#include <QThread>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

int pixelsOfTwips(const QImage &image, double twips)
{
    return int(twips * image.dotsPerMeterY() * 0.0254 / 1440.0 + 0.5);
}

struct Made {
    const char *name; // the TypeCode
    QString type, supplement, entry, digits, decoded;
};

} // namespace

class TestForm1MakeCode : public QObject, public Form1Fixture {
    Q_OBJECT

private slots:
    void init() { open(); }
    void cleanup() { close(); }

    void everyTypeCodeDecodes_data()
    {
        const QString e13 = u"400638133393"_s, e8 = u"9638507"_s, upcA = u"03600029145"_s, upcE = u"0123456"_s,
                      upcAToE = u"01200000345"_s;
        addRows<Made>({
            {"E130", u"optEAN13"_s, u"optNosup"_s, e13, {}, u"4006381333931"_s},
            {"E135", u"optEAN13"_s, u"chk5digit"_s, u"978157169006"_s, u"54321"_s, u"978157169006754321"_s},
            {"E80 ", u"optEAN8"_s, u"optNosup"_s, e8, {}, u"96385074"_s},
            {"UPA0", u"optUPCA"_s, u"optNosup"_s, upcA, {}, u"036000291452"_s},
            {"UPE0", u"optUPCE"_s, u"optNosup"_s, upcE, {}, u"01234565"_s},
            {"UPP0", u"optUpcEP"_s, u"optNosup"_s, upcAToE, {}, u"01234505"_s},
            {"ISB0", u"optISBN"_s, u"optNosup"_s, u"1-57169-006-9"_s, {}, u"9781571690067"_s},
            {"SC14", u"optSCC14"_s, u"optNosup"_s, u"1540014128876"_s, {}, u"15400141288763"_s},
            {"Co39", u"optCode39"_s, u"optNosup"_s, u"KELBRIX-39"_s, {}, u"KELBRIX-39"_s},
        });
    }
    void everyTypeCodeDecodes()
    {
        QFETCH(Made, row);
        const auto &[name, type, supplement, entry, digits, decoded] = row;
        const QString typeCode = QString::fromLatin1(name);
        clickOption(*m_form, type);
        clickOption(*m_form, supplement);
        QCOMPARE(m_form->typeCode(), typeCode);
        QCOMPARE(child<QLineEdit>(u"txtSup"_s)->isEnabled(), !digits.isEmpty());
        if (typeCode != u"Co39"_s) {
            // One character short of the barcode, or of the supplement: both commands stay disabled.
            typeInto(child<QLineEdit>(u"TxtStreck"_s), entry.chopped(1));
            typeInto(child<QLineEdit>(u"txtSup"_s), digits);
            QVERIFY(!child<QPushButton>(u"Command1"_s)->isEnabled());
            QVERIFY(!child<QPushButton>(u"Command4"_s)->isEnabled());
            typeInto(child<QLineEdit>(u"TxtStreck"_s), entry.right(1));
            if (!digits.isEmpty()) {
                QTest::keyClick(child<QLineEdit>(u"txtSup"_s), Qt::Key_Backspace);
                QVERIFY(!child<QPushButton>(u"Command1"_s)->isEnabled());
                child<QLineEdit>(u"txtSup"_s)->clear();
            }
            child<QLineEdit>(u"TxtStreck"_s)->clear();
        }
        makeCode(*m_form, type, supplement, entry, digits, u"Soap"_s);
        QVERIFY(child<QPushButton>(u"Command4"_s)->isEnabled());
        QVERIFY(m_prompt->asked.isEmpty());
        QCOMPARE(decodedJoined(child<LabelPicture>(u"picTST"_s)->image()), decoded);
        QCOMPARE(decodedJoined(QGuiApplication::clipboard()->image()), decoded);
    }

    void pastedWrongCheckDigitIsReplaced()
    {
        pasteInto(child<QLineEdit>(u"TxtStreck"_s), u"4006381333930"_s);
        child<QPushButton>(u"Command1"_s)->click();
        QCOMPARE(decodedText(child<LabelPicture>(u"picTST"_s)->image()), u"4006381333931"_s);
    }

    void code39()
    {
        makeCode(*m_form, u"optCode39"_s, u"optNosup"_s, u"ABCDEFGHIJ"_s, QString());
        QCOMPARE(decodedText(child<LabelPicture>(u"picTST"_s)->image()), u"ABCDEFGHIJ"_s);
        // The check character is appended once, only when asked for.
        makeBarcode(u"abc"_s);
        QCOMPARE(child<QLineEdit>(u"TxtStreck"_s)->text(), u"ABC"_s);
        QVERIFY(child<QCheckBox>(u"chkModulus43"_s)->isVisible());
        child<QCheckBox>(u"chkModulus43"_s)->setChecked(true);
        child<QPushButton>(u"Command1"_s)->click();
        child<QPushButton>(u"Command1"_s)->click();
        QCOMPARE(child<QLineEdit>(u"TxtStreck"_s)->text(), u"ABCX"_s);
        QCOMPARE(decodedText(child<LabelPicture>(u"picTST"_s)->image()), u"ABCX"_s);
        // Another type hides and clears the check box.
        clickOption(*m_form, u"optEAN13"_s);
        QVERIFY(!child<QCheckBox>(u"chkModulus43"_s)->isVisible());
        QVERIFY(!child<QCheckBox>(u"chkModulus43"_s)->isChecked());
    }

    void productLine_data()
    {
        QTest::addColumn<QString>("product");
        QTest::addColumn<bool>("text");
        QTest::newRow("25 characters") << u"iiiiiiiiiiiiiiiiiiiiWWWWW"_s << true;
        QTest::newRow("Blank never prints") << u"Soap"_s << false;
    }
    void productLine()
    {
        QFETCH(QString, product);
        QFETCH(bool, text);
        const bool lineDrawn = text && !product.isEmpty();
        (text ? child<QRadioButton>(u"Option1"_s) : child<QRadioButton>(u"Option2"_s))->click();
        makeCode(*m_form, u"optEAN13"_s, u"optNosup"_s, u"400638133393"_s, QString(), product);
        QCOMPARE(child<LabelPicture>(u"picTST"_s)->heightTwips(), lineDrawn ? 1190.0 : 1000.0);
        const QImage label = child<LabelPicture>(u"picTST"_s)->image();
        QCOMPARE(inkBox(label, QRect(0, pixelsOfTwips(label, 950) + 2, label.width(), label.height())).isValid(),
                 lineDrawn);
        QCOMPARE(decodedText(label), u"4006381333931"_s);
        if (product.size() > 20) {
            // Only the first 20 characters print: the label is the one of those 20.
            child<QLineEdit>(u"txtProduct"_s)->setText(product.left(20));
            child<QPushButton>(u"Command1"_s)->click();
            QCOMPARE(child<LabelPicture>(u"picTST"_s)->image(), label);
            child<QLineEdit>(u"txtProduct"_s)->setText(product.left(19));
            child<QPushButton>(u"Command1"_s)->click();
            QVERIFY(child<LabelPicture>(u"picTST"_s)->image() != label);
        }
    }

    void isbnHeaderIsCentredAtTheTop()
    {
        makeCode(*m_form, u"optISBN"_s, u"optNosup"_s, u"1-57169-006-9"_s, QString(), u"Book"_s);
        const QImage label = child<LabelPicture>(u"picTST"_s)->image();
        QCOMPARE(decodedText(label), u"9781571690067"_s);
        const QRect header = inkBox(label, QRect(0, 0, label.width(), pixelsOfTwips(label, 180)));
        QVERIFY(header.height() > 3);
        const double centre = (header.left() + header.right()) / 2.0;
        QVERIFY(std::abs(centre - label.width() / 2.0) < label.width() * 0.05);
    }

    void removeBarcodeDigits()
    {
        makeCode(*m_form, u"optEAN13"_s, u"optNosup"_s, u"400638133393"_s, QString());
        const QImage withDigits = child<LabelPicture>(u"picTST"_s)->image();
        child<QAction>(u"mnuRBDY"_s)->trigger();
        QCOMPARE(child<LabelPicture>(u"picTST"_s)->image(), withDigits); // shown at the next update
        child<QPushButton>(u"Command1"_s)->click();
        const QImage withoutDigits = child<LabelPicture>(u"picTST"_s)->image();
        QCOMPARE(decodedText(withoutDigits), u"4006381333931"_s);
        QVERIFY(withoutDigits != withDigits);
        child<QAction>(u"mnuRBDN"_s)->trigger();
        child<QPushButton>(u"Command1"_s)->click();
        QCOMPARE(child<LabelPicture>(u"picTST"_s)->image(), withDigits);
    }

    void refusedDataLeavesWindowUsable()
    {
        makeCode(*m_form, u"optUPCE"_s, u"optNosup"_s, u"0123456"_s, QString());
        const QImage made = child<LabelPicture>(u"picTST"_s)->image();
        makeBarcode(u"2123456"_s); // number system 2 has no UPC-E
        QVERIFY(m_prompt->asked.isEmpty());
        QVERIFY(m_form->statusText().startsWith(u"The barcode was not made"_s));
        QCOMPARE(child<LabelPicture>(u"picTST"_s)->image(), made);
        makeCode(*m_form, u"optUpcEP"_s, u"optNosup"_s, u"03600029145"_s, QString());
        QCOMPARE(m_prompt->asked.size(), 1);
        QVERIFY(m_prompt->asked[0].text.contains(u"03600029145 can not be shown as UPC E"_s));
        QCOMPARE(m_prompt->asked[0].title, u"UPC A To E"_s);
        QCOMPARE(child<LabelPicture>(u"picTST"_s)->image(), made);
    }

    void useDefined()
    {
        // Checked after Make Code: the defined-size label, with the product line under the symbol.
        typeSize(*m_form, u"optBSmm"_s, u"60"_s, u"30"_s);
        chooseDpi(*m_form, u"300"_s);
        makeCode(*m_form, u"optEAN13"_s, u"chk2digit"_s, u"400638133393"_s, u"12"_s, u"Soap"_s);
        mainControl<QCheckBox>(*m_form, u"chkDefined"_s)->click();
        QCOMPARE(decodedJoined(labelImage(*m_form, u"picTST"_s)), u"400638133393112"_s);
        auto *label = mainControl<LabelPicture>(*m_form, u"picTST1"_s);
        QCOMPARE(label->widthTwips(), 60 * 56.7);
        QCOMPARE(label->heightTwips(), 30 * 56.7 + 170);
        QCOMPARE(decodedJoined(label->image()), u"400638133393112"_s);
    }

    void verdictAfterMakeCode()
    {
        enter(child<QLineEdit>(u"txtFree"_s));
        const QString hintShown = m_form->statusText();
        makeCode(*m_form, u"optEAN13"_s, u"chk5digit"_s, u"400638133393"_s, u"54321"_s, u"Soap"_s);
        QTRY_COMPARE(child<QLabel>(u"lblVerify"_s)->text(), u"\u2713 Scans as EAN-13 4006381333931 + 54321"_s);
        // The verdict has its own panel: the hint the user last saw stays.
        QCOMPARE(m_form->statusText(), hintShown);
        enter(child<QLabel>(u"lblVerify"_s));
        QCOMPARE(m_form->statusText(), u"The label was read back and gives the digits it was made from."_s);
        QVERIFY(m_prompt->asked.isEmpty());
    }

    // A verdict that comes in after the next label was made is that of the label before: it is
    // not shown under the new one.
    void noVerdictOfTheLabelBefore()
    {
        clickOption(*m_form, u"optEAN13"_s);
        clickOption(*m_form, u"optNosup"_s);
        child<QLineEdit>(u"TxtStreck"_s)->setText(u"501234567890"_s);
        child<QPushButton>(u"Command1"_s)->click();
        QCoreApplication::processEvents(); // the reading starts
        QThread::msleep(300);              // and ends, its verdict waiting to be shown
        child<QLineEdit>(u"TxtStreck"_s)->setText(u"400638133393"_s);
        child<QPushButton>(u"Command1"_s)->click();
        QCoreApplication::processEvents();
        QCOMPARE(child<QLabel>(u"lblVerify"_s)->text(), u"Checking\u2026"_s);
        QTRY_COMPARE(child<QLabel>(u"lblVerify"_s)->text(), u"\u2713 Scans as EAN-13 4006381333931"_s);
    }

    void lastOfManyLabelsIsJudged()
    {
        clickOption(*m_form, u"optEAN13"_s);
        clickOption(*m_form, u"optNosup"_s);
        QString last;
        for (int i = 0; i < 200; ++i) {
            last = QString::number(501234567000LL + i * 7919LL);
            child<QLineEdit>(u"TxtStreck"_s)->setText(last);
            QVERIFY(child<QPushButton>(u"Command1"_s)->isEnabled());
            child<QPushButton>(u"Command1"_s)->click();
            // Now and then the verdicts of earlier labels get their chance to arrive.
            if (i % 7 == 0)
                QCoreApplication::processEvents();
        }
        const QString drawn = decodedJoined(child<LabelPicture>(u"picTST"_s)->image());
        QCOMPARE(drawn.chopped(1), last);
        const QString expected = u"\u2713 Scans as EAN-13 "_s + drawn;
        QTRY_COMPARE(child<QLabel>(u"lblVerify"_s)->text(), expected);
        // No verdict of an older label arrives after it.
        QTest::qWait(300);
        QCOMPARE(child<QLabel>(u"lblVerify"_s)->text(), expected);
    }
};

QTEST_MAIN(TestForm1MakeCode)
#include "tst_form1_make_code.moc"
