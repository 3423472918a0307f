#include "export/batch_stop.h"

#include "base/user_prompt.h"

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

bool confirmBatchStop(BatchStop &request, QStringView question)
{
    if (request != BatchStop::Asked)
        return false;
    if (answeredYes(ask(question.toString(), u"Stop or Not"_s, PromptIcon::Question, PromptButtons::YesNo)))
        return true;
    request = BatchStop::Running;
    return false;
}

} // namespace Kelbrix
