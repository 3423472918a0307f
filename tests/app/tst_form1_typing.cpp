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

    template <typename T = QWidget> T *control(const QString &name) const
    {
        T *found = m_form->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QLineEdit *box(const QString &name) const { return control<QLineEdit>(name); }
    QPushButton *makeCode() const { return control<QPushButton>(u"Command1"_s); }
    QString status() const { return control<QLabel>(u"StatusHint"_s)->text(); }
    void focus(const QString &name)
    {
        box(name)->setFocus();
        QTRY_VERIFY(box(name)->hasFocus());
    }
    void pressEnterIn(const QString &name)
    {
        focus(name);
        QTest::keyClick(box(name), Qt::Key_Return);
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
        typeInto(box(row.box), row.entry);
        for (int i = 0; i < row.selectLeft; ++i)
            QTest::keyClick(box(row.box), Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClicks(box(row.box), row.typed);
        QCOMPARE(box(row.box)->text(), row.shown);
    }

    void enterPressesTheDefaultButton()
    {
        QSignalSpy pressed(makeCode(), &QPushButton::clicked);
        clickOption(*m_form, u"chk2digit"_s);
        typeInto(box(u"TxtStreck"_s), u"400638133393"_s);
        QVERIFY(makeCode()->isDefault());
        typeInto(box(u"txtSup"_s), u"12"_s);
        QVERIFY(makeCode()->isEnabled());
        pressEnterIn(u"txtSup"_s);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(decodedText(control<LabelPicture>(u"picTST"_s)->image()), u"400638133393112"_s);

        pressEnterIn(u"txtProduct"_s);
        QCOMPARE(pressed.count(), 2);

        focus(u"TxtStreck"_s);
        focus(u"txtFree"_s);
        QVERIFY(!makeCode()->isDefault());
        pressEnterIn(u"txtFree"_s);
        QCOMPARE(pressed.count(), 2);
        focus(u"TxtStreck"_s);
        QTest::keyClick(box(u"TxtStreck"_s), Qt::Key_Backspace);
        pressEnterIn(u"txtProduct"_s);
        QCOMPARE(pressed.count(), 2);
    }

    void isbnJudgedAgainAfterAnEdit()
    {
        const QString wrong = u"The ISBN code input is wrong, expected 2. Accept Input anyway ?"_s;
        const QString dividers = u"ISBN code is wrong to few deviders (-), you should have 3"_s;
        clickOption(*m_form, u"optISBN"_s);
        m_prompt->answers.enqueue(PromptAnswer::Yes);
        typeInto(box(u"TxtStreck"_s), u"0-306-40615-3"_s);
        QCOMPARE(m_prompt->texts(), QStringList{wrong});
        for (Qt::Key key : {Qt::Key_Home, Qt::Key_Right, Qt::Key_End, Qt::Key_Shift})
            QTest::keyClick(box(u"TxtStreck"_s), key);
        QCOMPARE(m_prompt->asked.size(), 1);
        m_prompt->answers.enqueue(PromptAnswer::Yes);
        QTest::keyClick(box(u"TxtStreck"_s), Qt::Key_Backspace);
        QTest::keyClicks(box(u"TxtStreck"_s), u"3"_s);
        QCOMPARE(m_prompt->texts(), (QStringList{wrong, wrong}));

        m_prompt->clear();
        box(u"TxtStreck"_s)->clear();
        typeInto(box(u"TxtStreck"_s), u"00-30640615-2"_s);
        QTest::keyClicks(box(u"TxtStreck"_s), u"--"_s);
        QCOMPARE(m_prompt->texts(), (QStringList{dividers, dividers, dividers}));
        QCOMPARE(box(u"TxtStreck"_s)->text(), u"00-30640615-2"_s);
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
        QVERIFY(control<QRadioButton>(u"optCode39"_s)->isChecked());
        QVERIFY(!makeCode()->isEnabled());
        QVERIFY(!control<QPushButton>(u"Command4"_s)->isEnabled());
        typeInto(box(u"TxtStreck"_s), u"A"_s);
        QVERIFY(makeCode()->isEnabled());
        QVERIFY(control<QPushButton>(u"Command4"_s)->isEnabled());
    }

    void isbnCaptionHasOneTrailingBlank()
    {
        clickOption(*m_form, u"optISBN"_s);
        QCOMPARE(m_form->windowTitle(), u"Kelbrix.  - ISBN "_s);
        clickOption(*m_form, u"chk5digit"_s);
        clickOption(*m_form, u"optEAN13"_s);
        clickOption(*m_form, u"optISBN"_s);
        QCOMPARE(m_form->windowTitle(), u"Kelbrix.  - ISBN  - 5 Digits"_s);
    }

    void bareSymbolHasTheProductLineHeight()
    {
        typeInto(box(u"TxtStreck"_s), u"400638133393"_s);
        typeInto(box(u"txtProduct"_s), u"Soap"_s);
        const auto clipboardTwips = [] {
            const QImage symbol = QApplication::clipboard()->image();
            return symbol.height() * kTwipsPerInch / dotsPerInchOf(symbol.dotsPerMeterY());
        };
        makeCode()->click();
        QVERIFY(std::abs(clipboardTwips() - 1065) < 6);
        QCOMPARE(decodedText(QApplication::clipboard()->image()), u"4006381333931"_s);
        control<QRadioButton>(u"Option2"_s)->click();
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
        typeInto(box(u"TxtStreck"_s), ninety);
        QCOMPARE(box(u"TxtStreck"_s)->text(), ninety.left(85));
        QCOMPARE(status(), kCode39Hint);
        makeCode()->click();
        QCOMPARE(decodedText(control<LabelPicture>(u"picTST"_s)->image()), ninety.left(85));

        control<QLabel>(u"StatusHint"_s)->clear();
        control<QCheckBox>(u"chkModulus43"_s)->setChecked(true);
        makeCode()->click();
        QCOMPARE(box(u"TxtStreck"_s)->text(), ninety.left(85));
        QCOMPARE(status(), kCode39Hint);
        QCOMPARE(decodedText(control<LabelPicture>(u"picTST"_s)->image()), ninety.left(85));
    }

    void refusedValuePutsTheRecordBack()
    {
        typeInto(box(u"TxtStreck"_s), u"400638133393"_s);
        typeInto(box(u"txtProduct"_s), u"Soap"_s);
        control<QPushButton>(u"Command4"_s)->click();
        auto *list = control<QAbstractItemView>(u"ListView3"_s);
        QCOMPARE(list->model()->rowCount(), 1);
        list->setCurrentIndex(list->model()->index(0, 0));
        delete new Form1(Edition::Alla);

        clickOption(*m_form, u"optUPCE"_s);
        box(u"TxtStreck"_s)->clear();
        typeInto(box(u"TxtStreck"_s), u"5123456"_s);
        makeCode()->click();
        QVERIFY(m_prompt->asked.isEmpty());
        QCOMPARE(box(u"TxtStreck"_s)->text(), u"400638133393"_s);
        QVERIFY(control<QRadioButton>(u"optEAN13"_s)->isChecked());
        QCOMPARE(decodedText(control<LabelPicture>(u"picTST"_s)->image()), u"4006381333931"_s);
    }
};

QTEST_MAIN(TestForm1Typing)
#include "tst_form1_typing.moc"
