#include "mainwindow/image_list_edit.h"
#include "base/units.h"
#include "form1_driver.h"
#include "list/image_list_document.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QPainter>
#include <QSvgRenderer>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

class TestForm1SaveAs : public QObject, public Form1Fixture {
    Q_OBJECT

    QTemporaryDir m_dir;

    QStringList filesIn() const { return QDir(m_dir.path()).entryList(QDir::Files, QDir::Name); }
    static QString decoded(const QImage &image) { return decodedText(image).remove(u'|'); }

private slots:
    void init()
    {
        open();
        m_form->setDisplayDepth(24);
        for (const QString &name : filesIn())
            QFile::remove(m_dir.filePath(name));
    }
    void cleanup() { close(); }

    void nameEndingChoosesTheBranch_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("QZ2 upper case") << u"LIST.QZ2"_s;
        QTest::newRow("BMP upper case") << u"LABEL.BMP"_s;
        QTest::newRow("tiff matches nothing") << u"label.tiff"_s;
        QTest::newRow("SVG artwork") << u"label.svg"_s;
        QTest::newRow("EPS artwork") << u"Label.EPS"_s;
    }
    void nameEndingChoosesTheBranch()
    {
        QFETCH(QString, file);
        const QString format = file.section(u'.', -1);
        addRecord(u"501234567890"_s, u"Soap"_s);
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        const QString path = m_dir.filePath(file);
        saveAs(path);
        QVERIFY(m_prompt->asked.isEmpty());
        QCOMPARE(filesIn(), format == u"tiff"_s ? QStringList{} : QStringList{file});
        QCOMPARE(m_form->list().listFileName(), format == u"QZ2"_s ? path : QString());
        if (format == u"QZ2"_s)
            QCOMPARE(readQz2(path).records.size(), 1);
        else if (format == u"BMP"_s)
            QCOMPARE(decoded(QImage(path, "BMP")), u"5012345678900"_s);
        else if (format == u"svg"_s) {
            // The artwork at 100 %: a symbol 0.330 mm a module, drawn at 20 pixels a millimetre.
            QSvgRenderer svg(path);
            QVERIFY(svg.isValid());
            QImage image((svg.viewBoxF().size() * 20).toSize(), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            svg.render(&painter);
            painter.end();
            QCOMPARE(decoded(image), u"5012345678900"_s);
        } else if (format == u"EPS"_s) {
            QVERIFY(fileBytes(path).startsWith("%!PS-Adobe-3.0 EPSF-3.0\n"));
        } else
            QCOMPARE(m_form->statusText(),
                     u"Nothing was saved: label.tiff does not end in .qz2, .rtf, .bmp, .tif, .svg, .pdf or .eps."_s);
    }

    void dialogOffersTheLikelyType_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("presetName");
        const QString artwork = u";;SVG (*.svg);;PDF (*.pdf);;EPS (*.eps)"_s;
        const QString withImagesFirst = u"TIFF (*.TIF);;Windows Bitmap (*.BMP);;Save Barcode List (*.QZ2);;"
                                        u"Save Barcode Images List (*.RTF)"_s +
                                        artwork;
        QTest::newRow("no record selected")
            << QList<int>{}
            << u"Save Barcode List (*.QZ2);;TIFF (*.TIF);;Windows Bitmap (*.BMP);;Save Barcode Images List (*.RTF)"_s +
                   artwork
            << QString();
        QTest::newRow("one record selected") << QList<int>{1} << withImagesFirst << QString();
        QTest::newRow("two records selected")
            << QList<int>{0, 1} << withImagesFirst << u"Product_Barcode_Copies Click on Save"_s;
    }
    void dialogOffersTheLikelyType()
    {
        QFETCH(QList<int>, selected);
        QFETCH(QString, filter);
        QFETCH(QString, presetName);
        addRecord(u"501234567890"_s, u"Soap"_s);
        addRecord(u"400638133393"_s, u"Milk"_s);
        selectRows(selected);
        const QString hint = m_form->statusText();
        child<QAction>(u"mnuAs"_s)->trigger(); // and cancelled
        QCOMPARE(m_prompt->fileRequests.size(), 1);
        const FileRequest request = m_prompt->fileRequests[0];
        QCOMPARE(request.filter, filter);
        QCOMPARE(request.selectedFilter, filter.section(u";;"_s, 0, 0));
        QCOMPARE(request.presetName, presetName);
        // Cancel is silent and writes nothing.
        QVERIFY(m_prompt->asked.isEmpty());
        QVERIFY(filesIn().isEmpty());
        QCOMPARE(m_form->statusText(), hint);
    }

    void bitmapNeedsABarcode()
    {
        makeBarcode(u"501234567890"_s);
        child<QPushButton>(u"cmdToRTF1"_s)->click(); // leaves no made barcode behind
        saveAs(m_dir.filePath(u"label.bmp"_s));
        checkAsked(*m_prompt, u"You must make a Barcode in order to save it as a BMP file."_s,
                   u"No Barcode BMP to Save"_s, PromptIcon::Exclamation, PromptButtons::Ok, 3005);
        QVERIFY(filesIn().isEmpty());
    }

    // A batch over a list of 70,000 records loads each record it works on, past the numbers of
    // 16 bits too: records 32,768 and 65,537 are made from their own fields and type while the
    // list has the focus (where the type is taken from the record in work).
    void batchReachesRecordsPastSixteenBits()
    {
        QList<ListRecord> records;
        records.reserve(70000);
        records.append({u"Tea"_s, u"9638507"_s, {}, {}, u"E80 "_s});
        for (int n = 2; n <= 70000; ++n)
            records.append({u"Item"_s, u"40063%1"_s.arg(n, 7, 10, QChar(u'0')), {}, {}, u"E130"_s});
        records[32767] = {u"Juice"_s, u"03600029145"_s, {}, {}, u"UPA0"_s};
        records[65536] = {u"Soap"_s, u"501234567890"_s, {}, {}, u"E130"_s};
        const QString list = m_dir.filePath(u"big.qz2"_s);
        QVERIFY(saveListFile(list, records).ok);
        m_form->loadListFile(list);
        QFile::remove(list);
        QCOMPARE(m_form->listCount(), 70000);
        auto *view = child<QTreeView>(u"ListView3"_s);
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form));
        // A click on record 1 makes it; the batch's records are selected after it.
        const QModelIndex first = view->model()->index(0, 0);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(first).center());
        QCOMPARE(m_form->typeCode(), u"E80 "_s);
        selectRows({32767, 65536});
        QVERIFY(view->hasFocus());
        saveAs(m_dir.filePath(u"chosen.bmp"_s));
        QCOMPARE(filesIn(), (QStringList{u"Juice_03600029145_01.bmp"_s, u"Soap_501234567890_01.bmp"_s}));
        QCOMPARE(decoded(QImage(m_dir.filePath(u"Juice_03600029145_01.bmp"_s), "BMP")), u"036000291452"_s);
        QCOMPARE(decoded(QImage(m_dir.filePath(u"Soap_501234567890_01.bmp"_s), "BMP")), u"5012345678900"_s);
    }

    void bitmapCopiesAreNumbered()
    {
        makeBarcode(u"501234567890"_s, u"A/B Soap"_s);
        child<QLineEdit>(u"txtCopies"_s)->clear();
        typeInto(child<QLineEdit>(u"txtCopies"_s), u"10"_s);
        saveAs(m_dir.filePath(u"chosen.bmp"_s));
        QStringList expected;
        for (int n = 1; n <= 10; ++n)
            expected.append(u"AB Soap_501234567890_"_s + QString::number(n).rightJustified(2, u'0') + u".bmp"_s);
        QCOMPARE(filesIn(), expected);
        const double dpi = kTwipsPerInch / child<LabelPicture>(u"picTST"_s)->widthTwips();
        for (const QString &name : expected) {
            const QImage image(m_dir.filePath(name), "BMP");
            QCOMPARE(decoded(image), u"5012345678900"_s);
            QCOMPARE(qRound(dotsPerInchOf(image.dotsPerMeterX())), qRound(image.width() * dpi));
        }
    }

    // Two selected records with two copies each, and Cancel pressed once the first copy is made:
    // the stop question comes before the next copy; Yes keeps what was made, No makes the rest.
    void selectedRecordsStopWhenAsked_data()
    {
        QTest::addColumn<bool>("imageList");
        QTest::addColumn<bool>("stop");
        QTest::addColumn<QStringList>("labels");
        const QString soap = u"5012345678900"_s;
        const QString milk = u"4006381333931"_s;
        QTest::newRow("bitmaps, stopped") << false << true << QStringList{soap};
        QTest::newRow("bitmaps, run on") << false << false << QStringList{milk, milk, soap, soap}; // by file name
        QTest::newRow("image list, stopped") << true << true << QStringList{soap};
        QTest::newRow("image list, run on") << true << false << QStringList{soap, soap, milk, milk};
    }
    void selectedRecordsStopWhenAsked()
    {
        QFETCH(bool, imageList);
        QFETCH(bool, stop);
        QFETCH(QStringList, labels);
        addRecord(u"501234567890"_s, u"Soap"_s);
        addRecord(u"400638133393"_s, u"Milk"_s);
        child<QTreeView>(u"ListView3"_s)->selectAll();
        child<QLineEdit>(u"txtCopies"_s)->clear();
        typeInto(child<QLineEdit>(u"txtCopies"_s), u"2"_s);
        const auto made = [&] {
            QStringList made;
            if (imageList) {
                const QList<ImageListPart> parts = child<ImageListEdit>(u"RTF1"_s)->imageList().pictures();
                for (qsizetype i = 0; i < parts.size(); i += 2) // each label is followed by the spacer
                    made << decoded(parts[i].image);
            } else {
                for (const QString &name : filesIn())
                    made << decoded(QImage(m_dir.filePath(name), "BMP"));
            }
            return made;
        };
        QTimer cancel;
        connect(&cancel, &QTimer::timeout, this, [&] {
            if (!made().isEmpty()) {
                cancel.stop();
                child<QPushButton>(u"cmdCancel"_s)->click();
            }
        });
        cancel.start(0);
        m_prompt->answers.enqueue(stop ? PromptAnswer::Yes : PromptAnswer::No);
        if (imageList)
            child<QPushButton>(u"cmdToRTF1"_s)->click();
        else
            saveAs(m_dir.filePath(u"chosen.bmp"_s));
        checkAsked(*m_prompt, u"You have pressed Escape (ESC), Do you want to stop ?"_s, u"Stop or Not"_s,
                   PromptIcon::Question, PromptButtons::YesNo);
        QCOMPARE(made(), labels);
        for (const QString &name : filesIn()) // each record's copies are numbered from 1
            QVERIFY2(name.endsWith(u"_01.bmp"_s) || name.endsWith(u"_02.bmp"_s), qPrintable(name));
    }

    // A batch stops at the first bitmap it cannot write: one message.
    void bitmapThatCannotBeWrittenIsARuntimeError_data()
    {
        QTest::addColumn<bool>("twoRecords");
        QTest::addColumn<QString>("failing"); // the file the message names
        QTest::newRow("the label") << false << u"label.bmp"_s;
        QTest::newRow("two selected records") << true << u"Soap_501234567890_01.bmp"_s;
    }
    void bitmapThatCannotBeWrittenIsARuntimeError()
    {
        QFETCH(bool, twoRecords);
        QFETCH(QString, failing);
        if (twoRecords) {
            addRecord(u"501234567890"_s, u"Soap"_s);
            addRecord(u"400638133393"_s, u"Milk"_s);
            child<QTreeView>(u"ListView3"_s)->selectAll();
        } else {
            makeBarcode(u"501234567890"_s);
        }
        const QString folder = m_dir.filePath(u"no-such-folder"_s);
        saveAs(folder + u"/label.bmp"_s);
        checkAsked(*m_prompt,
                   u"Path/File access error.\nCould not save \""_s + folder + u'/' + failing +
                       u"\": No such file or directory. The file was not changed."_s,
                   u"File Error"_s, PromptIcon::Critical, PromptButtons::Ok);
        QVERIFY(!QFileInfo::exists(folder));
    }

    // After Make Code the entry changes to a partial ISBN: the label still has the EAN bars, and
    // nothing may take it out under the new entry's name and header.
    void staleLabelIsRefused_data()
    {
        QTest::addColumn<QString>("action");
        for (const char *action : {"tif", "bmp", "copy", ">>", "re-save"})
            QTest::newRow(action) << QString::fromLatin1(action);
    }
    void staleLabelIsRefused()
    {
        QFETCH(QString, action);
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        if (action == u"re-save"_s) {
            saveAs(m_dir.filePath(u"label.bmp"_s));
            QFile::remove(m_dir.filePath(u"label.bmp"_s));
        }
        clickOption(*m_form, u"optISBN"_s);
        typeInto(child<QLineEdit>(u"TxtStreck"_s), u"1-5716"_s);
        QApplication::clipboard()->setText(u"before"_s);
        m_prompt->asked.clear(); // what the partial ISBN itself asks
        if (action == u"tif"_s || action == u"bmp"_s)
            saveAs(m_dir.filePath(u"label."_s + action));
        else if (action == u"copy"_s)
            child<QAction>(u"mnuCopy"_s)->trigger();
        else if (action == u">>"_s)
            child<QPushButton>(u"cmdToRTF1"_s)->click();
        else
            child<QAction>(u"mnuSBMP"_s)->trigger();
        checkAsked(*m_prompt, u"Make the code first: the label does not show the barcode in the entry."_s,
                   u"Make Code"_s, PromptIcon::Exclamation, PromptButtons::Ok);
        QVERIFY(filesIn().isEmpty());
        QCOMPARE(QApplication::clipboard()->text(), u"before"_s);
        QCOMPARE(child<ImageListEdit>(u"RTF1"_s)->pictureCount(), 0);

        // Made again, the label goes out.
        m_prompt->asked.clear();
        child<QLineEdit>(u"TxtStreck"_s)->setText(u"1-57169-006-9"_s);
        child<QPushButton>(u"Command1"_s)->click();
        saveAs(m_dir.filePath(u"label.bmp"_s));
        QVERIFY(m_prompt->asked.isEmpty());
        QCOMPARE(decoded(QImage(m_dir.filePath(u"label.bmp"_s), "BMP")), u"9781571690067"_s);
    }

    void saveBitmapAsksOrRunsSaveAs()
    {
        addRecord(u"501234567890"_s, u"Soap"_s);
        const QString path = m_dir.filePath(u"label.bmp"_s);
        saveAs(path);
        QFile::remove(path);
        m_prompt->answers.enqueue(PromptAnswer::No);
        child<QAction>(u"mnuSBMP"_s)->trigger();
        checkAsked(*m_prompt, u"Save as "_s + path + u" ?"_s, u"Save Barcode ?."_s, PromptIcon::Question,
                   PromptButtons::YesNo, 3016);
        QVERIFY(!QFile::exists(path));
        m_prompt->answers.enqueue(PromptAnswer::Yes);
        child<QAction>(u"mnuSBMP"_s)->trigger();
        QCOMPARE(decoded(QImage(path, "BMP")), u"5012345678900"_s);
    }

    void twentyLabelsSaveAsRtfAndReadBack()
    {
        for (int i = 0; i < 20; ++i) {
            makeBarcode(u"5012345678"_s + QString::number(i).rightJustified(2, u'0'));
            child<QPushButton>(u"cmdToRTF1"_s)->click();
        }
        const QList<ImageListPart> shown = child<ImageListEdit>(u"RTF1"_s)->imageList().pictures();
        QStringList labels;
        for (qsizetype i = 0; i < shown.size(); i += 2) // each label is followed by the spacer
            labels.append(decoded(shown[i].image));
        labels.sort();
        const QString path = m_dir.filePath(u"labels.rtf"_s);
        saveAs(path);
        const RtfReadResult read = readRtfFile(path);
        QVERIFY2(read.ok(), qPrintable(read.message));
        QCOMPARE(read.document.pictures().size(), 40);

        // LibreOffice turns the file into a PDF whose rendered pages hold every label.
        const QString office = QStandardPaths::findExecutable(u"soffice"_s);
        const QString pdfToPng = QStandardPaths::findExecutable(u"pdftoppm"_s);
        if (office.isEmpty() || pdfToPng.isEmpty())
            QSKIP("soffice or pdftoppm is not installed");
        QProcess convert;
        convert.setWorkingDirectory(m_dir.path());
        convert.start(office, {u"-env:UserInstallation=file://"_s + m_dir.filePath(u"office-profile"_s),
                               u"--headless"_s, u"--convert-to"_s, u"pdf"_s, path});
        QVERIFY(convert.waitForFinished(240000));
        QProcess render;
        render.start(pdfToPng,
                     {u"-r"_s, u"300"_s, u"-png"_s, m_dir.filePath(u"labels.pdf"_s), m_dir.filePath(u"page"_s)});
        QVERIFY(render.waitForFinished(120000));
        QStringList printed;
        for (const QString &page : QDir(m_dir.path()).entryList({u"page*.png"_s}, QDir::Files, QDir::Name))
            for (const DecodedSymbol &symbol : decodeSymbols(QImage(m_dir.filePath(page))))
                printed.append(symbol.data);
        printed.sort();
        QCOMPARE(printed, labels);
    }
};

QTEST_MAIN(TestForm1SaveAs)
#include "tst_form1_save_as.moc"
