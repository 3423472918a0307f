// The refused-value error runs its handler instead of a message. Every message and title
// of the runtime errors is checked against the golden file of user texts (tests/app).
#include "base/runtime_errors.h"

#include "recording_prompt.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

class TestRuntimeErrors : public QObject {
    Q_OBJECT
private slots:
    void invalidPropertyRunsItsHandler();
};

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
