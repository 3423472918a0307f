#pragma once

#include <QElapsedTimer>
#include <QString>

#include <functional>
#include <memory>

class QProgressBar;
class QProgressDialog;
class QWidget;

namespace Kelbrix {

/// Long work in the main window: the busy pointer from the start, and the status bar's
/// progress bar once the work has run for half a second, so short work does not flicker.
/// step() services the event loop now and then (not on every call, which would cost more
/// than the work) so the window repaints. The pointer and the bar are put back when the
/// object goes.
class BusyProgress {
public:
    /// \a bar may be null. \a total is the number of steps; 0 shows a bar that only says
    /// work is going on.
    explicit BusyProgress(QProgressBar *bar, qint64 total = 0);
    ~BusyProgress();
    BusyProgress(const BusyProgress &) = delete;
    BusyProgress &operator=(const BusyProgress &) = delete;

    /// \a done of the total steps are done.
    void step(qint64 done);
    /// Services the event loop (repaints, timers) without taking user input.
    void keepAlive();

private:
    QProgressBar *m_bar;
    qint64 m_total;
    QElapsedTimer m_started;
    qint64 m_lastServiced = 0;
};

/// Long work the user may stop: a progress window over \a parent with a Cancel button (Escape
/// presses it too), shown once the work has run for half a second, so short work does not
/// flicker. Until it shows, the event loop is serviced without user input; once it shows, it
/// is modal, so clicks and keys reach only its Cancel button and nothing can change the
/// windows under the work. The window goes with the object.
class StoppableProgress {
public:
    /// \a label says what the work is; \a total is the number of steps.
    StoppableProgress(QWidget *parent, const QString &label, qint64 total);
    ~StoppableProgress();
    StoppableProgress(const StoppableProgress &) = delete;
    StoppableProgress &operator=(const StoppableProgress &) = delete;

    /// \a done of the total steps are done. Services the event loop on the first call and then
    /// now and then. False once the user has stopped the work.
    bool step(qint64 done);
    bool stopped() const;
    /// The number of steps, when it is known only once the work has begun.
    void setTotal(qint64 total) { m_total = total; }

private:
    std::unique_ptr<QProgressDialog> m_dialog;
    qint64 m_total;
    QElapsedTimer m_started;
    qint64 m_lastServiced = -1;
};

/// Runs \a work on a worker thread while this thread keeps the window painted and shows the busy
/// pointer and \a bar (may be null); user input waits until the work is done. \a work must
/// touch nothing that the window changes meanwhile (it changes nothing while input waits).
void runInBackground(QProgressBar *bar, const std::function<void()> &work);

} // namespace Kelbrix
