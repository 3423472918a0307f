#pragma once

#include <QList>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace Kelbrix {

class LabelSource;
class TiffWriteQueue;
struct TiffExportOutcome;

/// The files of a TIFF export: told to the LabelSource (see LabelSource::fileWritten()) and
/// counted in the outcome once they are on the disk. A list's files on the clipboard route
/// are handed to a TiffWriteQueue, which writes them while the next picture is made; they wait
/// here, in order, until the writer has committed them, and a file the writer fails is logged
/// and reported then.
class TiffFileSettler {
public:
    /// \a reportWriteError shows the message of a file that could not be written
    /// (ConverterResult::WriteError).
    TiffFileSettler(LabelSource &source, std::function<void()> reportWriteError);
    ~TiffFileSettler();
    TiffFileSettler(const TiffFileSettler &) = delete;
    TiffFileSettler &operator=(const TiffFileSettler &) = delete;

    /// Makes the writer of a list's files on the clipboard route.
    void startWriter();
    /// Commits what was handed to the writer, waits for it and ends the writer.
    void stopWriter();
    /// The writer between startWriter() and stopWriter(), else null.
    TiffWriteQueue *writer() const { return m_writer.get(); }

    /// From here until endBatch() the files the writer finishes are told into \a outcome;
    /// lateFailures() starts empty.
    void beginBatch(TiffExportOutcome &outcome);
    void endBatch();

    /// Keeps the file \a path of record \a record, made from the barcode \a digits, which was
    /// just handed to the writer, until the writer has finished it.
    void handed(const QString &path, const QString &digits, int record);
    /// Tells the files the writer has finished, in order: written, or the error message. With
    /// \a wait, first commits every file handed to it and waits for them, no longer than
    /// \a limit when one is given. Nothing outside a batch with a writer, nor while the files
    /// are being told already.
    void settle(bool wait, std::optional<std::chrono::milliseconds> limit = std::nullopt);
    /// Records of the batch a file of which the writer failed after it was handed in.
    const QList<int> &lateFailures() const { return m_lateFailures; }

    /// Tells the file \a path, written from the barcode \a digits: it goes into \a outcome and
    /// to the source.
    void recordWritten(TiffExportOutcome &outcome, const QString &path, const QString &digits);

private:
    /// A file handed to the writer, not yet told.
    struct PendingFile {
        QString path;
        QString digits;
        int record = 0;
    };

    LabelSource &m_source;
    std::function<void()> m_reportWriteError;
    /// The writer of a list's files on the clipboard route; null outside such an export.
    std::unique_ptr<TiffWriteQueue> m_writer;
    QList<PendingFile> m_pendingFiles;
    /// Records a file of which the writer failed after the batch counted it made.
    QList<int> m_lateFailures;
    TiffExportOutcome *m_outcome = nullptr;
    /// The files are being told: a message shown meanwhile tells none itself.
    bool m_settling = false;
};

} // namespace Kelbrix
