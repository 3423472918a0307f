#include "app/image_list_edit.h"
#include "form1_driver.h"
#include "size_driver.h"

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

class TestForm1ImageList : public QObject, public Form1Fixture {
    Q_OBJECT

    QList<ImageListPart> pictures() const { return m_form->RTF1->imageList().pictures(); }

private slots:
    void init() { open(); }
    void cleanup() { close(); }

    void copyTakesTheDefinedOrTheEmptyLabel()
    {
        m_form->mnuCopy->trigger();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), m_form->picTST->image().size());
        QCOMPARE(decodedJoined(QGuiApplication::clipboard()->image()), QString());
        typeSize(*m_form, u"optBSmm"_s, u"60"_s, u"30"_s);
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        m_form->chkDefined->click();
        m_form->mnuCopy->trigger();
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), m_form->picTST1->image().size());
        QVERIFY(copied.size() != m_form->picTST->image().size());
        QCOMPARE(decodedJoined(copied), u"5012345678900"_s);
    }

    void moveInsertsLabelAndSpacerPerCopy()
    {
        makeBarcode(u"400638133393"_s, u"Milk"_s);
        m_form->txtCopies->clear();
        typeInto(m_form->txtCopies, u"3"_s);
        m_form->cmdToRTF1->click();
        QCOMPARE(pictures().size(), 6);
        for (int i = 0; i < 6; i += 2) {
            QCOMPARE(decodedJoined(pictures()[i].image), u"4006381333931"_s);
            QCOMPARE(pictures()[i + 1].heightTwips, 285.0); // the spacer
        }
    }

    void moveWithTwoSelectedRecordsRunsTheBatch()
    {
        addRecord(u"501234567890"_s, u"Soap"_s);
        addRecord(u"400638133393"_s, u"Milk"_s);
        makeBarcode(u"978020137962"_s, u"Shown"_s);
        m_form->ListView3->selectAll();
        m_form->cmdToRTF1->click();
        QCOMPARE(pictures().size(), 4);
        QCOMPARE(decodedJoined(pictures()[0].image), u"5012345678900"_s);
        QCOMPARE(decodedJoined(pictures()[2].image), u"4006381333931"_s);
    }

    void clearAsksFirst()
    {
        makeBarcode(u"501234567890"_s);
        m_form->cmdToRTF1->click();
        m_prompt->answers.enqueue(PromptAnswer::No);
        m_form->mnuClearBar->trigger();
        checkAsked(*m_prompt, u"Do you want to clear Barcode Image List ?"_s, u"Clear Barcodes."_s,
                   PromptIcon::Question, PromptButtons::YesNo, 3008);
        QCOMPARE(m_form->RTF1->pictureCount(), 2);
        QVERIFY(m_form->mnuClearBar->isEnabled() && m_form->mnuPbarcode->isEnabled());
        m_prompt->answers.enqueue(PromptAnswer::Yes);
        m_form->mnuClearBar->trigger();
        QCOMPARE(m_form->RTF1->pictureCount(), 0);
        QVERIFY(!m_form->mnuClearBar->isEnabled() && !m_form->mnuPbarcode->isEnabled());
    }
};

QTEST_MAIN(TestForm1ImageList)
#include "tst_form1_image_list.moc"
