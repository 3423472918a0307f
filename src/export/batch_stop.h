#pragma once

namespace Kelbrix {

/// BatchStopRequest: where a batch stands with the user's Cancel and Escape.
enum class BatchStop {
    Idle,    ///< no batch runs
    Running, ///< a batch runs
    Asked,   ///< Cancel or Escape asked the batch to stop
};

} // namespace Kelbrix
