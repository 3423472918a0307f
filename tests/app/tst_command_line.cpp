// The program run from the command line without a desktop: what it prints, its exit codes and
// the files it leaves; and its export killed (SIGKILL) at random moments, after which every file
// under its own name is whole and scans, and the next export leaves no temporary file behind.
#include "cli/command_line.h"
#include "export/converter_io.h"
#include "export_test_support.h"
#include "verify/symbol_reader.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

constexpr int kRecords = 200;
constexpr int kKills = 6;

QStringList hiddenFiles(const QString &folder)
{
    return QDir(folder).entryList({u".*"_s}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// A list of two good records and one whose digits are too short to make a barcode.
const char kList[] = "\"A/B Soap\"\r\n\"5012345678900\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n"
                     "\"Tea\"\r\n\"1234567\"\r\n\"12\"\r\n\"\"\r\n\"E82 \"\r\n"
                     "\"Short\"\r\n\"12\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n";

// The same records as CSV, and one row whose check digit is wrong.
const char kCsv[] = "Product;EAN;Supplement;Type\r\n"
                    "A/B Soap;5012345678900;;\r\n"
                    "Tea;1234567;12;EAN 8\r\n"
                    "Jam;5012345678901;;\r\n"
                    "Short;12;;Code 39\r\n";

struct Run {
    const char *name;
    QString platform = {}; ///< empty: the program chooses its own
    QStringList arguments; ///< "@D@" stands for the folder of the test
    int exitCode;
    QStringList out = {};
    QString err = {};
    bool session = false; ///< started in a user session (XDG_RUNTIME_DIR set), as a window is
    QByteArray list = kList;
    QByteArray settings = {};             ///< the settings file, when there is one
    rlim_t fileSizeLimit = RLIM_INFINITY; ///< bytes a file may grow to
    QByteArray csv = kCsv;
};

const QString kExportUsage =
    u"usage: kelbrix --export LIST.qz2 --out DIR [--dpi N] [--compression none|huffman|g3|g4] [--copies N] "
    u"[--invert] [--mirror h|v] [--rotate 90|180|270] [--records 1,4-9] [--verify] [--format tif|svg|pdf|eps] "
    u"[--magnification PERCENT] [--bwr MM] [--bearers none|top-bottom|frame] [--symbol datamatrix|dl-qr|dl-datamatrix "
    u"[--dual] [--ai AI=VALUE ...] [--serial-from N] [--dl-domain URL]]\n"_s;

const QString kLogisticUsage =
    u"usage: kelbrix --logistic-label (--sscc-prefix PREFIX --extension DIGIT | --ai 00=SSCC) [--ai AI=VALUE ...] "
    u"[--pallets N] [--size a6|a5|4x6] [--a4-sheet] [--for TEXT] --pdf OUT.pdf\n"_s;
const QString kSsccTakeUsage =
    u"usage: kelbrix --sscc-take --sscc-prefix PREFIX --extension DIGIT [--count N] [--for TEXT]\n"
    u"       prints the 18 digits of each SSCC taken, one a line, without (00)\n"_s;

// The export of list.qz2 into the folder out.
const QStringList kToOut{u"--export"_s, u"@D@/list.qz2"_s, u"--out"_s, u"@D@/out"_s};

// Runs the program without a desktop in a folder that holds label.bmp, list.qz2 and list.csv,
// and compares what it printed, its exit code and the files it left with what is expected;
// \a firstImage receives the pixel size of the first TIFF file written.
void runAndCheck(const Run &run, QSize *firstImage = nullptr)
{
    const auto &[name, platform, arguments, exitCode, out, err, session, listBytes, settings, fileSizeLimit, csv] = run;
    QTemporaryDir dir;
    QImage label(120, 40, QImage::Format_RGB32);
    label.fill(Qt::white);
    QVERIFY(label.save(dir.filePath(u"label.bmp"_s)));
    QVERIFY(Test::writeFileBytes(dir.filePath(u"list.qz2"_s), listBytes));
    QVERIFY(Test::writeFileBytes(dir.filePath(u"list.csv"_s), csv));
    const auto inDir = [&dir](QStringList texts) {
        for (QString &text : texts)
            text.replace(u"@D@"_s, dir.path());
        return texts;
    };

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"XDG_RUNTIME_DIR"_s, u"QT_QPA_PLATFORM"_s})
        environment.remove(name);
    if (!platform.isEmpty())
        environment.insert(u"QT_QPA_PLATFORM"_s, platform);
    QTemporaryDir sessionDir;
    if (session) {
        QFile::setPermissions(sessionDir.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        environment.insert(u"XDG_RUNTIME_DIR"_s, sessionDir.path());
    }
    if (!settings.isEmpty()) {
        QVERIFY(QDir().mkpath(dir.filePath(u"config/Quorran"_s)));
        QVERIFY(Test::writeFileBytes(dir.filePath(u"config/Quorran/Barcode.conf"_s), settings));
        environment.insert(u"XDG_CONFIG_HOME"_s, dir.filePath(u"config"_s));
    }
    QProcess kelbrix;
    kelbrix.setProcessEnvironment(environment);
    kelbrix.setChildProcessModifier([fileSizeLimit] {
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    kelbrix.start(QStringLiteral(KELBRIX_PROGRAM), inDir(arguments));
    QVERIFY(kelbrix.waitForFinished(60000));
    QCOMPARE(kelbrix.exitStatus(), QProcess::NormalExit);
    QCOMPARE(QString::fromLocal8Bit(kelbrix.readAllStandardError()), inDir({err})[0]);
    const QStringList printed = inDir(out);
    QCOMPARE(QString::fromLocal8Bit(kelbrix.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts), printed);
    QCOMPARE(kelbrix.exitCode(), exitCode);

    // The files written are the ones named, each a whole image or list; no temporary file stays behind.
    QStringList expected;
    for (const QString &line : printed.filter(dir.path() + u'/'))
        expected << line.mid(line.indexOf(dir.path()));
    if (exitCode == 0 && arguments.join(u' ').contains(u"dest=@D@/label.tif"_s))
        expected << dir.filePath(u"label.tif"_s);
    QStringList written;
    for (QDirIterator it(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        if (path.endsWith(u"/label.bmp"_s) || path.endsWith(u"/list.qz2"_s) || path.endsWith(u"/list.csv"_s) ||
            path.contains(u"/config/"_s))
            continue;
        QVERIFY(QFileInfo(path).size() > 100);
        written << path;
    }
    written.sort();
    expected.sort();
    QCOMPARE(written, expected);
    if (firstImage && !written.isEmpty()) {
        const Test::TiffFile tiff = Test::readTiffFile(written[0], false);
        *firstImage = QSize(int(tiff.width), int(tiff.height));
    }
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void startUpFile_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        QTest::newRow("none") << QStringList{u"kelbrix"_s} << QString();
        QTest::newRow("a list file") << QStringList{u"kelbrix"_s, u"/home/ann/My Lists/shop.qz2"_s}
                                     << u"/home/ann/My Lists/shop.qz2"_s;
        QTest::newRow("a name like an option") << QStringList{u"kelbrix"_s, u"--"_s, u"-old.qzl"_s} << u"-old.qzl"_s;
    }
    void startUpFile()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QCOMPARE(Kelbrix::startUpFile(arguments), file);
    }

    // Each run has no desktop; the folder holds label.bmp, list.qz2 and list.csv.
    void runs_data()
    {
        QList<Run> rows;
        const auto row = [&rows](const char *name, const QString &platform, const QStringList &arguments, int exitCode,
                                 const QStringList &out, const QString &err) -> Run & {
            rows.append({name, platform, arguments, exitCode, out, err});
            return rows.last();
        };
        row("convert to TIFF", u"xcb"_s, {u"--convert"_s, u"source=@D@/label.bmp,dest=@D@/label.tif,format=5"_s}, 0,
            {u"0"_s}, {});
        row("convert to the clipboard starts a private desktop", {},
            {u"--convert"_s, u"source=@D@/label.bmp,dest=clipboard"_s}, 0, {u"0"_s}, {});
        row("convert without its command", u"xcb"_s, {u"--convert"_s}, 1, {},
            u"kelbrix: Missing value after '--convert'.\n"
            u"usage: kelbrix --convert \"source=...,dest=...,...\"\n"_s);
        row("export two records, two copies", {},
            kToOut + QStringList{u"--records"_s, u"1-2"_s, u"--copies"_s, u"2"_s, u"--compression"_s, u"g4"_s,
                                 u"--dpi"_s, u"600"_s},
            0,
            {u"@D@/out/AB Soap_5012345678900_001.tif"_s, u"@D@/out/AB Soap_5012345678900_002.tif"_s,
             u"@D@/out/Tea_1234567_001.tif"_s, u"@D@/out/Tea_1234567_002.tif"_s,
             u"4 files written for 2 of 2 records"_s},
            {});
        row("a record without a barcode fails the export", {},
            kToOut + QStringList{u"--records"_s, u"3,1"_s, u"--rotate"_s, u"90"_s}, 1,
            {u"@D@/out/AB Soap_5012345678900_001.tif"_s, u"1 files written for 1 of 2 records"_s},
            u"kelbrix: record 3 makes no barcode and is left out: E130 12\n"_s);
        row("export reads every file back", {},
            kToOut + QStringList{u"--records"_s, u"2"_s, u"--mirror"_s, u"h"_s, u"--invert"_s, u"--verify"_s}, 0,
            {u"@D@/out/Tea_1234567_001.tif"_s, u"1 files written for 1 of 1 records"_s, u"1 file checked: it scans."_s},
            {});
        row("vector artwork of two records", {},
            kToOut + QStringList{u"--records"_s, u"1-2"_s, u"--format"_s, u"eps"_s, u"--magnification"_s, u"80"_s,
                                 u"--bwr"_s, u"0.02"_s},
            0,
            {u"@D@/out/AB Soap_5012345678900_001.eps"_s, u"@D@/out/Tea_1234567_001.eps"_s,
             u"2 files written for 2 of 2 records"_s},
            {});
        Run &noBar =
            row("a bar width reduction no bar survives is refused, nothing written", {},
                kToOut + QStringList{u"--format"_s, u"svg"_s, u"--bwr"_s, u"0.1"_s}, 1,
                {u"0 files written for 0 of 1 records"_s},
                u"kelbrix: record 1 is left out: The bar width reduction of 0.100 mm would leave no bar: it must "
                u"be smaller than the X-dimension of 0.100 mm.\n"_s);
        noBar.list = "\"Code\"\r\n\"ABC\"\r\n\"\"\r\n\"\"\r\n\"Co39\"\r\n";
        noBar.settings = "[General]\nArtXDimension=0.1\n";
        row("import a CSV file, one row refused", {}, {u"--import"_s, u"@D@/list.csv"_s, u"--out"_s, u"@D@/new.qz2"_s},
            1, {u"3 records written to @D@/new.qz2"_s},
            u"kelbrix: line 4 is refused, the check digit is 1, but it should be 0: Jam;5012345678901;;\n"_s);
        row("import with named columns and one type, skipping known products", {},
            {u"--import"_s, u"@D@/list.csv"_s, u"--out"_s, u"@D@/new.qz2"_s, u"--columns"_s,
             u"product,barcode,supplement"_s, u"--type"_s, u"Code 39"_s, u"--duplicates"_s, u"skip"_s},
            1, {u"3 records written to @D@/new.qz2"_s},
            u"kelbrix: line 3 is refused, Code 39 takes no 2-digit supplement: Tea;1234567;12;EAN 8\n"_s);
        row("import GS1 columns into a list file, which does not keep them", {},
            {u"--import"_s, u"@D@/list.csv"_s, u"--out"_s, u"@D@/new.qz2"_s}, 0,
            {u"2 records written to @D@/new.qz2"_s},
            u"kelbrix: warning: the GS1 data (batch, expiry, serial...) of 1 records is not kept in @D@/new.qz2: QZ2 "
            u"list files do not keep it\n"_s)
            .csv = "Product;EAN;Batch\r\nLavender soap, large;5012345678900;L1\r\nGreen tea, loose;4006381333931;\r\n";
        row("export the records of a CSV file", {},
            {u"--export"_s, u"@D@/list.csv"_s, u"--out"_s, u"@D@/out"_s, u"--records"_s, u"2"_s}, 1,
            {u"@D@/out/Tea_1234567_001.tif"_s, u"1 files written for 1 of 1 records"_s},
            u"kelbrix: line 4 is refused, the check digit is 1, but it should be 0: Jam;5012345678901;;\n"_s);
        row("import needs a list file to write", {}, {u"--import"_s, u"@D@/list.csv"_s, u"--out"_s, u"@D@/new.txt"_s},
            2, {},
            u"kelbrix: --out takes a list file name ending in .qz2, not \"@D@/new.txt\"\nusage: kelbrix --import "
            u"FILE.csv --out LIST.qz2 [--columns product,barcode,supplement,text,type] [--type NAME] "
            u"[--duplicates keep|skip]\n"_s);
        row("import of a file that is not there", {}, {u"--import"_s, u"@D@/none.csv"_s, u"--out"_s, u"@D@/new.qz2"_s},
            2, {}, u"kelbrix: Could not open @D@/none.csv: No such file or directory.\n"_s);
        row("missing list file", {}, {u"--export"_s, u"@D@/none.qz2"_s, u"--out"_s, u"@D@/out"_s}, 2, {},
            u"kelbrix: Could not open \"@D@/none.qz2\": the file does not exist.\n"_s);
        row("an unknown option", u"offscreen"_s, {u"--exprot"_s, u"@D@/list.qz2"_s}, 2, {},
            u"kelbrix: Unknown option 'exprot'.\nTry 'kelbrix --help' for more information.\n"_s)
            .session = true;
        row("Qt's own options are taken out first", {},
            {u"-platform"_s, u"offscreen"_s, u"-style"_s, u"fusion"_s, u"--labels"_s}, 2, {},
            u"kelbrix: Unknown option 'labels'.\nTry 'kelbrix --help' for more information.\n"_s)
            .session = true;
        row("magnification 1000", {}, kToOut + QStringList{u"--format"_s, u"pdf"_s, u"--magnification"_s, u"1000"_s}, 2,
            {}, u"kelbrix: --magnification takes a number from 80 to 200, not \"1000\"\n"_s + kExportUsage);
        row("magnification NaN", {}, kToOut + QStringList{u"--format"_s, u"svg"_s, u"--magnification"_s, u"nan"_s}, 2,
            {}, u"kelbrix: --magnification takes a number from 80 to 200, not \"nan\"\n"_s + kExportUsage);
        row("bar width reduction beyond 0.100 mm", {},
            kToOut + QStringList{u"--format"_s, u"eps"_s, u"--bwr"_s, u"0.5"_s}, 2, {},
            u"kelbrix: --bwr takes a number of millimetres from 0 to 0.100, not \"0.5\"\n"_s + kExportUsage);
        row("unknown compression", {}, kToOut + QStringList{u"--compression"_s, u"lzw"_s}, 2, {},
            u"kelbrix: --compression takes none, huffman, g3 or g4, not \"lzw\"\n"_s + kExportUsage);
        row("unknown bearer bars", {}, kToOut + QStringList{u"--format"_s, u"svg"_s, u"--bearers"_s, u"box"_s}, 2, {},
            u"kelbrix: --bearers takes none, top-bottom or frame, not \"box\"\n"_s + kExportUsage);
        // Hostile input to the export: list texts, limits of the process.
        row("a file-size limit fails the write with a message", {},
            kToOut + QStringList{u"--records"_s, u"1"_s, u"--dpi"_s, u"2400"_s, u"--compression"_s, u"none"_s}, 1,
            {u"0 files written for 0 of 1 records"_s}, u"kelbrix: Error Writing Data to Disk.\n"_s)
            .fileSizeLimit = 16384;
        row("a file-size limit fails a write behind the next picture the same way", {},
            kToOut + QStringList{u"--records"_s, u"1"_s, u"--dpi"_s, u"600"_s, u"--compression"_s, u"none"_s}, 1,
            {u"0 files written for 0 of 1 records"_s}, u"kelbrix: Error Writing Data to Disk.\n"_s)
            .fileSizeLimit = 16384;
        row("control characters are left out of names and escaped on the terminal", {}, kToOut, 1,
            {u"@D@/out/Tea]0;owned_1234567_001.tif"_s, u"1 files written for 1 of 2 records"_s},
            u"kelbrix: record 2 makes no barcode and is left out: E130 12\\x1B[2J\n"_s)
            .list = "\"Tea\x1b]0;owned\x07\"\r\n\"1234567\"\r\n\"12\"\r\n\"\"\r\n\"E82 \"\r\n"
                    "\"Jam\"\r\n\"12\x1b[2J\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n";
        row("a range far beyond the list is refused before it is expanded", {},
            kToOut + QStringList{u"--records"_s, u"1-999999999"_s}, 2, {},
            u"kelbrix: --records: record 999999999 is not in the list, which holds 3 records\n"_s);
        // SSCCs: the settings file puts the SSCC store beside it in the test's folder.
        const QStringList take{u"--sscc-take"_s, u"--sscc-prefix"_s, u"5012345"_s, u"--extension"_s, u"3"_s};
        row("take two SSCCs", {}, take + QStringList{u"--count"_s, u"2"_s, u"--for"_s, u"pallet {n} of 2"_s}, 0,
            {u"350123450000000009"_s, u"350123450000000016"_s}, {})
            .settings = "[General]\n";
        row("an SSCC company prefix of 5 digits", {},
            {u"--sscc-take"_s, u"--sscc-prefix"_s, u"50123"_s, u"--extension"_s, u"3"_s}, 2, {},
            u"kelbrix: A GS1 company prefix has 6 to 11 digits; \"50123\" is not one.\n"_s + kSsccTakeUsage);
        row("an SSCC take without its extension digit", {}, {u"--sscc-take"_s, u"--sscc-prefix"_s, u"5012345"_s}, 2, {},
            u"kelbrix: --sscc-take needs --sscc-prefix and --extension\n"_s + kSsccTakeUsage);
        row("no SSCC", {}, take + QStringList{u"--count"_s, u"0"_s}, 2, {},
            u"kelbrix: --count takes a whole number from 1 to 1000000, not \"0\"\n"_s + kSsccTakeUsage);
        row("a count without --sscc-take", {}, {u"--count"_s, u"3"_s}, 2, {},
            u"kelbrix: --count goes with --sscc-take\n"_s + kSsccTakeUsage);
        row("the SSCC log without its file", {}, {u"--sscc-log"_s}, 2, {},
            u"kelbrix: Missing value after '--sscc-log'.\nusage: kelbrix --sscc-log OUT.csv\n"_s);
        // Logistic labels: one SSCC a pallet, taken in order; data is checked before any is taken.
        const QStringList logistic{
            u"--logistic-label"_s,  u"--sscc-prefix"_s, u"5012345"_s, u"--extension"_s, u"3"_s,       u"--ai"_s,
            u"02=05012345678900"_s, u"--ai"_s,          u"37=24"_s,   u"--ai"_s,        u"10=LOT42"_s};
        row("logistic labels for three pallets", {},
            logistic + QStringList{u"--ai"_s, u"15=271231"_s, u"--pallets"_s, u"3"_s, u"--pdf"_s, u"@D@/labels.pdf"_s},
            0, {u"350123450000000009"_s, u"350123450000000016"_s, u"350123450000000023"_s, u"@D@/labels.pdf"_s}, {})
            .settings = "[General]\nLogisticSupplier=Kelbrix Foods AB\n";
        row("a logistic label of a wrong date", {},
            logistic + QStringList{u"--ai"_s, u"15=271331"_s, u"--pdf"_s, u"@D@/labels.pdf"_s}, 1, {},
            u"kelbrix: (15) 271331: 13 is no month\n"_s)
            .settings = "[General]\n";
        row("a logistic label with two SSCCs", {},
            logistic + QStringList{u"--ai"_s, u"00=350123450000000016"_s, u"--pdf"_s, u"@D@/labels.pdf"_s}, 2, {},
            u"kelbrix: --logistic-label needs either --sscc-prefix and --extension, or --ai 00=SSCC\n"_s +
                kLogisticUsage);
        row("pallets without a logistic label", {}, {u"--pallets"_s, u"3"_s}, 2, {},
            u"kelbrix: --pallets goes with --logistic-label\n"_s + kLogisticUsage);
        // Qt's own options work before and after every command, which behaves as without them.
        static const QList<QByteArray> qtNames = [&rows] {
            QList<QByteArray> names;
            for (const Run &run : std::as_const(rows))
                for (const char *place : {"before", "after"})
                    names.append(QByteArray(run.name) + ", Qt's options " + place);
            return names;
        }();
        for (qsizetype i = 0, count = rows.size(); i < count; ++i) {
            const Run run = rows.at(i);
            const QString command = run.arguments.value(0);
            if (!command.startsWith(u"--"_s) || run.exitCode == 2 || command == u"--convert"_s)
                continue;
            Run before = run, after = run;
            before.name = qtNames.at(2 * i).constData();
            before.arguments = QStringList{u"-platform"_s, u"offscreen"_s} + run.arguments;
            after.name = qtNames.at(2 * i + 1).constData();
            after.arguments = run.arguments + QStringList{u"-style"_s, u"fusion"_s, u"-reverse"_s};
            rows.append(before);
            rows.append(after);
        }
        Test::addRows(rows);
    }
    void runs()
    {
        QFETCH(Run, row);
        runAndCheck(row);
    }

    // The commands that print without files: with Qt's options before and after them they print
    // what they print without, and end; none of them opens the window.
    void qtOptionsAroundPrintingCommands_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::newRow("--version") << QStringList{u"--version"_s};
        QTest::newRow("--help") << QStringList{u"--help"_s};
        QTest::newRow("--templates") << QStringList{u"--templates"_s};
        QTest::newRow("--gs1-check") << QStringList{u"--gs1-check"_s, u"(01)09506000134352(10)ABC"_s};
    }
    void qtOptionsAroundPrintingCommands()
    {
        QFETCH(QStringList, command);
        const auto run = [](const QStringList &arguments) {
            QProcess kelbrix;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
            kelbrix.setProcessEnvironment(environment);
            kelbrix.start(QStringLiteral(KELBRIX_PROGRAM), arguments);
            if (!kelbrix.waitForFinished(20000)) {
                kelbrix.kill();
                kelbrix.waitForFinished();
                return std::pair{-1, QByteArray("hung")};
            }
            return std::pair{kelbrix.exitCode(), kelbrix.readAllStandardOutput()};
        };
        const auto plain = run(command);
        QCOMPARE(plain.first, 0);
        QVERIFY(!plain.second.isEmpty());
        const QStringList before{u"-platform"_s, u"offscreen"_s, u"-style"_s, u"fusion"_s};
        const QStringList after{u"-style=fusion"_s, u"--reverse"_s};
        QCOMPARE(run(before + command), plain);
        QCOMPARE(run(command + after), plain);
    }

    // "Use Defined Barcode" with a defined size of 102 x 102 mm: the export makes the label at
    // the size the main view shows, as Save As does, the same as without a defined size.
    void definedSizeGivesTheSaveAsSize()
    {
        Run run{
            .name = "", .arguments = kToOut + QStringList{u"--records"_s, u"1"_s, u"--dpi"_s, u"600"_s}, .exitCode = 0};
        run.out = QStringList{u"@D@/out/AB Soap_5012345678900_001.tif"_s, u"1 files written for 1 of 1 records"_s};
        QSize sizes[2];
        run.settings = "[General]\n";
        runAndCheck(run, &sizes[0]);
        run.settings = "[General]\nBar Matt=M\nBar Width=102\nBar Height=102\nBar Def=Y\n";
        runAndCheck(run, &sizes[1]);
        QVERIFY(!sizes[0].isEmpty());
        QCOMPARE(sizes[1], sizes[0]);
    }

    void bearersReachTheArtwork_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<int>("alongBars");
        QTest::addColumn<int>("sideBars");
        QTest::newRow("frame unless chosen") << QString() << QByteArray() << 2 << 2;
        QTest::newRow("none") << u"none"_s << QByteArray() << 0 << 0;
        QTest::newRow("top-bottom") << u"top-bottom"_s << QByteArray() << 2 << 0;
        QTest::newRow("frame") << u"frame"_s << QByteArray() << 2 << 2;
        QTest::newRow("the size window's choice") << QString() << QByteArray("Bearers=top-bottom\n") << 2 << 0;
        QTest::newRow("the option over the size window's") << u"none"_s << QByteArray("Bearers=frame\n") << 0 << 0;
    }

    // The SVG of an SCC-14 record written with --bearers, or with the choice the settings keep:
    // bearer bars along the symbol (wider than high) and down its sides (upright, wider than 4
    // narrow bars).
    void bearersReachTheArtwork()
    {
        QFETCH(QString, option);
        QFETCH(QByteArray, settings);
        QFETCH(int, alongBars);
        QFETCH(int, sideBars);
        QTemporaryDir dir;
        QVERIFY(Test::writeFileBytes(dir.filePath(u"list.qz2"_s),
                                     "\"Case\"\r\n\"1501234567890\"\r\n\"\"\r\n\"\"\r\n\"SC14\"\r\n"));
        QVERIFY(QDir().mkpath(dir.filePath(u"config/Quorran"_s)));
        QVERIFY(Test::writeFileBytes(dir.filePath(u"config/Quorran/Barcode.conf"_s), "[General]\n" + settings));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_CONFIG_HOME"_s, dir.filePath(u"config"_s));
        QStringList arguments{u"--export"_s, dir.filePath(u"list.qz2"_s), u"--out"_s, dir.path(), u"--format"_s,
                              u"svg"_s};
        if (!option.isEmpty())
            arguments << u"--bearers"_s << option;
        QProcess kelbrix;
        kelbrix.setProcessEnvironment(environment);
        kelbrix.start(QStringLiteral(KELBRIX_PROGRAM), arguments);
        QVERIFY(kelbrix.waitForFinished(60000));
        QCOMPARE(kelbrix.exitCode(), 0);

        const QStringList written = QDir(dir.path()).entryList({u"*.svg"_s}, QDir::Files);
        QCOMPARE(written.size(), 1);
        static const QRegularExpression rect(
            u"<rect x=\"[-\\d.]+\" y=\"[-\\d.]+\" width=\"([\\d.]+)\" height=\"([\\d.]+)\""_s);
        QList<QSizeF> rects;
        for (const QRegularExpressionMatch &m :
             rect.globalMatch(QString::fromUtf8(Test::fileBytes(dir.filePath(written.first())))))
            rects.append(QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()));
        QVERIFY(rects.size() > 1);
        rects.removeFirst(); // the background
        double narrow = rects.first().width();
        for (const QSizeF &size : std::as_const(rects))
            narrow = std::min(narrow, size.width());
        int along = 0, sides = 0;
        for (const QSizeF &size : std::as_const(rects)) {
            along += size.width() > size.height() ? 1 : 0;
            sides += size.height() > size.width() && size.width() > 4 * narrow ? 1 : 0;
        }
        QCOMPARE(along, alongBars);
        QCOMPARE(sides, sideBars);
    }

    void killedExportsLeaveWholeFiles()
    {
        QTemporaryDir dir;
        QByteArray csv = "Product;EAN\r\n"; // twelve digits: the program adds the check digit
        for (int i = 0; i < kRecords; ++i)
            csv += "Item " + QByteArray::number(i) + ';' + QByteArray::number(400600000000 + i * 7) + "\r\n";
        const QString list = dir.filePath(u"list.csv"_s);
        QVERIFY(Test::writeFileBytes(list, csv));
        const QString out = dir.filePath(u"out"_s);

        const quint32 seed = qEnvironmentVariableIsSet("KELBRIX_KILL_SEED")
                                 ? quint32(qEnvironmentVariableIntValue("KELBRIX_KILL_SEED"))
                                 : QRandomGenerator::global()->generate();
        qInfo("seed %u (set KELBRIX_KILL_SEED to repeat)", seed);
        QRandomGenerator random(seed);

        // The first export runs to its end and says how long one takes; the next ones are killed
        // at a random moment of that time; the last runs to its end again.
        QStringList leftovers;
        qint64 fullRunMicroseconds = 0;
        for (int round = 0; round <= kKills + 1; ++round) {
            const bool kill = round >= 1 && round <= kKills;
            const qint64 killAt = kill ? qint64(random.bounded(quint64(fullRunMicroseconds))) : 0;
            QProcess program;
            QElapsedTimer clock;
            program.start(QStringLiteral(KELBRIX_PROGRAM),
                          {u"--export"_s, list, u"--out"_s, out, u"--dpi"_s, u"300"_s});
            clock.start();
            QVERIFY(program.waitForStarted());
            bool reported = false;
            while (program.state() == QProcess::Running) {
                if (kill && clock.nsecsElapsed() / 1000 >= killAt) {
                    program.kill();
                    qInfo("round %d: killed %lld us after the start", round, killAt);
                    break;
                }
                program.waitForReadyRead(1);
                if (!reported && program.canReadLine()) {
                    // Once this export reports a file, what the killed one left is gone.
                    for (const QString &name : std::as_const(leftovers))
                        QVERIFY2(!QFile::exists(QDir(out).filePath(name)), qPrintable(name));
                    reported = true;
                }
            }
            QVERIFY(program.state() == QProcess::NotRunning || program.waitForFinished(60000));
            if (round == 0)
                fullRunMicroseconds = std::max<qint64>(1, clock.nsecsElapsed() / 1000);
            if (!kill)
                QCOMPARE(program.exitCode(), 0);

            const QStringList files = QDir(out).entryList({u"*.tif"_s}, QDir::Files, QDir::Name);
            for (const QString &name : files) {
                const SourceContent read = readImageFile(QDir(out).filePath(name));
                QVERIFY2(read.result == 0, qPrintable(name + u": "_s + read.problem));
                const QList<DecodedSymbol> symbols = readSymbols(read.picture.image);
                // Named PRODUCT_DIGITS_COPY.tif, the digits without their check digit.
                QVERIFY2(symbols.size() == 1 && symbols.first().data.startsWith(name.section(u'_', -2, -2)),
                         qPrintable(name));
            }
            leftovers = hiddenFiles(out);
            qInfo("round %d: %lld files under their names, %lld temporary files", round, qint64(files.size()),
                  qint64(leftovers.size()));
            if (round == kKills + 1) {
                QCOMPARE(files.size(), kRecords);
                QCOMPARE(leftovers, QStringList());
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
