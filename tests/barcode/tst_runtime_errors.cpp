// Every runtime error number shows its own message and title, through the one routine that
// asks the user.
#include "barcode/runtime_errors.h"

#include "recording_prompt.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

class TestRuntimeErrors : public QObject {
    Q_OBJECT
private slots:
    void messages_data();
    void messages();
    void silentNumbers_data();
    void silentNumbers();
    void invalidPropertyRunsItsHandler();
};

void TestRuntimeErrors::messages_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    const QString app = applicationTitle();
    const QList<std::tuple<int, QString, QString>> rows{
        {3, u"Return without GoSub."_s, u"Programming Error"_s},
        {5, u"Return without GoSub."_s, u"Programming Error"_s},
        {6, u"Overflow."_s, u"Programming Error"_s},
        {7, u"Out of Memory."_s, u"Memory Error"_s},
        {9, u"Subscript out of Range."_s, u"Programming Error"_s},
        {11, u"Devide by Zero."_s, u"Programming Error"_s},
        {14, u"Out of string space."_s, u"Programming Error"_s},
        {18, u"User interrupt occurred."_s, app},
        {28, u"Out of stack space."_s, u"Programming Error"_s},
        {48, u"Error in loading DLL."_s, u"System Error"_s},
        {51, u"Internal Error."_s, u"System Error"_s},
        {52, u"Bad file mame or number."_s, u"File Error"_s},
        {53, u"File dosen't exist. Please try again."_s, u"File Error"_s},
        {54, u"Bad file mode."_s, u"File Error"_s},
        {55, u"File already open."_s, u"File Error"_s},
        {57, u"Device I/O Error."_s, u"System Error"_s},
        {58, u"File already exists."_s, u"File Error"_s},
        {59, u"Bad record length."_s, u"File Error"_s},
        {61, u"Disk Full."_s, u"System Error"_s},
        {62, u"Input past end of file."_s, u"File Error"_s},
        {63, u"Bad record number."_s, u"File Error"_s},
        {67, u"To many files."_s, u"File Error"_s},
        {68, u"Device unavailable."_s, u"System Error"_s},
        {70, u"Permission denied."_s, u"System Error"_s},
        {71, u"Disk not ready."_s, u"System Error"_s},
        {75, u"Path/File access error."_s, u"File Error"_s},
        {91, u"Unknown Error."_s, u"File Error"_s},
        {260, u"Dynamic Data Exchange Error."_s, u"System Error"_s},
        {300, u"Dynamic Data Exchange Error."_s, u"System Error"_s},
        {379, u"Dynamic Data Exchange Error."_s, u"System Error"_s},
        {381, u"Dynamic Data Exchange Error."_s, u"System Error"_s},
        {428, u"Dynamic Data Exchange Error."_s, u"System Error"_s},
        {429, u"OLE Automation Error."_s, u"System Error"_s},
        {451, u"OLE Automation Error."_s, u"System Error"_s},
        {452, u"Misellaneous Errors."_s, u"System Error"_s},
        {457, u"Misellaneous Errors."_s, u"System Error"_s},
        {460, u"Invalid Clipboard format."_s, u"System Error"_s},
        {480, u"Can't create AutoRedraw image."_s, app},
        {481, u"Invalid Picture."_s, app},
        {482, u"Printer Error."_s, u"Printer Error"_s},
        {483, u"Printer driver doesn't support specified property."_s, u"Printer Error"_s},
        {484, u"Problem getting printer information from the system. Make sure the printer is set up correctly."_s,
         u"Printer Error"_s},
        {485, u"Invalid Picture type."_s, u"User Error"_s},
        {520, u"Can't empty Clipboard."_s, u"System Error"_s},
        {521, u"Can't open Clipboard."_s, u"System Error"_s},
        {30000, u"Grid Control Errors."_s, app},
        {30017, u"Grid Control Errors."_s, app},
        {31003, u"OLE Control Errors."_s, app},
        {31039, u"OLE Control Errors."_s, app},
        // Gaps between the rows and numbers outside the table.
        {4, u"Unknown Error. Error code=4"_s, u"Unknown Error."_s},
        {259, u"Unknown Error. Error code=259"_s, u"Unknown Error."_s},
        {458, u"Unknown Error. Error code=458"_s, u"Unknown Error."_s},
        {1000, u"Unknown Error. Error code=1000"_s, u"Unknown Error."_s},
        {30018, u"Unknown Error. Error code=30018"_s, u"Unknown Error."_s},
        {-1, u"Unknown Error. Error code=-1"_s, u"Unknown Error."_s},
    };
    for (const auto &[number, message, title] : rows)
        QTest::addRow("%d", number) << number << message << title;
}

void TestRuntimeErrors::messages()
{
    QFETCH(int, number);
    QFETCH(QString, message);
    QFETCH(QString, title);
    Test::RecordingPrompt prompt;
    ReportRuntimeError(number);
    QCOMPARE(prompt.asked.size(), 1);
    QCOMPARE(prompt.asked[0].text, message);
    QCOMPARE(prompt.asked[0].title, title);
    QCOMPARE(prompt.asked[0].icon, PromptIcon::Critical);
    QCOMPARE(prompt.asked[0].buttons, PromptButtons::Ok);
}

void TestRuntimeErrors::silentNumbers_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("0, no error") << 0;
    QTest::newRow("32755, a cancelled dialog") << 32755;
    QTest::newRow("380, a refused renderer value") << 380;
}

void TestRuntimeErrors::silentNumbers()
{
    QFETCH(int, number);
    Test::RecordingPrompt prompt;
    ReportRuntimeError(number);
    QVERIFY(prompt.asked.isEmpty());
}

void TestRuntimeErrors::invalidPropertyRunsItsHandler()
{
    Test::RecordingPrompt prompt;
    int calls = 0;
    const auto previous = setInvalidPropertyHandler([&calls] { ++calls; });
    ReportRuntimeError(380);
    ReportRuntimeError(381);
    setInvalidPropertyHandler(previous);
    QCOMPARE(calls, 1);
    QCOMPARE(prompt.texts(), QStringList{u"Dynamic Data Exchange Error."_s});
}

QTEST_GUILESS_MAIN(TestRuntimeErrors)
#include "tst_runtime_errors.moc"
