// Every runtime error number shows its own message and title, through the one routine that
// asks the user.
#include "base/runtime_errors.h"

#include "recording_prompt.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

class TestRuntimeErrors : public QObject {
    Q_OBJECT
private slots:
    void messages_data();
    void messages();
    void invalidPropertyRunsItsHandler();
};

void TestRuntimeErrors::messages_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("message"); // empty: no box at all
    QTest::addColumn<QString>("title");
    const QString app = applicationTitle();
    const QString programming = u"Programming Error"_s, file = u"File Error"_s, system = u"System Error"_s;
    // Each message with the numbers that show it: both ends of a range and one inside.
    const QList<std::tuple<QList<int>, QString, QString>> rows{
        {{3, 5}, u"Return without GoSub."_s, programming},
        {{6}, u"Overflow."_s, programming},
        {{7}, u"Out of Memory."_s, u"Memory Error"_s},
        {{9}, u"Subscript out of Range."_s, programming},
        {{11}, u"Devide by Zero."_s, programming},
        {{14}, u"Out of string space."_s, programming},
        {{18}, u"User interrupt occurred."_s, app},
        {{28}, u"Out of stack space."_s, programming},
        {{48}, u"Error in loading DLL."_s, system},
        {{51}, u"Internal Error."_s, system},
        {{52}, u"Bad file mame or number."_s, file},
        {{53}, u"File dosen't exist. Please try again."_s, file},
        {{54}, u"Bad file mode."_s, file},
        {{55}, u"File already open."_s, file},
        {{57}, u"Device I/O Error."_s, system},
        {{58}, u"File already exists."_s, file},
        {{59}, u"Bad record length."_s, file},
        {{61}, u"Disk Full."_s, system},
        {{62}, u"Input past end of file."_s, file},
        {{63}, u"Bad record number."_s, file},
        {{67}, u"To many files."_s, file},
        {{68}, u"Device unavailable."_s, system},
        {{70}, u"Permission denied."_s, system},
        {{71}, u"Disk not ready."_s, system},
        {{75}, u"Path/File access error."_s, file},
        {{91}, u"Unknown Error."_s, file},
        {{260, 300, 379, 381, 428}, u"Dynamic Data Exchange Error."_s, system},
        {{429, 451}, u"OLE Automation Error."_s, system},
        {{452, 457}, u"Misellaneous Errors."_s, system},
        {{460}, u"Invalid Clipboard format."_s, system},
        {{480}, u"Can't create AutoRedraw image."_s, app},
        {{481}, u"Invalid Picture."_s, app},
        {{482}, u"Printer Error."_s, u"Printer Error"_s},
        {{483}, u"Printer driver doesn't support specified property."_s, u"Printer Error"_s},
        {{484}, u"Problem getting printer information from the system. Make sure the printer is set up correctly."_s,
         u"Printer Error"_s},
        {{485}, u"Invalid Picture type."_s, u"User Error"_s},
        {{520}, u"Can't empty Clipboard."_s, system},
        {{521}, u"Can't open Clipboard."_s, system},
        {{30000, 30017}, u"Grid Control Errors."_s, app},
        {{31003, 31039}, u"OLE Control Errors."_s, app},
        // No error, a cancelled dialog and a refused renderer value show nothing.
        {{0, 32755, 380}, QString(), QString()},
    };
    for (const auto &[numbers, message, title] : rows) {
        for (int number : numbers)
            QTest::addRow("%d", number) << number << message << title;
    }
    // Gaps between the rows and numbers outside the table.
    for (int number : {4, 259, 458, 1000, 30018, -1})
        QTest::addRow("%d", number) << number << u"Unknown Error. Error code="_s + QString::number(number)
                                    << u"Unknown Error."_s;
}

void TestRuntimeErrors::messages()
{
    QFETCH(int, number);
    QFETCH(QString, message);
    QFETCH(QString, title);
    Test::RecordingPrompt prompt;
    ReportRuntimeError(number);
    if (message.isEmpty()) {
        QVERIFY(prompt.asked.isEmpty());
        return;
    }
    QCOMPARE(prompt.asked.size(), 1);
    const PromptRequest &asked = prompt.asked[0];
    QCOMPARE(std::tuple(asked.text, asked.title, asked.icon, asked.buttons),
             std::tuple(message, title, PromptIcon::Critical, PromptButtons::Ok));
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
