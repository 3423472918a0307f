// "Save &As" and "Barcode (*.bmp)" as a user meets them: the dialog's filters and preset
// name, the branch each file name takes, bitmaps and their copies, the bitmap batch over the
// selected records, and the image list saved as rich text.
#include "app/image_list_edit.h"
#include "base/units.h"
#include "form1_driver.h"
#include "list/image_list_document.h"
#include "list/list_files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

struct Branch {
    const char *name;
    QString file;
    bool written;
    QString format; ///< what the written file is: "QZ2", "RTF" or "BMP"
};

} // namespace

class TestForm1SaveAs : public QObject, public Form1Fixture {
    Q_OBJECT

    QTemporaryDir m_dir;

    template <typename T> T *child(const QString &name) const
    {
        T *found = m_form->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
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
    void selectRows(const QList<int> &rows)
    {
        auto *list = child<QTreeView>(u"ListView3"_s);
        list->clearSelection();
        for (int row : rows)
            list->selectionModel()->select(list->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    void saveAs(const QString &path)
    {
        m_prompt->files.enqueue(path);
        action(u"mnuAs"_s)->trigger();
    }
    QStringList filesIn(const QString &folder) const { return QDir(folder).entryList(QDir::Files, QDir::Name); }
    static QString decoded(const QImage &image) { return decodedText(image).remove(u'|'); }

private slots:
    void init()
    {
        open();
        QVERIFY(m_dir.isValid());
        for (const QString &name : filesIn(m_dir.path()))
            QFile::remove(m_dir.filePath(name));
    }
    void cleanup() { close(); }

    void dialogFiltersFollowTheSelection_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("firstFilter");
        QTest::addColumn<QString>("preset");
        QTest::newRow("none") << 0 << u"Save Barcode List (*.QZ2)"_s << QString();
        QTest::newRow("one") << 1 << u"TIFF (*.TIF)"_s << QString();
        QTest::newRow("two") << 2 << u"TIFF (*.TIF)"_s << u"Product_Barcode_Copies Click on Save"_s;
    }
    void dialogFiltersFollowTheSelection()
    {
        QFETCH(int, selected);
        QFETCH(QString, firstFilter);
        QFETCH(QString, preset);
        addToList(u"501234567890"_s, u"Soap"_s);
        addToList(u"400638133393"_s, u"Milk"_s);
        selectRows(selected == 0 ? QList<int>{} : selected == 1 ? QList<int>{0} : QList<int>{0, 1});
        action(u"mnuAs"_s)->trigger(); // cancelled: nothing written, nothing asked
        QCOMPARE(m_prompt->fileRequests.size(), 1);
        const FileRequest request = m_prompt->fileRequests[0];
        const QStringList filters = request.filter.split(u";;"_s);
        QCOMPARE(filters.size(), 4);
        QCOMPARE(filters.first(), firstFilter);
        QCOMPARE(request.selectedFilter, firstFilter);
        QVERIFY(filters.contains(u"Windows Bitmap (*.BMP)"_s));
        QVERIFY(filters.contains(u"Save Barcode Images List (*.RTF)"_s));
        QCOMPARE(request.directory, preset);
        QVERIFY(m_prompt->asked.isEmpty());
        QVERIFY(filesIn(m_dir.path()).isEmpty());
    }

    void nameEndingChoosesTheBranch_data()
    {
        addRows<Branch>({
            {"qz2", u"list.qz2"_s, true, u"QZ2"_s},
            {"QZ2 upper case", u"LIST.QZ2"_s, true, u"QZ2"_s},
            {"rtf mixed case", u"labels.Rtf"_s, true, u"RTF"_s},
            {"bmp", u"label.bmp"_s, true, u"BMP"_s},
            {"BMP upper case", u"LABEL.BMP"_s, true, u"BMP"_s},
            {"Tif not made yet", u"label.Tif"_s, false, QString()},
            {"tiff matches nothing", u"label.tiff"_s, false, QString()},
            {"no extension", u"label"_s, false, QString()},
        });
    }
    void nameEndingChoosesTheBranch()
    {
        QFETCH(Branch, row);
        addToList(u"501234567890"_s, u"Soap"_s);
        child<QPushButton>(u"cmdToRTF1"_s)->click();
        makeCode(u"501234567890"_s, u"Soap"_s);
        const QString path = m_dir.filePath(row.file);
        saveAs(path);
        QVERIFY2(m_prompt->asked.isEmpty(), qPrintable(m_prompt->texts().join(u'\n')));
        QCOMPARE(filesIn(m_dir.path()), row.written ? QStringList{row.file} : QStringList{});
        if (row.format == u"QZ2"_s) {
            QCOMPARE(readQz2(path).records.size(), 1);
            QVERIFY(action(u"mnuSBAR"_s)->isEnabled());
        } else if (row.format == u"RTF"_s) {
            QCOMPARE(readRtfFile(path).document.pictures().size(), 2);
        } else if (row.format == u"BMP"_s) {
            QCOMPARE(decoded(QImage(path, "BMP")), u"5012345678900"_s);
            QVERIFY(action(u"mnuSBMP"_s)->isEnabled());
        }
    }

    void bitmapNeedsABarcode()
    {
        // Moving the label into the image list leaves no made barcode behind.
        makeCode(u"501234567890"_s);
        child<QPushButton>(u"cmdToRTF1"_s)->click();
        saveAs(m_dir.filePath(u"label.bmp"_s));
        checkAsked(*m_prompt, u"You must make a Barcode in order to save it as a BMP file."_s,
                   u"No Barcode BMP to Save"_s, PromptIcon::Exclamation, PromptButtons::Ok, 3005);
        QVERIFY(filesIn(m_dir.path()).isEmpty());
    }

    void failedSaveSaysWhichFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("bitmap") << u"label.bmp"_s;
        QTest::newRow("image list") << u"labels.rtf"_s;
        QTest::newRow("list") << u"list.qz2"_s;
    }
    void failedSaveSaysWhichFile()
    {
        QFETCH(QString, file);
        addToList(u"501234567890"_s, u"Soap"_s);
        makeCode(u"501234567890"_s, u"Soap"_s);
        saveAs(m_dir.filePath(u"no-such-folder/"_s + file));
        QCOMPARE(m_prompt->asked.size(), 1);
        QCOMPARE(m_prompt->asked[0].title, u"Save As"_s);
        QVERIFY2(m_prompt->asked[0].text.contains(file), qPrintable(m_prompt->asked[0].text));
        QVERIFY(filesIn(m_dir.path()).isEmpty());
    }

    void bitmapCopiesAreNumbered()
    {
        makeCode(u"501234567890"_s, u"A/B Soap"_s);
        setCopies(10);
        saveAs(m_dir.filePath(u"chosen.bmp"_s));
        QStringList expected;
        for (int n = 1; n <= 10; ++n)
            expected.append(u"AB Soap_501234567890_"_s + QString::number(n).rightJustified(2, u'0') + u".bmp"_s);
        QCOMPARE(filesIn(m_dir.path()), expected);
        for (const QString &name : expected) {
            const QImage image(m_dir.filePath(name), "BMP");
            QCOMPARE(decoded(image), u"5012345678900"_s);
        }
        QCOMPARE(m_form->statusText(), u"Now Saveing...A/B Soap ,Copy 10"_s);
    }

    void bitmapHoldsTheLabelResolution()
    {
        makeCode(u"501234567890"_s);
        saveAs(m_dir.filePath(u"label.bmp"_s));
        QFile file(m_dir.filePath(u"label.bmp"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("BM"));
        const QImage image = QImage::fromData(bytes, "BMP");
        const auto *label = child<LabelPicture>(u"picTST"_s);
        // Pixels over the label's width in inches give the resolution the header states.
        const double dpi = image.width() * kTwipsPerInch / label->widthTwips();
        QCOMPARE(qRound(dotsPerInchOf(image.dotsPerMeterX())), qRound(dpi));
    }

    void selectedRecordsExportAsBitmaps()
    {
        addToList(u"501234567890"_s, u"Soap"_s);
        addToList(u"400638133393"_s, u"Milk"_s);
        addToList(u"978020137962"_s, u"Left out"_s);
        selectRows({0, 1});
        setCopies(2);
        saveAs(m_dir.filePath(u"ignored.BMP"_s));
        QCOMPARE(filesIn(m_dir.path()), (QStringList{u"Milk_400638133393_01.bmp"_s, u"Milk_400638133393_02.bmp"_s,
                                                     u"Soap_501234567890_01.bmp"_s, u"Soap_501234567890_02.bmp"_s}));
        QCOMPARE(decoded(QImage(m_dir.filePath(u"Milk_400638133393_02.bmp"_s), "BMP")), u"4006381333931"_s);
        QCOMPARE(m_form->statusText(), u"Saveing.... Milk, Copy=2"_s);
    }

    void saveBitmapAsksOrRunsSaveAs()
    {
        addToList(u"501234567890"_s, u"Soap"_s);
        // No bitmap chosen yet: the menu runs Save As.
        action(u"mnuSBMP"_s)->trigger();
        QCOMPARE(m_prompt->fileRequests.size(), 1);

        const QString path = m_dir.filePath(u"label.bmp"_s);
        saveAs(path);
        QFile::remove(path);
        m_prompt->clear();
        m_prompt->answers.enqueue(PromptAnswer::No);
        action(u"mnuSBMP"_s)->trigger();
        checkAsked(*m_prompt, u"Save as "_s + path + u" ?"_s, u"Save Barcode ?."_s, PromptIcon::Question,
                   PromptButtons::YesNo, 3016);
        QVERIFY(!QFile::exists(path));

        m_prompt->answers.enqueue(PromptAnswer::Yes);
        action(u"mnuSBMP"_s)->trigger();
        QCOMPARE(decoded(QImage(path, "BMP")), u"5012345678900"_s);
    }

    void twentyLabelsSaveAsRtfAndReadBack()
    {
        // Twenty different labels, so each one can be told apart on the printed pages.
        for (int i = 0; i < 20; ++i) {
            makeCode(u"5012345678"_s + QString::number(i).rightJustified(2, u'0'));
            child<QPushButton>(u"cmdToRTF1"_s)->click();
        }
        const ImageListDocument shown = child<ImageListEdit>(u"RTF1"_s)->imageList();
        const QString path = m_dir.filePath(u"labels.rtf"_s);
        saveAs(path);

        const RtfReadResult read = readRtfFile(path);
        QVERIFY2(read.ok(), qPrintable(read.message));
        const QList<ImageListPart> before = shown.pictures();
        const QList<ImageListPart> after = read.document.pictures();
        QCOMPARE(after.size(), 40);
        for (qsizetype i = 0; i < after.size(); ++i) {
            QCOMPARE(after[i].image.convertToFormat(QImage::Format_RGB32),
                     before[i].image.convertToFormat(QImage::Format_RGB32));
            QCOMPARE(after[i].widthTwips, before[i].widthTwips);
            QCOMPARE(after[i].heightTwips, before[i].heightTwips);
        }
        QStringList labels;
        for (qsizetype i = 0; i < after.size(); i += 2)
            labels.append(decoded(after[i].image));
        labels.sort();
        QCOMPARE(labels.size(), 20);
        QCOMPARE(labels.first(), u"5012345678009"_s);

        // A word processor opens the file with every label readable: LibreOffice turns it into
        // a PDF, whose pages are rendered and decoded.
        const QString office = QStandardPaths::findExecutable(u"soffice"_s);
        const QString pdfToPng = QStandardPaths::findExecutable(u"pdftoppm"_s);
        if (office.isEmpty() || pdfToPng.isEmpty())
            QSKIP("LibreOffice (soffice) or pdftoppm is not installed");
        QProcess convert;
        convert.setWorkingDirectory(m_dir.path());
        convert.start(office, {u"-env:UserInstallation=file://"_s + m_dir.filePath(u"office-profile"_s),
                               u"--headless"_s, u"--convert-to"_s, u"pdf"_s, path});
        QVERIFY(convert.waitForFinished(240000));
        QVERIFY2(QFile::exists(m_dir.filePath(u"labels.pdf"_s)), convert.readAllStandardError().constData());
        QProcess render;
        render.start(pdfToPng,
                     {u"-r"_s, u"300"_s, u"-png"_s, m_dir.filePath(u"labels.pdf"_s), m_dir.filePath(u"page"_s)});
        QVERIFY(render.waitForFinished(120000));
        QStringList printed;
        for (const QString &page : QDir(m_dir.path()).entryList({u"page*.png"_s}, QDir::Files, QDir::Name)) {
            for (const DecodedSymbol &symbol : decodeSymbols(QImage(m_dir.filePath(page))))
                printed.append(symbol.data);
        }
        printed.sort();
        QCOMPARE(printed, labels);
    }
};

QTEST_MAIN(TestForm1SaveAs)
#include "tst_form1_save_as.moc"
