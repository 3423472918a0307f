#pragma once

#include "sheet/label_template.h"
#include "sheet/sheet_printer.h"

class QPagedPaintDevice;

namespace Kelbrix {

/// Paints one calibration page for \a sheet onto \a device, which is set to the template's page
/// and no margins: rulers along the top and left edges (a tick every millimetre, a number every
/// ten), the thin outline of every label, a crosshair with a small circle at the centre of the
/// first and the last label, and a short instruction. Everything is placed as paintSheets
/// places labels with \a calibration: positions scaled about the page's top left corner, the
/// offset added; line widths and text sizes stay as they are. Returns false when the page
/// could not be started.
bool paintCalibrationPage(QPagedPaintDevice &device, const LabelTemplate &sheet, const SheetCalibration &calibration);

/// The instruction printed on the calibration page.
QString calibrationInstruction(const SheetCalibration &calibration);

} // namespace Kelbrix
