#include "app/command_line.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

using Action = CommandLine::Action;

struct Parsed {
    const char *name;
    QStringList arguments;
    Action action;
    QString command;
};

struct Run {
    const char *name;
    QStringList arguments; ///< "SOURCE" and "DEST" stand for the files of the test
    int exitCode;
    QString out;
    QString err;
};

struct ExportRun {
    const char *name;
    QStringList arguments; ///< "@LIST@" and "@OUT@" stand for the list file and folder of the test
    int exitCode;
    QStringList files; ///< written into OUT, each printed on a line of its own
    QString out;       ///< the lines printed after the files
    QString err;
};

// A list of two good records and one whose digits are too short to make a barcode.
const char kList[] = "\"A/B Soap\"\r\n\"5012345678900\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n"
                     "\"Tea\"\r\n\"1234567\"\r\n\"12\"\r\n\"\"\r\n\"E82 \"\r\n"
                     "\"Short\"\r\n\"12\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n";

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void parsing_data();
    void parsing();
    void process_data();
    void process();
    void startUpFile_data();
    void startUpFile();
    void exportList_data();
    void exportList();
};

void TestCommandLine::parsing_data()
{
    QTest::addColumn<Parsed>("row");
    const QList<Parsed> rows{
        {"Qt's own options open the window", {u"-platform"_s, u"offscreen"_s}, Action::OpenWindow, {}},
        {"convert with =", {u"--convert=source=a.bmp,dest=b.tif"_s}, Action::Convert, u"source=a.bmp,dest=b.tif"_s},
        {"help", {u"--help"_s}, Action::Help, {}},
    };
    for (const Parsed &row : rows)
        QTest::newRow(row.name) << row;
}

void TestCommandLine::parsing()
{
    QFETCH(Parsed, row);
    QList<QByteArray> bytes{"kelbrix"};
    for (const QString &argument : row.arguments)
        bytes.append(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    const CommandLine parsed = parseCommandLine(int(argv.size()), argv.data());
    QCOMPARE(parsed.action, row.action);
    QCOMPARE(parsed.convertCommand, row.command);
    QCOMPARE(parsed.error.isEmpty(), row.action != Action::Error);
}

void TestCommandLine::process_data()
{
    QTest::addColumn<Run>("row");
    const QList<Run> rows{
        {"TIFF without a desktop", {u"--convert"_s, u"source=SOURCE,dest=DEST,format=5"_s}, 0, u"0\n"_s, {}},
        {"the clipboard starts a private desktop",
         {u"--convert"_s, u"source=SOURCE,dest=clipboard"_s},
         0,
         u"0\n"_s,
         {}},
        {"convert without its command",
         {u"--convert"_s},
         1,
         {},
         u"kelbrix: Missing value after '--convert'.\nusage: kelbrix --convert \"source=...,dest=...,...\"\n"_s},
    };
    for (const Run &row : rows)
        QTest::newRow(row.name) << row;
}

void TestCommandLine::process()
{
    QFETCH(Run, row);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString source = dir.filePath(u"label.bmp"_s);
    const QString dest = dir.filePath(u"label.tif"_s);
    QImage label(120, 40, QImage::Format_RGB32);
    label.fill(Qt::white);
    QVERIFY(label.save(source));
    const auto withFiles = [&](QString text) { return text.replace(u"SOURCE"_s, source).replace(u"DEST"_s, dest); };
    QStringList arguments;
    for (const QString &argument : row.arguments)
        arguments.append(withFiles(argument));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"DISPLAY"_s);
    environment.remove(u"WAYLAND_DISPLAY"_s);
    environment.remove(u"XDG_RUNTIME_DIR"_s);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    if (row.arguments.join(u' ').contains(u"clipboard"_s))
        environment.remove(u"QT_QPA_PLATFORM"_s);
    QProcess kelbrix;
    kelbrix.setProcessEnvironment(environment);
    kelbrix.start(QStringLiteral(KELBRIX_PROGRAM), arguments);
    QVERIFY(kelbrix.waitForFinished(30000));
    QCOMPARE(QString::fromLocal8Bit(kelbrix.readAllStandardError()), withFiles(row.err));
    QCOMPARE(QString::fromLocal8Bit(kelbrix.readAllStandardOutput()), row.out);
    QCOMPARE(kelbrix.exitCode(), row.exitCode);
    if (row.exitCode == 0 && row.arguments.join(u' ').contains(u"DEST"_s))
        QVERIFY(QFileInfo(dest).size() > 0);
}

void TestCommandLine::startUpFile_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::newRow("none") << QStringList{u"kelbrix"_s} << QString();
    QTest::newRow("a list file") << QStringList{u"kelbrix"_s, u"/home/ann/My Lists/shop.qz2"_s}
                                 << u"/home/ann/My Lists/shop.qz2"_s;
    QTest::newRow("a name like an option") << QStringList{u"kelbrix"_s, u"--"_s, u"-old.qzl"_s} << u"-old.qzl"_s;
}

void TestCommandLine::startUpFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QCOMPARE(Kelbrix::startUpFile(arguments), file);
}

void TestCommandLine::exportList_data()
{
    QTest::addColumn<ExportRun>("row");
    const QString usage = u"usage: kelbrix --export LIST.qz2 --out DIR [--dpi N] [--compression none|huffman|g3|g4] "
                          "[--copies N] [--invert] [--mirror h|v] [--rotate 90|180|270] [--records 1,4-9] "
                          "[--verify]\n"_s;
    const QList<ExportRun> rows{
        {"two records, two copies",
         {u"--export"_s, u"@LIST@"_s, u"--out"_s, u"@OUT@"_s, u"--records"_s, u"1-2"_s, u"--copies"_s, u"2"_s,
          u"--compression"_s, u"g4"_s, u"--dpi"_s, u"600"_s},
         0,
         {u"AB Soap_5012345678900_001.tif"_s, u"AB Soap_5012345678900_002.tif"_s, u"Tea_1234567_001.tif"_s,
          u"Tea_1234567_002.tif"_s},
         u"4 files written for 2 of 2 records"_s,
         {}},
        {"a record without a barcode fails the run",
         {u"--export"_s, u"@LIST@"_s, u"--out"_s, u"@OUT@"_s, u"--records"_s, u"3,1"_s, u"--rotate"_s, u"90"_s},
         1,
         {u"AB Soap_5012345678900_001.tif"_s},
         u"1 files written for 1 of 2 records"_s,
         u"kelbrix: record 3 makes no barcode and is left out: E130 12\n"_s},
        {"every file read back",
         {u"--export"_s, u"@LIST@"_s, u"--out"_s, u"@OUT@"_s, u"--records"_s, u"2"_s, u"--mirror"_s, u"h"_s,
          u"--invert"_s, u"--verify"_s},
         0,
         {u"Tea_1234567_001.tif"_s},
         u"1 files written for 1 of 1 records\n1 file checked: it scans."_s,
         {}},
        {"missing list file",
         {u"--export"_s, u"@OUT@/none.qz2"_s, u"--out"_s, u"@OUT@"_s},
         2,
         {},
         {},
         u"kelbrix: Could not open \"@OUT@/none.qz2\": the file does not exist.\n"_s},
        {"record not in the list",
         {u"--export"_s, u"@LIST@"_s, u"--out"_s, u"@OUT@"_s, u"--records"_s, u"2-4"_s},
         2,
         {},
         {},
         u"kelbrix: --records: record 4 is not in the list, which holds 3 records\n"_s},
        {"unknown compression",
         {u"--export"_s, u"@LIST@"_s, u"--out"_s, u"@OUT@"_s, u"--compression"_s, u"lzw"_s},
         2,
         {},
         {},
         u"kelbrix: --compression takes none, huffman, g3 or g4, not \"lzw\"\n"_s + usage},
        {"no folder",
         {u"--export"_s, u"@LIST@"_s},
         2,
         {},
         {},
         u"kelbrix: --export needs --out and the folder the files go to\n"_s + usage},
    };
    for (const ExportRun &row : rows)
        QTest::newRow(row.name) << row;
}

void TestCommandLine::exportList()
{
    QFETCH(ExportRun, row);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString list = dir.filePath(u"list.qz2"_s);
    const QString out = dir.filePath(u"out"_s);
    QFile file(list);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kList) == qint64(sizeof kList - 1));
    file.close();
    const auto withFiles = [&](QString text) { return text.replace(u"@LIST@"_s, list).replace(u"@OUT@"_s, out); };
    QStringList arguments;
    for (const QString &argument : row.arguments)
        arguments.append(withFiles(argument));

    // Without a desktop the export draws offscreen by itself.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"DISPLAY"_s);
    environment.remove(u"WAYLAND_DISPLAY"_s);
    environment.remove(u"QT_QPA_PLATFORM"_s);
    QProcess kelbrix;
    kelbrix.setProcessEnvironment(environment);
    kelbrix.start(QStringLiteral(KELBRIX_PROGRAM), arguments);
    QVERIFY(kelbrix.waitForFinished(60000));
    QCOMPARE(QString::fromLocal8Bit(kelbrix.readAllStandardError()), withFiles(row.err));
    QStringList expected;
    for (const QString &name : row.files)
        expected << out + u'/' + name;
    expected << row.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(QString::fromLocal8Bit(kelbrix.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts), expected);
    QCOMPARE(kelbrix.exitCode(), row.exitCode);
    const QStringList written = QDir(out).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    QCOMPARE(written, row.files);
    for (const QString &name : written)
        QVERIFY(QFile(out + u'/' + name).size() > 100);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
