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

struct Run {
    const char *name;
    QStringList arguments; ///< "@A@" and "@B@" stand for the two files or folders of the test
    int exitCode;
    QStringList out;
    QString err;
};

struct Finished {
    int exitCode;
    QStringList out;
    QString err;
};

// Runs the program without a desktop; \a platform empty lets it choose its own.
Finished runProgram(const QStringList &arguments, const QString &platform)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"XDG_RUNTIME_DIR"_s, u"QT_QPA_PLATFORM"_s})
        environment.remove(name);
    if (!platform.isEmpty())
        environment.insert(u"QT_QPA_PLATFORM"_s, platform);
    QProcess kelbrix;
    kelbrix.setProcessEnvironment(environment);
    kelbrix.start(QStringLiteral(KELBRIX_PROGRAM), arguments);
    if (!kelbrix.waitForFinished(60000))
        return {-1, {}, u"timed out"_s};
    return {kelbrix.exitCode(),
            QString::fromLocal8Bit(kelbrix.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
            QString::fromLocal8Bit(kelbrix.readAllStandardError())};
}

// A list of two good records and one whose digits are too short to make a barcode.
const char kList[] = "\"A/B Soap\"\r\n\"5012345678900\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n"
                     "\"Tea\"\r\n\"1234567\"\r\n\"12\"\r\n\"\"\r\n\"E82 \"\r\n"
                     "\"Short\"\r\n\"12\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n";

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

    static void addRuns(std::initializer_list<Run> rows)
    {
        QTest::addColumn<Run>("row");
        for (const Run &row : rows)
            QTest::newRow(row.name) << row;
    }
    static QStringList substituted(QStringList texts, const QString &a, const QString &b)
    {
        for (QString &text : texts)
            text.replace(u"@A@"_s, a).replace(u"@B@"_s, b);
        return texts;
    }

private slots:
    void parsing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("command");
        QTest::newRow("Qt's own options")
            << QStringList{u"-platform"_s, u"offscreen"_s} << Action::OpenWindow << QString();
        QTest::newRow("convert with =") << QStringList{u"--convert=source=a.bmp,dest=b.tif"_s} << Action::Convert
                                        << u"source=a.bmp,dest=b.tif"_s;
        QTest::newRow("help") << QStringList{u"--help"_s} << Action::Help << QString();
    }
    void parsing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(QString, command);
        QList<QByteArray> bytes{"kelbrix"};
        for (const QString &argument : arguments)
            bytes.append(argument.toLocal8Bit());
        std::vector<char *> argv;
        for (QByteArray &b : bytes)
            argv.push_back(b.data());
        const CommandLine parsed = parseCommandLine(int(argv.size()), argv.data());
        QCOMPARE(parsed.action, action);
        QCOMPARE(parsed.convertCommand, command);
        QVERIFY(parsed.error.isEmpty());
    }

    void convert_data()
    {
        addRuns({{"TIFF without a desktop", {u"--convert"_s, u"source=@A@,dest=@B@,format=5"_s}, 0, {u"0"_s}, {}},
                 {"the clipboard starts a private desktop",
                  {u"--convert"_s, u"source=@A@,dest=clipboard"_s},
                  0,
                  {u"0"_s},
                  {}},
                 {"convert without its command",
                  {u"--convert"_s},
                  1,
                  {},
                  u"kelbrix: Missing value after '--convert'.\n"
                  u"usage: kelbrix --convert \"source=...,dest=...,...\"\n"_s}});
    }
    void convert()
    {
        QFETCH(Run, row);
        QTemporaryDir dir;
        const QString source = dir.filePath(u"label.bmp"_s);
        const QString dest = dir.filePath(u"label.tif"_s);
        QImage label(120, 40, QImage::Format_RGB32);
        label.fill(Qt::white);
        QVERIFY(label.save(source));
        const bool clipboard = row.arguments.join(u' ').contains(u"clipboard"_s);
        const Finished run = runProgram(substituted(row.arguments, source, dest), clipboard ? QString() : u"xcb"_s);
        QCOMPARE(run.err, row.err);
        QCOMPARE(run.out, row.out);
        QCOMPARE(run.exitCode, row.exitCode);
        QCOMPARE(QFileInfo(dest).size() > 0, row.exitCode == 0 && !clipboard);
    }

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

    void exportList_data()
    {
        const QStringList toOut{u"--export"_s, u"@A@"_s, u"--out"_s, u"@B@"_s};
        addRuns(
            {{"two records, two copies",
              toOut + QStringList{u"--records"_s, u"1-2"_s, u"--copies"_s, u"2"_s, u"--compression"_s, u"g4"_s,
                                  u"--dpi"_s, u"600"_s},
              0,
              {u"@B@/AB Soap_5012345678900_001.tif"_s, u"@B@/AB Soap_5012345678900_002.tif"_s,
               u"@B@/Tea_1234567_001.tif"_s, u"@B@/Tea_1234567_002.tif"_s, u"4 files written for 2 of 2 records"_s},
              {}},
             {"a record without a barcode fails the run",
              toOut + QStringList{u"--records"_s, u"3,1"_s, u"--rotate"_s, u"90"_s},
              1,
              {u"@B@/AB Soap_5012345678900_001.tif"_s, u"1 files written for 1 of 2 records"_s},
              u"kelbrix: record 3 makes no barcode and is left out: E130 12\n"_s},
             {"every file read back",
              toOut + QStringList{u"--records"_s, u"2"_s, u"--mirror"_s, u"h"_s, u"--invert"_s, u"--verify"_s},
              0,
              {u"@B@/Tea_1234567_001.tif"_s, u"1 files written for 1 of 1 records"_s, u"1 file checked: it scans."_s},
              {}},
             {"missing list file",
              {u"--export"_s, u"@B@/none.qz2"_s, u"--out"_s, u"@B@"_s},
              2,
              {},
              u"kelbrix: Could not open \"@B@/none.qz2\": the file does not exist.\n"_s},
             {"unknown compression",
              toOut + QStringList{u"--compression"_s, u"lzw"_s},
              2,
              {},
              u"kelbrix: --compression takes none, huffman, g3 or g4, not \"lzw\"\nusage: kelbrix --export "
              u"LIST.qz2 --out DIR [--dpi N] [--compression none|huffman|g3|g4] [--copies N] [--invert] "
              u"[--mirror h|v] [--rotate 90|180|270] [--records 1,4-9] [--verify]\n"_s}});
    }
    void exportList()
    {
        QFETCH(Run, row);
        QTemporaryDir dir;
        const QString list = dir.filePath(u"list.qz2"_s);
        const QString out = dir.filePath(u"out"_s);
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kList) == qint64(sizeof kList - 1));
        file.close();
        const Finished run = runProgram(substituted(row.arguments, list, out), QString());
        QCOMPARE(run.err, substituted({row.err}, list, out)[0]);
        const QStringList expected = substituted(row.out, list, out);
        QCOMPARE(run.out, expected);
        QCOMPARE(run.exitCode, row.exitCode);
        QStringList written;
        for (const QString &name : QDir(out).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
            QVERIFY(QFile(out + u'/' + name).size() > 100);
            written << out + u'/' + name;
        }
        QCOMPARE(written, expected.filter(out + u'/'));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
