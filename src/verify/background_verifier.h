#pragma once

#include "verify/label_verdict.h"

#include <QFutureWatcher>
#include <QImage>
#include <QObject>
#include <QString>

#include <optional>

namespace Kelbrix {

/// Reads labels back on a worker thread, so that the window never waits for the reader.
///
/// Only the newest request counts: each request gets the next generation number, and a verdict
/// that belongs to an older generation is dropped rather than shown. At most one label is read
/// at a time; a request made meanwhile waits, and a newer one replaces it, so a burst of
/// requests costs at most two readings.
class BackgroundVerifier : public QObject {
    Q_OBJECT
public:
    explicit BackgroundVerifier(QObject *parent = nullptr);
    ~BackgroundVerifier() override;

    /// Asks for \a label to be read back against what it was made from (see verifyLabel()).
    /// The image is copied; the caller may change its own at once.
    void request(const QImage &label, const QString &typeCode, const QString &digits, const QString &supplement,
                 const MatrixExpectation &matrix = {});
    /// Forgets every request made so far: no verdict comes for any of them.
    void cancel();

    /// True while a reading runs or waits.
    bool busy() const;
    /// The generation of the newest request (0 before the first).
    quint64 generation() const { return m_generation; }

signals:
    /// The verdict of the newest request; \a generation says which one.
    void verdictReady(const Kelbrix::LabelVerdict &verdict, quint64 generation);

private:
    struct Job {
        QImage label;
        QString typeCode;
        QString digits;
        QString supplement;
        MatrixExpectation matrix;
        quint64 generation = 0;
    };
    struct Result {
        LabelVerdict verdict;
        quint64 generation = 0;
    };

    void start(Job job);
    void onFinished();

    QFutureWatcher<Result> m_watcher;
    std::optional<Job> m_waiting;
    quint64 m_generation = 0;
};

} // namespace Kelbrix
