// The label leaving the main window: "&Copy Barcode", the pop-up menus, and the image list with
// ">>", copies, the batch over selected records, clearing and loading.
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

    void makeCode(const QString &digits, const QString &product = QString())
    {
        m_form->txtProduct->setText(product);
        m_form->TxtStreck->clear();
        typeInto(m_form->TxtStreck, digits);
        m_form->Command1->click();
    }
    void listTwoAndSelectThem()
    {
        for (const auto &[digits, product] :
             {std::pair{u"501234567890"_s, u"Soap"_s}, {u"400638133393"_s, u"Milk"_s}}) {
            makeCode(digits, product);
            m_form->Command4->click();
        }
        m_form->ListView3->selectAll();
    }
    QList<ImageListPart> pictures() const { return m_form->RTF1->imageList().pictures(); }

private slots:
    void init() { open(); }
    void cleanup() { close(); }

    void copyBarcodePutsLabelInEveryFormat()
    {
        clickOption(*m_form, u"Option2"_s); // bare symbol, so a drawing is offered too
        makeCode(u"501234567890"_s, u"Soap"_s);
        m_form->mnuCopy->trigger();
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        for (const QString &format : {u"png"_s, u"bmp"_s}) {
            const QImage image = QImage::fromData(data->data(u"image/"_s + format));
            QCOMPARE(decodedJoined(image), u"5012345678900"_s);
            QCOMPARE(image.size(), m_form->picTST->image().size());
        }
        QVERIFY(data->hasFormat(u"image/svg+xml"_s));
    }

    void copyTakesTheDefinedOrTheEmptyLabel()
    {
        m_form->mnuCopy->trigger();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), m_form->picTST->image().size());
        QCOMPARE(decodedJoined(QGuiApplication::clipboard()->image()), QString());
        typeSize(*m_form, u"optBSmm"_s, u"60"_s, u"30"_s);
        makeCode(u"501234567890"_s, u"Soap"_s);
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
        makeCode(u"501234567890"_s);
        m_form->mnuPasteIMG->trigger();
        QCOMPARE(m_form->RTF1->pictureCount(), 2);
    }

    void moveInsertsLabelAndSpacerPerCopy()
    {
        makeCode(u"400638133393"_s, u"Milk"_s);
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

    void moveWithTwoSelectedRecordsRunsTheBatch()
    {
        listTwoAndSelectThem();
        makeCode(u"978020137962"_s, u"Shown"_s);
        m_form->ListView3->selectAll();
        m_form->cmdToRTF1->click();
        QCOMPARE(pictures().size(), 4);
        QCOMPARE(decodedJoined(pictures()[0].image), u"5012345678900"_s);
        QCOMPARE(decodedJoined(pictures()[2].image), u"4006381333931"_s);
    }

    void escapeStopsTheBatchWhenConfirmed()
    {
        listTwoAndSelectThem();
        QTimer::singleShot(0, m_form, [this] { m_form->cmdCancel->click(); });
        m_prompt->answers.enqueue(PromptAnswer::Yes);
        m_form->cmdToRTF1->click();
        QCOMPARE(m_prompt->texts(), QStringList{u"You have pressed Escape (ESC), Do you want to stop ?"_s});
        QCOMPARE(m_form->RTF1->pictureCount(), 0);
    }

    void clearAsksFirst()
    {
        makeCode(u"501234567890"_s);
        m_form->cmdToRTF1->click();
        for (PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Yes}) {
            m_prompt->clear();
            m_prompt->answers.enqueue(answer);
            m_form->mnuClearBar->trigger();
            checkAsked(*m_prompt, u"Do you want to clear Barcode Image List ?"_s, u"Clear Barcodes."_s,
                       PromptIcon::Question, PromptButtons::YesNo, 3008);
            const bool kept = answer == PromptAnswer::No;
            QCOMPARE(m_form->RTF1->pictureCount(), kept ? 2 : 0);
            QCOMPARE(m_form->mnuClearBar->isEnabled(), kept);
            QCOMPARE(m_form->mnuPbarcode->isEnabled(), kept);
        }
    }

    void loadReplacesTheDocument()
    {
        QTemporaryDir folder;
        makeCode(u"501234567890"_s);
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
