#include "app/image_list_edit.h"
#include "form1_driver.h"
#include "list/image_list_document.h"
#include "size_driver.h"

#include <QFile>
#include <QTemporaryDir>

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

    // The image list holds two labels saved to a file, and maybe one more not saved; a damaged
    // copy of the file is loaded.
    void loadingADamagedFileLosesNothingUnasked_data()
    {
        QTest::addColumn<bool>("unsavedLabel");
        QTest::addColumn<QList<PromptAnswer>>("answers");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("partTaken");
        QTest::newRow("unsaved: not replaced") << true << QList<PromptAnswer>{PromptAnswer::No} << 1 << false;
        QTest::newRow("unsaved, damaged: kept")
            << true << QList<PromptAnswer>{PromptAnswer::Yes, PromptAnswer::Yes} << 2 << false;
        QTest::newRow("saved, damaged: kept") << false << QList<PromptAnswer>{PromptAnswer::Yes} << 1 << false;
        QTest::newRow("saved, damaged: part taken") << false << QList<PromptAnswer>{PromptAnswer::No} << 1 << true;
    }
    void loadingADamagedFileLosesNothingUnasked()
    {
        QFETCH(bool, unsavedLabel);
        QFETCH(QList<PromptAnswer>, answers);
        QFETCH(int, questions);
        QFETCH(bool, partTaken);
        QTemporaryDir dir;
        makeBarcode(u"501234567890"_s);
        m_form->cmdToRTF1->click();
        makeBarcode(u"400638133393"_s);
        m_form->cmdToRTF1->click();
        const QString saved = dir.filePath(u"labels.rtf"_s);
        m_prompt->files.enqueue(saved);
        m_form->mnuAs->trigger();
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray whole = file.readAll();
        const RtfReadResult part = readRtf(whole.left(whole.size() * 3 / 4));
        QVERIFY(!part.ok() && part.document.pictures().size() == 2);
        QFile damaged(dir.filePath(u"damaged.rtf"_s));
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write(whole.left(whole.size() * 3 / 4)) > 0);
        damaged.close();
        if (unsavedLabel)
            m_form->cmdToRTF1->click();
        const QList<ImageListPart> before = pictures();

        m_prompt->answers.append(answers);
        m_form->loadListFile(damaged.fileName());
        QCOMPARE(m_prompt->asked.size(), questions);
        if (unsavedLabel) {
            QCOMPARE(m_prompt->asked[0].text, u"The Barcode Image List has changes that are not saved. Do you want "
                                              u"to replace it with damaged.rtf ?"_s);
        }
        if (questions > 1 || !unsavedLabel) {
            const PromptRequest &damagedQuestion = m_prompt->asked.constLast();
            QCOMPARE(damagedQuestion.text, damaged.fileName() + u": "_s + part.message +
                                               u"\nOnly part of the file could be read. Do you want to keep the "
                                               u"Barcode Image List you have instead ?"_s);
            QCOMPARE(damagedQuestion.buttons, PromptButtons::YesNo);
        }
        QCOMPARE(pictures().size(), partTaken ? 2 : before.size());
        if (!partTaken)
            QCOMPARE(pictures()[before.size() - 2].image, before[before.size() - 2].image);
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
