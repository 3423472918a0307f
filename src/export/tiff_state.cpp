#include "export/tiff_state.h"

namespace Kelbrix {

QString TiffRetryState;
qint16 TiffResolution = 0;

} // namespace Kelbrix
