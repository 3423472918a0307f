// The type and supplement options of the main window: the TypeCode and the window caption
// after every handler, the supplement rules, the editions and the status-bar hints.
#include "form1_driver.h"
#include "recording_prompt.h"

#include <QEnterEvent>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using Kelbrix::Test::clickOption;
using Kelbrix::Test::typeInto;

class TestForm1Options : public QObject {
    Q_OBJECT
private slots:
    void init() { Test::resetSettings(); }
    void captionsAfterEveryHandler_data();
    void captionsAfterEveryHandler();
    void isbnTakesAwayTwoDigits();
    void noSupplementForced_data();
    void noSupplementForced();
    void supplementBoxKeptOrEmptied_data();
    void supplementBoxKeptOrEmptied();
    void makeCodeTakesTypeFromOptions_data();
    void makeCodeTakesTypeFromOptions();
    void editions_data();
    void editions();
    void hints_data();
    void hints();
};

void TestForm1Options::captionsAfterEveryHandler_data()
{
    // Each row clicks one more option, starting from a fresh window; the type handlers join
    // title and type name with " - ", the supplement handlers with one blank.
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("typeCode");
    QTest::addColumn<QString>("label");
    const QList<std::tuple<QString, QString, QString, QString>> steps{
        {u"optEAN8"_s, u"Kelbrix.  - EAN 8 "_s, u"E80 "_s, u"Barcode"_s},
        {u"chk2digit"_s, u"Kelbrix.  EAN 8 - 2 Digits"_s, u"E82 "_s, u"Barcode"_s},
        {u"optEAN13"_s, u"Kelbrix.  - EAN 13 - 2 Digits"_s, u"E132"_s, u"Barcode"_s},
        {u"chk5digit"_s, u"Kelbrix.  EAN 13 - 5 Digits"_s, u"E135"_s, u"Barcode"_s},
        {u"optISBN"_s, u"Kelbrix.  - ISBN  - 5 Digits"_s, u"ISB5"_s, u"ISBN Code"_s},
        {u"optNosup"_s, u"Kelbrix.  ISBN  "_s, u"ISB0"_s, u"ISBN Code"_s},
        {u"optUPCA"_s, u"Kelbrix.  - UPC A "_s, u"UPA0"_s, u"Barcode"_s},
        {u"chk5digit"_s, u"Kelbrix.  UPC A - 5 Digits"_s, u"UPA5"_s, u"Barcode"_s},
        {u"optUPCE"_s, u"Kelbrix.  - UPC E - 5 Digits"_s, u"UPE5"_s, u"Barcode"_s},
        {u"chk2digit"_s, u"Kelbrix.  UPC E - 2 Digits"_s, u"UPE2"_s, u"Barcode"_s},
        {u"optUpcEP"_s, u"Kelbrix.  - UPC A to E - 2 Digits"_s, u"UPP2"_s, u"Barcode"_s},
        {u"optNosup"_s, u"Kelbrix.  UPC A to E "_s, u"UPP0"_s, u"Barcode"_s},
        {u"optSCC14"_s, u"Kelbrix.  - SCC-14 "_s, u"SC14"_s, u"Barcode"_s},
        {u"optCode39"_s, u"Kelbrix.  - Code 39"_s, u"Co39"_s, u"Barcode"_s},
        {u"optEAN8"_s, u"Kelbrix.  - EAN 8 "_s, u"E80 "_s, u"Barcode"_s},
    };
    QStringList clicks;
    for (const auto &[option, caption, code, label] : steps) {
        clicks.append(option);
        QTest::addRow("%s", qPrintable(clicks.join(u" > "_s))) << clicks << caption << code << label;
    }
}

void TestForm1Options::captionsAfterEveryHandler()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, caption);
    QFETCH(QString, typeCode);
    QFETCH(QString, label);
    Form1 form(Edition::Alla);
    for (const QString &option : clicks)
        clickOption(form, option);
    QCOMPARE(form.windowTitle(), caption);
    QCOMPARE(form.TypeCode, typeCode);
    QCOMPARE(form.Label2->text(), label);
}

void TestForm1Options::isbnTakesAwayTwoDigits()
{
    Form1 form(Edition::Alla);
    clickOption(form, u"chk2digit"_s);
    typeInto(form.txtSup, u"12"_s);
    clickOption(form, u"optISBN"_s);
    QVERIFY(form.optNosup->isChecked());
    QVERIFY(!form.chk2digit->isEnabled());
    QVERIFY(form.txtSup->text().isEmpty());
    QCOMPARE(form.TypeCode, u"ISB0"_s);
    QCOMPARE(form.EntryLength, 13);
    clickOption(form, u"optEAN8"_s);
    QVERIFY(form.chk2digit->isEnabled());
    QCOMPARE(form.TypeCode, u"E80 "_s);
}

void TestForm1Options::noSupplementForced_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("typeCode");
    QTest::addColumn<bool>("commandsEnabled");
    QTest::newRow("SCC-14") << u"optSCC14"_s << u"SC14"_s << false;
    QTest::newRow("Code 39 takes any length, even none") << u"optCode39"_s << u"Co39"_s << true;
}

void TestForm1Options::noSupplementForced()
{
    QFETCH(QString, type);
    QFETCH(QString, typeCode);
    QFETCH(bool, commandsEnabled);
    Form1 form(Edition::Alla);
    form.show();
    clickOption(form, u"chk5digit"_s);
    typeInto(form.txtSup, u"12345"_s);
    clickOption(form, type);
    QVERIFY(form.optNosup->isChecked());
    QVERIFY(!form.Frame2->isEnabled());
    QVERIFY(!form.txtSup->isEnabled());
    QVERIFY(form.txtSup->text().isEmpty());
    QCOMPARE(form.TypeCode, typeCode);
    QCOMPARE(form.SupplementLength, 0);
    QCOMPARE(form.Command1->isEnabled(), commandsEnabled);
    QCOMPARE(form.Command4->isEnabled(), commandsEnabled);
    clickOption(form, u"optUPCA"_s);
    QVERIFY(form.Frame2->isEnabled());
}

void TestForm1Options::supplementBoxKeptOrEmptied_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("kept");
    QTest::newRow("5 digits to 2 empties") << u"chk5digit"_s << u"12345"_s << u"chk2digit"_s << QString();
    QTest::newRow("2 digits to 5 keeps") << u"chk2digit"_s << u"12"_s << u"chk5digit"_s << u"12"_s;
    QTest::newRow("2 digits to none empties") << u"chk2digit"_s << u"12"_s << u"optNosup"_s << QString();
}

void TestForm1Options::supplementBoxKeptOrEmptied()
{
    QFETCH(QString, from);
    QFETCH(QString, digits);
    QFETCH(QString, to);
    QFETCH(QString, kept);
    Form1 form(Edition::Alla);
    clickOption(form, from);
    typeInto(form.txtSup, digits);
    QCOMPARE(form.txtSup->text(), digits);
    clickOption(form, to);
    QCOMPARE(form.txtSup->text(), kept);
}

void TestForm1Options::makeCodeTakesTypeFromOptions_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("supplement");
    QTest::addColumn<QString>("typeCode");
    QTest::newRow("EAN 13 + 5") << u"optEAN13"_s << u"chk5digit"_s << u"E135"_s;
    QTest::newRow("EAN 8 + 2") << u"optEAN8"_s << u"chk2digit"_s << u"E82 "_s;
    QTest::newRow("ISBN + 5") << u"optISBN"_s << u"chk5digit"_s << u"ISB5"_s;
    QTest::newRow("UPC A To E") << u"optUpcEP"_s << u"optNosup"_s << u"UPP0"_s;
}

void TestForm1Options::makeCodeTakesTypeFromOptions()
{
    QFETCH(QString, type);
    QFETCH(QString, supplement);
    QFETCH(QString, typeCode);
    Form1 form(Edition::Alla);
    clickOption(form, type);
    clickOption(form, supplement);
    form.TypeCode = u"E130"_s; // as a list record might have left it
    QCOMPARE(form.typeCodeOfOptions(), typeCode);
    form.Command1->setEnabled(true);
    form.Command1->click();
    QCOMPARE(form.TypeCode, typeCode);
}

void TestForm1Options::editions_data()
{
    QTest::addColumn<int>("edition");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("typeCode");
    QTest::addColumn<QStringList>("hidden");
    QTest::newRow("ALLA") << int(Edition::Alla) << u"Kelbrix.  EAN 13 "_s << u"E130"_s << QStringList();
    QTest::newRow("EAN") << int(Edition::Ean) << u"EAN Kelbrix.  EAN 13 "_s << u"E130"_s
                         << QStringList{u"optUPCA"_s, u"optUPCE"_s, u"optUpcEP"_s, u"optSCC14"_s};
    QTest::newRow("UPC") << int(Edition::Upc) << u"UPC Kelbrix.  UPC A "_s << u"UPA0"_s
                         << QStringList{u"optEAN13"_s, u"optEAN8"_s, u"optISBN"_s, u"optSCC14"_s};
}

void TestForm1Options::editions()
{
    QFETCH(int, edition);
    QFETCH(QString, caption);
    QFETCH(QString, typeCode);
    QFETCH(QStringList, hidden);
    Form1 form{Edition(edition)};
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.windowTitle(), caption);
    QCOMPARE(form.TypeCode, typeCode);
    for (QRadioButton *option : form.Frame1->findChildren<QRadioButton *>())
        QCOMPARE(option->isVisible(), !hidden.contains(option->objectName()));
    if (Edition(edition) == Edition::Upc) {
        QVERIFY(form.optUPCA->isChecked());
        QCOMPARE(form.EntryLength, 11);
    }
}

void TestForm1Options::hints_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("hint");
    const QList<std::pair<QString, QString>> rows{
        {u"optEAN13"_s, u"EAN 13: Needs 13 digits, fill in 12 digits the last one will be added automaticlly."_s},
        {u"optEAN8"_s, u"EAN 8: Needs 8 digits, fill in 7 digits the last one will be added automaticlly"_s},
        {u"optUPCA"_s, u"UPC A: Needs 12 digits, fill in 11 digits the last one will be added automaticlly."_s},
        {u"optUPCE"_s, u"UPC E: Needs 8 digits, fill in 7 digits the last one will be added automaticlly."_s},
        {u"optISBN"_s, u"ISBN: Needs 10 digits and 3 - (minus) e.g 87-7012-196-6."_s},
        {u"optSCC14"_s, u"SCC-14: Needs 14 digits, fill in 13 digits the last one will be added automaticlly."_s},
        {u"optCode39"_s, u"Code 39 or Code 3 of 9: Enter any Character and digits"_s},
        {u"optNosup"_s, u"No Supplement. Add No digits to make it."_s},
        {u"chk2digit"_s, u"2 Digit Supplement. Add additonal 2 digits to your barcode to make it."_s},
        {u"chk5digit"_s, u"5 Digit Supplement. Add additonal 5 digits to your barcode to make it."_s},
        {u"Option1"_s, u"Include the Product information on barcode label."_s},
        {u"Option2"_s, u"Don't Include the Product information on barcode label."_s},
        {u"TxtStreck"_s, u"Barcode: Enter your barcode or ISBN digits here."_s},
        {u"txtSup"_s, u"Enter your Digit Supplement here."_s},
        {u"txtCopies"_s, u"Fill in the number of copies you want (max 50)."_s},
        {u"Label5"_s, u"Copies: Fill in the number of copies you want to the left. (max 50)"_s},
        {u"Command1"_s,
         u"Click here to make the barcode, if it's grayed out you have to few digits or the wrong barcode."_s},
        {u"Label2"_s, u"Barcode: Enter your digits to the right."_s},
        {u"Label3"_s, u"Product: Enter the information to the right."_s},
        {u"Label4"_s, u"Free Text: Enter Free Text to the right."_s},
        {u"txtProduct"_s, u"Product: Enter your Product Information here."_s},
        {u"txtFree"_s, u"Free Text: Enter your information here."_s},
        {u"Command2"_s, u"Clear: Clears all input in Product, Barcode, Free Text."_s},
        {u"Command4"_s, u"Add to List: Adds the Barcode information to the List."_s},
        {u"cmdToRTF1"_s, u"Click on >> to move the Barcode Image to the Barcode Image List."_s},
        {u"chkDefined"_s, u"Check it if you want to use the defined barcode size you have made."_s},
        {u"chkModulus43"_s, u"Use Check Character for Code 39: Check to add Check Character (Modulus 43)"_s},
        {u"picTST"_s, u"Your Barcode Picture."_s},
        {u"Frame1"_s, QString()},
        {u"Frame2"_s, QString()},
        {u"StatBar1"_s, u"Press F1 to get help."_s},
    };
    for (const auto &[control, hint] : rows)
        QTest::newRow(qPrintable(control)) << control << hint;
}

void TestForm1Options::hints()
{
    QFETCH(QString, control);
    QFETCH(QString, hint);
    Form1 form(Edition::Alla);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *widget = form.findChild<QWidget *>(control);
    QVERIFY(widget);
    // A hint stays until another control sets its own.
    const auto enter = [](QWidget *target) {
        QEnterEvent event(QPointF(2, 2), QPointF(2, 2), target->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(target, &event);
    };
    enter(form.txtFree);
    QCOMPARE(form.statusText(), u"Free Text: Enter your information here."_s);
    enter(widget);
    QCOMPARE(form.statusText(), hint);
}

QTEST_MAIN(TestForm1Options)
#include "tst_form1_options.moc"
