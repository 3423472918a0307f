// The refused-value error shows no message: the window that meets it puts the record back
// itself. Every message and title of the runtime errors is checked against the golden file of
// user texts (tests/app).
#include "base/runtime_errors.h"

#include "recording_prompt.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

class TestRuntimeErrors : public QObject {
    Q_OBJECT
private slots:
    void invalidPropertyShowsNothing();
};

void TestRuntimeErrors::invalidPropertyShowsNothing()
{
    Test::RecordingPrompt prompt;
    ReportRuntimeError(380);
    ReportRuntimeError(381);
    QCOMPARE(prompt.texts(), QStringList{u"Dynamic Data Exchange Error."_s});
}

QTEST_GUILESS_MAIN(TestRuntimeErrors)
#include "tst_runtime_errors.moc"
