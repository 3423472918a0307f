#include "app/image_list_edit.h"
#include "form1_driver.h"
#include "size_driver.h"

#include <QMimeData>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

class TestForm1ImageList : public QObject, public Form1Fixture {
    Q_OBJECT

    QList<ImageListPart> pictures() const { return m_form->RTF1->imageList().pictures(); }

private slots:
    void init() { open(); }
    void cleanup() { close(); }

    void copyBarcodePutsLabelInEveryFormat()
    {
        clickOption(*m_form, u"Option2"_s); // bare symbol, so a drawing is offered too
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        m_form->mnuCopy->trigger();
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        for (const QString &format : {u"png"_s, u"bmp"_s}) {
            const QImage image = QImage::fromData(data->data(u"image/"_s + format));
            QCOMPARE(decodedJoined(image), u"5012345678900"_s);
            QCOMPARE(image.size(), m_form->picTST->image().size());
        }
        QVERIFY(data->hasFormat(u"image/svg+xml"_s));
    }

    void copyTakesTheDefinedLabel()
    {
        typeSize(*m_form, u"optBSmm"_s, u"60"_s, u"30"_s);
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        m_form->chkDefined->click();
        m_form->mnuCopy->trigger();
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), m_form->picTST1->image().size());
        QVERIFY(copied.size() != m_form->picTST->image().size());
        QCOMPARE(decodedJoined(copied), u"5012345678900"_s);
    }

    void popUpMenus()
    {
        QTest::mouseClick(m_form->picTST, Qt::RightButton);
        QVERIFY(m_form->mnuCopyit->isVisible());
        m_form->mnuCopyit->hide();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), m_form->RTF1->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(m_form->RTF1->viewport(), &event);
        QVERIFY(m_form->mnuIMGPaste->isVisible());
        m_form->mnuIMGPaste->hide();
        makeBarcode(u"501234567890"_s);
        m_form->mnuPasteIMG->trigger();
        QCOMPARE(m_form->RTF1->pictureCount(), 2);
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
        QVERIFY(m_form->mnuClearBar->isEnabled() && m_form->mnuPbarcode->isEnabled());
    }

    void batchOverSelectedRecords_data()
    {
        QTest::addColumn<bool>("stopped");
        QTest::newRow("runs") << false;
        QTest::newRow("Escape, Yes") << true;
    }
    void batchOverSelectedRecords()
    {
        QFETCH(bool, stopped);
        addRecord(u"501234567890"_s, u"Soap"_s);
        addRecord(u"400638133393"_s, u"Milk"_s);
        makeBarcode(u"978020137962"_s, u"Shown"_s);
        m_form->ListView3->selectAll();
        if (stopped) {
            QTimer::singleShot(0, m_form, [this] { m_form->cmdCancel->click(); });
            m_prompt->answers.enqueue(PromptAnswer::Yes);
        }
        m_form->cmdToRTF1->click();
        QCOMPARE(m_prompt->texts(),
                 stopped ? QStringList{u"You have pressed Escape (ESC), Do you want to stop ?"_s} : QStringList{});
        QCOMPARE(pictures().size(), stopped ? 0 : 4);
        if (!stopped) {
            QCOMPARE(decodedJoined(pictures()[0].image), u"5012345678900"_s);
            QCOMPARE(decodedJoined(pictures()[2].image), u"4006381333931"_s);
        }
    }

    void clearAsksFirst_data()
    {
        QTest::addColumn<PromptAnswer>("answer");
        QTest::newRow("No") << PromptAnswer::No;
        QTest::newRow("Yes") << PromptAnswer::Yes;
    }
    void clearAsksFirst()
    {
        QFETCH(PromptAnswer, answer);
        makeBarcode(u"501234567890"_s);
        m_form->cmdToRTF1->click();
        m_prompt->answers.enqueue(answer);
        m_form->mnuClearBar->trigger();
        checkAsked(*m_prompt, u"Do you want to clear Barcode Image List ?"_s, u"Clear Barcodes."_s,
                   PromptIcon::Question, PromptButtons::YesNo, 3008);
        const bool kept = answer == PromptAnswer::No;
        QCOMPARE(m_form->RTF1->pictureCount(), kept ? 2 : 0);
        QCOMPARE(m_form->mnuClearBar->isEnabled() && m_form->mnuPbarcode->isEnabled(), kept);
    }

    void loadReplacesTheDocument()
    {
        QTemporaryDir folder;
        makeBarcode(u"501234567890"_s);
        m_form->cmdToRTF1->click();
        const QString path = folder.filePath(u"labels.RTF"_s);
        QVERIFY(saveRtfFile(path, m_form->RTF1->imageList()).ok);
        m_form->RTF1->setPlainText(u"typed before loading"_s);
        m_prompt->files.enqueue(path);
        m_form->mnuLoad->trigger();
        QCOMPARE(m_form->RTF1->imageList().text(), QString());
        QCOMPARE(pictures().size(), 2);
    }
};

QTEST_MAIN(TestForm1ImageList)
#include "tst_form1_image_list.moc"
