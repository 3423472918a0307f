// The label leaving the main window as a user sees it: "&Copy Barcode" and the picture's
// pop-up menu, and the barcode image list with ">>", copies, the batch over selected records,
// "Paste Barcode" and clearing.
#include "app/image_list_edit.h"
#include "base/units.h"
#include "form1_driver.h"
#include "size_driver.h"

#include <QMimeData>
#include <QRegularExpression>
#include <QPainter>
#include <QSvgRenderer>
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
        auto *make = child<QPushButton>(u"Command1"_s);
        QVERIFY(make->isEnabled());
        make->click();
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
        makeCode(u"501234567890"_s, u"Soap"_s);
        QGuiApplication::clipboard()->clear();
        action(u"mnuCopy"_s)->trigger();

        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data);
        QCOMPARE(decoded(qvariant_cast<QImage>(data->imageData())), u"5012345678900"_s);
        for (const char *format : {"PNG", "BMP"}) {
            const QString mime = u"image/"_s + QString::fromLatin1(format).toLower();
            QVERIFY2(data->hasFormat(mime), format);
            const QImage image = QImage::fromData(data->data(mime), format);
            QCOMPARE(decoded(image), u"5012345678900"_s);
            // Full resolution, with the label's resolution recorded, so it pastes at its size.
            QCOMPARE(image.size(), child<LabelPicture>(u"picTST"_s)->image().size());
            QVERIFY(image.dotsPerMeterX() > 0);
        }
    }

    void copyGivesADrawingOfABareSymbol_data()
    {
        QTest::addColumn<bool>("productLine");
        QTest::newRow("bare symbol") << false;
        QTest::newRow("with product line") << true;
    }
    void copyGivesADrawingOfABareSymbol()
    {
        QFETCH(bool, productLine);
        clickOption(*m_form, productLine ? u"Option1"_s : u"Option2"_s);
        makeCode(u"501234567890"_s, u"Soap"_s);
        action(u"mnuCopy"_s)->trigger();
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        // Only a label without text lines is a pure drawing.
        QCOMPARE(data->hasFormat(u"image/svg+xml"_s), !productLine);
        if (productLine)
            return;
        // The drawing states the label's printed size.
        const QString svg = QString::fromUtf8(data->data(u"image/svg+xml"_s));
        const QRegularExpressionMatch width = QRegularExpression(u"width=\"([0-9.]+)mm\""_s).match(svg);
        QVERIFY2(width.hasMatch(), qPrintable(svg.left(300)));
        QCOMPARE(qRound(width.captured(1).toDouble()),
                 qRound(child<LabelPicture>(u"picTST"_s)->widthTwips() / kTwipsPerMillimetre));
        QSvgRenderer drawing(data->data(u"image/svg+xml"_s));
        QVERIFY(drawing.isValid());
        QImage image(drawing.defaultSize() * 3, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        drawing.render(&painter);
        painter.end();
        QCOMPARE(decoded(image), u"5012345678900"_s);
    }

    void copyWithDefinedSizeTakesTheDefinedLabel()
    {
        // A defined size of 60 x 30 mm from the size window, used for the label.
        typeSize(*m_form, u"optBSmm"_s, u"60"_s, u"30"_s);
        makeCode(u"501234567890"_s, u"Soap"_s);
        auto *defined = child<QCheckBox>(u"chkDefined"_s);
        defined->click();
        QVERIFY(defined->isChecked());
        action(u"mnuCopy"_s)->trigger();
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), child<LabelPicture>(u"picTST1"_s)->image().size());
        QVERIFY(copied.size() != child<LabelPicture>(u"picTST"_s)->image().size());
        QCOMPARE(decoded(copied), u"5012345678900"_s);

        // ">>" moves the same label in, at the defined size.
        child<QPushButton>(u"cmdToRTF1"_s)->click();
        const ImageListPart label = imageList()->imageList().pictures().first();
        QCOMPARE(label.widthTwips, child<LabelPicture>(u"picTST1"_s)->widthTwips());
        QCOMPARE(decoded(label.image), u"5012345678900"_s);
    }

    void copyBeforeAnyBarcodeGivesTheEmptyLabel()
    {
        QGuiApplication::clipboard()->setText(u"something else"_s);
        action(u"mnuCopy"_s)->trigger();
        const QImage image = QGuiApplication::clipboard()->image();
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), child<LabelPicture>(u"picTST"_s)->image().size());
        QCOMPARE(image.convertToFormat(QImage::Format_RGB32).pixelColor(image.width() / 2, image.height() / 2),
                 QColor(Qt::white));
        QCOMPARE(decoded(image), QString());
    }

    void rightClickOnPictureShowsCopyMenu_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("shown");
        QTest::newRow("right on picTST") << u"picTST"_s << Qt::RightButton << true;
        QTest::newRow("left on picTST") << u"picTST"_s << Qt::LeftButton << false;
    }
    void rightClickOnPictureShowsCopyMenu()
    {
        QFETCH(QString, picture);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, shown);
        auto *menu = child<QMenu>(u"mnuCopyit"_s);
        QTest::mouseClick(child<LabelPicture>(picture), button);
        QCOMPARE(menu->isVisible(), shown);
        QCOMPARE(menu->actions().first()->text(), u"Copy"_s);
        menu->hide();
    }

    void moveInsertsLabelAndSpacerPerCopy_data()
    {
        QTest::addColumn<int>("copies");
        QTest::newRow("1") << 1;
        QTest::newRow("3") << 3;
    }
    void moveInsertsLabelAndSpacerPerCopy()
    {
        QFETCH(int, copies);
        makeCode(u"400638133393"_s, u"Milk"_s);
        setCopies(copies);
        child<QPushButton>(u"cmdToRTF1"_s)->click();

        const QList<ImageListPart> pictures = imageList()->imageList().pictures();
        QCOMPARE(pictures.size(), 2 * copies);
        const auto *label = child<LabelPicture>(u"picTST"_s);
        for (int i = 0; i < pictures.size(); i += 2) {
            QCOMPARE(decoded(pictures[i].image), u"4006381333931"_s);
            QCOMPARE(pictures[i].widthTwips, label->widthTwips());
            QCOMPARE(pictures[i].heightTwips, label->heightTwips());
            QCOMPARE(pictures[i + 1].heightTwips, 285.0); // the spacer
        }
        for (const char *name : {"mnuClearBar", "mnuPbarcode", "mnuAs"})
            QVERIFY2(action(QString::fromLatin1(name))->isEnabled(), name);
        // The clipboard is left holding the spacer.
        QCOMPARE(QGuiApplication::clipboard()->image().size(), pictures.last().image.size());
    }

    void moveWithTwoSelectedRecordsRunsTheBatch()
    {
        addToList(u"501234567890"_s, u"Soap"_s);
        addToList(u"400638133393"_s, u"Milk"_s);
        makeCode(u"978020137962"_s, u"Shown"_s);
        setCopies(2);
        child<QTreeView>(u"ListView3"_s)->selectAll();
        child<QPushButton>(u"cmdToRTF1"_s)->click();

        const QList<ImageListPart> pictures = imageList()->imageList().pictures();
        QStringList labels;
        for (int i = 0; i < pictures.size(); i += 2)
            labels.append(decoded(pictures[i].image));
        QCOMPARE(labels, (QStringList{u"5012345678900"_s, u"5012345678900"_s, u"4006381333931"_s, u"4006381333931"_s}));
        QCOMPARE(m_form->statusText(), u"Press F1 for Help"_s);
    }

    void escapeStopsTheBatchWhenConfirmed()
    {
        addToList(u"501234567890"_s, u"Soap"_s);
        addToList(u"400638133393"_s, u"Milk"_s);
        child<QTreeView>(u"ListView3"_s)->selectAll();
        // Escape pressed as the batch starts: the question is put and answered Yes.
        QTimer::singleShot(0, m_form, [this] { child<QPushButton>(u"cmdCancel"_s)->click(); });
        m_prompt->answers.enqueue(PromptAnswer::Yes);
        child<QPushButton>(u"cmdToRTF1"_s)->click();
        QCOMPARE(m_prompt->texts(), QStringList{u"You have pressed Escape (ESC), Do you want to stop ?"_s});
        QCOMPARE(m_prompt->asked[0].title, u"Stop or Not"_s);
        QCOMPARE(imageList()->pictureCount(), 0);
    }

    void pasteBarcodeOnRightClick()
    {
        auto *menu = child<QMenu>(u"mnuIMGPaste"_s);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), imageList()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(imageList()->viewport(), &event);
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->actions().first()->text(), u"Paste Barcode"_s);
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
        setCopies(2);
        child<QPushButton>(u"cmdToRTF1"_s)->click();
        const ImageListDocument saved = imageList()->imageList();
        const QString path = folder.filePath(u"labels.RTF"_s);
        QVERIFY(saveRtfFile(path, saved).ok);

        m_prompt->answers.enqueue(PromptAnswer::Yes);
        action(u"mnuClearBar"_s)->trigger();
        QVERIFY(!action(u"mnuClearBar"_s)->isEnabled());
        imageList()->setPlainText(u"typed before loading"_s);
        m_prompt->files.enqueue(path);
        action(u"mnuLoad"_s)->trigger();

        const ImageListDocument loaded = imageList()->imageList();
        QCOMPARE(loaded.text(), QString());
        QCOMPARE(loaded.pictures().size(), 4);
        QCOMPARE(decoded(loaded.pictures()[2].image), u"5012345678900"_s);
        QCOMPARE(loaded.pictures()[2].widthTwips, saved.pictures()[2].widthTwips);
        QVERIFY(action(u"mnuClearBar"_s)->isEnabled());
        QVERIFY(action(u"mnuPbarcode"_s)->isEnabled());
    }

    void loadOfBrokenFileSaysWhyAndKeepsTheDocument()
    {
        imageList()->setPlainText(u"my notes"_s);
        m_prompt->files.enqueue(qEnvironmentVariable("KELBRIX_TEST_DATA") + u"/rtf/fail/nesting_10000.rtf"_s);
        action(u"mnuLoad"_s)->trigger();
        QCOMPARE(m_prompt->asked.size(), 1);
        QVERIFY2(m_prompt->asked[0].text.contains(u"nested deeper than 200 levels"_s),
                 qPrintable(m_prompt->asked[0].text));
        QVERIFY(m_prompt->asked[0].text.contains(u"nesting_10000.rtf"_s));
        QCOMPARE(imageList()->imageList().text(), u"my notes"_s);
    }

    void userTextStaysBetweenPictures()
    {
        imageList()->setFocus();
        QTest::keyClicks(imageList(), u"Labels for the shop"_s);
        QTest::keyClick(imageList(), Qt::Key_Return);
        makeCode(u"501234567890"_s);
        child<QPushButton>(u"cmdToRTF1"_s)->click();
        const ImageListDocument document = imageList()->imageList();
        QCOMPARE(document.parts().first().text, u"Labels for the shop\n"_s);
        QCOMPARE(document.pictures().size(), 2);
    }
};

QTEST_MAIN(TestForm1ImageList)
#include "tst_form1_image_list.moc"
