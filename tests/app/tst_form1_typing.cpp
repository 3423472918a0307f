#include "form1_driver.h"

#include <QSignalSpy>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

class TestForm1Typing : public QObject, public Form1Fixture {
    Q_OBJECT

    static void focus(QLineEdit *box)
    {
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
    }
    static void pressEnterIn(QLineEdit *box)
    {
        focus(box);
        QTest::keyClick(box, Qt::Key_Return);
    }

private slots:
    void init()
    {
        open();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form));
    }
    void cleanup() { close(); }

    void fullBoxKeepsItsEntry()
    {
        typeInto(child<QLineEdit>(u"TxtStreck"_s), u"123456789012"_s);
        QTest::keyClick(child<QLineEdit>(u"TxtStreck"_s), Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClicks(child<QLineEdit>(u"TxtStreck"_s), u"9"_s);
        QCOMPARE(child<QLineEdit>(u"TxtStreck"_s)->text(), u"123456789012"_s);
    }

    void enterPressesTheDefaultButton()
    {
        QSignalSpy pressed(child<QPushButton>(u"Command1"_s), &QPushButton::clicked);
        clickOption(*m_form, u"chk2digit"_s);
        typeInto(child<QLineEdit>(u"TxtStreck"_s), u"400638133393"_s);
        typeInto(child<QLineEdit>(u"txtSup"_s), u"12"_s);
        pressEnterIn(child<QLineEdit>(u"txtSup"_s));
        QCOMPARE(decodedText(child<LabelPicture>(u"picTST"_s)->image()), u"400638133393112"_s);
        pressEnterIn(child<QLineEdit>(u"txtProduct"_s));
        QCOMPARE(pressed.count(), 2);
    }

    void isbnJudgedAgainAfterAnEdit()
    {
        const QString wrong = u"The ISBN code input is wrong, expected 2. Accept Input anyway ?"_s;
        const QString dividers = u"ISBN code is wrong to few deviders (-), you should have 3"_s;
        clickOption(*m_form, u"optISBN"_s);
        m_prompt->answers.enqueue(PromptAnswer::Yes);
        typeInto(child<QLineEdit>(u"TxtStreck"_s), u"0-306-40615-3"_s);
        for (Qt::Key key : {Qt::Key_Home, Qt::Key_Right, Qt::Key_End, Qt::Key_Shift})
            QTest::keyClick(child<QLineEdit>(u"TxtStreck"_s), key);
        QCOMPARE(m_prompt->texts(), QStringList{wrong});
        m_prompt->answers.enqueue(PromptAnswer::Yes);
        QTest::keyClick(child<QLineEdit>(u"TxtStreck"_s), Qt::Key_Backspace);
        QTest::keyClicks(child<QLineEdit>(u"TxtStreck"_s), u"3"_s);
        QCOMPARE(m_prompt->texts(), (QStringList{wrong, wrong}));

        m_prompt->clear();
        child<QLineEdit>(u"TxtStreck"_s)->clear();
        typeInto(child<QLineEdit>(u"TxtStreck"_s), u"00-30640615-2--"_s);
        QCOMPARE(m_prompt->texts(), (QStringList{dividers, dividers, dividers}));
        QCOMPARE(child<QLineEdit>(u"TxtStreck"_s)->text(), u"00-30640615-2"_s);
    }

    void code39StopsAtItsLongest()
    {
        const QString hint = u"Code 39 takes at most 85 characters, the check character included."_s;
        auto *status = child<QLabel>(u"StatusHint"_s);
        clickOption(*m_form, u"optCode39"_s);
        const QString ninety = u"0123456789"_s.repeated(9);
        typeInto(child<QLineEdit>(u"TxtStreck"_s), ninety);
        QCOMPARE(child<QLineEdit>(u"TxtStreck"_s)->text(), ninety.left(85));
        QCOMPARE(status->text(), hint);
        child<QPushButton>(u"Command1"_s)->click();
        QCOMPARE(decodedText(child<LabelPicture>(u"picTST"_s)->image()), ninety.left(85));
    }

    void moreThanFiftyCopies()
    {
        child<QLineEdit>(u"txtCopies"_s)->clear();
        typeInto(child<QLineEdit>(u"txtCopies"_s), u"51"_s);
        QCOMPARE(child<QLineEdit>(u"txtCopies"_s)->text(), u"51"_s);
        checkAsked(*m_prompt, u"You can make max 50 copies at a time"_s, applicationTitle(), PromptIcon::Exclamation,
                   PromptButtons::Ok);
    }

    void isbnAnsweredNoCutsTheCheckCharacter()
    {
        clickOption(*m_form, u"optISBN"_s);
        m_prompt->answers.enqueue(PromptAnswer::No);
        typeInto(child<QLineEdit>(u"TxtStreck"_s), u"0-306-40615-3"_s);
        checkAsked(*m_prompt, u"The ISBN code input is wrong, expected 2. Accept Input anyway ?"_s, u"ISBN Error"_s,
                   PromptIcon::Exclamation, PromptButtons::YesNo);
        QCOMPARE(child<QLineEdit>(u"TxtStreck"_s)->text(), u"0-306-40615-"_s);
        QVERIFY(!child<QPushButton>(u"Command1"_s)->isEnabled());
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
            QCOMPARE(child<QLabel>(u"Label2"_s)->text(), typeCode.startsWith(u"ISB"_s) ? u"ISBN Code"_s : u"Barcode"_s);
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
            child<QLineEdit>(u"txtSup"_s)->clear();
            typeInto(child<QLineEdit>(u"txtSup"_s), digits);
            clickOption(*m_form, to);
            QCOMPARE(child<QLineEdit>(u"txtSup"_s)->text(), kept);
            QCOMPARE(m_form->typeCode(), typeCode);
            QVERIFY(child<QGroupBox>(u"Frame2"_s)->isEnabled());
        }
    }
};

QTEST_MAIN(TestForm1Typing)
#include "tst_form1_typing.moc"
