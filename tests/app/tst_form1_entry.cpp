// The barcode entry of the main window driven with real keys, and the type and supplement
// options: TypeCode, caption, supplement rules and editions.
#include "form1_driver.h"

#include <QEnterEvent>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

struct Entry {
    const char *name;
    QString option, keys, shown;
    bool makeEnabled = true;
    bool paste = false;
    bool copiesWarned = false;
};

struct Change {
    const char *name;
    QString from, digits, to, kept, typeCode;
    bool supplementsOffered = true;
};

} // namespace

class TestForm1Entry : public QObject, public Form1Fixture {
    Q_OBJECT
private slots:
    void init() { open(); }
    void cleanup() { close(); }

    void typing_data()
    {
        addRows<Entry>({
            {"EAN-13, 13th digit discarded", u"optEAN13"_s, u"4006381333931"_s, u"400638133393"_s},
            {"EAN-13 refuses letters, stops, minus, blanks", u"optEAN13"_s, u"4a0.0-6 x3X"_s, u"40063"_s, false},
            {"ISBN, x becomes X", u"optISBN"_s, u"0-8044-2957-x"_s, u"0-8044-2957-X"_s},
            {"Code 39, capitals", u"optCode39"_s, u"abc-12 $/+%."_s, u"ABC-12 $/+%."_s},
            {"2 digits: third discarded", u"chk2digit"_s, u"123"_s, u"12"_s},
            {"pasted EAN-13, wrong check digit", u"optEAN13"_s, u"4006381333930"_s, u"400638133393"_s, true, true},
            {"copies: 0 becomes 1", u"txtCopies"_s, u"0"_s, u"1"_s, false},
            {"copies: 51 warns and stays", u"txtCopies"_s, u"51"_s, u"51"_s, false, false, true},
        });
    }
    void typing()
    {
        QFETCH(Entry, row);
        QLineEdit *box = row.option == u"txtCopies"_s ? m_form->txtCopies : m_form->TxtStreck;
        if (box == m_form->txtCopies)
            box->clear();
        else
            clickOption(*m_form, row.option);
        if (row.option.startsWith(u"chk"_s)) {
            typeInto(box, u"400638133393"_s);
            box = m_form->txtSup;
        }
        if (row.paste)
            pasteInto(box, row.keys);
        else
            typeInto(box, row.keys);
        QCOMPARE(box->text(), row.shown);
        QCOMPARE(m_form->Command1->isEnabled(), row.makeEnabled);
        if (row.copiesWarned) {
            m_prompt->asked = {m_prompt->asked.last()};
            checkAsked(*m_prompt, u"You can make max 50 copies at a time"_s, applicationTitle(),
                       PromptIcon::Exclamation, PromptButtons::Ok);
        } else {
            QVERIFY(m_prompt->asked.isEmpty());
        }
    }

    void isbnAnsweredNoCutsTheCheckCharacter()
    {
        clickOption(*m_form, u"optISBN"_s);
        m_prompt->answers.enqueue(PromptAnswer::No);
        typeInto(m_form->TxtStreck, u"0-306-40615-3"_s);
        checkAsked(*m_prompt, u"The ISBN code input is wrong, expected 2. Accept Input anyway ?"_s, u"ISBN Error"_s,
                   PromptIcon::Exclamation, PromptButtons::YesNo);
        QCOMPARE(m_form->TxtStreck->text(), u"0-306-40615-"_s);
        QCOMPARE(m_form->TxtStreck->cursorPosition(), 12);
        QVERIFY(!m_form->Command1->isEnabled());
        for (Qt::Key key : {Qt::Key_Home, Qt::Key_Shift, Qt::Key_Left, Qt::Key_End})
            QTest::keyClick(m_form->TxtStreck, key);
        QCOMPARE(m_prompt->asked.size(), 1);
    }

    void clearEmptiesTheEntry()
    {
        clickOption(*m_form, u"chk2digit"_s);
        const QList<QLineEdit *> boxes{m_form->TxtStreck, m_form->txtSup, m_form->txtProduct, m_form->txtFree};
        for (QLineEdit *box : boxes)
            typeInto(box, u"12"_s);
        m_form->txtCopies->setText(u"3"_s);
        m_form->Command2->click();
        for (QLineEdit *box : boxes)
            QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
        QCOMPARE(m_form->txtCopies->text(), u"3"_s);
        QTRY_VERIFY(m_form->txtProduct->hasFocus());
    }

    void captionsAfterEveryHandler()
    {
        const QList<std::tuple<QString, QString, QString>> steps{
            {u"optEAN8"_s, u"Kelbrix.  - EAN 8 "_s, u"E80 "_s},
            {u"chk2digit"_s, u"Kelbrix.  EAN 8 - 2 Digits"_s, u"E82 "_s},
            {u"optEAN13"_s, u"Kelbrix.  - EAN 13 - 2 Digits"_s, u"E132"_s},
            {u"chk5digit"_s, u"Kelbrix.  EAN 13 - 5 Digits"_s, u"E135"_s},
            {u"optISBN"_s, u"Kelbrix.  - ISBN  - 5 Digits"_s, u"ISB5"_s},
            {u"optNosup"_s, u"Kelbrix.  ISBN  "_s, u"ISB0"_s},
            {u"optCode39"_s, u"Kelbrix.  - Code 39"_s, u"Co39"_s},
        };
        for (const auto &[option, caption, typeCode] : steps) {
            clickOption(*m_form, option);
            QCOMPARE(m_form->windowTitle(), caption);
            QCOMPARE(m_form->typeCode(), typeCode);
            QCOMPARE(m_form->Label2->text(), typeCode.startsWith(u"ISB"_s) ? u"ISBN Code"_s : u"Barcode"_s);
            QCOMPARE(m_form->typeCodeOfOptions(), typeCode);
            m_form->Command1->setEnabled(true);
            m_form->Command1->click();
            QCOMPARE(m_form->typeCode(), typeCode);
        }
    }

    void supplementRules_data()
    {
        addRows<Change>({
            {"ISBN takes away 2 digits", u"chk2digit"_s, u"12"_s, u"optISBN"_s, {}, u"ISB0"_s},
            {"SCC-14 has no supplement", u"chk5digit"_s, u"12345"_s, u"optSCC14"_s, {}, u"SC14"_s, false},
            {"5 digits to 2 empties", u"chk5digit"_s, u"12345"_s, u"chk2digit"_s, {}, u"E132"_s},
            {"2 digits to 5 keeps", u"chk2digit"_s, u"12"_s, u"chk5digit"_s, u"12"_s, u"E135"_s},
        });
    }
    void supplementRules()
    {
        QFETCH(Change, row);
        const auto &[name, from, digits, to, kept, typeCode, supplementsOffered] = row;
        clickOption(*m_form, from);
        typeInto(m_form->txtSup, digits);
        clickOption(*m_form, to);
        QCOMPARE(m_form->txtSup->text(), kept);
        QCOMPARE(m_form->typeCode(), typeCode);
        QCOMPARE(m_form->Frame2->isEnabled(), supplementsOffered);
        QCOMPARE(m_form->txtSup->isEnabled(), supplementsOffered && !typeCode.endsWith(u'0'));
        QCOMPARE(m_form->chk2digit->isEnabled(), supplementsOffered && to != u"optISBN"_s);
        if (!supplementsOffered) {
            QVERIFY(m_form->optNosup->isChecked());
            QCOMPARE(m_form->supplementLength(), 0);
            QCOMPARE(m_form->Command1->isEnabled(), typeCode == u"Co39"_s);
        }
        clickOption(*m_form, u"optUPCA"_s);
        QVERIFY(m_form->chk2digit->isEnabled());
    }

    void upcEdition()
    {
        Form1 form{Edition::Upc};
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), u"UPC Kelbrix.  UPC A "_s);
        QCOMPARE(form.typeCode(), u"UPA0"_s);
        const QStringList hidden{u"optEAN13"_s, u"optEAN8"_s, u"optISBN"_s, u"optSCC14"_s};
        for (QRadioButton *option : form.Frame1->findChildren<QRadioButton *>())
            QCOMPARE(option->isVisible(), !hidden.contains(option->objectName()));
        QVERIFY(form.optUPCA->isChecked());
        QCOMPARE(form.entryLength(), 11);
    }
};

QTEST_MAIN(TestForm1Entry)
#include "tst_form1_entry.moc"
