#include "widgets/busy_progress.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressBar>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <memory>

using namespace Qt::Literals::StringLiterals;

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

StoppableProgress::StoppableProgress(QWidget *parent, const QString &label, qint64 total)
    : m_dialog(std::make_unique<QProgressDialog>(parent)), m_total(std::max<qint64>(total, 0))
{
    m_dialog->setObjectName(u"StoppableProgress"_s);
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setLabelText(label);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    // Shown by step(), which knows how long the work has run; the dialog's own timer must not.
    m_dialog->setMinimumDuration(std::numeric_limits<int>::max());
    m_dialog->setRange(0, 0);
    m_dialog->reset();
    m_started.start();
}

StoppableProgress::~StoppableProgress() = default;

bool StoppableProgress::step(qint64 done)
{
    const qint64 elapsed = m_started.elapsed();
    if (m_lastServiced >= 0 && elapsed - m_lastServiced < kServiceEveryMs)
        return !stopped();
    m_lastServiced = elapsed;
    if (!m_dialog->isVisible() && !stopped() && elapsed >= kShowBarAfterMs)
        m_dialog->show();
    if (m_dialog->isVisible()) {
        // The dialog counts in int: scale big totals down to it.
        const qint64 scale = std::max<qint64>(1, m_total / std::numeric_limits<int>::max() + 1);
        m_dialog->setMaximum(int(m_total / scale));
        m_dialog->setValue(int(std::clamp<qint64>(done, 0, m_total) / scale));
        // Input reaches only the modal dialog, whose Cancel button the user may press.
        QApplication::processEvents();
    } else {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return !stopped();
}

bool StoppableProgress::stopped() const
{
    return m_dialog->wasCanceled();
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
