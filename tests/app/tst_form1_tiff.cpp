#include "form1_driver.h"

#include "export_test_support.h"

#include <QDialog>
#include <QDir>
#include <QProgressBar>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

template <typename T> T *tiffControl(Form1 &form, const QString &name)
{
    return found<T>(*found<QDialog>(form, u"frmTiff"_s), name);
}

struct ExportRow {
    const char *name;
    QList<int> selected;
    QString copies;
    QString fileName;
    QStringList files;
    QStringList digits;
    bool verify;
};

} // namespace

class TestForm1Tiff : public QObject, public Form1Fixture {
    Q_OBJECT

    QTemporaryDir m_dir;

    void openWindow()
    {
        open();
        m_form->setDisplayDepth(24);
        for (const QString &name : filesIn())
            QFile::remove(m_dir.filePath(name));
    }
    QString writtenIn(qsizetype files) const
    {
        return (files == 1 ? u"1 TIFF file"_s : QString::number(files) + u" TIFF files"_s) + u" written in "_s +
               QDir::toNativeSeparators(m_dir.path());
    }
    static QString allScan(qsizetype files)
    {
        return files == 1 ? u" 1 file checked: it scans."_s
                          : u" "_s + QString::number(files) + u" files checked: all scan."_s;
    }
    QStringList filesIn() const { return QDir(m_dir.path()).entryList(QDir::Files, QDir::Name); }
    QString scanned(const QString &name) const
    {
        const TiffFile tiff = readTiffFile(m_dir.filePath(name));
        return tiff.ok && tiff.bitsPerSample == 1 ? decodedText(tiff.image) : QString();
    }

private slots:
    void init() { resetSettings(); }
    void cleanup()
    {
        close();
        setDisplayModesFactory({});
    }

    void windowKeepsItsChoicesOverARestart()
    {
        open();
        const QStringList clicks{u"optUserRes"_s,  u"optCompG4"_s,    u"chkInvertImg"_s, u"optMirrorH"_s,
                                 u"optRotate90"_s, u"chkTiffCompW"_s, u"chkTiffCompH"_s, u"chkVerify"_s};
        QString seen;
        QTimer::singleShot(0, [&] {
            if (QWidget *modal = QApplication::activeModalWidget())
                seen = modal->windowTitle();
            for (const QString &name : clicks)
                tiffControl<QAbstractButton>(*m_form, name)->click();
            tiffControl<QLineEdit>(*m_form, u"txtUserRes"_s)->setText(u"1200"_s);
            tiffControl<QPushButton>(*m_form, u"cmdOK"_s)->click();
        });
        child<QAction>(u"Toolbar1_TIF"_s)->trigger();
        QCOMPARE(seen, u"TIFF Parameters"_s);
        QVERIFY(m_prompt->texts().isEmpty());
        quitAnsweringYes(*m_form);
        close();
        QCOMPARE(storedSettings().value(u"TiffComp"_s).toString(), u"G4"_s);
        QCOMPARE(storedSettings().value(u"TiffVerify"_s).toString(), u"N"_s);
        start();
        for (const QString &name : clicks)
            QCOMPARE(tiffControl<QAbstractButton>(*m_form, name)->isChecked(), name != u"chkVerify"_s);
        QCOMPARE(tiffControl<QLineEdit>(*m_form, u"txtUserRes"_s)->text(), u"1200"_s);
        QVERIFY(m_prompt->texts().isEmpty());
    }

    void saveAsChoosesTheExport_data()
    {
        QTest::addColumn<ExportRow>("row");
        const auto row = [](const char *name, const QList<int> &selected, const QString &copies,
                            const QString &fileName, const QStringList &files, const QStringList &digits, bool verify) {
            QTest::newRow(name) << ExportRow{name, selected, copies, fileName, files, digits, verify};
        };
        // The entry shows Soap; the list holds Milk and Tea.
        row("one selected record, copies 3: the barcode shown", {0}, u"3"_s, u"chosen.Tif"_s,
            {u"Soap_501234567890_001.tif"_s, u"Soap_501234567890_002.tif"_s, u"Soap_501234567890_003.tif"_s},
            QStringList(3, u"5012345678900"_s), true);
        row("no selected record, copies 0: the chosen name", {}, u"0"_s, u"chosen.TIF"_s, {u"chosen.TIF"_s},
            {u"5012345678900"_s}, false);
        row("two selected records: one file per record and copy", {0, 1}, u"2"_s,
            u"Product_Barcode_Copies Click on Save.tif"_s,
            {u"Milk_400638133393_001.tif"_s, u"Milk_400638133393_002.tif"_s, u"Tea_978020137962_001.tif"_s,
             u"Tea_978020137962_002.tif"_s},
            {u"4006381333931"_s, u"4006381333931"_s, u"9780201379624"_s, u"9780201379624"_s}, true);
    }
    void saveAsChoosesTheExport()
    {
        QFETCH(ExportRow, row);
        openWindow();
        tiffControl<QCheckBox>(*m_form, u"chkVerify"_s)->setChecked(row.verify);
        addRecord(u"400638133393"_s, u"Milk"_s);
        addRecord(u"978020137962"_s, u"Tea"_s);
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        selectRows(row.selected);
        tiffControl<QLineEdit>(*m_form, u"txtCopies"_s)->setText(row.copies);
        saveAs(m_dir.filePath(row.fileName));
        QCOMPARE(m_prompt->texts(), QStringList{});
        QCOMPARE(filesIn(), row.files);
        for (qsizetype i = 0; i < row.files.size(); ++i)
            QCOMPARE(scanned(row.files[i]), row.digits[i]);
        QCOMPARE(m_form->statusText(),
                 writtenIn(row.files.size()) + u"."_s + (row.verify ? allScan(row.files.size()) : QString()));
        QVERIFY(!m_form->isExportRunning());
    }

    void colourDepthQuestion_data()
    {
        QTest::addColumn<bool>("switching");
        QTest::addColumn<int>("bits");
        QTest::addColumn<PromptAnswer>("answer");
        QTest::newRow("switching display, 16 bits, No") << true << 16 << PromptAnswer::No;
        QTest::newRow("switching display, 32 bits, Yes") << true << 32 << PromptAnswer::Yes;
        QTest::newRow("switching display, 24 bits") << true << 24 << PromptAnswer::No;
        QTest::newRow("this screen, 32 bits") << false << 32 << PromptAnswer::No;
    }
    void colourDepthQuestion()
    {
        QFETCH(bool, switching);
        QFETCH(int, bits);
        QFETCH(PromptAnswer, answer);
        if (switching)
            setDisplayModesFactory([bits] { return std::make_unique<SwitchingDisplay>(bits); });
        openWindow();
        m_form->setDisplayDepth(bits);
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        m_prompt->answers.enqueue(answer);
        saveAs(m_dir.filePath(u"label.tif"_s));
        const bool asks = switching && bits != 24;
        const QString question = u"Making a TIF file in "_s + QString::number(bits) +
                                 u" Bit color will corrupt the saved image, please use 256 colors, Do you want to "
                                 u"Continue ?"_s;
        QCOMPARE(m_prompt->texts(), asks ? QStringList{question} : QStringList{});
        if (asks)
            QCOMPARE(m_prompt->asked[0].title, u"Wrong color depth"_s);
        const bool writes = !asks || answer == PromptAnswer::Yes;
        QCOMPARE(filesIn(), writes ? QStringList{u"Soap_501234567890_001.tif"_s} : QStringList{});
    }

    // On a display that can switch; the rule for every display and setting has a table of its own.
    void colourModeAtStartUp_data()
    {
        QTest::addColumn<QString>("use256");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<int>("bitsWhileRunning");
        QTest::newRow("first start") << QString()
                                     << QStringList{u"To be able to save High Resolution TIFF images you must use 256 "
                                                    u"Colors, Change Resolution automaticlly ?"_s}
                                     << 8;
        QTest::newRow("always 256") << u"256"_s << QStringList{} << 8;
        QTest::newRow("never") << u"Never"_s << QStringList{} << 32;
    }
    void colourModeAtStartUp()
    {
        QFETCH(QString, use256);
        QFETCH(QStringList, asked);
        QFETCH(int, bitsWhileRunning);
        SwitchingDisplay *display = nullptr;
        setDisplayModesFactory([&display] {
            auto made = std::make_unique<SwitchingDisplay>(32);
            display = made.get();
            return made;
        });
        if (!use256.isNull())
            storedSettings().setValue(u"Use256"_s, use256);
        RecordingPrompt prompt;
        prompt.answers.enqueue(PromptAnswer::Yes);
        {
            Form1 form(Edition::Alla);
            form.show();
            QApplication::setActiveWindow(&form);
            QVERIFY(QTest::qWaitForWindowActive(&form));
            // A second activation asks nothing more.
            QApplication::setActiveWindow(nullptr);
            QApplication::setActiveWindow(&form);
            QVERIFY(QTest::qWaitForWindowActive(&form));
            QCOMPARE(prompt.texts(), asked);
            if (!asked.isEmpty())
                QCOMPARE(prompt.asked[0].helpContext, 810);
            QCOMPARE(display->now.bitsPerPixel, bitsWhileRunning);
            quitAnsweringYes(form);
            // Closing goes back to the depth the display started in.
            QCOMPARE(display->now.bitsPerPixel, 32);
        }
        // The choice is read and written as it always was.
        QCOMPARE(storedSettings().value(u"Use256"_s).toString(), use256.isEmpty() ? u"Ask"_s : use256);
    }

    void stoppingALongExport_data()
    {
        QTest::addColumn<QString>("stop");
        QTest::newRow("Escape") << u"Escape"_s;
        QTest::newRow("Cancel") << u"Cancel"_s;
        QTest::newRow("closing the window") << u"close"_s;
    }
    void stoppingALongExport()
    {
        QFETCH(QString, stop);
        openWindow();
        QList<ListRecord> records;
        for (int i = 0; i < 200; ++i)
            records.append({u"P"_s + QString::number(i), u"501234500"_s + QString::number(i).rightJustified(3, u'0'),
                            QString(), QString(), u"E130"_s});
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        loadRecords(records);
        child<QTreeView>(u"ListView3"_s)->selectAll();

        // Controls that change the list are locked while the export runs.
        const QList<QObject *> locked{child<QPushButton>(u"Command4"_s), child<QAction>(u"mnuRItem"_s),
                                      child<QAction>(u"mnuCLList"_s),    child<QAction>(u"mnuLoad"_s),
                                      child<QTreeView>(u"ListView3"_s),  child<QAction>(u"Toolbar1_New"_s)};
        const auto usable = [&locked] {
            QList<bool> states;
            for (QObject *control : locked)
                states.append(control->property("enabled").toBool());
            return states;
        };
        QList<bool> during;
        QString lockNotice;
        bool busyShown = false;
        bool stopHeard = false;
        QTimer stopper;
        connect(&stopper, &QTimer::timeout, this, [&] {
            if (filesIn().size() < 3)
                return;
            stopper.stop();
            during = usable();
            lockNotice =
                child<QLabel>(u"lblExportLock"_s)->isVisible() ? child<QLabel>(u"lblExportLock"_s)->text() : QString();
            if (const QString screenshot = qEnvironmentVariable("KELBRIX_EXPORT_SCREENSHOT"); !screenshot.isEmpty())
                m_form->grab().save(screenshot);
            busyShown =
                child<QProgressBar>(u"ProgressBar1"_s)->isVisible() && child<QPushButton>(u"cmdCancel"_s)->isEnabled();
            if (stop == u"Escape"_s)
                QTest::keyClick(m_form, Qt::Key_Escape);
            else if (stop == u"Cancel"_s)
                child<QPushButton>(u"cmdCancel"_s)->click();
            else
                QVERIFY(!m_form->close());
            // Heard at once, not after a button's pressed look has been shown.
            stopHeard = m_form->batch().stopRequest() == BatchStop::Asked;
        });
        stopper.start(0);
        saveAs(m_dir.filePath(u"batch.tif"_s));

        checkAsked(*m_prompt, u"You have pressed Escape (ESC), Do you want to stop ?"_s, u"Stop or Not"_s,
                   PromptIcon::Question, PromptButtons::YesNo);
        QCOMPARE(during, QList<bool>(locked.size(), false));
        QCOMPARE(lockNotice, u"The list is locked while the export runs; Cancel or Esc stops it."_s);
        QVERIFY(busyShown);
        QVERIFY(stopHeard);
        QCOMPARE(usable(), QList<bool>(locked.size(), true));
        QVERIFY(!child<QLabel>(u"lblExportLock"_s)->isVisible());
        QVERIFY(m_form->isVisible());

        // Only whole files of records, each scanning as its record, stay in the folder.
        const QStringList files = filesIn();
        QVERIFY(files.size() >= 3 && files.size() < 200);
        for (qsizetype i = 0; i < files.size(); ++i) {
            const QString name = u"P"_s + QString::number(i) + u'_' + records[i].barcode + u"_001.tif"_s;
            QVERIFY2(files.contains(name), qPrintable(name));
            QCOMPARE(scanned(name).left(12), records[i].barcode);
        }
        QCOMPARE(m_form->statusText(),
                 writtenIn(files.size()) + u"; the export was stopped."_s + allScan(files.size()));
    }
};

QTEST_MAIN(TestForm1Tiff)
#include "tst_form1_tiff.moc"
