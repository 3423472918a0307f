#include "export/batch_stop.h"

#include "base/user_prompt.h"

#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// The stop questions are asked by their English text (see batch_stop.h); listed here so that
// they are translated.
[[maybe_unused]] const char *const kQuestions[] = {
    QT_TRANSLATE_NOOP("BatchStop", "You have pressed Escape (ESC), Do you want to stop ?"),
    QT_TRANSLATE_NOOP("BatchStop", "You have pressed Escape (Esc), Do you want to stop ?"),
};

} // namespace

bool confirmBatchStop(BatchStop &request, QStringView question)
{
    if (request != BatchStop::Asked)
        return false;
    if (answeredYes(ask(QCoreApplication::translate("BatchStop", question.toUtf8().constData()),
                        QCoreApplication::translate("BatchStop", "Stop or Not"), PromptIcon::Question,
                        PromptButtons::YesNo)))
        return true;
    request = BatchStop::Running;
    return false;
}

} // namespace Kelbrix
