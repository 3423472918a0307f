#include "export/tiff_stop_question.h"

#include "export/batch_stop.h"
#include "export/label_source.h"

namespace Kelbrix {

TiffStopQuestion::TiffStopQuestion(LabelSource &source, std::function<void()> beforeAsking)
    : m_source(source), m_beforeAsking(std::move(beforeAsking))
{
}

bool TiffStopQuestion::stopAsked(const QString &question)
{
    m_source.serviceEvents();
    BatchStop request = m_source.batchStopRequest();
    if (request != BatchStop::Asked)
        return false;
    m_beforeAsking();
    if (m_answered || confirmBatchStop(request, question)) {
        m_answered = false;
        return true;
    }
    m_source.setBatchStopRequest(request);
    return false;
}

void TiffStopQuestion::answerWhileWorking()
{
    if (!m_early || m_answered || m_asking || m_handing || m_source.batchStopRequest() != BatchStop::Asked)
        return;
    m_asking = true;
    m_beforeAsking();
    BatchStop request = BatchStop::Asked;
    m_answered = confirmBatchStop(request, kEscapeQuestion.toString());
    if (!m_answered)
        m_source.setBatchStopRequest(request);
    m_asking = false;
}

TiffStopQuestion::EarlyStop::EarlyStop(TiffStopQuestion &question) : m_question(question)
{
    m_question.m_early = true;
}

TiffStopQuestion::EarlyStop::~EarlyStop()
{
    m_question.m_early = false;
    m_question.m_answered = false;
}

TiffStopQuestion::Handing::Handing(TiffStopQuestion &question) : m_question(question)
{
    m_question.m_handing = true;
}

TiffStopQuestion::Handing::~Handing()
{
    m_question.m_handing = false;
}

} // namespace Kelbrix
