#include "app/command_line.h"

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

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
