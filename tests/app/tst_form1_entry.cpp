// The barcode entry of the main window driven with real key events: key filters, length
// limits, check-digit cut-back, the enabling rule, the ISBN checks and the copies rule.
#include "form1_driver.h"
#include "recording_prompt.h"

#include <QPushButton>
#include <QSignalSpy>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using Kelbrix::Test::clickOption;
using Kelbrix::Test::pasteInto;
using Kelbrix::Test::typeInto;

class TestForm1Entry : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void typing_data();
    void typing();
    void pasting_data();
    void pasting();
    void digitReplacesFullySelectedEntry();
    void enablingRuleForEveryTypeCode_data();
    void enablingRuleForEveryTypeCode();
    void supplementLimits_data();
    void supplementLimits();
    void isbnQuestions_data();
    void isbnQuestions();
    void isbnAcceptedEntryIsNotAskedAgain();
    void copiesRule_data();
    void copiesRule();
    void enterPressesMakeCode();
    void clearEmptiesTheEntry();
    void makeCodeAppendsCode39CheckCharacterOnce();

private:
    Form1 *m_form = nullptr;
    Test::RecordingPrompt *m_prompt = nullptr;
};

void TestForm1Entry::init()
{
    Test::resetSettings();
    m_prompt = new Test::RecordingPrompt;
    m_form = new Form1(Edition::Alla);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestForm1Entry::cleanup()
{
    delete m_form;
    delete m_prompt;
}

void TestForm1Entry::typing_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("makeEnabled");
    QTest::newRow("EAN-13, 12 digits") << u"optEAN13"_s << u"400638133393"_s << u"400638133393"_s << true;
    QTest::newRow("EAN-13, 13th digit discarded") << u"optEAN13"_s << u"4006381333931"_s << u"400638133393"_s << true;
    QTest::newRow("EAN-13, 11 digits") << u"optEAN13"_s << u"40063813339"_s << u"40063813339"_s << false;
    QTest::newRow("EAN-13 refuses letters, stops, minus, blanks")
        << u"optEAN13"_s << u"4a0.0-6 x3X"_s << u"40063"_s << false;
    QTest::newRow("EAN-8, 8th digit discarded") << u"optEAN8"_s << u"96385074"_s << u"9638507"_s << true;
    QTest::newRow("UPC-A, 12th digit discarded") << u"optUPCA"_s << u"036000291452"_s << u"03600029145"_s << true;
    QTest::newRow("UPC-E, 7 digits") << u"optUPCE"_s << u"0123456"_s << u"0123456"_s << true;
    QTest::newRow("UPC A To E, 11 digits") << u"optUpcEP"_s << u"012000003455"_s << u"01200000345"_s << true;
    QTest::newRow("SCC-14, 14th digit discarded") << u"optSCC14"_s << u"15400141288763"_s << u"1540014128876"_s << true;
    QTest::newRow("ISBN, complete") << u"optISBN"_s << u"1-57169-006-9"_s << u"1-57169-006-9"_s << true;
    QTest::newRow("ISBN, x becomes X") << u"optISBN"_s << u"0-8044-2957-x"_s << u"0-8044-2957-X"_s << true;
    QTest::newRow("ISBN, 14th character cut away") << u"optISBN"_s << u"1-57169-006-9-"_s << u"1-57169-006-9"_s << true;
    QTest::newRow("ISBN refuses letters and stops") << u"optISBN"_s << u"1.a-5"_s << u"1-5"_s << false;
    QTest::newRow("Code 39, capitals") << u"optCode39"_s << u"abc-12 $/+%."_s << u"ABC-12 $/+%."_s << true;
    QTest::newRow("Code 39 refuses asterisk and underscore") << u"optCode39"_s << u"A*B_C"_s << u"ABC"_s << true;
}

void TestForm1Entry::typing()
{
    QFETCH(QString, type);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(bool, makeEnabled);
    clickOption(*m_form, type);
    typeInto(m_form->TxtStreck, keys);
    QCOMPARE(m_form->TxtStreck->text(), shown);
    QCOMPARE(m_form->Command1->isEnabled(), makeEnabled);
    QCOMPARE(m_form->Command4->isEnabled(), makeEnabled);
}

void TestForm1Entry::pasting_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::newRow("EAN-13 with its check digit") << u"optEAN13"_s << u"4006381333931"_s << u"400638133393"_s;
    QTest::newRow("EAN-13 with a wrong check digit") << u"optEAN13"_s << u"4006381333930"_s << u"400638133393"_s;
    QTest::newRow("EAN-13 with blanks") << u"optEAN13"_s << u"4 006381 333931"_s << u"400638133393"_s;
    QTest::newRow("UPC-A, 12 digits") << u"optUPCA"_s << u"036000291452"_s << u"03600029145"_s;
    QTest::newRow("UPC-E, 8 digits") << u"optUPCE"_s << u"01234565"_s << u"0123456"_s;
    QTest::newRow("EAN-8, 8 digits") << u"optEAN8"_s << u"96385074"_s << u"9638507"_s;
    QTest::newRow("ISBN, 14 characters") << u"optISBN"_s << u"1-57169-006-99"_s << u"1-57169-006-9"_s;
    QTest::newRow("Code 39 is never cut") << u"optCode39"_s << u"abcdefghijklm"_s << u"ABCDEFGHIJKLM"_s;
    QTest::newRow("SCC-14 is never cut") << u"optSCC14"_s << u"15400141288763"_s << u"15400141288763"_s;
}

void TestForm1Entry::pasting()
{
    QFETCH(QString, type);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    clickOption(*m_form, type);
    pasteInto(m_form->TxtStreck, pasted);
    QCOMPARE(m_form->TxtStreck->text(), shown);
}

void TestForm1Entry::digitReplacesFullySelectedEntry()
{
    typeInto(m_form->TxtStreck, u"400638133393"_s);
    m_form->TxtStreck->selectAll();
    QTest::keyClicks(m_form->TxtStreck, u"5"_s);
    QCOMPARE(m_form->TxtStreck->text(), u"5"_s);
    QVERIFY(!m_form->Command1->isEnabled());

    // Part of a full entry selected: the typed digit replaces the selection.
    typeInto(m_form->TxtStreck, u"00638133393"_s);
    m_form->TxtStreck->setSelection(0, 1);
    QTest::keyClicks(m_form->TxtStreck, u"4"_s);
    QCOMPARE(m_form->TxtStreck->text(), u"400638133393"_s);
}

void TestForm1Entry::enablingRuleForEveryTypeCode_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("supplement");
    QTest::addColumn<QString>("typeCode");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("digits");
    const QString ean13 = u"400638133393"_s, upcA = u"03600029145"_s, seven = u"0123456"_s;
    const QList<std::tuple<QString, QString, QString, QString, QString>> rows{
        {u"optEAN13"_s, u"optNosup"_s, u"E130"_s, ean13, QString()},
        {u"optEAN13"_s, u"chk2digit"_s, u"E132"_s, ean13, u"12"_s},
        {u"optEAN13"_s, u"chk5digit"_s, u"E135"_s, ean13, u"54321"_s},
        {u"optEAN8"_s, u"optNosup"_s, u"E80 "_s, seven, QString()},
        {u"optEAN8"_s, u"chk2digit"_s, u"E82 "_s, seven, u"12"_s},
        {u"optEAN8"_s, u"chk5digit"_s, u"E85 "_s, seven, u"54321"_s},
        {u"optUPCA"_s, u"optNosup"_s, u"UPA0"_s, upcA, QString()},
        {u"optUPCA"_s, u"chk2digit"_s, u"UPA2"_s, upcA, u"12"_s},
        {u"optUPCA"_s, u"chk5digit"_s, u"UPA5"_s, upcA, u"54321"_s},
        {u"optUPCE"_s, u"optNosup"_s, u"UPE0"_s, seven, QString()},
        {u"optUPCE"_s, u"chk2digit"_s, u"UPE2"_s, seven, u"12"_s},
        {u"optUPCE"_s, u"chk5digit"_s, u"UPE5"_s, seven, u"54321"_s},
        {u"optUpcEP"_s, u"optNosup"_s, u"UPP0"_s, u"01200000345"_s, QString()},
        {u"optUpcEP"_s, u"chk2digit"_s, u"UPP2"_s, u"01200000345"_s, u"12"_s},
        {u"optUpcEP"_s, u"chk5digit"_s, u"UPP5"_s, u"01200000345"_s, u"54321"_s},
        {u"optISBN"_s, u"optNosup"_s, u"ISB0"_s, u"1-57169-006-9"_s, QString()},
        {u"optISBN"_s, u"chk5digit"_s, u"ISB5"_s, u"1-57169-006-9"_s, u"54321"_s},
        {u"optSCC14"_s, u"optNosup"_s, u"SC14"_s, u"1540014128876"_s, QString()},
    };
    for (const auto &[type, supplement, code, entry, digits] : rows)
        QTest::addRow("%s", qPrintable(code)) << type << supplement << code << entry << digits;
}

void TestForm1Entry::enablingRuleForEveryTypeCode()
{
    QFETCH(QString, type);
    QFETCH(QString, supplement);
    QFETCH(QString, typeCode);
    QFETCH(QString, entry);
    QFETCH(QString, digits);
    clickOption(*m_form, type);
    clickOption(*m_form, supplement);
    QCOMPARE(m_form->TypeCode, typeCode);
    QCOMPARE(m_form->txtSup->isEnabled(), !digits.isEmpty());

    // One character short of the entry: both commands stay disabled.
    typeInto(m_form->TxtStreck, entry.chopped(1));
    typeInto(m_form->txtSup, digits);
    QVERIFY(!m_form->Command1->isEnabled());
    QVERIFY(!m_form->Command4->isEnabled());
    typeInto(m_form->TxtStreck, entry.right(1));
    if (!digits.isEmpty()) {
        // The barcode is complete but the supplement is one digit short.
        QTest::keyClick(m_form->txtSup, Qt::Key_Backspace);
        QVERIFY(!m_form->Command1->isEnabled());
        typeInto(m_form->txtSup, digits.right(1));
    }
    QVERIFY(m_form->Command1->isEnabled());
    QVERIFY(m_form->Command4->isEnabled());
    QVERIFY(m_prompt->asked.isEmpty());
}

void TestForm1Entry::supplementLimits_data()
{
    QTest::addColumn<QString>("supplement");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("makeEnabled");
    QTest::newRow("2 digits: third discarded") << u"chk2digit"_s << u"123"_s << u"12"_s << true;
    QTest::newRow("2 digits: one is too few") << u"chk2digit"_s << u"1"_s << u"1"_s << false;
    QTest::newRow("5 digits: sixth discarded") << u"chk5digit"_s << u"123456"_s << u"12345"_s << true;
    QTest::newRow("5 digits: letters and signs refused") << u"chk5digit"_s << u"1a2.3-4 5"_s << u"12345"_s << true;
}

void TestForm1Entry::supplementLimits()
{
    QFETCH(QString, supplement);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(bool, makeEnabled);
    clickOption(*m_form, supplement);
    typeInto(m_form->TxtStreck, u"400638133393"_s);
    typeInto(m_form->txtSup, keys);
    QCOMPARE(m_form->txtSup->text(), shown);
    QCOMPARE(m_form->Command1->isEnabled(), makeEnabled);
}

void TestForm1Entry::isbnQuestions_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("makeEnabled");
    const QString wrongCheck = u"The ISBN code input is wrong, expected 2. Accept Input anyway ?"_s;
    QTest::newRow("valid ISBN asks nothing")
        << u"0-306-40615-2"_s << int(PromptAnswer::Yes) << QStringList() << u"0-306-40615-2"_s << true;
    QTest::newRow("wrong check character, No cuts it")
        << u"0-306-40615-3"_s << int(PromptAnswer::No) << QStringList{wrongCheck} << u"0-306-40615-"_s << false;
    QTest::newRow("wrong check character, Yes keeps it")
        << u"0-306-40615-3"_s << int(PromptAnswer::Yes) << QStringList{wrongCheck} << u"0-306-40615-3"_s << true;
    QTest::newRow("X expected") << u"0-8044-2957-1"_s << int(PromptAnswer::Yes)
                                << QStringList{u"The ISBN code input is wrong, expected X. Accept Input anyway ?"_s}
                                << u"0-8044-2957-1"_s << true;
    QTest::newRow("too few dividers")
        << u"00-30640615-2"_s << int(PromptAnswer::Ok)
        << QStringList{u"ISBN code is wrong to few deviders (-), you should have 3"_s} << u"00-30640615-2"_s << true;
    QTest::newRow("incomplete entry is not judged")
        << u"0-306-4061-3"_s << int(PromptAnswer::Ok) << QStringList() << u"0-306-4061-3"_s << false;
}

void TestForm1Entry::isbnQuestions()
{
    QFETCH(QString, keys);
    QFETCH(int, answer);
    QFETCH(QStringList, asked);
    QFETCH(QString, shown);
    QFETCH(bool, makeEnabled);
    clickOption(*m_form, u"optISBN"_s);
    m_prompt->answers.enqueue(PromptAnswer(answer));
    typeInto(m_form->TxtStreck, keys);
    QCOMPARE(m_prompt->texts(), asked);
    for (const PromptRequest &r : m_prompt->asked) {
        QCOMPARE(r.icon, PromptIcon::Exclamation);
        QCOMPARE(r.title, r.text.startsWith(u"ISBN code is wrong"_s) ? u"ISBN Devider Error."_s : u"ISBN Error"_s);
        QCOMPARE(r.buttons, r.text.startsWith(u"ISBN code is wrong"_s) ? PromptButtons::Ok : PromptButtons::YesNo);
    }
    QCOMPARE(m_form->TxtStreck->text(), shown);
    QCOMPARE(m_form->Command1->isEnabled(), makeEnabled);
    if (PromptAnswer(answer) == PromptAnswer::No)
        QCOMPARE(m_form->TxtStreck->cursorPosition(), 12);
}

void TestForm1Entry::isbnAcceptedEntryIsNotAskedAgain()
{
    clickOption(*m_form, u"optISBN"_s);
    m_prompt->answers.enqueue(PromptAnswer::Yes);
    typeInto(m_form->TxtStreck, u"0-306-40615-3"_s);
    QCOMPARE(m_prompt->asked.size(), 1);
    QTest::keyClick(m_form->TxtStreck, Qt::Key_Home);
    QTest::keyClick(m_form->TxtStreck, Qt::Key_Shift);
    QTest::keyClick(m_form->TxtStreck, Qt::Key_Left);
    QCOMPARE(m_prompt->asked.size(), 1);
    // A new complete entry is judged again.
    QTest::keyClick(m_form->TxtStreck, Qt::Key_End);
    QTest::keyClick(m_form->TxtStreck, Qt::Key_Backspace);
    QTest::keyClicks(m_form->TxtStreck, u"2"_s);
    QCOMPARE(m_prompt->asked.size(), 1);
    QTest::keyClick(m_form->TxtStreck, Qt::Key_Backspace);
    m_prompt->answers.enqueue(PromptAnswer::No);
    QTest::keyClicks(m_form->TxtStreck, u"4"_s);
    QCOMPARE(m_prompt->asked.size(), 2);
    QCOMPARE(m_form->TxtStreck->text(), u"0-306-40615-"_s);
}

void TestForm1Entry::copiesRule_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("warned");
    QTest::newRow("0 becomes 1") << u"0"_s << u"1"_s << false;
    QTest::newRow("50 is allowed") << u"50"_s << u"50"_s << false;
    QTest::newRow("51 warns and stays") << u"51"_s << u"51"_s << true;
    QTest::newRow("letters and signs refused") << u"1a.-2"_s << u"12"_s << false;
    QTest::newRow("a huge number warns") << u"99999999999999999999999"_s << u"99999999999999999999999"_s << true;
}

void TestForm1Entry::copiesRule()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(bool, warned);
    QCOMPARE(m_form->txtCopies->text(), u"1"_s);
    m_form->txtCopies->clear();
    typeInto(m_form->txtCopies, keys);
    QCOMPARE(m_form->txtCopies->text(), shown);
    QCOMPARE(m_prompt->asked.isEmpty(), !warned);
    if (warned) {
        const PromptRequest &r = m_prompt->asked.last();
        QCOMPARE(r.text, u"You can make max 50 copies at a time"_s);
        QCOMPARE(r.title, applicationTitle());
        QCOMPARE(r.icon, PromptIcon::Exclamation);
        QCOMPARE(r.buttons, PromptButtons::Ok);
    }
}

void TestForm1Entry::enterPressesMakeCode()
{
    QSignalSpy pressed(m_form->Command1, &QPushButton::clicked);
    typeInto(m_form->TxtStreck, u"400638133393"_s);
    QVERIFY(m_form->Command1->isDefault());
    QTest::keyClick(m_form->TxtStreck, Qt::Key_Return);
    QCOMPARE(pressed.count(), 1);
    m_form->txtSup->setFocus();
    QVERIFY(m_form->Command1->isDefault());
    m_form->txtProduct->setFocus();
    QVERIFY(!m_form->Command1->isDefault());
    // Enter with an incomplete entry presses nothing.
    m_form->TxtStreck->setFocus();
    QTest::keyClick(m_form->TxtStreck, Qt::Key_Backspace);
    QTest::keyClick(m_form->TxtStreck, Qt::Key_Enter);
    QCOMPARE(pressed.count(), 1);
}

void TestForm1Entry::clearEmptiesTheEntry()
{
    clickOption(*m_form, u"chk2digit"_s);
    typeInto(m_form->TxtStreck, u"400638133393"_s);
    typeInto(m_form->txtSup, u"12"_s);
    typeInto(m_form->txtProduct, u"Soap"_s);
    typeInto(m_form->txtFree, u"Lemon"_s);
    m_form->txtCopies->setText(u"3"_s);
    m_form->Command2->click();
    QVERIFY(m_form->TxtStreck->text().isEmpty());
    QVERIFY(m_form->txtSup->text().isEmpty());
    QVERIFY(m_form->txtProduct->text().isEmpty());
    QVERIFY(m_form->txtFree->text().isEmpty());
    QCOMPARE(m_form->txtCopies->text(), u"3"_s);
    QTRY_VERIFY(m_form->txtProduct->hasFocus());
}

void TestForm1Entry::makeCodeAppendsCode39CheckCharacterOnce()
{
    clickOption(*m_form, u"optCode39"_s);
    QVERIFY(m_form->chkModulus43->isVisible());
    typeInto(m_form->TxtStreck, u"abc"_s);
    m_form->Command1->click();
    QCOMPARE(m_form->TxtStreck->text(), u"ABC"_s); // not asked for a check character
    m_form->chkModulus43->setChecked(true);
    m_form->Command1->click();
    QCOMPARE(m_form->TxtStreck->text(), u"ABCX"_s);
    m_form->Command1->click();
    QCOMPARE(m_form->TxtStreck->text(), u"ABCX"_s);
    QCOMPARE(m_form->TypeCode, u"Co39"_s);

    // Another type hides and clears the check box.
    clickOption(*m_form, u"optEAN13"_s);
    QVERIFY(!m_form->chkModulus43->isVisible());
    QVERIFY(!m_form->chkModulus43->isChecked());
}

QTEST_MAIN(TestForm1Entry)
#include "tst_form1_entry.moc"
