#pragma once

#include "export/batch_stop.h"

#include <QObject>

namespace Kelbrix {

class Form1;
struct ListRecord;

/// What the main window's batches share: the record a batch is working on (ListItemInWork,
/// which also keeps prompts back while it is not 0) and the stop request that "Cancel" and
/// Escape make of a running batch (BatchStopRequest).
class BatchRunner : public QObject {
    Q_OBJECT
public:
    /// Connects "Cancel" of \a form and makes Escape its shortcut.
    explicit BatchRunner(Form1 &form);

    /// 1-based record a batch is working on; 0 when none.
    int recordInWork() const { return ListItemInWork; }
    void setRecordInWork(int number) { ListItemInWork = number; }
    BatchStop stopRequest() const { return BatchStopRequest; }
    void setStopRequest(BatchStop value) { BatchStopRequest = value; }

    /// A batch starts: no record in work yet, and "Cancel" and Escape now ask it to stop.
    void begin();
    /// The batch has ended: no record in work, no stop request.
    void end();
    /// "Cancel" or Escape: a running batch is asked to stop.
    void onCancel();
    /// Lets the window see "Cancel" and Escape, then asks the stop question when they were
    /// pressed; true when the batch is to stop.
    bool stopConfirmed();
    /// Loads list record \a number into the entry as a user would: its type selects the
    /// options, its fields fill the entry, and the barcode is made.
    void loadRecord(int number, const ListRecord &record);

private:
    Form1 &m_form;
    int ListItemInWork = 0;
    BatchStop BatchStopRequest = BatchStop::Idle; ///< Running while a batch runs; Asked once the user asked it to stop
};

} // namespace Kelbrix
