#include "form1_driver.h"

#include "app/frm_tiff.h"
#include "export_test_support.h"
#include "list/list_files.h"

#include <QDialog>
#include <QDir>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

const QString kNoSwitching = u"Error changing resolution! Returned: -100"_s;

QSettings stored()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Quorran"_s, u"Barcode"_s);
}

QDialog *tiffWindow(Form1 &form)
{
    return form.findChild<QDialog *>(u"frmTiff"_s);
}

template <typename T> T *tiffControl(Form1 &form, const QString &name)
{
    T *found = tiffWindow(form)->findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

void quitAnsweringYes(Form1 &form)
{
    RecordingPrompt prompt;
    prompt.answers.enqueue(PromptAnswer::Yes);
    form.findChild<QAction *>(u"mnuExit"_s)->trigger();
    QCOMPARE(prompt.texts(), QStringList{u"Do you want to Quit ?."_s});
}

void activate(QWidget *window)
{
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

const QStringList kTiffNames{u"TiffRes"_s,     u"TiffComp"_s,    u"TiffInvert"_s, u"TiffMirror"_s,  u"TiffRotate"_s,
                             u"TiffAdjustW"_s, u"TiffAdjustH"_s, u"Use256"_s,     u"ISBNtiffFont"_s};

} // namespace

class TestForm1Tiff : public QObject, public Form1Fixture {
    Q_OBJECT

    QTemporaryDir m_dir;

    // A window for the export tests, on a 24-bit display (no colour-depth question).
    void openWindow()
    {
        open();
        m_form->setDisplayDepth(24);
        for (const QString &name : filesIn())
            QFile::remove(m_dir.filePath(name));
    }
    // The report the status bar gives at the end of an export.
    QString writtenIn(qsizetype files) const
    {
        return (files == 1 ? u"1 TIFF file"_s : QString::number(files) + u" TIFF files"_s) + u" written in "_s +
               QDir::toNativeSeparators(m_dir.path());
    }
    // What reading the files back found, as the status bar adds it.
    static QString allScan(qsizetype files)
    {
        return files == 1 ? u" 1 file checked: it scans."_s
                          : u" "_s + QString::number(files) + u" files checked: all scan."_s;
    }
    QStringList filesIn() const { return QDir(m_dir.path()).entryList(QDir::Files, QDir::Name); }
    void setTiffCopies(const QString &copies) { tiffControl<QLineEdit>(*m_form, u"txtCopies"_s)->setText(copies); }
    void saveAs(const QString &name)
    {
        m_prompt->files.enqueue(m_dir.filePath(name));
        child<QAction>(u"mnuAs"_s)->trigger();
    }
    // Every file of the folder is a whole one-bit TIFF whose symbol scans as \a digits.
    void checkTiffs(const QStringList &names, const QStringList &digits)
    {
        QCOMPARE(names.size(), digits.size());
        for (qsizetype i = 0; i < names.size(); ++i) {
            const Test::TiffFile tiff = Test::readTiffFile(m_dir.filePath(names[i]));
            QVERIFY2(tiff.ok, qPrintable(names[i]));
            QCOMPARE(tiff.bitsPerSample, quint16(1));
            QCOMPARE(decodedText(tiff.image), digits[i]);
        }
    }

private slots:
    void init() { resetSettings(); }
    void cleanup() { close(); }

    void menuAndToolbarOpenTheWindow_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::newRow("menu") << u"mnuTiff"_s;
        QTest::newRow("toolbar") << u"Toolbar1_TIF"_s;
    }
    void menuAndToolbarOpenTheWindow()
    {
        QFETCH(QString, opener);
        stored().setValue(u"Use256"_s, u"Never"_s);
        RecordingPrompt prompt;
        Form1 form(Edition::Alla);
        form.show();
        QDialog *window = tiffWindow(form);
        QVERIFY(window && window->isHidden());
        QString seen;
        QTimer::singleShot(0, [&] {
            if (QWidget *modal = QApplication::activeModalWidget())
                seen = modal->windowTitle();
            tiffControl<QCheckBox>(form, u"chkInvertImg"_s)->click();
            tiffControl<QPushButton>(form, u"cmdOK"_s)->click();
        });
        form.findChild<QAction *>(opener)->trigger();
        QCOMPARE(seen, u"TIFF Parameters"_s);
        QVERIFY(window->isHidden());
        QCOMPARE(tiffWindow(form), window);
        QVERIFY(tiffControl<QCheckBox>(form, u"chkInvertImg"_s)->isChecked());
        QVERIFY(prompt.texts().isEmpty());
    }

    void roundTrip_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("resolution");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("first run") << QStringList{} << QString()
                                   << QStringList{u"Printer"_s, u"Huff"_s, u"No"_s, u"No"_s,
                                                  u"No"_s,      u"No"_s,   u"No"_s, u"Ask"_s};
        QTest::newRow("own resolution, G4, all switched")
            << QStringList{u"optUserRes"_s,   u"optCompG4"_s,    u"chkInvertImg"_s, u"optMirrorH"_s, u"optRotate90"_s,
                           u"chkTiffCompW"_s, u"chkTiffCompH"_s, u"optNever256"_s,  u"chkVerify"_s}
            << u"1200"_s << QStringList{u"1200"_s, u"G4"_s, u"Inv"_s, u"H"_s, u"90"_s, u"W"_s, u"H"_s, u"Never"_s};
    }
    void roundTrip()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, resolution);
        QFETCH(QStringList, texts);
        const bool firstRun = clicks.isEmpty();
        if (!firstRun) {
            stored().setValue(u"Use256"_s, u"Never"_s);
            stored().setValue(u"ISBNtiffFont"_s, u"DejaVu Serif"_s);
        }
        RecordingPrompt prompt;
        {
            Form1 form(Edition::Alla);
            for (const QString &name : clicks)
                tiffControl<QAbstractButton>(form, name)->click();
            if (!resolution.isEmpty())
                tiffControl<QLineEdit>(form, u"txtUserRes"_s)->setText(resolution);
            quitAnsweringYes(form);
        }
        QSettings settings = stored();
        for (int i = 0; i < texts.size(); ++i)
            QCOMPARE(settings.value(kTiffNames[i]).toString(), texts[i]);
        QCOMPARE(settings.value(u"ISBNtiffFont"_s).toString(), firstRun ? QString() : u"DejaVu Serif"_s);
        // Verifying is on until the user clears it.
        QCOMPARE(settings.value(u"TiffVerify"_s).toString(), firstRun ? u"Y"_s : u"N"_s);
        if (firstRun)
            return;
        Form1 again(Edition::Alla);
        for (const QString &name : clicks)
            QCOMPARE(tiffControl<QAbstractButton>(again, name)->isChecked(), name != u"chkVerify"_s);
        QCOMPARE(tiffControl<QLineEdit>(again, u"txtUserRes"_s)->text(), resolution);
        QCOMPARE(prompt.texts(), texts[7] == u"256"_s ? QStringList{kNoSwitching} : QStringList{});
    }

    void colourModeOnActivation()
    {
        const int depth = QGuiApplication::primaryScreen()->depth();
        const bool asks = depth == 32 || depth == 16;
        RecordingPrompt prompt;
        prompt.answers.enqueue(PromptAnswer::Yes);
        {
            Form1 form(Edition::Alla);
            form.show();
            activate(&form);
            const QStringList expected{u"To be able to save High Resolution TIFF images you must use 256 Colors, "
                                       u"Change Resolution automaticlly ?"_s,
                                       kNoSwitching};
            QCOMPARE(prompt.texts(), asks ? expected : QStringList{});
            if (asks)
                QCOMPARE(prompt.asked[0].helpContext, 810);
            prompt.clear();
            QWidget other;
            other.show();
            activate(&other);
            activate(&form);
            QVERIFY(prompt.texts().isEmpty());
            quitAnsweringYes(form);
        }
        QVERIFY(prompt.texts().isEmpty());
        QCOMPARE(stored().value(u"Use256"_s).toString(), u"Ask"_s);
    }

    void saveAsChoosesTheExport_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("copies");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("digits");
        QTest::addColumn<bool>("verify");
        // The entry shows Soap; the list holds Milk and Tea.
        QTest::newRow("one selected record, copies 3: the barcode shown")
            << QList<int>{0} << u"3"_s << u"chosen.Tif"_s
            << QStringList{u"Soap_501234567890_001.tif"_s, u"Soap_501234567890_002.tif"_s,
                           u"Soap_501234567890_003.tif"_s}
            << QStringList(3, u"5012345678900"_s) << true;
        QTest::newRow("no selected record, copies 0: the chosen name")
            << QList<int>{} << u"0"_s << u"chosen.TIF"_s << QStringList{u"chosen.TIF"_s}
            << QStringList{u"5012345678900"_s} << false;
        QTest::newRow("two selected records: one file per record and copy")
            << QList<int>{0, 1} << u"2"_s << u"Product_Barcode_Copies Click on Save.tif"_s
            << QStringList{u"Milk_400638133393_001.tif"_s, u"Milk_400638133393_002.tif"_s,
                           u"Tea_978020137962_001.tif"_s, u"Tea_978020137962_002.tif"_s}
            << QStringList{u"4006381333931"_s, u"4006381333931"_s, u"9780201379624"_s, u"9780201379624"_s} << true;
    }
    void saveAsChoosesTheExport()
    {
        QFETCH(QList<int>, selected);
        QFETCH(QString, copies);
        QFETCH(QString, name);
        QFETCH(QStringList, files);
        QFETCH(QStringList, digits);
        QFETCH(bool, verify);
        openWindow();
        tiffControl<QCheckBox>(*m_form, u"chkVerify"_s)->setChecked(verify);
        addRecord(u"400638133393"_s, u"Milk"_s);
        addRecord(u"978020137962"_s, u"Tea"_s);
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        selectRows(selected);
        setTiffCopies(copies);
        saveAs(name);
        QCOMPARE(m_prompt->texts(), QStringList{});
        QCOMPARE(filesIn(), files);
        checkTiffs(files, digits);
        QCOMPARE(m_form->statusText(), writtenIn(files.size()) + u"."_s + (verify ? allScan(files.size()) : QString()));
        QVERIFY(!m_form->isExportRunning());
    }

    void colourDepthQuestion_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<bool>("writes");
        QTest::newRow("16 bits, No") << 16 << PromptAnswer::No << true << false;
        QTest::newRow("32 bits, Yes") << 32 << PromptAnswer::Yes << true << true;
        QTest::newRow("24 bits") << 24 << PromptAnswer::No << false << true;
    }
    void colourDepthQuestion()
    {
        QFETCH(int, bits);
        QFETCH(PromptAnswer, answer);
        QFETCH(bool, asks);
        QFETCH(bool, writes);
        openWindow();
        m_form->setDisplayDepth(bits);
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        m_prompt->answers.enqueue(answer);
        saveAs(u"label.tif"_s);
        if (asks)
            checkAsked(
                *m_prompt,
                u"Making a TIF file in "_s + QString::number(bits) +
                    u" Bit color will corrupt the saved image, please use 256 colors, Do you want to Continue ?"_s,
                u"Wrong color depth"_s, PromptIcon::Question, PromptButtons::YesNo);
        else
            QCOMPARE(m_prompt->texts(), QStringList{});
        QCOMPARE(filesIn(), writes ? QStringList{u"Soap_501234567890_001.tif"_s} : QStringList{});
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
        QTemporaryDir listDir;
        const QString list = listDir.filePath(u"long.qz2"_s);
        QVERIFY(saveListFile(list, records).ok);
        makeBarcode(u"501234567890"_s, u"Soap"_s);
        m_prompt->files.enqueue(list);
        child<QAction>(u"mnuLoad"_s)->trigger();
        child<QTreeView>(u"ListView3"_s)->selectAll();

        // Controls that change the list, and whether each is usable, before, during and after.
        const QList<QObject *> locked{child<QPushButton>(u"Command4"_s), child<QAction>(u"mnuRItem"_s),
                                      child<QAction>(u"mnuCLList"_s),    child<QAction>(u"mnuLoad"_s),
                                      child<QTreeView>(u"ListView3"_s),  child<QAction>(u"Toolbar1_New"_s)};
        const auto usable = [&locked] {
            QList<bool> states;
            for (QObject *control : locked)
                states.append(control->property("enabled").toBool());
            return states;
        };
        const QList<bool> before = usable();
        QCOMPARE(before, QList<bool>(locked.size(), true));
        QList<bool> during;
        QString lockNotice;
        bool cancelUsable = false;
        bool progressShown = false;
        QTimer stopper;
        connect(&stopper, &QTimer::timeout, this, [&] {
            if (filesIn().size() < 3)
                return;
            stopper.stop();
            during = usable();
            lockNotice =
                child<QLabel>(u"lblExportLock"_s)->isVisible() ? child<QLabel>(u"lblExportLock"_s)->text() : QString();
            progressShown = child<QProgressBar>(u"ProgressBar1"_s)->isVisible();
            const QString screenshot = qEnvironmentVariable("KELBRIX_EXPORT_SCREENSHOT");
            if (!screenshot.isEmpty())
                m_form->grab().save(screenshot);
            cancelUsable = child<QPushButton>(u"cmdCancel"_s)->isEnabled();
            if (stop == u"Escape"_s)
                QTest::keyClick(m_form, Qt::Key_Escape);
            else if (stop == u"Cancel"_s)
                child<QPushButton>(u"cmdCancel"_s)->click();
            else
                QVERIFY(!m_form->close()); // the window stays while the export runs
        });
        stopper.start(0);
        saveAs(u"batch.tif"_s);

        checkAsked(*m_prompt, u"You have pressed Escape (ESC), Do you want to stop ?"_s, u"Stop or Not"_s,
                   PromptIcon::Question, PromptButtons::YesNo);
        QCOMPARE(during, QList<bool>(locked.size(), false));
        QCOMPARE(lockNotice, u"The list is locked while the export runs; Cancel or Esc stops it."_s);
        QVERIFY(cancelUsable);
        QVERIFY(progressShown);
        QCOMPARE(usable(), before);
        QVERIFY(!child<QLabel>(u"lblExportLock"_s)->isVisible());
        QVERIFY(m_form->isVisible());

        // The files written so far stay, each whole and scanning as its record; nothing else
        // (no half-written or temporary file) is left in the folder.
        const QStringList files = filesIn();
        QVERIFY2(files.size() >= 3 && files.size() < 200, qPrintable(QString::number(files.size())));
        const QRegularExpression named(u"^P(\\d+)_501234500(\\d{3})_001\\.tif$"_s);
        for (const QString &file : files) {
            const QRegularExpressionMatch match = named.match(file);
            QVERIFY2(match.hasMatch(), qPrintable(file));
            QCOMPARE(match.captured(1).toInt(), match.captured(2).toInt());
            const Test::TiffFile tiff = Test::readTiffFile(m_dir.filePath(file));
            QVERIFY2(tiff.ok, qPrintable(file));
            QCOMPARE(decodedText(tiff.image).left(12), records[match.captured(1).toInt()].barcode);
        }
        QCOMPARE(m_form->statusText(),
                 writtenIn(files.size()) + u"; the export was stopped."_s + allScan(files.size()));
    }
};

QTEST_MAIN(TestForm1Tiff)
#include "tst_form1_tiff.moc"
