#pragma once

#include <QList>
#include <QtGlobal>

#include <functional>

namespace Kelbrix {

/// What a step of a batch tells the batch loop.
enum class BatchStep {
    Done,   ///< the record started, or the copy was made
    Failed, ///< the record could not start, or the copy was not made; the batch goes on
    Stop,   ///< the batch ends here
};

/// How a record of a batch started: with \a copies copies to make when \a step is Done.
struct RecordStart {
    BatchStep step = BatchStep::Done;
    int copies = 0;
};

/// The copy a batch is about to make.
struct BatchCopy {
    int record = 0;    ///< the record, as the caller listed it
    int copy = 0;      ///< the copy of that record, from 1
    qint64 number = 0; ///< copies begun in the whole batch, this one included: the progress
};

/// What a batch did.
struct BatchOutcome {
    bool stopped = false;     ///< the stop question or a step ended the batch early
    int recordsDone = 0;      ///< records with every one of their copies made
    qint64 copiesDone = 0;    ///< copies made
    QList<int> recordsFailed; ///< records that could not start or lost a copy; never the one a stop ended
};

/// The steps of a batch, supplied by whoever runs it.
struct BatchSteps {
    /// Starts a record (loads it, makes its picture) and says how many copies it gets.
    std::function<RecordStart(int record)> startRecord;
    /// Asked before each copy: true when the batch is to stop (see confirmBatchStop()). May be
    /// empty for a batch that cannot be stopped.
    std::function<bool()> stopRequested;
    /// Makes one copy.
    std::function<BatchStep(const BatchCopy &copy)> makeCopy;
};

/// The records-times-copies loop of every batch (the image list, bitmap and TIFF files): each
/// record of \a records in turn is started, then its copies are made one by one, the stop
/// question asked before each. A copy count below 1 makes no copy.
BatchOutcome runRecordBatch(const QList<int> &records, const BatchSteps &steps);

} // namespace Kelbrix
