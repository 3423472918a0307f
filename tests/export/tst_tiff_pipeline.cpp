// The TIFF export seen from the outside: the files it writes (read back with libtiff and
// decoded with zbar), the commands the converter logs, and the questions it asks; and its
// parameters as they are kept, typed and offered (the 256-colour question).

#include "export/batch_stop.h"
#include "export/record_batch.h"
#include "export_test_support.h"
#include "recording_prompt.h"
#include "zbar_decode.h"

#include "base/safe_save.h"
#include "base/units.h"
#include "export/colour_mode_switch.h"
#include "export/converter_image.h"
#include "export/converter_log.h"
#include "export/image_converter.h"
#include "export/label_source.h"
#include "export/tiff_pipeline.h"
#include "render/barcode_renderer.h"
#include "render/program_clipboard.h"
#include "render/view_update_plan.h"
#include "settings/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <tiffio.h>

#include <cerrno>
#include <functional>
#include <optional>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

struct Record {
    QString typeCode, entry, supplement, product;
};

struct FamilyRow {
    Record record;
    int dpi = 300;
    TiffCompression compression = TiffCompression::Group4;
    bool invert = false;
    TiffMirror mirror = TiffMirror::None;
    TiffRotation rotation = TiffRotation::None;
    QString decoded;
};

} // namespace

Q_DECLARE_METATYPE(FamilyRow)

namespace {

const Record kSoap{u"E130"_s, u"501234567890"_s, {}, u"Soap"_s};

// A label source without a window, with its own export: records are made with the main view's
// plan, the reference size is the main renderer's, and what the export reports is kept.
class FakeSource final : public LabelSource {
public:
    QList<Record> records;
    TiffParameters parameters;
    QStringList statuses, copiesTexts;
    BatchStop batch = BatchStop::Idle;
    std::optional<QSizeF> reference;               // the main renderer's size when not set
    QSizeF twipsPerPixel{15, 15};                  // a 96 dpi screen
    std::function<void()> afterEachFile;           // what the user does once a file is written
    std::function<void(const QString &)> onStatus; // what the user does when a status shows
    std::function<void()> duringWork;              // what the user does while a step's work runs
    ImageConverter converter;
    TiffPipeline pipeline{*this, converter};

    FakeSource(const QList<Record> &list, int dpi, TiffCompression compression = TiffCompression::Group4)
        : records(list)
    {
        parameters.printerResolution = false;
        parameters.userResolution = QString::number(dpi);
        parameters.compression = compression;
    }
    // Exports all the records.
    TiffExportOutcome run(const QString &chosen)
    {
        QList<int> numbers;
        for (int n = 1; n <= records.size(); ++n)
            numbers << n;
        return pipeline.ExportListAsTiff(numbers, chosen);
    }

    bool loadRecord(int number) override
    {
        m_record = records.at(number - 1);
        const ViewUpdatePlan plan = planMainViewUpdate(
            {m_record.typeCode, Edition::Alla, m_record.entry, m_record.supplement, m_record.product});
        if (!plan.update || applyViewUpdatePlan(plan, m_main) != PlanApplied::Handed)
            return false;
        m_main.setWidthTwips(plan.widthTwips);
        m_main.setHeightTwips(plan.heightTwips);
        return m_main.hasSymbol();
    }
    QString typeCode() const override { return m_record.typeCode; }
    QString productText() const override { return m_record.product; }
    QString barcodeText() const override { return m_record.entry; }
    bool supplementChosen() const override { return !m_record.supplement.isEmpty(); }
    const BarcodeRenderer &mainRenderer() const override { return m_main; }
    const BarcodeRenderer &definedRenderer() const override { return m_main; }
    BarcodeRenderer &tiffRenderer() override { return m_tiff; }
    QSizeF referenceSizeTwips() const override
    {
        return reference.value_or(QSizeF(m_main.widthTwips(), m_main.heightTwips()));
    }
    QSizeF screenTwipsPerPixel() const override { return twipsPerPixel; }
    TiffParameters tiffParameters() const override { return parameters; }
    void setTiffCopiesText(const QString &text) override
    {
        copiesTexts << text;
        parameters.copies = text;
    }
    int printerDpi() const override { return 300; }
    void showStatus(const QString &text) override
    {
        statuses << text;
        if (onStatus)
            onStatus(text);
    }
    void setProgressRange(qint64, qint64) override {}
    void setProgress(qint64) override {}
    void setBusy(bool) override {}
    void serviceEvents() override {}
    void runWork(const std::function<void()> &work) override
    {
        if (duringWork)
            duringWork();
        work();
    }
    void pressEscapeWhileWorking()
    {
        batch = BatchStop::Asked;
        whileWorking();
    }
    BatchStop batchStopRequest() const override { return batch; }
    void setBatchStopRequest(BatchStop value) override { batch = value; }
    void setListItemInWork(int) override {}
    // A user who acts on each file must hear of it before the next one is made.
    bool readsFilesBack() const override { return bool(afterEachFile); }
    void fileWritten(const QString &, const QString &) override
    {
        if (afterEachFile)
            afterEachFile();
    }

private:
    Record m_record;
    BarcodeRenderer m_main;
    BarcodeRenderer m_tiff;
};

// The commands of the converter log, each with its result.
QList<QPair<QString, int>> loggedCommands()
{
    QList<QPair<QString, int>> commands;
    const QString log = QString::fromUtf8(fileBytes(converterLogPath()));
    for (const QString &line : log.split(u'\n', Qt::SkipEmptyParts))
        commands.append({line.section(u'\t', 1, 1), line.section(u'\t', 2, 2).mid(3).toInt()});
    return commands;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// Lengths of the black and white runs across the middle of the bars, without the margins.
QList<int> runsAcross(const QImage &image, bool vertical)
{
    const int at = (vertical ? image.width() : image.height()) / 2;
    const auto black = [&](int i) { return vertical ? isBlack(image, at, i) : isBlack(image, i, at); };
    QList<int> runs{0};
    for (int i = 0; i < (vertical ? image.height() : image.width()); ++i) {
        if (i > 0 && black(i) != black(i - 1))
            runs << 0;
        ++runs.last();
    }
    return runs.mid(1, runs.size() - 2);
}

// One batch of three records: copies of each, the batch copies after which Escape is pressed, the
// answers to the stop question (Y or N in turn) and a fault (rN: record N cannot start; cN / sN:
// copy N fails / stops the batch); then what comes of it.
struct Run {
    int copies;
    QList<qint64> escapeAfter;
    QString answers, fault, made;
    int questions;
    bool stopped;
    int recordsDone;
    QList<int> recordsFailed;
};

const QStringList kTiffNames{u"TiffRes"_s,     u"TiffComp"_s,    u"TiffInvert"_s, u"TiffMirror"_s,   u"TiffRotate"_s,
                             u"TiffAdjustW"_s, u"TiffAdjustH"_s, u"Use256"_s,     u"ISBNtiffFont"_s, u"TiffVerify"_s};

SettingsStore storeWith(const QStringList &texts)
{
    SettingsStore store(Edition::Alla);
    for (int i = 0; i < texts.size(); ++i)
        store.setValue(kTiffNames[i], texts[i]);
    return store;
}

TiffParameters changed(const std::function<void(TiffParameters &)> &change)
{
    TiffParameters parameters;
    change(parameters);
    return parameters;
}

} // namespace

Q_DECLARE_METATYPE(Run)
Q_DECLARE_METATYPE(TiffParameters)

class TestTiffPipeline : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_temp.isValid());
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_temp.filePath(u"cache"_s)));
        qputenv("TMPDIR", QFile::encodeName(m_temp.filePath(u"tmp"_s)));
        QVERIFY(QDir().mkpath(m_temp.filePath(u"tmp"_s)));
        ProgramClipboard::usePrivate(true);
    }
    void init()
    {
        QFile::remove(converterLogPath());
        setConverterMemoryBudget(0);
        m_out = std::make_unique<QTemporaryDir>();
    }

    // The private clipboard holds the picture as it is; the desktop one goes through TIFF bytes.
    // Both must give the same files and results. (Run first: the glyph cache can draw the digits
    // a pixel differently once other sizes were drawn.)
    void heldPictureGivesTheSameFiles()
    {
        QStringList runs[2];
        QList<int> results[2];
        for (const bool held : {false, true}) {
            ProgramClipboard::usePrivate(held);
            QFile::remove(converterLogPath());
            const QString folder = m_out->filePath(held ? u"held"_s : u"bytes"_s);
            QVERIFY(QDir().mkpath(folder));
            FakeSource run({{u"ISB5"_s, u"0-306-40615-2"_s, u"51299"_s, u"Book"_s}}, 1200, TiffCompression::Huffman);
            run.parameters.invert = true;
            run.parameters.mirror = TiffMirror::Horizontal;
            run.parameters.rotation = TiffRotation::Rotate90;
            run.parameters.copies = u"2"_s;
            const TiffExportOutcome outcome = run.run(folder + u"/chosen.tif"_s);
            QVERIFY(!outcome.failed);
            for (const QString &file : outcome.filesWritten)
                runs[held] << QFileInfo(file).fileName();
            for (const auto &logged : loggedCommands())
                results[held] << logged.second;
        }
        ProgramClipboard::usePrivate(true);
        QCOMPARE(runs[1], runs[0]);
        QCOMPARE(runs[0].size(), 2);
        QCOMPARE(results[1], results[0]);
        for (const QString &name : runs[0])
            QCOMPARE(fileBytes(m_out->filePath(u"held/"_s + name)), fileBytes(m_out->filePath(u"bytes/"_s + name)));
    }

    void everyFamilyScansAfterEveryStep_data()
    {
        using C = TiffCompression;
        using M = TiffMirror;
        using R = TiffRotation;
        QTest::addColumn<FamilyRow>("row");
        const auto row = [](const char *name, const Record &record, int dpi, C compression, bool invert, M mirror,
                            R rotation, const QString &decoded) {
            QTest::newRow(name) << FamilyRow{record, dpi, compression, invert, mirror, rotation, decoded};
        };
        row("EAN-13 300 dpi", kSoap, 300, C::Huffman, false, M::None, R::None, u"5012345678900"_s);
        row("EAN-8 + 5 inverted 600 dpi", {u"E85 "_s, u"1234567"_s, u"12345"_s, u"Tea"_s}, 600, C::Group4, true,
            M::None, R::None, u"1234567012345"_s);
        row("UPC-A + 2 mirrored 1200 dpi", {u"UPA2"_s, u"03600029145"_s, u"12"_s, u"Jam"_s}, 1200, C::None, false,
            M::Horizontal, R::None, u"03600029145212"_s);
        row("UPC-E flipped 2400 dpi", {u"UPE0"_s, u"0123456"_s, {}, u"Gum"_s}, 2400, C::Group3, false, M::Vertical,
            R::None, u"01234565"_s);
        row("ISBN turned 90", {u"ISB0"_s, u"0-306-40615-2"_s, {}, u"Book"_s}, 600, C::Group4, false, M::None,
            R::Rotate90, u"9780306406157"_s);
        row("SCC-14 turned 180", {u"SC14"_s, u"3001234567890"_s, {}, u"Box"_s}, 300, C::Huffman, false, M::None,
            R::Rotate180, u"30012345678906"_s);
        row("Code 39 turned 270", {u"Co39"_s, u"ABC-123"_s, {}, u"Tag"_s}, 300, C::Group4, false, M::None, R::Rotate270,
            u"ABC-123"_s);
    }
    void everyFamilyScansAfterEveryStep()
    {
        QFETCH(FamilyRow, row);
        FakeSource run({row.record}, row.dpi, row.compression);
        run.parameters.invert = row.invert;
        run.parameters.mirror = row.mirror;
        run.parameters.rotation = row.rotation;
        const TiffExportOutcome outcome = run.run(m_out->filePath(u"chosen.tif"_s));

        QCOMPARE(outcome.filesWritten.size(), 1);
        QVERIFY(!outcome.failed);
        const TiffFile file = readTiffFile(outcome.filesWritten.first());
        QVERIFY(file.ok);
        QCOMPARE(std::tuple(file.bitsPerSample, file.samplesPerPixel), std::tuple(quint16(1), quint16(1)));
        QCOMPARE(std::pair(qRound(file.xResolution), qRound(file.yResolution)), std::pair(row.dpi, row.dpi));
        const quint16 tags[] = {COMPRESSION_NONE, COMPRESSION_CCITTRLE, COMPRESSION_CCITTFAX3, COMPRESSION_CCITTFAX4};
        QCOMPARE(file.compression, tags[int(row.compression)]);
        const bool turned = row.rotation == TiffRotation::Rotate90 || row.rotation == TiffRotation::Rotate270;
        QCOMPARE(int(turned ? file.height : file.width), int(run.pipeline.RasterWidth()));
        // The ISBN line comes in a band above the symbol.
        const int across = int(turned ? file.width : file.height) - run.pipeline.TargetHeightPixels();
        QVERIFY2(row.record.typeCode == u"ISB0"_s ? across > 50 : qAbs(across) <= 1,
                 qPrintable(QString::number(across)));

        QImage image = file.image;
        if (row.invert)
            image.invertPixels();
        QVERIFY2(decodedText(image).remove(u'|').startsWith(row.decoded), qPrintable(decodedText(image)));
        const QList<int> runs = runsAcross(image, turned);
        QVERIFY(runs.size() > 20);
        const int module = *std::min_element(runs.begin(), runs.end());
        QVERIFY(module >= 1);
        for (const int width : runs)
            QCOMPARE(width % module, 0);
        // Work files of the lettering never stay behind.
        QCOMPARE(filesIn(QDir::tempPath()), QStringList());
    }

    void routeFollowsResolution()
    {
        for (const int dpi : {1200, 1201}) {
            init();
            FakeSource run({kSoap}, dpi);
            const TiffExportOutcome outcome = run.run(m_out->filePath(u"chosen.tif"_s));
            const QString file = m_out->filePath(u"Soap_501234567890_001.tif"_s);
            QCOMPARE(outcome.filesWritten, QStringList{file});

            const QString d = u",xres="_s + QString::number(dpi) + u",yres="_s + QString::number(dpi);
            // Above 1200 dpi the steps work on a hidden file beside the copy, gone afterwards.
            const QString logged = loggedCommands().value(0).first;
            const QString work = dpi <= 1200 ? u"clipboard"_s : logged.section(u",dest="_s, 1).section(u',', 0, 0);
            QVERIFY2(dpi <= 1200 || (work.startsWith(m_out->filePath(u".Soap_501234567890_001.tif."_s)) &&
                                     work.endsWith(u".tif"_s) && !QFile::exists(work)),
                     qPrintable(work));
            QCOMPARE(filesIn(m_out->path()), QStringList{QFileInfo(file).fileName()});
            const QString render = u"source=Clipboard,dest="_s + work + u",raster="_s +
                                   QString::number(int(run.pipeline.RasterWidth())) + u",format=tif,colors=2,mono=1"_s +
                                   d + u",log=1"_s;
            const QString copy = dpi <= 1200 ? u"source=clipboard,dest="_s + file + d + u",format=5,log=1"_s
                                             : u"source="_s + work + u",dest="_s + file + u",format=5,log=1"_s;
            const QList<QPair<QString, int>> expected = {
                {render, 0}, {u"source="_s + work + u",dest="_s + work + u",format=5,log=1"_s, 0}, {copy, 0}};
            QCOMPARE(loggedCommands(), expected);
            QVERIFY(!decodedText(readTiffFile(file).image).isEmpty());
        }
    }

    void namesAndCopies()
    {
        const struct {
            QList<Record> records;
            QString copies;
            QStringList names, copiesShown;
        } cases[] = {
            {{{u"E130"_s, u"501234567890"_s, {}, u"-/-/"_s}}, u"1"_s, {u"_501234567890_001.tif"_s}, {}},
            {{{u"E130"_s, u"501234567890"_s, {}, u"A/B: Soap"_s}}, {}, {u"AB Soap_501234567890_001.tif"_s}, {u"1"_s}},
            {{kSoap}, u"0"_s, {u"Soap_501234567890_001.tif"_s}, {}},
            {{}, u"1"_s, {}, {}}};
        for (const auto &c : cases) {
            init();
            FakeSource run(c.records, 300);
            run.parameters.copies = c.copies;
            const TiffExportOutcome outcome = run.run(m_out->filePath(u"chosen.tif"_s));
            QCOMPARE(filesIn(m_out->path()), c.names);
            QCOMPARE(outcome.recordsDone, int(c.records.size()));
            QCOMPARE(run.copiesTexts, c.copiesShown);
            for (const QString &name : c.names)
                QVERIFY(!decodedText(readTiffFile(m_out->filePath(name)).image).isEmpty());
            if (!c.records.isEmpty())
                QCOMPARE(run.statuses.last(), u"Press F1 for Help"_s);
        }
    }

    // Adjusted to the defined size, the picture's width comes from the screen's vertical twips per
    // pixel and its height from the horizontal ones, both scaled by k = 1440.18 / (vertical + 5).
    void screenPixelsNotSquare_data()
    {
        QTest::addColumn<QSizeF>("twipsPerPixel"); // horizontally, vertically
        QTest::addColumn<QSize>("pixels");
        QTest::newRow("square") << QSizeF(15, 15) << QSize(400, 200);
        QTest::newRow("taller than wide") << QSizeF(12, 15) << QSize(400, 250);
        QTest::newRow("wider than tall") << QSizeF(15, 12) << QSize(425, 170);
    }
    void screenPixelsNotSquare()
    {
        QFETCH(QSizeF, twipsPerPixel);
        QFETCH(QSize, pixels);
        FakeSource run({kSoap}, 300);
        run.reference = QSizeF(1441, 721);
        run.twipsPerPixel = twipsPerPixel;
        run.parameters.adjustWidth = run.parameters.adjustHeight = true;
        const TiffExportOutcome outcome = run.run(m_out->filePath(u"chosen.tif"_s));
        QCOMPARE(outcome.filesWritten.size(), 1);
        const TiffFile file = readTiffFile(outcome.filesWritten.first());
        QCOMPARE(QSize(int(file.width), int(file.height)), pixels);
        QCOMPARE(decodedText(file.image), u"5012345678900"_s);
    }

    // Escape pressed in an export of two records: once a copy is told, while a copy is saved
    // (before it is told), or while a step's work runs, where the question is answered at once;
    // while a copy is handed to the writer, the question waits for the check after it, when that
    // file is told. Yes stops the export at its next check: what was written stays, and the record
    // stopped is neither done nor failed. No lets it run to its end without a second question.
    void stopAsked_data()
    {
        QTest::addColumn<QString>("copies");
        QTest::addColumn<QString>("pressed"); // "told", "saving", or the status shown as a step works
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<int>("askedByThen"); // questions asked when the step's work goes on; -1: none
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("recordsDone");
        const QStringList soap{u"Soap_501234567890_001.tif"_s};
        const QString drawing = u"Now Processing.... Tea"_s;
        const PromptAnswer yes = PromptAnswer::Yes;
        QTest::newRow("between copies") << u"2"_s << u"told"_s << yes << -1 << soap << 0;
        QTest::newRow("between records") << u"1"_s << u"told"_s << yes << -1 << soap << 1;
        QTest::newRow("between copies, while saving") << u"2"_s << u"saving"_s << yes << -1 << soap << 0;
        QTest::newRow("between records, while saving") << u"1"_s << u"saving"_s << yes << -1 << soap << 1;
        QTest::newRow("drawing, Yes") << u"1"_s << drawing << yes << 1 << soap << 1;
        QTest::newRow("drawing, No") << u"1"_s << drawing << PromptAnswer::No << 1
                                     << soap + QStringList{u"Tea_1234567_001.tif"_s} << 2;
        QTest::newRow("handing a copy, Yes") << u"1"_s << u"Saveing.... Soap, Copy=1"_s << yes << 0 << soap << 1;
    }
    void stopAsked()
    {
        QFETCH(QString, copies);
        QFETCH(QString, pressed);
        QFETCH(PromptAnswer, answer);
        QFETCH(int, askedByThen);
        QFETCH(QStringList, files);
        QFETCH(int, recordsDone);
        RecordingPrompt prompt;
        prompt.answers << answer;
        FakeSource run({kSoap, {u"E80 "_s, u"1234567"_s, {}, u"Tea"_s}}, 300);
        run.parameters.copies = copies;
        qsizetype asked = -1;
        if (pressed == u"told"_s) {
            run.afterEachFile = [&run] { run.batch = BatchStop::Asked; };
        } else if (pressed == u"saving"_s) {
            // The first copy's status shows once as its picture is finished, then as it is saved.
            run.onStatus = [&run](const QString &text) {
                if (run.statuses.count(u"Saveing.... Soap, Copy=1"_s) == 2 && text.startsWith(u"Saveing"_s))
                    run.batch = BatchStop::Asked;
            };
        } else {
            run.duringWork = [&] {
                if (asked < 0 && run.statuses.contains(pressed)) {
                    run.pressEscapeWhileWorking();
                    asked = prompt.texts().size();
                }
            };
        }
        const TiffExportOutcome outcome = run.run(m_out->filePath(u"chosen.tif"_s));
        QCOMPARE(asked, askedByThen);
        QCOMPARE(prompt.texts(), QStringList{kEscapeQuestion.toString()});
        // The files saved before the question are on the disk and told.
        QCOMPARE(filesIn(m_out->path()), files);
        QCOMPARE(outcome.filesWritten.size(), files.size());
        QCOMPARE(outcome.stopped, answer == PromptAnswer::Yes);
        QCOMPARE(outcome.recordsDone, recordsDone);
        QCOMPARE(outcome.recordsFailed, QList<int>());
        if (askedByThen < 0) // stopped before the next record's picture is begun
            QVERIFY(!run.statuses.contains(u"Now Processing.... Tea"_s));
    }

    // A copy that cannot be written (a folder has its name) fails its record, once; the other
    // copies and records are written, and each status names the copy of its own record.
    void failedCopyFailsItsRecord_data()
    {
        QTest::addColumn<bool>("list");
        QTest::newRow("list") << true;
        QTest::newRow("the current barcode") << false;
    }
    void failedCopyFailsItsRecord()
    {
        QFETCH(bool, list);
        QVERIFY(QDir(m_out->path()).mkdir(u"Soap_501234567890_002.tif"_s));
        RecordingPrompt prompt;
        FakeSource run({kSoap, {u"E80 "_s, u"1234567"_s, {}, u"Tea"_s}}, 300);
        run.parameters.copies = u"3"_s;
        TiffExportOutcome outcome;
        if (list) {
            outcome = run.run(m_out->filePath(u"chosen.tif"_s));
        } else {
            QVERIFY(run.loadRecord(1));
            outcome = run.pipeline.ExportCurrentAsTiff(m_out->filePath(u"chosen.tif"_s));
        }
        QVERIFY(outcome.failed);
        QCOMPARE(prompt.texts().size(), 1);
        QStringList written{u"Soap_501234567890_001.tif"_s, u"Soap_501234567890_003.tif"_s};
        if (list) {
            written << u"Tea_1234567_001.tif"_s << u"Tea_1234567_002.tif"_s << u"Tea_1234567_003.tif"_s;
            QCOMPARE(outcome.recordsFailed, QList<int>{1});
            QCOMPARE(outcome.recordsDone, 1);
            const QStringList tea = run.statuses.filter(u"Saveing.... Tea"_s);
            QCOMPARE(tea, (QStringList{u"Saveing.... Tea, Copy=1"_s, u"Saveing.... Tea, Copy=1"_s,
                                       u"Saveing.... Tea, Copy=2"_s, u"Saveing.... Tea, Copy=3"_s}));
        }
        QCOMPARE(outcome.filesWritten.size(), written.size());
        for (qsizetype i = 0; i < written.size(); ++i)
            QCOMPARE(QFileInfo(outcome.filesWritten[i]).fileName(), written[i]);
    }

    // A step after the first that fails (here the rename of the turned picture) leaves a file of
    // the copy's name as it was, and nothing is reported as written.
    void failedStepKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("dpi");
        QTest::newRow("list above 1200 dpi") << u"list"_s << 2400;
        QTest::newRow("the current barcode") << u"current"_s << 600;
        QTest::newRow("a single TIFF") << u"single"_s << 600;
    }
    void failedStepKeepsTheOldFile()
    {
        QFETCH(QString, way);
        QFETCH(int, dpi);
        const QString name = way == u"single"_s ? u"chosen.tif"_s : u"Soap_501234567890_001.tif"_s;
        const QString path = m_out->filePath(name);
        QVERIFY(writeFileBytes(path, "the old file"));
        RecordingPrompt prompt;
        FakeSource run({kSoap}, dpi);
        run.parameters.rotation = TiffRotation::Rotate90;
        setSaveFaultsForTesting({0, 0, EIO, 2});
        TiffExportOutcome outcome;
        if (way == u"list"_s) {
            outcome = run.run(m_out->filePath(u"chosen.tif"_s));
        } else {
            QVERIFY(run.loadRecord(1));
            outcome = way == u"current"_s ? run.pipeline.ExportCurrentAsTiff(m_out->filePath(u"chosen.tif"_s))
                                          : run.pipeline.ExportSingleTiff(path);
        }
        setSaveFaultsForTesting({});
        QCOMPARE(fileBytes(path), QByteArray("the old file"));
        QCOMPARE(outcome.filesWritten, QStringList());
        QVERIFY(outcome.failed);
        QCOMPARE(prompt.texts(), QStringList{u"Error Writing Data to Disk."_s});
        QCOMPARE(filesIn(m_out->path()), QStringList{name});
    }

    // A picture narrower in pixels than the symbol has modules would not scan: no file is made
    // and the user is told.
    void fewerPixelsThanModules()
    {
        RecordingPrompt prompt;
        FakeSource run({kSoap}, 300);
        run.reference = QSizeF(150, 100);
        const TiffExportOutcome outcome = run.run(m_out->filePath(u"chosen.tif"_s));
        QCOMPARE(outcome.filesWritten, QStringList());
        QVERIFY(outcome.failed);
        QCOMPARE(prompt.texts(), QStringList{u"At 300 dpi the barcode of Soap is 42 pixels wide, fewer than its 113 "
                                             u"modules: no file was made."_s});
        QCOMPARE(filesIn(m_out->path()), QStringList());
    }

    // Each try's width in pixels: the full 4032 (1.68 inches at 2400 dpi), then a half, a
    // quarter, a sixth; the picture made is enlarged back to the full width.
    void tooLargeIsRetriedSmaller_data()
    {
        QTest::addColumn<qint64>("budget");
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<QList<int>>("rasters");
        QTest::addColumn<QString>("enlarged");
        QTest::newRow("No ends the export") << (qint64(1) << 20) << PromptAnswer::No << QList<int>{4032} << QString();
        QTest::newRow("Yes: half, then 200 %")
            << (qint64(10) << 20) << PromptAnswer::Yes << QList<int>{4032, 2016} << u"200%"_s;
        QTest::newRow("Yes: a sixth, then 600 %")
            << (qint64(1) << 20) << PromptAnswer::Yes << QList<int>{4032, 2016, 1008, 672} << u"600%"_s;
    }
    void tooLargeIsRetriedSmaller()
    {
        QFETCH(qint64, budget);
        QFETCH(PromptAnswer, answer);
        QFETCH(QList<int>, rasters);
        QFETCH(QString, enlarged);
        RecordingPrompt prompt;
        prompt.answers << PromptAnswer::Ok << answer;
        setConverterMemoryBudget(budget);
        FakeSource run({kSoap}, 2400);
        const TiffExportOutcome outcome = run.run(m_out->filePath(u"chosen.tif"_s));

        QCOMPARE(prompt.texts(), (QStringList{u"Unspecified Internal Error"_s,
                                              u"Can't make a 2400 dpi file. But you can try again, but the size might "
                                              u"not be right, continue ?"_s}));
        QCOMPARE(outcome.stopped, answer == PromptAnswer::No);
        QList<int> tried;
        QString rescaled;
        for (const auto &[command, result] : loggedCommands()) {
            if (command.contains(u",raster="_s))
                tried << command.section(u",raster="_s, 1).section(u',', 0, 0).toInt();
            if (command.contains(u",rescalex="_s) && result == 0)
                rescaled = command.section(u",rescalex="_s, 1).section(u',', 0, 0);
        }
        QCOMPARE(tried, rasters);
        QCOMPARE(rescaled, enlarged);
        QCOMPARE(outcome.filesWritten.size(), enlarged.isEmpty() ? 0 : 1);
        if (!enlarged.isEmpty()) {
            const TiffFile file = readTiffFile(outcome.filesWritten.first());
            QCOMPARE(int(file.width), 4032);
            QCOMPARE(decodedText(file.image), u"5012345678900"_s);
        }
        QCOMPARE(run.pipeline.RetryState(), TiffRetry::None);
    }

    void storedTexts()
    {
        const QStringList texts{u"Printer"_s, u"Huff"_s, u"No"_s,  u"No"_s,   u"No"_s,
                                u"No"_s,      u"No"_s,   u"Ask"_s, QString(), u"Y"_s};
        SettingsStore store(Edition::Alla);
        TiffParameters{}.toSettings(store);
        QStringList stored;
        for (const QString &name : kTiffNames)
            stored.append(store.value(name));
        QCOMPARE(stored, texts);
        SettingsStore again = storeWith(texts);
        QCOMPARE(TiffParameters::fromSettings(again), TiffParameters{});
    }

    void readBack_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<TiffParameters>("parameters");
        QTest::addColumn<QString>("use256Stored");
        const QString garbage = u"zz\u00e9\u20ac"_s;
        QTest::newRow("garbage") << QStringList(10, garbage)
                                 << changed([&](TiffParameters &p) { p.isbnTiffFont = garbage; }) << garbage;
        QTest::newRow("TiffComp missing") << QStringList{u"Printer"_s, QString(), u"Inv"_s}
                                          << changed([](TiffParameters &p) { p.invert = true; }) << u"Ask"_s;
        QTest::newRow("resolution above 4800") << QStringList{u"9999"_s} << changed([](TiffParameters &p) {
            p.printerResolution = false;
            p.userResolution = u"4800"_s;
        }) << u"Ask"_s;
        for (const char *low : {"1", "50", "299.", "."}) {
            QTest::addRow("resolution %s", low)
                << QStringList{QString::fromLatin1(low)} << changed([](TiffParameters &p) {
                       p.printerResolution = false;
                       p.userResolution = u"300"_s;
                   })
                << u"Ask"_s;
        }
    }
    void readBack()
    {
        QFETCH(QStringList, texts);
        QFETCH(TiffParameters, parameters);
        QFETCH(QString, use256Stored);
        SettingsStore store = storeWith(texts);
        QCOMPARE(TiffParameters::fromSettings(store), parameters);
        QCOMPARE(store.value(u"Use256"_s), use256Stored);
    }

    // A digit into a full box is dropped, one over the selected box replaces it; digits outside
    // ASCII and letters are dropped.
    void keyRule()
    {
        const std::tuple<QChar, bool, KeyDecision> cases[] = {{u'7', false, KeyDecision::Drop},
                                                              {u'6', true, KeyDecision::ClearThenInsert},
                                                              {u'\u0663', true, KeyDecision::Drop},
                                                              {u'\uff13', true, KeyDecision::Drop},
                                                              {u'a', true, KeyDecision::Drop}};
        for (const auto &[key, allSelected, decision] : cases)
            QVERIFY2(filterEntryKey(key, u"3000"_s, allSelected, 4) == decision, qPrintable(QString(key)));
    }

    void numbers()
    {
        QCOMPARE(leadingNumber(u"4800.5"_s), 4800.5);
        QVERIFY(resolutionTooHigh(u"4800.5"_s));
    }

    void activationAsksOnceWhenItMay_data()
    {
        QTest::addColumn<bool>("switching");
        QTest::addColumn<QString>("setting");
        QTest::addColumn<int>("bits");
        QTest::addColumn<bool>("askSelected");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<int>("bitsAfter");
        QTest::newRow("switching, Ask, 32 bits") << true << u"Ask"_s << 32 << false << true << 8;
        QTest::newRow("switching, Ask, 16 bits") << true << u"Ask"_s << 16 << false << false << 16;
        QTest::newRow("switching, Ask, 16 bits, ask chosen") << true << u"Ask"_s << 16 << true << true << 8;
        QTest::newRow("switching, Never, 32 bits") << true << u"Never"_s << 32 << true << false << 32;
        QTest::newRow("switching, 256, 32 bits") << true << u"256"_s << 32 << true << false << 8;
        QTest::newRow("fixed, Ask, 32 bits") << false << u"Ask"_s << 32 << true << false << 32;
        QTest::newRow("fixed, 256, 32 bits") << false << u"256"_s << 32 << true << false << 32;
    }
    void activationAsksOnceWhenItMay()
    {
        QFETCH(bool, switching);
        QFETCH(QString, setting);
        QFETCH(int, bits);
        QFETCH(bool, askSelected);
        QFETCH(bool, asks);
        QFETCH(int, bitsAfter);
        SwitchingDisplay display(bits, switching);
        ColourModeSwitch modes(display);
        modes.setRunSetting(setting);
        RecordingPrompt prompt;
        prompt.answers.enqueue(PromptAnswer::Yes);
        modes.offerOnActivation(askSelected);
        modes.offerOnActivation(askSelected);
        const QString question =
            u"To be able to save High Resolution TIFF images you must use 256 Colors, Change Resolution automaticlly ?"_s;
        QCOMPARE(prompt.texts(), asks ? QStringList{question} : QStringList{});
        if (asks) {
            QCOMPARE(prompt.asked[0].title, u"Change to 256 Colors"_s);
            QCOMPARE(prompt.asked[0].helpContext, 810);
        }
        QCOMPARE(display.now.bitsPerPixel, bitsAfter);
        // Closing the main window returns to the start-up depth, where the display can switch.
        modes.returnToStartUpMode();
        QCOMPARE(display.now.bitsPerPixel, bits);
        QCOMPARE(prompt.texts().size(), asks ? 1 : 0);
    }

    // The records-times-copies loop of the batches: which copies are made, where the stop question
    // ends the batch or lets it run on, and what the batch reports.
    void runs_data();
    void runs();

private:
    QTemporaryDir m_temp;
    std::unique_ptr<QTemporaryDir> m_out;
};

void TestTiffPipeline::runs_data()
{
    QTest::addColumn<Run>("run");
    const auto row = [](const char *name, const Run &run) { QTest::newRow(name) << run; };
    row("one copy each", {1, {}, {}, {}, u"1.1 2.1 3.1"_s, 0, false, 3, {}});
    row("three copies each", {3, {}, {}, {}, u"1.1 1.2 1.3 2.1 2.2 2.3 3.1 3.2 3.3"_s, 0, false, 3, {}});
    row("no copies", {0, {}, {}, {}, {}, 0, false, 3, {}});
    row("stop within a record", {2, {3}, u"Y"_s, {}, u"1.1 1.2 2.1"_s, 1, true, 1, {}});
    row("stop between records", {2, {2}, u"Y"_s, {}, u"1.1 1.2"_s, 1, true, 1, {}});
    row("stop before the first copy", {1, {0}, u"Y"_s, {}, {}, 1, true, 0, {}});
    row("stop declined", {2, {3}, u"N"_s, {}, u"1.1 1.2 2.1 2.2 3.1 3.2"_s, 1, false, 3, {}});
    row("declined, then stopped", {2, {1, 4}, u"NY"_s, {}, u"1.1 1.2 2.1 2.2"_s, 2, true, 2, {}});
    row("Escape after the last copy", {1, {3}, u"Y"_s, {}, u"1.1 2.1 3.1"_s, 0, false, 3, {}});
    row("record cannot start", {2, {}, {}, u"r2"_s, u"1.1 1.2 3.1 3.2"_s, 0, false, 2, {2}});
    row("copy fails, the rest run", {2, {}, {}, u"c3"_s, u"1.1 1.2 2.2 3.1 3.2"_s, 0, false, 2, {2}});
    row("copy ends the batch", {2, {}, {}, u"s3"_s, u"1.1 1.2"_s, 0, true, 1, {}});
    row("stopped after a failed copy", {2, {3}, u"Y"_s, u"c3"_s, u"1.1 1.2"_s, 1, true, 1, {}});
}

void TestTiffPipeline::runs()
{
    QFETCH(Run, run);
    const auto &[copies, escapeAfter, answers, fault, made, questions, stopped, recordsDone, recordsFailed] = run;
    RecordingPrompt prompt;
    for (const QChar answer : answers)
        prompt.answers.enqueue(answer == u'Y' ? PromptAnswer::Yes : PromptAnswer::No);
    BatchStop request = BatchStop::Running;
    if (escapeAfter.contains(0))
        request = BatchStop::Asked;
    QStringList madeCopies;
    QList<qint64> numbers;

    BatchSteps steps;
    steps.startRecord = [&](int record) {
        if (fault == u"r"_s + QString::number(record))
            return RecordStart{BatchStep::Failed};
        return RecordStart{BatchStep::Done, copies};
    };
    steps.stopRequested = [&] { return confirmBatchStop(request); };
    steps.makeCopy = [&](const BatchCopy &copy) {
        numbers << copy.number;
        if (escapeAfter.contains(copy.number))
            request = BatchStop::Asked;
        const QString number = QString::number(copy.number);
        if (fault == u"s"_s + number)
            return BatchStep::Stop;
        if (fault == u"c"_s + number)
            return BatchStep::Failed;
        madeCopies << QString::number(copy.record) + u'.' + QString::number(copy.copy);
        return BatchStep::Done;
    };
    const BatchOutcome outcome = runRecordBatch({1, 2, 3}, steps);

    QCOMPARE(madeCopies.join(u' '), made);
    QCOMPARE(prompt.texts(), QStringList(questions, kEscapeQuestion.toString()));
    QCOMPARE(std::tuple(outcome.stopped, outcome.recordsDone, outcome.recordsFailed, outcome.copiesDone),
             std::tuple(stopped, recordsDone, recordsFailed, qint64(madeCopies.size())));
    for (qsizetype i = 0; i < numbers.size(); ++i)
        QCOMPARE(numbers[i], qint64(i + 1)); // the progress counts every copy begun
    // A declined question lets the batch run on as asked nothing.
    if (!stopped && questions > 0)
        QCOMPARE(request, BatchStop::Running);
}

QTEST_MAIN(TestTiffPipeline)
#include "tst_tiff_pipeline.moc"
