// The label read back after "&Make Code": the verdict in the status bar, its hint, and a fast
// run of labels whose last verdict must be the last label's.
#include "size_driver.h"

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

class TestForm1Verify : public QObject, public Form1Fixture {
    Q_OBJECT

    QLabel *verdictLabel() { return m_form->findChild<QLabel *>(u"lblVerify"_s); }

private slots:
    void init() { open(); }
    void cleanup() { close(); }

    void verdictAfterMakeCode()
    {
        enter(m_form->txtFree);
        const QString hintShown = m_form->statusText();
        makeCode(*m_form, u"optEAN13"_s, u"chk5digit"_s, u"400638133393"_s, u"54321"_s, u"Soap"_s);
        QTRY_COMPARE(verdictLabel()->text(), u"\u2713 Scans as EAN-13 4006381333931 + 54321"_s);
        // The verdict has its own panel: the hint the user last saw stays.
        QCOMPARE(m_form->statusText(), hintShown);
        enter(verdictLabel());
        QCOMPARE(m_form->statusText(), u"The label was read back and gives the digits it was made from."_s);
        QVERIFY(m_prompt->asked.isEmpty());
    }

    void lastOfManyLabelsIsJudged()
    {
        clickOption(*m_form, u"optEAN13"_s);
        clickOption(*m_form, u"optNosup"_s);
        QString last;
        for (int i = 0; i < 200; ++i) {
            last = QString::number(501234567000LL + i * 7919LL);
            m_form->TxtStreck->setText(last);
            QVERIFY(m_form->Command1->isEnabled());
            m_form->Command1->click();
            // Now and then the verdicts of earlier labels get their chance to arrive.
            if (i % 7 == 0)
                QCoreApplication::processEvents();
        }
        const QString drawn = decodedJoined(m_form->picTST->image());
        QCOMPARE(drawn.chopped(1), last);
        const QString expected = u"\u2713 Scans as EAN-13 "_s + drawn;
        QTRY_COMPARE(verdictLabel()->text(), expected);
        // No verdict of an older label arrives after it.
        QTest::qWait(300);
        QCOMPARE(verdictLabel()->text(), expected);
    }
};

QTEST_MAIN(TestForm1Verify)
#include "tst_form1_verify.moc"
