#pragma once

#include <QStringView>

namespace Kelbrix {

/// BatchStopRequest: where a batch stands with the user's Cancel and Escape.
enum class BatchStop {
    Idle,    ///< no batch runs
    Running, ///< a batch runs
    Asked,   ///< Cancel or Escape asked the batch to stop
};

/// The stop question of the batches.
inline constexpr QStringView kEscapeQuestion = u"You have pressed Escape (ESC), Do you want to stop ?";
/// The stop question of the single-TIFF export.
inline constexpr QStringView kEscapeQuestionSingle = u"You have pressed Escape (Esc), Do you want to stop ?";

/// The stop question: when \a request is Asked, asks \a question ("Stop or Not", Yes and No).
/// True when the batch is to stop (any answer but No); on No the batch runs on and \a request
/// is Running again. False without a question when the user asked nothing.
bool confirmBatchStop(BatchStop &request, QStringView question = kEscapeQuestion);

} // namespace Kelbrix
