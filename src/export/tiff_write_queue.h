#pragma once

#include "base/safe_save.h"
#include "export/converter_command.h"
#include "export/converter_image.h"

#include <QList>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <mutex>
#include <thread>

namespace Kelbrix {

/// Writes TIFF files on threads of its own, in the order given, while the caller makes the next
/// picture: one thread encodes and writes each file under a temporary name (see
/// kGroupedSaveSuffix), another commits what was written in groups: their data synced together,
/// renamed, then the folder synced once. A group is what was written while the previous one was
/// committed, at least minGroup files or what waited kGroupWait, at most maxGroup. A file is never
/// visible under its name before its data is on the disk, and its result is known only after
/// that.
///
/// While a queue is installed (see Installed), writeImageFile() hands TIFF files to it instead of
/// writing them itself: the target is checked and the temporary file made at once, so a refusal
/// is reported as before; what happens after comes back later through takeResults().
class TiffWriteQueue {
public:
    /// The result of one file, in the order the files were handed in.
    struct Result {
        QString path;
        SaveResult saved;
        QString problem; ///< what the TIFF writer said, when it refused the picture
    };

    /// At most \a pictureBytes of pictures wait for the writer (one always may).
    explicit TiffWriteQueue(int minGroup = 64, int maxGroup = 512, qint64 pictureBytes = qint64(64) << 20);
    /// Commits what was handed in and waits for it.
    ~TiffWriteQueue();
    TiffWriteQueue(const TiffWriteQueue &) = delete;
    TiffWriteQueue &operator=(const TiffWriteQueue &) = delete;

    /// Starts writing \a picture to \a path: ConverterResult::Success once the temporary file is
    /// made, WriteError with the reason in \a problem when the target cannot be saved over.
    int add(const QString &path, const ConverterImage &picture, TiffCompression compression, QString *problem);
    /// The results known so far, in order, without waiting.
    QList<Result> takeResults();
    /// Commits every file handed in and returns the results not yet taken; \a whileWaiting runs
    /// every few milliseconds until then. With \a limit it waits no longer than that: the results
    /// known by then come back, the others later.
    QList<Result> finish(const std::function<void()> &whileWaiting = {},
                         std::optional<std::chrono::milliseconds> limit = std::nullopt);

    /// The queue writeImageFile() uses, or null.
    static TiffWriteQueue *installed();
    /// Installs a queue for as long as it lives.
    class Installed {
    public:
        explicit Installed(TiffWriteQueue &queue);
        ~Installed();
        Installed(const Installed &) = delete;
        Installed &operator=(const Installed &) = delete;

    private:
        TiffWriteQueue *m_previous;
    };

private:
    struct Job {
        qint64 number = 0;
        GroupedSave save;
        ConverterImage picture;
        TiffCompression compression = TiffCompression::None;
        qint64 bytes = 0;
    };
    struct Written {
        qint64 number = 0;
        GroupedSave save;
    };
    void write();
    void commit();
    bool idle() const;

    const int m_minGroup;
    const int m_maxGroup;
    const qint64 m_pictureBytes;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_jobs;          ///< handed in, not yet written
    qint64 m_jobBytes = 0;           ///< the pictures of m_jobs
    std::deque<Written> m_written;   ///< written, not yet committed
    std::map<qint64, Result> m_done; ///< results by file number, not yet taken
    qint64 m_added = 0;              ///< files handed in
    qint64 m_taken = 0;              ///< results taken
    int m_busy = 0;                  ///< files being written or committed
    bool m_flush = false;            ///< commit what is written now, however little
    bool m_quit = false;
    std::thread m_writer;
    std::thread m_committer;
};

} // namespace Kelbrix
