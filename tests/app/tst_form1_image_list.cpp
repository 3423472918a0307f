#include "mainwindow/image_list_edit.h"
#include "mainwindow/label_mime.h"
#include "list/image_list_document.h"
#include "size_driver.h"

#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <memory>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

class TestForm1ImageList : public QObject, public Form1Fixture {
    Q_OBJECT

    QList<ImageListPart> pictures() const { return child<ImageListEdit>(u"RTF1"_s)->imageList().pictures(); }

private slots:
    void init() { open(); }
    void cleanup() { close(); }

    void copyTakesTheDefinedOrTheEmptyLabel()
    {
        child<QAction>(u"mnuCopy"_s)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), child<LabelPicture>(u"picTST"_s)->image().size());
        QCOMPARE(decodedJoined(QGuiApplication::clipboard()->image()), QString());
        typeSize(*m_form, u"optBSmm"_s, u"60"_s, u"30"_s);
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        child<QCheckBox>(u"chkDefined"_s)->click();
        child<QAction>(u"mnuCopy"_s)->trigger();
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), child<LabelPicture>(u"picTST1"_s)->image().size());
        QVERIFY(copied.size() != child<LabelPicture>(u"picTST"_s)->image().size());
        QCOMPARE(decodedJoined(copied), u"5012345678900"_s);
        // The drawing carries the same code as the picture, at the artwork's size in millimetres.
        const QByteArray svg = QGuiApplication::clipboard()->mimeData()->data(u"image/svg+xml"_s);
        QVERIFY(svg.contains("mm\""));
        QSvgRenderer renderer(svg);
        QImage drawn(renderer.defaultSize() * 6, QImage::Format_RGB32);
        drawn.fill(Qt::white);
        QPainter painter(&drawn);
        renderer.render(&painter);
        painter.end();
        QCOMPARE(decodedJoined(drawn), u"5012345678900"_s);
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
        child<QPushButton>(u"cmdToRTF1"_s)->click();
        makeBarcode(u"400638133393"_s);
        child<QPushButton>(u"cmdToRTF1"_s)->click();
        const QString saved = dir.filePath(u"labels.rtf"_s);
        saveAs(saved);
        const QByteArray whole = fileBytes(saved);
        const RtfReadResult part = readRtf(whole.left(whole.size() * 3 / 4));
        QVERIFY(!part.ok() && part.document.pictures().size() == 2);
        const QString damaged = dir.filePath(u"damaged.rtf"_s);
        QVERIFY(writeFileBytes(damaged, whole.left(whole.size() * 3 / 4)));
        if (unsavedLabel)
            child<QPushButton>(u"cmdToRTF1"_s)->click();
        const QList<ImageListPart> before = pictures();

        m_prompt->answers.append(answers);
        m_form->loadListFile(damaged);
        QCOMPARE(m_prompt->asked.size(), questions);
        if (unsavedLabel) {
            QCOMPARE(m_prompt->asked[0].text, u"The Barcode Image List has changes that are not saved. Do you want "
                                              u"to replace it with damaged.rtf ?"_s);
        }
        if (questions > 1 || !unsavedLabel) {
            const PromptRequest &damagedQuestion = m_prompt->asked.constLast();
            QCOMPARE(damagedQuestion.text, damaged + u": "_s + part.message +
                                               u"\nOnly part of the file could be read. Do you want to keep the "
                                               u"Barcode Image List you have instead ?"_s);
            QCOMPARE(damagedQuestion.buttons, PromptButtons::YesNo);
        }
        QCOMPARE(pictures().size(), partTaken ? 2 : before.size());
        if (!partTaken)
            QCOMPARE(pictures()[before.size() - 2].image, before[before.size() - 2].image);
    }

    // Whatever goes into the list can be saved and read back: a picture with more pixels than
    // the reader takes is scaled down, one of a size it refuses is not pasted and the user told.
    void pastedPictureTheReaderWouldRefuse_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<double>("widthTwips");
        QTest::addColumn<int>("pictures");
        QTest::addColumn<int>("widthAfter");
        QTest::addColumn<bool>("dropped"); // dragged in and dropped instead of pasted
        QTest::newRow("16,400 pixels wide") << QSize(16400, 8) << 14400.0 << 1 << 16384 << false;
        QTest::newRow("a width of 1e308 twips") << QSize(100, 8) << 1e308 << 0 << 0 << false;
        QTest::newRow("a width of 1e308 twips, dropped") << QSize(100, 8) << 1e308 << 0 << 0 << true;
    }
    void pastedPictureTheReaderWouldRefuse()
    {
        QFETCH(QSize, pixels);
        QFETCH(double, widthTwips);
        QFETCH(int, pictures);
        QFETCH(int, widthAfter);
        QFETCH(bool, dropped);
        LabelData label;
        label.image = QImage(pixels, QImage::Format_RGB32);
        label.image.fill(Qt::white);
        label.widthTwips = widthTwips;
        label.heightTwips = 144;
        if (dropped) {
            const std::unique_ptr<QMimeData> data(labelMimeData(label));
            // As a drag over the list delivers it: entered, moved over, dropped.
            QWidget *viewport = child<ImageListEdit>(u"RTF1"_s)->viewport();
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(viewport, &enter);
            QDragMoveEvent move(QPoint(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(viewport, &move);
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(viewport, &drop);
            QVERIFY(drop.isAccepted());
        } else {
            QGuiApplication::clipboard()->setMimeData(labelMimeData(label));
            child<ImageListEdit>(u"RTF1"_s)->paste();
        }

        const QStringList told{
            u"The picture has a size this program does not take (more than 10 metres a side, or none); it was "
            u"not added."_s};
        QCOMPARE(m_prompt->texts(), pictures ? QStringList() : told);
        const RtfReadResult read = readRtf(writeRtf(child<ImageListEdit>(u"RTF1"_s)->imageList()));
        QVERIFY2(read.ok(), qPrintable(read.message));
        QCOMPARE(read.document.pictures().size(), pictures);
        if (pictures)
            QCOMPARE(read.document.pictures().first().image.width(), widthAfter);
    }

    // Pasted HTML brings its text; the local file it names as a picture is not read.
    void pastedHtmlReadsNoFile()
    {
        QTemporaryDir folder;
        const QString png = folder.filePath(u"secret.png"_s);
        QImage secret(40, 40, QImage::Format_RGB32);
        secret.fill(Qt::black);
        QVERIFY(secret.save(png));
        auto *data = new QMimeData;
        data->setHtml(u"<p>Soap <img src=\"file://"_s + png + u"\"> 5012345678900</p>"_s);
        QGuiApplication::clipboard()->setMimeData(data);
        child<ImageListEdit>(u"RTF1"_s)->paste();
        QCOMPARE(child<ImageListEdit>(u"RTF1"_s)->pictureCount(), 0);
        QCOMPARE(child<ImageListEdit>(u"RTF1"_s)->toPlainText().simplified(), u"Soap 5012345678900"_s);
    }

    // Each copy moved to the list is the label and a spacer. The preview shows the pages the print
    // has, each painted when shown; "Print" then prints.
    void previewShowsThePagesPrinted()
    {
        makeBarcode(u"400638133393"_s, u"Milk"_s);
        child<QLineEdit>(u"txtCopies"_s)->clear();
        typeInto(child<QLineEdit>(u"txtCopies"_s), u"150"_s);
        child<QPushButton>(u"cmdToRTF1"_s)->click();
        const QList<ImageListPart> parts = pictures();
        QCOMPARE(parts.size(), 100); // at most 50 copies at a time
        QCOMPARE(decodedJoined(parts[0].image), u"4006381333931"_s);
        for (int i = 0; i < 100; i += 2)
            QVERIFY(parts[i].image == parts[0].image && parts[i + 1].heightTwips == 285.0);
        QTemporaryDir folder;
        const QString pdf = folder.filePath(u"images.pdf"_s);
        m_prompt->printChoices.enqueue({pdf, 1, false});
        m_prompt->previewPrints = true;
        m_prompt->previewPagesToPaint = {0};
        child<QAction>(u"mnuPbPreview"_s)->trigger();
        QCOMPARE(m_prompt->previewPageCounts.size(), 1);
        const int pages = m_prompt->previewPageCounts[0];
        QVERIFY(pages > 1);
        const QImage &shown = m_prompt->previewPageImages[0];
        int inked = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                inked += qGray(shown.pixel(x, y)) < 64;
        QVERIFY(inked > 1000); // bars, not a blank page
        static const QRegularExpression printed(u"Pages:\\s+(\\d+)"_s);
        QCOMPARE(printed.match(QString::fromUtf8(programOutput(u"pdfinfo"_s, {pdf}))).captured(1).toInt(), pages);
    }

    void clearAsksFirst()
    {
        makeBarcode(u"501234567890"_s);
        child<QPushButton>(u"cmdToRTF1"_s)->click();
        m_prompt->answers.enqueue(PromptAnswer::No);
        child<QAction>(u"mnuClearBar"_s)->trigger();
        checkAsked(*m_prompt, u"Do you want to clear Barcode Image List ?"_s, u"Clear Barcodes."_s,
                   PromptIcon::Question, PromptButtons::YesNo, 3008);
        QCOMPARE(child<ImageListEdit>(u"RTF1"_s)->pictureCount(), 2);
        QVERIFY(child<QAction>(u"mnuClearBar"_s)->isEnabled() && child<QAction>(u"mnuPbarcode"_s)->isEnabled());
        m_prompt->answers.enqueue(PromptAnswer::Yes);
        child<QAction>(u"mnuClearBar"_s)->trigger();
        QCOMPARE(child<ImageListEdit>(u"RTF1"_s)->pictureCount(), 0);
        QVERIFY(!child<QAction>(u"mnuClearBar"_s)->isEnabled() && !child<QAction>(u"mnuPbarcode"_s)->isEnabled());
    }
};

QTEST_MAIN(TestForm1ImageList)
#include "tst_form1_image_list.moc"
