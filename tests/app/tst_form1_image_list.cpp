// The label leaving the main window: "&Copy Barcode", the pop-up menu, and the image list with
// ">>", copies, the batch over selected records, "Paste Barcode", clearing and loading.
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

    template <typename T> T *child(const QString &name) const
    {
        T *found = m_form->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    ImageListEdit *imageList() const { return child<ImageListEdit>(u"RTF1"_s); }
    QAction *action(const QString &name) const { return child<QAction>(name); }

    void makeCode(const QString &digits, const QString &product = QString())
    {
        child<QLineEdit>(u"txtProduct"_s)->setText(product);
        auto *entry = child<QLineEdit>(u"TxtStreck"_s);
        entry->clear();
        typeInto(entry, digits);
        child<QPushButton>(u"Command1"_s)->click();
    }
    void addToList(const QString &digits, const QString &product)
    {
        makeCode(digits, product);
        child<QPushButton>(u"Command4"_s)->click();
    }
    void setCopies(int copies)
    {
        auto *box = child<QLineEdit>(u"txtCopies"_s);
        box->clear();
        typeInto(box, QString::number(copies));
    }
    static QString decoded(const QImage &image) { return decodedText(image).remove(u'|'); }

private slots:
    void init() { open(); }
    void cleanup() { close(); }

    void copyBarcodePutsLabelInEveryFormat()
    {
        clickOption(*m_form, u"Option2"_s); // bare symbol, so a drawing is offered too
        makeCode(u"501234567890"_s, u"Soap"_s);
        action(u"mnuCopy"_s)->trigger();
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(decoded(qvariant_cast<QImage>(data->imageData())), u"5012345678900"_s);
        for (const char *format : {"PNG", "BMP"}) {
            const QImage image =
                QImage::fromData(data->data(u"image/"_s + QString::fromLatin1(format).toLower()), format);
            QCOMPARE(decoded(image), u"5012345678900"_s);
            QCOMPARE(image.size(), child<LabelPicture>(u"picTST"_s)->image().size());
            QVERIFY(image.dotsPerMeterX() > 0);
        }
        QVERIFY(data->hasFormat(u"image/svg+xml"_s));
    }

    void copyWithDefinedSizeTakesTheDefinedLabel()
    {
        typeSize(*m_form, u"optBSmm"_s, u"60"_s, u"30"_s);
        makeCode(u"501234567890"_s, u"Soap"_s);
        child<QCheckBox>(u"chkDefined"_s)->click();
        action(u"mnuCopy"_s)->trigger();
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), child<LabelPicture>(u"picTST1"_s)->image().size());
        QVERIFY(copied.size() != child<LabelPicture>(u"picTST"_s)->image().size());
        QCOMPARE(decoded(copied), u"5012345678900"_s);
    }

    void copyBeforeAnyBarcodeGivesTheEmptyLabel()
    {
        QGuiApplication::clipboard()->setText(u"something else"_s);
        action(u"mnuCopy"_s)->trigger();
        const QImage image = QGuiApplication::clipboard()->image();
        QCOMPARE(image.size(), child<LabelPicture>(u"picTST"_s)->image().size());
        QCOMPARE(decoded(image), QString());
    }

    void rightClickOnPictureShowsCopyMenu()
    {
        auto *menu = child<QMenu>(u"mnuCopyit"_s);
        QTest::mouseClick(child<LabelPicture>(u"picTST"_s), Qt::LeftButton);
        QVERIFY(!menu->isVisible());
        QTest::mouseClick(child<LabelPicture>(u"picTST"_s), Qt::RightButton);
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->actions().first()->text(), u"Copy"_s);
        menu->hide();
    }

    void moveInsertsLabelAndSpacerPerCopy()
    {
        makeCode(u"400638133393"_s, u"Milk"_s);
        setCopies(3);
        child<QPushButton>(u"cmdToRTF1"_s)->click();
        const QList<ImageListPart> pictures = imageList()->imageList().pictures();
        QCOMPARE(pictures.size(), 6);
        for (int i = 0; i < pictures.size(); i += 2) {
            QCOMPARE(decoded(pictures[i].image), u"4006381333931"_s);
            QCOMPARE(pictures[i].widthTwips, child<LabelPicture>(u"picTST"_s)->widthTwips());
            QCOMPARE(pictures[i + 1].heightTwips, 285.0); // the spacer
        }
        QVERIFY(action(u"mnuClearBar"_s)->isEnabled());
        QVERIFY(action(u"mnuPbarcode"_s)->isEnabled());
    }

    void moveWithTwoSelectedRecordsRunsTheBatch()
    {
        addToList(u"501234567890"_s, u"Soap"_s);
        addToList(u"400638133393"_s, u"Milk"_s);
        makeCode(u"978020137962"_s, u"Shown"_s);
        child<QTreeView>(u"ListView3"_s)->selectAll();
        child<QPushButton>(u"cmdToRTF1"_s)->click();
        const QList<ImageListPart> pictures = imageList()->imageList().pictures();
        QCOMPARE(pictures.size(), 4);
        QCOMPARE(decoded(pictures[0].image), u"5012345678900"_s);
        QCOMPARE(decoded(pictures[2].image), u"4006381333931"_s);
        QCOMPARE(m_form->statusText(), u"Press F1 for Help"_s);
    }

    void escapeStopsTheBatchWhenConfirmed()
    {
        addToList(u"501234567890"_s, u"Soap"_s);
        addToList(u"400638133393"_s, u"Milk"_s);
        child<QTreeView>(u"ListView3"_s)->selectAll();
        QTimer::singleShot(0, m_form, [this] { child<QPushButton>(u"cmdCancel"_s)->click(); });
        m_prompt->answers.enqueue(PromptAnswer::Yes);
        child<QPushButton>(u"cmdToRTF1"_s)->click();
        QCOMPARE(m_prompt->texts(), QStringList{u"You have pressed Escape (ESC), Do you want to stop ?"_s});
        QCOMPARE(imageList()->pictureCount(), 0);
    }

    void pasteBarcodeOnRightClick()
    {
        auto *menu = child<QMenu>(u"mnuIMGPaste"_s);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), imageList()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(imageList()->viewport(), &event);
        QVERIFY(menu->isVisible());
        menu->hide();
        makeCode(u"501234567890"_s);
        action(u"mnuPasteIMG"_s)->trigger();
        QCOMPARE(imageList()->pictureCount(), 2);
    }

    void clearAsksFirst_data()
    {
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<int>("pictures");
        QTest::newRow("No keeps everything") << PromptAnswer::No << 2;
        QTest::newRow("Yes clears") << PromptAnswer::Yes << 0;
    }
    void clearAsksFirst()
    {
        QFETCH(PromptAnswer, answer);
        QFETCH(int, pictures);
        makeCode(u"501234567890"_s);
        child<QPushButton>(u"cmdToRTF1"_s)->click();
        m_prompt->answers.enqueue(answer);
        action(u"mnuClearBar"_s)->trigger();
        checkAsked(*m_prompt, u"Do you want to clear Barcode Image List ?"_s, u"Clear Barcodes."_s,
                   PromptIcon::Question, PromptButtons::YesNo, 3008);
        QCOMPARE(imageList()->pictureCount(), pictures);
        QCOMPARE(action(u"mnuClearBar"_s)->isEnabled(), pictures > 0);
        QCOMPARE(action(u"mnuPbarcode"_s)->isEnabled(), pictures > 0);
    }

    void loadReplacesTheDocument()
    {
        QTemporaryDir folder;
        makeCode(u"501234567890"_s);
        child<QPushButton>(u"cmdToRTF1"_s)->click();
        const QString path = folder.filePath(u"labels.RTF"_s);
        QVERIFY(saveRtfFile(path, imageList()->imageList()).ok);
        m_prompt->answers.enqueue(PromptAnswer::Yes);
        action(u"mnuClearBar"_s)->trigger();
        imageList()->setPlainText(u"typed before loading"_s);
        m_prompt->files.enqueue(path);
        action(u"mnuLoad"_s)->trigger();
        const ImageListDocument loaded = imageList()->imageList();
        QCOMPARE(loaded.text(), QString());
        QCOMPARE(loaded.pictures().size(), 2);
        QVERIFY(action(u"mnuClearBar"_s)->isEnabled());
        QVERIFY(action(u"mnuPbarcode"_s)->isEnabled());
    }
};

QTEST_MAIN(TestForm1ImageList)
#include "tst_form1_image_list.moc"
