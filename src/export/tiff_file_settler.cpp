#include "export/tiff_file_settler.h"

#include "export/converter_log.h"
#include "export/converter_result.h"
#include "export/label_source.h"
#include "export/tiff_export_outcome.h"
#include "export/tiff_write_queue.h"

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

TiffFileSettler::TiffFileSettler(LabelSource &source, std::function<void()> reportWriteError)
    : m_source(source), m_reportWriteError(std::move(reportWriteError))
{
}

TiffFileSettler::~TiffFileSettler() = default;

void TiffFileSettler::startWriter()
{
    m_writer = std::make_unique<TiffWriteQueue>();
}

void TiffFileSettler::stopWriter()
{
    m_writer.reset();
}

void TiffFileSettler::beginBatch(TiffExportOutcome &outcome)
{
    m_outcome = &outcome;
    m_lateFailures.clear();
}

void TiffFileSettler::endBatch()
{
    m_outcome = nullptr;
}

void TiffFileSettler::handed(const QString &path, const QString &digits, int record)
{
    m_pendingFiles.append({path, digits, record});
}

void TiffFileSettler::recordWritten(TiffExportOutcome &outcome, const QString &path, const QString &digits)
{
    outcome.filesWritten << path;
    m_source.fileWritten(path, digits);
}

void TiffFileSettler::settle(bool wait, std::optional<std::chrono::milliseconds> limit)
{
    if (!m_writer || m_settling || !m_outcome)
        return;
    m_settling = true;
    const QList<TiffWriteQueue::Result> results =
        wait ? m_writer->finish([this] { m_source.serviceEvents(); }, limit) : m_writer->takeResults();
    for (const TiffWriteQueue::Result &result : results) {
        const PendingFile file = m_pendingFiles.takeFirst();
        if (result.saved.ok) {
            recordWritten(*m_outcome, file.path, file.digits);
            continue;
        }
        QString problem = result.saved.message;
        if (!result.problem.isEmpty())
            problem += u" ("_s + result.problem + u")"_s;
        appendConverterLog(u"dest="_s + file.path + u",log=1"_s, ConverterResult::WriteError, problem, {});
        m_reportWriteError();
        m_outcome->failed = true;
        if (!m_lateFailures.contains(file.record))
            m_lateFailures << file.record;
    }
    m_settling = false;
}

} // namespace Kelbrix
