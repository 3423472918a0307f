#include "export/printer_resolution.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace Kelbrix {

PrinterResolution defaultPrinterResolution()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return {};
    QPrinter printer(info, QPrinter::HighResolution);
    const int dpi = printer.resolution();
    // A driver that reports no resolution is treated like a missing printer.
    if (dpi <= 0)
        return {};
    return {dpi, true};
}

} // namespace Kelbrix
