#include "export/tiff_write_queue.h"

#include "export/converter_io.h"
#include "export/converter_result.h"
#include "export/tiff_io.h"

#include <chrono>

namespace Kelbrix {

namespace {

TiffWriteQueue *g_installed = nullptr;

} // namespace

TiffWriteQueue::TiffWriteQueue(int minGroup, int maxGroup, qint64 pictureBytes)
    : m_minGroup(std::max(1, minGroup)), m_maxGroup(std::max(m_minGroup, maxGroup)), m_pictureBytes(pictureBytes),
      m_writer([this] { write(); }), m_committer([this] { commit(); })
{
}

TiffWriteQueue::~TiffWriteQueue()
{
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_writer.join();
    m_committer.join();
}

TiffWriteQueue *TiffWriteQueue::installed()
{
    return g_installed;
}

TiffWriteQueue::Installed::Installed(TiffWriteQueue &queue) : m_previous(g_installed)
{
    g_installed = &queue;
}

TiffWriteQueue::Installed::~Installed()
{
    g_installed = m_previous;
}

int TiffWriteQueue::add(const QString &path, const ConverterImage &picture, TiffCompression compression,
                        QString *problem)
{
    Job job;
    if (const std::optional<SaveResult> refused = beginGroupedSave(path, job.save)) {
        if (problem)
            *problem = refused->message;
        return ConverterResult::WriteError;
    }
    job.picture = picture;
    job.compression = compression;
    job.bytes = picture.image.sizeInBytes();
    std::unique_lock lock(m_mutex);
    // A bounded queue: the pictures waiting for the writer never pile up.
    m_changed.wait(lock, [&] { return m_jobs.empty() || m_jobBytes + job.bytes <= m_pictureBytes; });
    job.number = m_added++;
    m_jobBytes += job.bytes;
    m_jobs.push_back(std::move(job));
    lock.unlock();
    m_changed.notify_all();
    return ConverterResult::Success;
}

QList<TiffWriteQueue::Result> TiffWriteQueue::takeResults()
{
    const std::lock_guard lock(m_mutex);
    QList<Result> results;
    for (auto next = m_done.find(m_taken); next != m_done.end(); next = m_done.find(m_taken)) {
        results.append(std::move(next->second));
        m_done.erase(next);
        ++m_taken;
    }
    return results;
}

bool TiffWriteQueue::idle() const
{
    return m_jobs.empty() && m_busy == 0;
}

QList<TiffWriteQueue::Result> TiffWriteQueue::finish(const std::function<void()> &whileWaiting,
                                                     std::optional<std::chrono::milliseconds> limit)
{
    const auto until = std::chrono::steady_clock::now() + limit.value_or(std::chrono::milliseconds(0));
    std::unique_lock lock(m_mutex);
    m_flush = true;
    m_changed.notify_all();
    while (!m_changed.wait_for(lock, std::chrono::milliseconds(10), [this] { return idle(); })) {
        if (limit && std::chrono::steady_clock::now() >= until)
            break;
        if (whileWaiting) {
            lock.unlock();
            whileWaiting();
            lock.lock();
        }
    }
    m_flush = false;
    lock.unlock();
    return takeResults();
}

void TiffWriteQueue::write()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        // Open temporary files are bounded too: the writer waits for the commit past maxGroup.
        m_changed.wait(lock, [this] { return m_quit || (!m_jobs.empty() && int(m_written.size()) < m_maxGroup); });
        if (m_jobs.empty()) {
            if (m_quit)
                return;
            continue;
        }
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_jobBytes -= job.bytes;
        ++m_busy;
        m_changed.notify_all();
        lock.unlock();
        QString problem;
        const SaveResult written = writeGroupedSave(job.save, [&](QIODevice &device) {
            return writeTiff(device, job.picture, job.compression, &problem) && flushedToDisk(device, &problem);
        });
        job.picture = {};
        lock.lock();
        if (written.ok) {
            m_written.push_back({job.number, job.save});
        } else {
            m_done[job.number] = {job.save.path, written, problem};
            --m_busy;
        }
        m_changed.notify_all();
    }
}

void TiffWriteQueue::commit()
{
    // How long written files wait for more to join their group.
    constexpr std::chrono::milliseconds kGroupWait(50);
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait_for(lock, kGroupWait, [this] {
            return int(m_written.size()) >= m_minGroup || ((m_flush || m_quit) && !m_written.empty()) ||
                   (m_quit && idle());
        });
        if (m_written.empty()) {
            if (m_quit && idle())
                return;
            continue;
        }
        QList<qint64> numbers;
        QList<GroupedSave> group;
        while (!m_written.empty() && int(group.size()) < m_maxGroup) {
            numbers.append(m_written.front().number);
            group.append(m_written.front().save);
            m_written.pop_front();
        }
        m_changed.notify_all();
        lock.unlock();
        const QList<GroupedSave> saves = group;
        const QList<SaveResult> saved = commitGroupedSaves(group);
        lock.lock();
        for (qsizetype i = 0; i < saved.size(); ++i)
            m_done[numbers[i]] = {saves[i].path, saved[i], {}};
        m_busy -= int(saved.size());
        m_changed.notify_all();
    }
}

} // namespace Kelbrix
