#include "verify/background_verifier.h"

#include <QtConcurrent/QtConcurrentRun>

namespace Kelbrix {

BackgroundVerifier::BackgroundVerifier(QObject *parent) : QObject(parent)
{
    connect(&m_watcher, &QFutureWatcher<Result>::finished, this, &BackgroundVerifier::onFinished);
}

// A reading still running goes on with its own copy of the label; its verdict has nowhere to go.
BackgroundVerifier::~BackgroundVerifier() = default;

void BackgroundVerifier::request(const QImage &label, const QString &typeCode, const QString &digits,
                                 const QString &supplement, const MatrixExpectation &matrix)
{
    // A deep copy: the worker must not share pixels with an image the window may paint into.
    Job job{label.copy(), typeCode, digits, supplement, matrix, ++m_generation};
    if (m_watcher.isRunning())
        m_waiting = std::move(job);
    else
        start(std::move(job));
}

void BackgroundVerifier::cancel()
{
    ++m_generation;
    m_waiting.reset();
}

bool BackgroundVerifier::busy() const
{
    return m_watcher.isRunning() || m_waiting.has_value();
}

void BackgroundVerifier::start(Job job)
{
    m_watcher.setFuture(QtConcurrent::run([job = std::move(job)] {
        return Result{verifyLabelWithMatrix(job.label, job.typeCode, job.digits, job.supplement, job.matrix),
                      job.generation};
    }));
}

void BackgroundVerifier::onFinished()
{
    const Result result = m_watcher.future().result();
    if (m_waiting) {
        start(std::move(*m_waiting));
        m_waiting.reset();
    }
    if (result.generation == m_generation)
        emit verdictReady(result.verdict, result.generation);
}

} // namespace Kelbrix
