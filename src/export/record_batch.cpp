#include "export/record_batch.h"

namespace Kelbrix {

BatchOutcome runRecordBatch(const QList<int> &records, const BatchSteps &steps)
{
    BatchOutcome outcome;
    qint64 begun = 0;
    for (const int record : records) {
        const RecordStart start = steps.startRecord(record);
        if (start.step == BatchStep::Stop) {
            outcome.stopped = true;
            return outcome;
        }
        if (start.step == BatchStep::Failed) {
            outcome.recordsFailed << record;
            continue;
        }
        int made = 0;
        for (int copy = 1; copy <= start.copies; ++copy) {
            if (steps.stopRequested && steps.stopRequested()) {
                outcome.stopped = true;
                return outcome;
            }
            const BatchStep step = steps.makeCopy({record, copy, ++begun});
            if (step == BatchStep::Stop) {
                outcome.stopped = true;
                return outcome;
            }
            if (step == BatchStep::Done) {
                ++made;
                ++outcome.copiesDone;
            }
        }
        if (made >= start.copies)
            ++outcome.recordsDone;
        else
            outcome.recordsFailed << record;
    }
    return outcome;
}

} // namespace Kelbrix
