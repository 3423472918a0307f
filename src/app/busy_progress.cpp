#include "app/busy_progress.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressBar>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <memory>

namespace Kelbrix {

namespace {
constexpr qint64 kShowBarAfterMs = 500;
constexpr qint64 kServiceEveryMs = 50;
} // namespace

BusyProgress::BusyProgress(QProgressBar *bar, qint64 total) : m_bar(bar), m_total(total)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_started.start();
}

BusyProgress::~BusyProgress()
{
    if (m_bar) {
        m_bar->reset();
        m_bar->hide();
    }
    QApplication::restoreOverrideCursor();
}

void BusyProgress::step(qint64 done)
{
    const qint64 elapsed = m_started.elapsed();
    if (elapsed - m_lastServiced < kServiceEveryMs)
        return;
    if (m_bar && elapsed >= kShowBarAfterMs) {
        // The bar counts in int: scale big totals down to it.
        const qint64 scale = std::max<qint64>(1, m_total / std::numeric_limits<int>::max() + 1);
        m_bar->setRange(0, int(m_total / scale));
        m_bar->setValue(int(std::clamp<qint64>(done, 0, m_total) / scale));
        m_bar->show();
    }
    keepAlive();
}

void BusyProgress::keepAlive()
{
    if (m_bar && !m_bar->isVisible() && m_started.elapsed() >= kShowBarAfterMs) {
        m_bar->setRange(0, int(std::min<qint64>(m_total, std::numeric_limits<int>::max())));
        m_bar->show();
    }
    m_lastServiced = m_started.elapsed();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void runInBackground(QProgressBar *bar, const std::function<void()> &work)
{
    BusyProgress busy(bar);
    std::unique_ptr<QThread> worker(QThread::create(work));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&busy] { busy.step(0); });
    ticker.start(100);
    worker->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
}

} // namespace Kelbrix
