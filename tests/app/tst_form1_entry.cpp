#include "form1_driver.h"

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

class TestForm1Entry : public QObject, public Form1Fixture {
    Q_OBJECT
private slots:
    void init() { open(); }
    void cleanup() { close(); }

    void moreThanFiftyCopies()
    {
        m_form->txtCopies->clear();
        typeInto(m_form->txtCopies, u"51"_s);
        QCOMPARE(m_form->txtCopies->text(), u"51"_s);
        checkAsked(*m_prompt, u"You can make max 50 copies at a time"_s, applicationTitle(), PromptIcon::Exclamation,
                   PromptButtons::Ok);
    }

    void isbnAnsweredNoCutsTheCheckCharacter()
    {
        clickOption(*m_form, u"optISBN"_s);
        m_prompt->answers.enqueue(PromptAnswer::No);
        typeInto(m_form->TxtStreck, u"0-306-40615-3"_s);
        checkAsked(*m_prompt, u"The ISBN code input is wrong, expected 2. Accept Input anyway ?"_s, u"ISBN Error"_s,
                   PromptIcon::Exclamation, PromptButtons::YesNo);
        QCOMPARE(m_form->TxtStreck->text(), u"0-306-40615-"_s);
        QVERIFY(!m_form->Command1->isEnabled());
    }

    void captionsAfterEveryHandler()
    {
        const QList<std::tuple<QString, QString, QString>> steps{
            {u"optISBN"_s, u"Kelbrix.  - ISBN "_s, u"ISB0"_s},
            {u"optEAN8"_s, u"Kelbrix.  - EAN 8 "_s, u"E80 "_s},
            {u"chk2digit"_s, u"Kelbrix.  EAN 8 - 2 Digits"_s, u"E82 "_s},
        };
        for (const auto &[option, caption, typeCode] : steps) {
            clickOption(*m_form, option);
            QCOMPARE(m_form->windowTitle(), caption);
            QCOMPARE(m_form->typeCode(), typeCode);
            QCOMPARE(m_form->Label2->text(), typeCode.startsWith(u"ISB"_s) ? u"ISBN Code"_s : u"Barcode"_s);
        }
    }

    void supplementRules()
    {
        const QList<std::tuple<QString, QString, QString, QString, QString>> changes{
            {u"chk2digit"_s, u"12"_s, u"optISBN"_s, {}, u"ISB0"_s},
            {u"chk2digit"_s, u"12"_s, u"chk5digit"_s, u"12"_s, u"E135"_s},
        };
        for (const auto &[from, digits, to, kept, typeCode] : changes) {
            clickOption(*m_form, u"optEAN13"_s);
            clickOption(*m_form, from);
            m_form->txtSup->clear();
            typeInto(m_form->txtSup, digits);
            clickOption(*m_form, to);
            QCOMPARE(m_form->txtSup->text(), kept);
            QCOMPARE(m_form->typeCode(), typeCode);
            QVERIFY(m_form->Frame2->isEnabled());
        }
    }
};

QTEST_MAIN(TestForm1Entry)
#include "tst_form1_entry.moc"
