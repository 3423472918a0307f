// The records-times-copies loop of the batches: which copies are made, where the stop question
// ends the batch or lets it run on, and what the batch reports.

#include "export/batch_stop.h"
#include "export/record_batch.h"
#include "recording_prompt.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

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

} // namespace

Q_DECLARE_METATYPE(Run)

class TestRecordBatch : public QObject {
    Q_OBJECT

private slots:
    void runs_data();
    void runs();
};

void TestRecordBatch::runs_data()
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

void TestRecordBatch::runs()
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

QTEST_GUILESS_MAIN(TestRecordBatch)
#include "tst_record_batch.moc"
