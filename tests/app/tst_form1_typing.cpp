// The barcode entry as a user meets it, through the controls found by name.
#include "form1_driver.h"

#include "base/units.h"

#include <QAbstractItemView>
#include <QSignalSpy>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

const QString kCode39Hint = u"Code 39 takes at most 85 characters, the check character included."_s;

struct FullBox {
    const char *name;
    QString option, box, entry;
    int selectLeft;
    QString typed, shown;
};

} // namespace

class TestForm1Typing : public QObject, public Form1Fixture {
    Q_OBJECT

    QLabel *statusLabel() const { return m_form->findChild<QLabel *>(u"StatusHint"_s); }
    QString status() const { return statusLabel()->text(); }
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

    void fullBoxKeepsItsEntry_data()
    {
        addRows<FullBox>({
            {"barcode, part selected", u"optEAN13"_s, u"TxtStreck"_s, u"123456789012"_s, 3, u"9"_s, u"123456789012"_s},
            {"barcode, all selected", u"optEAN13"_s, u"TxtStreck"_s, u"123456789012"_s, 12, u"9"_s, u"9"_s},
            {"barcode not full, part selected", u"optEAN13"_s, u"TxtStreck"_s, u"12345"_s, 2, u"9"_s, u"1239"_s},
            {"supplement, part selected", u"chk2digit"_s, u"txtSup"_s, u"12"_s, 1, u"3"_s, u"12"_s},
        });
    }
    void fullBoxKeepsItsEntry()
    {
        QFETCH(FullBox, row);
        clickOption(*m_form, row.option);
        QLineEdit *box = m_form->findChild<QLineEdit *>(row.box);
        typeInto(box, row.entry);
        for (int i = 0; i < row.selectLeft; ++i)
            QTest::keyClick(box, Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClicks(box, row.typed);
        QCOMPARE(box->text(), row.shown);
    }

    void enterPressesTheDefaultButton()
    {
        QSignalSpy pressed(m_form->Command1, &QPushButton::clicked);
        clickOption(*m_form, u"chk2digit"_s);
        typeInto(m_form->TxtStreck, u"400638133393"_s);
        QVERIFY(m_form->Command1->isDefault());
        typeInto(m_form->txtSup, u"12"_s);
        QVERIFY(m_form->Command1->isEnabled());
        pressEnterIn(m_form->txtSup);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(decodedText(m_form->picTST->image()), u"400638133393112"_s);

        pressEnterIn(m_form->txtProduct);
        QCOMPARE(pressed.count(), 2);

        focus(m_form->TxtStreck);
        focus(m_form->txtFree);
        QVERIFY(!m_form->Command1->isDefault());
        pressEnterIn(m_form->txtFree);
        QCOMPARE(pressed.count(), 2);
        focus(m_form->TxtStreck);
        QTest::keyClick(m_form->TxtStreck, Qt::Key_Backspace);
        pressEnterIn(m_form->txtProduct);
        QCOMPARE(pressed.count(), 2);
    }

    void isbnJudgedAgainAfterAnEdit()
    {
        const QString wrong = u"The ISBN code input is wrong, expected 2. Accept Input anyway ?"_s;
        const QString dividers = u"ISBN code is wrong to few deviders (-), you should have 3"_s;
        clickOption(*m_form, u"optISBN"_s);
        m_prompt->answers.enqueue(PromptAnswer::Yes);
        typeInto(m_form->TxtStreck, u"0-306-40615-3"_s);
        QCOMPARE(m_prompt->texts(), QStringList{wrong});
        for (Qt::Key key : {Qt::Key_Home, Qt::Key_Right, Qt::Key_End, Qt::Key_Shift})
            QTest::keyClick(m_form->TxtStreck, key);
        QCOMPARE(m_prompt->asked.size(), 1);
        m_prompt->answers.enqueue(PromptAnswer::Yes);
        QTest::keyClick(m_form->TxtStreck, Qt::Key_Backspace);
        QTest::keyClicks(m_form->TxtStreck, u"3"_s);
        QCOMPARE(m_prompt->texts(), (QStringList{wrong, wrong}));

        m_prompt->clear();
        m_form->TxtStreck->clear();
        typeInto(m_form->TxtStreck, u"00-30640615-2"_s);
        QTest::keyClicks(m_form->TxtStreck, u"--"_s);
        QCOMPARE(m_prompt->texts(), (QStringList{dividers, dividers, dividers}));
        QCOMPARE(m_form->TxtStreck->text(), u"00-30640615-2"_s);
    }

    void savedCode39StartsDisabled()
    {
        close();
        resetSettings();
        QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Quorran"_s, u"Barcode"_s)
            .setValue(u"F1Bar"_s, u"Co39"_s);
        m_prompt = new RecordingPrompt;
        m_form = new Form1(Edition::Alla);
        m_form->show();
        QVERIFY(m_form->optCode39->isChecked());
        QVERIFY(!m_form->Command1->isEnabled());
        QVERIFY(!m_form->Command4->isEnabled());
        typeInto(m_form->TxtStreck, u"A"_s);
        QVERIFY(m_form->Command1->isEnabled());
        QVERIFY(m_form->Command4->isEnabled());
    }

    void isbnCaptionHasOneTrailingBlank()
    {
        clickOption(*m_form, u"optISBN"_s);
        QCOMPARE(m_form->windowTitle(), u"Kelbrix.  - ISBN "_s);
    }

    void bareSymbolHasTheProductLineHeight()
    {
        typeInto(m_form->TxtStreck, u"400638133393"_s);
        typeInto(m_form->txtProduct, u"Soap"_s);
        const auto clipboardTwips = [] {
            const QImage symbol = QApplication::clipboard()->image();
            return symbol.height() * kTwipsPerInch / dotsPerInchOf(symbol.dotsPerMeterY());
        };
        m_form->Command1->click();
        QVERIFY(std::abs(clipboardTwips() - 1065) < 6);
        QCOMPARE(decodedText(QApplication::clipboard()->image()), u"4006381333931"_s);
        m_form->Option2->click();
        QVERIFY(std::abs(clipboardTwips() - 900) < 6);
    }

    void labelPaintedAfreshOverTheLastOne()
    {
        const auto make = [this](Form1 &form, const QString &barcode, const QString &product) {
            for (const QString &name : {u"TxtStreck"_s, u"txtProduct"_s})
                form.findChild<QLineEdit *>(name)->clear();
            typeInto(form.findChild<QLineEdit *>(u"TxtStreck"_s), barcode);
            typeInto(form.findChild<QLineEdit *>(u"txtProduct"_s), product);
            form.findChild<QPushButton *>(u"Command1"_s)->click();
            return std::pair(form.findChild<LabelPicture *>(u"picTST"_s)->image(), QApplication::clipboard()->image());
        };
        make(*m_form, u"400638133393"_s, u"Lemon soap 250 g"_s);
        const auto [label, symbol] = make(*m_form, u"501234567890"_s, u"Milk"_s);
        Form1 fresh(Edition::Alla);
        fresh.show();
        const auto [freshLabel, freshSymbol] = make(fresh, u"501234567890"_s, u"Milk"_s);
        QCOMPARE(label, freshLabel);
        QCOMPARE(symbol, freshSymbol);
        QCOMPARE(decodedText(label), u"5012345678900"_s);
    }

    void code39StopsAtItsLongest()
    {
        clickOption(*m_form, u"optCode39"_s);
        const QString ninety = u"0123456789"_s.repeated(9);
        typeInto(m_form->TxtStreck, ninety);
        QCOMPARE(m_form->TxtStreck->text(), ninety.left(85));
        QCOMPARE(status(), kCode39Hint);
        m_form->Command1->click();
        QCOMPARE(decodedText(m_form->picTST->image()), ninety.left(85));

        statusLabel()->clear();
        m_form->chkModulus43->setChecked(true);
        m_form->Command1->click();
        QCOMPARE(m_form->TxtStreck->text(), ninety.left(85));
        QCOMPARE(status(), kCode39Hint);
        QCOMPARE(decodedText(m_form->picTST->image()), ninety.left(85));
    }

    void refusedValuePutsTheRecordBack()
    {
        typeInto(m_form->TxtStreck, u"400638133393"_s);
        typeInto(m_form->txtProduct, u"Soap"_s);
        m_form->Command4->click();
        auto *list = m_form->ListView3;
        QCOMPARE(list->model()->rowCount(), 1);
        list->setCurrentIndex(list->model()->index(0, 0));
        delete new Form1(Edition::Alla);

        clickOption(*m_form, u"optUPCE"_s);
        m_form->TxtStreck->clear();
        typeInto(m_form->TxtStreck, u"5123456"_s);
        m_form->Command1->click();
        QVERIFY(m_prompt->asked.isEmpty());
        QCOMPARE(m_form->TxtStreck->text(), u"400638133393"_s);
        QVERIFY(m_form->optEAN13->isChecked());
        QCOMPARE(decodedText(m_form->picTST->image()), u"4006381333931"_s);
    }
};

QTEST_MAIN(TestForm1Typing)
#include "tst_form1_typing.moc"
